// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// PNG heightmaps: 16-bit grayscale written; gray, palette and colour read.
bool LoadPngFile(const std::string& path);
bool SavePngFile(const std::string& path);

} // namespace tolv
