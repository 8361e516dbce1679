// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/vbPreview.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <new>

#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/StatusText.h"
#include "shell/UiHost.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

constexpr int32_t kTableSize = 65536;

// The colour table holds ready-made pixels so the Top view is one lookup per sample.
std::array<uint32_t, kTableSize>& ColorTable()
{
    static std::array<uint32_t, kTableSize> table = [] {
        std::array<uint32_t, kTableSize> t;
        t.fill(kPixelBlack);
        return t;
    }();
    return table;
}

// The Top view's off-screen drawing buffer: made anew for every Top-view drawing.
PixelBuffer& DrawingBuffer()
{
    static PixelBuffer buffer;
    return buffer;
}

constexpr int32_t ClampComponent(int64_t c) { return c < 0 ? 0 : c > 255 ? 255 : static_cast<int32_t>(c); }

uint32_t Gray(int64_t g)
{
    const int32_t c = ClampComponent(g);
    return PixelFromRgb(c, c, c);
}

// Rounds half to even and keeps the result inside a range that any later integer arithmetic
// on screen coordinates survives; points that far away are off the area anyway.
int32_t ScreenCoordinate(float v)
{
    if (!(v > -1.0e6f)) return -1000000; // also NaN
    if (v > 1.0e6f) return 1000000;
    return static_cast<int32_t>(std::nearbyint(v));
}

// Lines reaching beyond this are brought to it first, so the exact step arithmetic below stays
// well inside 64 bits; the perspective keeps its points within +-1,000,000 anyway.
constexpr int64_t kLineLimit = int64_t(1) << 29;

// How far the pen has moved along an axis of the given length after k of its steps (steps =
// the longer axis): the pen's own rounding, so a walk can start at any step.
int64_t PenOffset(int64_t length, int64_t steps, int64_t k)
{
    return steps == 0 ? 0 : (2 * length * k + steps) / (2 * steps);
}

int64_t CeilDivPositive(int64_t a, int64_t b) { return (a + b - 1) / b; }

// Narrows [from, to] to the steps whose coordinate on one axis (start, moving by dir over
// length) lies in 0..size-1. False when none does.
bool StepsInside(int64_t start, int32_t dir, int64_t length, int64_t steps, int32_t size, int64_t& from, int64_t& to)
{
    int64_t lo = dir > 0 ? -start : start - (size - 1), hi = dir > 0 ? size - 1 - start : start;
    lo = std::max<int64_t>(lo, 0);
    hi = std::min(hi, length);
    if (lo > hi) return false;
    if (length == 0) return true;
    // The offset reaches lo once 2 length k + steps >= 2 steps lo, and passes hi once
    // 2 length k + steps >= 2 steps (hi + 1).
    if (lo > 0) from = std::max(from, CeilDivPositive(steps * (2 * lo - 1), 2 * length));
    if (hi < length) to = std::min(to, CeilDivPositive(steps * (2 * hi + 1), 2 * length) - 1);
    return from <= to;
}

} // namespace

void DrawLine(PixelBuffer& area, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour)
{
    if ((x0 < 0 && x1 < 0) || (y0 < 0 && y1 < 0) || (x0 >= area.width && x1 >= area.width) ||
        (y0 >= area.height && y1 >= area.height))
        return;
    const bool inside = x0 >= 0 && y0 >= 0 && x1 >= 0 && y1 >= 0 && x0 < area.width && x1 < area.width &&
                        y0 < area.height && y1 < area.height;
    if (!inside) {
        auto limit = [](int32_t& v) { v = static_cast<int32_t>(std::clamp<int64_t>(v, -kLineLimit, kLineLimit)); };
        limit(x0), limit(y0), limit(x1), limit(y1);
    }
    const int64_t a = std::abs(int64_t(x1) - x0), b = std::abs(int64_t(y1) - y0);
    const int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const int64_t steps = std::max(a, b);
    int64_t from = 0, to = steps;
    // A line running off the area is walked only over its steps inside, starting from where the
    // pen would be there, so it draws exactly the pixels the whole line would.
    if (!inside &&
        (!StepsInside(x0, sx, a, steps, area.width, from, to) || !StepsInside(y0, sy, b, steps, area.height, from, to)))
        return;
    const int64_t movedX = from == 0 ? 0 : PenOffset(a, steps, from);
    const int64_t movedY = from == 0 ? 0 : PenOffset(b, steps, from);
    int32_t x = static_cast<int32_t>(x0 + sx * movedX), y = static_cast<int32_t>(y0 + sy * movedY);
    auto walk = [&](auto plot) {
        // The pen's error term after movedX and movedY moves, as if it had come from the start.
        int64_t err = a * (movedY + 1) - b * (movedX + 1);
        for (int64_t k = from;; ++k) {
            plot(x, y);
            if (k == to) break;
            const int64_t e2 = 2 * err;
            if (e2 >= -b) {
                err -= b;
                x += sx;
            }
            if (e2 <= a) {
                err += a;
                y += sy;
            }
        }
    };
    if (inside) {
        // Wholly inside: no test per pixel.
        uint32_t* pixels = area.pixels.data();
        const size_t width = static_cast<size_t>(area.width);
        walk([&](int32_t px, int32_t py) {
            pixels[static_cast<size_t>(py) * width + static_cast<size_t>(px)] = colour;
        });
    } else {
        walk([&](int32_t px, int32_t py) { area.Set(px, py, colour); });
    }
}

namespace {

// Where one polygon edge crosses successive scanlines, kept exactly as a whole part and a
// remainder over the edge's height, so the pixel ends need no division per scanline.
struct EdgeWalk {
    int32_t yEnd = 0;  // first scanline past the edge (half-open, so a shared corner counts once)
    int64_t whole = 0; // floor of the crossing
    int64_t rest = 0;  // remainder, 0 <= rest < height
    int64_t height = 1;
    int64_t stepWhole = 0, stepRest = 0;

    // Pixel ends of the crossing, ordered like the crossings themselves: a whole crossing sorts
    // before a fractional one with the same floor.
    int64_t Key() const { return 2 * whole + (rest != 0); }
    int64_t Ceil() const { return whole + (rest != 0); }
    void Step()
    {
        whole += stepWhole;
        rest += stepRest;
        if (rest >= height) {
            rest -= height;
            ++whole;
        }
    }
};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

} // namespace

void FillQuad(PixelBuffer& area, const int32_t (&px)[4], const int32_t (&py)[4], uint32_t colour)
{
    const int32_t minX = std::min({px[0], px[1], px[2], px[3]}), maxX = std::max({px[0], px[1], px[2], px[3]});
    const int32_t minY = std::min({py[0], py[1], py[2], py[3]}), maxY = std::max({py[0], py[1], py[2], py[3]});
    if (maxX < 0 || maxY < 0 || minX >= area.width || minY >= area.height) return;
    if (maxX - minX <= 1 && maxY - minY <= 1) {
        // Within two by two pixels the outline is the corners themselves (the usual case of a
        // large map, whose cells are smaller than a pixel).
        for (int i = 0; i < 4; ++i) area.Set(px[i], py[i], colour);
        return;
    }

    if (maxY - minY > 1) {
        const int32_t yFrom = std::max(minY, 0), yTo = std::min(maxY, area.height - 1);
        // Each edge that spans scanlines, entered at its first scanline inside the area.
        EdgeWalk edges[4];
        int32_t yStart[4];
        int count = 0;
        for (int i = 0; i < 4; ++i) {
            int32_t xa = px[i], ya = py[i], xb = px[(i + 1) & 3], yb = py[(i + 1) & 3];
            if (ya == yb) continue;
            if (ya > yb) {
                std::swap(xa, xb);
                std::swap(ya, yb);
            }
            const int32_t first = std::max(ya, yFrom);
            if (first >= yb || first > yTo) continue;
            EdgeWalk& e = edges[count];
            e.yEnd = yb;
            e.height = int64_t(yb) - ya;
            const int64_t run = int64_t(xb) - xa;
            e.stepWhole = FloorDiv(run, e.height);
            e.stepRest = run - e.stepWhole * e.height;
            const int64_t reach = (int64_t(first) - ya) * run;
            e.whole = FloorDiv(reach, e.height);
            e.rest = reach - e.whole * e.height;
            e.whole += xa;
            yStart[count++] = first;
        }
        // The corners cut the rows into bands in which the same edges cross every row.
        int32_t cuts[6] = {yFrom, yTo + 1};
        int cutCount = 2;
        for (int i = 0; i < 4; ++i)
            if (py[i] > yFrom && py[i] <= yTo) {
                int at = cutCount++;
                for (; at > 0 && cuts[at - 1] > py[i]; --at) cuts[at] = cuts[at - 1];
                cuts[at] = py[i];
            }
        const int64_t right = area.width - 1;
        auto span = [&](uint32_t* row, const EdgeWalk& l, const EdgeWalk& r) {
            const int64_t xl = std::max<int64_t>(l.Ceil(), 0), xr = std::min<int64_t>(r.whole, right);
            for (int64_t x = xl; x <= xr; ++x) row[x] = colour;
        };
        for (int c = 0; c + 1 < cutCount; ++c) {
            const int32_t from = cuts[c], to = cuts[c + 1];
            if (from == to) continue;
            EdgeWalk* band[4];
            int n = 0;
            for (int k = 0; k < count; ++k)
                if (yStart[k] <= from && from < edges[k].yEnd) band[n++] = &edges[k];
            uint32_t* row = area.pixels.data() + static_cast<size_t>(from) * area.width;
            if (n == 2) {
                // The usual case: one span per row, its ends in either order.
                EdgeWalk& a = *band[0];
                EdgeWalk& b = *band[1];
                for (int32_t y = from; y < to; ++y, row += area.width) {
                    if (a.Key() <= b.Key()) span(row, a, b);
                    else span(row, b, a);
                    a.Step();
                    b.Step();
                }
                continue;
            }
            for (int32_t y = from; y < to; ++y, row += area.width) {
                // Insertion by key keeps the crossings in order; edges of a crossed quad swap
                // places inside a band.
                const EdgeWalk* crossing[4];
                for (int k = 0; k < n; ++k) {
                    int at = k;
                    while (at > 0 && crossing[at - 1]->Key() > band[k]->Key()) {
                        crossing[at] = crossing[at - 1];
                        --at;
                    }
                    crossing[at] = band[k];
                }
                for (int k = 0; k + 1 < n; k += 2) span(row, *crossing[k], *crossing[k + 1]);
                for (int k = 0; k < n; ++k) band[k]->Step();
            }
        }
    }
    for (int i = 0; i < 4; ++i) DrawLine(area, px[i], py[i], px[(i + 1) & 3], py[(i + 1) & 3], colour);
}

namespace {

// Per-column or per-row lowest and highest altitude, drawn as a vertical run of grays.
void DrawSilhouette(PixelBuffer& area, const std::vector<int32_t>& lows, const std::vector<int32_t>& highs,
                    int32_t offset)
{
    for (size_t i = 0; i < lows.size(); ++i) {
        const int32_t column = static_cast<int32_t>(i) + offset;
        if (column < 0 || column >= area.width) continue;
        // Rows outside the area are not drawn, so the run is limited to altitudes 0..65535.
        const int32_t from = std::max(lows[i] / 128, 0);
        const int32_t to = std::min(highs[i] / 128, kPreviewSize - 1);
        for (int32_t a = from; a <= to; ++a) area.Set(column, kPreviewSize - 1 - a, Gray(a / 2));
    }
}

bool HasGrid()
{
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    return w >= 1 && h >= 1 && GridWidth() >= w && GridHeight() >= h;
}

} // namespace

void PixelBuffer::Reset(int32_t w, int32_t h, uint32_t fill)
{
    width = std::max(w, 0);
    height = std::max(h, 0);
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

void PixelBuffer::Fill(uint32_t colour) { std::fill(pixels.begin(), pixels.end(), colour); }

const char* ColorsetName(int32_t colorset)
{
    static const char* const names[kColorsetCount] = {"Grayscale", "Scaled Grayscale", "Woodlands", "Canyons",
                                                      "Desert",    "Arctic",           "Altitude",  "Spectrum"};
    return colorset >= 0 && colorset < kColorsetCount ? names[colorset] : "";
}

void FillColorSegment(int32_t start, int32_t count, int32_t r0, int32_t g0, int32_t b0, int32_t r1, int32_t g1,
                      int32_t b1)
{
    if (start < 0 || start > 65535 || count <= 0 || count > kTableSize || int64_t(start) + count > kTableSize) return;
    // Single-precision steps, products in double: the table of a colour set is always the same.
    const float dr = r1 == r0 ? 0.0f : float(r1 - r0) / float(count);
    const float dg = g1 == g0 ? 0.0f : float(g1 - g0) / float(count);
    const float db = b1 == b0 ? 0.0f : float(b1 - b0) / float(count);
    auto& table = ColorTable();
    for (int32_t i = 0; i < count; ++i) {
        const auto r = r0 + static_cast<int64_t>(std::nearbyint(double(dr) * i));
        const auto g = g0 + static_cast<int64_t>(std::nearbyint(double(dg) * i));
        const auto b = b0 + static_cast<int64_t>(std::nearbyint(double(db) * i));
        table[static_cast<size_t>(start + i)] = PixelFromRgb(ClampComponent(r), ClampComponent(g), ClampComponent(b));
    }
}

void BuildColorTable(int32_t colorset)
{
    switch (colorset) {
    case CsWoodlands:
        FillColorSegment(0, 32768, 0, 0, 0, 32, 127, 32);
        FillColorSegment(32768, 16384, 32, 127, 32, 160, 127, 48);
        FillColorSegment(49152, 16384, 160, 127, 48, 255, 255, 255);
        break;
    case CsCanyons:
        FillColorSegment(0, 32768, 0, 0, 0, 127, 72, 48);
        FillColorSegment(32768, 32768, 127, 72, 48, 255, 255, 255);
        break;
    case CsDesert:
        FillColorSegment(0, 32768, 0, 0, 0, 127, 104, 64);
        FillColorSegment(32768, 32768, 127, 104, 64, 255, 255, 255);
        break;
    case CsArctic:
        FillColorSegment(0, 32768, 0, 0, 0, 72, 112, 127);
        FillColorSegment(32768, 32768, 72, 112, 127, 255, 255, 255);
        break;
    case CsAltitude:
        FillColorSegment(0, 11000, 0, 0, 0, 0, 100, 150);
        FillColorSegment(11000, 11000, 0, 100, 150, 50, 100, 0);
        FillColorSegment(22000, 11000, 50, 100, 0, 100, 150, 50);
        FillColorSegment(33000, 11000, 100, 150, 50, 150, 100, 0);
        FillColorSegment(44000, 11000, 150, 100, 0, 200, 150, 0);
        FillColorSegment(55000, 10536, 200, 150, 0, 255, 255, 255);
        break;
    case CsSpectrum: {
        static constexpr int32_t stops[12][3] = {
            {0, 0, 64},  {0, 0, 192},   {0, 64, 64}, {0, 192, 192}, {0, 64, 0},  {0, 192, 0},
            {64, 64, 0}, {192, 192, 0}, {64, 0, 0},  {192, 0, 0},   {64, 0, 64}, {192, 0, 192},
        };
        // Eleven segments of 6000 entries; the last one ends the table at 5536.
        for (int32_t s = 0; s < 11; ++s) {
            const int32_t start = s * 6000;
            const int32_t count = s == 10 ? kTableSize - start : 6000;
            const auto& a = stops[s];
            const auto& b = stops[s + 1];
            FillColorSegment(start, count, a[0], a[1], a[2], b[0], b[1], b[2]);
        }
        break;
    }
    default: break; // the two grays are computed per sample
    }
}

uint32_t ColorTableEntry(int64_t altitude)
{
    if (altitude < 0 || altitude >= kTableSize) return kPixelBlack;
    return ColorTable()[static_cast<size_t>(altitude)];
}

uint32_t AltitudeColor(int32_t h, int32_t colorset)
{
    switch (colorset) {
    case CsGrayscale:
        // 8-bit maps show as they are; anything higher shows its upper byte.
        return Gray(MaxAltitude() < 256 ? h : h / 256);
    case CsScaledGrayscale: {
        const int32_t depth = AltitudeRange();
        const float f = depth == 0 ? 0.0f : 255.0f / float(depth);
        return Gray(static_cast<int64_t>(std::nearbyint(double(f) * (int64_t(h) - MinAltitude()))));
    }
    default: return ColorTableEntry(h);
    }
}

bool DrawTopView(PixelBuffer& area, bool centred, int32_t zoom)
{
    if (!HasGrid()) return false;
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    PixelBuffer& buffer = DrawingBuffer();
    try {
        buffer.pixels = std::vector<uint32_t>(); // the old one goes first
        buffer.Reset(w, h, kPixelBlack);
    } catch (const std::bad_alloc&) {
        buffer = PixelBuffer();
        ShowWarning("Unable to create the Memory DIB Bitmap.");
        return false;
    }

    const int32_t colorset = Globals().previewColorset;
    const auto& table = ColorTable();
    const int32_t lowest = MinAltitude();
    const int32_t depth = AltitudeRange();
    const float f = depth == 0 ? 0.0f : 255.0f / float(depth);
    const int32_t divisor = MaxAltitude() < 256 ? 1 : 256;
    for (int32_t y = 1; y <= h; ++y) {
        const int32_t* src = AltitudeRow(y);
        uint32_t* dst = buffer.pixels.data() + static_cast<size_t>(y - 1) * w;
        switch (colorset) {
        case CsGrayscale:
            for (int32_t x = 0; x < w; ++x) dst[x] = Gray(src[x] / divisor);
            break;
        case CsScaledGrayscale:
            for (int32_t x = 0; x < w; ++x)
                dst[x] = Gray(static_cast<int64_t>(std::nearbyint(double(f) * (int64_t(src[x]) - lowest))));
            break;
        default:
            for (int32_t x = 0; x < w; ++x) {
                const uint32_t a = static_cast<uint32_t>(src[x]);
                dst[x] = a < uint32_t(kTableSize) ? table[a] : kPixelBlack;
            }
            break;
        }
    }

    if (zoom != 100) {
        // Any other zoom stretches the picture over the whole area, sample by sample.
        for (int32_t ty = 0; ty < area.height; ++ty) {
            const int32_t sy = static_cast<int32_t>(int64_t(ty) * h / std::max(area.height, 1));
            for (int32_t tx = 0; tx < area.width; ++tx)
                area.Set(tx, ty, buffer.At(static_cast<int32_t>(int64_t(tx) * w / area.width), sy));
        }
        return true;
    }
    const int32_t ox = centred ? (kPreviewSize - w) / 2 : 0;
    const int32_t oy = centred ? (kPreviewSize - h) / 2 : 0;
    for (int32_t y = 0; y < h; ++y) {
        const int32_t ty = y + oy;
        if (ty < 0 || ty >= area.height) continue;
        const int32_t x0 = std::max(0, -ox), x1 = std::min(w, area.width - ox);
        if (x1 <= x0) continue;
        std::copy(buffer.pixels.begin() + static_cast<ptrdiff_t>(y) * w + x0,
                  buffer.pixels.begin() + static_cast<ptrdiff_t>(y) * w + x1,
                  area.pixels.begin() + static_cast<ptrdiff_t>(ty) * area.width + (x0 + ox));
    }
    return true;
}

void ReleaseDrawingBuffer() { DrawingBuffer() = PixelBuffer(); }

void DrawFrontView(PixelBuffer& area, bool centred)
{
    if (!HasGrid()) return;
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    std::vector<int32_t> lows(static_cast<size_t>(w), 65535), highs(static_cast<size_t>(w), 0);
    for (int32_t y = 1; y <= h; ++y) {
        const int32_t* row = AltitudeRow(y);
        for (int32_t x = 0; x < w; ++x) {
            lows[x] = std::min(lows[x], row[x]);
            highs[x] = std::max(highs[x], row[x]);
        }
    }
    DrawSilhouette(area, lows, highs, centred ? (kPreviewSize - w) / 2 : 0);
}

void DrawSideView(PixelBuffer& area, bool centred)
{
    if (!HasGrid()) return;
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    std::vector<int32_t> lows(static_cast<size_t>(h), 65535), highs(static_cast<size_t>(h), 0);
    for (int32_t y = 1; y <= h; ++y) {
        const int32_t* row = AltitudeRow(y);
        for (int32_t x = 0; x < w; ++x) {
            lows[y - 1] = std::min(lows[y - 1], row[x]);
            highs[y - 1] = std::max(highs[y - 1], row[x]);
        }
    }
    DrawSilhouette(area, lows, highs, centred ? (kPreviewSize - h) / 2 : 0);
}

void PerspectiveScreenPoints(std::vector<int32_t>& sx, std::vector<int32_t>& sy)
{
    sx.clear();
    sy.clear();
    if (!HasGrid()) return;
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    const float n = float(std::max(w, h));
    const float yaw = -0.88f, pitch = -0.6f, roll = 0.0f;
    const float cx = 0.0f, cy = -n / 8.0f, cz = (256.0f / n + 1.5f) * n;
    const float focal = (512.0f / n) * 256.0f + 512.0f;
    const float altScale = 512.0f / n;
    const float ca = std::cos(yaw), sa = std::sin(yaw), cb = std::cos(pitch), sb = std::sin(pitch);
    const float cc = std::cos(roll), sc = std::sin(roll);
    const float halfW = float(w) / 2.0f, halfH = float(h) / 2.0f;

    sx.resize(static_cast<size_t>(w) * h);
    sy.resize(static_cast<size_t>(w) * h);
    for (int32_t y = 1; y <= h; ++y) {
        const int32_t* row = AltitudeRow(y);
        for (int32_t x = 1; x <= w; ++x) {
            const float alt = float(row[x - 1]) / 256.0f / altScale;
            const float u = float(x) - halfW, v = float(y) - halfH;
            const float x1 = u * ca + v * sa;
            const float y1 = v * ca - u * sa;
            const float z2 = alt * cb - y1 * sb;
            const float y2 = alt * sb + y1 * cb;
            const float x3 = x1 * cc + z2 * sc;
            const float z3 = z2 * cc - x1 * sc;
            const float px = cx + x3, py = cy + z3, pz = cz + y2;
            const size_t i = static_cast<size_t>(y - 1) * w + (x - 1);
            if (pz == 0.0f) {
                sx[i] = 0;
                sy[i] = 0;
            } else {
                sx[i] = ScreenCoordinate(px * focal / pz + 256.0f);
                sy[i] = ScreenCoordinate(-py * focal / pz + 256.0f);
            }
        }
    }
}

void DrawPerspectiveView(PixelBuffer& area)
{
    if (!HasGrid()) return;
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    std::vector<int32_t> sx, sy;
    PerspectiveScreenPoints(sx, sy);

    const int32_t lowest = MinAltitude();
    const int32_t depth = AltitudeRange();
    const int32_t* grid = AltitudeRow(1);
    const size_t stride = static_cast<size_t>(GridWidth());
    for (int32_t x = 1; x < w; ++x) {
        for (int32_t y = 1; y < h; ++y) {
            const size_t i = static_cast<size_t>(y - 1) * w + (x - 1); // (x, y)
            const size_t j = i + static_cast<size_t>(w);               // (x, y + 1)
            // A flat map has no depth to shade by: it shows in the middle green of the ramp.
            const int64_t green =
                depth == 0 ? 150
                           : static_cast<int64_t>(std::nearbyint(
                                 double(int64_t(grid[(y - 1) * stride + (x - 1)]) - lowest) * 220.0 / depth + 40.0));
            const uint32_t colour = PixelFromRgb(30, ClampComponent(green), 0);
            const int32_t qx[4] = {sx[i], sx[j], sx[j + 1], sx[i + 1]};
            const int32_t qy[4] = {sy[i], sy[j], sy[j + 1], sy[i + 1]};
            FillQuad(area, qx, qy, colour);
        }
    }
}

void RenderPreview(PixelBuffer& area, int32_t view, bool centred, uint32_t background, bool hasHeightmap)
{
    if (area.width != kPreviewSize || area.height != kPreviewSize) area.Reset(kPreviewSize, kPreviewSize, background);
    else area.Fill(background);
    if (!hasHeightmap) return;
    switch (view) {
    case ViewTop: DrawTopView(area, centred, 100); break;
    case ViewFront: DrawFrontView(area, centred); break;
    case ViewSide: DrawSideView(area, centred); break;
    case ViewPerspective: DrawPerspectiveView(area); break;
    default: break;
    }
}

void DrawAltitudeBar(PixelBuffer& bar, bool hasHeightmap)
{
    TrapErrors("An error occurred drawing the heightmap altitude display.", [&] {
        if (bar.width != kAltitudeBarWidth || bar.height != kPreviewSize)
            bar.Reset(kAltitudeBarWidth, kPreviewSize, kPixelWhite);
        else bar.Fill(kPixelWhite);
        if (!hasHeightmap) return true;
        auto mark = [&bar](int32_t altitude, int32_t x0, uint32_t colour) {
            const int32_t r = BarRowOfAltitude(altitude);
            for (int32_t x = x0; x <= x0 + 5; ++x) bar.Set(x, r, colour);
            bar.Set(x0 + 2, r - 1, colour);
            bar.Set(x0 + 2, r + 1, colour);
        };
        mark(MinAltitude(), 4, PixelFromRgb(255, 51, 51));
        mark(MeanAltitude(), 10, PixelFromRgb(153, 0, 153));
        mark(MidAltitude(), 16, PixelFromRgb(0, 153, 0));
        const int32_t top = std::max(BarRowOfAltitude(MaxAltitude()), 0);
        const int32_t bottom = std::min(BarRowOfAltitude(MinAltitude()), kPreviewSize - 1);
        const uint32_t box = PixelFromRgb(51, 102, 153);
        for (int32_t r = top; r <= bottom; ++r)
            for (int32_t x = 24; x <= 28; ++x) bar.Set(x, r, box);
        return true;
    });
}

bool HeightReadoutPosition(double mouseX, double mouseY, bool hasHeightmap, int32_t view, bool centred, int32_t& x,
                           int32_t& y)
{
    if (!hasHeightmap || view != ViewTop) return false;
    if (!std::isfinite(mouseX) || !std::isfinite(mouseY) || std::abs(mouseX) > 1e6 || std::abs(mouseY) > 1e6)
        return false;
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    int32_t px = static_cast<int32_t>(std::nearbyint(mouseX)) + 1;
    int32_t py = static_cast<int32_t>(std::nearbyint(mouseY)) + 1;
    if (centred) {
        px -= (kPreviewSize - w) / 2;
        py -= (kPreviewSize - h) / 2;
    }
    if (px < 1 || px > w || py < 1 || py > h) return false;
    x = px;
    y = py;
    return true;
}

void ShowHeightAt(double mouseX, double mouseY, bool hasHeightmap)
{
    int32_t x = 0, y = 0;
    if (HeightReadoutPosition(mouseX, mouseY, hasHeightmap, Globals().currentView, Globals().previewLocation == 0, x,
                              y))
        Host().ShowPanelText(5, HeightAtText(x, y));
}

void ShowFormatDescription(bool hasHeightmap)
{
    Host().ShowPanelText(1, hasHeightmap ? FormatDescription(FormatCode()) : std::string());
}

void ShowFileSize(bool hasHeightmap, const std::string& currentPath)
{
    std::string text;
    if (hasHeightmap && !currentPath.empty()) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(currentPath, ec);
        if (!ec) text = FileSizeText(static_cast<int64_t>(size));
    }
    Host().ShowPanelText(2, text);
}

void ShowResolution(bool hasHeightmap) { Host().ShowPanelText(3, hasHeightmap ? ResolutionText() : std::string()); }

void ShowStatistics(bool hasHeightmap) { Host().ShowPanelText(4, hasHeightmap ? StatisticsText() : std::string()); }

void ClearHeightReadout() { Host().ShowPanelText(5, std::string()); }

void ClearFileSize() { Host().ShowPanelText(2, std::string()); }

} // namespace tolv
