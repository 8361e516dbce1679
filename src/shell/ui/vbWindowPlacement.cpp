// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbWindowPlacement.h"

#include <QWidget>

#include "shell/ui/QtHost.h"
#include "shell/vbPrivateIni.h"

namespace tolv {
namespace {

std::string Key(const QWidget* w, const char* what) { return S(w->objectName()) + what; }

} // namespace

void RestoreWindowPlacement(QWidget* w, const SettingsStore& store, int defaultWidth, int defaultHeight)
{
    const std::string section = "Dialogs";
    int left = store.IniGetInteger(section, Key(w, ".Left"), 16);
    int top = store.IniGetInteger(section, Key(w, ".Top"), 16);
    int width = store.IniGetInteger(section, Key(w, ".Width"), defaultWidth);
    int height = store.IniGetInteger(section, Key(w, ".Height"), defaultHeight);
    bool maximized = store.IniGetBoolean(section, Key(w, ".Maximized"), false);
    w->move(left, top);
    bool sizable = w->minimumSize() != w->maximumSize();
    if (sizable) w->resize(std::max(width, 1), std::max(height, 1));
    if (maximized) w->setWindowState(w->windowState() | Qt::WindowMaximized);
}

void SaveWindowPlacement(const QWidget* w, const SettingsStore& store)
{
    const std::string section = "Dialogs";
    if (w->isMinimized()) return;
    if (w->isMaximized()) {
        store.IniPutBoolean(section, Key(w, ".Maximized"), true);
        return;
    }
    // The position is the frame's, as move() takes it; the size is the client area's, as resize()
    // takes it. The frame is unknown until the window manager has framed the window, so an outer
    // size stored here would make the window grow by its frame on every run.
    const QPoint corner = w->frameGeometry().topLeft();
    const QSize client = w->geometry().size();
    store.IniPutInteger(section, Key(w, ".Left"), corner.x());
    store.IniPutInteger(section, Key(w, ".Top"), corner.y());
    store.IniPutInteger(section, Key(w, ".Width"), client.width());
    store.IniPutInteger(section, Key(w, ".Height"), client.height());
    store.IniPutBoolean(section, Key(w, ".Maximized"), false);
}

} // namespace tolv
