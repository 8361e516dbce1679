// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <functional>
#include <string>

namespace tolv {

// The main window's map commands as one sequence each, shared by the window and the converter:
// busy pointer, commands disabled, progress text, dialog (through DialogSlots and
// Host().ShowDialog), settings stored in Globals(), the operation, the display refreshes in
// their order (Host().Refresh), the modified flag, commands enabled, default pointer.
// Each returns true when the operation ran (whatever it returned) and false when the dialog was
// cancelled or the command stopped before it. Operation failures are reported by the operation.

// What a command needs from the front end that runs it.
struct CommandContext {
    // The window's HasHeightmap flag: without it Scale stores the chosen values and does nothing else.
    bool hasHeightmap = true;
    // Split's base file name: the save dialog (title kSplitSaveTitle, filter kSplitSaveFilter, the
    // current name as file name) in the window, OUTPUT in the converter. False when cancelled.
    std::function<bool(std::string& path)> askSavePath;
};

bool CommandFlipHorizontal();
bool CommandFlipVertical();
bool CommandRotateCCW();
bool CommandRotateCW();
bool CommandCrop();
// Stops at once (no dialog, no pointer change) on a flat heightmap.
bool CommandInvert();
bool CommandScale(const CommandContext& context = {});
bool CommandMove();
bool CommandInterpolate();
bool CommandResample();
bool CommandTrim();
// False when the save dialog was cancelled. The heightmap and the modified flag stay as they
// are; the last tile written sets the format code.
bool CommandSplit(const CommandContext& context);
// Run after the window's FileNew has closed the current map. Shows FrmStitch and merges the
// sections; onMerged runs after a successful merge, before the commands are enabled again, so the
// window can record that it holds a (not yet saved) heightmap. True when a heightmap was stitched.
bool CommandStitch(const std::function<void()>& onMerged = {});
// Undo, Zoom In and Zoom Out: there is nothing behind them yet, and they say so.
bool CommandUnderDevelopment();

} // namespace tolv
