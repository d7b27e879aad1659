// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's output on generated files, byte for byte against tests/golden/: a change
// of any figure fails here. scripts/test --update-golden rewrites the files after a wanted change.
#include "testdata.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The fixtures, each read by several rows: a km/h file over a weekend with a gap day, an mph one
// over the spring change, a one-direction one. Bursts of readings per vehicle, each direction
// its own speeds.
const char* const kmh = "--seed 7 --days 9 --per-day 600 --gaps 1";
const char* const mph = "--seed 8 --days 3 --units mph --from 2026-03-28 --per-day 500";
const char* const oneDirection = "--seed 10 --days 2 --directions 1 --per-day 400";

}   // namespace

class TestGolden : public QObject
{
    Q_OBJECT

private slots:
    void outputs_data();
    void outputs();

private:
    QTemporaryDir m_home;
    QHash<QString, QString> m_fixtures;   // gendb options -> file, each written once a run
};

void TestGolden::outputs_data()
{
    QTest::addColumn<QString>("gendb");   // options of tramola-cli gendb writing DB
    // tramola-cli's arguments (double quotes group), DB for the fixture; with OUT.pdf, the
    // report's text is compared instead of the standard output.
    QTest::addColumn<QString>("command");

    // One output a row, named after its file in tests/golden/.
    QTest::newRow("kmh.stats.json") << kmh << "stats DB --limit 50";
    QTest::newRow("kmh-criteria.stats.json")
        << kmh << "stats DB --filter 60 --min-speed 20 --area \"Zone 50 km/h\" --divider off --range 50";
    // Mid-day edges, a range whose divider rounds.
    QTest::newRow("kmh.summary.txt") << kmh
                                     << "stats DB --summary --from \"2026-11-03 10:00:00\" --to \"2026-11-09 "
                                        "16:40:00\" --range 120 --limit 50";
    QTest::newRow("kmh.report.txt") << kmh << "report DB OUT.pdf --limit 50";
    QTest::newRow("mph-spring.stats.json") << mph << "stats DB --limit 30";
    QTest::newRow("mph.summary.txt") << mph
                                     << "stats DB --summary --from \"2026-03-28 07:30:00\" --to \"2026-03-30 "
                                        "18:15:00\" --range 120 --limit 30";
    QTest::newRow("advanced-autumn.stats.json") << "--seed 9 --days 12 --advanced --from 2026-10-24 --per-day 300"
                                                << "stats DB --campaign 1 --filter 120";
    QTest::newRow("one-reading.summary.txt") << "--seed 11 --days 8 --from 2026-10-21 --per-day 1500 --per-vehicle 1"
                                             << "stats DB --summary --from \"2026-10-21 10:00:00\"";
    QTest::newRow("one-direction.stats.json")
        << oneDirection << "stats DB --from \"2026-11-02 10:00:00\" --to \"2026-11-03 16:40:00\" --limit 50";
    // A period ending on the last half hour of a day, which keeps that day whole.
    QTest::newRow("one-direction.summary.txt")
        << oneDirection << "stats DB --summary --to \"2026-11-03 23:20:00\" --range 120 --limit 50";
    QTest::newRow("one-direction.report.txt") << oneDirection << "report DB OUT.pdf --limit 50";
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
    QString& db = m_fixtures[gendb];
    if (db.isEmpty()) {
        // A folder each, so that every fixture is golden.db in the outputs.
        const QString folder = m_home.filePath(QString::number(m_fixtures.size()));
        const QString file = folder + QStringLiteral("/golden.db");
        QVERIFY(QDir().mkpath(folder));
        const CliRun made = runCli(m_home.path(), QStringList{"gendb", file} + QProcess::splitCommand(gendb));
        QVERIFY2(made.exitCode == 0, qPrintable(made.err));
        db = file;
    }
    const bool report = command.contains(QLatin1String("OUT.pdf"));
    const QString pdf = m_home.filePath(QStringLiteral("out.pdf"));
    if (report && QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is missing (poppler-utils)");
    const CliRun run = runCli(m_home.path(),
                              QProcess::splitCommand(command)
                                  .replaceInStrings(QRegularExpression("^DB$"), db)
                                  .replaceInStrings(QRegularExpression("^OUT.pdf$"), pdf));
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), qPrintable(run.err));
    QByteArray output = run.out;
    if (report) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000) && text.exitCode() == 0);
        // The day it was written changes every day.
        const QDate today = QDate::currentDate();
        output = text.readAllStandardOutput()
                     .replace(today.toString(QStringLiteral("dd/MM/yyyy")).toUtf8(), "JJ/MM/AAAA")
                     .replace(QLocale(QLocale::French).toString(today, QLocale::LongFormat).toUtf8(), "JOUR");
    }
    // The files' place is the test's own.
    output.replace(QFileInfo(db).absolutePath().toUtf8(), "/golden");

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
