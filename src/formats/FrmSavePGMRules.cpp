// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/FrmSavePGMRules.h"

#include "shell/vbShowDialog.h"

namespace tolv {

void ConfirmSavePgmDialog(int32_t selectedOptType)
{
    SetDialogResult(1, int32_t(selectedOptType == 0 ? 0 : 1));
    SetDialogCancelled(false);
}

bool SavePgmAnswerIsP5() { return GetDialogResult(1).AsInt() != 0; }

} // namespace tolv
