// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QToolBar>
#include <map>
#include <set>

#include "UiTestHost.h"
#include "formats/vbFileManagement.h"
#include "shell/ui/FrmMain.h"
#include "shell/ui/PicAltitude.h"
#include "shell/ui/PicPreview.h"
#include "shell/StatusText.h"
#include "shell/vbRecentFileList.h"

using namespace tolv;
using namespace tolv::test;

namespace {

struct Fixture : ::testing::Test {
    UiTestHost host;
    FrmMain window{host};

    // A map of the given size whose altitudes run from lo to hi, opened as if from a file.
    void OpenMap(int w, int h, int lo, int hi, const std::string& name = "map.hmb")
    {
        std::vector<int32_t> samples(static_cast<size_t>(w) * h, lo);
        samples.back() = hi;
        LoadGrid(w, h, samples, FmtHmb);
        window.SetCurrentFile(host.dir / name);
        window.UpdateCommandStates();
    }

    // Writes a binary heightmap file through the save dispatch.
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

struct MenuRow {
    const char* menu;
    int index;
    const char* caption;
    const char* shortcut;
};

std::vector<QAction*>& Items(FrmMain& w, const std::string& menu)
{
    if (menu == "File") return w.MnuFileItem;
    if (menu == "Edit") return w.MnuEditItem;
    if (menu == "View") return w.MnuViewItem;
    if (menu == "Colorset") return w.MnuViewColorsetItem;
    if (menu == "Map") return w.MnuMapItem;
    if (menu == "Tools") return w.MnuToolsItem;
    return w.MnuHelpItem;
}

} // namespace

TEST_F(Fixture, EveryMenuItemHasItsCaptionAndShortcut)
{
    const MenuRow rows[] = {
        {"File", 0, "&New", "Ctrl+N"}, {"File", 1, "&Open...", "Ctrl+O"}, {"File", 2, "&Save", "Ctrl+S"},
        {"File", 3, "Save &As...", "Ctrl+A"}, {"File", 4, "-", ""}, {"File", 5, "Stitch Height&maps...", ""},
        {"File", 6, "S&plit Heightmap...", ""}, {"File", 7, "-", ""}, {"File", 16, "-", ""},
        {"Edit", 0, "&Undo", "Ctrl+Z"},
        {"View", 0, "&Top", "F5"}, {"View", 1, "&Front", "F6"}, {"View", 2, "&Side", "F7"},
        {"View", 3, "&Perspective", "F8"}, {"View", 4, "-", ""}, {"View", 5, "&Zoom In", "F11"},
        {"View", 6, "Zoom &Out", "F12"}, {"View", 7, "-", ""}, {"View", 8, "&Colorset", ""},
        {"Colorset", 0, "&Grayscale", ""}, {"Colorset", 1, "Sca&led Grayscale", ""}, {"Colorset", 2, "&Woodlands", ""},
        {"Colorset", 3, "&Canyons", ""}, {"Colorset", 4, "&Desert", ""}, {"Colorset", 5, "A&rctic", ""},
        {"Colorset", 6, "&Altitude", ""}, {"Colorset", 7, "&Spectrum", ""},
        {"Map", 0, "Flip &Horizontally", "Ctrl+H"}, {"Map", 1, "Flip &Vertically", "Ctrl+V"},
        {"Map", 2, "R&otate 90\u00B0 ccw", ""}, {"Map", 3, "Rotate 90\u00B0 c&w", ""}, {"Map", 4, "I&nvert", "Ctrl+E"},
        {"Map", 5, "&Crop...", "Ctrl+C"}, {"Map", 6, "&Trim...", "Ctrl+T"}, {"Map", 7, "-", ""},
        {"Map", 8, "&Resample...", "Ctrl+R"}, {"Map", 9, "&Interpolate...", "Ctrl+I"}, {"Map", 10, "&Scale...", "Ctrl+L"},
        {"Map", 11, "&Move...", "Ctrl+M"},
        {"Tools", 0, "&Options...", "F2"}, {"Tools", 1, "-", ""}, {"Tools", 2, "Center &Window on screen", ""},
        {"Tools", 3, "&Reset Window to default size", ""}, {"Tools", 4, "&Expand Window full-screen", ""},
        {"Help", 0, "&Contents", "F1"}, {"Help", 1, "-", ""}, {"Help", 2, "Brendock on the Web", ""},
        {"Help", 3, "-", ""}, {"Help", 4, "&About...", ""},
    };
    for (const MenuRow& r : rows) {
        SCOPED_TRACE(std::string(r.menu) + " " + std::to_string(r.index));
        auto& items = Items(window, r.menu);
        ASSERT_LT(static_cast<size_t>(r.index), items.size());
        QAction* a = items[r.index];
        if (std::string(r.caption) == "-") {
            EXPECT_TRUE(a->isSeparator());
            continue;
        }
        EXPECT_EQ(a->text(), QString::fromUtf8(r.caption));
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(r.shortcut)));
    }
    EXPECT_EQ(window.MnuFileItem.size(), 18u);
    EXPECT_EQ(window.MnuMapItem.size(), 12u);
    // The web-links submenu ends with its separator and the editor item once loaded.
    window.LoadStep(32);
    QList<QAction*> web = window.MnuHelpWeb->actions();
    ASSERT_GE(web.size(), 2);
    EXPECT_TRUE(web[web.size() - 2]->isSeparator());
    EXPECT_EQ(web.last()->text(), QStringLiteral("&Edit Links..."));
}

TEST_F(Fixture, LoadStepSetsExitCaptionZoomAndColorset)
{
    WriteFileText(host.ini, "[Options]\r\nPreviewColorset=3\r\n");
    window.LoadStep(32);
    EXPECT_EQ(window.MnuFileItem[17]->text(), QStringLiteral("E&xit\tAlt+F4"));
    EXPECT_TRUE(window.MnuViewColorsetItem[3]->isChecked());
    EXPECT_FALSE(window.MnuViewColorsetItem[0]->isChecked());
    ASSERT_EQ(window.CboZoom->count(), 5);
    EXPECT_EQ(window.CboZoom->currentText(), QStringLiteral("100%"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TOLV"));
    // The help file sits beside the program.
    EXPECT_EQ(window.HelpFile(), ProgramFolder() + ProgramFileName() + " User's Guide.pdf");
    // Nothing was asked or shown on a normal start.
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Fixture, ToolbarHasItsButtonsSeparatorsGroupAndZoomBox)
{
    const std::map<int, const char*> tips = {
        {2, "New"}, {3, "Open"}, {4, "Save"}, {5, "Save As"}, {7, "Stitch Heightmaps"}, {8, "Split Heightmap"},
        {10, "Undo"}, {12, "Top"}, {13, "Front"}, {14, "Side"}, {15, "Perspective"}, {16, "Zoom In"},
        {17, "Zoom Out"}, {20, "Flip Horizontally"}, {21, "Flip Vertically"},
        {22, "Rotate 90\u00B0 counter-clockwise"}, {23, "Rotate 90\u00B0 clockwise"}, {24, "Invert"}, {25, "Crop"},
        {26, "Trim"}, {28, "Resample"}, {29, "Interpolate"}, {30, "Scale"}, {31, "Move"}, {33, "Options"},
        {35, "Help"},
    };
    const std::set<int> separators = {1, 6, 9, 11, 19, 27, 32, 34};
    EXPECT_EQ(window.TbarMain->actions().size(), 35);
    for (int i = 1; i <= 35; ++i) {
        SCOPED_TRACE(i);
        QAction* a = window.TbarButton[i];
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(window.TbarMain->actions()[i - 1], a);
        if (separators.count(i)) {
            EXPECT_TRUE(a->isSeparator());
        } else if (i == 18) {
            EXPECT_EQ(window.TbarMain->widgetForAction(a), window.CboZoom);
        } else {
            EXPECT_EQ(a->toolTip(), QString::fromUtf8(tips.at(i)));
            EXPECT_FALSE(a->icon().isNull());
            // The pictures differ from button to button.
            for (int j = 2; j < i; ++j)
                if (tips.count(j))
                    EXPECT_NE(a->icon().pixmap(16).toImage(), window.TbarButton[j]->icon().pixmap(16).toImage()) << j;
        }
    }
    // The view buttons form a group in which exactly one is pressed.
    EXPECT_TRUE(window.TbarButton[12]->isChecked());
    window.TbarButton[14]->setChecked(true);
    int pressed = 0;
    for (int b = 12; b <= 15; ++b) pressed += window.TbarButton[b]->isChecked();
    EXPECT_EQ(pressed, 1);
}

TEST_F(Fixture, ClientAreaLayoutAndStatusPanels)
{
    EXPECT_EQ(window.PicPreview->geometry(), QRect(16, 48, 512, 512));
    EXPECT_EQ(window.PicAltitude->geometry(), QRect(544, 48, 33, 512));
    EXPECT_EQ(window.PicAltitude->toolTip(),
              QStringLiteral(" Heightmap Altitude indications for Minimum, Median, Midpoint and Maximum value ranges "));
    const char* tips[] = {"Information", "Heightmap File Size", "Heightmap Resolution",
                          "Heightmap Sample Range (Lo Hi Diff)", "Heightmap Value"};
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(window.SbarPanel[p]->toolTip(), QString::fromLatin1(tips[p - 1]));
    QStringList scale;
    for (int i = 0; i < 3; ++i) scale << window.findChild<QLabel*>(QStringLiteral("LblVAD%1").arg(i))->text();
    EXPECT_EQ(scale, (QStringList{"65535", "32767", "0"}));
    // The default window has a client area (below the menu bar) of 800 x 600.
    EXPECT_EQ(window.size(), window.DefaultWindowSize());
}

struct AvailabilityRow {
    const char* name;
    int w, h, lo, hi;
    bool invert, resample, interpolate, move;
};

TEST_F(Fixture, AvailabilityRulesFollowTheMap)
{
    const AvailabilityRow rows[] = {
        {"512 x 512", 512, 512, 0, 1000, true, true, false, true},
        {"16 x 16", 16, 16, 0, 1000, true, false, true, true},
        {"513 x 513", 513, 513, 0, 1000, true, false, false, true},
        {"flat", 64, 64, 500, 500, false, true, true, true},
        {"0..65535", 64, 64, 0, 65535, true, true, true, false},
        {"32 x 17", 32, 17, 0, 9, true, false, false, true},
    };
    for (const AvailabilityRow& r : rows) {
        SCOPED_TRACE(r.name);
        OpenMap(r.w, r.h, r.lo, r.hi);
        EXPECT_EQ(window.MnuMapItem[4]->isEnabled(), r.invert);
        EXPECT_EQ(window.TbarButton[24]->isEnabled(), r.invert);
        EXPECT_EQ(window.MnuMapItem[8]->isEnabled(), r.resample);
        EXPECT_EQ(window.TbarButton[28]->isEnabled(), r.resample);
        EXPECT_EQ(window.MnuMapItem[9]->isEnabled(), r.interpolate);
        EXPECT_EQ(window.TbarButton[29]->isEnabled(), r.interpolate);
        EXPECT_EQ(window.MnuMapItem[11]->isEnabled(), r.move);
        EXPECT_EQ(window.TbarButton[31]->isEnabled(), r.move);
        for (int i : {0, 1, 2, 3, 5, 6, 10}) EXPECT_TRUE(window.MnuMapItem[i]->isEnabled()) << i;
        for (int b : {4, 5, 8, 10, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 25, 26, 30})
            EXPECT_TRUE(window.TbarButton[b]->isEnabled()) << b;
        EXPECT_TRUE(window.CboZoom->isEnabled());
    }
}

TEST_F(Fixture, WithoutAMapOnlyTheAlwaysCommandsAreEnabled)
{
    window.LoadStep(32);
    for (int i : {2, 3, 6}) EXPECT_FALSE(window.MnuFileItem[i]->isEnabled()) << i;
    for (int i : {0, 1, 5, 17}) EXPECT_TRUE(window.MnuFileItem[i]->isEnabled()) << i;
    EXPECT_FALSE(window.MnuEditItem[0]->isEnabled());
    for (int i : {0, 1, 2, 3, 5, 6}) EXPECT_FALSE(window.MnuViewItem[i]->isEnabled()) << i;
    EXPECT_TRUE(window.MnuViewItem[8]->isEnabled());
    for (QAction* a : window.MnuMapItem)
        if (!a->isSeparator()) EXPECT_FALSE(a->isEnabled());
    for (int b = 1; b <= 35; ++b) {
        QAction* a = window.TbarButton[b];
        if (a->isSeparator() || b == 18) continue;
        bool always = b == 2 || b == 3 || b == 7 || b == 33 || b == 35;
        EXPECT_EQ(a->isEnabled(), always) << b;
    }
    EXPECT_FALSE(window.CboZoom->isEnabled());
}

TEST_F(Fixture, EnableCommandsFalseDisablesMenusButtonsAndZoom)
{
    OpenMap(64, 64, 0, 100);
    window.EnableCommands(false);
    for (QMenu* m : {window.MnuFile, window.MnuEdit, window.MnuView, window.MnuMap, window.MnuTools, window.MnuHelp})
        EXPECT_FALSE(m->menuAction()->isEnabled());
    EXPECT_FALSE(window.TbarButton[2]->isEnabled());
    EXPECT_FALSE(window.TbarButton[35]->isEnabled());
    EXPECT_FALSE(window.CboZoom->isEnabled());
    window.EnableCommands(true);
    EXPECT_TRUE(window.MnuMap->menuAction()->isEnabled());
    EXPECT_TRUE(window.TbarButton[20]->isEnabled());
    // The rules are applied again: a 64 x 64 map can be resampled, and its Move stays available.
    EXPECT_TRUE(window.TbarButton[28]->isEnabled());
    EXPECT_TRUE(window.TbarButton[31]->isEnabled());
}

TEST_F(Fixture, ClosingAsksTwoQuestionsWhenModifiedAndOneOtherwise)
{
    window.LoadStep(32);
    OpenMap(64, 64, 0, 100);
    // Unchanged: only the quit question; No keeps the window and the marker at 0.
    host.answers = {false};
    EXPECT_FALSE(window.close());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Quit the TOLV application?");
    EXPECT_FALSE(host.messages[0].defaultNo);
    EXPECT_EQ(SettingsStore(host.ini).IniGetInteger("Shutdown", "Success", 7), 0);

    // Changed: the save question (No), then the quit question (Yes) closes.
    host.messages.clear();
    window.SetModified(true);
    host.answers = {false, true};
    EXPECT_TRUE(window.close());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "The current Heightmap has been changed.\r\nSave the Heightmap to a file?");
    EXPECT_FALSE(host.messages[0].defaultNo);
    EXPECT_EQ(host.messages[1].text, "Quit the TOLV application?");
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
        EXPECT_EQ(r.filterIndex, 0);
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
    EXPECT_TRUE(window.MnuFileItem[8]->isVisible());
    EXPECT_EQ(window.MnuFileItem[8]->text(), QStringLiteral("&1 terrain.hmb"));
    EXPECT_TRUE(window.MnuFileItem[16]->isVisible());
    EXPECT_FALSE(window.MnuFileItem[9]->isVisible());

    window.MapCommand(0); // flip horizontally changes the map
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
}

TEST_F(Fixture, OpenOfAChangedMapAnsweredNoThenCancelledLeavesAnEmptyWindow)
{
    OpenMap(32, 32, 0, 10);
    window.SetModified(true);
    host.answers = {false};
    SetFileChooser([](const FileDialogRequest&) { return QString(); });
    window.FileOpen();
    EXPECT_EQ(host.Count("question"), 1u);
    EXPECT_FALSE(window.HasHeightmap());
    EXPECT_EQ(HeightmapWidth(), 0);
}

TEST_F(Fixture, SaveAsAsksAboutNonPowerOfTwoSizesWithNoAsDefault)
{
    OpenMap(257, 257, 0, 10);
    int chooserCalls = 0;
    SetFileChooser([&](const FileDialogRequest&) {
        ++chooserCalls;
        return QString();
    });
    host.answers = {false};
    window.FileSaveAs();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "The heightmap is not a power-of-two size.\r\nContinue with save?");
    EXPECT_TRUE(host.messages[0].defaultNo);
    EXPECT_EQ(chooserCalls, 0);

    // A power-of-two map goes straight to the dialog, with the current name offered.
    OpenMap(256, 256, 0, 10, "base.hmb");
    host.messages.clear();
    SetFileChooser([&](const FileDialogRequest& r) {
        ++chooserCalls;
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.title, QStringLiteral("Save Heightmap File"));
        EXPECT_EQ(r.fileName, QStringLiteral("base"));
        EXPECT_TRUE(r.defaultSuffix.isEmpty());
        return Q(host.dir / "copy.hma");
    });
    window.SetModified(true);
    window.FileSaveAs();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_TRUE(FileExists(host.dir / "copy.hma"));
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

TEST_F(Fixture, SelectingTheShownViewDoesNothing)
{
    OpenMap(64, 64, 0, 100);
    QImage before = window.PicPreview->Image().copy();
    window.SelectView(0);
    EXPECT_EQ(Globals().currentView, 0);
    EXPECT_TRUE(window.TbarButton[12]->isChecked());
    window.SelectView(1);
    EXPECT_EQ(Globals().currentView, 1);
    EXPECT_TRUE(window.TbarButton[13]->isChecked());
    EXPECT_FALSE(window.TbarButton[12]->isChecked());
    EXPECT_NE(window.PicPreview->Image(), before);
    EXPECT_TRUE(window.TbarButton[20]->isEnabled()); // commands were enabled again
}

TEST_F(Fixture, ColorsetMovesTheCheckAndIsKept)
{
    window.SelectColorset(5);
    EXPECT_TRUE(window.MnuViewColorsetItem[5]->isChecked());
    EXPECT_FALSE(window.MnuViewColorsetItem[0]->isChecked());
    EXPECT_EQ(Globals().previewColorset, 5);
}

TEST_F(Fixture, UnfinishedCommandsSayTheyAreUnderDevelopment)
{
    OpenMap(64, 64, 0, 100);
    for (QAction* a : {window.MnuEditItem[0], window.MnuViewItem[5], window.MnuViewItem[6]}) {
        host.messages.clear();
        a->trigger();
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, "info");
        EXPECT_EQ(host.messages[0].text, "This function is under development.");
    }
}

TEST_F(Fixture, HelpContentsOpensTheGuideOrWarnsWhenMissing)
{
    window.SetHelpFile(host.dir / "missing.pdf");
    window.ShowHelpContents();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "The Help File is missing.\r\nPlease repair the installation or reinstall the application.");
    EXPECT_TRUE(host.opened.empty());

    WriteFileText(host.dir / "guide.pdf", "%PDF-1.4\n");
    window.SetHelpFile(host.dir / "guide.pdf");
    window.TbarButton[35]->trigger();
    ASSERT_EQ(host.opened.size(), 1u);
    EXPECT_EQ(host.opened[0], QUrl::fromLocalFile(Q(host.dir / "guide.pdf")));
}

TEST_F(Fixture, OptionsCommandStoresTheDialogResults)
{
    host.dialogs[DialogId::Options] = [](QWidget*) {
        EXPECT_EQ(GetDialogParam(3).AsInt(), 0xFFFFFF);
        SetDialogResult(1, int32_t(2));
        SetDialogResult(2, int32_t(1));
        SetDialogResult(3, int32_t(0x0000FF));
        SetDialogResult(4, int32_t(1));
        SetDialogResult(5, true);
        SetDialogResult(6, int32_t(1));
        SetDialogCancelled(false);
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
    EXPECT_TRUE(GetDialogParam(1).IsEmpty());

    // A cancelled dialog changes nothing.
    host.dialogs[DialogId::Options] = [](QWidget*) { SetDialogResult(1, int32_t(0)); };
    window.ShowOptions();
    EXPECT_EQ(Globals().convertColorToGrayscale, 2);
}

TEST_F(Fixture, SettingsRoundTripThroughTheIniFile)
{
    WriteFileText(host.ini, "[Options]\r\nPreviewColorset=9\r\nScaleOnOpen=Yes\r\nPreviewBackgroundColor=255\r\n"
                            "[Functions]\r\nInterpolationFactor=3\r\nMoveBase=-5\r\n"
                            "[Settings]\r\nLastOpenPath=" + host.dir.Path() + "/\r\n");
    window.LoadStep(32);
    EXPECT_EQ(Globals().previewColorset, 7);
    EXPECT_TRUE(Globals().scaleOnOpen);
    EXPECT_EQ(Globals().interpolationFactor, 2);
    EXPECT_EQ(Globals().moveBase, 0);
    EXPECT_EQ(window.PicPreview->Image().pixel(0, 0), qRgb(255, 0, 0));
    Globals().undoMode = 1;
    Globals().scalePercent = 150;
    host.answers = {true};
    ASSERT_TRUE(window.close());

    SettingsStore s(host.ini);
    EXPECT_EQ(s.IniGetString("Options", "ScaleOnOpen", ""), "1");
    EXPECT_EQ(s.IniGetInteger("Options", "PreviewColorset", -1), 7);
    EXPECT_EQ(s.IniGetInteger("Options", "UndoMode", -1), 1);
    EXPECT_EQ(s.IniGetInteger("Functions", "ScalePercent", -1), 150);
    EXPECT_EQ(s.IniGetInteger("Functions", "InterpolationFactor", -1), 2);
    EXPECT_EQ(s.IniGetString("Settings", "LastOpenPath", ""), host.dir.Path() + "/");

    // A second window reads back what the first wrote.
    ResetGlobals();
    FrmMain again(host);
    again.LoadStep(32);
    EXPECT_EQ(Globals().undoMode, 1);
    EXPECT_EQ(Globals().scalePercent, 150);
    EXPECT_TRUE(Globals().scaleOnOpen);
}

TEST_F(Fixture, FreshInstallationWritesEveryOptionAndFunctionKeyOnExit)
{
    window.LoadStep(32);
    EXPECT_EQ(Globals().lastOpenPath, ProgramFolder() + "data/");
    host.answers = {true};
    ASSERT_TRUE(window.close());
    SettingsStore s(host.ini);
    for (const char* key : {"ConvertColorToGrayscale", "FileTypeSort", "PreviewBackgroundColor", "PreviewColorset",
                            "PreviewLocation", "ScaleOnOpen", "UndoMode"})
        EXPECT_NE(s.IniGetString("Options", key, "missing"), "missing") << key;
    for (const char* key : {"InterpolationFactor", "InterpolationVariance", "MoveMethod", "MoveBase", "ResampleFactor",
                            "ResampleMethod", "ScaleMethod", "ScalePercent", "ScaleUpper", "ScaleLower"})
        EXPECT_NE(s.IniGetString("Functions", key, "missing"), "missing") << key;
    EXPECT_EQ(s.IniGetInteger("Options", "PreviewBackgroundColor", 0), 16777215);
    EXPECT_EQ(s.IniGetInteger("Dialogs", "FrmMain.Width", 0), window.DefaultWindowSize().width());
}

TEST_F(Fixture, WindowPlacementIsRestoredAndMaximizedKeepsTheNormalSize)
{
    WriteFileText(host.ini, "[Dialogs]\r\nFrmMain.Left=40\r\nFrmMain.Top=30\r\nFrmMain.Width=900\r\n"
                            "FrmMain.Height=700\r\nFrmMain.Maximized=0\r\n");
    window.LoadStep(32);
    EXPECT_EQ(window.pos(), QPoint(40, 30));
    EXPECT_EQ(window.frameGeometry().size(), QSize(900, 700));
    // The window cannot be made smaller than its default size.
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
    EXPECT_TRUE(window.HasHeightmap());
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
    // The panels show the scaled statistics.
    EXPECT_TRUE(Panel(4).contains(QStringLiteral("H: 65535")));
}

TEST_F(Fixture, SplitAsksForTheBaseNameAndWritesTiles)
{
    OpenMap(64, 64, 0, 1000, "land.hmb");
    host.dialogs[DialogId::Split] = [](QWidget*) {
        SetDialogResult(3, int32_t(2));
        SetDialogResult(4, int32_t(1));
        SetDialogResult(5, int32_t(32));
        SetDialogResult(6, int32_t(64));
        SetDialogResult(7, false);
        SetDialogCancelled(false);
    };
    SetFileChooser([&](const FileDialogRequest& r) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.title, QStringLiteral("Specify Split Base Filespec"));
        EXPECT_EQ(r.filters, (QStringList{"bmp - Unreal G16 Heightmap (*.bmp)"}));
        EXPECT_EQ(r.fileName, QStringLiteral("land"));
        return Q(host.dir / "tile.bmp");
    });
    window.MnuFileItem[6]->trigger();
    EXPECT_TRUE(FileExists(host.dir / "tile00.bmp"));
    EXPECT_TRUE(FileExists(host.dir / "tile01.bmp"));
    EXPECT_FALSE(FileExists(host.dir / "tile02.bmp"));
    // The map itself is untouched and the commands are back.
    EXPECT_EQ(HeightmapWidth(), 64);
    EXPECT_FALSE(window.Modified());
    EXPECT_TRUE(window.MnuMap->menuAction()->isEnabled());
}

TEST_F(Fixture, StitchedMapIsShownAsANewChangedMapAndSaveAsksWhere)
{
    std::string left = WriteMapFile("left.hmb", 16, 16);
    std::string right = WriteMapFile("right.hmb", 16, 16);
    host.dialogs[DialogId::Stitch] = [&](QWidget*) {
        SetDialogResult(1, left);
        SetDialogResult(2, right);
        SetDialogResult(3, "");
        SetDialogResult(4, "");
        SetDialogCancelled(false);
    };
    window.FileStitch();
    ASSERT_TRUE(window.HasHeightmap());
    EXPECT_TRUE(window.Modified());
    EXPECT_EQ(window.CurrentPath(), "");
    EXPECT_EQ(Panel(3), QStringLiteral("32 x 16"));
    EXPECT_TRUE(window.MnuFileItem[2]->isEnabled());
    // Something is drawn: the preview is not only background.
    QImage img = window.PicPreview->Image();
    EXPECT_NE(img.pixel(256, 256), img.pixel(0, 0));

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
