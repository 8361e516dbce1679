// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// FrmTrim takes no inputs: it reads the heightmap's size itself.
// Out on a trim button: its anchor code and the texts of the width and height boxes.
struct TrimResult {
    int32_t anchor = 0;
    std::string width, height;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, anchor);
        slot(2, width);
        slot(3, height);
    }
};

extern const char* const kTrimCaption; // "Trim"
extern const char* const kTrimTitle;
// "Heightmap dimensions are W by H"
std::string TrimInfoLabel(int32_t width, int32_t height);

// The five trim buttons in anchor order (0 left/top .. 4 centre).
struct TrimButton {
    const char* name; // control name, e.g. "CmdTrimLT"
    const char* tooltip;
};
const std::array<TrimButton, 5>& TrimButtons();

// Box entries: the largest of 512 .. 16 not above dimension, then its halves down to 16.
// Empty when the dimension is below 16.
std::vector<int32_t> TrimSizeEntries(int32_t dimension);
// The text a box starts with: its first entry, or the dimension itself when the list is empty.
std::string TrimInitialText(int32_t dimension);
// Longest text the boxes take.
inline constexpr size_t kTrimMaxChars = 3;
// The box's text after it lost the focus: empty, 0, or above the dimension becomes the dimension.
std::string CheckTrimDimension(const std::string& text, int32_t dimension);

} // namespace tolv
