// The system colour chooser, through one seam that tests replace.
#pragma once

#include <QColor>
#include <functional>
#include <optional>

class QWidget;

namespace mireto {

// Shows the colour chooser starting at `initial`; the chosen colour, or nullopt when
// the user cancels.
std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial);

// Replaces the chooser, for tests; an empty handler restores the real one.
using ColourChooser = std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)>;
void setColourChooserForTesting(ColourChooser chooser);

} // namespace mireto
