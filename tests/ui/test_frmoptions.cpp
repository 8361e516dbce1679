// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <tuple>

#include "UiTestHost.h"
#include "shell/FrmOptionsRules.h"
#include "shell/ui/FrmOptions.h"

using namespace tolv;
using namespace tolv::test;

namespace {

void SetParams(int convert, int sort, int color, int location, bool scale, int undo)
{
    WriteDialogParams(OptionsValues{convert, sort, color, location, scale, undo});
}

} // namespace

TEST(FrmOptions, ControlsStartFromTheParameters)
{
    UiTestHost host;
    struct Row {
        int convert, sort, location;
        bool scale;
        int undo;
    };
    for (Row r : {Row{0, 0, 0, false, 0}, Row{2, 1, 1, true, 1}, Row{1, 0, 1, false, 1}}) {
        SetParams(r.convert, r.sort, 0x123456, r.location, r.scale, r.undo);
        FrmOptions dlg;
        EXPECT_EQ(dlg.CboConvertColorToGray->currentIndex(), r.convert);
        EXPECT_EQ(dlg.OptnFileByExtension->isChecked(), r.sort == 1);
        EXPECT_EQ(dlg.OptnFileByType->isChecked(), r.sort == 0);
        EXPECT_EQ(dlg.CboPreviewLocation->currentIndex(), r.location);
        EXPECT_EQ(dlg.ChkScaleOnOpen->isChecked(), r.scale);
        EXPECT_EQ(dlg.OptnUndoBuffer->isChecked(), r.undo == 0);
        EXPECT_EQ(dlg.OptnUndoStack->isChecked(), r.undo == 1);
        EXPECT_EQ(dlg.KeptColor(), 0x123456);
        ClearDialogParams();
    }
}

TEST(FrmOptions, EachCategoryShowsOnlyItsFrameAndItsName)
{
    UiTestHost host;
    SetParams(0, 0, 0xFFFFFF, 0, false, 0);
    FrmOptions dlg;
    dlg.show();
    QWidget* frames[] = {dlg.FraConvert, dlg.FraFileType, dlg.FraPreview, dlg.FraRFL, dlg.FraScale, dlg.FraUndo};
    ASSERT_EQ(dlg.LstCategory->count(), 6);
    EXPECT_EQ(dlg.LblCategory->text(), QStringLiteral("Convert"));
    for (int c : {3, 0, 5, 1, 4, 2}) {
        dlg.LstCategory->setCurrentRow(c);
        EXPECT_EQ(dlg.LblCategory->text(), dlg.LstCategory->item(c)->text());
        for (int f = 0; f < 6; ++f) EXPECT_EQ(frames[f]->isVisible(), f == c) << c << " " << f;
    }
}

TEST(FrmOptions, OkWritesTheResultsAndCancelDoesNot)
{
    UiTestHost host;
    SetParams(0, 0, 0xFFFFFF, 0, false, 0);
    {
        FrmOptions dlg;
        dlg.CboConvertColorToGray->setCurrentIndex(2);
        dlg.OptnFileByExtension->setChecked(true);
        dlg.CboPreviewLocation->setCurrentIndex(1);
        dlg.ChkScaleOnOpen->setChecked(true);
        dlg.OptnUndoStack->setChecked(true);
        dlg.CmdOk->click();
    }
    EXPECT_FALSE(DialogCancelled());
    const auto r = ReadDialogResult<OptionsValues>();
    EXPECT_EQ(std::tie(r.convertColorToGrayscale, r.fileTypeSort, r.previewBackgroundColor, r.previewLocation,
                       r.scaleOnOpen, r.undoMode),
              std::tuple(2, 1, 0xFFFFFF, 1, true, 1));

    ClearDialogParams();
    SetParams(0, 0, 0xFFFFFF, 0, false, 0);
    { // cancelled
        FrmOptions dlg;
        dlg.ChkScaleOnOpen->setChecked(true);
        dlg.CmdCancel->click();
    }
    EXPECT_TRUE(DialogCancelled());
    EXPECT_FALSE(ReadDialogResult<OptionsValues>().scaleOnOpen);
}

TEST(FrmOptions, ColourButtonKeepsTheChosenColourAndShowsIt)
{
    UiTestHost host;
    SetParams(0, 0, 0xFFFFFF, 0, false, 0);
    FrmOptions dlg;
    int32_t offered = -1;
    SetColorChooser([&](int32_t& c) {
        offered = c;
        c = 0x00FF00; // green
        return true;
    });
    dlg.CmdColor->click();
    EXPECT_EQ(offered, 0xFFFFFF);
    EXPECT_EQ(dlg.KeptColor(), 0x00FF00);
    QImage pic = dlg.CmdColor->icon().pixmap(dlg.CmdColor->iconSize()).toImage();
    EXPECT_EQ(QColor(pic.pixel(1, 1)), QColor(0, 255, 0));
    // A cancelled colour dialog keeps the colour.
    SetColorChooser([](int32_t&) { return false; });
    dlg.CmdColor->click();
    EXPECT_EQ(dlg.KeptColor(), 0x00FF00);
    dlg.CmdOk->click();
    EXPECT_EQ(ReadDialogResult<OptionsValues>().previewBackgroundColor, 0x00FF00);
}

TEST(FrmOptions, RecentFileListButtonOpensThatDialogAtOnce)
{
    UiTestHost host;
    int shown = 0;
    host.dialogs[DialogId::RecentFileList] = [&](QWidget*) { ++shown; };
    SetParams(0, 0, 0xFFFFFF, 0, false, 0);
    FrmOptions dlg;
    dlg.CmdRFL->click();
    EXPECT_EQ(shown, 1);
}
