// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QStringList>
#include <QWidget>

#include "shell/ui/DialogBase.h"

class QTimer;

namespace tolv {

// The version the program was built as.
QString ProgramVersion();

// Credit lines that scroll upwards through the picture, over and over.
class CreditsPicture : public QWidget {
    Q_OBJECT
public:
    CreditsPicture(QStringList lines, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {300, 120}; }
    // Scroll position in pixels (tests and screenshots set it directly).
    int offset() const { return offset_; }
    void setOffset(int pixels);
    bool scrolling() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int LineHeight() const;
    QStringList lines_;
    int offset_ = 0;
    QTimer* timer_;
};

// The About box: product name, application title, version, the credits, and a button that
// opens the system information.
class VbFrmAbout : public DialogBase {
    Q_OBJECT
public:
    explicit VbFrmAbout(QWidget* parent = nullptr);
    CreditsPicture* credits() const { return credits_; }

private:
    CreditsPicture* credits_;
};

void ShowAboutBox(QWidget* parent);

} // namespace tolv
