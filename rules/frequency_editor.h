// The candidate rows of an ending set, shared by the ending-set editor and chooser: four
// rows of a frequency slider, a percent box and a word, and the line-break check box.
// A slider move or a percent edit that lifts the total above 100 takes the excess from
// the other rows one point at a time, starting at the rebalancing cursor, which persists
// between changes for the editor's whole life.
#pragma once

#include "settings/records.h"
#include "widgets/stored_text.h"

#include <QWidget>
#include <array>
#include <cstdint>

class QCheckBox;
class QLineEdit;
class QSlider;

namespace mireto {

class FrequencyEditor : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 4;

    explicit FrequencyEditor(QWidget* parent = nullptr);

    // Shows a record's frequencies, words and flag. The frequencies are first held to 0
    // to 100 each; each percent box written is then processed as an edit, rows 1 to 4,
    // so a record totalling more than 100 is brought down to 100 at once.
    void showRecord(const EndingSet& record);

    const std::array<std::int32_t, kRows>& frequencies() const { return m_frequencies; }

    // Puts the frequencies, words and flag into `record`; false, after a message with
    // `caption`, when a word cannot be stored.
    bool collectInto(EndingSet& record, const QString& caption);

private:
    void OnHScroll(int row);
    void OnChangePercent(int row);
    void rebalance(int changedRow, int excess);
    void showFrequencies();
    void writePercent(int row, const QString& text);
    void writeSlider(int row, int value);

    // The row where the next rebalancing starts looking, 0 to 3.
    int m_cursor = 0;
    // Set for the percent boxes a rebalancing rewrites, so their edits are not processed.
    std::array<bool, kRows> m_ignore{};
    std::array<std::int32_t, kRows> m_frequencies{};

    std::array<QSlider*, kRows> m_sliders{};
    std::array<QLineEdit*, kRows> m_percents{};
    std::array<QLineEdit*, kRows> m_words{};
    // The words as the record held them, kept while their boxes are left alone.
    std::array<StoredText, kRows> m_storedWords;
    QCheckBox* m_changeLineBreaks = nullptr;
};

} // namespace mireto
