// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
// Shared by the fuzz targets and the regression tests, so it uses no test framework.
#include <cstdint>
#include <string>

#include "formats/FrmRawSizeRules.h"
#include "heightmap/MapHeight.h"
#include "shell/UiHost.h"
#include "shell/vbShowDialog.h"

namespace tolv::test {

// Confirms the dialog being shown with what its fields show as it opens: the values it was given.
inline void ConfirmProposals(DialogId = {})
{
    for (int slot = 1; slot <= 10; ++slot) SetDialogResult(slot, GetDialogParam(slot));
    SetDialogCancelled(false);
}

// A user who answers Yes to every question and confirms every dialog as it opens. Messages are
// counted, not kept, so a long fuzzing run does not grow.
class YesHost : public UiHost {
public:
    void ShowMessage(MessageKind, const std::string&, const std::string&, int) override { ++messages; }
    bool AskQuestion(const std::string&, const std::string&, bool, int) override
    {
        ++messages;
        return true;
    }
    void ShowDialog(DialogId dialog) override
    {
        if (dialog == DialogId::RawSize) {
            AnswerRawSize();
            return;
        }
        ConfirmProposals();
    }
    // The proposed square; when the length fits no square, the first width that divides the
    // samples into at most 513 rows, so that odd lengths are read too. No fit: cancelled.
    static void AnswerRawSize()
    {
        const auto in = ReadDialogParams<RawSizeParams>();
        const int64_t length = in.fileLength;
        const int32_t bits = in.bits;
        RawSizeState state = ProposeRawSize(length, bits);
        const int64_t bytes = bits / 8;
        for (int32_t w = 1; !state.okEnabled && bytes > 0 && w <= HMAP_MAX_WIDTH; ++w) {
            const int64_t samples = length / bytes;
            if (length % bytes == 0 && samples % w == 0 && samples / w >= 1 && samples / w <= HMAP_MAX_HEIGHT)
                state = ApplyRawSizeTexts(length, bits, std::to_string(w), std::to_string(samples / w));
        }
        if (state.okEnabled) ConfirmDialog(RawSizeResult{state.width, state.height});
    }
    int messages = 0;
};

// After an open from a cleared heightmap: "" when the map is either loaded and consistent, or
// not loaded; otherwise what is wrong.
inline std::string OpenOutcomeProblem(bool opened)
{
    if (!opened) return HeightmapLoaded() ? "the reader failed but left the map marked loaded" : "";
    if (!HeightmapLoaded()) return "the reader succeeded without marking the map loaded";
    const int32_t w = HeightmapWidth(), h = HeightmapHeight();
    if (w < 1 || h < 1 || w > kMaxMapSize || h > kMaxMapSize)
        return "loaded size out of range: " + std::to_string(w) + " x " + std::to_string(h);
    if (GridWidth() != w || GridHeight() != h)
        return "grid " + std::to_string(GridWidth()) + " x " + std::to_string(GridHeight()) + " for a map of " +
               std::to_string(w) + " x " + std::to_string(h);
    if (FormatCode() == 0) return "no format code after a successful read";
    const int32_t stats[] = {MinAltitude(), MaxAltitude(), MeanAltitude(), MidAltitude(), AltitudeRange()};
    UpdateHeightmapStatistics();
    const int32_t again[] = {MinAltitude(), MaxAltitude(), MeanAltitude(), MidAltitude(), AltitudeRange()};
    for (int i = 0; i < 5; ++i)
        if (stats[i] != again[i]) return "statistics were not brought up to date after the read";
    return "";
}

} // namespace tolv::test
