// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// The rules of the raw size dialog (FrmRawSize), shared by its window, the converter and tests.

// In: the file length in bytes and the sample size in bits (8, 16, 32).
struct RawSizeParams {
    int32_t fileLength = 0, bits = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, fileLength);
        slot(2, bits);
    }
};
// Out on OK: the texts of the width and height boxes.
struct RawSizeResult {
    std::string width, height;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, width);
        slot(2, height);
    }
};

inline constexpr int32_t HMAP_MAX_WIDTH = 513;
inline constexpr int32_t HMAP_MAX_HEIGHT = 513;

// What the dialog shows: its two box texts and whether OK is enabled.
struct RawSizeState {
    std::string width;
    std::string height;
    bool okEnabled = false;
};

std::string RawSizeTitleText();
// "Raw16 heightmap file of 526338 bytes."
std::string RawSizeFileLengthText(int32_t bits, int64_t fileLength);

// The side of the square whose samples fill the file exactly (16, 32, 64, 128, 129, 256, 257,
// 512 or 513), or 0 when the length matches none of them.
int32_t ProposeRawSquareSide(int64_t fileLength, int32_t bits);
// The state on opening: the proposed square, or 0 x 0 with OK disabled.
RawSizeState ProposeRawSize(int64_t fileLength, int32_t bits);

// A box's text when it loses the focus: empty becomes "0", a value above maximum becomes maximum.
std::string NormalizeRawDimension(const std::string& text, int32_t maximum);
// The value a box's text stands for (leading digits; empty is 0).
int32_t RawDimensionValue(const std::string& text);
// OK is enabled only when both dimensions are at least 1 and account for every byte of the file.
bool RawSizeMatches(int64_t fileLength, int32_t bits, int32_t width, int32_t height);
// Both boxes normalised as on leaving them, and OK recomputed.
RawSizeState ApplyRawSizeTexts(int64_t fileLength, int32_t bits, const std::string& width, const std::string& height);

} // namespace tolv
