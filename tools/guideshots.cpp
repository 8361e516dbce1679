// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Renders the pictures of the user's guide from the program's own windows, offscreen, so the
// guide always shows what the program really looks like:  guideshots DATA_FOLDER OUTPUT_FOLDER
// DATA_FOLDER holds the sample heightmaps; every PNG already in OUTPUT_FOLDER is replaced.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLockFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "formats/vbFileManagement.h"
#include "heightmap/CommandTable.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Globals.h"
#include "shell/ui/FrmMain.h"
#include "shell/ui/PicPreview.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbMSCmnDialog.h"
#include "shell/vbPreview.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbShowDialog.h"

namespace {

using namespace tolv;

// The application's host without message boxes: a message is printed (none is expected) and a
// question gets its default button, so nothing waits for a user.
class QuietHost : public QtHost {
public:
    void ShowMessage(MessageKind, const std::string& text, const std::string&, int) override
    {
        std::fprintf(stderr, "guideshots: message: %s\n", text.c_str());
    }
    bool AskQuestion(const std::string& text, const std::string&, bool defaultNo, int) override
    {
        std::fprintf(stderr, "guideshots: question: %s\n", text.c_str());
        return !defaultNo;
    }
};

class Shooter {
public:
    explicit Shooter(const QString& folder) : out_(folder) {}

    void Save(const QImage& image, const char* name)
    {
        const QString path = out_.filePath(QString::fromLatin1(name) + ".png");
        if (image.isNull() || !image.save(path, "PNG")) Fail(name, "cannot be written");
    }

    // Runs open, which is to show a modal dialog; sets it up as a user would (prepare, false when
    // a control it needs is gone), takes its picture and cancels it.
    void Dialog(const char* name, const std::function<void()>& open, const std::function<bool(QDialog&)>& prepare = {})
    {
        bool shot = false;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            if (prepare && !prepare(*dialog)) Fail(name, "cannot be set up");
            Save(dialog->grab().toImage(), name);
            shot = true;
            dialog->reject();
        });
        timer.start(0);
        open();
        if (!shot) Fail(name, "was never shown");
    }

    // Pictures side by side in rows of `columns`, with a gray gap that sets white previews apart.
    static QImage Sheet(const std::vector<QImage>& pictures, int columns)
    {
        constexpr int kGap = 8;
        const int w = pictures[0].width(), h = pictures[0].height();
        const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
        QImage sheet(columns * w + (columns - 1) * kGap, rows * h + (rows - 1) * kGap, QImage::Format_RGB32);
        sheet.fill(QColor(192, 192, 192));
        QPainter p(&sheet);
        for (size_t i = 0; i < pictures.size(); ++i)
            p.drawImage(static_cast<int>(i % columns) * (w + kGap), static_cast<int>(i / columns) * (h + kGap),
                        pictures[i]);
        return sheet;
    }

    void Fail(const char* name, const char* why)
    {
        std::fprintf(stderr, "guideshots: the picture %s %s\n", name, why);
        failed_ = true;
    }
    bool Failed() const { return failed_; }

private:
    QDir out_;
    bool failed_ = false;
};

// Everything the guide shows, from one run of the main window. chosen is what the file chooser
// answers; maps holds the samples, scratch takes what the program saves.
void TakePictures(QtHost& host, Shooter& shoot, const QDir& maps, const QDir& scratch, QString& chosen)
{
    FrmMain window(host);
    window.LoadStep(32);
    window.show();
    window.AfterShow();
    const auto open = [&](const char* name) {
        chosen = maps.filePath(QString::fromLatin1(name));
        window.FileOpen();
        if (!window.HasHeightmap()) shoot.Fail(name, "cannot be opened");
        return window.HasHeightmap();
    };
    // Scale and Move shown for a map that does not use the whole altitude range.
    if (!open("terrain513.hmb")) return;
    shoot.Dialog("dialog-scale", [&] { window.RunCommand(CommandId::Scale); });
    shoot.Dialog("dialog-move", [&] { window.RunCommand(CommandId::Move); });
    if (!open("terrain257.hmb")) return;
    QApplication::processEvents();
    shoot.Save(window.grab().toImage(), "main-window");

    std::vector<QImage> views;
    for (int view = ViewTop; view <= ViewPerspective; ++view) {
        window.SelectView(view);
        views.push_back(window.PicPreview->Image().copy());
    }
    window.SelectView(ViewTop);
    shoot.Save(Shooter::Sheet(views, 2), "views");

    // The Top view in every colour set, the map alone without the background around it.
    const QRect map((kPreviewSize - HeightmapWidth()) / 2, (kPreviewSize - HeightmapHeight()) / 2, HeightmapWidth(),
                    HeightmapHeight());
    const int colorset = Globals().previewColorset;
    std::vector<QImage> sets;
    for (int c = 0; c < kColorsetCount; ++c) {
        window.SelectColorset(c);
        sets.push_back(window.PicPreview->Image().copy(map));
    }
    window.SelectColorset(colorset);
    shoot.Save(Shooter::Sheet(sets, 4), "colorsets");

    shoot.Dialog("dialog-options", [&] { window.ShowOptions(); });
    shoot.Dialog("dialog-recent-files", [] { Host().ShowDialog(DialogId::RecentFileList); });
    shoot.Dialog("dialog-invert", [&] { window.RunCommand(CommandId::Invert); });
    shoot.Dialog("dialog-trim", [&] { window.RunCommand(CommandId::Trim); });
    chosen = scratch.filePath(QStringLiteral("tiles.bmp"));
    shoot.Dialog(
        "dialog-split", [&] { window.FileSplit(); },
        [](QDialog& d) {
            auto* columns = d.findChild<QComboBox*>("CboColumns");
            auto* rows = d.findChild<QComboBox*>("CboRows");
            auto* seamless = d.findChild<QCheckBox*>("ChkSeamless");
            if (!columns || !rows || !seamless) return false;
            columns->setCurrentIndex(1);
            rows->setCurrentIndex(1);
            seamless->setChecked(true);
            return true;
        });
    for (const char* ext : {"pgm", "stl", "obj"}) {
        const std::string target = S(scratch.filePath(QStringLiteral("map.") + ext));
        shoot.Dialog((std::string("dialog-") + ext).c_str(), [&] { SaveFileByType(target); });
    }
    // Resample and interpolate are offered for power-of-two maps: the map trimmed to one.
    TrimHeightmap(TrimCenter, 256, 256);
    window.UpdateCommandStates();
    shoot.Dialog("dialog-resample", [&] { window.RunCommand(CommandId::Resample); });
    shoot.Dialog("dialog-interpolate", [&] { window.RunCommand(CommandId::Interpolate); });
    shoot.Dialog("dialog-raw-size", [&] { OpenFileByType(S(maps.filePath(QStringLiteral("terrain257.r16")))); });
    shoot.Dialog("dialog-stitch", [&] { window.FileStitch(); });
}

} // namespace

int main(int argc, char** argv)
{
    // The offscreen platform warns on every dialog that it has no window opacity or size hints.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg && text.startsWith(QStringLiteral("This plugin does not support"))) return;
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    app.setApplicationName(QString::fromUtf8(kAppTitle));
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir data(QString::fromLocal8Bit(argv[1]));
    const QString outPath = QString::fromLocal8Bit(argv[2]);
    QDir out;
    if (!out.mkpath(outPath) || !out.cd(outPath)) {
        std::fprintf(stderr, "guideshots: cannot create %s\n", argv[2]);
        return 1;
    }
    // A picture this tool no longer takes must not linger beside the ones it does.
    for (const QString& old : out.entryList({QStringLiteral("*.png")}, QDir::Files)) out.remove(old);

    // The run's settings and saved files stay in a folder of their own. The samples are opened
    // from a folder whose name does not change from run to run, as the recent file list shows it;
    // the lock keeps builds running at the same time out of each other's way.
    QTemporaryDir scratch;
    const QString lockPath = QDir::temp().filePath(QStringLiteral("tolv-samples.lock"));
    QLockFile lock(lockPath);
    if (!lock.lock()) {
        std::fprintf(stderr, "guideshots: cannot lock %s\n", qPrintable(lockPath));
        return 1;
    }
    QDir maps(QDir::temp().filePath(QStringLiteral("tolv-samples")));
    maps.removeRecursively();
    maps.mkpath(maps.path());
    for (const char* name : {"terrain257.hmb", "terrain513.hmb", "terrain257.r16"}) {
        if (!QFile::copy(data.filePath(QString::fromLatin1(name)), maps.filePath(QString::fromLatin1(name)))) {
            std::fprintf(stderr, "guideshots: no sample %s in %s\n", name, argv[1]);
            return 1;
        }
    }
    SetSettingsPath(S(scratch.filePath(QStringLiteral("tolv.ini"))));
    QString chosen;
    SetFileChooser([&chosen](const FileDialogRequest&) { return chosen; });

    QuietHost host;
    InstallHost(&host);
    Shooter shoot(out.path());
    TakePictures(host, shoot, maps, scratch.path(), chosen);
    InstallHost(nullptr);
    SetFileChooser(nullptr);
    maps.removeRecursively();
    return shoot.Failed() ? 1 : 0;
}
