#include "widgets/busy_work.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <memory>

namespace mireto {

void runBusy(QWidget* owner, const QString& what, const std::function<void()>& work) {
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&work, &failure] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QProgressDialog progress(what, QString(), 0, 0, owner);
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(kShowAfterMs);
    progress.setValue(0);

    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    // Painting and timers go on; clicks and keys wait for the end.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace mireto
