// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Entry routine of the desktop application.
#include <QApplication>

#include "shell/ui/FrmMain.h"
#include "shell/ui/QtHost.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tolv::QtHost host;
    tolv::InstallHost(&host);
    tolv::FrmMain window(host);
    window.show();
    int rc = app.exec();
    tolv::InstallHost(nullptr);
    return rc;
}
