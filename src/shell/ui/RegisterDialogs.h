// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once

class QWidget;

namespace tolv {

class QtHost;

// Registers every parameter dialog and the recent-file-list dialog with the host, so that
// ShowDialogModal shows the real window. The main window calls it once at start-up.
void RegisterParameterDialogs(QtHost& host);

// The recent-file-list settings dialog (the Options dialog's "Recent File List Settings..."
// button): shown modally, applied and saved by the dialog itself.
void ShowRecentFileListDialog(QWidget* parent);

} // namespace tolv
