// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
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

TEST(FrmScale, EnablingRule)
{
    const struct {
        int32_t method;
        bool percent, high, low;
    } rows[] = {{0, false, false, false}, {1, false, false, false}, {2, true, false, false}, {3, false, true, true}};
    for (const auto& r : rows) {
        ScaleFieldsEnabled e = ScaleEnabledFields(r.method);
        EXPECT_EQ(e.percent, r.percent) << r.method;
        EXPECT_EQ(e.high, r.high) << r.method;
        EXPECT_EQ(e.low, r.low) << r.method;
    }
}

TEST(FrmScale, FieldChecks)
{
    const std::pair<const char*, const char*> percents[] = {{"", "1"}, {"0", "1"}, {"50", "50"}, {"999", "999"},
                                                            {"1000", "999"}, {"99999999999", "999"}};
    for (auto [in, out] : percents) EXPECT_EQ(CheckScalePercent(in), out) << in;

    const struct {
        const char *high, *low, *newHigh, *newLow;
    } alts[] = {{"70000", "0", "65535", "0"}, {"100", "900", "900", "100"}, {"", "", "65535", "0"},
                {"5", "5", "5", "5"}};
    for (const auto& r : alts) {
        std::string h = r.high, l = r.low;
        CheckScaleAltitudes(h, l);
        EXPECT_EQ(h, r.newHigh) << r.high << " " << r.low;
        EXPECT_EQ(l, r.newLow) << r.high << " " << r.low;
    }
}

TEST(FrmScale, Preview)
{
    const struct {
        int32_t method;
        const char* percent;
        int32_t high, low;
    } rows[] = {{0, "100", 255, 0}, {1, "100", 65535, 0}, {2, "200", 4001, 0}, {2, "50", 2500, 1500},
                {3, "100", 900, 100}};
    for (const auto& r : rows) {
        ScalePreview p = ComputeScalePreview(r.method, 1000, 3000, r.percent, "900", "100");
        EXPECT_EQ(p.newHigh, r.high) << r.method << " " << r.percent;
        EXPECT_EQ(p.newLow, r.low) << r.method << " " << r.percent;
    }
    ScaleDialogState s = FillScaleDialog(1000, 3000, 7, 0, 100, 900);
    EXPECT_EQ(s.method, 0);
    EXPECT_EQ(s.percent, "1");
    EXPECT_EQ(s.high, "900");
    EXPECT_EQ(s.low, "100");
}

TEST(FrmMove, BasesAndScrollBar)
{
    MoveSetup s = ComputeMoveSetup(100, 200);
    EXPECT_EQ(s.span, 101);
    EXPECT_EQ(s.topBase, 65435);
    EXPECT_EQ(s.scrollMax, 32717);
    EXPECT_EQ(s.scrollStart, 32717);
    const std::pair<int32_t, int32_t> bases[] = {{0, 65435}, {1, 32718}, {2, 0}};
    for (auto [method, base] : bases) EXPECT_EQ(MoveNewBase(method, s, "77"), base) << method;
    EXPECT_EQ(MoveNewBase(3, s, "77"), 77);
    EXPECT_TRUE(MoveUserBaseEnabled(3));
    EXPECT_FALSE(MoveUserBaseEnabled(1));
    EXPECT_EQ(CheckMoveUserBase("", s), "0");
    EXPECT_EQ(CheckMoveUserBase("70000", s), "65435");
    EXPECT_EQ(CheckMoveUserBase("1234", s), "1234");
    EXPECT_EQ(MoveBaseFromScroll(s, 0), 65435);
    EXPECT_EQ(MoveBaseFromScroll(s, 10), 65415);
    EXPECT_EQ(MoveScrollFromBase(s, 65415), 10);
    EXPECT_EQ(MoveScrollFromBase(s, 1234), 32100);
}

TEST(FrmMove, PreviewBoxes)
{
    MoveSetup s = ComputeMoveSetup(100, 200);
    auto overlapping = MovePreviewBoxes(s, 150);
    ASSERT_EQ(overlapping.size(), 3u);
    EXPECT_EQ(overlapping[0].yTop, 65536 - 201);
    EXPECT_EQ(overlapping[0].yBottom, 65536 - 100);
    EXPECT_EQ(overlapping[2].yTop, 65536 - 201);
    EXPECT_EQ(overlapping[2].yBottom, 65536 - 150);
    EXPECT_EQ(overlapping[2].g, 51);
    EXPECT_EQ(MovePreviewBoxes(s, 60000).size(), 2u);
}

TEST(FrmInvert, Entries)
{
    EXPECT_EQ(InvertEntries(100, 200), (std::vector<ComboEntry>{{"midpoint of current heightmap (150)", 150},
                                                                 {"midpoint of 16-bit heightmap (32767)", 32767}}));
    EXPECT_EQ(InvertEntries(0, 65535)[0].value, 32767); // truncates where the statistics round to 32768
}

TEST(FrmInterpolate, FactorListAndSelection)
{
    const struct {
        int32_t w, h;
        std::vector<int32_t> factors;
        const char* first;
    } rows[] = {{128, 128, {2, 4}, "2x = 256 x 256"},
                {16, 16, {2, 4, 8, 16, 32}, "2x = 32 x 32"},
                {256, 64, {2}, "2x = 512 x 128"},
                {1, 1, {2, 4, 8, 16, 32}, "2x = 2 x 2"},
                {512, 512, {}, nullptr}};
    for (const auto& r : rows) {
        auto entries = InterpolateFactorEntries(r.w, r.h);
        EXPECT_EQ(Values(entries), r.factors) << r.w << "x" << r.h;
        if (r.first) {
            EXPECT_EQ(entries.at(0).text, r.first);
        }
    }
    auto e256 = InterpolateFactorEntries(256, 256);
    EXPECT_EQ(SelectEntryIndex(e256, 4), 0); // a stored 4 is not offered: the first entry
    EXPECT_EQ(SelectEntryIndex(InterpolateFactorEntries(128, 128), 4), 1);
    EXPECT_EQ(InterpolateSizeLabel(128, 64), "Interpolate from 128 x 64 to:");
}

TEST(FrmInterpolate, VarianceRule)
{
    const std::pair<const char*, const char*> rows[] = {{"", "0.0"},   {"0", "0.0"},  {"0.5", "0.5"}, {"1", "1.0"},
                                                        {"1.7", "1.0"}, {".3", "0.3"}, {"0.25", "0.2"}};
    for (auto [in, out] : rows) EXPECT_EQ(NormaliseVarianceText(in), out) << in;
    bool valid = true;
    EXPECT_EQ(NormaliseVarianceText("1.2.3", &valid), "0.0");
    EXPECT_FALSE(valid);
    EXPECT_EQ(VarianceFieldText(0.75f), "0.8");
}

TEST(FrmResample, FactorListAndMethods)
{
    const struct {
        int32_t w, h;
        std::vector<int32_t> factors;
    } rows[] = {{256, 256, {2, 4, 8, 16}}, {512, 512, {2, 4, 8, 16, 32}}, {32, 32, {2}}, {16, 16, {}},
                {512, 32, {2}}};
    for (const auto& r : rows) EXPECT_EQ(Values(ResampleFactorEntries(r.w, r.h)), r.factors) << r.w << "x" << r.h;
    EXPECT_EQ(ResampleFactorEntries(256, 256)[3].text, "\xC3\xB7" "16 = 16 x 16");
    EXPECT_EQ(Values(ResampleMethodEntries()), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(SelectEntryIndex(ResampleMethodEntries(), 5), 0);
}

TEST(FrmTrim, ListsAndLostFocus)
{
    EXPECT_EQ(TrimSizeEntries(257), (std::vector<int32_t>{256, 128, 64, 32, 16}));
    EXPECT_EQ(TrimSizeEntries(300), (std::vector<int32_t>{256, 128, 64, 32, 16}));
    EXPECT_EQ(TrimSizeEntries(200), (std::vector<int32_t>{128, 64, 32, 16}));
    EXPECT_EQ(TrimSizeEntries(513), (std::vector<int32_t>{512, 256, 128, 64, 32, 16}));
    EXPECT_TRUE(TrimSizeEntries(15).empty());
    EXPECT_EQ(TrimInitialText(15), "15");
    EXPECT_EQ(TrimInitialText(257), "256");
    const std::pair<const char*, const char*> rows[] = {{"999", "257"}, {"", "257"}, {"0", "257"}, {"100", "100"}};
    for (auto [in, out] : rows) EXPECT_EQ(CheckTrimDimension(in, 257), out) << in;
    EXPECT_EQ(TrimInfoLabel(257, 129), "Heightmap dimensions are 257 by 129");
}

TEST(FrmSplit, TileSizes)
{
    const struct {
        int32_t w, h, c, r, tw, th;
    } rows[] = {{512, 512, 2, 2, 256, 256}, {513, 513, 2, 2, 256, 256}, {384, 128, 3, 1, 128, 128},
                {512, 256, 2, 4, 256, 64},  {1, 1, 1, 1, 1, 1},         {3, 3, 4, 4, 0, 0}};
    for (const auto& r : rows) {
        SplitTileSize t = ComputeSplitTileSize(r.w, r.h, r.c, r.r);
        EXPECT_EQ(t.width, r.tw);
        EXPECT_EQ(t.height, r.th);
    }
    EXPECT_EQ(SplitInfoLabel({256, 64}), "Each terrain size is 256x64.");
    EXPECT_EQ(SplitHeightmapInfoLabel(512, 256), "Heightmap size is 512x256.");
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
        {"second empty, no layout", {a, "", c, d}, 1, "The specified second section file does not exist.\r\n\"\""},
        {"only the first", {a, "", "", ""}, 1, "The specified second section file does not exist.\r\n\"\""},
        {"first empty", {"", b, "", ""}, 0, "The specified first section file does not exist.\r\n\"\""},
        {"missing third", {a, b, missing, d}, 2,
         "The specified third section file does not exist.\r\n\"" + missing + "\""},
        {"missing in a layout", {a, missing, "", ""}, 1,
         "The specified second section file does not exist.\r\n\"" + missing + "\""},
        {"one, two and three", {a, b, c, ""}, 3, "The specified fourth section file does not exist.\r\n\"\""},
    };
    for (const auto& r : rows) {
        StitchCheck check = CheckStitchSections(r.paths);
        EXPECT_EQ(check.ok, r.failedBox < 0) << r.name;
        EXPECT_EQ(check.failedBox, r.failedBox) << r.name;
        EXPECT_EQ(check.warning, r.warning) << r.name;
    }
}
