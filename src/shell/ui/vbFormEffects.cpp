// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbFormEffects.h"

#include <QApplication>
#include <QComboBox>
#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace tolv {
namespace {

int g_mode = 0;

// Opacity rises in steps of 32 out of 255, one step per millisecond.
constexpr int kFadeStep = 32;

} // namespace

void InitFormEffects(int mode)
{
    if (mode < 0 || mode > 3) mode = 0;
    if (mode == 3) mode = QApplication::isEffectEnabled(Qt::UI_FadeMenu) ? 2 : 1;
    g_mode = mode;
}

int FormEffectsMode() { return g_mode; }

void GradientRect(QPainter& painter, int x, int y, int width, int height, const QColor& left, const QColor& right)
{
    if (width <= 0 || height <= 0) return;
    QLinearGradient g(QPointF(x, 0), QPointF(x + width, 0));
    g.setColorAt(0.0, left);
    g.setColorAt(1.0, right);
    painter.fillRect(QRect(x, y, width, height), g);
}

void FadeInDialog(QWidget* dialog)
{
    if (g_mode != 2 || !dialog) return;
    dialog->setWindowOpacity(0.0);
    // A timer keeps the event loop running between steps, so the dialog stays responsive.
    auto* timer = new QTimer(dialog);
    timer->setInterval(1);
    auto level = std::make_shared<int>(0);
    QPointer<QWidget> target(dialog);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, level, target] {
        *level += kFadeStep;
        if (!target) return;
        if (*level >= 255) {
            target->setWindowOpacity(1.0);
            timer->stop();
            timer->deleteLater();
            return;
        }
        target->setWindowOpacity(*level / 255.0);
    });
    timer->start();
}

void PaintTitleBand(QPainter& painter, int x, int y, int width, int height)
{
    const QPalette pal = QApplication::palette();
    GradientRect(painter, x, y, width, height, pal.color(QPalette::Dark), pal.color(QPalette::Button));
}

void SetMinimumTrackingSize(QWidget* window, int minWidth, int minHeight)
{
    if (window) window->setMinimumSize(minWidth, minHeight);
}

void MakeComboFlat(QComboBox* combo)
{
    if (!combo) return;
    combo->setFrame(false);
    combo->setStyleSheet(QStringLiteral("QComboBox { border: 1px solid palette(mid); border-radius: 0px;"
                                        " padding: 1px 2px 1px 4px; background: palette(base); }"));
    combo->setProperty("tolvFlat", true);
}

void RemoveComboFlat(QComboBox* combo)
{
    if (!combo || !combo->property("tolvFlat").toBool()) return;
    combo->setFrame(true);
    combo->setStyleSheet(QString());
    combo->setProperty("tolvFlat", false);
}

} // namespace tolv
