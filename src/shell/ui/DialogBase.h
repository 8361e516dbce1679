// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QDialog>
#include <QLabel>
#include <functional>
#include <string>

#include "shell/UiHost.h"
#include "shell/vbShowDialog.h"

class QAbstractButton;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace tolv {

// Core text (UTF-8, lines joined by CR LF) as label text.
QString LabelText(const std::string& text);

// A key filter of the core: whether a typed character is kept.
using KeyAccept = bool (*)(int ch);

// Drops every typed character the filter rejects. Editing keys (arrows, Delete, Tab, Enter,
// shortcuts) pass; pasted or dropped text loses the rejected characters too.
void InstallKeyFilter(QLineEdit* edit, KeyAccept accept);
// The same for the text of an editable combo box.
void InstallKeyFilter(QComboBox* box, KeyAccept accept);
// Selects the whole text whenever the box gets the focus.
void SelectAllOnFocus(QLineEdit* edit);
void SelectAllOnFocus(QComboBox* box);
// Runs hook when widget loses the focus to another control of its window (not when the whole
// window is deactivated, e.g. by a message box).
void OnLostFocus(QWidget* widget, std::function<void()> hook);
// Runs the lost-focus hook of widget now, if it has one.
void RunLostFocusHook(QWidget* widget);

// The title label: word-wrapped text on a painted two-colour gradient band.
class TitleBand : public QLabel {
    Q_OBJECT
public:
    explicit TitleBand(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// What every parameter dialog shares: its caption and title band, the hourglass while it fills
// itself and the previous pointer back when it closes, OK as the default and Cancel as the
// escape button, and the confirmation through the dialog slots.
class DialogBase : public QDialog {
    Q_OBJECT
public:
    // Shows the hourglass; the derived constructor builds and fills, then calls LoadDone().
    DialogBase(const char* name, const QString& caption, QWidget* parent);
    ~DialogBase() override;

    QPushButton* okButton() const { return cmdOk_; }
    QPushButton* cancelButton() const { return cmdCancel_; }

    // Presses OK as the user would: the focused box's lost-focus rule runs first, so a value
    // typed and confirmed with Enter is checked like one left with Tab. Does nothing while OK is
    // disabled.
    void PressOk();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The title band at the top (LblTitle).
    TitleBand* SetTitle(const QString& text);
    // The area between the title and the buttons.
    QVBoxLayout* body() const { return body_; }
    // Adds "OK" (CmdOk, default) and "Cancel" (CmdCancel, escape) at the bottom right.
    void AddOkCancel();
    QHBoxLayout* buttonRow() const { return buttons_; }

    // A caption label with an access key, bound to its control.
    static QLabel* MakeLabel(const QString& text, QWidget* buddy, const char* name = nullptr);
    // A numeric text box: object name, tooltip, key filter and select-all on focus.
    QLineEdit* MakeTextBox(const char* name, const QString& tooltip, KeyAccept accept);
    // A read-only value label.
    QLabel* MakeValueLabel(const char* name);

    // Ends the loading: the default pointer.
    void LoadDone();
    // The dialog's OK work: write the results. Return false to stay open.
    virtual bool WriteResults() { return true; }
    // Sets the cancelled flag to false and closes (for buttons other than CmdOk that confirm).
    void Confirm();

private:
    Pointer previous_;
    bool restored_ = false;
    bool faded_ = false;
    QVBoxLayout* body_ = nullptr;
    QVBoxLayout* outer_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

} // namespace tolv
