// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/distributions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEpsilon = 1e-16;
constexpr double kTiny = 1e-300;

// ln Γ(x) - ((x - 1/2) ln x - x + ln √(2π)), Stirling's series; within 1e-15 for x >= 10.
double stirlingCorrection(double x)
{
    const double r = 1 / x, r2 = r * r;
    return r * (1.0 / 12 - r2 * (1.0 / 360 - r2 * (1.0 / 1260 - r2 / 1680)));
}

// ln x for x = 1 - y, taken from whichever of x and y holds more digits.
double logOf(double x, double y)
{
    return x > 0.5 ? std::log1p(-y) : std::log(x);
}

// ln Γ(a + b) - ln Γ(a) - ln Γ(b) + a ln x + b ln y with y = 1 - x, given by the caller so that a
// small y keeps its digits. For large a or b, ln Γ of millions would lose the digits that matter
// in the difference: Stirling's form lets the large terms cancel before they are rounded.
double betaPrefactorLog(double a, double b, double x, double y)
{
    constexpr double kLarge = 10;
    const double lnRoot2Pi = 0.91893853320467274178;
    if (a >= kLarge && b >= kLarge) {
        // a ln(x (a+b) / a) + b ln(y (a+b) / b) + ½ ln(ab / (a+b)) - ln √(2π), with x (a+b) - a = xb - ya.
        const double c = a + b;
        const double u = (x * b - y * a) / a;
        return a * std::log1p(u) + b * std::log1p(-u * a / b) + 0.5 * std::log(a * b / c) - lnRoot2Pi
            + stirlingCorrection(c) - stirlingCorrection(a) - stirlingCorrection(b);
    }
    if (a >= kLarge || b >= kLarge) {
        // ln Γ(L + s) - ln Γ(L) for the large L and the small s.
        const double large = std::max(a, b), small = std::min(a, b);
        const double ratio = (large - 0.5) * std::log1p(small / large) + small * std::log(large + small) - small
            + stirlingCorrection(large + small) - stirlingCorrection(large);
        return ratio - std::lgamma(small) + a * logOf(x, y) + b * logOf(y, x);
    }
    return std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * logOf(x, y) + b * logOf(y, x);
}

// The continued fraction of I_x(a, b) by the modified Lentz method; it converges quickly for
// x < (a + 1) / (a + b + 2), in about sqrt(max(a, b)) terms at worst.
double betaFraction(double a, double b, double x)
{
    const double qab = a + b, qap = a + 1, qam = a - 1;
    const auto nonZero = [](double v) { return std::fabs(v) < kTiny ? kTiny : v; };
    double c = 1;
    double d = 1 / nonZero(1 - qab * x / qap);
    double h = d;
    // One term of the fraction; answers the factor it changed h by.
    const auto step = [&](double aa) {
        d = 1 / nonZero(1 + aa * d);
        c = nonZero(1 + aa / c);
        h *= d * c;
        return d * c;
    };
    // Enough terms for a and b up to about 1e10.
    for (int m = 1; m <= 1000000; ++m) {
        const int m2 = 2 * m;
        step(m * (b - m) * x / ((qam + m2) * (a + m2)));
        if (std::fabs(step(-(a + m) * (qab + m) * x / ((a + m2) * (qap + m2))) - 1) < kEpsilon)
            break;
    }
    return h;
}

// I_x(a, b) with y = 1 - x. Only the side where the fraction converges is computed directly; the
// other is 1 minus it, so a tail is never a difference of two numbers close to 1.
double incompleteBeta(double a, double b, double x, double y)
{
    if (x <= 0)
        return 0;
    if (y <= 0)
        return 1;
    if (x < (a + 1) / (a + b + 2))
        return std::exp(betaPrefactorLog(a, b, x, y)) * betaFraction(a, b, x) / a;
    return 1 - std::exp(betaPrefactorLog(b, a, y, x)) * betaFraction(b, a, y) / b;
}

}   // namespace

double regularizedBeta(double a, double b, double x)
{
    if (!(a > 0) || !(b > 0) || std::isnan(x))
        return std::numeric_limits<double>::quiet_NaN();
    return incompleteBeta(a, b, x, 1 - x);
}

double normalTwoSided(double z)
{
    return std::erfc(std::fabs(z) / std::sqrt(2.0));
}

double studentTwoSided(double t, double df)
{
    if (std::isnan(t) || !(df > 0))
        return std::numeric_limits<double>::quiet_NaN();
    if (std::isinf(t))
        return 0;
    // P(|T| >= t) = I_x(df / 2, 1 / 2) with x = df / (df + t²), and 1 - x taken as t² / (df + t²)
    // rather than by a subtraction.
    const double t2 = t * t;
    return incompleteBeta(df / 2, 0.5, df / (df + t2), t2 / (df + t2));
}

double kolmogorovSurvival(double lambda)
{
    if (std::isnan(lambda))
        return std::numeric_limits<double>::quiet_NaN();
    if (lambda <= 0)
        return 1;
    if (lambda < 1.18) {
        // The theta-function form converges fast where the alternating series does not:
        // P(K <= λ) = sqrt(2π) / λ · Σ exp(-(2k - 1)² π² / (8λ²)).
        const double w = kPi * kPi / (8 * lambda * lambda);
        double sum = 0;
        for (int k = 1; k <= 20; ++k) {
            const double term = std::exp(-double((2 * k - 1) * (2 * k - 1)) * w);
            sum += term;
            if (term < kEpsilon * sum)
                break;
        }
        return 1 - std::sqrt(2 * kPi) / lambda * sum;
    }
    // P(K > λ) = 2 Σ (-1)^(k-1) exp(-2k²λ²).
    double sum = 0;
    for (int k = 1; k <= 100; ++k) {
        const double term = std::exp(-2.0 * k * k * lambda * lambda);
        sum += (k % 2 ? term : -term);
        if (term < kEpsilon * sum)
            break;
    }
    return 2 * sum;
}

double binomialCdf(double k, double n, double p)
{
    k = std::floor(k);
    if (k < 0)
        return 0;
    if (k >= n || p <= 0)
        return 1;
    if (p >= 1)
        return 0;
    // P(X <= k) = I_{1-p}(n - k, k + 1).
    return incompleteBeta(n - k, k + 1, 1 - p, p);
}
