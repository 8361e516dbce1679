// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace tolv {

// Tells the user that the previous run did not end normally.
class vbFrmShutdown : public QDialog {
    Q_OBJECT
public:
    explicit vbFrmShutdown(QWidget* parent = nullptr);

    QLabel* LblTitle = nullptr;
    QLabel* LblMessage = nullptr;
    QPushButton* CmdContinue = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Shows vbFrmShutdown modally, keeping the mouse pointer it found.
void ShowShutdownDialog(QWidget* parent);

} // namespace tolv
