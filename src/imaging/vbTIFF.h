// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// 16-bit gray TIFF images.
bool LoadTiffImage(const std::string& path);
bool SaveTiffImage(const std::string& path);

} // namespace tolv
