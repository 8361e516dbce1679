// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string>

class QWidget;

namespace tolv {

// The file and colour dialogs. The state is process-wide, as every file dialog of the program
// starts where the last one left off.

// Start folder "!" means: the folder of the last file chosen in any file dialog, else the folder
// given to SetInitialFolder, else the program folder.
void SetFileDialog(const std::string& title, const std::string& startFolder, const std::string& fileName,
                   const std::string& defaultExtension, bool reportErrors);
// filter: "description|pattern|description|pattern..."; filterIndex is 1-based.
void SetFileFilter(const std::string& filter, int filterIndex);
// Sets both the start folder and the last folder.
void SetInitialFolder(const std::string& folder);
bool ShowOpenDialog(QWidget* owner);
bool ShowSaveDialog(QWidget* owner);
std::string GetDialogFileName();
// The folder of the last chosen file, with a trailing separator.
std::string GetDialogFolder();
// The folder the next "!" dialog starts in.
std::string LastDialogFolder();

void SetColorDialog(int32_t colorRef, bool reportErrors);
bool ShowColorDialog(QWidget* owner);
int32_t GetDialogColor();
// The sixteen custom colours kept for the run (colour references, red in the low byte).
std::array<int32_t, 16>& CustomColors();

// "a|*.x|b|*.y;*.z" as Qt filters: "a (*.x)", "b (*.y *.z)". "*.*" becomes "*" since files
// here need not have an extension.
QStringList QtFilters(const std::string& filter);

// What a file dialog is asked to do; tests install a chooser instead of the real dialog.
struct FileDialogRequest {
    bool save = false;
    QString title;
    QString folder;
    QString fileName;
    QString defaultSuffix;
    QStringList filters;
    int filterIndex = 0; // 0-based
};
// Returns the chosen full path, or "" for cancel.
using FileChooser = std::function<QString(const FileDialogRequest&)>;
void SetFileChooser(FileChooser chooser); // nullptr puts the real dialog back
using ColorChooser = std::function<bool(int32_t& colorRef)>;
void SetColorChooser(ColorChooser chooser);
// Forgets every kept result (tests).
void ResetFileDialogState();

} // namespace tolv
