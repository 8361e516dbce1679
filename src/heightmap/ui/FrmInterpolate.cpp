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
    const auto in = ReadDialogParams<InterpolateParams>();
    const int32_t width = in.width, height = in.height;

    factor_ = new QComboBox(this);
    factor_->setObjectName("CboFactor");
    factor_->setToolTip(" Interpolate the heightmap to this size ");
    FillCombo(factor_, InterpolateFactorEntries(width, height), in.factor);
    variance_ = MakeTextBox(
        "TxtVariance", " 0.0 = no variance (use exact midpoint), 1.0 = max variance (low to high differential value) ",
        AcceptDecimalKey);
    variance_->setText(Q(VarianceFieldText(in.variance)));
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
    WriteDialogResult(InterpolateResult{S(variance_->text()), SelectedValue(factor_)});
    return true;
}

FrmResample::FrmResample(QWidget* parent) : DialogBase("FrmResample", kResampleCaption, parent)
{
    SetTitle(LabelText(kResampleTitle));
    const auto in = ReadDialogParams<ResampleParams>();
    const int32_t width = in.width, height = in.height;

    factor_ = new QComboBox(this);
    factor_->setObjectName("CboFactor");
    factor_->setToolTip(" Resample the current heightmap to this size ");
    FillCombo(factor_, ResampleFactorEntries(width, height), in.factor);
    method_ = new QComboBox(this);
    method_->setObjectName("CboMethod");
    method_->setToolTip(" Resample the heightmap using this method ");
    FillCombo(method_, ResampleMethodEntries(), in.method);

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
    WriteDialogResult(ResampleResult{SelectedValue(factor_), method_->currentIndex()});
    return true;
}

} // namespace tolv
