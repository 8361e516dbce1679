// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once

class QWidget;

namespace tolv {

class SettingsStore;

// Window placement in section "Dialogs": <name>.Left, .Top (pixels, the frame's corner),
// .Width, .Height (pixels of the client area) and <name>.Maximized. The name is the window's object name.

// Moves (and, for a resizable window, sizes) the window to the stored normal placement, then
// maximizes it when it was maximized. Missing keys give 16, 16, defaultWidth, defaultHeight.
void RestoreWindowPlacement(QWidget* window, const SettingsStore& store, int defaultWidth, int defaultHeight);
// Normal: writes the four values and Maximized = 0. Maximized: only Maximized = 1, so the last
// normal placement stays. Minimized: nothing.
void SaveWindowPlacement(const QWidget* window, const SettingsStore& store);

} // namespace tolv
