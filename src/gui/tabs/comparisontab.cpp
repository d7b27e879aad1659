// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/comparisontab.h"

#include "analysis/beforeafter.h"
#include "core/checkedfile.h"
#include "gui/charts/chartstyle.h"
#include "gui/charts/plotprint.h"
#include "gui/charts/summarychart.h"
#include "gui/report/reportsection.h"
#include "gui/tabs/summaryformat.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <qwt_legend.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_plot_renderer.h>
#include <qwt_symbol.h>

#include <cmath>

namespace {

const QColor kBeforeColour(40, 90, 190);
const QColor kAfterColour(220, 110, 20);
const QString kDash = QStringLiteral("\u2014");

// Formats the figures of the table and of its CSV alike.
struct Formatter
{
    bool csv;

    template <typename T> QString number(const std::optional<T>& v, int decimals, double scale = 1) const
    {
        if (!v)
            return csv ? QString() : kDash;
        const double value = double(*v) * scale;
        return csv ? QString::number(value, 'f', decimals) : QLocale().toString(value, 'f', decimals);
    }
    template <typename T> QString change(const std::optional<T>& v, int decimals, double scale = 1) const
    {
        const QString text = number(v, decimals, scale);
        return v && double(*v) > 0 ? QLatin1Char('+') + text : text;
    }
    QString p(double p) const
    {
        if (p < 0.001)
            return csv ? QStringLiteral("p < 0.001") : QStringLiteral("p < %1").arg(QLocale().toString(0.001));
        return QStringLiteral("p = ") + number(std::optional<double>(p), p >= 0.1 ? 2 : p >= 0.01 ? 3 : 4);
    }
};

void plotSpeeds(QwtPlot* plot, const BeforeAfter& c, int direction)
{
    summarychart::clearSeries(plot);
    const QString unit = c.before->unitLabel();
    plot->setTitle(
        chartstyle::plotTitle(ComparisonTab::tr("Vitesses cumulées, %1").arg(SummaryFormat::groupTitle(direction))));
    plot->setAxisTitle(QwtPlot::xBottom, summarychart::wrappedAxisTitle(ComparisonTab::tr("Vitesse (%1)").arg(unit)));
    plot->setAxisTitle(QwtPlot::yLeft, summarychart::wrappedAxisTitle(ComparisonTab::tr("Véhicules plus lents (%)")));
    const SpeedComparison& s = c.directions.value(direction);
    int highest = 0;
    for (int side = 0; side < 2; ++side) {
        const Analysis& a = side == 0 ? *c.before : *c.after;
        const ComparedSpeeds speeds = BeforeAfter::speeds(a, direction);
        double total = 0;
        for (const auto& r : speeds.readings)
            total += r.second;
        QVector<QPointF> points;
        double below = 0;
        for (const auto& r : speeds.readings) {
            below += r.second;
            points << QPointF(r.first, 100 * below / total);
            highest = std::max(highest, int(r.first));
        }
        const QColor colour = side == 0 ? kBeforeColour : kAfterColour;
        auto* curve = new QwtPlotCurve(side == 0 ? ComparisonTab::tr("A (avant)") : ComparisonTab::tr("B (après)"));
        curve->setPen(QPen(colour, 2));
        curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
        curve->setSamples(points);
        curve->attach(plot);
        const std::optional<int> v85 = side == 0 ? s.a.v85 : s.b.v85;
        if (v85) {
            auto* marker = new QwtPlotMarker;
            marker->setLineStyle(QwtPlotMarker::VLine);
            marker->setXValue(*v85);
            marker->setLinePen(QPen(colour, 1, Qt::DashLine));
            QwtText label(ComparisonTab::tr("V85 %1").arg(*v85));
            label.setColor(colour);
            label.setFont(QFont(QStringLiteral("arial"), 7, QFont::Bold));
            label.setBackgroundBrush(QColor(255, 255, 255, 210));
            marker->setLabel(label);
            // B's V85 is most often the lower: its label left of its line, A's right of its own.
            marker->setLabelAlignment((side == 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignBottom);
            marker->setItemAttribute(QwtPlotItem::Legend, false);
            marker->attach(plot);
        }
    }
    // Where the curves cross it, their V85.
    auto* share85 = new QwtPlotMarker;
    share85->setLineStyle(QwtPlotMarker::HLine);
    share85->setYValue(85);
    share85->setLinePen(QPen(Qt::gray, 1, Qt::DotLine));
    share85->setItemAttribute(QwtPlotItem::Legend, false);
    share85->attach(plot);
    if (c.limit)
        summarychart::limitMarker(QwtPlotMarker::VLine, *c.limit, ComparisonTab::tr("Limite %1").arg(*c.limit))
            ->attach(plot);
    plot->setAxisScale(QwtPlot::yLeft, 0, 100, 20);
    plot->setAxisScale(QwtPlot::xBottom, 0, std::max(highest, c.limit.value_or(0)) + 5);
    plot->replot();
}

void plotHourly(QwtPlot* plot, const BeforeAfter& c)
{
    summarychart::clearSeries(plot);
    const QString unit = c.before->unitLabel();
    plot->setAxisTitle(QwtPlot::yLeft, summarychart::wrappedAxisTitle(ComparisonTab::tr("V85 (%1)").arg(unit)));
    double highest = c.limit.value_or(0);
    for (int side = 0; side < 2; ++side) {
        const DirectionSummary& g = (side == 0 ? c.before : c.after)->summary().groups[TrafficSummary::Both];
        QVector<QPointF> points;
        for (int h = 0; h < 24; ++h)
            if (const auto& v = g.hourlyV85[std::size_t(h)]) {
                points << QPointF(h + 0.5, *v);
                highest = std::max(highest, double(*v));
            }
        const QColor colour = side == 0 ? kBeforeColour : kAfterColour;
        auto* curve = new QwtPlotCurve(side == 0 ? ComparisonTab::tr("A (avant)") : ComparisonTab::tr("B (après)"));
        curve->setPen(QPen(colour, 2));
        curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
        curve->setSymbol(new QwtSymbol(QwtSymbol::Ellipse, QBrush(colour), QPen(colour), QSize(5, 5)));
        curve->setLegendAttribute(QwtPlotCurve::LegendShowLine);
        curve->setSamples(points);
        curve->attach(plot);
    }
    if (c.limit)
        summarychart::limitMarker(QwtPlotMarker::HLine, *c.limit,
                                  ComparisonTab::tr("Limite %1 %2").arg(*c.limit).arg(unit))
            ->attach(plot);
    plot->setAxisScale(QwtPlot::yLeft, 0, highest > 0 ? highest * 1.15 : 1);
    plot->replot();
}

QwtPlot* newPlot(const QString& title)
{
    auto* plot = new QwtPlot;
    summarychart::setUpSummaryPlot(plot, title);
    plot->setMinimumSize(240, 200);
    return plot;
}

QwtPlot* newHourlyPlot()
{
    QwtPlot* plot = newPlot(ComparisonTab::tr("V85 heure par heure, deux sens"));
    plot->setAxisScale(QwtPlot::xBottom, 0, 24, 2);
    plot->setAxisTitle(QwtPlot::xBottom, summarychart::wrappedAxisTitle(ComparisonTab::tr("Heure")));
    return plot;
}

QString tableHtml(const BeforeAfter& c)
{
    const QString unit = c.before->unitLabel();
    QString html = QStringLiteral("<table width=100% cellspacing=0 cellpadding=2 border=1>");
    html += QStringLiteral("<tr><th></th><th>%1</th><th>%2</th><th>%3</th><th>%4</th></tr>")
                .arg(ComparisonTab::tr("A (avant)"), ComparisonTab::tr("B (après)"), ComparisonTab::tr("Écart B − A"),
                     ComparisonTab::tr("Test"));
    for (auto it = c.directions.constBegin(); it != c.directions.constEnd(); ++it) {
        html += QStringLiteral("<tr><td colspan=5 bgcolor=#b6ccb6><b>%1</b></td></tr>")
                    .arg(SummaryFormat::groupTitle(it.key()));
        for (const ComparisonLine& l : ComparisonTab::lines(it.value(), unit, false))
            html += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td>"
                                   "<td align=right>%4</td><td>%5</td></tr>")
                        .arg(l.label.toHtmlEscaped(), l.a, l.b, l.change, l.test.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

QString verdictsHtml(const BeforeAfter& c)
{
    QString html;
    for (auto it = c.directions.constBegin(); it != c.directions.constEnd(); ++it) {
        html += QStringLiteral("<p><b>%1</b></p><ul>").arg(SummaryFormat::groupTitle(it.key()));
        for (const QString& verdict : it.value().verdicts)
            html += QStringLiteral("<li>%1</li>").arg(verdict.toHtmlEscaped());
        html += QStringLiteral("</ul>");
    }
    return html;
}

QString headingHtml(const BeforeAfter& c)
{
    QStringList sides = ComparisonTab::sideTexts(c);
    for (QString& s : sides)
        s = s.toHtmlEscaped();
    return QStringLiteral("<b>%1</b> &nbsp; %2 &nbsp; %3<br>%4")
        .arg(ComparisonTab::sectionTitle(),
             c.limit ? ComparisonTab::tr("Vitesse limite : %1 %2").arg(*c.limit).arg(c.before->unitLabel())
                     : ComparisonTab::tr("Vitesse limite : aucune"),
             ComparisonTab::tr("Tests au seuil de 5 %, sur le nombre de véhicules."),
             sides.join(QStringLiteral("<br>")));
}

class ComparisonSection : public ReportSection
{
public:
    // Offered, ticked, only where a comparison was made.
    bool checkedByDefault() const override { return false; }
    int pageCount(const ReportContent& content) const override { return content.comparison ? 2 : 0; }
    bool draw(ReportPage& page) const override
    {
        const std::shared_ptr<const BeforeAfter> c = page.content().comparison;
        if (!c)
            return true;
        if (!drawPage(page, [&] {
                page.drawHtml(headingHtml(*c) + tableHtml(*c) + verdictsHtml(*c), 20, 70, 590,
                              QStringLiteral("table, p, li { font-size: 8pt; }"));
            }))
            return false;
        return drawPage(page, [&] {
            QwtPlotRenderer renderer;
            renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground);
            const QList<int> directions = c->directions.keys();
            const double width = (ReportPage::W - 40.0 - 10 * (directions.size() - 1)) / directions.size();
            for (int i = 0; i < directions.size(); ++i) {
                std::unique_ptr<QwtPlot> plot(newPlot(QString()));
                plotSpeeds(plot.get(), *c, directions[i]);
                renderer.render(plot.get(), &page.painter(), QRectF(20 + i * (width + 10), 70, width, 290));
            }
            std::unique_ptr<QwtPlot> hourly(newHourlyPlot());
            plotHourly(hourly.get(), *c);
            renderer.render(hourly.get(), &page.painter(), QRectF(20, 370, ReportPage::W - 40, 290));
        });
    }
};

}   // namespace

ComparisonTab::ComparisonTab(QWidget* parent)
    : AnalysisTab(parent), m_heading(new QLabel), m_table(new QTableWidget(0, 5)),
      m_verdicts(new QLabel), m_cumulative{newPlot(QString()), newPlot(QString())}, m_hourly(newHourlyPlot())
{
    m_heading->setWordWrap(true);
    m_heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_table->setObjectName(QStringLiteral("comparisonTable"));
    m_table->setHorizontalHeaderLabels(
        {tr("Indicateur"), tr("A (avant)"), tr("B (après)"), tr("Écart B − A"), tr("Test")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_verdicts->setObjectName(QStringLiteral("comparisonVerdicts"));
    m_verdicts->setWordWrap(true);
    m_verdicts->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_verdicts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Wrapped to what the table leaves, not as wide as its longest verdict.
    m_verdicts->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_verdicts->setMinimumWidth(220);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    auto* splitter = new QSplitter(Qt::Vertical);
    auto* figures = new QSplitter(Qt::Horizontal);
    figures->addWidget(m_table);
    figures->addWidget(m_verdicts);
    figures->setStretchFactor(0, 5);
    figures->setStretchFactor(1, 2);
    auto* charts = new QWidget;
    auto* chartLayout = new QHBoxLayout(charts);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    for (QwtPlot* plot : {m_cumulative[0], m_cumulative[1], m_hourly})
        chartLayout->addWidget(plot);
    splitter->addWidget(figures);
    splitter->addWidget(charts);
    layout->addWidget(splitter, 1);
}

QVector<ComparisonLine> ComparisonTab::lines(const SpeedComparison& c, const QString& unit, bool csv)
{
    const Formatter f{csv};
    const QString limit = c.limit ? QString::number(*c.limit) : QString();
    const auto speed = [&](const QString& label, auto a, auto b, auto change, int decimals, const QString& test) {
        return ComparisonLine{label, f.number(a, decimals), f.number(b, decimals), f.change(change, decimals), test};
    };
    const auto share = [&](const QString& label, auto a, auto b, auto change, const QString& test) {
        return ComparisonLine{label, f.number(a, 1, 100), f.number(b, 1, 100), f.change(change, 1, 100), test};
    };
    QString welch, v85, overLimit, ks;
    if (c.welch)
        welch = tr("Welch : t = %1, ddl = %2, %3")
                    .arg(f.number(std::optional<double>(c.welch->t), 2),
                         f.number(std::optional<double>(c.welch->df), 0), f.p(c.welch->p));
    if (c.v85Change)
        v85 = tr("IC 95 % : %1 à %2")
                  .arg(f.change(std::optional<int>(c.v85Change->low), 0),
                       f.change(std::optional<int>(c.v85Change->high), 0));
    if (c.overLimit)
        overLimit = tr("z = %1, %2").arg(f.number(std::optional<double>(c.overLimit->z), 2), f.p(c.overLimit->p));
    if (c.ks)
        ks = tr("Kolmogorov-Smirnov : D = %1, %2").arg(f.number(std::optional<double>(c.ks->d), 3), f.p(c.ks->p));
    return {
        speed(tr("Véhicules"), std::optional<double>(c.a.vehicles), std::optional<double>(c.b.vehicles),
              std::optional<double>(c.change.vehicles), 0, QString()),
        speed(tr("Vitesse moyenne (%1)").arg(unit), c.a.meanSpeed, c.b.meanSpeed, c.change.meanSpeed, 1, welch),
        speed(tr("Écart type (%1)").arg(unit), c.a.sdSpeed, c.b.sdSpeed, c.change.sdSpeed, 1, QString()),
        speed(tr("V15 (%1)").arg(unit), c.a.v15, c.b.v15, c.change.v15, 0, QString()),
        speed(tr("V50 (%1)").arg(unit), c.a.v50, c.b.v50, c.change.v50, 0, QString()),
        speed(tr("V85 (%1)").arg(unit), c.a.v85, c.b.v85, c.change.v85, 0, v85),
        speed(tr("V95 (%1)").arg(unit), c.a.v95, c.b.v95, c.change.v95, 0, QString()),
        share(tr("Part > limite (%)"), c.a.shareOverLimit, c.b.shareOverLimit, c.change.shareOverLimit, overLimit),
        share(tr("Part > limite + 10 (%)"), c.a.shareOver10, c.b.shareOver10, c.change.shareOver10, QString()),
        share(tr("Part > limite + 20 (%)"), c.a.shareOver20, c.b.shareOver20, c.change.shareOver20, QString()),
        ComparisonLine{tr("Répartition des vitesses"), QString(), QString(), QString(), ks},
    };
}

QStringList ComparisonTab::sideTexts(const BeforeAfter& c)
{
    const QString format = QStringLiteral("dd/MM/yyyy HH:mm");
    const auto side = [&](const QString& text, const Analysis& a) {
        return text.arg(QFileInfo(a.file()).fileName(), a.begin().toString(format), a.end().toString(format));
    };
    return {side(tr("A (avant) : %1, du %2 au %3"), *c.before), side(tr("B (après) : %1, du %2 au %3"), *c.after)};
}

bool ComparisonTab::writeCsv(const BeforeAfter& c, const QString& file, QString* error)
{
    const auto row = [](const QStringList& fields) { return fields.join(QLatin1Char(';')).toUtf8() + '\n'; };
    CheckedFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Text)) {
        out.write(row({tr("Sens"), tr("Indicateur"), tr("A (avant)"), tr("B (après)"), tr("Écart B − A"), tr("Test")}));
        for (auto it = c.directions.constBegin(); it != c.directions.constEnd(); ++it)
            for (const ComparisonLine& l : lines(it.value(), c.before->unitLabel(), true))
                out.write(row({SummaryFormat::groupTitle(it.key()), l.label, l.a, l.b, l.change, l.test}));
        out.write("\n");
        for (const QString& side : sideTexts(c))
            out.write(row({side}));
        out.write(row({tr("Limite"), c.limit ? QString::number(*c.limit) : QString()}));
        out.write("\n");
        for (auto it = c.directions.constBegin(); it != c.directions.constEnd(); ++it)
            for (const QString& verdict : it.value().verdicts)
                out.write(row({SummaryFormat::groupTitle(it.key()), verdict}));
    }
    if (out.commit())
        return true;
    if (error)
        *error = out.errorString();
    return false;
}

QString ComparisonTab::csvFile(const QString& exportFile)
{
    const QFileInfo info(exportFile);
    return QStringLiteral("%1/%2-comparaison.csv").arg(info.absolutePath(), info.completeBaseName());
}

void ComparisonTab::setComparison(const std::shared_ptr<const BeforeAfter>& comparison)
{
    m_comparison = comparison;
    const BeforeAfter& c = *comparison;
    m_heading->setText(headingHtml(c));
    m_table->clearContents();
    m_table->clearSpans();
    m_table->setRowCount(0);
    QFont bold = m_table->font();
    bold.setBold(true);
    for (auto it = c.directions.constBegin(); it != c.directions.constEnd(); ++it) {
        const int heading = m_table->rowCount();
        m_table->insertRow(heading);
        auto* title = new QTableWidgetItem(SummaryFormat::groupTitle(it.key()));
        title->setFont(bold);
        title->setBackground(QColor(182, 204, 182));
        m_table->setItem(heading, 0, title);
        m_table->setSpan(heading, 0, 1, 5);
        for (const ComparisonLine& l : lines(it.value(), c.before->unitLabel(), false)) {
            const int row = m_table->rowCount();
            m_table->insertRow(row);
            const QStringList cells{l.label, l.a, l.b, l.change, l.test};
            for (int col = 0; col < cells.size(); ++col) {
                auto* item = new QTableWidgetItem(cells[col]);
                item->setToolTip(cells[col]);   // the test's whole text where the column cuts it
                if (col > 0 && col < 4)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(row, col, item);
            }
        }
    }
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    m_verdicts->setText(verdictsHtml(c));
    for (int d = 0; d < 2; ++d) {
        m_cumulative[d]->setVisible(c.directions.contains(d));
        if (c.directions.contains(d))
            plotSpeeds(m_cumulative[d], c, d);
    }
    plotHourly(m_hourly, c);
}

bool ComparisonTab::print()
{
    if (!m_comparison)
        return false;
    for (int d = 0; d < 2; ++d)
        if (m_comparison->directions.contains(d))
            printPlot(m_cumulative[d]);
    printPlot(m_hourly);
    return true;
}

const ReportSection& ComparisonTab::reportSection()
{
    static const ComparisonSection section;
    return section;
}
