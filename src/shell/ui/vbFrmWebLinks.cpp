// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbFrmWebLinks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "shell/ui/QtHost.h"
#include "shell/vbKeyFilter.h"
#include "shell/vbMsgBox.h"
#include "shell/vbPrivateIni.h"

namespace tolv {
namespace {

// A caption in the list without its access-key marker.
QString ListText(const WebLink& link)
{
    QString t = Q(link.caption);
    t.remove(QRegularExpression("&(?!&)"));
    return t;
}

QPushButton* SideButton(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

VbFrmWebLinks::VbFrmWebLinks(QWidget* parent) : DialogBase("vbFrmWebLinks", "Edit Links", parent)
{
    SetTitle("The links of the web-links menu: up to eight menu captions, each with the web address it opens.");
    links_ = LoadWebLinks(Settings());

    list_ = new QListWidget(this);
    list_->setObjectName("LstLinks");
    list_->setToolTip(" The links in the order of the menu");
    list_->setMinimumSize(260, 150);
    add_ = SideButton("&Add", "CmdAdd", this);
    remove_ = SideButton("&Remove", "CmdRemove", this);
    up_ = SideButton("Move &Up", "CmdUp", this);
    down_ = SideButton("Move &Down", "CmdDown", this);
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add_, remove_, up_, down_}) side->addWidget(b);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(side);
    body()->addLayout(top);

    caption_ = new QLineEdit(this);
    caption_->setObjectName("TxtCaption");
    caption_->setToolTip(" The menu caption; an \"&\" marks the access key");
    SelectAllOnFocus(caption_);
    address_ = MakeTextBox("TxtAddress", " The web address the menu item opens", AcceptWebAddressKey);
    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel("Menu &caption:", caption_, "LblCaption"), 0, 0);
    grid->addWidget(caption_, 0, 1);
    grid->addWidget(MakeLabel("&Web address:", address_, "LblAddress"), 1, 0);
    grid->addWidget(address_, 1, 1);
    body()->addLayout(grid);
    AddOkCancel();

    for (const WebLink& l : links_) list_->addItem(ListText(l));
    connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
    connect(caption_, &QLineEdit::textEdited, this, [this](const QString& t) {
        int i = list_->currentRow();
        if (filling_ || i < 0) return;
        links_[i].caption = S(t);
        list_->item(i)->setText(ListText(links_[i]));
    });
    connect(address_, &QLineEdit::textChanged, this, [this](const QString& t) {
        int i = list_->currentRow();
        if (!filling_ && i >= 0) links_[i].address = S(t);
    });
    connect(add_, &QPushButton::clicked, this, [this] {
        links_.push_back({"New Link", ""});
        list_->addItem(ListText(links_.back()));
        Select(static_cast<int>(links_.size()) - 1);
        caption_->setFocus();
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        int i = list_->currentRow();
        if (i < 0) return;
        links_.erase(links_.begin() + i);
        filling_ = true;
        delete list_->takeItem(i);
        filling_ = false;
        Select(std::min(i, static_cast<int>(links_.size()) - 1));
    });
    auto move = [this](int delta) {
        int i = list_->currentRow();
        int j = MoveWebLink(links_, i, delta);
        if (j == i) return;
        filling_ = true;
        list_->item(i)->setText(ListText(links_[i]));
        list_->item(j)->setText(ListText(links_[j]));
        filling_ = false;
        Select(j);
    };
    connect(up_, &QPushButton::clicked, this, [move] { move(-1); });
    connect(down_, &QPushButton::clicked, this, [move] { move(+1); });

    Select(links_.empty() ? -1 : 0);
    LoadDone();
}

void VbFrmWebLinks::Select(int index)
{
    list_->setCurrentRow(index);
    ShowSelected();
}

void VbFrmWebLinks::ShowSelected()
{
    const int i = list_->currentRow();
    const bool has = i >= 0 && i < static_cast<int>(links_.size());
    filling_ = true;
    caption_->setText(has ? Q(links_[i].caption) : QString());
    address_->setText(has ? Q(links_[i].address) : QString());
    filling_ = false;
    caption_->setEnabled(has);
    address_->setEnabled(has);
    UpdateButtons();
}

void VbFrmWebLinks::UpdateButtons()
{
    const int i = list_->currentRow();
    const int n = static_cast<int>(links_.size());
    add_->setEnabled(n < kMaxWebLinks);
    remove_->setEnabled(i >= 0);
    up_->setEnabled(i > 0);
    down_->setEnabled(i >= 0 && i < n - 1);
}

bool VbFrmWebLinks::WriteResults()
{
    for (int i = 0; i < static_cast<int>(links_.size()); ++i) {
        std::string problem = CheckWebLink(links_[i]);
        if (problem.empty()) continue;
        Select(i);
        ShowWarning(problem);
        return false;
    }
    SaveWebLinks(Settings(), links_);
    return true;
}

bool ShowWebLinksEditor(QWidget* parent)
{
    VbFrmWebLinks editor(parent);
    return editor.exec() == QDialog::Accepted;
}

void FillWebLinksMenu(QMenu* menu, std::function<void(const std::string&)> open)
{
    if (!menu) return;
    menu->clear();
    const std::vector<WebLink> links = LoadWebLinks(Settings());
    for (size_t i = 0; i < links.size(); ++i) {
        QAction* a = menu->addAction(Q(links[i].caption));
        a->setObjectName(QStringLiteral("MnuHelpWebItem%1").arg(i));
        const std::string address = links[i].address;
        QObject::connect(a, &QAction::triggered, menu, [open, address] {
            if (open) open(address);
        });
    }
    QAction* sep = menu->addSeparator();
    sep->setObjectName("MnuHelpWebItem8");
    QAction* edit = menu->addAction("&Edit Links...");
    edit->setObjectName("MnuHelpWebItem9");
    QObject::connect(edit, &QAction::triggered, menu, [menu, open] {
        // The menu is rebuilt after the editor, so defer it until the triggering action is done.
        if (ShowWebLinksEditor(menu->parentWidget() ? menu->parentWidget()->window() : nullptr))
            QMetaObject::invokeMethod(
                menu, [menu, open] { FillWebLinksMenu(menu, open); }, Qt::QueuedConnection);
    });
}

} // namespace tolv
