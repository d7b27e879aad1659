// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/speedcomparison.h"

#include "analysis/distributions.h"
#include "analysis/speedstatistics.h"

#include <QJsonArray>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// A discrete distribution over speeds: (speed, probability), speeds ascending.
using SpeedDistribution = std::vector<std::pair<int, double>>;

ComparedFigures figures(const ComparedSpeeds& s, std::optional<int> limit)
{
    ComparedFigures f;
    f.vehicles = s.vehicles;
    const SpeedMoments m = speedMoments(s.readings);
    f.readings = m.readings;
    if (m.readings > 0)
        f.meanSpeed = m.mean;
    if (m.readings > 1)
        f.sdSpeed = std::sqrt(m.squares / double(m.readings - 1));
    const auto v = speedPercentiles(s.readings, std::max(1, s.divider), {15, 50, 85, 95});
    f.v15 = v[0];
    f.v50 = v[1];
    f.v85 = v[2];
    f.v95 = v[3];
    if (limit && m.readings > 0) {
        const auto share = [&](int over) { return double(readingsAbove(s.readings, *limit + over)) / m.readings; };
        f.shareOverLimit = share(0);
        f.shareOver10 = share(10);
        f.shareOver20 = share(20);
    }
    return f;
}

template <typename T> std::optional<T> difference(const std::optional<T>& a, const std::optional<T>& b)
{
    if (!a || !b)
        return std::nullopt;
    return *b - *a;
}

std::optional<WelchTest> welchTest(const ComparedFigures& a, const ComparedFigures& b)
{
    if (!a.sdSpeed || !b.sdSpeed || a.vehicles <= 1 || b.vehicles <= 1)
        return std::nullopt;
    const double ua = *a.sdSpeed * *a.sdSpeed / a.vehicles;
    const double ub = *b.sdSpeed * *b.sdSpeed / b.vehicles;
    if (!(ua + ub > 0))
        return std::nullopt;
    WelchTest w;
    w.t = (*b.meanSpeed - *a.meanSpeed) / std::sqrt(ua + ub);
    w.df = (ua + ub) * (ua + ub) / (ua * ua / (a.vehicles - 1) + ub * ub / (b.vehicles - 1));
    w.p = studentTwoSided(w.t, w.df);
    return w;
}

// D over every speed present on either side, each cumulative share taken with that speed's readings.
std::optional<KolmogorovSmirnovTest> ksTest(const ComparedSpeeds& a, const ComparedFigures& fa, const ComparedSpeeds& b,
                                            const ComparedFigures& fb)
{
    if (fa.readings == 0 || fb.readings == 0 || fa.vehicles <= 0 || fb.vehicles <= 0)
        return std::nullopt;
    KolmogorovSmirnovTest ks;
    qint64 ca = 0, cb = 0;
    auto ia = a.readings.begin(), ib = b.readings.begin();
    const auto endA = a.readings.end(), endB = b.readings.end();
    while (ia != endA || ib != endB) {
        const int speed = ib == endB || (ia != endA && ia->first < ib->first) ? ia->first : ib->first;
        for (; ia != endA && ia->first == speed; ++ia)
            ca += ia->second;
        for (; ib != endB && ib->first == speed; ++ib)
            cb += ib->second;
        ks.d = std::max(ks.d, std::fabs(double(ca) / fa.readings - double(cb) / fb.readings));
    }
    ks.p = kolmogorovSurvival(std::sqrt(fa.vehicles * fb.vehicles / (fa.vehicles + fb.vehicles)) * ks.d);
    return ks;
}

// Pooled two-proportion z test of the shares over the limit.
std::optional<ProportionTest> proportionTest(const ComparedFigures& a, const ComparedFigures& b)
{
    if (!a.shareOverLimit || !b.shareOverLimit || a.vehicles <= 0 || b.vehicles <= 0)
        return std::nullopt;
    const double pooled = (*a.shareOverLimit * a.vehicles + *b.shareOverLimit * b.vehicles) / (a.vehicles + b.vehicles);
    const double variance = pooled * (1 - pooled) * (1 / a.vehicles + 1 / b.vehicles);
    if (!(variance > 0))
        return std::nullopt;
    ProportionTest z;
    z.z = (*b.shareOverLimit - *a.shareOverLimit) / std::sqrt(variance);
    z.p = normalTwoSided(z.z);
    return z;
}

// The V85 of n vehicles drawn with replacement from those the rule counts, exactly: it is at least
// the speed s when the drawn vehicles up to s, a binomial count, keep a truncated percentage of at
// most 85, so each speed costs one binomial tail.
SpeedDistribution resampledV85(const SpeedCounts& readings, int divider, qint64 n)
{
    qint64 total = 0;
    for (const auto& c : readings)
        total += vehiclesAt(c.second, divider);
    if (total == 0 || n < 1)
        return {};
    qint64 most = 0, over = n;   // truncatedPercentage(most, n) <= 85 < truncatedPercentage(over, n)
    while (over - most > 1) {
        const qint64 middle = most + (over - most) / 2;
        (truncatedPercentage(quint64(middle), quint64(n)) <= 85 ? most : over) = middle;
    }
    SpeedDistribution v85;
    v85.reserve(readings.size() + 1);
    int speed = 0;   // the rule's answer when the slowest speed already holds more than 85 %
    double atLeast = 1;   // P(V85 >= speed)
    qint64 cumulated = 0;
    for (const auto& c : readings) {
        cumulated += vehiclesAt(c.second, divider);
        const double next = binomialCdf(double(most), double(n), double(cumulated) / double(total));
        v85.emplace_back(speed, std::max(0.0, atLeast - next));
        speed = c.first;
        atLeast = next;
    }
    v85.emplace_back(speed, atLeast);
    std::stable_sort(v85.begin(), v85.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    return v85;
}

// Percentile interval of the difference B - A of two independent speed distributions: the
// smallest d with P(B - A <= d) reaching each quantile, found by bisection over whole speeds.
SpeedInterval differenceInterval(const SpeedDistribution& a, const SpeedDistribution& b, double level)
{
    std::vector<double> cumulatedB(b.size());
    double sum = 0;
    for (std::size_t j = 0; j < b.size(); ++j)
        cumulatedB[j] = sum += b[j].second;
    const auto cdf = [&](int d) {
        double p = 0;
        std::size_t j = 0;
        for (const auto& x : a) {
            while (j < b.size() && b[j].first <= x.first + d)
                ++j;
            if (j > 0)
                p += x.second * cumulatedB[j - 1];
        }
        return p;
    };
    const int lowest = b.front().first - a.back().first;
    const int highest = b.back().first - a.front().first;
    const double mass = cdf(highest);
    const auto quantile = [&](double q) {
        int below = lowest - 1, at = highest;   // cdf(below) < q <= cdf(at)
        while (at - below > 1) {
            const int middle = below + (at - below) / 2;
            (cdf(middle) >= q * mass * (1 - 1e-12) ? at : below) = middle;
        }
        return at;
    };
    return SpeedInterval{quantile((1 - level) / 2), quantile((1 + level) / 2)};
}

std::optional<SpeedInterval> v85Interval(const ComparedSpeeds& a, const ComparedSpeeds& b)
{
    const SpeedDistribution va = resampledV85(a.readings, std::max(1, a.divider), std::llround(a.vehicles));
    const SpeedDistribution vb = resampledV85(b.readings, std::max(1, b.divider), std::llround(b.vehicles));
    if (va.empty() || vb.empty())
        return std::nullopt;
    return differenceInterval(va, vb, 0.95);
}

// --- verdicts

QString unitText(int units)
{
    switch (units) {
    case 1: return SpeedComparison::tr("mph");
    case 2: return SpeedComparison::tr("nd");
    default: return SpeedComparison::tr("km/h");
    }
}

// "+3,2", "−3,2" (a true minus sign), "0,0" without a sign once rounded to nothing.
QString signedText(double value, int decimals)
{
    const QLocale locale;
    const QString digits = locale.toString(std::fabs(value), 'f', decimals);
    if (digits == locale.toString(0.0, 'f', decimals))
        return digits;
    return (value < 0 ? QStringLiteral("\u2212") : QStringLiteral("+")) + digits;
}

// A change of a mean or a share: one decimal, two when one would show nothing.
QString changeText(double value)
{
    return signedText(value, std::fabs(value) < 0.05 ? 2 : 1);
}

// "p < 0,001", else two significant digits; rounded down when rounding would carry a p below the
// level up to it.
QString pText(double p)
{
    const QLocale locale;
    if (p < 0.001)
        return SpeedComparison::tr("p < %1").arg(locale.toString(0.001, 'f', 3));
    const int decimals = p >= 0.1 ? 2 : p >= 0.01 ? 3 : 4;
    const double scale = std::pow(10.0, decimals);
    double shown = std::round(p * scale) / scale;
    if (p < SpeedComparison::kLevel && shown >= SpeedComparison::kLevel)
        shown = std::floor(p * scale) / scale;
    return SpeedComparison::tr("p = %1").arg(locale.toString(shown, 'f', decimals));
}

QStringList verdictLines(const SpeedComparison& c, int units)
{
    const QString unit = unitText(units);
    QStringList lines;
    if (c.welch) {
        const double change = *c.change.meanSpeed;
        if (c.welch->p >= SpeedComparison::kLevel)
            lines << SpeedComparison::tr("Pas de changement significatif de la vitesse moyenne (%1)")
                         .arg(pText(c.welch->p));
        else
            lines << (change < 0 ? SpeedComparison::tr("Baisse significative de la vitesse moyenne : %1 %2 (%3)")
                                 : SpeedComparison::tr("Hausse significative de la vitesse moyenne : %1 %2 (%3)"))
                         .arg(changeText(change), unit, pText(c.welch->p));
    }
    if (c.v85Change) {
        const QString low = signedText(c.v85Change->low, 0), high = signedText(c.v85Change->high, 0);
        if (c.v85Change->low <= 0 && c.v85Change->high >= 0)
            lines << SpeedComparison::tr("Pas de changement significatif du V85 (intervalle à 95 % : %1 à %2 %3)")
                         .arg(low, high, unit);
        else
            lines << (c.v85Change->high < 0
                          ? SpeedComparison::tr("Baisse significative du V85 : %1 %2 (intervalle à 95 % : %3 à %4 %2)")
                          : SpeedComparison::tr("Hausse significative du V85 : %1 %2 (intervalle à 95 % : %3 à %4 %2)"))
                         .arg(signedText(*c.change.v85, 0), unit, low, high);
    }
    if (c.overLimit) {
        const QString limit = QLocale().toString(*c.limit);
        const double points = 100 * *c.change.shareOverLimit;
        if (c.overLimit->p >= SpeedComparison::kLevel)
            lines << SpeedComparison::tr("Pas de changement significatif de la part au-dessus de %1 %2 (%3)")
                         .arg(limit, unit, pText(c.overLimit->p));
        else
            lines << (points < 0
                          ? SpeedComparison::tr("Baisse significative de la part au-dessus de %1 %2 : %3 points (%4)")
                          : SpeedComparison::tr("Hausse significative de la part au-dessus de %1 %2 : %3 points (%4)"))
                         .arg(limit, unit, changeText(points), pText(c.overLimit->p));
    }
    if (c.ks)
        lines << (c.ks->p < SpeedComparison::kLevel
                      ? SpeedComparison::tr("Changement significatif de la répartition des vitesses (%1)")
                      : SpeedComparison::tr("Pas de changement significatif de la répartition des vitesses (%1)"))
                     .arg(pText(c.ks->p));
    return lines;
}

// --- JSON

QJsonValue json(const std::optional<double>& v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}
QJsonValue json(const std::optional<int>& v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}

template <typename Figures> QJsonObject figuresJson(const Figures& f)
{
    return QJsonObject{{QStringLiteral("vehicleCount"), f.vehicles},
                       {QStringLiteral("meanSpeed"), json(f.meanSpeed)},
                       {QStringLiteral("sdSpeed"), json(f.sdSpeed)},
                       {QStringLiteral("v15"), json(f.v15)},
                       {QStringLiteral("v50"), json(f.v50)},
                       {QStringLiteral("v85"), json(f.v85)},
                       {QStringLiteral("v95"), json(f.v95)},
                       {QStringLiteral("shareOverLimit"), json(f.shareOverLimit)},
                       {QStringLiteral("shareOver10"), json(f.shareOver10)},
                       {QStringLiteral("shareOver20"), json(f.shareOver20)}};
}

}   // namespace

ComparedSpeeds ComparedSpeeds::fromHistogram(const QMap<int, int>& histogram, int divider)
{
    ComparedSpeeds s;
    s.divider = std::max(1, divider);
    qint64 readings = 0;
    for (auto it = histogram.constBegin(); it != histogram.constEnd(); ++it) {
        if (it.value() > 0) {
            s.readings.emplace_back(it.key(), it.value());
            readings += it.value();
        }
    }
    s.vehicles = double(readings) / s.divider;
    return s;
}

SpeedComparison SpeedComparison::compute(const ComparedSpeeds& a, const ComparedSpeeds& b, std::optional<int> limit,
                                         int units)
{
    SpeedComparison c;
    if (limit && *limit > 0)
        c.limit = limit;
    c.a = figures(a, c.limit);
    c.b = figures(b, c.limit);
    c.change.vehicles = c.b.vehicles - c.a.vehicles;
    c.change.meanSpeed = difference(c.a.meanSpeed, c.b.meanSpeed);
    c.change.sdSpeed = difference(c.a.sdSpeed, c.b.sdSpeed);
    c.change.v15 = difference(c.a.v15, c.b.v15);
    c.change.v50 = difference(c.a.v50, c.b.v50);
    c.change.v85 = difference(c.a.v85, c.b.v85);
    c.change.v95 = difference(c.a.v95, c.b.v95);
    c.change.shareOverLimit = difference(c.a.shareOverLimit, c.b.shareOverLimit);
    c.change.shareOver10 = difference(c.a.shareOver10, c.b.shareOver10);
    c.change.shareOver20 = difference(c.a.shareOver20, c.b.shareOver20);
    c.welch = welchTest(c.a, c.b);
    c.ks = ksTest(a, c.a, b, c.b);
    c.overLimit = proportionTest(c.a, c.b);
    if (c.change.v85)
        c.v85Change = v85Interval(a, b);
    c.verdicts = verdictLines(c, units);
    return c;
}

QJsonObject SpeedComparison::toJson() const
{
    QJsonObject o{{QStringLiteral("a"), figuresJson(a)},
                  {QStringLiteral("b"), figuresJson(b)},
                  {QStringLiteral("change"), figuresJson(change)},
                  {QStringLiteral("verdicts"), QJsonArray::fromStringList(verdicts)}};
    o.insert(QStringLiteral("welch"),
             welch ? QJsonObject{{QStringLiteral("t"), welch->t},
                                 {QStringLiteral("df"), welch->df},
                                 {QStringLiteral("p"), welch->p}}
                   : QJsonValue());
    o.insert(QStringLiteral("ks"),
             ks ? QJsonObject{{QStringLiteral("d"), ks->d}, {QStringLiteral("p"), ks->p}} : QJsonValue());
    o.insert(QStringLiteral("overLimit"),
             overLimit ? QJsonObject{{QStringLiteral("z"), overLimit->z}, {QStringLiteral("p"), overLimit->p}}
                       : QJsonValue());
    o.insert(QStringLiteral("v85Change"),
             v85Change ? QJsonObject{{QStringLiteral("low"), v85Change->low}, {QStringLiteral("high"), v85Change->high}}
                       : QJsonValue());
    return o;
}
