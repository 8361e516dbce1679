// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/ConsoleHost.h"
#include "heightmap/CommandTable.h"

namespace tolv::cli {

// A command-line mistake: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How an option takes its value. Attached: only as --name=VALUE, and optional.
enum class OptionValue { None, Required, Attached };

// One transform option, in the order given ("--flip-h", "--scale" with "8bit", ...).
struct TransformStep {
    std::string option;
    std::string value;
    bool hasValue = false;
    CommandId command = CommandId::None;
};

struct CliOptions {
    bool help = false;
    bool version = false;
    AnswerMode answer = AnswerMode::Default;
    bool info = false;
    bool verbose = false;
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
    std::string stitch;                  // as given
    std::array<std::string, 4> sections; // its entries, absolute ("" = an empty section)
    std::string toExtension;             // batch: "" when --to was not given
    std::string outDir;                  // batch: as given, "" = beside each INPUT
    std::vector<std::string> inputs;     // as given: one, or several in batch mode
    std::string output;                  // as given, "" when not given
};

// Every option has the right form when this returns; rules that depend on the map are checked
// when their step runs. Throws UsageError.
CliOptions ParseArguments(const std::vector<std::string>& args);
std::string UsageText(); // the synopsis printed after a usage error
std::string HelpText();  // --help
// path made absolute, as a file dialog returns it
std::string Absolute(const std::string& path);

} // namespace tolv::cli
