// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "formats/vbWinBMP.h"
#include "heightmap/MapHeight.h"

using namespace tolv;
using namespace tolv::test;

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

// A small bitmap built field by field: the header, an optional palette, then pixel bytes.
struct BmpSpec {
    uint32_t headerSize = 40;
    int32_t width = 2;
    int32_t height = 2;
    uint32_t planes = 1;
    uint32_t bits = 16;
    uint32_t compression = 0;
    std::vector<uint8_t> palette;
    std::vector<uint8_t> pixels = std::vector<uint8_t>(8, 0);
};

std::vector<uint8_t> MakeBmp(const BmpSpec& s)
{
    const size_t header = s.headerSize == 12 ? 12 : s.headerSize;
    std::vector<uint8_t> b(14 + header, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 14, s.headerSize);
    if (s.headerSize == 12) {
        Put16(b, 18, static_cast<uint32_t>(s.width));
        Put16(b, 20, static_cast<uint32_t>(s.height));
        Put16(b, 22, s.planes);
        Put16(b, 24, s.bits);
    } else {
        Put32(b, 18, static_cast<uint32_t>(s.width));
        Put32(b, 22, static_cast<uint32_t>(s.height));
        Put16(b, 26, s.planes);
        Put16(b, 28, s.bits);
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
    for (int i = 0; i < 256; ++i) {
        uint8_t v = static_cast<uint8_t>(reversed ? 255 - i : i);
        for (size_t k = 0; k < entrySize; ++k) p.push_back(k < 3 ? v : 0);
    }
    return p;
}

const std::string kUnknownHeader = "Unsupported BMP File Format.\r\n\r\nUnknown BITMAPINFOHEADER or BITMAPCOREHEADER "
                                   "Structure Version.";
const std::string kCorrupt = "The Bitmap file is corrupt.\r\nThe file size does not match the header property.";

std::vector<int32_t> Pattern(int32_t w, int32_t h)
{
    const int32_t special[] = {0, 32767, 32768, 65535};
    std::vector<int32_t> v(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < v.size(); ++i) v[i] = i < 4 ? special[i] : static_cast<int32_t>((i * 7919) % 65536);
    return v;
}

} // namespace

TEST(WinBmp, G16HeaderOf257SquareIsExact)
{
    TestHost host;
    TempDir dir;
    LoadGrid(257, 257, Pattern(257, 257));
    ASSERT_TRUE(SaveG16File(dir / "m.bmp"));
    auto b = ReadFileBytes(dir / "m.bmp");
    ASSERT_EQ(b.size(), 132152u);
    const std::vector<uint8_t> header = {
        'B', 'M', 0x38, 0x04, 0x02, 0x00, 0, 0, 0, 0, 54, 0, 0, 0,              // file header
        40, 0, 0, 0, 0x01, 0x01, 0, 0, 0x01, 0x01, 0, 0, 1, 0, 16, 0, 0, 0, 0, 0, // w, h, planes, bits, compression
        0x02, 0x04, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}; // image size, 16 zeros
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 54), header);
    EXPECT_EQ(Get32(b, 2), 132152u);
    EXPECT_EQ(Get32(b, 34), 132098u);
    // First pixel is (1, height), last is (width, 1); rows are 514 bytes without padding.
    EXPECT_EQ(b[54] | (b[55] << 8), GetAltitude(1, 257));
    EXPECT_EQ(b[54 + 514] | (b[55 + 514] << 8), GetAltitude(1, 256));
    EXPECT_EQ(b[b.size() - 2] | (b[b.size() - 1] << 8), GetAltitude(257, 1));
    EXPECT_EQ(FormatCode(), FmtG16);
    EXPECT_TRUE(host.messages.empty());
}

TEST(WinBmp, RoundTripsThroughTheOpenDispatch)
{
    TempDir dir;
    for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {2, 3}, {113, 157}, {513, 513}}) {
        TestHost host;
        const auto samples = Pattern(w, h);
        LoadGrid(w, h, samples);
        const std::string path = dir / "r.bmp";
        ASSERT_TRUE(SaveFileByType(path)) << w << " x " << h;
        EXPECT_EQ(ReadFileBytes(path).size(), 54u + 2u * w * h);
        ClearHeightmap();
        ASSERT_TRUE(OpenFileByType(path)) << w << " x " << h;
        EXPECT_EQ(HeightmapWidth(), w);
        EXPECT_EQ(HeightmapHeight(), h);
        EXPECT_EQ(CurrentGrid(), samples);
        EXPECT_EQ(FormatCode(), FmtG16);
        EXPECT_TRUE(HeightmapLoaded());
        EXPECT_TRUE(host.messages.empty()) << host.messages[0].text;
    }
}

TEST(WinBmp, WritesLow16BitsOfOutOfRangeAltitudes)
{
    TestHost host;
    TempDir dir;
    LoadGrid(2, 1, {65536 + 5, -1});
    ASSERT_TRUE(SaveG16File(dir / "a.bmp"));
    auto b = ReadFileBytes(dir / "a.bmp");
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54, b.end()), (std::vector<uint8_t>{5, 0, 0xFF, 0xFF}));
}

TEST(WinBmp, NegativeHeightIsReadTopDown)
{
    TestHost host;
    TempDir dir;
    BmpSpec s;
    s.width = 2;
    s.height = -2;
    s.pixels = {1, 0, 2, 0, 3, 0, 4, 0};
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
    struct Row {
        const char* name;
        BmpSpec spec;
        int32_t code;
    };
    BmpSpec base;
    auto with = [&](uint32_t bits, uint32_t compression, std::vector<uint8_t> palette = {}) {
        BmpSpec s = base;
        s.bits = bits;
        s.compression = compression;
        s.palette = std::move(palette);
        return s;
    };
    BmpSpec planes0 = base;
    planes0.planes = 0;
    std::vector<uint8_t> colour = GrayPalette(4, false);
    colour[4 * 200 + 1] ^= 1; // one entry's green differs
    BmpSpec core8 = with(8, 0, GrayPalette(3, true));
    core8.headerSize = 12;
    BmpSpec core24 = with(24, 0);
    core24.headerSize = 12;
    BmpSpec core8colour = with(8, 0, GrayPalette(3, false));
    core8colour.headerSize = 12;
    core8colour.palette[3 * 7 + 2] = 99;
    const Row rows[] = {
        {"planes 0", planes0, 0},
        {"bits 0 jpeg", with(0, 4), 13},
        {"bits 0 png", with(0, 5), 14},
        {"bits 0 other", with(0, 3), 0},
        {"1 bit", with(1, 0), 1},
        {"4 bit", with(4, 0), 2},
        {"4 bit rle", with(4, 2), 3},
        {"8 bit gray", with(8, 0, GrayPalette(4, false)), 4},
        {"8 bit gray reversed", with(8, 0, GrayPalette(4, true)), 4},
        {"8 bit colour", with(8, 0, colour), 6},
        {"8 bit gray palette rle", with(8, 1, GrayPalette(4, false)), 7},
        {"16 bit", with(16, 0), 8},
        {"16 bit bitfields", with(16, 3), 9},
        {"24 bit", with(24, 0), 10},
        {"24 bit compressed", with(24, 1), 0},
        {"32 bit", with(32, 0), 11},
        {"32 bit bitfields", with(32, 3), 12},
        {"2 bit", with(2, 0), 0},
        {"core 8 bit gray", core8, 4},
        {"core 8 bit colour", core8colour, 6},
        {"core 24 bit", core24, 10},
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        const std::string path = dir / "k.bmp";
        WriteFileBytes(path, MakeBmp(r.spec));
        EXPECT_TRUE(ValidateBmpFile(path)) << r.name;
        EXPECT_EQ(BmpFileType(path), r.code) << r.name;
        EXPECT_EQ(BmpHasGrayPalette(path), r.code == 4) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(WinBmp, HeaderQueries)
{
    TestHost host;
    TempDir dir;
    BmpSpec info;
    info.width = 3;
    info.height = -1;
    info.bits = 32;
    info.compression = 3;
    info.pixels.assign(12, 0);
    BmpSpec core;
    core.headerSize = 12;
    core.width = 513;
    core.height = 300;
    core.bits = 24;
    WriteFileBytes(dir / "i.bmp", MakeBmp(info));
    WriteFileBytes(dir / "c.bmp", MakeBmp(core));
    EXPECT_FALSE(BmpIsCoreHeader(dir / "i.bmp"));
    EXPECT_EQ(BmpPaletteOffset(dir / "i.bmp"), 54);
    EXPECT_EQ(BmpWidth(dir / "i.bmp"), 3);
    EXPECT_EQ(BmpHeight(dir / "i.bmp"), -1);
    EXPECT_EQ(BmpBitCount(dir / "i.bmp"), 32);
    EXPECT_EQ(BmpCompression(dir / "i.bmp"), 3);
    EXPECT_EQ(BmpPlanes(dir / "i.bmp"), 1);
    EXPECT_EQ(BmpBitsOffset(dir / "i.bmp"), 54);
    EXPECT_TRUE(BmpIsCoreHeader(dir / "c.bmp"));
    EXPECT_EQ(BmpPaletteOffset(dir / "c.bmp"), 26);
    EXPECT_EQ(BmpWidth(dir / "c.bmp"), 513);
    EXPECT_EQ(BmpHeight(dir / "c.bmp"), 300);
    EXPECT_EQ(BmpCompression(dir / "c.bmp"), 0);
    EXPECT_EQ(BmpBitsOffset(dir / "c.bmp"), 26);
    EXPECT_TRUE(host.messages.empty());
}

TEST(WinBmp, UnknownHeaderSizeIsRefusedByEveryQuery)
{
    TestHost host;
    TempDir dir;
    BmpSpec s;
    s.headerSize = 108;
    const std::string path = dir / "v4.bmp";
    WriteFileBytes(path, MakeBmp(s));
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
    for (const Recorded& m : host.messages) {
        EXPECT_EQ(m.kind, "warning");
        EXPECT_EQ(m.text, kUnknownHeader);
    }
    EXPECT_FALSE(HeightmapLoaded());
}

TEST(WinBmp, ValidationRefusals)
{
    TempDir dir;
    auto good = MakeBmp(BmpSpec{});
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        bool valid;
        std::string message;
    };
    auto sizeOff = good;
    Put32(sizeOff, 2, static_cast<uint32_t>(good.size() + 1));
    auto notBm = good;
    notBm[0] = 'P';
    auto notBmBadSize = notBm;
    Put32(notBmBadSize, 2, 3);
    const Row rows[] = {
        {"good", good, true, ""},
        {"size one byte off", sizeOff, false, kCorrupt},
        {"signature PM", notBm, false, ""},
        {"signature and size", notBmBadSize, false, kCorrupt},
        {"empty", {}, false, kCorrupt},
        {"13 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 13), false, kCorrupt},
    };
    for (const Row& r : rows) {
        TestHost host;
        WriteFileBytes(dir / "v.bmp", r.bytes);
        EXPECT_EQ(ValidateBmpFile(dir / "v.bmp"), r.valid) << r.name;
        EXPECT_EQ(host.OnlyText(), r.message) << r.name;
        if (!r.message.empty()) {
            EXPECT_EQ(host.messages[0].kind, "warning");
        }
    }
}

TEST(WinBmp, OpenDispatchAddsItsWarningToACorruptFile)
{
    TestHost host;
    TempDir dir;
    auto b = MakeBmp(BmpSpec{});
    b.pop_back();
    WriteFileBytes(dir / "c.bmp", b);
    LoadGrid(1, 1, {7});
    EXPECT_FALSE(OpenFileByType(dir / "c.bmp"));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, kCorrupt);
    EXPECT_EQ(host.messages[1].text, "Invalid or unsupported BMP file.");
    EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{7});
}

TEST(WinBmp, ForeignExtensionAsksFirst)
{
    TempDir dir;
    WriteFileBytes(dir / "map.dat", MakeBmp(BmpSpec{}));
    for (bool yes : {false, true}) {
        TestHost host;
        host.Answer({yes});
        EXPECT_EQ(ValidateBmpFile(dir / "map.dat"), yes);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, "question");
        EXPECT_EQ(host.messages[0].text, "Invalid BMP File Extension on: map\r\nContinue if file contents are valid?");
    }
}

TEST(WinBmp, BitsOffsetOutsideTheFileIsRefused)
{
    TempDir dir;
    for (uint32_t offset : {0u, 62u, 63u, 1000u}) {
        TestHost host;
        auto b = MakeBmp(BmpSpec{}); // 62 bytes
        Put32(b, 10, offset);
        WriteFileBytes(dir / "o.bmp", b);
        LoadGrid(1, 1, {9});
        EXPECT_EQ(BmpBitsOffset(dir / "o.bmp"), 0) << offset;
        EXPECT_FALSE(LoadG16File(dir / "o.bmp"));
        ASSERT_EQ(host.messages.size(), 2u);
        EXPECT_EQ(host.messages[0].text,
                  "Unsupported BMP File Format.\r\n\r\nUnknown BITMAPFILEHEADER Structure Version.");
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{9});
    }
}

TEST(WinBmp, G16RefusalsChangeNothing)
{
    TempDir dir;
    struct Row {
        const char* name;
        int32_t w, h;
        size_t pixelBytes;
        std::string message;
    };
    const Row rows[] = {
        {"short pixels", 3, 3, 17, "The Bitmap file is corrupt.\r\nThe pixel data is shorter than the width and "
                                   "height require."},
        {"514 wide", 514, 1, 1028, "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 514 x 1.\r\n"
                                   "Height resolutions up to 513x513 are supported."},
        {"zero width", 0, 4, 8, "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 0 x 4."},
        {"negative width", -2, 4, 8, "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is -2 x 4."},
        {"huge top-down", 2, INT32_MIN, 8, "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 2 x "
                                           "2147483647.\r\nHeight resolutions up to 513x513 are supported."},
    };
    for (const Row& r : rows) {
        TestHost host;
        BmpSpec s;
        s.width = r.w;
        s.height = r.h;
        s.pixels.assign(r.pixelBytes, 1);
        WriteFileBytes(dir / "g.bmp", MakeBmp(s));
        LoadGrid(1, 1, {9}, FmtHmb);
        EXPECT_FALSE(LoadG16File(dir / "g.bmp")) << r.name;
        EXPECT_EQ(host.OnlyText(), r.message) << r.name;
        EXPECT_EQ(HeightmapWidth(), 1) << r.name;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{9}) << r.name;
        EXPECT_EQ(FormatCode(), FmtHmb) << r.name;
    }
}

TEST(WinBmp, TruncatedFilesNeverCrashOrLoad)
{
    TestHost seed;
    TempDir dir;
    LoadGrid(5, 4, Pattern(5, 4));
    ASSERT_TRUE(SaveG16File(dir / "full.bmp"));
    const auto full = ReadFileBytes(dir / "full.bmp");
    for (size_t len = 0; len < full.size(); ++len) {
        for (bool fixSize : {false, true}) {
            TestHost host;
            std::vector<uint8_t> b(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(len));
            if (fixSize && len >= 6) Put32(b, 2, static_cast<uint32_t>(len));
            WriteFileBytes(dir / "cut.bmp", b);
            EXPECT_FALSE(OpenFileByType(dir / "cut.bmp")) << len;
            EXPECT_FALSE(host.messages.empty()) << len;
            EXPECT_FALSE(HeightmapLoaded()) << len;
        }
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

TEST(WinBmp, SavingOverALongerFileLeavesNoStaleTail)
{
    TestHost host;
    TempDir dir;
    WriteFileBytes(dir / "old.bmp", std::vector<uint8_t>(1000, 0xEE));
    LoadGrid(2, 2, {1, 2, 3, 4});
    ASSERT_TRUE(SaveG16File(dir / "old.bmp"));
    auto b = ReadFileBytes(dir / "old.bmp");
    ASSERT_EQ(b.size(), 62u);
    EXPECT_EQ(Get32(b, 2), 62u);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54, b.end()), (std::vector<uint8_t>{3, 0, 4, 0, 1, 0, 2, 0}));
}

TEST(WinBmp, HeaderWritersPatchInPlace)
{
    TestHost host;
    TempDir dir;
    const std::string path = dir / "h.bmp";
    ASSERT_TRUE(WriteBmpFileHeader(path));
    auto b = ReadFileBytes(path);
    EXPECT_EQ(b, (std::vector<uint8_t>{'B', 'M', 14, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}));
    std::vector<uint8_t> body(100, 0xAB);
    WriteFileBytes(path, body);
    ASSERT_TRUE(WriteBmpInfoHeader(path, 7, -9, 1, 24, 0, 1234));
    ASSERT_TRUE(WriteBmpFileHeader(path));
    b = ReadFileBytes(path);
    ASSERT_EQ(b.size(), 100u);
    EXPECT_EQ(Get32(b, 2), 100u);
    EXPECT_EQ(Get32(b, 14), 40u);
    EXPECT_EQ(Get32(b, 18), 7u);
    EXPECT_EQ(static_cast<int32_t>(Get32(b, 22)), -9);
    EXPECT_EQ(Get32(b, 34), 1234u);
    EXPECT_EQ(b[54], 0xAB);
    EXPECT_EQ(b[53], 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST(WinBmp, WriteFailuresAreReportedOnce)
{
    TempDir dir;
    struct Row {
        const char* name;
        int64_t faultAfter;
        std::string sentence;
    };
    const Row rows[] = {
        {"file header", 0, "An error occurred writing the BMP File Header."},
        {"info header", 20, "An error occurred writing the BMP Info Header."},
        {"pixels", 100, "An error occurred saving the Unreal G16 Grayscale Bitmap file."},
    };
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(20, 20, Pattern(20, 20), FmtHmb);
        FileWriter::SetFaultAfterBytes(r.faultAfter);
        EXPECT_FALSE(SaveG16File(dir / (std::string(r.name) + ".bmp"))) << r.name;
        FileWriter::SetFaultAfterBytes(-1);
        ASSERT_EQ(host.messages.size(), 1u) << r.name;
        EXPECT_EQ(host.messages[0].kind, "error");
        EXPECT_EQ(host.messages[0].text, r.sentence + "\r\n\r\nError Number: 61\r\nDisk full") << r.name;
        EXPECT_EQ(FormatCode(), FmtHmb) << r.name;
    }
}

TEST(WinBmp, MissingFileIsAnErrorReport)
{
    TestHost host;
    TempDir dir;
    EXPECT_FALSE(LoadG16File(dir / "none.bmp"));
    EXPECT_EQ(host.OnlyText(), "An error occurred loading the Unreal G16 heightmap file.\r\n\r\nError Number: 53\r\n"
                               "File not found");
}
