// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/FrmSaveOBJRules.h"

#include "imaging/FrmSaveSTLRules.h"
#include "shell/vbShowDialog.h"

namespace tolv {

SaveObjState LoadSaveObjDialog()
{
    SaveObjState s;
    s.spacing = NormaliseSpacing(GetDialogParam(1).AsString());
    s.includeObjectName = GetDialogParam(2).AsBool();
    s.smoothFaces = GetDialogParam(3).AsBool();
    return s;
}

void ConfirmSaveObjDialog(const std::string& spacingText, bool includeObjectName, bool smoothFaces)
{
    SetDialogResult(1, SpacingValue(spacingText));
    SetDialogResult(2, includeObjectName);
    SetDialogResult(3, smoothFaces);
    SetDialogCancelled(false);
}

} // namespace tolv
