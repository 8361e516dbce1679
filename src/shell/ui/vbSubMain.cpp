// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Entry routine of the desktop application.
#include <QApplication>
#include <QFileInfo>
#include <QScreen>

#include "shell/ui/FrmMain.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbSingleInstance.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QString::fromUtf8(tolv::kAppTitle));

    // "tolv FILE" opens FILE. It is made absolute here: a running instance has a folder of its own.
    const QStringList args = QCoreApplication::arguments();
    const QString file = args.size() > 1 && !args[1].isEmpty() ? QFileInfo(args[1]).absoluteFilePath() : QString();

    // A later start hands its file (or only the wish to see the window) to the running instance
    // and ends before it touches the settings or shows anything.
    tolv::vbSingleInstance instance(tolv::vbSingleInstance::DefaultName());
    if (!instance.Claim(file)) return 0;

    tolv::QtHost host;
    tolv::InstallHost(&host);
    int rc = 0;
    {
        tolv::FrmMain window(host);
        QObject::connect(&instance, &tolv::vbSingleInstance::Requested, &window, [&window](const QString& path) {
            window.ActivateFromOutside();
            if (!path.isEmpty()) window.OpenFromOutside(tolv::S(path));
        });
        if (!file.isEmpty()) window.OpenFromOutside(tolv::S(file));
        QScreen* screen = QGuiApplication::primaryScreen();
        window.LoadStep(screen ? screen->depth() : 32);
        window.show();
        window.AfterShow();
        rc = app.exec();
    }
    tolv::InstallHost(nullptr);
    return rc;
}
