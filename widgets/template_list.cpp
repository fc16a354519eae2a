#include "widgets/template_list.h"

#include "convert/sjis_codec.h"
#include "widgets/dialog_text.h"
#include "widgets/message_box.h"
#include "widgets/sjis_qstring.h"

#include <QPushButton>

namespace mireto {

namespace {

constexpr std::string_view kEnterName = // テンプレート名を入力して下さい。
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x96\xBC\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x89\xBA"
    "\x82\xB3\x82\xA2\x81"
    "B";
constexpr std::string_view kSaveCaption = // テンプレート保存
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x95\xDB\x91\xB6";
constexpr std::string_view kSaved = // テンプレート「%s」を保存しました
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x81u%s\x81v\x82\xF0\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82"
    "\xB5\x82\xBD";
constexpr std::string_view kSavedCaption = // テンプレート保存完了
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x95\xDB\x91\xB6\x8A\xAE\x97\xB9";
constexpr std::string_view kAskOverwrite = // テンプレート「%s」はすでに存在します。上書きしますか？
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x81u%s\x81v\x82\xCD\x82\xB7\x82\xC5\x82\xC9\x91\xB6\x8D"
    "\xDD\x82\xB5\x82\xDC\x82\xB7\x81"
    "B\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81H";
constexpr std::string_view kOverwritten = // 上書き保存しました
    "\x8F\xE3\x8F\x91\x82\xAB\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
constexpr std::string_view kAskDelete = // テンプレート「%s」を削除しますか？
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x81u%s\x81v\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82"
    "\xB7\x82\xA9\x81H";
constexpr std::string_view kDeleteCaption = // テンプレート削除
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x8D\xED\x8F\x9C";
constexpr std::string_view kDeleted = // テンプレート「%s」を削除しました。
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x81u%s\x81v\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82"
    "\xB5\x82\xBD\x81"
    "B";
constexpr std::string_view kDeletedCaption = // テンプレート削除完了
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x8D\xED\x8F\x9C\x8A\xAE\x97\xB9";

MessageAnswer tell(QWidget* owner, const QString& text, std::string_view caption,
                   MessageIcon icon = MessageIcon::None) {
    return showMessage(owner, {text, uiText(caption), icon, MessageButtons::Ok});
}

bool confirm(QWidget* owner, const QString& text, std::string_view caption) {
    return showMessage(owner, {text, uiText(caption), MessageIcon::Question,
                               MessageButtons::YesNo}) == MessageAnswer::Yes;
}

} // namespace

NameRules listNameRules() {
    // The key of QString::compare(Qt::CaseInsensitive): each UTF-16 unit of the shown name
    // case-folded as that comparison folds it, big-endian, so that comparing keys byte by
    // byte orders names as comparing them does. (Shift_JIS holds no character beyond the
    // first plane, so no unit is half a pair.)
    return {[](std::string_view name) {
        // The core's codec, which makes no converter per name.
        const QString text = QString::fromStdString(sjisToUtf8(name));
        std::string key;
        key.reserve(2 * static_cast<std::size_t>(text.size()));
        for (const QChar c : text) {
            const char32_t unit = QChar::toCaseFolded(char32_t{c.unicode()});
            key += static_cast<char>((unit >> 8) & 0xFF);
            key += static_cast<char>(unit & 0xFF);
        }
        return key;
    }};
}

TemplateList::TemplateList(std::size_t firstPosition, Order order, QWidget* parent)
    : NameCombo(parent), m_first(firstPosition), m_order(order), m_askDelete(kAskDelete),
      m_deleted(kDeleted) {
    setObjectName(QStringLiteral("templateList"));
}

void TemplateList::fill(std::function<std::string(std::size_t)> nameAt) {
    removeAllNames();
    m_storedItem = -1;
    m_nameAt = std::move(nameAt);
    for (std::size_t position = m_first;; ++position) {
        const std::string name = m_nameAt(position);
        if (name.empty())
            break;
        insertName(count(), fromSjis(name));
    }
}

void TemplateList::selectStored(const std::string& name) {
    selectExact(fromSjis(name));
    m_storedItem = selectedItem();
    m_storedName = name;
}

std::optional<std::string> TemplateList::fieldBytes(const QString& caption) {
    const int item = selectedItem();
    if (item >= 0 && item == m_storedItem)
        return m_storedName;
    if (item >= 0 && m_nameAt)
        return m_nameAt(positionOf(item));
    return storableText(window(), fieldText(), caption);
}

std::size_t TemplateList::positionOf(int item) const {
    if (item < 0)
        return static_cast<std::size_t>(-1);
    return static_cast<std::size_t>(item) + m_first;
}

void TemplateList::attachEditor(QPushButton* deleteButton, TemplateShelf shelf) {
    m_deleteButton = deleteButton;
    m_shelf = std::move(shelf);
    m_deleteButton->setEnabled(false);
    connect(this, &NameCombo::picked, this, &TemplateList::OnPicked);
    connect(this, &NameCombo::typed, this, &TemplateList::OnTyped);
}

void TemplateList::setDeleteTexts(std::string_view askSjis, std::string_view doneSjis) {
    m_askDelete = askSjis;
    m_deleted = doneSjis;
}

QString TemplateList::saveCaption() {
    return uiText(kSaveCaption);
}

std::optional<std::string> TemplateList::nameToSave() {
    if (fieldText().isEmpty()) {
        tell(window(), uiText(kEnterName), kSaveCaption);
        return std::nullopt;
    }
    return fieldBytes(uiText(kSaveCaption));
}

void TemplateList::saveWorking() {
    const QString name = fieldText();
    const int listed = findExact(name);
    if (listed < 0) {
        const int item = addSorted(name);
        m_shelf.insertWorking(positionOf(item));
        tell(window(), withName(kSaved, name), kSavedCaption, MessageIcon::Information);
    } else {
        const std::size_t position = positionOf(listed);
        const QString stored = fromSjis(m_shelf.storedName(position));
        if (confirm(window(), withName(kAskOverwrite, stored), kSaveCaption)) {
            m_shelf.overwriteWorking(position);
            tell(window(), uiText(kOverwritten), kSavedCaption);
        }
    }
    selectExact(name);
    m_deleteButton->setEnabled(true);
}

void TemplateList::deleteNamed() {
    const int item = findExact(fieldText());
    if (item >= 0) {
        const std::size_t position = positionOf(item);
        const QString stored = fromSjis(m_shelf.storedName(position));
        if (confirm(window(), withName(m_askDelete, stored), kDeleteCaption)) {
            removeName(item);
            m_storedItem = -1;
            m_shelf.remove(position);
            select(-1);
            tell(window(), withName(m_deleted, stored), kDeletedCaption);
        }
    }
    m_deleteButton->setEnabled(false);
}

int TemplateList::addSorted(const QString& name) {
    int item = count();
    if (m_order == Order::Sorted) {
        // Before the first listed name that sorts after it: a list kept in order stays in
        // order, and one that is not still gets one definite place.
        for (int at = 0; at < count(); ++at) {
            if (QString::compare(itemText(at), name, Qt::CaseInsensitive) > 0) {
                item = at;
                break;
            }
        }
    }
    insertName(item, name);
    m_storedItem = -1;
    return item;
}

void TemplateList::OnPicked() {
    m_deleteButton->setEnabled(true);
}

void TemplateList::OnTyped(const QString& text) {
    m_deleteButton->setEnabled(findExact(text) >= 0);
}

} // namespace mireto
