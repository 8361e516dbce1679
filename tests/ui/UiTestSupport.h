// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbMSCmnDialog.h"
#include "shell/ui/vbShellExec.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbShowDialog.h"

// Failures show Qt strings and key sequences as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QKeySequence& k, std::ostream* os) { *os << k.toString().toStdString(); }
QT_END_NAMESPACE

namespace tolv::test {

// One QApplication for the whole test program, deleted before the leak check.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "tolv-ui-test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};
inline const bool kQtEnvironmentAdded = (::testing::AddGlobalTestEnvironment(new QtEnvironment), true);

// The application's host with scripted message boxes: every message is recorded, questions are
// answered from a queue (or with the default button), the window hooks stay real. With realBoxes
// the real boxes are shown (answer them with a BoxClicker). It resets the core's process-wide
// state and points the settings at a fresh file.
class UiTestHost : public QtHost {
public:
    struct Message {
        std::string kind; // "warning", "info", "error", "question"
        std::string text;
        bool defaultNo = false;
    };
    UiTestHost()
    {
        ClearHeightmap();
        ClearDialogParams();
        ResetGlobals();
        ResetFileDialogState();
        SetSettingsPath(ini);
        SetUrlOpener([this](const QUrl& url) { return opened.push_back(url), true; });
        InstallHost(this);
    }
    ~UiTestHost() override
    {
        InstallHost(nullptr);
        SetFileChooser(nullptr);
        SetColorChooser(nullptr);
        SetUrlOpener(nullptr);
    }
    void ShowMessage(MessageKind kind, const std::string& text, const std::string& caption, int help) override
    {
        messages.push_back({kind == MessageKind::Info      ? "info"
                            : kind == MessageKind::Warning ? "warning"
                                                           : "error",
                            text});
        if (realBoxes) QtHost::ShowMessage(kind, text, caption, help);
    }
    bool AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int help) override
    {
        messages.push_back({"question", text, defaultNo});
        if (realBoxes) return QtHost::AskQuestion(text, caption, defaultNo, help);
        if (answers.empty()) return !defaultNo;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    // Every message so far, "kind: text" a line; "(No)" marks a question whose default is No.
    std::string Said() const
    {
        std::string said;
        for (const Message& m : messages) said += m.kind + (m.defaultNo ? " (No)" : "") + ": " + m.text + "\n";
        return said;
    }

    TempDir dir;
    std::string ini = dir / "tolv.ini";
    std::vector<Message> messages;
    std::deque<bool> answers;
    bool realBoxes = false;
    std::vector<QUrl> opened;
};

// Shows the window and makes it the active one, so focus moves as it would for a user.
inline void ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

template <class T = QWidget>
T* Child(QWidget& parent, const QString& name)
{
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
    return w;
}

// Clicks the named button near its left edge: check and option boxes answer clicks on their box
// and caption only.
inline void Click(QWidget& window, const char* name)
{
    auto* b = Child<QAbstractButton>(window, name);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

// Replaces the text of the named box by typing, then presses leave (Tab: on to the next control).
inline void Type(QWidget& window, const char* name, const QString& text, Qt::Key leave = Qt::Key_Tab)
{
    QWidget* box = Child(window, name);
    box->setFocus(Qt::TabFocusReason);
    if (auto* combo = qobject_cast<QComboBox*>(box)) combo->lineEdit()->selectAll();
    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, leave);
    QApplication::processEvents();
}

// The named controls as the user sees them, "|" between: a box's or label's text, a combo box's
// current text, "x" or "-" for a check or option box, a scroll bar's position; "!" marks a
// disabled control.
inline std::string Shown(QWidget& window, const char* names)
{
    std::string out;
    for (const QString& name : QString::fromLatin1(names).split(' ')) {
        QWidget* w = Child(window, name);
        QString s = "?";
        if (auto* c = qobject_cast<QComboBox*>(w)) s = c->currentText();
        else if (auto* e = qobject_cast<QLineEdit*>(w)) s = e->text();
        else if (auto* l = qobject_cast<QLabel*>(w)) s = l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w)) s = b->isChecked() ? "x" : "-";
        else if (auto* v = qobject_cast<QAbstractSlider*>(w)) s = QString::number(v->value());
        if (w && !w->isEnabled()) s += "!";
        out += (out.empty() ? "" : "|") + S(s);
    }
    return out;
}

// A dialog's values as the texts of their slots, in slot order; the results of the last dialog.
template <class T>
std::string SlotText(T values)
{
    std::string text;
    values.Slots([&text](int, const auto& v) { text += (text.empty() ? "" : " ") + DialogValue(v).AsString(); });
    return text;
}
template <class T>
std::string Results()
{
    return SlotText(ReadDialogResult<T>());
}

// Answers the message boxes that open while it lives, in order, by clicking the given buttons;
// NoButton presses Return (the default button), and Escape answers once none is left.
// beforeAnswer runs while each box is up.
class BoxClicker {
public:
    explicit BoxClicker(const std::vector<QMessageBox::StandardButton>& answers)
        : answers_(answers.begin(), answers.end())
    {
        timer_.callOnTimeout([this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box == last_) return;
            last_ = box;
            if (beforeAnswer) beforeAnswer();
            if (answers_.empty()) return QTest::keyClick(box, Qt::Key_Escape);
            QAbstractButton* button = box->button(answers_.front());
            answers_.pop_front();
            if (button) return QTest::mouseClick(button, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_Return);
        });
        timer_.start(10);
    }
    std::function<void()> beforeAnswer;

private:
    std::deque<QMessageBox::StandardButton> answers_;
    QTimer timer_;
    QPointer<QMessageBox> last_;
};

} // namespace tolv::test
