// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/ui/FrmMove.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include "heightmap/ui/DialogHelpers.h"
#include "shell/vbKeyFilter.h"

namespace tolv {

MovePreviewPicture::MovePreviewPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName("PicPreview");
    setFixedSize(56, 180);
}

void MovePreviewPicture::SetBoxes(std::vector<MovePreviewBox> boxes)
{
    boxes_ = std::move(boxes);
    update();
}

void MovePreviewPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    // The vertical coordinate runs from 0 at the top to 65536 at the bottom.
    auto toPixel = [this](int32_t y) { return static_cast<int>(int64_t{y} * height() / 65536); };
    for (const MovePreviewBox& b : boxes_) {
        const int top = toPixel(std::min(b.yTop, b.yBottom));
        const int bottom = toPixel(std::max(b.yTop, b.yBottom));
        p.fillRect(QRect(0, top, width(), std::max(1, bottom - top)), QColor(b.r, b.g, b.b));
    }
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

FrmMove::FrmMove(QWidget* parent) : DialogBase("FrmMove", kMoveCaption, parent)
{
    SetTitle(Q(kMoveTitle));

    method_ = new QComboBox(this);
    method_->setObjectName("CboMethod");
    userBase_ = MakeTextBox("TxtUserBaseAlt", QString(), AcceptDigitKey);
    lblUserBase_ = MakeLabel("&Base altitude:", userBase_, "LblUserBaseAlt");
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName("VScrUserBaseAlt");
    scroll_->setMinimumHeight(96);
    orgBase_ = MakeValueLabel("LblOrgBase");
    orgRange_ = MakeValueLabel("LblOrgRange");
    newBaseLabel_ = MakeValueLabel("LblNewBase");
    newRange_ = MakeValueLabel("LblNewRange");
    preview_ = new MovePreviewPicture(this);

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel("&Move method:", method_, "LblMethod"), 0, 0);
    grid->addWidget(method_, 0, 1, 1, 2);
    grid->addWidget(lblUserBase_, 1, 0);
    grid->addWidget(userBase_, 1, 1);
    grid->addWidget(scroll_, 1, 2, 2, 1);
    auto* values = new QGroupBox("Altitudes", this);
    values->setObjectName("FraAltitudes");
    auto* vg = new QGridLayout(values);
    vg->addWidget(new QLabel("Base", values), 0, 1, Qt::AlignRight);
    vg->addWidget(new QLabel("Range", values), 0, 2, Qt::AlignRight);
    vg->addWidget(new QLabel("Current:", values), 1, 0);
    vg->addWidget(orgBase_, 1, 1);
    vg->addWidget(orgRange_, 1, 2);
    vg->addWidget(new QLabel("Moved:", values), 2, 0);
    vg->addWidget(newBaseLabel_, 2, 1);
    vg->addWidget(newRange_, 2, 2);
    grid->addWidget(values, 3, 0, 1, 3);
    grid->setRowStretch(2, 1);
    auto* row = new QHBoxLayout;
    row->addLayout(grid, 1);
    row->addWidget(preview_);
    body()->addLayout(row);
    AddOkCancel();

    const auto in = ReadDialogParams<MoveParams>();
    setup_ = ComputeMoveSetup(in.lowest, in.highest);
    scroll_->setRange(0, setup_.scrollMax);
    scroll_->setSingleStep(1);
    scroll_->setPageStep(std::max(1, setup_.scrollMax / 16));
    FillCombo(method_, MoveMethodNames(), in.method);
    userBase_->setText("0");
    scroll_->setValue(setup_.scrollStart);
    ApplyEnabling();
    UpdateNewBase();

    connect(method_, &QComboBox::currentIndexChanged, this, [this] {
        if (filling_) return;
        UpdateNewBase();
        ApplyEnabling();
    });
    // Moving or dragging the scroll bar types the base it stands for.
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        if (filling_) return;
        userBase_->setText(Num(MoveBaseFromScroll(setup_, v)));
        UpdateNewBase();
    });
    OnLostFocus(userBase_, [this] {
        userBase_->setText(Q(CheckMoveUserBase(S(userBase_->text()), setup_)));
        {
            // The bar follows the typed base without writing its own (even) base back.
            QSignalBlocker block(scroll_);
            scroll_->setValue(MoveScrollFromBase(setup_, static_cast<int32_t>(FieldInteger(S(userBase_->text())))));
        }
        UpdateNewBase();
    });
    filling_ = false;
    LoadDone();
}

void FrmMove::ApplyEnabling()
{
    const bool on = MoveUserBaseEnabled(method_->currentIndex());
    userBase_->setEnabled(on);
    lblUserBase_->setEnabled(on);
    scroll_->setEnabled(on);
}

void FrmMove::UpdateNewBase()
{
    newBase_ = MoveNewBase(method_->currentIndex(), setup_, S(userBase_->text()));
    orgBase_->setText(Num(setup_.oldBase));
    orgRange_->setText(Num(setup_.span));
    newRange_->setText(Num(setup_.span));
    newBaseLabel_->setText(Num(newBase_));
    preview_->SetBoxes(MovePreviewBoxes(setup_, newBase_));
}

bool FrmMove::WriteResults()
{
    WriteDialogResult(MoveResult{method_->currentIndex(), newBase_});
    return true;
}

} // namespace tolv
