// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "heightmap/DialogRules.h"

namespace tolv {

// ---- FrmInterpolate -------------------------------------------------------------------------

// In: the map's size, InterpolationVariance and InterpolationFactor.
struct InterpolateParams {
    int32_t width = 0, height = 0;
    float variance = 0.0f;
    int32_t factor = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, width);
        slot(2, height);
        slot(3, variance);
        slot(4, factor);
    }
};
// Out on OK: the variance field's text and the factor stored with the selected entry.
struct InterpolateResult {
    std::string variance;
    int32_t factor = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(3, variance);
        slot(4, factor);
    }
};

extern const char* const kInterpolateCaption; // "Interpolate"
extern const char* const kInterpolateTitle;
// "Interpolate from W x H to:"
std::string InterpolateSizeLabel(int32_t width, int32_t height);
// Entries "Fx = W x H" storing F, for every doubling that keeps both sides within 512. Factors
// stop at 32: larger ones could only be performed as a single doubling.
std::vector<ComboEntry> InterpolateFactorEntries(int32_t width, int32_t height);
// The variance field's text after the rule: the text as a number (0 when empty or not a number),
// limited to 0..1, with one decimal. valid is false when the text was not a number.
std::string NormaliseVarianceText(const std::string& text, bool* valid = nullptr);
// The variance slot value (a float) as the field shows it.
std::string VarianceFieldText(float variance);

// ---- FrmResample ----------------------------------------------------------------------------

// In: the map's size, ResampleFactor and ResampleMethod.
struct ResampleParams {
    int32_t width = 0, height = 0, factor = 0, method = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, width);
        slot(2, height);
        slot(3, factor);
        slot(4, method);
    }
};
// Out on OK: the factor stored with the selected entry and the method's list position.
struct ResampleResult {
    int32_t factor = 0, method = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(3, factor);
        slot(4, method);
    }
};

extern const char* const kResampleCaption; // "Resample"
extern const char* const kResampleTitle;
// "&Resample from W x H to:"
std::string ResampleSizeLabel(int32_t width, int32_t height);
// Entries "÷F = W x H" (UTF-8 division sign) storing F, while both sides stay at least 16.
std::vector<ComboEntry> ResampleFactorEntries(int32_t width, int32_t height);
// "Cut (retain every nth altitude)" storing 0, "Average (average across nth altitudes)" storing 1.
std::vector<ComboEntry> ResampleMethodEntries();

} // namespace tolv
