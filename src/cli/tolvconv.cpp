// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// tolvconv: reads, transforms and writes heightmaps through the program's own dispatch.
#include <iostream>

#include "cli/CliOptions.h"
#include "cli/CliTransforms.h"
#include "cli/ConsoleHost.h"
#include "cli/DialogAnswers.h"
#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/StatusText.h"

using namespace tolv;
using namespace tolv::cli;

namespace {

int Usage(const std::string& message)
{
    std::cerr << "tolvconv: " << message << "\n" << UsageText();
    return 2;
}

void PrintInfo(const CliOptions& o)
{
    const std::string& file = o.output.empty() || HasSplit(o) ? o.input : o.output;
    int64_t size = FileLengthOf(file);
    std::cout << "format: " << FormatDescription(FormatCode()) << "\n"
              << "code: " << FormatCode() << "\n"
              << "file size: " << FileSizeText(size < 0 ? 0 : size) << "\n"
              << "resolution: " << ResolutionText() << "\n"
              << "range: " << StatisticsText() << "\n"
              << "mean: " << MeanAltitude() << "\n"
              << "midpoint: " << MidAltitude() << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    CliOptions options;
    try {
        options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        return Usage(e.what());
    }

    ConsoleHost host(std::cerr);
    host.answerMode = options.answer;
    InstallHost(&host);
    ResetGlobals(); // no settings file: every setting has its default
    Globals().convertColorToGrayscale = options.color;
    InstallDialogAnswers(host, options);

    std::string message;
    if (options.hasStitch) {
        StepResult r = RunStitch(options, message);
        if (r == StepResult::Usage) return Usage(message);
        if (r == StepResult::Failed) return 1;
    } else if (!OpenFileByType(options.input)) {
        return 1;
    }

    for (const TransformStep& step : options.steps) {
        StepResult r = RunTransform(step, options, message);
        if (r == StepResult::Usage) return Usage(message);
        if (r == StepResult::Failed) return 1;
    }

    if (!options.output.empty() && !HasSplit(options)) {
        if (!SaveFileByType(options.output)) return 1;
    }
    if (options.info) PrintInfo(options);
    return 0;
}
