// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

namespace tolv {

// One running instance per user and program file. The instance holds an exclusive lock on
// name + ".lock" for its whole life and listens on the local socket name; a later start that
// cannot take the lock hands its request to that socket and ends without showing anything.
// Taking the lock is the one atomic step that decides which start runs, and only the holder of
// the lock ever removes a socket (one left behind by a run that was killed).
class vbSingleInstance : public QObject {
    Q_OBJECT
public:
    // name: the path of the socket; the lock file lies beside it.
    explicit vbSingleInstance(const QString& name, QObject* parent = nullptr);
    ~vbSingleInstance() override;

    // True: this process is now the running instance and listens for later starts. False: the
    // request (an absolute file path, or "" to raise the window only) went to the running
    // instance, or that instance did not answer within a few seconds; either way this start ends.
    bool Claim(const QString& request = {});

    // The socket path for this program file in the user's runtime folder.
    static QString DefaultName();

signals:
    // A later start asked for the window, with the file it was given ("" for none).
    void Requested(const QString& path);

private:
    enum class Lock { Taken, Held, Unavailable };
    Lock TakeLock();
    void Listen(bool removeStale);
    bool HandOver(const QString& request);
    void Serve();

    QString name_;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
};

} // namespace tolv
