// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

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
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
};

inline const bool kQtEnvironmentAdded = (::testing::AddGlobalTestEnvironment(new QtEnvironment), true);

// Shows the window and makes it the active one, so focus moves as it would for a user.
inline void ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

inline void TypeInto(QWidget* box, const QString& text)
{
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, text);
}

// Replaces the whole text of the box by typing, then leaves it for next as Tab would.
inline void Enter(QLineEdit* box, const QString& text, QWidget* next)
{
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    next->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

// Answers the message boxes that open while it lives, in order, by clicking the given buttons;
// NoButton presses Return (the default button), and Escape answers once none is left.
// beforeAnswer runs while each box is up.
class BoxClicker {
public:
    BoxClicker(std::initializer_list<QMessageBox::StandardButton> answers) : answers_(answers)
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

template <class T>
T* Child(QWidget& parent, const char* name)
{
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << "no control " << name;
    return w;
}

} // namespace tolv::test
