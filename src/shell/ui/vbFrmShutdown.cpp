// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbFrmShutdown.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/UiHost.h"
#include "shell/ui/TbarIcons.h"
#include "shell/ui/vbFormEffects.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

constexpr int kBandTop = 16, kBandHeight = 24;

QString Text(const std::string& s)
{
    QString t = QString::fromStdString(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

vbFrmShutdown::vbFrmShutdown(QWidget* parent) : QDialog(parent)
{
    setObjectName("vbFrmShutdown");
    setWindowTitle(kProductName);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The large picture on displays of 16 bits per pixel or more, the small one otherwise.
    QScreen* screen = QGuiApplication::primaryScreen();
    bool deep = !screen || screen->depth() >= 16;
    auto* img = new QLabel(this);
    img->setObjectName(deep ? "ImgIcon256" : "ImgIcon16");
    img->setPixmap(AppPixmap(deep ? 48 : 16));
    img->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    LblTitle = new QLabel(QString::fromUtf8(kAppTitle) + QStringLiteral(" Safe Shut-down Failure."), this);
    LblTitle->setObjectName("LblTitle");
    QFont f = LblTitle->font();
    f.setBold(true);
    LblTitle->setFont(f);
    LblTitle->setFixedHeight(kBandHeight);
    LblTitle->setContentsMargins(6, 0, 0, 0);

    std::string message = std::string("The ") + kAppTitle +
                          " application was not safely closed the last time it was used." + kCrLf +
                          "This may have been the result of turning off the computer before closing the application, "
                          "a computer hardware failure, or a power failure." +
                          kCrLf + kCrLf +
                          "It is recommended that the application data files be verified for any possible corruption "
                          "or damage.";
    LblMessage = new QLabel(Text(message), this);
    LblMessage->setObjectName("LblMessage");
    LblMessage->setWordWrap(true);
    LblMessage->setMinimumWidth(380);

    CmdContinue = new QPushButton(QStringLiteral("Continue"), this);
    CmdContinue->setObjectName("CmdContinue");
    CmdContinue->setDefault(true);
    connect(CmdContinue, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(LblTitle);
    text->addSpacing(8);
    text->addWidget(LblMessage);
    auto* top = new QHBoxLayout;
    top->addWidget(img);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdContinue);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(16, kBandTop, 16, 12);
    all->addLayout(top);
    all->addSpacing(12);
    all->addLayout(buttons);
    FadeInDialog(this);
}

void vbFrmShutdown::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter p(this);
    QRect band = LblTitle->geometry();
    PaintTitleBand(p, band.x(), band.y(), band.width(), band.height());
}

void ShowShutdownDialog(QWidget* parent)
{
    Pointer previous = Host().CurrentPointer();
    Host().SetPointer(Pointer::Default);
    vbFrmShutdown dlg(parent);
    dlg.exec();
    Host().SetPointer(previous);
}

} // namespace tolv
