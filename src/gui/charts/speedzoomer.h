// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <qwt_plot_zoomer.h>

// A zoomer whose rectangle is labelled by its plot (a date and a speed rather than raw axis values).
class LabelledZoomer : public QwtPlotZoomer
{
    Q_OBJECT

public:
    explicit LabelledZoomer(QWidget* canvas) : QwtPlotZoomer(canvas, true) { }
    // The text beside the pointer for a point in axis coordinates; the default without one.
    void setLabel(std::function<QString(const QPointF&)> label) { m_label = std::move(label); }

protected:
    QwtText trackerTextF(const QPointF& pos) const override
    {
        return m_label ? QwtText(m_label(pos)) : QwtPlotZoomer::trackerTextF(pos);
    }

private:
    std::function<QString(const QPointF&)> m_label;
};

// Zoomer of the speed plots: the speed axis always starts at 0, and flat rectangles (a click, a
// horizontal drag of 5 units or less) are ignored.
class SpeedZoomer : public LabelledZoomer
{
    Q_OBJECT

public:
    explicit SpeedZoomer(QWidget* canvas);

    using QwtPlotZoomer::zoom;
    void zoom(const QRectF& rect) override;
};
