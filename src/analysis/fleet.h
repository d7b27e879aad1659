// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysisrunner.h"
#include "analysis/trafficsummary.h"
#include "db/siteinfo.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QJsonObject>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What a fleet asks of each of its files: the whole file, with the default criteria of its units.
struct FleetOptions
{
    std::optional<int> minSpeed;   // empty: the units' default
    // Empty: on, unless the file's campaigns record one reading per vehicle ("Avancé").
    std::optional<bool> dividerOff;
    // The limit of the files that store none; empty: none. A stored limit always wins.
    std::optional<int> limit;
    // Files analysed at once; 0: one per processor core.
    int jobs = 0;
};

// One file of a fleet, as small as a row of its table: the analysis itself is not kept.
struct FleetFile
{
    Q_DECLARE_TR_FUNCTIONS(FleetFile)

public:
    QString file;   // absolute path
    // Why the file has no figures, the single-file commands' line; empty when it was analysed.
    QString error;
    SiteInfo site;
    qint16 units = 0;
    int storeMode = -1;   // of the file's newest campaign; -1 without campaigns
    int vehicleDivider = 1;
    QDateTime begin, end;
    qint64 measuresLoaded = 0;
    qint64 invalidReadings = 0;
    // The figures of stats' "summary" for the same file and criteria: its limit, days, quality
    // and per-direction figures.
    TrafficSummary summary;
    QStringList warnings;

    bool ok() const { return error.isEmpty(); }
    // The schema is in the README (tramola-cli fleet).
    QJsonObject toJson() const;

    // Semicolon-separated, one row per direction (one for a file without figures), numbers in the
    // format of numbers (without group separator), shares in percent; each line ends with a line feed.
    static QByteArray csvHeader();
    QByteArray csvRows(QLocale numbers) const;
};

// Analyses many measure files, each alone, several at once: the window's folder view and the
// command line's fleet. Every file is read as a read-only one (AnalysisRequest::writeNothing):
// nothing is added to any of them. A file that cannot be analysed gets its reason and the batch
// goes on.
class FleetRunner
{
    Q_DECLARE_TR_FUNCTIONS(FleetRunner)

public:
    // Called in the files' order, one call at a time, on a worker thread.
    using FileListener = std::function<void(int index, const FleetFile& file)>;
    // After each file analysed, in whatever order they finish; one call at a time, on a worker thread.
    using ProgressListener = std::function<void(int done, int total)>;

    explicit FleetRunner(const FleetOptions& options = {}) : m_options(options) { }
    void setProgressListener(ProgressListener listener) { m_progressListener = std::move(listener); }
    // Any thread: the analyses stop at their next check, and no further file is reported.
    void cancel() { m_progress.cancel(); }
    bool isCanceled() const { return m_progress.isCanceled(); }

    // Analyses the files on FleetOptions::jobs threads, the calling one among them, holding one
    // analysis per thread at most, and returns once all are reported or the run is cancelled.
    void run(const QStringList& files, const FileListener& onFile);

    // One file, as run() analyses it. progress may be null.
    static FleetFile analyse(const QString& file, const FleetOptions& options, AnalysisProgress* progress = nullptr);

    // The measure files of paths, each once, sorted by absolute path: a folder gives its *.db
    // files (and those of its sub-folders when recursive), a file itself. False with a French line
    // for a path that does not exist or a folder that cannot be listed.
    static bool measureFiles(const QStringList& paths, bool recursive, QStringList* files, QString* error);

private:
    FleetOptions m_options;
    ProgressListener m_progressListener;
    AnalysisProgress m_progress;
};
