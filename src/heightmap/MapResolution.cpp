// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Interpolate (doubling passes) and resample (cut or row average).
#include <chrono>
#include <random>
#include <vector>

#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Globals.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

// One generator for the whole run: re-seeding from the clock before every draw would hand out
// the same number many times within one clock tick.
std::mt19937_64& VarianceGenerator()
{
    static std::mt19937_64 gen = [] {
        std::random_device rd;
        const uint64_t t = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::seed_seq seq{static_cast<uint32_t>(rd()), static_cast<uint32_t>(rd()), static_cast<uint32_t>(t),
                          static_cast<uint32_t>(t >> 32)};
        return std::mt19937_64(seq);
    }();
    return gen;
}

// Uniform in [0, 1) with the 24 bits a single-precision float holds; never 1.
float NextUniform() { return static_cast<float>(VarianceGenerator()() >> 40) * (1.0f / 16777216.0f); }

int32_t PassesFor(int32_t factor)
{
    switch (factor) {
    case 4: return 2;
    case 8: return 3;
    case 16: return 4;
    case 32: return 5;
    default: return 1;
    }
}

void DoublingPass()
{
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    if (w != GridWidth() || h != GridHeight()) throw RunTimeError(ErrSubscript);
    // The store never holds more than 513 on a side.
    if (w < 1 || h < 1 || 2 * w > kMaxMapSize || 2 * h > kMaxMapSize) throw RunTimeError(ErrSubscript);
    const int32_t W = 2 * w;
    std::vector<int32_t> out(static_cast<size_t>(W) * (2 * h));
    for (int32_t y = 1; y <= h; ++y) {
        const int32_t* row = AltitudeRow(y);
        const int32_t* below = y < h ? AltitudeRow(y + 1) : row;
        int32_t* top = out.data() + static_cast<size_t>(2 * y - 2) * W;
        int32_t* bottom = top + W;
        for (int32_t x = 1; x <= w; ++x) {
            const int32_t a = row[x - 1];
            const bool edge = x == w || y == h;
            const int32_t b = edge ? a : row[x];
            const int32_t c = edge ? a : below[x - 1];
            const int32_t d = edge ? a : below[x];
            top[2 * x - 2] = a;
            top[2 * x - 1] = InterpolatePoint(a, b);
            bottom[2 * x - 2] = InterpolatePoint(a, c);
            bottom[2 * x - 1] = InterpolatePoint(a, d);
        }
    }
    ReplaceHeightmapGrid(W, 2 * h, std::move(out));
}

} // namespace

void SeedInterpolationRandom(uint64_t seed) { VarianceGenerator().seed(seed); }

int32_t InterpolatePoint(int32_t a, int32_t b)
{
    if (a == b) return a;
    const int32_t lo = a < b ? a : b;
    const int64_t d = int64_t(a < b ? b : a) - lo;
    const float v = Globals().interpolationVariance;
    if (!(v > 0.0f)) return static_cast<int32_t>(lo + d / 2);
    const float half = static_cast<float>(static_cast<double>(d) / 2.0);
    const float spread = static_cast<float>(static_cast<double>(v) * static_cast<double>(d));
    const float r = NextUniform();
    const double offset = static_cast<double>(r) * spread - spread / 2.0 + half;
    const int64_t result = int64_t(lo) + RoundToInt32(offset);
    if (result < INT32_MIN || result > INT32_MAX) throw RunTimeError(ErrOverflow);
    return static_cast<int32_t>(result);
}

bool InterpolateHeightmap()
{
    return TrapErrors("An error occurred interpolating the heightmap.", [&] {
        const int32_t passes = PassesFor(Globals().interpolationFactor);
        for (int32_t i = 0; i < passes; ++i) DoublingPass();
        UpdateHeightmapStatistics();
        return true;
    });
}

bool ResampleHeightmap()
{
    const int32_t n = Globals().resampleFactor;
    if (n != 2 && n != 4 && n != 8 && n != 16 && n != 32) return false;
    return TrapErrors("An error occurred resampling the heightmap.", [&] {
        const int32_t w = HeightmapWidth(), h = HeightmapHeight();
        if (w != GridWidth() || h != GridHeight()) throw RunTimeError(ErrSubscript);
        const int32_t w2 = w / n, h2 = h / n;
        // Sides that n does not divide would walk past the target grid.
        if (w2 < 1 || h2 < 1 || w % n != 0 || h % n != 0) throw RunTimeError(ErrSubscript);
        const int32_t method = Globals().resampleMethod;
        std::vector<int32_t> out(static_cast<size_t>(w2) * h2, 0);
        if (method == 0 || method == 1) {
            for (int32_t ty = 0; ty < h2; ++ty) {
                const int32_t* row = AltitudeRow(1 + ty * n);
                int32_t* dst = out.data() + static_cast<size_t>(ty) * w2;
                for (int32_t tx = 0; tx < w2; ++tx) {
                    const int32_t* s = row + static_cast<size_t>(tx) * n;
                    if (method == 0) {
                        dst[tx] = *s;
                    } else {
                        int64_t sum = 0;
                        for (int32_t k = 0; k < n; ++k) sum += s[k];
                        // the row sum is a 32-bit integer
                        if (sum < INT32_MIN || sum > INT32_MAX) throw RunTimeError(ErrOverflow);
                        dst[tx] = RoundToInt32(static_cast<double>(sum) / n);
                    }
                }
            }
        }
        ReplaceHeightmapGrid(w2, h2, std::move(out));
        UpdateHeightmapStatistics();
        return true;
    });
}

} // namespace tolv
