// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <functional>

namespace tolv {

class SettingsStore;

// What the desktop reports for the environment checks.
struct EnvironmentFacts {
    bool safeMode = false; // no such start-up mode here; kept so the rule stays visible
    int colorDepth = 32;   // bits per pixel of the desktop
};

// The environment checks: each failed check shows an information box and the program goes on.
// "NoSystemTest" (section "System") skips every check after the safe-mode one. The operating
// system and browser checks have no equivalent here and pass.
void CheckEnvironment(const SettingsStore& store, const EnvironmentFacts& facts);

// Reads the safe-shutdown marker ("Shutdown", "Success", default 1) and writes 0 at once. When
// the marker was 0 the previous run did not end through the main window: showShutdownDialog
// runs and the result is false.
bool CheckSafeShutdown(const SettingsStore& store, const std::function<void()>& showShutdownDialog);
// Writes the marker 1: the last step of a normal shutdown.
void MarkSafeShutdown(const SettingsStore& store);

} // namespace tolv
