// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// The rules of the STL save dialog (FrmSaveSTL), shared by its window, the converter and tests.

inline constexpr int32_t kDefaultSpacing = 16;
inline constexpr int32_t kMinSpacing = 1;
inline constexpr int32_t kMaxSpacing = 1024;
inline constexpr size_t kSpacingMaxLength = 4;

// The spacing box's text when it loses the focus: empty gives 16, otherwise the number clamped
// to 1..1024 and written back as plain decimal.
std::string NormaliseSpacing(const std::string& text);
// The spacing a box text stands for, after NormaliseSpacing.
int32_t SpacingValue(const std::string& text);

// In: what the dialog shows when it opens.
struct SaveStlParams {
    int32_t spacing = kDefaultSpacing, originIndex = 0;
    bool calculateNormals = false, flipNormals = false;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, spacing);
        slot(2, originIndex);
        slot(3, calculateNormals);
        slot(4, flipNormals);
    }
};
// Out on OK: the spacing after NormaliseSpacing, and the flip box.
struct SaveStlResult {
    int32_t spacing = kDefaultSpacing;
    bool flipNormals = false;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, spacing);
        slot(4, flipNormals);
    }
};

} // namespace tolv
