// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/ui/FrmStitch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "formats/vbFileManagement.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbMSCmnDialog.h"
#include "shell/vbKeyFilter.h"
#include "shell/vbMsgBox.h"

namespace tolv {

SectionPicture::SectionPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName("ImgSection");
    setFixedSize(72, 72);
}

void SectionPicture::SetFilledMask(int mask)
{
    mask_ = mask;
    update();
}

void SectionPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const int half = (width() - 4) / 2;
    for (int i = 0; i < 4; ++i) {
        const QRect cell(2 + (i % 2) * half, 2 + (i / 2) * half, half - 2, half - 2);
        const bool filled = mask_ & (1 << i);
        p.fillRect(cell, filled ? QColor(51, 102, 153) : palette().color(QPalette::Base));
        p.setPen(filled ? QColor(0, 51, 102) : palette().color(QPalette::Mid));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.setPen(filled ? Qt::white : palette().color(QPalette::Mid));
        p.drawText(cell, Qt::AlignCenter, QString::number(i + 1));
    }
}

FrmStitch::FrmStitch(QWidget* parent) : DialogBase("FrmStitch", kStitchCaption, parent)
{
    SetTitle(LabelText(kStitchTitle));
    auto* grid = new QGridLayout;
    const auto& tips = StitchSectionTooltips();
    for (int i = 0; i < 4; ++i) {
        filespec_[i] = MakeTextBox(QStringLiteral("TxtFilespec%1").arg(i).toUtf8().constData(), Q(tips[i]),
                                   AcceptFileSpecKey);
        filespec_[i]->setMinimumWidth(300);
        auto* browse = new QPushButton("Browse...", this);
        browse->setObjectName(QStringLiteral("CmdBrowse%1").arg(i));
        auto* clear = new QPushButton("Clear", this);
        clear->setObjectName(QStringLiteral("CmdClear%1").arg(i));
        grid->addWidget(MakeLabel(QStringLiteral("Section &%1:").arg(i + 1), filespec_[i]), i, 0);
        grid->addWidget(filespec_[i], i, 1);
        grid->addWidget(browse, i, 2);
        grid->addWidget(clear, i, 3);
        connect(browse, &QPushButton::clicked, this, [this, i] { Browse(i); });
        connect(clear, &QPushButton::clicked, this, [this, i] { Clear(i); });
        connect(filespec_[i], &QLineEdit::textChanged, this, [this] { UpdatePictures(); });
    }
    sections_ = new SectionPicture(this);
    grid->addWidget(sections_, 0, 4, 4, 1, Qt::AlignCenter);
    body()->addLayout(grid);
    AddOkCancel();
    UpdatePictures();
    LoadDone();
}

std::array<std::string, 4> FrmStitch::Paths() const
{
    std::array<std::string, 4> paths;
    for (int i = 0; i < 4; ++i) paths[i] = S(filespec_[i]->text());
    return paths;
}

void FrmStitch::UpdatePictures() { sections_->SetFilledMask(StitchFilledMask(Paths())); }

void FrmStitch::Browse(int section)
{
    if (section < 0 || section > 3) return;
    SetFileDialog(kStitchBrowseTitle, "!", "", "hmb", true);
    SetFileFilter(OpenFilterList(), 1);
    if (!ShowOpenDialog(this)) return;
    filespec_[section]->setText(Q(GetDialogFileName()));
    UpdatePictures();
}

void FrmStitch::Clear(int section)
{
    if (section < 0 || section > 3) return;
    filespec_[section]->clear();
    UpdatePictures();
}

bool FrmStitch::WriteResults()
{
    const std::array<std::string, 4> paths = Paths();
    const StitchCheck check = CheckStitchSections(paths);
    if (!check.ok) {
        ShowWarning(check.warning);
        if (check.failedBox >= 0 && check.failedBox < 4) filespec_[check.failedBox]->setFocus();
        return false;
    }
    WriteDialogResult(StitchResult{paths});
    return true;
}

} // namespace tolv
