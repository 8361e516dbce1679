// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <optional>
#include <span>
#include <string>

#include "cli/CliOptions.h"

namespace tolv::cli {

enum class StepResult { Ok, Failed, Usage };

struct StepAnswers;
// One transform option: the command it runs (whose row in the command table names the option),
// how its value is written, its line in --help, and how its value answers the command's dialog
// (checking the value's form; a message when it is wrong).
struct TransformOption {
    CommandId command;
    OptionValue value;
    const char* valueName; // "" for a flag
    const char* help;
    std::optional<std::string> (*prepare)(const TransformStep&, const CliOptions&, StepAnswers&) = nullptr;
};
// In the order --help lists them.
std::span<const TransformOption> TransformOptions();

// Why the step's value has the wrong form, checked before any file is read; nullopt when it
// has the right one.
std::optional<std::string> CheckTransformForm(const TransformStep& step, const CliOptions& options);
// Runs one transform option through the same command frame as its menu command; a split names
// its tiles from output (absolute). Usage: message says why; Failed: the program's own messages
// were already printed.
StepResult RunTransform(const TransformStep& step, const CliOptions& options, const std::string& output,
                        std::string& message);
// True when the steps contain a split, which replaces writing OUTPUT.
bool HasSplit(const CliOptions& options);
// The stitch command with the four section files of --stitch; false when it did not merge
// (its messages were already printed).
bool RunStitch(const CliOptions& options);

} // namespace tolv::cli
