#include "convert/dialogs/colour_swatch.h"

#include <QPainter>

namespace mireto {

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {}

void ColourSwatch::setColour(const QColor& colour) {
    m_colour = colour;
    update();
}

QSize ColourSwatch::sizeHint() const {
    return {48, 22};
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_colour);
    // A 1-pixel pen draws right of and below the rectangle it is given.
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace mireto
