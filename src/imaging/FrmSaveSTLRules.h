// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// The rules of the STL save dialog (FrmSaveSTL), shared by its window, the converter and tests.
//
// Dialog slots: input 1 = spacing, 2 = origin index, 3 = calculate normals, 4 = flip normals;
// results 1 = spacing (integer), 4 = flip normals, when confirmed.

inline constexpr int32_t kDefaultSpacing = 16;
inline constexpr int32_t kMinSpacing = 1;
inline constexpr int32_t kMaxSpacing = 1024;
inline constexpr size_t kSpacingMaxLength = 4;

// The spacing box's text when it loses the focus: empty gives 16, otherwise the number clamped
// to 1..1024 and written back as plain decimal.
std::string NormaliseSpacing(const std::string& text);
// The spacing a box text stands for, after NormaliseSpacing.
int32_t SpacingValue(const std::string& text);

// What the dialog shows when it opens, from the input slots.
struct SaveStlState {
    std::string spacing;
    int32_t originIndex = 0;
    bool calculateNormals = false;
    bool flipNormals = false;
};
SaveStlState LoadSaveStlDialog();
// OK: the results and the cleared cancelled flag.
void ConfirmSaveStlDialog(const std::string& spacingText, bool flipNormals);

} // namespace tolv
