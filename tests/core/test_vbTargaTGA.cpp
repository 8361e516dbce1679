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
    std::vector<uint8_t> palette, pixels;
    uint8_t idLength = 0;

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> b(18, 0);
        b[0] = idLength;
        b[1] = colorMapType;
        b[2] = imageType;
        b[5] = uint8_t(mapLength), b[6] = uint8_t(mapLength >> 8);
        b[7] = entryBits;
        b[12] = uint8_t(width), b[13] = uint8_t(width >> 8);
        b[14] = uint8_t(height), b[15] = uint8_t(height >> 8);
        b[16] = depth;
        b[17] = descriptor;
        b.insert(b.end(), palette.begin(), palette.end());
        b.insert(b.end(), pixels.begin(), pixels.end());
        return b;
    }
};

// A 256-entry 24-bit palette; gray = every entry has equal bytes.
std::vector<uint8_t> Palette(bool gray)
{
    std::vector<uint8_t> p;
    for (int i = 0; i < 256; ++i) {
        uint8_t v = uint8_t(255 - i);
        p.insert(p.end(), {v, gray ? v : uint8_t(0), gray ? v : uint8_t(i)}); // blue, green, red
    }
    return p;
}

bool Load(const TempDir& dir, const std::vector<uint8_t>& bytes, const char* name = "a.tga")
{
    WriteFileBytes(dir / name, bytes);
    return LoadTgaImage(dir / name);
}

} // namespace

TEST(Targa, KindsAndCodes)
{
    TempDir dir;
    {
        TestHost host;
        Tga t{.colorMapType = 1, .imageType = 1, .entryBits = 24, .depth = 8, .mapLength = 256};
        t.palette = Palette(true);
        t.pixels = {0, 1, 200, 255};
        ASSERT_TRUE(Load(dir, t.Bytes()));
        EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 1, 200, 255})); // indices, not palette values
        EXPECT_EQ(FormatCode(), FmtTgaGray8);
        EXPECT_TRUE(host.messages.empty());
    }
    {
        TestHost host;
        Tga t{.colorMapType = 1, .imageType = 1, .entryBits = 24, .depth = 8, .mapLength = 256};
        t.palette = Palette(false);
        t.pixels = {0, 1, 2, 3};
        ASSERT_TRUE(Load(dir, t.Bytes()));
        // entry i: blue 255-i, green 0, red i
        std::vector<int32_t> expect;
        for (int i = 0; i < 4; ++i) expect.push_back(RGBToGray(i, 0, 255 - i));
        EXPECT_EQ(CurrentGrid(), expect);
        EXPECT_EQ(FormatCode(), FmtTgaColor8);
    }
    {
        TestHost host;
        Globals().convertColorToGrayscale = 1;
        Tga t;
        t.pixels = {255, 255, 255, 10, 20, 30, 0, 0, 0, 1, 2, 3};
        ASSERT_TRUE(Load(dir, t.Bytes()));
        EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{255, 20, 0, 2}));
        EXPECT_EQ(FormatCode(), FmtTga24);
    }
    {
        TestHost host;
        Tga t{.depth = 32, .descriptor = 0x28};
        t.pixels = {1, 2, 3, 255, 1, 2, 3, 255, 9, 9, 9, 255, 9, 9, 9, 255};
        Globals().convertColorToGrayscale = 2;
        ASSERT_TRUE(Load(dir, t.Bytes()));
        EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>(4, 255))); // alpha only
        EXPECT_EQ(FormatCode(), FmtTga32);
        EXPECT_TRUE(host.messages.empty()); // no conversion question
    }
}

TEST(Targa, WhitePixelInBothModes)
{
    TempDir dir;
    Tga t{.width = 1, .height = 1};
    t.pixels = {255, 255, 255};
    for (auto [mode, expected] : {std::pair{0, 254}, {1, 255}}) {
        TestHost host;
        Globals().convertColorToGrayscale = mode;
        ASSERT_TRUE(Load(dir, t.Bytes()));
        EXPECT_EQ(GetAltitude(1, 1), expected);
    }
}

TEST(Targa, OriginsPlaceRowsAndColumns)
{
    // File order pixels 1 2 / 3 4 (first file row first) in 8-bit gray.
    struct Row {
        uint8_t descriptor;
        std::vector<int32_t> grid;
    };
    const Row rows[] = {
        {0x00, {3, 4, 1, 2}}, // bottom-left: vertical flip
        {0x08, {3, 4, 1, 2}}, // alpha bits do not matter
        {0x10, {4, 3, 2, 1}}, // bottom-right: both flips
        {0x20, {1, 2, 3, 4}}, // top-left: as read
        {0x30, {2, 1, 4, 3}}, // top-right: horizontal flip
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        Tga t{.colorMapType = 1, .imageType = 1, .entryBits = 24, .depth = 8, .descriptor = r.descriptor,
              .mapLength = 256};
        t.palette = Palette(true);
        t.pixels = {1, 2, 3, 4};
        ASSERT_TRUE(Load(dir, t.Bytes()));
        EXPECT_EQ(CurrentGrid(), r.grid) << int(r.descriptor);
    }
}

TEST(Targa, RefusedKindsLeaveHeightmapAlone)
{
    struct Row {
        uint8_t imageType, depth;
        const char* text;
    };
    const Row rows[] = {
        {2, 16, "16-bit TGA format is not supported."},
        {10, 16, "16-bit TGA format is not supported."},
        {3, 8, "Monochrome TGA format is not supported."},
        {11, 1, "Monochrome TGA format is not supported."},
        {9, 8, "Compressed TGA format is not supported."},
        {10, 24, "Compressed TGA format is not supported."},
        {10, 32, "Compressed TGA format is not supported."},
        {2, 8, "Unknown or unsupported TGA format."},
        {0, 8, "Unknown or unsupported TGA format."},
        {1, 16, "Unknown or unsupported TGA format."}, // 16-bit indices would be misread
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(1, 1, {77});
        Tga t{.imageType = r.imageType, .depth = r.depth};
        if (r.imageType == 1) t.colorMapType = 1, t.entryBits = 24, t.mapLength = 2, t.palette.assign(6, 0);
        t.pixels.assign(64, 0);
        EXPECT_FALSE(Load(dir, t.Bytes())) << r.text;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, "info");
        EXPECT_EQ(host.messages[0].text, r.text);
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{77});
    }
}

TEST(Targa, InvalidHeadersFailSilently)
{
    TempDir dir;
    Tga withId;
    withId.idLength = 3;
    Tga badMapType;
    badMapType.colorMapType = 2;
    Tga badType;
    badType.imageType = 5;
    Tga badDepth;
    badDepth.depth = 12;
    for (const Tga& t : {withId, badMapType, badType, badDepth}) {
        TestHost host;
        Tga copy = t;
        copy.pixels.assign(12, 0);
        EXPECT_FALSE(Load(dir, copy.Bytes()));
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(Targa, ExtensionQuestionAndConversionQuestion)
{
    TempDir dir;
    Tga t{.width = 1, .height = 1};
    t.pixels = {0, 255, 0};
    {
        TestHost host;
        host.Answer({false});
        EXPECT_FALSE(Load(dir, t.Bytes(), "pic.dat"));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Invalid TGA File Extension on: pic\r\nContinue if file contents are valid?");
    }
    {
        TestHost host;
        Globals().convertColorToGrayscale = 2;
        host.Answer({false}); // No: green value
        ASSERT_TRUE(Load(dir, t.Bytes()));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Convert image to grayscale for altitude data?");
        EXPECT_EQ(host.messages[0].caption, "Convert to Grayscale");
        EXPECT_FALSE(host.messages[0].defaultNo);
        EXPECT_EQ(GetAltitude(1, 1), 255);
        EXPECT_EQ(Globals().convertColorToGrayscale, 2); // the answer is not stored
    }
}

TEST(Targa, OversizeAndTruncatedFiles)
{
    TempDir dir;
    {
        TestHost host;
        Tga t{.width = 514, .height = 2};
        EXPECT_FALSE(Load(dir, t.Bytes()));
        EXPECT_EQ(host.OnlyText().rfind("Unsupported heightmap resolution.", 0), 0u);
    }
    Tga full{.width = 3, .height = 3};
    full.pixels.assign(27, 9);
    const std::vector<uint8_t> bytes = full.Bytes();
    for (size_t cut : {size_t(5), size_t(17), size_t(18), size_t(30), bytes.size() - 1}) {
        TestHost host;
        LoadGrid(1, 1, {5});
        EXPECT_FALSE(Load(dir, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut)))) << cut;
        ASSERT_EQ(host.Count("error"), 1u) << cut;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{5});
        EXPECT_FALSE(host.messages[0].text.find("Error Number: 62") == std::string::npos) << host.messages[0].text;
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

TEST(Colour, PcxIsNotRead)
{
    TestHost host;
    LoadGrid(1, 1, {3});
    EXPECT_FALSE(LoadPcxImage("/nonexistent/x.pcx"));
    EXPECT_EQ(host.OnlyText(), "PCX format support under development...");
    EXPECT_EQ(FormatCode(), FmtPcx);
}

TEST(Targa, ShortAndSixteenBitColourMaps)
{
    TempDir dir;
    {
        // Two 16-bit entries (5 bits per channel): pure red and pure green; index 5 is beyond the map.
        TestHost host;
        Globals().convertColorToGrayscale = 1;
        Tga t{.colorMapType = 1, .imageType = 1, .entryBits = 16, .depth = 8, .mapLength = 2, .width = 3, .height = 1};
        t.palette = {0x00, 0x7C, 0xE0, 0x03};
        t.pixels = {0, 1, 5};
        ASSERT_TRUE(Load(dir, t.Bytes()));
        EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 255, 0}));
        EXPECT_EQ(FormatCode(), FmtTgaColor8);
    }
    {
        // An entry size the format does not define.
        TestHost host;
        Tga t{.colorMapType = 1, .imageType = 1, .entryBits = 8, .depth = 8, .mapLength = 2, .width = 1, .height = 1};
        t.palette = {1, 2};
        t.pixels = {0};
        EXPECT_FALSE(Load(dir, t.Bytes()));
        EXPECT_EQ(host.OnlyText(), "Unknown or unsupported TGA format.");
    }
}
