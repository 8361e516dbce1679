// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/ui/FrmSplit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/ui/DialogHelpers.h"

namespace tolv {

SplitPreviewPicture::SplitPreviewPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName("PicPreview");
    setFixedSize(140, 140);
}

void SplitPreviewPicture::SetGrid(int32_t width, int32_t height, int columns, int rows, bool seamless)
{
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    columns_ = std::max(1, columns);
    rows_ = std::max(1, rows);
    seamless_ = seamless;
    update();
}

void SplitPreviewPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The button face, a little lighter.
    QColor face = palette().color(QPalette::Button);
    p.fillRect(rect(), QColor(std::min(255, face.red() + 16), std::min(255, face.green() + 16),
                              std::min(255, face.blue() + 16)));
    // The heightmap's outline at its aspect ratio, centred.
    const int margin = 8;
    const double avail = std::min(width(), height()) - 2 * margin;
    const double scale = avail / std::max(width_, height_);
    const int w = std::max(4, static_cast<int>(width_ * scale));
    const int h = std::max(4, static_cast<int>(height_ * scale));
    const QRect map((width() - w) / 2, (height() - h) / 2, w, h);
    p.fillRect(map, QColor(153, 153, 153));

    QPen line(QColor(0, 51, 102));
    line.setWidth(1);
    p.setPen(line);
    for (int c = 1; c < columns_; ++c) {
        const int x = map.left() + map.width() * c / columns_;
        p.drawLine(x, map.top(), x, map.bottom());
        if (seamless_) p.drawLine(x - 2, map.top(), x - 2, map.bottom());
    }
    for (int r = 1; r < rows_; ++r) {
        const int y = map.top() + map.height() * r / rows_;
        p.drawLine(map.left(), y, map.right(), y);
        if (seamless_) p.drawLine(map.left(), y - 2, map.right(), y - 2);
    }
    p.setPen(Qt::black);
    p.drawRect(map.adjusted(0, 0, -1, -1));
    // Tile numbers as they appear in the file names.
    QFont f = p.font();
    f.setPointSizeF(f.pointSizeF() * 0.8);
    p.setFont(f);
    p.setPen(Qt::white);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < columns_; ++c) {
            const QRect cell(map.left() + map.width() * c / columns_, map.top() + map.height() * r / rows_,
                             map.width() / columns_, map.height() / rows_);
            p.drawText(cell, Qt::AlignCenter, QString("%1").arg(r * columns_ + c, 2, 10, QChar('0')));
        }
}

FrmSplit::FrmSplit(QWidget* parent) : DialogBase("FrmSplit", kSplitCaption, parent)
{
    SetTitle(LabelText(kSplitTitle));
    width_ = GetDialogParam(1).AsInt();
    height_ = GetDialogParam(2).AsInt();

    auto* info = new QLabel(Q(SplitHeightmapInfoLabel(width_, height_)), this);
    info->setObjectName("LblHeightmapInfo");
    columns_ = new QComboBox(this);
    columns_->setObjectName("CboColumns");
    columns_->setToolTip(" The number of columns to split the Heightmap into");
    rows_ = new QComboBox(this);
    rows_->setObjectName("CboRows");
    rows_->setToolTip(" The number of rows to split the Heightmap into");
    FillCombo(columns_, SplitCountItems(), 0);
    FillCombo(rows_, SplitCountItems(), 0);
    seamless_ = new QCheckBox("&Seamless edges", this);
    seamless_->setObjectName("ChkSeamless");
    seamless_->setToolTip(" Whether to split each piece with seamless edges");
    splitInfo_ = new QLabel(this);
    splitInfo_->setObjectName("LblSplitInfo");
    preview_ = new SplitPreviewPicture(this);

    auto* grid = new QGridLayout;
    grid->addWidget(info, 0, 0, 1, 2);
    grid->addWidget(MakeLabel("Number of &columns:", columns_, "LblColumns"), 1, 0);
    grid->addWidget(columns_, 1, 1);
    grid->addWidget(MakeLabel("Number of &rows:", rows_, "LblRows"), 2, 0);
    grid->addWidget(rows_, 2, 1);
    grid->addWidget(seamless_, 3, 0, 1, 2);
    grid->addWidget(splitInfo_, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    auto* row = new QHBoxLayout;
    row->addLayout(grid, 1);
    row->addWidget(preview_);
    body()->addLayout(row);
    AddOkCancel();

    UpdateTiles();
    filling_ = false;
    connect(columns_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) UpdateTiles();
    });
    connect(rows_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) UpdateTiles();
    });
    connect(seamless_, &QCheckBox::toggled, this, [this] {
        if (!filling_) UpdateTiles();
    });
    LoadDone();
}

void FrmSplit::UpdateTiles()
{
    const SplitTileSize tile = ComputeSplitTileSize(width_, height_, columns_->currentIndex() + 1, rows_->currentIndex() + 1);
    splitInfo_->setText(Q(SplitInfoLabel(tile)));
    // More tiles than points gives empty tiles, which cannot be written.
    if (okButton()) okButton()->setEnabled(tile.width >= 1 && tile.height >= 1);
    preview_->SetGrid(width_, height_, columns_->currentIndex() + 1, rows_->currentIndex() + 1, seamless_->isChecked());
}

bool FrmSplit::WriteResults()
{
    const int32_t c = columns_->currentIndex() + 1;
    const int32_t r = rows_->currentIndex() + 1;
    const SplitTileSize tile = ComputeSplitTileSize(width_, height_, c, r);
    SetDialogResult(3, c);
    SetDialogResult(4, r);
    SetDialogResult(5, tile.width);
    SetDialogResult(6, tile.height);
    SetDialogResult(7, seamless_->isChecked());
    return true;
}

} // namespace tolv
