// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace tolv {

// One running instance per user and program: the first start listens on a local socket; a
// later start finds it, asks it to raise its window and ends without showing anything.
class vbSingleInstance : public QObject {
    Q_OBJECT
public:
    // name identifies the program (the same program file gives the same name).
    explicit vbSingleInstance(const QString& name, QObject* parent = nullptr);
    ~vbSingleInstance() override;

    // True when another instance answered; it has been asked to raise its window.
    bool AnotherInstanceRunning();
    // Starts listening; onActivate runs whenever a later start asks for the window.
    bool Listen(std::function<void()> onActivate);

    // The socket name of the running program (user and program path in it).
    static QString DefaultName();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
    std::function<void()> onActivate_;
};

} // namespace tolv
