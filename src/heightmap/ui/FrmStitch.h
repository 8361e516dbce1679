// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QWidget>
#include <array>
#include <string>

#include "shell/ui/DialogBase.h"

class QLineEdit;

namespace tolv {

// The four quadrants, the filled sections shown in colour with their numbers.
class SectionPicture : public QWidget {
    Q_OBJECT
public:
    explicit SectionPicture(QWidget* parent = nullptr);
    void SetFilledMask(int mask);
    int filledMask() const { return mask_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int mask_ = 0;
};

// Stitch: the four section files (upper-left, upper-right, lower-left, lower-right).
class FrmStitch : public DialogBase {
    Q_OBJECT
public:
    explicit FrmStitch(QWidget* parent = nullptr);

    // The open dialog ("Browse for Heightmap", the last folder, the open filters).
    void Browse(int section);
    void Clear(int section);

protected:
    bool WriteResults() override;

private:
    std::array<std::string, 4> Paths() const;
    void UpdatePictures();
    std::array<QLineEdit*, 4> filespec_{};
    SectionPicture* sections_;
};

} // namespace tolv
