// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QWidget>
#include <vector>

#include "heightmap/FrmAltitudeRules.h"
#include "shell/ui/DialogBase.h"

class QComboBox;
class QLineEdit;
class QScrollBar;

namespace tolv {

// The old span, the new span and their overlap over the whole altitude range, highest at the top.
class MovePreviewPicture : public QWidget {
    Q_OBJECT
public:
    explicit MovePreviewPicture(QWidget* parent = nullptr);
    void SetBoxes(std::vector<MovePreviewBox> boxes);
    const std::vector<MovePreviewBox>& boxes() const { return boxes_; }
    QSize sizeHint() const override { return {56, 180}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<MovePreviewBox> boxes_;
};

// Move: where the lowest altitude of the heightmap goes, by method or typed/scrolled base.
class FrmMove : public DialogBase {
    Q_OBJECT
public:
    explicit FrmMove(QWidget* parent = nullptr);
    int32_t newBase() const { return newBase_; }

protected:
    bool WriteResults() override;

private:
    void ApplyEnabling();
    void UpdateNewBase();
    MoveSetup setup_;
    int32_t newBase_ = 0;
    bool filling_ = true;
    QComboBox* method_;
    QLineEdit* userBase_;
    QLabel* lblUserBase_;
    QScrollBar* scroll_;
    QLabel* orgBase_;
    QLabel* orgRange_;
    QLabel* newBaseLabel_;
    QLabel* newRange_;
    MovePreviewPicture* preview_;
};

} // namespace tolv
