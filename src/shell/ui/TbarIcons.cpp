// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/TbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>
#include <cmath>

namespace tolv {
namespace {

// Every picture is drawn on a 16 x 16 grid; the painter is scaled to the pixmap size.
struct Pen {
    QPainter& p;
    bool hot;

    QColor C(int r, int g, int b) const
    {
        QColor c(r, g, b);
        return hot ? c.lighter(125) : c;
    }
    void Stroke(const QColor& c, double w = 1.0)
    {
        p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    }
    void Fill(const QColor& fill, const QColor& line, double w = 1.0)
    {
        p.setPen(QPen(line, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(fill);
    }
};

const QColor kInk(40, 40, 48);

void Arrowhead(QPainter& p, QPointF tip, double angle, double size)
{
    QPolygonF head;
    head << tip << tip + QPointF(std::cos(angle + 2.6) * size, std::sin(angle + 2.6) * size)
         << tip + QPointF(std::cos(angle - 2.6) * size, std::sin(angle - 2.6) * size);
    p.drawPolygon(head);
}

void Page(Pen& k)
{
    QPolygonF page;
    page << QPointF(3, 1.5) << QPointF(10, 1.5) << QPointF(13, 4.5) << QPointF(13, 14.5) << QPointF(3, 14.5);
    k.Fill(Qt::white, kInk);
    k.p.drawPolygon(page);
    k.Stroke(kInk);
    k.p.drawPolyline(QPolygonF() << QPointF(10, 1.5) << QPointF(10, 4.5) << QPointF(13, 4.5));
}

void Floppy(Pen& k, double s = 1.0)
{
    k.p.save();
    k.p.scale(s, s);
    k.Fill(k.C(40, 80, 170), kInk);
    k.p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
    k.Fill(Qt::white, kInk, 0.6);
    k.p.drawRect(QRectF(4, 1.5, 8, 5));
    k.Fill(k.C(200, 200, 210), kInk, 0.6);
    k.p.drawRect(QRectF(4, 9, 8, 5.5));
    k.Fill(kInk, kInk, 0.5);
    k.p.drawRect(QRectF(9.5, 2.5, 1.5, 3));
    k.p.restore();
}

// A little terrain profile used by several view pictures.
void Hills(Pen& k, const QRectF& r, const QColor& c)
{
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    path.lineTo(r.left(), r.top() + r.height() * 0.55);
    path.lineTo(r.left() + r.width() * 0.3, r.top());
    path.lineTo(r.left() + r.width() * 0.5, r.top() + r.height() * 0.45);
    path.lineTo(r.left() + r.width() * 0.7, r.top() + r.height() * 0.2);
    path.lineTo(r.right(), r.top() + r.height() * 0.6);
    path.lineTo(r.right(), r.bottom());
    path.closeSubpath();
    k.Fill(c, kInk, 0.8);
    k.p.drawPath(path);
}

void Magnifier(Pen& k, bool plus)
{
    k.Fill(k.C(220, 235, 255), kInk, 1.4);
    k.p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    k.Stroke(k.C(120, 80, 30), 2.6);
    k.p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    k.Stroke(kInk, 1.4);
    k.p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (plus) k.p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
}

void Grid(Pen& k, const QRectF& r, int cells, const QColor& c)
{
    k.Fill(c, kInk, 0.7);
    k.p.drawRect(r);
    k.Stroke(kInk, 0.5);
    for (int i = 1; i < cells; ++i) {
        double x = r.left() + r.width() * i / cells;
        double y = r.top() + r.height() * i / cells;
        k.p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        k.p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
}

void RotateArrow(Pen& k, bool clockwise)
{
    // Three quarters of a circle; Qt's arc angles run counter-clockwise from three o'clock.
    const double r = 5.5, start = clockwise ? 120 : 60, span = clockwise ? -270 : 270;
    const QColor c = k.C(30, 120, 60);
    k.Fill(k.C(200, 160, 60), kInk, 0.6);
    k.p.drawRect(QRectF(6, 6, 4, 4));
    k.Stroke(c, 1.8);
    k.p.drawArc(QRectF(8 - r, 8 - r, 2 * r, 2 * r), static_cast<int>(start * 16), static_cast<int>(span * 16));
    const double end = (start + span) * M_PI / 180;
    const QPointF tip(8 + r * std::cos(end), 8 - r * std::sin(end));
    // The direction of travel at the end of the arc.
    const double dir = clockwise ? std::atan2(std::cos(end), std::sin(end))
                                 : std::atan2(-std::cos(end), -std::sin(end));
    k.Fill(c, c, 0.5);
    Arrowhead(k.p, tip + QPointF(std::cos(dir) * 1.5, std::sin(dir) * 1.5), dir, 4.0);
}

void Draw(QPainter& p, CommandId which, bool hot)
{
    Pen k{p, hot};
    switch (which) {
    case CommandId::New:
        Page(k);
        k.Stroke(k.C(230, 170, 0), 1.2);
        p.drawLine(QPointF(12, 9), QPointF(15, 12));
        p.drawLine(QPointF(15, 9), QPointF(12, 12));
        p.drawLine(QPointF(13.5, 8.5), QPointF(13.5, 12.5));
        break;
    case CommandId::Open: {
        k.Fill(k.C(225, 185, 70), kInk);
        p.drawPolygon(QPolygonF() << QPointF(1.5, 3.5) << QPointF(6, 3.5) << QPointF(7.5, 5) << QPointF(13, 5)
                                  << QPointF(13, 13.5) << QPointF(1.5, 13.5));
        k.Fill(k.C(250, 215, 110), kInk);
        p.drawPolygon(QPolygonF() << QPointF(3.5, 7.5) << QPointF(15, 7.5) << QPointF(13, 13.5) << QPointF(1.5, 13.5));
        break;
    }
    case CommandId::Save: Floppy(k); break;
    case CommandId::SaveAs:
        Floppy(k, 0.85);
        k.Fill(k.C(240, 200, 60), kInk, 0.7);
        p.drawPolygon(QPolygonF() << QPointF(9, 14.5) << QPointF(9.5, 12) << QPointF(14, 7.5) << QPointF(15.5, 9)
                                  << QPointF(11, 13.5));
        break;
    case CommandId::Stitch:
        Grid(k, QRectF(3.5, 3.5, 9, 9), 2, k.C(120, 180, 110));
        k.Fill(k.C(200, 40, 40), k.C(200, 40, 40), 0.5);
        Arrowhead(p, QPointF(3, 3), M_PI / 4, 2.6);
        Arrowhead(p, QPointF(13, 3), M_PI * 3 / 4, 2.6);
        Arrowhead(p, QPointF(3, 13), -M_PI / 4, 2.6);
        Arrowhead(p, QPointF(13, 13), -M_PI * 3 / 4, 2.6);
        // Shafts from the corners: the pieces are pushed together.
        k.Stroke(k.C(200, 40, 40), 1.0);
        p.drawLine(QPointF(0.5, 0.5), QPointF(3, 3));
        p.drawLine(QPointF(15.5, 0.5), QPointF(13, 3));
        p.drawLine(QPointF(0.5, 15.5), QPointF(3, 13));
        p.drawLine(QPointF(15.5, 15.5), QPointF(13, 13));
        break;
    case CommandId::Split:
        for (int i = 0; i < 4; ++i) {
            double x = 1.5 + (i % 2) * 7.5, y = 1.5 + (i / 2) * 7.5;
            k.Fill(k.C(120, 180, 110), kInk, 0.7);
            p.drawRect(QRectF(x, y, 5.5, 5.5));
        }
        break;
    case CommandId::Undo: {
        k.Stroke(k.C(30, 80, 180), 2.0);
        QPainterPath path;
        path.moveTo(4, 7);
        path.cubicTo(8, 3, 15, 5, 13, 11);
        path.lineTo(11, 14);
        p.drawPath(path);
        k.Fill(k.C(30, 80, 180), k.C(30, 80, 180), 0.6);
        Arrowhead(p, QPointF(2.5, 8.5), M_PI * 0.8, 4);
        break;
    }
    case CommandId::ViewTop:
        Grid(k, QRectF(2.5, 2.5, 11, 11), 3, k.C(110, 170, 90));
        k.Fill(k.C(90, 60, 30), Qt::transparent);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    case CommandId::ViewFront:
        Hills(k, QRectF(1.5, 4, 13, 9.5), k.C(150, 150, 150));
        k.Stroke(kInk, 0.8);
        p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
        break;
    case CommandId::ViewSide: {
        QPainterPath path;
        path.moveTo(1.5, 13.5);
        path.cubicTo(4, 4, 9, 3, 14.5, 9);
        path.lineTo(14.5, 13.5);
        path.closeSubpath();
        k.Fill(k.C(170, 170, 170), kInk, 0.8);
        p.drawPath(path);
        k.Stroke(kInk, 0.8);
        p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
        break;
    }
    case CommandId::ViewPerspective: {
        QPolygonF base;
        base << QPointF(1, 11) << QPointF(8, 14.5) << QPointF(15, 11) << QPointF(8, 7.5);
        k.Fill(k.C(90, 160, 70), kInk, 0.7);
        p.drawPolygon(base);
        QPainterPath hill;
        hill.moveTo(4, 10.5);
        hill.cubicTo(6, 3, 10, 3, 12, 10.5);
        hill.cubicTo(10, 12, 6, 12, 4, 10.5);
        k.Fill(k.C(60, 130, 50), kInk, 0.7);
        p.drawPath(hill);
        break;
    }
    case CommandId::ZoomIn: Magnifier(k, true); break;
    case CommandId::ZoomOut: Magnifier(k, false); break;
    case CommandId::FlipHorizontal:
        k.Fill(k.C(40, 110, 200), kInk, 0.7);
        p.drawPolygon(QPolygonF() << QPointF(6.5, 3) << QPointF(6.5, 13) << QPointF(1.5, 13));
        k.Fill(k.C(200, 220, 245), kInk, 0.7);
        p.drawPolygon(QPolygonF() << QPointF(9.5, 3) << QPointF(9.5, 13) << QPointF(14.5, 13));
        p.setPen(QPen(kInk, 0.8, Qt::DashLine));
        p.drawLine(QPointF(8, 1), QPointF(8, 15));
        break;
    case CommandId::FlipVertical:
        k.Fill(k.C(40, 110, 200), kInk, 0.7);
        p.drawPolygon(QPolygonF() << QPointF(3, 6.5) << QPointF(13, 6.5) << QPointF(13, 1.5));
        k.Fill(k.C(200, 220, 245), kInk, 0.7);
        p.drawPolygon(QPolygonF() << QPointF(3, 9.5) << QPointF(13, 9.5) << QPointF(13, 14.5));
        p.setPen(QPen(kInk, 0.8, Qt::DashLine));
        p.drawLine(QPointF(1, 8), QPointF(15, 8));
        break;
    case CommandId::RotateCCW: RotateArrow(k, false); break;
    case CommandId::RotateCW: RotateArrow(k, true); break;
    case CommandId::Invert: {
        k.Fill(Qt::white, kInk, 1.0);
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        QPainterPath half;
        half.moveTo(8, 1.5);
        half.arcTo(QRectF(1.5, 1.5, 13, 13), 90, 180);
        half.closeSubpath();
        k.Fill(kInk, kInk, 0.5);
        p.drawPath(half);
        break;
    }
    case CommandId::Crop:
        k.Fill(k.C(220, 235, 210), Qt::transparent);
        p.drawRect(QRectF(4, 4, 5, 5));
        k.Stroke(kInk, 1.6);
        p.drawPolyline(QPolygonF() << QPointF(4, 1) << QPointF(4, 12) << QPointF(15, 12));
        p.drawPolyline(QPolygonF() << QPointF(1, 4) << QPointF(12, 4) << QPointF(12, 15));
        break;
    case CommandId::Trim:
        k.Fill(k.C(220, 230, 240), kInk, 0.6);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(k.C(200, 40, 40), 0.9, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4.5, 4.5, 7, 7));
        k.Fill(k.C(200, 40, 40), k.C(200, 40, 40), 0.4);
        Arrowhead(p, QPointF(4, 4), M_PI / 4, 2.8);
        Arrowhead(p, QPointF(12, 12), -M_PI * 3 / 4, 2.8);
        break;
    case CommandId::Resample:
        Grid(k, QRectF(1.5, 1.5, 8, 8), 4, k.C(200, 220, 245));
        Grid(k, QRectF(10, 10, 4.5, 4.5), 2, k.C(40, 110, 200));
        k.Stroke(k.C(200, 40, 40), 1.0);
        p.drawLine(QPointF(8, 12), QPointF(8, 8));
        break;
    case CommandId::Interpolate:
        Grid(k, QRectF(1.5, 1.5, 4.5, 4.5), 2, k.C(40, 110, 200));
        Grid(k, QRectF(6.5, 6.5, 8, 8), 4, k.C(200, 220, 245));
        break;
    case CommandId::Scale: {
        k.Fill(k.C(120, 180, 110), kInk, 0.6);
        p.drawRect(QRectF(5.5, 5.5, 5, 5));
        k.Stroke(k.C(200, 40, 40), 1.2);
        p.drawLine(QPointF(8, 1.5), QPointF(8, 5));
        p.drawLine(QPointF(8, 11), QPointF(8, 14.5));
        k.Fill(k.C(200, 40, 40), k.C(200, 40, 40), 0.4);
        Arrowhead(p, QPointF(8, 0.8), -M_PI / 2, 3);
        Arrowhead(p, QPointF(8, 15.2), M_PI / 2, 3);
        break;
    }
    case CommandId::Move:
        k.Stroke(kInk, 0.8);
        p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
        Hills(k, QRectF(1.5, 7, 9, 6), k.C(150, 150, 150));
        k.Stroke(k.C(30, 80, 180), 1.6);
        p.drawLine(QPointF(13, 13), QPointF(13, 3));
        k.Fill(k.C(30, 80, 180), k.C(30, 80, 180), 0.4);
        Arrowhead(p, QPointF(13, 1.5), -M_PI / 2, 3.2);
        break;
    case CommandId::Options: {
        p.save();
        p.translate(8, 8);
        k.Fill(k.C(120, 120, 130), kInk, 0.6);
        for (int i = 0; i < 8; ++i) {
            p.drawRect(QRectF(-1.4, -7.3, 2.8, 3));
            p.rotate(45);
        }
        p.drawEllipse(QPointF(0, 0), 5, 5);
        k.Fill(Qt::white, kInk, 0.6);
        p.drawEllipse(QPointF(0, 0), 2, 2);
        p.restore();
        break;
    }
    case CommandId::HelpContents: {
        k.Fill(k.C(30, 90, 200), k.C(20, 60, 150), 0.8);
        p.drawEllipse(QPointF(8, 8), 7, 7);
        QFont f;
        f.setBold(true);
        f.setPixelSize(12);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    default: break; // a command without a button
    }
}

QPixmap Render(CommandId which, int size, bool hot)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    Draw(p, which, hot);
    return pm;
}

} // namespace

QIcon TbarIconFor(CommandId which)
{
    QIcon icon;
    for (int size : {16, 32}) {
        icon.addPixmap(Render(which, size, false), QIcon::Normal);
        icon.addPixmap(Render(which, size, true), QIcon::Active);
    }
    return icon;
}

QPixmap AppPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    // The same scalable file is installed for the desktop's menus and launchers.
    QSvgRenderer svg(QStringLiteral(":/tolv/tolv.svg"));
    QPainter p(&pm);
    svg.render(&p);
    return pm;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(AppPixmap(size));
    return icon;
}

} // namespace tolv
