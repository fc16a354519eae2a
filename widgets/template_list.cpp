#include "widgets/template_list.h"

#include "convert/sjis_codec.h"
#include "widgets/dialog_text.h"
#include "widgets/message_box.h"
#include "widgets/sjis_qstring.h"

#include <QPushButton>

namespace mireto {

namespace {

constexpr std::string_view kEnterName = "テンプレート名を入力して下さい。";
constexpr std::string_view kSaveCaption = "テンプレート保存";
constexpr std::string_view kSaved = "テンプレート「%s」を保存しました";
constexpr std::string_view kSavedCaption = "テンプレート保存完了";
constexpr std::string_view kAskOverwrite = "テンプレート「%s」はすでに存在します。上書きしますか？";
constexpr std::string_view kOverwritten = "上書き保存しました";
constexpr std::string_view kAskDelete = "テンプレート「%s」を削除しますか？";
constexpr std::string_view kDeleteCaption = "テンプレート削除";
constexpr std::string_view kDeleted = "テンプレート「%s」を削除しました。";
constexpr std::string_view kDeletedCaption = "テンプレート削除完了";

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

TemplateList::TemplateList(std::size_t firstPosition, QWidget* parent)
    : NameCombo(parent), m_first(firstPosition), m_askDelete(kAskDelete), m_deleted(kDeleted) {
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

bool TemplateList::saveWorking() {
    const QString name = fieldText();
    const int listed = findExact(name);
    bool saved = true;
    if (listed < 0) {
        // The store puts the name where its list keeps it in order; the list follows.
        insertName(static_cast<int>(m_shelf.insertWorking() - m_first), name);
        m_storedItem = -1;
        tell(window(), withName(kSaved, name), kSavedCaption, MessageIcon::Information);
    } else {
        const std::size_t position = positionOf(listed);
        const QString stored = fromSjis(m_shelf.storedName(position));
        if (confirm(window(), withName(kAskOverwrite, stored), kSaveCaption)) {
            m_shelf.overwriteWorking(position);
            tell(window(), uiText(kOverwritten), kSavedCaption);
        } else {
            saved = false;
        }
    }
    selectExact(name);
    m_deleteButton->setEnabled(true);
    return saved;
}

bool TemplateList::deleteNamed() {
    bool deleted = false;
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
            deleted = true;
        }
    }
    m_deleteButton->setEnabled(false);
    return deleted;
}

void TemplateList::OnPicked() {
    m_deleteButton->setEnabled(true);
}

void TemplateList::OnTyped(const QString& text) {
    m_deleteButton->setEnabled(findExact(text) >= 0);
}

} // namespace mireto
