#include "scripteddialogs.h"
#include "stats/speedstatistics.h"
#include "testdata.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using Speeds = QVector<QPair<int, int>>;   // (speed, number of measures)

namespace {

QDateTime local(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

void add(SpeedStatistics& s, const char* time, int speed, int direction = 0)
{
    s.measures().insert(local(time).toSecsSinceEpoch(), Measure{speed, direction});
}

// Measures spread one a minute from 08:00 on one day, count per speed as given.
void addSpeeds(SpeedStatistics& s, const Speeds& speeds, int direction = 0)
{
    qint64 t = localTime(QStringLiteral("2024-01-15 08:00:00"));
    for (const auto& sp : speeds) {
        for (int i = 0; i < sp.second; ++i)
            s.measures().insert(t++, Measure{sp.first, direction});
    }
}

SpeedClassMap classes(const QVector<double>& upperBounds)
{
    SpeedClassMap map;
    double lower = 0;
    for (double upper : upperBounds) {
        SampleRecord r;
        r.minSpeed = lower;
        r.maxSpeed = upper;
        map.insert(map.size(), r);
        lower = upper + 1;
    }
    return map;
}

int loadDay(SpeedStatistics& s, bool& gaps, const char* begin = "2024-01-15 00:00:00",
            const char* end = "2024-01-15 23:30:00")
{
    return s.load(local(begin), local(end), gaps);
}

} // namespace

class TestSpeedStatistics : public QObject
{
    Q_OBJECT

private slots:
    void percentageMatchesExtendedPrecision();
    void percentiles_data();
    void percentiles();
    void percentageCurveOfTwoVehicles();
    void percentageCurveRounding_data();
    void percentageCurveRounding();
    void distribution_data();
    void distribution();
    void vehicleRounding_data();
    void vehicleRounding();
    void gapBucketsAtSixtyMinutes();
    void bucketBeforeBeginIsLeftOut();
    void daylightSavingDay();
    void emptyLoadKeepsResults();
    void directionKeepsEmptyEntry();
    void meanSpeedIsSinglePrecision();
    void rangeQueries();
    void description_data();
    void description();
    void isoToUnixTime();
    void loadStatistics();
};

// The integers the x87 unit gives for trunc((c / t) * 100), here with the real 80-bit type.
void TestSpeedStatistics::percentageMatchesExtendedPrecision()
{
#if (defined(__x86_64__) || defined(__i386__)) && !defined(_MSC_VER)
    QCOMPARE(std::numeric_limits<long double>::digits, 64);
    auto reference = [](quint64 c, quint64 t) {
        volatile long double q = static_cast<long double>(c) / static_cast<long double>(t);
        volatile long double p = q * 100;
        return int(p);
    };
    int mismatches = 0;
    int belowExact = 0;
    for (quint64 t = 1; t <= 600; ++t) {
        for (quint64 c = 0; c <= t; ++c) {
            const int expected = reference(c, t);
            if (truncatedPercentage(c, t) != expected && ++mismatches < 5)
                qWarning() << "mismatch for" << c << t << truncatedPercentage(c, t) << expected;
            if (expected != int(100 * c / t))
                ++belowExact;
        }
    }
    QRandomGenerator random(20240115);
    for (int i = 0; i < 300000; ++i) {
        const quint64 t = 1 + random.bounded(quint32(50000000));
        const quint64 c = random.bounded(quint32(t)) + 1;
        if (truncatedPercentage(c, t) != reference(c, t) && ++mismatches < 5)
            qWarning() << "mismatch for" << c << t << truncatedPercentage(c, t) << reference(c, t);
    }
    QCOMPARE(mismatches, 0);
    QVERIFY(belowExact > 0);   // the cases an integer division would get wrong exist
#endif
    QCOMPARE(truncatedPercentage(53, 100), 52);
    QCOMPARE(truncatedPercentage(59, 100), 58);
    QCOMPARE(truncatedPercentage(50, 100), 50);
    QCOMPARE(truncatedPercentage(100, 100), 100);
    QCOMPARE(truncatedPercentage(1, 3), 33);
}

void TestSpeedStatistics::percentiles_data()
{
    QTest::addColumn<Speeds>("speeds");
    QTest::addColumn<int>("range");   // 0: divider off
    QTest::addColumn<double>("v30");
    QTest::addColumn<double>("v50");
    QTest::addColumn<double>("v85");

    Speeds oneEach;
    for (int s = 1; s <= 100; ++s)
        oneEach.append({s, 1});
    QTest::newRow("1 to 100, one each") << oneEach << 0 << 30.0 << 50.0 << 85.0;

    Speeds tenEach;
    for (int s = 30; s <= 39; ++s)
        tenEach.append({s, 10});
    QTest::newRow("30 to 39, ten each") << tenEach << 0 << 32.0 << 34.0 << 37.0;

    QTest::newRow("single speed") << Speeds{{50, 40}} << 0 << 0.0 << 0.0 << 0.0;
    // Divider 9 per speed: 17 -> 1, 17 -> 1, 8 -> 0 vehicles; total 2, not 42 / 9 = 4.
    QTest::newRow("divider per speed") << Speeds{{40, 17}, {50, 17}, {60, 8}} << 150 << 0.0 << 40.0 << 40.0;
    // A speed adding no vehicle still takes the percentile while the percentage allows it.
    QTest::newRow("speed without vehicle") << Speeds{{40, 8}, {45, 9}, {50, 18}, {70, 9}} << 150 << 45.0 << 45.0
                                           << 50.0;
    QTest::newRow("no whole vehicle") << Speeds{{40, 8}, {45, 8}} << 150 << 0.0 << 0.0 << 0.0;
}

void TestSpeedStatistics::percentiles()
{
    QFETCH(Speeds, speeds);
    QFETCH(int, range);
    SpeedStatistics s;
    s.setDividerOff(range == 0);
    if (range)
        s.setRange(quint16(range));
    addSpeeds(s, speeds);
    bool gaps = false;
    QVERIFY(loadDay(s, gaps) > 0);
    QTEST(s.getV30(0), "v30");
    QTEST(s.getV50(0), "v50");
    QTEST(s.getV85(0), "v85");
    QCOMPARE(s.getHighestSpeed(0), speeds.last().first);
}

void TestSpeedStatistics::percentageCurveOfTwoVehicles()
{
    SpeedStatistics s;
    addSpeeds(s, {{50, 1}, {60, 1}});
    bool gaps = false;
    QVERIFY(loadDay(s, gaps) > 0);
    CurvePoints expected{{0, 0}};
    for (int k = 1; k <= 49; ++k)
        expected.append({double(k), 0});
    expected.append({50, 50});
    for (int k = 50; k <= 98; ++k)
        expected.append({double(k), 50});
    expected.append({100, 60});
    QCOMPARE(s.getPercentageCurve(0), expected);
    QCOMPARE(s.getV30(0), 0.0);
    QCOMPARE(s.getV50(0), 50.0);
    QCOMPARE(s.getV85(0), 50.0);

    // A direction without curve answers the curve of direction 0.
    QCOMPARE(s.getPercentageCurveSize(1), 0);
    QCOMPARE(s.getPercentageCurve(1), expected);
}

void TestSpeedStatistics::percentageCurveRounding_data()
{
    QTest::addColumn<int>("first");     // vehicles at 40 of 100
    QTest::addColumn<int>("percent");   // where the curve takes 40

    QTest::newRow("53 of 100 is 52") << 53 << 52;
    QTest::newRow("59 of 100 is 58") << 59 << 58;
    QTest::newRow("50 of 100 is 50") << 50 << 50;
}

void TestSpeedStatistics::percentageCurveRounding()
{
    QFETCH(int, first);
    QFETCH(int, percent);
    SpeedStatistics s;
    addSpeeds(s, {{40, first}, {60, 100 - first}});
    bool gaps = false;
    QVERIFY(loadDay(s, gaps) > 0);
    const CurvePoints curve = s.getPercentageCurve(0);
    QCOMPARE(curve.at(percent - 1), (CurvePoint{double(percent - 1), 0}));
    QCOMPARE(curve.at(percent), (CurvePoint{double(percent), 40}));
    QCOMPARE(curve.at(percent + 1), (CurvePoint{double(percent), 40}));
    QCOMPARE(curve.last(), (CurvePoint{100, 60}));
}

void TestSpeedStatistics::distribution_data()
{
    QTest::addColumn<QVector<double>>("bounds");
    QTest::addColumn<Speeds>("speeds");
    QTest::addColumn<QVector<int>>("counts");
    QTest::addColumn<QVector<double>>("speedSums");

    QTest::newRow("below, on the bound, above the last") << QVector<double>{30, 50, 70, 90}
                                                        << Speeds{{10, 1}, {25, 2}, {30, 1}, {31, 3}, {95, 2}, {120, 1}}
                                                        << QVector<int>{4, 3, 0, 3} << QVector<double>{65, 31, 0, 215};
    QTest::newRow("fractional bound") << QVector<double>{49.9, 60} << Speeds{{49, 1}, {50, 1}}
                                      << QVector<int>{1, 1} << QVector<double>{49, 50};
    QTest::newRow("single class") << QVector<double>{50} << Speeds{{20, 5}, {80, 5}} << QVector<int>{10}
                                  << QVector<double>{100};
}

void TestSpeedStatistics::distribution()
{
    QFETCH(QVector<double>, bounds);
    QFETCH(Speeds, speeds);
    QFETCH(QVector<int>, counts);
    QFETCH(QVector<double>, speedSums);

    SpeedStatistics s;
    s.setDistribution(classes(bounds), 0);
    s.setDistribution(classes(bounds), 1);
    addSpeeds(s, speeds);
    bool gaps = false;
    QVERIFY(loadDay(s, gaps) > 0);

    int total = 0;
    for (const auto& sp : speeds)
        total += sp.second;
    const SpeedClassMap result = s.getDistribution(0);
    QCOMPARE(result.size(), counts.size());
    for (int i = 0; i < counts.size(); ++i) {
        QCOMPARE(result.value(i).measureCount, counts.at(i));
        QCOMPARE(result.value(i).speedSum, speedSums.at(i));
        QCOMPARE(result.value(i).meanSpeed, double(counts.at(i)) / total);
        QCOMPARE(result.value(i).maxSpeed, bounds.at(i));
    }
    // Direction 1 had no measure: counts and shares stay 0.
    for (const SampleRecord& r : s.getDistribution(1)) {
        QCOMPARE(r.measureCount, 0);
        QCOMPARE(r.meanSpeed, 0.0);
    }
    // Another area recounts the same histogram.
    s.setDistribution(classes({200}), 0);
    s.createDistribution();
    QCOMPARE(s.getDistribution(0).value(0).measureCount, total);
    QCOMPARE(s.getDistribution(0).value(0).meanSpeed, 1.0);
}

void TestSpeedStatistics::vehicleRounding_data()
{
    QTest::addColumn<int>("range");            // 0: divider off
    QTest::addColumn<int>("filterMinutes");
    QTest::addColumn<QVector<int>>("perHalfHour");
    QTest::addColumn<QVector<int>>("vehicles"); // per filtered bucket

    QTest::newRow("divider off") << 0 << 30 << QVector<int>{7, 1} << QVector<int>{7, 1};
    QTest::newRow("range 150, 9 and 10") << 150 << 30 << QVector<int>{9, 10} << QVector<int>{1, 2};
    QTest::newRow("range 150, 18 and 19") << 150 << 30 << QVector<int>{18, 19} << QVector<int>{2, 3};
    QTest::newRow("range 150, 60 minutes") << 150 << 60 << QVector<int>{5, 5} << QVector<int>{2};
    QTest::newRow("range 50, 60 minutes") << 50 << 60 << QVector<int>{4, 3} << QVector<int>{3};
    QTest::newRow("range 500") << 500 << 30 << QVector<int>{30, 31} << QVector<int>{1, 2};
}

void TestSpeedStatistics::vehicleRounding()
{
    QFETCH(int, range);
    QFETCH(int, filterMinutes);
    QFETCH(QVector<int>, perHalfHour);
    QFETCH(QVector<int>, vehicles);

    SpeedStatistics s;
    s.setDividerOff(range == 0);
    if (range)
        s.setRange(quint16(range));
    s.setFilter(filterMinutes * 60);
    qint64 half = localTime(QStringLiteral("2024-01-15 08:00:00"));
    for (int n : perHalfHour) {
        for (int i = 0; i < n; ++i)
            s.measures().insert(half + i * 10, Measure{50, 0});
        half += 1800;
    }
    bool gaps = true;
    QCOMPARE(loadDay(s, gaps, "2024-01-15 08:00:00"), vehicles.size());
    QVERIFY(!gaps);
    const SampleMap buckets = s.getFilteredSample(0);
    QVector<int> counted;
    for (const SampleRecord& r : buckets)
        counted.append(r.vehicleCount);
    QCOMPARE(counted, vehicles);
    int sum = 0;
    for (int v : vehicles)
        sum += v;
    QCOMPARE(s.countVehicles(QDateTime::fromSecsSinceEpoch(0), QDateTime::fromSecsSinceEpoch(0), 0), sum);
}

void TestSpeedStatistics::gapBucketsAtSixtyMinutes()
{
    SpeedStatistics s;
    s.setFilter(3600);
    add(s, "2024-01-15 08:10:00", 50);
    add(s, "2024-01-15 08:40:00", 70);
    add(s, "2024-01-15 11:05:00", 40);
    add(s, "2024-01-15 11:55:00", 60);
    add(s, "2024-01-15 08:20:00", 30, 1);
    bool gaps = false;
    QCOMPARE(loadDay(s, gaps), 12 + 9);
    QVERIFY(gaps);

    const SampleMap buckets = s.getFilteredSample(0);
    QCOMPARE(buckets.size(), 12);
    int hour = 0;
    for (auto it = buckets.constBegin(); it != buckets.constEnd(); ++it, ++hour) {
        QCOMPARE(it.key(), localTime(QStringLiteral("2024-01-15 %1:00:00").arg(hour, 2, 10, QLatin1Char('0'))));
        const bool data = hour == 8 || hour == 11;
        QCOMPARE(it->valid, data);
        QCOMPARE(it->flag2, data);
        if (!data) {
            QCOMPARE(it->measureCount, 1);
            QCOMPARE(it->vehicleCount, 1);
            QCOMPARE(it->maxSpeed, 0.0);
            QCOMPARE(it->meanSpeed, 0.0);
        }
    }
    const SampleRecord eight = buckets.value(localTime(QStringLiteral("2024-01-15 08:00:00")));
    QCOMPARE(eight.minSpeed, 50.0);
    QCOMPARE(eight.maxSpeed, 70.0);
    QCOMPARE(eight.meanSpeed, 60.0);
    QCOMPARE(eight.measureCount, 2);
    QCOMPARE(eight.speedSum, 0.0);
    QCOMPARE(s.getMaxSpeed(0), 70);
    QCOMPARE(s.getMaxSpeed(1), 30);
    QCOMPARE(s.getMaxSpeed(), 70.0);

    // Curves drop to 0 over the gaps; the gap bars are 0; bars split the bucket by direction.
    QCOMPARE(s.getMeanCurve().value(0).size(), 12);
    QCOMPARE(s.getMaxCurve().value(0).at(9).y, 0.0);
    QCOMPARE(s.getMaxCurve().value(0).at(8).y, 70.0);
    const IntervalSamples bars0 = s.getVehicleBars().value(0);
    QCOMPARE(bars0.size(), 12);
    QCOMPARE(bars0.at(9).value, 0.0);
    QCOMPARE(bars0.at(8).value, 2.0);
    const qint64 eightT = localTime(QStringLiteral("2024-01-15 08:00:00"));
    QCOMPARE(bars0.at(8).minValue, double(eightT));
    QCOMPARE(bars0.at(8).maxValue, double(eightT + 1800));
    const IntervalSamples bars1 = s.getVehicleBars().value(1);
    QCOMPARE(bars1.last().minValue, double(eightT + 1800));
    QCOMPARE(bars1.last().maxValue, double(eightT + 3600));
    QCOMPARE(s.getEarliestBucket(), localTime(QStringLiteral("2024-01-15 00:00:00")));
    QCOMPARE(s.getLatestBucket(), localTime(QStringLiteral("2024-01-15 11:00:00")));
}

void TestSpeedStatistics::bucketBeforeBeginIsLeftOut()
{
    SpeedStatistics s;
    s.setDividerOff(true);
    add(s, "2024-01-15 10:15:00", 90);   // original bucket 10:00, before the begin
    add(s, "2024-01-15 10:45:00", 50);
    add(s, "2024-01-15 12:00:00", 40);
    add(s, "2024-01-15 12:20:00", 60);
    add(s, "2024-01-15 12:40:00", 60);
    bool gaps = false;
    QVERIFY(loadDay(s, gaps, "2024-01-15 10:10:00") > 0);

    // Buckets start at 10:10: [10:10, 10:40) gets the 10:30 bucket; 10:15 is nowhere.
    const SampleMap buckets = s.getFilteredSample(0);
    QCOMPARE(buckets.firstKey(), localTime(QStringLiteral("2024-01-15 10:10:00")));
    QCOMPARE(buckets.first().measureCount, 1);
    QCOMPARE(buckets.first().maxSpeed, 50.0);
    QCOMPARE(s.getMaxSpeed(0), 60);
    // ... but the mean and the histogram have it.
    QCOMPARE(s.getMeasureCount(0), 5);
    QCOMPARE(s.getHighestSpeed(0), 90);

    const QDateTime to = local("2024-01-15 12:00:00");
    QCOMPARE(s.countVehicles(local("2024-01-15 10:10:00"), to, 0), 1 + 2);   // 10:30, 12:00 whole
    QCOMPARE(s.countVehicles(local("2024-01-15 10:00:00"), to, 0), 1 + 1 + 2);
    QCOMPARE(s.countVehicles(local("2024-01-15 10:10:00"), local("2024-01-15 11:59:59"), 0), 1);
    QCOMPARE(s.countVehicles(local("2024-01-15 10:10:00"), to, 1), 0);
}

void TestSpeedStatistics::daylightSavingDay()
{
    // 31 March 2024: 02:00 local does not exist. Buckets step in Unix seconds.
    SpeedStatistics s;
    s.setFilter(3600);
    for (qint64 t = localTime(QStringLiteral("2024-03-31 00:00:00")); t < localTime(QStringLiteral("2024-03-31 05:00:00"));
         t += 1200)
        s.measures().insert(t, Measure{50, 0});
    bool gaps = true;
    QCOMPARE(s.load(local("2024-03-31 00:00:00"), local("2024-03-31 05:00:00"), gaps), 4);
    QVERIFY(!gaps);
    QStringList hours;
    for (const SampleRecord& r : s.getFilteredSample(0)) {
        hours << QDateTime::fromSecsSinceEpoch(r.time).toString(QStringLiteral("hh:mm"));
        QCOMPARE(r.measureCount, 3);
    }
    QCOMPARE(hours, QStringList({"00:00", "01:00", "03:00", "04:00"}));
}

void TestSpeedStatistics::emptyLoadKeepsResults()
{
    SpeedStatistics s;
    addSpeeds(s, {{50, 3}, {60, 2}});
    bool gaps = false;
    const int n = loadDay(s, gaps);
    QVERIFY(n > 0);
    const SampleMap before = s.getFilteredSample(0);
    const double v85 = s.getV85(0);
    s.measures().clear();
    QCOMPARE(loadDay(s, gaps, "2024-02-01 00:00:00", "2024-02-02 00:00:00"), 0);
    QCOMPARE(s.getFilteredSampleSize(0), before.size());
    QCOMPARE(s.getV85(0), v85);
    QCOMPARE(s.getMeasureCount(0), 5);
}

void TestSpeedStatistics::directionKeepsEmptyEntry()
{
    SpeedStatistics s;
    add(s, "2024-01-15 08:00:00", 50, 0);
    add(s, "2024-01-15 08:05:00", 55, 0);
    add(s, "2024-01-16 08:00:00", 70, 1);
    bool gaps = false;
    QCOMPARE(loadDay(s, gaps, "2024-01-15 08:00:00"), 1);
    // The next day holds only direction 1: direction 0 stays, empty, with a flat curve.
    QCOMPARE(s.load(local("2024-01-16 08:00:00"), local("2024-01-16 09:00:00"), gaps), 1);
    QVERIFY(s.getFilteredSample().contains(0));
    QCOMPARE(s.getFilteredSampleSize(0), 0);
    QCOMPARE(s.getFilteredSampleSize(1), 1);
    QCOMPARE(s.getMeasureCount(0), 0);
    QCOMPARE(s.getV50(0), 0.0);
    const CurvePoints flat = s.getPercentageCurve(0);
    QCOMPARE(flat.size(), 100);
    QCOMPARE(flat.last().x, 99.0);
    QCOMPARE(flat.last().y, 0.0);
    QCOMPARE(s.getMaxSpeed(0), 0);
    QCOMPARE(s.getMaxSpeed(1), 70);
    // The mean of a direction without measures is the earlier one.
    QCOMPARE(s.getMeanSpeed(0), 52.5);
    QCOMPARE(s.getMeanSpeed(1), 70.0);
}

void TestSpeedStatistics::meanSpeedIsSinglePrecision()
{
    SpeedStatistics s;
    add(s, "2024-01-15 08:00:00", 3);
    add(s, "2024-01-15 08:01:00", 3);
    add(s, "2024-01-15 08:02:00", 4);
    bool gaps = false;
    QVERIFY(loadDay(s, gaps) > 0);
    QCOMPARE(s.getMeanSpeed(0), double(10.0f / 3.0f));
    QVERIFY(s.getMeanSpeed(0) != 10.0 / 3.0);
    // The bucket mean is a double.
    QCOMPARE(s.getFilteredSample(0).value(localTime(QStringLiteral("2024-01-15 08:00:00"))).meanSpeed, 10.0 / 3.0);
}

void TestSpeedStatistics::rangeQueries()
{
    SpeedStatistics s;
    add(s, "2024-01-15 08:00:00", 50);
    add(s, "2024-01-15 08:00:00", 60);   // same second: both kept
    add(s, "2024-01-15 09:00:00", 70);
    add(s, "2024-01-15 09:00:00", 99, 1);
    const QDateTime none = QDateTime::fromSecsSinceEpoch(0);
    QCOMPARE(s.meanSpeedInRange(none, none, 0), 60.0f);
    QCOMPARE(s.maxSpeedInRange(none, none, 0), 70);
    QCOMPARE(s.maxSpeedInRange(local("2024-01-15 08:00:00"), local("2024-01-15 08:59:59"), 0), 60);
    QCOMPARE(s.meanSpeedInRange(local("2024-01-15 08:00:00"), local("2024-01-15 08:00:00"), 0), 55.0f);
    QCOMPARE(s.meanSpeedInRange(local("2024-01-15 10:00:00"), local("2024-01-15 11:00:00"), 0), 0.0f);
    QCOMPARE(s.maxSpeedInRange(local("2024-01-15 10:00:00"), local("2024-01-15 11:00:00"), 0), 0);
    QCOMPARE(s.maxSpeedInRange(none, none, 1), 99);
}

void TestSpeedStatistics::description_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("three parts") << "" << "2024-01-01_2024-01-31_Rue de la Paix" << "Rue de la Paix"
                                 << "2024-01-01_2024-01-31_Rue_de_la_Paix";
    QTest::newRow("four parts keep the old") << "Avenue" << "Rue_de_la_Paix" << "Avenue"
                                             << "2024-01-01_2024-01-31_Avenue";
    QTest::newRow("empty") << "" << "" << "" << "2024-01-01_2024-01-31_";
    QTest::newRow("empty third part") << "Avenue" << "a_b_" << "" << "2024-01-01_2024-01-31_";
    QTest::newRow("forbidden characters") << "" << "x_y_A/B:C*D?E\"F<G>H|I\\J" << "A/B:C*D?E\"F<G>H|I\\J"
                                          << "2024-01-01_2024-01-31_A_B_C_D_E_F_G_H_I_J";
    QTest::newRow("trailing space") << "" << "x_y_ Gare " << " Gare " << "2024-01-01_2024-01-31__Gare";
}

void TestSpeedStatistics::description()
{
    QFETCH(QString, before);
    QFETCH(QString, text);
    SpeedStatistics s;
    s.setDescription(QStringLiteral("a_b_") + before);
    s.setDescription(text);
    QTEST(s.getDescription(), "description");
    const QString name = s.getStatsFileName(local("2024-01-01 00:00:00"), local("2024-01-31 23:30:00"));
    QTEST(name, "fileName");
    // A name built from a description without blanks or separators gives it back.
    if (!s.getDescription().contains(QLatin1Char(' ')) && !s.getDescription().contains(QLatin1Char('_'))
        && !s.getDescription().contains(QLatin1Char('/'))) {
        SpeedStatistics other;
        other.setDescription(name);
        QCOMPARE(other.getDescription(), s.getDescription());
    }
}

void TestSpeedStatistics::isoToUnixTime()
{
    QCOMPARE(SpeedStatistics::isoToUnixTime(QStringLiteral("2024-01-15 08:00:00")),
             localTime(QStringLiteral("2024-01-15 08:00:00")));
    QCOMPARE(SpeedStatistics::isoToUnixTime(QStringLiteral("2024-01-15T08:00:00")),
             localTime(QStringLiteral("2024-01-15 08:00:00")));
    QCOMPARE(SpeedStatistics::isoToUnixTime(QStringLiteral("15/01/2024 08:00")), qint64(-1));
    QCOMPARE(SpeedStatistics::isoToUnixTime(QString()), qint64(-1));
}

void TestSpeedStatistics::loadStatistics()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("2024-01-01_2024-01-31_Rue.db"));
    const qint64 t0 = localTime(QStringLiteral("2024-01-15 08:10:00"));
    QVERIFY(writeMeasureDb(file, {{t0, 15, 0}, {t0 + 60, 16, 1}, {t0 + 60, 40, 0}, {t0 + 7200, 55, 0},
                                  {t0 + 86400, 60, 1}},
                           true, 2));

    ScriptedDialogs dialogs;
    SpeedStatistics s;
    s.setMinSpeed(15);
    s.setDescription(QStringLiteral("a_b_Avant"));
    const QDateTime from = local("2024-01-15 00:00:00");
    const QDateTime to = local("2024-01-15 23:59:59");
    QCOMPARE(s.loadStatistics(file, from, to), 3);
    QCOMPARE(dialogs.messages(), QStringList());
    QCOMPARE(s.getStartDate().toSecsSinceEpoch(), t0 + 60);
    QCOMPARE(s.getEndDate().toSecsSinceEpoch(), t0 + 7200);
    QCOMPARE(s.getUnits(), qint16(1));
    QCOMPARE(s.getDescription(), QStringLiteral("Rue"));
    QVERIFY(dialogs.progressLabels.contains(QStringLiteral("Chargement...")));
    QCOMPARE(dialogs.shown().first().title, QStringLiteral("Statistiques"));

    // Campaign 1's title wins over the file name when it has three parts.
    QVERIFY(execSql(file, QStringLiteral("INSERT INTO campaign (camp_id, product_prod_id, camp_title) "
                                         "VALUES (1, 0, '2024-01-01_2024-01-31_Place')")));
    QCOMPARE(s.loadStatistics(file, from, local("2024-01-16 23:59:59")), 4);
    QCOMPARE(s.getDescription(), QStringLiteral("Place"));

    // A file that did not exist: the box, and the measures of the earlier load stay.
    dialogs.clear();
    const QString missing = dir.filePath(QStringLiteral("absent.db"));
    QCOMPARE(s.loadStatistics(missing, from, to), 4);
    QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("La base de données %1 est vide").arg(missing)});
    QCOMPARE(s.getUnits(), qint16(1));
    QCOMPARE(s.getEndDate().toSecsSinceEpoch(), t0 + 86400);

    // A period without measures empties them.
    dialogs.clear();
    QCOMPARE(s.loadStatistics(file, local("2023-01-01 00:00:00"), local("2023-01-02 00:00:00")), 0);
    QCOMPARE(dialogs.messages(),
             QStringList{QStringLiteral("La base de donnée %1 ne contient pas de statistiques").arg(file)});
    QCOMPARE(s.getStartDate().toSecsSinceEpoch(), qint64(0));
    bool gaps = false;
    QCOMPARE(s.load(from, to, gaps), 0);

    // No file name: nothing is opened.
    dialogs.clear();
    QCOMPARE(s.loadStatistics(QString(), from, to), 0);
    QVERIFY(dialogs.shown().isEmpty());
}

QTEST_GUILESS_MAIN(TestSpeedStatistics)
#include "tst_speedstatistics.moc"
