// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPainter;
class QwtPlot;
struct ReportContent;

// Where and how a section draws its pages. Layout units are printer dots at 85 per inch on a
// 680 x 1020 layout page (A4 rounded to whole inches); the real A4 page is a little shorter.
class ReportPage
{
public:
    static constexpr int W = 680;
    static constexpr int H = 1020;
    // Where the footer starts; everything above it must end there.
    static constexpr double kFooterTop = H - 110;

    virtual ~ReportPage() = default;
    virtual QPainter& painter() = 0;
    // Starts the next page (the first call uses the first page) and counts it; false when the
    // report was cancelled or the output failed.
    virtual bool beginPage() = 0;
    virtual const ReportContent& content() const = 0;

    // The fragments every page repeats.
    virtual void drawHeader() = 0;
    virtual void drawCampaignBlock() = 0;
    virtual void drawFooter() = 0;
    // html at (x, y), W - 40 wide; scaled down to maxHeight when it is taller. styleSheet adds
    // rules to the fragment's own without changing its text.
    virtual void drawHtml(const QString& html, double x, double y, double maxHeight,
                          const QString& styleSheet = QString()) = 0;
    // The plot laid out at the size of the chart rectangle (20, 70), W - 40 by 500, and drawn
    // there: whatever size it had on screen, it looks the same on every report.
    virtual void drawPlot(QwtPlot& plot) = 0;
};
