// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// GIF images read as heightmaps.
bool LoadGifImage(const std::string& path);

} // namespace tolv
