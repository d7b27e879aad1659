// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli compare's refusals: one French line, status 1, nothing on standard output. Its
// figures are the golden files compare*.json.
#include "testdata.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliCompare : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase();
    void refusals_data();
    void refusals();
};

void TestCliCompare::initTestCase()
{
    QVERIFY(m_home.isValid());
    for (const QStringList& gendb : {QStringList{"kmh.db"}, QStringList{"mph.db", "--units", "mph"}}) {
        const CliRun made = runCli(
            m_home.path(),
            QStringList{"gendb", m_home.filePath(gendb.first()), "--days", "2", "--per-day", "100"} + gendb.mid(1));
        QVERIFY2(made.exitCode == 0, qPrintable(made.err));
    }
}

void TestCliCompare::refusals_data()
{
    QTest::addColumn<QStringList>("args");   // after "compare"; files are in the test's folder
    QTest::addColumn<QString>("error");

    const QString a = QStringLiteral("2026-11-02 12:00:00");
    QTest::newRow("units differ") << QStringList{"kmh.db", "mph.db"} << "Unités différentes : A en Km/h, B en Mph";
    QTest::newRow("one file, no period") << QStringList{"kmh.db"} << "Un seul fichier : donnez la période";
    QTest::newRow("one file, A's period only")
        << QStringList{"kmh.db", "--a-to", a} << "Un seul fichier : donnez la période";
    QTest::newRow("A's period reversed") << QStringList{"kmh.db",   "--a-from", a, "--a-to", "2026-11-02 08:00:00",
                                                        "--b-from", a}
                                         << "Période vide : --a-from est après --a-to.";
    QTest::newRow("bad B date") << QStringList{"kmh.db", "--a-to", a, "--b-from", "demain"}
                                << "Date invalide pour --b-from : demain";
    QTest::newRow("B's file missing") << QStringList{"kmh.db", "absent.db"} << "Après (B) : Fichier introuvable";
    QTest::newRow("nothing in A's period")
        << QStringList{"kmh.db", "--a-to", "2026-11-01 00:00:00", "--b-from", a} << "Avant (A) : ";
    QTest::newRow("a period without side") << QStringList{"kmh.db", "--from", a} << "Option inconnue : --from";
}

void TestCliCompare::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const CliRun run = runCli(m_home.path(), QStringList{"compare"} + args);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.startsWith(error), qPrintable(run.err));
    QCOMPARE(run.err.trimmed().count(QLatin1Char('\n')), 0);
    QVERIFY(!QFile::exists(m_home.filePath("absent.db")));
}

QTEST_GUILESS_MAIN(TestCliCompare)
#include "tst_cli_compare.moc"
