// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// ASCII STL meshes (write only).
bool SaveStlFile(const std::string& path);

} // namespace tolv
