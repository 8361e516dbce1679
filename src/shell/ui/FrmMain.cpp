// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/FrmMain.h"

#include "shell/UiHost.h"
#include "shell/ui/QtHost.h"

namespace tolv {

FrmMain::FrmMain(QtHost& host, QWidget* parent) : QMainWindow(parent), host_(host)
{
    setObjectName("FrmMain");
    setWindowTitle(kAppTitle);
    resize(800, 600);
    host_.SetMainWindow(this);
}

} // namespace tolv
