// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The accessory windows: About, system information, the web-link editor, the recent file list
// settings and the safe-shutdown dialog, and what every dialog shares.
#include <QClipboard>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>

#include "TestHost.h"
#include "UiTestSupport.h"
#include "shell/ui/vbFormEffects.h"
#include "shell/ui/vbFrmAbout.h"
#include "shell/ui/vbFrmRecentFileList.h"
#include "shell/ui/vbFrmShutdown.h"
#include "shell/ui/vbFrmSysInfo.h"
#include "shell/ui/vbFrmWebLinks.h"
#include "shell/vbRecentFileList.h"

using namespace tolv;
using namespace tolv::test;

namespace {

std::string Lines(QWidget& d, const char* name)
{
    auto* list = Child<QListWidget>(d, name);
    std::string lines;
    for (int i = 0; i < list->count(); ++i) lines += (i ? "|" : "") + S(list->item(i)->text());
    return lines;
}

struct Accessories : ::testing::Test {
    void SetUp() override { SetSettingsPath(dir / "tolv.ini"); }
    void TearDown() override { SetSettingsPath(""); }
    TestHost host;
    TempDir dir;
};

} // namespace

TEST_F(Accessories, AboutSystemInformationAndWhatEveryDialogShares)
{
    host.SetPointer(Pointer::Busy);
    {
        VbFrmAbout about;
        EXPECT_EQ(host.CurrentPointer(), Pointer::Default); // the hourglass while it fills itself
        EXPECT_TRUE(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$")
                        .match(Child<QLabel>(about, "LblVersion")->text())
                        .hasMatch());
        about.show();
        CreditsPicture* credits = about.credits();
        const int start = credits->offset();
        EXPECT_TRUE(QTest::qWaitFor([&] { return credits->offset() > start; }));
        // The title band runs from the button shadow to the button face.
        QWidget* title = Child(about, "LblTitle");
        const QImage band = title->grab().toImage();
        EXPECT_EQ(band.pixelColor(0, band.height() - 2).rgb(), title->palette().color(QPalette::Mid).rgb());
        EXPECT_EQ(band.pixelColor(band.width() - 1, band.height() - 2).rgb(),
                  title->palette().color(QPalette::Button).rgb());
        about.hide();
        EXPECT_FALSE(credits->scrolling());
    }
    EXPECT_EQ(host.CurrentPointer(), Pointer::Busy); // the previous pointer back when it closes

    VbFrmSysInfo info;
    QApplication::clipboard()->clear();
    Click(info, "CmdCopy");
    const QString text = QApplication::clipboard()->text();
    for (const char* line : {"Operating System\n", "Memory\n", "Display\n", "Folders\n", "Components\n",
                             "  Compiler: ", "  Settings file: "})
        EXPECT_TRUE(text.contains(line)) << line;
    EXPECT_TRUE(text.contains("  Qt: " + QString::fromLatin1(qVersion()))) << S(text);
    EXPECT_TRUE(text.contains(QRegularExpression("  giflib: \\d+\\.\\d+\\.\\d+\n")));
    EXPECT_TRUE(text.contains(QRegularExpression("  libpng: \\d+\\.\\d+")));

    // Dialogs fade in only in mode 2, and always end fully opaque.
    InitFormEffects(7);
    QWidget plain;
    FadeInDialog(&plain);
    EXPECT_DOUBLE_EQ(plain.windowOpacity(), 1.0);
    InitFormEffects(2);
    QWidget faded;
    faded.show();
    FadeInDialog(&faded);
    EXPECT_DOUBLE_EQ(faded.windowOpacity(), 0.0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return faded.windowOpacity() == 1.0; }, 2000));
    InitFormEffects(0);

    vbFrmShutdown shutdown; // Continue lets the start-up go on
    QTimer::singleShot(0, &shutdown, [&] { shutdown.CmdContinue->click(); });
    EXPECT_EQ(shutdown.exec(), QDialog::Accepted);
}

TEST_F(Accessories, WebLinksAreSavedAsEnteredReorderedAndOpenedFromTheMenu)
{
    {
        VbFrmWebLinks editor;
        ShowActive(editor);
        const int before = Child<QListWidget>(editor, "LstLinks")->count();
        ASSERT_EQ(before, static_cast<int>(DefaultWebLinks().size()));
        Click(editor, "CmdAdd");
        editor.PressOk(); // an incomplete link is refused and nothing is written
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(host.Count("warning"), 1u);
        EXPECT_EQ(LoadWebLinks(Settings()), DefaultWebLinks());
        Type(editor, "TxtCaption", "&Maps");
        auto* address = Child<QLineEdit>(editor, "TxtAddress");
        address->setFocus();
        QTest::keyClicks(address, "maps.example/~me/a b?c=d&e=%20#top"); // only the blank cannot be in an address
        EXPECT_EQ(address->text(), "maps.example/~me/ab?c=d&e=%20#top");
        QApplication::clipboard()->setText("https://maps.example/~me/?q=a%20b&r=1#top");
        address->selectAll();
        QTest::keyClick(address, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Child<QListWidget>(editor, "LstLinks")->item(before)->text(), "Maps");
        editor.PressOk();
        EXPECT_EQ(editor.result(), QDialog::Accepted);
    }
    std::vector<WebLink> saved = LoadWebLinks(Settings());
    ASSERT_EQ(saved.size(), DefaultWebLinks().size() + 1);
    EXPECT_EQ(saved.back(), (WebLink{"&Maps", "https://maps.example/~me/?q=a%20b&r=1#top"}));
    std::vector<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) { return opened.push_back(url), true; });
    QMenu menu;
    FillWebLinksMenu(&menu, OpenWebAddress);
    menu.actions()[static_cast<qsizetype>(saved.size() - 1)]->trigger();
    SetUrlOpener(nullptr);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(S(opened[0].toString(QUrl::FullyEncoded)), saved.back().address); // as it was entered

    SaveWebLinks(Settings(), {{"A", "a.example"}, {"B", "b.example"}, {"C", "c.example"}});
    {
        VbFrmWebLinks editor;
        ShowActive(editor);
        auto* list = Child<QListWidget>(editor, "LstLinks");
        list->setCurrentRow(2);
        EXPECT_FALSE(Child(editor, "CmdDown")->isEnabled());
        Click(editor, "CmdUp");
        list->setCurrentRow(0);
        Click(editor, "CmdRemove");
        editor.PressOk();
    }
    EXPECT_EQ(LoadWebLinks(Settings()), (std::vector<WebLink>{{"C", "c.example"}, {"B", "b.example"}}));
    QMenu reordered;
    std::string address;
    FillWebLinksMenu(&reordered, [&](const std::string& a) { address = a; });
    std::string captions;
    for (QAction* a : reordered.actions()) captions += (a->isSeparator() ? "-" : S(a->text())) + "|";
    EXPECT_EQ(captions, "C|B|-|&Edit Links...|");
    reordered.actions()[1]->trigger();
    EXPECT_EQ(address, "b.example");
}

struct RecentFileDialog : Accessories {
    void SetUp() override
    {
        Accessories::SetUp();
        RflInit([this](const RecentFileMenu&) { ++menuRefreshes; }, 8, RflIniFile);
        // Added oldest first, so entry 1 is /maps/e.hmb.
        for (const char* p : {"/maps/a.hmb", "/maps/b.hmb", "/maps/c.hmb", "/maps/d.hmb", "/maps/e.hmb"}) RflAdd(p);
        owned = std::make_unique<VbFrmRecentFileList>();
        ShowActive(dialog());
    }
    void TearDown() override
    {
        owned.reset();
        RflInit(nullptr, 8, RflIniFile);
    }
    VbFrmRecentFileList& dialog() { return *owned; }
    static void RemoveLines(QWidget& d, std::initializer_list<int> lines)
    {
        auto* list = Child<QListWidget>(d, "LstRecent");
        list->clearSelection();
        for (int q : lines) list->item(q)->setSelected(true);
        Click(d, "CmdListRemove");
    }
    int menuRefreshes = 0;
    std::unique_ptr<VbFrmRecentFileList> owned;
    const char* controls = "OptRFL0 OptRFL2 TxtTrimLength LblCaption0 LblCaption1 CmdApply CmdListRemove";
};

TEST_F(RecentFileDialog, CaptionsWaitForApply)
{
    EXPECT_EQ(Lines(dialog(), "LstRecent"), "/maps/e.hmb|/maps/d.hmb|/maps/c.hmb|/maps/b.hmb|/maps/a.hmb|||");
    EXPECT_EQ(Shown(dialog(), controls), "x|-|32!|Compact to &length:!|characters!|-!|-!");
    auto* list = Child<QListWidget>(dialog(), "LstRecent");
    list->item(1)->setSelected(true);
    EXPECT_EQ(Shown(dialog(), "CmdListRemove"), "-");
    list->clearSelection();
    Click(dialog(), "OptRFL2");
    Type(dialog(), "TxtTrimLength", "100"); // the rule itself is tested with the list
    EXPECT_EQ(Shown(dialog(), controls), "-|x|48|Compact to &length:|characters|-|-!");
    Type(dialog(), "TxtTrimLength", "2x0");
    EXPECT_EQ(Shown(dialog(), "TxtTrimLength"), "20");
    int32_t mode = -1, length = -1;
    RflGetDisplay(mode, length);
    EXPECT_EQ(std::pair(mode, length), std::pair(0, 32)); // not yet
    Click(dialog(), "CmdApply");
    RflGetDisplay(mode, length);
    EXPECT_EQ(std::pair(mode, length), std::pair(2, 20));
    EXPECT_EQ(Shown(dialog(), "CmdApply"), "-!");
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "DisplayMode", ""), "TrimSpec");
    dialog().reject();
    EXPECT_EQ(host.Count("question"), 0u); // nothing left to apply, nothing asked
}

TEST_F(RecentFileDialog, RemovalsWaitForApplyOrTheQuestionOnClosing)
{
    RemoveLines(dialog(), {0, 2}); // e and c
    EXPECT_EQ(Lines(dialog(), "LstRecent"), "/maps/d.hmb|/maps/b.hmb|/maps/a.hmb|||");
    EXPECT_EQ(Shown(dialog(), "CmdApply CmdListRemove"), "-|-!");
    EXPECT_EQ(RflGetItem(1), "/maps/e.hmb"); // not yet
    // The line now at the top was second when the dialog opened; its removal must not push out
    // the earlier one.
    RemoveLines(dialog(), {0}); // d
    Click(dialog(), "CmdApply");
    EXPECT_EQ(RflGetItem(1) + "|" + RflGetItem(2) + "|" + RflGetItem(3), "/maps/b.hmb|/maps/a.hmb|");
    EXPECT_GT(menuRefreshes, 0);
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "File1", ""), "/maps/b.hmb"); // saved at once
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "File3", "?"), "");

    for (bool yes : {false, true}) { // closing with changes asks: No drops them, Yes applies them
        VbFrmRecentFileList again;
        ShowActive(again);
        Click(again, "OptRFL1");
        RemoveLines(again, {1}); // a
        host.Answer({yes});
        yes ? QTest::keyClick(&again, Qt::Key_Escape) : Click(again, "CmdClose");
        EXPECT_FALSE(again.isVisible());
        EXPECT_EQ(host.messages.back().text,
                  "The Recent File List Settings have changed, would you like to Save them?");
        int32_t mode = -1, length = -1;
        RflGetDisplay(mode, length);
        EXPECT_EQ(RflGetItem(2) + " " + std::to_string(mode), yes ? " 1" : "/maps/a.hmb 0");
    }
}
