// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>
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

template <class T>
T* Child(QWidget& parent, const char* name)
{
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << "no control " << name;
    return w;
}

} // namespace tolv::test
