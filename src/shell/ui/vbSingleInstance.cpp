// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbSingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tolv {
namespace {

constexpr int kWaitMs = 1000;
// How long a later start keeps trying while the running instance is still starting or ending.
constexpr int kHandOverMs = 5000;
constexpr int kRetryMs = 50;
// Nothing a start sends comes near this; a peer that does is cut off.
constexpr qsizetype kMaxRequest = 64 * 1024;
const QByteArray kActivate = "activate";
const QByteArray kOpen = "open ";

} // namespace

vbSingleInstance::vbSingleInstance(const QString& name, QObject* parent) : QObject(parent), name_(name) {}

vbSingleInstance::~vbSingleInstance()
{
    // The socket goes first, while the lock still keeps other starts from claiming it.
    if (server_) server_->close();
    // The lock file itself stays: removing it would let two starts lock two different files.
    if (lockFd_ >= 0) ::close(lockFd_);
}

QString vbSingleInstance::DefaultName()
{
    // A copy of the program elsewhere is another program with its own settings file.
    QByteArray path = QCoreApplication::applicationFilePath().toUtf8();
    QByteArray hash = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16);
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return QStringLiteral("%1/tolv-%2-%3").arg(dir).arg(::getuid()).arg(QString::fromLatin1(hash));
}

vbSingleInstance::Lock vbSingleInstance::TakeLock()
{
    // Close-on-exec: a program started from here (a document viewer) must not keep the lock.
    const QByteArray path = QFile::encodeName(name_ + QStringLiteral(".lock"));
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Lock::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lockFd_ = fd;
        return Lock::Taken;
    }
    const int err = errno;
    ::close(fd);
    return err == EWOULDBLOCK ? Lock::Held : Lock::Unavailable;
}

bool vbSingleInstance::Claim(const QString& request)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        switch (TakeLock()) {
        case Lock::Taken: Listen(true); return true;
        case Lock::Unavailable:
            // No lock can be had here: a live socket still means a running instance, and
            // without the lock this start must not remove one.
            if (HandOver(request)) return false;
            Listen(false);
            return true;
        case Lock::Held:
            // The holder listens right after taking the lock, or is about to end and release it.
            if (HandOver(request)) return false;
            if (clock.elapsed() > kHandOverMs) return false;
            QThread::msleep(kRetryMs);
            break;
        }
    }
}

bool vbSingleInstance::HandOver(const QString& request)
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs)) return false;
    // A file URL keeps any character of a path (a line break too) on one line.
    const QByteArray line = (request.isEmpty() ? kActivate : kOpen + QUrl::fromLocalFile(request).toEncoded()) + '\n';
    socket.write(line);
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWaitMs);
    return sent;
}

void vbSingleInstance::Listen(bool removeStale)
{
    server_ = new QLocalServer(this);
    // Only the lock holder gets here with removeStale: a socket left at the name is a dead one.
    if (removeStale) QLocalServer::removeServer(name_);
    if (!server_->listen(name_)) return; // the program runs on; later starts then simply end
    connect(server_, &QLocalServer::newConnection, this, &vbSingleInstance::Serve);
}

void vbSingleInstance::Serve()
{
    // Each later start sends one line and goes.
    while (QLocalSocket* s = server_->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] {
            if (!s->canReadLine()) {
                if (s->bytesAvailable() > kMaxRequest) s->abort();
                return;
            }
            QByteArray line = s->readLine(kMaxRequest);
            s->disconnectFromServer();
            if (line.endsWith('\n')) line.chop(1);
            if (line == kActivate) {
                emit Requested(QString());
            } else if (line.startsWith(kOpen)) {
                const QString path = QUrl::fromEncoded(line.mid(kOpen.size())).toLocalFile();
                if (!path.isEmpty()) emit Requested(path);
            }
        });
    }
}

} // namespace tolv
