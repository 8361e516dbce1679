// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
#include "TestHost.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbMSCmnDialog.h"
#include "shell/ui/vbShellExec.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbShowDialog.h"

// Failures show Qt strings as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace tolv::test {

// One QApplication for the whole test program, deleted before the leak check.
struct QtEnvironment : ::testing::Environment {
    void SetUp() override { app = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { app.reset(); }
    int argc = 1;
    char name[13] = "tolv-ui-test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};
inline const bool kQtEnvironmentAdded = (::testing::AddGlobalTestEnvironment(new QtEnvironment), true);

// The application's host with scripted message boxes: every message is recorded, questions are
// answered from a queue (or with the default button), the window hooks stay real. With realBoxes
// the real boxes are shown (answer them with a BoxClicker). It resets the core's process-wide
// state and points the settings at a fresh file.
class UiTestHost : public QtHost {
public:
    UiTestHost()
    {
        ResetFileDialogState();
        SetSettingsPath(ini);
        SetUrlOpener([this](const QUrl& url) { return opened.push_back(url), true; });
        InstallHost(this);
    }
    ~UiTestHost() override { SetFileChooser(nullptr), SetColorChooser(nullptr), SetUrlOpener(nullptr); }
    void ShowMessage(MessageKind kind, const std::string& text, const std::string& caption, int help) override
    {
        scripted.ShowMessage(kind, text, caption, help);
        if (realBoxes) QtHost::ShowMessage(kind, text, caption, help);
    }
    bool AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int help) override
    {
        const bool answer = scripted.AskQuestion(text, caption, defaultNo, help);
        return realBoxes ? QtHost::AskQuestion(text, caption, defaultNo, help) : answer;
    }
    // Every message and opened address since the last call, "kind: text" a line ("(No)" marks a
    // question whose default is No), then "opened: " and the address as sent (a file as its path).
    std::string Said()
    {
        std::string said;
        for (const Recorded& m : messages) said += m.kind + (m.defaultNo ? " (No)" : "") + ": " + m.text + "\n";
        for (const QUrl& url : opened)
            said += "opened: " + S(url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)) + "\n";
        messages.clear(), opened.clear();
        return said;
    }

    TempDir dir;
    std::string ini = dir / "tolv.ini";
    bool realBoxes = false;
    std::vector<QUrl> opened;
    TestHost scripted; // installed first and taken off last; it clears the core's state
    std::vector<Recorded>& messages = scripted.messages;
    std::deque<bool>& answers = scripted.answers;
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

// Replaces the text of the named box by typing, then presses leave (Tab: on to the next control).
inline void Type(QWidget& window, const QString& name, const QString& text, Qt::Key leave = Qt::Key_Tab)
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

// Does what the user would, step by step, steps apart by blanks: "Name=text" types into a box,
// "Name#n" picks entry n of a combo box or list (#n,m,... selects several lines) or moves a scroll
// bar to n, "Name" clicks a button (near its left edge: check and option boxes answer clicks on
// their box and caption only).
inline void Act(QWidget& window, const char* steps)
{
    for (const QString& step : QString::fromUtf8(steps).split(' ')) {
        if (const qsizetype eq = step.indexOf('='); eq > 0) {
            Type(window, step.left(eq), step.mid(eq + 1));
        } else if (const qsizetype hash = step.indexOf('#'); hash > 0) {
            QWidget* w = Child(window, step.left(hash));
            const QStringList n = step.mid(hash + 1).split(',');
            if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentIndex(n[0].toInt());
            if (auto* s = qobject_cast<QAbstractSlider*>(w)) s->setValue(n[0].toInt());
            if (auto* l = qobject_cast<QListWidget*>(w)) {
                l->setCurrentRow(n[0].toInt());
                for (const QString& more : n.mid(1)) l->item(more.toInt())->setSelected(true);
            }
        } else if (auto* b = Child<QAbstractButton>(window, step)) {
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        }
    }
}

// The named controls as the user sees them, "|" between: a box's or label's text, a combo box's
// current text, "x" or "-" for a check or option box, a scroll bar's position, a list's lines
// ("," between); "!" marks a disabled control.
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
        else if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i) s = (i ? s + "," : "") + list->item(i)->text();
        if (w && !w->isEnabled()) s += "!";
        if (!out.empty()) out += '|';
        out += S(s);
    }
    return out;
}

// The steps done, the named controls as then shown.
inline std::string After(QWidget& window, const char* steps, const char* names)
{
    Act(window, steps);
    return Shown(window, names);
}

// The results of the last dialog, and "cancelled" when it was.
template <class T>
std::string Results()
{
    return SlotText(ReadDialogResult<T>()) + (DialogCancelled() ? " cancelled" : "");
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
