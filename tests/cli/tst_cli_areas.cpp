// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include "testdata.h"
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestCliAreas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void areas_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("content");   // of "file" before the run; empty: no file
        QTest::addColumn<QString>("file");   // relative to the temporary home
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("areas");   // names in output order, '|'-separated
        QTest::addColumn<QByteArray>("classes");   // of the first area
        QTest::addColumn<QString>("error");   // part of standard error; exit 1 unless "illisible"

        const QString kmhFile = "data/zancom/data/spdareakmh.cfg";
        const QString mphFile = "data/zancom/data/spdareamph.cfg";
        const QString kmh = "Zone 30 km/h|Zone 50 km/h|Zone 70 km/h|Zone 90 km/h|Zone 110 km/h";
        const QByteArray zone30 = "[[0,30],[31,40],[41,50],[51,60],[61,70],[71,80]]";
        QTest::newRow("km/h defaults") << QStringList() << QByteArray() << kmhFile << "kmh" << kmh << zone30 << "";
        QTest::newRow("mph defaults") << QStringList{"--units", "MPH", "--pretty"} << QByteArray() << mphFile << "mph"
                                      << "Freeway rural|Freeway urban|Urban 25 mph|Urban 30 mph"
                                      << QByteArray("[[0,50],[51,55],[56,60],[61,65],[66,70],[71,75]]") << "";
        QTest::newRow("damaged file: defaults and a note")
            << QStringList{"--file", "own.cfg"} << QByteArray::fromHex("a0b0c0d100000001") << "own.cfg"
            << "kmh" << kmh << zone30 << "illisible";
        // A FIFO would block the read for ever.
        QTest::newRow("FIFO as --file") << QStringList{"--file", "own.cfg"} << QByteArray("FIFO") << "own.cfg"
                                        << "kmh" << kmh << zone30 << "illisible";
        QTest::newRow("FIFO in the data folder")
            << QStringList() << QByteArray("FIFO") << kmhFile << "kmh" << kmh << zone30 << "illisible";
        // Refused: no output.
        for (const auto& [args, error] :
             QList<QPair<QStringList, QString>>{{{"--units", "kph"}, "Unités inconnues : kph"},
                                                {{"--file"}, "--file attend une valeur"},
                                                {{"extra"}, "Argument inattendu : extra"}})
            QTest::newRow(qPrintable(error))
                << args << QByteArray() << QString() << QString() << QString() << QByteArray() << error;
    }

    void areas()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(QString, file);
        QFETCH(QString, units);
        QFETCH(QString, areas);
        QFETCH(QByteArray, classes);
        QFETCH(QString, error);

        QTemporaryDir home;
        if (!content.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(home.filePath(file)).absolutePath()));
            QFile f(home.filePath(file));
            if (content == "FIFO") {
                if (!makeFifo(f.fileName()))
                    QSKIP("No FIFO on this system");
            } else {
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
            }
        }
        const CliRun cli = runCli(home.path(), QStringList{"areas"} + args, 30000);
        const QByteArray out = cli.out;
        const QString err = cli.err;
        QVERIFY2(error.isEmpty() ? err.isEmpty() : err.contains(error), qPrintable(err));
        QCOMPARE(cli.exitCode, units.isEmpty() ? 1 : 0);
        if (units.isEmpty()) {
            QVERIFY(out.isEmpty());
            return;
        }

        QJsonParseError parse;
        const QJsonObject root = QJsonDocument::fromJson(out, &parse).object();
        QCOMPARE(parse.error, QJsonParseError::NoError);
        QCOMPARE(out.contains("\n    "), args.contains("--pretty"));
        QCOMPARE(root.value("units").toString(), units);
        QCOMPARE(QDir::cleanPath(QDir(home.path()).absoluteFilePath(root.value("file").toString())),
                 QDir::cleanPath(home.filePath(file)));
        QStringList names;
        for (const QJsonValue& area : root.value("areas").toArray())
            names << area.toObject().value("name").toString();
        QCOMPARE(names.join('|'), areas);
        const QJsonArray first = root.value("areas").toArray().first().toObject().value("classes").toArray();
        QCOMPARE(QJsonDocument(first).toJson(QJsonDocument::Compact), classes);
        // Reading never writes: no speed area file appears where none was.
        if (content.isEmpty())
            QVERIFY(!QFile::exists(home.filePath(file)));
    }
};

QTEST_GUILESS_MAIN(TestCliAreas)
#include "tst_cli_areas.moc"
