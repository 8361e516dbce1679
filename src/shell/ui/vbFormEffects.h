// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QColor>

class QComboBox;
class QPainter;
class QWidget;

namespace tolv {

// Chooses how dialogs appear: 2 fades them in, 3 fades only when the desktop fades its menus,
// anything else shows them at once. The main window calls it once with 2.
void InitFormEffects(int mode);
// The mode in force after the rules above (0, 1 or 2).
int FormEffectsMode();

// Fills a rectangle with a horizontal two-colour gradient, left colour at the left edge.
void GradientRect(QPainter& painter, int x, int y, int width, int height, const QColor& left, const QColor& right);

// Starts the fade-in of a dialog that is about to be shown (does nothing unless the mode is 2).
void FadeInDialog(QWidget* dialog);

// The title band of a dialog: GradientRect from the button-shadow to the button-face colour.
void PaintTitleBand(QPainter& painter, int x, int y, int width, int height);
// The window cannot be made smaller than minWidth x minHeight (its own size units).
void SetMinimumTrackingSize(QWidget* window, int minWidth, int minHeight);
// A combo box drawn flat (one thin line instead of the raised button), and back.
void MakeComboFlat(QComboBox* combo);
void RemoveComboFlat(QComboBox* combo);

} // namespace tolv
