// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/report.h"

#include "core/userdialogs.h"
#include "core/version.h"
#include "core/workspace.h"
#include "gui/charts/percentileplot.h"
#include "gui/charts/speedclasspie.h"
#include "gui/charts/timeplot.h"
#include "gui/dialogrunner.h"
#include "gui/report/reportsectionsdialog.h"
#include "gui/report/reportoutput.h"
#include "gui/resources.h"
#include "gui/tabs/resultcharts.h"
#include "analysis/speedstatistics.h"
#include "analysis/trafficsummary.h"
#include "gui/report/summarypage.h"
#include "gui/models/tableitems.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDate>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QTableWidget>
#include <QTextDocument>
#include <qwt_plot_renderer.h>
#include <qwt_text.h>

namespace {

// The translation context of the report's texts.
struct Report
{
    Q_DECLARE_TR_FUNCTIONS(Report)
};

constexpr int W = ReportPage::W;
constexpr int H = ReportPage::H;
// Where the footer starts; everything above it must end there.
constexpr double kFooterTop = H - 110;

// -------------------------------------------------------------------------------------------
// HTML fragments

QString headerHtml()
{
    return QStringLiteral("<html><body><table width=100%>") + QStringLiteral("<tr>")
        + Report::tr("<td align=left><b>TRAMOLA</b><br />Version ") + QLatin1String(tramola::productVersion)
        + QStringLiteral("</td>") + Report::tr("<td align=center>SYNTHESE DES MESURES</td>")
        + QStringLiteral("<td align=right><b>") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
        + QStringLiteral("</b><br /></td>") + QStringLiteral("</tr></table><hr></body></html>");
}

// "{page}" and "{pages}" are replaced on every page.
QString footerTemplate(const QString& fileName)
{
    return QStringLiteral("<html><body><hr><table width=100%>") + QStringLiteral("<tr>")
        + Report::tr("<td align=left><b>Référence&nbsp;:&nbsp;") + fileName.toHtmlEscaped()
        + QStringLiteral("<td align=center>&nbsp;</td>") + Report::tr("<td align=right>Page {page} sur {pages}</td>")
        + QStringLiteral("</tr></table></body></html>");
}

QString campaignHtml(const ReportContent& c)
{
    const auto text = [&](const QDateTime& dt) { return c.dateTimeText ? c.dateTimeText(dt) : dt.toString(); };
    return QStringLiteral("<html><body><hr/><table width=100%>") + QStringLiteral("<tr>")
        + Report::tr("<td width=20%><b>Début d'exploitation:</b></td><td align=left width=45%>") + text(c.start)
        + QStringLiteral("</td></tr><tr>")
        + Report::tr("<td width=20%><b>Fin d'exploitation:</b></td><td align=left  width=45%>") + text(c.end)
        + QStringLiteral("</td>") + QStringLiteral("</tr><tr><br/>")
        + Report::tr("<td align=left width=20%><b>Lieu de la mesure:</b></td><td>") + c.location.toHtmlEscaped()
        + QStringLiteral("</td>") + QStringLiteral("</tr><tr><br/>")
        + Report::tr("<td align=left width=20%><b>Commentaire:</b></td><td>") + c.commentHtml + QStringLiteral("</td>")
        + QStringLiteral("</tr></table><hr/></body></html>");
}

QString percentileHtml(const SpeedStatistics& s, int direction)
{
    const QString unit = s.unitLabel();
    const auto value = [&](double v) { return QStringLiteral("<td width=10%>%1%2</td>").arg(v, 1, 'f', 2).arg(unit); };
    return QStringLiteral("<html><body><h4>")
        + (direction == 0 ? Report::tr("Percentiles de vitesse sens entrant")
                          : Report::tr("Percentiles de vitesse sens sortant"))
        + QStringLiteral("</h4><hr><table width=100%>") + QStringLiteral("<tr>")
        + Report::tr("<td width=5%><h4>V30:</h4></td>") + value(s.getV30(direction))
        + Report::tr("<td width=5%><h4>V50:</h4></td>") + value(s.getV50(direction))
        + Report::tr("<td width=5%><h4>V85:</h4></td>") + value(s.getV85(direction))
        + QStringLiteral("</tr></table><br/></body></html>");
}

// -------------------------------------------------------------------------------------------
// Pages

class ReportWriter : public ReportPage
{
public:
    ReportWriter(ReportOutput& output, const ReportContent& content, int pages, const QString& fileName,
                 ProgressReporter& progress, std::function<bool()> healthy)
        : m_output(output), m_content(content), m_pages(pages), m_header(headerHtml()),
          m_footer(footerTemplate(fileName)), m_campaign(campaignHtml(content)), m_progress(progress),
          m_healthy(std::move(healthy))
    {
    }

    QPainter& painter() override { return m_output.painter(); }
    int pageNumber() const override { return m_page; }
    const ReportContent& content() const override { return m_content; }
    bool cancelled() const { return m_cancelled; }

    bool beginPage() override
    {
        if (m_page > 0 && !m_output.newPage())
            return false;
        ++m_page;
        m_progress.setValue(m_page);
        m_progress.processEvents();
        m_cancelled = m_progress.wasCanceled();
        return !m_cancelled && m_healthy();
    }

    void drawHeader() override { drawHtml(m_header, 20, 10, 60); }
    void drawCampaignBlock() override { drawHtml(m_campaign, 20, 670, kFooterTop - 670); }
    void drawFooter() override
    {
        QString footer = m_footer;
        footer.replace(QLatin1String("{page}"), QString::number(m_page));
        footer.replace(QLatin1String("{pages}"), QString::number(m_pages));
        // Down to the real bottom of the A4 page, which is shorter than the layout page.
        drawHtml(footer, 20, kFooterTop, pageBottom() - kFooterTop);
    }

    void drawHtml(const QString& html, double x, double y, double maxHeight,
                  const QString& styleSheet = QString()) override
    {
        QTextDocument document;
        document.documentLayout()->setPaintDevice(m_output.layoutDevice());
        document.setDefaultStyleSheet(styleSheet);
        document.setHtml(html);
        document.setTextWidth(W - 40);
        QPainter& p = painter();
        p.save();
        p.translate(x, y);
        const double height = document.size().height();
        // Too tall for its place (a long comment, a large system font): smaller, not cut.
        if (maxHeight > 0 && height > maxHeight) {
            const double scale = maxHeight / height;
            p.scale(scale, scale);
            document.setTextWidth((W - 40) / scale);
            qDebug() << "Report fragment scaled by" << scale;
        }
        document.drawContents(&p);
        p.restore();
    }

    void drawPlot(QwtPlot* plot) override
    {
        if (!plot)
            return;
        QPainter& p = painter();
        p.save();
        QwtPlotRenderer renderer;
        // White paper around the canvas rather than the window's grey.
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground);
        renderer.render(plot, &p, QRectF(20, 70, W - 40, 500));
        p.restore();
    }

    bool drawCover()
    {
        if (!beginPage())
            return false;
        drawHeader();
        QImage logo(QStringLiteral(":/images/logo-norvane_medium.png"));
        const int areaWidth = W - 40;
        const int areaHeight = H - 160;
        qDebug() << "logo area width" << areaWidth << "height" << areaHeight << "image width" << logo.width()
                 << "height" << logo.height();
        QPainter& p = painter();
        p.save();
        p.drawImage(QPoint(20 + int((areaWidth - logo.width()) * 0.5), 10 + int((areaHeight - logo.height()) * 0.5)),
                    logo);
        p.restore();
        drawCampaignBlock();
        drawFooter();
        return true;
    }

private:
    static double pageBottom() { return 297 / 25.4 * ReportOutput::kResolution; }

    ReportOutput& m_output;
    const ReportContent& m_content;
    const int m_pages;
    const QString m_header;
    const QString m_footer;
    const QString m_campaign;
    ProgressReporter& m_progress;
    std::function<bool()> m_healthy;
    int m_page = 0;
    bool m_cancelled = false;
};

// -------------------------------------------------------------------------------------------
// Sections

// One page: a plot of the window with the campaign block under it.
class PlotSection : public ReportSection
{
public:
    explicit PlotSection(QwtPlot* ReportContent::*plot) : m_plot(plot) { }
    int pageCount(const ReportContent&) const override { return 1; }
    bool draw(ReportPage& page) const override
    {
        if (!page.beginPage())
            return false;
        page.drawHeader();
        page.drawPlot(page.content().*m_plot);
        page.drawCampaignBlock();
        page.drawFooter();
        return true;
    }

private:
    QwtPlot* ReportContent::*m_plot;
};

// The widget's size for a picture of the pie rectangle's shape in which its legend fits whole:
// the legend has a line per slice beside a pie a third of the width.
QSize pieCanvasSize(const SpeedClassPie& pie, const QSizeF& target)
{
    const QFontMetrics metrics(pie.font());
    const int lineHeight = metrics.height();
    int textWidth = 0;
    const QVector<PiePiece> pieces = pie.pieces();
    for (const PiePiece& piece : pieces)
        textWidth = qMax(textWidth,
                         metrics.horizontalAdvance(piece.name + QStringLiteral(" - ")
                                                   + QStringLiteral(" (%1 %)").arg(piece.percentage, 0, 'f', 2)));
    const double neededWidth = 1.5 * (70 + 5 + lineHeight + 5 + textWidth + 10);
    const double neededHeight = qMax(50.0 + 5 + pieces.size() * (lineHeight + 10) + 10, 1.5 * (50 + 55 + 10));
    const double scale = qMax(1.0, qMax(neededWidth / target.width(), neededHeight / target.height()));
    return (target * scale).toSize();
}

// One page per direction of the file: a one-way file has no outgoing pie or percentiles.
int directionPages(const ReportContent& c)
{
    return c.statistics ? c.statistics->getDirections().size() : 2;
}

class PieSection : public ReportSection
{
public:
    int pageCount(const ReportContent& c) const override { return directionPages(c); }
    bool draw(ReportPage& page) const override
    {
        const ReportContent& c = page.content();
        const QRectF target(20, 70, 640, 300);
        for (int direction = 0; direction < 2; ++direction) {
            // Built as the window builds it, never shown.
            std::unique_ptr<SpeedClassPie> pie(
                ResultCharts::pie(*c.statistics, direction, c.start, c.end, c.countsReadings, nullptr));
            if (!pie)
                continue;
            pie->resize(pieCanvasSize(*pie, target.size()));
            // On paper rather than on the window's grey.
            QPalette palette = pie->palette();
            palette.setColor(QPalette::Window, Qt::white);
            pie->setPalette(palette);
            // Fine enough to stay sharp when the page is zoomed or printed.
            const double density = 1800.0 / pie->width();
            QImage picture((QSizeF(pie->size()) * density).toSize(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::white);
            {
                QPainter p(&picture);
                p.setRenderHint(QPainter::Antialiasing);
                p.scale(density, density);
                pie->render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
            }
            if (!page.beginPage())
                return false;
            QPainter& p = page.painter();
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(target, picture);
            p.restore();
            page.drawHeader();
            page.drawCampaignBlock();
            page.drawFooter();
        }
        return true;
    }
};

class PercentileSection : public ReportSection
{
public:
    int pageCount(const ReportContent& c) const override { return directionPages(c); }
    bool draw(ReportPage& page) const override
    {
        const ReportContent& c = page.content();
        for (int direction = 0; direction < 2; ++direction) {
            if (!c.statistics->getDirections().contains(direction))
                continue;
            if (!page.beginPage())
                return false;
            page.drawHeader();
            page.drawPlot(c.percentilePlots[direction]);
            // Its cells are a twentieth and a tenth of the width, too narrow for "V30:" and
            // "42.00Km/h" in most fonts: they widen to their text rather than break it.
            page.drawHtml(percentileHtml(*c.statistics, direction), 20, 570, 670 - 570,
                          QStringLiteral("td { white-space: nowrap; }"));
            page.drawCampaignBlock();
            page.drawFooter();
        }
        return true;
    }
};

class TableSection : public ReportSection
{
public:
    bool checkedByDefault() const override { return false; }
    // An empty table still counts a page.
    int pageCount(const ReportContent& c) const override { return 1 + (c.tableRows.size() - 1) / kReportTableRows; }
    bool draw(ReportPage& page) const override
    {
        const ReportContent& c = page.content();
        if (c.tableRows.isEmpty())
            return true;
        qDebug() << "Impression du tableau";
        for (int first = 0; first < c.tableRows.size(); first += kReportTableRows) {
            if (!page.beginPage())
                return false;
            page.drawHtml(reportTableHtml(c.tableHeader, c.tableRows, first, kReportTableRows), 20, 70,
                          kFooterTop - 70);
            page.drawHeader();
            page.drawFooter();
        }
        return true;
    }
};

// The figures of the "Synthèse" tab and its two charts, on one page.
class SummarySection : public ReportSection
{
public:
    int pageCount(const ReportContent&) const override { return 1; }
    bool draw(ReportPage& page) const override
    {
        const ReportContent& c = page.content();
        if (!page.beginPage())
            return false;
        page.drawHeader();
        // Down to a little above the campaign block.
        if (c.summary && c.statistics)
            SummaryPage::paint(page.painter(), QRectF(20, 70, W - 40, 590), *c.summary, c.statistics->unitLabel());
        page.drawCampaignBlock();
        page.drawFooter();
        return true;
    }
};

bool isChecked(const QVector<bool>& sections, size_t index)
{
    return int(index) < sections.size() && sections.at(int(index));
}

}   // namespace

// ---------------------------------------------------------------------------------------------

void ReportContent::readTable(const QTableWidget& table)
{
    tableHeader.clear();
    tableRows.clear();
    for (int column = 0; column < table.columnCount(); ++column) {
        const QTableWidgetItem* item = table.horizontalHeaderItem(column);
        tableHeader << (item ? item->text() : QString());
    }
    tableRows.reserve(table.rowCount());
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            cells << (item ? item->text() : QString());
        }
        tableRows << cells;
    }
}

StandaloneCharts::StandaloneCharts(const SpeedStatistics& s, const QDateTime& start, const QDateTime& end,
                                   bool readings)
    : m_mean(ResultCharts::meanGraph(s, start, end, nullptr)), m_max(ResultCharts::maxGraph(s, start, end, nullptr)),
      m_vehicles(ResultCharts::vehicleGraph(s, start, end, readings, nullptr)),
      m_percentiles{std::unique_ptr<PercentilePlot>(ResultCharts::percentilePlot(s, 0, nullptr)),
                    std::unique_ptr<PercentilePlot>(ResultCharts::percentilePlot(s, 1, nullptr))},
      m_table(std::make_unique<QTableWidget>(0, 6))
{
    // The headers of the window's table.
    m_table->setHorizontalHeaderLabels({Report::tr("Date"), Report::tr("Nombre de relevés"),
                                        ResultCharts::vehicleCountHeader(readings, s.vehicleDivider()),
                                        Report::tr("Vitesse moyenne"), Report::tr("Vitesse maximale"),
                                        Report::tr("Sens")});
    fillSpeedTable(m_table.get(), ResultCharts::presentSamples(s));
}

StandaloneCharts::~StandaloneCharts() = default;

void StandaloneCharts::fill(ReportContent& content) const
{
    content.meanPlot = m_mean.get();
    content.maxPlot = m_max.get();
    content.vehiclePlot = m_vehicles.get();
    content.percentilePlots[0] = m_percentiles[0].get();
    content.percentilePlots[1] = m_percentiles[1].get();
    content.readTable(*m_table);
}

const std::vector<std::unique_ptr<ReportSection>>& reportSections()
{
    static const std::vector<std::unique_ptr<ReportSection>> sections = [] {
        std::vector<std::unique_ptr<ReportSection>> list;
        list.push_back(std::make_unique<PlotSection>(&ReportContent::meanPlot));
        list.push_back(std::make_unique<PlotSection>(&ReportContent::maxPlot));
        list.push_back(std::make_unique<PlotSection>(&ReportContent::vehiclePlot));
        list.push_back(std::make_unique<PieSection>());
        list.push_back(std::make_unique<PercentileSection>());
        list.push_back(std::make_unique<TableSection>());
        list.push_back(std::make_unique<SummarySection>());
        return list;
    }();
    return sections;
}

QVector<bool> defaultReportSections()
{
    QVector<bool> checked;
    for (const auto& section : reportSections())
        checked << section->checkedByDefault();
    return checked;
}

int reportPageCount(const ReportContent& content, const QVector<bool>& sections)
{
    int pages = 1;
    for (size_t i = 0; i < reportSections().size(); ++i)
        if (isChecked(sections, i))
            pages += reportSections()[i]->pageCount(content);
    return pages;
}

QString reportTableHtml(const QStringList& header, const QVector<QStringList>& rows, int first, int count)
{
    QString html = QStringLiteral("<html>") + QStringLiteral("<style type=\"text/css\">")
        + QStringLiteral("table.sample {font-size:10px;}")
        + QStringLiteral("table.sample tr.header  { padding: 1px; color: green; margin-bottom: 4px;}")
        + QStringLiteral("table.sample tr.odd  td { padding: 1px; background-color:rgb(221,221,221); border: none "
                         "!important;}")
        + QStringLiteral("table.sample tr.even td { background-color:white; border: none !important;}")
        + QStringLiteral("</style>")
        + Report::tr("<body><h2>Historique des mesures</h2><hr/><table class=\"sample\" width=100%>");
    html += QStringLiteral("<tr class=\"header\">");
    for (int column = 0; column < header.size() && column < 6; ++column)
        html += (column == 0 ? QStringLiteral("<td><b>%1</b></td>") : QStringLiteral("<td align=center><b>%1</b></td>"))
                    .arg(header.at(column).toHtmlEscaped());
    html += QStringLiteral("</tr>");
    const int last = qMin(rows.size(), first + count);
    for (int row = first; row < last; ++row) {
        html += (row - first) % 2 == 0 ? QStringLiteral("<tr class=\"odd\">") : QStringLiteral("<tr class=\"even\">");
        const QStringList& cells = rows.at(row);
        for (int column = 0; column < cells.size() && column < 6; ++column)
            html += (column == 0 ? QStringLiteral("<td>%1</td>") : QStringLiteral("<td align=right>%1</td>"))
                        .arg(cells.at(column).toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><hr/></body></html>");
    return html;
}

ReportStatus writeReport(const QString& file, const ReportContent& content, const QVector<bool>& sections, int* pages,
                         QString* error)
{
    initTramolaResources();
    const int total = reportPageCount(content, sections);
    if (pages)
        *pages = total;
    const QString suffix = QFileInfo(file).suffix();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("ps"))
        return ReportStatus::BadSuffix;

    const auto failed = [&](const QString& reason) {
        if (error)
            *error = Report::tr("Le rapport %1 n'a pas pu être écrit : %2").arg(QDir::toNativeSeparators(file), reason);
        return ReportStatus::WriteFailed;
    };
    // A temporary file beside the target replaces it only once complete.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());

    QString documentName = content.meanPlot ? content.meanPlot->title().text() : QString();
    if (documentName.isEmpty())
        documentName = QStringLiteral("Plot Document");
    std::unique_ptr<ReportOutput> output =
        suffix == QLatin1String("pdf") ? ReportOutput::pdf() : ReportOutput::postScript();
    if (!output->begin(&out, documentName)) {
        out.cancelWriting();
        return failed(Report::tr("impression impossible"));
    }
    qDebug() << "Size width=" << W << "height=" << H;

    ProgressOptions options;
    options.title = Report::tr("Rapport d'exploitation");
    options.label = Report::tr("Écriture du rapport...");
    options.cancelText = Report::tr("Annuler");
    options.maximum = total;
    options.minimumDuration = 1000;
    const std::unique_ptr<ProgressReporter> progress = userDialogs().createProgress(options);

    ReportWriter writer(*output, content, total, QFileInfo(file).fileName(), *progress,
                        [&out] { return out.error() == QFileDevice::NoError; });
    bool ok = writer.drawCover();
    for (size_t i = 0; ok && i < reportSections().size(); ++i)
        if (isChecked(sections, i))
            ok = reportSections()[i]->draw(writer);
    ok = output->end() && ok;
    if (writer.cancelled()) {
        out.cancelWriting();
        return ReportStatus::Cancelled;
    }
    if (!ok || out.error() != QFileDevice::NoError) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return failed(reason);
    }
    if (!out.commit())
        return failed(out.errorString());
    return ReportStatus::Written;
}

void exportReport(const ReportContent& content, QWidget* parent)
{
    qDebug() << "Selection export PDF";
    QVector<bool> sections;
    {
        // A new dialog each time: every export starts from the defaults.
        ReportSectionsDialog dialog(parent);
        dialog.setWindowTitle(Report::tr("Tramola"));
        if (runDialog(dialog) != QDialog::Accepted)
            return;
        sections = dialog.sections();
    }

    QString folder = exportFolder();
    if (folder.isEmpty())
        folder = QDir::cleanPath(Workspace::documentsRoot());
    const QString proposed = folder + QLatin1Char('/')
        + content.statistics->getStatsFileName(content.start, content.end) + QStringLiteral(".pdf");
    const QString file = userDialogs().saveFileName(Report::tr("Rapport d'exploitation"), proposed,
                                                    QStringLiteral("PDF Documents (*.pdf)"));
    if (file.isEmpty())
        return;
    setLastExportFile(file);

    QString error;
    switch (writeReport(file, content, sections, nullptr, &error)) {
    case ReportStatus::Cancelled: return;
    case ReportStatus::WriteFailed:
        userDialogs().message(UserDialogs::Icon::Warning, Report::tr("Rapport d'exploitation"), error);
        return;
    case ReportStatus::Written:
    case ReportStatus::BadSuffix:
        // Also after a suffix that wrote nothing: the user asked for that file.
        break;
    }
    if (!QFileInfo(file).isFile() || !userDialogs().openInViewer(file))
        userDialogs().message(UserDialogs::Icon::Warning, Report::tr("Erreur à l'exécution"),
                              Report::tr("L'ouverture du fichier %1 a échoué").arg(file));
}
