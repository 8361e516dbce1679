// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Placeholder entry points until the vbTerragen module lands; delete this file when it does.
#include "formats/vbTerragen.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {
bool Pending()
{
    ShowWarning("This format is not available yet.");
    return false;
}
} // namespace

bool LoadTerragenFile(const std::string&) { return Pending(); }
bool SaveTerragenFile(const std::string&) { return Pending(); }

} // namespace tolv
