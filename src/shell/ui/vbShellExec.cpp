// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbShellExec.h"

#include <QDesktopServices>
#include <cctype>

#include "formats/vbFileManagement.h"
#include "shell/ui/QtHost.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

UrlOpener g_opener;

bool OpenUrl(const QUrl& url) { return g_opener ? g_opener(url) : QDesktopServices::openUrl(url); }

// The desktop handler gives no reason for a failure; the closest shell reason is a missing or
// broken association.
void ReportShellFailure()
{
    ShowWarning(std::string("Could not Execute the Application.") + kCrLf + kCrLf +
                "ShellExecute Error: " + ShellErrorText(27));
}

bool IsAlnum(unsigned char c) { return std::isalnum(c) != 0 || c >= 0x80; }

} // namespace

void OpenDocument(const std::string& path)
{
    if (!FileExists(path)) {
        ShowWarning(std::string("Could not open or run the file.") + kCrLf + "The specified file was not found." +
                    kCrLf + kCrLf + "\"" + ProperCase(path) + "\"");
        return;
    }
    if (!OpenUrl(QUrl::fromLocalFile(Q(path)))) ReportShellFailure();
}

std::string WebAddressUrl(const std::string& address)
{
    return address.find("://") == std::string::npos ? "http://" + address : address;
}

std::string MailAddressUrl(const std::string& address)
{
    return address.rfind("mailto:", 0) == 0 ? address : "mailto:" + address;
}

void OpenWebAddress(const std::string& address)
{
    if (!OpenUrl(QUrl(Q(WebAddressUrl(address))))) ReportShellFailure();
}

void OpenMailAddress(const std::string& address)
{
    if (!OpenUrl(QUrl(Q(MailAddressUrl(address))))) ReportShellFailure();
}

std::string ProperCase(const std::string& text)
{
    std::string out = text;
    bool capitalNext = true;
    for (char& ch : out) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (std::isalpha(c)) {
            ch = static_cast<char>(capitalNext ? std::toupper(c) : std::tolower(c));
            capitalNext = false;
        } else {
            // Bytes of multi-byte characters count as letters, so they never start a word.
            capitalNext = !IsAlnum(c);
        }
    }
    return out;
}

std::string ShellErrorText(int result)
{
    switch (result) {
    case 0: return "The Operating System is out of Memory or Resources.";
    case 2: return "The Specified File was not found.";
    case 3: return "The Specified Path was not found.";
    case 5: return "Access to the File was Denied.";
    case 8: return "Unsufficient Memory to complete the operation.";
    case 26: return "A Sharing Violation occurred.";
    case 27: return "The File Association is incomplete or invalid.";
    case 28: return "The DDE Transaction timed out.";
    case 29: return "The DDE Transaction failed.";
    case 30: return "The DDE Transactions are busy.";
    case 32: return "The Specified DLL File was not found.";
    default: return std::to_string(result);
    }
}

void SetUrlOpener(UrlOpener opener) { g_opener = std::move(opener); }

} // namespace tolv
