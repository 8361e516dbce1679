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

// The one error box an operation shows, checked by its first lines.
void ExpectError(const TestHost& host, const std::string& start)
{
    ASSERT_EQ(host.Count("error"), 1u) << start;
    EXPECT_EQ(host.messages[0].text.rfind(start, 0), 0u) << host.messages[0].text;
}

} // namespace

// The exact 4 x 2 results are pinned with the commands; here the orientation operations must undo
// themselves on an odd-sized map, and crop must keep the statistics of the kept quadrant only.
TEST(Orientation, RepeatedOperationsGiveTheStartBackAndCropKeepsAQuadrant)
{
    const std::pair<std::function<bool()>, int> rows[] = {
        {FlipHeightmapHorizontal, 2}, {FlipHeightmapVertical, 2}, {RotateHeightmapCCW, 4}, {RotateHeightmapCW, 4}};
    for (const auto& [op, times] : rows) {
        TestHost host;
        LoadGrid(5, 3, Coded(5, 3));
        for (int i = 0; i < times; ++i) {
            ASSERT_TRUE(op());
            EXPECT_EQ(HeightmapWidth(), times == 4 && i % 2 == 0 ? 3 : 5);
        }
        EXPECT_EQ(CurrentGrid(), Coded(5, 3)) << times;
    }

    TestHost host;
    LoadGrid(513, 513, Coded(513, 513));
    ASSERT_TRUE(CropHeightmap());
    EXPECT_EQ(HeightmapWidth(), 256);
    EXPECT_EQ(HeightmapHeight(), 256);
    EXPECT_EQ(GetAltitude(256, 256), 256256);
    EXPECT_EQ(MaxAltitude(), 256256); // the kept quadrant only
    EXPECT_EQ(MinAltitude(), 1001);
}

TEST(Altitude, Scale)
{
    const struct {
        const char* name;
        std::vector<int32_t> samples;
        int32_t method, percent, upper, lower;
        bool result;
        std::vector<int32_t> expected;
        const char* error = nullptr;
    } rows[] = {
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
        {"overflow leaves the map", {0, 1000000000, 2000000000}, 2, 200, 0, 0, false, {0, 1000000000, 2000000000},
         "An error occurred scaling the heightmap.\r\n\r\nError Number: 6\r\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        LoadGrid(static_cast<int32_t>(r.samples.size()), 1, r.samples);
        Globals().scaleMethod = r.method;
        Globals().scalePercent = r.percent;
        Globals().scaleUpper = r.upper;
        Globals().scaleLower = r.lower;
        EXPECT_EQ(ScaleHeightmap(), r.result);
        EXPECT_EQ(CurrentGrid(), r.expected);
        if (r.error) {
            ExpectError(host, r.error);
        } else {
            EXPECT_TRUE(host.messages.empty());
        }
    }
}

TEST(Altitude, MoveAndInvert)
{
    const struct {
        std::vector<int32_t> samples;
        int32_t base;
        bool result;
        std::vector<int32_t> expected;
    } moves[] = {
        {{100, 150, 200}, 65435, true, {65435, 65485, 65535}}, {{100, 150, 200}, 32718, true, {32718, 32768, 32818}},
        {{100, 150, 200}, 0, true, {0, 50, 100}},              {{100, 150, 200}, 100, true, {100, 150, 200}},
        {{0, 2147483000}, 1000, false, {0, 2147483000}}, // overflow: reported, nothing moved
    };
    for (const auto& r : moves) {
        TestHost host;
        LoadGrid(static_cast<int32_t>(r.samples.size()), 1, r.samples);
        EXPECT_EQ(MoveHeightmap(r.base), r.result) << r.base;
        EXPECT_EQ(CurrentGrid(), r.expected) << r.base;
        EXPECT_EQ(MinAltitude(), r.expected.front()) << r.base;
        if (!r.result) {
            ExpectError(host, "An error occurred moving the heightmap.\r\n\r\nError Number: 6\r\n");
        }
    }

    const struct {
        std::vector<int32_t> samples;
        int32_t mid;
        bool result;
        std::vector<int32_t> expected;
    } inverts[] = {
        {{100, 200, 149, 150, 151}, 150, true, {201, 101, 152, 150, 150}},
        {{0, 65535, 32767, 1000}, 32767, true, {65535, 0, 32767, 64535}},
        {{1, 65535}, 32768, true, {0, 2}}, // wraps to the low 16 bits
        {{5, 5}, 5, false, {5, 5}},
    };
    for (const auto& r : inverts) {
        TestHost host;
        LoadGrid(static_cast<int32_t>(r.samples.size()), 1, r.samples);
        EXPECT_EQ(InvertHeightmap(r.mid), r.result) << r.mid;
        EXPECT_EQ(CurrentGrid(), r.expected) << r.mid;
    }
}

TEST(Resolution, Interpolate)
{
    TestHost host;
    EXPECT_EQ(InterpolatePoint(3, 8), 5);
    EXPECT_EQ(InterpolatePoint(8, 3), 5);
    EXPECT_EQ(InterpolatePoint(-7, 0), -4); // halving truncates toward zero

    LoadGrid(2, 2, {0, 100, 200, 300});
    Globals().interpolationFactor = 2;
    ASSERT_TRUE(InterpolateHeightmap());
    EXPECT_EQ(HeightmapWidth(), 4);
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 50, 100, 100, 100, 150, 100, 100, 200, 200, 300, 300, 200,
                                                   200, 300, 300}));
    EXPECT_EQ(MaxAltitude(), 300);

    LoadGrid(16, 16, Coded(16, 16));
    Globals().interpolationFactor = 32;
    ASSERT_TRUE(InterpolateHeightmap());
    ASSERT_EQ(HeightmapWidth(), 512);
    ASSERT_EQ(HeightmapHeight(), 512);
    for (int32_t y = 1; y <= 16; ++y) // every original sample keeps its altitude, now 32 apart
        for (int32_t x = 1; x <= 16; ++x) EXPECT_EQ(GetAltitude(32 * x - 31, 32 * y - 31), 1000 * y + x);
    const std::vector<int32_t> first = CurrentGrid();
    LoadGrid(16, 16, Coded(16, 16));
    ASSERT_TRUE(InterpolateHeightmap());
    EXPECT_EQ(CurrentGrid(), first); // variance 0 is reproducible

    host.Clear();
    LoadGrid(257, 2, Coded(257, 2));
    Globals().interpolationFactor = 2;
    EXPECT_FALSE(InterpolateHeightmap()); // past the size limit
    ExpectError(host, "An error occurred interpolating the heightmap.");
    EXPECT_EQ(CurrentGrid(), Coded(257, 2));
}

TEST(Resolution, VarianceOneStaysBetweenNeighboursAndVaries)
{
    TestHost host;
    SeedInterpolationRandom(12345);
    std::vector<int32_t> start;
    for (int32_t i = 0; i < 32 * 32; ++i) start.push_back((i * 7919) % 60000);
    Globals().interpolationFactor = 2;
    Globals().interpolationVariance = 1.0f;
    auto between = [](int32_t v, int32_t p, int32_t q) { return v >= std::min(p, q) && v <= std::max(p, q); };
    std::vector<std::vector<int32_t>> runs;
    for (int run = 0; run < 2; ++run) {
        LoadGrid(32, 32, start);
        ASSERT_TRUE(InterpolateHeightmap());
        for (int32_t y = 1; y < 32; ++y)
            for (int32_t x = 1; x < 32; ++x) {
                const int32_t a = start[(y - 1) * 32 + x - 1], b = start[(y - 1) * 32 + x];
                const int32_t c = start[y * 32 + x - 1], d = start[y * 32 + x];
                ASSERT_TRUE(between(GetAltitude(2 * x, 2 * y - 1), a, b)) << x << "," << y;
                ASSERT_TRUE(between(GetAltitude(2 * x - 1, 2 * y), a, c)) << x << "," << y;
                ASSERT_TRUE(between(GetAltitude(2 * x, 2 * y), a, d)) << x << "," << y;
            }
        runs.push_back(CurrentGrid());
    }
    EXPECT_NE(runs[0], runs[1]);
    // one generator, not a clock re-seed: nearly every draw differs from the one before it
    int repeats = 0;
    int32_t previous = InterpolatePoint(0, 1000000);
    for (int i = 0; i < 1000; ++i) {
        const int32_t v = InterpolatePoint(0, 1000000);
        repeats += v == previous;
        previous = v;
    }
    EXPECT_LT(repeats, 5);
}

TEST(Resolution, Resample)
{
    const std::vector<int32_t> k4x2 = {1, 2, 3, 4, 5, 6, 7, 8};
    const struct {
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
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        LoadGrid(4, 2, k4x2);
        Globals().resampleFactor = r.factor;
        Globals().resampleMethod = r.method;
        EXPECT_EQ(ResampleHeightmap(), r.result);
        EXPECT_EQ(HeightmapWidth(), r.w);
        EXPECT_EQ(HeightmapHeight(), r.h);
        EXPECT_EQ(CurrentGrid(), r.expected);
        EXPECT_TRUE(host.messages.empty());
    }
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

TEST(Trim, Anchors)
{
    const struct {
        const char* name;
        int32_t W, H, anchor, w, h;
        int32_t firstX, firstY;
    } rows[] = {
        {"257 centre", 257, 257, TrimCenter, 256, 256, 1, 1},
        {"257 left/top", 257, 257, TrimLeftTop, 256, 256, 2, 2},
        {"257 left/bottom", 257, 257, TrimLeftBottom, 256, 256, 2, 1},
        {"257 right/top", 257, 257, TrimRightTop, 256, 256, 1, 2},
        {"257 right/bottom", 257, 257, TrimRightBottom, 256, 256, 1, 1},
        {"513 centre to 510", 513, 513, TrimCenter, 510, 510, 2, 2},
        {"513 to 512 x 256 centre", 513, 513, TrimCenter, 512, 256, 1, 129},
        {"300 x 200 left/top", 300, 200, TrimLeftTop, 37, 200, 264, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        LoadGrid(r.W, r.H, Coded(r.W, r.H));
        EXPECT_TRUE(TrimHeightmap(r.anchor, r.w, r.h));
        ASSERT_EQ(HeightmapWidth(), r.w);
        ASSERT_EQ(HeightmapHeight(), r.h);
        const int32_t last = 1000 * (r.firstY + r.h - 1) + r.firstX + r.w - 1;
        EXPECT_EQ(GetAltitude(1, 1), 1000 * r.firstY + r.firstX);
        EXPECT_EQ(GetAltitude(r.w, r.h), last);
        EXPECT_EQ(MaxAltitude(), last);
        EXPECT_TRUE(host.messages.empty());
    }

    TestHost host;
    LoadGrid(5, 4, Coded(5, 4));
    EXPECT_FALSE(TrimHeightmap(TrimCenter, 5, 4)); // the same size does nothing
    EXPECT_TRUE(host.messages.empty());
    for (auto [w, h] : {std::pair{6, 4}, {5, 9}, {0, 2}}) {
        host.Clear();
        EXPECT_FALSE(TrimHeightmap(TrimRightBottom, w, h));
        ExpectError(host, "An error occurred trimming the heightmap.\r\n\r\nError Number: 9");
        EXPECT_EQ(CurrentGrid(), Coded(5, 4));
    }
}
