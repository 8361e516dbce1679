// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "TestHost.h"
#include "UiTestSupport.h"
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "formats/FrmSavePGMRules.h"
#include "formats/ui/FrmRawSize.h"
#include "formats/ui/FrmSavePGM.h"
#include "imaging/ui/FrmSaveMesh.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/RegisterDialogs.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

struct RawSizeDialog {
    RawSizeDialog(int32_t length, int32_t bits)
    {
        SetDialogParam(1, length);
        SetDialogParam(2, bits);
        SetDialogCancelled(true);
        dialog = std::make_unique<FrmRawSize>();
        ShowActive(*dialog);
        width = Child<QLineEdit>(*dialog, "TxtWidth");
        height = Child<QLineEdit>(*dialog, "TxtHeight");
        ok = Child<QPushButton>(*dialog, "CmdOk");
        cancel = Child<QPushButton>(*dialog, "CmdCancel");
    }
    std::unique_ptr<FrmRawSize> dialog;
    QLineEdit* width;
    QLineEdit* height;
    QPushButton* ok;
    QPushButton* cancel;
};

} // namespace

TEST(RawSizeDialog, ProposalFollowsTheFileLength)
{
    struct Row {
        int32_t length, bits;
        const char* side;
        bool ok;
    } rows[] = {
        {526338, 16, "513", true}, {524288, 16, "512", true}, {8450, 16, "0", false},
        {66049, 8, "257", true},   {1024 * 4, 32, "32", true}, {1000, 8, "0", false},
    };
    for (const Row& r : rows) {
        TestHost host;
        RawSizeDialog d(r.length, r.bits);
        EXPECT_EQ(d.width->text(), r.side) << r.length;
        EXPECT_EQ(d.height->text(), r.side) << r.length;
        EXPECT_EQ(d.ok->isEnabled(), r.ok) << r.length;
    }
    TestHost host;
    RawSizeDialog d(526338, 16);
    EXPECT_EQ(d.dialog->windowTitle(), "Raw Size");
    EXPECT_EQ(Child<QLabel>(*d.dialog, "LblFileLen")->text(), "Raw16 heightmap file of 526338 bytes.");
    EXPECT_TRUE(Child<QLabel>(*d.dialog, "LblTitle")->text().startsWith("Raw heightmap files do not contain"));
    EXPECT_EQ(d.width->toolTip(), " Raw format heightmap width in pixels");
    SaveShot(*d.dialog, "FrmRawSize");
}

TEST(RawSizeDialog, OkFollowsTheTypedSizeAndTakesTheFocus)
{
    TestHost host;
    RawSizeDialog d(8450, 16); // 65 x 65
    Enter(d.width, "6x5", d.height); // the letter is dropped
    EXPECT_EQ(d.width->text(), "65");
    EXPECT_FALSE(d.ok->isEnabled());
    Enter(d.height, "65", d.width);
    EXPECT_TRUE(d.ok->isEnabled());
    QApplication::processEvents();
    EXPECT_TRUE(d.ok->hasFocus());
    QTest::mouseClick(d.ok, Qt::LeftButton);
    EXPECT_FALSE(DialogCancelled());
    EXPECT_EQ(GetDialogResult(1).AsString(), "65");
    EXPECT_EQ(GetDialogResult(2).AsString(), "65");
}

TEST(RawSizeDialog, LeavingNormalisesAndAnyMatchingPairIsAccepted)
{
    TestHost host;
    RawSizeDialog d(131072, 8);
    EXPECT_FALSE(d.ok->isEnabled());
    Enter(d.width, "600", d.height);
    EXPECT_EQ(d.width->text(), "513");
    Enter(d.width, "", d.height);
    EXPECT_EQ(d.width->text(), "0");
    Enter(d.width, "512", d.height);
    Enter(d.height, "256", d.width);
    EXPECT_TRUE(d.ok->isEnabled());
    Enter(d.width, "256", d.height);
    Enter(d.height, "512", d.width);
    EXPECT_TRUE(d.ok->isEnabled());
}

TEST(RawSizeDialog, EnterChecksTheBoxBeingEditedBeforeConfirming)
{
    TestHost host;
    RawSizeDialog d(131072, 16); // proposes 256 x 256
    ASSERT_TRUE(d.ok->isEnabled());
    d.width->setFocus();
    d.width->selectAll();
    QTest::keyClicks(d.width, "999");
    QTest::keyClick(d.width, Qt::Key_Return);
    EXPECT_EQ(d.width->text(), "513");
    EXPECT_FALSE(d.ok->isEnabled());
    EXPECT_TRUE(DialogCancelled());
    EXPECT_TRUE(d.dialog->isVisible());
}

TEST(RawSizeDialog, CancelAndEscapeLeaveTheSlotsEmpty)
{
    TestHost host;
    RawSizeDialog d(526338, 16);
    QTest::keyClick(d.dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(d.dialog->isVisible());
    EXPECT_TRUE(DialogCancelled());
    EXPECT_TRUE(GetDialogResult(1).IsEmpty());
}

TEST(Registration, ShowDialogModalShowsTheRealDialog)
{
    TestHost reset; // clean slots and heightmap
    QtHost host;
    InstallHost(&host);
    RegisterParameterDialogs(host);
    SetDialogParam(1, int32_t{524288});
    SetDialogParam(2, int32_t{16});
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<DialogBase*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "FrmRawSize");
        dialog->PressOk();
    });
    const bool cancelled = ShowDialogModal(DialogId::RawSize);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(GetDialogResult(1).AsString(), "512");
    InstallHost(&reset);
}

TEST(SavePgmDialog, P2IsSelectedAndP5CanBeChosen)
{
    TestHost host;
    FrmSavePGM d;
    ShowActive(d);
    EXPECT_EQ(d.windowTitle(), "Save as PGM");
    auto* p2 = Child<QRadioButton>(d, "OptType0");
    auto* p5 = Child<QRadioButton>(d, "OptType1");
    EXPECT_EQ(p2->text(), "PGM P2 ASCII format");
    EXPECT_EQ(p5->text(), "PGM P5 binary format");
    EXPECT_TRUE(p2->isChecked());
    SaveShot(d, "FrmSavePGM");
    QTest::mouseClick(p5, Qt::LeftButton, {}, QPoint(6, p5->height() / 2));
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_FALSE(DialogCancelled());
    EXPECT_TRUE(SavePgmAnswerIsP5());
}

TEST(SaveStlDialog, SpacingBoxAndFlipNormals)
{
    TestHost host;
    SetDialogParam(1, int32_t{16});
    SetDialogParam(2, int32_t{0});
    SetDialogParam(3, false);
    SetDialogParam(4, false);
    FrmSaveSTL d;
    ShowActive(d);
    auto* spacing = Child<QLineEdit>(d, "TxtSpacing");
    auto* flip = Child<QCheckBox>(d, "ChkFlipNormals");
    EXPECT_EQ(d.windowTitle(), "Save as STL");
    EXPECT_EQ(spacing->text(), "16");
    EXPECT_FALSE(Child<QComboBox>(d, "CboOrigin")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(d, "ChkCalcNormals")->isEnabled());
    EXPECT_EQ(spacing->toolTip(), " The number of units between each heightmap altitude sample point ");
    SaveShot(d, "FrmSaveSTL");

    struct Row {
        const char* typed;
        const char* shown;
    } rows[] = {{"", "16"}, {"0", "1"}, {"5000", "1024"}, {"12345", "1024"}, {"3q2", "32"}};
    for (const Row& r : rows) {
        Enter(spacing, r.typed, flip);
        EXPECT_EQ(spacing->text(), r.shown) << r.typed;
    }
    flip->setChecked(true);
    // Emptied and confirmed straight away: OK still writes the normalised spacing.
    spacing->setFocus();
    spacing->clear();
    d.PressOk();
    EXPECT_FALSE(DialogCancelled());
    EXPECT_EQ(GetDialogResult(1).AsInt(), 16);
    EXPECT_TRUE(GetDialogResult(4).AsBool());
}

TEST(SaveObjDialog, OptionsFromTheSlotsAndBack)
{
    TestHost host;
    SetDialogParam(1, int32_t{8});
    SetDialogParam(2, true);
    SetDialogParam(3, false);
    FrmSaveOBJ d;
    ShowActive(d);
    auto* name = Child<QCheckBox>(d, "ChkObjName");
    auto* smooth = Child<QCheckBox>(d, "ChkSmooth");
    auto* spacing = Child<QLineEdit>(d, "TxtSpacing");
    EXPECT_EQ(d.windowTitle(), "Save as OBJ");
    EXPECT_TRUE(name->isChecked());
    EXPECT_FALSE(smooth->isChecked());
    EXPECT_EQ(spacing->text(), "8");
    EXPECT_EQ(name->toolTip(), " Include the \"o\" object name field ");
    SaveShot(d, "FrmSaveOBJ");
    Enter(spacing, "0", name);
    EXPECT_EQ(spacing->text(), "1");
    name->setChecked(false);
    smooth->setChecked(true);
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    EXPECT_EQ(GetDialogResult(1).AsInt(), 1);
    EXPECT_FALSE(GetDialogResult(2).AsBool());
    EXPECT_TRUE(GetDialogResult(3).AsBool());
}
