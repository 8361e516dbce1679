// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolv {

// ASCII STL meshes (write only).
struct StlOptions {
    int32_t spacing = 16;
    bool flipNormals = false;
};
// Shows the STL options dialog with its fixed defaults; nothing when it was cancelled.
std::optional<StlOptions> AskStlOptions();
bool SaveStlFile(const std::string& path, const StlOptions& options);
// grid holds width x height altitudes, rows top first.
bool WriteStlFile(const std::string& path, int32_t width, int32_t height, int32_t spacing, bool flipNormals,
                  const std::vector<int32_t>& grid);

} // namespace tolv
