// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "TestHost.h"
#include "UiTestSupport.h"
#include "formats/FrmRawSizeRules.h"
#include "formats/FrmSavePGMRules.h"
#include "formats/ui/FrmRawSize.h"
#include "formats/ui/FrmSavePGM.h"
#include "imaging/FrmSaveOBJRules.h"
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
        WriteDialogParams(RawSizeParams{length, bits});
        SetDialogCancelled(true);
        dialog = std::make_unique<FrmRawSize>();
        ShowActive(*dialog);
        width = Child<QLineEdit>(*dialog, "TxtWidth");
        height = Child<QLineEdit>(*dialog, "TxtHeight");
        ok = Child<QPushButton>(*dialog, "CmdOk");
    }
    std::unique_ptr<FrmRawSize> dialog;
    QLineEdit* width;
    QLineEdit* height;
    QPushButton* ok;
};

} // namespace

TEST(RawSizeDialog, ShowsTheProposalForTheFileLength)
{
    for (auto [length, side] : {std::pair<int32_t, const char*>{526338, "513"}, {8450, "0"}}) {
        SCOPED_TRACE(length);
        TestHost host;
        RawSizeDialog d(length, 16);
        EXPECT_EQ(d.width->text() + " x " + d.height->text(), QString(side) + " x " + side);
        EXPECT_EQ(d.ok->isEnabled(), length == 526338);
        EXPECT_EQ(Child<QLabel>(*d.dialog, "LblFileLen")->text(),
                  QString("Raw16 heightmap file of %1 bytes.").arg(length));
    }
}

TEST(RawSizeDialog, TypedDigitsOnlyOkFollowsTheSizeTakesTheFocusAndReturnsIt)
{
    TestHost host;
    RawSizeDialog d(8450, 16); // 65 x 65
    Enter(d.width, "6x5", d.height);
    EXPECT_EQ(d.width->text(), "65");
    EXPECT_FALSE(d.ok->isEnabled());
    Enter(d.height, "65", d.width);
    EXPECT_TRUE(d.ok->isEnabled());
    QApplication::processEvents();
    EXPECT_TRUE(d.ok->hasFocus());
    QTest::mouseClick(d.ok, Qt::LeftButton);
    EXPECT_FALSE(DialogCancelled());
    const auto r = ReadDialogResult<RawSizeResult>();
    EXPECT_EQ(r.width + " x " + r.height, "65 x 65");
}

TEST(RawSizeDialog, EnterChecksTheBoxBeingEditedAndEscapeCancels)
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
    QTest::keyClick(d.dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(d.dialog->isVisible());
    EXPECT_TRUE(DialogCancelled());
    EXPECT_EQ(ReadDialogResult<RawSizeResult>().width, "");
}

TEST(Registration, ShowDialogModalShowsTheRealDialog)
{
    TestHost reset; // clean slots and heightmap
    QtHost host;
    InstallHost(&host);
    RegisterParameterDialogs(host);
    WriteDialogParams(RawSizeParams{524288, 16});
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<DialogBase*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "FrmRawSize");
        dialog->PressOk();
    });
    const bool cancelled = ShowDialogModal(DialogId::RawSize);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(ReadDialogResult<RawSizeResult>().width, "512");
    InstallHost(&reset);
}

TEST(SavePgmDialog, P2IsSelectedAndP5CanBeChosen)
{
    TestHost host;
    FrmSavePGM d;
    ShowActive(d);
    auto* p2 = Child<QRadioButton>(d, "OptType0");
    auto* p5 = Child<QRadioButton>(d, "OptType1");
    EXPECT_TRUE(p2->isChecked());
    QTest::mouseClick(p5, Qt::LeftButton, {}, QPoint(6, p5->height() / 2));
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_FALSE(DialogCancelled());
    EXPECT_TRUE(ReadDialogResult<SavePgmResult>().P5());
}

TEST(SaveStlDialog, SpacingBoxAndFlipNormals)
{
    TestHost host;
    WriteDialogParams(SaveStlParams{});
    FrmSaveSTL d;
    ShowActive(d);
    auto* spacing = Child<QLineEdit>(d, "TxtSpacing");
    auto* flip = Child<QCheckBox>(d, "ChkFlipNormals");
    EXPECT_EQ(spacing->text(), "16");
    EXPECT_FALSE(Child<QComboBox>(d, "CboOrigin")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(d, "ChkCalcNormals")->isEnabled());

    for (auto [typed, shown] : {std::pair{"3q2", "32"}, {"5000", "1024"}}) {
        Enter(spacing, typed, flip);
        EXPECT_EQ(spacing->text(), shown) << typed;
    }
    flip->setChecked(true);
    // Emptied and confirmed straight away: OK still writes the normalised spacing.
    spacing->setFocus();
    spacing->clear();
    d.PressOk();
    EXPECT_FALSE(DialogCancelled());
    const auto r = ReadDialogResult<SaveStlResult>();
    EXPECT_EQ(r.spacing, 16);
    EXPECT_TRUE(r.flipNormals);
}

TEST(SaveObjDialog, OptionsFromTheSlotsAndBack)
{
    TestHost host;
    WriteDialogParams(SaveObjValues{8, true, false});
    FrmSaveOBJ d;
    ShowActive(d);
    auto* name = Child<QCheckBox>(d, "ChkObjName");
    auto* smooth = Child<QCheckBox>(d, "ChkSmooth");
    auto* spacing = Child<QLineEdit>(d, "TxtSpacing");
    EXPECT_TRUE(name->isChecked());
    EXPECT_FALSE(smooth->isChecked());
    EXPECT_EQ(spacing->text(), "8");
    Enter(spacing, "0", name);
    EXPECT_EQ(spacing->text(), "1");
    name->setChecked(false);
    smooth->setChecked(true);
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    const auto r = ReadDialogResult<SaveObjValues>();
    EXPECT_EQ(r.spacing, 1);
    EXPECT_FALSE(r.includeObjectName);
    EXPECT_TRUE(r.smoothFaces);
}
