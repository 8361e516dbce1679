// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once

namespace tolv {

inline constexpr int kKeyBackspace = 8;

// Key filters of text boxes: each returns whether a typed character is kept.
bool AcceptDigitKey(int ch);
bool AcceptDecimalKey(int ch);
bool AcceptFileSpecKey(int ch);
// Every character a web address may hold: letters, digits and "-._~:/?#[]@!$&'()*+,;=%".
bool AcceptWebAddressKey(int ch);

} // namespace tolv
