// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QVector>

class QPainter;

// One slice of a pie: its legend text, colour and share of the circle (0 to 100).
struct PiePiece
{
    QString name;
    QColor colour;
    float percentage = 0;
};

// Draws a list of pieces as a three-dimensional pie, a vertical legend and a title. Created on
// the stack for one paint.
class PieRenderer
{
public:
    void addPiece(const QString& name, const QColor& colour, float percentage);
    // Nothing without pieces.
    void drawPie3D(QPainter* painter);
    // Nothing without pieces.
    void drawLegend(QPainter* painter);
    void drawTitle(QPainter* painter, const QString& text);

    double startAngle = 0;
    double cX = 0, cY = 0, cW = 100, cH = 100;
    // 0 takes 50.
    double depth = 0;
    double lX = 120, lY = 0;
    int pieceCount = 0;
    bool shadows = true;
    QVector<PiePiece> pieces;
    int type = 2;
    int legendType = 0;
    QFont font = defaultFont();
    // The title is centred between x = 10 and this.
    double titleRight = 309;

    // The legend's line of a piece, as drawLegend() writes it.
    static QString legendText(const PiePiece& piece);

private:
    static QFont defaultFont();
};
