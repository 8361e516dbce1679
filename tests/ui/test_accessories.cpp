// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The accessory windows (About, the web-link editor, the recent file list settings, the
// safe-shutdown dialog), the common dialogs and the shell.
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>

#include "UiTestSupport.h"
#include "shell/ui/vbFrmAbout.h"
#include "shell/ui/vbFrmRecentFileList.h"
#include "shell/ui/vbFrmShutdown.h"
#include "shell/ui/vbFrmWebLinks.h"
#include "shell/vbRecentFileList.h"

using namespace tolv;
using namespace tolv::test;

TEST(Accessories, AboutAndTheShutdownDialog)
{
    UiTestHost host;
    host.SetPointer(Pointer::Busy);
    {
        VbFrmAbout about;
        EXPECT_EQ(host.CurrentPointer(), Pointer::Default); // the hourglass while it fills itself
        const QString version = Child<QLabel>(about, "LblVersion")->text();
        EXPECT_TRUE(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$").match(version).hasMatch()) << S(version);
    }
    EXPECT_EQ(host.CurrentPointer(), Pointer::Busy); // the previous pointer back when it closes

    vbFrmShutdown shutdown; // Continue lets the start-up go on
    QTimer::singleShot(0, &shutdown, [&] { shutdown.CmdContinue->click(); });
    EXPECT_EQ(shutdown.exec(), QDialog::Accepted);
}

TEST(Accessories, WebLinksAreSavedAsEnteredReorderedAndOpenedFromTheMenu)
{
    UiTestHost host;
    const std::string typed = "https://maps.example/~me/?q=a%20b&r=1#top";
    {
        VbFrmWebLinks editor;
        ShowActive(editor);
        const int before = static_cast<int>(DefaultWebLinks().size());
        Act(editor, "CmdAdd");
        editor.PressOk(); // an incomplete link is refused and nothing is written
        EXPECT_EQ(std::pair(host.messages.size(), editor.isVisible()), std::pair(size_t{1}, true));
        host.Said();
        EXPECT_EQ(LoadWebLinks(Settings()), DefaultWebLinks());
        Act(editor, "TxtCaption=&Maps");
        auto* address = Child<QLineEdit>(editor, "TxtAddress");
        address->setFocus();
        QTest::keyClicks(address, "maps.example/~me/a b?c=d&e=%20#top"); // only the blank cannot be in an address
        EXPECT_EQ(address->text(), "maps.example/~me/ab?c=d&e=%20#top");
        QApplication::clipboard()->setText(Q(typed));
        address->selectAll();
        QTest::keyClick(address, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Child<QListWidget>(editor, "LstLinks")->item(before)->text(), "Maps");
        editor.PressOk();
        EXPECT_EQ(editor.result(), QDialog::Accepted);
    }
    std::vector<WebLink> saved = LoadWebLinks(Settings());
    ASSERT_EQ(saved.size(), DefaultWebLinks().size() + 1);
    EXPECT_EQ(saved.back(), (WebLink{"&Maps", typed}));
    QMenu menu;
    FillWebLinksMenu(&menu, OpenWebAddress);
    menu.actions()[static_cast<qsizetype>(saved.size() - 1)]->trigger();
    EXPECT_EQ(host.Said(), "opened: " + typed + "\n"); // as it was entered

    SaveWebLinks(Settings(), {{"A", "a.example"}, {"B", "b.example"}, {"C", "c.example"}});
    {
        VbFrmWebLinks editor;
        ShowActive(editor);
        EXPECT_EQ(After(editor, "LstLinks#2", "CmdDown"), "-!");
        Act(editor, "CmdUp LstLinks#0 CmdRemove");
        editor.PressOk();
    }
    EXPECT_EQ(LoadWebLinks(Settings()), (std::vector<WebLink>{{"C", "c.example"}, {"B", "b.example"}}));
}

namespace {

struct RecentFileDialog : ::testing::Test {
    void SetUp() override
    {
        RflInit([this](const RecentFileMenu&) { ++menuRefreshes; }, 8, RflIniFile);
        // Added oldest first, so entry 1 is /maps/e.hmb.
        for (const char* p : {"/maps/a.hmb", "/maps/b.hmb", "/maps/c.hmb", "/maps/d.hmb", "/maps/e.hmb"}) RflAdd(p);
        dialog = std::make_unique<VbFrmRecentFileList>();
        ShowActive(*dialog);
    }
    void TearDown() override { dialog.reset(), RflInit(nullptr, 8, RflIniFile); }
    // The display mode and caption length in use, and the first three entries.
    static std::string List()
    {
        int32_t mode = -1, length = -1;
        RflGetDisplay(mode, length);
        return std::to_string(mode) + " " + std::to_string(length) + " " + RflGetItem(1) + "|" + RflGetItem(2) + "|" +
               RflGetItem(3);
    }
    UiTestHost host;
    int menuRefreshes = 0;
    std::unique_ptr<VbFrmRecentFileList> dialog;
    const char* controls = "LstRecent OptRFL0 OptRFL2 TxtTrimLength LblCaption0 LblCaption1 CmdApply CmdListRemove";
};

} // namespace

TEST_F(RecentFileDialog, CaptionsWaitForApply)
{
    const std::string all = "/maps/e.hmb,/maps/d.hmb,/maps/c.hmb,/maps/b.hmb,/maps/a.hmb,,,";
    EXPECT_EQ(Shown(*dialog, controls), all + "|x|-|32!|Compact to &length:!|characters!|-!|-!");
    // The length's rule itself is tested with the list.
    EXPECT_EQ(After(*dialog, "LstRecent#1 OptRFL2 TxtTrimLength=100", controls),
              all + "|-|x|48|Compact to &length:|characters|-|-");
    EXPECT_EQ(After(*dialog, "TxtTrimLength=2x0", "TxtTrimLength"), "20");
    EXPECT_EQ(After(*dialog, "CmdApply", "CmdApply"), "-!");
    EXPECT_EQ(List(), "2 20 /maps/e.hmb|/maps/d.hmb|/maps/c.hmb");
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "DisplayMode", ""), "TrimSpec");
    dialog->reject();
    EXPECT_EQ(host.Said(), ""); // nothing left to apply, nothing asked
}

TEST_F(RecentFileDialog, RemovalsWaitForApplyOrTheQuestionOnClosing)
{
    EXPECT_EQ(After(*dialog, "LstRecent#0,2 CmdListRemove", "LstRecent CmdApply CmdListRemove"),
              "/maps/d.hmb,/maps/b.hmb,/maps/a.hmb,,,|-|-!");      // e and c
    EXPECT_EQ(List(), "0 32 /maps/e.hmb|/maps/d.hmb|/maps/c.hmb"); // not yet
    // The line now at the top was second when the dialog opened; its removal must not push out
    // the earlier one.
    Act(*dialog, "LstRecent#0 CmdListRemove CmdApply"); // d
    EXPECT_EQ(List(), "0 32 /maps/b.hmb|/maps/a.hmb|");
    EXPECT_GT(menuRefreshes, 0);
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "File1", "") + "|" +
                  Settings().IniGetString(kRecentFileSection, "File3", "?"),
              "/maps/b.hmb|"); // saved at once

    for (bool yes : {false, true}) { // closing with changes asks: No drops them, Yes applies them
        VbFrmRecentFileList again;
        ShowActive(again);
        Act(again, "OptRFL1 LstRecent#1 CmdListRemove"); // a
        host.answers = {yes};
        yes ? QTest::keyClick(&again, Qt::Key_Escape) : Act(again, "CmdClose");
        EXPECT_FALSE(again.isVisible());
        EXPECT_EQ(host.Said(), "question: The Recent File List Settings have changed, would you like to Save them?\n");
        EXPECT_EQ(List(), yes ? "1 32 /maps/b.hmb||" : "0 32 /maps/b.hmb|/maps/a.hmb|");
    }
}

TEST(CommonDialogs, FiltersStartFolderAndResults)
{
    EXPECT_EQ(QtFilters("hma - TOLV ASCII Text Heightmap|*.hma|All Files (*.*)|*.*"),
              (QStringList{"hma - TOLV ASCII Text Heightmap (*.hma)", "All Files (*)"}));
    EXPECT_EQ(QtFilters("Pictures|*.bmp;*.tga|B"), (QStringList{"Pictures (*.bmp *.tga)"})); // "B" has no pattern

    UiTestHost host;
    SetInitialFolder("/start/here/");
    std::vector<QString> folders;
    WriteFileText(host.dir / "one.hmb", "x");
    QString answer = Q(host.dir / "one.hmb");
    SetFileChooser([&](const FileDialogRequest& r) { return folders.push_back(r.folder), answer; });
    SetFileDialog("T", "!", "", "", true);
    ASSERT_TRUE(ShowOpenDialog(nullptr));
    answer.clear(); // cancelled: the last results stay
    EXPECT_FALSE(ShowSaveDialog(nullptr));
    EXPECT_EQ(GetDialogFileName() + " " + GetDialogFolder(), host.dir / "one.hmb" + " " + host.dir.Path() + "/");
    EXPECT_EQ(folders, (std::vector<QString>{"/start/here/", Q(host.dir.Path() + "/")}));
    EXPECT_EQ(LastDialogFolder(), host.dir.Path() + "/");
}

TEST(CommonDialogs, AFolderOrFileThatDoesNotExistIsRefusedAndNeverBecomesTheLastFolder)
{
    UiTestHost host;
    WriteFileText(host.dir / "plain", "x");
    const std::string start = host.dir.Path() + "/", missing = host.dir / "missing";
    SetInitialFolder(start);
    SetFileDialog("T", "!", "", "", true);
    const std::string noFolder = "warning: The folder does not exist.\r\n\"";
    const std::tuple<bool, std::string, std::string> rows[] = {
        // save, chosen, refusal ("" when it stands)
        {true, missing + "/x.hmb", noFolder + missing + "\"\n"},
        {true, host.dir / "plain/x.hmb", noFolder + (host.dir / "plain") + "\"\n"},
        {false, host.dir / "none.hmb", "warning: The file does not exist.\r\n\"" + (host.dir / "none.hmb") + "\"\n"},
        {true, host.dir / "new.hmb", ""}};
    for (const auto& [save, path, refusal] : rows) {
        SetFileChooser([&](const FileDialogRequest&) { return Q(path); });
        EXPECT_EQ(save ? ShowSaveDialog(nullptr) : ShowOpenDialog(nullptr), refusal.empty()) << path;
        EXPECT_EQ(host.Said(), refusal);
        EXPECT_EQ(LastDialogFolder() + "|" + GetDialogFileName(), start + "|" + (refusal.empty() ? path : ""));
    }

    // The real save dialog stays open on the refusal; cancelled, it keeps nothing.
    SetFileChooser(nullptr);
    SetInitialFolder(start);
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        if (auto* name = dlg->findChild<QLineEdit*>("fileNameEdit")) {
            name->setText(Q(missing + "/y.hmb"));
            QTest::keyClick(name, Qt::Key_Return);
            stayedOpen = dlg->isVisible();
        }
        if (dlg->isVisible()) dlg->reject();
    });
    EXPECT_FALSE(ShowSaveDialog(nullptr));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(host.Said(), noFolder + missing + "\"\n");
    EXPECT_EQ(LastDialogFolder(), start);
}

TEST(ShellExec, AddressesDocumentsAndTheirFailures)
{
    for (auto [in, out] :
         {std::pair{"example.org", "http://example.org"}, {"ftp://example.org/x", "ftp://example.org/x"}})
        EXPECT_EQ(WebAddressUrl(in), out);
    EXPECT_EQ(ProperCase("/HOME/user/MAPS/my terrain.hmb"), "/Home/User/Maps/My Terrain.Hmb");
    EXPECT_EQ(ShellErrorText(99), "99"); // a code without a text of its own

    UiTestHost host;
    OpenDocument(host.dir / "none.pdf");
    WriteFileText(host.dir / "doc.pdf", "x");
    OpenDocument(host.dir / "doc.pdf");
    SetUrlOpener([](const QUrl&) { return false; }); // the desktop refusing is reported, not ignored
    OpenWebAddress("example.org");
    EXPECT_EQ(host.Said(), "warning: Could not open or run the file.\r\nThe specified file was not found.\r\n\r\n\"" +
                               ProperCase(host.dir / "none.pdf") +
                               "\"\nwarning: Could not Execute the Application.\r\n\r\nShellExecute Error: The File "
                               "Association is incomplete or invalid.\nopened: " +
                               (host.dir / "doc.pdf") + "\n");
}
