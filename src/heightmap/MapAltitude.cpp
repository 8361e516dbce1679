// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Scale, move and invert. Results are computed into a copy and stored only when every sample
// succeeded, so an overflow part-way leaves the heightmap untouched.
#include <cstdlib>
#include <vector>

#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Globals.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

int32_t CheckedInt32(int64_t v)
{
    if (v < INT32_MIN || v > INT32_MAX) throw RunTimeError(ErrOverflow);
    return static_cast<int32_t>(v);
}

// Applies f to every sample of a copy and then stores the copy.
template <typename F>
void MapSamples(F f)
{
    if (HeightmapWidth() != GridWidth() || HeightmapHeight() != GridHeight()) throw RunTimeError(ErrSubscript);
    std::vector<int32_t> out = AltitudeGrid();
    for (int32_t& v : out) v = f(v);
    ReplaceHeightmapGrid(HeightmapWidth(), HeightmapHeight(), std::move(out));
}

// Methods 0 and 1: stretch the span onto 0..top with a single-precision factor.
void ScaleToExtents(int32_t top)
{
    const int32_t lo = MinAltitude();
    const float factor = static_cast<float>(static_cast<double>(top) / (static_cast<double>(MaxAltitude()) - lo));
    MapSamples([&](int32_t h) { return RoundToInt32(static_cast<double>(factor) * (static_cast<double>(h) - lo)); });
}

} // namespace

bool ScaleHeightmap()
{
    return TrapErrors("An error occurred scaling the heightmap.", [&] {
        const int32_t lo = MinAltitude(), hi = MaxAltitude();
        if (hi == lo) return false;
        const GlobalSettings& s = Globals();
        switch (s.scaleMethod) {
        case 0:
            if (hi == 255 && lo == 0) return false;
            ScaleToExtents(255);
            break;
        case 1:
            if (hi == 65535 && lo == 0) return false;
            ScaleToExtents(65535);
            break;
        case 2: {
            const int32_t p = s.scalePercent;
            if (p < 1 || p > 999 || p == 100 || (p > 100 && AltitudeRange() == 65536)) return false;
            const int32_t m = CheckedInt32((static_cast<int64_t>(hi) - lo) / 2 + lo);
            MapSamples([&](int32_t h) -> int32_t {
                if (h > m) {
                    // the product is a 32-bit integer product: it overflows like one
                    const int32_t prod = CheckedInt32(CheckedInt32(int64_t(h) - m) * int64_t(p));
                    const int64_t v = int64_t(RoundToInt32(prod / 100.0)) + m;
                    return v > 65535 ? 65535 : CheckedInt32(v);
                }
                if (h < m) {
                    const int32_t prod = CheckedInt32(CheckedInt32(int64_t(m) - h) * int64_t(p));
                    const int64_t v = int64_t(m) - RoundToInt32(prod / 100.0);
                    return v < 0 ? 0 : CheckedInt32(v);
                }
                return h;
            });
            break;
        }
        case 3: {
            const int32_t upper = s.scaleUpper, lower = s.scaleLower;
            if (upper == hi && lower == lo) return false;
            const float spanNew = static_cast<float>(CheckedInt32(int64_t(upper) - lower));
            const float factor = static_cast<float>(static_cast<double>(spanNew) / (static_cast<double>(hi) - lo));
            MapSamples([&](int32_t h) {
                return CheckedInt32(int64_t(RoundToInt32(static_cast<double>(factor) * (static_cast<double>(h) - lo))) +
                                    lower);
            });
            break;
        }
        default: break;
        }
        UpdateHeightmapStatistics();
        return true;
    });
}

bool MoveHeightmap(int32_t base)
{
    return TrapErrors("An error occurred moving the heightmap.", [&] {
        const int32_t lo = MinAltitude();
        if (base == lo) return true;
        const int64_t delta = std::llabs(int64_t(base) - lo);
        const int64_t step = base > lo ? delta : -delta;
        MapSamples([&](int32_t h) { return CheckedInt32(h + step); });
        UpdateHeightmapStatistics();
        return true;
    });
}

bool InvertHeightmap(int32_t mid)
{
    return TrapErrors("An error occurred inverting the heightmap.", [&] {
        if (MinAltitude() == MaxAltitude()) return false;
        // 2 x mid + 1 - h, kept to its low 16 bits; computed wide so no sample can overflow.
        MapSamples([&](int32_t h) {
            if (h == mid) return h;
            return static_cast<int32_t>(static_cast<uint64_t>(2 * int64_t(mid) + 1 - h) & 0xFFFFu);
        });
        UpdateHeightmapStatistics();
        return true;
    });
}

} // namespace tolv
