// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/UiHost.h"

namespace tolv {
namespace {

class SilentHost : public UiHost {
public:
    void ShowMessage(MessageKind, const std::string&, const std::string&, int) override {}
    bool AskQuestion(const std::string&, const std::string&, bool defaultNo, int) override { return !defaultNo; }
    void ShowDialog(DialogId) override {}
};

SilentHost g_silent;
UiHost* g_host = &g_silent;

} // namespace

UiHost& Host() { return *g_host; }

void InstallHost(UiHost* host) { g_host = host ? host : &g_silent; }

BusyPointer::BusyPointer() : previous_(Host().CurrentPointer()) { Host().SetPointer(Pointer::Busy); }

BusyPointer::~BusyPointer() { Host().SetPointer(previous_); }

} // namespace tolv
