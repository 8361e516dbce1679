// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/FrmOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "shell/FrmOptionsRules.h"
#include "shell/UiHost.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbFormEffects.h"
#include "shell/ui/vbMSCmnDialog.h"
#include "shell/vbShowDialog.h"

namespace tolv {
namespace {

// The title band behind LblCategory and the frame area below it (pixels), wide enough for the
// longest option text in a desktop font.
constexpr int kBandX = 148, kBandY = 16, kBandW = 316, kBandH = 23;
constexpr int kFrameX = 148, kFrameY = 48, kFrameW = 316, kFrameH = 132;

const char* const kCategories[] = {"Convert", "File Dialog", "Preview", "Recent File List", "Scale Function", "Undo"};

QColor FromColorRef(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

} // namespace

QWidget* FrmOptions::Frame(const char* name)
{
    auto* f = new QWidget(this);
    f->setObjectName(name);
    f->setGeometry(kFrameX, kFrameY, kFrameW, kFrameH);
    f->hide();
    return f;
}

FrmOptions::FrmOptions(QWidget* parent) : QDialog(parent)
{
    BusyPointer busy;
    setObjectName("FrmOptions");
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(kFrameX + kFrameW + 16, 226);

    LstCategory = new QListWidget(this);
    LstCategory->setObjectName("LstCategory");
    LstCategory->setGeometry(12, 16, 124, 164);
    LstCategory->setToolTip(QStringLiteral(" Choose the Option category"));
    for (const char* c : kCategories) LstCategory->addItem(QString::fromUtf8(c));

    LblCategory = new QLabel(this);
    LblCategory->setObjectName("LblCategory");
    LblCategory->setGeometry(kBandX + 6, kBandY, kBandW - 6, kBandH);
    QFont bold = LblCategory->font();
    bold.setBold(true);
    LblCategory->setFont(bold);

    FraConvert = Frame("FraConvert");
    CboConvertColorToGray = new QComboBox(FraConvert);
    CboConvertColorToGray->setObjectName("CboConvertColorToGray");
    CboConvertColorToGray->addItems({QStringLiteral("Convert color to grayscale"),
                                     QStringLiteral("Use green value for heightmap altitude"),
                                     QStringLiteral("Always ask first")});
    CboConvertColorToGray->setGeometry(0, 8, kFrameW, 24);

    FraFileType = Frame("FraFileType");
    OptnFileByExtension = new QRadioButton(QStringLiteral("Sort file type filter by file extension"), FraFileType);
    OptnFileByExtension->setObjectName("OptnFileByExtension");
    OptnFileByExtension->setToolTip(
        QStringLiteral(" The file open dialog displays the file types sorted alphabetically by extension"));
    OptnFileByExtension->setGeometry(0, 8, kFrameW, 22);
    OptnFileByType = new QRadioButton(QStringLiteral("Sort file type filter by file type"), FraFileType);
    OptnFileByType->setObjectName("OptnFileByType");
    OptnFileByType->setToolTip(
        QStringLiteral(" The file open dialog displays the file types sorted as heightmap, 3d, image"));
    OptnFileByType->setGeometry(0, 34, kFrameW, 22);

    FraPreview = Frame("FraPreview");
    auto* lblLoc = new QLabel(QStringLiteral("Preview Location:"), FraPreview);
    lblLoc->setGeometry(0, 10, 110, 22);
    CboPreviewLocation = new QComboBox(FraPreview);
    CboPreviewLocation->setObjectName("CboPreviewLocation");
    CboPreviewLocation->addItems({QStringLiteral("Center"), QStringLiteral("Left Top")});
    CboPreviewLocation->setGeometry(116, 9, 108, 24);
    auto* lblColor = new QLabel(QStringLiteral("Background Color:"), FraPreview);
    lblColor->setGeometry(0, 46, 110, 22);
    CmdColor = new QPushButton(FraPreview);
    CmdColor->setObjectName("CmdColor");
    CmdColor->setGeometry(116, 42, 108, 30);
    CmdColor->setIconSize(QSize(100, 22));
    connect(CmdColor, &QPushButton::clicked, this, &FrmOptions::ChooseColor);

    FraRFL = Frame("FraRFL");
    CmdRFL = new QPushButton(QStringLiteral("Recent File List Settings..."), FraRFL);
    CmdRFL->setObjectName("CmdRFL");
    CmdRFL->setGeometry(0, 8, 190, 28);
    // The list keeps its own settings; this dialog's OK and Cancel do not touch them.
    connect(CmdRFL, &QPushButton::clicked, this, [] { Host().ShowDialog(DialogId::RecentFileList); });

    FraScale = Frame("FraScale");
    ChkScaleOnOpen = new QCheckBox(QStringLiteral("Scale all map files to 16-bit on open"), FraScale);
    ChkScaleOnOpen->setObjectName("ChkScaleOnOpen");
    ChkScaleOnOpen->setToolTip(
        QStringLiteral(" Automatically re-scale every map file that is opened to maximum 16-bit altitude extents"));
    ChkScaleOnOpen->setGeometry(0, 8, kFrameW, 22);

    FraUndo = Frame("FraUndo");
    OptnUndoStack = new QRadioButton(QStringLiteral("Undo stack (unlimited levels but slower)"), FraUndo);
    OptnUndoStack->setObjectName("OptnUndoStack");
    OptnUndoStack->setToolTip(QStringLiteral(
        " An unlimited number of undo's can be performed but each undo will reload the heightmap and perform all "
        "stack functions to the undo level"));
    OptnUndoStack->setGeometry(0, 8, kFrameW, 22);
    OptnUndoBuffer = new QRadioButton(QStringLiteral("Undo memory buffer (1 level and faster)"), FraUndo);
    OptnUndoBuffer->setObjectName("OptnUndoBuffer");
    OptnUndoBuffer->setToolTip(
        QStringLiteral(" Only one undo can be performed from a backup heightmap copy stored in memory"));
    OptnUndoBuffer->setGeometry(0, 34, kFrameW, 22);

    CmdOk = new QPushButton(QStringLiteral("OK"), this);
    CmdOk->setObjectName("CmdOk");
    CmdOk->setGeometry(kFrameX + kFrameW - 162, 190, 78, 26);
    CmdOk->setDefault(true);
    connect(CmdOk, &QPushButton::clicked, this, &FrmOptions::Confirm);
    CmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    CmdCancel->setObjectName("CmdCancel");
    CmdCancel->setGeometry(kFrameX + kFrameW - 78, 190, 78, 26);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The controls start from the caller's values.
    const auto in = ReadDialogParams<OptionsValues>();
    CboConvertColorToGray->setCurrentIndex(std::clamp(in.convertColorToGrayscale, 0, 2));
    (in.fileTypeSort == 1 ? OptnFileByExtension : OptnFileByType)->setChecked(true);
    color_ = in.previewBackgroundColor & 0xFFFFFF;
    CboPreviewLocation->setCurrentIndex(std::clamp(in.previewLocation, 0, 1));
    ChkScaleOnOpen->setChecked(in.scaleOnOpen);
    (in.undoMode == 0 ? OptnUndoBuffer : OptnUndoStack)->setChecked(true);
    DrawColorButton();

    connect(LstCategory, &QListWidget::currentRowChanged, this, &FrmOptions::SelectCategory);
    LstCategory->setCurrentRow(0);
    FadeInDialog(this);
}

void FrmOptions::SelectCategory(int index)
{
    QWidget* frames[] = {FraConvert, FraFileType, FraPreview, FraRFL, FraScale, FraUndo};
    if (index < 0 || index > 5) return;
    for (int i = 0; i < 6; ++i) frames[i]->setVisible(i == index);
    LblCategory->setText(QString::fromUtf8(kCategories[index]));
    if (LstCategory->currentRow() != index) LstCategory->setCurrentRow(index);
}

void FrmOptions::DrawColorButton()
{
    QSize size = CmdColor->iconSize();
    QPixmap pic(size);
    pic.fill(FromColorRef(color_));
    QPainter p(&pic);
    // The word stays readable on dark and light colours alike.
    QColor c = FromColorRef(color_);
    p.setPen(c.lightness() < 128 ? Qt::white : Qt::black);
    p.drawText(pic.rect(), Qt::AlignCenter, QStringLiteral("Color"));
    p.end();
    CmdColor->setIcon(QIcon(pic));
}

void FrmOptions::ChooseColor()
{
    SetColorDialog(color_, true);
    if (!ShowColorDialog(this)) return;
    color_ = GetDialogColor();
    DrawColorButton();
}

void FrmOptions::Confirm()
{
    ConfirmDialog(OptionsValues{CboConvertColorToGray->currentIndex(), OptnFileByType->isChecked() ? 0 : 1, color_,
                                CboPreviewLocation->currentIndex(), ChkScaleOnOpen->isChecked(),
                                OptnUndoBuffer->isChecked() ? 0 : 1});
    accept();
}

void FrmOptions::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter p(this);
    PaintTitleBand(p, kBandX, kBandY, kBandW, kBandH);
}

void RegisterOptionsDialog(QtHost& host)
{
    host.dialogs[DialogId::Options] = [](QWidget* parent) {
        FrmOptions dlg(parent);
        dlg.exec();
    };
}

} // namespace tolv
