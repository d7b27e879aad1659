// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/csvexport.h"

#include "analysis/analysis.h"
#include "core/userdialogs.h"
#include "core/workspace.h"
#include "gui/models/buckettablemodel.h"
#include "gui/tabs/comparisontab.h"
#include "gui/tabs/summaryformat.h"
#include "core/checkedfile.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <functional>

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

QByteArray speed(double value)
{
    return QByteArray::number(value, 'f', 2);
}

QByteArray date(qint64 time, const QString& format)
{
    return QDateTime::fromSecsSinceEpoch(time).toString(format).toLatin1();
}

// Text mode, so that lines end in CR LF on Windows. The body writes through the file it gets.
// A failure is logged when asked and its reason kept in *error.
bool writeWhole(const QString& file, const QByteArray& header, QString* error, bool logged,
                const std::function<void(CheckedFile&)>& body)
{
    CheckedFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Text)) {
        out.write(header);
        body(out);
    }
    if (out.commit())
        return true;
    if (logged)
        qWarning() << CsvExport::errorTitle() << CsvExport::errorText(file, out.errorString());
    if (error)
        *error = out.errorString();
    return false;
}

}   // namespace

QStringList CsvExport::exportAnalysis(const Analysis& analysis, const BucketTableModel& table, const QString& file,
                                      TableFormat format)
{
    QStringList written;
    QString error;
    if (writeBucketTable(table, file, &error, format))
        written << file;
    else
        userDialogs().message(UserDialogs::Icon::Warning, errorTitle(), errorText(file, error));
    if (exportMeanMinMax(analysis.direction(0).buckets, meanMinMaxFile(file)))
        written << meanMinMaxFile(file);
    if (writeSummary(analysis.summary(), analysis.unitSymbol(), summaryFile(file)))
        written << summaryFile(file);
    return written;
}

bool CsvExport::writeBucketTable(const BucketTableModel& table, const QString& file, QString* error, TableFormat format)
{
    const bool spreadsheet = format == TableFormat::Spreadsheet;
    const QByteArray header = (spreadsheet ? kByteOrderMark : QByteArray())
        + QStringLiteral("%1;%2;%3;%4;%5;%6\n")
              .arg(tr("Date"), tr("Direction"), tr("Nombre de relevés"), tr("Nombre véhicules"), tr("Vitesse moyenne"),
                   tr("Vitesse maximale"))
              .toUtf8();
    const auto speed = [spreadsheet](double value) {
        QByteArray text = ::speed(value);
        return spreadsheet ? text.replace('.', ',') : text;
    };
    return writeWhole(file, header, error, false, [&](CheckedFile& out) {
        const auto count = [&](int row, int column) { return QByteArray::number(int(table.number(row, column))); };
        for (int row = 0; row < table.rowCount(); ++row)
            out.write(table.index(row, BucketTableModel::DateColumn).data().toString().toLatin1() + ';'
                      + QByteArray::number(int(table.number(row, BucketTableModel::DirectionColumn)) + 1) + ';'
                      + count(row, BucketTableModel::ReadingsColumn) + ';'
                      + count(row, BucketTableModel::VehiclesColumn) + ';'
                      + speed(table.number(row, BucketTableModel::MeanColumn)) + ';'
                      + speed(table.number(row, BucketTableModel::MaxColumn)) + '\n');
    });
}

bool CsvExport::exportMeanMinMax(const SampleMap& records, const QString& file, QString* error)
{
    const QByteArray header =
        QStringLiteral("%1;%2;%3;%4\n").arg(tr("Date"), tr("Min"), tr("Max"), tr("Moyenne")).toLatin1();
    return writeWhole(file, header, error, true, [&](CheckedFile& out) {
        for (const SampleRecord& r : records)
            out.write(date(r.time, QStringLiteral("dd-MM-yyyy hh:mm")) + ';' + speed(r.minSpeed) + ';'
                      + speed(r.maxSpeed) + ';' + speed(r.meanSpeed) + '\n');
    });
}

bool CsvExport::exportMeasures(const MeasureMap& measures, const QString& file, QString* error)
{
    const QByteArray header = QStringLiteral("%1;%2;%3\n").arg(tr("Date"), tr("Vitesse"), tr("direction")).toLatin1();
    return writeWhole(file, header, error, true, [&](CheckedFile& out) {
        // Consecutive readings mostly share their minute: format it once per minute.
        qint64 minute = -1;
        QByteArray dateText;
        for (const MeasureMap::Entry& e : measures) {
            const qint64 m = e.time - (e.time % 60 + 60) % 60;
            if (m != minute) {
                minute = m;
                dateText = date(e.time, QStringLiteral("dd-MM-yyyy hh:mm"));
            }
            if (!out.write(dateText + ';' + speed(e.measure.speed) + ';' + QByteArray::number(e.measure.direction)
                           + '\n'))
                break;   // a full disk: millions of lines more would change nothing
        }
    });
}

std::optional<QStringList> CsvExport::askAndExport(const Analysis& analysis, const BucketTableModel& table,
                                                   const BeforeAfter* comparison)
{
    const QString documented = tr("Fichier CSV (*.csv)");
    const QString spreadsheet = tr("CSV tableur (virgule décimale) (*.csv)");
    QString file =
        userDialogs().saveFileName(tr("Exporter"), exportFolder(), documented + QStringLiteral(";;") + spreadsheet);
    if (file.isEmpty())
        return std::nullopt;
    const bool suffixAdded = QFileInfo(file).suffix().isEmpty();
    if (suffixAdded)
        file += QStringLiteral(".csv");
    // The file dialog asked about the name it was given, not about the files written beside it.
    QStringList existing;
    for (const QString& other : {suffixAdded ? file : QString(), meanMinMaxFile(file), summaryFile(file),
                                 comparison ? ComparisonTab::csvFile(file) : QString()})
        if (!other.isEmpty() && QFileInfo::exists(other))
            existing << QDir::toNativeSeparators(other);
    if (!existing.isEmpty()
        && userDialogs().question(tr("Exporter"),
                                  tr("Ces fichiers existent déjà et seront remplacés :\n%1").arg(existing.join('\n')),
                                  {tr("Remplacer"), tr("Annuler")}, 1)
            != 0)
        return std::nullopt;
    setLastExportFile(file);
    const auto format =
        userDialogs().selectedFilter() == spreadsheet ? TableFormat::Spreadsheet : TableFormat::Documented;
    QStringList written = exportAnalysis(analysis, table, file, format);
    if (comparison) {
        QString error;
        const QString comparisonFile = ComparisonTab::csvFile(file);
        if (ComparisonTab::writeCsv(*comparison, comparisonFile, &error))
            written << comparisonFile;
        else
            userDialogs().message(UserDialogs::Icon::Warning, errorTitle(), errorText(comparisonFile, error));
    }
    return written;
}

QString CsvExport::askFile()
{
    QString file = userDialogs().saveFileName(tr("Exporter"), exportFolder(), tr("Fichier CSV (*.csv)"));
    if (file.isEmpty())
        return file;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".csv");
    setLastExportFile(file);
    return file;
}

// "<folder>/<base name>-<name>.csv", so that two surveys exported to one folder keep theirs.
static QString companionFile(const QString& file, const char* name)
{
    const QFileInfo info(file);
    return QStringLiteral("%1/%2-%3.csv").arg(info.absolutePath(), info.completeBaseName(), QLatin1String(name));
}

QString CsvExport::meanMinMaxFile(const QString& file)
{
    return companionFile(file, "minmaxavg");
}

bool CsvExport::writeSummary(const TrafficSummary& summary, const QString& unit, const QString& file, QString* error)
{
    using Style = SummaryFormat::Style;
    // The mark tells a spreadsheet the text is UTF-8; the numbers are the interface language's.
    const QByteArray header = kByteOrderMark
        + QStringLiteral("%1;%2;%3;%4\n")
              .arg(tr("Indicateur"), SummaryFormat::groupTitle(0), SummaryFormat::groupTitle(1),
                   SummaryFormat::groupTitle(2))
              .toUtf8();
    return writeWhole(file, header, error, true, [&](CheckedFile& out) {
        QVector<SummaryLine> lines = SummaryFormat::leftLines(summary, unit, Style::Csv);
        lines += SummaryFormat::rightLines(summary, unit, Style::Csv);
        for (const SummaryLine& line : lines) {
            if (!line.heading)
                out.write(QStringList{line.label.trimmed(), line.values[0], line.values[1], line.values[2]}
                              .join(QLatin1Char(';'))
                              .toUtf8()
                          + '\n');
        }
        for (const SummaryLine& line : SummaryFormat::qualityLines(summary, unit, Style::Csv)) {
            if (!line.heading)
                out.write((line.label + QLatin1Char(';') + line.values[0]).toUtf8() + '\n');
        }
        out.write("\n");
        QStringList columns{tr("Heure")};
        for (int g = 0; g < 3; ++g) {
            const QString group = SummaryFormat::groupTitle(g);
            if (SummaryFormat::countsReadings(summary))
                columns << tr("%1 relevés/h lundi-vendredi").arg(group) << tr("%1 relevés/h week-end").arg(group);
            else
                columns << tr("%1 véh./h lundi-vendredi").arg(group) << tr("%1 véh./h week-end").arg(group);
            columns << tr("%1 V85").arg(group);
        }
        out.write(columns.join(QLatin1Char(';')).toUtf8() + '\n');
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        const auto field = [&](const auto& v, int decimals) {
            return v ? locale.toString(double(*v), 'f', decimals).toUtf8() : QByteArray();
        };
        for (std::size_t h = 0; h < 24; ++h) {
            QByteArray row = TrafficSummary::clockText(int(h) * 60).toLatin1();
            for (const DirectionSummary& g : summary.groups)
                row += ';' + field(g.weekdayHourly[h], 2) + ';' + field(g.weekendHourly[h], 2) + ';'
                    + field(g.hourlyV85[h], 0);
            out.write(row + '\n');
        }
    });
}

QString CsvExport::summaryFile(const QString& file)
{
    return companionFile(file, "synthese");
}
