// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/DialogRules.h"

namespace tolv {

int SelectEntryIndex(const std::vector<ComboEntry>& entries, int32_t value)
{
    if (entries.empty()) return -1;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].value == value) return static_cast<int>(i);
    return 0;
}

int64_t FieldInteger(const std::string& text)
{
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
        if (v > INT32_MAX) return INT32_MAX;
    }
    return v;
}

bool FieldAccepts(const std::string& text, bool allowPoint)
{
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (allowPoint && c == '.'))) return false;
    return true;
}

} // namespace tolv
