// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>

namespace tolv {

// The rules of the PGM save dialog (FrmSavePGM), shared by its window, the converter and tests.

inline constexpr const char* kSavePgmCaption = "Save as PGM";
// The captions of the option array OptType, index 0 (selected when the dialog opens) and 1.
inline constexpr const char* kSavePgmOptionP2 = "PGM P2 ASCII format";
inline constexpr const char* kSavePgmOptionP5 = "PGM P5 binary format";

// No inputs. Out on OK: 0 when option 0 (P2) is selected, 1 otherwise.
struct SavePgmResult {
    int32_t form = 0;
    bool P5() const { return form != 0; }
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, form);
    }
};

} // namespace tolv
