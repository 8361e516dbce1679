// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "cli/DialogAnswers.h"

#include "shell/vbShowDialog.h"

namespace tolv::cli {

void InstallDialogAnswers(ConsoleHost& host, const CliOptions& options)
{
    host.answerers[DialogId::SavePGM] = [p5 = options.pgmP5] {
        SetDialogResult(1, int32_t(p5 ? 1 : 0));
        SetDialogCancelled(false);
    };
}

} // namespace tolv::cli
