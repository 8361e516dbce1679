// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "TempDir.h"
#include "TestHost.h"
#include "UiTestSupport.h"
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
#include "shell/ui/vbMSCmnDialog.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

QStringList Items(QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

QString Text(QWidget& d, const char* label) { return Child<QLabel>(d, label)->text(); }

// The dialog's results as the texts of their slots, in slot order.
template <class Result>
std::string Results()
{
    Result r = ReadDialogResult<Result>();
    std::string text;
    r.Slots([&text](int, const auto& v) { text += (text.empty() ? "" : " ") + DialogValue(v).AsString(); });
    return text;
}

// Input values set, dialog built and shown active.
template <class Dialog, class Params>
std::unique_ptr<Dialog> Open(Params inputs)
{
    WriteDialogParams(inputs);
    auto dialog = std::make_unique<Dialog>();
    ShowActive(*dialog);
    return dialog;
}

} // namespace

TEST(ScaleDialog, FieldsFollowTheMethodAndTheirChecks)
{
    TestHost host;
    auto d = Open<FrmScale>(ScaleParams{1000, 3000, 3, 100, 65535, 0});
    auto* method = Child<QComboBox>(*d, "CboScaleMethod");
    auto* percent = Child<QLineEdit>(*d, "TxtPercent");
    auto* high = Child<QLineEdit>(*d, "TxtHiAlt");
    auto* low = Child<QLineEdit>(*d, "TxtLoAlt");
    EXPECT_EQ(method->currentIndex(), 3);
    EXPECT_FALSE(percent->isEnabled());
    EXPECT_FALSE(Child<QLabel>(*d, "LblPercent")->isEnabled());
    EXPECT_TRUE(high->isEnabled());
    EXPECT_EQ(Text(*d, "LblOrgHigh") + " " + Text(*d, "LblOrgLow"), "3000 1000");

    Enter(high, "7x0000", low); // the letter does nothing
    EXPECT_EQ(high->text(), "65535");
    Enter(low, "900", high);
    Enter(high, "100", low); // reversed bounds are swapped
    EXPECT_EQ(high->text() + " " + low->text(), "900 100");
    EXPECT_EQ(Text(*d, "LblNewHigh") + " " + Text(*d, "LblNewLow"), "900 100");

    method->setCurrentIndex(2);
    EXPECT_TRUE(percent->isEnabled());
    EXPECT_FALSE(high->isEnabled());
    EXPECT_FALSE(Child<QLabel>(*d, "LblHiAlt")->isEnabled());
    Enter(percent, "", method);
    EXPECT_EQ(percent->text(), "1");
    Enter(percent, "200", method);
    // m = 2000, half of 200 % of 2001 = 2001: the low end stops at 0.
    EXPECT_EQ(Text(*d, "LblNewHigh") + " " + Text(*d, "LblNewLow"), "4001 0");
    method->setCurrentIndex(0);
    EXPECT_EQ(Text(*d, "LblNewHigh"), "255");

    method->setCurrentIndex(2);
    QTest::mouseClick(d->okButton(), Qt::LeftButton);
    EXPECT_FALSE(DialogCancelled());
    EXPECT_EQ(Results<ScaleResult>(), "2 200 900 100");
}

TEST(MoveDialog, MethodsScrollBarAndTypedBase)
{
    TestHost host;
    auto d = Open<FrmMove>(MoveParams{100, 200, 1});
    auto* method = Child<QComboBox>(*d, "CboMethod");
    auto* base = Child<QLineEdit>(*d, "TxtUserBaseAlt");
    auto* scroll = Child<QScrollBar>(*d, "VScrUserBaseAlt");
    EXPECT_EQ(Text(*d, "LblNewBase"), "32718");
    EXPECT_EQ(Text(*d, "LblOrgRange"), "101");
    EXPECT_FALSE(base->isEnabled());
    EXPECT_FALSE(scroll->isEnabled());
    EXPECT_EQ(scroll->maximum(), 65435 / 2);

    method->setCurrentIndex(0);
    EXPECT_EQ(Text(*d, "LblNewBase"), "65435");
    method->setCurrentIndex(3);
    EXPECT_TRUE(base->isEnabled() && scroll->isEnabled());
    EXPECT_EQ(Text(*d, "LblNewBase"), "0");
    Enter(base, "70000", method);
    EXPECT_EQ(base->text(), "65435");
    EXPECT_EQ(scroll->value(), 0);
    scroll->setValue(10); // two altitudes per step, highest at the top
    EXPECT_EQ(base->text(), "65415");
    EXPECT_EQ(Text(*d, "LblNewBase"), "65415");
    Enter(base, "1001", method);
    EXPECT_EQ(scroll->value(), (65435 - 1001) / 2);
    EXPECT_EQ(base->text(), "1001");

    QTest::mouseClick(d->okButton(), Qt::LeftButton);
    EXPECT_EQ(Results<MoveResult>(), "3 1001");
}

TEST(MoveDialog, PreviewDrawsOldNewAndOverlap)
{
    TestHost host;
    auto d = Open<FrmMove>(MoveParams{0, 29999, 2}); // already at the lowest base
    auto* pic = Child<QWidget>(*d, "PicPreview");
    auto colourAt = [pic](double fromTop) {
        QImage img = pic->grab().toImage();
        return img.pixelColor(img.width() / 2, static_cast<int>(img.height() * fromTop));
    };
    // The spans coincide: the lower part is the overlap colour, the upper part empty.
    EXPECT_EQ(colourAt(0.8), QColor(0, 51, 102));
    EXPECT_EQ(colourAt(0.2), pic->palette().color(QPalette::Base));
    Child<QComboBox>(*d, "CboMethod")->setCurrentIndex(0); // highest base: no overlap
    EXPECT_EQ(colourAt(0.2), QColor(51, 102, 153));
    EXPECT_EQ(colourAt(0.8), QColor(102, 102, 102));
}

TEST(InvertDialog, OffersTheTruncatedAndTheSixteenBitMidpoint)
{
    TestHost host;
    auto d = Open<FrmInvert>(InvertParams{100, 200});
    auto* center = Child<QComboBox>(*d, "CboCenter");
    EXPECT_EQ(Items(center), QStringList({"midpoint of current heightmap (150)", "midpoint of 16-bit heightmap (32767)"}));
    EXPECT_EQ(center->currentIndex(), 0);
    EXPECT_EQ(Text(*d, "LblMid"), "150");
    center->setCurrentIndex(1);
    QTest::keyClick(d.get(), Qt::Key_Return);
    EXPECT_FALSE(DialogCancelled());
    EXPECT_EQ(Results<InvertResult>(), "32767");
}

TEST(InterpolateDialog, FactorListAndVarianceField)
{
    TestHost host;
    auto d = Open<FrmInterpolate>(InterpolateParams{128, 128, 0.5f, 8});
    auto* factor = Child<QComboBox>(*d, "CboFactor");
    auto* variance = Child<QLineEdit>(*d, "TxtVariance");
    EXPECT_EQ(Text(*d, "LblSize"), "Interpolate from 128 x 128 to:");
    EXPECT_EQ(Items(factor), QStringList({"2x = 256 x 256", "4x = 512 x 512"}));
    EXPECT_EQ(factor->currentIndex(), 0); // 8x is not offered
    EXPECT_EQ(variance->text(), "0.5");
    Enter(variance, "1.a5", factor);
    EXPECT_EQ(variance->text(), "1.0");
    factor->setCurrentIndex(1);
    QTest::mouseClick(d->okButton(), Qt::LeftButton);
    EXPECT_EQ(Results<InterpolateResult>(), "1.0 4");
}

TEST(ResampleDialog, FactorListAndResults)
{
    TestHost host;
    auto d = Open<FrmResample>(ResampleParams{256, 256, 8, 1});
    auto* factor = Child<QComboBox>(*d, "CboFactor");
    EXPECT_EQ(Text(*d, "LblSize"), "&Resample from 256 x 256 to:");
    EXPECT_EQ(Items(factor), QString::fromUtf8("÷2 = 128 x 128|÷4 = 64 x 64|÷8 = 32 x 32|÷16 = 16 x 16").split('|'));
    EXPECT_EQ(factor->currentIndex(), 2);
    QTest::mouseClick(d->okButton(), Qt::LeftButton);
    EXPECT_EQ(Results<ResampleResult>(), "8 1");
}

TEST(TrimDialog, ListsForThreeHundredByTwoHundredAndTheBoxRules)
{
    TestHost host;
    LoadGrid(300, 200, std::vector<int32_t>(300 * 200, 7));
    FrmTrim d;
    ShowActive(d);
    auto* w = Child<QComboBox>(d, "CboWidth");
    auto* h = Child<QComboBox>(d, "CboHeight");
    EXPECT_EQ(Text(d, "LblInfo"), "Heightmap dimensions are 300 by 200");
    EXPECT_EQ(Items(w), QStringList({"256", "128", "64", "32", "16"}));
    EXPECT_EQ(Items(h), QStringList({"128", "64", "32", "16"}));
    EXPECT_EQ(w->currentText() + " " + h->currentText(), "256 128");

    w->setFocus(Qt::TabFocusReason);
    w->lineEdit()->selectAll();
    QTest::keyClicks(w, "9x999"); // a letter does nothing, three characters at most
    EXPECT_EQ(w->currentText(), "999");
    h->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(w->currentText(), "300");
    h->lineEdit()->selectAll();
    QTest::keyClicks(h, "0");
    w->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h->currentText(), "200");
    h->setCurrentIndex(1);
    QTest::mouseClick(Child<QPushButton>(d, "CmdTrimC"), Qt::LeftButton);
    EXPECT_FALSE(DialogCancelled());
    EXPECT_EQ(Results<TrimResult>(), "4 300 64");

    // Narrower than the shortest entry: the box starts with the map's own width.
    TestHost again;
    LoadGrid(10, 40, std::vector<int32_t>(400, 1));
    FrmTrim small;
    EXPECT_EQ(Child<QComboBox>(small, "CboWidth")->currentText() + " " + Child<QComboBox>(small, "CboHeight")->currentText(),
              "10 32");
    small.PressTrim(3);
    EXPECT_EQ(Results<TrimResult>(), "3 10 32");
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
        EXPECT_TRUE(d.isVisible()) << name;
        EXPECT_TRUE(DialogCancelled()) << name;
        EXPECT_EQ(ReadDialogResult<TrimResult>().width, "") << name;
    }
    // A button the user moved to is a choice: Enter presses it.
    rb->setFocus(Qt::TabFocusReason);
    QTest::keyClick(rb, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Results<TrimResult>(), "3 256 256");
}

TEST(SplitDialog, TileSizeFollowsTheCountsAndOkReturnsThem)
{
    TestHost host;
    auto d = Open<FrmSplit>(SplitParams{512, 256});
    EXPECT_EQ(Text(*d, "LblHeightmapInfo"), "Heightmap size is 512x256.");
    EXPECT_EQ(Text(*d, "LblSplitInfo"), "Each terrain size is 512x256.");
    Child<QComboBox>(*d, "CboColumns")->setCurrentIndex(3);
    EXPECT_EQ(Text(*d, "LblSplitInfo"), "Each terrain size is 128x256.");
    Child<QComboBox>(*d, "CboRows")->setCurrentIndex(2);
    EXPECT_EQ(Text(*d, "LblSplitInfo"), "Each terrain size is 128x85.");
    Child<QCheckBox>(*d, "ChkSeamless")->setChecked(true);
    QTest::mouseClick(d->okButton(), Qt::LeftButton);
    EXPECT_EQ(Results<SplitResult>(), "4 3 128 85 True");

    TestHost again;
    auto tiny = Open<FrmSplit>(SplitParams{3, 3});
    Child<QComboBox>(*tiny, "CboColumns")->setCurrentIndex(3); // 4 columns of a 3-wide map
    EXPECT_FALSE(tiny->okButton()->isEnabled());
}

TEST(SplitDialog, SketchLeavesDarkWhatNoTileCovers)
{
    TestHost host;
    auto d = Open<FrmSplit>(SplitParams{16, 16});
    Child<QComboBox>(*d, "CboColumns")->setCurrentIndex(3);
    auto* sketch = Child<QWidget>(*d, "PicPreview");
    // The 16 points are drawn over 124 pixels from x = 8; pixel 125 shows point 15.
    for (bool seamless : {false, true}) {
        Child<QCheckBox>(*d, "ChkSeamless")->setChecked(seamless);
        // Four seamless tiles of 4 overlap by one point each and cover points 0..12 only.
        const QColor expected = seamless ? QColor(102, 102, 102) : QColor(153, 153, 153);
        EXPECT_EQ(sketch->grab().toImage().pixelColor(125, 20), expected) << seamless;
        EXPECT_EQ(sketch->grab().toImage().pixelColor(95, 20), QColor(153, 153, 153)) << seamless;
    }
}

TEST(ParameterDialogs, CancelWritesNothing)
{
    TestHost host;
    auto d = Open<FrmScale>(ScaleParams{0, 10, 1, 100, 10, 0});
    QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(DialogCancelled());
    for (int slot = 1; slot <= 10; ++slot) EXPECT_TRUE(GetDialogResult(slot).IsEmpty()) << slot;
}

TEST(StitchDialog, BrowseClearPicturesAndMissingSectionWarnings)
{
    TestHost host;
    TempDir dir;
    for (const char* n : {"a.hmb", "b.hmb", "c.hmb", "d.hmb"}) WriteFileText(dir / n, "x");
    FrmStitch d;
    ShowActive(d);
    auto spec = [&d](int i) { return Child<QLineEdit>(d, ("TxtFilespec" + std::to_string(i)).c_str()); };
    auto click = [&d](const char* button) { QTest::mouseClick(Child<QPushButton>(d, button), Qt::LeftButton); };
    auto* pictures = Child<SectionPicture>(d, "ImgSection");
    EXPECT_EQ(pictures->filledMask(), 0);

    std::string next = dir / "a.hmb";
    QString askedTitle;
    SetFileChooser([&](const FileDialogRequest& r) {
        askedTitle = r.title;
        return QString::fromStdString(next);
    });
    click("CmdBrowse0");
    EXPECT_EQ(spec(0)->text().toStdString(), dir / "a.hmb");
    EXPECT_EQ(askedTitle, "Browse for Heightmap");
    next = "";
    click("CmdBrowse1"); // cancelled
    EXPECT_TRUE(spec(1)->text().isEmpty());
    SetFileChooser(nullptr);
    TypeInto(spec(2), "c?:*"); // "?" and "*" are not path characters
    EXPECT_EQ(spec(2)->text(), "c:");
    spec(2)->setText(QString::fromStdString(dir / "c.hmb"));
    spec(3)->setText(QString::fromStdString(dir / "d.hmb"));
    EXPECT_EQ(pictures->filledMask(), 0b1101);

    d.PressOk();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(host.OnlyText(), "The specified second section file does not exist.\r\n\"\"");

    spec(1)->setText(QString::fromStdString(dir / "b.hmb"));
    click("CmdClear3");
    EXPECT_EQ(pictures->filledMask(), 0b0111);
    click("CmdClear2"); // one and two
    d.PressOk();
    EXPECT_FALSE(DialogCancelled());
    const auto r = ReadDialogResult<StitchResult>();
    EXPECT_EQ(r.paths[1], dir / "b.hmb");
    EXPECT_EQ(r.paths[2], "");
}
