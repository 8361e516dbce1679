// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>
#include <array>

#include "shell/vbPreview.h"

class QFrame;
class QLabel;

namespace tolv {

// The 33 x 512 altitude bar beside the preview: lowest, mean and midpoint marks and the range box.
class PicAltitude : public QWidget {
    Q_OBJECT
public:
    explicit PicAltitude(QWidget* parent = nullptr);

    // Redraws the bar; the marks only when the window has a heightmap.
    void Render(bool hasHeightmap);
    void Clear() { Render(false); }

    QImage Image() const;
    const PixelBuffer& Buffer() const { return bar_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PixelBuffer bar_;
};

// The fixed scale beside the bar: the shape ShpVAD framing it, three tick lines LineVAD0..2 and
// the labels LblVAD0..2 ("65535", "32767", "0") at the top, middle and bottom rows. Call after
// the bar has its place in parent.
struct AltitudeScale {
    QWidget* shape = nullptr;
    std::array<QFrame*, 3> lines{};
    std::array<QLabel*, 3> labels{};
};
AltitudeScale AddAltitudeScale(QWidget* parent, const PicAltitude* bar);

// A flat shape one pixel around a picture, drawn behind it (ShpPreview, ShpVAD), in the
// button-face colour darkened by 32 in each of red, green and blue.
QWidget* AddFrameShape(QWidget* parent, const QWidget* around, const QString& name);
QColor DarkenedButtonFace();

} // namespace tolv
