// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/plotprint.h"

#include "core/userdialogs.h"

#include <QCoreApplication>
#include <QPrinter>
#include <qwt_plot.h>
#include <qwt_plot_renderer.h>
#include <qwt_text.h>

void printPlot(QwtPlot* plot)
{
    QPrinter printer(QPrinter::HighResolution);
    const QString title = plot->title().text();
    if (!title.isEmpty())
        printer.setDocName(QString(title).replace(QLatin1Char('\n'), QCoreApplication::translate("TimePlot", " -- ")));
    printer.setCreator(QStringLiteral("Bode example"));
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!userDialogs().printDialog(&printer))
        return;
    QwtPlotRenderer renderer;
    if (printer.colorMode() == QPrinter::GrayScale) {
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground);
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground);
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasFrame);
        renderer.setLayoutFlag(QwtPlotRenderer::FrameWithScales);
    }
    renderer.renderTo(plot, printer);
}
