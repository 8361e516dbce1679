// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// Wavefront OBJ meshes.
bool LoadObjFile(const std::string& path);
bool SaveObjFile(const std::string& path);

} // namespace tolv
