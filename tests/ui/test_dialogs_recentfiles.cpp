// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "TempDir.h"
#include "TestHost.h"
#include "UiTestSupport.h"
#include "shell/ui/vbFrmRecentFileList.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbRecentFileList.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// Option buttons answer clicks on their circle and caption only.
void ClickOption(QRadioButton* option) { QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2)); }

class RecentFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsPath(dir / "tolv.ini");
        RflInit([this](const RecentFileMenu&) { ++menuRefreshes; }, 8, RflIniFile);
        // Added oldest first, so entry 1 is /maps/e.hmb.
        for (const char* p : {"/maps/a.hmb", "/maps/b.hmb", "/maps/c.hmb", "/maps/d.hmb", "/maps/e.hmb"}) RflAdd(p);
        dialog = std::make_unique<VbFrmRecentFileList>();
        ShowActive(*dialog);
        list = Child<QListWidget>(*dialog, "LstRecent");
        trim = Child<QLineEdit>(*dialog, "TxtTrimLength");
        apply = Child<QPushButton>(*dialog, "CmdApply");
        remove = Child<QPushButton>(*dialog, "CmdListRemove");
    }
    void TearDown() override
    {
        dialog.reset();
        RflInit(nullptr, 8, RflIniFile);
        SetSettingsPath("");
    }
    QStringList Lines() const
    {
        QStringList l;
        for (int i = 0; i < list->count(); ++i) l << list->item(i)->text();
        return l;
    }
    void RemoveLines(std::initializer_list<int> lines)
    {
        list->clearSelection();
        for (int q : lines) list->item(q)->setSelected(true);
        QTest::mouseClick(remove, Qt::LeftButton);
    }

    TestHost host;
    TempDir dir;
    int menuRefreshes = 0;
    std::unique_ptr<VbFrmRecentFileList> dialog;
    QListWidget* list = nullptr;
    QLineEdit* trim = nullptr;
    QPushButton* apply = nullptr;
    QPushButton* remove = nullptr;
};

} // namespace

TEST_F(RecentFileDialogTest, OpensWithTheListAndNothingPending)
{
    EXPECT_EQ(Lines(), QStringList({"/maps/e.hmb", "/maps/d.hmb", "/maps/c.hmb", "/maps/b.hmb", "/maps/a.hmb", "", "", ""}));
    EXPECT_TRUE(Child<QRadioButton>(*dialog, "OptRFL0")->isChecked());
    EXPECT_EQ(trim->text(), "32");
    EXPECT_FALSE(trim->isEnabled());
    EXPECT_FALSE(Child<QLabel>(*dialog, "LblCaption0")->isEnabled());
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    list->item(1)->setSelected(true);
    EXPECT_TRUE(remove->isEnabled());
    list->clearSelection();
    EXPECT_FALSE(remove->isEnabled());
    dialog->reject();
    EXPECT_EQ(host.Count("question"), 0u); // nothing changed, nothing asked
}

TEST_F(RecentFileDialogTest, TrimLengthKeysAndNormalisation)
{
    ClickOption(Child<QRadioButton>(*dialog, "OptRFL2"));
    EXPECT_TRUE(trim->isEnabled());
    EXPECT_TRUE(Child<QLabel>(*dialog, "LblCaption1")->isEnabled());
    EXPECT_TRUE(apply->isEnabled());
    for (auto [typed, shown] : {std::pair{"100", "48"}, {"2x0", "20"}}) { // the rule itself is tested with the list
        Enter(trim, typed, list);
        EXPECT_EQ(trim->text(), shown) << typed;
    }
    QTest::mouseClick(apply, Qt::LeftButton);
    int32_t mode = -1, length = -1;
    RflGetDisplay(mode, length);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(length, 20);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "DisplayMode", ""), "TrimSpec");
}

TEST_F(RecentFileDialogTest, RemovalsWaitForApplyAndAreAllApplied)
{
    RemoveLines({0, 2}); // e and c
    EXPECT_EQ(Lines(), QStringList({"/maps/d.hmb", "/maps/b.hmb", "/maps/a.hmb", "", "", ""}));
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_EQ(RflGetItem(1), "/maps/e.hmb"); // not yet
    // The line now at the top was second when the dialog opened; its removal must not push out
    // the earlier one.
    RemoveLines({0}); // d
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_EQ(RflGetItem(1), "/maps/b.hmb");
    EXPECT_EQ(RflGetItem(2), "/maps/a.hmb");
    EXPECT_EQ(RflGetItem(3), "");
    EXPECT_GT(menuRefreshes, 0);
    // Saved at once.
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "File1", ""), "/maps/b.hmb");
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "File3", "?"), "");
}

TEST_F(RecentFileDialogTest, ClosingWithChangesAsksAndNoKeepsTheList)
{
    RemoveLines({4});
    host.Answer({false});
    QTest::mouseClick(Child<QPushButton>(*dialog, "CmdClose"), Qt::LeftButton);
    ASSERT_EQ(host.Count("question"), 1u);
    EXPECT_EQ(host.messages[0].text, "The Recent File List Settings have changed, would you like to Save them?");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(RflGetItem(5), "/maps/a.hmb");
}

TEST_F(RecentFileDialogTest, ClosingWithChangesAndYesApplies)
{
    ClickOption(Child<QRadioButton>(*dialog, "OptRFL1"));
    RemoveLines({4});
    host.Answer({true});
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(host.Count("question"), 1u);
    int32_t mode = -1, length = -1;
    RflGetDisplay(mode, length);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(RflGetItem(5), "");
    EXPECT_EQ(Settings().IniGetString(kRecentFileSection, "File5", "?"), "");
}
