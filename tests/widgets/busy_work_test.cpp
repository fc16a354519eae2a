#include "widgets/busy_work.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace mireto {

class BusyWorkTest : public QObject {
    Q_OBJECT

private slots:
    void quickWorkShowsNothingAndLongWorkSaysWhatItDoes() {
        QWidget window;
        window.show();
        QCOMPARE(runBusy(&window, QStringLiteral("早い"), [] { return 7; }), 7);
        QVERIFY(!window.findChild<QProgressDialog*>());

        // While the work goes on, the window's events are handled: a timer fires and
        // finds the progress window up, saying what is being done.
        QString shown;
        QTimer::singleShot(kShowAfterMs + 300, &window, [&] {
            if (auto* progress = window.findChild<QProgressDialog*>();
                progress && progress->isVisible())
                shown = progress->labelText();
        });
        std::atomic<bool> done = false;
        const std::string result = runBusy(&window, QStringLiteral("読み込んでいます..."), [&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(kShowAfterMs + 700));
            done = true;
            return std::string("結果");
        });
        QVERIFY(done);
        QCOMPARE(result, std::string("結果"));
        QCOMPARE(shown, QStringLiteral("読み込んでいます..."));
        QVERIFY(!window.findChild<QProgressDialog*>());
    }

    void whatTheWorkThrowsIsThrownToTheCaller() {
        QWidget window;
        bool caught = false;
        try {
            runBusy(&window, QString(), [] { throw std::runtime_error("disk"); });
        } catch (const std::runtime_error& error) {
            caught = std::string(error.what()) == "disk";
        }
        QVERIFY(caught);
    }
};

} // namespace mireto

QTEST_MAIN(mireto::BusyWorkTest)
#include "busy_work_test.moc"
