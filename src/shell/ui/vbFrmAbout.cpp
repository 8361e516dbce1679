// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbFrmAbout.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "TolvVersion.h"
#include "shell/ui/vbFormEffects.h"
#include "shell/ui/vbFrmSysInfo.h"

namespace tolv {
namespace {

constexpr int kScrollIntervalMs = 40;

QStringList CreditLines()
{
    return {QString::fromUtf8(kProductName) + " by Kestrow",
            QString::fromUtf8(kAppTitle) + " " + ProgramVersion(),
            "",
            "Terrain heightmap converter",
            "",
            "Programming",
            "The TOLV developers",
            "",
            "Built with",
            "Qt " + QString::fromLatin1(qVersion()),
            "giflib and libpng",
            "",
            "Released under the MIT License",
            "Copyright 2026 TOLV developers"};
}

} // namespace

QString ProgramVersion() { return QString::fromLatin1(kProgramVersion); }

CreditsPicture::CreditsPicture(QStringList lines, QWidget* parent)
    : QWidget(parent), lines_(std::move(lines)), timer_(new QTimer(this))
{
    setObjectName("PicCredits");
    setMinimumSize(300, 120);
    timer_->setInterval(kScrollIntervalMs);
    connect(timer_, &QTimer::timeout, this, [this] { setOffset(offset_ + 1); });
}

int CreditsPicture::LineHeight() const { return fontMetrics().height() + 2; }

void CreditsPicture::setOffset(int pixels)
{
    // One full pass: the text enters at the bottom edge and leaves at the top edge.
    const int cycle = height() + LineHeight() * static_cast<int>(lines_.size());
    offset_ = cycle > 0 ? pixels % cycle : 0;
    update();
}

bool CreditsPicture::scrolling() const { return timer_->isActive(); }

void CreditsPicture::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    timer_->start();
}

void CreditsPicture::hideEvent(QHideEvent* event)
{
    timer_->stop();
    QWidget::hideEvent(event);
}

void CreditsPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor top(0, 51, 102);
    const QColor bottom(51, 102, 153);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(rect(), g);
    p.setPen(Qt::white);
    const int lh = LineHeight();
    int y = height() - offset_;
    for (const QString& line : lines_) {
        if (y + lh > 0 && y < height()) p.drawText(QRect(0, y, width(), lh), Qt::AlignCenter, line);
        y += lh;
    }
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

VbFrmAbout::VbFrmAbout(QWidget* parent) : DialogBase("vbFrmAbout", "About " + QString::fromUtf8(kAppTitle), parent)
{
    SetTitle(QString::fromUtf8(kAppTitle) + " converts, views and edits 16-bit terrain heightmaps.");

    auto* product = new QLabel(QString::fromUtf8(kProductName), this);
    product->setObjectName("LblProduct");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    product->setFont(big);
    auto* title = new QLabel(QString::fromUtf8(kAppTitle), this);
    title->setObjectName("LblAppTitle");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* version = new QLabel("Version " + ProgramVersion(), this);
    version->setObjectName("LblVersion");
    auto* copyright = new QLabel("Copyright 2026 TOLV developers. MIT License.", this);
    copyright->setObjectName("LblCopyright");

    auto* names = new QVBoxLayout;
    names->addWidget(product);
    names->addWidget(title);
    names->addWidget(version);
    names->addWidget(copyright);
    names->addStretch(1);
    credits_ = new CreditsPicture(CreditLines(), this);
    auto* row = new QHBoxLayout;
    row->addLayout(names);
    row->addWidget(credits_, 1);
    body()->addLayout(row);

    auto* sysInfo = new QPushButton("&System Info...", this);
    sysInfo->setObjectName("CmdSysInfo");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("CmdOk");
    ok->setDefault(true);
    buttonRow()->insertWidget(0, sysInfo);
    buttonRow()->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, [this] { ShowSystemInfo(this); });
    LoadDone();
}

void ShowAboutBox(QWidget* parent)
{
    VbFrmAbout box(parent);
    box.exec();
}

} // namespace tolv
