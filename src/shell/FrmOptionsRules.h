// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>

namespace tolv {

// The Options dialog's values, in and (on OK) out: the settings of section "Options" it edits.
struct OptionsValues {
    int32_t convertColorToGrayscale = 0; // the convert list's item index
    int32_t fileTypeSort = 0;            // 1 by extension, 0 by type
    int32_t previewBackgroundColor = 0;  // 0xBBGGRR
    int32_t previewLocation = 0;         // the location list's item index
    bool scaleOnOpen = false;
    int32_t undoMode = 0; // 0 memory buffer, 1 stack
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, convertColorToGrayscale);
        slot(2, fileTypeSort);
        slot(3, previewBackgroundColor);
        slot(4, previewLocation);
        slot(5, scaleOnOpen);
        slot(6, undoMode);
    }
};

} // namespace tolv
