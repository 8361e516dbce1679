// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QApplication>
#include <deque>
#include <string>
#include <vector>

#include "TempDir.h"
#include "UiTestSupport.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbMSCmnDialog.h"
#include "shell/ui/vbShellExec.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbShowDialog.h"

namespace tolv::test {

// The application's host with scripted message boxes: every message is recorded, questions are
// answered from a queue (or with the default button), and the window hooks stay real. With
// realBoxes the real message boxes are shown instead (answer them with a BoxClicker). Constructing
// it resets the core's process-wide state and points the settings at a fresh file.
class UiTestHost : public QtHost {
public:
    struct Message {
        std::string kind; // "warning", "info", "error", "question"
        std::string text;
        bool defaultNo = false;
    };

    UiTestHost()
    {
        ClearHeightmap();
        ClearDialogParams();
        ResetGlobals();
        ResetFileDialogState();
        SetSettingsPath(ini);
        SetUrlOpener([this](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        InstallHost(this);
    }
    ~UiTestHost() override
    {
        InstallHost(nullptr);
        SetFileChooser(nullptr);
        SetColorChooser(nullptr);
        SetUrlOpener(nullptr);
    }

    void ShowMessage(MessageKind kind, const std::string& text, const std::string& caption, int helpContext) override
    {
        messages.push_back({kind == MessageKind::Info ? "info" : kind == MessageKind::Warning ? "warning" : "error",
                            text, false});
        if (realBoxes) QtHost::ShowMessage(kind, text, caption, helpContext);
    }
    bool AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int helpContext) override
    {
        messages.push_back({"question", text, defaultNo});
        if (realBoxes) return QtHost::AskQuestion(text, caption, defaultNo, helpContext);
        if (answers.empty()) return !defaultNo;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }

    size_t Count(const std::string& kind) const
    {
        size_t n = 0;
        for (const Message& m : messages) n += m.kind == kind;
        return n;
    }

    TempDir dir;
    std::string ini = dir / "tolv.ini";
    std::vector<Message> messages;
    std::deque<bool> answers;
    bool realBoxes = false;
    std::vector<QUrl> opened;
};

} // namespace tolv::test
