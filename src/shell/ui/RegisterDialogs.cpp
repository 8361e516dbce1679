// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/RegisterDialogs.h"

#include "formats/ui/FrmRawSize.h"
#include "shell/ui/QtHost.h"

namespace tolv {
namespace {

// Each dialog is created for one showing and released when it closes.
template <class Dialog>
void Register(QtHost& host, DialogId id)
{
    host.dialogs[id] = [](QWidget* parent) {
        Dialog dialog(parent);
        dialog.exec();
    };
}

} // namespace

void RegisterParameterDialogs(QtHost& host)
{
    Register<FrmRawSize>(host, DialogId::RawSize);
}

} // namespace tolv
