// The program's one top-level window: menu bar, toolbar, status bar, the docked
// control panel and the docked live preview around the editor view. It builds the
// bars, routes the commands to the view and the document, hands the panel to the view
// on its first paint, supplies the panel buttons' tool tips, and keeps its size and
// layout from one run to the next.
#pragma once

#include "app/lock_keys.h"
#include "app/platform_services.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <vector>

class QDockWidget;
class QLabel;
class QMenu;
class QToolBar;

namespace mireto {

class CMiretoDoc;
class CMiretoView;
class ControlPanel;
class PagePreview;
class PageSaver;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const PlatformServices& services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CMiretoView* GetActiveView() const { return m_view; }
    ControlPanel* controlPanel() const { return m_wndControlPanel; }
    QToolBar* toolBar() const { return m_wndToolBar; }
    QDockWidget* previewDock() const { return m_wndPreview; }
    PagePreview* preview() const { return m_preview; }
    PageSaver* pageSaver() const { return m_pageSaver; }
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
    // The window closes for good: the questions were answered, the settings written.
    void closing();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnCreate(const PlatformServices& services);
    void createActions();
    void createMenus();
    void createToolBar();
    void createControlPanel();
    void createPreview(const PlatformServices& services);
    void createStatusBar();
    void readSettings();
    // The 表示 menu's items, checked while their bars show, however they come to show
    // or hide.
    struct Bar {
        int command;
        QWidget* widget;
        QAction* toggle; // the bar's own show-and-hide action, where it has one
    };
    std::vector<Bar> bars() const;
    void UpdateBarChecks();
    QAction* addCommand(int id, const QString& text, const QList<QKeySequence>& keys = {});
    void connectCommands();
    void UpdateCommandStates();
    void OnUpdateFrameTitle();
    void updateIndicators();

    int m_bFirstPaint = 0;
    // No layout was kept from an earlier run.
    bool m_firstStart = false;
    // Until the first paint of a first start: the panel is widened to its filled lists.
    bool m_fitPanel = false;
    CMiretoView* m_view = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    ControlPanel* m_wndControlPanel = nullptr;
    QDockWidget* m_wndPreview = nullptr;
    PagePreview* m_preview = nullptr;
    PageSaver* m_pageSaver = nullptr;
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
