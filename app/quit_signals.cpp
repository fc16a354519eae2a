#include "app/quit_signals.h"

#include <QSocketNotifier>
#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace mireto {

namespace {

constexpr std::array kSignals = {SIGTERM, SIGINT, SIGHUP};

// [0] is written by the handler, [1] read by the notifier.
int g_pair[2] = {-1, -1};

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // Nothing else is safe here; a full socket already holds a request.
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &byte, 1);
    errno = saved;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals)
        ::sigaction(number, &action, nullptr);
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_pair) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::OnActivated);
    handleWith(onSignal);
}

QuitSignals::~QuitSignals() {
    if (!m_notifier)
        return;
    handleWith(SIG_DFL);
    ::close(g_pair[0]);
    ::close(g_pair[1]);
    g_pair[0] = g_pair[1] = -1;
}

void QuitSignals::OnActivated() {
    char bytes[64];
    ssize_t got = 0;
    int requests = 0;
    while ((got = ::read(g_pair[1], bytes, sizeof bytes)) > 0)
        requests += static_cast<int>(got);
    // Reported from posted events, so that the notifier is free again before whatever
    // the quit brings up waits in a loop of its own. Each signal is a request of its own:
    // a second one that came before the first was taken still ends the program at once.
    for (int request = 0; request < std::min(requests, 2); ++request)
        QMetaObject::invokeMethod(this, &QuitSignals::quitRequested, Qt::QueuedConnection);
}

} // namespace mireto
