// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// A thin bar shaded from a light to a dark colour, drawn along a plot axis.
class ColorBar : public QWidget
{
    Q_OBJECT

public:
    explicit ColorBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    void setColours(const QColor& light, const QColor& dark);
    QColor light() const { return m_light; }
    QColor dark() const { return m_dark; }
    Qt::Orientation orientation() const { return m_orientation; }

    // Colour of band i of n: the light colour's hue, saturation and value moved i/n of the way
    // to the dark colour's, each step rounded to the nearest integer. A colour without hue
    // (white, grey, black) takes the other one's.
    static QColor bandColour(const QColor& light, const QColor& dark, int i, int n);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    QColor m_light = Qt::white;
    QColor m_dark = Qt::black;
};
