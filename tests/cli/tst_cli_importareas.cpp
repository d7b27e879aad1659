// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli import-areas: the tree as JSON, and picked states merged into the speed area file.
#include "testdata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestCliImportAreas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void importAreas_data()
    {
        QTest::addColumn<QStringList>("args");   // after "import-areas areas.csv"
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");   // part of standard output
        QTest::addColumn<QString>("err");   // part of standard error
        QTest::addColumn<bool>("written");   // own.cfg exists afterwards
        QTest::addColumn<QByteArray>("before");   // own.cfg before the run, unreadable; empty: none

        const QStringList pickTo{"--units", "kmh", "--file", "own.cfg"};
        QTest::newRow("tree and messages")
            << QStringList() << 0
            << "{\"countries\":[{\"name\":\"France\",\"states\":[{\"areas\":[{\"classes\":[[\"0\",\"30\"],[\"31\","
               "\"40\"]],\"name\":\"Zone 30\"}],"
               "\"name\":\"Ile-de-France\"},{\"areas\":[{\"classes\":[[\"0\",\"35\"]],\"name\":\"Zone "
               "30\"}],\"name\":\"Bretagne\"}]}],"
               "\"file\":\"areas.csv\",\"messages\":"
               "[\"L'enregistrement France / Bretagne / Zone 50 comporte un nombre de champs incorrect\"]}"
            << "" << false << QByteArray();
        const auto row = [](const char* name, const QStringList& args, int status, const char* out, const char* err,
                            bool written, const QByteArray& before = QByteArray()) {
            QTest::newRow(name) << args << status << out << err << written << before;
        };
        const QStringList bretagne = QStringList{"--pick", "Bretagne"} + pickTo;
        row("picked state merged", QStringList{"--pick", "Ile-de-France"} + pickTo, 0,
            "{\"classes\":[[0,30],[31,40]],\"name\":\"Zone 30 (Ile-de-France)\"}", "", true);
        row("state picked twice", QStringList{"--pick", "Bretagne"} + bretagne, 0, "\"areas\":[{\"classes\":[[0,30]",
            "", true);
        row("unknown state", QStringList{"--pick", "Bavière"} + pickTo, 1, "", "État introuvable", false);
        row("a folder as CSV", QStringList{"."} + bretagne, 1, "", "Fichier CSV illisible : .", false);
        const QByteArray unreadable("my areas, one byte lost");
        row("an unreadable file is not replaced", bretagne, 1, "",
            "Le fichier de zones own.cfg est illisible : ce n'est pas un fichier de zones de vitesse. Rien n'est "
            "écrit ; --replace-damaged le conserve sous own.cfg.damaged et le remplace",
            true, unreadable);
        row("unless asked, and then kept aside", bretagne + QStringList{"--replace-damaged"}, 0,
            "\"name\":\"Zone 30 (Bretagne)\"", "", true, unreadable);
    }

    void importAreas()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(bool, written);
        QFETCH(QByteArray, before);

        QTemporaryDir home;
        if (!before.isEmpty())
            QVERIFY(writeBytes(home.filePath("own.cfg"), before));
        QFile csv(home.filePath("areas.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("France;FR;Ile-de-France;Zone 30;0;30;31;40\nFrance;FR;Bretagne;Zone 30;0;35\n"
                  "France;FR;Bretagne;Zone 50;0\n");
        csv.close();
        QStringList command{"import-areas"};
        if (args.value(0) != ".")
            command << "areas.csv";
        const CliRun cli = runCli(home.path(), command + args);
        QCOMPARE(cli.exitCode, status);
        QVERIFY2(err.isEmpty() ? cli.err.isEmpty() : cli.err.contains(err), qPrintable(cli.err));
        QVERIFY2(QString::fromUtf8(cli.out).contains(out), cli.out.constData());
        QCOMPARE(QFile::exists(home.filePath("own.cfg")), written);
        if (!before.isEmpty())
            QCOMPARE(fileBytes(home.filePath(status == 0 ? "own.cfg.damaged" : "own.cfg")), before);
        if (status == 0 && written) {
            const QJsonArray areas = QJsonDocument::fromJson(cli.out).object().value("areas").toArray();
            QCOMPARE(areas.size(), args.count("--pick") == 1 ? 6 : 5);
        }
    }
};

QTEST_MAIN(TestCliImportAreas)
#include "tst_cli_importareas.moc"
