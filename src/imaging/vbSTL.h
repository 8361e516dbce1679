// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// ASCII STL meshes (write only).
bool SaveStlFile(const std::string& path);
// grid holds width x height altitudes, rows top first.
bool WriteStlFile(const std::string& path, int32_t width, int32_t height, int32_t spacing, bool flipNormals,
                  const std::vector<int32_t>& grid);

} // namespace tolv
