// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The heightmap store, and the transforms case by case from tests/core/data/transforms.txt.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <sstream>

#include "TempDir.h"
#include "TestHost.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Globals.h"
#include "shell/RunTimeError.h"

using namespace tolv;
using namespace tolv::test;

namespace {

struct Map {
    int32_t w = 0, h = 0;
    std::vector<int32_t> samples;
};

// "WxH s1 s2 ..."
Map ReadMap(std::istream& in)
{
    Map m;
    char x = 0;
    in >> m.w >> x >> m.h;
    for (int32_t v; in >> v;) m.samples.push_back(v);
    return m;
}

// Runs one operation of tests/core/data/transforms.txt with its values.
bool RunOperation(const std::string& op, std::istream& values)
{
    auto next = [&] {
        int32_t v = 0;
        values >> v;
        return v;
    };
    GlobalSettings& g = Globals();
    if (op == "scale") {
        g.scaleMethod = next(), g.scalePercent = next(), g.scaleUpper = next(), g.scaleLower = next();
        return ScaleHeightmap();
    }
    if (op == "resample") return g.resampleFactor = next(), g.resampleMethod = next(), ResampleHeightmap();
    if (op == "interpolate") return g.interpolationFactor = next(), InterpolateHeightmap();
    if (op == "move") return MoveHeightmap(next());
    if (op == "invert") return InvertHeightmap(next());
    // clang-format off
    const std::map<std::string, int32_t> anchors = {{"lt", TrimLeftTop}, {"lb", TrimLeftBottom}, {"rt", TrimRightTop},
                                                    {"rb", TrimRightBottom}, {"c", TrimCenter}};
    const std::map<std::string, bool (*)()> orientation = {{"flip-h", FlipHeightmapHorizontal}, {"flip-v",
        FlipHeightmapVertical}, {"rotate-ccw", RotateHeightmapCCW}, {"rotate-cw", RotateHeightmapCW}, {"crop", CropHeightmap}};
    // clang-format on
    if (op != "trim") return orientation.at(op)();
    std::string anchor;
    values >> anchor;
    const int32_t w = next();
    return TrimHeightmap(anchors.at(anchor), w, next());
}

} // namespace

TEST(Transforms, CasesFromTheTable)
{
    std::ifstream file(std::string(TOLV_SOURCE_DIR) + "/tests/core/data/transforms.txt");
    ASSERT_TRUE(file) << "tests/core/data/transforms.txt";
    int cases = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(line);
        ++cases;
        std::istringstream parts(line);
        std::string command, before, after;
        std::getline(parts, command, '|');
        std::getline(parts, before, '|');
        std::getline(parts, after);
        std::istringstream beforeIn(before), afterIn(after), commandIn(command);
        const Map start = ReadMap(beforeIn);
        std::string op, result, rest;
        commandIn >> op;
        afterIn >> result >> std::ws;
        std::getline(afterIn, rest);
        TestHost host;
        LoadGrid(start.w, start.h, start.samples);
        EXPECT_EQ(RunOperation(op, commandIn), result == "true");
        Map end = start; // the map as it was, unless the line gives another
        const size_t number = rest.find(' ', 6);
        if (rest.starts_with("error ")) {
            EXPECT_TRUE(host.OnlyText().starts_with(rest.substr(number + 1) +
                                                    "\r\n\r\nError Number: " + rest.substr(6, number - 6) + "\r\n"))
                << host.OnlyText();
        } else {
            EXPECT_EQ(host.Said(), "");
            std::istringstream map(rest);
            if (!rest.empty()) end = ReadMap(map);
        }
        EXPECT_EQ(std::tuple(HeightmapWidth(), HeightmapHeight(), CurrentGrid()),
                  std::tuple(end.w, end.h, end.samples));
        // The statistics describe the map as it now is.
        auto stats = [] {
            return std::array{MinAltitude(), MaxAltitude(), MeanAltitude(), MidAltitude(), AltitudeRange()};
        };
        const auto kept = stats();
        UpdateHeightmapStatistics();
        EXPECT_EQ(kept, stats());
    }
    EXPECT_GT(cases, 50);
}

// Cases too large for the table.
TEST(Transforms, LargeMaps)
{
    TestHost host;
    LoadGrid(513, 513, Coded(513, 513));
    ASSERT_TRUE(CropHeightmap());
    EXPECT_EQ(CurrentGrid(), Coded(256, 256));
    for (auto op : {RotateHeightmapCW, RotateHeightmapCW, FlipHeightmapVertical, RotateHeightmapCCW,
                    FlipHeightmapHorizontal, RotateHeightmapCW, FlipHeightmapHorizontal, FlipHeightmapVertical})
        ASSERT_TRUE(op());
    EXPECT_EQ(CurrentGrid(), Coded(256, 256)); // each undoes another, sizes included

    LoadGrid(16, 16, Coded(16, 16));
    Globals().interpolationFactor = 32;
    ASSERT_TRUE(InterpolateHeightmap());
    ASSERT_EQ(std::pair(HeightmapWidth(), HeightmapHeight()), std::pair(512, 512));
    for (int32_t y = 1; y <= 16; ++y) // every original sample keeps its altitude, now 32 apart
        for (int32_t x = 1; x <= 16; ++x) ASSERT_EQ(GetAltitude(32 * x - 31, 32 * y - 31), 1000 * y + x);
    EXPECT_EQ(GetAltitude(512, 512), 16016);
    EXPECT_EQ(GetAltitude(2, 2), 1032); // each pass halves it toward (1, 1): 1501, 1251, 1126, 1063, 1032

    LoadGrid(257, 2, Coded(257, 2));
    Globals().interpolationFactor = 2;
    EXPECT_FALSE(InterpolateHeightmap()); // past the size limit
    EXPECT_EQ(host.OnlyText().rfind("An error occurred interpolating the heightmap.", 0), 0u);
    EXPECT_EQ(CurrentGrid(), Coded(257, 2));

    LoadGrid(512, 512, Coded(512, 512));
    Globals().resampleFactor = 32;
    Globals().resampleMethod = 1;
    ASSERT_TRUE(ResampleHeightmap());
    ASSERT_EQ(HeightmapWidth(), 16);
    // row 1 + 32 k, columns 1..32 average to 1000 y + 16.5, rounded to even
    EXPECT_EQ(GetAltitude(1, 1), 1016);
    EXPECT_EQ(GetAltitude(2, 2), 33048);
}

TEST(Transforms, VarianceOneStaysBetweenNeighboursAndVaries)
{
    TestHost host;
    // halving truncates toward zero
    EXPECT_EQ(std::tuple(InterpolatePoint(3, 8), InterpolatePoint(8, 3), InterpolatePoint(-7, 0)),
              std::tuple(5, 5, -4));
    SeedInterpolationRandom(12345);
    std::vector<int32_t> start;
    for (int32_t i = 0; i < 32 * 32; ++i) start.push_back((i * 7919) % 60000);
    Globals().interpolationFactor = 2;
    Globals().interpolationVariance = 1.0f;
    auto between = [](int32_t v, int32_t p, int32_t q) { return v >= std::min(p, q) && v <= std::max(p, q); };
    std::vector<int32_t> first;
    for (int run = 0; run < 2; ++run) {
        LoadGrid(32, 32, start);
        ASSERT_TRUE(InterpolateHeightmap());
        for (int32_t y = 1; y < 32; ++y)
            for (int32_t x = 1; x < 32; ++x) {
                const int32_t a = start[(y - 1) * 32 + x - 1];
                ASSERT_TRUE(between(GetAltitude(2 * x, 2 * y - 1), a, start[(y - 1) * 32 + x])) << x << "," << y;
                ASSERT_TRUE(between(GetAltitude(2 * x - 1, 2 * y), a, start[y * 32 + x - 1])) << x << "," << y;
                ASSERT_TRUE(between(GetAltitude(2 * x, 2 * y), a, start[y * 32 + x])) << x << "," << y;
            }
        if (run == 1) {
            EXPECT_NE(CurrentGrid(), first);
        }
        first = CurrentGrid();
    }
    // one generator, not a clock re-seed: nearly every draw differs from the one before it
    int repeats = 0;
    for (int32_t i = 0, previous = -1; i < 1000; ++i) {
        const int32_t v = InterpolatePoint(0, 1000000);
        repeats += v == previous;
        previous = v;
    }
    EXPECT_LT(repeats, 5);
}

TEST(MapHeight, AllocationAndResolutionChecks)
{
    TestHost host;
    EXPECT_TRUE(AllocateHeightmap(513, 513));
    LoadGrid(2, 1, {7, 9});
    for (auto [w, h] : {std::pair{514, 1}, {1, 514}, {0, 5}, {5, 0}}) { // refused quietly, the grid kept
        EXPECT_FALSE(AllocateHeightmap(w, h)) << w << " x " << h;
        EXPECT_EQ(GetAltitude(2, 1), 9);
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(AllocateHeightmap(-3, 4));
    EXPECT_TRUE(host.Said().starts_with(
        "error: An error occurred allocating the heightmap memory array.\r\n\r\nError Number: 5"));

    host.Clear();
    ClearHeightmap();
    EXPECT_TRUE(CheckHeightmapResolution(0, 0));
    EXPECT_TRUE(CheckHeightmapResolution(513, 513));
    EXPECT_FALSE(CheckHeightmapResolution(600, 400));
    EXPECT_FALSE(CheckHeightmapResolution(513, 514));
    EXPECT_FALSE(BeginHeightmapLoad(0, 7));
    EXPECT_FALSE(HeightmapLoaded());
    const std::string size = "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is ";
    const std::string limit = ".\r\nHeight resolutions up to 513x513 are supported.\n";
    EXPECT_EQ(host.Said(), "info: " + size + "600 x 400" + limit + "info: " + size + "513 x 514" + limit +
                               "warning: " + size + "0 x 7.");
    EXPECT_EQ(host.messages[0].caption, "TOLV");
}

TEST(MapHeight, Statistics)
{
    const struct {
        const char* name;
        std::vector<int32_t> samples; // one row
        int32_t min, max, mean, mid, range;
    } rows[] = {
        {"0 and 65535", {0, 65535}, 0, 65535, 32768, 32768, 65536},
        {"flat 100", {100, 100, 100, 100}, 100, 100, 100, 100, 0},
        {"all above 65535", {70000, 70000}, 65535, 70000, 70000, 67768, 4466},
        {"all negative", {-4, -2}, -4, 0, -3, -2, 5},
        {"mean halves to even", {2, 3}, 2, 3, 2, 2, 2},
        {"mid halves to even", {0, 5}, 0, 5, 2, 2, 6},
        {"one apart", {9, 10, 10}, 9, 10, 10, 10, 2},
        {"range wider than 32 bits", {INT32_MIN, INT32_MAX}, INT32_MIN, INT32_MAX, 0, 0, INT32_MAX},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        LoadGrid(static_cast<int32_t>(r.samples.size()), 1, r.samples);
        EXPECT_EQ(std::tuple(MinAltitude(), MaxAltitude(), MeanAltitude(), MidAltitude(), AltitudeRange()),
                  std::tuple(r.min, r.max, r.mean, r.mid, r.range));
    }
    // The sum is kept in single precision: over 513 x 513 samples of 65535 it overshoots by one.
    TestHost host;
    LoadGrid(513, 513, std::vector<int32_t>(513 * 513, 65535));
    EXPECT_EQ(MeanAltitude(), 65536);
}

TEST(MapHeight, AccessOutsideTheGrid)
{
    TestHost host;
    UpdateHeightmapStatistics(); // nothing loaded: nothing to do
    EXPECT_EQ(MinAltitude(), 0);
    EXPECT_EQ(GetAltitude(1, 1), 0);

    LoadGrid(3, 2, {1, 2, 3, 4, 5, 6}, 7);
    EXPECT_EQ(GetAltitude(0, 0), 1); // reading clamps the position
    EXPECT_EQ(GetAltitude(8, 1), 3);
    EXPECT_EQ(GetAltitude(-9, 99), 4);
    EXPECT_EQ(GetAltitude(3, 2), 6);
    for (auto [x, y] : {std::pair{4, 1}, {1, 3}, {0, 1}, {1, 0}}) { // writing does not
        try {
            SetAltitude(x, y, 5);
            ADD_FAILURE() << "no error raised at " << x << "," << y;
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.Number(), 9);
        }
    }
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
    ClearHeightmap();
    EXPECT_EQ(std::tuple(GetAltitude(1, 1), HeightmapLoaded(), HeightmapWidth(), MaxAltitude(), FormatCode()),
              std::tuple(0, false, 0, 0, 0));
}

TEST(MapHeight, LiftNegativeAltitudes)
{
    TestHost host;
    const std::pair<std::vector<int32_t>, std::vector<int32_t>> rows[] = {
        {{-10, 0, 20}, {0, 10, 30}}, {{5, 70000}, {5, 4464}}, {{-65536, 65535}, {0, 65535}}};
    for (const auto& [samples, lifted] : rows) {
        LoadGrid(static_cast<int32_t>(samples.size()), 1, samples);
        LiftNegativeAltitudes();
        EXPECT_EQ(CurrentGrid(), lifted);
    }
}
