// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// Terragen terrain files.
bool LoadTerragenFile(const std::string& path);
bool SaveTerragenFile(const std::string& path);

} // namespace tolv
