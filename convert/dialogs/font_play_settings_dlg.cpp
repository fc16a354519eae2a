#include "convert/dialogs/font_play_settings_dlg.h"

#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "フォント弄り設定";
constexpr std::string_view kDegreeBox = "改行度（９段階）";
constexpr std::string_view kDeleteCommas = "読点を削除する";

} // namespace

CFontPlaySettingsDlg::CFontPlaySettingsDlg(QWidget* parent)
    : QDialog(parent), m_slider(new QSlider(Qt::Horizontal, this)),
      m_degreeEdit(new QLineEdit(this)),
      m_deleteCommas(new QCheckBox(uiText(kDeleteCommas), this)) {
    setWindowTitle(uiText(kCaption));
    m_slider->setObjectName(QStringLiteral("degreeSlider"));
    m_degreeEdit->setObjectName(QStringLiteral("degree"));
    m_deleteCommas->setObjectName(QStringLiteral("deleteCommas"));

    m_slider->setRange(0, 9);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    // Typing is held to one ASCII digit; a stored value outside 0-9 is still shown
    // whole, so that opening and confirming the dialog does not change it.
    m_degreeEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]?")), this));
    m_degreeEdit->setFixedWidth(m_degreeEdit->fontMetrics().horizontalAdvance(u'0') * 4);

    auto* degreeBox = new QGroupBox(uiText(kDegreeBox), this);
    auto* degreeLayout = new QHBoxLayout(degreeBox);
    degreeLayout->addWidget(m_slider);
    degreeLayout->addWidget(m_degreeEdit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(degreeBox);
    layout->addWidget(m_deleteCommas);
    layout->addLayout(makeChooserButtons(this));

    connect(m_degreeEdit, &QLineEdit::textChanged, this, &CFontPlaySettingsDlg::OnChangeDegree);
    connect(m_slider, &QSlider::valueChanged, this, &CFontPlaySettingsDlg::OnHScroll);
    setSettings(m_settings);
}

void CFontPlaySettingsDlg::setSettings(FontPlaySettings settings) {
    m_settings = settings;
    m_degreeEdit->setText(QString::number(m_settings.lineBreakDegree));
    // The text may not have changed, and then no change notice came to move the slider.
    OnChangeDegree();
    // Only 1 drops the commas, so only 1 shows as ticked.
    m_deleteCommas->setChecked(m_settings.deleteCommas == 1);
}

void CFontPlaySettingsDlg::OnChangeDegree() {
    // An empty box counts as 0 but stays empty while the user types.
    m_degree = m_degreeEdit->text().toInt();
    const QSignalBlocker quiet(m_slider);
    m_slider->setValue(m_degree);
}

void CFontPlaySettingsDlg::OnHScroll(int position) {
    m_degree = position;
    const QString text = QString::number(m_degree);
    if (m_degreeEdit->text() != text)
        m_degreeEdit->setText(text);
}

void CFontPlaySettingsDlg::accept() {
    m_settings.lineBreakDegree = m_degree;
    m_settings.deleteCommas = m_deleteCommas->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace mireto
