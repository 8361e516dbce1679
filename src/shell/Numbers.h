// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tolv {

// Round to nearest, halves to even. The Int32 form raises Overflow (6) outside 32-bit range.
double RoundHalfEven(double v);
int32_t RoundToInt32(double v);

// Numeric text: optional surrounding blanks, optional sign, digits with an optional fraction,
// optional exponent. Empty text is not numeric.
bool ParseNumeric(std::string_view text, double& value);

// Leading-digit integer reading of settings values ("12abc" is 12, "abc" is 0).
int32_t LeadingInteger(std::string_view text);

std::string ToLower(std::string_view s);
std::string Trim(std::string_view s);

// Display formats: "###,###,##0", "#######0.0" / "0.0", "00000".
std::string FormatThousands(int64_t v);
std::string FormatOneDecimal(double v);
std::string FormatZeroPad5(int64_t v);
// Shortest text that reads back to the same float (for settings and slots).
std::string FormatGeneral(float v);

} // namespace tolv
