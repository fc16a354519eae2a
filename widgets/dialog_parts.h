// Controls every template dialog builds the same way: its buttons and the labelled
// template list.
#pragma once

#include <QString>
#include <string_view>

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace mireto {

// A push button with a caption; `objectName` lets tests find it.
QPushButton* makeButton(std::string_view text, const QString& objectName);

// The default "OK" button, accepting `dialog`.
QPushButton* makeOkButton(QDialog* dialog);

// The editors' "保存" and "削除" buttons, and their row with "OK".
QPushButton* makeSaveButton();
QPushButton* makeDeleteButton();
QHBoxLayout* makeEditorButtons(QDialog* dialog, QPushButton* save, QPushButton* remove);

// The choosers' "OK" and "ｷｬﾝｾﾙ", side by side.
QHBoxLayout* makeChooserButtons(QDialog* dialog);

// Makes `edit` at least wide enough to show `sample` whole in its current font.
void makeRoomFor(QLineEdit* edit, const QString& sample);

// A sample of `count` full-width characters, for makeRoomFor: rule words and sources
// get room for ten.
QString fullWidthSample(int count);

// A row of a list and its label, the label on the side given.
enum class LabelSide { Left, Right };
QHBoxLayout* makeLabelledRow(QWidget* list, std::string_view text, LabelSide side);

inline constexpr std::string_view kChooseTemplateLabel = "テンプレート選択";

} // namespace mireto
