// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QIcon>

namespace tolv {

// The pictures of the main toolbar, drawn in code so the program ships no image files.
enum class TbarIcon {
    New, Open, Save, SaveAs, Stitch, Split, Undo, Top, Front, Side, Perspective, ZoomIn, ZoomOut,
    FlipH, FlipV, RotateCcw, RotateCw, Invert, Crop, Trim, Resample, Interpolate, Scale, Move,
    Options, Help,
};
inline constexpr int kTbarIconCount = 26;

// The normal picture and, in the Active mode, the brighter hot-tracking picture (16 and 32 px).
QIcon TbarIconFor(TbarIcon which);
// The program's own icon (packaging/tolv.svg): a mountain with contour lines under a sky.
QIcon AppIcon();
QPixmap AppPixmap(int size);

} // namespace tolv
