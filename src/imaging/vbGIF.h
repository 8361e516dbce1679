// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// GIF images read as heightmaps: the first image at the logical screen size, altitude = red.
bool LoadGifImage(const std::string& path);
// Extension question, then the "GIF" signature and an 87a or 89a version.
bool ValidateGifFile(const std::string& path);
// The logical screen size from the header.
bool GetGifDimensions(const std::string& path, int32_t& width, int32_t& height);

} // namespace tolv
