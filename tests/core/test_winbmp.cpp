// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "formats/vbWinBMP.h"
#include "heightmap/MapHeight.h"

using namespace tolv;
using namespace tolv::test;

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) { b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8); }
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) { return LoadU32LE(&b[at]); }

// A small bitmap built field by field: the header, an optional palette, then pixel bytes.
struct BmpSpec {
    uint32_t headerSize = 40;
    int32_t width = 2, height = 2;
    uint32_t planes = 1, bits = 16, compression = 0;
    std::vector<uint8_t> palette = {};
    std::vector<uint8_t> pixels = std::vector<uint8_t>(8, 0);
};

std::vector<uint8_t> MakeBmp(const BmpSpec& s)
{
    std::vector<uint8_t> b(14 + s.headerSize, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 14, s.headerSize);
    if (s.headerSize == 12) {
        Put16(b, 18, uint32_t(s.width)), Put16(b, 20, uint32_t(s.height)), Put16(b, 22, s.planes), Put16(b, 24, s.bits);
    } else {
        Put32(b, 18, uint32_t(s.width)), Put32(b, 22, uint32_t(s.height)), Put16(b, 26, s.planes), Put16(b, 28, s.bits);
        Put32(b, 30, s.compression);
    }
    b.insert(b.end(), s.palette.begin(), s.palette.end());
    Put32(b, 10, static_cast<uint32_t>(b.size()));
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    return b;
}

std::vector<uint8_t> GrayPalette(size_t entrySize, bool reversed)
{
    std::vector<uint8_t> p;
    for (int i = 0; i < 256; ++i)
        for (size_t k = 0; k < entrySize; ++k) p.push_back(k < 3 ? uint8_t(reversed ? 255 - i : i) : 0);
    return p;
}

const std::string kUnknownHeader = "Unsupported BMP File Format.\r\n\r\nUnknown BITMAPINFOHEADER or BITMAPCOREHEADER "
                                   "Structure Version.";
const std::string kCorrupt = "The Bitmap file is corrupt.\r\nThe file size does not match the header property.";

} // namespace

TEST(WinBmp, G16HeaderOf257SquareIsExact)
{
    TestHost host;
    TempDir dir;
    LoadPatternMap(257, 257);
    ASSERT_TRUE(SaveG16File(dir / "m.bmp"));
    auto b = ReadFileBytes(dir / "m.bmp");
    ASSERT_EQ(b.size(), 132152u);
    const std::vector<uint8_t> header = {
        'B', 'M', 0x38, 0x04, 0x02, 0x00, 0, 0, 0, 0, 54, 0, 0, 0,              // file header
        40, 0, 0, 0, 0x01, 0x01, 0, 0, 0x01, 0x01, 0, 0, 1, 0, 16, 0, 0, 0, 0, 0, // w, h, planes, bits, compression
        0x02, 0x04, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}; // image size, 16 zeros
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 54), header);
    // First pixel is (1, height), last is (width, 1); rows are 514 bytes without padding.
    EXPECT_EQ(b[54] | (b[55] << 8), GetAltitude(1, 257));
    EXPECT_EQ(b[54 + 514] | (b[55 + 514] << 8), GetAltitude(1, 256));
    EXPECT_EQ(b[b.size() - 2] | (b[b.size() - 1] << 8), GetAltitude(257, 1));
    EXPECT_EQ(FormatCode(), FmtG16);
    EXPECT_TRUE(host.messages.empty());
}

TEST(WinBmp, SavingOverALongerFileLeavesNoStaleTailAndKeepsTheLow16Bits)
{
    TestHost host;
    TempDir dir;
    WriteFileBytes(dir / "old.bmp", std::vector<uint8_t>(1000, 0xEE));
    LoadGrid(2, 2, {65536 + 5, -1, 3, 4});
    ASSERT_TRUE(SaveG16File(dir / "old.bmp"));
    auto b = ReadFileBytes(dir / "old.bmp");
    ASSERT_EQ(b.size(), 62u);
    EXPECT_EQ(Get32(b, 2), 62u);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54, b.end()), (std::vector<uint8_t>{3, 0, 4, 0, 5, 0, 0xFF, 0xFF}));
}

TEST(WinBmp, NegativeHeightIsReadTopDown)
{
    TestHost host;
    TempDir dir;
    BmpSpec s{.height = -2, .pixels = {1, 0, 2, 0, 3, 0, 4, 0}};
    WriteFileBytes(dir / "t.bmp", MakeBmp(s));
    EXPECT_EQ(BmpHeight(dir / "t.bmp"), -2);
    ASSERT_TRUE(LoadG16File(dir / "t.bmp"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1, 2, 3, 4}));
    s.height = 2;
    WriteFileBytes(dir / "b.bmp", MakeBmp(s));
    ASSERT_TRUE(LoadG16File(dir / "b.bmp"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{3, 4, 1, 2}));
    EXPECT_TRUE(host.messages.empty());
}

TEST(WinBmp, ClassifiesEveryKind)
{
    auto with = [](uint32_t bits, uint32_t compression, std::vector<uint8_t> palette = {}, uint32_t header = 40) {
        return BmpSpec{.headerSize = header, .bits = bits, .compression = compression, .palette = std::move(palette)};
    };
    std::vector<uint8_t> colour = GrayPalette(4, false);
    colour[4 * 200 + 1] ^= 1; // one entry's green differs
    std::vector<uint8_t> coreColour = GrayPalette(3, false);
    coreColour[3 * 7 + 2] = 99;
    const std::tuple<const char*, BmpSpec, int32_t> rows[] = {
        {"planes 0", BmpSpec{.planes = 0}, 0}, {"bits 0 jpeg", with(0, 4), 13}, {"bits 0 png", with(0, 5), 14},
        {"bits 0 other", with(0, 3), 0}, {"1 bit", with(1, 0), 1}, {"4 bit", with(4, 0), 2}, {"4 bit rle", with(4, 2), 3},
        {"8 bit gray", with(8, 0, GrayPalette(4, false)), 4}, {"8 bit gray reversed", with(8, 0, GrayPalette(4, true)), 4},
        {"8 bit colour", with(8, 0, colour), 6}, {"8 bit gray palette rle", with(8, 1, GrayPalette(4, false)), 7},
        {"16 bit", with(16, 0), 8}, {"16 bit bitfields", with(16, 3), 9}, {"24 bit", with(24, 0), 10},
        {"24 bit compressed", with(24, 1), 0}, {"32 bit", with(32, 0), 11}, {"32 bit bitfields", with(32, 3), 12},
        {"2 bit", with(2, 0), 0}, {"core 8 bit gray", with(8, 0, GrayPalette(3, true), 12), 4},
        {"core 8 bit colour", with(8, 0, coreColour, 12), 6}, {"core 24 bit", with(24, 0, {}, 12), 10},
    };
    TempDir dir;
    for (const auto& [name, spec, code] : rows) {
        TestHost host;
        const std::string path = dir / "k.bmp";
        WriteFileBytes(path, MakeBmp(spec));
        EXPECT_TRUE(ValidateBmpFile(path)) << name;
        EXPECT_EQ(BmpFileType(path), code) << name;
        EXPECT_EQ(BmpHasGrayPalette(path), code == 4) << name;
        EXPECT_TRUE(host.messages.empty()) << name;
    }
}

TEST(WinBmp, UnknownHeaderSizeIsRefusedByEveryQuery)
{
    TestHost host;
    TempDir dir;
    const std::string path = dir / "v4.bmp";
    WriteFileBytes(path, MakeBmp({.headerSize = 108}));
    EXPECT_TRUE(ValidateBmpFile(path));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(BmpFileType(path), 0);
    EXPECT_EQ(BmpWidth(path), 0);
    EXPECT_EQ(BmpHeight(path), 0);
    EXPECT_EQ(BmpPaletteOffset(path), 0);
    EXPECT_FALSE(BmpIsCoreHeader(path));
    EXPECT_FALSE(BmpHasGrayPalette(path));
    EXPECT_FALSE(LoadG16File(path));
    ASSERT_EQ(host.messages.size(), 7u);
    for (const Recorded& m : host.messages) EXPECT_EQ(m.kind + ": " + m.text, "warning: " + kUnknownHeader);
    EXPECT_FALSE(HeightmapLoaded());

    // Opening it says so once, not once per query the image reader would make.
    host.messages.clear();
    EXPECT_FALSE(OpenFileByType(path));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kUnknownHeader);
    EXPECT_FALSE(HeightmapLoaded());
}

TEST(WinBmp, ValidationRefusals)
{
    TempDir dir;
    const auto good = MakeBmp(BmpSpec{});
    auto sizeOff = good, notBm = good;
    Put32(sizeOff, 2, static_cast<uint32_t>(good.size() + 1));
    notBm[0] = 'P';
    auto notBmBadSize = notBm;
    Put32(notBmBadSize, 2, 3);
    const std::tuple<const char*, std::vector<uint8_t>, bool, std::string> rows[] = {
        {"good", good, true, ""},
        {"size one byte off", sizeOff, false, kCorrupt},
        {"signature PM", notBm, false, ""},
        {"signature and size", notBmBadSize, false, kCorrupt},
        {"empty", {}, false, kCorrupt},
        {"13 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 13), false, kCorrupt},
    };
    for (const auto& [name, bytes, valid, message] : rows) {
        TestHost host;
        WriteFileBytes(dir / "v.bmp", bytes);
        EXPECT_EQ(ValidateBmpFile(dir / "v.bmp"), valid) << name;
        EXPECT_EQ(host.OnlyText(), message) << name;
        if (!message.empty()) {
            EXPECT_EQ(host.messages[0].kind, "warning");
        }
    }
    // Through the open dispatch one refusal is one warning: the dispatch adds its own only when
    // the validation said nothing. The map stays.
    for (const auto& [bytes, message] : {std::pair{sizeOff, kCorrupt}, {notBm, "Invalid or unsupported BMP file."}}) {
        TestHost host;
        WriteFileBytes(dir / "c.bmp", bytes);
        LoadGrid(1, 1, {7});
        EXPECT_FALSE(OpenFileByType(dir / "c.bmp"));
        EXPECT_EQ(host.OnlyText(), message);
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{7});
    }
}

TEST(WinBmp, G16RefusalsChangeNothing)
{
    TempDir dir;
    const std::string size = "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is ";
    const std::string badOffset = "Unsupported BMP File Format.\r\n\r\nUnknown BITMAPFILEHEADER Structure Version.";
    struct Row {
        const char* name;
        int32_t w, h;
        size_t pixelBytes;
        std::string message;
        int64_t bitsOffset = -1; // -1 = where it belongs
    };
    const Row rows[] = {
        {"short pixels", 3, 3, 17, "The Bitmap file is corrupt.\r\nThe pixel data is shorter than the width and height require."},
        {"zero width", 0, 4, 8, size + "0 x 4."},
        {"negative width", -2, 4, 8, size + "-2 x 4."},
        // A pixel offset outside the file; the reader then adds its own report.
        {"offset 0", 2, 2, 8, badOffset, 0}, {"offset at the end", 2, 2, 8, badOffset, 62},
        {"offset past the end", 2, 2, 8, badOffset, 63}, {"offset far away", 2, 2, 8, badOffset, 1000},
    };
    for (const Row& r : rows) {
        TestHost host;
        auto b = MakeBmp({.width = r.w, .height = r.h, .pixels = std::vector<uint8_t>(r.pixelBytes, 1)});
        if (r.bitsOffset >= 0) Put32(b, 10, uint32_t(r.bitsOffset));
        WriteFileBytes(dir / "g.bmp", b);
        LoadGrid(1, 1, {9}, FmtHmb);
        if (r.bitsOffset >= 0) {
            EXPECT_EQ(BmpBitsOffset(dir / "g.bmp"), 0) << r.name;
        }
        EXPECT_FALSE(LoadG16File(dir / "g.bmp")) << r.name;
        ASSERT_EQ(host.messages.size(), r.bitsOffset >= 0 ? 2u : 1u) << r.name;
        EXPECT_EQ(host.messages[0].text, r.message) << r.name;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{9}) << r.name;
        EXPECT_EQ(FormatCode(), FmtHmb) << r.name;
    }
    // Cut anywhere after the file header with the size field made to match: the header fields
    // and pixels that are missing are never read.
    const auto full = MakeBmp({.height = 3, .pixels = std::vector<uint8_t>(12, 1)});
    for (size_t len = 14; len < full.size(); ++len) {
        TestHost host;
        std::vector<uint8_t> b(full.begin(), full.begin() + long(len));
        Put32(b, 2, uint32_t(len));
        WriteFileBytes(dir / "cut.bmp", b);
        LoadGrid(1, 1, {9}, FmtHmb);
        EXPECT_FALSE(OpenFileByType(dir / "cut.bmp")) << len;
        EXPECT_FALSE(host.messages.empty()) << len;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{9}) << len;
    }
}

TEST(WinBmp, RegionPastTheEdgesRepeatsTheNearestPoints)
{
    TestHost host;
    TempDir dir;
    LoadGrid(3, 2, {1, 2, 3, 4, 5, 6});
    // Columns 2..4 of rows 2..3: the last column and the last row repeat the edge.
    ASSERT_TRUE(SaveG16Region(dir / "t.bmp", 1, 1, 3, 2));
    EXPECT_EQ(FormatCode(), FmtG16);
    ASSERT_TRUE(LoadG16File(dir / "t.bmp"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{5, 6, 6, 5, 6, 6}));
    LoadGrid(3, 2, {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(SaveG16Region(dir / "u.bmp", -1, 0, 2, 1));
    ASSERT_TRUE(LoadG16File(dir / "u.bmp"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1, 1}));
    EXPECT_TRUE(host.messages.empty());
}
