// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbStartup.h"

using namespace tolv;
using namespace tolv::test;

TEST(SafeShutdown, FirstRunShowsNothingAndLeavesTheMarkerAtZeroUntilMarked)
{
    TestHost host;
    TempDir dir;
    SettingsStore store(dir / "tolv.ini");
    int shown = 0;
    EXPECT_TRUE(CheckSafeShutdown(store, [&] { ++shown; }));
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(store.IniGetInteger("Shutdown", "Success", 7), 0);

    // A run that ended without the unload step: the next start shows the dialog once.
    EXPECT_FALSE(CheckSafeShutdown(store, [&] { ++shown; }));
    EXPECT_EQ(shown, 1);
    MarkSafeShutdown(store);
    EXPECT_EQ(store.IniGetInteger("Shutdown", "Success", 7), 1);
    EXPECT_TRUE(CheckSafeShutdown(store, [&] { ++shown; }));
    EXPECT_EQ(shown, 1);
}

TEST(EnvironmentChecks, ColourDepthAndNoSystemTest)
{
    struct Row {
        const char* ini;
        bool safeMode;
        int depth;
        std::vector<std::string> starts; // the information boxes shown, by their first words
    };
    const Row rows[] = {
        {"", false, 32, {}},
        {"", false, 16, {}},
        {"", false, 8, {"This application is designed to run with a 16-bit"}},
        {"[System]\r\nNoSystemTest=1\r\n", false, 8, {}},
        {"[System]\r\nNoSystemTest=yes\r\n", true, 8, {"Windows is currently running in Safe-Mode."}},
        {"", true, 8, {"Windows is currently running in Safe-Mode.", "This application is designed"}},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / "tolv.ini", r.ini);
        CheckEnvironment(SettingsStore(dir / "tolv.ini"), EnvironmentFacts{r.safeMode, r.depth});
        ASSERT_EQ(host.messages.size(), r.starts.size()) << r.ini << r.depth;
        for (size_t i = 0; i < r.starts.size(); ++i) {
            EXPECT_EQ(host.messages[i].kind, "info");
            EXPECT_EQ(host.messages[i].text.rfind(r.starts[i], 0), 0u) << host.messages[i].text;
        }
    }
    TestHost host;
    TempDir dir;
    CheckEnvironment(SettingsStore(dir / "tolv.ini"), EnvironmentFacts{false, 15});
    EXPECT_EQ(host.OnlyText(), "This application is designed to run with a 16-bit or greater display color setting.\r\n"
                               "Please change your display properties color setting to 24-bit or 32-bit.");
}
