// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/vbStartup.h"

#include "shell/vbMsgBox.h"
#include "shell/vbPrivateIni.h"

namespace tolv {

void CheckEnvironment(const SettingsStore& store, const EnvironmentFacts& facts)
{
    if (facts.safeMode)
        ShowInfo(std::string("Windows is currently running in Safe-Mode.") + kCrLf +
                 "This application may not operate correctly in this mode.");
    if (store.IniGetBoolean("System", "NoSystemTest", false)) return;
    // 16 bits per pixel passes, although the message recommends more.
    if (facts.colorDepth < 16)
        ShowInfo(std::string("This application is designed to run with a 16-bit or greater display color setting.") +
                 kCrLf + "Please change your display properties color setting to 24-bit or 32-bit.");
}

bool CheckSafeShutdown(const SettingsStore& store, const std::function<void()>& showShutdownDialog)
{
    int32_t marker = store.IniGetInteger("Shutdown", "Success", 1);
    store.IniPutInteger("Shutdown", "Success", 0);
    if (marker != 0) return true;
    if (showShutdownDialog) showShutdownDialog();
    return false;
}

void MarkSafeShutdown(const SettingsStore& store) { store.IniPutInteger("Shutdown", "Success", 1); }

} // namespace tolv
