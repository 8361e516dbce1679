// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// What the kept reader and writer cases cannot show: the rules of the raw size and mesh spacing
// dialogs, a raw file that changes while its dialog is open, the split tiles' G16 regions and
// the PNG writer's chunks.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
#include "formats/FrmRawSizeRules.h"
#include "formats/vbFileManagement.h"
#include "formats/vbRaw.h"
#include "formats/vbTerragen.h"
#include "formats/vbWinBMP.h"
#include "heightmap/MapHeight.h"
#include "imaging/FrmSaveSTLRules.h"
#include "imaging/vbPNG.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {
// "W x H", and " OK" when the dialog enables OK.
std::string Shown(const RawSizeState& s) { return s.width + " x " + s.height + (s.okEnabled ? " OK" : ""); }
} // namespace

TEST(RawSizeRules, ProposalIsOneOfTheNineSquares)
{
    for (int32_t bits : {8, 16, 32})
        for (int32_t side : {16, 32, 64, 128, 129, 256, 257, 512, 513}) {
            const int64_t length = int64_t{side} * side * (bits / 8);
            EXPECT_EQ(Shown(ProposeRawSize(length, bits)), std::to_string(side) + " x " + std::to_string(side) + " OK");
            EXPECT_EQ(ProposeRawSquareSide(length + 1, bits), 0) << length + 1;
            EXPECT_EQ(ProposeRawSquareSide(length - 1, bits), 0) << length - 1;
        }
    const std::tuple<int64_t, int32_t, int32_t> rows[] = {
        {8450, 16, 0}, {4225, 8, 0}, {0, 8, 0}, {65536, 16, 0}, {1024, 32, 16}, {512, 16, 16}, {66049, 8, 257},
    };
    for (auto [length, bits, side] : rows)
        EXPECT_EQ(Shown(ProposeRawSize(length, bits)),
                  std::to_string(side) + " x " + std::to_string(side) + (side ? " OK" : ""))
            << length << " bytes of " << bits << " bits";
    EXPECT_EQ(RawSizeFileLengthText(16, 526338), "Raw16 heightmap file of 526338 bytes.");
}

TEST(RawSizeRules, LeavingABoxNormalisesItAndRecomputesOk)
{
    const struct {
        int64_t length;
        int32_t bits;
        std::string typed, shown; // "W x H" typed, and shown after leaving the boxes (" OK" when enabled)
        // clang-format off
    } rows[] = {
        {8450, 16, "65 x 65", "65 x 65 OK"},   {8450, 16, "65 x ", "65 x 0"},      {8450, 16, " x ", "0 x 0"},
        {131072, 8, "512 x 256", "512 x 256 OK"}, {131072, 8, "256 x 512", "256 x 512 OK"},
        {131072, 8, "1024 x 128", "513 x 128"}, {526338, 16, "600 x 999999999999", "513 x 513 OK"},
        {1026, 16, "513 x 1", "513 x 1 OK"},   {1026, 16, "0513 x 001", "0513 x 001 OK"}, {0, 8, "0 x 0", "0 x 0"},
        {6, 16, "3 x 1", "3 x 1 OK"},          {6, 16, "1 x 3", "1 x 3 OK"},     {6, 16, "6 x 1", "6 x 1"},
    };
    // clang-format on
    for (const auto& r : rows) {
        const size_t x = r.typed.find(" x ");
        EXPECT_EQ(Shown(ApplyRawSizeTexts(r.length, r.bits, r.typed.substr(0, x), r.typed.substr(x + 3))), r.shown)
            << r.typed << " for " << r.length;
    }
}

// The file is read as it is when the dialog closes: one that shrank meanwhile is refused.
TEST(RawFiles, FileThatShrinksWhileTheDialogIsOpen)
{
    TestHost host;
    TempDir dir;
    const std::string path = dir / "s.raw";
    WriteFileBytes(path, std::vector<uint8_t>(256, 9));
    host.onDialog = [&](DialogId) {
        WriteFileBytes(path, std::vector<uint8_t>(10, 9));
        ConfirmDialog(RawSizeResult{"16", "16"});
    };
    LoadGrid(2, 1, {5, 6}, FmtHma);
    EXPECT_FALSE(OpenFileByType(path));
    EXPECT_EQ(host.OnlyText(), "An error occurred loading the Raw 8-bit Binary Heightmap file.\r\n\r\nError Number: "
                               "62\r\nInput past end of file");
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(FormatCode(), FmtHma);
}

// Any length either loads as one row (or column) of exactly its samples, or is refused.
TEST(RawFiles, EveryLengthLoadsExactlyOrIsRefused)
{
    TempDir dir;
    const std::string path = dir / "n.r16";
    for (size_t len = 0; len <= 1100; len += (len < 40 ? 1 : 37)) {
        TestHost host;
        host.onDialog = [&](DialogId) {
            const RawSizeState s = ApplyRawSizeTexts(int64_t(len), 16, std::to_string(len / 2), "1");
            if (s.okEnabled) ConfirmDialog(RawSizeResult{s.width, s.height});
        };
        WriteFileBytes(path, std::vector<uint8_t>(len, 0x7F));
        const bool loaded = LoadRaw16File(path);
        EXPECT_EQ(loaded, len > 0 && len % 2 == 0 && len / 2 <= 513) << len;
        if (loaded) {
            EXPECT_EQ(CurrentGrid(), std::vector<int32_t>(len / 2, 0x7F7F)) << len;
        }
    }
}

TEST(MeshDialogs, NormaliseSpacing)
{
    // clang-format off
    const std::pair<const char*, const char*> rows[] = {
        {"", "16"},     {"0", "1"},       {"1", "1"},       {"16", "16"}, {"0016", "16"}, {"1024", "1024"},
        {"1025", "1024"}, {"5000", "1024"}, {"99999999999999999999", "1024"}, {" 12 ", "12"},
    };
    // clang-format on
    for (auto [in, out] : rows) EXPECT_EQ(NormaliseSpacing(in), out) << '"' << in << '"';
}

// The named Terragen header queries, on the kept cases: a marker's offset and value (-1 when the
// altitude data came first, 0 when an unknown chunk did).
TEST(HeaderQueries, TerragenLookups)
{
    TestHost host;
    const std::string data = std::string(TOLV_TEST_DATA) + "/";
    const std::tuple<const char*, const char*, int64_t, int32_t> rows[] = {
        {"ter/size-only.ter", "SIZE", 16, 2},
        {"ter/size-only.ter", "ALTW", 24, 32},
        {"ter/size-only.ter", "XPTS", -1, -1},
        {"ter/unknown-chunk-between-size-and-data.ter", "YPTS", 24, 1},
        {"ter/unknown-chunk-between-size-and-data.ter", "ALTW", 0, 0},
    };
    for (const auto& [file, marker, offset, value] : rows) {
        EXPECT_EQ(FindTerragenChunk(data + file, marker), offset) << file << " " << marker;
        EXPECT_EQ(ReadTerragenChunkValue(data + file, marker), value) << file << " " << marker;
    }
    EXPECT_TRUE(host.messages.empty());
}

// A split tile that reaches past the map repeats the last column and row.
TEST(G16Region, PastTheEdgesRepeatsTheNearestPoints)
{
    TestHost host;
    TempDir dir;
    const std::tuple<int32_t, int32_t, int32_t, int32_t, std::vector<int32_t>> rows[] = {
        {1, 1, 3, 2, {5, 6, 6, 5, 6, 6}}, // columns 2..4 of rows 2..3
        {-1, 0, 2, 1, {1, 1}},
    };
    for (const auto& [x0, y0, w, h, tile] : rows) {
        LoadGrid(3, 2, {1, 2, 3, 4, 5, 6});
        ASSERT_TRUE(SaveG16Region(dir / "t.bmp", x0, y0, w, h));
        EXPECT_EQ(FormatCode(), FmtG16);
        ASSERT_TRUE(OpenFileByType(dir / "t.bmp"));
        EXPECT_EQ(CurrentGrid(), tile) << x0 << "," << y0;
    }
    EXPECT_TRUE(host.messages.empty());
}

// 16-bit gray, no colour chunks, altitudes clamped to 0..65535.
TEST(PngWriter, SixteenBitGrayOnly)
{
    TestHost host;
    TempDir dir;
    LoadGrid(3, 1, {-5, 70000, 1234});
    ASSERT_TRUE(SaveFileByType(dir / "c.png"));
    const std::vector<uint8_t> file = ReadFileBytes(dir / "c.png");
    ASSERT_GE(file.size(), 33u);
    EXPECT_EQ(file[24], 16); // bit depth
    EXPECT_EQ(file[25], 0);  // grayscale
    std::string chunks;
    for (size_t pos = 8; pos + 12 <= file.size(); pos += 12 + LoadU32BE(&file[pos]))
        chunks += std::string(reinterpret_cast<const char*>(&file[pos + 4]), 4) + " ";
    EXPECT_EQ(chunks, "IHDR IDAT IEND ");
    ClearHeightmap();
    ASSERT_TRUE(OpenFileByType(dir / "c.png"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 65535, 1234}));
}
