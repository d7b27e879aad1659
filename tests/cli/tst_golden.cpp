// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's output on generated files, byte for byte against tests/golden/: a change
// of any figure fails here. scripts/test --update-golden rewrites the files after a wanted change.
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestGolden : public QObject
{
    Q_OBJECT

private slots:
    void outputs_data();
    void outputs();
};

void TestGolden::outputs_data()
{
    QTest::addColumn<QString>("gendb");   // options of tramola-cli gendb writing DB
    QTest::addColumn<QString>("command");   // tramola-cli's arguments (double quotes group), DB for that file

    // One fixture a row, named after its file in tests/golden/.
    QTest::newRow("kmh.stats.json") << "--seed 7 --days 4 --per-day 600 --gaps 1"
                                    << "stats DB";
    QTest::newRow("kmh-criteria.stats.json")
        << "--seed 7 --days 4 --per-day 600 --gaps 1"
        << "stats DB --filter 60 --min-speed 20 --area \"Zone 50 km/h\" --divider off --range 50";
    QTest::newRow("kmh.summary.txt")
        << "--seed 7 --days 4 --per-day 600 --gaps 1"
        << "stats DB --summary --from \"2026-11-03 10:00:00\" --to \"2026-11-04 16:40:00\" "
           "--range 120 --limit 50";
    QTest::newRow("mph-spring.stats.json") << "--seed 8 --days 3 --units mph --from 2026-03-28 --per-day 500"
                                           << "stats DB";
    QTest::newRow("advanced-autumn.stats.json") << "--seed 9 --days 12 --advanced --from 2026-10-24 --per-day 300"
                                                << "stats DB --campaign 1 --filter 120";
    QTest::newRow("one-reading.summary.txt") << "--seed 11 --days 8 --from 2026-10-21 --per-day 1500 --per-vehicle 1"
                                             << "stats DB --summary --from \"2026-10-21 10:00:00\"";
    QTest::newRow("one-direction.stats.json")
        << "--seed 10 --days 2 --directions 1 --per-day 400"
        << "stats DB --from \"2026-11-02 10:00:00\" --to \"2026-11-03 16:40:00\" --limit 50";
    // A speed display switched on half-way: two weeks of one file compared.
    QTest::newRow("compare.json") << "--seed 12 --days 14 --per-day 400 --display-from 2026-11-09 --display-effect 3"
                                  << "compare DB --a-to \"2026-11-08 23:59:59\" --b-from \"2026-11-09 00:00:00\" "
                                     "--limit 50";
    // One reading per vehicle: the tests count readings even with the divider on; English verdicts.
    QTest::newRow("compare-advanced.json")
        << "--seed 13 --advanced --from 2026-10-18 --days 28 --per-day 300 --display-from 2026-11-01 "
           "--display-effect 6"
        << "compare DB --a-campaign 1 --b-campaign 2 --divider on --lang en";
}

void TestGolden::outputs()
{
    QFETCH(QString, gendb);
    QFETCH(QString, command);
    QTemporaryDir home;
    const QString db = home.filePath(QStringLiteral("golden.db"));
    const CliRun made = runCli(home.path(), QStringList{"gendb", db} + QProcess::splitCommand(gendb));
    QVERIFY2(made.exitCode == 0, qPrintable(made.err));
    const CliRun run =
        runCli(home.path(), QProcess::splitCommand(command).replaceInStrings(QRegularExpression("^DB$"), db));
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), qPrintable(run.err));
    // The files' place is the test's own.
    const QByteArray output = QByteArray(run.out).replace(QDir(home.path()).absolutePath().toUtf8(), "/golden");

    QFile golden(QStringLiteral(TRAMOLA_SOURCE_DIR "/tests/golden/") + QLatin1String(QTest::currentDataTag()));
    if (qEnvironmentVariableIsSet("TRAMOLA_UPDATE_GOLDEN")) {
        QVERIFY(golden.open(QIODevice::WriteOnly) && golden.write(output) == output.size());
        return;
    }
    QVERIFY2(golden.open(QIODevice::ReadOnly),
             qPrintable(golden.fileName() + " is missing: scripts/test --update-golden"));
    const QByteArray expected = golden.readAll();
    if (output != expected) {
        int at = 0;
        while (at < output.size() && at < expected.size() && output[at] == expected[at])
            ++at;
        QFAIL(qPrintable(QStringLiteral("differs from %1 at byte %2: …%3… instead of …%4…")
                             .arg(golden.fileName())
                             .arg(at)
                             .arg(QString::fromUtf8(output.mid(std::max(0, at - 40), 80)),
                                  QString::fromUtf8(expected.mid(std::max(0, at - 40), 80)))));
    }
}

QTEST_GUILESS_MAIN(TestGolden)
#include "tst_golden.moc"
