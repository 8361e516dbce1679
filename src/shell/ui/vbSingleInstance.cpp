// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbSingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace tolv {
namespace {

constexpr int kWaitMs = 1000;
const QByteArray kActivate = "activate\n";

} // namespace

vbSingleInstance::vbSingleInstance(const QString& name, QObject* parent) : QObject(parent), name_(name) {}

vbSingleInstance::~vbSingleInstance()
{
    if (server_) server_->close();
}

QString vbSingleInstance::DefaultName()
{
    // A copy of the program elsewhere is another program with its own settings file.
    QByteArray path = QCoreApplication::applicationFilePath().toUtf8();
    QByteArray hash = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("tolv-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool vbSingleInstance::AnotherInstanceRunning()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return true;
}

bool vbSingleInstance::Listen(std::function<void()> onActivate)
{
    onActivate_ = std::move(onActivate);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left by a run that crashed: nobody answered on it, so it can go.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains("activate") && onActivate_) onActivate_();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}

} // namespace tolv
