// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The map commands' frame (dialog, stored settings, refreshes, modified flag, cancel), when each
// is offered, and the split and stitch commands, whose tiles and merges are tested only here.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/CommandTable.h"
#include "heightmap/FrmAltitudeRules.h"
#include "heightmap/FrmResolutionRules.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/FrmTrimRules.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
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
const std::vector<Display> kFlip = {D::Preview, D::FormatDescription, D::ClearHeightReadout};
const std::vector<Display> kTurn = {D::Preview, D::FormatDescription, D::Resolution, D::ClearHeightReadout};
const std::vector<Display> kResample = {D::Preview,    D::AltitudeBar, D::FormatDescription,
                                        D::Resolution, D::Statistics,  D::ClearHeightReadout};

// A dialog script: checks what the dialog is given, then confirms it with result.
template <class Params, class Result>
std::function<void()> Given(const std::string& params, Result result)
{
    return [=] {
        EXPECT_EQ(SlotText(ReadDialogParams<Params>()), params);
        ConfirmDialog(result);
    };
}

// The settings the commands store: scale | move | interpolate | resample.
std::string Stored()
{
    const GlobalSettings& g = Globals();
    return SlotText(ScaleResult{g.scaleMethod, std::to_string(g.scalePercent), std::to_string(g.scaleUpper),
                                std::to_string(g.scaleLower)}) +
           "|" + SlotText(MoveResult{g.moveMethod, g.moveBase}) + "|" +
           SlotText(InterpolateResult{DialogValue(g.interpolationVariance).AsString(), g.interpolationFactor}) + "|" +
           SlotText(ResampleResult{g.resampleFactor, g.resampleMethod});
}
const std::string kDefaults = "1 100 65535 0|1 0|0 2|2 0";

bool Split(const std::string& path) // the save dialog answered with path
{
    return CommandSplit({.askSavePath = [&](std::string& p) {
        p = path;
        return true;
    }});
}

} // namespace

TEST(MapCommands, EachRunsInsideTheFrameAndGivesTheExactResult)
{
    const std::vector<int32_t> k4x2 = {1, 2, 3, 4, 5, 6, 7, 8};
    const struct {
        std::function<bool()> command;
        std::function<void()> dialog;
        int32_t w, h;
        std::vector<int32_t> start;
        const char* progress;
        std::vector<Display> refreshes;
        int32_t newW, newH;
        std::vector<int32_t> expected; // empty: the size is enough
        std::string stored = kDefaults;
        // clang-format off
    } rows[] = {
        {CommandFlipHorizontal, {}, 4, 2, k4x2, "Flipping the Heightmap horizontally...", kFlip, 4, 2,
         {4, 3, 2, 1, 8, 7, 6, 5}},
        {CommandFlipVertical, {}, 4, 2, k4x2, "Flipping the Heightmap vertically...", kFlip, 4, 2,
         {5, 6, 7, 8, 1, 2, 3, 4}},
        {CommandRotateCCW, {}, 4, 2, k4x2, "Rotating the Heightmap 90\xC2\xB0 counter-clockwise...", kTurn, 2, 4,
         {4, 8, 3, 7, 2, 6, 1, 5}},
        {CommandRotateCW, {}, 4, 2, k4x2, "Rotating the Heightmap 90\xC2\xB0 clockwise...", kTurn, 2, 4,
         {5, 1, 6, 2, 7, 3, 8, 4}},
        {CommandCrop, {}, 4, 2, k4x2, "Cropping Heightmap to upper left quadrant...", kResize, 2, 1, {1, 2}},
        {[] { return CommandScale(); },
         Given<ScaleParams>("1000 3000 1 100 65535 0", ScaleResult{2, "50", "900", "100"}), 3, 1,
         {1000, 2000, 3000}, "Scaling Heightmap...", kResize, 3, 1, {1500, 2000, 2500}, "2 50 900 100|1 0|0 2|2 0"},
        {CommandMove, Given<MoveParams>("100 200 1", MoveResult{3, 1000}), 3, 1, {100, 150, 200},
         "Moving heightmap...", kAltitude, 3, 1, {1000, 1050, 1100}, "1 100 65535 0|3 1000|0 2|2 0"},
        {CommandInvert, Given<InvertParams>("0 100", InvertResult{50}), 3, 1, {0, 50, 100},
         "Inverting the Heightmap...", kAltitude, 3, 1, {101, 50, 1}},
        {CommandInterpolate, Given<InterpolateParams>("16 8 0 2", InterpolateResult{"0.5", 4}), 16, 8, Coded(16, 8),
         "Interpolating heightmap by 4x...", kResize, 64, 32, {}, "1 100 65535 0|1 0|0.5 4|2 0"},
        {CommandResample, Given<ResampleParams>("64 128 2 0", ResampleResult{4, 1}), 64, 128, Coded(64, 128),
         "Resampling heightmap to 1/4...", kResample, 16, 32, {}, "1 100 65535 0|1 0|0 2|4 1"},
        {CommandTrim, [] { ConfirmDialog(TrimResult{TrimLeftTop, "30", "31"}); }, 32, 32, Coded(32, 32),
         "Trimming Heightmap...", kResize, 30, 31, Coded(30, 31, 3, 2)},
        // The same size cuts nothing but still counts as a change.
        {CommandTrim, [] { ConfirmDialog(TrimResult{TrimCenter, "3", "2"}); }, 3, 2, Coded(3, 2),
         "Trimming Heightmap...", kResize, 3, 2, Coded(3, 2)},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.progress);
        TestHost host;
        LoadGrid(r.w, r.h, r.start);
        host.onDialog = [&](DialogId) { r.dialog(); };
        EXPECT_TRUE(r.command());
        EXPECT_EQ(host.dialogs.size(), r.dialog ? 1u : 0u);
        EXPECT_EQ(host.enableCalls, (std::vector<bool>{false, true}));
        EXPECT_EQ(host.progress, std::vector<std::string>{r.progress});
        EXPECT_EQ(host.refreshes, r.refreshes);
        // Modified, the arrow back, the slots cleared at the end, nothing said.
        EXPECT_EQ(std::tuple(host.modified, host.CurrentPointer(), DialogCancelled(), host.Said()),
                  std::tuple(true, Pointer::Default, true, ""));
        EXPECT_EQ(std::pair(HeightmapWidth(), HeightmapHeight()), std::pair(r.newW, r.newH));
        if (!r.expected.empty()) {
            EXPECT_EQ(CurrentGrid(), r.expected);
        }
        EXPECT_EQ(Stored(), r.stored);
    }
}

TEST(MapCommands, CancelledOrImpossibleCommandsChangeNothing)
{
    const std::function<bool()> commands[] = {
        [] { return CommandScale(); },    CommandMove, CommandInvert, CommandInterpolate, CommandResample, CommandTrim,
        [] { return Split("never.bmp"); }};
    for (const auto& command : commands) {
        TestHost host;
        LoadGrid(32, 32, Coded(32, 32));
        host.onDialog = [](DialogId) { WriteDialogResult(MoveResult{0, 7}); }; // typed, then cancelled
        EXPECT_FALSE(command());
        EXPECT_EQ(std::tuple(host.dialogs.size(), host.enableCalls.size(), host.modified, host.CurrentPointer()),
                  std::tuple(1u, 0u, false, Pointer::Default));
        EXPECT_EQ(CurrentGrid(), Coded(32, 32));
        EXPECT_EQ(Stored(), kDefaults);
        EXPECT_EQ(SlotText(ReadDialogResult<MoveResult>()), "0 0"); // the slots are cleared
    }

    TestHost host;
    LoadGrid(3, 1, {1000, 2000, 3000});
    host.onDialog = [](DialogId) { ConfirmDialog(ScaleResult{0, "100", "65535", "0"}); };
    EXPECT_FALSE(CommandScale({false, {}})); // no heightmap in the window: the choice is only stored
    EXPECT_EQ(Stored(), "0 100 65535 0|1 0|0 2|2 0");
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1000, 2000, 3000}));

    host.Clear();
    LoadGrid(2, 1, {9, 9});
    EXPECT_FALSE(CommandInvert()); // flat: no dialog, nothing at all
    EXPECT_EQ(host.dialogs.size() + host.enableCalls.size(), 0u);

    // A one-column map cannot be cropped: reported, the grid kept, but the window still refreshes.
    LoadGrid(1, 8, Coded(1, 8));
    CommandCrop();
    EXPECT_TRUE(host.Said().starts_with("error: An error occurred cropping the heightmap.\r\n\r\nError Number: 9\r\n"));
    EXPECT_EQ(CurrentGrid(), Coded(1, 8));
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(host.refreshes, kResize);
}

TEST(MapCommands, Availability)
{
    const struct {
        const char* name;
        int32_t w, h;
        int32_t low, high; // the two samples that set the span
        bool invert, resample, interpolate, move;
    } rows[] = {
        // Each side at each limit once.
        {"512 x 256", 512, 256, 0, 10, true, true, false, true},
        {"256 x 512", 256, 512, 0, 10, true, true, false, true},
        {"16 x 32", 16, 32, 0, 10, true, false, true, true},
        {"32 x 16", 32, 16, 0, 1, true, false, true, true},
        {"513 square", 513, 513, 0, 10, true, false, false, true},
        {"flat", 64, 64, 5, 5, false, true, true, true},
        {"full span", 64, 64, 0, 65535, true, true, true, false},
    };
    auto enabled = [](CommandId id, bool hasHeightmap = true) {
        return CommandEnabled(*FindCommand(id), hasHeightmap);
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        std::vector<int32_t> s(static_cast<size_t>(r.w) * r.h, r.low);
        s.back() = r.high;
        LoadGrid(r.w, r.h, s);
        EXPECT_EQ(std::tuple(enabled(CommandId::Crop), enabled(CommandId::Invert), enabled(CommandId::Resample),
                             enabled(CommandId::Interpolate), enabled(CommandId::Move)),
                  std::tuple(true, r.invert, r.resample, r.interpolate, r.move));
    }
    // Without a heightmap in the window nothing that needs one is offered, whatever is in memory.
    for (CommandId c : {CommandId::Save, CommandId::Invert, CommandId::Move, CommandId::Split, CommandId::Stitch})
        EXPECT_EQ(enabled(c, false), c == CommandId::Stitch);
}

TEST(Split, TileCoverage)
{
    const struct {
        const char* name;
        int32_t W, H, C, R;
        bool seamless;
        int32_t tw, th;
        std::vector<std::pair<int32_t, int32_t>> corners; // of each tile, numbered in this order
        // clang-format off
    } rows[] = {
        {"513 2x2", 513, 513, 2, 2, false, 256, 256, {{1, 1}, {257, 1}, {1, 257}, {257, 257}}},
        // Every neighbour starts on the last column (row) of the one before it.
        {"384x128 3x1 seamless", 384, 128, 3, 1, true, 128, 128, {{1, 1}, {128, 1}, {255, 1}}},
        {"16x12 4x3 seamless", 16, 12, 4, 3, true, 4, 4,
         {{1, 1}, {4, 1}, {7, 1}, {10, 1}, {1, 4}, {4, 4}, {7, 4}, {10, 4}, {1, 7}, {4, 7}, {7, 7}, {10, 7}}},
        {"1x1", 1, 1, 1, 1, false, 1, 1, {{1, 1}}},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        TempDir dir;
        LoadGrid(r.W, r.H, Coded(r.W, r.H), FmtHmb);
        const auto dialog = Given<SplitParams>(std::to_string(r.W) + " " + std::to_string(r.H),
                                               SplitResult{r.C, r.R, r.tw, r.th, r.seamless});
        host.onDialog = [&](DialogId) { dialog(); };
        EXPECT_TRUE(Split(dir / "base.bmp"));
        EXPECT_EQ(host.dialogs, std::vector<DialogId>{DialogId::Split});
        EXPECT_EQ(std::tuple(host.Said(), FormatCode(), host.modified), std::tuple("", FmtG16, false));
        EXPECT_EQ(host.progress, std::vector<std::string>{"Splitting Heightmap..."});
        EXPECT_EQ(host.refreshes, std::vector<Display>{D::FormatDescription});
        EXPECT_EQ(host.enableCalls, (std::vector<bool>{false, true}));
        EXPECT_EQ(CurrentGrid(), Coded(r.W, r.H)); // the heightmap is not changed
        std::set<std::string> names;
        for (const auto& [x, y] : r.corners) { // each tile read back holds its part of the map, in 16 bits
            const std::string name = SplitTileName("base.bmp", int32_t(names.size()));
            names.insert(name);
            std::vector<int32_t> part = Coded(r.tw, r.th, x, y);
            for (int32_t& v : part) v &= 0xFFFF;
            ASSERT_TRUE(OpenFileByType(dir / name)) << name << host.OnlyText();
            EXPECT_EQ(std::pair(HeightmapWidth(), HeightmapHeight()), std::pair(r.tw, r.th)) << name;
            EXPECT_EQ(CurrentGrid(), part) << name;
        }
        EXPECT_EQ(Listing(dir.Path()), names);
    }
}

TEST(Split, NamesAndBackups)
{
    for (auto [chosen, n, tile] : {std::tuple{"C:\\maps\\tile.bmp", 0, "C:\\maps\\tile00.bmp"},
                                   {"/maps/tile.bmp", 15, "/maps/tile15.bmp"},
                                   {"tile.bmp", 3, "tile03.bmp"},
                                   {"/maps/terrain257", 0, "/maps/terrain25700.bmp"}}) // as the dialog proposes it
        EXPECT_EQ(SplitTileName(chosen, n), tile) << chosen;

    TestHost host;
    TempDir dir;
    LoadGrid(4, 4, Coded(4, 4));
    WriteFileText(dir / "tile00.bmp", "old tile");
    host.onDialog = [](DialogId) { ConfirmDialog(SplitResult{2, 1, 2, 4, false}); };
    EXPECT_TRUE(Split(dir / "tile.bmp"));
    EXPECT_EQ(ReadFileText(dir / "tile00.bak"), "old tile");
    ASSERT_TRUE(OpenFileByType(dir / "tile00.bmp"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1001, 1002, 2001, 2002, 3001, 3002, 4001, 4002}));
    // A tile whose old file cannot be moved aside ends the split there, the old file kept.
    WriteFileText(dir / "next00.bmp", "old");
    std::filesystem::create_directories(dir / "next00.bak/inside");
    EXPECT_TRUE(Split(dir / "next.bmp"));
    EXPECT_TRUE(host.Said().starts_with("error: An error occurred renaming the current file as a backup."))
        << host.Said();
    EXPECT_EQ(ReadFileText(dir / "next00.bmp") + "|" + (FileExists(dir / "next01.bmp") ? "written" : ""), "old|");

    host.Clear(); // a cancelled save dialog writes nothing
    EXPECT_FALSE(CommandSplit({.askSavePath = [](std::string&) { return false; }}));
    EXPECT_TRUE(host.enableCalls.empty());
}

TEST(Stitch, Layouts)
{
    TempDir dir;
    const std::string a = dir / "a.hmb", b = dir / "b.hmb", c = dir / "c.hmb", d = dir / "d.hmb";
    const std::string small = dir / "small.hmb", wide = dir / "wide.hmb", row = dir / "row.hmb";
    {
        TestHost setup;
        // clang-format off
        for (auto [path, w, h, base] : {std::tuple{a, 2, 2, 100}, {b, 2, 2, 200}, {c, 2, 2, 300}, {d, 2, 2, 400},
                                        {small, 1, 1, 500}, {wide, 300, 1, 0}, {row, 3, 1, 600}}) {
            // clang-format on
            std::vector<int32_t> s(size_t(w) * h); // a is 100 101 / 102 103
            std::iota(s.begin(), s.end(), base);
            LoadGrid(w, h, s);
            ASSERT_TRUE(SaveFileByType(path));
        }
    }
    const struct {
        const char* name;
        std::array<std::string, 4> paths;
        std::vector<int32_t> grid; // 4 wide; empty: not merged
        std::string message = "";
        // clang-format off
    } rows[] = {
        {"square", {a, b, c, d}, {100, 101, 200, 201, 102, 103, 202, 203, 300, 301, 400, 401, 302, 303, 402, 403}},
        // midpoint of 100..500 pads the spare area of the smaller section
        {"smaller section padded", {a, b, c, small},
         {100, 101, 200, 201, 102, 103, 202, 203, 300, 301, 500, 300, 302, 303, 300, 300}},
        // Each column as wide as its widest section, each row as tall as its tallest.
        {"sections of three sizes", {row, small, a, small}, {600, 601, 602, 500, 100, 101, 351, 500, 102, 103, 351, 351}},
        {"too wide", {wide, wide, "", ""}, {},
         "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 600 x 1.\r\n"
         "Height resolutions up to 513x513 are supported."},
        {"unreadable section", {a, dir / "missing.hmb", "", ""}, {},
         "An error occurred validating the TOLV Binary file header.\r\n\r\nError Number: 53\r\nFile not found"},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        host.onDialog = [&](DialogId id) {
            EXPECT_EQ(id, DialogId::Stitch);
            ConfirmDialog(StitchResult{r.paths});
        };
        const bool merged = !r.grid.empty();
        bool marked = false;
        EXPECT_EQ(CommandStitch([&] { marked = true; }), merged);
        EXPECT_EQ(host.OnlyText(), r.message);
        EXPECT_EQ(std::tuple(marked, HeightmapLoaded(), host.modified), std::tuple(merged, merged, merged));
        // the open dispatch toggles the commands for each section in between
        ASSERT_GE(host.enableCalls.size(), 2u);
        EXPECT_FALSE(host.enableCalls.front());
        EXPECT_TRUE(host.enableCalls.back());
        if (!merged) {
            EXPECT_EQ(host.panels, (std::vector<std::pair<int, std::string>>{{1, ""}})); // no progress left
            continue;
        }
        EXPECT_EQ(HeightmapWidth(), 4);
        EXPECT_EQ(CurrentGrid(), r.grid);
        EXPECT_EQ(FormatCode(), FmtHmb);
        EXPECT_EQ(host.refreshes, kResize);
    }
}
