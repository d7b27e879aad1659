// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/summarypage.h"

#include "gui/charts/hourlyprofileplot.h"
#include "gui/charts/speedbinplot.h"
#include "gui/tabs/summaryformat.h"

#include <QAbstractTextDocumentLayout>
#include <QLocale>
#include <QPainter>
#include <QTextDocument>
#include <qwt_plot_renderer.h>

namespace {

const char* const kStyle = "<style>table { font-size: 8px; } td.h { background-color: rgb(182,204,182); }"
                           " td.v { text-align: right; } td.l { white-space: nowrap; }</style>";

// HTML collapses the blanks that indent a label.
QString cellText(const QString& label)
{
    int indent = 0;
    while (indent < label.size() && label[indent] == QLatin1Char(' '))
        ++indent;
    return QStringLiteral("&nbsp;&nbsp;").repeated(indent) + label.mid(indent).toHtmlEscaped();
}

// The columns of the directions the summary has: one-way radars get one figure column.
QList<int> shownGroups(const TrafficSummary& s)
{
    if (s.hasDirection(0) && s.hasDirection(1))
        return {0, 1, 2};
    return {s.hasDirection(1) ? 1 : 0};
}

QString tableHtml(const QVector<SummaryLine>& lines, const QList<int>& groups)
{
    QString html =
        QLatin1String(kStyle) + QStringLiteral("<table width=100% cellspacing=0 cellpadding=1><tr><td></td>");
    for (int g : groups)
        html += QStringLiteral("<td class=v><b>%1</b></td>").arg(SummaryFormat::groupTitle(g));
    html += QStringLiteral("</tr>");
    for (const SummaryLine& line : lines) {
        if (line.heading) {
            html += QStringLiteral("<tr><td class=h colspan=%1><b>%2</b></td></tr>")
                        .arg(groups.size() + 1)
                        .arg(line.label.toHtmlEscaped());
            continue;
        }
        html += QStringLiteral("<tr><td>%1</td>").arg(cellText(line.label));
        for (int g : groups)
            html += QStringLiteral("<td class=v>%1</td>").arg(line.values[std::size_t(g)].toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString qualityHtml(const QVector<SummaryLine>& lines)
{
    QString html = QLatin1String(kStyle) + QStringLiteral("<table width=100% cellspacing=0 cellpadding=1>");
    for (const SummaryLine& line : lines) {
        if (line.heading)
            html += QStringLiteral("<tr><td class=h colspan=2><b>%1</b></td></tr>").arg(line.label.toHtmlEscaped());
        else
            html += QStringLiteral("<tr><td width=55%>%1</td><td class=v>%2</td></tr>")
                        .arg(cellText(line.label), line.values[0].toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

// Draws html at (x, y) within width; answers its height.
qreal drawHtml(QPainter& painter, const QString& html, qreal x, qreal y, qreal width)
{
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setHtml(html);
    document.setTextWidth(width);
    painter.save();
    painter.translate(x, y);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
    return document.size().height();
}

}   // namespace

void SummaryPage::paint(QPainter& painter, const QRectF& area, const TrafficSummary& summary, const QString& unit,
                        Part part)
{
    painter.save();
    const qreal gap = 10;
    const QLocale locale;
    const auto date = [&](const QDateTime& dt) { return locale.toString(dt, QLocale::ShortFormat); };
    const QString limit = summary.limit ? tr("vitesse limite : %1&nbsp;%2").arg(locale.toString(*summary.limit), unit)
                                        : tr("limite non renseignée : aucun chiffre de conformité");
    qreal y = area.top();
    y += drawHtml(painter,
                  tr("<h4>%1</h4><span style=\"font-size: 9px\">Du %2 au %3 ; %4<br>Mode d'enregistrement : "
                     "%5</span>")
                      .arg(sectionTitle().toHtmlEscaped(), date(summary.begin), date(summary.end), limit,
                           SummaryFormat::storeModeText(summary).toHtmlEscaped()),
                  area.left(), y, area.width())
        + 6;

    if (part == Part::Figures) {
        const qreal column = (area.width() - gap) / 2;
        const QList<int> groups = shownGroups(summary);
        const qreal left =
            drawHtml(painter, tableHtml(SummaryFormat::leftLines(summary, unit, SummaryFormat::Style::Display), groups),
                     area.left(), y, column);
        const qreal right = drawHtml(
            painter, tableHtml(SummaryFormat::rightLines(summary, unit, SummaryFormat::Style::Display), groups),
            area.left() + column + gap, y, column);
        // The data quality under the shorter column.
        drawHtml(painter, qualityHtml(SummaryFormat::qualityLines(summary, unit, SummaryFormat::Style::Display)),
                 left <= right ? area.left() : area.left() + column + gap, y + std::min(left, right) + gap, column);
        painter.restore();
        return;
    }

    // The two charts share what is left: one above the other on a portrait page, side by side on
    // a landscape one.
    HourlyProfilePlot hourly;
    hourly.setProfile(summary.groups[TrafficSummary::Both], summary.limit, unit,
                      SummaryFormat::countsReadings(summary));
    SpeedBinPlot speeds;
    speeds.setSummary(summary, unit);
    const QRectF rest(area.left(), y, area.width(), area.bottom() - y);
    const bool landscape = rest.width() > 1.4 * rest.height();
    const QRectF first = landscape ? QRectF(rest.left(), rest.top(), (rest.width() - gap) * 0.6, rest.height())
                                   : QRectF(rest.left(), rest.top(), rest.width(), (rest.height() - gap) / 2);
    const QRectF second = landscape
        ? QRectF(first.right() + gap, rest.top(), rest.width() - first.width() - gap, rest.height())
        : QRectF(rest.left(), first.bottom() + gap, rest.width(), first.height());
    QwtPlotRenderer renderer;
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground);
    renderer.render(&hourly, &painter, first);
    renderer.render(&speeds, &painter, second);
    painter.restore();
}
