// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <vector>

namespace tolv {

inline constexpr int32_t kMaxMapSize = 513;

// The one current heightmap of the process. Indices are 1-based: x is the column from the left,
// y the row from the top; samples are stored with x varying fastest.
// Everything reaches it through the free functions below.

bool AllocateHeightmap(int32_t width, int32_t height);
bool CheckHeightmapResolution(int32_t width, int32_t height);
void UpdateHeightmapStatistics();
void ClearHeightmap();
int32_t GetAltitude(int32_t x, int32_t y);
// Stores value at (x, y); raises Subscript out of range (9) outside the allocated grid.
void SetAltitude(int32_t x, int32_t y, int32_t value);
void LiftNegativeAltitudes();

int32_t HeightmapWidth();
int32_t HeightmapHeight();
void SetHeightmapWidth(int32_t width);
void SetHeightmapHeight(int32_t height);
int32_t MinAltitude();
int32_t MaxAltitude();
int32_t MeanAltitude();
int32_t MidAltitude();
int32_t AltitudeRange();
bool HeightmapLoaded();
void MarkHeightmapLoaded();
int32_t FormatCode();
void SetFormatCode(int32_t code);

// A reader's first step once its file is validated: checks the resolution (a size below 1 gets
// the resolution warning too), sets Width and Height and allocates the grid. False when refused.
bool BeginHeightmapLoad(int32_t width, int32_t height);
// A reader's last step once every sample is stored: marks the heightmap loaded, sets the format
// code and updates the statistics.
void FinishHeightmapLoad(int32_t formatCode);

// Both steps for a reader that decoded every sample first (rows top first): begin, copy the
// rows, finish. False when the size was refused.
bool LoadHeightmapGrid(int32_t width, int32_t height, const std::vector<int32_t>& samples, int32_t formatCode);

// Direct access for writers, views and transforms: row y (1-based) of the allocated grid,
// GridWidth() samples long. Valid until the grid is reallocated.
const int32_t* AltitudeRow(int32_t y);
int32_t* MutableAltitudeRow(int32_t y);
int32_t GridWidth();
int32_t GridHeight();
// The whole grid, row by row.
const std::vector<int32_t>& AltitudeGrid();
// Replaces grid and sizes in one step (transforms that build a new grid); statistics untouched.
void ReplaceHeightmapGrid(int32_t width, int32_t height, std::vector<int32_t> grid);

} // namespace tolv
