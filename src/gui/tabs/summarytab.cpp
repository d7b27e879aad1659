// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/summarytab.h"

#include "analysis/analysis.h"
#include "gui/report/reportsection.h"
#include "gui/report/summarypage.h"
#include "gui/report/printsheet.h"
#include "gui/charts/hourlyprofileplot.h"
#include "gui/charts/speedbinplot.h"
#include "gui/tabs/summaryformat.h"
#include "ui_summarytab.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>

#include <algorithm>
#include <QTableWidget>
#include <qwt_scale_widget.h>
#include <qwt_text.h>

namespace {

void fill(QTableWidget* table, const QVector<SummaryLine>& lines, const TrafficSummary& summary)
{
    table->clearContents();
    table->clearSpans();
    table->setRowCount(lines.size());
    QFont bold = table->font();
    bold.setBold(true);
    for (int row = 0; row < lines.size(); ++row) {
        const SummaryLine& line = lines[row];
        auto* label = new QTableWidgetItem(line.label);
        label->setToolTip(line.label.trimmed());
        if (line.heading) {
            label->setFont(bold);
            label->setBackground(QColor(182, 204, 182));
            table->setItem(row, 0, label);
            table->setSpan(row, 0, 1, 4);
            continue;
        }
        table->setItem(row, 0, label);
        for (int g = 0; g < 3; ++g) {
            auto* value = new QTableWidgetItem(line.values[std::size_t(g)]);
            value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, g + 1, value);
        }
    }
    // A direction without readings is a one-way radar's: its column, and the sum, say nothing.
    const bool both = summary.hasDirection(0) && summary.hasDirection(1);
    table->setColumnHidden(1, !summary.hasDirection(0) && summary.hasDirection(1));
    table->setColumnHidden(2, !summary.hasDirection(1));
    table->setColumnHidden(3, !both);
    // Headings span the row: only the labels under them size the first column.
    int width = table->horizontalHeader()->sectionSizeHint(0);
    for (const SummaryLine& line : lines)
        if (!line.heading)
            width = std::max(width, table->fontMetrics().horizontalAdvance(line.label) + 8);
    table->horizontalHeader()->resizeSection(0, width);
    for (int column = 1; column < 4; ++column)
        table->resizeColumnToContents(column);
    // Never narrower than the figures: the scroll area scrolls instead.
    table->setMinimumWidth(table->horizontalHeader()->length() + 2 * table->frameWidth());
    table->setMinimumHeight(table->horizontalHeader()->height() + table->verticalHeader()->length()
                            + 2 * table->frameWidth());
}

}   // namespace

QString SummaryTab::headingHtml(const TrafficSummary& summary, const QString& unit, bool withLink)
{
    const QLocale locale;
    const auto date = [&](const QDateTime& dt) { return locale.toString(dt, QLocale::ShortFormat); };
    QString limit;
    if (summary.limit)
        limit = tr("vitesse limite : %1&nbsp;%2").arg(locale.toString(*summary.limit), unit);
    else if (withLink)
        limit = tr("<span style=\"color:#b00000\">Limite non renseignée</span> — <a href=\"limit\">Renseigner…</a>");
    else
        limit = tr("limite non renseignée : aucun chiffre de conformité");
    return tr("<b>Synthèse du %1 au %2</b> &nbsp; %3<br>Mode d'enregistrement : %4")
        .arg(date(summary.begin), date(summary.end), limit, SummaryFormat::storeModeText(summary).toHtmlEscaped());
}

namespace {

class SummarySection : public ReportSection
{
public:
    int pageCount(const ReportContent&) const override { return 2; }
    bool draw(ReportPage& page) const override
    {
        const Analysis& a = *page.content().analysis;
        // Down to a little above the campaign block.
        for (const SummaryPage::Part part : {SummaryPage::Part::Figures, SummaryPage::Part::Charts})
            if (!drawPage(page, [&] {
                    SummaryPage::paint(page.painter(), QRectF(20, 70, ReportPage::W - 40, 590), a.summary(),
                                       a.unitSymbol(), part);
                }))
                return false;
        return true;
    }
};

}   // namespace

SummaryTab::SummaryTab(QWidget* parent) : AnalysisTab(parent), ui(new Ui::SummaryTab)
{
    ui->setupUi(this);
    connect(ui->summary_heading, &QLabel::linkActivated, this, &SummaryTab::limitRequested);
    // Whole tables side by side; the scroll area, not each table, scrolls in a small window.
    for (QTableWidget* table : {ui->summary_left, ui->summary_right}) {
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    }
    ui->summary_splitter->setSizes({550, 450});
    auto* compare = new QPushButton(tr("Comparer…"));
    compare->setObjectName(QStringLiteral("compareButton"));
    compare->setToolTip(tr("Comparer cette analyse (avant) à une autre période, campagne ou fichier (après)"));
    connect(compare, &QPushButton::clicked, this, &SummaryTab::compareRequested);
    auto* heading = new QHBoxLayout;
    ui->summary_layout->removeWidget(ui->summary_heading);
    heading->addWidget(ui->summary_heading, 1);
    heading->addWidget(compare, 0, Qt::AlignTop);
    ui->summary_layout->insertLayout(0, heading);
    m_hourly = new HourlyProfilePlot(ui->summary_charts);
    m_speeds = new SpeedBinPlot(ui->summary_charts);
    // The plots' own hints add up to a tab wider than the smallest window: they shrink instead.
    // Never narrower than the title, which sits over the canvas between the axes.
    for (QwtPlot* plot : {static_cast<QwtPlot*>(m_hourly), static_cast<QwtPlot*>(m_speeds)}) {
        int axes = 0;
        for (const int axis : {int(QwtPlot::yLeft), int(QwtPlot::yRight)})
            if (plot->axisEnabled(axis))
                axes += plot->axisWidget(axis)->sizeHint().width();
        const int title = int(plot->title().textSize(plot->title().font()).width());
        plot->setMinimumSize(std::max(200, title + axes + 60), 160);   // the scales widen with the figures
    }
    ui->summary_charts_layout->addWidget(m_hourly, 3);
    ui->summary_charts_layout->addWidget(m_speeds, 2);
    ui->summary_figures_view->viewport()->installEventFilter(this);
}

bool SummaryTab::eventFilter(QObject* object, QEvent* event)
{
    if (object == ui->summary_figures_view->viewport() && event->type() == QEvent::Resize)
        arrangeTables();
    return AnalysisTab::eventFilter(object, event);
}

void SummaryTab::arrangeTables()
{
    // Side by side where both fit, else one under the other: the figures never scroll sideways.
    const int both =
        ui->summary_left->minimumWidth() + ui->summary_figures_layout->spacing() + ui->summary_right->minimumWidth();
    ui->summary_figures_layout->setDirection(
        ui->summary_figures_view->viewport()->width() >= both ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

SummaryTab::~SummaryTab()
{
    delete ui;
}

void SummaryTab::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    m_analysis = analysis;
    const TrafficSummary& summary = analysis->summary();
    const QString unit = analysis->unitSymbol();
    ui->summary_heading->setText(headingHtml(summary, unit, true));
    fill(ui->summary_left, SummaryFormat::leftLines(summary, unit, SummaryFormat::Style::Display), summary);
    fill(ui->summary_right, SummaryFormat::rightLines(summary, unit, SummaryFormat::Style::Display), summary);

    QString quality = QStringLiteral("<table cellspacing=0 cellpadding=1>");
    const QVector<SummaryLine> lines = SummaryFormat::qualityLines(summary, unit, SummaryFormat::Style::Display);
    for (const SummaryLine& line : lines) {
        if (line.heading)
            quality += QStringLiteral("<tr><td colspan=2><b>%1</b></td></tr>").arg(line.label.toHtmlEscaped());
        else
            quality += QStringLiteral("<tr><td>%1 :</td><td>%2</td></tr>")
                           .arg(line.label.toHtmlEscaped(), line.values[0].toHtmlEscaped());
    }
    ui->summary_quality->setText(quality + QStringLiteral("</table>"));
    ui->summary_quality->setToolTip(SummaryFormat::dayList(summary.missingDays, -1));

    m_hourly->setProfile(summary.groups[TrafficSummary::Both], summary.limit, unit,
                         SummaryFormat::countsReadings(summary));
    m_speeds->setSummary(summary, unit);
    arrangeTables();
}

bool SummaryTab::print()
{
    if (!m_analysis)
        return false;
    const Analysis& a = *m_analysis;
    const auto part = [&](SummaryPage::Part part) {
        return [&a, part](QPainter& painter, const QRectF& area) {
            SummaryPage::paint(painter, area, a.summary(), a.unitSymbol(), part);
        };
    };
    PrintSheet::print(tr("Synthèse"), a, {part(SummaryPage::Part::Figures), part(SummaryPage::Part::Charts)});
    return true;
}

const ReportSection& SummaryTab::reportSection()
{
    static const SummarySection section;
    return section;
}
