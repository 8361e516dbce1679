// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// One entry of a combo box filled from data: the text shown and the number stored with it.
struct ComboEntry {
    std::string text;
    int32_t value = 0;
    bool operator==(const ComboEntry&) const = default;
};

// The entry whose stored number equals value; the first entry (0) when none does, -1 when the
// list is empty.
int SelectEntryIndex(const std::vector<ComboEntry>& entries, int32_t value);

// The integer a digits-only field holds: 0 when empty, saturating instead of overflowing.
int64_t FieldInteger(const std::string& text);

// True when text holds only the characters the numeric fields accept (0 to 9), and "." too when
// allowPoint is set. The empty text passes.
bool FieldAccepts(const std::string& text, bool allowPoint = false);

} // namespace tolv
