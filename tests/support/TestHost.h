// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/UiHost.h"
#include "shell/vbShowDialog.h"

namespace tolv::test {

// One message as the user would have seen it.
struct Recorded {
    std::string kind; // "warning", "info", "error", "question"
    std::string text;
    std::string caption;
    bool defaultNo = false;
    tolv::Pointer pointer = tolv::Pointer::Default; // shown over the box
};

// A scripted host: records every message, answers questions from a queue (or with the default
// button when the queue is empty), and runs a script for each dialog shown. Installs itself on
// construction and resets the core's process-wide state, so each test starts clean.
class TestHost : public tolv::UiHost {
public:
    TestHost();
    ~TestHost() override;

    void ShowMessage(tolv::MessageKind kind, const std::string& text, const std::string& caption,
                     int helpContext) override;
    bool AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int helpContext) override;
    void ShowDialog(tolv::DialogId dialog) override;
    void EnableCommands(bool enabled) override { enableCalls.push_back(enabled); }
    void ShowProgress(const std::string& text) override { progress.push_back(text); }
    void ShowPanelText(int panel, const std::string& text) override { panels.emplace_back(panel, text); }
    void Refresh(tolv::Display what) override { refreshes.push_back(what); }
    void SetModified(bool m) override { modified = m; }

    // The next questions are answered with these (true = Yes).
    void Answer(std::initializer_list<bool> yesNo) { answers.insert(answers.end(), yesNo); }
    // The dialog script: sets results and clears the cancelled flag to confirm.
    std::function<void(tolv::DialogId)> onDialog;

    size_t Count(const std::string& kind) const;
    // Text of the only message, or "" when there were none; fails the test when there were several.
    std::string OnlyText() const;
    // Every message as "kind: text", one a line; "" when there were none.
    std::string Said() const;
    void Clear();

    std::vector<Recorded> messages;
    std::deque<bool> answers;
    std::vector<tolv::DialogId> dialogs;
    std::vector<bool> enableCalls;
    std::vector<std::string> progress;
    std::vector<std::pair<int, std::string>> panels;
    std::vector<tolv::Display> refreshes;
    bool modified = false;
};

// A dialog's values as the texts of their slots, in slot order.
template <class T>
std::string SlotText(T values)
{
    std::string text;
    values.Slots([&text](int, const auto& v) {
        if (!text.empty()) text += ' ';
        text += DialogValue(v).AsString();
    });
    return text;
}

} // namespace tolv::test
