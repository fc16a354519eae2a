// How long the live preview takes to follow typing, as the user sees it: from the last
// key pressed in the editor to the first frame the preview's view paints after the
// engine has loaded the new page. That is the pause in typing, the page built, the
// engine's load and layout in its own processes, and the frame handed back, for texts
// of 10 KB, 100 KB and 1 MB in every style. Each iteration types one key after the
// page of the key before is painted, so every measurement starts from a quiet preview
// whose last update was timed, as when the user pauses between words.
//
// Counters: the typing pause the preview took (waited_ms), the time from the key to the
// page handed to the engine (pause_ms: the pause and the build), the rest (from there
// to the painted frame), and the longest time the user-interface thread went without
// handling events while the update ran, which is what typing would wait for. With the
// earlier fixed pause of 0.3 s the same update takes the time less waited_ms plus 300.
//
// The engine runs in the real window system (Xvfb under scripts/bench-preview-latency)
// with its sandbox as the environment says; as root it cannot run with it.
#include "app/mireto_view.h"
#include "app/page_preview.h"
#include "bench/preview_inputs.h"
#include "settings/settings_file.h"
#include "widgets/sjis_qstring.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <QWebEngineView>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace mireto::bench {
namespace {

// Counts the frames painted in the preview's view: its own and those of the widgets the
// engine draws into inside it.
class PaintCounter : public QObject {
public:
    QWidget* view = nullptr;
    int frames = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && view) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && (widget == view || view->isAncestorOf(widget)))
                ++frames;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The editor and its preview side by side in a window, as in the program.
struct Window {
    QTemporaryDir folder;
    QWidget window;
    CMiretoView* view = nullptr;
    PagePreview* preview = nullptr;
    PaintCounter painted;
    bool loaded = false;

    Window(OutputFormat format, std::size_t bytes) {
        PlatformServices services;
        services.paths.settingsFile = folder.filePath(QStringLiteral("Mireto.ini")).toStdString();
        services.paths.pageFile = folder.filePath(QStringLiteral("tmp.html")).toStdString();
        SettingsStore store;
        store.InsertEndingSet(noneEndingSet(), 0);
        store.InsertReplacementSet(noneReplacementSet(), 0);
        SaveSettingsAtShutdown(services.paths.settingsFile, store, {}, selection(format));
        view = new CMiretoView(services, &window);
        view->OnCreate();
        preview = new PagePreview(view, services, &window);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(view, 1);
        layout->addWidget(preview, 1);
        window.resize(1400, 900);
        window.show();
        QObject::connect(preview, &PagePreview::pageLoaded, &window, [this] { loaded = true; });
        view->SetEditorText(textOf(bytes));
        waitForPage(120000);
        painted.view = preview->webView();
        QCoreApplication::instance()->installEventFilter(&painted);
        view->setFocus();
        view->moveCursor(QTextCursor::End);
    }

    // Runs the event loop until the next page is loaded; false after `timeoutMs`.
    bool waitForPage(int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (loaded || clock.elapsed() > timeoutMs)
                loop.quit();
        });
        check.start(5);
        loop.exec();
        return loaded;
    }

    void type(const QString& text, Qt::Key key = Qt::Key_unknown) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(view, &press);
        QCoreApplication::sendEvent(view, &release);
    }
};

void keyToPaintedPage(benchmark::State& state) {
    const auto format = static_cast<OutputFormat>(state.range(0));
    const auto bytes = static_cast<std::size_t>(state.range(1));
    Window window(format, bytes);
    if (!window.loaded) {
        state.SkipWithError("the first page did not load");
        return;
    }
    const qint64 timeoutMs = bytes >= (1 << 20) ? 120000 : 20000;
    double pauseMs = 0;
    double waitedMs = 0;
    double restMs = 0;
    qint64 blockedMs = 0;
    bool cat = false;
    for (auto _ : state) {
        window.loaded = false;
        qint64 handedAt = -1;
        int framesAtLoad = -1;
        bool painted = false;
        QElapsedTimer clock;
        QEventLoop loop;
        // A beat every millisecond: the longest gap between beats is the longest the
        // user-interface thread was busy, and each beat looks at what happened.
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        beat.setInterval(1);
        qint64 lastBeat = 0;
        qint64 longest = 0;
        const auto connection = QObject::connect(window.preview, &PagePreview::updated, &loop,
                                                 [&] { handedAt = clock.elapsed(); });
        QObject::connect(&beat, &QTimer::timeout, &loop, [&] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - lastBeat);
            lastBeat = now;
            if (window.loaded && framesAtLoad < 0)
                framesAtLoad = window.painted.frames;
            painted = framesAtLoad >= 0 && window.painted.frames > framesAtLoad;
            if (painted || now > timeoutMs)
                loop.quit();
        });
        waitedMs += window.preview->typingPause();
        // The last character typed over: the text keeps its length.
        window.type(QStringLiteral("\b"), Qt::Key_Backspace);
        window.type((cat = !cat) ? QStringLiteral("猫") : QStringLiteral("犬"));
        clock.start();
        beat.start();
        loop.exec();
        const double total = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        QObject::disconnect(connection);
        if (!painted || handedAt < 0) {
            state.SkipWithError("no painted page in time");
            return;
        }
        state.SetIterationTime(total);
        pauseMs += static_cast<double>(handedAt);
        restMs += total * 1000 - static_cast<double>(handedAt);
        blockedMs = std::max(blockedMs, longest);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["pause_ms"] = pauseMs / n;
    state.counters["waited_ms"] = waitedMs / n;
    state.counters["rest_ms"] = restMs / n;
    state.counters["blocked_ms"] = static_cast<double>(blockedMs);
    state.counters["next_pause_ms"] = window.preview->typingPause();
}

void sizes(benchmark::internal::Benchmark* b, std::int64_t bytes, int iterations) {
    for (int format = 0; format < static_cast<int>(kFormatCount); ++format)
        b->Args({format, bytes});
    b->ArgNames({"format", "bytes"});
    b->Unit(benchmark::kMillisecond);
    b->UseManualTime();
    b->Iterations(iterations);
}

BENCHMARK(keyToPaintedPage)
    ->Name("BM_KeyToPaintedPage")
    ->Apply([](benchmark::internal::Benchmark* b) { sizes(b, 10 << 10, 8); });
BENCHMARK(keyToPaintedPage)
    ->Name("BM_KeyToPaintedPage")
    ->Apply([](benchmark::internal::Benchmark* b) { sizes(b, 100 << 10, 8); });
BENCHMARK(keyToPaintedPage)
    ->Name("BM_KeyToPaintedPage")
    ->Apply([](benchmark::internal::Benchmark* b) { sizes(b, 1 << 20, 3); });

} // namespace
} // namespace mireto::bench

int main(int argc, char** argv) {
    mireto::PagePreview::prepareEngine();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
