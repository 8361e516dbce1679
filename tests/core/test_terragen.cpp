// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <cstring>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "formats/vbTerragen.h"
#include "heightmap/MapHeight.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// Builds Terragen files chunk by chunk.
struct Ter {
    std::vector<uint8_t> b;
    Ter& Tag(const char* s)
    {
        b.insert(b.end(), s, s + std::strlen(s));
        return *this;
    }
    Ter& I16(int v)
    {
        b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
        return *this;
    }
    Ter& Header() { return Tag("TERRAGENTERRAIN "); }
    Ter& Chunk16(const char* tag, int v) { return Tag(tag).I16(v).I16(0); }
    Ter& Altw(const std::vector<int>& values)
    {
        Tag("ALTW").I16(32).I16(0);
        for (int v : values) I16(v);
        return *this;
    }
};

constexpr const char* kRefusal = "Invalid or unsupported Terragen Terrain file.\r\n";

} // namespace

TEST(Terragen, Layout257)
{
    TestHost host;
    TempDir dir;
    std::vector<int32_t> grid(257 * 257);
    for (size_t i = 0; i < grid.size(); ++i) grid[i] = static_cast<int32_t>((i * 7) % 65536);
    LoadGrid(257, 257, grid);
    ASSERT_TRUE(SaveTerragenFile(dir / "a.ter"));
    EXPECT_EQ(FormatCode(), FmtTerragen);
    const std::vector<uint8_t> bytes = ReadFileBytes(dir / "a.ter");
    ASSERT_EQ(bytes.size(), 132182u);

    Ter expect;
    expect.Header().Chunk16("SIZE", 256).Chunk16("XPTS", 257).Chunk16("YPTS", 257).Tag("SCAL");
    const uint8_t f30[4] = {0x00, 0x00, 0xF0, 0x41}, f6370[4] = {0x00, 0x10, 0xC7, 0x45};
    for (int i = 0; i < 3; ++i) expect.b.insert(expect.b.end(), f30, f30 + 4);
    expect.Tag("CRAD");
    expect.b.insert(expect.b.end(), f6370, f6370 + 4);
    expect.Tag("CRVM").I16(0).I16(0).Tag("ALTW").I16(32).I16(0);
    ASSERT_EQ(expect.b.size(), 80u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 80), expect.b);

    // Bottom row first, each value minus 32768.
    auto at = [&](size_t i) { return LoadI16LE(&bytes[80 + 2 * i]); };
    EXPECT_EQ(at(0), grid[256 * 257] - 32768);
    EXPECT_EQ(at(1), grid[256 * 257 + 1] - 32768);
    EXPECT_EQ(at(257), grid[255 * 257] - 32768);
    EXPECT_EQ(at(257 * 257 - 1), grid[256] - 32768);
    EXPECT_EQ(std::string(bytes.end() - 4, bytes.end()), "EOF ");
    EXPECT_TRUE(host.messages.empty());
}

TEST(Terragen, SizeChunkIsTheSmallerSideMinusOne)
{
    TestHost host;
    TempDir dir;
    LoadGrid(512, 256, std::vector<int32_t>(512 * 256, 0));
    ASSERT_TRUE(SaveTerragenFile(dir / "b.ter"));
    const std::vector<uint8_t> bytes = ReadFileBytes(dir / "b.ter");
    EXPECT_EQ(LoadI16LE(&bytes[20]), 255);
    EXPECT_EQ(LoadI16LE(&bytes[28]), 512);
    EXPECT_EQ(LoadI16LE(&bytes[36]), 256);
}

// The writer stores altitude - 32768; the reader keeps what is stored, lifting negative values so
// the lowest is 0. Only maps reaching 0 come back unchanged (see the shared round-trip test).
TEST(Terragen, RoundTripsOfMapsAboveZeroAreLifted)
{
    for (auto [w, grid, shift] : {std::tuple{1, std::vector<int32_t>{40000}, 32768},
                                  {3, std::vector<int32_t>{100, 200, 300, 400, 500, 600}, 100}}) {
        TestHost host;
        TempDir dir;
        LoadGrid(w, int32_t(grid.size()) / w, grid);
        ASSERT_TRUE(SaveTerragenFile(dir / "r.ter"));
        ClearHeightmap();
        ASSERT_TRUE(OpenFileByType(dir / "r.ter"));
        for (int32_t& v : grid) v -= shift;
        EXPECT_EQ(CurrentGrid(), grid);
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(Terragen, DimensionSources)
{
    // Each file holds six values 1..6 for a 3 x 2 or the first of them for smaller maps.
    struct Row {
        const char* name;
        Ter file;
        int32_t w, h;
        std::vector<int32_t> grid;
    };
    const std::vector<int> six = {1, 2, 3, 4, 5, 6};
    const std::vector<int> nine = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<Row> rows;
    rows.push_back({"xpts/ypts", Ter().Header().Chunk16("XPTS", 3).Chunk16("YPTS", 2).Altw(six).Tag("EOF "), 3, 2,
                    {4, 5, 6, 1, 2, 3}});
    rows.push_back({"ypts before xpts, extra chunks", Ter().Header().Chunk16("YPTS", 2).Tag("SCAL").I16(0).I16(0).I16(0).I16(0).I16(0).I16(0)
                        .Chunk16("CRAD", 0).Chunk16("XPTS", 3).Chunk16("CRVM", 0).Altw(six).Tag("EOF "), 3, 2,
                    {4, 5, 6, 1, 2, 3}});
    rows.push_back({"size only", Ter().Header().Chunk16("SIZE", 2).Altw(nine).Tag("EOF "), 3, 3,
                    {7, 8, 9, 4, 5, 6, 1, 2, 3}});
    rows.push_back({"xpts without ypts falls back to size", Ter().Header().Chunk16("SIZE", 1).Chunk16("XPTS", 3).Altw({1, 2, 3, 4}).Tag("EOF "),
                    2, 2, {3, 4, 1, 2}});
    rows.push_back({"data without EOF marker", Ter().Header().Chunk16("XPTS", 2).Chunk16("YPTS", 1).Altw({7, 8}), 2, 1, {7, 8}});
    rows.push_back({"negative values lifted", Ter().Header().Chunk16("XPTS", 2).Chunk16("YPTS", 1).Altw({-100, 400}), 2, 1,
                    {0, 500}});
    rows.push_back({"size 512 is 513 square", Ter().Header().Chunk16("SIZE", 512).Altw(std::vector<int>(513 * 513, -5)), 513,
                    513, std::vector<int32_t>(513 * 513, 0)});
    for (Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileBytes(dir / "d.ter", r.file.b);
        ASSERT_TRUE(LoadTerragenFile(dir / "d.ter")) << r.name << ": " << host.OnlyText();
        EXPECT_EQ(HeightmapWidth(), r.w) << r.name;
        EXPECT_EQ(HeightmapHeight(), r.h) << r.name;
        EXPECT_EQ(CurrentGrid(), r.grid) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Terragen, AltwOnlyAsksForTheSquareSize)
{
    std::vector<int> values(66049);
    for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<int>(i % 1000);
    Ter t;
    t.Header().Altw(values).Tag("EOF ");
    const std::string question = "This Terragen file does not contain any Size or XPts/YPts dimension information.\r\n"
                                 "As a square-aspect terrain heightmap it appears to be 257x257.\r\n\r\n"
                                 "Continue with opening this file?";
    for (bool yes : {true, false}) {
        TestHost host;
        TempDir dir;
        WriteFileBytes(dir / "q.ter", t.b);
        LoadGrid(1, 1, {42});
        host.Answer({yes});
        EXPECT_EQ(LoadTerragenFile(dir / "q.ter"), yes);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, "question");
        EXPECT_EQ(host.messages[0].text, question);
        if (yes) {
            EXPECT_EQ(HeightmapWidth(), 257);
            EXPECT_EQ(GetAltitude(1, 257), 0);   // first value in the file: bottom left
            EXPECT_EQ(GetAltitude(2, 257), 1);
            EXPECT_EQ(GetAltitude(257, 1), 48); // last value 66048 % 1000
        } else {
            EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42});
        }
    }
}

TEST(Terragen, Lookups)
{
    TestHost host;
    TempDir dir;
    Ter t;
    t.Header().Chunk16("SIZE", 9).Altw({1}).Tag("EOF ");
    WriteFileBytes(dir / "l.ter", t.b);
    EXPECT_EQ(FindTerragenChunk(dir / "l.ter", "SIZE"), 16);
    EXPECT_EQ(FindTerragenChunk(dir / "l.ter", "ALTW"), 24);
    EXPECT_EQ(FindTerragenChunk(dir / "l.ter", "XPTS"), -1);
    EXPECT_EQ(ReadTerragenChunkValue(dir / "l.ter", "SIZE"), 9);
    EXPECT_EQ(ReadTerragenChunkValue(dir / "l.ter", "YPTS"), -1);
    EXPECT_TRUE(host.messages.empty());

    Ter unknown;
    unknown.Header().Chunk16("SIZE", 9).Chunk16("THEI", 1).Altw({1});
    WriteFileBytes(dir / "u.ter", unknown.b);
    EXPECT_EQ(FindTerragenChunk(dir / "u.ter", "ALTW"), 0);
    EXPECT_EQ(ReadTerragenChunkValue(dir / "u.ter", "SIZE"), 9);
    EXPECT_TRUE(host.messages.empty());

    // The SIZE marker is the last thing in the file: found, but its value is missing.
    WriteFileBytes(dir / "v.ter", Ter().Header().Tag("SIZE").b);
    EXPECT_EQ(ReadTerragenChunkValue(dir / "v.ter", "SIZE"), 0);
    EXPECT_EQ(host.OnlyText().rfind("An error occurred retrieving the Terragen Terrain SIZE value.\r\n\r\nError Number: 62", 0), 0u);
}

TEST(Terragen, Refusals)
{
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        std::vector<std::string> texts; // every message, in order
    };
    const std::string notFound = std::string(kRefusal) + "The altitude data (ALTW chunk) could not be found.";
    const std::vector<Row> rows = {
        {"not terragen", Ter().Tag("TERRAGENTERRAIM ").Altw({1}).b, {"Invalid or unsupported Terragen Terrain file."}},
        {"shorter than the signature", Ter().Tag("TERRAGEN").b, {"Invalid or unsupported Terragen Terrain file."}},
        {"unknown chunk first", Ter().Header().Chunk16("THEI", 3).Chunk16("XPTS", 1).Chunk16("YPTS", 1).Altw({1}).b,
         {notFound}},
        {"unknown chunk between size and data", Ter().Header().Chunk16("XPTS", 1).Chunk16("YPTS", 1).Chunk16("THEI", 3).Altw({1}).b,
         {notFound}},
        // One walk, one message, however many lookups the load makes.
        {"end marker before anything", Ter().Header().Tag("EOF ").b, {"Premature end of file!"}},
        {"end marker after the size", Ter().Header().Chunk16("XPTS", 1).Chunk16("YPTS", 1).Tag("EOF ").b,
         {"Premature end of file!"}},
        {"cut inside a chunk", Ter().Header().Chunk16("XPTS", 4).Tag("YPTS").b,
         {"An error occurred locating a Terragen Terrain chunk offset.\r\n\r\nError Number: 62\r\nInput past end of file"}},
        {"data shorter than xpts x ypts", Ter().Header().Chunk16("XPTS", 4).Chunk16("YPTS", 4).Altw(std::vector<int>(15, 1)).b,
         {std::string(kRefusal) + "The altitude data is shorter than its 4 x 4 size promises."}},
        {"data shorter than size", Ter().Header().Chunk16("SIZE", 3).Altw(std::vector<int>(10, 1)).Tag("EOF").b,
         {std::string(kRefusal) + "The altitude data is shorter than its 4 x 4 size promises."}},
        {"altw without values", Ter().Header().Altw({}).Tag("EOF ").b, {std::string(kRefusal) + "The file holds no altitude values."}},
        {"zero width", Ter().Header().Chunk16("XPTS", -5).Chunk16("YPTS", 2).Altw({1}).b,
         {"Unsupported heightmap resolution.\r\n\r\nThe heightmap size is -5 x 2."}},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileBytes(dir / "bad.ter", r.bytes);
        LoadGrid(2, 1, {5, 6}, 3);
        EXPECT_FALSE(LoadTerragenFile(dir / "bad.ter")) << r.name;
        std::vector<std::string> texts;
        for (const Recorded& m : host.messages) texts.push_back(m.text);
        EXPECT_EQ(texts, r.texts) << r.name;
        EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{5, 6})) << r.name;
        EXPECT_EQ(FormatCode(), 3) << r.name;
    }
}

