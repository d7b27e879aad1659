// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysisrequest.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Analysis;

// The options of the commands that analyse a measure file (stats, report).
struct StatsOptions
{
    QStringList positional;   // the file first, then the command's own
    AnalysisRequest request;
};

// A command's own options: given the arguments and the index of the current one, answers how
// many arguments it took (0: not one of its own), or -1 with a French sentence in error.
using ExtraOption = std::function<int(const QStringList& args, int index, QString& error)>;

// At most positionalCount arguments without "--", the file first. False with a French sentence
// in error (naming usage where it helps).
bool parseStatsOptions(const QStringList& args, const QString& usage, int positionalCount, StatsOptions& o,
                       QString& error, const ExtraOption& extra = {});

// One of the valued options above (--from, --limit, …).
bool isRequestOption(const QString& option);
// Sets the request's field of such an option from its value; false with a French sentence in
// error. shown: the option's name as typed, when it differs (--a-from).
bool setRequestOption(AnalysisRequest& r, const QString& option, const QString& value, QString& error,
                      const QString& shown = QString());

// The runner's analysis of the request, its warnings on standard error; null after the line
// saying why there is none, which comes first.
std::shared_ptr<const Analysis> analyse(const AnalysisRequest& request);
