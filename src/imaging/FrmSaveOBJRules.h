// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// The rules of the OBJ save dialog (FrmSaveOBJ), shared by its window, the converter and tests.
//
// Dialog slots: input 1 = spacing, 2 = include object name, 3 = smooth faces; results the same
// three when confirmed. The spacing box follows NormaliseSpacing (FrmSaveSTLRules.h).

struct SaveObjState {
    std::string spacing;
    bool includeObjectName = true;
    bool smoothFaces = true;
};
SaveObjState LoadSaveObjDialog();
void ConfirmSaveObjDialog(const std::string& spacingText, bool includeObjectName, bool smoothFaces);

} // namespace tolv
