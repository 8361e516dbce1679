// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/ui/FrmSplit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

#include <vector>

#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/MapTransforms.h"
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
    // Points of the map to pixels of the sketch; a tile spans [x0, x0 + tw) points.
    auto px = [&](int32_t x) { return map.left() + static_cast<int>(int64_t(x) * map.width() / width_); };
    auto py = [&](int32_t y) { return map.top() + static_cast<int>(int64_t(y) * map.height() / height_); };
    // What no tile covers (the remainders, and the seamless overlap's leftovers) stays dark.
    p.fillRect(map, QColor(102, 102, 102));
    const SplitTileSize tile = ComputeSplitTileSize(width_, height_, columns_, rows_);
    struct Cell {
        QRect rect;
        bool firstColumn, firstRow;
        int number;
    };
    std::vector<Cell> cells;
    const int tileRows = tile.width >= 1 && tile.height >= 1 ? rows_ : 0; // no empty tiles are written
    for (int r = 1; r <= tileRows; ++r)
        for (int c = 1; c <= columns_; ++c) {
            const SplitTile t = SplitTileAt(r, c, columns_, tile.width, tile.height, seamless_);
            const QRect rect(QPoint(px(t.x0), py(t.y0)), QPoint(px(t.x0 + tile.width) - 1, py(t.y0 + tile.height) - 1));
            cells.push_back({rect, c == 1, r == 1, t.number});
            p.fillRect(rect, QColor(153, 153, 153));
        }

    // The borders between neighbours; shared (seamless) borders are drawn doubled.
    p.setPen(QPen(QColor(0, 51, 102), 1));
    for (const Cell& cell : cells) {
        const QRect& rc = cell.rect;
        if (!cell.firstColumn) {
            p.drawLine(rc.left(), rc.top(), rc.left(), rc.bottom());
            if (seamless_) p.drawLine(rc.left() - 2, rc.top(), rc.left() - 2, rc.bottom());
        }
        if (!cell.firstRow) {
            p.drawLine(rc.left(), rc.top(), rc.right(), rc.top());
            if (seamless_) p.drawLine(rc.left(), rc.top() - 2, rc.right(), rc.top() - 2);
        }
    }
    p.setPen(Qt::black);
    p.drawRect(map.adjusted(0, 0, -1, -1));
    // Tile numbers as they appear in the file names.
    QFont f = p.font();
    f.setPointSizeF(f.pointSizeF() * 0.8);
    p.setFont(f);
    p.setPen(Qt::white);
    for (const Cell& cell : cells)
        p.drawText(cell.rect, Qt::AlignCenter, QString("%1").arg(cell.number, 2, 10, QChar('0')));
}

FrmSplit::FrmSplit(QWidget* parent) : DialogBase("FrmSplit", kSplitCaption, parent)
{
    SetTitle(LabelText(kSplitTitle));
    const auto in = ReadDialogParams<SplitParams>();
    width_ = in.width;
    height_ = in.height;

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
    const SplitTileSize tile = ComputeSplitTileSize(width_, height_, columns_->currentIndex() + 1,
                                                    rows_->currentIndex() + 1);
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
    WriteDialogResult(SplitResult{c, r, tile.width, tile.height, seamless_->isChecked()});
    return true;
}

} // namespace tolv
