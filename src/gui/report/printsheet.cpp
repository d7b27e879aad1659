// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/printsheet.h"

#include "analysis/analysis.h"
#include "core/userdialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

QString PrintSheet::headerHtml(const QString& title, const Analysis& a)
{
    const QLocale locale;
    const QString unit = a.unitSymbol();
    const auto date = [&](const QDateTime& dt) { return locale.toString(dt, QLocale::ShortFormat); };
    const TrafficSummary& s = a.summary();
    QString site = a.site().location.value_or(a.description());
    if (site.isEmpty())
        site = QStringLiteral("—");
    const QString limit =
        s.limit ? QStringLiteral("%1&nbsp;%2").arg(locale.toString(*s.limit), unit) : tr("non renseignée");
    return QStringLiteral("<table width=100%><tr><td><b style=\"font-size:14pt\">%1</b></td>"
                          "<td align=right>%2</td></tr></table>")
               .arg(title.toHtmlEscaped(),
                    tr("Imprimé le %1").arg(locale.toString(QDate::currentDate(), QLocale::ShortFormat)))
        + tr("Site : %1 &nbsp;·&nbsp; Période : du %2 au %3 &nbsp;·&nbsp; Vitesse limite : %4 &nbsp;·&nbsp; "
             "Vitesse minimale : %5&nbsp;%6 &nbsp;·&nbsp; Unités : %6")
              .arg(site.toHtmlEscaped(), date(a.begin()), date(a.end()), limit, locale.toString(a.criteria().minSpeed),
                   unit)
        + QStringLiteral("<hr>");
}

bool PrintSheet::print(const QString& title, const Analysis& analysis, const QList<Body>& pages)
{
    // At the screen's resolution text and charts measure as they do on screen, and Qwt's fonts
    // keep their size: a high resolution would make the plots' texts huge beside the page's.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Tramola"));
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!userDialogs().printDialog(&printer))
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QRectF area(0, 0, page.width(), page.height());

    QTextDocument header;
    header.documentLayout()->setPaintDevice(&printer);
    header.setDocumentMargin(0);
    header.setHtml(headerHtml(title, analysis));
    header.setTextWidth(area.width());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    const double top = header.size().height() + 8;
    bool ok = true;
    for (int i = 0; ok && i < pages.size(); ++i) {
        ok = i == 0 || printer.newPage();
        header.documentLayout()->draw(&painter, context);
        pages[i](painter, QRectF(area.left(), top, area.width(), area.height() - top));
    }
    return painter.end() && ok;
}
