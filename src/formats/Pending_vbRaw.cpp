// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Placeholder entry points until the vbRaw module lands; delete this file when it does.
#include "formats/vbRaw.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {
bool Pending()
{
    ShowWarning("This format is not available yet.");
    return false;
}
} // namespace

bool LoadRaw8File(const std::string&) { return Pending(); }
bool LoadRaw16File(const std::string&) { return Pending(); }
bool LoadRaw32File(const std::string&) { return Pending(); }
bool SaveRaw16File(const std::string&) { return Pending(); }

} // namespace tolv
