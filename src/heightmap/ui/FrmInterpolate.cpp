// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/ui/FrmInterpolate.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "heightmap/FrmResolutionRules.h"
#include "heightmap/ui/DialogHelpers.h"
#include "shell/vbKeyFilter.h"

namespace tolv {

FrmInterpolate::FrmInterpolate(QWidget* parent) : DialogBase("FrmInterpolate", kInterpolateCaption, parent)
{
    SetTitle(Q(kInterpolateTitle));
    const int32_t width = GetDialogParam(1).AsInt();
    const int32_t height = GetDialogParam(2).AsInt();

    factor_ = new QComboBox(this);
    factor_->setObjectName("CboFactor");
    factor_->setToolTip(" Interpolate the heightmap to this size ");
    FillCombo(factor_, InterpolateFactorEntries(width, height), GetDialogParam(4).AsInt());
    variance_ = MakeTextBox("TxtVariance",
                            " 0.0 = no variance (use exact midpoint), 1.0 = max variance (low to high differential value) ",
                            AcceptDecimalKey);
    variance_->setText(Q(VarianceFieldText(GetDialogParam(3).AsFloat())));
    OnLostFocus(variance_, [this] { variance_->setText(Q(NormaliseVarianceText(S(variance_->text())))); });

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel(Q(InterpolateSizeLabel(width, height)), factor_, "LblSize"), 0, 0);
    grid->addWidget(factor_, 0, 1);
    grid->addWidget(MakeLabel("Interpolation point &variance ", variance_, "LblVariance"), 1, 0);
    grid->addWidget(variance_, 1, 1);
    body()->addLayout(grid);
    AddOkCancel();
    // A size that cannot grow has nothing to offer.
    okButton()->setEnabled(factor_->count() > 0);
    LoadDone();
}

bool FrmInterpolate::WriteResults()
{
    SetDialogResult(4, SelectedValue(factor_));
    SetDialogResult(3, S(variance_->text()));
    return true;
}

FrmResample::FrmResample(QWidget* parent) : DialogBase("FrmResample", kResampleCaption, parent)
{
    SetTitle(LabelText(kResampleTitle));
    const int32_t width = GetDialogParam(1).AsInt();
    const int32_t height = GetDialogParam(2).AsInt();

    factor_ = new QComboBox(this);
    factor_->setObjectName("CboFactor");
    factor_->setToolTip(" Resample the current heightmap to this size ");
    FillCombo(factor_, ResampleFactorEntries(width, height), GetDialogParam(3).AsInt());
    method_ = new QComboBox(this);
    method_->setObjectName("CboMethod");
    method_->setToolTip(" Resample the heightmap using this method ");
    FillCombo(method_, ResampleMethodEntries(), GetDialogParam(4).AsInt());

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel(Q(ResampleSizeLabel(width, height)), factor_, "LblSize"), 0, 0);
    grid->addWidget(factor_, 0, 1);
    grid->addWidget(MakeLabel("Resampling &method:", method_, "LblMethod"), 1, 0);
    grid->addWidget(method_, 1, 1);
    body()->addLayout(grid);
    AddOkCancel();
    okButton()->setEnabled(factor_->count() > 0);
    LoadDone();
}

bool FrmResample::WriteResults()
{
    SetDialogResult(3, SelectedValue(factor_));
    SetDialogResult(4, int32_t{method_->currentIndex()});
    return true;
}

} // namespace tolv
