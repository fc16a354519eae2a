#include "widgets/write_failure.h"

#include "widgets/file_error_text.h"

#include <QFileInfo>

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

} // namespace mireto
