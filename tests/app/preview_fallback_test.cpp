// Without a web engine: the preview says why in its dock and everything else works;
// and the check that tells, before the engine is touched, whether it can start.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "app/page_preview.h"
#include "app/web_engine_check.h"
#include "tests/app/app_harness.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QDockWidget>
#include <QtTest>
#include <unistd.h>

using namespace mireto;
using namespace mireto::test;

namespace {

// Sets an environment variable for one scope, and puts the old state back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : m_name(name), m_was(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedVariable() {
        if (m_was)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    bool m_was;
    QByteArray m_old;
};

} // namespace

class PreviewFallbackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void withoutTheEngineTheDockSaysWhyAndGoStillWorks() {
        AppHarness harness;
        harness.services.webEngineProblem = [] {
            return u("プレビューを表示できません。\nウェブエンジンの部品が見つかりません: /x");
        };
        QVERIFY(harness.start());
        PagePreview& preview = harness.preview();
        QVERIFY(harness.frame().previewDock()->isVisible());
        QVERIFY(!preview.webView() && !preview.webPage());
        QCOMPARE(preview.notice(),
                 u("プレビューを表示できません。\nウェブエンジンの部品が見つかりません: /x"));
        for (QAction* action : {preview.rerollAction(), preview.openInBrowserAction()})
            QVERIFY(!action->isEnabled());

        QSignalSpy updates(&preview, &PagePreview::updated);
        typeInto(&harness.view(), u("晴れ。"));
        QTest::qWait(PagePreview::kTypingPauseMs * 2);
        QCOMPARE(updates.count(), 0);
        harness.click(cmd::kPanelGo);
        QCOMPARE(harness.opened, std::vector<std::filesystem::path>{harness.pageFile()});
        QVERIFY(readFile(harness.pageFile()).find(sjis("晴れ")) != std::string::npos);
        QCOMPARE(preview.moment(), kMoment);
    }

    void theCheckNamesWhatStopsTheEngine() {
        const ScopedVariable noSandboxFlag("QTWEBENGINE_CHROMIUM_FLAGS", QByteArray());
        {
            const ScopedVariable process("QTWEBENGINEPROCESS_PATH", "/nowhere/QtWebEngineProcess");
            QVERIFY(webEngineProblem().contains(u("/nowhere/QtWebEngineProcess")));
        }
        {
            const ScopedVariable resources("QTWEBENGINE_RESOURCES_PATH", "/nowhere");
            QVERIFY(webEngineProblem().contains(u("/nowhere/qtwebengine_resources.pak")));
        }
        {
            const ScopedVariable sandbox("QTWEBENGINE_DISABLE_SANDBOX", "1");
            QCOMPARE(webEngineProblem(), QString());
        }
        const ScopedVariable sandbox("QTWEBENGINE_DISABLE_SANDBOX", QByteArray());
        // Root may not use the sandbox; an ordinary user may, where the system lets
        // programs have namespaces of their own.
        const QString asIs = webEngineProblem();
        if (geteuid() == 0)
            QVERIFY(asIs.contains(u("root")));
        else
            QVERIFY(asIs.isEmpty() || asIs.contains(u("名前空間")));
        // Every answer ends by saying that the rest of the program works.
        const ScopedVariable process("QTWEBENGINEPROCESS_PATH", "/nowhere/QtWebEngineProcess");
        QVERIFY(webEngineProblem().endsWith(u("GO!! とほかの機能はそのまま使えます。")));
    }
};

QTEST_MAIN(PreviewFallbackTest)
#include "preview_fallback_test.moc"
