// SPDX-License-Identifier: GPL-3.0-or-later
// The summary's figures on hand-worked files whose every figure is known in advance.
#include "db/measurereader.h"
#include "scripteddialogs.h"
#include "analysis/speedstatistics.h"
#include "analysis/trafficsummary.h"
#include "testdata.h"

#include <QtTest>

namespace {

// n readings spread evenly over the hour starting at start.
void hour(QVector<Row>& rows, qint64 start, int n, int direction, int speed = 50)
{
    for (int i = 0; i < n; ++i)
        rows << Row{start + i * 3600 / n, speed, direction};
}

// Loads file and analyses [begin, end] as the window does; the files here hold one reading per vehicle.
TrafficSummary summarise(SpeedStatistics& s, const QString& file, const QString& begin, const QString& end,
                         std::optional<int> limit)
{
    const QDateTime b = QDateTime::fromSecsSinceEpoch(localTime(begin));
    const QDateTime e = QDateTime::fromSecsSinceEpoch(localTime(end));
    s.setRead(readMeasureFile(file, b.toSecsSinceEpoch(), e.toSecsSinceEpoch(), s.getMinSpeed()));
    bool gaps = false;
    s.load(b, e, gaps);
    return TrafficSummary::compute(s, b, e, limit, 1);
}

}   // namespace

class TestTrafficSummary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Monday 2 to Sunday 8 November 2026, Thursday unrecorded. Ingoing: 10 vehicles an hour on
    // weekdays, 30 from 08:00 and 50 from 17:00, 8 an hour at weekends; outgoing: 2 an hour.
    void volumesOfAWeek()
    {
        QVector<Row> rows;
        const QDate monday(2026, 11, 2);
        for (int day = 0; day < 7; ++day) {
            const QDate date = monday.addDays(day);
            if (day == 3)
                continue;
            for (int h = 0; h < 24; ++h) {
                const qint64 start = QDateTime(date, QTime(h, 0)).toSecsSinceEpoch();
                hour(rows, start, day >= 5 ? 8 : h == 8 ? 30 : h == 17 ? 50 : 10, 0);
                hour(rows, start, 2, 1);
            }
        }
        // Monday 09:00 is implausibly fast; 10:06 is written again at 10:00 (the outgoing reading of that
        // second is no repeat); three readings at or below the minimum speed are left out.
        for (Row& r : rows) {
            if (r.time == localTime("2026-11-02 09:00:00") && r.direction == 0)
                r.speed = 260;
            if (r.time == localTime("2026-11-02 10:06:00"))
                r.time = localTime("2026-11-02 10:00:00");
        }
        for (const char* slow : {"2026-11-02 12:01:00", "2026-11-04 03:00:00", "2026-11-08 23:00:00"})
            rows << Row{localTime(QLatin1String(slow)), 15, 0};
        const QString file = m_dir.filePath(QStringLiteral("week.db"));
        QVERIFY(writeMeasureDb(file, rows, true, 0));

        ScriptedDialogs dialogs;
        SpeedStatistics s;
        s.setDividerOff(true);
        const TrafficSummary t = summarise(s, file, "2026-11-02 00:00:00", "2026-11-08 23:59:59", 50);
        // The days counted: the golden summaries, over a week with a day missing.
        QCOMPARE(t.slowReadings, std::optional<qint64>(3));
        QCOMPARE(t.implausibleReadings, qint64(1));
        QCOMPARE(t.repeatedReadings, qint64(1));
        // In bursts a second reading of the same second, speed and direction is how a vehicle is recorded.
        QCOMPARE(TrafficSummary::compute(s, t.begin, t.end, 50, 0).repeatedReadings, qint64(0));
        // The weekend apart: 300 vehicles a weekday, 192 a weekend day.
        const DirectionSummary& in = t.groups[TrafficSummary::Ingoing];
        QCOMPARE(QVector<double>({*in.weekdayTraffic, *in.weekendTraffic, in.morningPeak->vehicles}),
                 QVector<double>({300, 192, 30}));

        // A narrower period, starting as a snapped first reading does: Tuesday's first bucket is left
        // out as on the vehicle count plot, yet Tuesday is whole; the slow readings no longer apply.
        const QDateTime b = QDateTime::fromSecsSinceEpoch(localTime("2026-11-03 00:00:36"));
        const QDateTime e = QDateTime::fromSecsSinceEpoch(localTime("2026-11-04 23:59:59"));
        bool gaps = false;
        s.load(b, e, gaps);
        const TrafficSummary narrow = TrafficSummary::compute(s, b, e, std::nullopt);
        QCOMPARE(QVector<int>({narrow.daysInPeriod, narrow.wholeDays}), QVector<int>({2, 2}));
        QCOMPARE(narrow.groups[0].vehicles, s.countVehicles(b, e, 0));
        QCOMPARE(narrow.groups[0].vehicles, qint64(2 * 300 - 5));
        QVERIFY(!narrow.slowReadings);
        QVERIFY(!narrow.groups[0].overLimit);

        // Read in two time slices, the way of large files, the count is the same.
        MeasureReader::setParallelReadThreshold(100);
        s.setRead(readMeasureFile(file, 0, localTime("2026-11-09 00:00:00"), s.getMinSpeed()));
        MeasureReader::setParallelReadThreshold(200000);
        QCOMPARE(s.getSlowReadings(), qint64(3));
    }

    void completeDays_data()
    {
        QTest::addColumn<QStringList>("recording");   // "from|to" local times: a reading every 15 minutes
        QTest::addColumn<QString>("begin");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("whole");
        QTest::addColumn<QStringList>("partial");   // "date first-last"
        QTest::addColumn<double>("dailyTraffic");

        // The week of the autumn change: Sunday 25 October 2026 has 25 hours (100 readings, 96 else).
        const QString monday = QStringLiteral("2026-10-19 00:00:00"), sunday = QStringLiteral("2026-10-25 23:59:59");
        QTest::newRow("set up Monday 10:15, taken away the next Monday 09:45")
            << QStringList{"2026-10-19 10:15|2026-10-26 09:45"} << monday << "2026-10-26 23:59:59" << 6
            << QStringList{"2026-10-19 10:15-23:45", "2026-10-26 00:00-09:45"} << (5 * 96 + 100) / 6.0;
        QTest::newRow("silent for more than six hours")
            << QStringList{"2026-10-19 00:00|2026-10-21 14:00", "2026-10-21 21:00|2026-10-25 23:45"} << monday << sunday
            << 6 << QStringList{"2026-10-21 00:00-23:45"} << (5 * 96 + 100) / 6.0;
        QStringList nights{"2026-10-19 00:00|2026-10-19 00:30"};
        for (int d = 0; d < 7; ++d) {
            const QString day = QDate(2026, 10, 19).addDays(d).toString(Qt::ISODate);
            const QString next = QDate(2026, 10, 20).addDays(d).toString(Qt::ISODate);
            nights << day + QStringLiteral(" 05:00|") + next + QStringLiteral(" 00:30");
        }
        QTest::newRow("quiet nights, 5 hours 30 over the change")
            << nights << monday << sunday << 7 << QStringList{} << 79.0;
        QTest::newRow("period from Tuesday noon")
            << QStringList{"2026-10-19 00:00|2026-10-25 23:45"} << "2026-10-20 12:00:00" << sunday << 5
            << QStringList{"2026-10-20 12:00-23:45"} << (4 * 96 + 100) / 5.0;
    }

    // A day counts in the daily figures when the period holds it whole and the radar recorded it throughout.
    void completeDays()
    {
        QFETCH(QStringList, recording);
        QFETCH(QString, begin);
        QFETCH(QString, end);
        QFETCH(int, whole);
        QFETCH(QStringList, partial);
        QFETCH(double, dailyTraffic);
        QVector<Row> rows;
        for (const QString& span : recording)
            for (qint64 t = localTime(span.section('|', 0, 0) + ":00"); t <= localTime(span.section('|', 1, 1) + ":00");
                 t += 900)
                rows << Row{t, 50, 0};
        const QString file = m_dir.filePath(QStringLiteral("complete%1.db").arg(QTest::currentDataTag()));
        QVERIFY(writeMeasureDb(file, rows));
        ScriptedDialogs dialogs;
        SpeedStatistics s;
        s.setDividerOff(true);
        const TrafficSummary t = summarise(s, file, begin, end, std::nullopt);
        QStringList listed;
        for (const PartialDay& d : t.partialDays)
            listed << d.date.toString(Qt::ISODate) + d.first.toString(" HH:mm-") + d.last.toString("HH:mm");
        QCOMPARE(listed, partial);
        QCOMPARE(t.wholeDays, whole);
        QCOMPARE(t.wholeDays + t.partialDays.size(), t.daysRecorded);
        QCOMPARE(*t.groups[TrafficSummary::Ingoing].dailyTraffic, dailyTraffic);
        QCOMPARE(t.wholeByDayOfWeek[6], 1);   // the 25-hour Sunday, whole in every row
    }

    void limitFromAreaNames()
    {
        const QList<QPair<QString, std::optional<int>>> cases{
            {"Zone 50 km/h", 50},        {"Zone 030", 30},         {"A7 zone 130", 7},
            {"Autoroute", std::nullopt}, {"Zone 0", std::nullopt}, {"Zone 99999999999", std::nullopt}};
        for (const auto& c : cases)
            QVERIFY2(limitFromAreaName(c.first) == c.second, qPrintable(c.first));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestTrafficSummary)

#include "tst_trafficsummary.moc"
