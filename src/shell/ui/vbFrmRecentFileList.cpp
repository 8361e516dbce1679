// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbFrmRecentFileList.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/Numbers.h"
#include "shell/ui/QtHost.h"
#include "shell/vbKeyFilter.h"
#include "shell/vbMsgBox.h"
#include "shell/vbRecentFileList.h"

namespace tolv {
namespace {

constexpr int kOriginalLine = Qt::UserRole;

} // namespace

VbFrmRecentFileList::VbFrmRecentFileList(QWidget* parent)
    : DialogBase("vbFrmRecentFileList", "Recent File List Settings", parent)
{
    SetTitle("Choose how the File menu shows the recent files, and remove files from the list.");

    auto* style = new QGroupBox("Menu captions", this);
    style->setObjectName("FraDisplay");
    const char* captions[3] = {"File &name only", "&Full path", "&Compacted path"};
    auto* sg = new QGridLayout(style);
    for (int i = 0; i < 3; ++i) {
        optRfl_[i] = new QRadioButton(captions[i], style);
        optRfl_[i]->setObjectName(QStringLiteral("OptRFL%1").arg(i));
        sg->addWidget(optRfl_[i], i, 0, 1, 3);
    }
    trimLength_ = MakeTextBox("TxtTrimLength", " The longest caption of a compacted path, 8 to 48 characters",
                              AcceptDigitKey);
    trimLength_->setMaximumWidth(48);
    lblCaption_[0] = MakeLabel("Compact to &length:", trimLength_, "LblCaption0");
    lblCaption_[1] = MakeLabel("characters", nullptr, "LblCaption1");
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addSpacing(20);
    lengthRow->addWidget(lblCaption_[0]);
    lengthRow->addWidget(trimLength_);
    lengthRow->addWidget(lblCaption_[1]);
    lengthRow->addStretch(1);
    sg->addLayout(lengthRow, 3, 0, 1, 3);
    body()->addWidget(style);

    list_ = new QListWidget(this);
    list_->setObjectName("LstRecent");
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setMinimumSize(420, 150);
    auto* listLabel = MakeLabel("Recent &files:", list_, "LblRecent");
    remove_ = new QPushButton("&Remove", this);
    remove_->setObjectName("CmdListRemove");
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(list_, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(remove_);
    side->addStretch(1);
    listRow->addLayout(side);
    body()->addWidget(listLabel);
    body()->addLayout(listRow);

    apply_ = new QPushButton("&Apply", this);
    apply_->setObjectName("CmdApply");
    close_ = new QPushButton("Close", this);
    close_->setObjectName("CmdClose");
    close_->setDefault(true);
    buttonRow()->addWidget(apply_);
    buttonRow()->addWidget(close_);

    // Filling from the list as it stands.
    int32_t mode = 0, length = 32;
    RflGetDisplay(mode, length);
    optRfl_[mode >= 0 && mode <= 2 ? mode : 0]->setChecked(true);
    EnableTrimLength(optRfl_[2]->isChecked());
    trimLength_->setText(QString::number(length));
    for (int32_t i = 1; i <= RflCount(); ++i) {
        auto* item = new QListWidgetItem(Q(RflGetItem(i)), list_);
        item->setData(kOriginalLine, i - 1);
    }
    list_->setEnabled(RflCount() > 0);
    apply_->setEnabled(false);
    remove_->setEnabled(false);

    for (int i = 0; i < 3; ++i)
        connect(optRfl_[i], &QRadioButton::clicked, this, [this, i] {
            EnableTrimLength(i == 2);
            apply_->setEnabled(true);
        });
    connect(trimLength_, &QLineEdit::textChanged, this, [this] { apply_->setEnabled(true); });
    OnLostFocus(trimLength_, [this] { trimLength_->setText(Q(NormaliseTrimLength(S(trimLength_->text())))); });
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(!list_->selectedItems().isEmpty()); });
    connect(remove_, &QPushButton::clicked, this, &VbFrmRecentFileList::RemoveSelected);
    connect(apply_, &QPushButton::clicked, this, &VbFrmRecentFileList::Apply);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    LoadDone();
}

void VbFrmRecentFileList::EnableTrimLength(bool on)
{
    lblCaption_[0]->setEnabled(on);
    lblCaption_[1]->setEnabled(on);
    trimLength_->setEnabled(on);
}

void VbFrmRecentFileList::RemoveSelected()
{
    for (int q = list_->count() - 1; q >= 0; --q) {
        QListWidgetItem* item = list_->item(q);
        if (!item->isSelected()) continue;
        const int original = item->data(kOriginalLine).toInt();
        pending_[static_cast<size_t>(7 - original)] = S(item->text());
        delete list_->takeItem(q);
    }
    remove_->setEnabled(false);
    apply_->setEnabled(true);
}

void VbFrmRecentFileList::Apply()
{
    // A length typed and not yet left is normalised first.
    RunLostFocusHook(QApplication::focusWidget());
    const int32_t mode = optRfl_[0]->isChecked() ? 0 : optRfl_[1]->isChecked() ? 1 : 2;
    RflSetDisplay(mode, LeadingInteger(S(trimLength_->text())));
    for (std::string& path : pending_) {
        if (!path.empty()) RflRemove(path);
        path.clear();
    }
    RflSave();
    apply_->setEnabled(false);
}

void VbFrmRecentFileList::done(int result)
{
    if (!closing_ && apply_->isEnabled()) {
        closing_ = true;
        if (AskYesNo("The Recent File List Settings have changed, would you like to Save them?")) Apply();
    }
    closing_ = true;
    DialogBase::done(result);
}

} // namespace tolv
