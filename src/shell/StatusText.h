// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// Status panel texts of the current heightmap, shared by the main window and the converter.
std::string FileSizeText(int64_t bytes);        // panel 2, "###,###,##0"
std::string ResolutionText();                   // panel 3, "W x H"
std::string StatisticsText();                   // panel 4, "L: lo · H: hi · D: depth  (b bits)"
std::string HeightAtText(int32_t x, int32_t y); // panel 5
// Smallest b >= 1 with 2^b >= depth.
int32_t BitsForDepth(int64_t depth);

} // namespace tolv
