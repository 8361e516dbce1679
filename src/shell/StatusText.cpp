// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/StatusText.h"

#include "heightmap/MapHeight.h"
#include "shell/Numbers.h"

namespace tolv {

std::string FileSizeText(int64_t bytes) { return FormatThousands(bytes); }

std::string ResolutionText() { return std::to_string(HeightmapWidth()) + " x " + std::to_string(HeightmapHeight()); }

int32_t BitsForDepth(int64_t depth)
{
    int32_t b = 1;
    while (b < 62 && (int64_t(1) << b) < depth) ++b;
    return b;
}

std::string StatisticsText()
{
    const char* dot = " \xC2\xB7 "; // space, middle dot, space
    return "L: " + std::to_string(MinAltitude()) + dot + "H: " + std::to_string(MaxAltitude()) + dot +
           "D: " + std::to_string(AltitudeRange()) + "  (" + std::to_string(BitsForDepth(AltitudeRange())) + " bits)";
}

std::string HeightAtText(int32_t x, int32_t y)
{
    return "X: " + std::to_string(x) + "   Y: " + std::to_string(y) + "   H: " + std::to_string(GetAltitude(x, y));
}

} // namespace tolv
