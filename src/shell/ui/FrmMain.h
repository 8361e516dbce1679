// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QMainWindow>

namespace tolv {

class QtHost;

// The program's one main window.
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain(QtHost& host, QWidget* parent = nullptr);

private:
    QtHost& host_;
};

} // namespace tolv
