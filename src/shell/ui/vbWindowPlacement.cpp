// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbWindowPlacement.h"

#include <QWidget>

#include "shell/ui/QtHost.h"
#include "shell/vbPrivateIni.h"

namespace tolv {
namespace {

// The frame's share of the outer size; unknown (0) until the window manager has framed it.
QSize FrameExtra(const QWidget* w) { return w->frameGeometry().size() - w->geometry().size(); }

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
    if (sizable) {
        QSize extra = FrameExtra(w);
        w->resize(std::max(width - extra.width(), 1), std::max(height - extra.height(), 1));
    }
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
    QRect outer = w->frameGeometry();
    store.IniPutInteger(section, Key(w, ".Left"), outer.x());
    store.IniPutInteger(section, Key(w, ".Top"), outer.y());
    store.IniPutInteger(section, Key(w, ".Width"), outer.width());
    store.IniPutInteger(section, Key(w, ".Height"), outer.height());
    store.IniPutBoolean(section, Key(w, ".Maximized"), false);
}

} // namespace tolv
