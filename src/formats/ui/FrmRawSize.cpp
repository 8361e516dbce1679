// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/ui/FrmRawSize.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "formats/FrmRawSizeRules.h"
#include "shell/ui/QtHost.h"
#include "shell/vbKeyFilter.h"

namespace tolv {

FrmRawSize::FrmRawSize(QWidget* parent) : DialogBase("FrmRawSize", "Raw Size", parent)
{
    const auto in = ReadDialogParams<RawSizeParams>();
    fileLength_ = in.fileLength;
    bits_ = in.bits;

    SetTitle(LabelText(RawSizeTitleText()));
    auto* fileLen = new QLabel(LabelText(RawSizeFileLengthText(bits_, fileLength_)), this);
    fileLen->setObjectName("LblFileLen");
    body()->addWidget(fileLen);

    width_ = MakeTextBox("TxtWidth", " Raw format heightmap width in pixels", AcceptDigitKey);
    height_ = MakeTextBox("TxtHeight", " Raw format heightmap height in pixels", AcceptDigitKey);
    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel("&Width dimension:", width_), 0, 0);
    grid->addWidget(width_, 0, 1);
    grid->addWidget(MakeLabel("&Height dimension:", height_), 1, 0);
    grid->addWidget(height_, 1, 1);
    grid->setColumnStretch(2, 1);
    body()->addLayout(grid);
    AddOkCancel();

    const RawSizeState proposal = ProposeRawSize(fileLength_, bits_);
    width_->setText(Q(proposal.width));
    height_->setText(Q(proposal.height));
    okButton()->setEnabled(proposal.okEnabled);
    OnLostFocus(width_, [this] { CheckSize(); });
    OnLostFocus(height_, [this] { CheckSize(); });
    LoadDone();
}

void FrmRawSize::CheckSize()
{
    const RawSizeState s = ApplyRawSizeTexts(fileLength_, bits_, S(width_->text()), S(height_->text()));
    if (Q(s.width) != width_->text()) width_->setText(Q(s.width));
    if (Q(s.height) != height_->text()) height_->setText(Q(s.height));
    okButton()->setEnabled(s.okEnabled);
    // A size that fits hands the focus to OK; deferred, because the focus is on its way elsewhere.
    if (s.okEnabled && isVisible())
        QTimer::singleShot(0, okButton(), [ok = okButton()] { ok->setFocus(Qt::OtherFocusReason); });
}

bool FrmRawSize::WriteResults()
{
    WriteDialogResult(RawSizeResult{S(width_->text()), S(height_->text())});
    return true;
}

} // namespace tolv
