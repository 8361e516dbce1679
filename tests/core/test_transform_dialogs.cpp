// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The transform dialogs' rules: lists, clamps, exchanges and previews. The widget tests only
// check that each dialog shows what these say and returns what the user chose.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "TempDir.h"
#include "heightmap/FrmAltitudeRules.h"
#include "heightmap/FrmResolutionRules.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/FrmTrimRules.h"

using namespace tolv;
using namespace tolv::test;

namespace {
std::vector<int32_t> Values(const std::vector<ComboEntry>& entries)
{
    std::vector<int32_t> v;
    for (const ComboEntry& e : entries) v.push_back(e.value);
    return v;
}
} // namespace

TEST(FrmScale, FieldsChecksAndPreview)
{
    for (int32_t method : {0, 1, 2, 3}) {
        const ScaleFieldsEnabled e = ScaleEnabledFields(method);
        EXPECT_EQ(std::tuple(e.percent, e.high, e.low), std::tuple(method == 2, method == 3, method == 3)) << method;
    }
    const std::pair<const char*, const char*> percents[] = {{"", "1"},      {"0", "1"},      {"1", "1"},
                                                            {"999", "999"}, {"1000", "999"}, {"99999999999", "999"}};
    for (auto [in, out] : percents) EXPECT_EQ(CheckScalePercent(in), out) << in;
    const std::array<std::string, 4> altitudes[] = {// high, low typed; high, low after the check
                                                    {"", "", "65535", "0"},
                                                    {"70000", "5", "65535", "5"},
                                                    {"100", "900", "900", "100"},
                                                    {"5", "5", "5", "5"}};
    for (const auto& a : altitudes) {
        std::string high = a[0], low = a[1];
        CheckScaleAltitudes(high, low);
        EXPECT_EQ(high + " " + low, a[2] + " " + a[3]) << a[0] << " " << a[1];
    }
    const struct {
        int32_t method, oldLow, oldHigh;
        const char* percent;
        int32_t high, low;
    } previews[] = {{0, 1000, 3000, "100", 255, 0},    {1, 1000, 3000, "100", 65535, 0},
                    {2, 1000, 3000, "50", 2500, 1500}, {2, 1000, 3000, "200", 4001, 0}, // low end stops at 0
                    {2, 0, 65535, "999", 65535, 0},    {3, 1000, 3000, "100", 900, 100}};
    for (const auto& r : previews) {
        const ScalePreview p = ComputeScalePreview(r.method, r.oldLow, r.oldHigh, r.percent, "900", "100");
        EXPECT_EQ(std::pair(p.newHigh, p.newLow), std::pair(r.high, r.low)) << r.method << " " << r.percent;
    }
    const ScaleDialogState s = FillScaleDialog({1000, 3000, 7, 0, 900, -5}); // unknown method, 0 %, below 0
    EXPECT_EQ(std::tuple(s.method, s.percent, s.high, s.low), std::tuple(0, "1", "900", "0"));
}

TEST(FrmMove, BasesScrollBarAndPreview)
{
    const MoveSetup s = ComputeMoveSetup(100, 200);
    EXPECT_EQ(std::tuple(s.span, s.topBase, s.scrollMax, s.scrollStart), std::tuple(101, 65435, 32717, 32717));
    for (auto [method, base] : {std::pair{0, 65435}, {1, 32718}, {2, 0}, {3, 77}})
        EXPECT_EQ(MoveNewBase(method, s, "77"), base) << method;
    for (auto [typed, kept] : {std::pair{"", "0"}, {"70000", "65435"}, {"65435", "65435"}, {"1001", "1001"}})
        EXPECT_EQ(CheckMoveUserBase(typed, s), kept) << typed;
    EXPECT_EQ(MoveBaseFromScroll(s, 10), 65415); // two altitudes a step, the highest base at the top
    EXPECT_EQ(MoveScrollFromBase(s, 1001), 32217);

    // Boxes as "top..bottom r,g,b" with y = 65536 - altitude: old span, new span, their overlap.
    auto boxes = [](int32_t lowest, int32_t highest, int32_t newBase) {
        std::string text;
        for (const MovePreviewBox& b : MovePreviewBoxes(ComputeMoveSetup(lowest, highest), newBase))
            text += std::to_string(b.yTop) + ".." + std::to_string(b.yBottom) + " " + std::to_string(b.r) + "," +
                    std::to_string(b.g) + "," + std::to_string(b.b) + "; ";
        return text;
    };
    EXPECT_EQ(boxes(100, 200, 150), "65335..65436 102,102,102; 65285..65386 51,102,153; 65335..65386 0,51,102; ");
    EXPECT_EQ(boxes(0, 29999, 35536), "35536..65536 102,102,102; 0..30000 51,102,153; ");
    EXPECT_EQ(boxes(0, 29999, 0), "35536..65536 102,102,102; 35536..65536 51,102,153; 35536..65536 0,51,102; ");
}

TEST(FrmInvert, TheTruncatedAndTheSixteenBitMidpoint)
{
    EXPECT_EQ(InvertEntries(100, 201), (std::vector<ComboEntry>{{"midpoint of current heightmap (150)", 150},
                                                                {"midpoint of 16-bit heightmap (32767)", 32767}}));
    EXPECT_EQ(InvertEntries(0, 65535)[0].value, 32767); // the statistics round to 32768
}

TEST(FrmResolution, FactorListsAtTheSizeLimitsAndTheVarianceField)
{
    const struct {
        int32_t w, h;
        std::vector<int32_t> interpolate, resample;
    } rows[] = {{16, 16, {2, 4, 8, 16, 32}, {}},   {256, 64, {2}, {2, 4}}, {1, 1, {2, 4, 8, 16, 32}, {}},
                {512, 512, {}, {2, 4, 8, 16, 32}}, {512, 32, {}, {2}},     {33, 17, {2, 4, 8}, {}},
                {257, 255, {}, {2, 4, 8}},         {0, 16, {}, {}}};
    for (const auto& r : rows) {
        EXPECT_EQ(Values(InterpolateFactorEntries(r.w, r.h)), r.interpolate) << r.w << "x" << r.h;
        EXPECT_EQ(Values(ResampleFactorEntries(r.w, r.h)), r.resample) << r.w << "x" << r.h;
    }
    EXPECT_EQ(InterpolateFactorEntries(256, 64).at(0).text, "2x = 512 x 128");
    EXPECT_EQ(ResampleFactorEntries(256, 64).at(1).text, "\xC3\xB7"
                                                         "4 = 64 x 16");
    EXPECT_EQ(SelectEntryIndex(ResampleMethodEntries(), 1), 1);
    EXPECT_EQ(SelectEntryIndex(ResampleMethodEntries(), 5), 0);

    const std::pair<const char*, const char*> variances[] = {
        {"", "0.0"}, {"0", "0.0"}, {"0.5", "0.5"}, {"1", "1.0"}, {"1.7", "1.0"}, {".3", "0.3"}, {"0.25", "0.2"}};
    for (auto [in, out] : variances) EXPECT_EQ(NormaliseVarianceText(in), out) << in;
    bool valid = true;
    EXPECT_EQ(NormaliseVarianceText("1.2.3", &valid), "0.0");
    EXPECT_FALSE(valid);
    EXPECT_EQ(VarianceFieldText(0.75f), "0.8");
}

TEST(FrmTrimAndSplit, ListsAndChecks)
{
    // clang-format off
    const std::pair<int32_t, std::vector<int32_t>> lists[] = {
        {257, {256, 128, 64, 32, 16}}, {513, {512, 256, 128, 64, 32, 16}}, {200, {128, 64, 32, 16}}, {40, {32, 16}}, {16, {16}},
        {15, {}}};
    for (const auto& [dimension, entries] : lists) EXPECT_EQ(TrimSizeEntries(dimension), entries) << dimension;
    EXPECT_EQ(TrimInitialText(15), "15");
    EXPECT_EQ(TrimInitialText(300), "256");
    for (auto [typed, kept] : {std::pair{"", "300"}, {"0", "300"}, {"999", "300"}, {"300", "300"}, {"100", "100"}})
        EXPECT_EQ(CheckTrimDimension(typed, 300), kept) << typed;

    for (auto [w, c, tile] : {std::tuple{513, 2, 256}, {1, 1, 1}, {3, 4, 0}, {256, 3, 85}, {5, 0, 0}}) {
        const SplitTileSize t = ComputeSplitTileSize(w, w, c, c);
        EXPECT_EQ(std::pair(t.width, t.height), std::pair(tile, tile)) << w << " " << c;
    }
}

TEST(FrmStitch, OkChecks)
{
    TempDir dir;
    const std::string a = dir / "a.hmb", b = dir / "b.hmb", c = dir / "c.hmb", d = dir / "d.hmb";
    for (const std::string& p : {a, b, c, d}) WriteFileText(p, "x");
    const std::string missing = dir / "missing.hmb";
    const struct {
        const char* name;
        std::array<std::string, 4> paths;
        int failedBox;
        std::string warning;
    } rows[] = {
        {"all four", {a, b, c, d}, -1, ""},
        {"one and two", {a, b, "", ""}, -1, ""},
        {"one and three", {a, "", c, ""}, -1, ""},
        {"only the first", {a, "", "", ""}, 1, "The specified second section file does not exist.\r\n\"\""},
        {"first empty", {"", b, "", ""}, 0, "The specified first section file does not exist.\r\n\"\""},
        {"missing third", {a, b, missing, d}, 2,
         "The specified third section file does not exist.\r\n\"" + missing + "\""},
        {"one, two and three", {a, b, c, ""}, 3, "The specified fourth section file does not exist.\r\n\"\""},
    };
    // clang-format on
    for (const auto& r : rows) {
        const StitchCheck check = CheckStitchSections(r.paths);
        EXPECT_EQ(std::tuple(check.ok, check.failedBox, check.warning),
                  std::tuple(r.failedBox < 0, r.failedBox, r.warning))
            << r.name;
    }
    EXPECT_EQ(StitchFilledMask({"", b, "", d}), 0b1010);
}
