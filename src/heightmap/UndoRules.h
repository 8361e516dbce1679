// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <array>
#include <cstdint>

namespace tolv {

// The Undo category of the Options dialog (frame FraUndo). The choice is only recorded in the
// UndoMode setting; no earlier state of the heightmap is kept, and Edit > Undo (CommandUndo)
// answers that the function is under development.
struct UndoOption {
    const char* name;        // option button
    const char* caption;
    const char* description; // shown with the button
    int32_t mode;            // UndoMode value
};
const std::array<UndoOption, 2>& UndoOptions();
// The option button selected for a stored UndoMode (0 buffer, 1 stack).
int UndoOptionIndex(int32_t undoMode);
// The UndoMode returned on OK: 0 when the buffer option is selected, 1 otherwise.
int32_t UndoModeFromSelection(bool bufferSelected);

} // namespace tolv
