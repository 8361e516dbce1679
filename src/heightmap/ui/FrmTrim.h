// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include "shell/ui/DialogBase.h"

class QComboBox;

namespace tolv {

// Trim: the new width and height, and five buttons that say which edges are cut.
class FrmTrim : public DialogBase {
    Q_OBJECT
public:
    explicit FrmTrim(QWidget* parent = nullptr);
    // Confirms with the anchor of the pressed button (0 left/top .. 4 all sides).
    void PressTrim(int anchor);

protected:
    // Enter presses only a trim button the user moved to; in a size box it does nothing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    QComboBox* cboWidth_;
    QComboBox* cboHeight_;
};

} // namespace tolv
