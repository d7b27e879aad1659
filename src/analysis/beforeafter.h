// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysis.h"
#include "analysis/analysisrunner.h"
#include "analysis/speedcomparison.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QMap>
#include <QStringList>
#include <memory>
#include <optional>

struct BeforeAfterOutcome;

// Did something change the speeds? Two analyses of the same criteria, A before and B after
// (two campaigns or periods of one file, or two files of the same units), compared direction by
// direction. Immutable once made; holds both analyses, for the views that draw them side by side.
class BeforeAfter
{
    Q_DECLARE_TR_FUNCTIONS(BeforeAfter)

public:
    std::shared_ptr<const Analysis> before;
    std::shared_ptr<const Analysis> after;
    // The limit the comparison counts against: the one asked for, else the one A stores; empty
    // when there is none.
    std::optional<int> limit;
    // Per direction present on both sides (0 ingoing, 1 outgoing).
    QMap<int, SpeedComparison> directions;

    // Runs both analyses, at once when they read two different files, then compares them.
    // limit: the one asked for (0 or less: none), empty to take A's stored one. The verdicts
    // follow the installed language. progress (may be null) cancels both; its listener may be
    // called from two threads.
    static BeforeAfterOutcome run(const AnalysisRequest& a, const AnalysisRequest& b, std::optional<int> limit,
                                  AnalysisProgress* progress = nullptr);
    // The comparison of two analyses already made.
    static BeforeAfterOutcome compare(std::shared_ptr<const Analysis> a, std::shared_ptr<const Analysis> b,
                                      std::optional<int> limit);

    // One side of a direction: its speeds, and the vehicles the tests count (readings, unless
    // the divider is on for a file recording several readings a vehicle).
    static ComparedSpeeds speeds(const Analysis& analysis, int direction);

    // {a, b: {file, begin, end, measuresLoaded, …}, limit, settings, units, directions}; the
    // schema is in the README.
    QJsonObject toJson() const;
};

// What a comparison gave: one, or a French line saying why there is none.
struct BeforeAfterOutcome
{
    std::shared_ptr<const BeforeAfter> comparison;
    QString error;
    bool canceled = false;
    // Said along the way: the analyses' warnings, the limit chosen when A and B store different ones.
    QStringList warnings;

    bool ok() const { return comparison != nullptr; }
};
