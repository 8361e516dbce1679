// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tolv {

// Operations that rewrite the one heightmap. Each traps its own run-time errors, reports them
// once with its own sentence and returns false; true means the heightmap was changed (Move also
// returns true when asked to move to where it already is).

// Orientation. Flips and rotations only rearrange samples and keep the statistics.
bool CropHeightmap(); // upper-left quadrant, Width \ 2 x Height \ 2
bool FlipHeightmapHorizontal();
bool FlipHeightmapVertical();
bool RotateHeightmapCCW();
bool RotateHeightmapCW();

// Altitudes. Scale reads ScaleMethod, ScalePercent, ScaleUpper and ScaleLower from Globals().
bool ScaleHeightmap();
bool MoveHeightmap(int32_t base);  // base: the new lowest altitude
bool InvertHeightmap(int32_t mid); // mirrors around mid, keeping the low 16 bits

// Resolution. Interpolate reads InterpolationFactor and InterpolationVariance, Resample reads
// ResampleFactor and ResampleMethod from Globals().
bool InterpolateHeightmap();
int32_t InterpolatePoint(int32_t a, int32_t b);
bool ResampleHeightmap();
// Restarts the variance generator from a fixed seed (tests); it is seeded from the clock and the
// system's entropy source once per process otherwise.
void SeedInterpolationRandom(uint64_t seed);

// Trim anchors: which edges are cut.
enum TrimAnchor : int32_t {
    TrimLeftTop = 0,
    TrimLeftBottom = 1,
    TrimRightTop = 2,
    TrimRightBottom = 3,
    TrimCenter = 4
};
// False when the size is unchanged (nothing done) or on error.
bool TrimHeightmap(int32_t anchor, int32_t width, int32_t height);

// One tile of a split: its file number and its first point as 0-based offsets.
struct SplitTile {
    int32_t number;
    int32_t x0;
    int32_t y0;
};
// Name of tile n written from the path chosen in the save dialog: folder (with a separator),
// base name, n with at least two digits, ".bmp".
std::string SplitTileName(const std::string& chosenPath, int32_t number);
// Tile r (1-based from the top), c (1-based from the left) of a columns x rows split of tiles
// tw x th. Seamless tiles overlap their neighbours by one column and one row: x0 = (c - 1) x
// (tw - 1), y0 likewise.
SplitTile SplitTileAt(int32_t row, int32_t column, int32_t columns, int32_t tileWidth, int32_t tileHeight,
                      bool seamless);
// Writes every tile as a G16 bitmap, row by row, each after backing up an existing file of its
// name. Stops at the first tile that cannot be written; returns true when all were written.
bool WriteSplitTiles(const std::string& chosenPath, int32_t columns, int32_t rows, int32_t tileWidth,
                     int32_t tileHeight, bool seamless);

// Stitch: up to four section files (upper-left, upper-right, lower-left, lower-right; "" for an
// unused section) merged into the one heightmap. Sections are read through the open dispatch.
// False (with the messages already shown) when a section cannot be read or the result would
// exceed 513 on a side; the heightmap is then empty.
bool StitchHeightmaps(const std::array<std::string, 4>& sections);

} // namespace tolv
