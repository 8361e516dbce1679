// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Placeholder entry points until the vbWinBMP module lands; delete this file when it does.
#include "formats/vbWinBMP.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {
bool Pending()
{
    ShowWarning("This format is not available yet.");
    return false;
}
} // namespace

bool ValidateBmpFile(const std::string&) { return false; }
int32_t BmpFileType(const std::string&) { return 0; }
bool LoadG16File(const std::string&) { return Pending(); }
bool SaveG16File(const std::string&) { return Pending(); }
bool SaveG16Region(const std::string&, int32_t, int32_t, int32_t, int32_t) { return Pending(); }

} // namespace tolv
