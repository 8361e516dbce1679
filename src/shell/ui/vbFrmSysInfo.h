// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QList>
#include <QPair>
#include <QString>

#include "shell/ui/DialogBase.h"

class QTreeWidget;

namespace tolv {

// One group of the system information list ("Operating System", "Memory", ...).
struct SysInfoGroup {
    QString name;
    QList<QPair<QString, QString>> items;
};

// Operating system, memory, display, folders and component versions of this computer.
QList<SysInfoGroup> CollectSystemInfo();
// The list as plain text: a group name line, then "  name: value" lines, a blank line between groups.
QString SystemInfoText(const QList<SysInfoGroup>& groups);

class VbFrmSysInfo : public DialogBase {
    Q_OBJECT
public:
    explicit VbFrmSysInfo(QWidget* parent = nullptr);
    // Puts the list on the clipboard as text.
    void CopyToClipboard();

private:
    QList<SysInfoGroup> groups_;
    QTreeWidget* list_;
};

void ShowSystemInfo(QWidget* parent);

} // namespace tolv
