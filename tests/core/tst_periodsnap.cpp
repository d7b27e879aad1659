// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/periodsnap.h"

#include <QtTest>

class TestPeriodSnap : public QObject
{
    Q_OBJECT

private slots:

    void snap_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");

        const auto row = [](const char* name, const char* given, const char* start, const char* end) {
            QTest::newRow(name) << given << start << end;
        };
        row("on the hour", "2024-01-15 10:00:00", "2024-01-15 10:00:00", "2024-01-15 10:00:00");
        row("one second past", "2024-01-15 10:00:01", "2024-01-15 10:00:00", "2024-01-15 10:30:00");
        row("half hour drops seconds", "2024-01-15 10:30:45", "2024-01-15 10:30:00", "2024-01-15 11:00:00");
        row("minute 31", "2024-01-15 10:31:20", "2024-01-15 10:30:00", "2024-01-15 11:00:00");
        row("minute 59", "2024-01-15 10:59:59", "2024-01-15 10:30:00", "2024-01-15 11:00:00");
        row("end of day left", "2024-01-15 23:45:10", "2024-01-15 23:30:00", "2024-01-15 23:45:10");
        row("23:30 exactly", "2024-01-15 23:30:00", "2024-01-15 23:30:00", "2024-01-15 23:30:00");
        row("23:30:01 left", "2024-01-15 23:30:01", "2024-01-15 23:30:00", "2024-01-15 23:30:01");
        // The hour 02:00-03:00 of 31 March 2024 does not exist in Paris: 02:00 is 03:00.
        row("spring forward", "2024-03-31 01:45:00", "2024-03-31 01:30:00", "2024-03-31 03:00:00");
        row("fall back", "2024-10-27 02:40:00", "2024-10-27 02:30:00", "2024-10-27 03:00:00");
        // The end counts in whole seconds and keeps no fraction.
        row("milliseconds past", "2024-01-15 10:00:00.250", "2024-01-15 10:00:00.000", "2024-01-15 10:00:00.000");
        row("milliseconds into the gap", "2024-03-31 01:45:00.250", "2024-03-31 01:30:00.000",
            "2024-03-31 03:00:00.000");
    }

    void snap()
    {
        QFETCH(QString, given);
        const QString format =
            given.size() > 19 ? QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz") : QStringLiteral("yyyy-MM-dd hh:mm:ss");
        const QDateTime g = QDateTime::fromString(given, format);
        QVERIFY(g.isValid());
        QTEST(snapPeriodStart(g).toString(format), "start");
        QTEST(snapPeriodEnd(g).toString(format), "end");
        // Snapping twice changes nothing more.
        QCOMPARE(snapPeriodStart(snapPeriodStart(g)), snapPeriodStart(g));
        QCOMPARE(snapPeriodEnd(snapPeriodEnd(g)), snapPeriodEnd(g));
    }

    void invalidAndUtc()
    {
        QVERIFY(!snapPeriodStart(QDateTime()).isValid());
        QVERIFY(!snapPeriodEnd(QDateTime()).isValid());
        const QDateTime utc(QDate(2024, 1, 15), QTime(10, 10, 5), Qt::UTC);
        QCOMPARE(snapPeriodStart(utc), QDateTime(QDate(2024, 1, 15), QTime(10, 0), Qt::UTC));
        QCOMPARE(snapPeriodEnd(utc), QDateTime(QDate(2024, 1, 15), QTime(10, 30), Qt::UTC));
    }
};

QTEST_GUILESS_MAIN(TestPeriodSnap)
#include "tst_periodsnap.moc"
