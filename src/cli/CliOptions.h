// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/ConsoleHost.h"

namespace tolv::cli {

// A command-line mistake: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One transform option, in the order given ("--flip-h", "--scale" with "8bit", ...).
struct TransformStep {
    std::string option;
    std::string value;
    bool hasValue = false;
};

struct CliOptions {
    AnswerMode answer = AnswerMode::Default;
    bool info = false;
    bool hasRawSize = false;
    int rawWidth = 0;
    int rawHeight = 0;
    bool pgmP5 = false;
    std::string spacing = "16";
    bool flipNormals = false;
    bool noObjectName = false;
    bool noSmooth = false;
    int color = 0; // ConvertColorToGrayscale
    std::vector<TransformStep> steps;
    bool hasStitch = false;
    std::string stitch;
    std::string input;  // absolute
    std::string output; // absolute, "" when not given
};

CliOptions ParseArguments(const std::vector<std::string>& args);
const char* UsageText();

} // namespace tolv::cli
