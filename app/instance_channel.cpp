#include "app/instance_channel.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <unistd.h>

namespace mireto {

namespace {

// Long enough for a start that waits on a busy machine, short enough not to feel hung.
constexpr int kAnswerMs = 5000;
constexpr char kTaken = '1';
// What a socket's path may hold (sun_path), its final zero byte included.
constexpr qsizetype kMaxSocketPathBytes = 108;

} // namespace

QString instanceSocketPath(const QString& runtimeFolder, const QString& settingsFile) {
    const QFileInfo folder(QFileInfo(settingsFile).absolutePath());
    const QString name = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                              : folder.canonicalFilePath();
    // Beside the lock, so that every start finds it whatever its environment...
    const QString beside = name + QStringLiteral("/.mireto-editor.socket");
    if (QFile::encodeName(beside).size() < kMaxSocketPathBytes)
        return beside;
    // ...unless the path is too long for a socket: then in the runtime folder, which is
    // the user's alone, or the temporary one, with the user's id.
    const QByteArray key =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    const QString base = runtimeFolder.isEmpty()
                             ? QDir::tempPath() + QStringLiteral("/mireto-%1-").arg(::getuid())
                             : runtimeFolder + QStringLiteral("/mireto-");
    return base + QString::fromLatin1(key) + QStringLiteral(".socket");
}

InstanceServer::InstanceServer(const QString& socketPath, QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Only the holder of the lock listens, so a socket found there is one left behind.
    QLocalServer::removeServer(socketPath);
    QDir().mkpath(QFileInfo(socketPath).absolutePath());
    m_server->listen(socketPath);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::OnNewConnection);
}

bool InstanceServer::isListening() const {
    return m_server->isListening();
}

void InstanceServer::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QStringList arguments;
            in >> arguments;
            if (!in.commitTransaction())
                return; // the rest is on its way
            socket->write(&kTaken, 1);
            socket->flush();
            socket->disconnectFromServer();
            emit commandLineReceived(arguments);
        });
    }
}

bool handToRunningInstance(const QString& socketPath, const QStringList& arguments) {
    QStringList absolute;
    for (const QString& argument : arguments) {
        absolute << (argument.startsWith(QLatin1Char('-'))
                         ? argument
                         : QFileInfo(argument).absoluteFilePath());
    }
    QLocalSocket socket;
    // The editor that holds the lock may be a moment away from listening.
    QDeadlineTimer deadline(kAnswerMs);
    for (;;) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << absolute;
    socket.write(message);
    if (!socket.waitForBytesWritten(kAnswerMs))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kAnswerMs))
            return false;
    }
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == kTaken;
}

} // namespace mireto
