// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>

#include "TempDir.h"
#include "TestHost.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/StatusText.h"
#include "shell/vbPreview.h"

using namespace tolv;
using tolv::test::LoadGrid;
using tolv::test::TestHost;

namespace {

constexpr uint32_t kBackground = PixelFromRgb(1, 2, 3);
constexpr uint32_t kWoodGreen = PixelFromRgb(32, 127, 32);

uint32_t Gray(int32_t g) { return PixelFromRgb(g, g, g); }
uint32_t Green(int32_t g) { return PixelFromRgb(30, g, 0); }

PixelBuffer Area() { return PixelBuffer(kPreviewSize, kPreviewSize, kBackground); }

size_t CountNot(const PixelBuffer& b, uint32_t colour)
{
    return static_cast<size_t>(
        std::count_if(b.pixels.begin(), b.pixels.end(), [&](uint32_t p) { return p != colour; }));
}

// Pixels of a w-wide picture at (left, top) of a fresh area, rows top first.
PixelBuffer Placed(int32_t w, const std::vector<uint32_t>& picture, int32_t left = 0, int32_t top = 0)
{
    PixelBuffer area = Area();
    for (size_t i = 0; i < picture.size(); ++i)
        area.Set(left + static_cast<int32_t>(i) % w, top + static_cast<int32_t>(i) / w, picture[i]);
    return area;
}

// Front/side views: one vertical run of grays per column, from altitude step `from` to `to`.
PixelBuffer Runs(int32_t left, const std::vector<std::pair<int32_t, int32_t>>& runs)
{
    PixelBuffer area = Area();
    for (size_t i = 0; i < runs.size(); ++i)
        for (int32_t a = runs[i].first; a <= runs[i].second; ++a)
            area.Set(left + static_cast<int32_t>(i), 511 - a, Gray(a / 2));
    return area;
}

} // namespace

TEST(Preview, TopViewPixelsOfEachKindOfColourSet)
{
    const uint32_t black = kPixelBlack, white = kPixelWhite;
    const struct {
        const char* name;
        int32_t colorset;
        std::vector<int32_t> map; // 3 x 2
        std::vector<uint32_t> pixels;
        // clang-format off
    } rows[] = {
        {"gray up to 255: as it is", CsGrayscale, {3, 17, 200, 255, 0, 100},
         {Gray(3), Gray(17), Gray(200), Gray(255), Gray(0), Gray(100)}},
        {"gray above 255: the upper byte", CsGrayscale, {300, 255, 256, 511, 65535, 1000},
         {Gray(1), Gray(0), Gray(1), Gray(1), Gray(255), Gray(3)}},
        // depth 256, f = 255 / 256; 127.5 rounds to even
        {"scaled gray", CsScaledGrayscale, {1001, 1255, 1128, 1127, 1000, 1129},
         {Gray(1), Gray(254), Gray(128), Gray(127), Gray(0), Gray(128)}},
        {"scaled gray of a flat map", CsScaledGrayscale, {9, 9, 9, 9, 9, 9}, std::vector<uint32_t>(6, Gray(0))},
        {"colour table, black outside it", CsWoodlands, {32767, 0, 32768, 65535, 65536, -5},
         {kWoodGreen, black, kWoodGreen, white, black, black}},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestHost host;
        LoadGrid(3, 2, r.map);
        Globals().previewColorset = r.colorset;
        BuildColorTable(r.colorset);
        PixelBuffer area;
        RenderPreview(area, ViewTop, false, kBackground, true);
        EXPECT_EQ(area.pixels, Placed(3, r.pixels).pixels);
        RenderPreview(area, ViewTop, true, kBackground, true);
        EXPECT_EQ(area.pixels, Placed(3, r.pixels, 254, 255).pixels);
        for (int32_t i = 0; i < 6; ++i)
            EXPECT_EQ(AltitudeColor(r.map[size_t(i)], r.colorset), r.pixels[size_t(i)]) << i;
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(Preview, TopViewOfTheLargestMapAndOtherZooms)
{
    TestHost host;
    // The largest map loses its last column and row, whichever placement.
    LoadGrid(513, 513, std::vector<int32_t>(513 * 513, 5));
    for (bool centred : {true, false}) {
        PixelBuffer area = Area();
        ASSERT_TRUE(DrawTopView(area, centred, 100));
        EXPECT_EQ(CountNot(area, kBackground), 512u * 512u);
    }
    // Any other zoom stretches the map over the whole area.
    LoadGrid(2, 2, {0, 100, 150, 200});
    PixelBuffer area = Area();
    ASSERT_TRUE(DrawTopView(area, true, 200));
    const int32_t quarters[] = {0, 100, 150, 200};
    std::vector<uint32_t> stretched(512 * 512);
    for (size_t i = 0; i < stretched.size(); ++i)
        stretched[i] = Gray(quarters[(i % 512 >= 256) + 2 * (i >= 512 * 256)]);
    EXPECT_EQ(area.pixels, stretched);
}

TEST(Preview, ColourTablesStartEachSegmentAtItsColour)
{
    // Each segment's first entry and its colour (r,g,b), which the entry before it already rounds
    // to; then the last entry.
    const std::pair<int32_t, const char*> sets[] = {
        {CsWoodlands, "0=0,0,0 32768=32,127,32 49152=160,127,48 65535=255,255,255"},
        {CsCanyons, "0=0,0,0 32768=127,72,48 65535=255,255,255"},
        {CsDesert, "0=0,0,0 32768=127,104,64 65535=255,255,255"},
        {CsArctic, "0=0,0,0 32768=72,112,127 65535=255,255,255"},
        {CsAltitude, "0=0,0,0 11000=0,100,150 22000=50,100,0 33000=100,150,50 44000=150,100,0 55000=200,150,0 "
                     "65535=255,255,255"},
        {CsSpectrum, "0=0,0,64 6000=0,0,192 12000=0,64,64 18000=0,192,192 24000=0,64,0 30000=0,192,0 36000=64,64,0 "
                     "42000=192,192,0 48000=64,0,0 54000=192,0,0 60000=64,0,64 65535=192,0,192"},
    };
    for (const auto& [set, stops] : sets) {
        BuildColorTable(CsSpectrum); // whose entry 0 is no other set's, so an entry left unfilled shows
        BuildColorTable(set);
        std::istringstream in(stops);
        for (std::string stop; in >> stop;) {
            int32_t entry = 0, r = 0, g = 0, b = 0;
            ASSERT_EQ(std::sscanf(stop.c_str(), "%d=%d,%d,%d", &entry, &r, &g, &b), 4);
            EXPECT_EQ(ColorTableEntry(entry), PixelFromRgb(r, g, b)) << ColorsetName(set) << " " << entry;
            if (entry > 0 && entry < 65535) {
                EXPECT_EQ(ColorTableEntry(entry - 1), PixelFromRgb(r, g, b)) << ColorsetName(set) << " " << entry - 1;
            }
        }
    }
    BuildColorTable(CsWoodlands);
    EXPECT_EQ(ColorTableEntry(16384), PixelFromRgb(16, 64, 16)); // 16, 63.5 and 16
    BuildColorTable(CsScaledGrayscale);                          // the grays leave the table as it is
    EXPECT_EQ(ColorTableEntry(16384), PixelFromRgb(16, 64, 16));
    EXPECT_EQ(ColorTableEntry(65536), kPixelBlack);
    EXPECT_EQ(ColorTableEntry(-1), kPixelBlack);

    for (auto [start, count] : {std::pair{65536, 1}, {0, 0}, {65535, 2}, {0, 65537}, {-1, 2}}) // do not fit
        FillColorSegment(start, count, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(ColorTableEntry(0), kPixelBlack);
    EXPECT_EQ(ColorTableEntry(65535), kPixelWhite);
    FillColorSegment(65535, 1, 300, -4, 9, 0, 0, 0); // components clamp to 0..255
    EXPECT_EQ(ColorTableEntry(65535), PixelFromRgb(255, 0, 9));
    FillColorSegment(0, 65536, 0, 0, 0, 0, 0, 0); // the whole table fits
    EXPECT_EQ(ColorTableEntry(65535), kPixelBlack);
}

TEST(Preview, FrontAndSideViewsDrawEachColumnsRangeAndNoViewRunsAway)
{
    TestHost host;
    PixelBuffer area;
    RenderPreview(area, ViewFront, true, kBackground, false); // no heightmap: only cleared
    EXPECT_EQ(area.pixels, Area().pixels);
    LoadGrid(3, 2, {0, 1280, 65535, 256, 1280, 60000});
    const struct {
        int32_t view;
        bool centred;
        PixelBuffer expected;
    } rows[] = {
        {ViewFront, false, Runs(0, {{0, 2}, {10, 10}, {468, 511}})},
        {ViewFront, true, Runs(254, {{0, 2}, {10, 10}, {468, 511}})},
        {ViewSide, false, Runs(0, {{0, 511}, {2, 468}})},
        {ViewSide, true, Runs(255, {{0, 511}, {2, 468}})},
    };
    for (const auto& r : rows) {
        RenderPreview(area, r.view, r.centred, kBackground, true);
        EXPECT_EQ(area.pixels, r.expected.pixels) << r.view << " " << r.centred;
    }
    // Altitudes outside the area are left out of the run instead of wrapping.
    LoadGrid(2, 2, {-100000, 70000, 2000000000, 65535});
    RenderPreview(area, ViewFront, false, kBackground, true);
    EXPECT_EQ(area.pixels, Runs(0, {{0, 511}, {511, 511}}).pixels);

    // Far outside 0..65535 (a 32-bit raw file) the projected points land far outside the area.
    std::vector<int32_t> map;
    for (int32_t i = 0; i < 64 * 64; ++i) map.push_back(i % 3 ? i % 5 ? 1000 * (i % 64) : -1000000000 : 1000000000);
    LoadGrid(64, 64, map);
    for (int32_t view = ViewTop; view <= ViewPerspective; ++view) {
        RenderPreview(area, view, true, kBackground, true);
        EXPECT_GT(CountNot(area, kBackground), 0u) << "view " << view;
    }
    DrawAltitudeBar(area, true);
    EXPECT_TRUE(host.messages.empty());
}

// The scanline fill against a test of each pixel on its own: a pixel centre is inside when an odd
// number of edges cross its row strictly to its left, or one crosses exactly at it (a row takes
// an edge from its upper end, not its lower). Exact integer arithmetic, so ties count.
bool InsideQuad(const int32_t (&px)[4], const int32_t (&py)[4], int64_t x, int64_t y)
{
    int left = 0;
    for (int i = 0; i < 4; ++i) {
        int64_t xa = px[i], ya = py[i], xb = px[(i + 1) & 3], yb = py[(i + 1) & 3];
        if (ya == yb) continue;
        if (ya > yb) std::swap(xa, xb), std::swap(ya, yb);
        if (y < ya || y >= yb) continue;
        const int64_t crossing = xa * (yb - ya) + (y - ya) * (xb - xa), at = x * (yb - ya);
        if (crossing == at) return true;
        left += crossing < at;
    }
    return left % 2 == 1;
}

// Random cells (small, tall thin, crossed into bow ties, reaching past the edges) against the
// pixel-by-pixel test; random lines against the whole line drawn where it fits and then clipped.
TEST(Preview, CellsFillExactlyTheirInsideAndClippedLinesKeepTheirPixels)
{
    std::mt19937 rng(11);
    const uint32_t ink = Green(200);
    for (int round = 0; round < 3000; ++round) {
        const int spread = round % 3 == 0 ? 6 : round % 3 == 1 ? 40 : 1000;
        auto c = [&](int s) { return int32_t(rng() % (2 * s + 1)) - s + 20; };
        int32_t px[4], py[4];
        for (int i = 0; i < 4; ++i) px[i] = c(spread), py[i] = c(spread * 2);
        PixelBuffer got(48, 64, kBackground), want(48, 64, kBackground);
        FillQuad(got, px, py, ink);
        for (int32_t y = 0; y < want.height; ++y)
            for (int32_t x = 0; x < want.width; ++x)
                if (InsideQuad(px, py, x, y)) want.Set(x, y, ink);
        for (int i = 0; i < 4; ++i) DrawLine(want, px[i], py[i], px[(i + 1) & 3], py[(i + 1) & 3], ink);
        ASSERT_EQ(got.pixels, want.pixels) << "(" << px[0] << "," << py[0] << ") (" << px[1] << "," << py[1] << ") ("
                                           << px[2] << "," << py[2] << ") (" << px[3] << "," << py[3] << ")";

        const int32_t x0 = c(spread / 4 + 30), y0 = c(spread / 4 + 30), x1 = c(spread / 2), y1 = c(spread / 2);
        PixelBuffer line(40, 30, kBackground), seen(40, 30, kBackground);
        DrawLine(line, x0, y0, x1, y1, ink);
        const int32_t left = std::min(x0, x1), top = std::min(y0, y1);
        PixelBuffer whole(std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1, kBackground);
        DrawLine(whole, x0 - left, y0 - top, x1 - left, y1 - top, ink);
        for (int32_t y = 0; y < whole.height; ++y)
            for (int32_t x = 0; x < whole.width; ++x)
                if (whole.At(x, y) == ink) seen.Set(x + left, y + top, ink);
        ASSERT_EQ(line.pixels, seen.pixels) << "(" << x0 << "," << y0 << ") to (" << x1 << "," << y1 << ")";
    }
}

TEST(Preview, PerspectiveOfASmallMap)
{
    TestHost host;
    // (2, 1) is the highest: its cell's green 260 is held to 255. Depth 4001.
    const std::vector<int32_t> map = {0, 4000, 2000, 3000, 500, 1000};
    LoadGrid(3, 2, map);
    // The camera's screen point of every sample, (1, 1) first.
    std::vector<int32_t> sx, sy;
    PerspectiveScreenPoints(sx, sy);
    EXPECT_EQ(sx, (std::vector<int32_t>{202, 310, 418, 71, 180, 287}));
    EXPECT_EQ(sy, (std::vector<int32_t>{357, 270, 203, 286, 220, 145}));
    // Cell (x, y) in the colour of its own first corner, corners in the order (x, y), (x, y + 1),
    // (x + 1, y + 1), (x + 1, y); the later cell over the earlier one.
    PixelBuffer want = Area(), got;
    const int32_t greens[] = {40, 255};
    for (int32_t x = 0; x < 2; ++x) {
        const int32_t qx[4] = {sx[x], sx[x + 3], sx[x + 4], sx[x + 1]},
                      qy[4] = {sy[x], sy[x + 3], sy[x + 4], sy[x + 1]};
        FillQuad(want, qx, qy, Green(greens[x]));
    }
    RenderPreview(got, ViewPerspective, true, kBackground, true);
    EXPECT_EQ(got.pixels, want.pixels);
    EXPECT_GT(CountNot(got, kBackground), 1000u);

    // A flat map has no depth to shade by: all of it is the middle green.
    LoadGrid(64, 32, std::vector<int32_t>(64 * 32, 500));
    RenderPreview(got, ViewPerspective, false, kBackground, true);
    EXPECT_GT(CountNot(got, kBackground), 1000u);
    EXPECT_EQ(CountNot(got, kBackground),
              static_cast<size_t>(std::count(got.pixels.begin(), got.pixels.end(), Green(150))));
}

TEST(Preview, AltitudeBarMarks)
{
    TestHost host;
    PixelBuffer bar;
    DrawAltitudeBar(bar, false);
    ASSERT_EQ(std::pair(bar.width, bar.height), std::pair(kAltitudeBarWidth, kPreviewSize));
    EXPECT_EQ(CountNot(bar, kPixelWhite), 0u);

    LoadGrid(4, 1, {1280, 1280, 12800, 64000}); // rows: lowest 501, mean 356, midpoint 256, highest 11
    DrawAltitudeBar(bar, true);
    PixelBuffer want(kAltitudeBarWidth, kPreviewSize, kPixelWhite);
    for (int32_t r = 11; r <= 501; ++r)
        for (int32_t x = 24; x <= 28; ++x) want.Set(x, r, PixelFromRgb(51, 102, 153));
    // Each mark: a 6-pixel line with a pixel above and below its third.
    const std::tuple<int32_t, int32_t, uint32_t> marks[] = {
        {4, 501, PixelFromRgb(255, 51, 51)}, {10, 356, PixelFromRgb(153, 0, 153)}, {16, 256, PixelFromRgb(0, 153, 0)}};
    for (auto [x0, r, colour] : marks) {
        for (int32_t x = x0; x < x0 + 6; ++x) want.Set(x, r, colour);
        want.Set(x0 + 2, r - 1, colour);
        want.Set(x0 + 2, r + 1, colour);
    }
    EXPECT_EQ(bar.pixels, want.pixels);
}

TEST(Preview, HeightReadoutAndStatusPanels)
{
    TestHost host;
    std::vector<int32_t> map;
    for (int32_t i = 0; i < 256 * 128; ++i) map.push_back(i);
    LoadGrid(256, 128, map);
    const struct {
        double mx, my;
        bool centred;
        int32_t view;
        int32_t x, y; // 0: the readout stays as it was
    } rows[] = {
        {128, 192, true, ViewTop, 1, 1},     {127.5, 191.5, true, ViewTop, 1, 1},     {126.5, 192, true, ViewTop, 0, 0},
        {383, 319, true, ViewTop, 256, 128}, {384, 319, true, ViewTop, 0, 0},         {383, 320, true, ViewTop, 0, 0},
        {0, 0, false, ViewTop, 1, 1},        {255, 127, false, ViewTop, 256, 128},    {256, 0, false, ViewTop, 0, 0},
        {0, 128, false, ViewTop, 0, 0},      {-1, -1, false, ViewTop, 0, 0},          {128, 192, true, ViewFront, 0, 0},
        {128, 192, true, ViewSide, 0, 0},    {128, 192, true, ViewPerspective, 0, 0},
    };
    for (const auto& r : rows) {
        int32_t x = 0, y = 0;
        EXPECT_EQ(HeightReadoutPosition(r.mx, r.my, true, r.view, r.centred, x, y), r.x != 0) << r.mx << "," << r.my;
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(r.x, r.y)) << r.mx << "," << r.my;
    }
    int32_t x = 0, y = 0;
    EXPECT_FALSE(HeightReadoutPosition(128, 192, false, ViewTop, true, x, y)); // no heightmap
    Globals().previewLocation = 1;
    ShowHeightAt(255, 1, true);
    ShowHeightAt(256, 1, true);
    Globals().previewLocation = 0;
    ShowHeightAt(130, 193, true);
    Globals().currentView = ViewSide;
    ShowHeightAt(130, 193, true);

    LoadGrid(2, 1, {0, 65535}, 2);
    tolv::test::TempDir dir;
    tolv::test::WriteFileBytes(dir / "a.hmb", std::vector<uint8_t>(1234567, 1));
    for (bool loaded : {true, false}) {
        ShowStatistics(loaded);
        ShowResolution(loaded);
        ShowFormatDescription(loaded);
        ShowFileSize(loaded, dir / "a.hmb");
    }
    ShowFileSize(true, dir / "missing.hmb");
    ClearHeightReadout();
    ClearFileSize();
    // clang-format off
    EXPECT_EQ(host.panels, (std::vector<std::pair<int, std::string>>{
        {5, "X: 256   Y: 2   H: 511"}, {5, "X: 3   Y: 2   H: 258"},
        {4, "L: 0 \xC2\xB7 H: 65535 \xC2\xB7 D: 65536  (16 bits)"}, {3, "2 x 1"}, {1, "TOLV Binary heightmap"},
        {2, "1,234,567"}, {4, ""}, {3, ""}, {1, ""}, {2, ""}, {2, ""}, {5, ""}, {2, ""}}));
    // clang-format on
    const std::pair<int64_t, int32_t> bits[] = {{0, 1}, {2, 1}, {3, 2}, {256, 8}, {257, 9}, {65536, 16}, {65537, 17}};
    for (auto [depth, n] : bits) EXPECT_EQ(BitsForDepth(depth), n) << depth;
}
