#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Reference figures of tst_speedcomparison, worked out apart from the program: mpmath at 40 digits
# (Student's t checked by numerical integration, Kolmogorov by its plain alternating series, the
# binomial by summing its terms) and, for the V85 interval, the V85 rule followed speed by speed
# through every possible count of the drawn vehicles, in exact fractions. Needs python3-mpmath.
from fractions import Fraction
from math import comb
from mpmath import mp, mpf, betainc, quad, gamma, loggamma, log, sqrt, erfc, exp, inf, nsum

mp.dps = 40


def student_two_sided(t, df):
    """mpmath's hypergeometric betainc, checked against twice the density's integral beyond |t|."""
    df, t = mpf(df), abs(mpf(t))
    c = gamma((df + 1) / 2) / (sqrt(df * mp.pi) * gamma(df / 2))
    p = 2 * quad(lambda x: c * (1 + x * x / df) ** (-(df + 1) / 2), [t, t + 0.5, t + 1, t + 2, t + 5, t + 10, inf])
    q = betainc(df / 2, mpf(1) / 2, 0, df / (df + t * t), regularized=True)
    assert abs(p / q - 1) < mpf(10) ** -14, (t, df, p, q)
    return q


def kolmogorov_q(lam):
    lam = mpf(lam)
    return 2 * nsum(lambda k: (-1) ** (k - 1) * exp(-2 * k * k * lam * lam), [1, inf])


def speeds(text):
    out = []
    for token in text.split():
        s, _, n = token.partition('x')
        out += [int(s)] * int(n or 1)
    return out


def resampled_v85(counts, divider, n):
    """Exact distribution of the V85 rule over n vehicles drawn from floor(readings/divider) per speed."""
    sp = sorted(counts)
    w = [counts[s] // divider for s in sp]
    total = sum(w)
    states = {(0, 0): Fraction(1)}   # (cumulated draws, answer so far)
    left = total
    for s, wk in zip(sp, w):
        q = Fraction(wk, left) if left else Fraction(0)
        nxt = {}
        for (c, ans), p in states.items():
            r = n - c
            for x in range(r + 1):
                px = p * comb(r, x) * q ** x * (1 - q) ** (r - x)
                if px:
                    key = (c + x, s if (100 * (c + x)) // n <= 85 else ans)
                    nxt[key] = nxt.get(key, 0) + px
        states = nxt
        left -= wk
    dist = {}
    for (c, ans), p in states.items():
        dist[ans] = dist.get(ans, 0) + p
    return dist


def interval(da, db):
    diff = {}
    for a, pa in da.items():
        for b, pb in db.items():
            diff[b - a] = diff.get(b - a, 0) + pa * pb
    out = []
    for q in (Fraction(25, 1000), Fraction(975, 1000)):
        cum = 0
        for d in sorted(diff):
            cum += diff[d]
            if cum >= q:
                out.append(d)
                break
    return out


def row(name, a_text, b_text, divider, limit):
    a, b = speeds(a_text), speeds(b_text)
    fig = []
    for x in (a, b):
        m = mpf(sum(x)) / len(x)
        v = sum((s - m) ** 2 for s in x) / (len(x) - 1)
        fig.append((m, v, mpf(len(x)) / divider))
    (ma, va, na), (mb, vb, nb) = fig
    res = {}
    if va + vb > 0:
        ua, ub = va / na, vb / nb
        t = (mb - ma) / sqrt(ua + ub)
        df = (ua + ub) ** 2 / (ua ** 2 / (na - 1) + ub ** 2 / (nb - 1))
        res['welch'] = (t, df, student_two_sided(t, df))
    d = max(abs(mpf(sum(s <= x for s in a)) / len(a) - mpf(sum(s <= x for s in b)) / len(b)) for x in set(a + b))
    res['ks'] = (d, kolmogorov_q(sqrt(na * nb / (na + nb)) * d) if d > 0 else mpf(1))
    if limit:
        pa = mpf(sum(s > limit for s in a)) / len(a)
        pb = mpf(sum(s > limit for s in b)) / len(b)
        pooled = (pa * na + pb * nb) / (na + nb)
        if 0 < pooled < 1:
            z = (pb - pa) / sqrt(pooled * (1 - pooled) * (1 / na + 1 / nb))
            res['z'] = (z, erfc(abs(z) / sqrt(2)))
    ca, cb = {}, {}
    for s in a:
        ca[s] = ca.get(s, 0) + 1
    for s in b:
        cb[s] = cb.get(s, 0) + 1
    iv = interval(resampled_v85(ca, divider, int(round(na))), resampled_v85(cb, divider, int(round(nb))))
    nan = 'nan'
    g = lambda k, i: mp.nstr(res[k][i], 15) if k in res else nan
    print(f'QTest::newRow("{name}") << "{a_text}" << "{b_text}" << {divider} << {limit} << Reference{{'
          f'{g("welch", 0)}, {g("welch", 1)}, {g("welch", 2)}, {g("ks", 0)}, {g("ks", 1)}, {g("z", 0)}, {g("z", 1)}, '
          f'{iv[0]}, {iv[1]}}};')


S1 = '42 44 45 46x2 47 48 49x3 50x3 52 53 54x3 55 56x3 57x2 58x3 62x2 65 66'
S2 = '40 42x3 43 44x2 45 46 48x3 49x2 50x2 51x3 53 55x2 57'
S3 = '37 42x2 43 44x3 45x2 46 47 48 50 51x3 52 53 54 55 56x2 58 59x3 66'
S4 = '38 40 42 44x2 47x2 48x4 49x5 50x2 51 52x2 54x3 55x2 56 57x2 58x2 59 61x2 63 65'
S5 = '40 42 43x2 44x5 45x2 46x2 47x4 48x2 50'


def tripled(text):
    return ' '.join(f"{t.partition('x')[0]}x{3 * int(t.partition('x')[2] or 1)}" for t in text.split())


row('ties, unequal sizes', S1, S2, 1, 50)
row('no significant change', S3, S4, 1, 50)
row('bursts of three readings', tripled(S3), tripled(S5) + ' 45x2', 3, 50)
row('constant before, no limit', '50x12', S5, 1, 0)
row('nobody over the limit', S5, S2, 1, 60)
row('constant both', '50x10', '47x8', 1, 48)

print('// special functions')
for t, df in [(2, 5), (1, 1), (2.5, 7.3), (40, 3), (3, 1e7), (0.001, 1e7), (12, 2.5e6)]:
    print(f'student {t} {df} -> {mp.nstr(student_two_sided(t, df), 17)}')
for z in [1.959963984540054, 0.3, 10, 30]:
    print(f'normal {z} -> {mp.nstr(erfc(abs(mpf(z)) / sqrt(2)), 17)}')
for lam in [0.3, 0.6, 1.0, 1.18, 1.36, 3.0]:
    print(f'kolmogorov {lam} -> {mp.nstr(kolmogorov_q(lam), 17)}')
for k, n, p in [(85, 100, 0.8), (8600000, 10000000, 0.86), (8598000, 10000000, 0.86), (3, 50, 0.3)]:
    # The probabilities from k down, until they no longer count.
    p, total = mpf(p), mpf(0)
    term = exp(loggamma(n + 1) - loggamma(k + 1) - loggamma(n - k + 1) + k * log(p) + (n - k) * log(1 - p))
    j = k
    while j >= 0 and term > total * mpf(10) ** -30:
        total += term
        term *= j / (n - j + 1) * (1 - p) / p
        j -= 1
    print(f'binomial {k} {n} {p} -> {mp.nstr(total, 17)}')
