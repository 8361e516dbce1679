// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Every input that once crashed, hung or upset a sanitizer (found by fuzzing or by hand) is kept
// in tests/data/regress/ and opened here with a user who says Yes to everything, as the fuzz
// targets do: the map must end loaded and consistent, or not loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "OpenOutcome.h"
#include "TempDir.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace fs = std::filesystem;

TEST(Regressions, EveryKeptInputOpensSafely)
{
    const fs::path folder = fs::path(__FILE__).parent_path().parent_path() / "data" / "regress";
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (e.is_regular_file() && e.path().extension() != ".md") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) GTEST_SKIP() << "no kept inputs in " << folder;
    for (const fs::path& file : files) {
        YesHost host;
        InstallHost(&host);
        ClearHeightmap();
        ClearDialogParams();
        ResetGlobals();
        Globals().convertColorToGrayscale = 2;
        TempDir dir;
        // Opened under its own extension from a scratch copy, so nothing is written beside the original.
        const std::string path = dir / file.filename().string();
        fs::copy_file(file, path);
        const bool opened = OpenFileByType(path);
        EXPECT_EQ(OpenOutcomeProblem(opened), "") << file.filename();
        EXPECT_TRUE(opened || host.messages > 0 || file.extension() == ".tga") << file.filename() << ": refused in silence";
        InstallHost(nullptr);
    }
}
