// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// Unreal T3D terrain text (write only): one map, one level, one terrain actor and its height
// block, the altitudes column by column from the bottom row up, eight to a line.
bool SaveT3dFile(const std::string& path);
// grid: width x height samples, rows top first.
bool WriteT3dFile(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid);
// Creates the file with the lines up to "End TerrainActorMembers".
bool WriteT3dHeader(const std::string& path, int32_t width, int32_t height);
// Appends the closing "End Terrain", "End Level" and "End Map" lines.
bool WriteT3dFooter(const std::string& path);

} // namespace tolv
