// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedclasspie.h"

#include <QImage>
#include <QtTest>

#include <numeric>

namespace {

// Classes [0, 30], [31, 50], [51, 70], … with the given shares and measure counts.
SpeedClassMap classes(const QVector<double>& shares, const QVector<int>& counts = {})
{
    SpeedClassMap map;
    for (int i = 0; i < shares.size(); ++i) {
        SampleRecord r;
        r.minSpeed = i == 0 ? 0 : 11 + 20 * i;
        r.maxSpeed = 30 + 20 * i;
        r.meanSpeed = shares.at(i);
        r.measureCount = counts.value(i);
        map.insert(i, r);
    }
    return map;
}

}   // namespace

class TestPieChart : public QObject
{
    Q_OBJECT

private slots:
    void apportion_data()
    {
        QTest::addColumn<QVector<double>>("shares");
        QTest::addColumn<int>("vehicles");
        QTest::addColumn<QVector<int>>("expected");   // -1: class left out

        QTest::newRow("largest remainder takes the spare unit")
            << QVector<double>{0.6, 0.3996, 0.0004} << 100 << QVector<int>{60, 40, -1};
        QTest::newRow("a class under one vehicle still shows 1")
            << QVector<double>{0.002, 0.998} << 100 << QVector<int>{1, 99};
        QTest::newRow("no spare unit: the largest class gives one up")
            << QVector<double>{0.0009, 0.5, 0.5} << 64 << QVector<int>{1, 31, 32};
        // Equal remainders keep only the later class, which then takes every spare unit.
        QTest::newRow("equal remainders: the last class takes them")
            << QVector<double>{0.25, 0.25, 0.25, 0.25} << 6 << QVector<int>{1, 1, 1, 3};
        QTest::newRow("three thirds") << QVector<double>{1 / 3.0, 1 / 3.0, 1 / 3.0} << 10 << QVector<int>{3, 3, 4};
        QTest::newRow("no vehicle") << QVector<double>{0.5, 0.5} << 0 << QVector<int>{-1, -1};
    }
    void apportion()
    {
        QFETCH(QVector<double>, shares);
        QFETCH(int, vehicles);
        QFETCH(QVector<int>, expected);
        const QMap<qint64, int> allot = SpeedClassPie::apportion(classes(shares), vehicles, 0.0005);
        QVector<int> got;
        for (int i = 0; i < shares.size(); ++i)
            got << allot.value(i, -1);
        QCOMPARE(got, expected);
        const int total = std::accumulate(allot.cbegin(), allot.cend(), 0);
        QCOMPARE(total, vehicles);
    }

    void labels_data()
    {
        QTest::addColumn<int>("divider");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("divider 1: own counts, empty class kept")
            << 1
            << QStringList{"<=  30 Km/h :    400", " 31 -  50 Km/h :      0", " 51 -  70 Km/h :    500",
                           " 71 -  90 Km/h  (et +) :    100"};
        QTest::newRow("divider 9: allotments, tiny class left out")
            << 9 << QStringList{"<=  30 Km/h :      4", " 51 -  70 Km/h :      5", " 71 -  90 Km/h  (et +) :      1"};
    }
    void labels()
    {
        QFETCH(int, divider);
        QFETCH(QStringList, names);
        // Shares of 1000 measures; 10 vehicles when divided.
        const SpeedClassMap map = classes({0.4, 0.0001, 0.4999, 0.1}, {400, 0, 500, 100});
        SpeedClassPie chart(nullptr, map, divider, QStringLiteral("Véhicules entrants"), QStringLiteral("Km/h"), 10,
                            QStringLiteral(" (et +)"));
        QStringList got;
        for (const PiePiece& piece : chart.pieces())
            got << piece.name;
        QCOMPARE(got, names);
    }

    void paint_data()
    {
        QTest::addColumn<int>("vehicles");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("no vehicle: blank") << 0 << false;
        QTest::newRow("vehicles: pie drawn") << 10 << true;
    }
    void paint()
    {
        QFETCH(int, vehicles);
        QFETCH(bool, drawn);
        SpeedClassPie chart(nullptr, classes({0.25, 0.75}, {1, 3}), 1, QStringLiteral("T"), QStringLiteral("Km/h"),
                            vehicles, QString());
        chart.resize(600, 450);
        const QImage image = chart.grab().toImage();
        // Inside the top ellipse (50, 50, 200, 150) and inside its front wall.
        const QColor background = image.pixelColor(590, 440);
        QCOMPARE(image.pixelColor(150, 150) != background, drawn);
        QCOMPARE(image.pixelColor(150, 220) != background, drawn);
    }
};

QTEST_MAIN(TestPieChart)
#include "tst_piechart.moc"
