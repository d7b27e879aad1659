// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripteddialogs.h"
#include "analysis/speedstatistics.h"
#include "testdata.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <numeric>

using Speeds = QVector<QPair<int, int>>;   // (speed, number of measures)

namespace {

QDateTime local(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

qint64 at(const char* text)
{
    return local(text).toSecsSinceEpoch();
}

void add(SpeedStatistics& s, const char* time, int speed, int direction = 0)
{
    s.editMeasures().insert(at(time), Measure{speed, direction});
}

// Measures one a second from 08:00, count per speed as given.
void addSpeeds(SpeedStatistics& s, const Speeds& speeds)
{
    qint64 t = at("2024-01-15 08:00:00");
    for (const auto& sp : speeds)
        for (int i = 0; i < sp.second; ++i)
            s.editMeasures().insert(t++, Measure{sp.first, 0});
}

// range 0: divider off.
void setDivider(SpeedStatistics& s, int range)
{
    s.setDividerOff(range == 0);
    if (range)
        s.setRange(quint16(range));
}

int loadDay(SpeedStatistics& s, const char* begin = "2024-01-15 00:00:00", bool* gaps = nullptr)
{
    bool ignored = false;
    return s.load(local(begin), local("2024-01-15 23:30:00"), gaps ? *gaps : ignored);
}

}   // namespace

class TestSpeedStatistics : public QObject
{
    Q_OBJECT

private slots:

    // truncatedPercentage against trunc((c / t) * 100) done with the real 80-bit type.
    void percentageMatchesExtendedPrecision()
    {
#if (defined(__x86_64__) || defined(__i386__)) && !defined(_MSC_VER)
        QCOMPARE(std::numeric_limits<long double>::digits, 64);
        int mismatches = 0, belowExact = 0;
        auto check = [&](quint64 c, quint64 t) {
            volatile long double q = static_cast<long double>(c) / static_cast<long double>(t);
            volatile long double p = q * 100;
            if (truncatedPercentage(c, t) != int(p) && ++mismatches < 5)
                qWarning() << "mismatch for" << c << t << truncatedPercentage(c, t) << int(p);
            belowExact += int(p) != int(100 * c / t);
        };
        for (quint64 t = 1; t <= 400; ++t)
            for (quint64 c = 0; c <= t; ++c)
                check(c, t);
        QRandomGenerator random(20240115);
        for (int i = 0; i < 100000; ++i) {
            const quint64 t = 1 + random.bounded(quint32(50000000));
            check(random.bounded(quint32(t)) + 1, t);
        }
        QCOMPARE(mismatches, 0);
        QVERIFY(belowExact > 0);   // the cases an integer division would get wrong exist
#else
        QSKIP("no 80-bit long double here");
#endif
    }

    void percentiles_data()
    {
        QTest::addColumn<Speeds>("speeds");
        QTest::addColumn<int>("range");
        QTest::addColumn<double>("v30");
        QTest::addColumn<double>("v50");
        QTest::addColumn<double>("v85");
        QTest::addColumn<int>("firstAt");   // percentage where the curve leaves 0, -1: never

        Speeds oneEach, tenEach;
        for (int s = 1; s <= 100; ++s)
            oneEach.append({s, 1});
        for (int s = 30; s <= 39; ++s)
            tenEach.append({s, 10});
        QTest::newRow("1 to 100, one each") << oneEach << 0 << 30.0 << 50.0 << 85.0 << 1;
        QTest::newRow("30 to 39, ten each") << tenEach << 0 << 32.0 << 34.0 << 37.0 << 10;
        QTest::newRow("53 of 100 is 52") << Speeds{{40, 53}, {60, 47}} << 0 << 0.0 << 0.0 << 40.0 << 52;
        QTest::newRow("59 of 100 is 58") << Speeds{{40, 59}, {60, 41}} << 0 << 0.0 << 0.0 << 40.0 << 58;
        QTest::newRow("single speed") << Speeds{{50, 40}} << 0 << 0.0 << 0.0 << 0.0 << 100;
        QTest::newRow("two vehicles") << Speeds{{50, 1}, {60, 1}} << 0 << 0.0 << 50.0 << 50.0 << 50;
        // Divider 9 per speed: 17 -> 1, 17 -> 1, 8 -> 0 vehicles; total 2, not 42 / 9 = 4.
        QTest::newRow("divider per speed") << Speeds{{40, 17}, {50, 17}, {60, 8}} << 150 << 0.0 << 40.0 << 40.0 << 50;
        // A speed adding no vehicle puts no point on the curve but still takes the percentile.
        QTest::newRow("speed without vehicle")
            << Speeds{{40, 8}, {45, 9}, {50, 18}, {70, 9}} << 150 << 45.0 << 45.0 << 50.0 << 25;
        QTest::newRow("no whole vehicle") << Speeds{{40, 8}, {45, 8}} << 150 << 0.0 << 0.0 << 0.0 << -1;
    }

    void percentiles()
    {
        QFETCH(Speeds, speeds);
        QFETCH(int, range);
        QFETCH(int, firstAt);
        SpeedStatistics s;
        setDivider(s, range);
        addSpeeds(s, speeds);
        QVERIFY(loadDay(s) > 0);
        QTEST(s.getV30(0), "v30");
        QTEST(s.getV50(0), "v50");
        QTEST(s.getV85(0), "v85");
        QCOMPARE(s.getHighestSpeed(0), speeds.last().first);
        const CurvePoints curve = s.getPercentageCurve(0);
        QCOMPARE(curve.size(), firstAt < 0 ? 100 : 101);
        const auto first = std::find_if(curve.begin(), curve.end(), [](const CurvePoint& p) { return p.y > 0; });
        QCOMPARE(first == curve.end() ? -1 : int(first - curve.begin()), firstAt);
        if (firstAt > 0)
            QCOMPARE(first->x, double(firstAt));
    }

    void vehicleRounding_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("filterMinutes");
        QTest::addColumn<QVector<int>>("perHalfHour");
        QTest::addColumn<QVector<int>>("vehicles");   // per filtered bucket

        QTest::newRow("divider off") << 0 << 30 << QVector<int>{7, 1} << QVector<int>{7, 1};
        QTest::newRow("range 150, 9 and 10") << 150 << 30 << QVector<int>{9, 10} << QVector<int>{1, 2};
        QTest::newRow("range 150, 60 minutes") << 150 << 60 << QVector<int>{5, 5} << QVector<int>{2};
        QTest::newRow("range 50, 60 minutes") << 50 << 60 << QVector<int>{4, 3} << QVector<int>{3};
        QTest::newRow("range 500") << 500 << 30 << QVector<int>{30, 31} << QVector<int>{1, 2};
    }

    void vehicleRounding()
    {
        QFETCH(int, range);
        QFETCH(int, filterMinutes);
        QFETCH(QVector<int>, perHalfHour);
        QFETCH(QVector<int>, vehicles);
        SpeedStatistics s;
        setDivider(s, range);
        s.setFilter(filterMinutes * 60);
        qint64 half = at("2024-01-15 08:00:00");
        for (int n : perHalfHour) {
            for (int i = 0; i < n; ++i)
                s.editMeasures().insert(half + i * 10, Measure{50, 0});
            half += 1800;
        }
        bool gaps = true;
        QCOMPARE(loadDay(s, "2024-01-15 08:00:00", &gaps), vehicles.size());
        QVERIFY(!gaps);
        QVector<int> counted;
        for (const SampleRecord& r : s.getFilteredSample(0))
            counted.append(r.vehicleCount);
        QCOMPARE(counted, vehicles);
        const QDateTime none = QDateTime::fromSecsSinceEpoch(0);
        QCOMPARE(s.countVehicles(none, none, 0), std::accumulate(vehicles.begin(), vehicles.end(), 0));
    }

    void gapBucketsAtSixtyMinutes()
    {
        SpeedStatistics s;
        s.setFilter(3600);
        add(s, "2024-01-15 08:10:00", 50);
        add(s, "2024-01-15 08:40:00", 70);
        add(s, "2024-01-15 11:05:00", 40);
        add(s, "2024-01-15 11:55:00", 60);
        add(s, "2024-01-15 08:20:00", 30, 1);
        // A direction no radar writes gets its own buckets, even as the very first reading.
        add(s, "2024-01-15 07:00:00", 20, std::numeric_limits<int>::min());
        bool gaps = false;
        QCOMPARE(loadDay(s, "2024-01-15 00:00:00", &gaps), 12 + 9);
        QVERIFY(gaps);

        // 00:00 to 11:00 on the hour; data at 08:00 and 11:00, gap records elsewhere, nothing after.
        const SampleMap buckets = s.getFilteredSample(0);
        const qint64 midnight = at("2024-01-15 00:00:00"), eight = midnight + 8 * 3600;
        QCOMPARE(buckets.keys(),
                 (QList<qint64>{midnight, midnight + 3600, midnight + 7200, midnight + 3 * 3600, midnight + 4 * 3600,
                                midnight + 5 * 3600, midnight + 6 * 3600, midnight + 7 * 3600, eight, eight + 3600,
                                eight + 7200, eight + 3 * 3600}));
        for (const SampleRecord& r : buckets) {
            QCOMPARE(r.valid, r.time == eight || r.time == eight + 3 * 3600);
            if (!r.valid)
                QVERIFY(r.measureCount == 1 && r.vehicleCount == 1 && r.maxSpeed == 0 && r.meanSpeed == 0);
        }
        const SampleRecord r8 = buckets.value(eight);
        QCOMPARE((QVector<double>{r8.minSpeed, r8.maxSpeed, r8.meanSpeed, r8.speedSum, double(r8.measureCount)}),
                 (QVector<double>{50, 70, 60, 0, 2}));
        QCOMPARE(s.getMaxSpeed(1), 30);
        QCOMPARE(s.getMaxSpeed(), 70.0);

        // The curves have no point in the gaps; gap bars are 0; each direction takes half of the bucket.
        const CurvePoints maxCurve = s.getMaxCurve().value(0);
        QCOMPARE(maxCurve.size(), 2);
        QCOMPARE((QVector<double>{maxCurve.at(0).x, maxCurve.at(0).y, maxCurve.at(1).x}),
                 (QVector<double>{double(eight), 70, double(eight + 3 * 3600)}));
        QCOMPARE(s.getMeanCurve().value(0).size(), 2);
        const IntervalSamples bars0 = s.getVehicleBars().value(0);
        QCOMPARE(bars0.size(), 12);
        QCOMPARE(bars0.at(9).value, 0.0);
        QCOMPARE((QVector<double>{bars0.at(8).value, bars0.at(8).minValue, bars0.at(8).maxValue}),
                 (QVector<double>{2, double(eight), double(eight + 1800)}));
        const IntervalSample bar1 = s.getVehicleBars().value(1).last();
        QCOMPARE((QVector<double>{bar1.minValue, bar1.maxValue}), (QVector<double>{eight + 1800., eight + 3600.}));
        QCOMPARE(s.getEarliestBucket(), midnight);
        QCOMPARE(s.getLatestBucket(), eight + 3 * 3600);
    }

    void bucketBeforeBeginAndRanges()
    {
        SpeedStatistics s;
        add(s, "2024-01-15 10:15:00", 90);   // original bucket 10:00, before the begin
        add(s, "2024-01-15 10:45:00", 50);
        add(s, "2024-01-15 12:00:00", 40);
        add(s, "2024-01-15 12:00:00", 60);   // same second: both kept
        add(s, "2024-01-15 12:40:00", 60);
        add(s, "2024-01-15 12:00:00", 99, 1);
        add(s, "2024-01-15 13:30:00", 0, 1);   // a standing vehicle counts in the mean
        add(s, "2024-01-15 13:40:00", 30, 1);
        QVERIFY(loadDay(s, "2024-01-15 10:10:00") > 0);

        // Buckets start at 10:10: [10:10, 10:40) gets the 10:30 bucket; 10:15 is nowhere...
        const SampleMap buckets = s.getFilteredSample(0);
        QCOMPARE(buckets.firstKey(), at("2024-01-15 10:10:00"));
        QCOMPARE(buckets.first().measureCount, 1);
        QCOMPARE(buckets.first().maxSpeed, 50.0);
        QCOMPARE(s.getMaxSpeed(0), 60);
        // ... but the mean and the histogram have it.
        QCOMPARE(s.getMeasureCount(0), 5);
        QCOMPARE(s.getHighestSpeed(0), 90);

        const QDateTime from = local("2024-01-15 10:10:00"), to = local("2024-01-15 12:00:00");
        QCOMPARE(s.countVehicles(from, to, 0), 1 + 2);   // 10:30, and 12:00 whole
        QCOMPARE(s.countVehicles(local("2024-01-15 10:00:00"), to, 0), 1 + 1 + 2);
        QCOMPARE(s.countVehicles(from, to.addSecs(-1), 0), 1);
        QCOMPARE(s.countVehicles(from, to, 1), 1);

        // The range queries read the measures themselves.
        const QDateTime none = QDateTime::fromSecsSinceEpoch(0), later = local("2024-01-15 13:00:00");
        QCOMPARE(s.meanSpeedInRange(none, none, 0), 60.0f);
        QCOMPARE(s.maxSpeedInRange(none, none, 0), 90);
        QCOMPARE(s.maxSpeedInRange(none, none, 1), 99);
        QCOMPARE(s.maxSpeedInRange(local("2024-01-15 10:30:00"), to.addSecs(-1), 0), 50);
        QCOMPARE(s.maxSpeedInRange(local("2024-01-15 10:30:00"), to, 0), 60);   // the end is in the range
        QCOMPARE(s.meanSpeedInRange(later, later.addSecs(3600), 1), 15.0f);
        QCOMPARE(s.meanSpeedInRange(to, to, 0), 50.0f);
        QCOMPARE(s.meanSpeedInRange(later, later.addSecs(3600), 0), 0.0f);
        QCOMPARE(s.maxSpeedInRange(later, later.addSecs(3600), 0), 0);
    }

    void laterLoads()
    {
        SpeedStatistics s;
        add(s, "2024-01-15 08:00:00", 50, 0);
        add(s, "2024-01-15 08:05:00", 55, 0);
        add(s, "2024-01-16 08:00:00", 70, 1);
        bool gaps = false;
        QCOMPARE(loadDay(s, "2024-01-15 08:00:00"), 1);

        // A period of direction 1 only: direction 0 stays, empty, with a flat curve and its old mean.
        QCOMPARE(s.load(local("2024-01-16 08:00:00"), local("2024-01-16 09:00:00"), gaps), 1);
        QVERIFY(s.getFilteredSample().contains(0));
        QCOMPARE(s.getFilteredSampleSize(0), 0);
        QCOMPARE(s.getMeasureCount(0), 0);
        QCOMPARE(s.getV50(0), 0.0);
        QCOMPARE(s.getPercentageCurve(0).size(), 100);
        QCOMPARE(s.getPercentageCurve(0).last(), (CurvePoint{99, 0}));
        QCOMPARE(s.getMeanSpeed(0), 52.5);
        QCOMPARE(s.getMeanSpeed(1), 70.0);

        // Without measures a load changes nothing.
        s.editMeasures().clear();
        QCOMPARE(s.load(local("2024-02-01 00:00:00"), local("2024-02-02 00:00:00"), gaps), 0);
        QCOMPARE(s.getFilteredSampleSize(1), 1);
        QCOMPARE(s.getHighestSpeed(1), 70);
        QCOMPARE(s.getMeasureCount(1), 1);
    }

    void description_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("description");   // the earlier one is "Avenue"
        QTest::addColumn<QString>("fileName");

        const auto row = [](const char* name, const char* text, const char* description, const char* fileName) {
            QTest::newRow(name) << text << description << QStringLiteral("2024-01-01_2024-01-31_") + fileName;
        };
        row("three parts", "2024-01-01_2024-01-31_Rue de la Paix", "Rue de la Paix", "Rue_de_la_Paix");
        row("four parts keep the old", "Rue_de_la_Paix", "Avenue", "Avenue");
        row("empty third part", "a_b_", "", "");
        row("forbidden characters", "x_y_A/B:C*D?E\"F<G>H|I\\J", "A/B:C*D?E\"F<G>H|I\\J", "A_B_C_D_E_F_G_H_I_J");
        row("trailing space", "x_y_ Gare ", " Gare ", "_Gare");
    }

    void description()
    {
        QFETCH(QString, text);
        SpeedStatistics s;
        s.setDescription(QStringLiteral("a_b_Avenue"));
        s.setDescription(text);
        QTEST(s.getDescription(), "description");
        const QString name = s.getStatsFileName(local("2024-01-01 00:00:00"), local("2024-01-31 23:30:00"));
        QTEST(name, "fileName");
        // A name built from a description without blanks or separators gives it back.
        if (!s.getDescription().contains(QRegularExpression(QStringLiteral("[ _/]")))) {
            SpeedStatistics other;
            other.setDescription(name);
            QCOMPARE(other.getDescription(), s.getDescription());
        }
    }
};

QTEST_GUILESS_MAIN(TestSpeedStatistics)
#include "tst_speedstatistics.moc"
