// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QIODevice;
class QPaintDevice;
class QPainter;

// The paged device a report is drawn on: an A4 page at 85 dots per inch, no margins. Writes go
// to an open device; whether they all succeeded is the device's to tell.
class ReportOutput
{
public:
    static constexpr int kResolution = 85;

    virtual ~ReportOutput() = default;
    // Starts the first page; false when nothing can be drawn.
    virtual bool begin(QIODevice* device, const QString& title) = 0;
    virtual QPainter& painter() = 0;
    // The device text is laid out for, so that it is drawn with the metrics it was measured with.
    virtual QPaintDevice* layoutDevice() = 0;
    virtual bool newPage() = 0;
    // Finishes the document.
    virtual bool end() = 0;

    // A PDF document.
    static std::unique_ptr<ReportOutput> pdf();
    // A PostScript document of one picture per page: Qt draws no PostScript of its own, so each
    // page is drawn at a finer resolution and written as an image.
    static std::unique_ptr<ReportOutput> postScript();
};
