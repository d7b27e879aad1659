// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

class PercentilePlot;
class QPaintDevice;
class QPainter;
class QTableWidget;
class QWidget;
class QwtPlot;
class SpeedStatistics;
class TimePlot;
struct TrafficSummary;

// What the operation report ("Rapport d'exploitation") shows: the engine's results and the
// window's charts and fields as they are when the report is written.
struct ReportContent
{
    const SpeedStatistics* statistics = nullptr;
    // The period of the two editors.
    QDateTime start;
    QDateTime end;
    QString location;   // plain text
    QString commentHtml;   // the comment field's document
    // The counts are readings, not vehicles: a "Standard" file with the divider off.
    bool countsReadings = false;
    std::function<QString(const QDateTime&)> dateTimeText;
    // The plots as they show, zoom included; a null plot leaves its rectangle empty.
    QwtPlot* meanPlot = nullptr;
    QwtPlot* maxPlot = nullptr;
    QwtPlot* vehiclePlot = nullptr;
    QwtPlot* percentilePlots[2] = {nullptr, nullptr};
    QStringList tableHeader;
    QVector<QStringList> tableRows;   // in the table's current order
    // The figures of the "Synthèse" tab for the period; null leaves that page's body empty.
    const TrafficSummary* summary = nullptr;

    // The header and the cell texts of a table as displayed.
    void readTable(const QTableWidget& table);
};

// The charts and the table the window would show after load(), built without the window for a
// report written from the command line.
class StandaloneCharts
{
public:
    // statistics must have run load(start, end); its results are read here only.
    StandaloneCharts(const SpeedStatistics& statistics, const QDateTime& start, const QDateTime& end, bool readings);
    ~StandaloneCharts();
    // Sets the plots and the table of content.
    void fill(ReportContent& content) const;

private:
    std::unique_ptr<TimePlot> m_mean, m_max, m_vehicles;
    std::unique_ptr<PercentilePlot> m_percentiles[2];
    std::unique_ptr<QTableWidget> m_table;
};

// Where and how a section draws its pages. Layout units are printer dots at 85 per inch on a
// 680 x 1020 layout page (A4 rounded to whole inches); the real A4 page is a little shorter.
class ReportPage
{
public:
    static constexpr int W = 680;
    static constexpr int H = 1020;

    virtual ~ReportPage() = default;
    virtual QPainter& painter() = 0;
    // Starts the next page (the first call uses the first page) and counts it; false when the
    // report was cancelled or the output failed.
    virtual bool beginPage() = 0;
    virtual int pageNumber() const = 0;
    virtual const ReportContent& content() const = 0;

    // The fragments every page repeats.
    virtual void drawHeader() = 0;
    virtual void drawCampaignBlock() = 0;
    virtual void drawFooter() = 0;
    // html at (x, y), W - 40 wide; scaled down to maxHeight when it is taller. styleSheet adds
    // rules to the fragment's own without changing its text.
    virtual void drawHtml(const QString& html, double x, double y, double maxHeight,
                          const QString& styleSheet = QString()) = 0;
    // The chart rectangle (20, 70), W - 40 by 500.
    virtual void drawPlot(QwtPlot* plot) = 0;
};

// One kind of page of the report. Sections come in the order of the section dialog's check
// boxes; a new one is a class here and an entry at the end of reportSections().
class ReportSection
{
public:
    virtual ~ReportSection() = default;
    // Its check box's state when the section dialog opens.
    virtual bool checkedByDefault() const { return true; }
    // Counted before anything is drawn, for the footers' "{pages}".
    virtual int pageCount(const ReportContent& content) const = 0;
    // Every page starts with page.beginPage(); false as soon as that fails.
    virtual bool draw(ReportPage& page) const = 0;
};

// Mean speed, maximum speed, vehicles, pie charts, percentiles, measure table, summary.
const std::vector<std::unique_ptr<ReportSection>>& reportSections();
// The defaults of the section dialog: all but the table.
QVector<bool> defaultReportSections();

// The cover page and the pages of the checked sections (one flag per section; missing flags
// are unchecked).
int reportPageCount(const ReportContent& content, const QVector<bool>& sections);

// The rows of one page of the measure table.
constexpr int kReportTableRows = 50;
// The measure table's HTML for rows [first, first + count).
QString reportTableHtml(const QStringList& header, const QVector<QStringList>& rows, int first, int count);

enum class ReportStatus { Written, BadSuffix, WriteFailed, Cancelled };

// Writes the report into file: PDF for the suffix "pdf", PostScript for "ps" (case matters);
// any other suffix writes nothing. The file is replaced only once every page was written: a
// failure or a cancel leaves an earlier file of that name as it was. The progress goes
// through the user dialogs. error receives a French sentence on WriteFailed.
ReportStatus writeReport(const QString& file, const ReportContent& content, const QVector<bool>& sections,
                         int* pages = nullptr, QString* error = nullptr);

// The window's "Document PDF" after the content is gathered: the section dialog, the save
// dialog (proposed in the export folder), the settings, the report, then the viewer.
void exportReport(const ReportContent& content, QWidget* parent);
