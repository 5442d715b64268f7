#pragma once
// One running program per program folder receives the record files opened from the desktop:
// a second start with files hands them over through a local socket and exits, and the running
// program opens them in rooms of its own.
//
// The exchange: the new process sends "TESSERA-OPEN 1\n", one absolute path per line, and an
// empty line; the running program answers "ok\n" before it opens them. Without an answer the
// new process opens the files itself, so a hung program never swallows them.

#include <QObject>
#include <QString>
#include <QStringList>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace tessera {

// The socket name of the programs that use `programFolder` and run as this user.
QString singleInstanceName(const std::string& programFolder);

// Sends `files` to the program listening on `name`; true when it answered that it took them.
bool handFilesToRunningInstance(const QString& name, const QStringList& files, int timeoutMs = 3000);

class SingleInstanceServer : public QObject {
    Q_OBJECT
public:
    explicit SingleInstanceServer(QObject* parent = nullptr);
    ~SingleInstanceServer() override;

    // Listens on `name`; a socket left behind by a program that ended without closing it is
    // removed first. False when another program answers on that name, or on failure.
    bool listen(const QString& name);

signals:
    // Files another start of the program handed over (absolute paths, in their order).
    void filesReceived(const QStringList& files);

private:
    void accept();
    void read(QLocalSocket* socket);

    QLocalServer* server_;
};

}  // namespace tessera
