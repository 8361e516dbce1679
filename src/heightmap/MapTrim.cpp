// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <algorithm>
#include <cstddef>
#include <vector>

#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {

bool TrimHeightmap(int32_t anchor, int32_t w, int32_t h)
{
    const int32_t W = HeightmapWidth(), H = HeightmapHeight();
    if (w == W && h == H) return false;
    return TrapErrors("An error occurred trimming the heightmap.", [&] {
        if (W != GridWidth() || H != GridHeight()) throw RunTimeError(ErrSubscript);
        // The first kept column and row.
        int32_t x0 = 1, y0 = 1;
        switch (anchor) {
        case TrimLeftTop:
            x0 = W - w + 1;
            y0 = H - h + 1;
            break;
        case TrimLeftBottom: x0 = W - w + 1; break;
        case TrimRightTop: y0 = H - h + 1; break;
        case TrimRightBottom: break;
        case TrimCenter:
            x0 = (W - w) / 2 + 1;
            y0 = (H - h) / 2 + 1;
            break;
        default: throw RunTimeError(ErrInvalidCall);
        }
        // A size larger than the map (or below 1) would read outside the grid.
        if (w < 1 || h < 1 || x0 < 1 || y0 < 1 || x0 + w - 1 > W || y0 + h - 1 > H) throw RunTimeError(ErrSubscript);
        std::vector<int32_t> out(static_cast<size_t>(w) * h);
        for (int32_t y = 1; y <= h; ++y) {
            const int32_t* src = AltitudeRow(y0 + y - 1) + (x0 - 1);
            std::copy(src, src + w, out.begin() + static_cast<std::ptrdiff_t>(y - 1) * w);
        }
        ReplaceHeightmapGrid(w, h, std::move(out));
        UpdateHeightmapStatistics();
        return true;
    });
}

} // namespace tolv
