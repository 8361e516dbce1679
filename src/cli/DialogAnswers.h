// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include "cli/CliOptions.h"
#include "cli/ConsoleHost.h"

namespace tolv::cli {

// Answers the save-option and raw-size dialogs from the options, through the dialogs' own rules.
void InstallDialogAnswers(ConsoleHost& host, const CliOptions& options);

} // namespace tolv::cli
