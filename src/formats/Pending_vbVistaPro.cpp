// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Placeholder entry points until the vbVistaPro module lands; delete this file when it does.
#include "formats/vbVistaPro.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {
bool Pending()
{
    ShowWarning("This format is not available yet.");
    return false;
}
} // namespace

bool LoadVistaProAsciiFile(const std::string&) { return Pending(); }

} // namespace tolv
