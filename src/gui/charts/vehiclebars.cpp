// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/vehiclebars.h"

#include <QBrush>
#include <QPalette>
#include <QPen>
#include <qwt_column_symbol.h>

VehicleBars::VehicleBars(const QString& title, const QColor& colour) : QwtPlotHistogram(title)
{
    setStyle(QwtPlotHistogram::Columns);
    setColor(colour);
}

void VehicleBars::setColor(const QColor& colour)
{
    setPen(QPen(Qt::black));
    setBrush(QBrush(colour));
    auto* symbol = new QwtColumnSymbol(QwtColumnSymbol::Box);
    symbol->setFrameStyle(QwtColumnSymbol::Raised);
    symbol->setLineWidth(2);
    symbol->setPalette(QPalette(colour));
    setSymbol(symbol);
}
