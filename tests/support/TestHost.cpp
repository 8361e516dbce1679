// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "TestHost.h"

#include <gtest/gtest.h>

#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/vbShowDialog.h"

namespace tolv::test {

TestHost::TestHost()
{
    ClearHeightmap();
    ClearDialogParams();
    ResetGlobals();
    InstallHost(this);
}

TestHost::~TestHost() { InstallHost(nullptr); }

void TestHost::ShowMessage(MessageKind kind, const std::string& text, const std::string& caption, int)
{
    const char* k = kind == MessageKind::Warning ? "warning" : kind == MessageKind::Info ? "info" : "error";
    messages.push_back({k, text, caption, false, CurrentPointer()});
}

bool TestHost::AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int)
{
    messages.push_back({"question", text, caption, defaultNo, CurrentPointer()});
    if (answers.empty()) return !defaultNo;
    bool a = answers.front();
    answers.pop_front();
    return a;
}

void TestHost::ShowDialog(DialogId dialog)
{
    dialogs.push_back(dialog);
    if (onDialog) onDialog(dialog);
}

size_t TestHost::Count(const std::string& kind) const
{
    size_t n = 0;
    for (const Recorded& m : messages) n += m.kind == kind;
    return n;
}

std::string TestHost::OnlyText() const
{
    EXPECT_LE(messages.size(), 1u) << "more than one message was shown";
    return messages.empty() ? "" : messages.back().text;
}

std::string TestHost::Said() const
{
    std::string all;
    for (const Recorded& m : messages) all += (all.empty() ? "" : "\n") + m.kind + ": " + m.text;
    return all;
}

void TestHost::Clear()
{
    messages.clear();
    dialogs.clear();
    enableCalls.clear();
    progress.clear();
    panels.clear();
    refreshes.clear();
}

} // namespace tolv::test
