// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/MapHeight.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

struct Store {
    std::vector<int32_t> grid;
    int32_t gridWidth = 0;
    int32_t gridHeight = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t minAlt = 0;
    int32_t maxAlt = 0;
    int32_t meanAlt = 0;
    int32_t midAlt = 0;
    int32_t range = 0;
    bool loaded = false;
    int32_t formatCode = 0;
};
Store g;

} // namespace

bool AllocateHeightmap(int32_t width, int32_t height)
{
    if (height == 0 || width == 0 || width > kMaxMapSize || height > kMaxMapSize) return false;
    return TrapErrors("An error occurred allocating the heightmap memory array.", [&] {
        if (width < 0 || height < 0) throw RunTimeError(ErrInvalidCall);
        std::vector<int32_t> fresh(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        g.grid.swap(fresh);
        g.gridWidth = width;
        g.gridHeight = height;
        return true;
    });
}

bool CheckHeightmapResolution(int32_t width, int32_t height)
{
    if (width < 514 && height < 514) return true;
    ShowInfo(std::string("Unsupported heightmap resolution.") + kCrLf + kCrLf + "The heightmap size is " +
             std::to_string(width) + " x " + std::to_string(height) + "." + kCrLf +
             "Height resolutions up to 513x513 are supported.");
    return false;
}

void UpdateHeightmapStatistics()
{
    if (!g.loaded) return;
    int32_t lo = 65535, hi = 0;
    float sum = 0.0f; // deliberately single precision: the mean is an approximation on large grids
    const int32_t w = std::min(g.width, g.gridWidth), h = std::min(g.height, g.gridHeight);
    for (int32_t y = 0; y < h; ++y) {
        const int32_t* row = g.grid.data() + static_cast<size_t>(y) * g.gridWidth;
        for (int32_t x = 0; x < w; ++x) {
            int32_t v = row[x];
            if (v < lo) lo = v;
            if (v > hi) hi = v;
            sum += static_cast<float>(v);
        }
    }
    g.minAlt = lo;
    g.maxAlt = hi;
    double count = static_cast<double>(g.width) * static_cast<double>(g.height);
    g.meanAlt = count > 0 ? RoundToInt32(static_cast<double>(sum) / count) : 0;
    g.midAlt = RoundToInt32((static_cast<double>(hi) - lo) / 2.0 + lo);
    // Computed wide: a grid of 32-bit raw samples can span more than a 32-bit range holds.
    const int64_t range = hi != lo ? static_cast<int64_t>(hi) - lo + 1 : 0;
    g.range = static_cast<int32_t>(std::min<int64_t>(range, INT32_MAX));
}

void ClearHeightmap() { g = Store{}; }

int32_t GetAltitude(int32_t x, int32_t y)
{
    if (!g.loaded) return 0;
    if (x < 1) x = 1;
    if (x > g.width) x = g.width;
    if (y < 1) y = 1;
    if (y > g.height) y = g.height;
    if (x < 1 || y < 1 || x > g.gridWidth || y > g.gridHeight) return 0;
    return g.grid[static_cast<size_t>(y - 1) * g.gridWidth + (x - 1)];
}

void SetAltitude(int32_t x, int32_t y, int32_t value)
{
    if (x < 1 || y < 1 || x > g.gridWidth || y > g.gridHeight) throw RunTimeError(ErrSubscript);
    g.grid[static_cast<size_t>(y - 1) * g.gridWidth + (x - 1)] = value;
}

void LiftNegativeAltitudes()
{
    int32_t low = 0;
    for (int32_t v : g.grid)
        if (v < low) low = v;
    const uint32_t lift = static_cast<uint32_t>(-static_cast<int64_t>(low));
    for (int32_t& v : g.grid) v = static_cast<int32_t>((static_cast<uint32_t>(v) + lift) & 0xFFFFu);
}

bool BeginHeightmapLoad(int32_t width, int32_t height)
{
    if (width < 1 || height < 1) {
        ShowWarning(std::string("Unsupported heightmap resolution.") + kCrLf + kCrLf + "The heightmap size is " +
                    std::to_string(width) + " x " + std::to_string(height) + ".");
        return false;
    }
    if (!CheckHeightmapResolution(width, height)) return false;
    SetHeightmapWidth(width);
    SetHeightmapHeight(height);
    return AllocateHeightmap(width, height);
}

void FinishHeightmapLoad(int32_t formatCode)
{
    MarkHeightmapLoaded();
    SetFormatCode(formatCode);
    UpdateHeightmapStatistics();
}

bool LoadHeightmapGrid(int32_t width, int32_t height, const std::vector<int32_t>& samples, int32_t formatCode)
{
    if (!BeginHeightmapLoad(width, height)) return false;
    for (int32_t y = 1; y <= height; ++y)
        std::copy_n(samples.data() + static_cast<size_t>(y - 1) * static_cast<size_t>(width), width,
                    MutableAltitudeRow(y));
    FinishHeightmapLoad(formatCode);
    return true;
}

int32_t HeightmapWidth() { return g.width; }
int32_t HeightmapHeight() { return g.height; }
void SetHeightmapWidth(int32_t width) { g.width = width; }
void SetHeightmapHeight(int32_t height) { g.height = height; }
int32_t MinAltitude() { return g.minAlt; }
int32_t MaxAltitude() { return g.maxAlt; }
int32_t MeanAltitude() { return g.meanAlt; }
int32_t MidAltitude() { return g.midAlt; }
int32_t AltitudeRange() { return g.range; }
bool HeightmapLoaded() { return g.loaded; }
void MarkHeightmapLoaded() { g.loaded = true; }
int32_t FormatCode() { return g.formatCode; }
void SetFormatCode(int32_t code) { g.formatCode = code; }

const int32_t* AltitudeRow(int32_t y)
{
    if (y < 1 || y > g.gridHeight) throw RunTimeError(ErrSubscript);
    return g.grid.data() + static_cast<size_t>(y - 1) * g.gridWidth;
}

int32_t* MutableAltitudeRow(int32_t y)
{
    if (y < 1 || y > g.gridHeight) throw RunTimeError(ErrSubscript);
    return g.grid.data() + static_cast<size_t>(y - 1) * g.gridWidth;
}

int32_t GridWidth() { return g.gridWidth; }
int32_t GridHeight() { return g.gridHeight; }
const std::vector<int32_t>& AltitudeGrid() { return g.grid; }

void ReplaceHeightmapGrid(int32_t width, int32_t height, std::vector<int32_t> grid)
{
    if (width < 0 || height < 0 || grid.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        throw RunTimeError(ErrInvalidCall);
    g.grid = std::move(grid);
    g.gridWidth = g.width = width;
    g.gridHeight = g.height = height;
}

} // namespace tolv
