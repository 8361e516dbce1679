// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <functional>
#include <map>
#include <ostream>

#include "shell/UiHost.h"

namespace tolv::cli {

enum class AnswerMode { Default, Yes, No };

// The converter's host: every message becomes a block on standard error, questions are answered
// by the answer mode, and dialogs by the answerers the converter installs from its options.
class ConsoleHost : public UiHost {
public:
    explicit ConsoleHost(std::ostream& err) : err_(err) {}
    void ShowMessage(MessageKind kind, const std::string& text, const std::string& caption, int helpContext) override;
    bool AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int helpContext) override;
    void ShowDialog(DialogId dialog) override;

    AnswerMode answerMode = AnswerMode::Default;
    // Fills the dialog's results and confirms it; a dialog without an answerer stays cancelled.
    std::map<DialogId, std::function<void()>> answerers;
    // One line of the converter's own on standard error ("tolvconv: " + text).
    void Note(const std::string& text) { err_ << "tolvconv: " << text << '\n'; }

private:
    void Block(const char* header, const std::string& text);
    std::ostream& err_;
};

} // namespace tolv::cli
