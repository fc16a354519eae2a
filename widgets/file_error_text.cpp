#include "widgets/file_error_text.h"

#include <cerrno>

namespace mireto {

QString fileErrorText(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込む権限がありません");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクに空きがありません");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("保存先のフォルダがありません");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダがあります");
    case EINVAL:
        return QStringLiteral("普通のファイルではありません");
    case ELOOP:
        return QStringLiteral("リンクがたどれません");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます");
    case EFBIG:
        return QStringLiteral("ファイルが大きくなりすぎます");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました");
    default:
        break;
    }
    return QStringLiteral("エラー番号 %1").arg(errorNumber);
}

} // namespace mireto
