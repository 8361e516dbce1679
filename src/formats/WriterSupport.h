// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

#include "heightmap/MapHeight.h"
#include "shell/RunTimeError.h"

namespace tolv {

// The current heightmap's Width x Height samples, rows top first. Raises Subscript out of range
// when the grid holds fewer samples than Width and Height claim.
inline std::vector<int32_t> HeightmapSamples()
{
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    if (w <= 0 || h <= 0) return {};
    if (w > GridWidth() || h > GridHeight()) throw RunTimeError(ErrSubscript);
    std::vector<int32_t> out(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int32_t y = 1; y <= h; ++y)
        std::memcpy(out.data() + static_cast<size_t>(y - 1) * static_cast<size_t>(w), AltitudeRow(y),
                    static_cast<size_t>(w) * sizeof(int32_t));
    return out;
}

// Raises Subscript out of range unless grid holds width x height samples.
inline void CheckWriterGrid(int32_t width, int32_t height, const std::vector<int32_t>& grid)
{
    if (width < 0 || height < 0 || grid.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
        throw RunTimeError(ErrSubscript);
}

// The number format "00000": at least five digits with leading zeros (a sign in front of them).
// Writes at most 12 characters and returns the end.
inline char* PutZeroPad5(char* p, int32_t v)
{
    uint32_t u = static_cast<uint32_t>(v);
    if (v < 0) {
        *p++ = '-';
        u = 0u - u;
    }
    if (u < 100000) {
        for (int i = 4; i >= 0; --i) {
            p[i] = static_cast<char>('0' + u % 10);
            u /= 10;
        }
        return p + 5;
    }
    return std::to_chars(p, p + 10, u).ptr;
}

} // namespace tolv
