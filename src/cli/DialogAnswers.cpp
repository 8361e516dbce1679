// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "cli/DialogAnswers.h"

#include <string>

#include "formats/FrmRawSizeRules.h"
#include "formats/FrmSavePGMRules.h"
#include "imaging/FrmSaveOBJRules.h"
#include "imaging/FrmSaveSTLRules.h"
#include "shell/vbShowDialog.h"

namespace tolv::cli {
namespace {

// The raw size dialog: the typed size (or, without one, the dialog's proposal) passes the
// dialog's own rules; when OK would stay disabled the dialog is left cancelled and we say why.
void AnswerRawSize(ConsoleHost& host, const CliOptions& options)
{
    const auto in = ReadDialogParams<RawSizeParams>();
    const int64_t length = in.fileLength;
    const int32_t bits = in.bits;
    const std::string bytes = std::to_string(length);
    RawSizeState state;
    if (options.hasRawSize) {
        state = ApplyRawSizeTexts(length, bits, std::to_string(options.rawWidth), std::to_string(options.rawHeight));
        if (!state.okEnabled) {
            host.Note("--raw-size " + std::to_string(options.rawWidth) + "x" + std::to_string(options.rawHeight) +
                      " leaves the raw size dialog's OK disabled: " + state.width + " x " + state.height +
                      " samples of " + std::to_string(bits / 8) + " bytes do not fill the " + bytes + "-byte file.");
        }
    } else {
        state = ProposeRawSize(length, bits);
        if (!state.okEnabled) {
            host.Note("the raw size dialog proposes no size for the " + bytes + "-byte " + std::to_string(bits) +
                      "-bit file; give its size with --raw-size WxH.");
        }
    }
    if (!state.okEnabled) return; // the dialog stays cancelled and the reader gives up
    ConfirmDialog(RawSizeResult{state.width, state.height});
}

} // namespace

void InstallDialogAnswers(ConsoleHost& host, const CliOptions& options)
{
    host.answerers[DialogId::SavePGM] = [p5 = options.pgmP5] { ConfirmDialog(SavePgmResult{p5 ? 1 : 0}); };
    host.answerers[DialogId::RawSize] = [&host, options] { AnswerRawSize(host, options); };
    // The mesh dialogs: the spacing is typed into the box and goes through its own rule.
    host.answerers[DialogId::SaveSTL] = [spacing = SpacingValue(options.spacing), flip = options.flipNormals] {
        ConfirmDialog(SaveStlResult{spacing, flip});
    };
    host.answerers[DialogId::SaveOBJ] = [spacing = SpacingValue(options.spacing), name = !options.noObjectName,
                                         smooth = !options.noSmooth] {
        ConfirmDialog(SaveObjValues{spacing, name, smooth});
    };
}

} // namespace tolv::cli
