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
// grid: width x height samples, rows top first. The file is written in one pass beside its name
// and renamed into place, so a failed save leaves no partial file there.
bool WriteT3dFile(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid);

} // namespace tolv
