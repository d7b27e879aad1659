// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/speedstatistics.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The options of the commands that analyse a measure file (stats, report).
struct StatsOptions
{
    QStringList positional;   // the file first, then the command's own
    QString file;
    QDateTime from;   // invalid when not given
    QDateTime to;
    int minSpeed = -1;   // -1: the default of the file's units
    int filterMinutes = 30;
    int range = 150;
    bool dividerOff = false;   // the "Standard" store mode
    bool dividerGiven = false;
    QList<int> campaigns;   // --campaign, in the order given; empty: the whole file
    QString area;   // empty: the first of the window's list
    QString areasFile;   // empty: the data folder's file of the units
    int limit = 0;   // --limit; 0: the file's stored limit, else the area's
};

// A command's own options: given the arguments and the index of the current one, answers how
// many arguments it took (0: not one of its own), or -1 with a French sentence in error.
using ExtraOption = std::function<int(const QStringList& args, int index, QString& error)>;

// At most positionalCount arguments without "--", the file first. False with a French sentence
// in error (naming usage where it helps).
bool parseStatsOptions(const QStringList& args, const QString& usage, int positionalCount, StatsOptions& o,
                       QString& error, const ExtraOption& extra = {});

// The file read and analysed as the window does after "Ouvrir": the period of the options or of
// the whole file, snapped to half hours, the speed area chosen, load() run.
struct LoadedStatistics
{
    SpeedStatistics stats;
    QDateTime begin;   // the period the editors would show
    QDateTime end;
    int measuresLoaded = 0;
    int bucketCount = 0;
    bool hasGaps = false;
    QString area;
    qint16 units = 0;
    QList<int> campaigns;   // the campaigns analysed, with --campaign
    int storeMode = -1;
};

// False with a French sentence in error. Messages the window would box go to standard error.
bool loadStatistics(const StatsOptions& o, LoadedStatistics& result, QString& error);
