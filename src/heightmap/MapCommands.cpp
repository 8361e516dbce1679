// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/MapCommands.h"

#include <initializer_list>

#include "heightmap/FrmAltitudeRules.h"
#include "heightmap/FrmResolutionRules.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/FrmTrimRules.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Globals.h"
#include "shell/UiHost.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

namespace tolv {
namespace {

using Refreshes = std::initializer_list<Display>;

constexpr Refreshes kFlipRefresh = {Display::Preview, Display::FormatDescription, Display::ClearHeightReadout};
constexpr Refreshes kRotateRefresh = {Display::Preview, Display::FormatDescription, Display::Resolution,
                                      Display::ClearHeightReadout};
// Crop, trim, scale, interpolate and stitch change size or span and the file no longer matches.
constexpr Refreshes kResizeRefresh = {Display::Preview,           Display::AltitudeBar, Display::FormatDescription,
                                      Display::ClearFileSize,     Display::Resolution,  Display::Statistics,
                                      Display::ClearHeightReadout};
constexpr Refreshes kAltitudeRefresh = {Display::Preview, Display::AltitudeBar, Display::FormatDescription,
                                        Display::Statistics, Display::ClearHeightReadout};
constexpr Refreshes kResampleRefresh = {Display::Preview,    Display::AltitudeBar, Display::FormatDescription,
                                        Display::Resolution, Display::Statistics,  Display::ClearHeightReadout};

// Steps after the dialog: commands off, progress, the operation, displays, modified, commands on.
template <typename Op>
void RunOperation(const std::string& progress, Op op, Refreshes refreshes)
{
    Host().EnableCommands(false);
    Host().ShowProgress(progress);
    op(); // the result is not looked at: the displays and the modified flag follow regardless
    for (Display d : refreshes) Host().Refresh(d);
    Host().SetModified(true);
    Host().EnableCommands(true);
}

template <typename Op>
bool Parameterless(const std::string& progress, Op op, Refreshes refreshes)
{
    BusyPointer busy;
    RunOperation(progress, op, refreshes);
    return true;
}

// A text result as its slot converts it: the number it holds, else 0.
int32_t TextValue(const std::string& text) { return DialogValue(text).AsInt(); }

// Clears the dialog slots when a dialog command ends, however it ends.
struct SlotsCleaner {
    ~SlotsCleaner() { ClearDialogParams(); }
};

} // namespace

bool CommandFlipHorizontal()
{
    return Parameterless("Flipping the Heightmap horizontally...", FlipHeightmapHorizontal, kFlipRefresh);
}

bool CommandFlipVertical()
{
    return Parameterless("Flipping the Heightmap vertically...", FlipHeightmapVertical, kFlipRefresh);
}

bool CommandRotateCCW()
{
    return Parameterless("Rotating the Heightmap 90\xC2\xB0 counter-clockwise...", RotateHeightmapCCW, kRotateRefresh);
}

bool CommandRotateCW()
{
    return Parameterless("Rotating the Heightmap 90\xC2\xB0 clockwise...", RotateHeightmapCW, kRotateRefresh);
}

bool CommandCrop()
{
    return Parameterless("Cropping Heightmap to upper left quadrant...", CropHeightmap, kResizeRefresh);
}

bool CommandInvert()
{
    if (MaxAltitude() == MinAltitude()) return false;
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    WriteDialogParams(InvertParams{MinAltitude(), MaxAltitude()});
    if (ShowDialogModal(DialogId::Invert)) return false;
    const int32_t mid = ReadDialogResult<InvertResult>().midpoint;
    RunOperation(
        "Inverting the Heightmap...", [mid] { return InvertHeightmap(mid); }, kAltitudeRefresh);
    return true;
}

bool CommandScale(const CommandContext& context)
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    GlobalSettings& s = Globals();
    WriteDialogParams(
        ScaleParams{MinAltitude(), MaxAltitude(), s.scaleMethod, s.scalePercent, s.scaleUpper, s.scaleLower});
    if (ShowDialogModal(DialogId::Scale)) return false;
    const auto r = ReadDialogResult<ScaleResult>();
    s.scaleMethod = r.method;
    s.scalePercent = TextValue(r.percent);
    s.scaleUpper = TextValue(r.high);
    s.scaleLower = TextValue(r.low);
    if (!context.hasHeightmap) return false;
    RunOperation("Scaling Heightmap...", ScaleHeightmap, kResizeRefresh);
    return true;
}

bool CommandMove()
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    GlobalSettings& s = Globals();
    WriteDialogParams(MoveParams{MinAltitude(), MaxAltitude(), s.moveMethod});
    if (ShowDialogModal(DialogId::Move)) return false;
    const auto r = ReadDialogResult<MoveResult>();
    s.moveMethod = r.method;
    s.moveBase = r.base;
    const int32_t base = s.moveBase;
    RunOperation(
        "Moving heightmap...", [base] { return MoveHeightmap(base); }, kAltitudeRefresh);
    return true;
}

bool CommandInterpolate()
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    GlobalSettings& s = Globals();
    WriteDialogParams(
        InterpolateParams{HeightmapWidth(), HeightmapHeight(), s.interpolationVariance, s.interpolationFactor});
    if (ShowDialogModal(DialogId::Interpolate)) return false;
    const auto r = ReadDialogResult<InterpolateResult>();
    s.interpolationFactor = r.factor;
    s.interpolationVariance = DialogValue(r.variance).AsFloat();
    RunOperation("Interpolating heightmap by " + std::to_string(s.interpolationFactor) + "x...", InterpolateHeightmap,
                 kResizeRefresh);
    return true;
}

bool CommandResample()
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    GlobalSettings& s = Globals();
    WriteDialogParams(ResampleParams{HeightmapWidth(), HeightmapHeight(), s.resampleFactor, s.resampleMethod});
    if (ShowDialogModal(DialogId::Resample)) return false;
    const auto r = ReadDialogResult<ResampleResult>();
    s.resampleFactor = r.factor;
    s.resampleMethod = r.method;
    RunOperation("Resampling heightmap to 1/" + std::to_string(s.resampleFactor) + "...", ResampleHeightmap,
                 kResampleRefresh);
    return true;
}

bool CommandTrim()
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    if (ShowDialogModal(DialogId::Trim)) return false;
    const auto r = ReadDialogResult<TrimResult>();
    const int32_t w = TextValue(r.width), h = TextValue(r.height);
    RunOperation(
        "Trimming Heightmap...", [&] { return TrimHeightmap(r.anchor, w, h); }, kResizeRefresh);
    return true;
}

bool CommandSplit(const CommandContext& context)
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    WriteDialogParams(SplitParams{HeightmapWidth(), HeightmapHeight()});
    if (ShowDialogModal(DialogId::Split)) return false;
    const auto r = ReadDialogResult<SplitResult>();
    std::string path;
    if (!context.askSavePath || !context.askSavePath(path)) return false;
    Host().EnableCommands(false);
    Host().ShowProgress("Splitting Heightmap...");
    WriteSplitTiles(path, r.columns, r.rows, r.tileWidth, r.tileHeight, r.seamless);
    Host().Refresh(Display::FormatDescription);
    Host().EnableCommands(true);
    return true;
}

bool CommandStitch(const std::function<void()>& onMerged)
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    const bool cancelled = ShowDialogModal(DialogId::Stitch);
    const auto r = ReadDialogResult<StitchResult>();
    ClearDialogParams();
    if (cancelled) return false;
    Host().EnableCommands(false);
    Host().ShowProgress("Stitching Heightmaps...");
    const bool merged = StitchHeightmaps(r.paths);
    if (merged) {
        for (Display d : kResizeRefresh) Host().Refresh(d);
        Host().SetModified(true);
        if (onMerged) onMerged();
    } else {
        Host().ShowPanelText(1, "");
    }
    Host().EnableCommands(true);
    return merged;
}

bool CommandUnderDevelopment()
{
    ShowInfo("This function is under development.");
    return false;
}

} // namespace tolv
