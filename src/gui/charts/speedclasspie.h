// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/samplerecord.h"
#include "gui/charts/pierenderer.h"

#include <QColor>
#include <QFont>
#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

class QPainter;

// The speed-class distribution of one direction as a 3D pie with its legend and title. Keeps
// no state besides its inputs: every paint recomputes the slices.
class SpeedClassPie : public QWidget
{
    Q_OBJECT

public:
    SpeedClassPie(QWidget* parent, const SpeedClassMap& rgDistribution, int divider, const QString& title,
                  const QString& unit, int vehicleCount, const QString& suffix);

    // Vehicles allotted to each significant class (share >= minSignificant) by largest
    // remainders; they add up to vehicleCount unless no class is significant. Classes without
    // a share of at least minSignificant are absent.
    static QMap<qint64, int> apportion(const SpeedClassMap& distribution, int vehicleCount, double minSignificant);

    // The slices a paint draws, in distribution order; empty when the vehicle count is 0.
    QVector<PiePiece> pieces() const;

    QString title() const { return m_title; }
    // Through the print dialog: the widget as it would show, scaled to fill a landscape page.
    void print(const QString& title);
    // Where the pie and the whole legend go at the widget's size: the legend beside the pie or
    // under it, in the largest font from 15 down to 8 pixels that lets every line in whole.
    struct Layout
    {
        QRectF pie;   // the top ellipse
        double depth = 50;
        QRectF legend;   // every line, squares included
        int fontPixels = 15;
    };
    Layout layout(const QSize& size) const;
    static QColor sliceColour(int slice);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMap<int, QColor> m_pieColors;
    SpeedClassMap m_distribution;
    int m_divider = 1;
    int m_vehicleCount = 0;
    QString m_title;
    QString m_unit = QStringLiteral("Km/h");
    QString m_suffix;
};
