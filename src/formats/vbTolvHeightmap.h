// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// The program's own ASCII (.hma) and binary (.hmb) heightmaps.
inline constexpr int32_t kHmbHeaderSize = 32;
bool LoadHmbFile(const std::string& path);
bool ValidateHmbFile(const std::string& path);
bool ReadHmbResolution(const std::string& path, int32_t& width, int32_t& height);
bool SaveHmbFile(const std::string& path);
bool LoadHmaFile(const std::string& path);
bool ValidateHmaFile(const std::string& path);
bool SaveHmaFile(const std::string& path);

} // namespace tolv
