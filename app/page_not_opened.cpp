#include "app/page_not_opened.h"

#include "app/program_title.h"
#include "widgets/message_box.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <QVariant>

namespace mireto {

namespace {

// Set on the window once its message box has been shown.
const char* const kToldProperty = "mireto.pageNotOpenedTold";

} // namespace

void reportPageNotOpened(QWidget* window, const QString& pagePath) {
    const QString name = QFileInfo(pagePath).fileName();
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        main->statusBar()->showMessage(
            QStringLiteral("%1 をブラウザで開けませんでした（%2）").arg(name, pagePath));
    }
    if (!window || window->property(kToldProperty).toBool())
        return;
    window->setProperty(kToldProperty, true);
    showMessage(window, {QStringLiteral("%1 をブラウザで開けませんでした。\n"
                                        "既定のブラウザか xdg-open が見つかりません。\n"
                                        "ページは %2 に書き出してあります。")
                             .arg(name, pagePath),
                         programTitle(), MessageIcon::Warning, MessageButtons::Ok});
}

} // namespace mireto
