// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/FrmSaveSTLRules.h"

#include <algorithm>
#include <cctype>

#include "shell/Numbers.h"

namespace tolv {

std::string NormaliseSpacing(const std::string& text)
{
    const std::string t = Trim(text);
    if (t.empty()) return std::to_string(kDefaultSpacing);
    // The box takes digits only; anything else reads as its leading digits. Long numbers are
    // capped while reading so they cannot overflow.
    int64_t v = 0;
    for (char c : t) {
        if (!std::isdigit(static_cast<unsigned char>(c))) break;
        v = std::min<int64_t>(v * 10 + (c - '0'), int64_t(kMaxSpacing) + 1);
    }
    if (v < kMinSpacing) v = kMinSpacing;
    if (v > kMaxSpacing) v = kMaxSpacing;
    return std::to_string(v);
}

int32_t SpacingValue(const std::string& text) { return std::stoi(NormaliseSpacing(text)); }

} // namespace tolv
