// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/UndoRules.h"

namespace tolv {

const std::array<UndoOption, 2>& UndoOptions()
{
    static const std::array<UndoOption, 2> options = {{
        {"OptnUndoBuffer", "Undo memory buffer (1 level and faster)",
         " Only one undo can be performed from a backup heightmap copy stored in memory", 0},
        {"OptnUndoStack", "Undo stack (unlimited levels but slower)",
         " An unlimited number of undo's can be performed but each undo will reload the heightmap and perform all "
         "stack functions to the undo level",
         1},
    }};
    return options;
}

int UndoOptionIndex(int32_t undoMode) { return undoMode == 0 ? 0 : 1; }

int32_t UndoModeFromSelection(bool bufferSelected) { return bufferSelected ? 0 : 1; }

} // namespace tolv
