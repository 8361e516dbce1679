// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// BMP container layer and Unreal G16 bitmaps.
bool ValidateBmpFile(const std::string& path);
int32_t BmpFileType(const std::string& path);
bool LoadG16File(const std::string& path);
bool SaveG16File(const std::string& path);
bool SaveG16Region(const std::string& path, int32_t x0, int32_t y0, int32_t width, int32_t height);

} // namespace tolv
