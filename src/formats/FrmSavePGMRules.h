// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>

namespace tolv {

// The rules of the PGM save dialog (FrmSavePGM), shared by its window, the converter and tests.
//
// Dialog slots: result 1 = 0 for P2, 1 for P5, when confirmed.

inline constexpr const char* kSavePgmCaption = "Save as PGM";
// The captions of the option array OptType, index 0 (selected when the dialog opens) and 1.
inline constexpr const char* kSavePgmOptionP2 = "PGM P2 ASCII format";
inline constexpr const char* kSavePgmOptionP5 = "PGM P5 binary format";

// OK: result 1 = 0 when option 0 (P2) is selected, 1 otherwise; clears the cancelled flag.
void ConfirmSavePgmDialog(int32_t selectedOptType);
// The caller's reading of the answer: P2 when result 1 equals 0, P5 otherwise.
bool SavePgmAnswerIsP5();

} // namespace tolv
