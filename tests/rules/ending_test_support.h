// Stores and readings shared by the ending-set dialog tests.
#pragma once

#include "settings/settings_store.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/sjis.h"

#include <QSlider>
#include <array>

namespace mireto::test {

inline EndingSet endingSet(const char* utf8Name, std::array<std::int32_t, 4> frequencies,
                           std::array<const char*, 4> utf8Words = {"", "", "", ""}) {
    EndingSet set;
    set.name = sjis(utf8Name);
    set.frequencies = frequencies;
    for (std::size_t row = 0; row < 4; ++row)
        set.words[row] = sjis(utf8Words[row]);
    return set;
}

// A running program's store: the none sets first, then `sets`, then the page styles.
inline SettingsStore storeWithEndings(const std::vector<EndingSet>& sets) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    for (const EndingSet& set : sets)
        store.InsertEndingSet(set, store.endingSetCount());
    store.BuildFormatNames();
    return store;
}

inline QSlider* slider(QWidget* dialog, int row) {
    return child<QSlider>(dialog, QStringLiteral("slider%1").arg(row).toLatin1().constData());
}

inline QLineEdit* percentBox(QWidget* dialog, int row) {
    return child<QLineEdit>(dialog, QStringLiteral("percent%1").arg(row).toLatin1().constData());
}

inline QLineEdit* wordBox(QWidget* dialog, int row) {
    return child<QLineEdit>(dialog, QStringLiteral("word%1").arg(row).toLatin1().constData());
}

inline QList<int> sliderValues(QWidget* dialog) {
    QList<int> values;
    for (int row = 1; row <= 4; ++row)
        values.append(slider(dialog, row)->value());
    return values;
}

inline QStringList percentTexts(QWidget* dialog) {
    QStringList texts;
    for (int row = 1; row <= 4; ++row)
        texts.append(percentBox(dialog, row)->text());
    return texts;
}

// Drags a slider's thumb one position at a time, as the mouse reports it.
inline void drag(QSlider* slider, int to) {
    slider->setSliderDown(true);
    const int step = to > slider->sliderPosition() ? 1 : -1;
    while (slider->sliderPosition() != to)
        slider->setSliderPosition(slider->sliderPosition() + step);
    slider->setSliderDown(false);
}

} // namespace mireto::test
