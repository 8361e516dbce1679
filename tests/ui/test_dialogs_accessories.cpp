// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "TempDir.h"
#include "TestHost.h"
#include "UiTestSupport.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbFrmAbout.h"
#include "shell/ui/vbFrmSysInfo.h"
#include "shell/ui/vbFrmWebLinks.h"
#include "shell/ui/vbShellExec.h"
#include "shell/vbPrivateIni.h"

using namespace tolv;
using namespace tolv::test;

TEST(AboutBox, VersionAndScrollingCredits)
{
    TestHost host;
    VbFrmAbout about;
    EXPECT_TRUE(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$").match(Child<QLabel>(about, "LblVersion")->text()).hasMatch());
    about.show();
    CreditsPicture* credits = about.credits();
    EXPECT_TRUE(credits->scrolling());
    const int start = credits->offset();
    QTest::qWait(250);
    EXPECT_GT(credits->offset(), start);
    about.hide();
    EXPECT_FALSE(credits->scrolling());
}

TEST(SystemInfo, ListsTheGroupsAndCopiesThemAsText)
{
    TestHost host;
    VbFrmSysInfo info;
    QApplication::clipboard()->clear();
    QTest::mouseClick(Child<QPushButton>(info, "CmdCopy"), Qt::LeftButton);
    const QString text = QApplication::clipboard()->text();
    for (const char* group : {"Operating System\n", "Memory\n", "Display\n", "Folders\n", "Components\n"})
        EXPECT_TRUE(text.contains(group)) << group;
    EXPECT_TRUE(text.contains("  Qt: " + QString::fromLatin1(qVersion()))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("  giflib: \\d+\\.\\d+\\.\\d+\n")));
    EXPECT_TRUE(text.contains(QRegularExpression("  libpng: \\d+\\.\\d+")));
    EXPECT_TRUE(text.contains("  Compiler: "));
    EXPECT_TRUE(text.contains("  Settings file: "));
}

class WebLinksTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsPath(dir / "tolv.ini"); }
    void TearDown() override { SetSettingsPath(""); }
    TestHost host;
    TempDir dir;
};

TEST_F(WebLinksTest, IncompleteLinkIsRefusedThenTheAddressIsSavedAsEntered)
{
    VbFrmWebLinks editor;
    ShowActive(editor);
    auto* list = Child<QListWidget>(editor, "LstLinks");
    const int before = list->count();
    ASSERT_EQ(before, static_cast<int>(DefaultWebLinks().size()));
    QTest::mouseClick(Child<QPushButton>(editor, "CmdAdd"), Qt::LeftButton);
    ASSERT_EQ(list->count(), before + 1);
    editor.PressOk();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(host.Count("warning"), 1u);
    EXPECT_EQ(LoadWebLinks(Settings()), DefaultWebLinks()); // nothing written

    auto* caption = Child<QLineEdit>(editor, "TxtCaption");
    caption->selectAll();
    TypeInto(caption, "&Maps");
    auto* address = Child<QLineEdit>(editor, "TxtAddress");
    TypeInto(address, "maps.example/~me/a b?c=d&e=%20#top"); // only the blank cannot be in an address
    EXPECT_EQ(address->text(), "maps.example/~me/ab?c=d&e=%20#top");
    const QString pasted = "https://maps.example/~me/?q=a%20b&r=1#top";
    QApplication::clipboard()->setText(pasted);
    address->selectAll();
    QTest::keyClick(address, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(address->text(), pasted);
    EXPECT_EQ(list->item(before)->text(), "Maps");
    editor.PressOk();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    std::vector<WebLink> saved = LoadWebLinks(Settings());
    ASSERT_EQ(saved.size(), static_cast<size_t>(before + 1));
    EXPECT_EQ(saved.back(), (WebLink{"&Maps", S(pasted)}));

    // The menu item opens the address as it was entered.
    std::vector<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    QMenu menu;
    FillWebLinksMenu(&menu, OpenWebAddress);
    menu.actions()[before]->trigger();
    SetUrlOpener(nullptr);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(QUrl::FullyEncoded), pasted);
}

TEST_F(WebLinksTest, ReorderRemoveAndTheMenu)
{
    SaveWebLinks(Settings(), {{"A", "a.example"}, {"B", "b.example"}, {"C", "c.example"}});
    {
        VbFrmWebLinks editor;
        ShowActive(editor);
        auto* list = Child<QListWidget>(editor, "LstLinks");
        list->setCurrentRow(2);
        EXPECT_FALSE(Child<QPushButton>(editor, "CmdDown")->isEnabled());
        QTest::mouseClick(Child<QPushButton>(editor, "CmdUp"), Qt::LeftButton);
        list->setCurrentRow(0);
        QTest::mouseClick(Child<QPushButton>(editor, "CmdRemove"), Qt::LeftButton);
        editor.PressOk();
    }
    std::vector<WebLink> expected = {{"C", "c.example"}, {"B", "b.example"}};
    EXPECT_EQ(LoadWebLinks(Settings()), expected);

    QMenu menu;
    std::string opened;
    FillWebLinksMenu(&menu, [&](const std::string& a) { opened = a; });
    QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 4); // two links, separator, editor
    EXPECT_EQ(actions[0]->text(), "C");
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->text(), "&Edit Links...");
    actions[1]->trigger();
    EXPECT_EQ(opened, "b.example");
}

TEST(DialogBase, HourglassWhileLoadingAndPreviousPointerBack)
{
    TestHost host;
    host.SetPointer(Pointer::Busy);
    {
        VbFrmAbout about;
        EXPECT_EQ(host.CurrentPointer(), Pointer::Default); // loaded
        about.show();
        QTimer::singleShot(0, &about, [&about] { about.accept(); });
        about.exec();
        EXPECT_EQ(host.CurrentPointer(), Pointer::Busy);
    }
    EXPECT_EQ(host.CurrentPointer(), Pointer::Busy);
}

TEST(DialogBase, TitleBandRunsFromButtonShadowToButtonFace)
{
    TestHost host;
    VbFrmAbout about;
    about.show();
    auto* band = Child<QLabel>(about, "LblTitle");
    const QImage img = band->grab().toImage();
    const int y = img.height() - 2; // below the text
    EXPECT_EQ(img.pixelColor(0, y).rgb(), band->palette().color(QPalette::Mid).rgb());
    EXPECT_EQ(img.pixelColor(img.width() - 1, y).rgb(), band->palette().color(QPalette::Button).rgb());
}
