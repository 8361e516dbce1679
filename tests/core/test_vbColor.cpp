// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbColor.h"
#include "shell/Globals.h"

using namespace tolv;
using namespace tolv::test;

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

struct Bmp {
    int32_t width = 2, height = 2; // negative height: top-down
    uint16_t bits = 24, planes = 1;
    uint32_t compression = 0;
    bool core = false;
    std::vector<uint8_t> palette;            // as stored
    std::vector<std::vector<uint8_t>> rows;  // file order, without padding

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> b = {'B', 'M'};
        Put32(b, 0); // size, patched below
        Put32(b, 0);
        Put32(b, 0); // bits offset, patched below
        if (core) {
            Put32(b, 12);
            Put16(b, uint32_t(width));
            Put16(b, uint32_t(height));
            Put16(b, planes);
            Put16(b, bits);
        } else {
            Put32(b, 40);
            Put32(b, uint32_t(width));
            Put32(b, uint32_t(height));
            Put16(b, planes);
            Put16(b, bits);
            Put32(b, compression);
            for (int i = 0; i < 5; ++i) Put32(b, 0);
        }
        b.insert(b.end(), palette.begin(), palette.end());
        const uint32_t offset = uint32_t(b.size());
        for (const auto& r : rows) {
            b.insert(b.end(), r.begin(), r.end());
            b.resize(b.size() + (4 - r.size() % 4) % 4, 0);
        }
        b[2] = uint8_t(b.size()), b[3] = uint8_t(b.size() >> 8), b[4] = uint8_t(b.size() >> 16);
        b[10] = uint8_t(offset), b[11] = uint8_t(offset >> 8);
        return b;
    }
};

// 256 entries; entry i as blue, green, red (+ reserved when 4 bytes).
std::vector<uint8_t> Palette(bool gray, size_t entryBytes)
{
    std::vector<uint8_t> p;
    for (int i = 0; i < 256; ++i) {
        const uint8_t v = uint8_t(255 - i); // inverted ramp: the reader must not look at it when gray
        p.insert(p.end(), {v, gray ? v : uint8_t(i / 2), gray ? v : uint8_t(i)});
        if (entryBytes == 4) p.push_back(0);
    }
    return p;
}

bool Open(const TempDir& dir, const Bmp& bmp)
{
    WriteFileBytes(dir / "p.bmp", bmp.Bytes());
    return OpenFileByType(dir / "p.bmp");
}

} // namespace

TEST(BmpImage, EightBitGrayStoresIndices)
{
    TempDir dir;
    TestHost host;
    Globals().convertColorToGrayscale = 2; // would ask for a colour kind
    Bmp b{.width = 3, .height = 2, .bits = 8};
    b.palette = Palette(true, 4);
    b.rows = {{4, 5, 6}, {1, 2, 3}}; // bottom row first
    ASSERT_TRUE(Open(dir, b));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(FormatCode(), FmtBmpGray8);
    EXPECT_TRUE(host.messages.empty());
}

TEST(BmpImage, EightBitColourLooksUpThePalette)
{
    TempDir dir;
    for (bool core : {false, true}) {
        for (int mode : {0, 1}) {
            TestHost host;
            Globals().convertColorToGrayscale = mode;
            Bmp b{.width = 2, .height = 1, .bits = 8, .core = core};
            b.palette = Palette(false, core ? 3 : 4);
            b.rows = {{10, 200}};
            ASSERT_TRUE(Open(dir, b)) << host.OnlyText();
            // entry i: blue 255 - i, green i / 2, red i
            auto alt = [&](int i) { return mode == 1 ? i / 2 : RGBToGray(i, i / 2, 255 - i); };
            EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{alt(10), alt(200)})) << core << mode;
            EXPECT_EQ(FormatCode(), FmtBmpColor8);
        }
    }
}

TEST(BmpImage, TwentyFourBitRowsArePadded)
{
    TempDir dir;
    for (int32_t width : {3, 257}) {
        TestHost host;
        Bmp b{.width = width, .height = 2, .bits = 24};
        std::vector<uint8_t> bottom, top;
        for (int x = 0; x < width; ++x) {
            bottom.insert(bottom.end(), {uint8_t(x), uint8_t(x + 1), uint8_t(x + 2)});
            top.insert(top.end(), {255, 255, 255});
        }
        b.rows = {bottom, top};
        ASSERT_TRUE(Open(dir, b));
        EXPECT_EQ(GetAltitude(1, 1), 254);
        EXPECT_EQ(GetAltitude(width, 1), 254);
        for (int x : {1, width}) EXPECT_EQ(GetAltitude(x, 2), RGBToGray(uint8_t(x + 1), uint8_t(x), uint8_t(x - 1))) << width;
        EXPECT_EQ(FormatCode(), FmtBmp24);
    }
}

TEST(BmpImage, ThirtyTwoBitAndTopDown)
{
    TempDir dir;
    Bmp up{.width = 2, .height = 2, .bits = 32};
    up.rows = {{0, 50, 0, 9, 0, 60, 0, 9}, {0, 10, 0, 9, 0, 20, 0, 9}};
    Bmp down = up;
    down.height = -2;
    down.rows = {up.rows[1], up.rows[0]};
    for (const Bmp& b : {up, down}) {
        TestHost host;
        Globals().convertColorToGrayscale = 1;
        ASSERT_TRUE(Open(dir, b));
        EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{10, 20, 50, 60})) << b.height;
        EXPECT_EQ(FormatCode(), FmtBmp32);
    }
}

TEST(BmpImage, ConversionQuestion)
{
    TempDir dir;
    TestHost host;
    Globals().convertColorToGrayscale = 2;
    Bmp b{.width = 1, .height = 1, .bits = 24};
    b.rows = {{255, 255, 255}};
    host.Answer({true});
    ASSERT_TRUE(Open(dir, b));
    EXPECT_EQ(GetAltitude(1, 1), 254);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Convert to Grayscale");
}

TEST(BmpImage, RefusedKinds)
{
    struct Row {
        uint16_t bits, planes;
        uint32_t compression;
        const char* text;
    };
    const Row rows[] = {
        {1, 1, 0, "Unsupported BMP file format."},
        {4, 1, 0, "Unsupported BMP file format."},
        {0, 1, 4, "Unsupported BMP file format."},
        {0, 1, 5, "Unsupported BMP file format."},
        {4, 1, 2, "Compressed BMP file format is not supported."},
        {8, 1, 1, "Compressed BMP file format is not supported."},
        {16, 1, 3, "Compressed BMP file format is not supported."},
        {32, 1, 3, "Compressed BMP file format is not supported."},
        {24, 1, 1, "Invalid or unsupported BMP file format."},
        {24, 2, 0, "Invalid or unsupported BMP file format."},
        {16, 1, 0, "Invalid or unsupported BMP file format."}, // only reached directly: open gives it to G16
        {12, 1, 0, "Invalid or unsupported BMP file format."},
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(1, 1, {42}, 2);
        Bmp b{.width = 2, .height = 2, .bits = r.bits, .planes = r.planes, .compression = r.compression};
        b.rows = {std::vector<uint8_t>(8, 0), std::vector<uint8_t>(8, 0)};
        WriteFileBytes(dir / "p.bmp", b.Bytes());
        EXPECT_FALSE(LoadBmpImage(dir / "p.bmp")) << r.text;
        ASSERT_EQ(host.messages.size(), 1u) << r.bits << " " << r.compression;
        EXPECT_EQ(host.messages[0].kind, "warning");
        EXPECT_EQ(host.messages[0].text, r.text) << r.bits << " " << r.compression;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42});
        EXPECT_EQ(FormatCode(), 2);
    }
}

TEST(BmpImage, OversizeAndTruncatedFiles)
{
    TempDir dir;
    {
        TestHost host;
        Bmp b{.width = 600, .height = -2, .bits = 24};
        EXPECT_FALSE(Open(dir, b));
        EXPECT_EQ(host.OnlyText(), "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 600 x 2.\r\n"
                                   "Height resolutions up to 513x513 are supported.");
    }
    Bmp b{.width = 5, .height = 4, .bits = 24};
    b.rows.assign(4, std::vector<uint8_t>(15, 7));
    const std::vector<uint8_t> full = b.Bytes();
    // Cut inside the pixel rows, keeping the size field honest so the open check passes.
    for (size_t cut = 54; cut < full.size() - 1; cut += 3) {
        TestHost host;
        LoadGrid(1, 1, {42}, 2);
        std::vector<uint8_t> part(full.begin(), full.begin() + long(cut));
        part[2] = uint8_t(cut), part[3] = 0;
        WriteFileBytes(dir / "p.bmp", part);
        EXPECT_FALSE(OpenFileByType(dir / "p.bmp")) << cut;
        EXPECT_GE(host.messages.size(), 1u) << cut;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42}) << cut;
    }
    // Only the last row's padding missing still loads.
    {
        TestHost host;
        std::vector<uint8_t> part(full.begin(), full.end() - 1);
        part[2] = uint8_t(part.size());
        WriteFileBytes(dir / "p.bmp", part);
        EXPECT_TRUE(OpenFileByType(dir / "p.bmp")) << host.OnlyText();
    }
}
