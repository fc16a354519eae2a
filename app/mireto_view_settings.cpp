// The view's settings life cycle (Mireto.ini read when the view is created, written at
// the normal end) and the control panel: its lists, its selections, the settings
// button, and the commands that open the page styles' settings dialogs.
#include "app/command_ids.h"
#include "app/control_panel.h"
#include "app/icons.h"
#include "app/mireto_view.h"
#include "app/program_title.h"
#include "convert/dialogs/font_play_settings_dlg.h"
#include "convert/dialogs/idol_news_settings_dlg.h"
#include "convert/dialogs/standard_colours_dlg.h"
#include "convert/dialogs/thread_settings_dlg.h"
#include "platform/set_aside.h"
#include "settings/settings_file.h"
#include "widgets/file_error_text.h"
#include "widgets/message_box.h"
#include "widgets/sjis_qstring.h"
#include "widgets/template_list.h"
#include "widgets/write_failure.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>
#include <cerrno>

namespace mireto {

namespace {

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// The store position a combo box's selection stands for; no selection (-1) becomes
// a position beyond every list, which the store answers with defaults.
SettingsStore::Position positionOf(const QComboBox* combo) {
    return static_cast<SettingsStore::Position>(static_cast<qint64>(combo->currentIndex()));
}

// The items were inserted at their store positions, so a match's index is a position.
// Like the classic combo box, the search ignores letter case.
void selectName(QComboBox* combo, const std::string& name) {
    combo->setCurrentIndex(combo->findText(fromSjis(name), Qt::MatchFixedString));
}

// In one call, so that a list of any length fills at once.
template <typename NameAt> void fillCombo(QComboBox* combo, NameAt nameAt) {
    QStringList names;
    for (SettingsStore::Position position = 0;; ++position) {
        const std::string name = nameAt(position);
        if (name.empty())
            break;
        names.append(fromSjis(name));
    }
    combo->addItems(names);
}

// Shows a page style's settings dialog over the main window with a copy of `settings`;
// only OK puts the edited record back.
template <typename Dialog, typename Record> bool editSettings(QWidget* owner, Record& settings) {
    Dialog dialog(owner);
    dialog.setSettings(settings);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.getSettings();
    return true;
}

// Why a settings file that is there was not read.
QString unreadableReason(StartupOutcome outcome) {
    switch (outcome) {
    case StartupOutcome::NotAFile:
        return QStringLiteral("普通のファイルではありません");
    case StartupOutcome::NoPermission:
        return QStringLiteral("読む権限がありません");
    case StartupOutcome::ReadFailed:
        return QStringLiteral("読み込み中にエラーが起きました");
    case StartupOutcome::LinkLoop:
        return QStringLiteral("シンボリックリンクが循環していて、ファイルにたどり着けません");
    case StartupOutcome::TooLarge:
        return QStringLiteral("%1 MiB より大きいファイルです").arg(kMaxSettingsFileBytes >> 20);
    case StartupOutcome::TooManyEntries:
        return QStringLiteral("ファイルの大きさに比べて項目が多すぎます");
    case StartupOutcome::Loaded:
    case StartupOutcome::FileMissing:
        break;
    }
    return {};
}

} // namespace

void CMiretoView::OnCreate() {
    m_font = QFont(QStringLiteral("ＭＳ Ｐゴシック"));
    m_font.setPixelSize(14);
    m_font.setWeight(QFont::DemiBold);
    m_font.setStyleHint(QFont::SansSerif);

    CurrentSelection current{m_template, m_endingSet, m_replacementSet};
    const std::filesystem::path source = m_services.paths.fileToRead();
    const StartupOutcome outcome =
        LoadSettingsAtStartup(source, m_store, m_formatSettings, current);
    if (outcome != StartupOutcome::Loaded) {
        QString text = QStringLiteral("Mireto.iniファイルが読み込めません");
        if (isUnreadable(outcome))
            text += QStringLiteral("\n（%1）").arg(unreadableReason(outcome));
        showMessage(this, {text, QStringLiteral("ソルネ壱号起動"), MessageIcon::Information,
                           MessageButtons::Ok});
    }
    // Only the file the program writes is ever replaced.
    m_setAsideSettings = isUnreadable(outcome) && source == m_services.paths.settingsFile;
    m_template = std::move(current.overallTemplate);
    m_endingSet = std::move(current.endingSet);
    m_replacementSet = std::move(current.replacementSet);
    m_savedSettings = settingsFileBytes();
    m_settingsOnDisk.rememberFile(m_services.paths.settingsFile);
}

bool CMiretoView::OnDestroy() {
    takeInOutsideChanges(true);
    const FileWriteResult result = writeSettingsFile(settingsFileBytes());
    if (result.ok)
        return true;
    const MessageAnswer answer = showMessage(
        this,
        {QStringLiteral("設定を %1 に保存できません（%2）。\n\n"
                        "このまま終了すると、保存できなかった設定とテンプレートの変更は失われます。"
                        "終了しますか？")
             .arg(writtenFile(qtPath(m_services.paths.settingsFile), result),
                  fileErrorText(result.errorNumber)),
         programTitle(), MessageIcon::Warning, MessageButtons::YesNo});
    return answer == MessageAnswer::Yes;
}

void CMiretoView::SaveSettingsAfterChange(bool tellFailure) {
    std::string bytes = settingsFileBytes();
    if (bytes == m_savedSettings)
        return;
    if (takeInOutsideChanges(tellFailure))
        bytes = settingsFileBytes();
    const FileWriteResult result = writeSettingsFile(bytes);
    if (result.ok) {
        m_toldSaveFailure = false;
        return;
    }
    if (m_toldSaveFailure || !tellFailure)
        return;
    m_toldSaveFailure = true;
    QString text = QStringLiteral("設定を %1 に保存できません（%2）。")
                       .arg(writtenFile(qtPath(m_services.paths.settingsFile), result),
                            fileErrorText(result.errorNumber));
    if (const QString copies = keptCopiesText(result); !copies.isEmpty())
        text += QLatin1Char('\n') + copies;
    text += QStringLiteral("\n終了するときに、もう一度保存します。");
    showMessage(this, {text, programTitle(), MessageIcon::Warning, MessageButtons::Ok});
}

void CMiretoView::settingsChanged() {
    SaveSettingsAfterChange();
    announceChange();
}

std::string CMiretoView::settingsFileBytes() const {
    return SettingsFileBytes(m_store, m_formatSettings,
                             {m_template, m_endingSet, m_replacementSet});
}

FileWriteResult CMiretoView::writeSettingsFile(const std::string& bytes) {
    const std::filesystem::path& path = m_services.paths.settingsFile;
    // A file start-up would refuse is not written: the one there stays readable.
    if (bytes.size() > kMaxSettingsFileBytes)
        return {false,
                path.string() + ": larger than a settings file may be",
                FileWriteStep::None,
                EFBIG,
                {}};
    std::filesystem::path keptAs;
    if (m_setAsideSettings) {
        const SetAsideResult kept = setAside(path);
        if (!kept.ok)
            return {false,
                    path.string() + ": cannot be kept aside",
                    FileWriteStep::None,
                    kept.error,
                    {}};
        m_setAsideSettings = false;
        keptAs = kept.keptAs;
    }
    FileWriteResult result = saveFileKeepingLinks(path, bytes, m_services.paths.spareFolder);
    if (result.ok) {
        m_savedSettings = bytes;
        m_settingsOnDisk.remember(bytes);
    }
    // Said once the new file is there, so that nothing waits on the message.
    if (!keptAs.empty()) {
        showMessage(this, {QStringLiteral("読み込めなかった Mireto.ini は、%1 として残しました。")
                               .arg(qtPath(keptAs)),
                           programTitle(), MessageIcon::Information, MessageButtons::Ok});
    }
    return result;
}

bool CMiretoView::takeInOutsideChanges(bool tell) {
    const std::filesystem::path& path = m_services.paths.settingsFile;
    if (m_setAsideSettings)
        return false;
    const std::optional<std::string> theirs = m_settingsOnDisk.changedBytes(path);
    if (!theirs)
        return false;
    // Merging keeps every record either side has; a record both have keeps the
    // editor's, and the other version stays whole beside it, for what it changed.
    const std::vector<ImportedRecord> added = TakeInOtherRecords(m_store, *theirs, listNameRules());
    std::filesystem::path keptAs;
    for (int attempt = 1; attempt < 1000 && keptAs.empty(); ++attempt) {
        std::filesystem::path name = path;
        name += attempt == 1 ? ".bak" : ".bak" + std::to_string(attempt);
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(name, error)) &&
            writeFileAtomically(name, *theirs).ok)
            keptAs = name;
    }
    m_settingsOnDisk.remember(*theirs);
    if (!added.empty())
        RefreshPanel();
    if (tell) {
        QString text =
            QStringLiteral("Mireto.ini は、起動してから別のプログラムが書き換えていました。");
        if (!added.empty())
            text += QStringLiteral("\nそちらにだけあったテンプレート %1 件を取り込みました。")
                        .arg(added.size());
        text += keptAs.empty()
                    ? QStringLiteral("\n書き換えられたファイルは残せませんでした。")
                    : QStringLiteral("\n書き換えられたファイルは %1 として残してあります。")
                          .arg(qtPath(keptAs));
        showMessage(this, {text, programTitle(), MessageIcon::Information, MessageButtons::Ok});
    }
    return !added.empty();
}

void CMiretoView::SetControlPanel(ControlPanel* panel) {
    m_panel = panel;
}

void CMiretoView::FindPanelCombos() {
    m_comboTemplate = m_panel ? m_panel->combo(cmd::kComboTemplate) : nullptr;
    m_comboEnding = m_panel ? m_panel->combo(cmd::kComboEnding) : nullptr;
    m_comboReplacement = m_panel ? m_panel->combo(cmd::kComboReplacement) : nullptr;
    m_comboFormat = m_panel ? m_panel->combo(cmd::kComboFormat) : nullptr;
}

void CMiretoView::RefreshPanel() {
    FindPanelCombos();
    if (!m_panel)
        return;
    for (QComboBox* combo : {m_comboTemplate, m_comboEnding, m_comboReplacement, m_comboFormat})
        combo->clear();
    fillCombo(m_comboTemplate, [this](auto p) { return m_store.GetOverallTemplate(p).name; });
    fillCombo(m_comboEnding, [this](auto p) { return m_store.GetEndingSet(p).name; });
    fillCombo(m_comboReplacement, [this](auto p) { return m_store.GetReplacementSet(p).name; });
    fillCombo(m_comboFormat, [this](auto p) { return m_store.GetFormatName(p); });
    SelectCurrentInPanel();
}

void CMiretoView::SelectCurrentInPanel() {
    FindPanelCombos();
    if (!m_panel)
        return;
    selectName(m_comboTemplate, m_template.name);
    selectName(m_comboReplacement, m_replacementSet.name);
    selectName(m_comboEnding, m_endingSet.name);
    selectName(m_comboFormat, m_template.formatName);
}

void CMiretoView::OnSelchangeTemplate() {
    FindPanelCombos();
    if (!m_panel || m_comboTemplate->currentIndex() < 0)
        return;
    const SettingsStore::Position chosen = positionOf(m_comboTemplate);
    const SettingsStore::Position replacement = m_store.FindReplacementSetIndex(chosen);
    m_comboReplacement->setCurrentIndex(static_cast<int>(replacement));
    m_replacementSet = m_store.GetReplacementSet(replacement);
    const SettingsStore::Position ending = m_store.FindEndingSetIndex(chosen);
    m_comboEnding->setCurrentIndex(static_cast<int>(ending));
    m_endingSet = m_store.GetEndingSet(ending);
    const OverallTemplate overall = m_store.GetOverallTemplate(chosen);
    selectName(m_comboFormat, overall.formatName);
    m_template.name = overall.name;
    m_template.endingSetName = m_endingSet.name;
    m_template.replacementSetName = m_replacementSet.name;
    m_template.formatName = m_store.GetFormatName(positionOf(m_comboFormat));
    UpdateSettingsButton();
    settingsChanged();
}

void CMiretoView::OnSelchangeReplacement() {
    FindPanelCombos();
    if (!m_panel)
        return;
    m_replacementSet = m_store.GetReplacementSet(positionOf(m_comboReplacement));
    m_template.replacementSetName = m_replacementSet.name;
    settingsChanged();
}

void CMiretoView::OnSelchangeEnding() {
    FindPanelCombos();
    if (!m_panel)
        return;
    m_endingSet = m_store.GetEndingSet(positionOf(m_comboEnding));
    m_template.endingSetName = m_endingSet.name;
    settingsChanged();
}

void CMiretoView::OnSelchangeFormat() {
    FindPanelCombos();
    if (!m_panel)
        return;
    m_template.formatName = m_store.GetFormatName(positionOf(m_comboFormat));
    UpdateSettingsButton();
    settingsChanged();
}

void CMiretoView::UpdateSettingsButton() {
    static constexpr int kIcons[] = {icons::kFontPlaySettings, icons::kFontPlayWhiteSettings,
                                     icons::kIdolNewsSettings, icons::kThreadSettings};
    int icon = icons::kNoSettings;
    for (std::size_t position = 0; position < std::size(kIcons); ++position) {
        if (m_template.formatName == m_store.GetFormatName(position)) {
            icon = kIcons[position];
            break;
        }
    }
    if (m_panel)
        m_panel->button(cmd::kHtmlSettings)->setIcon(icons::resourceIcon(icon));
    emit settingsButtonUpdated();
}

QString CMiretoView::GetSettingsCaption() const {
    switch (currentFormat().value_or(OutputFormat::HouseStyle)) {
    case OutputFormat::FontPlayBlack:
    case OutputFormat::FontPlayWhite:
        return QStringLiteral("フォント弄り設定");
    case OutputFormat::IdolNews:
        return QStringLiteral("某バーチャルネットアイドル設定");
    case OutputFormat::Thread:
        return QStringLiteral("2ch変換設定");
    case OutputFormat::Standard:
    case OutputFormat::StandardFrameless:
        return QStringLiteral("標準的HTML設定");
    case OutputFormat::HouseStyle:
        break;
    }
    return QStringLiteral("この形式は設定がありません");
}

void CMiretoView::OnUpdateHtmlSettings(QAction* action) const {
    action->setEnabled(m_template.formatName != m_store.GetFormatName(6));
}

void CMiretoView::OnHtmlSettings() {
    const std::optional<OutputFormat> format = currentFormat();
    if (!format)
        return;
    switch (*format) {
    case OutputFormat::FontPlayBlack:
    case OutputFormat::FontPlayWhite:
        OnFontPlaySettings();
        break;
    case OutputFormat::IdolNews:
        OnIdolNewsSettings();
        break;
    case OutputFormat::Thread:
        OnThreadSettings();
        break;
    case OutputFormat::Standard:
    case OutputFormat::StandardFrameless:
        OnStandardColours();
        break;
    case OutputFormat::HouseStyle:
        break;
    }
}

void CMiretoView::OnFontPlaySettings() {
    FontPlaySettings values = m_formatSettings.fontPlay();
    if (!editSettings<CFontPlaySettingsDlg>(window(), values))
        return;
    m_formatSettings.setFontPlay(values);
    settingsChanged();
}

void CMiretoView::OnIdolNewsSettings() {
    if (editSettings<CIdolNewsSettingsDlg>(window(), m_formatSettings.idolNews))
        settingsChanged();
}

void CMiretoView::OnThreadSettings() {
    if (editSettings<CThreadSettingsDlg>(window(), m_formatSettings.thread))
        settingsChanged();
}

void CMiretoView::OnStandardColours() {
    if (editSettings<CStandardColoursDlg>(window(), m_formatSettings.standardColours))
        settingsChanged();
}

} // namespace mireto
