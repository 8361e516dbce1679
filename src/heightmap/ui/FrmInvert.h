// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include "shell/ui/DialogBase.h"

class QComboBox;

namespace tolv {

// Invert: the midpoint the altitudes are mirrored around.
class FrmInvert : public DialogBase {
    Q_OBJECT
public:
    explicit FrmInvert(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    QComboBox* center_;
};

} // namespace tolv
