// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/FrmAltitudeRules.h"

#include <algorithm>

namespace tolv {

const char* const kScaleCaption = "Scale";
const char* const kScaleTitle =
    "Scaling changes the overall range of altitudes within the heightmap, making valleys lower and mountain peaks "
    "higher.  Adjusting the lower altitude value will move the entire terrain lower or higher.";

const std::vector<std::string>& ScaleMethodNames()
{
    static const std::vector<std::string> names = {"Scale to 8-bit extents", "Scale to 16-bit extents",
                                                   "Scale to specified percentage",
                                                   "Scale to specified altitude range"};
    return names;
}

ScaleFieldsEnabled ScaleEnabledFields(int32_t method)
{
    ScaleFieldsEnabled e;
    e.percent = method == 2;
    e.high = e.low = method == 3;
    return e;
}

std::string CheckScalePercent(const std::string& text)
{
    return std::to_string(std::clamp<int64_t>(FieldInteger(text), 1, 999));
}

void CheckScaleAltitudes(std::string& highText, std::string& lowText)
{
    int64_t high = highText.empty() ? 65535 : FieldInteger(highText);
    int64_t low = lowText.empty() ? 0 : FieldInteger(lowText);
    high = std::clamp<int64_t>(high, 0, 65535);
    low = std::clamp<int64_t>(low, 0, 65535);
    if (low > high) std::swap(low, high);
    highText = std::to_string(high);
    lowText = std::to_string(low);
}

ScalePreview ComputeScalePreview(int32_t method, int32_t oldLow, int32_t oldHigh, const std::string& percentText,
                                 const std::string& highText, const std::string& lowText)
{
    switch (method) {
    case 0: return {255, 0};
    case 1: return {65535, 0};
    case 2: {
        const int64_t r = int64_t(oldHigh) - oldLow + 1;
        const int64_t m = (int64_t(oldHigh) - oldLow) / 2 + oldLow;
        const int64_t half = (FieldInteger(percentText) * r / 100) / 2;
        return {static_cast<int32_t>(std::min<int64_t>(m + half, 65535)),
                static_cast<int32_t>(std::max<int64_t>(m - half, 0))};
    }
    case 3: return {static_cast<int32_t>(FieldInteger(highText)), static_cast<int32_t>(FieldInteger(lowText))};
    default: return {};
    }
}

ScaleDialogState FillScaleDialog(const ScaleParams& in)
{
    ScaleDialogState s;
    s.oldLow = in.lowest;
    s.oldHigh = in.highest;
    s.method = (in.method >= 0 && in.method < 4) ? in.method : 0;
    // Slot values are numbers; a negative one cannot be typed, so it reads as its digits would.
    s.percent = CheckScalePercent(std::to_string(std::max(in.percent, 0)));
    s.high = std::to_string(std::max(in.upper, 0));
    s.low = std::to_string(std::max(in.lower, 0));
    CheckScaleAltitudes(s.high, s.low);
    return s;
}

const char* const kMoveCaption = "Move Heightmap";
const char* const kMoveTitle =
    "Move adjusts the entire heightmap altitude range through the total available height range of 0 to 65535.  "
    "This effectively moves the entire terrain up or down.";

const std::vector<std::string>& MoveMethodNames()
{
    static const std::vector<std::string> names = {"Highest base altitude", "Midpoint base altitude",
                                                   "Lowest base altitude", "Specified base altitude"};
    return names;
}

MoveSetup ComputeMoveSetup(int32_t lowest, int32_t highest)
{
    MoveSetup s;
    s.oldBase = lowest;
    s.span = static_cast<int32_t>(int64_t(highest) - lowest + 1);
    s.topBase = 65536 - s.span;
    s.scrollMax = s.topBase / 2;
    s.scrollStart = s.topBase / 2;
    return s;
}

bool MoveUserBaseEnabled(int32_t method) { return method == 3; }

int32_t MoveNewBase(int32_t method, const MoveSetup& setup, const std::string& userBaseText)
{
    switch (method) {
    case 0: return setup.topBase;
    case 1: return 32768 - setup.span / 2;
    case 2: return 0;
    case 3: return static_cast<int32_t>(FieldInteger(userBaseText));
    default: return setup.oldBase;
    }
}

std::string CheckMoveUserBase(const std::string& text, const MoveSetup& setup)
{
    return std::to_string(std::min<int64_t>(FieldInteger(text), setup.topBase));
}

int32_t MoveBaseFromScroll(const MoveSetup& setup, int32_t position) { return setup.topBase - 2 * position; }

int32_t MoveScrollFromBase(const MoveSetup& setup, int32_t base) { return (setup.topBase - base) / 2; }

std::vector<MovePreviewBox> MovePreviewBoxes(const MoveSetup& setup, int32_t newBase)
{
    auto box = [](int64_t from, int64_t to, uint8_t r, uint8_t g, uint8_t b) {
        return MovePreviewBox{static_cast<int32_t>(65536 - to), static_cast<int32_t>(65536 - from), r, g, b};
    };
    const int64_t oldTo = int64_t(setup.oldBase) + setup.span, newTo = int64_t(newBase) + setup.span;
    std::vector<MovePreviewBox> boxes = {box(setup.oldBase, oldTo, 102, 102, 102), box(newBase, newTo, 51, 102, 153)};
    const int64_t from = std::max<int64_t>(setup.oldBase, newBase), to = std::min(oldTo, newTo);
    if (from < to) boxes.push_back(box(from, to, 0, 51, 102));
    return boxes;
}

const char* const kInvertCaption = "Invert";
const char* const kInvertTitle =
    "Invert flips the heightmap altitudes around a midpoint, with low altitudes becoming high, and high altitudes "
    "becoming low.  Mountains will change to valleys, and valleys will change to mountains.";

int32_t InvertDialogMidpoint(int32_t lowest, int32_t highest)
{
    return static_cast<int32_t>((int64_t(highest) - lowest) / 2 + lowest);
}

std::vector<ComboEntry> InvertEntries(int32_t lowest, int32_t highest)
{
    const int32_t m = InvertDialogMidpoint(lowest, highest);
    return {{"midpoint of current heightmap (" + std::to_string(m) + ")", m},
            {"midpoint of 16-bit heightmap (32767)", 32767}};
}

} // namespace tolv
