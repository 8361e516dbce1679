// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbFrmSysInfo.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gif_lib.h>
#include <png.h>

#include "shell/Numbers.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbFrmAbout.h"
#include "shell/vbPrivateIni.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace tolv {
namespace {

QString Megabytes(uint64_t bytes) { return Q(FormatThousands(static_cast<int64_t>(bytes / (1024 * 1024)))) + " MB"; }

// Total and available physical memory in bytes; 0 when the system does not say.
void PhysicalMemory(uint64_t& total, uint64_t& available)
{
    total = available = 0;
#if defined(_WIN32)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status)) {
        total = status.ullTotalPhys;
        available = status.ullAvailPhys;
    }
#elif defined(__unix__) || defined(__APPLE__)
    long pages = sysconf(_SC_PHYS_PAGES);
    long size = sysconf(_SC_PAGESIZE);
    if (pages > 0 && size > 0) total = static_cast<uint64_t>(pages) * static_cast<uint64_t>(size);
    QFile meminfo("/proc/meminfo");
    if (meminfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray& line : meminfo.readAll().split('\n')) {
            if (!line.startsWith("MemAvailable:")) continue;
            QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() >= 2) available = parts[1].toULongLong() * 1024;
        }
    }
#endif
}

QString CompilerName()
{
#if defined(__clang__)
    return QStringLiteral("Clang " __clang_version__);
#elif defined(__GNUC__)
    return QStringLiteral("GCC %1.%2.%3").arg(__GNUC__).arg(__GNUC_MINOR__).arg(__GNUC_PATCHLEVEL__);
#elif defined(_MSC_VER)
    return QStringLiteral("Microsoft C++ %1").arg(_MSC_FULL_VER);
#else
    return QStringLiteral("unknown");
#endif
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

QList<SysInfoGroup> CollectSystemInfo()
{
    QList<SysInfoGroup> groups;

    groups.append({"Operating System",
                   {{"Name", QSysInfo::prettyProductName()},
                    {"Kernel", QSysInfo::kernelType() + " " + QSysInfo::kernelVersion()},
                    {"Architecture", QSysInfo::currentCpuArchitecture()},
                    {"Computer name", QSysInfo::machineHostName()}}});

    uint64_t total = 0, available = 0;
    PhysicalMemory(total, available);
    groups.append({"Memory",
                   {{"Physical memory", total ? Megabytes(total) : QStringLiteral("unknown")},
                    {"Available memory", available ? Megabytes(available) : QStringLiteral("unknown")}}});

    SysInfoGroup display{"Display", {}};
    const QList<QScreen*> screens = QGuiApplication::screens();
    display.items.append({"Screens", QString::number(screens.size())});
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        display.items.append(
            {"Resolution", QStringLiteral("%1 x %2 pixels").arg(s->size().width()).arg(s->size().height())});
        display.items.append({"Colour depth", QStringLiteral("%1 bits per pixel").arg(s->depth())});
        display.items.append({"Logical DPI", QString::number(qRound(s->logicalDotsPerInch()))});
        display.items.append({"Scale factor", QString::number(s->devicePixelRatio())});
    }
    display.items.append({"Platform", QGuiApplication::platformName()});
    groups.append(display);

    groups.append({"Folders",
                   {{"Program folder", Native(QCoreApplication::applicationDirPath())},
                    {"Settings file", Native(Q(Settings().Path()))},
                    {"Home folder", Native(QDir::homePath())},
                    {"Documents folder", Native(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))},
                    {"Temporary folder", Native(QDir::tempPath())}}});

    groups.append({"Components",
                   {{QString::fromUtf8(kAppTitle), ProgramVersion()},
                    {"Qt", QString::fromLatin1(qVersion()) + " (built with " QT_VERSION_STR ")"},
                    {"giflib", QStringLiteral("%1.%2.%3").arg(GIFLIB_MAJOR).arg(GIFLIB_MINOR).arg(GIFLIB_RELEASE)},
                    {"libpng", QString::fromLatin1(png_get_libpng_ver(nullptr))},
                    {"Compiler", CompilerName()},
                    {"C++ standard", QString::number(__cplusplus)}}});
    return groups;
}

QString SystemInfoText(const QList<SysInfoGroup>& groups)
{
    QString text;
    for (const SysInfoGroup& g : groups) {
        if (!text.isEmpty()) text += '\n';
        text += g.name + '\n';
        for (const auto& item : g.items) text += "  " + item.first + ": " + item.second + '\n';
    }
    return text;
}

VbFrmSysInfo::VbFrmSysInfo(QWidget* parent)
    : DialogBase("vbFrmSysInfo", "System Information", parent), groups_(CollectSystemInfo())
{
    SetTitle("The operating system, memory, display, folders and component versions of this computer.");
    list_ = new QTreeWidget(this);
    list_->setObjectName("LstInfo");
    list_->setColumnCount(2);
    list_->setHeaderLabels({"Item", "Value"});
    list_->setRootIsDecorated(true);
    list_->setMinimumSize(540, 420);
    for (const SysInfoGroup& g : groups_) {
        auto* top = new QTreeWidgetItem(list_, {g.name});
        QFont bold = top->font(0);
        bold.setBold(true);
        top->setFont(0, bold);
        for (const auto& item : g.items) new QTreeWidgetItem(top, {item.first, item.second});
        top->setExpanded(true);
    }
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    body()->addWidget(list_);

    auto* copy = new QPushButton("&Copy", this);
    copy->setObjectName("CmdCopy");
    copy->setToolTip(" Copy the system information to the clipboard as text");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("CmdOk");
    ok->setDefault(true);
    buttonRow()->insertWidget(0, copy);
    buttonRow()->addWidget(ok);
    connect(copy, &QPushButton::clicked, this, &VbFrmSysInfo::CopyToClipboard);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    LoadDone();
}

void VbFrmSysInfo::CopyToClipboard() { QGuiApplication::clipboard()->setText(SystemInfoText(groups_)); }

void ShowSystemInfo(QWidget* parent)
{
    VbFrmSysInfo dialog(parent);
    dialog.exec();
}

} // namespace tolv
