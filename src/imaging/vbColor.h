// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// Colour and gray bitmaps read as heightmaps.
bool LoadBmpImage(const std::string& path);

} // namespace tolv
