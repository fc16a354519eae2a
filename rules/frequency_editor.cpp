#include "rules/frequency_editor.h"

#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/single_line.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace mireto {

namespace {

constexpr std::string_view kCandidates = "変換候補";
constexpr std::string_view kFrequencyHeading = "頻度（単位：%）";
constexpr std::string_view kWordHeading = "単語";
constexpr std::string_view kChangeLineBreaks = "改行も変更";

} // namespace

FrequencyEditor::FrequencyEditor(QWidget* parent) : QWidget(parent) {
    auto* group = new QGroupBox(uiText(kCandidates));
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(uiText(kFrequencyHeading)), 0, 0);
    grid->addWidget(new QLabel(uiText(kWordHeading)), 0, 2);
    for (int row = 0; row < kRows; ++row) {
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setObjectName(QStringLiteral("slider%1").arg(row + 1));
        slider->setRange(0, 100);
        slider->setTickPosition(QSlider::TicksAbove);
        slider->setTickInterval(10);
        slider->setTracking(true);
        connect(slider, &QSlider::valueChanged, this, [this, row] { OnHScroll(row); });
        m_sliders[row] = slider;

        auto* percent = new QLineEdit;
        percent->setObjectName(QStringLiteral("percent%1").arg(row + 1));
        percent->setMaxLength(3);
        percent->setAlignment(Qt::AlignRight);
        // Three digits and a little air; the sliders and words take the rest.
        makeRoomFor(percent, QStringLiteral("1000"));
        percent->setMaximumWidth(percent->minimumWidth());
        percent->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), percent));
        connect(percent, &QLineEdit::textChanged, this, [this, row] { OnChangePercent(row); });
        m_percents[row] = percent;

        auto* word = new QLineEdit;
        word->setObjectName(QStringLiteral("word%1").arg(row + 1));
        keepSingleLine(word);
        makeRoomFor(word, fullWidthSample(10));
        m_words[row] = word;

        grid->addWidget(slider, row + 1, 0);
        grid->addWidget(percent, row + 1, 1);
        grid->addWidget(word, row + 1, 2);
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 2);

    m_changeLineBreaks = new QCheckBox(uiText(kChangeLineBreaks));
    m_changeLineBreaks->setObjectName(QStringLiteral("changeLineBreaks"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
    layout->addWidget(m_changeLineBreaks, 0, Qt::AlignRight);
}

void FrequencyEditor::showRecord(const EndingSet& record) {
    // A hand-edited file may hold any number; the rows edit 0 to 100. Held to that range
    // first, a record is never rebalanced a point at a time from billions, and its
    // total cannot overflow.
    for (int row = 0; row < kRows; ++row)
        m_frequencies[row] = std::clamp(record.frequencies[row], 0, 100);
    showFrequencies();
    for (int row = 0; row < kRows; ++row) {
        m_storedWords[row] = StoredText(record.words[row]);
        m_words[row]->setText(m_storedWords[row].shown());
    }
    m_changeLineBreaks->setChecked(record.changeLineBreaks != 0);
}

bool FrequencyEditor::collectInto(EndingSet& record, const QString& caption) {
    std::array<std::string, kRows> words;
    for (int row = 0; row < kRows; ++row) {
        std::optional<std::string> word =
            m_storedWords[row].bytesFor(window(), m_words[row]->text(), caption);
        if (!word)
            return false;
        words[row] = std::move(*word);
    }
    record.words = std::move(words);
    record.frequencies = m_frequencies;
    record.changeLineBreaks = m_changeLineBreaks->isChecked() ? 1 : 0;
    return true;
}

void FrequencyEditor::OnHScroll(int row) {
    int total = 0;
    for (const QSlider* slider : m_sliders)
        total += slider->value();
    m_frequencies[row] = m_sliders[row]->value();
    rebalance(row, total - 100);
}

void FrequencyEditor::OnChangePercent(int row) {
    if (m_ignore[row]) {
        m_ignore[row] = false;
        return;
    }
    bool isNumber = false;
    int value = m_percents[row]->text().toInt(&isNumber);
    if (!isNumber)
        value = 0;
    if (value > 100) {
        value = 100;
        writePercent(row, QStringLiteral("100"));
    } else if (value < 0) {
        value = 0;
        writePercent(row, QStringLiteral("0"));
    }
    m_frequencies[row] = value;
    int total = 0;
    for (const std::int32_t frequency : m_frequencies)
        total += frequency;
    if (total - 100 > 0)
        rebalance(row, total - 100);
    else
        writeSlider(row, value);
}

void FrequencyEditor::rebalance(int changedRow, int excess) {
    int taken = 0;
    while (taken < excess) {
        // Only rows above 0 give points; stop rather than spin should none be left, which
        // a changed row of at most 100 rules out.
        bool anyLeft = false;
        for (int row = 0; row < kRows; ++row)
            anyLeft = anyLeft || (row != changedRow && m_frequencies[row] > 0);
        if (!anyLeft)
            break;
        if (m_cursor != changedRow && m_frequencies[m_cursor] > 0) {
            --m_frequencies[m_cursor];
            ++taken;
        }
        m_cursor = (m_cursor + 1) % kRows;
    }
    m_ignore.fill(true);
    showFrequencies();
}

void FrequencyEditor::showFrequencies() {
    // Each write is processed as an edit unless the row's ignore flag absorbs it, and a
    // processed edit may change the rows written after it.
    for (int row = 0; row < kRows; ++row)
        writePercent(row, QString::number(m_frequencies[row]));
    for (int row = 0; row < kRows; ++row)
        writeSlider(row, m_frequencies[row]);
}

void FrequencyEditor::writePercent(int row, const QString& text) {
    // A written box reports its change even when the text stays the same, as the ignore
    // flags expect; Qt reports only real changes, so the same text is reported here.
    if (m_percents[row]->text() == text)
        OnChangePercent(row);
    else
        m_percents[row]->setText(text);
}

void FrequencyEditor::writeSlider(int row, int value) {
    // Setting a slider is not a move of it.
    const QSignalBlocker blocker(m_sliders[row]);
    m_sliders[row]->setValue(value);
}

} // namespace mireto
