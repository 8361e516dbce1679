// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The parameter dialogs' wiring: each shows what its rules give for its inputs, typed keys and
// clicks reach the controls and the result, Enter and Escape do what they say. The rules
// themselves are tested in the core.
#include <QCheckBox>
#include <QPushButton>

#include "UiTestSupport.h"
#include "formats/FrmRawSizeRules.h"
#include "formats/ui/FrmRawSize.h"
#include "heightmap/FrmAltitudeRules.h"
#include "heightmap/FrmResolutionRules.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/FrmTrimRules.h"
#include "heightmap/ui/FrmInterpolate.h"
#include "heightmap/ui/FrmInvert.h"
#include "heightmap/ui/FrmMove.h"
#include "heightmap/ui/FrmScale.h"
#include "heightmap/ui/FrmSplit.h"
#include "heightmap/ui/FrmStitch.h"
#include "heightmap/ui/FrmTrim.h"
#include "imaging/FrmSaveOBJRules.h"
#include "imaging/FrmSaveSTLRules.h"
#include "imaging/ui/FrmSaveMesh.h"
#include "shell/FrmOptionsRules.h"
#include "shell/ui/FrmOptions.h"
#include "shell/ui/RegisterDialogs.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// As a command shows a dialog: slots cleared, inputs set; then the dialog is built and shown active.
template <class Dialog, class Params>
std::unique_ptr<Dialog> Open(Params inputs)
{
    ClearDialogParams();
    WriteDialogParams(inputs);
    auto dialog = std::make_unique<Dialog>();
    ShowActive(*dialog);
    return dialog;
}

} // namespace

TEST(AltitudeDialogs, ScaleMoveAndInvert)
{
    TestHost host;
    auto scale = Open<FrmScale>(ScaleParams{1000, 3000, 3, 100, 500, 0});
    const char* all = "CboScaleMethod TxtPercent LblPercent TxtHiAlt LblHiAlt TxtLoAlt LblOrgHigh LblOrgLow LblNewHigh "
                      "LblNewLow";
    EXPECT_EQ(Shown(*scale, all),
              "Scale to specified altitude range|100!|&Percentage:!|500|&Highest altitude:|0|3000|1000|500|0");
    EXPECT_EQ(After(*scale, "TxtHiAlt=7x0000", "TxtHiAlt"), "65535"); // the letter dropped, the value limited
    EXPECT_EQ(After(*scale, "TxtLoAlt=900 TxtHiAlt=100 CboScaleMethod#2 TxtPercent=200", all),
              "Scale to specified percentage|200|&Percentage:|900!|&Highest altitude:!|100!|3000|1000|4001|0");
    Act(*scale, "CmdOk");
    EXPECT_EQ(Results<ScaleResult>(), "2 200 900 100");

    auto move = Open<FrmMove>(MoveParams{100, 200, 1});
    const char* base = "TxtUserBaseAlt VScrUserBaseAlt LblNewBase";
    EXPECT_EQ(
        Shown(*move, "CboMethod LblUserBaseAlt LblOrgBase LblOrgRange LblNewRange TxtUserBaseAlt VScrUserBaseAlt"),
        "Midpoint base altitude|&Base altitude:!|100|101|101|0!|32717!");
    EXPECT_EQ(After(*move, "CboMethod#3 TxtUserBaseAlt=1001", base), "1001|32217|1001");
    EXPECT_EQ(After(*move, "VScrUserBaseAlt#10", base), "65415|10|65415");
    QTest::keyClick(move.get(), Qt::Key_Return);
    EXPECT_EQ(Results<MoveResult>(), "3 65415");

    auto invert = Open<FrmInvert>(InvertParams{100, 200});
    EXPECT_EQ(Shown(*invert, "CboCenter LblHigh LblMid LblLow"), "midpoint of current heightmap (150)|200|150|100");
    Act(*invert, "CboCenter#1");
    QTest::keyClick(invert.get(), Qt::Key_Return);
    EXPECT_EQ(Results<InvertResult>(), "32767");
}

TEST(ResolutionDialogs, InterpolateResampleAndCancel)
{
    TestHost host;
    auto interpolate = Open<FrmInterpolate>(InterpolateParams{128, 128, 0.5f, 8});
    EXPECT_EQ(Shown(*interpolate, "LblSize CboFactor TxtVariance"),
              "Interpolate from 128 x 128 to:|2x = 256 x 256|0.5");
    EXPECT_EQ(After(*interpolate, "TxtVariance=1.a5", "TxtVariance"), "1.0");
    Act(*interpolate, "CboFactor#1 CmdOk");
    EXPECT_EQ(Results<InterpolateResult>(), "1.0 4");

    auto resample = Open<FrmResample>(ResampleParams{256, 256, 8, 1});
    EXPECT_EQ(Shown(*resample, "LblSize CboFactor CboMethod"),
              "&Resample from 256 x 256 to:|÷8 = 32 x 32|Average (average across nth altitudes)");
    Act(*resample, "CboMethod#0 CmdOk");
    EXPECT_EQ(Results<ResampleResult>(), "8 0");

    auto cancelled = Open<FrmScale>(ScaleParams{0, 10, 1, 100, 10, 0});
    QTest::keyClick(cancelled.get(), Qt::Key_Escape);
    EXPECT_EQ(Results<ScaleResult>(), "0    cancelled"); // nothing written
}

TEST(TrimDialog, ListsBoxRulesAndButtons)
{
    TestHost host;
    LoadGrid(300, 200, std::vector<int32_t>(300 * 200, 7));
    FrmTrim d;
    ShowActive(d);
    EXPECT_EQ(Shown(d, "LblInfo CboWidth CboHeight"), "Heightmap dimensions are 300 by 200|256|128");
    // A letter does nothing, three characters at most; no zero.
    EXPECT_EQ(After(d, "CboWidth=1x234 CboHeight=0", "CboWidth CboHeight"), "123|200");
    Act(d, "CboHeight#1 CmdTrimC");
    EXPECT_EQ(Results<TrimResult>(), "4 123 64");
}

TEST(TrimDialog, EnterInASizeBoxNeverChoosesAnAnchor)
{
    TestHost host;
    LoadGrid(257, 257, std::vector<int32_t>(257 * 257, 7));
    FrmTrim d;
    ShowActive(d);
    for (const char* name : {"CmdTrimLT", "CmdTrimLB", "CmdTrimRT", "CmdTrimRB", "CmdTrimC", "CmdCancel"})
        EXPECT_FALSE(Child<QPushButton>(d, name)->isDefault()) << name;
    auto* rb = Child<QPushButton>(d, "CmdTrimRB");
    for (const char* name : {"CboWidth", "CboHeight"}) {
        auto* box = Child<QComboBox>(d, name);
        rb->setFocus(Qt::TabFocusReason); // a button that had the focus stays no default
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_TRUE(d.isVisible() && DialogCancelled()) << name;
    }
    // A button the user moved to is a choice: Enter presses it.
    rb->setFocus(Qt::TabFocusReason);
    QTest::keyClick(rb, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Results<TrimResult>(), "3 256 256");
}

TEST(SplitAndStitchDialogs, CountsSketchSectionsAndWarnings)
{
    TestHost host;
    auto d = Open<FrmSplit>(SplitParams{512, 256});
    EXPECT_EQ(Shown(*d, "LblHeightmapInfo LblSplitInfo"), "Heightmap size is 512x256.|Each terrain size is 512x256.");
    EXPECT_EQ(After(*d, "CboColumns#3 CboRows#2", "LblSplitInfo"), "Each terrain size is 128x85.");
    Act(*d, "ChkSeamless CmdOk");
    EXPECT_EQ(Results<SplitResult>(), "4 3 128 85 True");
    auto tiny = Open<FrmSplit>(SplitParams{3, 3});
    Act(*tiny, "CboColumns#3"); // 4 columns of a 3-wide map
    EXPECT_FALSE(tiny->okButton()->isEnabled());

    TempDir dir;
    for (const char* n : {"a.hmb", "b.hmb", "c.hmb", "d.hmb"}) WriteFileText(dir / n, "x");
    FrmStitch stitch;
    ShowActive(stitch);
    auto* pictures = Child<SectionPicture>(stitch, "ImgSection");
    std::string next = dir / "a.hmb";
    SetFileChooser([&](const FileDialogRequest&) { return Q(std::exchange(next, "")); });
    Act(stitch, "CmdBrowse0 CmdBrowse1"); // the second cancelled
    SetFileChooser(nullptr);
    // "?" and "*" are not path characters.
    EXPECT_EQ(After(stitch, "TxtFilespec2=c?:*", "TxtFilespec0 TxtFilespec1 TxtFilespec2"), dir / "a.hmb" + "||c:");
    Child<QLineEdit>(stitch, "TxtFilespec2")->setText(Q(dir / "c.hmb"));
    Child<QLineEdit>(stitch, "TxtFilespec3")->setText(Q(dir / "d.hmb"));
    EXPECT_EQ(pictures->filledMask(), 0b1101);
    stitch.PressOk();
    EXPECT_TRUE(stitch.isVisible());
    EXPECT_EQ(host.OnlyText(), "The specified second section file does not exist.\r\n\"\"");
    Child<QLineEdit>(stitch, "TxtFilespec1")->setText(Q(dir / "b.hmb"));
    Act(stitch, "CmdClear3");
    EXPECT_EQ(pictures->filledMask(), 0b0111);
    Act(stitch, "CmdClear2"); // one and two
    stitch.PressOk();
    EXPECT_EQ(Results<StitchResult>(), dir / "a.hmb" + " " + (dir / "b.hmb") + "  ");
}

TEST(FileDialogs, RawSize)
{
    TestHost host;
    auto d = Open<FrmRawSize>(RawSizeParams{8450, 16}); // 65 x 65, no square of its own
    EXPECT_EQ(Shown(*d, "LblFileLen TxtWidth TxtHeight CmdOk"), "Raw16 heightmap file of 8450 bytes.|0|0|-!");
    EXPECT_EQ(After(*d, "TxtWidth=6x5", "TxtWidth CmdOk"), "65|-!");
    Act(*d, "TxtHeight=65");
    QApplication::processEvents();
    EXPECT_TRUE(d->okButton()->hasFocus());      // a valid size takes the focus to OK
    Type(*d, "TxtWidth", "999", Qt::Key_Return); // Enter checks the box being edited
    EXPECT_EQ(Shown(*d, "TxtWidth CmdOk"), "513|-!");
    EXPECT_TRUE(d->isVisible());
    Type(*d, "TxtWidth", "65", Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(Results<RawSizeResult>(), "65 65");
    auto escaped = Open<FrmRawSize>(RawSizeParams{131072, 16});
    QTest::keyClick(escaped.get(), Qt::Key_Escape);
    EXPECT_TRUE(DialogCancelled());

    // What the program registers is the real dialog, shown modally.
    QtHost qt;
    InstallHost(&qt);
    RegisterParameterDialogs(qt);
    WriteDialogParams(RawSizeParams{524288, 16});
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<FrmRawSize*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        shown->PressOk();
    });
    EXPECT_FALSE(ShowDialogModal(DialogId::RawSize));
    EXPECT_EQ(Results<RawSizeResult>(), "512 512");
    InstallHost(&host);
}

TEST(FileDialogs, SaveOptions)
{
    TestHost host;
    auto stl = Open<FrmSaveSTL>(SaveStlParams{});
    EXPECT_EQ(Shown(*stl, "TxtSpacing CboOrigin ChkCalcNormals ChkFlipNormals"), "16|Top-Left!|-!|-");
    EXPECT_EQ(After(*stl, "TxtSpacing=3q2", "TxtSpacing"), "32");
    EXPECT_EQ(After(*stl, "TxtSpacing=5000 ChkFlipNormals", "TxtSpacing"), "1024");
    Child<QLineEdit>(*stl, "TxtSpacing")->setFocus();
    Child<QLineEdit>(*stl, "TxtSpacing")->clear();
    stl->PressOk(); // emptied and confirmed at once: OK still writes the normalised spacing
    EXPECT_EQ(Results<SaveStlResult>(), "16 True");

    auto obj = Open<FrmSaveOBJ>(SaveObjValues{8, true, false});
    EXPECT_EQ(Shown(*obj, "TxtSpacing ChkObjName ChkSmooth"), "8|x|-");
    Act(*obj, "TxtSpacing=0 ChkObjName ChkSmooth CmdOk");
    EXPECT_EQ(Results<SaveObjValues>(), "1 False True");
}

TEST(OptionsDialog, StartsFromTheParametersAndReturnsTheChoices)
{
    UiTestHost host;
    const char* all = "CboConvertColorToGray OptnFileByType OptnFileByExtension CboPreviewLocation ChkScaleOnOpen "
                      "OptnUndoBuffer OptnUndoStack";
    {
        WriteDialogParams(OptionsValues{2, 1, 0x123456, 1, true, 1});
        FrmOptions d;
        EXPECT_EQ(Shown(d, all), "Always ask first|-|x|Left Top|x|-|x");
        EXPECT_EQ(d.KeptColor(), 0x123456);
    }
    WriteDialogParams(OptionsValues{0, 0, 0xFFFFFF, 0, false, 0});
    FrmOptions d;
    ShowActive(d);
    QWidget* frames[] = {d.FraConvert, d.FraFileType, d.FraPreview, d.FraRFL, d.FraScale, d.FraUndo};
    for (int c : {3, 0, 5, 1, 4, 2}) { // each category shows only its frame and its name
        d.LstCategory->setCurrentRow(c);
        EXPECT_EQ(d.LblCategory->text(), d.LstCategory->item(c)->text());
        for (int f = 0; f < 6; ++f) EXPECT_EQ(frames[f]->isVisible(), f == c) << c << " " << f;
    }
    int rflShown = 0;
    host.dialogs[DialogId::RecentFileList] = [&](QWidget*) { ++rflShown; };
    int32_t offered = -1;
    SetColorChooser([&](int32_t& c) { return offered = c, c = 0x00FF00, true; });
    Act(d, "CmdColor LstCategory#3 CmdRFL");
    EXPECT_EQ(std::pair(offered, rflShown), std::pair(0xFFFFFF, 1));
    EXPECT_EQ(QColor(d.CmdColor->icon().pixmap(d.CmdColor->iconSize()).toImage().pixel(1, 1)), QColor(0, 255, 0));
    SetColorChooser([](int32_t&) { return false; }); // a cancelled colour dialog keeps the colour
    Act(d, "LstCategory#2 CmdColor LstCategory#0 CboConvertColorToGray#2 LstCategory#1 OptnFileByExtension "
           "LstCategory#4 ChkScaleOnOpen CmdOk");
    EXPECT_EQ(Results<OptionsValues>(), "2 1 65280 0 True 0");

    ClearDialogParams();
    WriteDialogParams(OptionsValues{});
    FrmOptions cancelled;
    cancelled.ChkScaleOnOpen->setChecked(true);
    cancelled.CmdCancel->click();
    EXPECT_EQ(Results<OptionsValues>(), "0 0 0 0 False 0 cancelled");
}
