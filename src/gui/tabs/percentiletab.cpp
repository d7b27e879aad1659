// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/percentiletab.h"

#include "analysis/analysis.h"
#include "core/userdialogs.h"
#include "gui/charts/percentileplot.h"
#include "gui/report/reportsection.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLocale>
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
    const QString unit = a.unitLabel();
    // An undefined percentile (too few vehicles) is a dash, never 0.
    const auto value = [&](const std::optional<double>& v) {
        return v ? QStringLiteral("<td width=10%>%1%2</td>").arg(*v, 1, 'f', 2).arg(unit)
                 : QStringLiteral("<td width=10%>\u2014</td>");
    };
    return QStringLiteral("<html><body><h4>")
        + (direction == 0 ? PercentileTab::tr("Percentiles de vitesse sens entrant")
                          : PercentileTab::tr("Percentiles de vitesse sens sortant"))
        + QStringLiteral("</h4><hr><table width=100%>") + QStringLiteral("<tr>")
        + PercentileTab::tr("<td width=5%><h4>V30:</h4></td>") + value(d.v30)
        + PercentileTab::tr("<td width=5%><h4>V50:</h4></td>") + value(d.v50)
        + PercentileTab::tr("<td width=5%><h4>V85:</h4></td>") + value(d.v85)
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
            // Its cells are a twentieth and a tenth of the width, too narrow for "V30:" and
            // "42.00Km/h" in most fonts: they widen to their text rather than break it.
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
        auto* title = new QLabel(d == 0 ? tr("<html><head/><body><p><span style=\" font-weight:600;\">Véhicules "
                                             "entrants</span></p></body></html>")
                                        : tr("<html><head/><body><p><span style=\" font-weight:600;\">Véhicules "
                                             "sortants</span></p></body></html>"));
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
            grid->addWidget(c.units[i] = new QLabel(QStringLiteral("Km/h")), i, 2);
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
    auto* plot = new PercentilePlot(parent, tr("Pourcentage de véhicules"),
                                    QStringLiteral("%1 %2").arg(tr("Vitesse"), a.unitLabel()), 0, 100, 10, top);
    QVector<QPointF> points;
    for (const CurvePoint& point : a.direction(direction).percentageCurve)
        points.append(QPointF(point.x, point.y));
    if (!points.isEmpty())
        plot->addCurve(0, points, direction == 0 ? QColor(0, 128, 0) : QColor(0, 0, 128));
    return plot;
}

void PercentileTab::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    const QLocale locale;
    for (int d = 0; d < 2; ++d) {
        Column& c = m_columns[d];
        const bool present = analysis->directions().contains(d);
        for (QWidget* widget : qAsConst(c.widgets))
            widget->setVisible(present);
        for (int i = 0; i < 3; ++i) {
            const std::optional<double> v = percentile(analysis->direction(d), i);
            c.values[i]->setText(v ? locale.toString(*v, 'f', 2) : QStringLiteral("\u2014"));
            c.units[i]->setText(analysis->unitLabel());
        }
        delete m_plots[d];
        m_plots[d] = newPlot(*analysis, d, c.view);
        c.view->layout()->addWidget(m_plots[d]);
    }
}

bool PercentileTab::print()
{
    if (!m_plots[0])
        return false;
    for (PercentilePlot* plot : m_plots)
        plot->print();
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
