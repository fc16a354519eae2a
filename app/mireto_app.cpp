#include "app/mireto_app.h"

#include "app/about_dlg.h"
#include "app/command_ids.h"
#include "app/file_dialogs.h"
#include "app/main_frame.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/program_title.h"
#include "app/unfinished_writes.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

namespace mireto {

CMiretoApp::CMiretoApp(PlatformServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)), m_hMutex(m_services.runtimeFolder) {}

CMiretoApp::~CMiretoApp() = default;

bool CMiretoApp::InitInstance(const QStringList& arguments) {
    if (!m_hMutex.tryAcquire()) {
        // Another instance runs: end quietly, without a word or a window.
        m_exitStatus = 0;
        return false;
    }
    // Before anything is read: what a kill left half-written is put back.
    const QString unfinished = finishUnfinishedWrites(m_services.paths);
    m_doc = std::make_unique<CMiretoDoc>(m_services.paths.spareFolder);
    m_frame = std::make_unique<CMainFrame>(m_services);
    m_doc->AttachView(m_frame->GetActiveView());
    m_frame->SetDocument(m_doc.get());
    m_frame->SetRecentFiles(m_recentFiles.files());
    connectCommands();

    QString file;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            file = argument;
            break;
        }
    }
    if (file.isEmpty()) {
        m_doc->OnNewDocument();
    } else if (!m_doc->OnOpenDocument(file)) {
        m_exitStatus = 1;
        return false;
    }
    m_frame->show();
    if (!unfinished.isEmpty())
        showMessage(m_frame.get(),
                    {unfinished, programTitle(), MessageIcon::Information, MessageButtons::Ok});
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { OnCommitData(manager.allowsInteraction()); });
    if (m_quitPending)
        QTimer::singleShot(0, this, &CMiretoApp::OnQuitRequest);
    return true;
}

void CMiretoApp::OnQuitRequest() {
    if (!m_frame || !m_frame->isVisible()) {
        m_quitPending = true;
        return;
    }
    m_quitPending = false;
    CMiretoView* view = m_frame->GetActiveView();
    if (m_closing) {
        view->SaveSettingsAfterChange(false);
        QCoreApplication::exit(0);
        return;
    }
    m_closing = true;
    m_frame->close();
    m_closing = false;
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
