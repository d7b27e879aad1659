// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/speedstatistics.h"
#include "analysis/trafficsummary.h"

#include <QCoreApplication>

#include <QString>
#include <QStringList>
#include <optional>

class Analysis;
class BeforeAfter;
class BucketTableModel;

// The semicolon-separated exports of the loaded statistics. Each file is written whole or not at
// all: a failure leaves an earlier file of the same name as it was, and *error (when given) tells
// why in the user's words. Header words are translated and UTF-8.
class CsvExport
{
    Q_DECLARE_TR_FUNCTIONS(CsvExport)

public:
    // The bucket table's documented format (speeds with a point, no byte-order mark), or the one a
    // French spreadsheet opens as numbers (a byte-order mark, decimal commas).
    enum class TableFormat { Documented, Spreadsheet };

    // The bucket table into file, then NAME-minmaxavg.csv (the ingoing buckets) and
    // NAME-synthese.csv beside it, also when the table could not be written (a box says why).
    // Answers the files written.
    static QStringList exportAnalysis(const Analysis& analysis, const BucketTableModel& table, const QString& file,
                                      TableFormat format = TableFormat::Documented);

    // The rows of the bucket table in the model's order: "dd/MM/yyyy hh:mm;direction+1;readings;
    // vehicles;mean;max". False, nothing logged, when the file cannot be written.
    static bool writeBucketTable(const BucketTableModel& table, const QString& file, QString* error = nullptr,
                                 TableFormat format = TableFormat::Documented);

    // Every bucket of one direction, empty ones included: "dd-MM-yyyy hh:mm;min;max;mean". False,
    // with a warning in the log, when the file cannot be written.
    static bool exportMeanMinMax(const SampleMap& records, const QString& file, QString* error = nullptr);

    // Every measure in time order: "dd-MM-yyyy hh:mm;speed;direction" (direction as stored).
    // False, with a warning in the log, when the file cannot be written.
    static bool exportMeasures(const MeasureMap& measures, const QString& file, QString* error = nullptr);

    // "<absolute folder of file>/<its base name>-minmaxavg.csv": beside the bucket table.
    static QString meanMinMaxFile(const QString& file);

    // The summary, UTF-8 with a byte-order mark, numbers as the interface language writes them
    // (without group separator): "Indicateur;Entrant;Sortant;Deux sens" and one line per figure
    // (empty fields for figures without data, shares in percent), then after an empty line the hourly
    // profile, "Heure" and per group the weekday and weekend vehicles per hour and V85. False,
    // with a warning in the log, when the file cannot be written.
    static bool writeSummary(const TrafficSummary& summary, const QString& unit, const QString& file,
                             QString* error = nullptr);
    // "<absolute folder of file>/<its base name>-synthese.csv".
    static QString summaryFile(const QString& file);

    // "Exporter": asks for the bucket table's file and its format, asks once before replacing any
    // of the files it writes, then writes them with exportAnalysis() and, when one is shown, the
    // comparison's NAME-comparaison.csv. The files written; empty when cancelled.
    static std::optional<QStringList> askAndExport(const Analysis& analysis, const BucketTableModel& table,
                                                   const BeforeAfter* comparison);

    // The save dialog of an export, in the export folder: the file named, ".csv" added to a name
    // without suffix and kept for the next export; empty when cancelled.
    static QString askFile();

    static QString errorTitle() { return tr("Erreur à l'exportation"); }
    static QString errorText(const QString& file, const QString& reason)
    {
        return tr("Le fichier %1 n'a pas pu être écrit : %2").arg(file, reason);
    }
};
