// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// tolvconv: reads, transforms and writes heightmaps through the program's own dispatch.
#include <filesystem>
#include <iostream>
#include <map>

#include "TolvVersion.h"
#include "cli/CliOptions.h"
#include "cli/CliTransforms.h"
#include "cli/ConsoleHost.h"
#include "cli/DialogAnswers.h"
#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/StatusText.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::cli;
namespace fs = std::filesystem;

namespace {

// One map to make: input and output as given on the command line ("" when absent).
struct Job {
    std::string input;
    std::string output;
};

enum class Outcome { Done, Failed, Refused };

int Usage(const std::string& message)
{
    std::cerr << "tolvconv: " << message << "\n" << UsageText();
    return 2;
}

void PrintInfo(const std::string& reportedFile)
{
    const int64_t size = FileLengthOf(reportedFile);
    std::cout << "format: " << FormatDescription(FormatCode()) << "\n"
              << "code: " << FormatCode() << "\n"
              << "file size: " << FileSizeText(size < 0 ? 0 : size) << "\n"
              << "resolution: " << ResolutionText() << "\n"
              << "range: " << StatisticsText() << "\n"
              << "mean: " << MeanAltitude() << "\n"
              << "midpoint: " << MidAltitude() << "\n";
}

// No folder is made for OUTPUT: a mistyped folder is reported before anything is read.
bool OutputFolderExists(const std::string& output, ConsoleHost& host)
{
    std::error_code ec;
    if (fs::is_directory(fs::path(Absolute(output)).parent_path(), ec)) return true;
    const std::string folder = fs::path(output).parent_path().string();
    host.Note(fs::exists(Absolute(folder), ec) ? folder + " is not a folder"
                                               : "the folder " + folder + " does not exist");
    return false;
}

// Every map starts from the state of a fresh run: no heightmap, default settings, empty slots.
void ResetState(const CliOptions& o)
{
    ClearHeightmap();
    ResetGlobals(); // no settings file: every setting has its default
    Globals().convertColorToGrayscale = o.color;
    ClearDialogParams();
}

// Reads (or stitches), transforms and writes one map. Each failure ends with a line naming its
// file; a refusal leaves its message in refusal for the caller to print.
Outcome Convert(const CliOptions& o, const Job& job, ConsoleHost& host, std::string& refusal)
{
    ResetState(o);
    const std::string output = job.output.empty() ? "" : Absolute(job.output);
    if (!output.empty() && !OutputFolderExists(job.output, host)) {
        host.Note("cannot write " + job.output);
        return Outcome::Failed;
    }
    if (o.hasStitch) {
        if (!RunStitch(o)) {
            host.Note("cannot stitch " + o.stitch);
            return Outcome::Failed;
        }
    } else if (!OpenFileByType(Absolute(job.input))) {
        host.Note("cannot read " + job.input);
        return Outcome::Failed;
    }
    for (const TransformStep& step : o.steps) {
        switch (RunTransform(step, o, output, refusal)) {
        case StepResult::Ok: break;
        case StepResult::Usage: return Outcome::Refused;
        case StepResult::Failed:
            host.Note(step.option == "--split" ? "cannot write " + job.output
                                               : "cannot convert " + (o.hasStitch ? o.stitch : job.input));
            return Outcome::Failed;
        }
    }
    if (!output.empty() && !HasSplit(o) && !SaveFileByType(output)) {
        host.Note("cannot write " + job.output);
        return Outcome::Failed;
    }
    return Outcome::Done;
}

// <base name>.EXT in the output folder or beside each INPUT. Two inputs that would write the
// same file are a usage error: the second would replace the first one's result.
std::vector<Job> PlanBatch(const CliOptions& o)
{
    std::vector<Job> jobs;
    std::map<std::string, std::string> inputOf; // absolute output -> input
    for (const std::string& input : o.inputs) {
        const fs::path folder = o.outDir.empty() ? fs::path(input).parent_path() : fs::path(o.outDir);
        const std::string output = (folder / (fs::path(input).stem().string() + "." + o.toExtension)).string();
        auto [it, fresh] = inputOf.emplace(Absolute(output), input);
        if (!fresh) throw UsageError(it->second + " and " + input + " would both be written to " + output);
        jobs.push_back({input, output});
    }
    return jobs;
}

int RunBatch(const CliOptions& o, ConsoleHost& host)
{
    std::vector<Job> jobs;
    try {
        jobs = PlanBatch(o);
    } catch (const UsageError& e) {
        return Usage(e.what());
    }
    if (!o.outDir.empty()) {
        std::error_code ec;
        fs::create_directories(Absolute(o.outDir), ec);
        if (!fs::is_directory(Absolute(o.outDir), ec)) {
            host.Note("cannot make the folder " + o.outDir);
            return 1;
        }
    }
    int status = 0;
    for (const Job& job : jobs) {
        std::string refusal;
        const Outcome outcome = Convert(o, job, host, refusal);
        if (outcome == Outcome::Refused) {
            // A rule of this map, not of the command line: the other files still run.
            host.Note(refusal);
            host.Note("cannot convert " + job.input);
        }
        if (outcome != Outcome::Done) {
            status = 1;
            continue;
        }
        if (o.verbose) host.Note("converted " + job.input + " to " + job.output);
        if (o.info) {
            std::cout << "file: " << job.output << "\n";
            PrintInfo(job.output);
        }
    }
    return status;
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
    if (options.help) {
        std::cout << HelpText();
        return 0;
    }
    if (options.version) {
        std::cout << "tolvconv " << kProgramVersion << "\n";
        return 0;
    }

    ConsoleHost host(std::cerr);
    host.answerMode = options.answer;
    InstallHost(&host);
    InstallDialogAnswers(host, options);
    if (!options.toExtension.empty()) return RunBatch(options, host);

    const Job job{options.inputs.empty() ? "" : options.inputs[0], options.output};
    std::string refusal;
    switch (Convert(options, job, host, refusal)) {
    case Outcome::Refused: return Usage(refusal);
    case Outcome::Failed: return 1;
    case Outcome::Done: break;
    }
    if (options.info) PrintInfo(options.output.empty() || HasSplit(options) ? job.input : options.output);
    return 0;
}
