// The application: the single-instance guard and the channel from later starts, the recent-file
// list, and the one document, frame and view, created in that order. Commands of the application
// and the document (new, open, save, recent files, about) are handled here.
#pragma once

#include "app/platform_services.h"
#include "app/recent_files.h"
#include "app/single_instance.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

namespace mireto {

class CMainFrame;
class CMiretoDoc;
class InstanceServer;
class RecoveryCopy;

class CMiretoApp : public QObject {
    Q_OBJECT
public:
    explicit CMiretoApp(PlatformServices services, QObject* parent = nullptr);
    ~CMiretoApp() override;

    // Start-up. `arguments` are the command line's, without the program's name; the
    // first that is not an option names a file to open. False means end the process,
    // with exitStatus(): 0 when the editor already running on the same settings took
    // the command line or a quit request ended the start, 1 when the file did not open
    // or the editor holding the settings did not answer.
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
    // A request from outside to end (a Unix signal). Unsaved text goes to its recovery
    // copy and the program ends at once, the settings written first; without unsaved
    // text (or when the copy cannot be written) the main window closes as if the user
    // closed it, asking what it would ask, and another request while those questions
    // wait ends the program at once. One during start-up ends the start, whatever
    // message waits there.
    void OnQuitRequest();
    // The desktop's logout asks every program to save: the settings are written.
    void OnCommitData(bool mayAsk);

private:
    void connectCommands();
    // Offers the text a previous run left unsaved; true when it is now in the window.
    bool OfferRecoveredText();
    // Another process holds the lock: hands it the command line, or says that it does
    // not answer. Always false, for the start to end.
    bool HandToRunningEditor(const QString& socketPath, const QStringList& arguments);
    // Command lines of later starts: the window comes to the front and opens the file
    // named there, as Open does.
    void TakeHandedCommandLines();

    PlatformServices m_services;
    SingleInstanceGuard m_hMutex;
    RecentFileList m_recentFiles;
    std::unique_ptr<CMiretoDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<RecoveryCopy> m_recovery;
    std::unique_ptr<InstanceServer> m_instanceServer;
    std::vector<QStringList> m_handedCommandLines;
    int m_exitStatus = 0;
    bool m_closing = false;
    bool m_quitPending = false;
};

} // namespace mireto
