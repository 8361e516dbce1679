// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Entry routine of the desktop application.
#include <QApplication>
#include <QScreen>

#include "shell/ui/FrmMain.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbSingleInstance.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QString::fromUtf8(tolv::kAppTitle));

    // A second start hands over to the running window and shows nothing of its own.
    tolv::vbSingleInstance instance(tolv::vbSingleInstance::DefaultName());
    if (instance.AnotherInstanceRunning()) return 0;

    tolv::QtHost host;
    tolv::InstallHost(&host);
    int rc = 0;
    {
        tolv::FrmMain window(host);
        instance.Listen([&window] {
            if (window.isMinimized()) window.showNormal();
            window.show();
            window.raise();
            window.activateWindow();
        });
        QScreen* screen = QGuiApplication::primaryScreen();
        window.LoadStep(screen ? screen->depth() : 32);
        window.show();
        window.AfterShow();
        rc = app.exec();
    }
    tolv::InstallHost(nullptr);
    return rc;
}
