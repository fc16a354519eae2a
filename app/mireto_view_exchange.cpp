// Templates and sets passed around as files. Exporting writes the chosen records with
// the current page settings, so that mireto-convert -s FILE -t NAME makes the page the
// editor makes from that template; importing reads a file, lets the user choose, and
// changes the store only once everything is decided. Either way the chooser dialogs
// only choose: the view asks for files, writes, reads and tells.
#include "app/exchange_folder.h"
#include "app/file_dialogs.h"
#include "app/mireto_view.h"
#include "app/program_title.h"
#include "settings/dialogs/export_dlg.h"
#include "settings/dialogs/import_dlg.h"
#include "settings/template_exchange.h"
#include "widgets/busy_work.h"
#include "widgets/message_box.h"
#include "widgets/sjis_qstring.h"
#include "widgets/template_list.h"
#include "widgets/write_failure.h"

#include <QDir>
#include <QMainWindow>
#include <QStatusBar>

namespace mireto {

namespace {

QString sectionName(SettingsSection section) {
    switch (section) {
    case SettingsSection::PageSettings:
        return QStringLiteral("HTML設定");
    case SettingsSection::EndingSets:
        return QStringLiteral("語尾変換");
    case SettingsSection::ReplacementSets:
        return QStringLiteral("置換");
    case SettingsSection::OverallTemplates:
        break;
    }
    return QStringLiteral("全体テンプレート");
}

// A page setting as its dialog names it.
QString pageValueName(PageValue value) {
    switch (value) {
    case PageValue::LineBreakDegree:
        return QStringLiteral("フォント弄りの改行の度合い");
    case PageValue::DeleteCommas:
        return QStringLiteral("フォント弄りの読点の削除");
    case PageValue::IdolNewsSupport:
        return QStringLiteral("某バーチャルネットアイドルの応援");
    case PageValue::BackgroundColour:
        return QStringLiteral("標準的HTMLの背景色");
    case PageValue::TextColour:
        return QStringLiteral("標準的HTMLの文字色");
    case PageValue::ThreadMode:
        return QStringLiteral("2ch変換のスレの種類");
    case PageValue::None:
        break;
    }
    return {};
}

// Why `file` cannot be imported, for the user.
QString readFailure(const QString& path, const SharedFile& file) {
    switch (file.status) {
    case SharedFile::Status::Read:
        break;
    case SharedFile::Status::Missing:
        return QStringLiteral("%1 が見つかりません。").arg(path);
    case SharedFile::Status::NotAFile:
        return QStringLiteral("%1 はファイルではありません。").arg(path);
    case SharedFile::Status::Unreadable:
        return QStringLiteral("%1 を読み込めません。").arg(path);
    case SharedFile::Status::Malformed: {
        const QString line = QString::number(file.check.line);
        const QString section = sectionName(file.check.section);
        QString where;
        switch (file.check.fault) {
        case SettingsFileFault::MissingSeparator:
            where = QStringLiteral("%1の終わりを示す「----」がありません（%2 行目）。")
                        .arg(section, line);
            break;
        case SettingsFileFault::NotShiftJis:
            where = QStringLiteral("%1 行目（%2）に Shift_JIS でない文字があります。")
                        .arg(line, section);
            break;
        case SettingsFileFault::ControlCharacter:
            where =
                QStringLiteral("%1 行目（%2）に改行などの制御文字があります。").arg(line, section);
            break;
        case SettingsFileFault::BadValue:
            where = QStringLiteral("%1 行目（HTML設定）の%2は、設定ダイアログでは作れない値です。")
                        .arg(line, pageValueName(file.check.value));
            break;
        case SettingsFileFault::BadLine:
        case SettingsFileFault::None:
            where = QStringLiteral("%1 行目が%2の行として読めません。").arg(line, section);
            break;
        }
        return QStringLiteral("%1 は設定ファイルではないか、壊れています。\n%2").arg(path, where);
    }
    }
    if (file.records.empty())
        return QStringLiteral("%1 には読み込めるテンプレートも置換も語尾変換もありません。")
            .arg(path);
    return {};
}

QString quoted(const std::string& sjisName) {
    return QStringLiteral("「%1」").arg(fromSjis(sjisName));
}

// What an import did, a line for every name that did not simply arrive, and the
// templates whose sets are missing.
// How many notes an import's report lists at most.
constexpr qsizetype kReportLines = 20;

QString importReport(const std::vector<ImportedRecord>& results, const QStringList& missing) {
    QStringList lines;
    int imported = 0;
    for (const ImportedRecord& result : results) {
        switch (result.result) {
        case ImportedRecord::Result::Added:
            ++imported;
            break;
        case ImportedRecord::Result::Overwritten:
            ++imported;
            lines.append(QStringLiteral("%1を上書きしました。").arg(quoted(result.storedName)));
            break;
        case ImportedRecord::Result::AddedAs:
            ++imported;
            lines.append(QStringLiteral("%1は%2として読み込みました。")
                             .arg(quoted(result.fileName), quoted(result.storedName)));
            break;
        case ImportedRecord::Result::Skipped:
            lines.append(QStringLiteral("%1は読み込みませんでした。").arg(quoted(result.fileName)));
            break;
        }
    }
    lines += missing;
    // A message the screen can hold: a large import lists its first notes only.
    if (lines.size() > kReportLines) {
        const qsizetype more = lines.size() - kReportLines;
        lines.resize(kReportLines);
        lines.append(QStringLiteral("ほか %1 件。").arg(more));
    }
    lines.prepend(QStringLiteral("%1 件を読み込みました。").arg(imported));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void CMiretoView::OnExportTemplates() {
    CExportDlg dialog(m_session.store(), m_session.currentTemplate().name, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string bytes = SharedFileBytes(RecordsToExport(m_session.store(), dialog.request()),
                                              m_session.formatSettings());
    QString suggested = QDir(exchangeFolder()).filePath(dialog.suggestedFileName());
    for (;;) {
        const QString path =
            askFile(window(), settingsFileRequest(true, QStringLiteral("書き出し"), suggested))
                .path;
        if (path.isEmpty())
            return;
        const FileWriteResult result = writeFileAtomically(path.toStdString(), bytes);
        if (result.ok) {
            rememberExchangeFolder(path);
            // Said as a saved page is: in the status bar, for a while.
            if (auto* frame = qobject_cast<QMainWindow*>(window()))
                frame->statusBar()->showMessage(
                    QStringLiteral("テンプレートを %1 に書き出しました").arg(path), 5000);
            return;
        }
        // The file as it was is still there; the user may choose another place.
        showMessage(window(),
                    {QStringLiteral("%1 に書き出せません。\n%2\n\n別の場所を選んで下さい。")
                         .arg(path, writeFailureReason(path, result)),
                     programTitle(), MessageIcon::Warning, MessageButtons::Ok});
        suggested = path;
    }
}

void CMiretoView::OnImportTemplates() {
    const QString path =
        askFile(window(), settingsFileRequest(false, QStringLiteral("読み込み"), exchangeFolder()))
            .path;
    if (path.isEmpty())
        return;
    rememberExchangeFolder(path);
    // A large file takes a while to read and to compare with the store: the window keeps
    // painting meanwhile.
    const QString reading = QStringLiteral("%1 を読んでいます...").arg(path);
    const SharedFile file =
        runBusy(window(), reading, [file = path.toStdString()] { return ReadSharedFile(file); });
    if (const QString failure = readFailure(path, file); !failure.isEmpty()) {
        showMessage(window(), {failure + QStringLiteral("\n何も読み込んでいません。"),
                               programTitle(), MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    CImportDlg::Start start = runBusy(
        window(), reading, [&] { return CImportDlg::prepare(m_session.store(), file.records); });
    CImportDlg dialog(file.records, std::move(start), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<ImportChoice> choices = dialog.choices();
    // Worked out on a copy of the store, which takes the store's place once done.
    SettingsStore store = m_session.store();
    std::vector<std::vector<RecordKind>> missingSets;
    const std::vector<ImportedRecord> results =
        runBusy(window(), QStringLiteral("テンプレートを読み込んでいます..."), [&] {
            return ImportRecords(store, file.records, choices, listNameRules(), missingSets);
        });
    m_session.editableStore() = std::move(store);
    // Said as the dialog said it, of the store before the import.
    QStringList missing;
    for (const ImportChoice& choice : choices) {
        if (choice.kind != RecordKind::OverallTemplate)
            continue;
        const OverallTemplate& overall = file.records.templates[choice.index];
        for (RecordKind set : missingSets[choice.index]) {
            const bool ending = set == RecordKind::EndingSet;
            missing.append(
                QStringLiteral("テンプレート%1の%2%3がありません（無しで変換します）。")
                    .arg(quoted(overall.name),
                         ending ? QStringLiteral("語尾変換") : QStringLiteral("置換"),
                         quoted(ending ? overall.endingSetName : overall.replacementSetName)));
        }
    }
    storeChanged();
    showMessage(window(),
                {importReport(results, missing), QStringLiteral("テンプレート読み込み完了"),
                 MessageIcon::Information, MessageButtons::Ok});
}

} // namespace mireto
