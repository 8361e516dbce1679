// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Placeholder entry points until the vbTIFF module lands; delete this file when it does.
#include "imaging/vbTIFF.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {
bool Pending()
{
    ShowWarning("This format is not available yet.");
    return false;
}
} // namespace

bool LoadTiffImage(const std::string&) { return Pending(); }
bool SaveTiffImage(const std::string&) { return Pending(); }

} // namespace tolv
