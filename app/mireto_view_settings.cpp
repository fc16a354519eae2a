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

// In one call, so that a list of any length fills at once. Item i is store position i.
void fillCombo(QComboBox* combo, const std::vector<std::string>& names) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names)
        items.append(fromSjis(name));
    combo->addItems(items);
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

template <typename Dialog, auto kMember> bool editPart(QWidget* owner, FormatSettings& settings) {
    return editSettings<Dialog>(owner, settings.*kMember);
}

bool editFontPlay(QWidget* owner, FormatSettings& settings) {
    FontPlaySettings values = settings.fontPlay();
    if (!editSettings<CFontPlaySettingsDlg>(owner, values))
        return false;
    settings.setFontPlay(values);
    return true;
}

} // namespace

// What the panel's settings button and command do for each page style: the button's
// picture, its tooltip (UTF-8), and the dialog that edits the style's settings (none
// for a style without settings).
struct StyleTraits {
    int icon;
    const char* caption;
    bool (*edit)(QWidget* owner, FormatSettings& settings);
};

namespace {

constexpr const char* kNoSettingsCaption = "この形式は設定がありません";

// By position.
constexpr StyleTraits kStyleTraits[kFormatCount] = {
    {icons::kFontPlaySettings, "フォント弄り設定", editFontPlay},
    {icons::kFontPlayWhiteSettings, "フォント弄り設定", editFontPlay},
    {icons::kIdolNewsSettings, "某バーチャルネットアイドル設定",
     editPart<CIdolNewsSettingsDlg, &FormatSettings::idolNews>},
    {icons::kThreadSettings, "2ch変換設定", editPart<CThreadSettingsDlg, &FormatSettings::thread>},
    {icons::kColourSettings, "標準的HTML設定",
     editPart<CStandardColoursDlg, &FormatSettings::standardColours>},
    {icons::kColourSettings, "標準的HTML設定",
     editPart<CStandardColoursDlg, &FormatSettings::standardColours>},
    {icons::kHouseStyleSettings, kNoSettingsCaption, nullptr},
};

// When the current template names none of the seven styles.
constexpr StyleTraits kNoStyleTraits = {icons::kNoSettings, kNoSettingsCaption, nullptr};

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

    const std::filesystem::path source = m_services.paths.fileToRead();
    const StartupOutcome outcome = m_session.startFromFile(source);
    if (outcome != StartupOutcome::Loaded) {
        QString text = QStringLiteral("Mireto.iniファイルが読み込めません");
        if (isUnreadable(outcome))
            text += QStringLiteral("\n（%1）").arg(unreadableReason(outcome));
        showMessage(this, {text, QStringLiteral("ソルネ壱号起動"), MessageIcon::Information,
                           MessageButtons::Ok});
    }
    // Only the file the program writes is ever replaced.
    m_setAsideSettings = isUnreadable(outcome) && source == m_services.paths.settingsFile;
    m_savedSettings = m_session.settingsBytes();
    m_settingsOnDisk.rememberFile(m_services.paths.settingsFile);
}

bool CMiretoView::OnDestroy() {
    takeInOutsideChanges(true);
    const FileWriteResult result = writeSettingsFile(m_session.settingsBytes());
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
    std::string bytes = m_session.settingsBytes();
    if (bytes == m_savedSettings)
        return;
    if (takeInOutsideChanges(tellFailure))
        bytes = m_session.settingsBytes();
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
    const std::vector<ImportedRecord> added =
        TakeInOtherRecords(m_session.editableStore(), *theirs, listNameRules());
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
    fillCombo(m_comboTemplate, m_session.names(RecordKind::OverallTemplate));
    fillCombo(m_comboEnding, m_session.names(RecordKind::EndingSet));
    fillCombo(m_comboReplacement, m_session.names(RecordKind::ReplacementSet));
    fillCombo(m_comboFormat, m_session.formatNames());
    SelectCurrentInPanel();
}

void CMiretoView::SelectCurrentInPanel() {
    FindPanelCombos();
    if (!m_panel)
        return;
    const OverallTemplate& current = m_session.currentTemplate();
    selectName(m_comboTemplate, current.name);
    selectName(m_comboReplacement, m_session.currentReplacementSet().name);
    selectName(m_comboEnding, m_session.currentEndingSet().name);
    selectName(m_comboFormat, current.formatName);
}

void CMiretoView::OnSelchangeTemplate() {
    FindPanelCombos();
    if (!m_panel || m_comboTemplate->currentIndex() < 0)
        return;
    const ConversionSession::TemplatePick pick =
        m_session.pickTemplate(positionOf(m_comboTemplate));
    m_comboReplacement->setCurrentIndex(static_cast<int>(pick.replacementSet));
    m_comboEnding->setCurrentIndex(static_cast<int>(pick.endingSet));
    m_comboFormat->setCurrentIndex(pick.format ? static_cast<int>(*pick.format) : -1);
    UpdateSettingsButton();
    settingsChanged();
}

void CMiretoView::OnSelchangeReplacement() {
    FindPanelCombos();
    if (!m_panel)
        return;
    m_session.pickReplacementSet(positionOf(m_comboReplacement));
    settingsChanged();
}

void CMiretoView::OnSelchangeEnding() {
    FindPanelCombos();
    if (!m_panel)
        return;
    m_session.pickEndingSet(positionOf(m_comboEnding));
    settingsChanged();
}

void CMiretoView::OnSelchangeFormat() {
    FindPanelCombos();
    if (!m_panel)
        return;
    m_session.pickFormat(positionOf(m_comboFormat));
    UpdateSettingsButton();
    settingsChanged();
}

const StyleTraits& CMiretoView::currentStyleTraits() const {
    const std::optional<OutputFormat> format = m_session.currentFormat();
    return format ? kStyleTraits[static_cast<std::size_t>(*format)] : kNoStyleTraits;
}

void CMiretoView::UpdateSettingsButton() {
    if (m_panel)
        m_panel->button(cmd::kHtmlSettings)
            ->setIcon(icons::resourceIcon(currentStyleTraits().icon));
    emit settingsButtonUpdated();
}

QString CMiretoView::GetSettingsCaption() const {
    return QString::fromUtf8(currentStyleTraits().caption);
}

void CMiretoView::OnUpdateHtmlSettings(QAction* action) const {
    // Only the house style has no settings; a style that is none of the seven leaves
    // the command enabled, doing nothing, as it always has.
    action->setEnabled(m_session.currentFormat() != OutputFormat::HouseStyle);
}

void CMiretoView::OnHtmlSettings() {
    if (const std::optional<OutputFormat> format = m_session.currentFormat())
        editStyleSettings(*format);
}

void CMiretoView::OnIdolNewsSettings() {
    editStyleSettings(OutputFormat::IdolNews);
}

void CMiretoView::OnStandardColours() {
    editStyleSettings(OutputFormat::Standard);
}

void CMiretoView::editStyleSettings(OutputFormat format) {
    const StyleTraits& traits = kStyleTraits[static_cast<std::size_t>(format)];
    FormatSettings settings = m_session.formatSettings();
    if (!traits.edit || !traits.edit(window(), settings))
        return;
    m_session.setFormatSettings(std::move(settings));
    settingsChanged();
}

} // namespace mireto
