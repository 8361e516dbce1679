// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/ui/FrmSavePGM.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "formats/FrmSavePGMRules.h"

namespace tolv {

FrmSavePGM::FrmSavePGM(QWidget* parent) : DialogBase("FrmSavePGM", kSavePgmCaption, parent)
{
    auto* frame = new QGroupBox("PGM format", this);
    frame->setObjectName("FraOptions");
    auto* v = new QVBoxLayout(frame);
    const char* captions[2] = {kSavePgmOptionP2, kSavePgmOptionP5};
    for (int i = 0; i < 2; ++i) {
        optType_[i] = new QRadioButton(QString::fromUtf8(captions[i]), frame);
        optType_[i]->setObjectName(QStringLiteral("OptType%1").arg(i));
        v->addWidget(optType_[i]);
    }
    optType_[0]->setChecked(true);
    frame->setMinimumWidth(240);
    body()->addWidget(frame);
    AddOkCancel();
    LoadDone();
}

bool FrmSavePGM::WriteResults()
{
    WriteDialogResult(SavePgmResult{optType_[0]->isChecked() ? 0 : 1});
    return true;
}

} // namespace tolv
