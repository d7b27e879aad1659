#include "csvexport.h"

#include "core/safefile.h"

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>

#include <functional>

namespace {

QByteArray speed(double value)
{
    return QByteArray::number(value, 'f', 2);
}

QByteArray date(qint64 time, const QString& format)
{
    return QDateTime::fromSecsSinceEpoch(time).toString(format).toLatin1();
}

// Text mode, so that lines end in CR LF on Windows. The body writes through the file it gets.
bool writeWhole(const QString& file, const QByteArray& header, const std::function<void(CheckedFile&)>& body)
{
    CheckedFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    out.write(header);
    body(out);
    return out.commit();
}

void warnUnwritable(const QString& file)
{
    qWarning() << CsvExport::errorTitle() << CsvExport::errorText(file);
}

} // namespace

bool CsvExport::writeBucketTable(const DirectionSamples& samples, const QString& file)
{
    const QByteArray header = QStringLiteral("%1;%2;%3;%4;%5;%6\n")
                                  .arg(tr("Date"), tr("Direction"), tr("Nombre de relevés"),
                                       tr("Nombre véhicules"), tr("Vitesse moyenne"), tr("Vitesse maximale"))
                                  .toUtf8();
    return writeWhole(file, header, [&](CheckedFile& out) {
        for (auto direction = samples.cbegin(); direction != samples.cend(); ++direction) {
            const QByteArray key = QByteArray::number(direction.key() + 1);
            for (const SampleRecord& r : direction.value()) {
                if (!r.valid)
                    continue;
                out.write(date(r.time, QStringLiteral("dd/MM/yyyy hh:mm")) + ';' + key + ';'
                          + QByteArray::number(r.measureCount) + ';' + QByteArray::number(r.vehicleCount) + ';'
                          + speed(r.meanSpeed) + ';' + speed(r.maxSpeed) + '\n');
            }
        }
    });
}

bool CsvExport::exportMeanMinMax(const SampleMap& records, const QString& file)
{
    const QByteArray header =
        QStringLiteral("%1;%2;%3;%4\n").arg(tr("Date"), tr("Min"), tr("Max"), tr("Moyenne")).toLatin1();
    const bool written = writeWhole(file, header, [&](CheckedFile& out) {
        for (const SampleRecord& r : records)
            out.write(date(r.time, QStringLiteral("dd-MM-yyyy hh:mm")) + ';' + speed(r.minSpeed) + ';'
                      + speed(r.maxSpeed) + ';' + speed(r.meanSpeed) + '\n');
    });
    if (!written)
        warnUnwritable(file);
    return written;
}

bool CsvExport::exportMeasures(const MeasureMap& measures, const QString& file)
{
    const QByteArray header =
        QStringLiteral("%1;%2;%3\n").arg(tr("Date"), tr("Vitesse"), tr("direction")).toLatin1();
    const bool written = writeWhole(file, header, [&](CheckedFile& out) {
        // Consecutive readings mostly share their minute: format it once per minute.
        qint64 minute = -1;
        QByteArray dateText;
        for (const MeasureMap::Entry& e : measures) {
            const qint64 m = e.time - (e.time % 60 + 60) % 60;
            if (m != minute) {
                minute = m;
                dateText = date(e.time, QStringLiteral("dd-MM-yyyy hh:mm"));
            }
            if (!out.write(dateText + ';' + speed(e.measure.speed) + ';'
                           + QByteArray::number(e.measure.direction) + '\n'))
                break;   // a full disk: millions of lines more would change nothing
        }
    });
    if (!written)
        warnUnwritable(file);
    return written;
}

QString CsvExport::meanMinMaxFile(const QString& file)
{
    return QStringLiteral("%1/minmaxavg.csv").arg(QFileInfo(file).absolutePath());
}
