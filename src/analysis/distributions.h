// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tail probabilities of the distributions the significance tests use. Each keeps its relative
// accuracy far into the tail: a p of 1e-30 is returned as such, not as 0 or as 1 minus a rounding.
// Relative accuracy about 1e-13; Student's t with df in the millions keeps about 1e-17 × df (the
// continued fraction is ill-conditioned there), which still leaves every printed digit right.

// Regularized incomplete beta I_x(a, b), a > 0, b > 0, 0 <= x <= 1.
double regularizedBeta(double a, double b, double x);

// P(|Z| >= |z|) for a standard normal Z.
double normalTwoSided(double z);

// P(|T| >= |t|) for Student's T with df > 0 degrees of freedom (df need not be whole).
double studentTwoSided(double t, double df);

// P(K > lambda) for Kolmogorov's K, the limit of sqrt(n) * sup |F_n - F|; 1 for lambda <= 0.
double kolmogorovSurvival(double lambda);

// P(X <= k) for X binomial with n trials of probability p.
double binomialCdf(double k, double n, double p);
