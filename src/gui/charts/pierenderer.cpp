// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/pierenderer.h"

#include <QLocale>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// Quadrant 1 to 4 of an angle in degrees; a negative angle counts as the first.
int quadrant(double angle)
{
    if (angle < 0)
        return 1;
    const double a = std::fmod(angle, 360.0);
    return a < 90 ? 1 : a < 180 ? 2 : a < 270 ? 3 : 4;
}

// The parts of [from, to] (degrees) that lie in the front half of the ellipse, where the pie's
// side wall is visible: [180, 360] modulo 360.
QVector<QPair<double, double>> frontArcs(double from, double to)
{
    QVector<QPair<double, double>> arcs;
    const int first = static_cast<int>(std::floor(from / 360.0)) - 1;
    const int last = static_cast<int>(std::floor(to / 360.0)) + 1;
    for (int k = first; k <= last; ++k) {
        const double lo = std::max(from, 180.0 + 360.0 * k);
        const double hi = std::min(to, 360.0 + 360.0 * k);
        if (hi > lo)
            arcs.append({lo, hi});
    }
    return arcs;
}

}   // namespace

QFont PieRenderer::defaultFont()
{
    QFont f(QStringLiteral("verdana"));
    f.setPixelSize(15);
    return f;
}

void PieRenderer::addPiece(const QString& name, const QColor& colour, float percentage)
{
    pieces.append({name, colour, percentage});
    ++pieceCount;
}

void PieRenderer::drawPie3D(QPainter* painter)
{
    if (pieces.isEmpty())
        return;
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(Qt::NoPen);
    if (depth <= 0)
        depth = 50;

    const auto pointAt = [this](double angle) {
        const double a = qDegreesToRadians(angle);
        return QPointF(cX + cW / 2 + cW / 2 * std::cos(a), cY + cH / 2 - cH / 2 * std::sin(a));
    };
    const QPointF centre(cX + cW / 2, cY + cH / 2);
    const QPointF down(0, depth);
    const QRect topRect{int(cX), int(cY), int(cW), int(cH)};

    QLinearGradient top(QPointF(cX - 0.5 * cW, cY + 0.5 * cH), QPointF(cX + 1.5 * cW, cY + 0.5 * cH));
    top.setColorAt(0, Qt::black);
    top.setColorAt(1, Qt::white);
    QLinearGradient side(QPointF(cX, cY + cH), QPointF(cX + cW, cY + cH));
    side.setColorAt(0, Qt::black);

    double total = 0;
    for (const PiePiece& piece : pieces)
        total += 3.6 * piece.percentage;

    if (shadows) {
        painter->setBrush(QBrush(QColor(128, 128, 128), Qt::SolidPattern));
        painter->drawPie(QRect(int(cX), int(cY + depth + 5), int(cW), int(cH)), int(startAngle * 16), int(total * 16));
    }

    // An open pie shows the faces of its cut at the ends that turn to the viewer.
    if (total < 360.0 - 0.01) {
        const auto face = [&](double angle, const QColor& colour) {
            const QPointF edge = pointAt(angle);
            side.setColorAt(1, colour);
            painter->setBrush(side);
            painter->drawPolygon(QPolygonF({edge, edge + down, centre + down, centre}));
        };
        const int endQuadrant = quadrant(startAngle + total);
        if (endQuadrant == 2 || endQuadrant == 3)
            face(startAngle + total, pieces.last().colour);
        const int startQuadrant = quadrant(startAngle);
        if (startQuadrant == 1 || startQuadrant == 4)
            face(startAngle, pieces.first().colour);
    }

    const QRectF topEllipse(cX, cY, cW, cH);
    const QRectF lowEllipse = topEllipse.translated(down);
    for (const PiePiece& piece : pieces) {
        const double span = 3.6 * piece.percentage;
        top.setColorAt(0.5, piece.colour);
        painter->setBrush(top);
        painter->drawPie(topRect, int(startAngle * 16), int(span * 16));

        QPainterPath wall;
        for (const auto& arc : frontArcs(startAngle, startAngle + span)) {
            const double sweep = arc.second - arc.first;
            wall.arcMoveTo(topEllipse, arc.first);
            wall.arcTo(topEllipse, arc.first, sweep);
            wall.lineTo(pointAt(arc.second) + down);
            wall.arcTo(lowEllipse, arc.second, -sweep);
            wall.closeSubpath();
        }
        if (!wall.isEmpty()) {
            side.setColorAt(1, piece.colour);
            painter->fillPath(wall, side);
        }
        startAngle += span;
    }
}

void PieRenderer::drawLegend(QPainter* painter)
{
    if (pieces.isEmpty())
        return;
    painter->setFont(font);
    painter->setPen(QPen(Qt::black, 1, Qt::SolidLine));
    const int h = QFontMetrics(painter->font()).height();
    for (int i = 0; i < pieces.size(); ++i) {
        const PiePiece& piece = pieces.at(i);
        const QRectF square(lX + 5, lY + 5 + i * (h + 10), h, h);
        painter->setBrush(piece.colour);
        painter->drawRect(square);
        painter->drawText(QPointF(lX + 5 + h + 5, square.top() + h / 2.0 + 5), legendText(piece));
    }
}

QString PieRenderer::legendText(const PiePiece& piece)
{
    return piece.name + QStringLiteral(" - ")
        + QStringLiteral(" (%1 %)").arg(QLocale().toString(piece.percentage, 'f', 2));
}

void PieRenderer::drawTitle(QPainter* painter, const QString& text)
{
    font = QFont(QStringLiteral("arial"));
    font.setWeight(75);
    font.setPixelSize(13);
    painter->setFont(font);
    painter->setPen(QColor(234, 103, 6));
    painter->drawText(QRect(QPoint(10, 10), QPoint(int(titleRight), 29)), Qt::AlignCenter, text);
}
