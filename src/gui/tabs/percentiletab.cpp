// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/percentiletab.h"

#include "analysis/analysis.h"
#include "core/userdialogs.h"
#include "gui/charts/percentileplot.h"
#include "gui/tabs/distributiontab.h"
#include "gui/report/printsheet.h"
#include "gui/report/reportsection.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QTextDocument>
#include <qwt_plot_renderer.h>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kNames[3] = {"v85", "v50", "v30"};

std::optional<double> percentile(const DirectionStatistics& d, int i)
{
    return i == 0 ? d.v85 : i == 1 ? d.v50 : d.v30;
}

QString percentileHtml(const Analysis& a, int direction)
{
    const DirectionStatistics& d = a.direction(direction);
    const DirectionSummary& g = a.summary().groups[std::size_t(direction)];
    const QString unit = a.unitSymbol();
    const QLocale locale;
    // An undefined percentile (too few vehicles) is a dash, never 0.
    const auto cell = [&](const QString& name, const std::optional<double>& v, int decimals) {
        return QStringLiteral("<td align=center><b>%1</b><br>%2</td>")
            .arg(name,
                 v ? QStringLiteral("%1&nbsp;%2").arg(locale.toString(*v, 'f', decimals), unit)
                   : QStringLiteral("\u2014"));
    };
    const auto whole = [](const std::optional<int>& v) { return v ? std::optional<double>(*v) : std::nullopt; };
    return QStringLiteral("<html><body><h4>")
        + (direction == 0 ? PercentileTab::tr("Percentiles de vitesse sens entrant")
                          : PercentileTab::tr("Percentiles de vitesse sens sortant"))
        + QStringLiteral("</h4><hr><table width=100% cellpadding=4><tr>") + cell(QStringLiteral("V15"), whole(g.v15), 0)
        + cell(QStringLiteral("V30"), d.v30, 2) + cell(QStringLiteral("V50"), d.v50, 2)
        + cell(QStringLiteral("V85"), d.v85, 2) + cell(QStringLiteral("V95"), whole(g.v95), 0)
        + QStringLiteral("</tr></table><br/></body></html>");
}

class PercentileSection : public ReportSection
{
public:
    int pageCount(const ReportContent& c) const override { return directionPages(c); }
    bool draw(ReportPage& page) const override
    {
        const Analysis& a = *page.content().analysis;
        return drawDirectionPages(page, [&](int direction) {
            const std::unique_ptr<PercentilePlot> plot(PercentileTab::newPlot(a, direction, nullptr));
            page.drawPlot(*plot);
            // A value never breaks from its unit.
            page.drawHtml(percentileHtml(a, direction), 20, 570, 670 - 570,
                          QStringLiteral("td { white-space: nowrap; }"));
        });
    }
};

}   // namespace

PercentileTab::PercentileTab(QWidget* parent) : AnalysisTab(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    for (int d = 0; d < 2; ++d) {
        Column& c = m_columns[d];
        const QString side = d == 0 ? QStringLiteral("In") : QStringLiteral("Out");
        auto* column = new QVBoxLayout;
        auto* title = new QLabel;
        c.title = title;
        title->setObjectName(QStringLiteral("percentile%1Title").arg(side));
        column->addWidget(title);
        auto* grid = new QGridLayout;
        for (int i = 0; i < 3; ++i) {
            auto* caption = new QLabel(QString::fromLatin1(kNames[i]).toUpper());
            grid->addWidget(caption, i, 0);
            c.values[i] = new QLabel(QStringLiteral("0,0"));
            c.values[i]->setObjectName(QStringLiteral("%1%2Value").arg(QLatin1String(kNames[i]), side));
            c.values[i]->setStyleSheet(QStringLiteral("background-color: rgb(182,204,182);"));
            c.values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            c.values[i]->setMinimumWidth(70);
            grid->addWidget(c.values[i], i, 1);
            grid->addWidget(c.units[i] = new QLabel(QStringLiteral("km/h")), i, 2);
            c.widgets << caption << c.values[i] << c.units[i];
        }
        grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 3);
        column->addLayout(grid);
        auto* view = new QWidget;
        view->setObjectName(QStringLiteral("percentile%1View").arg(side));
        (new QVBoxLayout(view))->setContentsMargins(0, 0, 0, 0);
        column->addWidget(view, 1);
        c.widgets << title << view;
        c.view = view;
        columns->addLayout(column);
    }
    auto* help = new QToolButton;
    help->setObjectName(QStringLiteral("percentileHelpButton"));
    help->setToolTip(tr("Définition des percentiles"));
    help->setIcon(QIcon(QStringLiteral(":/images/help-3.png")));
    help->setIconSize(QSize(24, 24));
    connect(help, &QToolButton::clicked, this, &PercentileTab::explainPercentiles);
    auto* helpRow = new QHBoxLayout;
    helpRow->addStretch();
    helpRow->addWidget(help);
    layout->addLayout(helpRow);
}

PercentilePlot* PercentileTab::newPlot(const Analysis& a, int direction, QWidget* parent)
{
    const int top = qMax(a.direction(0).highestSpeed, a.direction(1).highestSpeed);
    auto* plot =
        new PercentilePlot(parent, a.countsReadings() ? tr("Pourcentage de relevés") : tr("Pourcentage de véhicules"),
                           QStringLiteral("%1 %2").arg(tr("Vitesse"), a.unitSymbol()), 0, 100, 10, top);
    QVector<QPointF> points;
    for (const CurvePoint& point : a.direction(direction).percentageCurve)
        points.append(QPointF(point.x, point.y));
    if (!points.isEmpty())
        plot->addCurve(0, points, direction == 0 ? QColor(0, 128, 0) : QColor(0, 0, 128));
    return plot;
}

void PercentileTab::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    m_analysis = analysis;
    const QLocale locale;
    for (int d = 0; d < 2; ++d) {
        Column& c = m_columns[d];
        const bool present = analysis->directions().contains(d);
        for (QWidget* widget : qAsConst(c.widgets))
            widget->setVisible(present);
        c.title->setText(QStringLiteral("<b>%1</b>").arg(DistributionTab::pieTitle(d, analysis->countsReadings())));
        for (int i = 0; i < 3; ++i) {
            const std::optional<double> v = percentile(analysis->direction(d), i);
            c.values[i]->setText(v ? locale.toString(*v, 'f', 2) : QStringLiteral("\u2014"));
            c.units[i]->setText(analysis->unitSymbol());
        }
        delete m_plots[d];
        m_plots[d] = newPlot(*analysis, d, c.view);
        c.view->layout()->addWidget(m_plots[d]);
    }
}

bool PercentileTab::print()
{
    if (!m_analysis)
        return false;
    const Analysis& a = *m_analysis;
    // The directions side by side, each curve over its percentiles.
    PrintSheet::print(tr("Percentiles de vitesse"), a, {[&](QPainter& painter, const QRectF& area) {
                          const QList<int> directions = a.directions();
                          const double width = area.width() / std::max<int>(1, directions.size());
                          for (int i = 0; i < directions.size(); ++i) {
                              const QRectF column(area.left() + i * width, area.top(), width - 10, area.height());
                              QTextDocument values;
                              values.setHtml(percentileHtml(a, directions[i]));
                              values.setTextWidth(column.width());
                              const double textHeight = values.size().height();
                              const std::unique_ptr<PercentilePlot> plot(newPlot(a, directions[i], nullptr));
                              QwtPlotRenderer renderer;
                              renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground);
                              renderer.render(plot.get(), &painter, column.adjusted(0, 0, 0, -textHeight));
                              painter.save();
                              painter.translate(column.left(), column.bottom() - textHeight);
                              values.drawContents(&painter);
                              painter.restore();
                          }
                      }});
    return true;
}

void PercentileTab::explainPercentiles()
{
    userDialogs().message(
        UserDialogs::Icon::Information, tr("Statistiques"),
        tr("<h3>Définition des percentiles <sup>*</*></h3><hr/>La vitesse <b>V85</b> définit la vitesse en "
           "dessous de laquelle circulent 85 % des VL libres (non contraints par la circulation des autres "
           "véhicules).<br/><br/>Les valeurs <b>V50</b> et <b>V30</b> mesurent respectivement les vitesses 50 "
           "et 30<br/><br/>(*) <i>source : SETRA 2008</i><br/><br/>"));
}

const ReportSection& PercentileTab::reportSection()
{
    static const PercentileSection section;
    return section;
}
