// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/PicAltitude.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace tolv {

PicAltitude::PicAltitude(QWidget* parent) : QWidget(parent)
{
    setObjectName("PicAltitude");
    setFixedSize(kAltitudeBarWidth, kPreviewSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(" Heightmap Altitude indications for Minimum, Median, Midpoint and Maximum value ranges ");
    DrawAltitudeBar(bar_, false);
}

void PicAltitude::Render(bool hasHeightmap)
{
    DrawAltitudeBar(bar_, hasHeightmap);
    update();
}

QImage PicAltitude::Image() const
{
    return QImage(reinterpret_cast<const uchar*>(bar_.pixels.data()), bar_.width, bar_.height, bar_.width * 4,
                  QImage::Format_RGB32);
}

void PicAltitude::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Image());
}

QColor DarkenedButtonFace()
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    return QColor(std::max(face.red() - 32, 0), std::max(face.green() - 32, 0), std::max(face.blue() - 32, 0));
}

QWidget* AddFrameShape(QWidget* parent, const QWidget* around, const QString& name)
{
    auto* shape = new QWidget(parent);
    shape->setObjectName(name);
    shape->setGeometry(around->geometry().adjusted(-1, -1, 1, 1));
    shape->setAutoFillBackground(true);
    QPalette p = shape->palette();
    p.setColor(QPalette::Window, DarkenedButtonFace());
    shape->setPalette(p);
    shape->stackUnder(const_cast<QWidget*>(around));
    return shape;
}

AltitudeScale AddAltitudeScale(QWidget* parent, const PicAltitude* bar)
{
    AltitudeScale scale;
    scale.shape = AddFrameShape(parent, bar, "ShpVAD");
    const QRect g = bar->geometry();
    static const char* const texts[3] = {"65535", "32767", "0"};
    const int rows[3] = {0, BarRowOfAltitude(32767), kPreviewSize - 1};
    QFont small = parent->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    for (int i = 0; i < 3; ++i) {
        auto* line = new QFrame(parent);
        line->setObjectName(QString("LineVAD%1").arg(i));
        line->setFrameShape(QFrame::NoFrame);
        line->setAutoFillBackground(true);
        QPalette p = line->palette();
        p.setColor(QPalette::Window, parent->palette().color(QPalette::WindowText));
        line->setPalette(p);
        line->setGeometry(g.right() + 2, g.top() + rows[i], 5, 1);
        scale.lines[i] = line;

        auto* label = new QLabel(texts[i], parent);
        label->setObjectName(QString("LblVAD%1").arg(i));
        label->setFont(small);
        label->adjustSize();
        const int h = label->height();
        label->move(g.right() + 9, std::clamp(g.top() + rows[i] - h / 2, g.top() - h / 2, g.bottom() - h / 2));
        scale.labels[i] = label;
    }
    return scale;
}

} // namespace tolv
