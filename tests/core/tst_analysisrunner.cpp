// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analysisrunner.h"
#include "core/workspace.h"
#include "sampledb/sampledb.h"
#include "testdata.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

Q_DECLARE_METATYPE(AnalysisRequest)
Q_DECLARE_METATYPE(SampleOptions)

namespace {

QDateTime day(int n, int hour = 0)
{
    return QDateTime(QDate(2026, 11, 2).addDays(n), QTime(hour, 0));
}

// Every figure the views show, as text: equal texts, equal views.
QByteArray figures(const Analysis& a, bool withSlowReadings = true)
{
    QJsonObject summary = a.summary().toJson();
    if (!withSlowReadings) {
        QJsonObject quality = summary.take(QStringLiteral("quality")).toObject();
        quality.remove(QStringLiteral("slowReadings"));
        summary.insert(QStringLiteral("quality"), quality);
    }
    QByteArray text = QJsonDocument(summary).toJson(QJsonDocument::Compact);
    QTextStream out(&text, QIODevice::Append);
    out << a.begin().toString(Qt::ISODate) << a.end().toString(Qt::ISODate) << a.bucketCount() << a.hasGaps();
    for (int d : {0, 1}) {
        const DirectionStatistics& s = a.direction(d);
        const auto text = [](auto v) { return v ? QString::number(*v) : QStringLiteral("-"); };
        out << '|' << s.measureCount << ' ' << s.vehicleCount << ' ' << text(s.meanSpeed) << ' ' << text(s.maxSpeed)
            << ' ' << s.highestSpeed << ' ' << text(s.v30) << ' ' << text(s.v50) << ' ' << text(s.v85);
        for (const SampleRecord& b : s.buckets)
            out << ';' << b.time << ',' << b.valid << ',' << b.minSpeed << ',' << b.maxSpeed << ',' << b.meanSpeed
                << ',' << b.measureCount << ',' << b.vehicleCount;
        for (const SampleRecord& c : s.classes)
            out << ';' << c.measureCount << ',' << c.meanSpeed;
        for (const CurvePoint& p : s.percentageCurve)
            out << ';' << p.x << ',' << p.y;
    }
    out.flush();
    return text;
}

}   // namespace

class TestAnalysisRunner : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_file;

private slots:

    void initTestCase()
    {
        Workspace::setRoots(m_dir.filePath(QStringLiteral("docs")), m_dir.filePath(QStringLiteral("data")));
        Workspace::establish();
        SampleOptions o;
        o.days = 10;
        o.vehiclesPerDay = 300;
        o.gapDays = 1;
        o.readingsPerVehicle = 9;
        m_file = m_dir.filePath(QStringLiteral("ten.db"));
        QString error;
        QVERIFY2(generateSampleDatabase(m_file, o, &error), qPrintable(error));
        QVERIFY(QFile::copy(m_file, m_dir.filePath(QStringLiteral("copy.db"))));
    }

    void reuse_data()
    {
        QTest::addColumn<AnalysisRequest>("next");   // after the days 1 to 8 read
        QTest::addColumn<bool>("reused");
        QTest::addColumn<bool>("slowKnown");   // the period holds the whole read: its slow readings are counted

        AnalysisRequest r;
        r.from = day(1);
        r.to = day(8);
        const auto with = [r](const std::function<void(AnalysisRequest&)>& change) {
            AnalysisRequest next = r;
            next.file = QStringLiteral("ten.db");
            change(next);
            return next;
        };
        QTest::newRow("same") << with([](AnalysisRequest&) {}) << true << true;
        QTest::newRow("higher minimum") << with([](AnalysisRequest& n) { n.minSpeed = 40; }) << true << true;
        QTest::newRow("lower minimum") << with([](AnalysisRequest& n) { n.minSpeed = 10; }) << false << true;
        QTest::newRow("narrower period") << with([](AnalysisRequest& n) { n.from = day(3, 7), n.to = day(5, 12); })
                                         << true << false;
        QTest::newRow("earlier start") << with([](AnalysisRequest& n) { n.from = day(0); }) << false << true;
        QTest::newRow("other area, wider buckets, no divider") << with([](AnalysisRequest& n) {
            n.area = QStringLiteral("Zone 50 km/h"), n.bucketSeconds = 3600, n.dividerOff = true, n.limit = 0;
        }) << true << true;
        QTest::newRow("campaign") << with([](AnalysisRequest& n) { n.campaigns = {1}; }) << false << true;
        QTest::newRow("other file") << with([](AnalysisRequest& n) { n.file = QStringLiteral("copy.db"); }) << false
                                    << true;
    }

    void reuse()
    {
        QFETCH(AnalysisRequest, next);
        QFETCH(bool, reused);
        QFETCH(bool, slowKnown);
        next.file = m_dir.filePath(next.file);
        AnalysisRequest first = next;
        first.campaigns.clear();
        first.minSpeed.reset();
        first.from = day(1);
        first.to = day(8);
        first.file = m_file;
        const AnalysisOutcome previous = AnalysisRunner::run(first);
        QVERIFY2(previous.ok(), qPrintable(previous.error));

        const AnalysisOutcome again = AnalysisRunner::run(next, previous.analysis);
        const AnalysisOutcome fresh = AnalysisRunner::run(next);
        QVERIFY2(again.ok() && fresh.ok(), qPrintable(again.error + fresh.error));
        QCOMPARE(again.reused, reused);
        QCOMPARE(!fresh.reused && AnalysisRunner::canReuse(*previous.analysis, next), reused);
        if (reused)
            QCOMPARE(again.analysis->measures().get(), previous.analysis->measures().get());   // not copied
        QCOMPARE(figures(*again.analysis, slowKnown), figures(*fresh.analysis, slowKnown));
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("fromMemory");   // after a read of the whole file
        QTest::addColumn<AnalysisRequest>("request");
        QTest::addColumn<QString>("error");

        AnalysisRequest fast;
        fast.minSpeed = 500;
        const QString nothingFast = QStringLiteral("Aucun relevé au-dessus de 500 km/h dans la période.");
        QTest::newRow("minimum above every reading") << false << fast << nothingFast;
        QTest::newRow("minimum above every reading, from memory") << true << fast << nothingFast;
        AnalysisRequest empty;
        empty.from = empty.to = day(0);   // before the first reading
        QTest::newRow("no reading in the period, from memory")
            << true << empty << QStringLiteral("Vitesses Moyennes/Maximales indisponibles");
        AnalysisRequest decades;
        decades.from = QDateTime(QDate(1970, 1, 2), QTime(0, 0));
        QTest::newRow("decades of empty buckets, from memory")
            << true << decades
            << QStringLiteral("Période trop longue pour un seuil de 30 minutes : 1970-01-02T00:00:00 à ");
        AnalysisRequest area;
        area.area = QStringLiteral("Zone 999 km/h");
        QTest::newRow("unknown area, from memory")
            << true << area << QStringLiteral("Zone de vitesse inconnue : Zone 999");
    }

    void refusals()
    {
        QFETCH(bool, fromMemory);
        QFETCH(AnalysisRequest, request);
        QFETCH(QString, error);
        request.file = m_file;
        AnalysisRequest whole;
        whole.file = m_file;
        const std::shared_ptr<const Analysis> previous = fromMemory ? AnalysisRunner::run(whole).analysis : nullptr;
        QCOMPARE(previous != nullptr, fromMemory);
        const AnalysisOutcome outcome = AnalysisRunner::run(request, previous);
        QCOMPARE(outcome.reused, fromMemory);
        QVERIFY(!outcome.ok() && !outcome.canceled);
        QVERIFY2(outcome.error.startsWith(error), qPrintable(outcome.error));
    }

    void cancel_data()
    {
        QTest::addColumn<bool>("fromMemory");
        QTest::addColumn<bool>("whileReading");   // else before the run starts
        QTest::newRow("before a read") << false << false;
        QTest::newRow("during the read") << false << true;
        QTest::newRow("before a run from memory") << true << false;
    }

    void cancel()
    {
        QFETCH(bool, fromMemory);
        QFETCH(bool, whileReading);
        AnalysisRequest request;
        request.file = m_file;
        const std::shared_ptr<const Analysis> previous = fromMemory ? AnalysisRunner::run(request).analysis : nullptr;
        AnalysisProgress* self = nullptr;
        int reports = 0;
        AnalysisProgress progress([&](const QString&, qint64 done, qint64 total) {
            ++reports;
            if (whileReading && total > 0 && done > 0)
                self->cancel();
        });
        self = &progress;
        if (!whileReading)
            progress.cancel();
        const AnalysisOutcome outcome = AnalysisRunner::run(request, previous, &progress);
        QVERIFY(outcome.canceled && !outcome.ok());
        QCOMPARE(outcome.error, QStringLiteral("Analyse annulée"));
        QVERIFY(!whileReading || reports > 1);
    }

    // Two files analysed at once give what each gives alone: no connection or state is shared.
    void severalThreads()
    {
        AnalysisRequest one, two;
        one.file = m_file;
        two.file = m_dir.filePath(QStringLiteral("copy.db"));
        two.minSpeed = 30;
        const QByteArray alone[] = {figures(*AnalysisRunner::run(one).analysis),
                                    figures(*AnalysisRunner::run(two).analysis)};
        for (int round = 0; round < 3; ++round) {
            AnalysisOutcome outcomes[2];
            std::thread other([&] { outcomes[1] = AnalysisRunner::run(two); });
            outcomes[0] = AnalysisRunner::run(one);
            other.join();
            QVERIFY(outcomes[0].ok() && outcomes[1].ok());
            QCOMPARE(figures(*outcomes[0].analysis), alone[0]);
            QCOMPARE(figures(*outcomes[1].analysis), alone[1]);
        }
    }

    // What the file tells besides its readings: units, the description, the read's bounds.
    void fileFacts()
    {
        const QString file = m_dir.filePath(QStringLiteral("2024-01-01_2024-01-31_Rue.db"));
        const qint64 t0 = day(0, 8).toSecsSinceEpoch();
        QVERIFY(writeMeasureDb(
            file, {{t0, 9, 0}, {t0 + 60, 16, 1}, {t0 + 60, 40, 0}, {t0 + 7200, 55, 0}, {t0 + 86400, 60, 1}}, true, 2));
        AnalysisRequest r;
        r.file = file;
        r.to = day(0, 23);
        AnalysisOutcome o = AnalysisRunner::run(r);
        QVERIFY2(o.ok(), qPrintable(o.error));
        QCOMPARE(o.analysis->unitLabel(), QStringLiteral("Mph"));   // marker 2
        QCOMPARE(o.analysis->measures()->size(), 3);   // 9 mph is not above the default minimum
        QCOMPARE(o.analysis->read().first, t0 + 60);
        QCOMPARE(o.analysis->read().last, t0 + 7200);
        QCOMPARE(o.analysis->description(), QStringLiteral("Rue"));
        // Campaign 1's title wins over the file name when it has three parts.
        QVERIFY(execSql(file,
                        QStringLiteral("INSERT INTO campaign (camp_id, product_prod_id, camp_title) "
                                       "VALUES (1, 0, '2024-01-01_2024-01-31_Place')")));
        r.to = QDateTime();
        o = AnalysisRunner::run(r);
        QCOMPARE(o.analysis->measures()->size(), 4);
        QCOMPARE(o.analysis->description(), QStringLiteral("Place"));
    }

    void storeMode_data()
    {
        QTest::addColumn<SampleOptions>("options");
        QTest::addColumn<int>("mode");

        SampleOptions bursts;   // the demo's: 9 readings a vehicle, no campaign tables
        bursts.days = 2;
        bursts.readingsPerVehicle = 9;
        QTest::newRow("demo's bursts") << bursts << 0;
        // One reading a vehicle in the radar's own campaigns: tst_golden's advanced-autumn.
        SampleOptions dense;   // 3,600 vehicles an hour in one direction, at random
        dense.days = 1;
        dense.directions = 1;
        dense.flat = true;
        dense.vehiclesPerDay = 86400;
        QTest::newRow("dense stream of one reading a vehicle") << dense << 1;
    }

    // The store mode of a file without campaign tables comes from its readings, alike whether its
    // campaigns are derived or it is read whole.
    void storeMode()
    {
        QFETCH(SampleOptions, options);
        QFETCH(int, mode);
        AnalysisRequest r;
        r.file = m_dir.filePath(QStringLiteral("mode%1.db").arg(QTest::currentDataTag()));
        QString error;
        QVERIFY2(generateSampleDatabase(r.file, options, &error), qPrintable(error));
        for (const QList<int>& campaigns : {QList<int>{}, QList<int>{1}}) {
            r.campaigns = campaigns;
            const AnalysisOutcome o = AnalysisRunner::run(r);
            QVERIFY2(o.ok() && o.warnings.isEmpty(), qPrintable(o.error + o.warnings.join('\n')));
            const Analysis& a = *o.analysis;
            QCOMPARE(a.storeMode(), mode);
            QCOMPARE(a.storeModeReason(),
                     mode ? QStringLiteral("1 relevé par véhicule détecté")
                          : QStringLiteral("rafales de relevés détectées"));
            QCOMPARE(a.vehicleDivider(), mode ? 1 : 9);
            // Bursts are no repeats: only identical readings beyond a vehicle's are, two vehicles at once.
            const TrafficSummary& s = a.summary();
            QVERIFY(mode || s.repeatedReadings * 1000 < s.groups[TrafficSummary::Both].readings);
            QCOMPARE(s.readingsPerVehicle.has_value(), mode == 0);
            QVERIFY2(mode || qAbs(*s.readingsPerVehicle - 9) < 0.3, qPrintable(QString::number(*s.readingsPerVehicle)));
        }
    }
};

QTEST_GUILESS_MAIN(TestAnalysisRunner)
#include "tst_analysisrunner.moc"
