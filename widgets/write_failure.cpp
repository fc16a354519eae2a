#include "widgets/write_failure.h"

#include "widgets/file_error_text.h"

#include <QFileInfo>
#include <QStringList>

namespace mireto {

QString writeFailureReason(const QString& path, const FileWriteResult& result) {
    const QString reason = fileErrorText(result.errorNumber);
    switch (result.step) {
    case FileWriteStep::None:
        break;
    case FileWriteStep::Protected:
        return QStringLiteral("ファイルが書き込み禁止になっています。");
    case FileWriteStep::CreateTemporary:
        return QStringLiteral("フォルダ %1 にファイルを作れません（%2）。")
            .arg(QFileInfo(path).absolutePath(), reason);
    case FileWriteStep::Write:
        return QStringLiteral("書き込みの途中で失敗しました（%1）。元のファイルはそのままです。")
            .arg(reason);
    case FileWriteStep::Rename:
        return QStringLiteral("新しいファイルを元のファイルと置き換えられません（%1）。"
                              "元のファイルはそのままです。")
            .arg(reason);
    }
    return QString::fromStdString(result.error);
}

QString writtenFile(const QString& asked, const FileWriteResult& result) {
    return result.file.empty() ? asked : QString::fromStdString(result.file.string());
}

QString keptCopiesText(const FileWriteResult& result) {
    QStringList lines;
    if (!result.spareCopy.empty())
        lines.append(QStringLiteral("保存しようとした内容は %1 に残してあります。")
                         .arg(QString::fromStdString(result.spareCopy.string())));
    if (!result.keptOriginal.empty())
        lines.append(QStringLiteral("元の内容を戻せませんでした。元の内容は %1 に残してあり、"
                                    "次に起動したときに戻します。")
                         .arg(QString::fromStdString(result.keptOriginal.string())));
    return lines.join(QLatin1Char('\n'));
}

} // namespace mireto
