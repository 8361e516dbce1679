// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolv {

// Wavefront OBJ meshes.
bool LoadObjFile(const std::string& path);

struct ObjOptions {
    int32_t spacing = 16;
    bool includeObjectName = true;
    bool smoothFaces = true;
};
// Shows the OBJ options dialog with its fixed defaults; nothing when it was cancelled.
std::optional<ObjOptions> AskObjOptions();
bool SaveObjFile(const std::string& path, const ObjOptions& options);

// Extension question, then the first line must end within 82 bytes and hold only text.
bool ValidateObjFile(const std::string& path);
// The vertex grid of the file: distinct X values are the columns and distinct Y values the rows,
// each axis holding 0.0 once whether or not a vertex has it; Z rounded is the altitude. The first
// vertex wins for a repeated (X, Y); a grid point no vertex has stays 0.
bool ReadObjVertexGrid(const std::string& path, int32_t& width, int32_t& height, std::vector<int32_t>& grid);
// grid holds width x height altitudes, rows top first.
bool WriteObjFile(const std::string& path, int32_t width, int32_t height, int32_t spacing, bool includeObjectName,
                  bool smoothFaces, const std::vector<int32_t>& grid);

// The most vertices a file may hold: one per sample of the largest heightmap.
inline constexpr int32_t kMaxObjVertices = 513 * 513;

} // namespace tolv
