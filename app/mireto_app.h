// The application: the single-instance guard, the recent-file list, and the one
// document, frame and view, created in that order. Commands of the application and
// the document (new, open, save, recent files, about) are handled here.
#pragma once

#include "app/platform_services.h"
#include "app/recent_files.h"
#include "app/single_instance.h"

#include <QObject>
#include <QStringList>
#include <memory>

namespace mireto {

class CMainFrame;
class CMiretoDoc;

class CMiretoApp : public QObject {
    Q_OBJECT
public:
    explicit CMiretoApp(PlatformServices services, QObject* parent = nullptr);
    ~CMiretoApp() override;

    // Start-up. `arguments` are the command line's, without the program's name; the
    // first that is not an option names a file to open. False means end the process,
    // with exitStatus(): 0 when another instance runs, 1 when the file did not open.
    bool InitInstance(const QStringList& arguments);
    int exitStatus() const { return m_exitStatus; }

    CMainFrame* mainFrame() const { return m_frame.get(); }
    CMiretoDoc* document() const { return m_doc.get(); }
    const RecentFileList& recentFiles() const { return m_recentFiles; }

    // Asks about unsaved changes, then opens `path`.
    bool OpenDocumentFile(const QString& path);

public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    // A request from outside to end (a Unix signal): the main window closes as if the
    // user closed it, asking what it would ask. Another request while those questions
    // wait ends the program at once, the settings written first. One during start-up
    // waits until the window is there.
    void OnQuitRequest();
    // The desktop's logout asks every program to save: the settings are written.
    void OnCommitData(bool mayAsk);

private:
    void connectCommands();

    PlatformServices m_services;
    SingleInstanceGuard m_hMutex;
    RecentFileList m_recentFiles;
    std::unique_ptr<CMiretoDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    int m_exitStatus = 0;
    bool m_closing = false;
    bool m_quitPending = false;
};

} // namespace mireto
