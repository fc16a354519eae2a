// The program's one top-level window: menu bar, toolbar, status bar and the docked
// control panel around the editor view. It builds the bars, routes the commands to
// the view and the document, hands the panel to the view on its first paint, and
// supplies the panel buttons' tool tips.
#pragma once

#include "app/lock_keys.h"
#include "app/platform_services.h"

#include <QMainWindow>
#include <QPointer>
#include <map>

class QLabel;
class QMenu;
class QToolBar;

namespace mireto {

class CMiretoDoc;
class CMiretoView;
class ControlPanel;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const PlatformServices& services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CMiretoView* GetActiveView() const { return m_view; }
    ControlPanel* controlPanel() const { return m_wndControlPanel; }
    QToolBar* toolBar() const { return m_wndToolBar; }
    // The action of a menu or toolbar command; null for an unknown id.
    QAction* action(int id) const;
    // The status bar's idle text and its indicators, in order.
    QLabel* idleLabel() const { return m_idleLabel; }
    QList<QLabel*> indicatorLabels() const;
    QLabel* encodingLabel() const { return m_encodingLabel; }

    // The document whose title the frame shows and which is asked before closing.
    void SetDocument(CMiretoDoc* document);
    // Rebuilds the recent-file entries of the file menu.
    void SetRecentFiles(const QStringList& files);
    // The tool tip of a panel control; empty where it has none.
    QString ToolTipText(int controlId) const;

signals:
    void recentFileChosen(const QString& path);
    void filesDropped(const QStringList& paths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnCreate();
    void createActions();
    void createMenus();
    void createToolBar();
    void createControlPanel();
    void createStatusBar();
    QAction* addCommand(int id, const QString& text, const QList<QKeySequence>& keys = {});
    void connectCommands();
    void UpdateCommandStates();
    void OnUpdateFrameTitle();
    void updateIndicators();

    int m_bFirstPaint = 0;
    CMiretoView* m_view = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    ControlPanel* m_wndControlPanel = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QLabel* m_idleLabel = nullptr;
    QLabel* m_encodingLabel = nullptr;
    std::map<int, QLabel*> m_indicators;
    std::map<int, QAction*> m_actions;
    QPointer<CMiretoDoc> m_document;
    LockKeyStates m_lockKeys;
};

} // namespace mireto
