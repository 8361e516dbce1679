// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/vbKeyFilter.h"

#include <string_view>

namespace tolv {
namespace {

bool IsDigit(int ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(int ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

} // namespace

bool AcceptDigitKey(int ch) { return ch == kKeyBackspace || IsDigit(ch); }

bool AcceptDecimalKey(int ch) { return AcceptDigitKey(ch) || ch == '.'; }

bool AcceptFileSpecKey(int ch)
{
    return ch == kKeyBackspace || ch == ' ' || ch == '-' || ch == '.' || ch == '/' || IsDigit(ch) || ch == ':' ||
           IsLetter(ch) || ch == '\\' || ch == '_';
}

bool AcceptWebAddressKey(int ch)
{
    // Queries, fragments, escapes and "~" home folders are part of real addresses; dropping
    // them would store a different address than the one entered.
    static constexpr std::string_view kMarks = "-._~:/?#[]@!$&'()*+,;=%";
    return ch == kKeyBackspace || IsDigit(ch) || IsLetter(ch) ||
           (ch > 0 && ch < 128 && kMarks.find(static_cast<char>(ch)) != std::string_view::npos);
}

} // namespace tolv
