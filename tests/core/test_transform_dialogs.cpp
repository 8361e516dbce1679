// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The dialogs' rules at the edges the dialog tests do not reach: empty and oversized entries,
// the largest and smallest maps.
#include <gtest/gtest.h>

#include <array>
#include <string>
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
    for (int32_t method : {0, 1}) {
        ScaleFieldsEnabled e = ScaleEnabledFields(method);
        EXPECT_FALSE(e.percent || e.high || e.low) << method;
    }
    const std::pair<const char*, const char*> percents[] = {{"0", "1"}, {"999", "999"}, {"1000", "999"},
                                                            {"99999999999", "999"}};
    for (auto [in, out] : percents) EXPECT_EQ(CheckScalePercent(in), out) << in;
    for (auto [high, low] : {std::pair<std::string, std::string>{"", ""}, {"5", "5"}}) {
        std::string h = high, l = low;
        CheckScaleAltitudes(h, l);
        EXPECT_EQ(h, high.empty() ? "65535" : high);
        EXPECT_EQ(l, low.empty() ? "0" : low);
    }
    const struct {
        int32_t method;
        const char* percent;
        int32_t high, low;
    } rows[] = {{1, "100", 65535, 0}, {2, "50", 2500, 1500}, {3, "100", 900, 100}};
    for (const auto& r : rows) {
        ScalePreview p = ComputeScalePreview(r.method, 1000, 3000, r.percent, "900", "100");
        EXPECT_EQ(p.newHigh, r.high) << r.method << " " << r.percent;
        EXPECT_EQ(p.newLow, r.low) << r.method << " " << r.percent;
    }
    ScaleDialogState s = FillScaleDialog({1000, 3000, 7, 0, 100, 900}); // unknown method, 0 %
    EXPECT_EQ(s.method, 0);
    EXPECT_EQ(s.percent, "1");
}

TEST(FrmMoveAndInvert, Edges)
{
    MoveSetup s = ComputeMoveSetup(100, 200);
    EXPECT_EQ(CheckMoveUserBase("", s), "0");
    EXPECT_EQ(MoveNewBase(3, s, "77"), 77);
    EXPECT_EQ(MoveScrollFromBase(s, 1234), 32100);
    EXPECT_EQ(InvertEntries(0, 65535)[0].value, 32767); // truncates where the statistics round to 32768
}

TEST(FrmResolution, FactorListsAtTheSizeLimits)
{
    const struct {
        int32_t w, h;
        std::vector<int32_t> interpolate, resample;
    } rows[] = {{16, 16, {2, 4, 8, 16, 32}, {}},
                {256, 64, {2}, {2, 4}},
                {1, 1, {2, 4, 8, 16, 32}, {}},
                {512, 512, {}, {2, 4, 8, 16, 32}},
                {512, 32, {}, {2}}};
    for (const auto& r : rows) {
        EXPECT_EQ(Values(InterpolateFactorEntries(r.w, r.h)), r.interpolate) << r.w << "x" << r.h;
        EXPECT_EQ(Values(ResampleFactorEntries(r.w, r.h)), r.resample) << r.w << "x" << r.h;
    }
    EXPECT_EQ(InterpolateFactorEntries(256, 64).at(0).text, "2x = 512 x 128");
    EXPECT_EQ(SelectEntryIndex(ResampleMethodEntries(), 5), 0);

    const std::pair<const char*, const char*> variances[] = {{"", "0.0"},   {"0", "0.0"},  {"0.5", "0.5"}, {"1", "1.0"},
                                                             {"1.7", "1.0"}, {".3", "0.3"}, {"0.25", "0.2"}};
    for (auto [in, out] : variances) EXPECT_EQ(NormaliseVarianceText(in), out) << in;
    bool valid = true;
    EXPECT_EQ(NormaliseVarianceText("1.2.3", &valid), "0.0");
    EXPECT_FALSE(valid);
    EXPECT_EQ(VarianceFieldText(0.75f), "0.8");
}

TEST(FrmTrimAndSplit, Edges)
{
    EXPECT_EQ(TrimSizeEntries(257), (std::vector<int32_t>{256, 128, 64, 32, 16}));
    EXPECT_EQ(TrimSizeEntries(513), (std::vector<int32_t>{512, 256, 128, 64, 32, 16}));
    EXPECT_TRUE(TrimSizeEntries(15).empty());
    EXPECT_EQ(TrimInitialText(15), "15");
    EXPECT_EQ(CheckTrimDimension("", 257), "257");
    EXPECT_EQ(CheckTrimDimension("100", 257), "100");

    for (auto [w, c, tile] : {std::tuple{513, 2, 256}, {1, 1, 1}, {3, 4, 0}}) {
        SplitTileSize t = ComputeSplitTileSize(w, w, c, c);
        EXPECT_EQ(t.width, tile) << w << " " << c;
        EXPECT_EQ(t.height, tile) << w << " " << c;
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
    for (const auto& r : rows) {
        StitchCheck check = CheckStitchSections(r.paths);
        EXPECT_EQ(check.ok, r.failedBox < 0) << r.name;
        EXPECT_EQ(check.failedBox, r.failedBox) << r.name;
        EXPECT_EQ(check.warning, r.warning) << r.name;
    }
}
