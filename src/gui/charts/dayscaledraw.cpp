// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/dayscaledraw.h"

#include <QDateTime>
#include <QPainter>
#include <QPalette>
#include <qwt_scale_map.h>

namespace {

// Room kept between two labels, in pixels.
constexpr double kLabelGap = 6;

bool isTick(const QList<double>& ticks, double value)
{
    for (double tick : ticks)
        if (qAbs(tick - value) < 0.5)
            return true;
    return false;
}

bool overlaps(const QRectF& a, const QRectF& b)
{
    return a.left() < b.right() + kLabelGap && b.left() < a.right() + kLabelGap;
}

}   // namespace

QFont DayScaleDraw::mediumFont()
{
    return QFont(QStringLiteral("Arial"), 6);
}

void DayScaleDraw::draw(QPainter* painter, const QPalette& palette) const
{
    m_labelled = labelledValues(painter->font());
    QwtScaleDraw::draw(painter, palette);
    if (!hasComponent(QwtAbstractScaleDraw::Labels))
        return;
    painter->save();
    painter->setPen(palette.color(QPalette::Text));
    painter->setFont(mediumFont());
    for (double value : scaleDiv().ticks(QwtScaleDiv::MediumTick))
        if (scaleDiv().contains(value) && isTick(m_labelled, value))
            QwtScaleDraw::drawLabel(painter, value);
    painter->restore();
}

QwtText DayScaleDraw::label(double value) const
{
    const QDateTime dateTime = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(value));
    QwtText text;
    if (isTick(scaleDiv().ticks(QwtScaleDiv::MajorTick), value)) {
        text.setText(dateTime.toString(QStringLiteral("dd/MM/yy\nhh:mm")));
        text.setColor(Qt::darkBlue);
        return text;
    }
    if (isTick(scaleDiv().ticks(QwtScaleDiv::MediumTick), value) && mode == 4)
        text.setText(dateTime.toString(QStringLiteral("dd/MM/yy")));
    else
        text.setText(dateTime.toString(QStringLiteral("hh:mm")));
    text.setColor(Qt::black);
    return text;
}

void DayScaleDraw::drawLabel(QPainter* painter, double value) const
{
    if (isTick(m_labelled, value))
        QwtScaleDraw::drawLabel(painter, value);
}

QRectF DayScaleDraw::rectOf(const QFont& font, double value) const
{
    const QSizeF size = labelSize(font, value);
    return labelTransformation(labelPosition(value), size).mapRect(QRectF(QPointF(0, 0), size));
}

QList<double> DayScaleDraw::labelledValues(const QFont& font) const
{
    QList<double> majors;
    for (double value : scaleDiv().ticks(QwtScaleDiv::MajorTick))
        if (scaleDiv().contains(value))
            majors << value;

    QVector<QRectF> rects;
    for (double value : majors)
        rects << rectOf(font, value);
    // Months are not all as long: every pair of neighbours is checked, not only the first.
    int stride = 1;
    for (; stride < majors.size(); ++stride) {
        bool clear = true;
        for (int i = stride; i < majors.size() && clear; i += stride)
            clear = !overlaps(rects.at(i - stride), rects.at(i));
        if (clear)
            break;
    }

    QList<double> labelled;
    QVector<QRectF> taken;
    for (int i = 0; i < majors.size(); i += stride) {
        labelled << majors.at(i);
        taken << rects.at(i);
    }
    if (!hasComponent(QwtAbstractScaleDraw::Labels))
        return labelled;
    const QFont small = mediumFont();
    for (double value : scaleDiv().ticks(QwtScaleDiv::MediumTick)) {
        if (!scaleDiv().contains(value))
            continue;
        const QRectF rect = rectOf(small, value);
        bool clear = true;
        for (const QRectF& other : taken)
            clear = clear && !overlaps(rect, other);
        if (clear) {
            labelled << value;
            taken << rect;
        }
    }
    return labelled;
}

QVector<QRectF> DayScaleDraw::labelRects(const QFont& font) const
{
    const QList<double> majors = scaleDiv().ticks(QwtScaleDiv::MajorTick);
    QVector<QRectF> rects;
    for (double value : labelledValues(font))
        rects << rectOf(isTick(majors, value) ? font : mediumFont(), value);
    return rects;
}
