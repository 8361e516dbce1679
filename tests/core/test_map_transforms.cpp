// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TempDir.h"
#include "TestHost.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Globals.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// A grid whose samples tell where they came from: 1000 x row + column.
std::vector<int32_t> Coded(int32_t w, int32_t h)
{
    std::vector<int32_t> v;
    for (int32_t y = 1; y <= h; ++y)
        for (int32_t x = 1; x <= w; ++x) v.push_back(1000 * y + x);
    return v;
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

const std::vector<int32_t> k4x2 = {1, 2, 3, 4, 5, 6, 7, 8};

} // namespace

struct OrientRow {
    const char* name;
    std::function<bool()> op;
    int32_t w, h;
    std::vector<int32_t> expected;
};

TEST(Orientation, FourByTwoCases)
{
    const OrientRow rows[] = {
        {"flip h", FlipHeightmapHorizontal, 4, 2, {4, 3, 2, 1, 8, 7, 6, 5}},
        {"flip v", FlipHeightmapVertical, 4, 2, {5, 6, 7, 8, 1, 2, 3, 4}},
        {"rotate ccw", RotateHeightmapCCW, 2, 4, {4, 8, 3, 7, 2, 6, 1, 5}},
        {"rotate cw", RotateHeightmapCW, 2, 4, {5, 1, 6, 2, 7, 3, 8, 4}},
        {"crop", CropHeightmap, 2, 1, {1, 2}},
    };
    for (const OrientRow& r : rows) {
        TestHost host;
        LoadGrid(4, 2, k4x2);
        EXPECT_TRUE(r.op()) << r.name;
        EXPECT_EQ(HeightmapWidth(), r.w) << r.name;
        EXPECT_EQ(HeightmapHeight(), r.h) << r.name;
        EXPECT_EQ(CurrentGrid(), r.expected) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Orientation, RepeatedOperationsGiveTheStartBackAndKeepStatistics)
{
    const std::pair<const char*, std::function<bool()>> rows[] = {
        {"flip h", FlipHeightmapHorizontal}, {"flip v", FlipHeightmapVertical},
        {"rotate ccw", RotateHeightmapCCW},  {"rotate cw", RotateHeightmapCW}};
    for (const auto& [name, op] : rows) {
        TestHost host;
        LoadGrid(5, 3, Coded(5, 3));
        const int32_t lo = MinAltitude(), hi = MaxAltitude(), mean = MeanAltitude();
        const int times = std::string(name).rfind("flip", 0) == 0 ? 2 : 4;
        for (int i = 0; i < times; ++i) {
            ASSERT_TRUE(op()) << name;
            EXPECT_EQ(MinAltitude(), lo) << name;
            EXPECT_EQ(MaxAltitude(), hi) << name;
            EXPECT_EQ(MeanAltitude(), mean) << name;
            if (i == 0 && times == 4) {
                EXPECT_EQ(HeightmapWidth(), 3) << name;
            }
        }
        EXPECT_EQ(HeightmapWidth(), 5) << name;
        EXPECT_EQ(HeightmapHeight(), 3) << name;
        EXPECT_EQ(CurrentGrid(), Coded(5, 3)) << name;
    }
}

TEST(Orientation, CropSizesAndStatistics)
{
    TestHost host;
    LoadGrid(513, 513, Coded(513, 513));
    ASSERT_TRUE(CropHeightmap());
    EXPECT_EQ(HeightmapWidth(), 256);
    EXPECT_EQ(HeightmapHeight(), 256);
    EXPECT_EQ(GetAltitude(256, 256), 256256);
    EXPECT_EQ(MaxAltitude(), 256256); // the kept quadrant only
    EXPECT_EQ(MinAltitude(), 1001);

    LoadGrid(5, 3, Coded(5, 3));
    ASSERT_TRUE(CropHeightmap());
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1001, 1002}));
    EXPECT_EQ(MaxAltitude(), 1002);
}

TEST(Orientation, CropOfOneColumnFailsAndKeepsTheGrid)
{
    TestHost host;
    LoadGrid(1, 8, Coded(1, 8));
    EXPECT_FALSE(CropHeightmap());
    ASSERT_EQ(host.Count("error"), 1u);
    EXPECT_TRUE(StartsWith(host.messages[0].text, "An error occurred cropping the heightmap.\r\n\r\nError Number: 9\r\n"));
    EXPECT_EQ(HeightmapWidth(), 1);
    EXPECT_EQ(HeightmapHeight(), 8);
    EXPECT_EQ(CurrentGrid(), Coded(1, 8));
}

struct ScaleRow {
    const char* name;
    std::vector<int32_t> samples;
    int32_t method, percent, upper, lower;
    bool result;
    std::vector<int32_t> expected;
};

TEST(Altitude, Scale)
{
    const ScaleRow rows[] = {
        {"8-bit, float factor keeps 2000 at 127", {1000, 2000, 3000}, 0, 100, 65535, 0, true, {0, 127, 255}},
        {"16-bit", {1000, 2000, 3000}, 1, 100, 65535, 0, true, {0, 32768, 65535}},
        {"8-bit on 0..255", {0, 100, 255}, 0, 100, 65535, 0, false, {0, 100, 255}},
        {"16-bit on 0..65535", {0, 100, 65535}, 1, 100, 65535, 0, false, {0, 100, 65535}},
        {"200 %", {1000, 2000, 3000}, 2, 200, 0, 0, true, {0, 2000, 4000}},
        {"50 %", {1000, 2000, 3000}, 2, 50, 0, 0, true, {1500, 2000, 2500}},
        {"300 % clamps both ends", {0, 30000, 60000}, 2, 300, 0, 0, true, {0, 30000, 65535}},
        {"150 % on a full span", {0, 65535}, 2, 150, 0, 0, false, {0, 65535}},
        {"50 % on a full span", {0, 32767, 65535}, 2, 50, 0, 0, true, {16383, 32767, 49151}},
        {"100 % does nothing", {1, 2, 3}, 2, 100, 0, 0, false, {1, 2, 3}},
        {"1000 % refused", {1, 2, 3}, 2, 1000, 0, 0, false, {1, 2, 3}},
        {"0 % refused", {1, 2, 3}, 2, 0, 0, 0, false, {1, 2, 3}},
        {"range 100..500", {0, 500, 1000}, 3, 100, 500, 100, true, {100, 300, 500}},
        {"range unchanged", {0, 500, 1000}, 3, 100, 1000, 0, false, {0, 500, 1000}},
        {"flat map", {7, 7, 7}, 1, 100, 65535, 0, false, {7, 7, 7}},
        {"unknown method only updates", {1, 2, 3}, 9, 100, 65535, 0, true, {1, 2, 3}},
    };
    for (const ScaleRow& r : rows) {
        TestHost host;
        LoadGrid(static_cast<int32_t>(r.samples.size()), 1, r.samples);
        Globals().scaleMethod = r.method;
        Globals().scalePercent = r.percent;
        Globals().scaleUpper = r.upper;
        Globals().scaleLower = r.lower;
        EXPECT_EQ(ScaleHeightmap(), r.result) << r.name;
        EXPECT_EQ(CurrentGrid(), r.expected) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Altitude, ScaleOverflowReportsAndLeavesTheMapUnchanged)
{
    TestHost host;
    LoadGrid(3, 1, {0, 1000000000, 2000000000});
    Globals().scaleMethod = 2;
    Globals().scalePercent = 200;
    EXPECT_FALSE(ScaleHeightmap());
    ASSERT_EQ(host.Count("error"), 1u);
    EXPECT_TRUE(StartsWith(host.messages[0].text, "An error occurred scaling the heightmap.\r\n\r\nError Number: 6\r\n"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 1000000000, 2000000000}));
}

struct MoveRow {
    const char* name;
    int32_t base;
    std::vector<int32_t> expected;
};

TEST(Altitude, Move)
{
    const MoveRow rows[] = {
        {"highest base", 65435, {65435, 65485, 65535}},
        {"midpoint base", 32718, {32718, 32768, 32818}},
        {"lowest base", 0, {0, 50, 100}},
        {"to where it is", 100, {100, 150, 200}},
    };
    for (const MoveRow& r : rows) {
        TestHost host;
        LoadGrid(3, 1, {100, 150, 200});
        EXPECT_TRUE(MoveHeightmap(r.base)) << r.name;
        EXPECT_EQ(CurrentGrid(), r.expected) << r.name;
        EXPECT_EQ(MinAltitude(), r.expected.front()) << r.name;
    }
    TestHost host;
    LoadGrid(2, 1, {0, 2147483000});
    EXPECT_FALSE(MoveHeightmap(1000));
    EXPECT_TRUE(StartsWith(host.OnlyText(), "An error occurred moving the heightmap.\r\n\r\nError Number: 6\r\n"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 2147483000}));
}

TEST(Altitude, Invert)
{
    struct Row {
        const char* name;
        std::vector<int32_t> samples;
        int32_t mid;
        std::vector<int32_t> expected;
    } rows[] = {
        {"span 100..200 around 150", {100, 200, 149, 150, 151}, 150, {201, 101, 152, 150, 150}},
        {"16-bit midpoint", {0, 65535, 32767, 1000}, 32767, {65535, 0, 32767, 64535}},
        {"wraps to the low 16 bits", {1, 65535}, 32768, {0, 2}},
    };
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(static_cast<int32_t>(r.samples.size()), 1, r.samples);
        EXPECT_TRUE(InvertHeightmap(r.mid)) << r.name;
        EXPECT_EQ(CurrentGrid(), r.expected) << r.name;
    }
    TestHost host;
    LoadGrid(2, 1, {5, 5});
    EXPECT_FALSE(InvertHeightmap(5));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{5, 5}));
}

TEST(Resolution, InterpolateTwoByTwo)
{
    TestHost host;
    LoadGrid(2, 2, {0, 100, 200, 300});
    Globals().interpolationFactor = 2;
    ASSERT_TRUE(InterpolateHeightmap());
    EXPECT_EQ(HeightmapWidth(), 4);
    EXPECT_EQ(HeightmapHeight(), 4);
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 50, 100, 100, 100, 150, 100, 100, 200, 200, 300, 300, 200,
                                                   200, 300, 300}));
    EXPECT_EQ(MaxAltitude(), 300);
}

TEST(Resolution, InterpolatePointWithoutVariance)
{
    TestHost host;
    EXPECT_EQ(InterpolatePoint(3, 8), 5);
    EXPECT_EQ(InterpolatePoint(8, 3), 5);
    EXPECT_EQ(InterpolatePoint(-7, 0), -4); // halving truncates toward zero
    EXPECT_EQ(InterpolatePoint(9, 9), 9);
}

TEST(Resolution, InterpolateBy32FromSixteen)
{
    TestHost host;
    std::vector<int32_t> start = Coded(16, 16);
    LoadGrid(16, 16, start);
    Globals().interpolationFactor = 32;
    ASSERT_TRUE(InterpolateHeightmap());
    ASSERT_EQ(HeightmapWidth(), 512);
    ASSERT_EQ(HeightmapHeight(), 512);
    // every original sample keeps its altitude, now 32 apart
    for (int32_t y = 1; y <= 16; ++y)
        for (int32_t x = 1; x <= 16; ++x) EXPECT_EQ(GetAltitude(32 * x - 31, 32 * y - 31), 1000 * y + x);
    std::vector<int32_t> first = CurrentGrid();
    LoadGrid(16, 16, start);
    ASSERT_TRUE(InterpolateHeightmap());
    EXPECT_EQ(CurrentGrid(), first); // variance 0 is reproducible
}

TEST(Resolution, VarianceOneStaysBetweenNeighboursAndVaries)
{
    TestHost host;
    SeedInterpolationRandom(12345);
    std::vector<int32_t> start;
    for (int32_t i = 0; i < 32 * 32; ++i) start.push_back((i * 7919) % 60000);
    Globals().interpolationFactor = 2;
    Globals().interpolationVariance = 1.0f;
    std::vector<std::vector<int32_t>> runs;
    for (int run = 0; run < 2; ++run) {
        LoadGrid(32, 32, start);
        ASSERT_TRUE(InterpolateHeightmap());
        for (int32_t y = 1; y < 32; ++y) {
            for (int32_t x = 1; x < 32; ++x) {
                const int32_t a = start[(y - 1) * 32 + x - 1], b = start[(y - 1) * 32 + x];
                const int32_t c = start[y * 32 + x - 1], d = start[y * 32 + x];
                auto between = [](int32_t v, int32_t p, int32_t q) { return v >= std::min(p, q) && v <= std::max(p, q); };
                ASSERT_TRUE(between(GetAltitude(2 * x, 2 * y - 1), a, b)) << x << "," << y;
                ASSERT_TRUE(between(GetAltitude(2 * x - 1, 2 * y), a, c)) << x << "," << y;
                ASSERT_TRUE(between(GetAltitude(2 * x, 2 * y), a, d)) << x << "," << y;
            }
        }
        runs.push_back(CurrentGrid());
    }
    EXPECT_NE(runs[0], runs[1]);
    // one generator, not a clock re-seed: nearly every draw differs from the one before it
    Globals().interpolationVariance = 1.0f;
    int repeats = 0;
    int32_t previous = InterpolatePoint(0, 1000000);
    for (int i = 0; i < 1000; ++i) {
        const int32_t v = InterpolatePoint(0, 1000000);
        repeats += v == previous;
        previous = v;
    }
    EXPECT_LT(repeats, 5);
}

TEST(Resolution, InterpolatePastTheSizeLimitIsRefused)
{
    TestHost host;
    LoadGrid(257, 2, Coded(257, 2));
    Globals().interpolationFactor = 2;
    EXPECT_FALSE(InterpolateHeightmap());
    EXPECT_TRUE(StartsWith(host.OnlyText(), "An error occurred interpolating the heightmap."));
    EXPECT_EQ(HeightmapWidth(), 257);
    EXPECT_EQ(CurrentGrid(), Coded(257, 2));
}

TEST(Resolution, Resample)
{
    struct Row {
        const char* name;
        int32_t factor, method;
        bool result;
        int32_t w, h;
        std::vector<int32_t> expected;
    } rows[] = {
        {"cut", 2, 0, true, 2, 1, {1, 3}},
        {"average rounds halves to even", 2, 1, true, 2, 1, {2, 4}},
        {"unknown method gives zeros", 2, 7, true, 2, 1, {0, 0}},
        {"factor 3 refused", 3, 0, false, 4, 2, k4x2},
    };
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(4, 2, k4x2);
        Globals().resampleFactor = r.factor;
        Globals().resampleMethod = r.method;
        EXPECT_EQ(ResampleHeightmap(), r.result) << r.name;
        EXPECT_EQ(HeightmapWidth(), r.w) << r.name;
        EXPECT_EQ(HeightmapHeight(), r.h) << r.name;
        EXPECT_EQ(CurrentGrid(), r.expected) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Resolution, ResampleByThirtyTwoAveragesRows)
{
    TestHost host;
    LoadGrid(512, 512, Coded(512, 512));
    Globals().resampleFactor = 32;
    Globals().resampleMethod = 1;
    ASSERT_TRUE(ResampleHeightmap());
    ASSERT_EQ(HeightmapWidth(), 16);
    // row 1 + 32 k, columns 1..32 average to 1000 y + 16.5, rounded to even
    EXPECT_EQ(GetAltitude(1, 1), 1016);
    EXPECT_EQ(GetAltitude(2, 2), 33000 + 48);
}

struct TrimRow {
    const char* name;
    int32_t W, H, anchor, w, h;
    int32_t firstX, firstY;
};

TEST(Trim, Anchors)
{
    const TrimRow rows[] = {
        {"257 centre", 257, 257, TrimCenter, 256, 256, 1, 1},
        {"257 left/top", 257, 257, TrimLeftTop, 256, 256, 2, 2},
        {"257 left/bottom", 257, 257, TrimLeftBottom, 256, 256, 2, 1},
        {"257 right/top", 257, 257, TrimRightTop, 256, 256, 1, 2},
        {"257 right/bottom", 257, 257, TrimRightBottom, 256, 256, 1, 1},
        {"513 centre to 510", 513, 513, TrimCenter, 510, 510, 2, 2},
        {"513 to 512 x 256 centre", 513, 513, TrimCenter, 512, 256, 1, 129},
        {"300 x 200 left/top", 300, 200, TrimLeftTop, 37, 200, 264, 1},
    };
    for (const TrimRow& r : rows) {
        TestHost host;
        LoadGrid(r.W, r.H, Coded(r.W, r.H));
        EXPECT_TRUE(TrimHeightmap(r.anchor, r.w, r.h)) << r.name;
        ASSERT_EQ(HeightmapWidth(), r.w) << r.name;
        ASSERT_EQ(HeightmapHeight(), r.h) << r.name;
        EXPECT_EQ(GetAltitude(1, 1), 1000 * r.firstY + r.firstX) << r.name;
        EXPECT_EQ(GetAltitude(r.w, r.h), 1000 * (r.firstY + r.h - 1) + r.firstX + r.w - 1) << r.name;
        EXPECT_EQ(MaxAltitude(), 1000 * (r.firstY + r.h - 1) + r.firstX + r.w - 1) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Trim, SameSizeDoesNothingAndLargerFails)
{
    TestHost host;
    LoadGrid(5, 4, Coded(5, 4));
    EXPECT_FALSE(TrimHeightmap(TrimCenter, 5, 4));
    EXPECT_TRUE(host.messages.empty());
    for (auto [w, h] : {std::pair{6, 4}, {5, 9}, {0, 2}}) {
        host.Clear();
        EXPECT_FALSE(TrimHeightmap(TrimRightBottom, w, h));
        EXPECT_TRUE(StartsWith(host.OnlyText(), "An error occurred trimming the heightmap.\r\n\r\nError Number: 9"));
        EXPECT_EQ(HeightmapWidth(), 5);
        EXPECT_EQ(CurrentGrid(), Coded(5, 4));
    }
}
