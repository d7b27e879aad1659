// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QVector>
#include <qwt_scale_draw.h>

// Time axis: dates at the major ticks, and labels at the medium ticks too (dates in the year
// granularity, times otherwise). Only labels that keep clear of each other are drawn.
class DayScaleDraw : public QwtScaleDraw
{
public:
    // Same values as TimePlot::scaleMode(): 1 day, 2 week, 3 month or two months, 4 year.
    int mode = 1;

    void draw(QPainter* painter, const QPalette& palette) const override;
    QwtText label(double value) const override;

    // Rectangles of the labels draw() writes, majors in font and mediums in mediumFont(), in
    // the scale's coordinates. No two of them intersect.
    QVector<QRectF> labelRects(const QFont& font) const;
    static QFont mediumFont();

protected:
    void drawLabel(QPainter* painter, double value) const override;

private:
    // The ticks whose labels are drawn: majors at the smallest regular stride that keeps them
    // apart, then each medium that fits between them.
    QList<double> labelledValues(const QFont& font) const;
    QRectF rectOf(const QFont& font, double value) const;

    // Filled by draw() for its own labels.
    mutable QList<double> m_labelled;
};
