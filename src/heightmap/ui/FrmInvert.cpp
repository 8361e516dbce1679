// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/ui/FrmInvert.h"

#include <QGridLayout>

#include "heightmap/FrmAltitudeRules.h"
#include "heightmap/ui/DialogHelpers.h"

namespace tolv {

FrmInvert::FrmInvert(QWidget* parent) : DialogBase("FrmInvert", kInvertCaption, parent)
{
    SetTitle(Q(kInvertTitle));
    const auto [lowest, highest] = ReadDialogParams<InvertParams>();

    center_ = new QComboBox(this);
    center_->setObjectName("CboCenter");
    const std::vector<ComboEntry> entries = InvertEntries(lowest, highest);
    FillCombo(center_, entries, entries.empty() ? 0 : entries.front().value);

    auto* high = MakeValueLabel("LblHigh");
    auto* mid = MakeValueLabel("LblMid");
    auto* low = MakeValueLabel("LblLow");
    high->setText(Num(highest));
    mid->setText(Num(InvertDialogMidpoint(lowest, highest)));
    low->setText(Num(lowest));

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel("&Inversion midpoint:", center_, "LblCenter"), 0, 0);
    grid->addWidget(center_, 0, 1, 1, 2);
    grid->addWidget(new QLabel("Highest altitude:", this), 1, 0);
    grid->addWidget(high, 1, 1);
    grid->addWidget(new QLabel("Midpoint altitude:", this), 2, 0);
    grid->addWidget(mid, 2, 1);
    grid->addWidget(new QLabel("Lowest altitude:", this), 3, 0);
    grid->addWidget(low, 3, 1);
    grid->setColumnStretch(2, 1);
    body()->addLayout(grid);
    AddOkCancel();
    LoadDone();
}

bool FrmInvert::WriteResults()
{
    WriteDialogResult(InvertResult{SelectedValue(center_)});
    return true;
}

} // namespace tolv
