#include "widgets/write_failure.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace mireto {

namespace {

// The system's reason: in Japanese for the usual ones, as the system says it otherwise.
QString systemReason(int error) {
    switch (error) {
    case EACCES:
        return QStringLiteral("アクセスが拒否されました");
    case EPERM:
        return QStringLiteral("その操作は許可されていません");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case ENOSPC:
        return QStringLiteral("ディスクの空きがありません");
    case EDQUOT:
        return QStringLiteral("ディスクの割り当てを使い切りました");
    case ENOENT:
        return QStringLiteral("フォルダがありません");
    case ENOTDIR:
        return QStringLiteral("途中にフォルダでないものがあります");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダがあります");
    case EIO:
        return QStringLiteral("入出力エラーです");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

} // namespace

QString writeFailureReason(const QString& path, const FileWriteResult& result) {
    const QString reason = systemReason(result.errorNumber);
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
