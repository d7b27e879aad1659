// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/reportoutput.h"

#include <QIODevice>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

const char* const kCreator = "Tramola";

QPageSize a4()
{
    return QPageSize(QSizeF(210, 297), QPageSize::Millimeter);
}

class PdfOutput : public ReportOutput
{
public:
    bool begin(QIODevice* device, const QString& title) override
    {
        m_writer = std::make_unique<QPdfWriter>(device);
        m_writer->setTitle(title);
        m_writer->setCreator(QLatin1String(kCreator));
        m_writer->setResolution(kResolution);
        m_writer->setPageSize(a4());
        m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
        return m_painter.begin(m_writer.get());
    }
    QPainter& painter() override { return m_painter; }
    QPaintDevice* layoutDevice() override { return m_writer.get(); }
    bool newPage() override { return m_writer->newPage(); }
    bool end() override { return m_painter.end(); }

private:
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
};

// Level 3 PostScript: each page one RGB image, deflated and in ASCII85.
class PostScriptOutput : public ReportOutput
{
public:
    // Fine enough for text read on paper, small enough to stay a few hundred kilobytes a page.
    static constexpr int kImageResolution = 150;

    bool begin(QIODevice* device, const QString& title) override
    {
        m_device = device;
        const QSizeF points = a4().size(QPageSize::Point);
        m_pointSize = points;
        QString safeTitle = title;
        safeTitle.replace(QLatin1Char('('), QLatin1Char('[')).replace(QLatin1Char(')'), QLatin1Char(']'));
        write(QStringLiteral("%!PS-Adobe-3.0\n%%Creator: %1\n%%Title: (%2)\n%%LanguageLevel: 3\n"
                             "%%BoundingBox: 0 0 %3 %4\n%%Pages: (atend)\n%%EndComments\n")
                  .arg(QLatin1String(kCreator), safeTitle)
                  .arg(qRound(points.width()))
                  .arg(qRound(points.height()))
                  .toLatin1());
        return startPage();
    }
    QPainter& painter() override { return m_painter; }
    QPaintDevice* layoutDevice() override { return &m_page; }
    bool newPage() override { return finishPage() && startPage(); }
    bool end() override
    {
        const bool ok = finishPage();
        write(QStringLiteral("%%Trailer\n%%Pages: %1\n%%EOF\n").arg(m_pages).toLatin1());
        return ok && m_ok;
    }

private:
    bool startPage()
    {
        const QSizeF inches = a4().size(QPageSize::Inch);
        m_page = QImage(qRound(inches.width() * kImageResolution), qRound(inches.height() * kImageResolution),
                        QImage::Format_RGB32);
        m_page.fill(Qt::white);
        // Text and charts measure themselves at the report's resolution, as on the PDF page.
        const int dotsPerMeter = qRound(kResolution / 0.0254);
        m_page.setDotsPerMeterX(dotsPerMeter);
        m_page.setDotsPerMeterY(dotsPerMeter);
        if (!m_painter.begin(&m_page))
            return false;
        m_painter.scale(double(kImageResolution) / kResolution, double(kImageResolution) / kResolution);
        return true;
    }

    bool finishPage()
    {
        if (!m_painter.isActive())
            return false;
        m_painter.end();
        ++m_pages;
        const int w = m_page.width();
        const int h = m_page.height();
        QByteArray rgb;
        rgb.reserve(w * h * 3);
        for (int y = 0; y < h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(m_page.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                rgb.append(char(qRed(line[x])));
                rgb.append(char(qGreen(line[x])));
                rgb.append(char(qBlue(line[x])));
            }
        }
        // qCompress prefixes the zlib stream with its length.
        const QByteArray deflated = qCompress(rgb, 6).mid(4);
        write(QStringLiteral("%%Page: %1 %1\n<< /PageSize [%2 %3] >> setpagedevice\ngsave\n%2 %3 scale\n"
                             "/DeviceRGB setcolorspace\n"
                             "<< /ImageType 1 /Width %4 /Height %5 /BitsPerComponent 8 /Decode [0 1 0 1 0 1]\n"
                             "   /ImageMatrix [%4 0 0 -%5 0 %5]\n"
                             "   /DataSource currentfile /ASCII85Decode filter /FlateDecode filter >> image\n")
                  .arg(m_pages)
                  .arg(m_pointSize.width(), 0, 'f', 2)
                  .arg(m_pointSize.height(), 0, 'f', 2)
                  .arg(w)
                  .arg(h)
                  .toLatin1());
        write(ascii85(deflated));
        write("~>\ngrestore\nshowpage\n");
        return m_ok;
    }

    static QByteArray ascii85(const QByteArray& data)
    {
        QByteArray out;
        out.reserve(data.size() * 5 / 4 + data.size() / 64 + 16);
        int column = 0;
        const auto put = [&](char c) {
            out.append(c);
            // Lines stay well below the 255 characters PostScript readers expect.
            if (++column == 76) {
                out.append('\n');
                column = 0;
            }
        };
        const int n = data.size();
        for (int i = 0; i < n; i += 4) {
            const int count = qMin(4, n - i);
            quint32 word = 0;
            for (int k = 0; k < 4; ++k)
                word = (word << 8) | (k < count ? quint8(data[i + k]) : 0);
            if (count == 4 && word == 0) {
                put('z');
                continue;
            }
            char digits[5];
            for (int k = 4; k >= 0; --k) {
                digits[k] = char('!' + word % 85);
                word /= 85;
            }
            for (int k = 0; k < count + 1; ++k)
                put(digits[k]);
        }
        out.append('\n');
        return out;
    }

    void write(const QByteArray& bytes)
    {
        if (m_device->write(bytes) != bytes.size())
            m_ok = false;
    }

    QIODevice* m_device = nullptr;
    QImage m_page;
    QPainter m_painter;
    QSizeF m_pointSize;
    int m_pages = 0;
    bool m_ok = true;
};

}   // namespace

std::unique_ptr<ReportOutput> ReportOutput::pdf()
{
    return std::make_unique<PdfOutput>();
}

std::unique_ptr<ReportOutput> ReportOutput::postScript()
{
    return std::make_unique<PostScriptOutput>();
}
