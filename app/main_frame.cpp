#include "app/main_frame.h"

#include "app/command_ids.h"
#include "app/command_texts.h"
#include "app/control_panel.h"
#include "app/icons.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/page_preview.h"
#include "app/page_saving.h"
#include "app/program_title.h"
#include "app/recent_files.h"
#include "app/window_layout.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

namespace mireto {

namespace {

// The status-bar indicators, in order.
constexpr int kKanaIndicator = 59142;
constexpr int kCapsIndicator = 59137;
constexpr int kNumIndicator = 59138;
constexpr int kScrollIndicator = 59139;

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (!data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

CMainFrame::CMainFrame(const PlatformServices& services, QWidget* parent) : QMainWindow(parent) {
    setWindowIcon(icons::resourceIcon(icons::kApplication));
    // The view exists, with its settings read, before the frame builds its bars.
    m_view = new CMiretoView(services, this);
    setCentralWidget(m_view);
    m_view->OnCreate();
    OnCreate(services);
    readSettings();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::OnCreate(const PlatformServices& services) {
    createActions();
    createMenus();
    createToolBar();
    createControlPanel();
    createPreview(services);
    createStatusBar();
    m_pageSaver = new PageSaver(m_view, m_preview, statusBar(), this);
    m_bFirstPaint = 1;
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    addDockWidget(Qt::LeftDockWidgetArea, m_wndControlPanel);
    addDockWidget(Qt::RightDockWidgetArea, m_wndPreview);
    m_wndControlPanel->setWindowTitle(QStringLiteral("文字列の検索"));
    const std::pair<int, int> buttonIcons[] = {
        {cmd::kCurrentTemplate, icons::kCurrentTemplate},
        {cmd::kCurrentReplacement, icons::kCurrentReplacement},
        {cmd::kCurrentEnding, icons::kCurrentEnding},
        {cmd::kPanelGo, icons::kGo}};
    for (const auto& [button, icon] : buttonIcons)
        m_wndControlPanel->button(button)->setIcon(icons::resourceIcon(icon));
    connectCommands();
    setAcceptDrops(true);
    OnUpdateFrameTitle();
    UpdateCommandStates();
}

QAction* CMainFrame::addCommand(int id, const QString& text, const QList<QKeySequence>& keys) {
    auto* command = new QAction(text, this);
    command->setShortcuts(keys);
    command->setStatusTip(statusPrompt(id));
    command->setToolTip(toolTipOf(id));
    command->setIcon(icons::commandIcon(id));
    m_actions[id] = command;
    return command;
}

void CMainFrame::createActions() {
    using K = QKeySequence;
    addCommand(cmd::kFileNew, QStringLiteral("新規作成(&N)\tCtrl+N"), {K(Qt::CTRL | Qt::Key_N)});
    addCommand(cmd::kFileOpen, QStringLiteral("開く(&O)...\tCtrl+O"), {K(Qt::CTRL | Qt::Key_O)});
    addCommand(cmd::kFileSave, QStringLiteral("上書き保存(&S)\tCtrl+S"), {K(Qt::CTRL | Qt::Key_S)});
    addCommand(cmd::kFileSaveAs, QStringLiteral("名前を付けて保存(&A)..."));
    addCommand(cmd::kSavePage, QStringLiteral("ページを保存(&G)..."));
    addCommand(cmd::kSavePageImage, QStringLiteral("ページを画像で保存(&I)..."));
    addCommand(cmd::kFilePrint, QStringLiteral("印刷(&P)...\tCtrl+P"), {K(Qt::CTRL | Qt::Key_P)});
    addCommand(cmd::kFilePrintPreview, QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"));
    addCommand(cmd::kFilePrintSetup, QStringLiteral("ﾌﾟﾘﾝﾀの設定(&R)..."));
    addCommand(cmd::kFileMruFirst, QStringLiteral("最近使ったﾌｧｲﾙ"))->setEnabled(false);
    addCommand(cmd::kAppExit, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));

    addCommand(cmd::kEditUndo, QStringLiteral("元に戻す(&U)\tCtrl+Z"),
               {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)});
    addCommand(cmd::kEditCut, QStringLiteral("切り取り(&T)\tCtrl+X"),
               {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)});
    addCommand(cmd::kEditCopy, QStringLiteral("ｺﾋﾟｰ(&C)\tCtrl+C"),
               {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)});
    addCommand(cmd::kEditPaste, QStringLiteral("貼り付け(&P)\tCtrl+V"),
               {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)});
    addCommand(cmd::kEditClear, QStringLiteral("削除(&D)\tDel"));
    // The menu has always shown Ctrl+F and Ctrl+H; now the keys work too.
    addCommand(cmd::kEditFind, QStringLiteral("検索(&F)\tCtrl+F"), {K(Qt::CTRL | Qt::Key_F)});
    addCommand(cmd::kEditReplace, QStringLiteral("置換(&R)\tCtrl+H"), {K(Qt::CTRL | Qt::Key_H)});
    addCommand(cmd::kEditSelectAll, QStringLiteral("全て選択(&A)\tCtrl+A"),
               {K(Qt::CTRL | Qt::Key_A)});

    addCommand(cmd::kFormatFont, QStringLiteral("フォント(&F)"));
    addCommand(cmd::kCurrentTemplate, QStringLiteral("全体テンプレート設定"));
    addCommand(cmd::kCurrentReplacement, QStringLiteral("置換設定"));
    addCommand(cmd::kCurrentEnding, QStringLiteral("語尾変換設定"));
    addCommand(cmd::kHtmlSettings, QStringLiteral("HTML設定"));
    addCommand(cmd::kSaveOverallTemplate, QStringLiteral("テンプレート"));
    addCommand(cmd::kSaveReplacementTemplate, QStringLiteral("置換"));
    addCommand(cmd::kSaveEndingTemplate, QStringLiteral("語尾変換"));
    addCommand(cmd::kExportTemplates, QStringLiteral("書き出し(&E)..."));
    addCommand(cmd::kImportTemplates, QStringLiteral("読み込み(&I)..."));
    addCommand(cmd::kGo, QStringLiteral("GO!!"));
    addCommand(cmd::kViewToolbar, QStringLiteral("ﾂｰﾙ ﾊﾞｰ(&T)"))->setCheckable(true);
    addCommand(cmd::kViewStatusBar, QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&S)"))->setCheckable(true);
    addCommand(cmd::kViewPreview, QStringLiteral("ﾌﾟﾚﾋﾞｭｰ(&P)"))->setCheckable(true);
    addCommand(cmd::kAppAbout, QStringLiteral("Mireto のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
}

void CMainFrame::createMenus() {
    m_fileMenu = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    for (int id : {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kFileSaveAs})
        m_fileMenu->addAction(action(id));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(action(cmd::kSavePage));
    m_fileMenu->addAction(action(cmd::kSavePageImage));
    m_fileMenu->addSeparator();
    for (int id : {cmd::kFilePrint, cmd::kFilePrintPreview, cmd::kFilePrintSetup})
        m_fileMenu->addAction(action(id));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(action(cmd::kFileMruFirst));
    m_recentSeparator = m_fileMenu->addSeparator();
    m_fileMenu->addAction(action(cmd::kAppExit));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->addAction(action(cmd::kEditUndo));
    edit->addSeparator();
    for (int id : {cmd::kEditCut, cmd::kEditCopy, cmd::kEditPaste, cmd::kEditClear})
        edit->addAction(action(id));
    edit->addSeparator();
    edit->addAction(action(cmd::kEditFind));
    edit->addAction(action(cmd::kEditReplace));
    edit->addSeparator();
    edit->addAction(action(cmd::kEditSelectAll));

    menuBar()->addMenu(QStringLiteral("書式"))->addAction(action(cmd::kFormatFont));

    QMenu* settings = menuBar()->addMenu(QStringLiteral("設定"));
    settings->addAction(action(cmd::kCurrentTemplate));
    settings->addSeparator();
    for (int id : {cmd::kCurrentReplacement, cmd::kCurrentEnding, cmd::kHtmlSettings})
        settings->addAction(action(id));

    QMenu* templates = menuBar()->addMenu(QStringLiteral("テンプレート作成"));
    templates->addAction(action(cmd::kSaveOverallTemplate));
    templates->addSeparator();
    templates->addAction(action(cmd::kSaveReplacementTemplate));
    templates->addAction(action(cmd::kSaveEndingTemplate));
    // Beside the editors: they too act on the stored templates, not on the document.
    templates->addSeparator();
    templates->addAction(action(cmd::kExportTemplates));
    templates->addAction(action(cmd::kImportTemplates));

    menuBar()->addMenu(QStringLiteral("通信語変換"))->addAction(action(cmd::kGo));

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->addAction(action(cmd::kViewToolbar));
    view->addAction(action(cmd::kViewStatusBar));
    view->addAction(action(cmd::kViewPreview));

    menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"))->addAction(action(cmd::kAppAbout));
}

void CMainFrame::createToolBar() {
    // The name is what the window's context menu lists it by.
    m_wndToolBar = new QToolBar(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"), this);
    m_wndToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    const int buttons[] = {cmd::kFileNew,
                           cmd::kFileOpen,
                           cmd::kFileSave,
                           0,
                           cmd::kEditUndo,
                           cmd::kEditCut,
                           cmd::kEditCopy,
                           cmd::kEditPaste,
                           0,
                           cmd::kFilePrint,
                           0,
                           cmd::kGo,
                           0,
                           cmd::kAppAbout};
    for (int id : buttons) {
        if (id == 0)
            m_wndToolBar->addSeparator();
        else
            m_wndToolBar->addAction(action(id));
    }
}

void CMainFrame::createControlPanel() {
    m_wndControlPanel = new ControlPanel(this);
    for (int id : {cmd::kCurrentTemplate, cmd::kCurrentReplacement, cmd::kCurrentEnding,
                   cmd::kHtmlSettings, cmd::kPanelGo}) {
        QToolButton* button = m_wndControlPanel->button(id);
        button->setStatusTip(statusPrompt(id));
        button->installEventFilter(this);
    }
}

void CMainFrame::createPreview(const PlatformServices& services) {
    m_wndPreview = new QDockWidget(QStringLiteral("プレビュー"), this);
    m_wndPreview->setObjectName(QStringLiteral("PreviewDock"));
    m_preview = new PagePreview(m_view, services, m_wndPreview);
    m_wndPreview->setWidget(m_preview);
}

void CMainFrame::createStatusBar() {
    m_idleLabel = new QLabel(QStringLiteral("ﾚﾃﾞｨ"), this);
    statusBar()->addWidget(m_idleLabel, 1);
    m_encodingLabel = new QLabel(this);
    statusBar()->addPermanentWidget(m_encodingLabel);
    const std::pair<int, const char*> indicators[] = {{kKanaIndicator, "ｶﾅ"},
                                                      {kCapsIndicator, "CAP"},
                                                      {kNumIndicator, "NUM"},
                                                      {kScrollIndicator, "SCRL"}};
    for (const auto& [id, text] : indicators) {
        auto* label = new QLabel(this);
        label->setProperty("indicatorText", QString::fromUtf8(text));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString::fromUtf8(text)) + 8);
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        m_indicators[id] = label;
    }
    m_view->installEventFilter(this);
}

void CMainFrame::connectCommands() {
    CMiretoView* view = m_view;
    const std::pair<int, void (CMiretoView::*)()> viewCommands[] = {
        {cmd::kGo, &CMiretoView::OnGo},
        {cmd::kFormatFont, &CMiretoView::OnFormatFont},
        {cmd::kSaveOverallTemplate, &CMiretoView::OnSaveOverallTemplate},
        {cmd::kSaveReplacementTemplate, &CMiretoView::OnSaveReplacementTemplate},
        {cmd::kSaveEndingTemplate, &CMiretoView::OnSaveEndingTemplate},
        {cmd::kExportTemplates, &CMiretoView::OnExportTemplates},
        {cmd::kImportTemplates, &CMiretoView::OnImportTemplates},
        {cmd::kCurrentTemplate, &CMiretoView::OnCurrentTemplate},
        {cmd::kCurrentReplacement, &CMiretoView::OnCurrentReplacement},
        {cmd::kCurrentEnding, &CMiretoView::OnCurrentEnding},
        {cmd::kHtmlSettings, &CMiretoView::OnHtmlSettings},
        {cmd::kEditUndo, &CMiretoView::undo},
        {cmd::kEditCut, &CMiretoView::cut},
        {cmd::kEditCopy, &CMiretoView::copy},
        {cmd::kEditPaste, &CMiretoView::paste},
        {cmd::kEditClear, &CMiretoView::OnEditClear},
        {cmd::kEditFind, &CMiretoView::OnEditFind},
        {cmd::kEditReplace, &CMiretoView::OnEditReplace},
        {cmd::kEditSelectAll, &CMiretoView::selectAll},
        {cmd::kFilePrint, &CMiretoView::OnFilePrint},
        {cmd::kFilePrintPreview, &CMiretoView::OnFilePrintPreview},
        {cmd::kFilePrintSetup, &CMiretoView::OnFilePrintSetup},
    };
    for (const auto& [id, handler] : viewCommands)
        connect(action(id), &QAction::triggered, view, handler);

    // The panel's buttons are the same commands as the "設定" menu and GO!!.
    const std::pair<int, int> panelCommands[] = {
        {cmd::kCurrentTemplate, cmd::kCurrentTemplate},
        {cmd::kCurrentReplacement, cmd::kCurrentReplacement},
        {cmd::kCurrentEnding, cmd::kCurrentEnding},
        {cmd::kHtmlSettings, cmd::kHtmlSettings},
        {cmd::kPanelGo, cmd::kGo}};
    for (const auto& [buttonId, commandId] : panelCommands) {
        QToolButton* button = m_wndControlPanel->button(buttonId);
        QAction* command = action(commandId);
        button->setEnabled(command->isEnabled());
        connect(button, &QToolButton::clicked, command, &QAction::trigger);
        connect(command, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    }

    const std::pair<int, void (CMiretoView::*)()> panelLists[] = {
        {cmd::kComboTemplate, &CMiretoView::OnSelchangeTemplate},
        {cmd::kComboReplacement, &CMiretoView::OnSelchangeReplacement},
        {cmd::kComboEnding, &CMiretoView::OnSelchangeEnding},
        {cmd::kComboFormat, &CMiretoView::OnSelchangeFormat},
    };
    for (const auto& [comboId, handler] : panelLists)
        connect(m_wndControlPanel->combo(comboId), &QComboBox::activated, view, handler);

    connect(action(cmd::kSavePage), &QAction::triggered, m_pageSaver, &PageSaver::OnSavePage);
    connect(action(cmd::kSavePageImage), &QAction::triggered, m_pageSaver,
            &PageSaver::OnSavePageImage);
    connect(m_pageSaver, &PageSaver::pictureStateChanged, this, &CMainFrame::UpdateCommandStates);

    connect(view, &CMiretoView::settingsButtonUpdated, this, &CMainFrame::UpdateCommandStates);
    connect(view, &CMiretoView::undoAvailable, action(cmd::kEditUndo), &QAction::setEnabled);
    for (int id : {cmd::kEditCut, cmd::kEditCopy, cmd::kEditClear}) {
        action(id)->setEnabled(false);
        connect(view, &CMiretoView::copyAvailable, action(id), &QAction::setEnabled);
    }
    action(cmd::kEditUndo)->setEnabled(false);

    for (const Bar& bar : bars()) {
        QAction* item = action(bar.command);
        connect(item, &QAction::triggered, bar.widget, &QWidget::setVisible);
        // Docks and toolbars say when they show or hide (their close button, the
        // context menu); the status bar is watched in eventFilter.
        if (bar.toggle)
            connect(bar.toggle, &QAction::toggled, item, &QAction::setChecked);
        else
            bar.widget->installEventFilter(this);
    }
    UpdateBarChecks();
    connect(action(cmd::kAppExit), &QAction::triggered, this, &QWidget::close);
}

std::vector<CMainFrame::Bar> CMainFrame::bars() const {
    return {{cmd::kViewToolbar, m_wndToolBar, m_wndToolBar->toggleViewAction()},
            {cmd::kViewStatusBar, statusBar(), nullptr},
            {cmd::kViewPreview, m_wndPreview, m_wndPreview->toggleViewAction()}};
}

void CMainFrame::UpdateBarChecks() {
    // A bar hidden before the window first shows says nothing, so a restored layout
    // is read back from the bars themselves.
    for (const Bar& bar : bars()) {
        const bool shown = bar.widget->isVisibleTo(this);
        if (bar.toggle)
            bar.toggle->setChecked(shown);
        action(bar.command)->setChecked(shown);
    }
}

void CMainFrame::readSettings() {
    m_firstStart = !restoreWindowLayout(*this);
    m_fitPanel = m_firstStart;
    UpdateBarChecks();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // On a first start the page beside the text gets a good part of the width; the
    // docks take their sizes only once the window is laid out.
    if (m_firstStart) {
        m_firstStart = false;
        resizeDocks({m_wndPreview}, {width() * 2 / 5}, Qt::Horizontal);
    }
}

QAction* CMainFrame::action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

QList<QLabel*> CMainFrame::indicatorLabels() const {
    return {m_indicators.at(kKanaIndicator), m_indicators.at(kCapsIndicator),
            m_indicators.at(kNumIndicator), m_indicators.at(kScrollIndicator)};
}

void CMainFrame::SetDocument(CMiretoDoc* document) {
    m_document = document;
    m_pageSaver->setDocument(document);
    connect(document, &CMiretoDoc::documentChanged, this, &CMainFrame::OnUpdateFrameTitle);
    OnUpdateFrameTitle();
}

void CMainFrame::OnUpdateFrameTitle() {
    const QString title = m_document ? m_document->GetTitle() : QStringLiteral("無題");
    setWindowTitle(title + QStringLiteral(" - ") + programTitle());
    const DocumentFormat format = m_document ? m_document->format() : DocumentFormat{};
    m_encodingLabel->setText(encodingName(format.encoding));
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    QAction* placeholder = action(cmd::kFileMruFirst);
    placeholder->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        auto* entry = new QAction(RecentFileList::menuText(i, path), this);
        entry->setStatusTip(statusPrompt(cmd::kFileMruFirst + i));
        connect(entry, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
        m_fileMenu->insertAction(m_recentSeparator, entry);
        m_recentActions.append(entry);
    }
}

QString CMainFrame::ToolTipText(int controlId) const {
    switch (controlId) {
    case cmd::kCurrentTemplate:
        return QStringLiteral("現在のテンプレート設定");
    case cmd::kCurrentEnding:
        return QStringLiteral("現在の語尾変換設定");
    case cmd::kPanelGo:
        return QStringLiteral("GO!!");
    case cmd::kHtmlSettings:
        return m_view->GetSettingsCaption();
    case cmd::kCurrentReplacement:
        return QStringLiteral("現在の置換設定");
    default:
        return {};
    }
}

void CMainFrame::UpdateCommandStates() {
    m_view->OnUpdateHtmlSettings(action(cmd::kHtmlSettings));
    // A picture needs the preview's engine, and one picture is made at a time.
    QAction* picture = action(cmd::kSavePageImage);
    picture->setEnabled(m_pageSaver->canMakePicture() && !m_pageSaver->isMakingPicture());
    picture->setStatusTip(m_pageSaver->canMakePicture()
                              ? statusPrompt(cmd::kSavePageImage)
                              : QStringLiteral("ウェブエンジンが使えないため、画像は作れません"));
}

void CMainFrame::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    // Only now do both the view's settings and the panel exist; later repaints leave
    // the panel alone.
    if (m_bFirstPaint == 1) {
        m_view->SetControlPanel(m_wndControlPanel);
        m_view->RefreshPanel();
        m_view->UpdateSettingsButton();
        // Filled, the page-style list may want more room than the panel was laid out
        // with on a first start: the chosen style shows whole. A restored layout keeps
        // the width it was left with.
        if (const QComboBox* styles = m_wndControlPanel->combo(cmd::kComboFormat);
            styles && m_fitPanel) {
            // The room comes from the editor and the preview alike.
            if (const int missing = styles->sizeHint().width() - styles->width(); missing > 0)
                resizeDocks(
                    {m_wndControlPanel, m_wndPreview},
                    {m_wndControlPanel->width() + missing, m_wndPreview->width() - missing / 2},
                    Qt::Horizontal);
        }
        m_fitPanel = false;
        m_bFirstPaint = 0;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if ((m_document && !m_document->SaveModified()) || !m_view->OnDestroy()) {
        event->ignore();
        return;
    }
    saveWindowLayout(*this);
    event->accept();
    emit closing();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        for (int id : {cmd::kCurrentTemplate, cmd::kCurrentEnding, cmd::kPanelGo,
                       cmd::kHtmlSettings, cmd::kCurrentReplacement}) {
            QToolButton* button = m_wndControlPanel->button(id);
            if (watched != button)
                continue;
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), ToolTipText(id),
                               button);
            return true;
        }
    }
    if (watched == statusBar() && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        action(cmd::kViewStatusBar)->setChecked(statusBar()->isVisibleTo(this));
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        m_lockKeys.observe(*static_cast<QKeyEvent*>(event));
        updateIndicators();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::updateIndicators() {
    const std::pair<int, bool> states[] = {{kKanaIndicator, m_lockKeys.kana()},
                                           {kCapsIndicator, m_lockKeys.caps()},
                                           {kNumIndicator, m_lockKeys.num()},
                                           {kScrollIndicator, m_lockKeys.scroll()}};
    for (const auto& [id, on] : states) {
        QLabel* label = m_indicators.at(id);
        label->setText(on ? label->property("indicatorText").toString() : QString());
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(files);
}

} // namespace mireto
