// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Placeholder entry points until the vbPNM module lands; delete this file when it does.
#include "formats/vbPNM.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {
bool Pending()
{
    ShowWarning("This format is not available yet.");
    return false;
}
} // namespace

bool SavePgmFile(const std::string&) { return Pending(); }
bool SavePamFile(const std::string&) { return Pending(); }
bool LoadPgmFile(const std::string&) { return Pending(); }
bool LoadPamFile(const std::string&) { return Pending(); }

} // namespace tolv
