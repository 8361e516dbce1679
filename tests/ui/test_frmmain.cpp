// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QToolBar>
#include <filesystem>
#include <map>

#include "UiTestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/CommandTable.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "shell/FrmOptionsRules.h"
#include "shell/StatusText.h"
#include "shell/ui/FrmMain.h"
#include "shell/ui/PicPreview.h"
#include "shell/vbRecentFileList.h"

using namespace tolv;
using namespace tolv::test;

namespace {

const char* const kQuit = "Quit the TOLV application?";

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
        std::string path = host.dir / name;
        EXPECT_TRUE(SaveFileByType(path));
        ClearHeightmap();
        return path;
    }

    QString Panel(int p) const { return window.SbarPanel[p]->text(); }
};

} // namespace

// The rules themselves are tested with the map commands; these rows turn each one off once.
// Map menu item i and toolbar button 20 + i are the same command.
TEST_F(Fixture, AvailabilityRulesReachMenuAndToolbar)
{
    struct Row {
        const char* name;
        int w, h, lo, hi;
        bool invert, resample, interpolate, move;
    } rows[] = {
        {"513 x 513", 513, 513, 0, 1000, true, false, false, true},
        {"flat", 64, 64, 500, 500, false, true, true, true},
        {"0..65535", 64, 64, 0, 65535, true, true, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        OpenMap(r.w, r.h, r.lo, r.hi);
        const std::pair<int, bool> items[] = {{0, true},  {1, true},        {2, true},           {3, true},
                                              {4, r.invert}, {5, true},     {6, true},           {8, r.resample},
                                              {9, r.interpolate}, {10, true}, {11, r.move}};
        for (auto [i, on] : items) {
            EXPECT_EQ(window.MnuMapItem[i]->isEnabled(), on) << i;
            EXPECT_EQ(window.TbarButton[20 + i]->isEnabled(), on) << i;
        }
        for (int b : {4, 5, 8, 10, 12, 13, 14, 15, 16, 17}) EXPECT_TRUE(window.TbarButton[b]->isEnabled()) << b;
        EXPECT_TRUE(window.CboZoom->isEnabled());
    }
}

TEST_F(Fixture, WithoutAMapOnlyTheAlwaysCommandsAreEnabled)
{
    window.LoadStep(32);
    for (int i : {0, 1, 2, 3, 5, 6, 17}) EXPECT_EQ(window.MnuFileItem[i]->isEnabled(), i < 2 || i == 5 || i == 17) << i;
    EXPECT_FALSE(window.MnuEditItem[0]->isEnabled());
    for (int i : {0, 1, 2, 3, 5, 6}) EXPECT_FALSE(window.MnuViewItem[i]->isEnabled()) << i;
    EXPECT_TRUE(window.MnuViewItem[8]->isEnabled());
    for (QAction* a : window.MnuMapItem) EXPECT_FALSE(!a->isSeparator() && a->isEnabled()) << a->text().toStdString();
    for (int b = 1; b <= 35; ++b) {
        if (window.TbarButton[b]->isSeparator() || b == 18) continue;
        EXPECT_EQ(window.TbarButton[b]->isEnabled(), b == 2 || b == 3 || b == 7 || b == 33 || b == 35) << b;
    }
    EXPECT_FALSE(window.CboZoom->isEnabled());
}

TEST_F(Fixture, EnableCommandsFalseDisablesEverythingAndTrueReappliesTheRules)
{
    OpenMap(64, 64, 0, 65535); // Move is not available for this one
    window.EnableCommands(false);
    for (QMenu* m : {window.MnuFile, window.MnuEdit, window.MnuView, window.MnuMap, window.MnuTools, window.MnuHelp})
        EXPECT_FALSE(m->menuAction()->isEnabled());
    for (int b : {2, 28, 35}) EXPECT_FALSE(window.TbarButton[b]->isEnabled()) << b;
    EXPECT_FALSE(window.CboZoom->isEnabled());
    window.EnableCommands(true);
    EXPECT_TRUE(window.MnuMap->menuAction()->isEnabled());
    EXPECT_TRUE(window.TbarButton[28]->isEnabled());
    EXPECT_FALSE(window.TbarButton[31]->isEnabled());
}

// Every caption and shortcut of the menus in menu order ("caption|shortcut", "-" a separator);
// the recent-file slots (null) are set by the recent list.
TEST_F(Fixture, MenuCaptionsAndShortcuts)
{
    window.LoadStep(32);
    const FrmMain& w = window;
    const char* const recent = nullptr;
    struct Menu {
        QMenu* menu;
        const std::vector<QAction*>& items;
        std::vector<const char*> expected;
    };
    const Menu menus[] = {
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
    for (const auto& [menu, items, expected] : menus) {
        SCOPED_TRACE(menu->objectName().toStdString());
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
        ASSERT_EQ(items.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            QAction* a = actions[static_cast<qsizetype>(i)];
            EXPECT_EQ(a, items[i]) << i; // the index the commands are dispatched by
            if (!expected[i]) continue;
            const QStringList want = QString::fromUtf8(expected[i]).split('|');
            SCOPED_TRACE(want[0].toStdString());
            EXPECT_EQ(a->isSeparator(), want[0] == "-");
            if (a->isSeparator()) continue;
            EXPECT_EQ(a->text(), want[0]);
            EXPECT_EQ(a->shortcut(), QKeySequence(want.value(1)));
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
    const std::map<DialogId, const char*> dialogNames = {
        {DialogId::Options, "Options"}, {DialogId::Scale, "Scale"},   {DialogId::Move, "Move"},
        {DialogId::Invert, "Invert"},   {DialogId::Interpolate, "Interpolate"}, {DialogId::Resample, "Resample"},
        {DialogId::Trim, "Trim"},       {DialogId::Split, "Split"},   {DialogId::Stitch, "Stitch"}};
    std::string effects;
    for (const auto& [id, name] : dialogNames)
        host.dialogs[id] = [&effects, name = name](QWidget*) { effects += std::string("dialog ") + name + ";"; };
    SetFileChooser([&](const FileDialogRequest& r) {
        effects += (r.save ? "save dialog " : "open dialog ") + S(r.title) + ";";
        return QString();
    });
    // Corner altitudes 1 2 / 3 4 (top-left, top-right, bottom-left, bottom-right) show each turn.
    auto corners = [] {
        return std::to_string(GetAltitude(1, 1)) + " " + std::to_string(GetAltitude(HeightmapWidth(), 1)) + " " +
               std::to_string(GetAltitude(1, HeightmapHeight())) + " " +
               std::to_string(GetAltitude(HeightmapWidth(), HeightmapHeight()));
    };
    const std::string underDevelopment = "info This function is under development.;";
    const FrmMain& w = window;
    struct Row {
        int button;
        QAction* item;
        const char* tooltip;
        std::string effect;
        int startView = 0;
    };
    const Row rows[] = {
        {2, w.MnuFileItem[0], "New", "closed;"},
        {3, w.MnuFileItem[1], "Open", "open dialog Open Heightmap File;closed;"},
        {4, w.MnuFileItem[2], "Save", "written;"},
        {5, w.MnuFileItem[3], "Save As", "save dialog Save Heightmap File;"},
        {7, w.MnuFileItem[5], "Stitch Heightmaps", "dialog Stitch;closed;"},
        {8, w.MnuFileItem[6], "Split Heightmap", "dialog Split;"},
        {10, w.MnuEditItem[0], "Undo", underDevelopment},
        {12, w.MnuViewItem[0], "Top", "view 0 pressed 12;", 2},
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
    const std::string path = host.dir / "map.hmb";
    for (const Row& r : rows) {
        EXPECT_EQ(window.TbarButton[r.button]->toolTip(), QString::fromUtf8(r.tooltip)) << r.button;
        for (QAction* action : {window.TbarButton[r.button], r.item}) {
            SCOPED_TRACE(action->objectName().toStdString() + " " + S(action->text()));
            std::vector<int32_t> samples(32 * 32, 0);
            samples[0] = 1, samples[31] = 2, samples[32 * 31] = 3, samples[32 * 32 - 1] = 4;
            LoadGrid(32, 32, samples, FmtHmb);
            window.SetCurrentFile(path);
            window.UpdateCommandStates();
            window.SelectView(r.startView);
            std::filesystem::remove(path);
            host.messages.clear();
            host.opened.clear();
            effects.clear();

            action->trigger();
            for (const auto& m : host.messages) effects += m.kind + " " + m.text + ";";
            for (const QUrl& url : host.opened) effects += "opened " + S(url.toLocalFile()) + ";";
            if (Globals().currentView != r.startView) {
                int pressed = 0;
                for (int b = 12; b <= 15; ++b)
                    if (window.TbarButton[b]->isChecked()) pressed = pressed ? -1 : b;
                effects += "view " + std::to_string(Globals().currentView) + " pressed " + std::to_string(pressed);
                effects += ";";
            }
            if (!window.HasHeightmap())
                effects += "closed;";
            else if (HeightmapWidth() != 32 || HeightmapHeight() != 32)
                effects += "size " + std::to_string(HeightmapWidth()) + " x " + std::to_string(HeightmapHeight()) + ";";
            else if (corners() != "1 2 3 4")
                effects += "corners " + corners() + ";";
            if (FileExists(path)) effects += "written;";
            EXPECT_EQ(effects, r.effect);
        }
    }
    SetFileChooser(nullptr);
}

TEST_F(Fixture, RightClickOnThePreviewOffersTheMapMenuAndRunsTheChosenCommand)
{
    window.LoadStep(32);
    ShowActive(window);
    OpenMap(64, 64, 0, 65535); // Move is not offered for a map using the whole range
    int moves = 0;
    host.dialogs[DialogId::Move] = [&](QWidget*) { ++moves; };
    QTest::mouseClick(window.PicPreview, Qt::RightButton, {}, QPoint(100, 120));
    QMenu* menu = window.MnuMap;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    EXPECT_EQ(menu->actions(), QList<QAction*>(window.MnuMapItem.begin(), window.MnuMapItem.end()));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(window.MnuMapItem[11]).center());
    EXPECT_EQ(moves, 0);
    EXPECT_FALSE(window.Modified());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(window.MnuMapItem[0]).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(GetAltitude(1, 64), 65535); // flipped horizontally
    EXPECT_TRUE(window.Modified());
}

TEST_F(Fixture, ClosingAsksTwoQuestionsWhenModifiedAndOneOtherwise)
{
    window.LoadStep(32);
    OpenMap(64, 64, 0, 100);
    // Unchanged: only the quit question; No keeps the window and the marker at 0.
    host.answers = {false};
    EXPECT_FALSE(window.close());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kQuit);
    EXPECT_FALSE(host.messages[0].defaultNo);
    EXPECT_EQ(SettingsStore(host.ini).IniGetInteger("Shutdown", "Success", 7), 0);

    host.messages.clear();
    window.SetModified(true);
    host.answers = {false, true};
    EXPECT_TRUE(window.close());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "The current Heightmap has been changed.\r\nSave the Heightmap to a file?");
    EXPECT_FALSE(host.messages[0].defaultNo);
    EXPECT_EQ(host.messages[1].text, kQuit);
    EXPECT_EQ(SettingsStore(host.ini).IniGetInteger("Shutdown", "Success", 7), 1);
}

TEST_F(Fixture, OpenModifyThenNew)
{
    window.LoadStep(32);
    std::string path = WriteMapFile("terrain.hmb", 64, 32);
    int chooserCalls = 0;
    SetFileChooser([&](const FileDialogRequest& r) {
        ++chooserCalls;
        EXPECT_FALSE(r.save);
        EXPECT_EQ(r.title, QStringLiteral("Open Heightmap File"));
        EXPECT_EQ(r.defaultSuffix, QStringLiteral("hmb"));
        EXPECT_EQ(r.filters.last(), QStringLiteral("All Files (*)"));
        return Q(path);
    });
    window.FileOpen();
    EXPECT_EQ(chooserCalls, 1);
    ASSERT_TRUE(window.HasHeightmap());
    EXPECT_EQ(window.CurrentPath(), path);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TOLV - terrain"));
    EXPECT_FALSE(window.Modified());
    EXPECT_EQ(Panel(1), Q(FormatDescription(FmtHmb)));
    EXPECT_EQ(Panel(3), QStringLiteral("64 x 32"));
    EXPECT_TRUE(Panel(4).startsWith("L: 0"));
    EXPECT_FALSE(Panel(2).isEmpty());
    // The file went to the top of the recent list and shows in the File menu.
    EXPECT_EQ(RflGetItem(1), path);
    EXPECT_EQ(window.MnuFileItem[8]->text(), QStringLiteral("&1 terrain.hmb"));
    EXPECT_TRUE(window.MnuFileItem[8]->isVisible());
    EXPECT_TRUE(window.MnuFileItem[16]->isVisible());
    EXPECT_FALSE(window.MnuFileItem[9]->isVisible());

    window.RunCommand(CommandId::FlipHorizontal);
    EXPECT_TRUE(window.Modified());
    EXPECT_TRUE(host.messages.empty());

    host.answers = {false};
    window.FileNew();
    ASSERT_EQ(host.Count("question"), 1u);
    EXPECT_FALSE(window.HasHeightmap());
    EXPECT_FALSE(window.Modified());
    EXPECT_EQ(window.CurrentPath(), "");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TOLV"));
    EXPECT_EQ(HeightmapWidth(), 0);
    for (int p = 1; p <= 5; ++p) EXPECT_TRUE(Panel(p).isEmpty()) << p;
    EXPECT_FALSE(window.MnuFileItem[2]->isEnabled());

    // Changed, answered No and the dialog cancelled: an empty window.
    OpenMap(32, 32, 0, 10);
    window.SetModified(true);
    host.answers = {false};
    SetFileChooser([](const FileDialogRequest&) { return QString(); });
    window.FileOpen();
    EXPECT_EQ(host.Count("question"), 2u);
    EXPECT_FALSE(window.HasHeightmap());
    EXPECT_EQ(HeightmapWidth(), 0);
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
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [&] { file[0]->trigger(); }},       {"Open", [&] { file[1]->trigger(); }},
        {"Open Recent", [&] { file[8]->trigger(); }}, {"Stitch", [&] { file[5]->trigger(); }},
        {"close", [&] { window.close(); }},
    };
    // NoButton: Return, which must answer No to the power-of-two question.
    const struct {
        const char* name;
        int width;
        const char* saveAs;
        std::initializer_list<B::StandardButton> answers;
        const char* lastMessage;
    } failures[] = {
        {"Save As cancelled", 16, "", {B::Yes},
         "The current Heightmap has been changed.\r\nSave the Heightmap to a file?"},
        {"not a power of two", 24, "never.hmb", {B::Yes, B::NoButton},
         "The heightmap is not a power-of-two size.\r\nContinue with save?"},
        {"writer failed", 16, "/proc/map.hmb", {B::Yes, B::Ok}, "An error occurred "}, // not even root writes there
    };
    for (const auto& [command, run] : commands) {
        for (const auto& f : failures) {
            SCOPED_TRACE(std::string(command) + ", " + f.name);
            RflAddAndSave(other);
            OpenMap(f.width, 16, 0, 100, "kept.hmb");
            window.SetModified(true);
            host.messages.clear();
            stitchShown = 0;
            int openDialogs = 0;
            SetFileChooser([&](const FileDialogRequest& r) {
                openDialogs += !r.save;
                return r.save && *f.saveAs ? Q(std::filesystem::path(host.dir.Path()) / f.saveAs) : QString();
            });
            BoxClicker clicker(f.answers);
            run();
            ASSERT_EQ(host.messages.size(), f.answers.size()); // no quit question after the save question
            EXPECT_TRUE(host.messages.back().text.starts_with(f.lastMessage)) << host.messages.back().text;
            EXPECT_TRUE(window.isVisible());
            EXPECT_TRUE(window.HasHeightmap());
            EXPECT_TRUE(window.Modified());
            EXPECT_EQ(window.windowTitle(), QStringLiteral("TOLV - kept"));
            EXPECT_EQ(HeightmapWidth(), f.width);
            EXPECT_EQ(GetAltitude(f.width, 16), 100);
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

// A power-of-two map goes straight to the dialog, with the current name offered.
TEST_F(Fixture, SaveAsOffersTheCurrentNameAndTakesTheSavedFile)
{
    int chooserCalls = 0;
    OpenMap(256, 256, 0, 10, "base.hmb");
    SetFileChooser([&](const FileDialogRequest& r) {
        ++chooserCalls;
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.title, QStringLiteral("Save Heightmap File"));
        EXPECT_EQ(r.fileName, QStringLiteral("base"));
        return Q(host.dir / "copy.hma");
    });
    window.SetModified(true);
    window.FileSaveAs();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_EQ(window.CurrentPath(), host.dir / "copy.hma");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TOLV - copy"));
    EXPECT_FALSE(window.Modified());
    EXPECT_EQ(Panel(2).toStdString(), FileSizeText(static_cast<int64_t>(ReadFileBytes(host.dir / "copy.hma").size())));
}

TEST_F(Fixture, SaveWritesBackAndClearsModifiedOnlyOnSuccess)
{
    std::string path = WriteMapFile("back.hmb", 16, 16);
    ASSERT_TRUE(OpenFileByType(path));
    window.ShowOpenedFile(path);
    window.SetModified(true);
    window.FileSave();
    EXPECT_FALSE(window.Modified());
    EXPECT_TRUE(FileExists(BackupName(path)));

    // A format that can only be opened cannot be saved back: the flag stays.
    window.SetCurrentFile(host.dir / "picture.gif");
    window.SetModified(true);
    window.FileSave();
    EXPECT_TRUE(window.Modified());
    EXPECT_EQ(host.Count("warning") + host.Count("info"), 1u);
}

TEST_F(Fixture, SelectingAViewOrColorsetMovesTheCheck)
{
    OpenMap(64, 64, 0, 100);
    QImage before = window.PicPreview->Image().copy();
    window.SelectView(0);
    EXPECT_EQ(window.PicPreview->Image(), before);
    window.SelectView(1);
    EXPECT_NE(window.PicPreview->Image(), before);
    EXPECT_TRUE(window.TbarButton[20]->isEnabled()); // commands were enabled again

    window.SelectColorset(5);
    for (int c = 0; c < 8; ++c) EXPECT_EQ(window.MnuViewColorsetItem[c]->isChecked(), c == 5) << c;
    EXPECT_EQ(Globals().previewColorset, 5);
}

TEST_F(Fixture, HelpContentsWarnsWhenTheGuideIsMissing)
{
    window.SetHelpFile(host.dir / "missing.pdf");
    window.ShowHelpContents();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "The Help File is missing.\r\nPlease repair the installation or reinstall the application.");
    EXPECT_TRUE(host.opened.empty());
}

TEST_F(Fixture, WindowIconIsTheScalableIconInstalledForTheDesktop)
{
    QSvgRenderer svg(QStringLiteral(TOLV_SOURCE_DIR "/packaging/tolv.svg"));
    ASSERT_TRUE(svg.isValid());
    for (int size : {16, 32, 256}) {
        QImage expected(size, size, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter p(&expected);
        svg.render(&p);
        p.end();
        QImage shown = window.windowIcon().pixmap(size).toImage();
        EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied), expected) << size;
    }
}

TEST_F(Fixture, OptionsCommandStoresTheDialogResults)
{
    host.dialogs[DialogId::Options] = [](QWidget*) {
        EXPECT_EQ(ReadDialogParams<OptionsValues>().previewBackgroundColor, 0xFFFFFF);
        ConfirmDialog(OptionsValues{2, 1, 0x0000FF, 1, true, 1});
    };
    window.ShowOptions();
    const GlobalSettings& g = Globals();
    EXPECT_EQ(g.convertColorToGrayscale, 2);
    EXPECT_EQ(g.fileTypeSort, 1);
    EXPECT_EQ(g.previewBackgroundColor, 0x0000FF);
    EXPECT_EQ(g.previewLocation, 1);
    EXPECT_TRUE(g.scaleOnOpen);
    EXPECT_EQ(g.undoMode, 1);
    // The preview shows the new background (red) at once.
    EXPECT_EQ(window.PicPreview->Image().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_TRUE(DialogCancelled()); // the slots are cleared

    host.dialogs[DialogId::Options] = [](QWidget*) { WriteDialogResult(OptionsValues{}); }; // cancelled
    window.ShowOptions();
    EXPECT_EQ(Globals().convertColorToGrayscale, 2);
}

// The value rules of each key are tested with the settings themselves; here the window's part.
TEST_F(Fixture, SettingsRoundTripThroughTheIniFile)
{
    WriteFileText(host.ini, "[Options]\r\nPreviewColorset=9\r\nPreviewBackgroundColor=255\r\n"
                            "[Settings]\r\nLastOpenPath=" + host.dir.Path() + "/\r\n");
    window.LoadStep(32);
    EXPECT_TRUE(host.messages.empty()); // nothing asked or shown on a normal start
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TOLV"));
    EXPECT_EQ(window.HelpFile(), ProgramFolder() + ProgramFileName() + " User's Guide.pdf");
    for (int c = 0; c < 8; ++c) EXPECT_EQ(window.MnuViewColorsetItem[c]->isChecked(), c == 7) << c; // clamped
    EXPECT_EQ(window.PicPreview->Image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(Globals().lastOpenPath, host.dir.Path() + "/");
    Globals().scalePercent = 150;
    host.answers = {true};
    ASSERT_TRUE(window.close());
    SettingsStore s(host.ini);
    EXPECT_EQ(s.IniGetInteger("Functions", "ScalePercent", -1), 150);
    EXPECT_EQ(s.IniGetInteger("Dialogs", "FrmMain.Width", 0), window.DefaultWindowSize().width());

    ResetGlobals();
    FrmMain again(host);
    again.LoadStep(32);
    EXPECT_EQ(Globals().scalePercent, 150);
    EXPECT_EQ(Globals().previewColorset, 7);
}

TEST_F(Fixture, WindowPlacementIsRestoredAndMaximizedKeepsTheNormalSize)
{
    WriteFileText(host.ini, "[Dialogs]\r\nFrmMain.Left=40\r\nFrmMain.Top=30\r\nFrmMain.Width=900\r\n"
                            "FrmMain.Height=700\r\nFrmMain.Maximized=0\r\n");
    window.LoadStep(32);
    EXPECT_EQ(window.pos(), QPoint(40, 30));
    EXPECT_EQ(window.frameGeometry().size(), QSize(900, 700));
    EXPECT_EQ(window.minimumSize(), window.DefaultWindowSize());

    window.showMaximized();
    host.answers = {true};
    ASSERT_TRUE(window.close());
    SettingsStore s(host.ini);
    EXPECT_TRUE(s.IniGetBoolean("Dialogs", "FrmMain.Maximized", false));
    EXPECT_EQ(s.IniGetInteger("Dialogs", "FrmMain.Width", 0), 900);
    EXPECT_EQ(s.IniGetInteger("Dialogs", "FrmMain.Left", 0), 40);

    FrmMain again(host);
    again.LoadStep(32);
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
}

TEST_F(Fixture, ResetAndCenterWindow)
{
    window.resize(1000, 800);
    window.ResetWindowSize();
    EXPECT_EQ(window.size(), window.DefaultWindowSize());
    window.CenterWindow();
    QRect work = window.screen()->availableGeometry();
    EXPECT_LE(std::abs(window.x() - (work.width() - window.frameGeometry().width()) / 2), 1);
    EXPECT_LE(std::abs(window.y() - (work.height() - window.frameGeometry().height()) / 2), 1);
}

TEST_F(Fixture, RecentItemOfAMissingFileAsksAndRemovesOnYes)
{
    window.LoadStep(32);
    std::string kept = WriteMapFile("kept.hmb", 16, 16);
    RflAddAndSave(kept);
    RflAddAndSave(host.dir / "gone.hmb");
    ASSERT_EQ(window.MnuFileItem[8]->text(), QStringLiteral("&1 gone.hmb"));
    host.answers = {true};
    window.MnuFileItem[8]->trigger();
    EXPECT_EQ(host.Count("question"), 1u);
    EXPECT_FALSE(window.HasHeightmap());
    EXPECT_EQ(RflGetItem(1), kept);
    EXPECT_EQ(window.MnuFileItem[8]->text(), QStringLiteral("&1 kept.hmb"));
    EXPECT_FALSE(window.MnuFileItem[9]->isVisible());

    host.messages.clear();
    window.MnuFileItem[8]->trigger();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(window.CurrentPath(), kept);
}

TEST_F(Fixture, ScaleOnOpenStretchesTheOpenedMapWithoutMarkingItChanged)
{
    std::string path = WriteMapFile("small.hmb", 32, 32);
    Globals().scaleOnOpen = true;
    Globals().scaleMethod = 1; // to the full 16-bit range
    ASSERT_TRUE(OpenFileByType(path));
    ASSERT_LT(MaxAltitude(), 65535);
    window.ShowOpenedFile(path);
    EXPECT_EQ(MinAltitude(), 0);
    EXPECT_EQ(MaxAltitude(), 65535);
    EXPECT_FALSE(window.Modified());
    EXPECT_TRUE(Panel(4).contains(QStringLiteral("H: 65535")));
}

TEST_F(Fixture, SplitAsksForTheBaseNameAndWritesTiles)
{
    OpenMap(64, 64, 0, 1000, "land.hmb");
    host.dialogs[DialogId::Split] = [](QWidget*) { ConfirmDialog(SplitResult{2, 1, 32, 64, false}); };
    SetFileChooser([&](const FileDialogRequest& r) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.title, QStringLiteral("Specify Split Base Filespec"));
        EXPECT_EQ(r.filters, (QStringList{"bmp - Unreal G16 Heightmap (*.bmp)"}));
        EXPECT_EQ(r.fileName, QStringLiteral("land"));
        return Q(host.dir / S(r.fileName)); // the proposed name, as it is
    });
    window.MnuFileItem[6]->trigger();
    EXPECT_TRUE(FileExists(host.dir / "land00.bmp"));
    EXPECT_TRUE(FileExists(host.dir / "land01.bmp"));
    EXPECT_FALSE(FileExists(host.dir / "land02.bmp"));
    EXPECT_EQ(HeightmapWidth(), 64);
    EXPECT_FALSE(window.Modified());
    EXPECT_TRUE(window.MnuMap->menuAction()->isEnabled());
}

TEST_F(Fixture, StitchedMapIsShownAsANewChangedMapAndSaveAsksWhere)
{
    std::string left = WriteMapFile("left.hmb", 16, 16);
    std::string right = WriteMapFile("right.hmb", 16, 16);
    host.dialogs[DialogId::Stitch] = [&](QWidget*) { ConfirmDialog(StitchResult{{left, right, "", ""}}); };
    window.FileStitch();
    ASSERT_TRUE(window.HasHeightmap());
    EXPECT_TRUE(window.Modified());
    EXPECT_EQ(window.CurrentPath(), "");
    EXPECT_EQ(Panel(3), QStringLiteral("32 x 16"));
    EXPECT_TRUE(window.MnuFileItem[2]->isEnabled());
    QImage img = window.PicPreview->Image();
    EXPECT_NE(img.pixel(256, 256), img.pixel(0, 0)); // drawn, not only background

    int asked = 0;
    SetFileChooser([&](const FileDialogRequest& r) {
        ++asked;
        EXPECT_TRUE(r.save);
        return QString();
    });
    window.FileSave();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window.Modified());
}
