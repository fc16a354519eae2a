#include "widgets/dialog_parts.h"

#include "widgets/dialog_text.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

namespace mireto {

namespace {

constexpr std::string_view kCancel = "ｷｬﾝｾﾙ";
constexpr std::string_view kSave = "保存";
constexpr std::string_view kDelete = "削除";

} // namespace

QPushButton* makeButton(std::string_view text, const QString& objectName) {
    auto* button = new QPushButton(uiText(text));
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QPushButton* makeOkButton(QDialog* dialog) {
    QPushButton* ok = makeButton("OK", QStringLiteral("okButton"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

QPushButton* makeSaveButton() {
    return makeButton(kSave, QStringLiteral("saveButton"));
}

QPushButton* makeDeleteButton() {
    return makeButton(kDelete, QStringLiteral("deleteButton"));
}

QHBoxLayout* makeEditorButtons(QDialog* dialog, QPushButton* save, QPushButton* remove) {
    auto* row = new QHBoxLayout;
    row->addWidget(save);
    row->addWidget(remove);
    row->addStretch();
    row->addWidget(makeOkButton(dialog));
    return row;
}

QHBoxLayout* makeChooserButtons(QDialog* dialog) {
    QPushButton* cancel = makeButton(kCancel, QStringLiteral("cancelButton"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(makeOkButton(dialog));
    row->addStretch();
    row->addWidget(cancel);
    return row;
}

void makeRoomFor(QLineEdit* edit, const QString& sample) {
    // As QLineEdit sizes itself: the text with the cursor after it, its own margin of 2
    // on each side and the text margins, then whatever frame the style draws around.
    constexpr int kInnerMargin = 2;
    const QMargins margins = edit->textMargins();
    const QFontMetrics metrics = edit->fontMetrics();
    const int cursor = edit->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, edit);
    const QSize text(metrics.horizontalAdvance(sample) + cursor + 2 * kInnerMargin +
                         margins.left() + margins.right(),
                     metrics.height());
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    edit->setMinimumWidth(
        edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width());
}

QString fullWidthSample(int count) {
    return QString(count, QChar(0x3042)); // あ
}

QHBoxLayout* makeLabelledRow(QWidget* list, std::string_view text, LabelSide side) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(uiText(text));
    if (side == LabelSide::Left) {
        row->addWidget(label);
        row->addWidget(list, 1);
    } else {
        row->addWidget(list, 1);
        row->addWidget(label);
    }
    return row;
}

} // namespace mireto
