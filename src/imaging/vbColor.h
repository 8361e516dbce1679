// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/vbWinBMP.h"

namespace tolv {

// Colour and gray bitmaps read as heightmaps: with the headers already read (the open
// dispatch), or on its own.
bool LoadBmpImage(const std::string& path, const BmpHeader& header);
bool LoadBmpImage(const std::string& path);

// The colour-to-altitude rule: a weighted sum whose weights add up to 254 (white gives 254).
int32_t RGBToGray(int32_t red, int32_t green, int32_t blue);

// How colour pixels become altitudes: 0 = RGBToGray, 1 = the green byte.
enum ConversionMode : int32_t { ConvertToGray = 0, UseGreen = 1, AskEachFile = 2 };

// The ConvertColorToGrayscale setting resolved for one file: asks "Convert to Grayscale" when the
// setting says so. Returns ConvertToGray or UseGreen; the answer is not stored.
int32_t ResolveConversionMode();

inline int32_t ColorToAltitude(int32_t mode, uint8_t red, uint8_t green, uint8_t blue)
{
    return mode == UseGreen ? green : RGBToGray(red, green, blue);
}

} // namespace tolv
