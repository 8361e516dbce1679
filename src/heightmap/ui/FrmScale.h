// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include "shell/ui/DialogBase.h"

class QComboBox;
class QLineEdit;

namespace tolv {

// Scale: the method, the percentage or the new altitude range, and a preview of the new extents.
class FrmScale : public DialogBase {
    Q_OBJECT
public:
    explicit FrmScale(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    void ApplyEnabling();
    void UpdatePreview();
    int32_t oldLow_ = 0;
    int32_t oldHigh_ = 0;
    bool filling_ = true;
    QComboBox* method_;
    QLineEdit* percent_;
    QLineEdit* high_;
    QLineEdit* low_;
    QLabel* lblPercent_;
    QLabel* lblHigh_;
    QLabel* lblLow_;
    QLabel* orgHigh_;
    QLabel* orgLow_;
    QLabel* newHigh_;
    QLabel* newLow_;
};

} // namespace tolv
