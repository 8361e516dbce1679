// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "imaging/vbTIFF.h"

using namespace tolv;
using namespace tolv::test;

namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

struct Tag {
    uint16_t tag, type;
    uint32_t count, value;
};

// A little-endian TIFF: header, the pixel area given, then the directory.
std::vector<uint8_t> MakeTiff(const std::vector<uint8_t>& data, const std::vector<Tag>& tags)
{
    std::vector<uint8_t> b = {'I', 'I'};
    Put16(b, 42);
    Put32(b, uint32_t(8 + data.size()));
    b.insert(b.end(), data.begin(), data.end());
    Put16(b, uint16_t(tags.size()));
    for (const Tag& t : tags) {
        Put16(b, t.tag);
        Put16(b, t.type);
        Put32(b, t.count);
        Put32(b, t.value);
    }
    Put32(b, 0);
    return b;
}

std::vector<Tag> GrayTags(uint32_t w, uint32_t h)
{
    return {{256, 3, 1, w}, {257, 3, 1, h}, {258, 3, 1, 16}, {259, 3, 1, 1}, {262, 3, 1, 1}, {273, 4, 1, 8},
            {278, 4, 1, h}};
}

std::vector<Tag> Without(std::vector<Tag> tags, uint16_t tag)
{
    std::erase_if(tags, [&](const Tag& t) { return t.tag == tag; });
    return tags;
}

std::vector<Tag> Plus(std::vector<Tag> tags, Tag extra)
{
    tags.push_back(extra);
    return tags;
}

std::vector<Tag> With(std::vector<Tag> tags, Tag replacement)
{
    for (Tag& t : tags)
        if (t.tag == replacement.tag) t = replacement;
    return tags;
}

} // namespace

TEST(Tiff, OneByOneFileIsByteExact)
{
    TempDir dir;
    TestHost host;
    LoadGrid(1, 1, {0x1234});
    ASSERT_TRUE(WriteTiff16(dir / "a.tif", 1, 1));
    std::vector<uint8_t> expect = {'I', 'I', 42, 0, 10, 0, 0, 0, 0x34, 0x12, 8, 0};
    for (Tag t : std::vector<Tag>{{256, 3, 1, 1}, {257, 3, 1, 1}, {258, 3, 1, 16}, {259, 3, 1, 1}, {262, 3, 1, 1},
                                  {273, 4, 1, 8}, {278, 4, 1, 1}, {279, 4, 1, 2}}) {
        Put16(expect, t.tag);
        Put16(expect, t.type);
        Put32(expect, t.count);
        Put32(expect, t.value);
    }
    Put32(expect, 0);
    EXPECT_EQ(ReadFileBytes(dir / "a.tif"), expect);
    EXPECT_EQ(expect.size(), 112u);
}

TEST(Tiff, WriterRefusesValuesOutsideSixteenBits)
{
    TempDir dir;
    TestHost host;
    LoadGrid(2, 1, {5, 65536}, 7);
    EXPECT_FALSE(SaveTiffImage(dir / "a.tif"));
    EXPECT_EQ(host.OnlyText().rfind("An error occurred saving the TIF 16-bit grayscale file.\r\n\r\nError Number: 6\r\n", 0), 0u);
    EXPECT_EQ(FormatCode(), 7);
}

TEST(Tiff, MultiStripReadsEveryRow)
{
    const int w = 3, h = 100, perStrip = 8, strips = 13;
    std::vector<uint8_t> data;
    std::vector<uint32_t> offsets;
    // Strips stored back to front, so the table really is followed.
    std::vector<std::vector<uint8_t>> stripBytes(strips);
    for (int s = 0; s < strips; ++s)
        for (int r = s * perStrip; r < std::min(h, (s + 1) * perStrip); ++r)
            for (int x = 0; x < w; ++x) Put16(stripBytes[size_t(s)], uint16_t(r * 600 + x));
    offsets.resize(strips);
    for (int s = strips - 1; s >= 0; --s) {
        offsets[size_t(s)] = uint32_t(8 + data.size());
        data.insert(data.end(), stripBytes[size_t(s)].begin(), stripBytes[size_t(s)].end());
    }
    const uint32_t table = uint32_t(8 + data.size());
    for (uint32_t o : offsets) Put32(data, o);
    auto tags = With(With(GrayTags(w, h), {273, 4, strips, table}), {278, 3, 1, perStrip});

    TempDir dir;
    TestHost host;
    WriteFileBytes(dir / "m.tif", MakeTiff(data, tags));
    ASSERT_TRUE(LoadTiffImage(dir / "m.tif"));
    ASSERT_EQ(HeightmapHeight(), h);
    for (int y : {1, 8, 9, 96, 97, 100})
        for (int x : {1, 3}) EXPECT_EQ(GetAltitude(x, y), (y - 1) * 600 + x - 1) << x << "," << y;
}

// Samples 7 and 0xFFF6 under directories that differ in one entry.
TEST(Tiff, DefaultsAndSampleFormat)
{
    const std::pair<std::vector<Tag>, std::vector<int32_t>> rows[] = {
        {Without(GrayTags(2, 1), 259), {7, 65526}},                 // no Compression entry: uncompressed
        {GrayTags(2, 1), {7, 65526}},                               // no SampleFormat entry: unsigned
        {Plus(GrayTags(2, 1), {339, 3, 1, 1}), {7, 65526}},
        {Plus(GrayTags(2, 1), {339, 3, 1, 2}), {7, -10}}, // signed
    };
    for (const auto& [tags, grid] : rows) {
        TempDir dir;
        TestHost host;
        std::vector<uint8_t> data;
        Put16(data, 7);
        Put16(data, 0xFFF6);
        WriteFileBytes(dir / "a.tif", MakeTiff(data, tags));
        ASSERT_TRUE(LoadTiffImage(dir / "a.tif")) << host.OnlyText();
        EXPECT_EQ(CurrentGrid(), grid);
        EXPECT_TRUE(host.messages.empty());
    }
}

// A signed elevation model with negative altitudes cannot go out as unsigned samples; once Move
// has lifted it, it saves and reads back exactly.
TEST(Tiff, SignedMapSavesOnceLifted)
{
    TempDir dir;
    TestHost host;
    std::vector<uint8_t> data;
    for (int16_t v : {-100, 0, 400, -7}) Put16(data, static_cast<uint16_t>(v));
    WriteFileBytes(dir / "dem.tif", MakeTiff(data, Plus(GrayTags(2, 2), {339, 3, 1, 2})));
    ASSERT_TRUE(OpenFileByType(dir / "dem.tif"));
    EXPECT_EQ(MinAltitude(), -100);
    EXPECT_FALSE(SaveFileByType(dir / "out.tif"));
    EXPECT_EQ(host.OnlyText().rfind("An error occurred saving the TIF 16-bit grayscale file.\r\n\r\nError Number: 6\r\n", 0), 0u);
    EXPECT_FALSE(FileExists(dir / "out.tif"));
    ASSERT_TRUE(MoveHeightmap(0));
    ASSERT_TRUE(SaveFileByType(dir / "out.tif"));
    ClearHeightmap();
    ASSERT_TRUE(OpenFileByType(dir / "out.tif"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 100, 500, 93}));
}

TEST(Tiff, RefusalsLeaveHeightmapUntouched)
{
    std::vector<uint8_t> px(8, 0);
    const std::string noStrips = std::string("Invalid TIFF file format.\r\nThe file has no strip offsets.");
    const std::string noRows = std::string("Invalid TIFF file format.\r\nThe file has several strips but no rows per strip.");
    auto withOffset = [&](uint32_t ifd) {
        auto b = MakeTiff(px, GrayTags(2, 2));
        b[4] = uint8_t(ifd), b[5] = uint8_t(ifd >> 8), b[6] = uint8_t(ifd >> 16), b[7] = uint8_t(ifd >> 24);
        return b;
    };
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        std::string kind, text;
    };
    const std::string loadError = "An error occurred loading the TIFF image file.\r\n\r\nError Number: ";
    auto manyEntries = MakeTiff(px, GrayTags(2, 2));
    manyEntries[8 + px.size()] = 0xFF, manyEntries[9 + px.size()] = 0xFF;
    std::vector<uint8_t> motorola = {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0};
    std::vector<uint8_t> magic43 = MakeTiff(px, GrayTags(2, 2));
    magic43[2] = 43;
    const Row rows[] = {
        {"Motorola", motorola, "info", "Motorola (Mac) format TIFF is not supported yet."},
        {"magic 43", magic43, "", ""},
        {"IFD at 4", withOffset(4), "warning", "Invalid IFD Offset pointer."},
        {"IFD past end", withOffset(100000), "warning", "Invalid IFD Offset pointer."},
        {"8-bit", MakeTiff(px, With(GrayTags(2, 2), {258, 3, 1, 8})), "warning",
         "Only 16-bit Grayscale TIF images are supported."},
        {"RGB", MakeTiff(px, With(With(GrayTags(2, 2), {258, 3, 3, 200}), {262, 3, 1, 2})), "warning",
         "Only 16-bit Grayscale TIF images are supported."},
        {"compressed", MakeTiff(px, With(GrayTags(2, 2), {259, 3, 1, 5})), "warning",
         "Only uncompressed TIF images are supported."},
        {"16-bit float", MakeTiff(px, Plus(GrayTags(2, 2), {339, 3, 1, 3})), "warning", "Only integer TIF samples are supported."},
        {"undefined sample format", MakeTiff(px, Plus(GrayTags(2, 2), {339, 3, 1, 4})), "warning",
         "Only integer TIF samples are supported."},
        {"no strip offsets", MakeTiff(px, Without(GrayTags(2, 2), 273)), "warning", noStrips},
        {"strips without rows", MakeTiff(px, Without(With(GrayTags(2, 2), {273, 4, 2, 8}), 278)), "warning", noRows},
        // Strip data, strip table, rows per strip and directory sizes pointing far past the end.
        {"strip past the end", MakeTiff(px, With(GrayTags(2, 2), {273, 4, 1, 0xFFFFFF00u})), "error", loadError},
        {"strip table past the end", MakeTiff(px, With(GrayTags(2, 2), {273, 4, 0x40000000u, 8})), "error", loadError},
        {"huge rows per strip", MakeTiff(std::vector<uint8_t>(8, 1), With(With(GrayTags(2, 2), {273, 4, 2, 8}), {278, 4, 1, 0x7FFFFFFF})), "error",
         loadError},
        {"65535 entries", manyEntries, "error", "An error occurred reading the TIFF file IFD tags.\r\n\r\nError Number: 62"},
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(1, 1, {11}, 2);
        WriteFileBytes(dir / "x.tif", r.bytes);
        EXPECT_FALSE(LoadTiffImage(dir / "x.tif")) << r.name;
        if (r.kind.empty()) {
            EXPECT_TRUE(host.messages.empty()) << r.name;
        } else {
            ASSERT_EQ(host.messages.size(), 1u) << r.name;
            EXPECT_EQ(host.messages[0].kind, r.kind) << r.name;
            if (r.kind == "error")
                EXPECT_EQ(host.messages[0].text.rfind(r.text, 0), 0u) << r.name << ": " << host.messages[0].text;
            else
                EXPECT_EQ(host.messages[0].text, r.text) << r.name;
        }
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{11}) << r.name;
        EXPECT_EQ(FormatCode(), 2) << r.name;
    }
}

