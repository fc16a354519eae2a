// How a second start reaches the editor already running on the same settings: it hands
// over its command line through a local socket, and the running editor raises its
// window and opens the file named there. The socket lives beside the settings file, as
// the lock does, so that every start on those settings finds it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace mireto {

// Where the editor of `settingsFile` listens: beside it, or, when that path is too long
// for a socket, in `runtimeFolder` under a name made from the settings folder's.
QString instanceSocketPath(const QString& runtimeFolder, const QString& settingsFile);

// The running editor's end: listens at `socketPath` and reports each command line that
// arrives, its file names already made absolute.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(const QString& socketPath, QObject* parent = nullptr);

    // False when nothing could listen there; the editor then runs all the same.
    bool isListening() const;

signals:
    void commandLineReceived(const QStringList& arguments);

private:
    void OnNewConnection();

    QLocalServer* m_server;
};

// The second start's end: hands `arguments` (names relative to the working folder are
// made absolute) to the editor listening at `socketPath`. True once it took them; false
// when none answered in time.
bool handToRunningInstance(const QString& socketPath, const QStringList& arguments);

} // namespace mireto
