// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// VistaPro 4 ASCII DEM files (read only).
bool LoadVistaProAsciiFile(const std::string& path);

} // namespace tolv
