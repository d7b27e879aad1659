// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/colorbar.h"

#include <QPainter>

#include <cmath>

ColorBar::ColorBar(Qt::Orientation orientation, QWidget* parent) : QWidget(parent), m_orientation(orientation)
{
    setCursor(Qt::PointingHandCursor);
}

void ColorBar::setColours(const QColor& light, const QColor& dark)
{
    m_light = light;
    m_dark = dark;
    update();
}

QColor ColorBar::bandColour(const QColor& light, const QColor& dark, int i, int n)
{
    if (n <= 0)
        return light;
    int h1, s1, v1, h2, s2, v2;
    light.getHsv(&h1, &s1, &v1);
    dark.getHsv(&h2, &s2, &v2);
    // White, black and greys have no hue (-1): take the other end's, so that red to white fades
    // through pinks instead of jumping to white halfway.
    if (h1 < 0)
        h1 = qMax(h2, 0);
    if (h2 < 0)
        h2 = h1;
    const double f = double(i) / n;
    const auto step = [f](int from, int to) { return from + int(std::lround(f * (to - from))); };
    return QColor::fromHsv(step(h1, h2), step(s1, s2), step(v1, v2));
}

void ColorBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect bar = rect();
    painter.fillRect(bar, m_dark);
    const bool vertical = m_orientation == Qt::Vertical;
    const int n = (vertical ? bar.height() : bar.width()) / 2;
    for (int i = 0; i < n; ++i) {
        const QRect band = vertical ? QRect(bar.x(), bar.y() + 2 * i, bar.width(), 2)
                                    : QRect(bar.x() + 2 * i, bar.y(), 2, bar.height());
        painter.fillRect(band, bandColour(m_light, m_dark, i, n));
    }
}
