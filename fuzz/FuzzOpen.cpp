// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The libFuzzer target of every reader: TOLV_FUZZ_EXT names the extension; each input becomes a
// file of that extension and goes through the open dispatch, with a user who says Yes to
// everything.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "OpenOutcome.h"
#include "formats/FormatTable.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/UiHost.h"
#include "shell/vbShowDialog.h"

namespace {

std::string g_ext;
std::string g_path;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* ext = std::getenv("TOLV_FUZZ_EXT");
    if (!ext || !tolv::HasReader(ext)) {
        std::fprintf(stderr, "TOLV_FUZZ_EXT must name an extension the program reads\n");
        std::exit(2);
    }
    g_ext = ext;
    char folder[] = "/tmp/tolv-fuzz-XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    g_path = std::string(folder) + "/input." + g_ext;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static tolv::test::YesHost host;
    tolv::InstallHost(&host);
    std::FILE* f = std::fopen(g_path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);

    tolv::ClearHeightmap();
    tolv::ClearDialogParams();
    tolv::ResetGlobals();
    // Ask the colour question too, so that path is walked.
    tolv::Globals().convertColorToGrayscale = 2;
    const bool opened = tolv::OpenFileByType(g_path);
    const std::string problem = tolv::test::OpenOutcomeProblem(opened);
    if (!problem.empty()) {
        std::fprintf(stderr, "inconsistent heightmap after opening a .%s file: %s\n", g_ext.c_str(), problem.c_str());
        std::abort();
    }
    return 0;
}
