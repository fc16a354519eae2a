#include "app/command_texts.h"

#include "app/command_ids.h"

#include <QHash>

namespace mireto {

QString commandPrompt(int id) {
    static const QHash<int, QString> prompts = {
        {cmd::kCurrentTemplate, QStringLiteral("全体テンプレートの選択、設定")},
        {cmd::kCurrentEnding, QStringLiteral("変換時の語尾変換を選択、設定")},
        {cmd::kPanelGo, QStringLiteral("変換GO!!")},
        {cmd::kHtmlSettings, QStringLiteral("変換時の各HTMLフォーマットの詳細設定")},
        {cmd::kCurrentReplacement, QStringLiteral("変換時の置換を選択、設定")},
        {cmd::kFormatFont, QStringLiteral("フォントを指定")},
        {cmd::kSaveEndingTemplate, QStringLiteral("語尾変換の設定を保存")},
        {cmd::kGo, QStringLiteral("通信語に変換")},
        {cmd::kSaveReplacementTemplate, QStringLiteral("置換設定を保存")},
        {cmd::kSaveOverallTemplate, QStringLiteral("全体テンプレートの設定を保存")},
        {cmd::kExportTemplates,
         QStringLiteral("全体テンプレート、置換、語尾変換をファイルに書き出し")},
        {cmd::kImportTemplates,
         QStringLiteral("ファイルから全体テンプレート、置換、語尾変換を読み込み")},
        {cmd::kIdolNewsSettings, QStringLiteral("HTMLファイル、ぺかりニュース形式時の設定")},
        {cmd::kStandardColours, QStringLiteral("標準HTMLの文字色、背景色を設定")},
        {cmd::kSavePage, QStringLiteral("プレビュー中のページをHTMLﾌｧｲﾙとして保存\nページを保存")},
        {cmd::kSavePageImage,
         QStringLiteral("プレビュー中のページ全体をPNG画像として保存\nページを画像で保存")},
        {cmd::kFileNew, QStringLiteral("新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ")},
        {cmd::kFileOpen, QStringLiteral("既存のﾌｧｲﾙを開く\n開く")},
        {cmd::kFileSave, QStringLiteral("作業中のﾌｧｲﾙを上書きして保存\n保存")},
        {cmd::kFileSaveAs, QStringLiteral("作業中のﾌｧｲﾙを新しい名前で保存\n名前をつけて保存")},
        {cmd::kFilePrintSetup, QStringLiteral("ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更\n印刷設定")},
        {cmd::kFilePrint, QStringLiteral("作業中のﾌｧｲﾙを印刷\n印刷")},
        {cmd::kFilePrintPreview, QStringLiteral("印刷ｲﾒｰｼﾞを表示\n印刷ﾌﾟﾚﾋﾞｭｰ")},
        {cmd::kFileMruFirst, QStringLiteral("指定のﾌｧｲﾙを開く")},
        {cmd::kEditClear, QStringLiteral("選択範囲を消去\n消去")},
        {cmd::kEditCopy, QStringLiteral("選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ")},
        {cmd::kEditCut, QStringLiteral("選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り")},
        {cmd::kEditFind, QStringLiteral("指定した文字列の検索\n検索")},
        {cmd::kEditPaste, QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け")},
        {cmd::kEditReplace, QStringLiteral("指定した文字列を他の文字列で置換\n置換")},
        {cmd::kEditSelectAll, QStringLiteral("ﾌｧｲﾙ内のすべてを選択\nすべて選択")},
        {cmd::kEditUndo, QStringLiteral("直前に行った動作を元に戻す\n元に戻す")},
        {cmd::kAppAbout, QStringLiteral("ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報")},
        {cmd::kAppExit, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了")},
        {cmd::kViewToolbar, QStringLiteral("ﾂｰﾙ ﾊﾞｰの 表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切り替え")},
        {cmd::kViewStatusBar, QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え")},
        {cmd::kViewPreview, QStringLiteral("ﾌﾟﾚﾋﾞｭｰの 表示/非表示\nﾌﾟﾚﾋﾞｭｰの表示切り替え")},
    };
    if (id > cmd::kFileMruFirst && id < cmd::kFileMruFirst + 16)
        id = cmd::kFileMruFirst;
    return prompts.value(id);
}

QString statusPrompt(int id) {
    return commandPrompt(id).section(QLatin1Char('\n'), 0, 0);
}

QString toolTipOf(int id) {
    return commandPrompt(id).section(QLatin1Char('\n'), 1, 1);
}

} // namespace mireto
