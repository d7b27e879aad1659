// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/report.h"

#include "analysis/analysis.h"
#include "core/checkedfile.h"
#include "core/userdialogs.h"
#include "core/version.h"
#include "core/workspace.h"
#include "gui/dialogrunner.h"
#include "gui/models/buckettablemodel.h"
#include "gui/report/reportoutput.h"
#include "gui/report/reportsection.h"
#include "gui/report/reportsectionsdialog.h"
#include "gui/resources.h"
#include "gui/tabs/buckettabletab.h"
#include "gui/tabs/comparisontab.h"
#include "gui/tabs/distributiontab.h"
#include "gui/tabs/percentiletab.h"
#include "gui/tabs/summaryformat.h"
#include "gui/tabs/summarytab.h"
#include "gui/tabs/timeplottab.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDate>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QResizeEvent>
#include <QSortFilterProxyModel>
#include <QTextDocument>
#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

namespace {

// The translation context of the report's texts.
struct Report
{
    Q_DECLARE_TR_FUNCTIONS(Report)
};

constexpr int W = ReportPage::W;
constexpr int H = ReportPage::H;
constexpr double kFooterTop = ReportPage::kFooterTop;

// -------------------------------------------------------------------------------------------
// HTML fragments

QString headerHtml()
{
    return QStringLiteral("<html><body><table width=100%>") + QStringLiteral("<tr>")
        + Report::tr("<td align=left><b>TRAMOLA</b><br />Version ") + QLatin1String(tramola::productVersion)
        + QStringLiteral("</td>") + Report::tr("<td align=center>SYNTHÈSE DES MESURES</td>")
        + QStringLiteral("<td align=right><b>") + QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)
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

// The cover's title and what a reader needs before any figure.
QString coverHtml(const ReportContent& c)
{
    const Analysis& a = *c.analysis;
    const AnalysisCriteria& criteria = a.criteria();
    const QLocale locale;
    const QString unit = a.unitSymbol();
    const auto text = [&](const QDateTime& dt) { return c.dateTimeText ? c.dateTimeText(dt) : locale.toString(dt); };
    const auto row = [](const QString& label, const QString& value) {
        return QStringLiteral("<tr><td width=35%><b>%1</b></td><td>%2</td></tr>").arg(label, value);
    };
    const TrafficSummary& s = a.summary();
    return QStringLiteral("<html><body><h1 align=center>") + Report::tr("Rapport d'exploitation")
        + QStringLiteral("</h1><br/><table width=100% cellpadding=3>")
        + row(Report::tr("Site"), c.location.toHtmlEscaped())
        + row(Report::tr("Période"), Report::tr("du %1 au %2").arg(text(a.begin()), text(a.end())))
        + row(Report::tr("Vitesse limite"),
              s.limit ? QStringLiteral("%1&nbsp;%2").arg(locale.toString(*s.limit), unit)
                      : Report::tr("non renseignée : aucun chiffre de conformité"))
        + row(Report::tr("Unités"), unit)
        + row(Report::tr("Vitesse minimale"),
              QStringLiteral("%1&nbsp;%2").arg(locale.toString(criteria.minSpeed), unit))
        + row(Report::tr("Mode d'enregistrement"), SummaryFormat::storeModeText(s).toHtmlEscaped())
        + row(Report::tr("Rapport rédigé le"), locale.toString(QDate::currentDate(), QLocale::LongFormat))
        + QStringLiteral("</table></body></html>");
}

QString campaignHtml(const ReportContent& c)
{
    const auto text = [&](const QDateTime& dt) { return c.dateTimeText ? c.dateTimeText(dt) : dt.toString(); };
    return QStringLiteral("<html><body><hr/><table width=100%>") + QStringLiteral("<tr>")
        + Report::tr("<td width=20%><b>Début d'exploitation :</b></td><td align=left width=45%>")
        + text(c.analysis->begin()) + QStringLiteral("</td></tr><tr>")
        + Report::tr("<td width=20%><b>Fin d'exploitation :</b></td><td align=left  width=45%>")
        + text(c.analysis->end()) + QStringLiteral("</td>") + QStringLiteral("</tr><tr><br/>")
        + Report::tr("<td align=left width=20%><b>Lieu de la mesure :</b></td><td>") + c.location.toHtmlEscaped()
        + QStringLiteral("</td>") + QStringLiteral("</tr><tr><br/>")
        + Report::tr("<td align=left width=20%><b>Commentaire :</b></td><td>") + c.commentHtml + QStringLiteral("</td>")
        + QStringLiteral("</tr></table><hr/></body></html>");
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

    void drawPlot(QwtPlot& plot) override
    {
        const QRectF rect(20, 70, W - 40, 500);
        // Laid out at the rectangle's size, as if shown there: what depends on the width (the
        // vehicle bars) is what the page has room for.
        const QSize size = rect.size().toSize();
        QResizeEvent resize(size, plot.size());
        plot.resize(size);
        QCoreApplication::sendEvent(&plot, &resize);
        QPainter& p = painter();
        p.save();
        QwtPlotRenderer renderer;
        // White paper around the canvas rather than the window's grey.
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground);
        renderer.render(&plot, &p, rect);
        p.restore();
    }

    bool drawCover()
    {
        if (!beginPage())
            return false;
        drawHeader();
        const QImage logo(QStringLiteral(":/images/logo.png"));
        const double side = 220;
        painter().drawImage(QRectF((W - side) / 2, 110, side, side), logo);
        drawHtml(coverHtml(m_content), 20, 360, 300);
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

bool isChecked(const QVector<bool>& sections, size_t index)
{
    return int(index) < sections.size() && sections.at(int(index));
}

}   // namespace

// ---------------------------------------------------------------------------------------------

const std::vector<const ReportSection*>& reportSections()
{
    static const std::vector<const ReportSection*> sections{&TimePlotTab::reportSection(TimePlotTab::MeanSpeed),
                                                            &TimePlotTab::reportSection(TimePlotTab::MaxSpeed),
                                                            &TimePlotTab::reportSection(TimePlotTab::Vehicles),
                                                            &DistributionTab::reportSection(),
                                                            &PercentileTab::reportSection(),
                                                            &BucketTableTab::reportSection(),
                                                            &SummaryTab::reportSection(),
                                                            &ComparisonTab::reportSection()};
    return sections;
}

QVector<bool> defaultReportSections()
{
    QVector<bool> checked;
    for (const auto& section : reportSections())
        checked << section->checkedByDefault();
    return checked;
}

ReportStatus writeReport(const QString& file, const ReportContent& given, const QVector<bool>& sections, int* pages,
                         QString* error)
{
    initTramolaResources();
    ReportContent content = given;
    BucketTableModel buckets;
    std::unique_ptr<QSortFilterProxyModel> rows;
    const auto& all = reportSections();
    const size_t table = std::find(all.begin(), all.end(), &BucketTableTab::reportSection()) - all.begin();
    if (!content.table && isChecked(sections, table)) {
        buckets.setAnalysis(content.analysis);
        rows.reset(BucketTableModel::newestFirst(&buckets, nullptr));
        content.table = rows.get();
    }
    int total = 1;
    for (size_t i = 0; i < reportSections().size(); ++i)
        if (isChecked(sections, i))
            total += reportSections()[i]->pageCount(content);
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
    CheckedFile out(file);
    if (!out.open())
        return failed(out.errorString());

    // The mean speed plot's title.
    const QString documentName = TimePlotTab::tr("Vitesses moyennes");
    std::unique_ptr<ReportOutput> output =
        suffix == QLatin1String("pdf") ? ReportOutput::pdf() : ReportOutput::postScript();
    if (!output->begin(out.device(), documentName)) {
        out.fail(Report::tr("impression impossible"));   // unless a write already said why
        return failed(out.errorString());
    }

    ProgressOptions options;
    options.title = Report::tr("Rapport d'exploitation");
    options.label = Report::tr("Écriture du rapport...");
    options.cancelText = Report::tr("Annuler");
    options.maximum = total;
    options.minimumDuration = 1000;
    const std::unique_ptr<ProgressReporter> progress = userDialogs().createProgress(options);

    ReportWriter writer(*output, content, total, QFileInfo(file).fileName(), *progress,
                        [&out] { return !out.failed(); });
    bool ok = writer.drawCover();
    for (size_t i = 0; ok && i < reportSections().size(); ++i)
        if (isChecked(sections, i))
            ok = reportSections()[i]->draw(writer);
    ok = output->end() && ok;
    if (writer.cancelled()) {
        out.cancel();
        return ReportStatus::Cancelled;
    }
    if (!ok)
        out.fail(Report::tr("impression impossible"));
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
        dialog.setComparisonOffered(content.comparison != nullptr);
        dialog.setWindowTitle(Report::tr("Tramola"));
        if (runDialog(dialog) != QDialog::Accepted)
            return;
        sections = dialog.sections();
    }

    QString folder = exportFolder();
    if (folder.isEmpty())
        folder = QDir::cleanPath(Workspace::documentsRoot());
    const Analysis& a = *content.analysis;
    const QString proposed =
        folder + QLatin1Char('/') + a.statistics().getStatsFileName(a.begin(), a.end()) + QStringLiteral(".pdf");
    QString file =
        userDialogs().saveFileName(Report::tr("Rapport d'exploitation"), proposed, Report::tr("Documents PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    // As the CSV export does: a bare name is a PDF document.
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    setLastExportFile(file);

    QString error;
    switch (writeReport(file, content, sections, nullptr, &error)) {
    case ReportStatus::Cancelled: return;
    case ReportStatus::WriteFailed:
        userDialogs().message(UserDialogs::Icon::Warning, Report::tr("Rapport d'exploitation"), error);
        return;
    case ReportStatus::BadSuffix:
        userDialogs().message(UserDialogs::Icon::Warning, Report::tr("Rapport d'exploitation"),
                              Report::tr("Le rapport %1 n'a pas été écrit : seuls les suffixes .pdf et .ps sont "
                                         "possibles.")
                                  .arg(QDir::toNativeSeparators(file)));
        return;
    case ReportStatus::Written: break;
    }
    if (!userDialogs().openInViewer(file))
        userDialogs().message(UserDialogs::Icon::Warning, Report::tr("Rapport d'exploitation"),
                              Report::tr("Le rapport %1 est écrit, mais aucune application n'a pu l'ouvrir.")
                                  .arg(QDir::toNativeSeparators(file)));
}
