#include "app/ui/single_instance.h"

#include <unistd.h>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace tessera {

namespace {

constexpr char kGreeting[] = "TESSERA-OPEN 1\n";
constexpr char kAnswer[] = "ok\n";
// A message larger than this is not from our program; its sender is dropped.
constexpr qint64 kMaxMessageBytes = 1 << 20;
constexpr int kMaxFiles = 100;

}  // namespace

QString singleInstanceName(const std::string& programFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(programFolder), QCryptographicHash::Sha1);
    return QString("tessera-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash.toHex().left(16)));
}

bool handFilesToRunningInstance(const QString& name, const QStringList& files, int timeoutMs) {
    for (const QString& file : files)
        if (file.contains('\n'))
            return false;  // cannot travel as a line: open it here
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray message(kGreeting);
    for (const QString& file : files)
        message += file.toUtf8() + '\n';
    message += '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (answer.size() < static_cast<int>(sizeof kAnswer - 1) && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer.startsWith(kAnswer);
}

SingleInstanceServer::SingleInstanceServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstanceServer::accept);
}

SingleInstanceServer::~SingleInstanceServer() = default;

bool SingleInstanceServer::listen(const QString& name) {
    // Qt puts a new socket in place of an existing one, so a running program must be asked
    // first; a socket file nobody answers on was left behind and goes.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void SingleInstanceServer::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        if (socket->bytesAvailable() > 0)
            read(socket);
    }
}

void SingleInstanceServer::read(QLocalSocket* socket) {
    // The message stays in the socket's buffer until its closing empty line has arrived.
    if (socket->bytesAvailable() > kMaxMessageBytes) {
        socket->abort();
        return;
    }
    const QByteArray pending = socket->peek(socket->bytesAvailable());
    if (!pending.endsWith("\n\n"))
        return;
    const QByteArray message = socket->readAll();
    if (!message.startsWith(kGreeting)) {
        socket->abort();
        return;
    }
    QStringList files;
    for (const QByteArray& line : message.mid(static_cast<int>(sizeof kGreeting - 1)).split('\n')) {
        if (!line.isEmpty() && files.size() < kMaxFiles)
            files << QString::fromUtf8(line);
    }
    socket->write(kAnswer);
    socket->flush();
    socket->disconnectFromServer();
    if (!files.isEmpty())
        emit filesReceived(files);
}

}  // namespace tessera
