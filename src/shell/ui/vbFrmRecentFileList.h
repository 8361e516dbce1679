// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <array>
#include <string>

#include "shell/ui/DialogBase.h"

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace tolv {

// The recent-file-list settings: how the File menu captions its recent files, and which files
// to drop from the list. Changes wait for Apply (or the question when the dialog closes).
class VbFrmRecentFileList : public DialogBase {
    Q_OBJECT
public:
    explicit VbFrmRecentFileList(QWidget* parent = nullptr);
    // Applies the pending changes and saves the list.
    void Apply();
    void done(int result) override;

private:
    void EnableTrimLength(bool on);
    void RemoveSelected();
    std::array<QRadioButton*, 3> optRfl_{};
    std::array<QLabel*, 2> lblCaption_{};
    QLineEdit* trimLength_;
    QListWidget* list_;
    QPushButton* remove_;
    QPushButton* apply_;
    QPushButton* close_;
    // Files waiting to be removed, by slot: a file shown at list line q when the dialog opened
    // goes to slot 7 - q, so each file has a slot of its own.
    std::array<std::string, 8> pending_;
    bool closing_ = false;
};

} // namespace tolv
