// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "heightmap/MapHeight.h"
#include "shell/RunTimeError.h"

using namespace tolv;
using namespace tolv::test;

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
