#include "tests/app/app_harness.h"

#include "app/command_ids.h"
#include "app/control_panel.h"
#include "app/main_frame.h"
#include "app/mireto_app.h"
#include "app/mireto_view.h"
#include "app/web_engine_check.h"
#include "tests/support/dialog_driver.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace mireto::test {

void typeInto(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        if (character == QLatin1Char('\n'))
            QTest::keyClick(widget, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
}

QString runDialog(const std::function<void()>& command, const std::function<void(QDialog&)>& act) {
    QString opened;
    // Looked for until it shows: a command may take a moment before it opens its dialog.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        opened = QString::fromLatin1(dialog->metaObject()->className());
        if (act)
            act(*dialog);
        // Past any question the dialog itself would ask before closing: the test is done
        // with it.
        if (dialog && dialog->isVisible())
            dialog->QDialog::done(QDialog::Rejected);
    });
    poll.start(10);
    command();
    return opened;
}

QString driveDialog(const std::function<void()>& command,
                    const std::function<void(QDialog*)>& script) {
    QString caption;
    runDialog(command, [&](QDialog& dialog) {
        caption = dialog.windowTitle();
        script(&dialog);
    });
    return caption;
}

void saveEndingSet(AppHarness& harness, const char* name) {
    driveDialog([&] { harness.view().OnSaveEndingTemplate(); },
                [name](QDialog* dialog) {
                    retype(child<QComboBox>(dialog, "templateList"), QString::fromUtf8(name));
                    click(dialog, "saveButton");
                    click(dialog, "okButton");
                });
}

AppHarness::AppHarness() {
    const std::filesystem::path root = m_dir.path().toStdString();
    std::filesystem::create_directories(root / "program");
    std::filesystem::create_directories(root / "runtime");
    std::filesystem::create_directories(root / "config");
    services.paths.settingsFile = root / "program" / "Mireto.ini";
    services.paths.pageFile = root / "program" / "tmp.html";
    services.paths.spareFolder = root / "spare";
    services.runtimeFolder = QString::fromStdString((root / "runtime").string());
    services.recoveryFolder = QString::fromStdString((root / "state" / "mireto").string());
    services.openPage = [this](const std::filesystem::path& page) {
        opened.push_back(page);
        return desktopOpensPages;
    };
    services.openLink = [this](const QUrl& link) { links.push_back(link); };
    services.clock = [] { return kMoment; };
    // Tests begin from an empty editor unless they are about the first start's text.
    services.sampleOnFirstStart = false;
    services.webEngineProblem = [] {
        return QStringLiteral("(このテストではウェブエンジンを使いません)");
    };
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configFolder());
    setMessageHandlerForTesting([this](QWidget*, const MessageRequest& request) {
        const CMainFrame* frame = m_app ? m_app->mainFrame() : nullptr;
        messages.push_back({request, frame && frame->isVisible()});
        if (onMessage)
            onMessage(request);
        if (request.buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    });
    setFileRequestHandlerForTesting([this](const FileRequest& request) {
        fileRequests.push_back(request);
        if (fileChoices.empty())
            return FileChoice{nextFileChoice, request.filter};
        const FileChoice choice = fileChoices.front();
        fileChoices.pop_front();
        return choice;
    });
}

AppHarness::~AppHarness() {
    m_app.reset();
    setMessageHandlerForTesting({});
    setFileRequestHandlerForTesting({});
}

std::filesystem::path AppHarness::folder() const {
    return m_dir.path().toStdString();
}

void AppHarness::useProgramLayout() {
    const std::filesystem::path bin = folder() / "usr" / "bin";
    const std::filesystem::path starter = (bin / starterRelativeToExecutable()).lexically_normal();
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(starter.parent_path());
    std::filesystem::copy_file(MIRETO_STARTER_FILE, starter,
                               std::filesystem::copy_options::overwrite_existing);
    services.paths = resolveAppPaths(bin, folder() / "user", {});
}

QString AppHarness::configFolder() const {
    return m_dir.filePath(QStringLiteral("config"));
}

void AppHarness::withWebEngine() {
    services.webEngineProblem = webEngineProblem;
    m_webEngine = true;
}

void AppHarness::useFilesOf(const AppHarness& earlier) {
    services.paths = earlier.services.paths;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, earlier.configFolder());
}

bool AppHarness::start(const QStringList& arguments) {
    m_app = std::make_unique<CMiretoApp>(services);
    if (!m_app->InitInstance(arguments))
        return false;
    if (!QTest::qWaitForWindowExposed(&frame()))
        return false;
    // The panel is filled on the first paint.
    if (!QTest::qWaitFor([this] { return combo(cmd::kComboFormat).count() > 0; }))
        return false;
    // The test screen is 800 by 600, where the preview gives way to the text; tests of
    // the preview give the window room for both.
    if (m_webEngine)
        frame().resize(1400, 900);
    return true;
}

bool AppHarness::close() {
    return frame().close();
}

CMainFrame& AppHarness::frame() const {
    return *m_app->mainFrame();
}

CMiretoView& AppHarness::view() const {
    return *frame().GetActiveView();
}

CMiretoDoc& AppHarness::document() const {
    return *m_app->document();
}

ControlPanel& AppHarness::panel() const {
    return *frame().controlPanel();
}

PagePreview& AppHarness::preview() const {
    return *frame().preview();
}

QComboBox& AppHarness::combo(int id) const {
    return *panel().combo(id);
}

QToolButton& AppHarness::button(int id) const {
    return *panel().button(id);
}

QStringList AppHarness::items(int comboId) const {
    QStringList texts;
    const QComboBox& list = combo(comboId);
    for (int i = 0; i < list.count(); ++i)
        texts.append(list.itemText(i));
    return texts;
}

void AppHarness::choose(int comboId, const QString& text) {
    QComboBox& list = combo(comboId);
    const int index = list.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    list.showPopup();
    QAbstractItemView* popup = list.view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    const QModelIndex item = popup->model()->index(index, list.modelColumn(), popup->rootIndex());
    popup->scrollTo(item);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(item).center());
    QTRY_VERIFY(!popup->isVisible());
}

void AppHarness::click(int buttonId) {
    QTest::mouseClick(&button(buttonId), Qt::LeftButton);
}

std::function<void()> AppHarness::menuCommand(const char* menu, const char* item) {
    return [this, menu, item] {
        for (QAction* title : frame().menuBar()->actions()) {
            if (title->text() != u(menu))
                continue;
            for (QAction* entry : title->menu()->actions()) {
                if (entry->text() == u(item))
                    return entry->trigger();
            }
        }
        QFAIL(item);
    };
}

} // namespace mireto::test
