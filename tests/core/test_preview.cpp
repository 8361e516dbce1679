// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

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

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
Rgb ToRgb(uint32_t p) { return {PixelRed(p), PixelGreen(p), PixelBlue(p)}; }
std::ostream& operator<<(std::ostream& os, const Rgb& c) { return os << "(" << c.r << "," << c.g << "," << c.b << ")"; }

// A w x h map whose samples come from f(x, y), 1-based.
template <typename F>
void LoadMap(int32_t w, int32_t h, F f)
{
    std::vector<int32_t> samples;
    for (int32_t y = 1; y <= h; ++y)
        for (int32_t x = 1; x <= w; ++x) samples.push_back(f(x, y));
    LoadGrid(w, h, samples);
}

PixelBuffer TopView(int32_t colorset, bool centred = false)
{
    Globals().previewColorset = colorset;
    BuildColorTable(colorset);
    PixelBuffer area(kPreviewSize, kPreviewSize, kBackground);
    EXPECT_TRUE(DrawTopView(area, centred, 100));
    return area;
}

size_t CountNot(const PixelBuffer& b, uint32_t colour)
{
    size_t n = 0;
    for (uint32_t p : b.pixels) n += p != colour;
    return n;
}

} // namespace

TEST(Preview, GrayColorsets)
{
    TestHost host;
    // Plain grayscale divides by 256 only when the map reaches above 255.
    const struct {
        int32_t highest, altitude, gray;
    } rows[] = {{200, 17, 17}, {255, 255, 255}, {256, 255, 0}, {256, 256, 1}, {65535, 65535, 255}, {65535, 511, 1}};
    for (const auto& r : rows) {
        LoadMap(2, 1, [&](int32_t x, int32_t) { return x == 1 ? r.altitude : r.highest; });
        EXPECT_EQ(ToRgb(TopView(CsGrayscale).At(0, 0)), (Rgb{r.gray, r.gray, r.gray})) << r.highest << " " << r.altitude;
    }
    // Scaled grayscale stretches the map's own range (lowest, highest, altitude, gray).
    const struct {
        int32_t lowest, highest, altitude, gray;
    } scaled[] = {{1000, 1255, 1000, 0}, {1000, 1255, 1255, 254}, {1000, 1255, 1128, 128}, // 127.5, half to even
                  {0, 65535, 65535, 255}, {0, 65535, 32768, 128},   {4000, 4000, 4000, 0}};   // flat: factor 0
    for (const auto& r : scaled) {
        LoadGrid(3, 1, {r.lowest, r.highest, r.altitude});
        EXPECT_EQ(ToRgb(TopView(CsScaledGrayscale).At(2, 0)), (Rgb{r.gray, r.gray, r.gray}))
            << r.lowest << ".." << r.highest << " at " << r.altitude;
    }
}

TEST(Preview, ColorTables)
{
    // Every segment start colour, which the entry before it already rounds to, and the last entry.
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    const struct {
        int32_t set;
        std::vector<std::pair<int32_t, Rgb>> stops;
        Rgb last;
    } sets[] = {
        {CsWoodlands, {{0, black}, {32768, {32, 127, 32}}, {49152, {160, 127, 48}}}, white},
        {CsCanyons, {{0, black}, {32768, {127, 72, 48}}}, white},
        {CsDesert, {{0, black}, {32768, {127, 104, 64}}}, white},
        {CsArctic, {{0, black}, {32768, {72, 112, 127}}}, white},
        {CsAltitude,
         {{0, black}, {11000, {0, 100, 150}}, {22000, {50, 100, 0}}, {33000, {100, 150, 50}}, {44000, {150, 100, 0}},
          {55000, {200, 150, 0}}},
         white},
        {CsSpectrum,
         {{0, {0, 0, 64}}, {6000, {0, 0, 192}}, {12000, {0, 64, 64}}, {18000, {0, 192, 192}}, {24000, {0, 64, 0}},
          {30000, {0, 192, 0}}, {36000, {64, 64, 0}}, {42000, {192, 192, 0}}, {48000, {64, 0, 0}},
          {54000, {192, 0, 0}}, {60000, {64, 0, 64}}},
         {192, 0, 192}},
    };
    for (const auto& s : sets) {
        BuildColorTable(s.set);
        for (const auto& [start, colour] : s.stops) {
            EXPECT_EQ(ToRgb(ColorTableEntry(start)), colour) << ColorsetName(s.set) << " entry " << start;
            if (start > 0) {
                EXPECT_EQ(ToRgb(ColorTableEntry(start - 1)), colour) << ColorsetName(s.set) << " entry " << start - 1;
            }
        }
        EXPECT_EQ(ToRgb(ColorTableEntry(65535)), s.last) << ColorsetName(s.set);
    }
    BuildColorTable(CsWoodlands);
    EXPECT_EQ(ToRgb(ColorTableEntry(16384)), (Rgb{16, 64, 16})); // between the stops: 16, 63.5 and 16
    EXPECT_EQ(ColorTableEntry(65536), kPixelBlack);
    EXPECT_EQ(ColorTableEntry(-1), kPixelBlack);

    // The top view looks every altitude up in the table; out of range is black.
    TestHost host;
    const int32_t samples[] = {0, 32768, 65535, 65536, -5, 12345};
    LoadGrid(6, 1, {samples, samples + 6});
    for (int32_t set : {CsWoodlands, CsCanyons, CsDesert, CsArctic, CsAltitude, CsSpectrum}) {
        const PixelBuffer area = TopView(set);
        for (int32_t i = 0; i < 6; ++i) {
            const uint32_t expected = samples[i] < 0 || samples[i] > 65535 ? kPixelBlack : ColorTableEntry(samples[i]);
            EXPECT_EQ(area.At(i, 0), expected) << ColorsetName(set) << " altitude " << samples[i];
            EXPECT_EQ(AltitudeColor(samples[i], set), expected);
        }
    }
}

TEST(Preview, SegmentsThatDoNotFitAreIgnored)
{
    BuildColorTable(CsWoodlands);
    const uint32_t first = ColorTableEntry(0), last = ColorTableEntry(65535);
    for (auto [start, count] : {std::pair{65536, 1}, {0, 0}, {65535, 2}, {0, 65537}, {-1, 2}})
        FillColorSegment(start, count, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(ColorTableEntry(0), first);
    EXPECT_EQ(ColorTableEntry(65535), last);
    FillColorSegment(65535, 1, 300, -4, 9, 0, 0, 0); // components clamp to 0..255
    EXPECT_EQ(ToRgb(ColorTableEntry(65535)), (Rgb{255, 0, 9}));
}

TEST(Preview, TopViewPlacementAndZoom)
{
    TestHost host;
    LoadMap(256, 128, [](int32_t x, int32_t y) { return (x + y) / 2; }); // 1..192
    PixelBuffer centred = TopView(CsGrayscale, true);
    EXPECT_EQ(ToRgb(centred.At(128, 192)), (Rgb{1, 1, 1}));
    EXPECT_EQ(ToRgb(centred.At(383, 319)), (Rgb{192, 192, 192}));
    for (auto [x, y] : {std::pair{127, 192}, {128, 191}, {384, 319}, {383, 320}}) EXPECT_EQ(centred.At(x, y), kBackground);
    EXPECT_EQ(CountNot(centred, kBackground), 256u * 128u);
    PixelBuffer corner = TopView(CsGrayscale, false);
    EXPECT_NE(corner.At(0, 0), kBackground);
    EXPECT_NE(corner.At(255, 127), kBackground);
    EXPECT_EQ(corner.At(256, 0), kBackground);
    EXPECT_EQ(corner.At(0, 128), kBackground);

    // The largest map loses its last column and row on a 512 area, whichever placement.
    LoadMap(513, 513, [](int32_t x, int32_t) { return x; });
    EXPECT_EQ(CountNot(TopView(CsGrayscale, true), kBackground), 512u * 512u);

    // Other zooms stretch the map over the whole area.
    LoadGrid(2, 2, {0, 100, 150, 200});
    PixelBuffer area(kPreviewSize, kPreviewSize, kBackground);
    ASSERT_TRUE(DrawTopView(area, true, 200));
    EXPECT_EQ(PixelRed(area.At(0, 0)), 0);
    EXPECT_EQ(PixelRed(area.At(511, 0)), 100);
    EXPECT_EQ(PixelRed(area.At(0, 511)), 150);
    EXPECT_EQ(PixelRed(area.At(511, 511)), 200);
    EXPECT_EQ(CountNot(area, kBackground), 512u * 512u);
}

TEST(Preview, HeightReadoutFollowsThePlacement)
{
    TestHost host;
    LoadMap(256, 128, [](int32_t x, int32_t y) { return x * 1000 + y; });
    const struct {
        double mx, my;
        bool centred;
        int32_t view;
        bool shown;
        int32_t x, y;
    } rows[] = {
        {128, 192, true, ViewTop, true, 1, 1},    {127.5, 191.5, true, ViewTop, true, 1, 1}, // halves to even
        {126.5, 192, true, ViewTop, false, 0, 0}, {383, 319, true, ViewTop, true, 256, 128},
        {384, 319, true, ViewTop, false, 0, 0},   {383, 320, true, ViewTop, false, 0, 0},
        {0, 0, false, ViewTop, true, 1, 1},       {255, 127, false, ViewTop, true, 256, 128},
        {256, 0, false, ViewTop, false, 0, 0},    {128, 192, true, ViewFront, false, 0, 0},
        {128, 192, true, ViewSide, false, 0, 0},  {128, 192, true, ViewPerspective, false, 0, 0},
        {-1, -1, false, ViewTop, false, 0, 0},
    };
    for (const auto& r : rows) {
        int32_t x = 0, y = 0;
        const bool shown = HeightReadoutPosition(r.mx, r.my, true, r.view, r.centred, x, y);
        EXPECT_EQ(shown, r.shown) << r.mx << "," << r.my;
        if (shown && r.shown) {
            EXPECT_EQ(std::make_pair(x, y), std::make_pair(r.x, r.y)) << r.mx << "," << r.my;
        }
    }
    int32_t x = 0, y = 0;
    EXPECT_FALSE(HeightReadoutPosition(128, 192, false, ViewTop, true, x, y));

}

TEST(Preview, StatusPanels)
{
    TestHost host;
    LoadMap(2, 1, [](int32_t x, int32_t) { return x == 1 ? 0 : 65535; });
    ShowStatistics(true);
    ShowResolution(true);
    ShowStatistics(false);
    tolv::test::TempDir dir;
    tolv::test::WriteFileBytes(dir / "a.hmb", std::vector<uint8_t>(1234567, 1));
    ShowFileSize(true, dir / "a.hmb");
    ShowFileSize(true, dir / "missing.hmb");
    EXPECT_EQ(host.panels, (std::vector<std::pair<int, std::string>>{
                               {4, "L: 0 \xC2\xB7 H: 65535 \xC2\xB7 D: 65536  (16 bits)"},
                               {3, "2 x 1"},
                               {4, ""},
                               {2, "1,234,567"},
                               {2, ""}}));

    const std::pair<int64_t, int32_t> bits[] = {{0, 1},   {1, 1},     {2, 1},      {3, 2},      {255, 8},
                                                {256, 8}, {257, 9},   {65535, 16}, {65536, 16}, {65537, 17}};
    for (auto [depth, n] : bits) EXPECT_EQ(BitsForDepth(depth), n) << depth;
}

TEST(Preview, FrontAndSideViewsDrawEachColumnsRange)
{
    TestHost host;
    // Column x spans 1280 x (x - 1) .. 1280 x (x - 1) + 2560 across the rows; row y spans more as y grows.
    LoadMap(10, 3, [](int32_t x, int32_t y) { return 1280 * (x - 1) + 1280 * (y - 1) * (x % 2 + 1); });
    auto range = [](bool columns, int32_t i) {
        int32_t lo = 65535, hi = 0;
        for (int32_t j = 1; j <= (columns ? 3 : 10); ++j) {
            const int32_t a = columns ? GetAltitude(i, j) : GetAltitude(j, i);
            lo = std::min(lo, a);
            hi = std::max(hi, a);
        }
        return std::make_pair(lo, hi);
    };
    PixelBuffer front(kPreviewSize, kPreviewSize, kBackground);
    DrawFrontView(front, true);
    const int32_t offset = (512 - 10) / 2;
    for (int32_t x = 1; x <= 10; ++x) {
        const auto [lo, hi] = range(true, x);
        const int32_t column = x - 1 + offset;
        for (int32_t a = lo / 128; a <= hi / 128; ++a)
            ASSERT_EQ(ToRgb(front.At(column, 511 - a)), (Rgb{a / 2, a / 2, a / 2})) << x << " " << a;
        if (lo / 128 > 0) {
            EXPECT_EQ(front.At(column, 511 - lo / 128 + 1), kBackground);
        }
        EXPECT_EQ(front.At(column, 511 - hi / 128 - 1), kBackground);
    }
    EXPECT_EQ(front.At(offset - 1, 511), kBackground);
    EXPECT_EQ(front.At(offset + 10, 511), kBackground);

    PixelBuffer side(kPreviewSize, kPreviewSize, kBackground);
    DrawSideView(side, false);
    for (int32_t y = 1; y <= 3; ++y) {
        const auto [lo, hi] = range(false, y);
        EXPECT_EQ(ToRgb(side.At(y - 1, 511 - lo / 128)), (Rgb{lo / 256, lo / 256, lo / 256}));
        EXPECT_EQ(ToRgb(side.At(y - 1, 511 - hi / 128)), (Rgb{hi / 256, hi / 256, hi / 256}));
        EXPECT_EQ(side.At(y - 1, 511 - hi / 128 - 1), kBackground);
    }
    for (int32_t x = 3; x < 512; ++x) ASSERT_EQ(side.At(x, 511), kBackground);

    // Altitudes outside the area are left out of the silhouette instead of wrapping.
    LoadGrid(2, 2, {-100000, 70000, 2000000000, 65535});
    PixelBuffer clipped(kPreviewSize, kPreviewSize, kBackground);
    DrawFrontView(clipped, false);
    EXPECT_EQ(ToRgb(clipped.At(0, 511)), (Rgb{0, 0, 0})); // column 1 runs from the bottom to the top row
    EXPECT_EQ(ToRgb(clipped.At(0, 0)), (Rgb{255, 255, 255}));
    EXPECT_EQ(clipped.At(1, 1), kBackground); // column 2: lowest 65535, highest above the top
    EXPECT_EQ(ToRgb(clipped.At(1, 0)), (Rgb{255, 255, 255}));
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
        // Where the edge crosses the row, against x: both sides times the edge's height.
        const int64_t crossing = xa * (yb - ya) + (y - ya) * (xb - xa), at = x * (yb - ya);
        if (crossing == at) return true;
        if (crossing < at) ++left;
    }
    return left % 2 == 1;
}

TEST(Preview, PerspectiveCellsFillExactlyTheirInside)
{
    std::mt19937 rng(11);
    auto coordinate = [&](int spread) { return int32_t(rng() % (2 * spread + 1)) - spread + 20; };
    const uint32_t ink = PixelFromRgb(30, 200, 0);
    for (int round = 0; round < 3000; ++round) {
        // Small cells, tall thin ones, crossed (bow-tie) ones, and ones reaching past the edges.
        const int spread = round % 3 == 0 ? 6 : round % 3 == 1 ? 40 : 1000;
        int32_t px[4], py[4];
        for (int i = 0; i < 4; ++i) px[i] = coordinate(spread), py[i] = coordinate(spread * 2);
        PixelBuffer got(48, 64, kBackground), want(48, 64, kBackground);
        FillQuad(got, px, py, ink);
        for (int32_t y = 0; y < want.height; ++y)
            for (int32_t x = 0; x < want.width; ++x)
                if (InsideQuad(px, py, x, y)) want.Set(x, y, ink);
        for (int i = 0; i < 4; ++i) DrawLine(want, px[i], py[i], px[(i + 1) & 3], py[(i + 1) & 3], ink);
        ASSERT_EQ(got.pixels, want.pixels) << "(" << px[0] << "," << py[0] << ") (" << px[1] << "," << py[1]
                                           << ") (" << px[2] << "," << py[2] << ") (" << px[3] << "," << py[3] << ")";
    }
}

TEST(Preview, LinesRunningOffTheAreaKeepTheirInsidePixels)
{
    std::mt19937 rng(5);
    const uint32_t ink = PixelFromRgb(200, 0, 0);
    for (int round = 0; round < 3000; ++round) {
        const int spread = round % 3 == 0 ? 30 : round % 3 == 1 ? 150 : 400;
        auto c = [&] { return int32_t(rng() % (2 * spread + 1)) - spread + 20; };
        const int32_t x0 = c(), y0 = c(), x1 = c(), y1 = c();
        PixelBuffer got(40, 30, kBackground);
        DrawLine(got, x0, y0, x1, y1, ink);
        // The whole line, drawn where it fits, then seen through the area.
        const int32_t left = std::min(x0, x1), top = std::min(y0, y1);
        PixelBuffer whole(std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1, kBackground);
        DrawLine(whole, x0 - left, y0 - top, x1 - left, y1 - top, ink);
        PixelBuffer want(40, 30, kBackground);
        for (int32_t y = 0; y < whole.height; ++y)
            for (int32_t x = 0; x < whole.width; ++x)
                if (whole.At(x, y) == ink) want.Set(x + left, y + top, ink);
        ASSERT_EQ(got.pixels, want.pixels) << "(" << x0 << "," << y0 << ") to (" << x1 << "," << y1 << ")";
    }
}

// The camera written out as plain geometry in double precision: the map centred on the origin,
// turned by the yaw about the vertical, tilted by the pitch, seen from the camera offset and
// projected through the focal length onto the 512-pixel area.
std::pair<double, double> ExpectedScreenPoint(int32_t w, int32_t h, int32_t x, int32_t y, int32_t altitude)
{
    const double n = std::max(w, h), yaw = -0.88, pitch = -0.6;
    const double east = x - w / 2.0, south = y - h / 2.0, up = altitude / 256.0 * n / 512.0;
    const double across = east * std::cos(yaw) + south * std::sin(yaw);
    const double ahead = south * std::cos(yaw) - east * std::sin(yaw);
    const double lift = up * std::cos(pitch) - ahead * std::sin(pitch);
    const double depth = up * std::sin(pitch) + ahead * std::cos(pitch);
    const double camY = -n / 8.0, camZ = (256.0 / n + 1.5) * n, focal = 512.0 / n * 256.0 + 512.0;
    const double z = camZ + depth;
    return {across * focal / z + 256.0, -(camY + lift) * focal / z + 256.0};
}

TEST(Preview, PerspectiveScreenPointsFollowTheCamera)
{
    TestHost host;
    const struct {
        int32_t w, h;
        std::vector<std::array<int32_t, 3>> points; // x, y, altitude
    } maps[] = {
        {2, 2, {{1, 1, 0}, {2, 1, 65535}, {1, 2, 30000}, {2, 2, 0}}},
        {513, 513, {{1, 1, 0}, {513, 1, 65535}, {1, 513, 65535}, {513, 513, 0}, {257, 257, 32768}, {100, 400, 12345}}},
        {300, 100, {{1, 1, 65535}, {300, 1, 0}, {1, 100, 0}, {300, 100, 65535}, {150, 50, 40000}}},
    };
    for (const auto& m : maps) {
        std::vector<int32_t> grid(static_cast<size_t>(m.w) * m.h, 0);
        for (const auto& [x, y, alt] : m.points) grid[static_cast<size_t>(y - 1) * m.w + (x - 1)] = alt;
        LoadGrid(m.w, m.h, grid);
        std::vector<int32_t> sx, sy;
        PerspectiveScreenPoints(sx, sy);
        ASSERT_EQ(sx.size(), grid.size());
        for (const auto& [x, y, alt] : m.points) {
            const auto [ex, ey] = ExpectedScreenPoint(m.w, m.h, x, y, alt);
            const size_t i = static_cast<size_t>(y - 1) * m.w + (x - 1);
            // Rounded to the nearest pixel; single precision may tip a near half either way.
            EXPECT_LE(std::abs(sx[i] - ex), 0.501) << m.w << "x" << m.h << " at " << x << "," << y << ": " << ex;
            EXPECT_LE(std::abs(sy[i] - ey), 0.501) << m.w << "x" << m.h << " at " << x << "," << y << ": " << ey;
        }
    }
}

TEST(Preview, PerspectiveDrawsAShadedSurfaceDeterministically)
{
    TestHost host;
    LoadMap(513, 513, [](int32_t x, int32_t y) {
        return static_cast<int32_t>(32767.5 + 32767.5 * std::sin(x / 40.0) * std::cos(y / 55.0));
    });
    PixelBuffer a(kPreviewSize, kPreviewSize, kBackground), b(kPreviewSize, kPreviewSize, kBackground);
    DrawPerspectiveView(a);
    DrawPerspectiveView(b);
    EXPECT_EQ(a.pixels, b.pixels);
    const size_t drawn = CountNot(a, kBackground);
    EXPECT_GT(drawn, 512u * 512u / 5);
    EXPECT_LT(drawn, 512u * 512u);
    int minGreen = 255, maxGreen = 0;
    for (uint32_t p : a.pixels) {
        if (p == kBackground) continue;
        ASSERT_EQ(PixelRed(p), 30);
        ASSERT_EQ(PixelBlue(p), 0);
        minGreen = std::min(minGreen, PixelGreen(p));
        maxGreen = std::max(maxGreen, PixelGreen(p));
    }
    EXPECT_LE(minGreen, 60);
    EXPECT_GE(maxGreen, 240);

    // A flat map is all the middle green.
    LoadMap(64, 32, [](int32_t, int32_t) { return 500; });
    PixelBuffer flat(kPreviewSize, kPreviewSize, kBackground);
    DrawPerspectiveView(flat);
    ASSERT_GT(CountNot(flat, kBackground), 1000u);
    for (uint32_t p : flat.pixels)
        if (p != kBackground) {
            ASSERT_EQ(ToRgb(p), (Rgb{30, 150, 0}));
        }
}

TEST(Preview, RenderPreviewClearsAndSkipsWithoutAHeightmap)
{
    TestHost host;
    LoadMap(4, 4, [](int32_t x, int32_t) { return x; });
    PixelBuffer area;
    RenderPreview(area, ViewTop, true, kPixelWhite, false);
    EXPECT_EQ(area.width, kPreviewSize);
    EXPECT_EQ(CountNot(area, kPixelWhite), 0u);
    RenderPreview(area, ViewTop, true, kPixelWhite, true);
    EXPECT_EQ(CountNot(area, kPixelWhite), 16u);
    RenderPreview(area, ViewTop, true, kBackground, true);
    EXPECT_EQ(CountNot(area, kBackground), 16u);
}

TEST(Preview, AltitudeBarMarks)
{
    TestHost host;
    PixelBuffer bar;
    DrawAltitudeBar(bar, false);
    ASSERT_EQ(bar.width, kAltitudeBarWidth);
    ASSERT_EQ(bar.height, kPreviewSize);
    EXPECT_EQ(CountNot(bar, kPixelWhite), 0u);

    LoadGrid(4, 1, {1280, 1280, 12800, 64000}); // lowest 1280, highest 64000
    DrawAltitudeBar(bar, true);
    const int32_t low = 511 - 1280 / 128, high = 511 - 64000 / 128;
    const int32_t mean = 511 - MeanAltitude() / 128, mid = 511 - MidAltitude() / 128;
    // Each mark: a 6-pixel line with a 2-pixel stem; the box spans the range in columns 24..28.
    const struct {
        uint32_t colour;
        int32_t x0, y, stemX, stemY;
    } marks[] = {{PixelFromRgb(255, 51, 51), 4, low, 6, low - 1},
                 {PixelFromRgb(153, 0, 153), 10, mean, 12, mean + 1},
                 {PixelFromRgb(0, 153, 0), 16, mid, 18, mid - 1}};
    for (const auto& m : marks) {
        for (int32_t x = m.x0; x < m.x0 + 6; ++x) EXPECT_EQ(bar.At(x, m.y), m.colour) << x << "," << m.y;
        EXPECT_EQ(bar.At(m.stemX, m.stemY), m.colour) << m.stemX << "," << m.stemY;
    }
    EXPECT_EQ(bar.At(3, low), kPixelWhite);
    EXPECT_EQ(bar.At(6, low + 1), marks[0].colour);
    EXPECT_EQ(bar.At(7, low + 1), kPixelWhite);
    const uint32_t box = PixelFromRgb(51, 102, 153);
    for (int32_t x = 24; x <= 28; ++x) {
        EXPECT_EQ(bar.At(x, high), box);
        EXPECT_EQ(bar.At(x, low), box);
        EXPECT_EQ(bar.At(x, high - 1), kPixelWhite);
        EXPECT_EQ(bar.At(x, low + 1), kPixelWhite);
    }
    EXPECT_EQ(CountNot(bar, kPixelWhite), 3u * (6 + 2) + 5u * (low - high + 1));
}

TEST(Preview, ExtremeAltitudesDrawWithoutRunningAway)
{
    TestHost host;
    // Altitudes far outside 0..65535 (a 32-bit raw file) throw projected points far outside the area.
    LoadMap(64, 64, [](int32_t x, int32_t y) {
        return (x + y) % 3 == 0 ? 1000000000 : (x * y) % 5 == 0 ? -1000000000 : 1000 * x;
    });
    for (int32_t view = ViewTop; view <= ViewPerspective; ++view) {
        for (int32_t set : {CsGrayscale, CsScaledGrayscale, CsSpectrum}) {
            Globals().previewColorset = set;
            BuildColorTable(set);
            PixelBuffer area;
            RenderPreview(area, view, true, kBackground, true);
            EXPECT_GT(CountNot(area, kBackground), 0u) << "view " << view << " set " << set;
        }
    }
    PixelBuffer bar;
    DrawAltitudeBar(bar, true);
    EXPECT_EQ(host.messages.size(), 0u);
}
