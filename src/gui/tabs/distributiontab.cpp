// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/distributiontab.h"

#include "analysis/analysis.h"
#include "gui/charts/speedclasspie.h"
#include "gui/report/printsheet.h"
#include "gui/report/reportsection.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QLocale>
#include <QTextDocument>
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

// The pie as a picture fine enough to stay sharp on paper, drawn into target.
void drawPie(QPainter& painter, const Analysis& a, int direction, const QRectF& target)
{
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
    // The picture keeps its shape, centred in target.
    const QSizeF size = QSizeF(picture.size()).scaled(target.size(), Qt::KeepAspectRatio);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(target.center() - QPointF(size.width(), size.height()) / 2, size), picture);
    painter.restore();
}

// Each direction's pie with its class table: side by side, each pie over its table, on a
// landscape sheet; one under the other, each pie beside its table, on a portrait page.
void drawPies(QPainter& painter, const Analysis& a, const QRectF& area)
{
    const QList<int> directions = a.directions();
    const int n = std::max<int>(1, directions.size());
    const bool landscape = area.width() > 1.4 * area.height();
    for (int i = 0; i < directions.size(); ++i) {
        const QRectF cell = landscape
            ? QRectF(area.left() + i * area.width() / n, area.top(), area.width() / n - 10, area.height())
            : QRectF(area.left(), area.top() + i * area.height() / n, area.width(), area.height() / n - 10);
        QTextDocument table;
        table.setDocumentMargin(0);
        table.setDefaultStyleSheet(QStringLiteral("td, th { white-space: nowrap; }"));
        table.setHtml(DistributionTab::classTableHtml(a, directions[i]));
        table.setTextWidth(landscape ? cell.width() : cell.width() * 0.45);
        const QSizeF size = table.size();
        const QRectF pie =
            landscape ? cell.adjusted(0, 0, 0, -size.height() - 10) : cell.adjusted(0, 0, -size.width() - 10, 0);
        drawPie(painter, a, directions[i], pie);
        painter.save();
        painter.translate(landscape ? QPointF(cell.left(), cell.bottom() - size.height())
                                    : QPointF(cell.right() - size.width(), cell.center().y() - size.height() / 2));
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette.setColor(QPalette::Text, Qt::black);
        table.documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

// One page: both pies, large, with their class tables.
class PieSection : public ReportSection
{
public:
    int pageCount(const ReportContent&) const override { return 1; }
    bool draw(ReportPage& page) const override
    {
        const Analysis& a = *page.content().analysis;
        return drawPage(page, [&] { drawPies(page.painter(), a, QRectF(20, 70, ReportPage::W - 40, 590)); });
    }
};

}   // namespace

DistributionTab::DistributionTab(QWidget* parent) : AnalysisTab(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel;
    heading->setAlignment(Qt::AlignCenter);
    m_heading = heading;
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
                             a.unitSymbol(), d.vehicleCount, tr(" (et +)"));
}

void DistributionTab::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    m_analysis = analysis;
    m_heading->setText(QStringLiteral("<b style=\"font-size:11pt\">%1</b>").arg(title(*analysis)));
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
    const Analysis& a = *m_analysis;
    PrintSheet::print(title(a), a, {[&](QPainter& painter, const QRectF& area) { drawPies(painter, a, area); }});
    return true;
}

QString DistributionTab::title(const Analysis& a)
{
    return a.countsReadings() ? tr("Répartition des relevés par classe de vitesse")
                              : tr("Répartition des véhicules par classe de vitesse");
}

QString DistributionTab::classTableHtml(const Analysis& a, int direction)
{
    const DirectionStatistics& d = a.direction(direction);
    const int divider = std::max(1, a.vehicleDivider());
    const QMap<qint64, int> allot = SpeedClassPie::apportion(d.classes, d.vehicleCount, divider > 1 ? 0.0005 : 0.0);
    const QLocale locale;
    const QString unit = a.unitSymbol();
    QString html = QStringLiteral("<table width=100% cellspacing=0 cellpadding=4 style=\"font-size:9pt\"><tr>"
                                  "<th align=left>%1</th><th align=right>%2</th><th align=right>%3</th>"
                                  "<th align=right>%4</th></tr>")
                       .arg(tr("Classe (%1)").arg(unit), a.countsReadings() ? tr("Relevés") : tr("Véhicules"),
                            tr("Part"), tr("Part cumulée"));
    double cumulated = 0;
    for (auto it = d.classes.cbegin(); it != d.classes.cend(); ++it) {
        const double share = 100 * it->meanSpeed;
        cumulated += share;
        const int count = divider == 1 ? it->measureCount : allot.value(it.key(), 0);
        const QString name = it->minSpeed > 0 ? QStringLiteral("%1–%2").arg(it->minSpeed).arg(it->maxSpeed)
                                              : QStringLiteral("≤ %1").arg(it->maxSpeed);
        html += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3&nbsp;%</td>"
                               "<td align=right>%4&nbsp;%</td></tr>")
                    .arg(name, locale.toString(count), locale.toString(share, 'f', 1),
                         locale.toString(std::min(cumulated, 100.0), 'f', 1));
    }
    return html + QStringLiteral("</table>");
}

const ReportSection& DistributionTab::reportSection()
{
    static const PieSection section;
    return section;
}
