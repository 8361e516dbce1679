// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/FrmRawSizeRules.h"

#include "shell/Numbers.h"
#include "shell/vbMsgBox.h"

namespace tolv {

std::string RawSizeTitleText()
{
    return std::string("Raw heightmap files do not contain any dimension properties.") + kCrLf +
           "Please specify the exact width and height of the raw heightmap to load." + kCrLf +
           "Partial or invalid dimension values cannot be loaded.";
}

std::string RawSizeFileLengthText(int32_t bits, int64_t fileLength)
{
    return "Raw" + std::to_string(bits) + " heightmap file of " + std::to_string(fileLength) + " bytes.";
}

int32_t ProposeRawSquareSide(int64_t fileLength, int32_t bits)
{
    static constexpr int32_t kSides[] = {16, 32, 64, 128, 129, 256, 257, 512, 513};
    const int64_t sampleBytes = bits / 8;
    for (int32_t side : kSides)
        if (fileLength == sampleBytes * side * side) return side;
    return 0;
}

RawSizeState ProposeRawSize(int64_t fileLength, int32_t bits)
{
    const int32_t side = ProposeRawSquareSide(fileLength, bits);
    return {std::to_string(side), std::to_string(side), side > 0};
}

int32_t RawDimensionValue(const std::string& text) { return LeadingInteger(text); }

std::string NormalizeRawDimension(const std::string& text, int32_t maximum)
{
    if (text.empty()) return "0";
    if (RawDimensionValue(text) > maximum) return std::to_string(maximum);
    return text;
}

bool RawSizeMatches(int64_t fileLength, int32_t bits, int32_t width, int32_t height)
{
    if (width < 1 || height < 1) return false;
    return int64_t{width} * height * (bits / 8) == fileLength;
}

RawSizeState ApplyRawSizeTexts(int64_t fileLength, int32_t bits, const std::string& width, const std::string& height)
{
    RawSizeState s{NormalizeRawDimension(width, HMAP_MAX_WIDTH), NormalizeRawDimension(height, HMAP_MAX_HEIGHT), false};
    s.okEnabled = RawSizeMatches(fileLength, bits, RawDimensionValue(s.width), RawDimensionValue(s.height));
    return s;
}

} // namespace tolv
