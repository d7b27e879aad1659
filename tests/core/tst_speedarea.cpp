// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace.h"
#include "speedarea/speedarea.h"
#include "testdata.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A speed area file composed byte by byte, independent of QDataStream.
struct Bytes
{
    QByteArray data;
    Bytes& u8(int v)
    {
        data.append(char(v & 0xFF));
        return *this;
    }
    Bytes& u16(int v) { return u8(v >> 8).u8(v); }
    Bytes& u32(quint32 v) { return u16(int(v >> 16)).u16(int(v & 0xFFFF)); }
    Bytes& nullText() { return u32(0xFFFFFFFFu); }
    Bytes& text(const QString& s)
    {
        u32(quint32(s.size() * 2));
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }
    // Magic, revision, a fixed date-time (Julian day, msecs, Qt::TimeSpec) and the area count.
    Bytes& header(int areaCount, qint32 revision = 1)
    {
        return u32(0xA0B0C0D1).u32(quint32(revision)).u32(2460000).u32(3600000).u8(1).u16(areaCount);
    }
    // Classes "min:max" (group 0) or "group:min:max", space-separated.
    Bytes& area(const QString& name, const QString& classes = QString())
    {
        const QStringList list = classes.split(' ', Qt::SkipEmptyParts);
        text(name).u16(list.size());
        for (const QString& c : list) {
            const QStringList parts = c.split(':');
            for (const QString& p : parts.size() == 2 ? QStringList{"0"} + parts : parts)
                u16(p.toInt());
        }
        return *this;
    }
};

// "index:min-max" of every class, comma-separated.
QString describe(const SpeedClassMap& list)
{
    QStringList parts;
    for (auto it = list.cbegin(); it != list.cend(); ++it)
        parts << QStringLiteral("%1:%2-%3").arg(it.key()).arg(it.value().minSpeed).arg(it.value().maxSpeed);
    return parts.join(QLatin1Char(','));
}

const QStringList kmhNames{"Zone 110 km/h", "Zone 30 km/h", "Zone 50 km/h", "Zone 70 km/h", "Zone 90 km/h"};

// Two areas and a selected name: the base of the damage tests.
QByteArray validFile()
{
    return Bytes().header(2).text("Rue").area("Rue", "0:30 31:50").area("Zone é", "0:70").data;
}

void quietHandler(QtMsgType, const QMessageLogContext&, const QString&) { }

}   // namespace

class TestSpeedArea : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        Workspace::setRoots(path("docs"), path("data"));
        Workspace::establish();
    }

    void readsHandComposedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("classes");   // of the first name
        QTest::addColumn<QStringList>("log");   // a refusal's lines, "type|text"

        const auto read = [](const char* row, const QByteArray& bytes, const QStringList& names,
                             const QString& classes) {
            QTest::newRow(row) << bytes << names << classes << QStringList();
        };
        const QStringList badFormat{"debug|SpeedArea bad file format"};
        const auto refused = [&](const char* row, const QByteArray& bytes, const QStringList& log) {
            QTest::newRow(row) << bytes << QStringList() << QString() << (log.isEmpty() ? badFormat : log);
        };
        const auto badRevision = [](const QString& value) {
            return QStringList{"warning|Speed area definition revision not supported " + value,
                               "critical|SpeedArea bad serialization key"};
        };
        const QString emoji = QStringLiteral("Zone \U0001F697 é 30");
        const QByteArray valid = validFile();

        read("one area", Bytes().header(1).text("Zone 50").area("Zone 50", "0:50 51:70").data, {"Zone 50"},
             "0:0-50,1:51-70");
        read("revision 2, null selected text, more after the areas",
             Bytes().header(1, 2).nullText().area("A", "5:9").u16(7).data, {"A"}, "0:5-9");
        read("names in code unit order",
             Bytes().header(3).text("").area("b", "0:1").area("a", "0:2").area("B", "0:3").data, {"B", "a", "b"},
             "0:0-3");
        read("same name twice: the last wins",
             Bytes().header(2).text("").area("A", "0:10").area("A", "0:20 21:30").data, {"A"}, "0:0-20,1:21-30");
        read("surrogate pair and accent", Bytes().header(1).text(emoji).area(emoji, "0:30").data, {emoji}, "0:0-30");
        read("no area", Bytes().header(0).text("").data, {}, "");
        read("signed 16-bit bounds", Bytes().header(1).text("").area("A", "-5:32767 -32768:-1").data, {"A"},
             "0:-5-32767,1:-32768--1");
        read("group 1 invisible, indexes by position",
             Bytes().header(1).text("").area("A", "0:0:50 1:51:70 0:71:90").data, {"A"}, "0:0-50,2:71-90");

        refused("wrong magic", Bytes().u32(0xA0B0C0D2).data + valid.mid(4), {});
        refused("magic of the other byte order", Bytes().u32(0xD1C0B0A0).data + valid.mid(4), {});
        refused("revision 0", Bytes().u32(0xA0B0C0D1).u32(0).data + valid.mid(8), badRevision("0"));
        refused("negative revision", Bytes().u32(0xA0B0C0D1).u32(0xFFFFFFFF).data + valid.mid(8), badRevision("-1"));
        refused("area count larger than the data", Bytes().header(60000).text("").area("A", "0:10").data, {});
        refused("class count larger than the data",
                Bytes().header(1).text("").text("A").u16(65535).u16(0).u16(0).u16(10).data, {});
        refused("name of 4 GiB", Bytes().header(1).text("").u32(0xFFFFFFFE).u16(0).data, {});
        refused("odd text length", Bytes().header(1).text("").u32(3).u8('A').u16(0x41).u16(0).data, {});
    }

    void readsHandComposedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QFETCH(QString, classes);
        QFETCH(QStringList, log);

        const QString file = path("hand.cfg");
        QVERIFY(writeBytes(file, bytes));
        const QHash<QString, QtMsgType> types{
            {"debug", QtDebugMsg}, {"warning", QtWarningMsg}, {"critical", QtCriticalMsg}};
        for (const QString& line : log)
            QTest::ignoreMessage(types.value(line.section('|', 0, 0)), qPrintable(line.section('|', 1)));
        SpeedArea areas;
        areas.selectArea("Zone 70 km/h");
        QCOMPARE(areas.loadFile(file), log.isEmpty());
        QCOMPARE(areas.readError().isEmpty(), log.isEmpty());
        QCOMPARE(areas.areaNames(), names);
        QCOMPARE(areas.areaIndex(), 0);
        if (!names.isEmpty())
            QCOMPARE(describe(areas.intervals(names.first())), classes);
    }

    void refusesEveryTruncation()
    {
        const QByteArray valid = validFile();
        const QString file = path("truncated.cfg");
        SpeedArea areas;
        const QtMessageHandler previous = qInstallMessageHandler(quietHandler);
        QStringList accepted;
        for (int size = 0; size < valid.size(); ++size) {
            writeBytes(file, valid.left(size));
            if (areas.loadFile(file) || !areas.areaNames().isEmpty())
                accepted << QString::number(size);
        }
        writeBytes(file, valid);
        const bool wholeRead = areas.loadFile(file);
        qInstallMessageHandler(previous);

        QVERIFY2(accepted.isEmpty(), qPrintable("accepted at sizes " + accepted.join(' ')));
        QVERIFY(wholeRead);
        QCOMPARE(areas.areaNames(), (QStringList{"Rue", "Zone é"}));
    }

    void writesTheStatedLayout()
    {
        // Bounds truncated toward zero and held to 16 bits; only group 0 is written.
        SpeedClassMap list;
        for (const auto& b : QList<QPair<double, double>>{{0, 50}, {51.2, 70.9}, {-0.5, -3.7}, {-40000, 40000}})
            list.insert(list.size(), SampleRecord{0, b.first, b.second});
        SpeedArea areas;
        for (const QString& name : kmhNames)
            areas.removeArea(name);
        areas.setArea("Zone 50 km/h", list);
        areas.setArea("Caché", SpeedAreaGroups{{1, list}});
        areas.selectArea("Zone 50 km/h");

        const QString file = path("layout.cfg");
        QVERIFY(areas.saveFile(file));
        const QByteArray saved = fileBytes(file);
        const QByteArray expected = Bytes()
                                        .header(2)
                                        .text("Zone 50 km/h")
                                        .area("Caché")
                                        .area("Zone 50 km/h", "0:50 51:70 0:-3 -32768:32767")
                                        .data;
        QCOMPARE(saved.size(), expected.size());
        // Everything but the date-time (bytes 8 to 16) is fixed; its day is today.
        QCOMPARE(saved.left(8).toHex(), expected.left(8).toHex());
        QCOMPARE(saved.mid(17).toHex(), expected.mid(17).toHex());
        const qint64 julianDay = saved.mid(8, 4).toHex().toLongLong(nullptr, 16);
        QVERIFY(qAbs(julianDay - QDate::currentDate().toJulianDay()) <= 1);
    }

    void savingNeverLosesTheOldFile_data()
    {
        QTest::addColumn<QString>("target");   // relative to a fresh folder holding "old.cfg" and "folder"
        QTest::addColumn<bool>("damaged");   // old.cfg lacks its last byte
        QTest::addColumn<int>("areaCount");   // areas added to the five defaults
        QTest::addColumn<QString>("reason");   // empty: saved

        QTest::newRow("replacing the old file") << "old.cfg" << false << 0 << "";
        QTest::newRow("one missing folder is created") << "new/areas.cfg" << false << 0 << "";
        QTest::newRow("two missing folders") << "a/b/areas.cfg" << false << 0 << "dossier %1/a/b impossible à créer";
        QTest::newRow("target is a folder") << "folder" << false << 0 << "un dossier porte ce nom";
        QTest::newRow("65,535 areas fit the 16-bit count") << "old.cfg" << false << 65530 << "";
        QTest::newRow("65,536 areas do not")
            << "old.cfg" << false << 65531 << "plus de 65 535 zones, ou de classes dans une zone";
        QTest::newRow("a damaged file is kept aside, once") << "old.cfg" << true << 0 << "";
    }

    void savingNeverLosesTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, damaged);
        QFETCH(int, areaCount);
        QFETCH(QString, reason);

        QTemporaryDir dir;
        const QString oldFile = dir.filePath("old.cfg");
        const QByteArray oldBytes = damaged ? validFile().chopped(1) : validFile();
        QVERIFY(writeBytes(oldFile, oldBytes) && QDir(dir.path()).mkdir("folder"));

        SpeedArea areas;
        for (int i = 0; i < areaCount; ++i)
            areas.setArea(QString::number(i), SpeedClassMap());
        const QString file = dir.filePath(target);
        const bool saved = reason.isEmpty();
        if (!saved)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Recording speed area parameters .* \\[Failed\\]"));
        QCOMPARE(areas.saveFile(file) && areas.saveFile(file), saved);
        QCOMPARE(areas.saveError(), reason.arg(dir.path()));

        if (file != oldFile || !saved)
            QCOMPARE(fileBytes(oldFile), oldBytes);
        SpeedArea reread;
        if (saved)
            QCOMPARE(reread.loadFile(file) ? reread.areaNames().size() : -1, areaCount + 5);
        // Nothing left beside the files: no temporary copy, no half-made folder.
        QStringList expected{"folder", "old.cfg"};
        if (saved && target.contains('/'))
            expected << target.section('/', 0, 0);
        if (damaged) {
            expected << "old.cfg.damaged";
            QCOMPARE(fileBytes(oldFile + ".damaged"), oldBytes);
        }
        expected.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                 expected);
    }

    void unitsAndFile_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<QByteArray>("mphFile");   // empty: no file
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QStringList>("names");

        // The mph defaults and a damaged file: tst_cli_areas.
        const QByteArray knots = Bytes().header(2).text("").area("Port", "0:12").area("Urban 25 mph", "0:25").data;
        const QString missing = "File \"%1\" missing ?";
        QTest::newRow("same units, missing file: the table stays")
            << 0 << QByteArray() << missing << QStringList{"Mine"};
        QTest::newRow("knots take the km/h defaults") << 2 << QByteArray() << missing << kmhNames;
        QTest::newRow("unknown units take the km/h defaults") << 7 << QByteArray() << missing << kmhNames;
        QTest::newRow("knots read the mph file") << 2 << knots << "" << QStringList{"Port", "Urban 25 mph"};
    }

    void unitsAndFile()
    {
        QFETCH(int, units);
        QFETCH(QByteArray, mphFile);
        QFETCH(QString, warning);
        QFETCH(QStringList, names);

        QFile::remove(Workspace::mphSpeedAreaFile());
        if (!mphFile.isEmpty())
            QVERIFY(writeBytes(Workspace::mphSpeedAreaFile(), mphFile));
        const QString file = Workspace::speedAreaFile(units);
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning.arg(file)));
        SpeedArea areas;
        for (const QString& name : kmhNames)
            areas.removeArea(name);
        areas.setArea("Mine", SpeedClassMap());
        areas.setUnits(units);
        areas.setFile(file);
        QCOMPARE(areas.file(), file);
        QCOMPARE(areas.areaNames(), names);
    }

    void loadAreas_data()
    {
        QTest::addColumn<QString>("fileState");   // "valid", "missing", "damaged"
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("zone50");   // classes of "Zone 50 km/h"

        const QString fromFile = "0:0-45,1:46-60";
        const QString byDefault = "0:0-50,1:51-70,2:71-90,3:91-110";
        QTest::newRow("file read again whatever the name")
            << "valid" << false << "Zone 50 km/h" << QStringList{"Rue", "Zone 50 km/h"} << fromFile;
        QTest::newRow("forced: the named default comes back")
            << "valid" << true << "Zone 50 km/h" << QStringList{"Extra", "Rue", "Zone 50 km/h"} << byDefault;
        QTest::newRow("forced without a default of that name")
            << "valid" << true << "Rue" << QStringList{"Extra", "Zone 50 km/h"} << fromFile;
        QTest::newRow("forced, empty name: all defaults") << "valid" << true << "" << kmhNames << byDefault;
        QTest::newRow("missing file: all defaults") << "missing" << false << "" << kmhNames << byDefault;
        QTest::newRow("damaged file: the named default only")
            << "damaged" << false << "Zone 50 km/h" << QStringList{"Zone 50 km/h"} << byDefault;
    }

    void loadAreas()
    {
        QFETCH(QString, fileState);
        QFETCH(bool, force);
        QFETCH(QString, name);
        QFETCH(QStringList, names);
        QFETCH(QString, zone50);

        const QString file = path("loadareas.cfg");
        QVERIFY(
            writeBytes(file, Bytes().header(2).text("").area("Rue", "0:30").area("Zone 50 km/h", "0:45 46:60").data));
        SpeedArea areas;
        areas.setFile(file);
        areas.setArea("Extra", SpeedClassMap());
        areas.selectArea("Zone 50 km/h");
        areas.selectArea("zone 50 km/h");   // names match exactly: no change
        QCOMPARE(areas.currentArea(), QStringLiteral("Zone 50 km/h"));
        if (fileState == "missing")
            QFile::remove(file);
        else if (fileState == "damaged")
            QVERIFY(writeBytes(file, validFile().left(20)));

        QVERIFY(areas.loadAreas(force, name));
        QCOMPARE(areas.areaNames(), names);
        QCOMPARE(areas.areaIndex(), 0);
        QCOMPARE(describe(areas.intervals("Zone 50 km/h")), zone50);
    }

    void intervalsWarnings()
    {
        SpeedArea areas;
        areas.setArea("Bare", SpeedAreaGroups());
        areas.setArea("Hidden", SpeedAreaGroups{{1, areas.intervals("Zone 30 km/h")}});   // no group 0: silent
        QTest::ignoreMessage(QtWarningMsg, "Incorrect speed area name [ \"\" ]");
        QTest::ignoreMessage(QtWarningMsg, "Empty speed area name [ \"Zone 50\" ]");
        QTest::ignoreMessage(QtWarningMsg, "Empty speed area name [ \"Bare\" ]");
        for (const char* name : {"", "Zone 50", "Bare", "Hidden"})
            QVERIFY2(areas.intervals(name).isEmpty(), name);
    }

    void sortAreaNames_data()
    {
        QTest::addColumn<QString>("names");   // '|'-separated
        QTest::addColumn<QString>("sorted");

        const auto row = [](const char* name, const char* names, const char* sorted) {
            QTest::newRow(name) << names << sorted;
        };
        row("by number, not text", "Zone 30|Zone 2|Zone 10", "Zone 2|Zone 10|Zone 30");
        row("first number counts", "A 90 zone 10|B 30 zone 200", "B 30 zone 200|A 90 zone 10");
        row("equal numbers keep their order", "b 50|a 50|c 20", "c 20|b 50|a 50");
        row("a name without number splits the runs", "Z 90|Y 70|Ville|X 30|W 10", "Y 70|Z 90|Ville|W 10|X 30");
        row("leading zeros and long numbers", "n 0100|n 99999999999999999999999|n 7|n 000",
            "n 000|n 7|n 0100|n 99999999999999999999999");
        row("no sign, no decimals", "Zone -50|Zone 4.9", "Zone 4.9|Zone -50");
    }

    void sortAreaNames()
    {
        QFETCH(QString, names);
        QFETCH(QString, sorted);
        QCOMPARE(::sortAreaNames(names.split('|')).join('|'), sorted);
    }
};

QTEST_GUILESS_MAIN(TestSpeedArea)
#include "tst_speedarea.moc"
