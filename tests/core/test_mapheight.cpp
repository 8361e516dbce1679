// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <cmath>

#include "TempDir.h"
#include "TestHost.h"
#include "heightmap/MapHeight.h"
#include "shell/RunTimeError.h"

using namespace tolv;
using namespace tolv::test;

TEST(MapHeight, AllocateRefusesZeroAndOversizeWithoutMessageAndKeepsGrid)
{
    TestHost host;
    LoadGrid(2, 1, {7, 9});
    EXPECT_TRUE(AllocateHeightmap(513, 513));
    LoadGrid(2, 1, {7, 9});
    for (auto [w, h] : {std::pair{514, 1}, {1, 514}, {0, 5}, {5, 0}}) {
        EXPECT_FALSE(AllocateHeightmap(w, h)) << w << " x " << h;
        EXPECT_EQ(GetAltitude(2, 1), 9);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST(MapHeight, NegativeAllocationIsAnErrorReport)
{
    TestHost host;
    EXPECT_FALSE(AllocateHeightmap(-3, 4));
    ASSERT_EQ(host.Count("error"), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("An error occurred allocating the heightmap memory array.\r\n\r\nError Number: 5\r\n", 0), 0u);
}

TEST(MapHeight, ResolutionCheckMessage)
{
    TestHost host;
    EXPECT_TRUE(CheckHeightmapResolution(0, 0));
    EXPECT_TRUE(CheckHeightmapResolution(513, 513));
    EXPECT_FALSE(CheckHeightmapResolution(600, 400));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, "info");
    EXPECT_EQ(host.messages[0].caption, "TOLV");
    EXPECT_EQ(host.messages[0].text, "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 600 x 400.\r\n"
                                     "Height resolutions up to 513x513 are supported.");
}

struct StatsRow {
    const char* name;
    int32_t w, h;
    std::vector<int32_t> samples;
    int32_t min, max, mean, mid, range;
};

TEST(MapHeight, Statistics)
{
    const StatsRow rows[] = {
        {"0 and 65535", 2, 1, {0, 65535}, 0, 65535, 32768, 32768, 65536},
        {"flat 100", 2, 2, {100, 100, 100, 100}, 100, 100, 100, 100, 0},
        {"all above 65535", 2, 1, {70000, 70000}, 65535, 70000, 70000, 67768, 4466},
        {"all negative", 2, 1, {-4, -2}, -4, 0, -3, -2, 5},
        {"mean halves to even", 2, 1, {2, 3}, 2, 3, 2, 2, 2},
        {"mid halves to even", 2, 1, {0, 5}, 0, 5, 2, 2, 6},
        {"range wider than 32 bits", 2, 1, {INT32_MIN, INT32_MAX}, INT32_MIN, INT32_MAX, 0, 0, INT32_MAX},
    };
    for (const StatsRow& r : rows) {
        TestHost host;
        LoadGrid(r.w, r.h, r.samples);
        EXPECT_EQ(MinAltitude(), r.min) << r.name;
        EXPECT_EQ(MaxAltitude(), r.max) << r.name;
        EXPECT_EQ(MeanAltitude(), r.mean) << r.name;
        EXPECT_EQ(MidAltitude(), r.mid) << r.name;
        EXPECT_EQ(AltitudeRange(), r.range) << r.name;
    }
}

TEST(MapHeight, MeanUsesSinglePrecisionAccumulator)
{
    TestHost host;
    // 513 x 513 samples of 65535 sum to about 1.7e10, where a float step is 2048: the float
    // accumulator stalls long before that and the mean comes out far too low.
    std::vector<int32_t> s(513 * 513, 65535);
    LoadGrid(513, 513, s);
    float sum = 0;
    for (size_t i = 0; i < s.size(); ++i) sum += 65535.0f;
    EXPECT_EQ(MeanAltitude(), static_cast<int32_t>(std::nearbyint(static_cast<double>(sum) / s.size())));
    EXPECT_NE(MeanAltitude(), 65535);
}

TEST(MapHeight, StatisticsDoNothingWhenEmpty)
{
    TestHost host;
    UpdateHeightmapStatistics();
    EXPECT_EQ(MinAltitude(), 0);
    EXPECT_EQ(MaxAltitude(), 0);
    EXPECT_EQ(GetAltitude(1, 1), 0);
}

TEST(MapHeight, GetAltitudeClampsPosition)
{
    TestHost host;
    LoadGrid(3, 2, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(GetAltitude(0, 0), 1);
    EXPECT_EQ(GetAltitude(3 + 5, 1), 3);
    EXPECT_EQ(GetAltitude(-9, 99), 4);
    ClearHeightmap();
    EXPECT_EQ(GetAltitude(1, 1), 0);
    EXPECT_FALSE(HeightmapLoaded());
    EXPECT_EQ(HeightmapWidth(), 0);
    EXPECT_EQ(FormatCode(), 0);
}

TEST(MapHeight, SetAltitudeOutsideGridRaisesSubscript)
{
    TestHost host;
    LoadGrid(2, 2, {0, 0, 0, 0});
    try {
        SetAltitude(3, 1, 5);
        FAIL() << "no error raised";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), 9);
    }
}

TEST(MapHeight, LiftNegativeAltitudes)
{
    TestHost host;
    LoadGrid(3, 1, {-10, 0, 20});
    LiftNegativeAltitudes();
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{0, 10, 30}));
    LoadGrid(2, 1, {5, 70000});
    LiftNegativeAltitudes();
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{5, 4464}));
}

TEST(MapHeight, BeginLoadRefusesEmptySizesWithAMessage)
{
    TestHost host;
    EXPECT_FALSE(BeginHeightmapLoad(0, 7));
    EXPECT_EQ(host.OnlyText(), "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 0 x 7.");
    EXPECT_FALSE(HeightmapLoaded());
}
