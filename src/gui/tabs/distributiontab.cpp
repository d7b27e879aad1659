// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/distributiontab.h"

#include "analysis/analysis.h"
#include "gui/charts/speedclasspie.h"
#include "gui/report/reportsection.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

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

// A page per direction: the pie, drawn as a picture fine enough to stay sharp on paper.
class PieSection : public ReportSection
{
public:
    int pageCount(const ReportContent& c) const override { return directionPages(c); }
    bool draw(ReportPage& page) const override
    {
        const Analysis& a = *page.content().analysis;
        return drawDirectionPages(page, [&](int direction) {
            const QRectF target(20, 70, 640, 300);
            const std::unique_ptr<SpeedClassPie> pie(DistributionTab::newPie(a, direction, nullptr));
            pie->resize(pieCanvasSize(*pie, target.size()));
            // On paper rather than on the window's grey.
            QPalette palette = pie->palette();
            palette.setColor(QPalette::Window, Qt::white);
            pie->setPalette(palette);
            const double density = 1800.0 / pie->width();
            QImage picture((QSizeF(pie->size()) * density).toSize(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::white);
            {
                QPainter p(&picture);
                p.setRenderHint(QPainter::Antialiasing);
                p.scale(density, density);
                pie->render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
            }
            QPainter& p = page.painter();
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(target, picture);
            p.restore();
        });
    }
};

}   // namespace

DistributionTab::DistributionTab(QWidget* parent) : AnalysisTab(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(tr("<html><head/><body><p align=\"center\"><span style=\" font-size:11pt; "
                                  "font-weight:600;\">Répartition des véhicules par tranche de vitesse</span></p>"
                                  "</body></html>"));
    heading->setObjectName(QStringLiteral("distributionHeading"));
    heading->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(heading);
    auto* pies = new QHBoxLayout;
    for (QVBoxLayout*& column : m_columns)
        pies->addLayout(column = new QVBoxLayout);
    layout->addLayout(pies, 1);
}

QString DistributionTab::pieTitle(int direction, bool readings)
{
    if (readings)
        return direction == 0 ? tr("Relevés entrants") : tr("Relevés sortants");
    return direction == 0 ? tr("Véhicules entrants") : tr("Véhicules sortants");
}

SpeedClassPie* DistributionTab::newPie(const Analysis& a, int direction, QWidget* parent)
{
    if (!a.directions().contains(direction))
        return nullptr;
    const DirectionStatistics& d = a.direction(direction);
    return new SpeedClassPie(parent, d.classes, a.vehicleDivider(), pieTitle(direction, a.countsReadings()),
                             a.unitLabel(), d.vehicleCount, tr(" (et +)"));
}

void DistributionTab::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    m_analysis = analysis;
    qDeleteAll(pies());
    // A one-way file leaves the outgoing column empty.
    for (int direction : analysis->directions())
        m_columns[direction]->addWidget(newPie(*analysis, direction, this));
}

QList<SpeedClassPie*> DistributionTab::pies() const
{
    return findChildren<SpeedClassPie*>(QString(), Qt::FindDirectChildrenOnly);
}

bool DistributionTab::print()
{
    if (!m_analysis)
        return false;
    for (int direction : m_analysis->directions()) {
        const std::unique_ptr<SpeedClassPie> pie(newPie(*m_analysis, direction, nullptr));
        pie->print(pieTitle(direction, m_analysis->countsReadings()));
    }
    return true;
}

const ReportSection& DistributionTab::reportSection()
{
    static const PieSection section;
    return section;
}
