// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QDialog>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tolv {

// The Options dialog: its values in and out are OptionsValues (FrmOptionsRules.h).
class FrmOptions : public QDialog {
    Q_OBJECT
public:
    explicit FrmOptions(QWidget* parent = nullptr);

    // Shows the frame of category index (0..5) and its name.
    void SelectCategory(int index);
    int32_t KeptColor() const { return color_; }
    // Redraws the colour button's picture for the kept colour.
    void DrawColorButton();

    QListWidget* LstCategory = nullptr;
    QLabel* LblCategory = nullptr;
    QWidget* FraConvert = nullptr;
    QWidget* FraFileType = nullptr;
    QWidget* FraPreview = nullptr;
    QWidget* FraRFL = nullptr;
    QWidget* FraScale = nullptr;
    QWidget* FraUndo = nullptr;
    QComboBox* CboConvertColorToGray = nullptr;
    QRadioButton* OptnFileByExtension = nullptr;
    QRadioButton* OptnFileByType = nullptr;
    QComboBox* CboPreviewLocation = nullptr;
    QPushButton* CmdColor = nullptr;
    QPushButton* CmdRFL = nullptr;
    QCheckBox* ChkScaleOnOpen = nullptr;
    QRadioButton* OptnUndoStack = nullptr;
    QRadioButton* OptnUndoBuffer = nullptr;
    QPushButton* CmdOk = nullptr;
    QPushButton* CmdCancel = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ChooseColor();
    void Confirm();
    QWidget* Frame(const char* name);

    int32_t color_ = 0xFFFFFF;
};

// Registers FrmOptions as the host's Options dialog.
class QtHost;
void RegisterOptionsDialog(QtHost& host);

} // namespace tolv
