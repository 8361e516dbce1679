// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/FrmTrimRules.h"

#include "heightmap/DialogRules.h"

namespace tolv {

const char* const kTrimCaption = "Trim";
const char* const kTrimTitle =
    "Trim will cut off the specified edges for a heightmap that is slightly larger than power-of-two.\r\n"
    "Many applications create heightmaps that are power-of-two +1 in size, such as 257x257.";

std::string TrimInfoLabel(int32_t width, int32_t height)
{
    return "Heightmap dimensions are " + std::to_string(width) + " by " + std::to_string(height);
}

const std::array<TrimButton, 5>& TrimButtons()
{
    static const std::array<TrimButton, 5> buttons = {{
        {"CmdTrimLT", " Trim off the left/top sides of the heightmap"},
        {"CmdTrimLB", " Trim off the left/bottom sides of the heightmap"},
        {"CmdTrimRT", " Trim off the right/top sides of the heightmap"},
        {"CmdTrimRB", " Trim off the right/bottom sides of the heightmap"},
        {"CmdTrimC", " Trim off all sides of the heightmap"},
    }};
    return buttons;
}

std::vector<int32_t> TrimSizeEntries(int32_t dimension)
{
    int32_t start = 1;
    for (int32_t p : {512, 256, 128, 64, 32, 16})
        if (p <= dimension) {
            start = p;
            break;
        }
    std::vector<int32_t> entries;
    for (int32_t v = start; v >= 16; v /= 2) entries.push_back(v);
    return entries;
}

std::string TrimInitialText(int32_t dimension)
{
    const std::vector<int32_t> entries = TrimSizeEntries(dimension);
    return std::to_string(entries.empty() ? dimension : entries.front());
}

std::string CheckTrimDimension(const std::string& text, int32_t dimension)
{
    const int64_t v = FieldInteger(text);
    if (text.empty() || v == 0 || v > dimension) return std::to_string(dimension);
    return std::to_string(v);
}

} // namespace tolv
