// SIGTERM, SIGINT and SIGHUP as a request to quit the normal way. Qt's recipe for Unix
// signals: the handler only writes one byte to a socket pair, and a notifier on the
// other end reports it from the event loop, where anything may be done.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace mireto {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one object per process. The handlers stay until it goes.
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested();

private:
    void OnActivated();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace mireto
