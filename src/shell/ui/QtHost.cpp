// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/QtHost.h"

#include <QApplication>
#include <QMessageBox>

namespace tolv {
namespace {

// Message texts join lines with CR LF; Qt wants plain line feeds.
QString BoxText(const std::string& text)
{
    QString t = Q(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

void QtHost::ShowMessage(MessageKind kind, const std::string& text, const std::string& caption, int)
{
    QMessageBox box(kind == MessageKind::Info ? QMessageBox::Information : QMessageBox::Warning, Q(caption),
                    BoxText(text), QMessageBox::Ok, window_);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

bool QtHost::AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int)
{
    QMessageBox box(QMessageBox::Question, Q(caption), BoxText(text), QMessageBox::Yes | QMessageBox::No, window_);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtHost::ShowDialog(DialogId dialog)
{
    auto it = dialogs.find(dialog);
    if (it == dialogs.end()) return;
    // A command's hourglass must not sit over the dialog the user is to work in.
    Pointer previous = pointer_;
    SetPointer(Pointer::Default);
    it->second(window_);
    SetPointer(previous);
}

void QtHost::SetPointer(Pointer p)
{
    if (p == pointer_) return;
    pointer_ = p;
    // One override level stands for the busy state; the default pointer removes it.
    if (p == Pointer::Busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void QtHost::EnableCommands(bool enabled)
{
    if (onEnableCommands) onEnableCommands(enabled);
}

void QtHost::ShowProgress(const std::string& text) { ShowPanelText(1, text); }

void QtHost::ShowPanelText(int panel, const std::string& text)
{
    if (onPanelText) onPanelText(panel, text);
}

void QtHost::Refresh(Display what)
{
    if (onRefresh) onRefresh(what);
}

void QtHost::SetModified(bool modified)
{
    if (onModified) onModified(modified);
}

} // namespace tolv
