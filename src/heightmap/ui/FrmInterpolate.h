// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include "shell/ui/DialogBase.h"

class QComboBox;
class QLineEdit;

namespace tolv {

// Interpolate: the enlargement factor (only those that stay within 512) and the variance.
class FrmInterpolate : public DialogBase {
    Q_OBJECT
public:
    explicit FrmInterpolate(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    QComboBox* factor_;
    QLineEdit* variance_;
};

// Resample: the reduction factor (only those that stay at 16 or more) and the method.
class FrmResample : public DialogBase {
    Q_OBJECT
public:
    explicit FrmResample(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    QComboBox* factor_;
    QComboBox* method_;
};

} // namespace tolv
