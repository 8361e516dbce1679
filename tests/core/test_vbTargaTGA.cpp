// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbColor.h"
#include "imaging/vbTargaTGA.h"
#include "shell/Globals.h"

using namespace tolv;
using namespace tolv::test;

namespace {

struct Tga {
    uint8_t colorMapType = 0, imageType = 2, entryBits = 0, depth = 24, descriptor = 0x20;
    uint16_t mapLength = 0, width = 2, height = 2;
    std::vector<uint8_t> palette = {}, pixels = {};
    uint8_t idLength = 0;

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> b = {idLength, colorMapType, imageType, 0, 0, uint8_t(mapLength), uint8_t(mapLength >> 8),
                                  entryBits, 0, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                                  uint8_t(height >> 8), depth, descriptor};
        b.insert(b.end(), palette.begin(), palette.end());
        b.insert(b.end(), pixels.begin(), pixels.end());
        return b;
    }
};

// A 256-entry 24-bit palette (blue, green, red); gray = every entry has equal bytes.
std::vector<uint8_t> Palette(bool gray)
{
    std::vector<uint8_t> p;
    for (int i = 0; i < 256; ++i) {
        uint8_t v = uint8_t(255 - i);
        p.insert(p.end(), {v, gray ? v : uint8_t(0), gray ? v : uint8_t(i)});
    }
    return p;
}

Tga Paletted(std::vector<uint8_t> palette, std::vector<uint8_t> pixels, uint8_t entryBits = 24, uint16_t entries = 256)
{
    return {.colorMapType = 1, .imageType = 1, .entryBits = entryBits, .depth = 8, .mapLength = entries,
            .palette = std::move(palette), .pixels = std::move(pixels)};
}

bool Load(const TempDir& dir, const std::vector<uint8_t>& bytes)
{
    WriteFileBytes(dir / "a.tga", bytes);
    return LoadTgaImage(dir / "a.tga");
}

} // namespace

TEST(Targa, KindsCodesAndConversionModes)
{
    auto colourEntry = [](int i) { return RGBToGray(i, 0, 255 - i); }; // red i, green 0, blue 255 - i
    Tga rgb{.width = 2, .height = 2, .pixels = {255, 255, 255, 10, 20, 30, 0, 0, 0, 1, 2, 3}};
    Tga rgba{.depth = 32, .descriptor = 0x28, .pixels = {1, 2, 3, 255, 1, 2, 3, 255, 9, 9, 9, 255, 9, 9, 9, 255}};
    // Two 16-bit entries (5 bits per channel): pure red and pure green; index 5 is beyond the map.
    Tga short16 = Paletted({0x00, 0x7C, 0xE0, 0x03}, {0, 1, 5}, 16, 2);
    short16.width = 3, short16.height = 1;
    struct Row {
        const char* name;
        Tga tga;
        int mode; // convertColorToGrayscale
        std::vector<int32_t> grid;
        int32_t code;
    };
    const Row rows[] = {
        {"gray palette stores indices", Paletted(Palette(true), {0, 1, 200, 255}), 2, {0, 1, 200, 255}, FmtTgaGray8},
        {"colour palette", Paletted(Palette(false), {0, 1, 2, 3}), 0,
         {colourEntry(0), colourEntry(1), colourEntry(2), colourEntry(3)}, FmtTgaColor8},
        {"24 bit weighted", rgb, 0, {254, RGBToGray(30, 20, 10), 0, RGBToGray(3, 2, 1)}, FmtTga24},
        {"24 bit green", rgb, 1, {255, 20, 0, 2}, FmtTga24},
        {"32 bit reads alpha and never asks", rgba, 2, std::vector<int32_t>(4, 255), FmtTga32},
        {"short 16-bit colour map", short16, 1, {0, 255, 0}, FmtTgaColor8},
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        Globals().convertColorToGrayscale = r.mode;
        ASSERT_TRUE(Load(dir, r.tga.Bytes())) << r.name << ": " << host.OnlyText();
        EXPECT_EQ(CurrentGrid(), r.grid) << r.name;
        EXPECT_EQ(FormatCode(), r.code) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Targa, OriginsPlaceRowsAndColumns)
{
    // File order pixels 1 2 / 3 4 (first file row first) in 8-bit gray.
    const std::pair<uint8_t, std::vector<int32_t>> rows[] = {
        {0x00, {3, 4, 1, 2}}, // bottom-left: vertical flip
        {0x08, {3, 4, 1, 2}}, // alpha bits do not matter
        {0x10, {4, 3, 2, 1}}, // bottom-right: both flips
        {0x20, {1, 2, 3, 4}}, // top-left: as read
        {0x30, {2, 1, 4, 3}}, // top-right: horizontal flip
    };
    TempDir dir;
    for (const auto& [descriptor, grid] : rows) {
        TestHost host;
        Tga t = Paletted(Palette(true), {1, 2, 3, 4});
        t.descriptor = descriptor;
        ASSERT_TRUE(Load(dir, t.Bytes()));
        EXPECT_EQ(CurrentGrid(), grid) << int(descriptor);
    }
}

TEST(Targa, RefusedKindsLeaveHeightmapAlone)
{
    auto kind = [](uint8_t type, uint8_t depth) {
        Tga t{.imageType = type, .depth = depth, .pixels = std::vector<uint8_t>(64, 0)};
        if (type == 1) t.colorMapType = 1, t.entryBits = 24, t.mapLength = 2, t.palette.assign(6, 0);
        return t.Bytes();
    };
    const auto cut = Tga{.width = 3, .height = 3, .pixels = std::vector<uint8_t>(26, 9)}.Bytes(); // one byte short
    const std::string pastEnd = "\r\n\r\nError Number: 62\r\nInput past end of file";
    const std::string unknown = "info: Unknown or unsupported TGA format.";
    const std::pair<std::vector<uint8_t>, std::string> rows[] = {
        {kind(2, 16), "info: 16-bit TGA format is not supported."},
        {kind(10, 16), "info: 16-bit TGA format is not supported."},
        {kind(3, 8), "info: Monochrome TGA format is not supported."},
        {kind(11, 1), "info: Monochrome TGA format is not supported."},
        {kind(9, 8), "info: Compressed TGA format is not supported."},
        {kind(10, 24), "info: Compressed TGA format is not supported."},
        {kind(10, 32), "info: Compressed TGA format is not supported."},
        {kind(2, 8), unknown}, {kind(0, 8), unknown},
        {kind(1, 16), unknown}, // 16-bit indices would be misread
        {Paletted({1, 2}, {0}, 8, 2).Bytes(), unknown}, // an entry size the format does not define
        {cut, "error: An error occurred loading the Targa TGA Image file." + pastEnd},
        {std::vector<uint8_t>(cut.begin(), cut.begin() + 17), "error: An error occurred validating the TGA File." + pastEnd},
    };
    TempDir dir;
    for (const auto& [bytes, message] : rows) {
        TestHost host;
        LoadGrid(1, 1, {77});
        EXPECT_FALSE(Load(dir, bytes)) << message;
        ASSERT_EQ(host.messages.size(), 1u) << message;
        EXPECT_EQ(host.messages[0].kind + ": " + host.messages[0].text, message);
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{77});
    }
}

TEST(Targa, InvalidHeadersFailSilently)
{
    TempDir dir;
    for (const Tga& t : {Tga{.idLength = 3}, Tga{.colorMapType = 2}, Tga{.imageType = 5}, Tga{.depth = 12}}) {
        TestHost host;
        Tga copy = t;
        copy.pixels.assign(12, 0);
        EXPECT_FALSE(Load(dir, copy.Bytes()));
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(Colour, RgbToGrayWeights)
{
    EXPECT_EQ(RGBToGray(255, 255, 255), 254);
    EXPECT_EQ(RGBToGray(0, 0, 0), 0);
    EXPECT_EQ(RGBToGray(255, 0, 0), 76);
    EXPECT_EQ(RGBToGray(0, 255, 0), 150);
    EXPECT_EQ(RGBToGray(0, 0, 255), 28);
    EXPECT_EQ(RGBToGray(10, 20, 30), 18); // 3000/255 + 760/255 + 840/255 = 18.04
    EXPECT_EQ(RGBToGray(2, 3, 1), 2);     // 450/255 + 152/255 + 28/255 = 2.47
}
