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

TEST(MapHeight, AllocationAndResolutionChecks)
{
    TestHost host;
    LoadGrid(2, 1, {7, 9});
    EXPECT_TRUE(AllocateHeightmap(513, 513));
    LoadGrid(2, 1, {7, 9});
    for (auto [w, h] : {std::pair{514, 1}, {1, 514}, {0, 5}, {5, 0}}) { // refused quietly, the grid kept
        EXPECT_FALSE(AllocateHeightmap(w, h)) << w << " x " << h;
        EXPECT_EQ(GetAltitude(2, 1), 9);
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(AllocateHeightmap(-3, 4));
    ASSERT_EQ(host.Count("error"), 1u);
    EXPECT_EQ(host.messages[0].text.rfind(
                  "An error occurred allocating the heightmap memory array.\r\n\r\nError Number: 5\r\n", 0),
              0u);

    host.Clear();
    ClearHeightmap();
    EXPECT_TRUE(CheckHeightmapResolution(0, 0));
    EXPECT_TRUE(CheckHeightmapResolution(513, 513));
    EXPECT_FALSE(CheckHeightmapResolution(600, 400));
    EXPECT_FALSE(BeginHeightmapLoad(0, 7));
    EXPECT_FALSE(HeightmapLoaded());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].kind, "info");
    EXPECT_EQ(host.messages[0].caption, "TOLV");
    EXPECT_EQ(host.messages[0].text, "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 600 x 400.\r\n"
                                     "Height resolutions up to 513x513 are supported.");
    EXPECT_EQ(host.messages[1].text, "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 0 x 7.");
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
        {"range wider than 32 bits", {INT32_MIN, INT32_MAX}, INT32_MIN, INT32_MAX, 0, 0, INT32_MAX},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        LoadGrid(static_cast<int32_t>(r.samples.size()), 1, r.samples);
        EXPECT_EQ(MinAltitude(), r.min);
        EXPECT_EQ(MaxAltitude(), r.max);
        EXPECT_EQ(MeanAltitude(), r.mean);
        EXPECT_EQ(MidAltitude(), r.mid);
        EXPECT_EQ(AltitudeRange(), r.range);
    }

    // 513 x 513 samples of 65535 sum to about 1.7e10, where a float step is 2048: the single-precision
    // accumulator stalls long before that and the mean comes out far too low.
    TestHost host;
    std::vector<int32_t> s(513 * 513, 65535);
    LoadGrid(513, 513, s);
    float sum = 0;
    for (size_t i = 0; i < s.size(); ++i) sum += 65535.0f;
    EXPECT_EQ(MeanAltitude(), static_cast<int32_t>(std::nearbyint(static_cast<double>(sum) / s.size())));
    EXPECT_NE(MeanAltitude(), 65535);
}

TEST(MapHeight, AccessOutsideTheGrid)
{
    TestHost host;
    UpdateHeightmapStatistics(); // nothing loaded: nothing to do
    EXPECT_EQ(MaxAltitude(), 0);
    EXPECT_EQ(GetAltitude(1, 1), 0);

    LoadGrid(3, 2, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(GetAltitude(0, 0), 1); // reading clamps the position
    EXPECT_EQ(GetAltitude(8, 1), 3);
    EXPECT_EQ(GetAltitude(-9, 99), 4);
    try { // writing does not
        SetAltitude(4, 1, 5);
        FAIL() << "no error raised";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), 9);
    }
    ClearHeightmap();
    EXPECT_EQ(GetAltitude(1, 1), 0);
    EXPECT_FALSE(HeightmapLoaded());
    EXPECT_EQ(HeightmapWidth(), 0);
    EXPECT_EQ(FormatCode(), 0);
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
