// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/FrmResolutionRules.h"

#include <algorithm>

#include "shell/Numbers.h"

namespace tolv {

const char* const kInterpolateCaption = "Interpolate";
const char* const kInterpolateTitle =
    "Interpolation increases the size of the heightmap file by a factor of 2x through 32x by creating intermediate "
    "height values between existing sample points.  The variance parameter provides a random percentage change in "
    "the interpolated sample value weighted from the mid-point.";

std::string InterpolateSizeLabel(int32_t width, int32_t height)
{
    return "Interpolate from " + std::to_string(width) + " x " + std::to_string(height) + " to:";
}

std::vector<ComboEntry> InterpolateFactorEntries(int32_t width, int32_t height)
{
    std::vector<ComboEntry> entries;
    if (width < 1 || height < 1) return entries;
    int64_t w = width, h = height, f = 1;
    while (f < 32) {
        w *= 2;
        if (w > 512) break;
        h *= 2;
        if (h > 512) break;
        f *= 2;
        entries.push_back(
            {std::to_string(f) + "x = " + std::to_string(w) + " x " + std::to_string(h), static_cast<int32_t>(f)});
    }
    return entries;
}

std::string NormaliseVarianceText(const std::string& text, bool* valid)
{
    double v = 0;
    bool ok = true;
    if (!Trim(text).empty()) ok = ParseNumeric(text, v);
    if (!ok) v = 0;
    if (valid) *valid = ok;
    float f = static_cast<float>(v);
    f = std::clamp(f, 0.0f, 1.0f);
    return FormatOneDecimal(f);
}

std::string VarianceFieldText(float variance) { return NormaliseVarianceText(FormatGeneral(variance)); }

const char* const kResampleCaption = "Resample";
const char* const kResampleTitle =
    "Resampling reduces the size of the heightmap to a smaller power-of-two size by removing or averaging "
    "intermediate height value sample points.\r\nNote that resampling will reduce the overall heightmap detail.";

std::string ResampleSizeLabel(int32_t width, int32_t height)
{
    return "&Resample from " + std::to_string(width) + " x " + std::to_string(height) + " to:";
}

std::vector<ComboEntry> ResampleFactorEntries(int32_t width, int32_t height)
{
    std::vector<ComboEntry> entries;
    int32_t w = width, h = height, f = 1;
    for (;;) {
        w /= 2;
        if (w < 16) break;
        h /= 2;
        if (h < 16) break;
        f *= 2;
        entries.push_back({"\xC3\xB7" + std::to_string(f) + " = " + std::to_string(w) + " x " + std::to_string(h), f});
    }
    return entries;
}

std::vector<ComboEntry> ResampleMethodEntries()
{
    return {{"Cut (retain every nth altitude)", 0}, {"Average (average across nth altitudes)", 1}};
}

} // namespace tolv
