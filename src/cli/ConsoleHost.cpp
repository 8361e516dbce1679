// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "cli/ConsoleHost.h"

namespace tolv::cli {

void ConsoleHost::Block(const char* header, const std::string& text)
{
    std::string body;
    body.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue; // CR LF -> LF
        body += text[i];
    }
    err_ << header << '\n' << body << '\n';
}

void ConsoleHost::ShowMessage(MessageKind kind, const std::string& text, const std::string&, int)
{
    const char* header = kind == MessageKind::Warning ? "TOLV warning:"
                         : kind == MessageKind::Info  ? "TOLV info:"
                                                      : "TOLV error:";
    Block(header, text);
    err_ << '\n';
}

bool ConsoleHost::AskQuestion(const std::string& text, const std::string&, bool defaultNo, int)
{
    bool yes = answerMode == AnswerMode::Yes ? true : answerMode == AnswerMode::No ? false : !defaultNo;
    Block("TOLV question:", text);
    err_ << "answer: " << (yes ? "Yes" : "No") << "\n\n";
    return yes;
}

void ConsoleHost::ShowDialog(DialogId dialog)
{
    auto it = answerers.find(dialog);
    if (it != answerers.end()) it->second();
}

} // namespace tolv::cli
