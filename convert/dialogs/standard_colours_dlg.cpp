#include "convert/dialogs/standard_colours_dlg.h"

#include "convert/dialogs/colour_chooser.h"
#include "convert/dialogs/colour_string.h"
#include "convert/dialogs/colour_swatch.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/sjis_line_edit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "標準HTML設定";
constexpr std::string_view kTextBox = "文字色";
constexpr std::string_view kBackgroundBox = "背景色";
constexpr std::string_view kBrowse = "参照";

// What the pages need: exactly "#RRGGBB"'s seven bytes. Any other length is black.
constexpr std::size_t kColourLength = 7;
constexpr const char* kBlack = "#000000";

QGroupBox* colourBox(std::string_view title, SjisLineEdit* edit, ColourSwatch* swatch,
                     QPushButton* browse, QWidget* parent) {
    auto* box = new QGroupBox(uiText(title), parent);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(edit);
    layout->addWidget(swatch);
    layout->addWidget(browse);
    return box;
}

} // namespace

CStandardColoursDlg::CStandardColoursDlg(QWidget* parent)
    : QDialog(parent), m_textEdit(new SjisLineEdit(this)), m_textSwatch(new ColourSwatch(this)),
      m_backgroundEdit(new SjisLineEdit(this)), m_backgroundSwatch(new ColourSwatch(this)) {
    setWindowTitle(uiText(kCaption));
    m_textEdit->setObjectName(QStringLiteral("textColour"));
    m_textSwatch->setObjectName(QStringLiteral("textSwatch"));
    m_backgroundEdit->setObjectName(QStringLiteral("backgroundColour"));
    m_backgroundSwatch->setObjectName(QStringLiteral("backgroundSwatch"));

    // Not auto-default: Enter in an edit confirms the dialog, not the chooser.
    QPushButton* browseText = makeButton(kBrowse, QStringLiteral("browseTextColour"));
    QPushButton* browseBackground = makeButton(kBrowse, QStringLiteral("browseBackgroundColour"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(colourBox(kTextBox, m_textEdit, m_textSwatch, browseText, this));
    layout->addWidget(
        colourBox(kBackgroundBox, m_backgroundEdit, m_backgroundSwatch, browseBackground, this));
    layout->addLayout(makeChooserButtons(this));

    connect(m_textEdit, &QLineEdit::textChanged, this, &CStandardColoursDlg::OnChangeTextColour);
    connect(m_backgroundEdit, &QLineEdit::textChanged, this,
            &CStandardColoursDlg::OnChangeBackgroundColour);
    connect(browseText, &QPushButton::clicked, this, &CStandardColoursDlg::OnBrowseTextColour);
    connect(browseBackground, &QPushButton::clicked, this,
            &CStandardColoursDlg::OnBrowseBackgroundColour);
    setSettings(m_settings);
}

void CStandardColoursDlg::setSettings(StandardColours settings) {
    m_settings = std::move(settings);
    m_textEdit->setBytes(m_settings.textColour);
    m_backgroundEdit->setBytes(m_settings.backgroundColour);
    // The texts may not have changed, and then no change notice came to follow them.
    OnChangeTextColour();
    OnChangeBackgroundColour();
}

void CStandardColoursDlg::OnChangeTextColour() {
    followEdit(textControls());
}

void CStandardColoursDlg::OnChangeBackgroundColour() {
    followEdit(backgroundControls());
}

void CStandardColoursDlg::OnBrowseTextColour() {
    browse(textControls());
}

void CStandardColoursDlg::OnBrowseBackgroundColour() {
    browse(backgroundControls());
}

void CStandardColoursDlg::followEdit(const ColourControls& controls) {
    // The edit keeps showing what was typed; only the stored string falls back to black.
    const std::optional<std::string> typed = controls.edit->bytes();
    *controls.colour = typed && typed->size() == kColourLength ? *typed : kBlack;
    controls.swatch->setColour(parseColourString(*controls.colour));
}

void CStandardColoursDlg::browse(const ColourControls& controls) {
    const std::optional<QColor> chosen = chooseColour(this, parseColourString(*controls.colour));
    if (!chosen)
        return;
    controls.edit->setText(QString::fromLatin1(formatColourString(*chosen)));
}

void CStandardColoursDlg::accept() {
    if (!allStorable(this, {m_textEdit, m_backgroundEdit}))
        return;
    m_settings = m_colours;
    QDialog::accept();
}

} // namespace mireto
