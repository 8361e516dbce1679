// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// One libFuzzer target per extension (TOLV_FUZZ_EXT): the input becomes a file of that extension
// and goes through the open dispatch, with a user who says Yes to everything.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "OpenOutcome.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/UiHost.h"
#include "shell/vbShowDialog.h"

namespace {

std::string InputPath()
{
    static const std::string path = [] {
        char folder[] = "/tmp/tolv-fuzz-XXXXXX";
        if (!mkdtemp(folder)) std::abort();
        return std::string(folder) + "/input." TOLV_FUZZ_EXT;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static tolv::test::YesHost host;
    tolv::InstallHost(&host);
    const std::string& path = InputPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);

    tolv::ClearHeightmap();
    tolv::ClearDialogParams();
    tolv::ResetGlobals();
    // Ask the colour question too, so that path is walked.
    tolv::Globals().convertColorToGrayscale = 2;
    const bool opened = tolv::OpenFileByType(path);
    const std::string problem = tolv::test::OpenOutcomeProblem(opened);
    if (!problem.empty()) {
        std::fprintf(stderr, "inconsistent heightmap after opening a .%s file: %s\n", TOLV_FUZZ_EXT, problem.c_str());
        std::abort();
    }
    return 0;
}
