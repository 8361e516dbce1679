// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "shell/ui/DialogBase.h"
#include "shell/vbWebLinks.h"

class QLineEdit;
class QListWidget;
class QMenu;

namespace tolv {

// The editor of the web-links submenu: a list of links, the caption and address of the
// selected one, add, remove, move up and down. OK saves the list in the initialization file.
class VbFrmWebLinks : public DialogBase {
    Q_OBJECT
public:
    explicit VbFrmWebLinks(QWidget* parent = nullptr);
    const std::vector<WebLink>& links() const { return links_; }

protected:
    bool WriteResults() override;

private:
    void ShowSelected();
    void Select(int index);
    void UpdateButtons();
    std::vector<WebLink> links_;
    bool filling_ = false;
    QListWidget* list_;
    QLineEdit* caption_;
    QLineEdit* address_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* up_;
    QPushButton* down_;
};

// Shows the editor; true when the user saved a changed list.
bool ShowWebLinksEditor(QWidget* parent);

// Fills the Help menu's web-links submenu from the initialization file: items 0..7 the links
// (objects MnuHelpWebItem0..), a separator, and "&Edit Links..." which runs the editor and fills
// the menu again. open receives the address of a chosen link (the shell's OpenWebAddress).
void FillWebLinksMenu(QMenu* menu, std::function<void(const std::string&)> open);

} // namespace tolv
