#include "dayscaledraw.h"

#include <QDateTime>
#include <QFont>
#include <QPainter>
#include <QPalette>
#include <qwt_scale_map.h>

#include <cmath>

namespace {

int tickIndex(const QList<double>& ticks, double value)
{
    for (int i = 0; i < ticks.size(); ++i)
        if (qAbs(ticks.at(i) - value) < 0.5)
            return i;
    return -1;
}

bool isTick(const QList<double>& ticks, double value)
{
    return tickIndex(ticks, value) >= 0;
}

} // namespace

void DayScaleDraw::draw(QPainter* painter, const QPalette& palette) const
{
    QwtScaleDraw::draw(painter, palette);
    if (!hasComponent(QwtAbstractScaleDraw::Labels))
        return;
    painter->save();
    painter->setPen(palette.color(QPalette::Text));
    painter->setFont(QFont(QStringLiteral("Arial"), 6));
    for (double value : scaleDiv().ticks(QwtScaleDiv::MediumTick))
        if (scaleDiv().contains(value))
            drawLabel(painter, value);
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
    const QList<double> majors = scaleDiv().ticks(QwtScaleDiv::MajorTick);
    const int index = tickIndex(majors, value);
    if (index >= 0 && majors.size() > 1 && orientation() == Qt::Horizontal) {
        const double spacing = qAbs(scaleMap().transform(majors.at(1)) - scaleMap().transform(majors.at(0)));
        const double width = labelSize(painter->font(), value).width() + 4;
        const int step = spacing > 0 ? static_cast<int>(std::ceil(width / spacing)) : 1;
        if (step > 1 && index % step != 0)
            return;
    }
    QwtScaleDraw::drawLabel(painter, value);
}
