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
    std::vector<uint8_t> palette = {};           // as stored
    std::vector<std::vector<uint8_t>> rows = {}; // file order, without padding

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> b = {'B', 'M'};
        Put32(b, 0), Put32(b, 0), Put32(b, 0); // size and bits offset patched below
        if (core) {
            Put32(b, 12), Put16(b, uint32_t(width)), Put16(b, uint32_t(height)), Put16(b, planes), Put16(b, bits);
        } else {
            Put32(b, 40), Put32(b, uint32_t(width)), Put32(b, uint32_t(height)), Put16(b, planes), Put16(b, bits);
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

TEST(BmpImage, PaletteAnd32BitKinds)
{
    // Palette entry i: blue 255 - i, green i / 2, red i.
    auto entry = [](int mode, int i) { return mode == 1 ? i / 2 : RGBToGray(i, i / 2, 255 - i); };
    auto colour = [&](bool core, int mode) {
        return std::tuple{Bmp{.width = 2, .height = 1, .bits = 8, .core = core, .palette = Palette(false, core ? 3 : 4),
                              .rows = {{10, 200}}},
                          mode, std::vector<int32_t>{entry(mode, 10), entry(mode, 200)}, FmtBmpColor8};
    };
    const Bmp up{.width = 2, .height = 2, .bits = 32, .rows = {{0, 50, 0, 9, 0, 60, 0, 9}, {0, 10, 0, 9, 0, 20, 0, 9}}};
    Bmp down = up;
    down.height = -2;
    std::swap(down.rows[0], down.rows[1]);
    const std::tuple<Bmp, int, std::vector<int32_t>, int32_t> rows[] = {
        // A gray palette stores the indices, bottom row first, and never asks.
        {Bmp{.width = 3, .height = 2, .bits = 8, .palette = Palette(true, 4), .rows = {{4, 5, 6}, {1, 2, 3}}}, 2,
         {1, 2, 3, 4, 5, 6}, FmtBmpGray8},
        colour(false, 0), colour(false, 1), colour(true, 0), colour(true, 1),
        {up, 1, {10, 20, 50, 60}, FmtBmp32},
        {down, 1, {10, 20, 50, 60}, FmtBmp32},
    };
    TempDir dir;
    for (const auto& [bmp, mode, grid, code] : rows) {
        TestHost host;
        Globals().convertColorToGrayscale = mode;
        ASSERT_TRUE(Open(dir, bmp)) << host.OnlyText();
        EXPECT_EQ(CurrentGrid(), grid) << bmp.core << " " << bmp.bits << " " << bmp.height << " mode " << mode;
        EXPECT_EQ(FormatCode(), code);
        EXPECT_TRUE(host.messages.empty());
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

TEST(BmpImage, RefusedKindsAndShortFiles)
{
    const std::string unsupported = "Unsupported BMP file format.", compressed = "Compressed BMP file format is not supported.",
                      invalid = "Invalid or unsupported BMP file format.";
    const std::tuple<uint16_t, uint16_t, uint32_t, std::string> rows[] = {
        {1, 1, 0, unsupported}, {4, 1, 0, unsupported}, {0, 1, 4, unsupported}, {0, 1, 5, unsupported},
        {4, 1, 2, compressed},  {8, 1, 1, compressed},  {16, 1, 3, compressed}, {32, 1, 3, compressed},
        {24, 1, 1, invalid},    {24, 2, 0, invalid},    {12, 1, 0, invalid},
        {16, 1, 0, invalid}, // only reached directly: open gives it to G16
    };
    TempDir dir;
    for (const auto& [bits, planes, compression, text] : rows) {
        TestHost host;
        LoadGrid(1, 1, {42}, 2);
        Bmp b{.width = 2, .height = 2, .bits = bits, .planes = planes, .compression = compression};
        b.rows = {std::vector<uint8_t>(8, 0), std::vector<uint8_t>(8, 0)};
        WriteFileBytes(dir / "p.bmp", b.Bytes());
        EXPECT_FALSE(LoadBmpImage(dir / "p.bmp")) << text;
        ASSERT_EQ(host.messages.size(), 1u) << bits << " " << compression;
        EXPECT_EQ(host.messages[0].kind, "warning");
        EXPECT_EQ(host.messages[0].text, text) << bits << " " << compression;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42});
        EXPECT_EQ(FormatCode(), 2);
    }
    // Cut inside the pixel rows, keeping the size field honest so the open check passes: refused,
    // except when only the last row's padding is missing.
    Bmp b{.width = 5, .height = 4, .bits = 24};
    b.rows.assign(4, std::vector<uint8_t>(15, 7));
    const std::vector<uint8_t> full = b.Bytes();
    for (size_t cut = 54; cut < full.size(); cut += (cut + 3 < full.size() - 1 ? 3 : 1)) {
        TestHost host;
        LoadGrid(1, 1, {42}, 2);
        std::vector<uint8_t> part(full.begin(), full.begin() + long(cut));
        part[2] = uint8_t(cut), part[3] = 0;
        WriteFileBytes(dir / "p.bmp", part);
        const bool lastPaddingOnly = cut == full.size() - 1;
        EXPECT_EQ(OpenFileByType(dir / "p.bmp"), lastPaddingOnly) << cut << ": " << host.OnlyText();
        if (!lastPaddingOnly) {
            EXPECT_GE(host.messages.size(), 1u) << cut;
            EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42}) << cut;
        }
    }
}
