#include "app/mireto_app.h"

#include "app/about_dlg.h"
#include "app/command_ids.h"
#include "app/file_dialogs.h"
#include "app/first_start.h"
#include "app/instance_channel.h"
#include "app/main_frame.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/program_title.h"
#include "app/recovery_copy.h"
#include "app/unfinished_writes.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

namespace mireto {

CMiretoApp::CMiretoApp(PlatformServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)),
      m_hMutex(QString::fromStdString(m_services.paths.settingsFile.string())) {}

CMiretoApp::~CMiretoApp() = default;

bool CMiretoApp::InitInstance(const QStringList& arguments) {
    const QString settingsFile = QString::fromStdString(m_services.paths.settingsFile.string());
    const QString socketPath = instanceSocketPath(m_services.runtimeFolder, settingsFile);
    switch (m_hMutex.tryAcquire()) {
    case SingleInstanceGuard::Result::Acquired:
        // Listening from now on: a start while a start-up question waits is kept for later.
        m_instanceServer = std::make_unique<InstanceServer>(socketPath);
        connect(m_instanceServer.get(), &InstanceServer::commandLineReceived, this,
                [this](const QStringList& handed) {
                    m_handedCommandLines.push_back(handed);
                    TakeHandedCommandLines();
                });
        break;
    case SingleInstanceGuard::Result::Unavailable:
        // No lock can be taken beside the settings file: the editor runs all the same.
        break;
    case SingleInstanceGuard::Result::HeldElsewhere:
        return HandToRunningEditor(socketPath, arguments);
    }
    // Before anything is read: what a kill left half-written is put back.
    const QString unfinished = finishUnfinishedWrites(m_services.paths);
    // Known before the view's start-up reads (and may soon write) the settings.
    const bool firstStart =
        m_services.sampleOnFirstStart && isFirstStart(m_services.paths.settingsFile);
    m_doc = std::make_unique<CMiretoDoc>(m_services.paths.spareFolder);
    m_frame = std::make_unique<CMainFrame>(m_services);
    m_doc->AttachView(m_frame->GetActiveView());
    m_frame->SetDocument(m_doc.get());
    m_frame->SetRecentFiles(m_recentFiles.files());
    connectCommands();
    // A quit request while a start-up message waited ends the start.
    if (m_quitPending)
        return false;

    m_recovery = std::make_unique<RecoveryCopy>(m_services.recoveryFolder, settingsFile);
    const bool recovered = OfferRecoveredText();
    if (m_quitPending)
        return false;
    m_recovery->follow(m_doc.get(), m_frame->GetActiveView());

    QString file;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            file = argument;
            break;
        }
    }
    if (recovered) {
        // The recovered text is in the window; a file named as well waits for Open.
    } else if (file.isEmpty() && firstStart) {
        openFirstStartSample(*m_doc, *m_frame->GetActiveView());
    } else if (file.isEmpty()) {
        m_doc->OnNewDocument();
    } else if (!m_doc->OnOpenDocument(file)) {
        m_exitStatus = 1;
        return false;
    }
    if (m_quitPending)
        return false;
    m_frame->show();
    if (!unfinished.isEmpty())
        showMessage(m_frame.get(),
                    {unfinished, programTitle(), MessageIcon::Information, MessageButtons::Ok});
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { OnCommitData(manager.allowsInteraction()); });
    return true;
}

bool CMiretoApp::HandToRunningEditor(const QString& socketPath, const QStringList& arguments) {
    if (handToRunningInstance(socketPath, arguments)) {
        // The running editor has the command line: this start's work is done.
        m_exitStatus = 0;
        return false;
    }
    const QString text =
        QStringLiteral(
            "同じ設定ファイル %1 を使うソルネ壱号が動いているはずですが、応答がありません。\n"
            "そのソルネ壱号を終了させてから、もう一度起動してください。")
            .arg(QString::fromStdString(m_services.paths.settingsFile.string()));
    // Said on the terminal too, for a start from a script or a file manager's log.
    std::fprintf(stderr, "mireto: %s\n", text.toLocal8Bit().constData());
    showMessage(nullptr, {text, programTitle(), MessageIcon::Warning, MessageButtons::Ok});
    m_exitStatus = 1;
    return false;
}

void CMiretoApp::TakeHandedCommandLines() {
    if (m_handedCommandLines.empty())
        return;
    // Taken once the window is there and no dialog waits: as Open from the menu would.
    if (!m_frame || !m_frame->isVisible() || QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, &CMiretoApp::TakeHandedCommandLines);
        return;
    }
    const QStringList arguments = m_handedCommandLines.front();
    m_handedCommandLines.erase(m_handedCommandLines.begin());
    if (m_frame->isMinimized())
        m_frame->showNormal();
    m_frame->raise();
    m_frame->activateWindow();
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            OpenDocumentFile(argument);
            break;
        }
    }
    if (!m_handedCommandLines.empty())
        QTimer::singleShot(0, this, &CMiretoApp::TakeHandedCommandLines);
}

bool CMiretoApp::OfferRecoveredText() {
    const std::optional<RecoveryCopy::Contents> found = m_recovery->find();
    if (!found)
        return false;
    const QString name = found->documentPath.isEmpty() ? QStringLiteral("無題")
                                                       : QFileInfo(found->documentPath).fileName();
    const MessageAnswer answer = showMessage(
        nullptr, {QStringLiteral("保存されないまま終了した文書があります。\n\n"
                                 "%1（%2 の時点）\n\n"
                                 "この内容を復元しますか?\n"
                                 "（「いいえ」を選ぶと破棄します）")
                      .arg(name, found->written.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))),
                  programTitle(), MessageIcon::Question, MessageButtons::YesNo});
    // A quit request that closed the question lets nothing go.
    if (m_quitPending)
        return false;
    if (answer != MessageAnswer::Yes) {
        m_recovery->discard();
        return false;
    }
    m_doc->OnRecoverDocument(found->documentPath, found->text);
    return true;
}

void CMiretoApp::OnQuitRequest() {
    if (!m_frame || !m_frame->isVisible()) {
        // During start-up: a message waiting there closes, and the start ends.
        m_quitPending = true;
        QCoreApplication::exit(0);
        return;
    }
    CMiretoView* view = m_frame->GetActiveView();
    // With the unsaved text safe in its recovery copy, nothing typed is lost by ending
    // now, so nothing is asked.
    if (m_closing || (m_doc->IsModified() && m_recovery && m_recovery->writeNow())) {
        view->SaveSettingsAfterChange(false);
        QCoreApplication::exit(0);
        return;
    }
    m_closing = true;
    m_frame->close();
    m_closing = false;
    // A dialog that was open keeps its own loop running: it ends too.
    if (!m_frame->isVisible() && QApplication::activeModalWidget())
        QCoreApplication::exit(0);
}

void CMiretoApp::OnCommitData(bool mayAsk) {
    if (m_frame)
        m_frame->GetActiveView()->SaveSettingsAfterChange(mayAsk);
}

void CMiretoApp::connectCommands() {
    CMainFrame* frame = m_frame.get();
    CMiretoDoc* doc = m_doc.get();
    connect(frame->action(cmd::kFileNew), &QAction::triggered, this, &CMiretoApp::OnFileNew);
    connect(frame->action(cmd::kFileOpen), &QAction::triggered, this, &CMiretoApp::OnFileOpen);
    connect(frame->action(cmd::kFileSave), &QAction::triggered, doc, &CMiretoDoc::DoFileSave);
    connect(frame->action(cmd::kFileSaveAs), &QAction::triggered, doc, &CMiretoDoc::DoSaveAs);
    connect(frame->action(cmd::kAppAbout), &QAction::triggered, this, &CMiretoApp::OnAppAbout);
    connect(frame, &CMainFrame::recentFileChosen, this, &CMiretoApp::OpenDocumentFile);
    connect(frame, &CMainFrame::closing, this, [this] {
        // Done with the settings: the next start may be an editor of its own.
        m_instanceServer.reset();
        m_hMutex.release();
    });
    connect(frame, &CMainFrame::filesDropped, this,
            [this](const QStringList& paths) { OpenDocumentFile(paths.constFirst()); });
    connect(doc, &CMiretoDoc::fileUsed, this, [this](const QString& path) {
        m_recentFiles.add(path);
        m_frame->SetRecentFiles(m_recentFiles.files());
    });
}

void CMiretoApp::OnFileNew() {
    if (m_doc->SaveModified())
        m_doc->OnNewDocument();
}

void CMiretoApp::OnFileOpen() {
    const QString path = askOpenFileName(m_frame.get());
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool CMiretoApp::OpenDocumentFile(const QString& path) {
    if (!m_doc->SaveModified())
        return false;
    if (m_doc->OnOpenDocument(path))
        return true;
    // A recent entry that no longer opens leaves the list.
    m_recentFiles.remove(path);
    m_frame->SetRecentFiles(m_recentFiles.files());
    return false;
}

void CMiretoApp::OnAppAbout() {
    CAboutDlg about(m_frame.get());
    about.exec();
}

} // namespace mireto
