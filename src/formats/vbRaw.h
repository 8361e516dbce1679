// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// Raw 8-, 16- and 32-bit heightmaps (top row first, little-endian).
bool LoadRaw8File(const std::string& path);
bool LoadRaw16File(const std::string& path);
bool LoadRaw32File(const std::string& path);
bool SaveRaw16File(const std::string& path);

} // namespace tolv
