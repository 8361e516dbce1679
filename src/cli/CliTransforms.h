// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <string>

#include "cli/CliOptions.h"

namespace tolv::cli {

enum class StepResult { Ok, Failed, Usage };

// Runs one transform option through the same command frame as its menu command.
// Usage: message says why; Failed: the program's own messages were already printed.
StepResult RunTransform(const TransformStep& step, const CliOptions& options, std::string& message);
// True when the steps contain a split, which replaces writing OUTPUT.
bool HasSplit(const CliOptions& options);
// The stitch command with the four section files of --stitch.
StepResult RunStitch(const CliOptions& options, std::string& message);

} // namespace tolv::cli
