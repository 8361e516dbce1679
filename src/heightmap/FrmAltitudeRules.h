// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "heightmap/DialogRules.h"

namespace tolv {

// ---- FrmScale -------------------------------------------------------------------------------

// In: the map's lowest and highest altitude and the four scale settings.
struct ScaleParams {
    int32_t lowest = 0, highest = 0, method = 0, percent = 0, upper = 0, lower = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, lowest);
        slot(2, highest);
        slot(3, method);
        slot(4, percent);
        slot(5, upper);
        slot(6, lower);
    }
};
// Out on OK: the selected method and the texts of the three fields.
struct ScaleResult {
    int32_t method = 0;
    std::string percent, high, low;
    template <class F>
    void Slots(F&& slot)
    {
        slot(3, method);
        slot(4, percent);
        slot(5, high);
        slot(6, low);
    }
};

extern const char* const kScaleCaption; // "Scale"
extern const char* const kScaleTitle;
// The four method entries; the list position is the method number.
const std::vector<std::string>& ScaleMethodNames();

struct ScaleFieldsEnabled {
    bool percent = false;
    bool high = false;
    bool low = false;
};
// Methods 0 and 1: nothing; 2: the percentage; 3: highest and lowest altitude.
ScaleFieldsEnabled ScaleEnabledFields(int32_t method);

// The percentage field after the check: 0 when empty, limited to 1..999.
std::string CheckScalePercent(const std::string& text);
// The two altitude fields after the check: empty high is 65535, empty low 0, each limited to
// 0..65535, exchanged when low is above high.
void CheckScaleAltitudes(std::string& highText, std::string& lowText);

struct ScalePreview {
    int32_t newHigh = 0;
    int32_t newLow = 0;
};
// LblNewHigh and LblNewLow for the method and the (checked) field texts.
ScalePreview ComputeScalePreview(int32_t method, int32_t oldLow, int32_t oldHigh, const std::string& percentText,
                                 const std::string& highText, const std::string& lowText);

// The whole dialog state as filled from the input slots (with the checks applied).
struct ScaleDialogState {
    int32_t oldLow = 0;
    int32_t oldHigh = 0;
    int32_t method = 0; // selected list index
    std::string percent;
    std::string high;
    std::string low;
};
ScaleDialogState FillScaleDialog(const ScaleParams& in);

// ---- FrmMove --------------------------------------------------------------------------------

// In: the map's lowest and highest altitude and MoveMethod.
struct MoveParams {
    int32_t lowest = 0, highest = 0, method = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, lowest);
        slot(2, highest);
        slot(3, method);
    }
};
// Out on OK: the selected method and the new base.
struct MoveResult {
    int32_t method = 0, base = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(3, method);
        slot(4, base);
    }
};

extern const char* const kMoveCaption; // "Move Heightmap"
extern const char* const kMoveTitle;
const std::vector<std::string>& MoveMethodNames();

struct MoveSetup {
    int32_t oldBase = 0;
    int32_t span = 0;        // highest - lowest + 1
    int32_t topBase = 0;     // 65536 - span: the greatest base keeping the top within 65535
    int32_t scrollMax = 0;   // scroll bar range 0..topBase \ 2
    int32_t scrollStart = 0; // initial position
};
MoveSetup ComputeMoveSetup(int32_t lowest, int32_t highest);
// Only "Specified base altitude" (3) enables the base field and the scroll bar.
bool MoveUserBaseEnabled(int32_t method);
// New base by method: 0 top base, 1 32768 - span \ 2, 2 zero, 3 the field's value.
int32_t MoveNewBase(int32_t method, const MoveSetup& setup, const std::string& userBaseText);
// The base field after it lost the focus: 0 when empty, at most the top base.
std::string CheckMoveUserBase(const std::string& text, const MoveSetup& setup);
// Scroll bar position v stands for the base top base - 2 v, and back.
int32_t MoveBaseFromScroll(const MoveSetup& setup, int32_t position);
int32_t MoveScrollFromBase(const MoveSetup& setup, int32_t base);

// A filled box of the preview picture, vertical coordinate y = 65536 - altitude.
struct MovePreviewBox {
    int32_t yTop = 0;
    int32_t yBottom = 0;
    uint8_t r = 0, g = 0, b = 0;
};
// Old span, new span and (when they overlap) their intersection, in drawing order.
std::vector<MovePreviewBox> MovePreviewBoxes(const MoveSetup& setup, int32_t newBase);

// ---- FrmInvert ------------------------------------------------------------------------------

// In: the map's lowest and highest altitude.
struct InvertParams {
    int32_t lowest = 0, highest = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, lowest);
        slot(2, highest);
    }
};
// Out on OK: the midpoint stored with the chosen entry.
struct InvertResult {
    int32_t midpoint = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(3, midpoint);
    }
};

extern const char* const kInvertCaption; // "Invert"
extern const char* const kInvertTitle;
// m = (highest - lowest) \ 2 + lowest (truncated, unlike MidAltitude).
int32_t InvertDialogMidpoint(int32_t lowest, int32_t highest);
// The two entries: the current heightmap's m, and 32767; the first is selected.
std::vector<ComboEntry> InvertEntries(int32_t lowest, int32_t highest);

} // namespace tolv
