// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <filesystem>

#include "UiTestSupport.h"
#include "formats/vbFileManagement.h"
#include "heightmap/CommandTable.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "shell/FrmOptionsRules.h"
#include "shell/StatusText.h"
#include "shell/ui/FrmMain.h"
#include "shell/ui/PicAltitude.h"
#include "shell/ui/PicPreview.h"
#include "shell/vbRecentFileList.h"

using namespace tolv;
using namespace tolv::test;

namespace {

const char* const kChanged = "The current Heightmap has been changed.\r\nSave the Heightmap to a file?";

struct Fixture : ::testing::Test {
    UiTestHost host;
    FrmMain window{host};

    // A map of the given size whose altitudes are lo except the last one, opened as if from a file.
    void OpenMap(int w, int h, int lo, int hi, const std::string& name = "map.hmb")
    {
        std::vector<int32_t> samples(static_cast<size_t>(w) * h, lo);
        samples.back() = hi;
        LoadGrid(w, h, samples, FmtHmb);
        window.SetCurrentFile(host.dir / name);
        window.UpdateCommandStates();
    }
    std::string WriteMapFile(const std::string& name, int w, int h)
    {
        std::vector<int32_t> samples(static_cast<size_t>(w) * h);
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int32_t>(i * 7 % 60000);
        LoadGrid(w, h, samples, FmtHmb);
        EXPECT_TRUE(SaveFileByType(host.dir / name));
        ClearHeightmap();
        return host.dir / name;
    }
    // The window as the user sees it: caption, the five panels, and whether the map is changed.
    std::string State() const
    {
        std::string s = S(window.windowTitle());
        for (int p = 1; p <= 5; ++p) s += "|" + S(window.SbarPanel[p]->text());
        return s + (window.Modified() ? "|changed" : "");
    }
    // The commands that are off: toolbar buttons, Map items ("M" and the index) and the zoom box.
    std::string Off() const
    {
        std::string off;
        for (int b = 1; b <= 35; ++b)
            if (b != 18 && !window.TbarButton[b]->isSeparator() && !window.TbarButton[b]->isEnabled())
                off += " " + std::to_string(b);
        for (size_t i = 0; i < window.MnuMapItem.size(); ++i)
            if (!window.MnuMapItem[i]->isSeparator() && !window.MnuMapItem[i]->isEnabled())
                off += " M" + std::to_string(i);
        return off + (window.CboZoom->isEnabled() ? "" : " zoom");
    }
};

} // namespace

// The rules themselves are tested with the map commands; these rows turn each one off once.
TEST_F(Fixture, CommandStatesReachMenusToolbarAndZoomBox)
{
    window.LoadStep(32);
    EXPECT_EQ(Off(),
              " 4 5 8 10 12 13 14 15 16 17 20 21 22 23 24 25 26 28 29 30 31 M0 M1 M2 M3 M4 M5 M6 M8 M9 M10 M11 zoom");
    // clang-format off
    const std::tuple<int, int, int, const char*> rows[] = {
        {513, 0, 1000, " 28 29 M8 M9"}, {64, 500, 500, " 24 M4"}, {64, 0, 65535, " 31 M11"}};
    for (auto [size, lo, hi, off] : rows) {
        OpenMap(size, size, lo, hi);
        EXPECT_EQ(Off(), off) << size << " " << lo << ".." << hi;
    }
    window.EnableCommands(false);
    for (QMenu* m : {window.MnuFile, window.MnuEdit, window.MnuView, window.MnuMap, window.MnuTools, window.MnuHelp})
        EXPECT_FALSE(m->menuAction()->isEnabled());
    EXPECT_EQ(Off(), " 2 3 4 5 7 8 10 12 13 14 15 16 17 20 21 22 23 24 25 26 28 29 30 31 33 35 M11 zoom");
    window.EnableCommands(true);
    EXPECT_TRUE(window.MnuMap->menuAction()->isEnabled());
    EXPECT_EQ(Off(), " 31 M11");
}

// Every caption and shortcut of the menus in menu order ("caption|shortcut", "-" a separator);
// the recent-file slots (null) are set by the recent list.
TEST_F(Fixture, MenuCaptionsAndShortcuts)
{
    window.LoadStep(32);
    const FrmMain& w = window;
    const char* const recent = nullptr;
    const std::tuple<QMenu*, const std::vector<QAction*>&, std::vector<const char*>> menus[] = {
        {w.MnuFile, w.MnuFileItem, {"&New|Ctrl+N", "&Open...|Ctrl+O", "&Save|Ctrl+S", "Save &As...|Ctrl+A", "-",
                                    "Stitch Height&maps...", "S&plit Heightmap...", "-", recent, recent, recent, recent,
                                    recent, recent, recent, recent, "-", "E&xit\tAlt+F4|Alt+F4"}},
        {w.MnuEdit, w.MnuEditItem, {"&Undo|Ctrl+Z"}},
        {w.MnuView, w.MnuViewItem, {"&Top|F5", "&Front|F6", "&Side|F7", "&Perspective|F8", "-", "&Zoom In|F11",
                                    "Zoom &Out|F12", "-", "&Colorset"}},
        {w.MnuViewColorset, w.MnuViewColorsetItem, {"&Grayscale", "Sca&led Grayscale", "&Woodlands", "&Canyons",
                                                    "&Desert", "A&rctic", "&Altitude", "&Spectrum"}},
        {w.MnuMap, w.MnuMapItem, {"Flip &Horizontally|Ctrl+H", "Flip &Vertically|Ctrl+V", "R&otate 90° ccw",
                                  "Rotate 90° c&w", "I&nvert|Ctrl+E", "&Crop...|Ctrl+C", "&Trim...|Ctrl+T", "-",
                                  "&Resample...|Ctrl+R", "&Interpolate...|Ctrl+I", "&Scale...|Ctrl+L",
                                  "&Move...|Ctrl+M"}},
        {w.MnuTools, w.MnuToolsItem, {"&Options...|F2", "-", "Center &Window on screen",
                                      "&Reset Window to default size", "&Expand Window full-screen"}},
        {w.MnuHelp, w.MnuHelpItem, {"&Contents|F1", "-", "Brendock on the Web", "-", "&About..."}},
    };
    // clang-format on
    for (const auto& [menu, items, expected] : menus) {
        SCOPED_TRACE(S(menu->objectName()));
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
        ASSERT_EQ(items.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            QAction* a = actions[static_cast<qsizetype>(i)];
            EXPECT_EQ(a, items[i]) << i; // the index the commands are dispatched by
            if (!expected[i]) continue;
            const QStringList want = QString::fromUtf8(expected[i]).split('|');
            EXPECT_EQ(a->isSeparator(), want[0] == "-") << i;
            if (a->isSeparator()) continue;
            EXPECT_EQ(a->text(), want[0]);
            EXPECT_EQ(a->shortcut(), QKeySequence(want.value(1))) << S(want[0]);
        }
    }
}

// Each button, and the menu item it stands for, triggered as a click would: its tooltip and the one
// effect its command has.
TEST_F(Fixture, EachToolbarButtonAndItsMenuItemRunTheCommand)
{
    window.LoadStep(32);
    WriteFileText(host.dir / "guide.pdf", "%PDF-1.4\n");
    window.SetHelpFile(host.dir / "guide.pdf");
    std::string effects;
    for (auto [id, name] : {std::pair{DialogId::Options, "Options"},
                            {DialogId::Scale, "Scale"},
                            {DialogId::Move, "Move"},
                            {DialogId::Invert, "Invert"},
                            {DialogId::Interpolate, "Interpolate"},
                            {DialogId::Resample, "Resample"},
                            {DialogId::Trim, "Trim"},
                            {DialogId::Split, "Split"},
                            {DialogId::Stitch, "Stitch"}})
        host.dialogs[id] = [&effects, name = name](QWidget*) { effects += std::string("dialog ") + name + ";"; };
    SetFileChooser([&](const FileDialogRequest& r) {
        effects += (r.save ? "save dialog " : "open dialog ") + S(r.title) + ";";
        return QString();
    });
    // Corner altitudes 1 2 / 3 4 (top-left, top-right, bottom-left, bottom-right) show each turn.
    auto corners = [] {
        const int w = HeightmapWidth(), h = HeightmapHeight();
        return std::to_string(GetAltitude(1, 1)) + " " + std::to_string(GetAltitude(w, 1)) + " " +
               std::to_string(GetAltitude(1, h)) + " " + std::to_string(GetAltitude(w, h));
    };
    const std::string underDevelopment = "info This function is under development.;";
    const FrmMain& w = window;
    // clang-format off
    const std::tuple<int, QAction*, const char*, std::string> rows[] = {
        {2, w.MnuFileItem[0], "New", "closed;"},
        {3, w.MnuFileItem[1], "Open", "open dialog Open Heightmap File;closed;"},
        {4, w.MnuFileItem[2], "Save", "written;"},
        {5, w.MnuFileItem[3], "Save As", "save dialog Save Heightmap File;"},
        {7, w.MnuFileItem[5], "Stitch Heightmaps", "dialog Stitch;closed;"},
        {8, w.MnuFileItem[6], "Split Heightmap", "dialog Split;"},
        {10, w.MnuEditItem[0], "Undo", underDevelopment},
        {12, w.MnuViewItem[0], "Top", "view 0 pressed 12;"}, // from the side view
        {13, w.MnuViewItem[1], "Front", "view 1 pressed 13;"},
        {14, w.MnuViewItem[2], "Side", "view 2 pressed 14;"},
        {15, w.MnuViewItem[3], "Perspective", "view 3 pressed 15;"},
        {16, w.MnuViewItem[5], "Zoom In", underDevelopment},
        {17, w.MnuViewItem[6], "Zoom Out", underDevelopment},
        {20, w.MnuMapItem[0], "Flip Horizontally", "corners 2 1 4 3;"},
        {21, w.MnuMapItem[1], "Flip Vertically", "corners 3 4 1 2;"},
        {22, w.MnuMapItem[2], "Rotate 90° counter-clockwise", "corners 2 4 1 3;"},
        {23, w.MnuMapItem[3], "Rotate 90° clockwise", "corners 3 1 4 2;"},
        {24, w.MnuMapItem[4], "Invert", "dialog Invert;"},
        {25, w.MnuMapItem[5], "Crop", "size 16 x 16;"},
        {26, w.MnuMapItem[6], "Trim", "dialog Trim;"},
        {28, w.MnuMapItem[8], "Resample", "dialog Resample;"},
        {29, w.MnuMapItem[9], "Interpolate", "dialog Interpolate;"},
        {30, w.MnuMapItem[10], "Scale", "dialog Scale;"},
        {31, w.MnuMapItem[11], "Move", "dialog Move;"},
        {33, w.MnuToolsItem[0], "Options", "dialog Options;"},
        {35, w.MnuHelpItem[0], "Help", "opened " + (host.dir / "guide.pdf") + ";"},
    };
    // clang-format on
    const std::string path = host.dir / "map.hmb";
    for (const auto& [button, item, tooltip, effect] : rows) {
        EXPECT_EQ(window.TbarButton[button]->toolTip(), QString::fromUtf8(tooltip)) << button;
        for (QAction* action : {window.TbarButton[button], item}) {
            SCOPED_TRACE(S(action->objectName() + " " + action->text()));
            std::vector<int32_t> samples(32 * 32, 0);
            samples[0] = 1, samples[31] = 2, samples[32 * 31] = 3, samples[32 * 32 - 1] = 4;
            LoadGrid(32, 32, samples, FmtHmb);
            window.SetCurrentFile(path);
            window.UpdateCommandStates();
            const int startView = button == 12 ? 2 : 0;
            window.SelectView(startView);
            std::filesystem::remove(path);
            host.messages.clear();
            host.opened.clear();
            effects.clear();

            action->trigger();
            for (const auto& m : host.messages) effects += m.kind + " " + m.text + ";";
            for (const QUrl& url : host.opened) effects += "opened " + S(url.toLocalFile()) + ";";
            if (Globals().currentView != startView) {
                int pressed = 0;
                for (int b = 12; b <= 15; ++b)
                    if (window.TbarButton[b]->isChecked()) pressed = pressed ? -1 : b;
                effects += "view " + std::to_string(Globals().currentView) + " pressed " + std::to_string(pressed) +
                           ";";
            }
            if (!window.HasHeightmap()) effects += "closed;";
            else if (HeightmapWidth() != 32 || HeightmapHeight() != 32)
                effects += "size " + std::to_string(HeightmapWidth()) + " x " + std::to_string(HeightmapHeight()) + ";";
            else if (corners() != "1 2 3 4") effects += "corners " + corners() + ";";
            if (FileExists(path)) effects += "written;";
            EXPECT_EQ(effects, effect);
        }
    }
    // Without the guide the Help command says so and opens nothing.
    window.SetHelpFile(host.dir / "missing.pdf");
    host.messages.clear();
    host.opened.clear();
    window.ShowHelpContents();
    EXPECT_EQ(host.messages.at(0).text,
              "The Help File is missing.\r\nPlease repair the installation or reinstall the application.");
    EXPECT_TRUE(host.opened.empty());
}

// The preview shows its drawing and reports the altitude under the mouse; a right click offers the
// Map menu, whose items run as from the menu bar.
TEST_F(Fixture, PreviewDrawingMouseReadoutAndMapMenu)
{
    window.LoadStep(32);
    ShowActive(window);
    OpenMap(64, 64, 0, 65535); // Move is not offered for a map using the whole range
    window.RenderPreview();
    window.DrawAltitudeBar();
    EXPECT_EQ(window.PicPreview->grab().toImage().convertToFormat(QImage::Format_RGB32),
              window.PicPreview->Image().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(window.PicAltitude->Image().pixel(4, 511), qRgb(255, 51, 51)); // the lowest altitude's mark
    QMouseEvent move(QEvent::MouseMove, QPointF(256 + 31, 256 + 31), QPointF(), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(window.PicPreview, &move);
    EXPECT_EQ(window.SbarPanel[5]->text(), "X: 64   Y: 64   H: 65535");

    int moves = 0;
    host.dialogs[DialogId::Move] = [&](QWidget*) { ++moves; };
    QTest::mouseClick(window.PicPreview, Qt::RightButton, {}, QPoint(100, 120));
    QMenu* menu = window.MnuMap;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(window.MnuMapItem[11]).center());
    EXPECT_EQ(moves, 0);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(window.MnuMapItem[0]).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(GetAltitude(1, 64), 65535); // flipped horizontally
    EXPECT_TRUE(window.Modified());
}

TEST_F(Fixture, OpenChangeNewAndClose)
{
    window.LoadStep(32);
    const std::string path = WriteMapFile("terrain.hmb", 64, 32);
    std::string asked;
    SetFileChooser([&](const FileDialogRequest& r) {
        return asked += S(r.title + " " + r.defaultSuffix + " " + r.filters.last()), Q(path);
    });
    window.FileOpen();
    EXPECT_EQ(asked, "Open Heightmap File hmb All Files (*)");
    EXPECT_EQ(window.CurrentPath(), path);
    EXPECT_EQ(State(), "TOLV - terrain|" + FormatDescription(FmtHmb) + "|" +
                           FileSizeText(static_cast<int64_t>(ReadFileBytes(path).size())) +
                           "|64 x 32|L: 0 \u00B7 H: 14329 \u00B7 D: 14330  (14 bits)|");
    // The file went to the top of the recent list and shows in the File menu.
    EXPECT_EQ(RflGetItem(1), path);
    EXPECT_EQ(window.MnuFileItem[8]->text(), QStringLiteral("&1 terrain.hmb"));
    const std::vector<QAction*>& file = window.MnuFileItem;
    EXPECT_EQ(std::tuple(file[8]->isVisible(), file[9]->isVisible(), file[16]->isVisible()),
              std::tuple(true, false, true));

    // Changed, answered No: the map is closed before the dialog, and cancelling it leaves an empty window.
    window.RunCommand(CommandId::FlipHorizontal);
    host.answers = {false};
    SetFileChooser([](const FileDialogRequest&) { return QString(); });
    window.FileOpen();
    EXPECT_EQ(host.Said(), std::string("question: ") + kChanged + "\n");
    EXPECT_EQ(State(), "TOLV|||||");
    EXPECT_EQ(std::pair(window.HasHeightmap(), HeightmapWidth()), std::pair(false, 0));

    // Closing asks only the quit question for an unchanged map (No keeps the window and the marker
    // of a run in progress), and first the save question for a changed one.
    OpenMap(64, 64, 0, 100);
    host.messages.clear();
    host.answers = {false};
    EXPECT_FALSE(window.close());
    EXPECT_EQ(SettingsStore(host.ini).IniGetInteger("Shutdown", "Success", 7), 0);
    window.SetModified(true);
    host.answers = {false, true};
    EXPECT_TRUE(window.close());
    const std::string quit = "question: Quit the TOLV application?\n";
    EXPECT_EQ(host.Said(), quit + "question: " + kChanged + "\n" + quit);
    EXPECT_EQ(SettingsStore(host.ini).IniGetInteger("Shutdown", "Success", 7), 1);
}

// Yes to the save question and then no save: the map stays as it was and the command stops.
TEST_F(Fixture, ASaveThatDoesNotCompleteKeepsTheMapAndStopsTheCommand)
{
    using B = QMessageBox;
    window.LoadStep(32);
    ShowActive(window);
    host.realBoxes = true;
    const std::string other = WriteMapFile("other.hmb", 16, 16);
    int stitchShown = 0;
    host.dialogs[DialogId::Stitch] = [&](QWidget*) { ++stitchShown; };
    QAction* const* file = window.MnuFileItem.data();
    // clang-format off
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [&] { file[0]->trigger(); }},       {"Open", [&] { file[1]->trigger(); }},
        {"Open Recent", [&] { file[8]->trigger(); }}, {"Stitch", [&] { file[5]->trigger(); }},
        {"close", [&] { window.close(); }},
    };
    // clang-format on
    // NoButton: Return, which must answer No to the power-of-two question.
    // clang-format off
    const std::tuple<const char*, int, const char*, std::vector<B::StandardButton>, const char*> failures[] = {
        {"Save As cancelled", 16, "", {B::Yes}, kChanged},
        {"not a power of two", 24, "never.hmb", {B::Yes, B::NoButton},
         "The heightmap is not a power-of-two size.\r\nContinue with save?"},
        {"writer failed", 16, "/proc/map.hmb", {B::Yes, B::Ok}, "An error occurred "}, // not even root writes there
    };
    // clang-format on
    for (const auto& [command, run] : commands) {
        for (const auto& [name, width, saveAs, answers, lastMessage] : failures) {
            SCOPED_TRACE(std::string(command) + ", " + name);
            RflAddAndSave(other);
            OpenMap(width, 16, 0, 100, "kept.hmb");
            window.SetModified(true);
            host.messages.clear();
            stitchShown = 0;
            int openDialogs = 0;
            SetFileChooser([&](const FileDialogRequest& r) {
                openDialogs += !r.save;
                return r.save && *saveAs ? Q(std::filesystem::path(host.dir.Path()) / saveAs) : QString();
            });
            BoxClicker clicker(answers);
            run();
            ASSERT_EQ(host.messages.size(), answers.size()); // no quit question after the save question
            EXPECT_TRUE(host.messages.back().text.starts_with(lastMessage)) << host.messages.back().text;
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(S(window.windowTitle()) + (window.Modified() ? " changed" : ""), "TOLV - kept changed");
            EXPECT_EQ(HeightmapWidth(), width);
            EXPECT_EQ(GetAltitude(width, 16), 100);
            EXPECT_EQ(openDialogs + stitchShown, 0);
        }
    }
}

// Requests from outside (a later start, the command line) wait for the shown window, files also
// for any open dialog; a drop on the window opens the first local file among the dropped URLs.
TEST_F(Fixture, FilesFromOutsideAndDroppedFilesOpenOnceNothingIsInTheWay)
{
    const std::string a = WriteMapFile("a.hmb", 16, 16), b = WriteMapFile("b.hmb", 32, 16);
    window.OpenFromOutside(a);
    window.ActivateFromOutside();
    QTest::qWait(50);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.HasHeightmap());
    window.LoadStep(32);
    window.show();
    window.AfterShow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.CurrentPath() == a; }));

    host.realBoxes = true;
    BoxClicker clicker({QMessageBox::Ok});
    clicker.beforeAnswer = [&] {
        window.OpenFromOutside(b);
        QTest::qWait(300);
        EXPECT_EQ(window.CurrentPath(), a); // not while the user answers a box
    };
    window.MnuEditItem[0]->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.CurrentPath() == b; }));

    auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = window.PicPreview->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.PicPreview, &enter);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.PicPreview, &dropped);
        QTest::qWait(50);
        return enter.isAccepted();
    };
    EXPECT_FALSE(drop({QUrl("https://example.org/a.hmb")}));
    EXPECT_FALSE(drop({QUrl::fromLocalFile(Q(host.dir.Path()))}));
    EXPECT_EQ(window.CurrentPath(), b);
    EXPECT_TRUE(drop({QUrl("https://example.org/b.hmb"), QUrl::fromLocalFile(Q(a)), QUrl::fromLocalFile(Q(b))}));
    EXPECT_EQ(window.CurrentPath(), a);

    // A later start brings a minimized window back as it was: maximized.
    window.showMaximized();
    window.showMinimized();
    window.ActivateFromOutside();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized(); }));
    EXPECT_TRUE(window.isMaximized());
}

TEST_F(Fixture, SaveAsAndSave)
{
    // A power-of-two map goes straight to the dialog, with the current name offered.
    OpenMap(256, 256, 0, 10, "base.hmb");
    std::string offered;
    SetFileChooser([&](const FileDialogRequest& r) {
        offered += S(r.title) + " " + S(r.fileName) + (r.save ? "" : " open") + ";";
        return Q(host.dir / "copy.hma");
    });
    window.SetModified(true);
    window.FileSaveAs();
    EXPECT_EQ(offered + host.Said(), "Save Heightmap File base;");
    EXPECT_EQ(window.CurrentPath(), host.dir / "copy.hma");
    EXPECT_EQ(State(), "TOLV - copy|" + FormatDescription(FmtHma) + "|" +
                           FileSizeText(static_cast<int64_t>(ReadFileBytes(host.dir / "copy.hma").size())) + "|||");
    window.SetModified(true);
    window.FileSave(); // back into its own file, the old one kept as the backup
    EXPECT_FALSE(window.Modified());
    EXPECT_TRUE(FileExists(BackupName(host.dir / "copy.hma")));

    // A format that can only be opened cannot be saved back: the flag stays.
    window.SetCurrentFile(host.dir / "picture.gif");
    window.SetModified(true);
    window.FileSave();
    EXPECT_TRUE(window.Modified());
    EXPECT_EQ(host.Said(), "info: This format is only supported for opening.\n");
}

TEST_F(Fixture, ViewColorsetOptionsAndScaleOnOpen)
{
    host.dialogs[DialogId::Options] = [](QWidget*) {
        EXPECT_EQ(SlotText(ReadDialogParams<OptionsValues>()), "0 0 16777215 0 False 0");
        ConfirmDialog(OptionsValues{2, 1, 0x0000FF, 1, true, 1});
    };
    window.ShowOptions();
    const GlobalSettings& g = Globals();
    EXPECT_EQ(SlotText(OptionsValues{g.convertColorToGrayscale, g.fileTypeSort, g.previewBackgroundColor,
                                     g.previewLocation, g.scaleOnOpen, g.undoMode}),
              "2 1 255 1 True 1");
    EXPECT_EQ(window.PicPreview->Image().pixel(5, 5), qRgb(255, 0, 0)); // the new background at once
    EXPECT_TRUE(DialogCancelled());                                     // the slots are cleared
    host.dialogs[DialogId::Options] = [](QWidget*) { WriteDialogResult(OptionsValues{}); }; // cancelled
    window.ShowOptions();
    EXPECT_EQ(Globals().convertColorToGrayscale, 2);

    OpenMap(64, 64, 0, 100);
    const QImage before = window.PicPreview->Image().copy();
    window.SelectView(0); // already shown: nothing redrawn
    EXPECT_EQ(window.PicPreview->Image(), before);
    window.SelectColorset(5);
    for (int c = 0; c < 8; ++c) EXPECT_EQ(window.MnuViewColorsetItem[c]->isChecked(), c == 5) << c;
    EXPECT_EQ(Globals().previewColorset, 5);
    EXPECT_NE(window.PicPreview->Image(), before);

    // Scale on open (chosen in Options above) stretches the opened map to the stored range without
    // marking it changed.
    const std::string path = WriteMapFile("small.hmb", 32, 32);
    Globals().scaleMethod = 1; // to the full 16-bit range
    ASSERT_TRUE(OpenFileByType(path));
    window.ShowOpenedFile(path);
    EXPECT_EQ(State(), "TOLV - small|" + FormatDescription(FmtHmb) + "|" +
                           FileSizeText(static_cast<int64_t>(ReadFileBytes(path).size())) +
                           "|32 x 32|L: 0 \u00B7 H: 65535 \u00B7 D: 65536  (16 bits)|");
}

// The window's part of the settings: read at the load step, written with the placement when it closes.
TEST_F(Fixture, SettingsAndPlacementRoundTrip)
{
    WriteFileText(host.ini,
                  "[Options]\r\nPreviewColorset=9\r\nPreviewBackgroundColor=255\r\n[Settings]\r\nLastOpenPath=" +
                      host.dir.Path() +
                      "/\r\n[Dialogs]\r\nFrmMain.Left=40\r\nFrmMain.Top=30\r\n"
                      "FrmMain.Width=900\r\nFrmMain.Height=700\r\nFrmMain.Maximized=0\r\n");
    window.LoadStep(32);
    EXPECT_TRUE(host.messages.empty()); // nothing asked or shown on a normal start
    EXPECT_EQ(window.HelpFile(), ProgramFolder() + ProgramFileName() + " User's Guide.pdf");
    for (int c = 0; c < 8; ++c) EXPECT_EQ(window.MnuViewColorsetItem[c]->isChecked(), c == 7) << c; // clamped
    EXPECT_EQ(window.PicPreview->Image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(Globals().lastOpenPath, host.dir.Path() + "/");
    EXPECT_EQ(window.pos(), QPoint(40, 30));
    EXPECT_EQ(window.frameGeometry().size(), QSize(900, 700));
    EXPECT_EQ(window.minimumSize(), window.DefaultWindowSize());
    Globals().scalePercent = 150;
    window.showMaximized();
    host.answers = {true};
    ASSERT_TRUE(window.close());
    SettingsStore s(host.ini);
    EXPECT_EQ(s.IniGetInteger("Functions", "ScalePercent", -1), 150);
    EXPECT_TRUE(s.IniGetBoolean("Dialogs", "FrmMain.Maximized", false));
    EXPECT_EQ(s.IniGetInteger("Dialogs", "FrmMain.Width", 0), 900); // the normal size is kept
    ResetGlobals();
    FrmMain again(host);
    again.LoadStep(32);
    EXPECT_EQ(Globals().scalePercent, 150);
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);

    again.showNormal();
    again.resize(1000, 800);
    again.ResetWindowSize();
    EXPECT_EQ(again.size(), again.DefaultWindowSize());
    again.CenterWindow();
    const QRect work = again.screen()->availableGeometry();
    EXPECT_LE(std::abs(again.x() - (work.width() - again.frameGeometry().width()) / 2), 1);
    EXPECT_LE(std::abs(again.y() - (work.height() - again.frameGeometry().height()) / 2), 1);
}

TEST_F(Fixture, RecentItemOfAMissingFileAsksAndRemovesOnYes)
{
    window.LoadStep(32);
    const std::string kept = WriteMapFile("kept.hmb", 16, 16);
    RflAddAndSave(kept);
    RflAddAndSave(host.dir / "gone.hmb");
    ASSERT_EQ(window.MnuFileItem[8]->text(), QStringLiteral("&1 gone.hmb"));
    host.answers = {true};
    window.MnuFileItem[8]->trigger();
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_FALSE(window.HasHeightmap());
    EXPECT_EQ(window.MnuFileItem[8]->text(), QStringLiteral("&1 kept.hmb"));
    EXPECT_FALSE(window.MnuFileItem[9]->isVisible());
    window.MnuFileItem[8]->trigger(); // an existing file opens without a question
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(window.CurrentPath(), kept);
}

TEST_F(Fixture, SplitAsksForTheBaseNameAndStitchGivesANewChangedMap)
{
    OpenMap(64, 64, 0, 1000, "land.hmb");
    host.dialogs[DialogId::Split] = [](QWidget*) { ConfirmDialog(SplitResult{2, 1, 32, 64, false}); };
    std::string asked;
    SetFileChooser([&](const FileDialogRequest& r) {
        asked += S(r.title) + "|" + S(r.filters.join(";")) + "|" + S(r.fileName) + (r.save ? "" : " open") + ";";
        return Q(host.dir / S(r.fileName)); // the proposed name, as it is
    });
    window.MnuFileItem[6]->trigger();
    EXPECT_EQ(asked, "Specify Split Base Filespec|bmp - Unreal G16 Heightmap (*.bmp)|land;");
    EXPECT_TRUE(FileExists(host.dir / "land00.bmp") && FileExists(host.dir / "land01.bmp"));
    EXPECT_FALSE(FileExists(host.dir / "land02.bmp"));
    EXPECT_FALSE(window.Modified());
    EXPECT_TRUE(window.MnuMap->menuAction()->isEnabled());

    const std::string left = WriteMapFile("left.hmb", 16, 16), right = WriteMapFile("right.hmb", 16, 16);
    host.dialogs[DialogId::Stitch] = [&](QWidget*) { ConfirmDialog(StitchResult{{left, right, "", ""}}); };
    window.FileStitch();
    ASSERT_TRUE(window.HasHeightmap());
    EXPECT_EQ(window.CurrentPath(), "");
    EXPECT_EQ(State(),
              "TOLV|" + FormatDescription(FmtHmb) + "||32 x 16|L: 0 \u00B7 H: 1785 \u00B7 D: 1786  (11 bits)||changed");
    EXPECT_TRUE(window.MnuFileItem[2]->isEnabled());
    const QImage img = window.PicPreview->Image();
    EXPECT_NE(img.pixel(256, 256), img.pixel(0, 0)); // drawn, not only background
    asked.clear();
    window.FileSave(); // no file of its own yet: Save asks where
    EXPECT_EQ(asked.substr(0, 20), "Save Heightmap File|");
    EXPECT_TRUE(window.Modified());
}

TEST_F(Fixture, WindowIconIsTheScalableIconInstalledForTheDesktop)
{
    QSvgRenderer svg(QStringLiteral(TOLV_SOURCE_DIR "/packaging/tolv.svg"));
    QImage expected(32, 32, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter p(&expected);
    svg.render(&p);
    p.end();
    EXPECT_EQ(window.windowIcon().pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
}
