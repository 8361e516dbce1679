// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/ui/FrmSaveMesh.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "imaging/FrmSaveOBJRules.h"
#include "imaging/FrmSaveSTLRules.h"
#include "shell/ui/QtHost.h"
#include "shell/vbKeyFilter.h"

namespace tolv {
namespace {

const char* const kSpacingTip = " The number of units between each heightmap altitude sample point ";

// The spacing box: four digits at most, normalised when it loses the focus and when it is filled.
QLineEdit* SpacingBox(QLineEdit* edit, int32_t spacing)
{
    edit->setMaxLength(static_cast<int>(kSpacingMaxLength));
    edit->setText(Q(NormaliseSpacing(std::to_string(spacing))));
    OnLostFocus(edit, [edit] { edit->setText(Q(NormaliseSpacing(S(edit->text())))); });
    return edit;
}

} // namespace

FrmSaveSTL::FrmSaveSTL(QWidget* parent) : DialogBase("FrmSaveSTL", "Save as STL", parent)
{
    const auto s = ReadDialogParams<SaveStlParams>();
    auto* frame = new QGroupBox("Geometry options", this);
    frame->setObjectName("FraOptions");
    spacing_ = SpacingBox(MakeTextBox("TxtSpacing", kSpacingTip, AcceptDigitKey), s.spacing);
    origin_ = new QComboBox(frame);
    origin_->setObjectName("CboOrigin");
    origin_->addItems({"Top-Left", "Center", "Bottom-Left"});
    origin_->setCurrentIndex(s.originIndex >= 0 && s.originIndex < 3 ? s.originIndex : 0);
    calcNormals_ = new QCheckBox("&Calculate Surface Normals", frame);
    calcNormals_->setObjectName("ChkCalcNormals");
    calcNormals_->setToolTip(" Calculate the surface normals (most 3D apps recalculate the normals when importing) ");
    calcNormals_->setChecked(s.calculateNormals);
    flipNormals_ = new QCheckBox("&Flip Surface Normals", frame);
    flipNormals_->setObjectName("ChkFlipNormals");
    flipNormals_->setToolTip(" Flip the surface normals so that they are negative (point down) ");
    flipNormals_->setChecked(s.flipNormals);
    // Shown for what the format could carry; the writer does not offer them.
    auto* originLabel = MakeLabel("&Origin:", origin_, "LblOrigin");
    origin_->setEnabled(false);
    originLabel->setEnabled(false);
    calcNormals_->setEnabled(false);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(MakeLabel("&Vertex spacing:", spacing_, "LblSpacing"), 0, 0);
    grid->addWidget(spacing_, 0, 1);
    grid->addWidget(originLabel, 1, 0);
    grid->addWidget(origin_, 1, 1);
    grid->addWidget(calcNormals_, 2, 0, 1, 2);
    grid->addWidget(flipNormals_, 3, 0, 1, 2);
    body()->addWidget(frame);
    AddOkCancel();
    LoadDone();
}

bool FrmSaveSTL::WriteResults()
{
    spacing_->setText(Q(NormaliseSpacing(S(spacing_->text()))));
    WriteDialogResult(SaveStlResult{SpacingValue(S(spacing_->text())), flipNormals_->isChecked()});
    return true;
}

FrmSaveOBJ::FrmSaveOBJ(QWidget* parent) : DialogBase("FrmSaveOBJ", "Save as OBJ", parent)
{
    const auto s = ReadDialogParams<SaveObjValues>();
    auto* fileFrame = new QGroupBox("File options", this);
    fileFrame->setObjectName("FraOptions0");
    objName_ = new QCheckBox("&Include object name", fileFrame);
    objName_->setObjectName("ChkObjName");
    objName_->setToolTip(" Include the \"o\" object name field ");
    objName_->setChecked(s.includeObjectName);
    (new QVBoxLayout(fileFrame))->addWidget(objName_);

    auto* geoFrame = new QGroupBox("Geometry options", this);
    geoFrame->setObjectName("FraOptions1");
    smooth_ = new QCheckBox("&Smooth faces", geoFrame);
    smooth_->setObjectName("ChkSmooth");
    smooth_->setToolTip(" Include the \"s\" face smoothing group field ");
    smooth_->setChecked(s.smoothFaces);
    spacing_ = SpacingBox(MakeTextBox("TxtSpacing", kSpacingTip, AcceptDigitKey), s.spacing);
    auto* grid = new QGridLayout(geoFrame);
    grid->addWidget(smooth_, 0, 0, 1, 2);
    grid->addWidget(MakeLabel("&Vertex spacing:", spacing_, "LblSpacing"), 1, 0);
    grid->addWidget(spacing_, 1, 1);
    body()->addWidget(fileFrame);
    body()->addWidget(geoFrame);
    AddOkCancel();
    LoadDone();
}

bool FrmSaveOBJ::WriteResults()
{
    spacing_->setText(Q(NormaliseSpacing(S(spacing_->text()))));
    WriteDialogResult(SaveObjValues{SpacingValue(S(spacing_->text())), objName_->isChecked(), smooth_->isChecked()});
    return true;
}

} // namespace tolv
