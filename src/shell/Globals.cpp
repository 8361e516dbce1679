// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/Globals.h"

#include <algorithm>

#include "shell/vbPrivateIni.h"

namespace tolv {
namespace {

GlobalSettings g_globals;

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return std::clamp(v, lo, hi); }

int32_t PowerOfTwoFactor(int32_t v) { return (v == 2 || v == 4 || v == 8 || v == 16 || v == 32) ? v : 2; }

} // namespace

GlobalSettings& Globals() { return g_globals; }

void ResetGlobals() { g_globals = GlobalSettings{}; }

void LoadSettings(const SettingsStore& s)
{
    GlobalSettings& g = g_globals;
    g.convertColorToGrayscale = Clamp(s.IniGetInteger("Options", "ConvertColorToGrayscale", 0), 0, 2);
    g.fileTypeSort = Clamp(s.IniGetInteger("Options", "FileTypeSort", 0), 0, 1);
    g.previewBackgroundColor = s.IniGetInteger("Options", "PreviewBackgroundColor", 16777215);
    g.previewColorset = Clamp(s.IniGetInteger("Options", "PreviewColorset", 0), 0, 7);
    g.previewLocation = Clamp(s.IniGetInteger("Options", "PreviewLocation", 0), 0, 1);
    g.scaleOnOpen = s.IniGetBoolean("Options", "ScaleOnOpen", false);
    g.undoMode = Clamp(s.IniGetInteger("Options", "UndoMode", 0), 0, 1);
    g.interpolationFactor = PowerOfTwoFactor(s.IniGetInteger("Functions", "InterpolationFactor", 0));
    float variance = s.IniGetSingle("Functions", "InterpolationVariance", 0.0f);
    if (!(variance >= 0.0f)) variance = 0.0f; // also catches NaN
    g.interpolationVariance = std::min(variance, 1.0f);
    g.moveMethod = Clamp(s.IniGetInteger("Functions", "MoveMethod", 1), 0, 3);
    g.moveBase = Clamp(s.IniGetInteger("Functions", "MoveBase", 0), 0, 65535);
    g.resampleFactor = PowerOfTwoFactor(s.IniGetInteger("Functions", "ResampleFactor", 2));
    g.resampleMethod = Clamp(s.IniGetInteger("Functions", "ResampleMethod", 0), 0, 1);
    g.scaleMethod = Clamp(s.IniGetInteger("Functions", "ScaleMethod", 1), 0, 3);
    g.scalePercent = s.IniGetInteger("Functions", "ScalePercent", 100);
    g.scaleUpper = Clamp(s.IniGetInteger("Functions", "ScaleUpper", 65535), 0, 65535);
    g.scaleLower = Clamp(s.IniGetInteger("Functions", "ScaleLower", 0), 0, 65535);
    g.noSubclassing = s.IniGetBoolean("System", "NoSubclassing", false);
}

void LoadLastOpenPath(const SettingsStore& s)
{
    std::string p = s.IniGetString("Settings", "LastOpenPath", "");
    g_globals.lastOpenPath = p.empty() ? SampleFolderPath() : p;
}

void SaveSettings(const SettingsStore& s)
{
    const GlobalSettings& g = g_globals;
    s.IniPutInteger("Options", "ConvertColorToGrayscale", g.convertColorToGrayscale);
    s.IniPutInteger("Options", "FileTypeSort", g.fileTypeSort);
    s.IniPutInteger("Options", "PreviewBackgroundColor", g.previewBackgroundColor);
    s.IniPutInteger("Options", "PreviewColorset", g.previewColorset);
    s.IniPutInteger("Options", "PreviewLocation", g.previewLocation);
    s.IniPutBoolean("Options", "ScaleOnOpen", g.scaleOnOpen);
    s.IniPutInteger("Options", "UndoMode", g.undoMode);
    s.IniPutInteger("Functions", "InterpolationFactor", g.interpolationFactor);
    s.IniPutSingle("Functions", "InterpolationVariance", g.interpolationVariance);
    s.IniPutInteger("Functions", "MoveMethod", g.moveMethod);
    s.IniPutInteger("Functions", "MoveBase", g.moveBase);
    s.IniPutInteger("Functions", "ResampleFactor", g.resampleFactor);
    s.IniPutInteger("Functions", "ResampleMethod", g.resampleMethod);
    s.IniPutInteger("Functions", "ScaleMethod", g.scaleMethod);
    s.IniPutInteger("Functions", "ScalePercent", g.scalePercent);
    s.IniPutInteger("Functions", "ScaleUpper", g.scaleUpper);
    s.IniPutInteger("Functions", "ScaleLower", g.scaleLower);
    s.IniPutString("Settings", "LastOpenPath", g.lastOpenPath);
}

} // namespace tolv
