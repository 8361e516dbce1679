// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QIcon>

#include "heightmap/CommandTable.h"

namespace tolv {

// The picture of a command's toolbar button, drawn in code so the program ships no image files:
// the normal picture and, in the Active mode, the brighter hot-tracking picture (16 and 32 px).
QIcon TbarIconFor(CommandId which);
// The program's own icon (packaging/tolv.svg): a mountain with contour lines under a sky.
QIcon AppIcon();
QPixmap AppPixmap(int size);

} // namespace tolv
