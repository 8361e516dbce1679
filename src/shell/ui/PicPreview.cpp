// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/PicPreview.h"

#include <QMouseEvent>
#include <QPainter>

#include "shell/Globals.h"

namespace tolv {

PicPreview::PicPreview(QWidget* parent) : QWidget(parent)
{
    setObjectName("PicPreview");
    setFixedSize(kPreviewSize, kPreviewSize);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    area_.Reset(kPreviewSize, kPreviewSize, PixelFromColorRef(background_));
}

void PicPreview::Render(bool hasHeightmap)
{
    const GlobalSettings& g = Globals();
    RenderPreview(area_, g.currentView, g.previewLocation == 0, PixelFromColorRef(background_), hasHeightmap);
    update();
}

void PicPreview::Clear()
{
    area_.Reset(kPreviewSize, kPreviewSize, PixelFromColorRef(background_));
    update();
}

void PicPreview::SetBackgroundColor(int32_t colorRef) { background_ = colorRef & 0xFFFFFF; }

QImage PicPreview::Image() const
{
    return QImage(reinterpret_cast<const uchar*>(area_.pixels.data()), area_.width, area_.height, area_.width * 4,
                  QImage::Format_RGB32);
}

void PicPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Image());
}

void PicPreview::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMovedAt(event->position().x(), event->position().y());
    QWidget::mouseMoveEvent(event);
}

void PicPreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) emit rightButtonReleased(event->globalPosition().toPoint());
    QWidget::mouseReleaseEvent(event);
}

} // namespace tolv
