#include "app/unfinished_writes.h"

#include "platform/atomic_file.h"
#include "platform/in_place_rewrite.h"

#include <QStringList>

namespace mireto {

QString finishUnfinishedWrites(const AppPaths& paths) {
    QStringList lines;
    for (const RecoveredRewrite& rewrite : recoverUnfinishedRewrites(paths.spareFolder)) {
        const QString file = QString::fromStdString(rewrite.file.string());
        switch (rewrite.outcome) {
        case RecoveredRewrite::Outcome::Restored:
            lines.append(QStringLiteral("前回、書き込みの途中で終わった %1 を、書き込む前の内容に"
                                        "戻しました。")
                             .arg(file));
            break;
        case RecoveredRewrite::Outcome::NotRestorable:
            lines.append(QStringLiteral("前回、書き込みの途中で終わった %1 を元に戻せません。"
                                        "書き込む前の内容は %2 に残してあります。")
                             .arg(file, QString::fromStdString(rewrite.copy.string())));
            break;
        case RecoveredRewrite::Outcome::Finished:
            break;
        }
    }
    removeStaleTemporaries(paths.settingsFile);
    removeStaleTemporaries(paths.pageFile);
    return lines.join(QLatin1Char('\n'));
}

} // namespace mireto
