#include "convert/dialogs/colour_chooser.h"

#include <QColorDialog>

namespace mireto {

namespace {

ColourChooser& testChooser() {
    static ColourChooser chooser;
    return chooser;
}

} // namespace

std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) {
    if (testChooser())
        return testChooser()(parent, initial);
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

void setColourChooserForTesting(ColourChooser chooser) {
    testChooser() = std::move(chooser);
}

} // namespace mireto
