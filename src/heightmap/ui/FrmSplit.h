// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QWidget>

#include "shell/ui/DialogBase.h"

class QCheckBox;
class QComboBox;

namespace tolv {

// A sketch of the tiles where the split will take them from the heightmap, each with its tile
// number; with seamless edges the shared borders are drawn doubled, and what no tile covers is
// left dark.
class SplitPreviewPicture : public QWidget {
    Q_OBJECT
public:
    explicit SplitPreviewPicture(QWidget* parent = nullptr);
    void SetGrid(int32_t width, int32_t height, int columns, int rows, bool seamless);
    QSize sizeHint() const override { return {140, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int32_t width_ = 1, height_ = 1;
    int columns_ = 1, rows_ = 1;
    bool seamless_ = false;
};

// Split: how many columns and rows of tiles, and whether their edges are seamless.
class FrmSplit : public DialogBase {
    Q_OBJECT
public:
    explicit FrmSplit(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    void UpdateTiles();
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool filling_ = true;
    QComboBox* columns_;
    QComboBox* rows_;
    QCheckBox* seamless_;
    QLabel* splitInfo_;
    SplitPreviewPicture* preview_;
};

} // namespace tolv
