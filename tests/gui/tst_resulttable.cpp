// SPDX-License-Identifier: GPL-3.0-or-later
// The speed table: item ordering and the table built from a filtered sample.
#include "core/workspace.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "windowtest.h"
#include "gui/mainwindow.h"
#include "gui/models/tableitems.h"

#include <QtTest>
#include <QtWidgets>
#include <memory>

namespace {

std::unique_ptr<QTableWidgetItem> makeItem(const QString& kind, const QString& text)
{
    std::unique_ptr<QTableWidgetItem> item;
    if (kind == QLatin1String("int"))
        item.reset(new QTableWidgetItemInt);
    else if (kind == QLatin1String("speed"))
        item.reset(new QTableWidgetItemSpeed);
    else if (kind == QLatin1String("date"))
        item.reset(new QTableWidgetItemDate);
    else
        item.reset(new QTableWidgetItemText);
    item->setText(text);
    return item;
}

SampleRecord bucket(const char* start, int readings, int vehicles, double mean, double max, bool valid = true)
{
    SampleRecord r;
    r.time = localTime(QLatin1String(start));
    r.measureCount = readings;
    r.vehicleCount = vehicles;
    r.meanSpeed = mean;
    r.maxSpeed = max;
    r.valid = valid;
    return r;
}

QStringList rows(const QTableWidget& table)
{
    QStringList out;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells << table.item(row, column)->text();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

QStringList column(const QTableWidget& table, int c)
{
    QStringList out;
    for (int row = 0; row < table.rowCount(); ++row)
        out << table.item(row, c)->text();
    return out;
}

}   // namespace

class TestResultTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void itemOrder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::newRow("int numeric, not alphabetical") << "int"
                                                       << "9.50"
                                                       << "10.25" << true;
        QTest::newRow("int reversed") << "int"
                                      << "10.25"
                                      << "9.50" << false;
        QTest::newRow("int equal") << "int"
                                   << "12"
                                   << "12.00" << false;
        QTest::newRow("int text counts as 0 above negative") << "int"
                                                             << "abc"
                                                             << "-1" << false;
        QTest::newRow("int text counts as 0 below positive") << "int"
                                                             << "abc"
                                                             << "0.5" << true;
        QTest::newRow("speed numeric") << "speed"
                                       << "61.00"
                                       << "100.00" << true;
        QTest::newRow("date across the year") << "date"
                                              << "31/12/2023 23:30"
                                              << "02/01/2024 00:00" << true;
        QTest::newRow("date day is not the month") << "date"
                                                   << "02/01/2024 00:00"
                                                   << "31/12/2023 23:30" << false;
        QTest::newRow("date minutes") << "date"
                                      << "01/01/2024 10:00"
                                      << "01/01/2024 10:30" << true;
        QTest::newRow("text by code unit, not locale") << "text"
                                                       << "Sortant"
                                                       << "entrant" << true;
        QTest::newRow("text accented after plain") << "text"
                                                   << "\xc3\xa9"
                                                   << "f" << false;
    }

    void itemOrder()
    {
        QFETCH(QString, kind);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, less);
        QCOMPARE(*makeItem(kind, a) < *makeItem(kind, b), less);
    }

    // Newest first, ties ingoing first even after the user sorted the previous table otherwise;
    // empty buckets absent; a later fill replaces every row.
    void speedTable()
    {
        DirectionSamples samples;
        samples[0].insert(1, bucket("2024-01-01 10:00:00", 12, 2, 47.5, 61));
        samples[0].insert(2, bucket("2024-01-01 10:30:00", 0, 0, 0, 0, false));
        samples[0].insert(3, bucket("2024-01-01 11:00:00", 3, 3, 0, 0));
        samples[1].insert(1, bucket("2023-12-31 23:30:00", 4, 4, 10.25, 12));
        samples[1].insert(2, bucket("2024-01-01 10:00:00", 7, 1, 9.5, 9.5));
        // Days when the clocks change: 02:30 comes twice in October, 02:00 to 03:00 is skipped in March.
        for (const auto& [utc, readings] : {std::pair{"2024-10-27T00:30:00Z", 5}, std::pair{"2024-10-27T01:30:00Z", 6},
                                            std::pair{"2024-03-31T01:00:00Z", 8}}) {
            SampleRecord r = bucket("2024-01-01 00:00:00", readings, 1, 20, 20);
            r.time = QDateTime::fromString(QLatin1String(utc), Qt::ISODate).toSecsSinceEpoch();
            samples[0].insert(r.time, r);
        }

        QTableWidget table(0, 6);
        fillSpeedTable(&table, samples);
        table.sortItems(5, Qt::DescendingOrder);
        fillSpeedTable(&table, samples);
        const QStringList expected{
            "27/10/2024 02:30|5|1|20.00|20.00|Entrant",  "27/10/2024 02:30|6|1|20.00|20.00|Entrant",
            "31/03/2024 03:00|8|1|20.00|20.00|Entrant",  "01/01/2024 11:00|3|0|0.00|0.00|Entrant",
            "01/01/2024 10:00|12|2|47.50|61.00|Entrant", "01/01/2024 10:00|7|1|9.50|9.50|Sortant",
            "31/12/2023 23:30|4|4|10.25|12.00|Sortant",
        };
        QCOMPARE(rows(table), expected);
        QCOMPARE(table.horizontalHeader()->sortIndicatorSection(), 0);
        QVERIFY(table.isSortingEnabled());
        QVERIFY(table.alternatingRowColors());
        QCOMPARE(table.item(0, 0)->textAlignment(), int(Qt::AlignHCenter | Qt::AlignVCenter));
        for (int c = 1; c < 6; ++c)
            QCOMPARE(table.item(0, c)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));

        table.sortItems(3, Qt::AscendingOrder);
        QCOMPARE(column(table, 3), (QStringList{"0.00", "9.50", "10.25", "20.00", "20.00", "20.00", "47.50"}));

        fillSpeedTable(&table, DirectionSamples{});
        QCOMPARE(table.rowCount(), 0);
    }

    // The window fills its table after a load; 12 readings with range 150 and the divider on are
    // 2 vehicles.
    void windowTable()
    {
        TempWorkspace dir;
        ScriptedDialogs dialogs;
        MainWindow window;
        SpeedStatistics& stats = window.statistics();
        const qint64 start = localTime(QStringLiteral("2024-01-01 10:00:00"));
        for (int i = 0; i < 12; ++i)
            stats.editMeasures().insert(start + 60 * i, Measure{50, 0});
        stats.editMeasures().insert(start + 3600, Measure{40, 1});
        stats.setRange(150);
        stats.setDividerOff(false);
        window.findChild<QDateTimeEdit*>(QStringLiteral("gb1_dateTimeEdit_1"))
            ->setDateTime(QDateTime::fromSecsSinceEpoch(start));
        window.findChild<QDateTimeEdit*>(QStringLiteral("gb1_dateTimeEdit_2"))
            ->setDateTime(QDateTime::fromSecsSinceEpoch(start + 7200));
        window.createGraph();
        window.findChild<QTabWidget*>(QStringLiteral("tabWidget"))
            ->setCurrentWidget(window.findChild<QWidget*>(QStringLiteral("page_4")));

        const auto* table = window.findChild<QTableWidget*>(QStringLiteral("page_4_view"));
        QCOMPARE(
            rows(*table),
            (QStringList{"01/01/2024 11:00|1|1|40.00|40.00|Sortant", "01/01/2024 10:00|12|2|50.00|50.00|Entrant"}));
    }
};

QTEST_MAIN(TestResultTable)
#include "tst_resulttable.moc"
