// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QRectF>
#include <QString>
#include <functional>

class Analysis;
class QPainter;

// One printed landscape page of a tab: a header saying what is shown (title, site, period, limit,
// minimum speed, units, date printed), then body drawn into the rest of the page, in the
// printer's pixels at the screen's resolution.
class PrintSheet
{
    Q_DECLARE_TR_FUNCTIONS(PrintSheet)

public:
    using Body = std::function<void(QPainter& painter, const QRectF& area)>;
    // Through the print dialog, a page for each body; false when it was cancelled or the printer
    // refused.
    static bool print(const QString& title, const Analysis& analysis, const QList<Body>& pages);
    // The header's text, as HTML.
    static QString headerHtml(const QString& title, const Analysis& analysis);
};
