// SPDX-License-Identifier: GPL-3.0-or-later
// The before/after tests against figures worked out apart from the program: the literal numbers
// come from docs/reference/speedcomparison_reference.py (mpmath at 40 digits, exact fractions for the V85 interval).
#include "analysis/distributions.h"
#include "analysis/speedcomparison.h"

#include <QtTest>

#include <map>

namespace {

// t, df, Welch p, D, KS p, z, z p, then the V85 change's interval; "nan" for an empty figure.
struct Reference
{
    double t, df, pWelch, d, pKs, z, pZ;
    int low, high;
    Reference(const char* text = "0 0 0 0 0 0 0 0 0")
    {
        const QStringList v = QString::fromLatin1(text).split(QLatin1Char(' '));
        double* figures[] = {&t, &df, &pWelch, &d, &pKs, &z, &pZ};
        for (int i = 0; i < 7; ++i)
            *figures[i] = v[i] == QLatin1String("nan") ? qQNaN() : v[i].toDouble();
        low = v[7].toInt();
        high = v[8].toInt();
    }
};

// "42 46x2 50" -> readings at each speed, each repeated `times` times.
ComparedSpeeds sample(const QString& text, int divider, qint64 times = 1)
{
    std::map<int, qint64> counts;
    for (const QString& token : text.split(QLatin1Char(' '))) {
        const QStringList parts = token.split(QLatin1Char('x'));
        counts[parts[0].toInt()] += times * (parts.size() > 1 ? parts[1].toInt() : 1);
    }
    ComparedSpeeds s;
    s.readings.assign(counts.begin(), counts.end());
    s.divider = divider;
    for (const auto& c : s.readings)
        s.vehicles += double(c.second) / divider;
    return s;
}

// Relative agreement; NaN stands for an empty figure.
void compareTo(const std::optional<double>& actual, double expected, double tolerance, const char* what)
{
    QVERIFY2(qIsNaN(expected) ? !actual : actual && qAbs(*actual - expected) <= tolerance * qAbs(expected),
             qPrintable(QStringLiteral("%1: %2, expected %3")
                            .arg(what, actual ? QString::number(*actual, 'g', 17) : QStringLiteral("none"))
                            .arg(expected, 0, 'g', 17)));
}

template <typename T> std::optional<double> field(const std::optional<T>& test, double T::*member)
{
    return test ? std::optional<double>((*test).*member) : std::nullopt;
}

}   // namespace

Q_DECLARE_METATYPE(Reference)

class TestSpeedComparison : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void specialFunctions_data()
    {
        QTest::addColumn<QString>("f");   // t(x, y), normal(x), ks(x), binomial(x, y, p)
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");
        const auto row = [](const char* name, const char* f, double x, double y, double expected, double tolerance,
                            double p = 0) { QTest::newRow(name) << f << x << y << p << expected << tolerance; };
        // Far tails keep their relative accuracy; Student's t loses some digits at millions of df.
        row("t, 5 df", "t", 2, 5, 0.10193947882985836, 1e-13);
        row("t, Cauchy", "t", -1, 1, 0.5, 1e-14);
        row("t, fractional df", "t", 2.5, 7.3, 0.039650234665600472, 1e-13);
        row("t, far tail", "t", 40, 3, 3.4380680789158528e-5, 1e-12);
        row("t, 1e7 df", "t", 3, 1e7, 0.0026998027110371613, 1e-9);
        row("t, 1e7 df, near 1", "t", 0.001, 1e7, 0.999202115592125, 1e-12);
        row("t, 2.5e6 df, 1e-33", "t", 12, 2.5e6, 3.5604412101107214e-33, 1e-10);
        row("normal, 5 %", "normal", -1.959963984540054, 0, 0.050000000000000022, 1e-14);
        row("normal, 1e-198", "normal", 30, 0, 9.8134278542963741e-198, 1e-12);
        row("Kolmogorov 0.3", "ks", 0.3, 0, 0.99999069419866543, 1e-14);
        row("Kolmogorov 1.0", "ks", 1.0, 0, 0.26999967167735452, 1e-14);
        row("Kolmogorov at the switch", "ks", 1.18, 0, 0.12345380942976571, 1e-14);
        row("Kolmogorov 3", "ks", 3.0, 0, 3.0459959489425257e-8, 1e-13);
        row("binomial", "binomial", 85, 100, 0.91955627886194909, 1e-13, 0.8);
        row("binomial, small tail", "binomial", 3, 50, 3.2197662734939119e-5, 1e-13, 0.3);
        row("binomial, 1e7 at the mean", "binomial", 8600000, 1e7, 0.50013815939225501, 1e-12, 0.86);
        row("binomial, 1e7 two sd below", "binomial", 8598000, 1e7, 0.0342276997247561, 1e-12, 0.86);
    }
    void specialFunctions()
    {
        QFETCH(QString, f);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, p);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        const double value = f == "t" ? studentTwoSided(x, y)
            : f == "normal"           ? normalTwoSided(x)
            : f == "ks"               ? kolmogorovSurvival(x)
                                      : binomialCdf(x, y, p);
        compareTo(value, expected, tolerance, "value");
    }

    void smallSamples_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("divider");
        QTest::addColumn<int>("limit");
        QTest::addColumn<Reference>("r");
        QTest::addColumn<QStringList>("verdicts");   // empty: not checked
        const QString s1 = "42 44 45 46x2 47 48 49x3 50x3 52 53 54x3 55 56x3 57x2 58x3 62x2 65 66";
        const QString s2 = "40 42x3 43 44x2 45 46 48x3 49x2 50x2 51x3 53 55x2 57";
        const QString s5 = "40 42 43x2 44x5 45x2 46x2 47x4 48x2 50";
        QTest::newRow("ties, unequal sizes")
            << s1 << s2 << 1 << 50
            << Reference("-3.54577586277859 51.9158031240821 0.00083915367055366 0.406732117812062 0.0253377707588153 "
                         "-2.01348935480721 0.0440631737482455 -11 -3")
            << QStringList{"Baisse significative de la vitesse moyenne : −5,2 km/h (p < 0,001)",
                           "Baisse significative du V85 : −6 km/h (intervalle à 95 % : −11 à −3 km/h)",
                           "Baisse significative de la part au-dessus de 50 km/h : −27,6 points (p = 0,044)",
                           "Changement significatif de la répartition des vitesses (p = 0,025)"};
        QTest::newRow("no significant change")
            << "37 42x2 43 44x3 45x2 46 47 48 50 51x3 52 53 54 55 56x2 58 59x3 66"
            << "38 40 42 44x2 47x2 48x4 49x5 50x2 51 52x2 54x3 55x2 56 57x2 58x2 59 61x2 63 65" << 1 << 50
            << Reference("0.849409259653841 53.5742474294972 0.399433426433303 0.231481481481481 0.380098232874933 "
                         "-0.145496923811844 0.884318544349973 -4 4")
            << QStringList{"Pas de changement significatif de la vitesse moyenne (p = 0,40)",
                           "Pas de changement significatif du V85 (intervalle à 95 % : −4 à +4 km/h)",
                           "Pas de changement significatif de la part au-dessus de 50 km/h (p = 0,88)",
                           "Pas de changement significatif de la répartition des vitesses (p = 0,38)"};
        // n = readings / 3, not a whole number after.
        QTest::newRow("bursts of three readings")
            << "37x3 42x6 43x3 44x9 45x6 46x3 47x3 48x3 50x3 51x9 52x3 53x3 54x3 55x3 56x6 58x3 59x9 66x3"
            << "40x3 42x3 43x6 44x15 45x6 46x6 47x12 48x6 50x3 45x2" << 3 << 50
            << Reference("-3.62388551405323 33.4006321971297 0.000953693090427395 0.518518518518519 "
                         "0.00369196988030207 -3.8951544685602 9.81361688279878e-5 -12 -7")
            << QStringList();
        // A single speed has a V85 of 0 under the summary's rule.
        QTest::newRow("constant before, no limit")
            << "50x12" << s5 << 1 << 0
            << Reference("-9.03723640229937 19.0 2.61886935698303e-8 0.95 2.64100027785758e-6 nan nan 46 48")
            << QStringList();
        QTest::newRow("nobody over the limit") << s5 << s2 << 1 << 60
                                               << Reference("2.47886561527871 33.5346631023623 0.0183752862797138 "
                                                            "0.458695652173913 0.0221820476976488 nan nan 2 7")
                                               << QStringList();
        QTest::newRow("constant both")
            << "50x10"
            << "47x8" << 1 << 48
            << Reference("nan nan nan 1.0 0.0002758256186724 -4.24264068711929 2.20904969985854e-5 0 0")
            << QStringList();
    }
    void smallSamples()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, divider);
        QFETCH(int, limit);
        QFETCH(Reference, r);
        QFETCH(QStringList, verdicts);
        const SpeedComparison c = SpeedComparison::compute(sample(a, divider), sample(b, divider), limit, 0);
        compareTo(field(c.welch, &WelchTest::t), r.t, 1e-13, "t");
        compareTo(field(c.welch, &WelchTest::df), r.df, 1e-13, "df");
        compareTo(field(c.welch, &WelchTest::p), r.pWelch, 1e-11, "Welch p");
        compareTo(field(c.ks, &KolmogorovSmirnovTest::d), r.d, 1e-14, "D");
        compareTo(field(c.ks, &KolmogorovSmirnovTest::p), r.pKs, 1e-12, "KS p");
        compareTo(field(c.overLimit, &ProportionTest::z), r.z, 1e-13, "z");
        compareTo(field(c.overLimit, &ProportionTest::p), r.pZ, 1e-12, "z p");
        QVERIFY(c.v85Change);
        QCOMPARE(qMakePair(c.v85Change->low, c.v85Change->high), qMakePair(r.low, r.high));
        QCOMPARE(!c.a.shareOverLimit, limit == 0);
        if (!verdicts.isEmpty())
            QCOMPARE(c.verdicts, verdicts);
    }

    // Millions of readings: the binomial tails of the V85 interval at full size, and p far below
    // what a double holds near 1.
    void largeSurveys()
    {
        const QString s1 = "42 44 45 46x2 47 48 49x3 50x3 52 53 54x3 55 56x3 57x2 58x3 62x2 65 66";
        ComparedSpeeds before = sample(s1, 1, 100000), after = before;
        for (auto& c : after.readings)
            c.first -= 1;
        const SpeedComparison c = SpeedComparison::compute(before, after, 51, 0);
        QCOMPARE(qMakePair(c.v85Change->low, c.v85Change->high), qMakePair(-1, -1));
        QVERIFY(c.welch->p < 1e-300 && c.ks->p < 1e-300 && c.overLimit->p < 1e-300);
        QCOMPARE(c.verdicts.value(1), "Baisse significative du V85 : −1 km/h (intervalle à 95 % : −1 à −1 km/h)");
        const SpeedComparison same = SpeedComparison::compute(before, before, 51, 0);
        QCOMPARE(qMakePair(same.v85Change->low, same.v85Change->high), qMakePair(0, 0));
        QVERIFY(same.welch->p == 1 && same.ks->p == 1 && same.overLimit->p == 1);
    }
};

QTEST_GUILESS_MAIN(TestSpeedComparison)
#include "tst_speedcomparison.moc"
