// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Crop, flips and rotations: each builds the result in a new grid, so a failure leaves the
// heightmap as it was.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

// The grid must match the recorded sizes before any sample is moved.
void RequireConsistentGrid()
{
    if (HeightmapWidth() != GridWidth() || HeightmapHeight() != GridHeight()) throw RunTimeError(ErrSubscript);
}

std::vector<int32_t> NewGrid(int32_t w, int32_t h)
{
    if (w < 1 || h < 1) throw RunTimeError(ErrSubscript); // a grid with a side of 0 cannot be created
    return std::vector<int32_t>(static_cast<size_t>(w) * static_cast<size_t>(h));
}

} // namespace

bool CropHeightmap()
{
    return TrapErrors("An error occurred cropping the heightmap.", [&] {
        RequireConsistentGrid();
        const int32_t w = HeightmapWidth() / 2, h = HeightmapHeight() / 2;
        std::vector<int32_t> out = NewGrid(w, h);
        for (int32_t y = 1; y <= h; ++y) {
            const int32_t* src = AltitudeRow(y);
            std::copy(src, src + w, out.begin() + static_cast<std::ptrdiff_t>(y - 1) * w);
        }
        ReplaceHeightmapGrid(w, h, std::move(out));
        UpdateHeightmapStatistics();
        return true;
    });
}

bool FlipHeightmapHorizontal()
{
    return TrapErrors("An error occurred flipping the heightmap.", [&] {
        RequireConsistentGrid();
        const int32_t w = HeightmapWidth(), h = HeightmapHeight();
        for (int32_t y = 1; y <= h; ++y) {
            int32_t* row = MutableAltitudeRow(y);
            std::reverse(row, row + w);
        }
        return true;
    });
}

bool FlipHeightmapVertical()
{
    return TrapErrors("An error occurred flipping the heightmap.", [&] {
        RequireConsistentGrid();
        const int32_t w = HeightmapWidth(), h = HeightmapHeight();
        for (int32_t y = 1; y <= h / 2; ++y)
            std::swap_ranges(MutableAltitudeRow(y), MutableAltitudeRow(y) + w, MutableAltitudeRow(h - y + 1));
        return true;
    });
}

bool RotateHeightmapCCW()
{
    return TrapErrors("An error occurred rotating the heightmap.", [&] {
        RequireConsistentGrid();
        const int32_t w = HeightmapWidth(), h = HeightmapHeight();
        // New grid: h columns, w rows; old (x, y) goes to (y, w - x + 1).
        std::vector<int32_t> out = NewGrid(h, w);
        for (int32_t y = 1; y <= h; ++y) {
            const int32_t* src = AltitudeRow(y);
            for (int32_t x = 1; x <= w; ++x) out[static_cast<size_t>(w - x) * h + (y - 1)] = src[x - 1];
        }
        ReplaceHeightmapGrid(h, w, std::move(out));
        return true;
    });
}

bool RotateHeightmapCW()
{
    return TrapErrors("An error occurred rotating the heightmap.", [&] {
        RequireConsistentGrid();
        const int32_t w = HeightmapWidth(), h = HeightmapHeight();
        // Old (x, y) goes to (h - y + 1, x).
        std::vector<int32_t> out = NewGrid(h, w);
        for (int32_t y = 1; y <= h; ++y) {
            const int32_t* src = AltitudeRow(y);
            for (int32_t x = 1; x <= w; ++x) out[static_cast<size_t>(x - 1) * h + (h - y)] = src[x - 1];
        }
        ReplaceHeightmapGrid(h, w, std::move(out));
        return true;
    });
}

} // namespace tolv
