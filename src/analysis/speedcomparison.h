// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/speedcounts.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QMap>
#include <QStringList>

#include <optional>

// One side of a before/after comparison, in one direction.
struct ComparedSpeeds
{
    SpeedCounts readings;   // readings at each speed, file units
    // Readings one vehicle stands for in the V15..V95 rule, as in the summary.
    int divider = 1;
    // The independent observations the tests count: the vehicles. The readings of one vehicle's
    // burst are not independent, so with the divider on this is readings ÷ divider.
    double vehicles = 0;

    // From an engine's histogram (speed -> readings), n being readings ÷ divider.
    static ComparedSpeeds fromHistogram(const QMap<int, int>& histogram, int divider);
};

// The figures of one side. Each is empty when it has nothing behind it: no reading, no limit,
// fewer than two readings for a deviation.
struct ComparedFigures
{
    double vehicles = 0;
    qint64 readings = 0;
    std::optional<double> meanSpeed;
    std::optional<double> sdSpeed;   // sample deviation (n - 1) of the readings' speeds
    std::optional<int> v15, v50, v85, v95;   // the summary's rule
    // Shares (0..1) of the readings faster than the limit, than the limit + 10, + 20.
    std::optional<double> shareOverLimit, shareOver10, shareOver20;
};

// B - A of each figure, empty when either side's is.
struct FigureChanges
{
    double vehicles = 0;
    std::optional<double> meanSpeed, sdSpeed;
    std::optional<int> v15, v50, v85, v95;
    std::optional<double> shareOverLimit, shareOver10, shareOver20;
};

struct WelchTest
{
    double t = 0, df = 0, p = 1;
};
struct KolmogorovSmirnovTest
{
    double d = 0, p = 1;
};
struct ProportionTest
{
    double z = 0, p = 1;
};
struct SpeedInterval
{
    int low = 0, high = 0;
};

// Did the speeds change between A (before) and B (after)? The significance tests count vehicles,
// at the 5 % level; a test that cannot be done (no vehicle, a single one, no spread at all, no
// limit, nobody over it) is empty and has no verdict.
class SpeedComparison
{
    Q_DECLARE_TR_FUNCTIONS(SpeedComparison)

public:
    static constexpr double kLevel = 0.05;

    ComparedFigures a, b;
    FigureChanges change;
    std::optional<int> limit;
    std::optional<WelchTest> welch;   // mean speed
    std::optional<KolmogorovSmirnovTest> ks;   // the whole distribution of speeds
    std::optional<ProportionTest> overLimit;   // share over the limit, pooled two-proportion z test
    // 95 % percentile interval of V85(B) - V85(A) under the exact bootstrap: the distribution of
    // the V85 of as many vehicles drawn at random from those measured, computed exactly rather
    // than by drawing, so that it repeats and costs no more than the speeds present.
    std::optional<SpeedInterval> v85Change;
    // One plain sentence per test done, in the interface's language and number format.
    QStringList verdicts;

    // units: the engine's code (0 km/h, 1 mph, 2 knots), for the verdicts. A limit of 0 or less
    // counts as none.
    static SpeedComparison compute(const ComparedSpeeds& a, const ComparedSpeeds& b, std::optional<int> limit,
                                   int units);
    // {a, b, change, welch, ks, overLimit, v85Change, verdicts}; an empty figure or test is null,
    // shares are fractions.
    QJsonObject toJson() const;
};
