// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapCommands.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "heightmap/UndoRules.h"
#include "shell/vbPrivateIni.h"
#include "shell/Globals.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

using D = Display;
const std::vector<Display> kResize = {D::Preview,    D::AltitudeBar, D::FormatDescription, D::ClearFileSize,
                                      D::Resolution, D::Statistics,  D::ClearHeightReadout};
const std::vector<Display> kAltitude = {D::Preview, D::AltitudeBar, D::FormatDescription, D::Statistics,
                                        D::ClearHeightReadout};

std::vector<int32_t> Coded(int32_t w, int32_t h)
{
    std::vector<int32_t> v;
    for (int32_t y = 1; y <= h; ++y)
        for (int32_t x = 1; x <= w; ++x) v.push_back(1000 * y + x);
    return v;
}

// Answers one dialog: fills the given output slots and confirms.
std::function<void(DialogId)> Confirm(std::vector<std::pair<int, DialogValue>> results)
{
    return [results](DialogId) {
        for (const auto& [slot, v] : results) SetDialogResult(slot, v);
        SetDialogCancelled(false);
    };
}

void ExpectFrame(const TestHost& host, const std::string& progress, const std::vector<Display>& refreshes)
{
    EXPECT_EQ(host.enableCalls, (std::vector<bool>{false, true})) << progress;
    EXPECT_EQ(host.progress, std::vector<std::string>{progress});
    EXPECT_EQ(host.refreshes, refreshes) << progress;
    EXPECT_TRUE(host.modified) << progress;
    EXPECT_EQ(host.CurrentPointer(), Pointer::Default) << progress;
    EXPECT_TRUE(GetDialogResult(3).IsEmpty()) << progress; // slots cleared at the end
}

} // namespace

TEST(MapCommands, ParameterlessFrames)
{
    const struct {
        std::function<bool()> command;
        const char* progress;
        std::vector<Display> refreshes;
    } rows[] = {
        {CommandFlipHorizontal, "Flipping the Heightmap horizontally...", {D::Preview, D::FormatDescription, D::ClearHeightReadout}},
        {CommandFlipVertical, "Flipping the Heightmap vertically...", {D::Preview, D::FormatDescription, D::ClearHeightReadout}},
        {CommandRotateCCW, "Rotating the Heightmap 90\xC2\xB0 counter-clockwise...",
         {D::Preview, D::FormatDescription, D::Resolution, D::ClearHeightReadout}},
        {CommandRotateCW, "Rotating the Heightmap 90\xC2\xB0 clockwise...",
         {D::Preview, D::FormatDescription, D::Resolution, D::ClearHeightReadout}},
        {CommandCrop, "Cropping Heightmap to upper left quadrant...", kResize},
    };
    for (const auto& r : rows) {
        TestHost host;
        LoadGrid(4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
        EXPECT_TRUE(r.command());
        ExpectFrame(host, r.progress, r.refreshes);
        EXPECT_NE(CurrentGrid(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8})) << r.progress;
    }
}

TEST(MapCommands, FailedCropStillMarksModified)
{
    TestHost host;
    LoadGrid(1, 8, Coded(1, 8));
    CommandCrop();
    EXPECT_EQ(host.Count("error"), 1u);
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(host.refreshes, kResize);
}

TEST(MapCommands, ScaleStoresTheDialogValuesThenScales)
{
    TestHost host;
    LoadGrid(3, 1, {1000, 2000, 3000});
    std::vector<DialogValue> inputs;
    host.onDialog = [&](DialogId id) {
        EXPECT_EQ(id, DialogId::Scale);
        for (int i = 1; i <= 6; ++i) inputs.push_back(GetDialogParam(i));
        Confirm({{3, int32_t(2)}, {4, "50"}, {5, "900"}, {6, "100"}})(id);
    };
    EXPECT_TRUE(CommandScale());
    EXPECT_EQ(inputs, (std::vector<DialogValue>{int32_t(1000), int32_t(3000), int32_t(1), int32_t(100),
                                                int32_t(65535), int32_t(0)}));
    EXPECT_EQ(Globals().scaleMethod, 2);
    EXPECT_EQ(Globals().scalePercent, 50);
    EXPECT_EQ(Globals().scaleUpper, 900);
    EXPECT_EQ(Globals().scaleLower, 100);
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1500, 2000, 2500}));
    ExpectFrame(host, "Scaling Heightmap...", kResize);
}

TEST(MapCommands, CancelChangesNothing)
{
    const std::function<bool()> commands[] = {[] { return CommandScale(); }, CommandMove, CommandInvert,
                                              CommandInterpolate, CommandResample, CommandTrim};
    for (const auto& command : commands) {
        TestHost host;
        LoadGrid(32, 32, Coded(32, 32));
        host.onDialog = [](DialogId) { SetDialogResult(3, int32_t(0)); }; // typed, then cancelled
        EXPECT_FALSE(command());
        EXPECT_EQ(host.dialogs.size(), 1u);
        EXPECT_TRUE(host.enableCalls.empty());
        EXPECT_FALSE(host.modified);
        EXPECT_EQ(CurrentGrid(), Coded(32, 32));
        EXPECT_EQ(Globals().scaleMethod, 1);
        EXPECT_EQ(Globals().moveMethod, 1);
        EXPECT_EQ(Globals().resampleFactor, 2);
        EXPECT_EQ(host.CurrentPointer(), Pointer::Default);
    }
}

TEST(MapCommands, ScaleWithoutHeightmapOnlyStores)
{
    TestHost host;
    LoadGrid(3, 1, {1000, 2000, 3000});
    host.onDialog = Confirm({{3, int32_t(0)}, {4, "100"}, {5, "65535"}, {6, "0"}});
    EXPECT_FALSE(CommandScale(false));
    EXPECT_EQ(Globals().scaleMethod, 0);
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1000, 2000, 3000}));
}

TEST(MapCommands, MoveAndInvert)
{
    TestHost host;
    LoadGrid(3, 1, {100, 150, 200});
    host.onDialog = Confirm({{3, int32_t(2)}, {4, int32_t(0)}});
    EXPECT_TRUE(CommandMove());
    EXPECT_EQ(Globals().moveMethod, 2);
    EXPECT_EQ(Globals().moveBase, 0);
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 50, 100}));
    ExpectFrame(host, "Moving heightmap...", kAltitude);

    host.Clear();
    host.onDialog = [](DialogId id) {
        EXPECT_EQ(id, DialogId::Invert);
        EXPECT_EQ(GetDialogParam(1).AsInt(), 0);
        EXPECT_EQ(GetDialogParam(2).AsInt(), 100);
        Confirm({{3, int32_t(50)}})(id);
    };
    EXPECT_TRUE(CommandInvert());
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{101, 50, 1}));
    ExpectFrame(host, "Inverting the Heightmap...", kAltitude);

    host.Clear();
    LoadGrid(2, 1, {9, 9});
    host.modified = false;
    EXPECT_FALSE(CommandInvert()); // flat: no dialog, nothing at all
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_TRUE(host.enableCalls.empty());
    EXPECT_FALSE(host.modified);
}

TEST(MapCommands, InterpolateResampleAndTrim)
{
    TestHost host;
    LoadGrid(16, 16, Coded(16, 16));
    host.onDialog = Confirm({{3, "0.0"}, {4, int32_t(4)}});
    EXPECT_TRUE(CommandInterpolate());
    EXPECT_EQ(Globals().interpolationFactor, 4);
    EXPECT_EQ(Globals().interpolationVariance, 0.0f);
    EXPECT_EQ(HeightmapWidth(), 64);
    ExpectFrame(host, "Interpolating heightmap by 4x...", kResize);

    host.Clear();
    host.onDialog = Confirm({{3, int32_t(2)}, {4, int32_t(1)}});
    EXPECT_TRUE(CommandResample());
    EXPECT_EQ(Globals().resampleMethod, 1);
    EXPECT_EQ(HeightmapWidth(), 32);
    ExpectFrame(host, "Resampling heightmap to 1/2...",
                {D::Preview, D::AltitudeBar, D::FormatDescription, D::Resolution, D::Statistics, D::ClearHeightReadout});

    host.Clear();
    host.onDialog = Confirm({{1, int32_t(TrimLeftTop)}, {2, "30"}, {3, "31"}});
    EXPECT_TRUE(CommandTrim());
    EXPECT_EQ(HeightmapWidth(), 30);
    EXPECT_EQ(HeightmapHeight(), 31);
    ExpectFrame(host, "Trimming Heightmap...", kResize);

    host.Clear();
    host.onDialog = Confirm({{1, int32_t(TrimCenter)}, {2, "30"}, {3, "31"}});
    EXPECT_TRUE(CommandTrim()); // the same size: nothing cut, still marked modified
    EXPECT_TRUE(host.modified);
    EXPECT_TRUE(host.messages.empty());
}

TEST(MapCommands, UndoIsUnderDevelopment)
{
    TestHost host;
    LoadGrid(2, 1, {1, 2});
    host.modified = true;
    CommandUndo();
    EXPECT_EQ(host.OnlyText(), "This function is under development.");
    EXPECT_EQ(host.messages[0].kind, "info");
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1, 2}));
    EXPECT_TRUE(host.modified);
}

TEST(MapCommands, UndoModeSettingAndOptions)
{
    const std::pair<const char*, int32_t> rows[] = {{"5", 1}, {"-3", 0}, {"0", 0}, {"1", 1}};
    for (auto [stored, mode] : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / "t.ini", std::string("[Options]\nUndoMode=") + stored + "\n");
        LoadSettings(SettingsStore(dir / "t.ini"));
        EXPECT_EQ(Globals().undoMode, mode) << stored;
        const int index = UndoOptionIndex(Globals().undoMode);
        EXPECT_EQ(UndoOptions()[static_cast<size_t>(index)].mode, mode) << stored;
        EXPECT_EQ(UndoModeFromSelection(index == 0), mode) << stored;
    }
    EXPECT_STREQ(UndoOptions()[0].caption, "Undo memory buffer (1 level and faster)");
}

TEST(MapCommands, Availability)
{
    const struct {
        const char* name;
        int32_t w, h;
        std::vector<int32_t> corners; // the two samples that set the span
        bool invert, resample, interpolate, move;
    } rows[] = {
        {"512 square", 512, 512, {0, 10}, true, true, false, true},
        {"16 square", 16, 16, {0, 10}, true, false, true, true},
        {"513 square", 513, 513, {0, 10}, true, false, false, true},
        {"flat", 64, 64, {5, 5}, false, true, true, true},
        {"full span", 64, 64, {0, 65535}, true, true, true, false},
        {"32 x 16", 32, 16, {0, 1}, true, false, true, true},
    };
    for (const auto& r : rows) {
        TestHost host;
        std::vector<int32_t> s(static_cast<size_t>(r.w) * r.h, r.corners[0]);
        s.back() = r.corners[1];
        LoadGrid(r.w, r.h, s);
        CommandAvailability a = ComputeCommandAvailability(true);
        EXPECT_TRUE(a.withHeightmap) << r.name;
        EXPECT_EQ(a.Enabled(MapCommand::Invert), r.invert) << r.name;
        EXPECT_EQ(a.Enabled(MapCommand::Resample), r.resample) << r.name;
        EXPECT_EQ(a.Enabled(MapCommand::Interpolate), r.interpolate) << r.name;
        EXPECT_EQ(a.Enabled(MapCommand::Move), r.move) << r.name;
        EXPECT_TRUE(a.Enabled(MapCommand::Crop)) << r.name;
        CommandAvailability none = ComputeCommandAvailability(false);
        for (MapCommand c : {MapCommand::Save, MapCommand::Invert, MapCommand::Move, MapCommand::Split})
            EXPECT_FALSE(none.Enabled(c)) << r.name;
    }
}

// ---- split ------------------------------------------------------------------------------------

namespace {

struct TileImage {
    int32_t width = 0, height = 0;
    std::vector<uint16_t> samples; // rows top first
};

TileImage ReadTile(const std::string& path)
{
    std::vector<uint8_t> b = ReadFileBytes(path);
    TileImage t;
    if (b.size() < 54) return t;
    auto u32 = [&](size_t o) { return int32_t(b[o] | b[o + 1] << 8 | b[o + 2] << 16 | uint32_t(b[o + 3]) << 24); };
    t.width = u32(18);
    t.height = u32(22);
    if (b.size() != 54 + size_t(2) * t.width * t.height) return TileImage{};
    t.samples.resize(size_t(t.width) * t.height);
    for (int32_t r = 0; r < t.height; ++r) // bottom row first on disk
        for (int32_t c = 0; c < t.width; ++c) {
            size_t o = 54 + 2 * (size_t(r) * t.width + c);
            t.samples[size_t(t.height - 1 - r) * t.width + c] = uint16_t(b[o] | b[o + 1] << 8);
        }
    return t;
}

} // namespace

TEST(Split, TileCoverage)
{
    struct Tile {
        int32_t number, firstX, firstY;
    };
    const struct {
        const char* name;
        int32_t W, H, C, R;
        bool seamless;
        int32_t tw, th;
        std::vector<Tile> tiles;
    } rows[] = {
        {"512 2x2", 512, 512, 2, 2, false, 256, 256, {{0, 1, 1}, {1, 257, 1}, {2, 1, 257}, {3, 257, 257}}},
        {"512 2x2 seamless", 512, 512, 2, 2, true, 256, 256, {{0, 1, 1}, {1, 256, 1}, {2, 1, 256}, {3, 256, 256}}},
        {"513 2x2", 513, 513, 2, 2, false, 256, 256, {{0, 1, 1}, {1, 257, 1}, {2, 1, 257}, {3, 257, 257}}},
        {"384x128 3x1 seamless", 384, 128, 3, 1, true, 128, 128, {{0, 1, 1}, {1, 128, 1}, {2, 256, 1}}},
        {"512x256 4x1", 512, 256, 4, 1, false, 128, 256, {{0, 1, 1}, {1, 129, 1}, {2, 257, 1}, {3, 385, 1}}},
        {"512x256 2x4", 512, 256, 2, 4, false, 256, 64,
         {{0, 1, 1}, {1, 257, 1}, {2, 1, 65}, {3, 257, 65}, {4, 1, 129}, {5, 257, 129}, {6, 1, 193}, {7, 257, 193}}},
        {"1x1", 1, 1, 1, 1, false, 1, 1, {{0, 1, 1}}},
    };
    for (const auto& r : rows) {
        TestHost host;
        TempDir dir;
        std::vector<int32_t> grid = Coded(r.W, r.H);
        LoadGrid(r.W, r.H, grid, FmtHmb);
        host.onDialog = [&](DialogId id) {
            EXPECT_EQ(id, DialogId::Split);
            EXPECT_EQ(GetDialogParam(1).AsInt(), r.W);
            EXPECT_EQ(GetDialogParam(2).AsInt(), r.H);
            Confirm({{3, r.C}, {4, r.R}, {5, r.tw}, {6, r.th}, {7, r.seamless}})(id);
        };
        const std::string chosen = dir / "base.bmp";
        EXPECT_TRUE(CommandSplit([&](std::string& p) { p = chosen; return true; })) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name << host.OnlyText();
        EXPECT_EQ(FormatCode(), FmtG16) << r.name;
        EXPECT_FALSE(host.modified) << r.name;
        EXPECT_EQ(host.refreshes, std::vector<Display>{D::FormatDescription}) << r.name;
        EXPECT_EQ(CurrentGrid(), grid) << r.name; // the heightmap is not changed
        std::set<std::string> expectedFiles;
        for (const Tile& t : r.tiles) {
            char name[16];
            std::snprintf(name, sizeof name, "base%02d.bmp", t.number);
            expectedFiles.insert(name);
            TileImage img = ReadTile(dir / name);
            ASSERT_EQ(img.width, r.tw) << r.name << " " << name;
            ASSERT_EQ(img.height, r.th) << r.name << " " << name;
            for (int32_t y = 0; y < r.th; ++y)
                for (int32_t x = 0; x < r.tw; ++x)
                    ASSERT_EQ(img.samples[size_t(y) * r.tw + x],
                              uint16_t(grid[size_t(t.firstY - 1 + y) * r.W + (t.firstX - 1 + x)]))
                        << r.name << " " << name << " at " << x << "," << y;
        }
        std::set<std::string> written;
        for (const auto& e : std::filesystem::directory_iterator(dir.Path())) written.insert(e.path().filename().string());
        EXPECT_EQ(written, expectedFiles) << r.name;
    }
}

TEST(Split, NamesAndBackups)
{
    EXPECT_EQ(SplitTileName("C:\\maps\\tile.bmp", 0), "C:\\maps\\tile00.bmp");
    EXPECT_EQ(SplitTileName("/maps/tile.bmp", 15), "/maps/tile15.bmp");
    EXPECT_EQ(SplitTileName("tile.bmp", 3), "tile03.bmp");

    TestHost host;
    TempDir dir;
    LoadGrid(4, 4, Coded(4, 4));
    WriteFileText(dir / "tile00.bmp", "old tile");
    host.onDialog = Confirm({{3, int32_t(2)}, {4, int32_t(1)}, {5, int32_t(2)}, {6, int32_t(4)}, {7, false}});
    EXPECT_TRUE(CommandSplit([&](std::string& p) { p = dir / "tile.bmp"; return true; }));
    EXPECT_EQ(ReadFileText(dir / "tile00.bak"), "old tile");
    EXPECT_EQ(ReadTile(dir / "tile00.bmp").width, 2);
    EXPECT_EQ(ReadTile(dir / "tile01.bmp").width, 2);

    // A cancelled save dialog writes nothing.
    host.Clear();
    EXPECT_FALSE(CommandSplit([](std::string&) { return false; }));
    EXPECT_TRUE(host.enableCalls.empty());
}

// ---- stitch -------------------------------------------------------------------------------

namespace {

void WriteSection(const std::string& path, int32_t w, int32_t h, int32_t base)
{
    std::vector<int32_t> s;
    for (int32_t i = 0; i < w * h; ++i) s.push_back(base + i);
    LoadGrid(w, h, s);
    ASSERT_TRUE(SaveFileByType(path));
    ClearHeightmap();
}

} // namespace

TEST(Stitch, Layouts)
{
    TempDir dir;
    const std::string a = dir / "a.hmb", b = dir / "b.hmb", c = dir / "c.hmb", d = dir / "d.hmb";
    const std::string small = dir / "small.hmb", wide = dir / "wide.hmb";
    {
        TestHost setup;
        WriteSection(a, 2, 2, 100);   // 100 101 / 102 103
        WriteSection(b, 2, 2, 200);
        WriteSection(c, 2, 2, 300);
        WriteSection(d, 2, 2, 400);
        WriteSection(small, 1, 1, 500);
        WriteSection(wide, 300, 1, 0);
    }
    const struct {
        const char* name;
        std::array<std::string, 4> paths;
        bool merged;
        int32_t w, h;
        std::vector<int32_t> grid;
    } rows[] = {
        {"horizontal", {a, b, "", ""}, true, 4, 2, {100, 101, 200, 201, 102, 103, 202, 203}},
        {"vertical", {a, "", c, ""}, true, 2, 4, {100, 101, 102, 103, 300, 301, 302, 303}},
        {"square", {a, b, c, d}, true, 4, 4,
         {100, 101, 200, 201, 102, 103, 202, 203, 300, 301, 400, 401, 302, 303, 402, 403}},
        // midpoint of 100..500 pads the spare area of the smaller section
        {"smaller section padded", {a, b, c, small}, true, 4, 4,
         {100, 101, 200, 201, 102, 103, 202, 203, 300, 301, 500, 300, 302, 303, 300, 300}},
        {"too wide", {wide, wide, "", ""}, false, 0, 0, {}},
        {"unreadable section", {a, dir / "missing.hmb", "", ""}, false, 0, 0, {}},
    };
    for (const auto& r : rows) {
        TestHost host;
        host.onDialog = [&](DialogId id) {
            EXPECT_EQ(id, DialogId::Stitch);
            for (int i = 0; i < 4; ++i) SetDialogResult(i + 1, r.paths[i]);
            SetDialogCancelled(false);
        };
        bool marked = false;
        EXPECT_EQ(CommandStitch([&] { marked = true; }), r.merged) << r.name;
        EXPECT_EQ(marked, r.merged) << r.name;
        EXPECT_EQ(HeightmapLoaded(), r.merged) << r.name;
        EXPECT_EQ(host.modified, r.merged) << r.name;
        // the open dispatch toggles the commands for each section in between
        ASSERT_GE(host.enableCalls.size(), 2u) << r.name;
        EXPECT_FALSE(host.enableCalls.front()) << r.name;
        EXPECT_TRUE(host.enableCalls.back()) << r.name;
        if (!r.merged) {
            EXPECT_EQ(host.messages.size(), 1u) << r.name;
            continue;
        }
        EXPECT_TRUE(host.messages.empty()) << r.name << host.OnlyText();
        EXPECT_EQ(HeightmapWidth(), r.w) << r.name;
        EXPECT_EQ(HeightmapHeight(), r.h) << r.name;
        EXPECT_EQ(CurrentGrid(), r.grid) << r.name;
        EXPECT_EQ(FormatCode(), FmtHmb) << r.name;
        EXPECT_EQ(host.refreshes, kResize) << r.name;
    }
}

TEST(Stitch, TooLargeIsTheResolutionMessage)
{
    TempDir dir;
    {
        TestHost setup;
        WriteSection(dir / "w.hmb", 300, 1, 0);
    }
    TestHost host;
    EXPECT_FALSE(StitchHeightmaps({dir / "w.hmb", dir / "w.hmb", "", ""}));
    ASSERT_EQ(host.Count("info"), 1u);
    EXPECT_EQ(host.messages[0].text, "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 600 x 1.\r\n"
                                     "Height resolutions up to 513x513 are supported.");
    EXPECT_FALSE(HeightmapLoaded());
}
