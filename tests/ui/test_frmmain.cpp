// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>
#include <filesystem>
#include <sstream>

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
using B = QMessageBox;

namespace {

const char* const kChanged = "The current Heightmap has been changed.\r\nSave the Heightmap to a file?";

// The lines of a file in tests/ui/data, its comments ("#") left out.
std::vector<std::string> DataLines(const std::string& name)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadFileText(TOLV_SOURCE_DIR "/tests/ui/data/" + name));
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

// A window past its load step, as the program shows it.
struct Fixture : ::testing::Test {
    Fixture() { window.LoadStep(32); }
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
        for (int p = 1; p <= 5; ++p) s.append("|").append(S(window.SbarPanel[p]->text()));
        return s + (window.Modified() ? "|changed" : "");
    }
    // Answers every file dialog with choice, noting each as "save|open title|file name|default
    // suffix|last filter;".
    std::string asked;
    void Choose(const std::string& choice)
    {
        SetFileChooser([this, choice](const FileDialogRequest& r) {
            asked += (r.save ? "save " : "open ") +
                     S(r.title + "|" + r.fileName + "|" + r.defaultSuffix + "|" + r.filters.last()) + ";";
            return Q(choice);
        });
    }
    // The recent files the File menu shows, and the separator after them ("-").
    std::string Recent() const
    {
        std::string r;
        for (size_t i = 8; i <= 16; ++i)
            if (QAction* a = window.MnuFileItem[i]; a->isVisible()) r += (a->isSeparator() ? "-" : S(a->text())) + "|";
        return r;
    }
    // The caption and the format and size panels of a window showing the file.
    static std::string Shows(const std::string& path, int32_t format)
    {
        return "TOLV - " + std::filesystem::path(path).stem().string() + "|" + FormatDescription(format) + "|" +
               FileSizeText(static_cast<int64_t>(ReadFileBytes(path).size())) + "|";
    }
    // The menus in menu-bar order (the Colorset submenu after View), each with its list of items.
    std::vector<std::pair<QMenu*, const std::vector<QAction*>*>> Menus() const
    {
        const FrmMain& w = window;
        return {{w.MnuFile, &w.MnuFileItem}, {w.MnuEdit, &w.MnuEditItem},
                {w.MnuView, &w.MnuViewItem}, {w.MnuViewColorset, &w.MnuViewColorsetItem},
                {w.MnuMap, &w.MnuMapItem},   {w.MnuTools, &w.MnuToolsItem},
                {w.MnuHelp, &w.MnuHelpItem}};
    }
    // The commands that are off: toolbar buttons, Map items ("M" and the index) and the zoom box.
    std::string Off() const
    {
        std::string off;
        for (int b = 1; b <= 35; ++b)
            if (b != 18 && !window.TbarButton[b]->isSeparator() && !window.TbarButton[b]->isEnabled())
                off.append(" ").append(std::to_string(b));
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
    EXPECT_EQ(Off(),
              " 4 5 8 10 12 13 14 15 16 17 20 21 22 23 24 25 26 28 29 30 31 M0 M1 M2 M3 M4 M5 M6 M8 M9 M10 M11 zoom");
    // clang-format off
    const std::tuple<int, int, int, const char*> rows[] = {
        {513, 0, 1000, " 28 29 M8 M9"}, {64, 500, 500, " 24 M4"}, {64, 0, 65535, " 31 M11"}};
    // clang-format on
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

// Every caption and shortcut of the menus, as data/menus.txt lists them; each item is the one at
// its index in the window's item list, which the commands are dispatched by.
TEST_F(Fixture, MenusAsTheGoldenListHasThem)
{
    std::string shown, golden;
    for (auto [menu, items] : Menus()) {
        EXPECT_EQ(menu->actions(), QList<QAction*>(items->begin(), items->end())) << S(menu->title());
        shown.append("[").append(S(menu->title())).append("]\n");
        for (QAction* a : menu->actions()) {
            const QString key = a->shortcut().isEmpty() ? "" : "|" + a->shortcut().toString();
            shown += (a->isSeparator() ? "-" : a->isVisible() ? S(a->text().replace('\t', "\\t") + key) : "(hidden)");
            shown += "\n";
        }
    }
    for (const std::string& line : DataLines("menus.txt")) golden += line + "\n";
    EXPECT_EQ(shown, golden);
}

// Each button, and the menu item it stands for, triggered as a click would: its tooltip and the one
// effect its command has.
TEST_F(Fixture, EachToolbarButtonAndItsMenuItemRunTheCommand)
{
    WriteFileText(host.dir / "guide.pdf", "%PDF-1.4\n");
    window.SetHelpFile(host.dir / "guide.pdf");
    std::string effects;
    // clang-format off
    for (auto [id, name] : {std::pair{DialogId::Options, "Options"}, {DialogId::Scale, "Scale"}, {DialogId::Move, "Move"},
                            {DialogId::Invert, "Invert"}, {DialogId::Interpolate, "Interpolate"},
                            {DialogId::Resample, "Resample"}, {DialogId::Trim, "Trim"}, {DialogId::Split, "Split"},
                            {DialogId::Stitch, "Stitch"}})
        host.dialogs[id] = [&effects, name = name](QWidget*) { effects += std::string("dialog ") + name + ";"; };
    // clang-format on
    Choose("");
    std::vector<int32_t> start(32 * 32, 0);
    start[0] = 1, start[31] = 2, start[32 * 31] = 3, start[32 * 32 - 1] = 4;
    const std::string path = host.dir / "map.hmb";
    for (const std::string& row : DataLines("toolbar.txt")) {
        SCOPED_TRACE(row);
        const auto m = QRegularExpression(R"(^(\d+) (\w+)/(\d+) ([^:]+): (.*)$)").match(Q(row));
        ASSERT_TRUE(m.hasMatch());
        const int button = m.captured(1).toInt();
        EXPECT_EQ(window.TbarButton[button]->toolTip(), m.captured(4));
        QAction* item = nullptr;
        for (auto [menu, items] : Menus())
            if (menu->title().remove('&') == m.captured(2)) item = items->at(m.captured(3).toUInt());
        ASSERT_NE(item, nullptr);
        for (QAction* action : {window.TbarButton[button], item}) {
            LoadGrid(32, 32, start, FmtHmb);
            window.SetCurrentFile(path);
            window.UpdateCommandStates();
            const int startView = button == 12 ? 2 : 0;
            window.SelectView(startView);
            std::filesystem::remove(path);
            host.Said();
            effects.clear(), asked.clear();

            action->trigger();
            effects = asked + effects + host.Said();
            if (Globals().currentView != startView) effects += "view " + std::to_string(Globals().currentView) + ";";
            for (int b = 12; b <= 15; ++b)
                if (window.TbarButton[b]->isChecked() != (b == 12 + Globals().currentView)) effects += "wrong button;";
            const std::vector<int32_t> g = CurrentGrid();
            if (!window.HasHeightmap()) effects += "closed;";
            else if (g.size() != start.size())
                effects += "size " + std::to_string(HeightmapWidth()) + " x " + std::to_string(HeightmapHeight()) + ";";
            else if (g != start)
                effects += "corners " + std::to_string(g[0]) + " " + std::to_string(g[31]) + " " +
                           std::to_string(g[32 * 31]) + " " + std::to_string(g.back()) + ";";
            if (FileExists(path)) effects += "written;";
            EXPECT_EQ(QString::fromStdString(effects).replace('\n', ';').replace(Q(host.dir.Path()), "DIR"),
                      m.captured(5))
                << S(action->text());
        }
    }
    // Without the guide the Help command says so and opens nothing.
    window.SetHelpFile(host.dir / "missing.pdf");
    host.Said();
    window.ShowHelpContents();
    EXPECT_EQ(host.Said(),
              "warning: The Help File is missing.\r\nPlease repair the installation or reinstall the application.\n");
}

// The preview shows its drawing and reports the altitude under the mouse; a right click offers the
// Map menu, whose items run as from the menu bar.
TEST_F(Fixture, PreviewDrawingMouseReadoutAndMapMenu)
{
    ShowActive(window);
    OpenMap(64, 64, 0, 65535);
    window.RenderPreview();
    window.DrawAltitudeBar();
    EXPECT_EQ(window.PicPreview->grab().toImage().convertToFormat(QImage::Format_RGB32),
              window.PicPreview->Image().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(window.PicAltitude->Image().pixel(4, 511), qRgb(255, 51, 51)); // the lowest altitude's mark
    QMouseEvent move(QEvent::MouseMove, QPointF(256 + 31, 256 + 31), QPointF(), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(window.PicPreview, &move);
    EXPECT_EQ(window.SbarPanel[5]->text(), "X: 64   Y: 64   H: 65535");

    QTest::mouseClick(window.PicPreview, Qt::RightButton, {}, QPoint(100, 120));
    QMenu* menu = window.MnuMap;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(window.MnuMapItem[0]).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(std::pair(GetAltitude(1, 64), window.Modified()), std::pair(65535, true)); // flipped horizontally
}

TEST_F(Fixture, OpenRecentFilesChangeAndClose)
{
    const std::string path = WriteMapFile("terrain.hmb", 64, 32);
    Choose(path);
    window.FileOpen();
    EXPECT_EQ(window.CurrentPath(), path);
    EXPECT_EQ(State(), Shows(path, FmtHmb) + "64 x 32|L: 0 \u00B7 H: 14329 \u00B7 D: 14330  (14 bits)|");
    EXPECT_EQ(Recent(), "&1 terrain.hmb|-|");

    // Changed, answered No: the map is closed before the dialog, and cancelling it leaves an empty window.
    window.RunCommand(CommandId::FlipHorizontal);
    host.answers = {false};
    Choose("");
    window.FileOpen();
    EXPECT_EQ(host.Said(), std::string("question: ") + kChanged + "\n");
    EXPECT_EQ(State(), "TOLV|||||");
    EXPECT_EQ(std::pair(window.HasHeightmap(), HeightmapWidth()), std::pair(false, 0));

    // A recent file that is gone goes off the list on Yes; one that exists opens without a question.
    RflAddAndSave(host.dir / "gone.hmb");
    host.answers = {true};
    window.MnuFileItem[8]->trigger();
    EXPECT_EQ(Recent() + window.CurrentPath(), "&1 terrain.hmb|-|");
    host.Said();
    window.MnuFileItem[8]->trigger();
    EXPECT_EQ(host.Said() + window.CurrentPath(), path);

    // Closing asks only the quit question for an unchanged map (No keeps the window and the marker
    // of a run in progress), and first the save question for a changed one.
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
    ShowActive(window);
    host.realBoxes = true;
    const std::string other = WriteMapFile("other.hmb", 16, 16);
    host.dialogs[DialogId::Stitch] = [&](QWidget*) { asked += "open stitch;"; };
    // NoButton: Return, which must answer No to the power-of-two question.
    // clang-format off
    const std::tuple<const char*, int, const char*, std::vector<B::StandardButton>, const char*> failures[] = {
        {"Save As cancelled", 16, "", {B::Yes}, kChanged},
        {"not a power of two", 24, "never.hmb", {B::Yes, B::NoButton},
         "The heightmap is not a power-of-two size.\r\nContinue with save?"},
        {"writer failed", 16, "/proc/map.hmb", {B::Yes, B::Ok}, "An error occurred "}, // not even root writes there
    };
    // clang-format on
    // New, Open, Open Recent, Stitch, and closing the window.
    for (QAction* command : {window.MnuFileItem[0], window.MnuFileItem[1], window.MnuFileItem[8], window.MnuFileItem[5],
                             static_cast<QAction*>(nullptr)}) {
        for (const auto& [name, width, saveAs, answers, lastMessage] : failures) {
            SCOPED_TRACE((command ? S(command->text()) : "close") + ", " + name);
            RflAddAndSave(other);
            OpenMap(width, 16, 0, 100, "kept.hmb");
            window.SetModified(true);
            host.messages.clear(), asked.clear();
            Choose(*saveAs ? (std::filesystem::path(host.dir.Path()) / saveAs).string() : "");
            BoxClicker clicker(answers);
            command ? command->trigger() : (void)window.close();
            ASSERT_EQ(host.messages.size(), answers.size()); // no quit question after the save question
            EXPECT_TRUE(host.messages.back().text.starts_with(lastMessage)) << host.messages.back().text;
            EXPECT_EQ(S(window.windowTitle()) + (window.Modified() ? " changed" : "") +
                          (window.isVisible() ? " shown" : ""),
                      "TOLV - kept changed shown");
            EXPECT_EQ(std::pair(HeightmapWidth(), GetAltitude(width, 16)), std::pair(width, 100));
            EXPECT_EQ(asked.find("open "), std::string::npos) << asked;
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
    EXPECT_FALSE(window.isVisible() || window.HasHeightmap());
    window.show();
    window.AfterShow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.CurrentPath() == a; }));

    host.realBoxes = true;
    BoxClicker clicker({B::Ok});
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
    // Saved in another format, the window shows the new file; saved again, the old one is kept
    // as the backup.
    OpenMap(256, 256, 0, 10, "base.hmb");
    Choose(host.dir / "copy.hma");
    window.SetModified(true);
    window.FileSaveAs();
    EXPECT_EQ(window.CurrentPath(), host.dir / "copy.hma");
    EXPECT_EQ(State(), Shows(host.dir / "copy.hma", FmtHma) + "||");
    window.SetModified(true);
    window.FileSave();
    EXPECT_EQ(std::pair(window.Modified(), FileExists(BackupName(host.dir / "copy.hma"))), std::pair(false, true));

    // A format that can only be opened cannot be saved back: the flag stays.
    window.SetCurrentFile(host.dir / "picture.gif");
    window.SetModified(true);
    window.FileSave();
    EXPECT_EQ(host.Said() + (window.Modified() ? "changed" : ""),
              "info: This format is only supported for opening.\nchanged");
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
    EXPECT_EQ(State(), Shows(path, FmtHmb) + "32 x 32|L: 0 \u00B7 H: 65535 \u00B7 D: 65536  (16 bits)|");
}

// The window's part of the settings: read at the load step, written with the placement when it closes.
TEST_F(Fixture, SettingsAndPlacementRoundTrip)
{
    WriteFileText(host.ini, "[Options]\nPreviewColorset=9\nPreviewBackgroundColor=255\n[Settings]\nLastOpenPath=" +
                                host.dir.Path() +
                                "/\n[Dialogs]\nFrmMain.Left=40\nFrmMain.Top=30\nFrmMain.Width=900\n"
                                "FrmMain.Height=700\n");
    host.Said();
    FrmMain first(host); // reads them at its load step
    first.LoadStep(32);
    EXPECT_EQ(host.Said(), ""); // nothing asked or shown on a normal start
    EXPECT_EQ(first.HelpFile(), ProgramFolder() + ProgramFileName() + " User's Guide.pdf");
    for (int c = 0; c < 8; ++c) EXPECT_EQ(first.MnuViewColorsetItem[c]->isChecked(), c == 7) << c; // clamped
    EXPECT_EQ(first.PicPreview->Image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(Globals().lastOpenPath, host.dir.Path() + "/");
    EXPECT_EQ(first.frameGeometry(), QRect(40, 30, 900, 700));
    EXPECT_EQ(first.minimumSize(), first.DefaultWindowSize());
    Globals().scalePercent = 150;
    first.showMaximized();
    host.answers = {true};
    ASSERT_TRUE(first.close());
    SettingsStore s(host.ini);
    EXPECT_EQ(s.IniGetInteger("Functions", "ScalePercent", -1), 150);
    EXPECT_TRUE(s.IniGetBoolean("Dialogs", "FrmMain.Maximized", false));
    EXPECT_EQ(s.IniGetInteger("Dialogs", "FrmMain.Width", 0), 900); // the normal size is kept
    ResetGlobals();
    FrmMain again(host);
    again.LoadStep(32);
    EXPECT_EQ(Globals().scalePercent, 150);
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
}

TEST_F(Fixture, SplitAsksForTheBaseNameAndStitchGivesANewChangedMap)
{
    OpenMap(64, 64, 0, 1000, "land.hmb");
    host.dialogs[DialogId::Split] = [](QWidget*) { ConfirmDialog(SplitResult{2, 1, 32, 64, false}); };
    Choose(host.dir / "land"); // the proposed name, as it is
    window.MnuFileItem[6]->trigger();
    EXPECT_EQ(asked, "save Specify Split Base Filespec|land||bmp - Unreal G16 Heightmap (*.bmp);");
    EXPECT_EQ(std::tuple(FileExists(host.dir / "land00.bmp"), FileExists(host.dir / "land01.bmp"),
                         FileExists(host.dir / "land02.bmp"), window.Modified(),
                         window.MnuMap->menuAction()->isEnabled()),
              std::tuple(true, true, false, false, true));

    const std::string left = WriteMapFile("left.hmb", 16, 16), right = WriteMapFile("right.hmb", 16, 16);
    host.dialogs[DialogId::Stitch] = [&](QWidget*) { ConfirmDialog(StitchResult{{left, right, "", ""}}); };
    window.FileStitch();
    EXPECT_EQ(State(),
              "TOLV|" + FormatDescription(FmtHmb) + "||32 x 16|L: 0 \u00B7 H: 1785 \u00B7 D: 1786  (11 bits)||changed");
    EXPECT_TRUE(window.MnuFileItem[2]->isEnabled());
    const QImage img = window.PicPreview->Image();
    EXPECT_NE(img.pixel(256, 256), img.pixel(0, 0)); // drawn, not only background
    asked.clear();
    window.FileSave(); // no file of its own yet: Save asks where
    EXPECT_EQ(asked.substr(0, 25) + (window.Modified() ? "changed" : ""), "save Save Heightmap File|changed");
}
