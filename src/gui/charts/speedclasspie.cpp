// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedclasspie.h"

#include "core/userdialogs.h"

#include <QDebug>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QtMath>

#include <algorithm>
#include <cmath>

SpeedClassPie::SpeedClassPie(QWidget* parent, const SpeedClassMap& rgDistribution, int divider, const QString& title,
                             const QString& unit, int vehicleCount, const QString& suffix)
    : QWidget(parent), m_distribution(rgDistribution), m_divider(divider), m_vehicleCount(vehicleCount), m_title(title),
      m_unit(unit), m_suffix(suffix)
{
    for (int slice = 0; slice < 16; ++slice)
        m_pieColors.insert(slice, sliceColour(slice));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    qDebug() << "construction SpeedClassPie"
             << "rgDistribution size=" << m_distribution.size() << "Vehicle number=" << m_vehicleCount;
}

QColor SpeedClassPie::sliceColour(int slice)
{
    static const Qt::GlobalColor colours[16] = {
        Qt::green, Qt::darkGreen, Qt::yellow,  Qt::darkYellow,  Qt::red,  Qt::darkRed,  Qt::blue,      Qt::darkBlue,
        Qt::cyan,  Qt::darkCyan,  Qt::magenta, Qt::darkMagenta, Qt::gray, Qt::darkGray, Qt::lightGray, Qt::black};
    return QColor(colours[((slice % 16) + 16) % 16]);
}

QMap<qint64, int> SpeedClassPie::apportion(const SpeedClassMap& distribution, int vehicleCount, double minSignificant)
{
    QMap<qint64, int> allot;
    if (vehicleCount <= 0)
        return allot;
    const double quota = 1.0 / vehicleCount;
    int allotted = 0;
    QMap<double, qint64> remainders;
    qint64 largest = -1;
    double largestValue = -1;
    for (auto it = distribution.cbegin(); it != distribution.cend(); ++it) {
        const double share = it->meanSpeed;
        if (share < minSignificant)
            continue;
        const double v = share / quota;
        const int n = static_cast<int>(v);
        allotted += n;
        allot.insert(it.key(), n);
        remainders.insert(v - n, it.key());
        if (v > largestValue) {
            largestValue = v;
            largest = it.key();
        }
    }

    // A significant class never shows 0 vehicles: it takes a spare unit, or one from the
    // largest class once none is left.
    for (const qint64 key : allot.keys()) {
        if (allot.value(key) != 0)
            continue;
        if (vehicleCount - allotted <= 0) {
            if (largest >= 0 && allot.value(largest) > 1) {
                allot[largest] -= 1;
                allot[key] = 1;
            }
        } else {
            allot[key] = 1;
            ++allotted;
        }
    }

    qDebug() << "Total vehicle=" << vehicleCount << "Remaining vehicle=" << vehicleCount - allotted;
    // Every class with a remainder takes part, down to the smallest, so the counts add up.
    for (int pass = 0; pass < 3 && allotted < vehicleCount && !remainders.isEmpty(); ++pass) {
        for (auto it = remainders.cend(); it != remainders.cbegin() && allotted < vehicleCount;) {
            --it;
            allot[it.value()] += 1;
            ++allotted;
        }
    }
    return allot;
}

QVector<PiePiece> SpeedClassPie::pieces() const
{
    QVector<PiePiece> result;
    if (m_vehicleCount == 0)
        return result;
    const int d = std::max(m_divider, 1);
    const double minSignificant = d > 1 ? 0.0005 : 0.0;
    qDebug() << "fQuota=" << 1.0 / m_vehicleCount << "Min significant value=" << minSignificant;
    const QMap<qint64, int> allot = apportion(m_distribution, m_vehicleCount, minSignificant);

    int slice = 0;
    for (auto it = m_distribution.cbegin(); it != m_distribution.cend(); ++it) {
        const double share = it->meanSpeed;
        if (share < minSignificant) {
            qDebug() << "Valeur " << share << " % too low : ignored";
            continue;
        }
        QString label = it->minSpeed > 0
            ? QStringLiteral("%1 - %2 %3").arg(it->minSpeed, 3, 'g', -1).arg(it->maxSpeed, 3, 'g', -1).arg(m_unit)
            : QStringLiteral("<= %1 %2").arg(it->maxSpeed, 3, 'g', -1).arg(m_unit);
        if (std::next(it) == m_distribution.cend())
            label += QStringLiteral(" %1").arg(m_suffix);
        const int count = d == 1 ? it->measureCount : allot.value(it.key(), 0);
        const QString text = tr("%1 : %L2").arg(label).arg(count, 6);
        result.append({text, m_pieColors.value(slice % 16), float(share * 100)});
        ++slice;
    }
    return result;
}

void SpeedClassPie::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_vehicleCount == 0) {
        qDebug() << "Vehicle count=0 - Cannot produce graph";
        return;
    }
    QPainter painter(this);
    PieRenderer renderer;
    renderer.type = 2;
    renderer.legendType = 0;
    const Layout where = layout(size());
    renderer.cX = where.pie.x();
    renderer.cY = where.pie.y();
    renderer.cW = where.pie.width();
    renderer.cH = where.pie.height();
    renderer.depth = where.depth;
    // drawLegend() starts its first square 5 pixels in.
    renderer.lX = where.legend.x() - 5;
    renderer.lY = where.legend.y() - 5;
    renderer.font.setPixelSize(where.fontPixels);
    renderer.titleRight = qMax(309, width() - 10);
    for (const PiePiece& piece : pieces())
        renderer.addPiece(piece.name, piece.colour, piece.percentage);

    painter.save();
    renderer.drawPie3D(&painter);
    painter.restore();
    painter.save();
    renderer.drawLegend(&painter);
    painter.restore();
    painter.save();
    renderer.drawTitle(&painter, m_title);
    painter.restore();
}

void SpeedClassPie::print(const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!title.isEmpty())
        printer.setDocName(QString(title).replace(QLatin1Char('\n'), tr(" -- ")));
    printer.setCreator(QStringLiteral("Norvane"));
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!userDialogs().printDialog(&printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        qWarning() << "Cannot print on" << printer.outputFileName();
        return;
    }
    // Painter coordinates start at the corner of the printable area.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double scale = qMin(page.width() / width(), page.height() / height());
    painter.translate(page.width() / 2, page.height() / 2);
    painter.scale(scale, scale);
    painter.translate(-width() / 2.0, -height() / 2.0);
    render(&painter, QPoint(), QRegion(), DrawWindowBackground | DrawChildren);
}

SpeedClassPie::Layout SpeedClassPie::layout(const QSize& size) const
{
    const QVector<PiePiece> lines = pieces();
    // Below the title, 10 pixels from the other edges.
    const QRectF area(10, 40, qMax(0, size.width() - 20), qMax(0, size.height() - 50));
    // The pie's height over its width: the top ellipse, then the wall and the shadow.
    const auto pieHeight = [](double w) { return w * 0.55 + qBound(8.0, w * 0.15, 50.0) + 5; };
    const auto pieAt = [&](Layout& l, const QPointF& topLeft, double w) {
        l.pie = QRectF(topLeft, QSizeF(w, w * 0.55));
        l.depth = qBound(8.0, w * 0.15, 50.0);
    };
    constexpr double kMinPie = 60;

    Layout result;
    for (int pixels = 15; pixels >= 8; --pixels) {
        QFont font = PieRenderer().font;
        font.setPixelSize(pixels);
        const QFontMetricsF metrics(font);
        const double h = QFontMetrics(font).height();
        double textWidth = 0;
        for (const PiePiece& piece : lines)
            textWidth = qMax(textWidth, metrics.horizontalAdvance(PieRenderer::legendText(piece)));
        // The squares and texts as drawLegend() places them, plus a little room on the right.
        const QSizeF legend(h + 10 + textWidth + 4, lines.isEmpty() ? 0 : lines.size() * (h + 10));
        result.fontPixels = pixels;

        // Beside (the pie takes what the legend leaves, no taller than the area) or under the
        // pie (the legend below its wall and shadow): whichever gives the larger pie.
        double beside = area.width() - legend.width() - 20;
        while (beside > kMinPie && pieHeight(beside) > area.height())
            beside -= 4;
        if (legend.height() > area.height())
            beside = 0;
        double under = area.width();
        while (under > kMinPie && pieHeight(under) + 10 + legend.height() > area.height())
            under -= 4;
        if (legend.width() > area.width())
            under = 0;
        if (beside >= kMinPie && beside >= under) {
            pieAt(result, area.topLeft(), beside);
            result.legend = QRectF(QPointF(result.pie.right() + 20, area.top()), legend);
            return result;
        }
        if (under >= kMinPie) {
            pieAt(result, QPointF(area.left() + (area.width() - under) / 2, area.top()), under);
            result.legend = QRectF(QPointF(area.left(), area.top() + pieHeight(under) + 10), legend);
            return result;
        }
        // Nothing fits even at the smallest size: beside, as small as it gets.
        if (pixels == 8) {
            pieAt(result, area.topLeft(), kMinPie);
            result.legend = QRectF(QPointF(result.pie.right() + 20, area.top()), legend);
        }
    }
    return result;
}
