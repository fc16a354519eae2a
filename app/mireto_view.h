// The one editor view. Besides the text it owns everything a conversion needs, in its
// conversion session: the settings store, the current overall template, replacement set
// and ending set, and the page styles' settings. The control panel and the dialogs
// borrow; every page is built by the session.
//
// Whatever changes a conversion input (the text, a set, the page style or its settings)
// is announced with conversionInputsChanged(), which the live preview follows.
//
// Sources: mireto_view.cpp (editor, font, find and replace, printing),
// mireto_view_go.cpp (GO!! and the page for a given moment), mireto_view_settings.cpp
// (Mireto.ini at start and exit, the panel's lists and selections, the page styles'
// settings dialogs), mireto_view_templates.cpp (the template editors and choosers),
// mireto_view_exchange.cpp (templates and sets to and from files).
#pragma once

#include "app/platform_services.h"
#include "convert/conversion_session.h"
#include "platform/atomic_file.h"
#include "settings/outside_changes.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <ctime>
#include <optional>
#include <string>

class QAction;
class QComboBox;

namespace mireto {

class CFindReplaceDlg;
class ControlPanel;
struct StyleTraits;

// What changed among the conversion inputs: the editor's text as the user types, or
// anything else (a new or opened document, a pick in the panel, a dialog's OK, a
// template editor).
enum class InputChange { Typing, Other };

class CMiretoView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CMiretoView(PlatformServices services, QWidget* parent = nullptr);
    ~CMiretoView() override;

    // Window creation: the editor font, Mireto.ini read into the store and the current
    // state (or the message box and the defaults), the format names.
    void OnCreate();
    // The normal end of the program: Mireto.ini rewritten whole. When it cannot be
    // written the user is told and asked whether to end anyway; false means stay.
    bool OnDestroy();
    // Writes Mireto.ini now, in one step, when what the end of the program would write
    // differs from what the file last received. Called after every change a dialog or
    // the panel makes to the store or the current state, so that a crash or a kill loses
    // none of it. The first failure is told (unless `tellFailure` is false), the next
    // ones not until a write succeeds.
    void SaveSettingsAfterChange(bool tellFailure = true);

    // The text, lines separated by "\n", every character as typed (a U+2028 too).
    QString GetEditorText() const;
    // Replaces the whole text (a new or opened document).
    void SetEditorText(const QString& text);

    // The editor's text as conversions take it: Shift_JIS, lines ended by CR LF, and
    // characters Shift_JIS cannot hold as character references.
    std::string ConversionText() const;
    // The page GO!! writes, built from the current sets, page style and settings and
    // `text` (as ConversionText gives it) for `moment`, which seeds every draw and
    // dates the page. Nothing when the current style is none of the seven.
    std::optional<std::string> BuildPage(const std::string& text, std::time_t moment) const;
    // The same page handed to `sink` piece by piece as it is built. Nothing when the
    // style is none of the seven; else whether the sink took every piece.
    std::optional<bool> StreamPage(const std::string& text, std::time_t moment,
                                   const PageSink& sink) const;
    // Puts `page` at tmp.html in one step (a browser never sees half a page) and, when
    // that worked, opens it; a desktop that cannot open it is reported.
    FileWriteResult OpenPage(const std::string& page);

    // The panel, handed over by the frame on its first paint.
    void SetControlPanel(ControlPanel* panel);
    void RefreshPanel();
    void SelectCurrentInPanel();
    void UpdateSettingsButton();
    QString GetSettingsCaption() const;
    // Enables `action` (command 1101) unless the current style has no settings.
    void OnUpdateHtmlSettings(QAction* action) const;

    // The session holds the store, the current records and the page styles' settings.
    const ConversionSession& session() const { return m_session; }
    const SettingsStore& store() const { return m_session.store(); }
    const OverallTemplate& currentTemplate() const { return m_session.currentTemplate(); }
    const ReplacementSet& currentReplacementSet() const {
        return m_session.currentReplacementSet();
    }
    const EndingSet& currentEndingSet() const { return m_session.currentEndingSet(); }
    const FormatSettings& formatSettings() const { return m_session.formatSettings(); }
    const QFont& editorFont() const { return m_font; }

    // Find and replace as the editor's own commands do them: the search wraps around
    // the text; false (with a beep from the callers) when nothing matches.
    bool FindText(const QString& what, bool down, bool matchCase);
    bool ReplaceSelection(const QString& what, const QString& with, bool matchCase);
    int ReplaceAll(const QString& what, const QString& with, bool matchCase);

public slots:
    void OnGo();
    void OnFormatFont();

    void OnSelchangeTemplate();
    void OnSelchangeReplacement();
    void OnSelchangeEnding();
    void OnSelchangeFormat();

    // The dialogs of the template editors, the choosers and the page-style settings.
    void OnSaveOverallTemplate();
    void OnSaveReplacementTemplate();
    void OnSaveEndingTemplate();
    void OnCurrentTemplate();
    void OnCurrentReplacement();
    void OnCurrentEnding();
    // Templates and sets to and from files of Mireto.ini's format.
    void OnExportTemplates();
    void OnImportTemplates();
    void OnHtmlSettings();
    void OnIdolNewsSettings();
    void OnStandardColours();

    void OnEditClear();
    void OnEditFind();
    void OnEditReplace();

    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

signals:
    // The current page style may have changed: command 1101's state is due again.
    void settingsButtonUpdated();
    // The text, a current set, the page style or a style's settings may have changed.
    void conversionInputsChanged(mireto::InputChange change);
    // GO!! built `page` for `moment` (seconds since the epoch); tmp.html holds it unless
    // it could not be written.
    void goPageBuilt(qint64 moment, const QByteArray& page);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Files dropped on the editor open as documents (the frame takes them) instead of
    // being pasted as their names.
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    void FindPanelCombos();
    // The page style's traits for the settings button and command.
    const StyleTraits& currentStyleTraits() const;
    // Shows the settings dialog of `format`; OK puts the settings in the session.
    void editStyleSettings(OutputFormat format);
    void showFindReplace(bool replace);
    // Keeps a file that could not be read aside, then writes the settings.
    FileWriteResult writeSettingsFile(const std::string& bytes);
    // Before a write: when another program wrote Mireto.ini since the editor last read or
    // wrote it, the records only that version has are taken in and the version itself
    // is kept beside it, which `tell` says. True when the store changed.
    bool takeInOutsideChanges(bool tell);
    void announceChange() { emit conversionInputsChanged(InputChange::Other); }
    // The store, a current record or a page style's settings may have changed: Mireto.ini
    // is written, then the change announced.
    void settingsChanged();
    // Every change of the store ends here, whoever made it: the panel lists it again,
    // then settingsChanged.
    void storeChanged();

    PlatformServices m_services;
    QFont m_font;
    ConversionSession m_session;
    QComboBox* m_comboTemplate = nullptr;
    QComboBox* m_comboEnding = nullptr;
    QComboBox* m_comboReplacement = nullptr;
    QComboBox* m_comboFormat = nullptr;
    // What the settings file last received, or would have at start-up.
    std::string m_savedSettings;
    // The settings file was there at start-up but could not be read: it is kept under
    // another name before the first write.
    bool m_setAsideSettings = false;
    bool m_toldSaveFailure = false;
    // What Mireto.ini held when the editor last read or wrote it.
    SettingsFileState m_settingsOnDisk;
    QPointer<ControlPanel> m_panel;
    QPointer<CFindReplaceDlg> m_findDialog;
    QPrinter m_printer;
    // Set while SetEditorText replaces the text, which is then no typing.
    bool m_replacingText = false;
};

} // namespace mireto
