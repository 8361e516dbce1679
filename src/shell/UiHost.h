// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <string>

namespace tolv {

inline constexpr const char* kAppTitle = "TOLV";
inline constexpr const char* kProductName = "Orvale";

enum class MessageKind { Warning, Info, ErrorReport };

enum class Pointer { Default, Busy };

// The modal parameter dialogs a command can ask the host to show.
enum class DialogId {
    Options,
    Scale,
    Move,
    Invert,
    Interpolate,
    Resample,
    Trim,
    Split,
    Stitch,
    RawSize,
    SavePGM,
    SaveSTL,
    SaveOBJ,
    RecentFileList,
};

// Display refreshes a command asks for after it changed the heightmap, in the order it asks.
enum class Display {
    Preview,            // RenderPreview
    AltitudeBar,        // DrawAltitudeBar
    FormatDescription,  // ShowFormatDescription (panel 1)
    FileSize,           // ShowFileSize (panel 2)
    ClearFileSize,      // panel 2 = ""
    Resolution,         // ShowResolution (panel 3)
    Statistics,         // ShowStatistics (panel 4)
    ClearHeightReadout, // panel 5 = ""
};

// The one seam between the core and a user interface. The core never shows anything itself;
// the application, the converter and the tests each install their own host.
class UiHost {
public:
    virtual ~UiHost() = default;

    // A message box with OK. caption is the application title unless a routine says otherwise.
    virtual void ShowMessage(MessageKind kind, const std::string& text, const std::string& caption,
                             int helpContext) = 0;
    // A Yes/No question; returns true for Yes.
    virtual bool AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int helpContext) = 0;
    // Shows the dialog modally. The dialog reads and writes DialogSlots and clears the cancelled
    // flag when the user confirms.
    virtual void ShowDialog(DialogId dialog) = 0;

    virtual Pointer CurrentPointer() const { return pointer_; }
    virtual void SetPointer(Pointer p) { pointer_ = p; }

    // Main-window hooks; hosts without a window ignore them.
    virtual void EnableCommands(bool /*enabled*/) {}
    virtual void ShowProgress(const std::string& /*text*/) {} // status panel 1
    virtual void ShowPanelText(int /*panel*/, const std::string& /*text*/) {}
    virtual void Refresh(Display /*what*/) {}
    virtual void SetModified(bool /*modified*/) {}

private:
    Pointer pointer_ = Pointer::Default;
};

// The process-wide host. Without an installed host a silent one answers every question with its
// default button and cancels every dialog.
UiHost& Host();
// Installs host (not owned); nullptr puts the silent host back.
void InstallHost(UiHost* host);

// Sets the busy pointer for a scope and restores the previous one.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Pointer previous_;
};

} // namespace tolv
