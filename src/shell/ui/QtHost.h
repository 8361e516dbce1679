// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "shell/UiHost.h"

namespace tolv {

// The application's host: Qt message boxes with the application title, the busy pointer as an
// override cursor, and the main window's hooks forwarded to whoever registered them.
class QtHost : public UiHost {
public:
    void ShowMessage(MessageKind kind, const std::string& text, const std::string& caption, int helpContext) override;
    bool AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int helpContext) override;
    void ShowDialog(DialogId dialog) override;
    Pointer CurrentPointer() const override { return pointer_; }
    void SetPointer(Pointer p) override;
    void EnableCommands(bool enabled) override;
    void ShowProgress(const std::string& text) override;
    void ShowPanelText(int panel, const std::string& text) override;
    void Refresh(Display what) override;
    void SetModified(bool modified) override;

    // The window that owns message boxes and receives the main-window hooks.
    void SetMainWindow(QWidget* window) { window_ = window; }
    // Each dialog window registers how it is shown.
    std::map<DialogId, std::function<void(QWidget* parent)>> dialogs;
    // Main-window hooks, set by the main window.
    std::function<void(bool)> onEnableCommands;
    std::function<void(int, const std::string&)> onPanelText;
    std::function<void(Display)> onRefresh;
    std::function<void(bool)> onModified;

private:
    QPointer<QWidget> window_;
    Pointer pointer_ = Pointer::Default;
};

// Converts between the core's UTF-8 strings and Qt's.
inline QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string S(const QString& s) { return s.toUtf8().toStdString(); }

} // namespace tolv
