// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/vbMsgBox.h"

#include "shell/UiHost.h"

namespace tolv {
namespace {

// A box always shows the arrow; the pointer from before comes back when it closes.
class ArrowWhileShown {
public:
    ArrowWhileShown() : previous_(Host().CurrentPointer()) { Host().SetPointer(Pointer::Default); }
    ~ArrowWhileShown() { Host().SetPointer(previous_); }

private:
    Pointer previous_;
};

void Show(MessageKind kind, const std::string& text, int helpContext)
{
    ArrowWhileShown arrow;
    Host().ShowMessage(kind, text, kAppTitle, helpContext);
}

} // namespace

void ShowWarning(const std::string& text, int helpContext) { Show(MessageKind::Warning, text, helpContext); }

void ShowInfo(const std::string& text, int helpContext) { Show(MessageKind::Info, text, helpContext); }

bool AskYesNo(const std::string& text, bool defaultNo, int helpContext)
{
    return AskYesNoCaption(text, kAppTitle, defaultNo, helpContext);
}

bool AskYesNoCaption(const std::string& text, const std::string& caption, bool defaultNo, int helpContext)
{
    ArrowWhileShown arrow;
    return Host().AskQuestion(text, caption, defaultNo, helpContext);
}

std::string ErrorReportText(const std::string& text, const RunTimeError& error)
{
    return text + kCrLf + kCrLf + "Error Number: " + std::to_string(error.Number()) + kCrLf + error.Description();
}

void ShowErrorReport(const std::string& text, const RunTimeError& error, int helpContext)
{
    Show(MessageKind::ErrorReport, ErrorReportText(text, error), helpContext);
}

void ReportCurrentError(const std::string& text) { ShowErrorReport(text, CurrentError(std::current_exception())); }

} // namespace tolv
