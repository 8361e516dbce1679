// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/ui/FrmScale.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "heightmap/FrmAltitudeRules.h"
#include "heightmap/ui/DialogHelpers.h"
#include "shell/vbKeyFilter.h"

namespace tolv {

FrmScale::FrmScale(QWidget* parent) : DialogBase("FrmScale", kScaleCaption, parent)
{
    SetTitle(Q(kScaleTitle));

    method_ = new QComboBox(this);
    method_->setObjectName("CboScaleMethod");
    percent_ = MakeTextBox("TxtPercent", QString(), AcceptDigitKey);
    high_ = MakeTextBox("TxtHiAlt", QString(), AcceptDigitKey);
    low_ = MakeTextBox("TxtLoAlt", QString(), AcceptDigitKey);
    lblPercent_ = MakeLabel("&Percentage:", percent_, "LblPercent");
    lblHigh_ = MakeLabel("&Highest altitude:", high_, "LblHiAlt");
    lblLow_ = MakeLabel("&Lowest altitude:", low_, "LblLoAlt");

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel("&Scale method:", method_, "LblScaleMethod"), 0, 0);
    grid->addWidget(method_, 0, 1, 1, 3);
    grid->addWidget(lblPercent_, 1, 0);
    grid->addWidget(percent_, 1, 1);
    grid->addWidget(lblHigh_, 2, 0);
    grid->addWidget(high_, 2, 1);
    grid->addWidget(lblLow_, 3, 0);
    grid->addWidget(low_, 3, 1);

    // The current and the resulting extents side by side.
    orgHigh_ = MakeValueLabel("LblOrgHigh");
    orgLow_ = MakeValueLabel("LblOrgLow");
    newHigh_ = MakeValueLabel("LblNewHigh");
    newLow_ = MakeValueLabel("LblNewLow");
    auto* extents = new QGroupBox("Altitudes", this);
    extents->setObjectName("FraAltitudes");
    auto* eg = new QGridLayout(extents);
    eg->addWidget(new QLabel("Current", extents), 0, 1, Qt::AlignRight);
    eg->addWidget(new QLabel("Scaled", extents), 0, 2, Qt::AlignRight);
    eg->addWidget(new QLabel("Highest:", extents), 1, 0);
    eg->addWidget(orgHigh_, 1, 1);
    eg->addWidget(newHigh_, 1, 2);
    eg->addWidget(new QLabel("Lowest:", extents), 2, 0);
    eg->addWidget(orgLow_, 2, 1);
    eg->addWidget(newLow_, 2, 2);
    grid->addWidget(extents, 1, 2, 3, 2);
    body()->addLayout(grid);
    AddOkCancel();

    // Filling from the input slots, with the checks of the three fields applied.
    const ScaleDialogState s = FillScaleDialog(ReadDialogParams<ScaleParams>());
    oldLow_ = s.oldLow;
    oldHigh_ = s.oldHigh;
    FillCombo(method_, ScaleMethodNames(), s.method);
    percent_->setText(Q(s.percent));
    high_->setText(Q(s.high));
    low_->setText(Q(s.low));
    orgHigh_->setText(Num(oldHigh_));
    orgLow_->setText(Num(oldLow_));
    ApplyEnabling();
    UpdatePreview();

    connect(method_, &QComboBox::currentIndexChanged, this, [this] {
        if (filling_) return;
        ApplyEnabling();
        UpdatePreview();
    });
    OnLostFocus(percent_, [this] {
        percent_->setText(Q(CheckScalePercent(S(percent_->text()))));
        UpdatePreview();
    });
    auto checkAltitudes = [this] {
        std::string hi = S(high_->text()), lo = S(low_->text());
        CheckScaleAltitudes(hi, lo);
        high_->setText(Q(hi));
        low_->setText(Q(lo));
        UpdatePreview();
    };
    OnLostFocus(high_, checkAltitudes);
    OnLostFocus(low_, checkAltitudes);
    filling_ = false;
    LoadDone();
}

void FrmScale::ApplyEnabling()
{
    const ScaleFieldsEnabled e = ScaleEnabledFields(method_->currentIndex());
    percent_->setEnabled(e.percent);
    lblPercent_->setEnabled(e.percent);
    high_->setEnabled(e.high);
    lblHigh_->setEnabled(e.high);
    low_->setEnabled(e.low);
    lblLow_->setEnabled(e.low);
}

void FrmScale::UpdatePreview()
{
    const ScalePreview p = ComputeScalePreview(method_->currentIndex(), oldLow_, oldHigh_, S(percent_->text()),
                                               S(high_->text()), S(low_->text()));
    newHigh_->setText(Num(p.newHigh));
    newLow_->setText(Num(p.newLow));
}

bool FrmScale::WriteResults()
{
    WriteDialogResult(ScaleResult{method_->currentIndex(), S(percent_->text()), S(high_->text()), S(low_->text())});
    return true;
}

} // namespace tolv
