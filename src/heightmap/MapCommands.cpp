// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/MapCommands.h"

#include <array>
#include <initializer_list>

#include "formats/vbFileManagement.h"
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
constexpr Refreshes kResizeRefresh = {Display::Preview,       Display::AltitudeBar, Display::FormatDescription,
                                      Display::ClearFileSize, Display::Resolution,  Display::Statistics,
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
    return Parameterless("Rotating the Heightmap 90\xC2\xB0 counter-clockwise...", RotateHeightmapCCW,
                         kRotateRefresh);
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
    SetDialogParam(1, MinAltitude());
    SetDialogParam(2, MaxAltitude());
    if (ShowDialogModal(DialogId::Invert)) return false;
    const int32_t mid = GetDialogResult(3).AsInt();
    RunOperation("Inverting the Heightmap...", [mid] { return InvertHeightmap(mid); }, kAltitudeRefresh);
    return true;
}

bool CommandScale(bool hasHeightmap)
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    GlobalSettings& s = Globals();
    SetDialogParam(1, MinAltitude());
    SetDialogParam(2, MaxAltitude());
    SetDialogParam(3, s.scaleMethod);
    SetDialogParam(4, s.scalePercent);
    SetDialogParam(5, s.scaleUpper);
    SetDialogParam(6, s.scaleLower);
    if (ShowDialogModal(DialogId::Scale)) return false;
    s.scaleMethod = GetDialogResult(3).AsInt();
    s.scalePercent = GetDialogResult(4).AsInt();
    s.scaleUpper = GetDialogResult(5).AsInt();
    s.scaleLower = GetDialogResult(6).AsInt();
    if (!hasHeightmap) return false;
    RunOperation("Scaling Heightmap...", ScaleHeightmap, kResizeRefresh);
    return true;
}

bool CommandMove()
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    GlobalSettings& s = Globals();
    SetDialogParam(1, MinAltitude());
    SetDialogParam(2, MaxAltitude());
    SetDialogParam(3, s.moveMethod);
    if (ShowDialogModal(DialogId::Move)) return false;
    s.moveMethod = GetDialogResult(3).AsInt();
    s.moveBase = GetDialogResult(4).AsInt();
    const int32_t base = s.moveBase;
    RunOperation("Moving heightmap...", [base] { return MoveHeightmap(base); }, kAltitudeRefresh);
    return true;
}

bool CommandInterpolate()
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    GlobalSettings& s = Globals();
    SetDialogParam(1, HeightmapWidth());
    SetDialogParam(2, HeightmapHeight());
    SetDialogParam(3, s.interpolationVariance);
    SetDialogParam(4, s.interpolationFactor);
    if (ShowDialogModal(DialogId::Interpolate)) return false;
    s.interpolationFactor = GetDialogResult(4).AsInt();
    s.interpolationVariance = GetDialogResult(3).AsFloat();
    RunOperation("Interpolating heightmap by " + std::to_string(s.interpolationFactor) + "x...",
                 InterpolateHeightmap, kResizeRefresh);
    return true;
}

bool CommandResample()
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    GlobalSettings& s = Globals();
    SetDialogParam(1, HeightmapWidth());
    SetDialogParam(2, HeightmapHeight());
    SetDialogParam(3, s.resampleFactor);
    SetDialogParam(4, s.resampleMethod);
    if (ShowDialogModal(DialogId::Resample)) return false;
    s.resampleFactor = GetDialogResult(3).AsInt();
    s.resampleMethod = GetDialogResult(4).AsInt();
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
    const int32_t anchor = GetDialogResult(1).AsInt();
    const int32_t w = GetDialogResult(2).AsInt(), h = GetDialogResult(3).AsInt();
    RunOperation("Trimming Heightmap...", [=] { return TrimHeightmap(anchor, w, h); }, kResizeRefresh);
    return true;
}

bool CommandSplit(const std::function<bool(std::string& path)>& askSavePath)
{
    BusyPointer busy;
    SlotsCleaner cleaner;
    ClearDialogParams();
    SetDialogParam(1, HeightmapWidth());
    SetDialogParam(2, HeightmapHeight());
    if (ShowDialogModal(DialogId::Split)) return false;
    const int32_t columns = GetDialogResult(3).AsInt(), rows = GetDialogResult(4).AsInt();
    const int32_t tw = GetDialogResult(5).AsInt(), th = GetDialogResult(6).AsInt();
    const bool seamless = GetDialogResult(7).AsBool();
    std::string path;
    if (!askSavePath || !askSavePath(path)) return false;
    Host().EnableCommands(false);
    Host().ShowProgress("Splitting Heightmap...");
    WriteSplitTiles(path, columns, rows, tw, th, seamless);
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
    std::array<std::string, 4> paths;
    for (int i = 0; i < 4; ++i) paths[i] = GetDialogResult(i + 1).AsString();
    ClearDialogParams();
    if (cancelled) return false;
    Host().EnableCommands(false);
    Host().ShowProgress("Stitching Heightmaps...");
    const bool merged = StitchHeightmaps(paths);
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

void CommandUndo() { ShowInfo("This function is under development."); }

bool CommandAvailability::Enabled(MapCommand command) const
{
    switch (command) {
    case MapCommand::Invert: return invert;
    case MapCommand::Resample: return resample;
    case MapCommand::Interpolate: return interpolate;
    case MapCommand::Move: return move;
    default: return withHeightmap;
    }
}

CommandAvailability ComputeCommandAvailability(bool hasHeightmap)
{
    CommandAvailability a;
    const bool pow2 = IsPowerOfTwoSize();
    const int32_t w = HeightmapWidth(), h = HeightmapHeight(), d = AltitudeRange();
    a.withHeightmap = hasHeightmap;
    a.invert = hasHeightmap && d != 0;
    a.resample = hasHeightmap && pow2 && w > 16 && h > 16;
    a.interpolate = hasHeightmap && pow2 && w < 512 && h < 512;
    a.move = hasHeightmap && d != 65536;
    return a;
}

std::string CommandRule(MapCommand command)
{
    switch (command) {
    case MapCommand::Invert: return "Invert needs a heightmap whose altitudes are not all equal";
    case MapCommand::Resample:
        return "Resample needs a heightmap of power-of-two size with both sides greater than 16";
    case MapCommand::Interpolate:
        return "Interpolate needs a heightmap of power-of-two size with both sides less than 512";
    case MapCommand::Move: return "Move needs a heightmap whose altitudes do not span all of 0 to 65535";
    default: return "this command needs a heightmap";
    }
}

} // namespace tolv
