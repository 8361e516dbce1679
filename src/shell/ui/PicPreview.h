// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QImage>
#include <QWidget>

#include "shell/vbPreview.h"

namespace tolv {

// The 512 x 512 preview of the main window. It draws the current view of the heightmap through
// the core's renderer and reports where the mouse is, so the window can update the height
// readout (ShowHeightAt) and pop up the Map menu.
class PicPreview : public QWidget {
    Q_OBJECT
public:
    explicit PicPreview(QWidget* parent = nullptr);

    // Clears to the background and, when the window has a heightmap, draws the current view
    // ("currentView", "PreviewLocation", "PreviewColorset" from Globals).
    void Render(bool hasHeightmap);
    // Only the background.
    void Clear();
    // "PreviewBackgroundColor" (red + 256 x green + 65536 x blue); takes effect at the next drawing.
    void SetBackgroundColor(int32_t colorRef);
    int32_t BackgroundColor() const { return background_; }

    // What the preview shows, as an image sharing the buffer (valid until the next drawing).
    QImage Image() const;
    const PixelBuffer& Buffer() const { return area_; }

signals:
    // The mouse moved to (x, y) in preview pixels, fractions kept.
    void mouseMovedAt(double x, double y);
    // The right mouse button was released at a global screen position.
    void rightButtonReleased(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PixelBuffer area_;
    int32_t background_ = 0xFFFFFF;
};

} // namespace tolv
