// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <type_traits>

#include "shell/RunTimeError.h"

namespace tolv {

// Line break inside message texts.
inline constexpr const char* kCrLf = "\r\n";

// The shared message routines. Each shows the default arrow while its box is open and puts the
// previous pointer back afterwards.
void ShowWarning(const std::string& text, int helpContext = 0);
void ShowInfo(const std::string& text, int helpContext = 0);
bool AskYesNo(const std::string& text, bool defaultNo = false, int helpContext = 0);
// A question with its own caption instead of the application title.
bool AskYesNoCaption(const std::string& text, const std::string& caption, bool defaultNo = false, int helpContext = 0);
// text + 2 line breaks + "Error Number: " + number + line break + description.
void ShowErrorReport(const std::string& text, const RunTimeError& error, int helpContext = 0);
std::string ErrorReportText(const std::string& text, const RunTimeError& error);

// Reports the exception being handled; call from inside a catch block.
void ReportCurrentError(const std::string& text);

// The trap of every routine that reports its own run-time errors: runs body and returns its
// result; when body throws, the error box shows sentence with the error, and the result is
// `failed` (false, 0 or an empty value unless given). Files body opened are closed by RAII.
template <class Body, class Result = std::invoke_result_t<Body&>>
Result TrapErrors(const std::string& sentence, Body&& body, Result failed = Result{})
{
    try {
        return body();
    } catch (...) {
        ReportCurrentError(sentence);
        return failed;
    }
}

} // namespace tolv
