// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tolv {

// The main window's map commands as one sequence each, shared by the window and the converter:
// busy pointer, commands disabled, progress text, dialog (through DialogSlots and
// Host().ShowDialog), settings stored in Globals(), the operation, the display refreshes in
// their order (Host().Refresh), the modified flag, commands enabled, default pointer.
// Each returns true when the operation ran (whatever it returned) and false when the dialog was
// cancelled or the command stopped before it. Operation failures are reported by the operation.

bool CommandFlipHorizontal();
bool CommandFlipVertical();
bool CommandRotateCCW();
bool CommandRotateCW();
bool CommandCrop();
// Stops at once (no dialog, no pointer change) on a flat heightmap.
bool CommandInvert();
// hasHeightmap: the window's HasHeightmap flag; without it the chosen values are stored and
// nothing else happens.
bool CommandScale(bool hasHeightmap = true);
bool CommandMove();
bool CommandInterpolate();
bool CommandResample();
bool CommandTrim();
// askSavePath shows the save dialog (title kSplitSaveTitle, filter kSplitSaveFilter, the
// current name as file name) and returns false when it was cancelled. The heightmap and the
// modified flag stay as they are; the last tile written sets the format code.
bool CommandSplit(const std::function<bool(std::string& path)>& askSavePath);
// Run after the window's FileNew has closed the current map. Shows FrmStitch and merges the
// sections; onMerged runs after a successful merge, before the commands are enabled again, so the
// window can record that it holds a (not yet saved) heightmap. True when a heightmap was stitched.
bool CommandStitch(const std::function<void()>& onMerged = {});
// Edit > Undo and the toolbar's Undo button: there is no earlier state to go back to.
void CommandUndo();

// Commands whose availability depends on the heightmap.
enum class MapCommand {
    Save, SaveAs, Split, Undo, View, Zoom,
    FlipHorizontal, FlipVertical, RotateCCW, RotateCW, Crop, Trim, Scale,
    Invert, Resample, Interpolate, Move,
};

// The availability rules, from the window's HasHeightmap flag and the heightmap's state.
struct CommandAvailability {
    bool withHeightmap = false; // Save, Save As, Split, Undo, views, zoom, flips, rotations, crop, trim, scale
    bool invert = false;        // and the altitudes are not all equal
    bool resample = false;      // and power-of-two sides both above 16
    bool interpolate = false;   // and power-of-two sides both below 512
    bool move = false;          // and the altitudes do not span all of 0..65535
    bool Enabled(MapCommand command) const;
};
CommandAvailability ComputeCommandAvailability(bool hasHeightmap);
// The rule that enables the command, in words ("Invert needs a heightmap whose altitudes are
// not all equal").
std::string CommandRule(MapCommand command);

} // namespace tolv
