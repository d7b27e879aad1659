// SPDX-License-Identifier: GPL-3.0-or-later
// The speed area CSV reader, the click rule of the import and its merge into the area table.
#include "../fuzz/fuzz_csvfile.h"
#include "scripteddialogs.h"
#include "speedarea/csvfile.h"

#include <QtTest>

namespace {

// "country/state/area: k low-high, …" per area, in tree order, '|'-separated.
QString dump(const CsvTreeModel& m)
{
    QStringList areas;
    for (int c = 0; c < m.rowCount(); ++c) {
        const QModelIndex country = m.index(c, 0);
        for (int s = 0; s < m.rowCount(country); ++s) {
            const QModelIndex state = m.index(s, 0, country);
            for (int a = 0; a < m.rowCount(state); ++a) {
                const QModelIndex area = m.index(a, 0, state);
                QStringList classes;
                for (int k = 0; k < m.rowCount(area); ++k)
                    classes << QStringLiteral("%1 %2-%3")
                                   .arg(m.index(k, 0, area).data().toString(), m.index(k, 1, area).data().toString(),
                                        m.index(k, 2, area).data().toString());
                areas << QStringLiteral("%1/%2/%3: %4")
                             .arg(country.data().toString(), state.data().toString(), area.data().toString(),
                                  classes.join(QStringLiteral(", ")));
            }
        }
    }
    return areas.join(QLatin1Char('|'));
}

}   // namespace

class TestCsvFile : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("messages");

        const QStringList none;
        QTest::newRow("example") << QByteArray("France;FR;Ile-de-France;Zone 30;0;30;31;40;41;50\n")
                                 << "France/Ile-de-France/Zone 30: 1 0-30, 2 31-40, 3 41-50" << none << 0;
        QTest::newRow("quoted separator, line feed and doubled quotes")
            << QByteArray("\"Fr;ance\";;\"Le \"\"Nord\"\"\";\"A\nB\";0;30") << "Fr;ance/Le \"Nord\"/A\nB: 1 0-30"
            << none << 0;
        QTest::newRow("4 fields and empty lines dropped silently, 5 fields boxed")
            << QByteArray("F;x;S;A\n\n\nF;x;S;B;0\nF;x;S;C;0;9\n") << "F/S/C: 1 0-9"
            << QStringList{"L'enregistrement F / S / B comporte un nombre de champs incorrect<br/><br/>"} << 1;
        QTest::newRow("refused pairs keep their number; 0.4 and 0.6 round apart")
            << QByteArray("F;x;S;A;50;50;60;40;0.4;0.6") << "F/S/A: 3 0.4-0.6" << none << 2;
        QTest::newRow("two records of one area, numbered per record")
            << QByteArray("F;x;S;A;0;30;31;40\r\nG;x;T;B;0;5\r\nF;x;S;A;41;50\r\n")
            << "F/S/A: 1 0-30, 2 31-40, 1 41-50|G/T/B: 1 0-5" << none << 0;
        QTest::newRow("a zero byte ends the text")
            << QByteArray("F;x;S;A;0;30\n\0G;x;S;A;0;1", 25) << "F/S/A: 1 0-30" << none << 0;
        QTest::newRow("not numbers read 0")
            << QByteArray("F;x;S;A;nan;10;1e999;5;inf;-1;1,5;2") << "F/S/A: 1 nan-10, 2 1e999-5, 4 1,5-2" << none << 1;
        const QString unclosed = "Un guillemet ouvert à la ligne %1 n'est jamais refermé : la suite du fichier est "
                                 "ignorée<br/><br/>";
        QTest::newRow("an unclosed quote on the first line is told")
            << QByteArray("\"F;x;S;A;0;30\nG;x;S;A;0;1\n") << "" << QStringList{unclosed.arg(1)} << 1;
        QTest::newRow("an unclosed quote is told with its line, what comes before stays")
            << QByteArray("F;x;S;A;0;30\r\nG;x;\"T\"\"\n;A;0;1\nH;x;S;A;0;1\n") << "F/S/A: 1 0-30"
            << QStringList{unclosed.arg(2)} << 1;
        QTest::newRow("a UTF-8 byte-order mark goes, the text becomes Latin-1")
            << QByteArray("\xEF\xBB\xBF\xC3\x8Ele;;\xC3\xA9t\xC3\xA9 \xE2\x82\xAC;A;0;1") << "Île/été ?/A: 1 0-1"
            << none << 0;
        QTest::newRow("a state named like a country stays a state")
            << QByteArray("A;;B;Z;0;1\nB;;A;Z;0;2") << "A/B/Z: 1 0-1|B/A/Z: 1 0-2" << none << 0;
        QByteArray odd;
        for (int i = 0; i < 8; ++i)
            odd += "F;x;S;A;1\n";
        QStringList oddBoxes;
        for (int i = 0; i < CsvFile::maxBoxes; ++i)
            oddBoxes << "L'enregistrement F / S / A comporte un nombre de champs incorrect<br/><br/>";
        oddBoxes << "3 autre(s) enregistrement(s) comporte(nt) un nombre de champs incorrect<br/><br/>";
        QTest::newRow("boxes stop after a few") << odd << "" << oddBoxes << 8;
    }

    void parse()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, tree);
        QFETCH(QStringList, boxes);
        QFETCH(int, messages);

        ScriptedDialogs dialogs;
        CsvFile reader;
        reader.parse(csv);
        QCOMPARE(dump(*reader.model()), tree);
        QCOMPARE(dialogs.messages(), boxes);
        QCOMPARE(reader.messages().size(), messages);
    }

    // Clicks decide the pool; the merge replaces same-named areas and keeps the others.
    void pickAndMerge()
    {
        CsvFile reader;
        reader.parse("France;FR;Ile-de-France;Zone 30;0;30;31;40\nFrance;FR;Ile-de-France;Zone 50;0;50.6\n"
                     "France;FR;Bretagne;Zone 30;0;35\n");
        CsvTreeModel* model = reader.model();
        const QModelIndex idf = reader.findItem("Ile-de-France", {"France"});
        QVERIFY(idf.isValid());
        QCOMPARE(reader.findState("Bretagne").parent(), idf.parent());

        SpeedAreaTable pool;
        togglePick(model, idf.parent(), &pool);   // a country
        togglePick(model, model->index(0, 0, idf), &pool);   // an area
        QVERIFY(pool.isEmpty());
        togglePick(model, idf, &pool);
        togglePick(model, reader.findState("Bretagne"), &pool);
        togglePick(model, reader.findState("Bretagne"), &pool);
        QCOMPARE(pool.keys(), QStringList({"Zone 30 (Ile-de-France)", "Zone 50 (Ile-de-France)"}));
        QVERIFY(model->isPicked(idf) && !model->isPicked(reader.findState("Bretagne")));
        QCOMPARE(pool["Zone 50 (Ile-de-France)"].value(0).value(0).maxSpeed, 50.6);

        SpeedArea areas;
        areas.setArea("Zone 30 (Ile-de-France)", SpeedClassMap{{0, SampleRecord{0, 0, 99}}});
        areas.selectArea("Zone 90 km/h");
        areas.importAreas(pool);
        QCOMPARE(areas.areaNames().size(), 7);
        QCOMPARE(areas.intervals("Zone 30 (Ile-de-France)").size(), 2);
        QCOMPARE(areas.intervals("Zone 30 (Ile-de-France)").value(1).maxSpeed, 40.0);
        QCOMPARE(areas.currentArea(), QStringLiteral("Zone 90 km/h"));
    }

    // Large and broken inputs: a million records, a 10 MB field, every corpus case.
    void hostileInputs()
    {
        QByteArray many;
        many.reserve(17 * 1000000);
        for (int i = 0; i < 1000000; ++i)
            many += "F;;S;A" + QByteArray::number(i % 5000) + (i % 2 ? ";0;1\n" : ";0;1\r\n");
        CsvFile reader;
        reader.parse(many);
        QCOMPARE(reader.model()->rowCount(reader.findState("S")), 5000);
        QCOMPARE(reader.model()->rowCount(reader.findItem("A4999", {"F", "S"})), 200);

        const QByteArray wide = "F;\"" + QByteArray(10 * 1024 * 1024, ';') + "\";S;A;0;1\n";
        reader.parse(wide);
        QCOMPARE(dump(*reader.model()), QStringLiteral("F/S/A: 1 0-1"));

        const QDir corpus(QStringLiteral(TRAMOLA_SOURCE_DIR "/tests/corpus/csvfile"));
        const QStringList cases = corpus.entryList(QDir::Files);
        QVERIFY(!cases.isEmpty());
        for (const QString& name : cases) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            fuzzCsvFile(file.readAll());
        }
    }
};

QTEST_MAIN(TestCsvFile)
#include "tst_csvfile.moc"
