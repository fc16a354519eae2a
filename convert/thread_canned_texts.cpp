#include "convert/thread_canned_texts.h"

#include "convert/sjis_literal.h"

// The literals keep one line of a picture or letter to a source line, which the
// formatter would reflow.
// clang-format off

namespace mireto::thread_texts {

// The opening replies of a good and of a bad thread.
const std::string_view kGoodThreadOmen = "良 ス レ の 予 感"_sjis;
const std::string_view kBadThreadScold = "<a href=\"./tmp\">>> 1</a><br>クソスレ立てんな　ヴォケ！"_sjis;

// The everyday good-thread reply.
const std::string_view kGoodThreadAge = "良スレage<br>"_sjis;

// The rest of each certificate's date line, after the era, year and month.
const std::string_view kGoodCertificateDateTail = "　 　　 　 ２ｃｈ　優良スレ審査委員会. 　 　 　 |<br>"_sjis;
const std::string_view kBadCertificateDateTail = "　 　 　　　２ｃｈ　クソスレ審査委員会. 　 　 　 |<br>"_sjis;

// The post that claims post 2: a character leaping in, trailing dust.
const std::string_view kClaimSecondPost =
    "今だ！2ゲットォォｫｫ！！<br>"
    "　　　　　　　　　∧∧　　　 ｽﾀｯ<br>"
    "　　　　　 ・∵　（ﾟ∀ﾟ ）⊃ ﾀﾞｯ<br>"
    "　　　・∴∵∴　　⊂　　ノ<br>"
    "　・∵∴・∵　　　し'⌒J<br>"
    "∴・∵∴ 　　　　 ≡≡≡<br>"
    "・∵∴・∵∴・　　　　 ≡≡≡≡≡"_sjis;

// The good-thread certificate's upper part; its date line and the shared
// closing part follow.
const std::string_view kGoodCertificateTop =
    "┌─────────────────────────────┐<br>"
    "│　　　　優　良　ス　レ　認　定　証　　　　　　　　　　　　│<br>"
    "│　　　　　　　　　　　　　　認定番号 第911号　　　　　　　│<br>"
    "│　　　　　　　　　　　　　　　　　　　　　　　　　　　　　│<br>"
    "│　　　　∧＿∧　　　　　　　　　　　　　　　　　　　　　　│<br>"
    "│　　　（　´∀｀）＜　やるじゃねーか　　　　　　　　　　　│<br>"
    "│　　　（　　　　）　　　　　　　　　　　　　　　　　　　　│<br>"
    "│　　　　　　　　　　　　　　　　　　　　　　　　　　　　　│<br>"
    "│　このスレッドは内容の充実ぶりが目覚ましく、　　　　　　　│<br>"
    "│　当委員会の定める優良スレ認定の　　　　　　　　　　　　　│<br>"
    "│　基準（第9項）を満たしていることを　　　　　　　　　　　 │<br>"
    "│　ここに認め、優良スレとして認定します。　　　　　　　　　│<br>"_sjis;

// The bad-thread certificate's upper part; its date line and the shared
// closing part follow.
const std::string_view kBadCertificateTop =
    "┌─────────────────────────────┐<br>"
    "│　　　　ク　ソ　ス　レ　認　定　証　　　　　　　　　　　　│<br>"
    "│　　　　　　　　　　　　　　認定番号 第911号　　　　　　　│<br>"
    "│　　　　　　　　　　　　　　　　　　　　　　　　　　　　　│<br>"
    "│　　　　∧＿∧　　　　　　　　　　　　　　　　　　　　　　│<br>"
    "│　　　（；´Д｀）＜　ダメだこりゃ！　　　　　　　　　　　│<br>"
    "│　　　（　　　　）　　　　　　　　　　　　　　　　　　　　│<br>"
    "│　　　　　　　　　　　　　　　　　　　　　　　　　　　　　│<br>"
    "│　このスレッドは内容の空疎さが際立ち、　　　　　　　　　　│<br>"
    "│　当委員会の定めるクソスレ認定の　　　　　　　　　　　　　│<br>"
    "│　基準（第9項）を満たしていることを　　　　　　　　　　　 │<br>"
    "│　ここに認め、クソスレとして認定します。　　　　　　　　　│<br>"_sjis;

// The closing part both certificates share: the committee and the box's bottom edge.
const std::string_view kCertificateBottom =
    "│　　　　　　　　　　　　　審査委員長　名無しの権兵衛　　　│<br>"
    "│　　　　　　　　　　　　　　　認定委員　名無しさん　　　　│<br>"
    "└─────────────────────────────┘<br>"_sjis;

// Bad-thread reply: poster 1's gravestone, with incense.
const std::string_view kGravestone =
    "　　　　　　　　　　　　　 ＿＿＿＿＿<br>"
    "　　　　　　　　　　　　 ／　　　　　＼<br>"
    "　　　　　　　　　　　　｜　　　　　　｜<br>"
    "　　　　　　　　　　　　｜　　 １　　 ｜<br>"
    "　　　　　　　　　　　　｜　　　　　　｜<br>"
    "　　　　　　　　　　　　｜　　 の　　 ｜<br>"
    "　　　　　　　　　　　　｜　　　　　　｜<br>"
    "　　　　　　　　　　　　｜　　 墓　　 ｜<br>"
    "　　　　　　　　　　　　｜　　　　　　｜<br>"
    "　　　　　　　 ,､ 　　　｜　　　　　　｜　　　 ,､<br>"
    "　　　　　　　 ||　　＿＿｜＿＿＿＿＿＿｜＿＿ 　||<br>"
    "　　　　　　　 ||　｜　　　　 ≡≡≡　　　　｜　||<br>"
    "　　　　＿＿＿||＿｜＿＿＿＿＿＿＿＿＿＿＿｜＿||＿＿＿<br>"
    "　　　　　　　　　　　　　　　　　　　 ﾁｰｰﾝ､､､<br>"
    "　　　　　　　　　　　　　　　　　　　　　　 ﾁｰｰﾝ､､､"_sjis;

// Bad-thread reply: two posters talking about poster 1 behind their back.
const std::string_view kTwoGossips =
    "　　　　　　∧＿∧　　　　　　　　　　　　∧＿∧<br>"
    "　　　　　（　´_ゝ`）　　　　　　　　　（´ー`　）<br>"
    "　　　　　（　　　　）　　　　　　　　　（　　　　）<br>"
    "　　　　　 |　 |　 |　　　　　　　　　　 |　 |　 |<br>"
    "　　　　　（_＿）＿）　　　　　　　　　（＿（＿_）<br>"
    "<br>"
    "　　　　∧＿∧　　／￣￣￣￣￣￣￣￣￣￣￣<br>"
    "　　　（ ´∀｀）＜　１ってうざいよね～<br>"
    "　　　（　　　 ）　＼　スレ立てて一人で語ってさ～<br>"
    "　　　 |　|　 |　　　＼＿＿＿＿＿＿＿＿＿＿＿<br>"
    "　　　（＿（＿）<br>"
    "<br>"
    "　　　　　　　　　　　　　　　　　∧＿∧<br>"
    "　／￣￣￣￣￣￣￣￣￣￣￣￣＼　（´∀｀ ）<br>"
    "　｜　ほんとほんと、空気読めないよね～　＞（　　　 ）<br>"
    "　｜　もう氏んでくれないかな～、１。　　 ｜ |　|　 |<br>"
    "　＼＿＿＿＿＿＿＿＿＿＿＿＿／　（＿（＿）<br>"
    "<br>"
    "　　　　∧＿∧　　　　　　　∧＿∧<br>"
    "　　　（ ´∀｀）　ねー。　（´∀｀ ）　ねー。<br>"
    "　　　（　　　 ）　　　　　（　　　 ）<br>"
    "　　　 |　|　 |　　　　　　 |　|　 |<br>"
    "　　　（＿（＿）　　　　　　（＿（＿）<br>"
    "<br>"
    "　　　　　　　　　　　　　　　　　　　　∧＿∧<br>"
    "　　　　　　　　　　　　　　　　　　　（；´∀｀）＜　……"_sjis;

// Bad-thread reply: a sign announcing that the thread is over.
const std::string_view kThreadEndedSign =
    "　　　　 ＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿<br>"
    "　　　　｜　　　　　　　　　　　　　　　　　｜<br>"
    "　　　　｜　　このスレは無事に　　　　　　　｜<br>"
    "　　　　｜　　終了いたしました　　　　　　　｜<br>"
    "　　　　｜　　　　　　　　　　　　　　　　　｜<br>"
    "　　　　｜　　　　　　　　　　　　　　　　　｜<br>"
    "　　　　｜　　ありがとうございました　　　　｜<br>"
    "　　　　｜　　　　　　　　　　　　　　　　　｜<br>"
    "　　　　｜　　　　　　　　　　　　　　　　　｜<br>"
    "　　　　｜　　　　　　　　　　モナーより　　｜<br>"
    "　　　　｜＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿｜<br>"
    "　　　　　　　　∧＿∧　||<br>"
    "　　　　　　　（　´∀｀）||<br>"
    "　　　　　　　 /　　　づΦ<br>"
    "　　　　　　　（＿＿_ ）　||<br>"
    "　　　　　　　　 し'し'　　||"_sjis;

// Closing letters of a bad thread, apologising for poster 1: from the mother,
const std::string_view kMotherLetter =
    "1の母でございます。<br>"
    "このたびは息子がこのような場所で長々と一人語りをいたしまして、<br>"
    "皆様には大変なご迷惑をおかけいたしました。<br>"
    "息子は幼い頃から思い込みの強い子でございまして、<br>"
    "一度話し始めると誰の言うことも聞かなくなるのでございます。<br>"
    "家でも毎晩遅くまでパソコンに向かって何やら書いておりましたが、<br>"
    "まさかこのようなことになっていようとは夢にも思いませんでした。<br>"
    "親の育て方がいけなかったのだと、主人とも話しております。<br>"
    "ご飯もろくに食べずに書き込んでいたようでございます。<br>"
    "今後は私がよく言って聞かせますので、<br>"
    "どうか今回ばかりは大目に見てやってくださいませ。<br>"
    "皆様、本当に申し訳ございませんでした。"_sjis;

// from a retainer in period speech,
const std::string_view kRetainerLetter =
    "１の家臣でござる。<br>"
    "此度は我が殿が斯様な場にて長々と独り語りを致し、<br>"
    "皆々様には多大なるご迷惑をお掛け申した。<br>"
    "殿は幼少の砌より思い込みの激しきお方にて、<br>"
    "一度語り始めれば家中の誰が諫めようとも聞き入れませぬ。<br>"
    "拙者も夜毎お諫め申し上げてはおったのでござるが、<br>"
    "力及ばず、斯様な仕儀と相成り申した。<br>"
    "全ては家臣たる拙者の不徳の致すところにござる。<br>"
    "殿には拙者より重々申し聞かせ、<br>"
    "二度とこの板を騒がせぬよう取り計らう所存にござる。<br>"
    "殿も根はお優しきお方ゆえ、皆々様を困らせるおつもりは<br>"
    "毛頭ござらなんだと、拙者は固く信じておりまする。<br>"
    "何卒、此度ばかりはお見逃し下さるよう、<br>"
    "伏して伏してお願い申し上げ奉る。<br>"
    "皆々様の寛大なるお心に、拙者、感謝の言葉もござらぬ。<br>"
    "この御恩は末代まで忘れませぬぞ。<br>"
    "殿に代わりまして、平に、平にご容赦を。<br>"
    "殿は只今、奥にて謹慎しておられまする。<br>"
    "この板の皆々様には、いずれ改めてご挨拶に参上致しまする。<br>"
    "以上、御免仕る。"_sjis;

// and from the physician.
const std::string_view kPhysicianLetter =
    "１の主治医です。<br>"
    "このたびは私の患者が皆様に多大なご迷惑をおかけしたことを、<br>"
    "担当医としてお詫び申し上げます。<br>"
    "１さんは以前から、夜になると画面に向かって<br>"
    "誰に頼まれたわけでもない長文を書き続けてしまう症状がありまして、<br>"
    "私どもも治療に手を尽くしてまいりました。<br>"
    "ここ数日は落ち着いていたのですが、<br>"
    "目を離した隙に病室を抜け出してこのスレッドを立ててしまったようです。<br>"
    "ご本人に悪気はまったくございません。<br>"
    "書き込みの内容につきましても、どうか深く考えずに<br>"
    "読み流していただければ幸いです。<br>"
    "ご家族の方にもすでにご連絡を差し上げております。<br>"
    "なお、このスレッドへの返事は症状を悪化させるおそれがありますので、<br>"
    "しばらくの間はそっとしておいていただけますようお願いいたします。<br>"
    "今後はパソコンの使用時間を制限し、経過を慎重に見守ってまいります。<br>"
    "皆様には温かく見守っていただけますよう、<br>"
    "主治医として心よりお願い申し上げます。<br>"
    "また、１さんの書き込みにお気づきの点がございましたら、<br>"
    "スレッドではなく当院の受付までお知らせいただければ幸いです。"_sjis;
const std::string_view kThreadEnd =
    "<br><br></dl><font color=red face=\"Arial\"><b>101 KB</b></font>&nbsp;&nbsp;"
    "<font size=2><b>[ "
    "１日１２０万ページビューのこの掲示板群を支えるサーバーはこちら"
    " <a href=\"./tmp.html\" target=\"_blank\">www.hosting.example</a>"
    " ]</b></font><hr>"
    "<center><a href=419->新着レスの表示</a></center><hr>"
    "<a href=\"./tmp\">掲示板に戻る</a> "
    "<a href=\"./tmp\">全部</a> "
    "<a href=\"./tmp\">次100</a> "
    "<a href=\"./tmp\">最新50</a>"_sjis;
const std::string_view kReplyForm =
    "<form method=POST action=\"./tmp\">"
    "<input type=submit value=\"書き込む\" name=submit> "
    "名前： <input name=FROM size=19> "
    "E-mail<font size=1> (省略可) </font>: <input name=mail size=19><br>"
    "<textarea rows=5 cols=70 wrap=off name=MESSAGE></textarea>"
    "<input type=hidden name=bbs value=game>"
    "<input type=hidden name=key value=1029927794>"
    "<input type=hidden name=time value=1031203720>"
    "</form><p>read.cgi ver7.00p (02/06/29)</body></html>"_sjis;

} // namespace mireto::thread_texts

// clang-format on
