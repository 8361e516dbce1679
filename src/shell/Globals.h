// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

class SettingsStore;

// The settings values in memory while the program runs. The rest of the program reads and
// writes settings only here; the file is written at shutdown (SaveSettings).
struct GlobalSettings {
    // "Options"
    int32_t convertColorToGrayscale = 0; // 0 gray, 1 green value, 2 ask
    int32_t fileTypeSort = 0;            // 0 by type, 1 by extension
    int32_t previewBackgroundColor = 0xFFFFFF;
    int32_t previewColorset = 0;
    int32_t previewLocation = 0;
    bool scaleOnOpen = false;
    int32_t undoMode = 0;
    // "Functions"
    int32_t interpolationFactor = 2;
    float interpolationVariance = 0.0f;
    int32_t moveMethod = 1;
    int32_t moveBase = 0;
    int32_t resampleFactor = 2;
    int32_t resampleMethod = 0;
    int32_t scaleMethod = 1;
    int32_t scalePercent = 100;
    int32_t scaleUpper = 65535;
    int32_t scaleLower = 0;
    // "Settings" and "System"
    std::string lastOpenPath;
    bool noSubclassing = false;
    // Not stored: the current preview view (0 Top, 1 Front, 2 Side, 3 Perspective).
    int32_t currentView = 0;
};

GlobalSettings& Globals();
// Back to the built-in defaults (fresh installation, the converter, tests).
void ResetGlobals();

// Reads "Options", "Functions" and "NoSubclassing" and applies the load rules.
void LoadSettings(const SettingsStore& store);
// Reads "LastOpenPath"; "" becomes the folder of sample maps (SampleFolderPath).
void LoadLastOpenPath(const SettingsStore& store);
// Writes the seven "Options" keys, the ten "Functions" keys and "LastOpenPath".
void SaveSettings(const SettingsStore& store);

} // namespace tolv
