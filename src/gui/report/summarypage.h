// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/trafficsummary.h"

#include <QCoreApplication>
#include <QRectF>
#include <QString>

class QPainter;

// The bodies of the report's two "Synthèse et conformité" pages: the summary's figures in two
// columns with the data quality, then the hour-of-day profile and the speed histogram. The report
// draws its header, campaign block and footer around them; each fits the space between header
// and campaign block of an A4 page at 85 dpi: QRectF(20, 70, 640, 590).
class SummaryPage
{
    Q_DECLARE_TR_FUNCTIONS(SummaryPage)

public:
    static QString sectionTitle() { return tr("Synthèse et conformité"); }
    // Draws into area, in the painter's units (a report page's, or pixels of an 85-dpi image).
    // The painter's state is left as it was.
    enum class Part { Figures, Charts };
    static void paint(QPainter& painter, const QRectF& area, const TrafficSummary& summary, const QString& unit,
                      Part part);
};
