#include "app/first_start.h"

#include "app/mireto_doc.h"
#include "app/mireto_view.h"

#include <QTextCursor>
#include <QTextDocument>
#include <system_error>

namespace mireto {

bool isFirstStart(const std::filesystem::path& settingsFile) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(settingsFile, error);
    // When the file cannot even be looked at, it is not taken for missing: no sample
    // then, as the start-up message will say what is wrong.
    return status.type() == std::filesystem::file_type::not_found;
}

QString firstStartSample() {
    return QStringLiteral(
        "ようこそ。ここに書いた文は、右のプレビューでおかしなウェブページになります。\n"
        "文の終わりの句点は、語尾変換の語尾に変わります。置換のセットが言葉も置き換えます。\n"
        "左のパネルで「テンプレート」を選ぶと、置換と語尾変換と出力HTML形式がまとめて変わります。\n"
        "書けたら GO!! を押してください。ページがブラウザで開きます。\n"
        "この文は消して、好きなことを書いてください。\n");
}

void openFirstStartSample(CMiretoDoc& document, CMiretoView& view) {
    document.OnNewDocument();
    view.SetEditorText(firstStartSample());
    // The text is the program's, not the user's: nothing to save.
    view.document()->setModified(false);
    view.moveCursor(QTextCursor::Start);
}

} // namespace mireto
