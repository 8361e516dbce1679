// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <png.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbColor.h"
#include "imaging/vbPNG.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// A foreign PNG's layout; its samples are given with the row.
struct PngSpec {
    uint32_t width, height;
    int bitDepth, colorType;
    bool interlaced = false;
    std::vector<std::array<uint8_t, 3>> palette = {};
};

void WritePng(const std::string& path, const PngSpec& s, std::vector<uint8_t> pixels)
{
    ASSERT_TRUE(WriteForeignPng(path, s.width, s.height, s.bitDepth, s.colorType, s.interlaced, std::move(pixels),
                                s.palette));
}

std::vector<uint8_t> Be16(std::initializer_list<int> values)
{
    std::vector<uint8_t> b;
    for (int v : values) {
        b.push_back(static_cast<uint8_t>(v >> 8));
        b.push_back(static_cast<uint8_t>(v));
    }
    return b;
}

// The chunk types of a PNG file, in order.
std::vector<std::string> ChunkTypes(const std::vector<uint8_t>& file)
{
    std::vector<std::string> types;
    size_t pos = 8;
    while (pos + 12 <= file.size()) {
        uint32_t len = LoadU32BE(&file[pos]);
        types.emplace_back(reinterpret_cast<const char*>(&file[pos + 4]), 4);
        pos += 12 + static_cast<size_t>(len);
    }
    return types;
}

} // namespace

TEST(Png, WriterClampsAndAddsNoColourChunks)
{
    TestHost host;
    TempDir dir;
    LoadGrid(3, 1, {-5, 70000, 1234});
    ASSERT_TRUE(SavePngFile(dir / "c.png"));
    std::vector<uint8_t> file = ReadFileBytes(dir / "c.png");
    ASSERT_GE(file.size(), 33u);
    EXPECT_EQ(file[24], 16); // bit depth
    EXPECT_EQ(file[25], 0);  // grayscale
    for (const std::string& t : ChunkTypes(file)) EXPECT_TRUE(t == "IHDR" || t == "IDAT" || t == "IEND") << t;
    ClearHeightmap();
    ASSERT_TRUE(LoadPngFile(dir / "c.png"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 65535, 1234}));
}

struct ForeignRow {
    const char* name;
    PngSpec spec;
    std::vector<uint8_t> pixels;
    std::vector<int32_t> expected;
    int32_t code;
};

TEST(Png, FilesOfOtherWritersReadToTheirAltitudes)
{
    const std::vector<std::array<uint8_t, 3>> palette = {{0, 0, 0}, {255, 255, 255}, {200, 10, 30}, {7, 99, 180}};
    auto gray = [](int r, int g, int b) { return RGBToGray(r, g, b); };
    const ForeignRow rows[] = {
        {"8-bit gray unscaled", {3, 2, 8, PNG_COLOR_TYPE_GRAY}, {0, 1, 2, 128, 254, 255}, {0, 1, 2, 128, 254, 255}, FmtPng8},
        {"16-bit gray", {2, 2, 16, PNG_COLOR_TYPE_GRAY}, Be16({0, 1, 40000, 65535}), {0, 1, 40000, 65535}, FmtPng16},
        {"4-bit gray", {4, 1, 4, PNG_COLOR_TYPE_GRAY}, {0, 1, 8, 15}, {0, 17, 136, 255}, FmtPng8},
        {"2-bit gray", {4, 1, 2, PNG_COLOR_TYPE_GRAY}, {0, 1, 2, 3}, {0, 85, 170, 255}, FmtPng8},
        {"1-bit gray", {3, 3, 1, PNG_COLOR_TYPE_GRAY}, {0, 1, 0, 1, 1, 1, 0, 0, 1}, {0, 255, 0, 255, 255, 255, 0, 0, 255}, FmtPng8},
        {"gray with alpha", {2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA}, {10, 0, 200, 255}, {10, 200}, FmtPng8},
        {"16-bit gray with alpha", {1, 1, 16, PNG_COLOR_TYPE_GRAY_ALPHA}, Be16({51234, 7}), {51234}, FmtPng16},
        {"8-bit palette", {4, 1, 8, PNG_COLOR_TYPE_PALETTE, false, palette}, {0, 1, 2, 3},
         {0, gray(255, 255, 255), gray(200, 10, 30), gray(7, 99, 180)}, FmtPng8},
        {"2-bit palette", {2, 2, 2, PNG_COLOR_TYPE_PALETTE, false, palette}, {3, 2, 1, 0},
         {gray(7, 99, 180), gray(200, 10, 30), 254, 0}, FmtPng8},
        // Grays only: the levels themselves, in whatever order the palette holds them.
        {"gray palette", {4, 1, 8, PNG_COLOR_TYPE_PALETTE, false, {{255, 255, 255}, {0, 0, 0}, {200, 200, 200}}},
         {0, 1, 2, 0}, {255, 0, 200, 255}, FmtPng8},
        {"RGB", {2, 1, 8, PNG_COLOR_TYPE_RGB}, {255, 255, 255, 200, 10, 30}, {254, gray(200, 10, 30)}, FmtPng8},
        {"RGBA ignores alpha", {2, 1, 8, PNG_COLOR_TYPE_RGBA}, {255, 255, 255, 0, 200, 10, 30, 99},
         {254, gray(200, 10, 30)}, FmtPng8},
        {"16-bit RGB uses the high bytes", {1, 1, 16, PNG_COLOR_TYPE_RGB}, Be16({200 * 256 + 255, 10 * 256 + 1, 30 * 256}),
         {gray(200, 10, 30)}, FmtPng8},
        {"16-bit RGBA", {1, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA}, Be16({7 * 256 + 9, 99 * 256 + 200, 180 * 256 + 3, 0}),
         {gray(7, 99, 180)}, FmtPng8},
    };
    for (const ForeignRow& r : rows) {
        TestHost host;
        TempDir dir;
        WritePng(dir / "f.png", r.spec, r.pixels);
        ASSERT_TRUE(OpenFileByType(dir / "f.png")) << r.name << ": " << host.OnlyText();
        EXPECT_EQ(HeightmapWidth(), static_cast<int32_t>(r.spec.width)) << r.name;
        EXPECT_EQ(HeightmapHeight(), static_cast<int32_t>(r.spec.height)) << r.name;
        EXPECT_EQ(CurrentGrid(), r.expected) << r.name;
        EXPECT_EQ(FormatCode(), r.code) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Png, InterlacedFilesReadLikeProgressiveOnes)
{
    for (int depth : {8, 16}) {
        TestHost host;
        TempDir dir;
        const uint32_t w = 13, h = 9; // odd sizes leave some of the seven passes short
        std::vector<int32_t> expected;
        std::vector<uint8_t> pixels;
        for (uint32_t i = 0; i < w * h; ++i) {
            int v = depth == 8 ? static_cast<int>((i * 37) % 256) : static_cast<int>((i * 4099) % 65536);
            expected.push_back(v);
            if (depth == 16) pixels.push_back(static_cast<uint8_t>(v >> 8));
            pixels.push_back(static_cast<uint8_t>(v));
        }
        PngSpec spec{w, h, depth, PNG_COLOR_TYPE_GRAY, true};
        WritePng(dir / "i.png", spec, pixels);
        ASSERT_TRUE(LoadPngFile(dir / "i.png")) << host.OnlyText();
        EXPECT_EQ(CurrentGrid(), expected) << depth;
    }
}

TEST(Png, DamagedAndOversizeFilesAreRefusedAndChangeNothing)
{
    TestHost host;
    TempDir dir;
    LoadPatternMap(40, 30);
    ASSERT_TRUE(SavePngFile(dir / "big.png"));
    const std::vector<uint8_t> good = ReadFileBytes(dir / "big.png");
    const std::string anyDamage = ""; // "Invalid or unsupported PNG file." or a read past the end
    std::vector<std::tuple<std::string, std::vector<uint8_t>, std::string>> cases;
    for (size_t len : {size_t(0), size_t(4), size_t(8), size_t(20), size_t(33), size_t(45), good.size() / 2, good.size() - 13})
        cases.emplace_back("truncated to " + std::to_string(len), std::vector<uint8_t>(good.begin(), good.begin() + len), anyDamage);
    auto patched = [&](size_t at, uint8_t x) {
        auto b = good;
        b[at] ^= x;
        return b;
    };
    cases.emplace_back("damaged image data", patched(good.size() - 20, 0x55), anyDamage);
    cases.emplace_back("bad IHDR CRC", patched(16, 0x01), anyDamage); // width changed under the CRC
    cases.emplace_back("bad signature", patched(1, 'P' ^ 'X'), anyDamage);
    LoadGrid(2, 1, {5, 6}, FmtHmb);
    for (const auto& [name, bytes, expected] : cases) {
        host.Clear();
        WriteFileBytes(dir / "bad.png", bytes);
        EXPECT_FALSE(OpenFileByType(dir / "bad.png")) << name;
        ASSERT_EQ(host.messages.size(), 1u) << name;
        const std::string& text = host.messages[0].text;
        if (expected.empty())
            EXPECT_TRUE(text.rfind("Invalid or unsupported PNG file.", 0) == 0 ||
                        text.rfind("An error occurred loading the PNG file.\r\n\r\nError Number: 62", 0) == 0)
                << name << ": " << text;
        else
            EXPECT_EQ(text, expected) << name;
        EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{5, 6})) << name;
        EXPECT_EQ(FormatCode(), FmtHmb) << name;
    }
}
