// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV exports: exact layouts of the three files, failures, and the two window slots.
#include "core/workspace.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "windowtest.h"
#include "gui/csvexport.h"
#include "gui/mainwindow.h"

#include <QtTest>
#include <QtWidgets>

namespace {

SampleRecord bucket(const char* start, double min, double max, double mean, int readings, int vehicles,
                    bool valid = true)
{
    SampleRecord r;
    r.time = localTime(QLatin1String(start));
    r.minSpeed = min;
    r.maxSpeed = max;
    r.meanSpeed = mean;
    r.measureCount = readings;
    r.vehicleCount = vehicles;
    r.valid = valid;
    return r;
}

DirectionSamples samples()
{
    DirectionSamples s;
    SampleRecord empty = bucket("2024-01-01 02:00:00", 0, 0, 0, 1, 1, false);
    s[0].insert(empty.time, empty);
    SampleRecord in = bucket("2024-01-01 02:30:00", 30, 52, 41.25, 3, 1);
    s[0].insert(in.time, in);
    SampleRecord out = bucket("2026-12-04 10:30:00", 40, 61, 47.5, 12, 5);
    s[1].insert(out.time, out);
    return s;
}

MeasureMap measures()
{
    MeasureMap m;
    m.insert(localTime(QStringLiteral("2024-03-31 01:59:30")), Measure{44, 1});
    m.insert(localTime(QStringLiteral("2024-03-31 03:00:10")), Measure{45, 0});
    m.insert(localTime(QStringLiteral("2026-12-04 10:15:00")), Measure{53, 0});
    m.insert(localTime(QStringLiteral("2026-12-04 10:15:40")), Measure{47, 1});
    m.insert(localTime(QStringLiteral("2026-12-04 10:16:05")), Measure{60, 0});
    return m;
}

const QByteArray tableHeader = "Date;Direction;Nombre de relev\xc3\xa9s;Nombre v\xc3\xa9hicules;Vitesse moyenne;"
                               "Vitesse maximale\n";
const QByteArray minMaxHeader = "Date;Min;Max;Moyenne\n";

}   // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void layouts_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("bucket table: valid buckets, direction + 1")
            << 0 << tableHeader + "01/01/2024 02:30;1;3;1;41.25;52.00\n04/12/2026 10:30;2;12;5;47.50;61.00\n";
        QTest::newRow("min/max/mean: ingoing only, empty buckets as zeros")
            << 1 << minMaxHeader + "01-01-2024 02:00;0.00;0.00;0.00\n01-01-2024 02:30;30.00;52.00;41.25\n";
        QTest::newRow("measures: time order, local time across the clock change")
            << 2
            << QByteArray("Date;Vitesse;direction\n31-03-2024 01:59;44.00;1\n31-03-2024 03:00;45.00;0\n"
                          "04-12-2026 10:15;53.00;0\n04-12-2026 10:15;47.00;1\n04-12-2026 10:16;60.00;0\n");
        QTest::newRow("no data: header only") << 3 << tableHeader;
    }

    void layouts()
    {
        QFETCH(int, layout);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("out.csv"));
        // An earlier, longer file is replaced whole.
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4096, 'x'));
        old.close();
        bool written = false;
        switch (layout) {
        case 0: written = CsvExport::writeBucketTable(samples(), file); break;
        case 1: written = CsvExport::exportMeanMinMax(samples().value(0), file); break;
        case 2: written = CsvExport::exportMeasures(measures(), file); break;
        default: written = CsvExport::writeBucketTable(DirectionSamples{}, file); break;
        }
        QVERIFY(written);
        QCOMPARE(fileBytes(file), expected);
    }

    // A folder in the target's place answers false with the reason and stays; the two
    // engine-side files say so in the log. (A full disk: tst_filewrites.)
    void unwritable_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("logged");
        QTest::newRow("bucket table") << 0 << false;
        QTest::newRow("min/max/mean") << 1 << true;
        QTest::newRow("measures") << 2 << true;
    }

    void unwritable()
    {
        QFETCH(int, layout);
        QFETCH(bool, logged);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("taken.csv"));
        QVERIFY(QDir().mkpath(file));
        if (logged)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^\"Erreur à l'exportation\" \"Le fichier "
                                                                   ".*taken.csv n'a pas pu être écrit : un dossier "
                                                                   "porte ce nom\"$")));
        QString error;
        bool written = true;
        switch (layout) {
        case 0: written = CsvExport::writeBucketTable(samples(), file, &error); break;
        case 1: written = CsvExport::exportMeanMinMax(samples().value(0), file, &error); break;
        default: written = CsvExport::exportMeasures(measures(), file, &error); break;
        }
        QVERIFY(!written);
        QCOMPARE(error, QStringLiteral("un dossier porte ce nom"));
        QVERIFY(QFileInfo(file).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // The slots as a user drives them: the dialog, the settings, the files and the boxes.
    void windowSlots_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("answer");   // "" cancels, "taken.csv" names a folder
        QTest::addColumn<QStringList>("files");   // files in the export folder afterwards
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QStringList>("boxes");
        const QString box = QStringLiteral(
            "warning|Erreur à l'exportation|Le fichier %1 n'a pas pu être écrit : un dossier porte ce nom");
        QTest::newRow("export cancelled") << false << "" << QStringList() << false << QStringList();
        QTest::newRow("export, .csv added")
            << false << "table" << QStringList{"minmaxavg.csv", "synthese.csv", "table.csv"} << true << QStringList();
        QTest::newRow("export table unwritable, min/max still written")
            << false << "taken.csv" << QStringList{"minmaxavg.csv", "synthese.csv"} << true << QStringList{box};
        QTest::newRow("dump cancelled") << true << "" << QStringList() << false << QStringList();
        QTest::newRow("dump") << true << "all.csv" << QStringList{"all.csv"} << false << QStringList();
    }

    void windowSlots()
    {
        QFETCH(bool, all);
        QFETCH(QString, answer);
        QFETCH(QStringList, files);
        QFETCH(bool, stored);
        QFETCH(QStringList, boxes);
        TempWorkspace dir;
        const QString folder = dir.filePath(QStringLiteral("exports"));
        QVERIFY(QDir().mkpath(folder));
        setExportFolder(folder);
        const QString file = answer.isEmpty() ? QString() : folder + QLatin1Char('/') + answer;
        if (answer == QLatin1String("taken.csv"))
            QVERIFY(QDir().mkpath(file));

        ScriptedDialogs dialogs;
        MainWindow window;
        window.statistics().editMeasures() = measures();
        dialogs.clear();
        // Before a first computation the export asks nothing and writes nothing.
        window.exportCsv();
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(!window.findChild<QAction*>(QStringLiteral("actionToolExport"))->isEnabled());
        window.enableAnalysisControls(true);
        dialogs.answerSaveFile(file);
        if (all)
            window.exportAll();
        else
            window.exportCsv();

        QCOMPARE(dialogs.shown().size(), 1 + boxes.size());
        const auto& dialog = dialogs.shown().first();
        QCOMPARE(dialog.kind + dialog.text, QStringLiteral("saveExporter"));
        QCOMPARE(dialog.details, (QStringList{exportFolder(), QStringLiteral("Fichier CSV (*.csv)")}));
        QStringList expectedBoxes;
        for (const QString& b : boxes)
            expectedBoxes << b.arg(file);
        QCOMPARE(dialogs.summary().mid(1), expectedBoxes);
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), files);
        const QString written = all || QFileInfo(file).suffix() == QLatin1String("csv") ? file : file + ".csv";
        QCOMPARE(lastExportFile(), stored ? written : QString());
        if (!all && !file.isEmpty() && boxes.isEmpty())
            QCOMPARE(window.statusBar()->currentMessage(),
                     QStringLiteral("Fichiers écrits : %1, %2, %3")
                         .arg(written, folder + "/minmaxavg.csv", folder + "/synthese.csv"));
        if (all && !file.isEmpty())
            QVERIFY(fileBytes(file).endsWith("04-12-2026 10:16;60.00;0\n"));
    }
};

QTEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
