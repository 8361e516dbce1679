// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/ui/FrmTrim.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "heightmap/FrmTrimRules.h"
#include "heightmap/MapHeight.h"
#include "heightmap/ui/DialogHelpers.h"
#include "shell/vbKeyFilter.h"

namespace tolv {
namespace {

// Button captions in anchor order.
const char* const kTrimCaptions[5] = {"L&eft/top", "Le&ft/bottom", "Ri&ght/top", "Righ&t/bottom", "&All sides"};

// A small square whose cut edges are drawn as red bands.
QIcon TrimIcon(int anchor)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QRect all(1, 1, 22, 22);
    p.fillRect(all, QColor(102, 102, 102));
    const QColor cut(204, 51, 51);
    const int band = anchor == 4 ? 3 : 5;
    const bool left = anchor == 0 || anchor == 1 || anchor == 4;
    const bool right = anchor == 2 || anchor == 3 || anchor == 4;
    const bool top = anchor == 0 || anchor == 2 || anchor == 4;
    const bool bottom = anchor == 1 || anchor == 3 || anchor == 4;
    if (left) p.fillRect(QRect(1, 1, band, 22), cut);
    if (right) p.fillRect(QRect(23 - band, 1, band, 22), cut);
    if (top) p.fillRect(QRect(1, 1, 22, band), cut);
    if (bottom) p.fillRect(QRect(1, 23 - band, 22, band), cut);
    p.setPen(Qt::black);
    p.drawRect(all.adjusted(0, 0, -1, -1));
    return QIcon(pm);
}

QComboBox* DimensionBox(const char* name, const char* tooltip, int32_t dimension, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setToolTip(tooltip);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (int32_t v : TrimSizeEntries(dimension)) box->addItem(QString::number(v));
    box->lineEdit()->setMaxLength(static_cast<int>(kTrimMaxChars));
    InstallKeyFilter(box, AcceptDigitKey);
    SelectAllOnFocus(box);
    if (box->count() > 0) box->setCurrentIndex(0);
    else box->setEditText(Q(TrimInitialText(dimension)));
    return box;
}

} // namespace

FrmTrim::FrmTrim(QWidget* parent) : DialogBase("FrmTrim", kTrimCaption, parent)
{
    SetTitle(LabelText(kTrimTitle));
    width_ = HeightmapWidth();
    height_ = HeightmapHeight();
    auto* info = new QLabel(Q(TrimInfoLabel(width_, height_)), this);
    info->setObjectName("LblInfo");
    body()->addWidget(info);

    cboWidth_ = DimensionBox("CboWidth", " Trim the heightmap to this width dimension", width_, this);
    cboHeight_ = DimensionBox("CboHeight", " Trim the heightmap to this height dimension", height_, this);
    OnLostFocus(cboWidth_,
                [this] { cboWidth_->setEditText(Q(CheckTrimDimension(S(cboWidth_->currentText()), width_))); });
    OnLostFocus(cboHeight_,
                [this] { cboHeight_->setEditText(Q(CheckTrimDimension(S(cboHeight_->currentText()), height_))); });
    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel("Trim &width:", cboWidth_, "LblWidth"), 0, 0);
    grid->addWidget(cboWidth_, 0, 1);
    grid->addWidget(MakeLabel("Trim &height:", cboHeight_, "LblHeight"), 1, 0);
    grid->addWidget(cboHeight_, 1, 1);
    grid->setColumnStretch(2, 1);
    body()->addLayout(grid);

    auto* trims = new QGridLayout;
    const auto& buttons = TrimButtons();
    for (int anchor = 0; anchor < 5; ++anchor) {
        auto* b = new QPushButton(TrimIcon(anchor), kTrimCaptions[anchor], this);
        b->setObjectName(buttons[anchor].name);
        b->setToolTip(buttons[anchor].tooltip);
        b->setIconSize(QSize(24, 24));
        // Every button cuts different edges, so none may be the one Enter presses by default.
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, anchor] { PressTrim(anchor); });
        // Corners in a square, "all sides" across the middle row.
        static const int pos[5][2] = {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {1, 0}};
        trims->addWidget(b, pos[anchor][0], pos[anchor][1], 1, anchor == 4 ? 2 : 1);
    }
    body()->addLayout(trims);

    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CmdCancel");
    cancel->setAutoDefault(false);
    buttonRow()->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    LoadDone();
}

void FrmTrim::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (button && button->window() == this) button->click();
        return;
    }
    DialogBase::keyPressEvent(event);
}

void FrmTrim::PressTrim(int anchor)
{
    // A button pressed from the keyboard leaves no box behind, so check both here.
    RunLostFocusHook(cboWidth_);
    RunLostFocusHook(cboHeight_);
    WriteDialogResult(TrimResult{anchor, S(cboWidth_->currentText()), S(cboHeight_->currentText())});
    Confirm();
}

} // namespace tolv
