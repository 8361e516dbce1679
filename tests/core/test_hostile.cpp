// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Files built to hurt: missing, cut short anywhere, headers that promise huge, zero or negative
// sizes, offsets past the end. Each refusal is one message (or the silence a format's rules give)
// and leaves the heightmap exactly as it was; never a crash, a hang or a huge allocation.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "OpenOutcome.h"
#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"

// Under AddressSanitizer any single allocation above 4 MB fails the test outright: no reader
// may allocate more than a few times the largest heightmap (513 x 513 x 4 bytes), whatever a
// header claims.
extern "C" const char* __asan_default_options() { return "max_allocation_size_mb=4:allocator_may_return_null=0"; }

using namespace tolv;
using namespace tolv::test;

namespace {

// Formats whose rules let a refusal pass in silence: a Targa file failing validation, and the
// raw readers when the size dialog is cancelled.
bool MaySayNothing(const std::string& ext) { return ext == "tga" || ext == "raw" || ext == "r16" || ext == "r32"; }

std::vector<uint8_t> Text(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<uint8_t> Le16(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8)}; }
std::vector<uint8_t> Le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
std::vector<uint8_t> Be32(uint32_t v) { return {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}; }

std::vector<uint8_t> Hmb(int16_t w, int16_t h, int32_t declaredSize = 32)
{
    return Cat({Text("TOLV Binary Heightmap"), {0}, Le32(uint32_t(declaredSize)), Le16(100), Le16(uint16_t(w)), Le16(uint16_t(h))});
}

std::vector<uint8_t> PngHeader(uint32_t w, uint32_t h, uint8_t depth = 16, uint8_t type = 0)
{
    std::vector<uint8_t> ihdr = Cat({Be32(w), Be32(h), {depth, type, 0, 0, 0}});
    return Cat({{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, PngChunk("IHDR", ihdr)});
}

std::vector<uint8_t> BmpHeader(int32_t w, int32_t h, uint16_t bits, uint32_t offset, uint32_t fileSize, uint32_t colours = 0)
{
    return Cat({Text("BM"), Le32(fileSize), Le32(0), Le32(offset), Le32(40), Le32(uint32_t(w)), Le32(uint32_t(h)), Le16(1),
                Le16(bits), Le32(0), Le32(0), Le32(2835), Le32(2835), Le32(colours), Le32(0)});
}

std::vector<uint8_t> Terragen(std::vector<uint8_t> chunks)
{
    return Cat({Text("TERRAGENTERRAIN "), chunks});
}

std::vector<uint8_t> Tga(uint8_t mapType, uint8_t type, uint16_t mapLength, uint8_t entryBits, uint16_t w, uint16_t h,
                         uint8_t depth)
{
    return Cat({{0, mapType, type}, Le16(0), Le16(mapLength), {entryBits}, Le16(0), Le16(0), Le16(w), Le16(h),
                {depth, 0x20}});
}

std::vector<uint8_t> Gif(uint16_t screenW, uint16_t screenH, uint16_t imageW, uint16_t imageH)
{
    std::vector<uint8_t> f = Cat({Text("GIF89a"), Le16(screenW), Le16(screenH), {0x80, 0, 0}, {0, 0, 0, 255, 255, 255}});
    f = Cat({f, {0x2C}, Le16(0), Le16(0), Le16(imageW), Le16(imageH), {0}, {2, 2, 0x4C, 0x01, 0}, {0x3B}});
    return f;
}

// A little-endian TIFF whose one IFD holds the given entries (tag, type, count, value).
std::vector<uint8_t> Tiff(std::initializer_list<std::array<uint32_t, 4>> entries, uint32_t ifdOffset = 8)
{
    std::vector<uint8_t> f = Cat({Text("II"), Le16(42), Le32(ifdOffset)});
    PutLe16(f, static_cast<uint32_t>(entries.size()));
    for (const auto& e : entries) f = Cat({f, Le16(e[0]), Le16(e[1]), Le32(e[2]), Le32(e[3])});
    PutLe32(f, 0);
    return f;
}

struct HostileRow {
    const char* name;
    const char* ext;
    std::vector<uint8_t> bytes;
    const char* size = nullptr; // the size a resolution refusal names, when the header declares one
    bool absent = false;        // no file at all
};

std::vector<HostileRow> HostileHeaders()
{
    std::string wideLine(20000, ' ');
    std::string manyLines;
    for (int i = 0; i < 100000; ++i) manyLines += "1 \r\n";
    std::string manyX;
    for (int i = 1; i <= 600; ++i) manyX += "v " + std::to_string(i) + " 1 5\r\n";
    std::vector<HostileRow> rows = {
        {"hmb negative width", "hmb", Hmb(-1, 5)},
        {"hmb negative height", "hmb", Hmb(5, -32768)},
        {"hmb zero width", "hmb", Hmb(0, 7)},
        {"hmb 32767 x 32767", "hmb", Hmb(32767, 32767, 2147483647), "32767 x 32767"},
        {"hmb header cut short", "hmb", Text("TOLV Binary Heightmap")},
        {"hma width beyond 32 bits", "hma", Text("TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 1e12\r\nHeight 2\r\n")},
        {"hma negative width", "hma", Text("TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth -7\r\nHeight 2\r\n1 2\r\n")},
        {"hma huge height", "hma", Text("TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 2\r\nHeight 99999999\r\n"), "2 x 99999999"},
        {"r16 odd length", "r16", {1, 2, 3}},
        {"r32 three bytes", "r32", {1, 2, 3}},
        {"bmp width 2^31-1", "bmp", BmpHeader(0x7FFFFFFF, 1, 24, 54, 54), "2147483647 x 1"},
        {"bmp height INT_MIN", "bmp", BmpHeader(4, INT32_MIN, 24, 54, 54), "4 x 2147483647"},
        {"bmp G16 height INT_MIN", "bmp", BmpHeader(4, INT32_MIN, 16, 54, 54), "4 x 2147483647"},
        {"bmp pixels past the end", "bmp", BmpHeader(64, 64, 24, 5000000, 54)},
        {"bmp G16 pixels past the end", "bmp", BmpHeader(64, 64, 16, 5000000, 54)},
        {"bmp 8-bit palette of 2^31 colours", "bmp", BmpHeader(4, 4, 8, 54, 54, 0x80000000u)},
        {"ter XPTS 65535", "ter", Terragen(Cat({Text("XPTS"), Le16(65535), Le16(0), Text("YPTS"), Le16(65535), Le16(0),
                                                Text("ALTW"), Le16(1), Le16(0), Text("EOF ")}))},
        {"ter SIZE 65535 alone", "ter", Terragen(Cat({Text("SIZE"), Le16(65535), Le16(0), Text("ALTW"), Le16(1), Le16(0)}))},
        {"ter ALTW data short", "ter", Terragen(Cat({Text("XPTS"), Le16(513), Le16(0), Text("YPTS"), Le16(513), Le16(0),
                                                     Text("ALTW"), Le16(1), Le16(0), Le16(5)}))},
        {"ter no ALTW", "ter", Terragen(Cat({Text("XPTS"), Le16(4), Le16(0), Text("SCAL"), Le32(0), Le32(0), Le32(0)}))},
        {"ter unknown chunks only", "ter", Terragen(Text("ABCDEFGHIJKLMNOPQRSTUVWX"))},
        {"ter end marker first", "ter", Terragen(Text("EOF "))},
        {"ter end marker before ALTW", "ter", Terragen(Cat({Text("XPTS"), Le16(4), Le16(0), Text("YPTS"), Le16(4), Le16(0), Text("EOF ")}))},
        {"txt first line 20000 values", "txt", Text(wideLine + "\r\n"), "20000 x 1"},
        {"txt 100000 rows", "txt", Text(manyLines), "1 x 100000"},
        {"pgm huge size", "pgm", Text("P5\n999999999 999999999\n65535\n"), "999999999 x 999999999"},
        {"pgm negative size", "pgm", Text("P5\n-3 4\n255\n\x01\x02")},
        {"pgm maxval 0", "pgm", Text("P2\n2 1\n0\n0 0\n")},
        {"pgm maxval 70000", "pgm", Text("P5\n1 1\n70000\n\x01\x02\x03")},
        {"pgm pixels missing", "pgm", Text("P5\n513 513\n65535\n")},
        {"pam width 2^32", "pam", Text("P7\nWIDTH 4294967296\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nTUPLTYPE GRAYSCALE\nENDHDR\n")},
        {"pam depth 0", "pam", Text("P7\nWIDTH 2\nHEIGHT 1\nDEPTH 0\nMAXVAL 255\nENDHDR\n")},
        {"tga 65535 x 65535", "tga", Tga(0, 2, 0, 0, 65535, 65535, 24), "65535 x 65535"},
        {"tga palette past the end", "tga", Tga(1, 1, 65535, 24, 4, 4, 8)},
        {"tga pixels missing", "tga", Tga(0, 2, 0, 0, 513, 513, 32)},
        {"gif screen 65535 x 65535", "gif", Gif(65535, 65535, 1, 1), "65535 x 65535"},
        {"gif image far larger than the screen", "gif", Gif(2, 2, 65535, 65535)},
        {"gif image outside the screen", "gif", Gif(2, 2, 2, 2)},
        {"tif IFD past the end", "tif", Tiff({}, 0x7FFFFFF0)},
        {"tif 65535 entries", "tif", Cat({Text("II"), Le16(42), Le32(8), Le16(65535)})},
        {"tif strip past the end", "tif", Tiff({{256, 3, 1, 64}, {257, 3, 1, 64}, {258, 3, 1, 16}, {259, 3, 1, 1},
                                                {262, 3, 1, 1}, {273, 4, 1, 0x7FFFFFF0}, {278, 4, 1, 64}})},
        {"tif strip table past the end", "tif", Tiff({{256, 3, 1, 64}, {257, 3, 1, 64}, {258, 3, 1, 16}, {259, 3, 1, 1},
                                                      {262, 3, 1, 1}, {273, 4, 0x7FFFFFFF, 0x7FFFFFF0}, {278, 4, 1, 1}})},
        {"tif 2^31 strips of 0 rows", "tif", Tiff({{256, 3, 1, 64}, {257, 3, 1, 64}, {258, 3, 1, 16}, {259, 3, 1, 1},
                                                  {262, 3, 1, 1}, {273, 4, 0x7FFFFFFF, 8}, {278, 4, 1, 0}})},
        {"tif width 70000", "tif", Tiff({{256, 4, 1, 70000}, {257, 3, 1, 1}, {258, 3, 1, 16}, {259, 3, 1, 1},
                                         {262, 3, 1, 1}, {273, 4, 1, 8}, {278, 4, 1, 1}}), "70000 x 1"},
        {"tif negative width", "tif", Tiff({{256, 9, 1, 0xFFFFFFFF}, {257, 3, 1, 1}, {258, 3, 1, 16}, {259, 3, 1, 1},
                                            {262, 3, 1, 1}, {273, 4, 1, 8}, {278, 4, 1, 1}})},
        {"obj first line too long", "obj", Text(std::string(200, 'v') + "\r\n")},
        {"obj binary", "obj", {'v', ' ', 0xFF, 0x00, '\r', '\n'}},
        {"obj 600 distinct X values", "obj", Text(manyX), "601 x 2"},
        {"obj coordinates beyond float", "obj", Text("v 1e99 1e99 1e99\r\nv 1 1 1\r\n")},
        {"obj no vertices", "obj", Text("# nothing\r\nf 1 2 3\r\n")},
        {"png 2^31-1 wide", "png", PngHeader(0x7FFFFFFF, 1)},
        {"png 100000 x 1", "png", PngHeader(100000, 1)},
        {"png 0 x 0", "png", PngHeader(0, 0)},
        {"png no image data", "png", Cat({PngHeader(513, 513), PngChunk("IEND", {})})},
        {"png chunk claiming 2 GB", "png", Cat({PngHeader(4, 4), Be32(0x7FFFFFFF), Text("IDAT"), {1, 2, 3}})},
        {"png bad bit depth", "png", PngHeader(4, 4, 7, 0)},
        {"png palette without PLTE", "png", Cat({PngHeader(4, 4, 8, 3), PngChunk("IDAT", {0x78, 0x9C, 0x03, 0, 0, 0, 0, 1}), PngChunk("IEND", {})})},
    };
    for (const char* ext : kReadableExtensions) {
        rows.push_back({"empty file", ext, {}});
        rows.push_back({"missing file", ext, {}, nullptr, true});
    }
    return rows;
}

// The map every open starts from, and what is wrong when it is no longer that map ("" if none).
void LoadBefore() { LoadGrid(3, 2, {5, 6, 7, 8, 9, 10}, FmtHma); }
std::string ChangedFromBefore()
{
    if (!HeightmapLoaded() || HeightmapWidth() != 3 || HeightmapHeight() != 2 || FormatCode() != FmtHma)
        return "size, loaded flag or format code changed";
    return CurrentGrid() == std::vector<int32_t>{5, 6, 7, 8, 9, 10} ? "" : "altitudes changed";
}

// One message for a refusal; at most one for the formats whose rules allow silence.
void ExpectOneRefusal(const TestHost& host, const std::string& ext, const std::string& where)
{
    if (MaySayNothing(ext)) {
        EXPECT_LE(host.messages.size(), 1u) << where << ": " << host.OnlyText();
    } else {
        EXPECT_EQ(host.messages.size(), 1u) << where << ": " << host.OnlyText();
    }
}

} // namespace

// Every refusal is one message and the previous map stays exactly as it was.
TEST(Hostile, MalformedFilesGetOneMessageAndChangeNothing)
{
    for (const HostileRow& r : HostileHeaders()) {
        TestHost host;
        host.onDialog = [](DialogId) { YesHost::AnswerRawSize(); };
        TempDir dir;
        const std::string path = dir / (std::string("hostile.") + r.ext);
        if (!r.absent) ASSERT_TRUE(WriteBinaryFile(path, r.bytes));
        LoadBefore();
        const auto start = std::chrono::steady_clock::now();
        const bool opened = OpenFileByType(path);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::string where = std::string(r.ext) + ": " + r.name;
        EXPECT_FALSE(opened) << where;
        EXPECT_LT(seconds, 5.0) << where << " took too long";
        ExpectOneRefusal(host, r.absent ? "" : r.ext, where);
        if (r.absent) {
            EXPECT_TRUE(host.OnlyText().ends_with("\r\n\r\nError Number: 53\r\nFile not found")) << where;
        }
        if (r.size) {
            ASSERT_FALSE(host.messages.empty()) << where;
            EXPECT_EQ(host.messages.back().text.rfind(std::string("Unsupported heightmap resolution.\r\n\r\nThe heightmap size is ") +
                                                          r.size + ".",
                                                      0),
                      0u)
                << where << ": " << host.messages.back().text;
        }
        EXPECT_EQ(ChangedFromBefore(), "") << where;
    }
}

// Valid files of every kind cut at every length up to 64 bytes and at sixteen points beyond:
// after each open the map is either loaded and consistent or exactly the map from before, and a
// refusal says one thing.
TEST(Hostile, TruncatedFilesOfEveryFormat)
{
    size_t files = 0, opens = 0;
    for (const char* ext : kReadableExtensions) {
        TempDir dir;
        TestHost setup;
        LoadPatternMap(37, 21);
        const std::vector<std::string> samples = WriteSampleFiles(dir.Path(), "sample", ext);
        for (const std::string& sample : samples) {
            ++files;
            const std::vector<uint8_t> whole = ReadFileBytes(sample);
            std::vector<size_t> lengths;
            for (size_t n = 0; n < whole.size() && n <= 64; ++n) lengths.push_back(n);
            for (size_t k = 1; k < 16; ++k) lengths.push_back(whole.size() * k / 16);
            lengths.push_back(whole.size() - 1);
            const std::string cut = dir / (std::string("cut.") + ext);
            for (size_t n : lengths) {
                TestHost host;
                host.onDialog = [](DialogId) { YesHost::AnswerRawSize(); };
                ASSERT_TRUE(WriteBinaryFile(cut, std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n))));
                LoadBefore();
                const bool opened = OpenFileByType(cut);
                ++opens;
                const std::string where = GetFileName(sample) + " cut to " + std::to_string(n) + " bytes";
                if (opened) {
                    EXPECT_EQ(OpenOutcomeProblem(opened), "") << where;
                } else {
                    EXPECT_EQ(ChangedFromBefore(), "") << where;
                    ExpectOneRefusal(host, ext, where);
                }
            }
        }
    }
    // The formats whose readers and writers have landed must all be here.
    EXPECT_GE(files, 20u);
    RecordProperty("opens", static_cast<int>(opens));
}
