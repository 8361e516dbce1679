// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QUrl>
#include <functional>
#include <string>

namespace tolv {

// Opening documents and addresses with the desktop's own handler ("Open").

// Opens an existing file; a missing one gets the "Could not open or run the file." warning.
void OpenDocument(const std::string& path);
// "http://" is put in front of an address without "://".
void OpenWebAddress(const std::string& address);
// "mailto:" is put in front when missing.
void OpenMailAddress(const std::string& address);

std::string WebAddressUrl(const std::string& address);
std::string MailAddressUrl(const std::string& address);
// Lower case, then a capital for every letter after a character that is neither letter nor
// digit, and for the first letter.
std::string ProperCase(const std::string& text);
// The warning text of a failed shell call for its result code.
std::string ShellErrorText(int result);

// Tests replace the desktop handler; it returns whether the URL was opened.
using UrlOpener = std::function<bool(const QUrl&)>;
void SetUrlOpener(UrlOpener opener); // nullptr puts QDesktopServices back

} // namespace tolv
