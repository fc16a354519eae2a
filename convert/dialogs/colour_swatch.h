// A small control that shows one colour as a filled, black-outlined rectangle.
#pragma once

#include <QColor>
#include <QWidget>

namespace mireto {

class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour = Qt::black;
};

} // namespace mireto
