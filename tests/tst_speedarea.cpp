#include "app/workspace.h"
#include "speedarea/speedarea.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
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
    Bytes& text(const QString& s)
    {
        u32(quint32(s.size() * 2));
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }
    Bytes& nullText() { return u32(0xFFFFFFFFu); }
    // Magic, revision, a fixed date-time (Julian day, msecs, spec) and the area count.
    Bytes& header(int areaCount, qint32 revision = 1)
    {
        return u32(0xA0B0C0D1).u32(quint32(revision)).u32(2460000).u32(3600000).u8(1).u16(areaCount);
    }
    // Triples "group:min:max" or "min:max" (group 0).
    Bytes& area(const QString& name, const QStringList& triples)
    {
        text(name).u16(triples.size());
        for (const QString& t : triples) {
            QStringList parts = t.split(QLatin1Char(':'));
            if (parts.size() == 2)
                parts.prepend(QStringLiteral("0"));
            for (const QString& p : parts)
                u16(p.toInt());
        }
        return *this;
    }
};

// "index:min-max" of every class of group 0, comma-separated.
QString describe(const SpeedClassMap& list)
{
    QStringList parts;
    for (auto it = list.cbegin(); it != list.cend(); ++it)
        parts << QStringLiteral("%1:%2-%3").arg(it.key()).arg(it.value().minSpeed).arg(it.value().maxSpeed);
    return parts.join(QLatin1Char(','));
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QStringList kmhNames{QStringLiteral("Zone 110 km/h"), QStringLiteral("Zone 30 km/h"), QStringLiteral("Zone 50 km/h"),
                           QStringLiteral("Zone 70 km/h"), QStringLiteral("Zone 90 km/h")};
const QStringList mphNames{QStringLiteral("Freeway rural"), QStringLiteral("Freeway urban"), QStringLiteral("Urban 25 mph"),
                           QStringLiteral("Urban 30 mph")};

// A file of two areas with a selected name: the base of the damage tests.
QByteArray validFile()
{
    return Bytes()
        .header(2)
        .text(QStringLiteral("Rue"))
        .area(QStringLiteral("Rue"), {QStringLiteral("0:30"), QStringLiteral("31:50")})
        .area(QStringLiteral("Zone é"), {QStringLiteral("0:70")})
        .data;
}

QtMessageHandler g_previousHandler = nullptr;
void quietHandler(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

class TestSpeedArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsHandComposedFiles_data();
    void readsHandComposedFiles();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
    void refusesEveryTruncation();
    void writesTheStatedLayout();
    void truncatesBounds_data();
    void truncatesBounds();
    void savingNeverLosesTheOldFile_data();
    void savingNeverLosesTheOldFile();
    void unitsAndDefaults_data();
    void unitsAndDefaults();
    void knotsReadTheMphFileWithKmhDefaults();
    void setFileMissingKeepsTheTable();
    void loadAreas_data();
    void loadAreas();
    void intervals_data();
    void intervals();
    void selectArea();
    void sortAreaNames_data();
    void sortAreaNames();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void TestSpeedArea::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestSpeedArea::readsHandComposedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("classes");

    QTest::newRow("one area") << Bytes().header(1).text(QStringLiteral("Zone 50")).area(QStringLiteral("Zone 50"), {QStringLiteral("0:50"), QStringLiteral("51:70")}).data
                              << QStringList{QStringLiteral("Zone 50")} << QStringLiteral("Zone 50") << QStringLiteral("0:0-50,1:51-70");
    QTest::newRow("revision 2 read as 1") << Bytes().header(1, 2).text(QString()).area(QStringLiteral("A"), {QStringLiteral("0:10")}).data
                                          << QStringList{QStringLiteral("A")} << QStringLiteral("A") << QStringLiteral("0:0-10");
    QTest::newRow("null selected text") << Bytes().header(1).nullText().area(QStringLiteral("A"), {QStringLiteral("5:9")}).data
                                        << QStringList{QStringLiteral("A")} << QStringLiteral("A") << QStringLiteral("0:5-9");
    QTest::newRow("names in code unit order") << Bytes().header(3).text(QString()).area(QStringLiteral("b"), {}).area(QStringLiteral("a"), {}).area(QStringLiteral("B"), {}).data
                                              << QStringList{QStringLiteral("B"), QStringLiteral("a"), QStringLiteral("b")} << QStringLiteral("a") << QString();
    QTest::newRow("same name twice: the last wins") << Bytes().header(2).text(QString()).area(QStringLiteral("A"), {QStringLiteral("0:10")}).area(QStringLiteral("A"), {QStringLiteral("0:20"), QStringLiteral("21:30")}).data
                                                    << QStringList{QStringLiteral("A")} << QStringLiteral("A") << QStringLiteral("0:0-20,1:21-30");
    const QString emoji = QStringLiteral("Zone \U0001F697 é 30");
    QTest::newRow("surrogate pair and accent") << Bytes().header(1).text(emoji).area(emoji, {QStringLiteral("0:30")}).data
                                               << QStringList{emoji} << emoji << QStringLiteral("0:0-30");
    QTest::newRow("no area") << Bytes().header(0).text(QString()).data << QStringList() << QStringLiteral("A") << QString();
    QTest::newRow("signed 16-bit bounds") << Bytes().header(1).text(QString()).area(QStringLiteral("A"), {QStringLiteral("-5:32767"), QStringLiteral("-32768:-1")}).data
                                          << QStringList{QStringLiteral("A")} << QStringLiteral("A") << QStringLiteral("0:-5-32767,1:-32768--1");
    QTest::newRow("group 1 invisible, indexes by position") << Bytes().header(1).text(QString()).area(QStringLiteral("A"), {QStringLiteral("0:0:50"), QStringLiteral("1:51:70"), QStringLiteral("0:71:90")}).data
                                                            << QStringList{QStringLiteral("A")} << QStringLiteral("A") << QStringLiteral("0:0-50,2:71-90");
    QTest::newRow("group 1 only") << Bytes().header(1).text(QString()).area(QStringLiteral("A"), {QStringLiteral("1:0:50")}).data
                                  << QStringList{QStringLiteral("A")} << QStringLiteral("A") << QString();
}

void TestSpeedArea::readsHandComposedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QString, probe);
    QFETCH(QString, classes);

    const QString file = path(QStringLiteral("hand.cfg"));
    QVERIFY(writeFile(file, bytes));
    SpeedArea areas;
    areas.selectArea(QStringLiteral("Zone 70 km/h"));
    QVERIFY(areas.loadFile(file));
    QVERIFY(areas.readError().isEmpty());
    QCOMPARE(areas.areaNames(), names);
    QCOMPARE(areas.areaIndex(), 0);
    if (names.contains(probe))
        QCOMPARE(describe(areas.intervals(probe)), classes);
}

void TestSpeedArea::refusesDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("log");   // lines the refusal must write, "type|text"

    const QStringList badFormat{QStringLiteral("debug|SpeedArea bad file format")};
    const QByteArray valid = validFile();

    QTest::newRow("empty file") << QByteArray() << badFormat;
    QTest::newRow("wrong magic") << Bytes().u32(0xA0B0C0D2).u32(1).data + valid.mid(8) << badFormat;
    QTest::newRow("magic of the other byte order") << Bytes().u32(0xD1C0B0A0).u32(1).data + valid.mid(8) << badFormat;
    QTest::newRow("revision 0") << Bytes().u32(0xA0B0C0D1).u32(0).data + valid.mid(8)
                                << QStringList{QStringLiteral("warning|Speed area definition revision not supported 0"),
                                               QStringLiteral("critical|SpeedArea bad serialization key")};
    QTest::newRow("negative revision") << Bytes().u32(0xA0B0C0D1).u32(0xFFFFFFFF).data + valid.mid(8)
                                       << QStringList{QStringLiteral("warning|Speed area definition revision not supported -1"),
                                                      QStringLiteral("critical|SpeedArea bad serialization key")};
    QTest::newRow("area count larger than the data") << Bytes().header(60000).text(QString()).area(QStringLiteral("A"), {QStringLiteral("0:10")}).data << badFormat;
    QTest::newRow("one area too many") << Bytes().header(2).text(QString()).area(QStringLiteral("A"), {QStringLiteral("0:10")}).data << badFormat;
    QTest::newRow("class count larger than the data") << Bytes().header(1).text(QString()).text(QStringLiteral("A")).u16(65535).u16(0).u16(0).u16(10).data << badFormat;
    QTest::newRow("name of 4 GiB") << Bytes().header(1).text(QString()).u32(0xFFFFFFFE).u16(0).data << badFormat;
    QTest::newRow("selected name of 4 GiB") << Bytes().header(0).u32(0xFFFFFFFE).data << badFormat;
    QTest::newRow("odd text length") << Bytes().header(1).text(QString()).u32(3).u8('A').u16(0x41).u16(0).data << badFormat;
    QTest::newRow("garbage after the last record") << valid + QByteArray(1, '\0') << badFormat;
    QTest::newRow("a second file appended") << valid + valid << badFormat;
}

void TestSpeedArea::refusesDamagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, log);

    const QString file = path(QStringLiteral("damaged.cfg"));
    QVERIFY(writeFile(file, bytes));
    const QHash<QString, QtMsgType> types{{QStringLiteral("debug"), QtDebugMsg},
                                          {QStringLiteral("warning"), QtWarningMsg},
                                          {QStringLiteral("critical"), QtCriticalMsg}};
    for (const QString& line : log)
        QTest::ignoreMessage(types.value(line.section(QLatin1Char('|'), 0, 0)), qPrintable(line.section(QLatin1Char('|'), 1)));

    SpeedArea areas;
    QVERIFY(!areas.loadFile(file));
    QVERIFY(areas.areaNames().isEmpty());
    QVERIFY(!areas.readError().isEmpty());

    // The window's way in falls back on the defaults.
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Loading file \"%1\" [Failed]. using default values").arg(file)));
    SpeedArea window;
    window.setArea(QStringLiteral("Mine"), SpeedClassMap());
    window.setFile(file);
    QCOMPARE(window.areaNames(), kmhNames);
    QCOMPARE(window.file(), file);
}

void TestSpeedArea::refusesEveryTruncation()
{
    const QByteArray valid = validFile();
    const QString file = path(QStringLiteral("truncated.cfg"));
    SpeedArea areas;
    g_previousHandler = qInstallMessageHandler(quietHandler);
    QStringList accepted;
    for (int size = 0; size < valid.size(); ++size) {
        writeFile(file, valid.left(size));
        if (areas.loadFile(file) || !areas.areaNames().isEmpty())
            accepted << QString::number(size);
    }
    writeFile(file, valid);
    const bool wholeRead = areas.loadFile(file);
    qInstallMessageHandler(g_previousHandler);

    QVERIFY2(accepted.isEmpty(), qPrintable(QStringLiteral("accepted at sizes ") + accepted.join(QLatin1Char(' '))));
    QVERIFY(wholeRead);
    QCOMPARE(areas.areaNames(), (QStringList{QStringLiteral("Rue"), QStringLiteral("Zone é")}));
}

void TestSpeedArea::writesTheStatedLayout()
{
    SpeedArea areas;
    const auto g0 = areas.intervals(QStringLiteral("Zone 50 km/h"));
    SpeedClassMap twoClasses;
    twoClasses.insert(0, g0.value(0));
    twoClasses.insert(1, g0.value(1));
    SpeedAreaGroups hidden;
    hidden[1] = twoClasses;   // never written: only group 0 is
    const QStringList before = areas.areaNames();
    for (const QString& name : before)
        areas.removeArea(name);
    areas.setArea(QStringLiteral("Zone 50 km/h"), twoClasses);
    areas.setArea(QStringLiteral("Caché"), hidden);
    areas.selectArea(QStringLiteral("Zone 50 km/h"));

    const QString file = path(QStringLiteral("layout.cfg"));
    QVERIFY(areas.saveFile(file));
    const QByteArray saved = readFile(file);

    const QByteArray expected = Bytes()
                                    .header(2)
                                    .text(QStringLiteral("Zone 50 km/h"))
                                    .area(QStringLiteral("Caché"), {})
                                    .area(QStringLiteral("Zone 50 km/h"), {QStringLiteral("0:50"), QStringLiteral("51:70")})
                                    .data;
    QCOMPARE(saved.size(), expected.size());
    // Everything but the date-time (bytes 8 to 16) is fixed.
    QCOMPARE(saved.left(8).toHex(), expected.left(8).toHex());
    QCOMPARE(saved.mid(17).toHex(), expected.mid(17).toHex());
    const uchar* jd = reinterpret_cast<const uchar*>(saved.constData() + 8);
    const qint64 julianDay = qint64(jd[0]) << 24 | jd[1] << 16 | jd[2] << 8 | jd[3];
    QVERIFY(qAbs(julianDay - QDate::currentDate().toJulianDay()) <= 1);

    SpeedArea back;
    QVERIFY(back.loadFile(file));
    QCOMPARE(back.areaNames(), (QStringList{QStringLiteral("Caché"), QStringLiteral("Zone 50 km/h")}));
    QCOMPARE(describe(back.intervals(QStringLiteral("Zone 50 km/h"))), QStringLiteral("0:0-50,1:51-70"));
    QVERIFY(back.intervals(QStringLiteral("Caché")).isEmpty());
}

void TestSpeedArea::truncatesBounds_data()
{
    QTest::addColumn<double>("minSpeed");
    QTest::addColumn<double>("maxSpeed");
    QTest::addColumn<int>("readMin");
    QTest::addColumn<int>("readMax");

    QTest::newRow("whole") << 0.0 << 50.0 << 0 << 50;
    QTest::newRow("fraction toward zero") << 51.2 << 70.9 << 51 << 70;
    QTest::newRow("negative toward zero") << -0.5 << -3.7 << 0 << -3;
    QTest::newRow("beyond 16 bits held at the ends") << -40000.0 << 40000.0 << -32768 << 32767;
    QTest::newRow("16-bit ends") << -32768.0 << 32767.0 << -32768 << 32767;
}

void TestSpeedArea::truncatesBounds()
{
    QFETCH(double, minSpeed);
    QFETCH(double, maxSpeed);
    QFETCH(int, readMin);
    QFETCH(int, readMax);

    SpeedArea areas;
    SampleRecord record;
    record.minSpeed = minSpeed;
    record.maxSpeed = maxSpeed;
    areas.setArea(QStringLiteral("Zone 50 km/h"), SpeedClassMap{{0, record}});
    const QString file = path(QStringLiteral("bounds.cfg"));
    QVERIFY(areas.saveFile(file));

    SpeedArea back;
    QVERIFY(back.loadFile(file));
    QCOMPARE(back.areaNames(), kmhNames);
    const SpeedClassMap list = back.intervals(QStringLiteral("Zone 50 km/h"));
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.value(0).minSpeed, double(readMin));
    QCOMPARE(list.value(0).maxSpeed, double(readMax));
}

void TestSpeedArea::savingNeverLosesTheOldFile_data()
{
    QTest::addColumn<QString>("target");   // relative to a fresh folder holding "old.cfg"
    QTest::addColumn<int>("areaCount");    // areas in the table; 0: the defaults
    QTest::addColumn<bool>("saved");

    QTest::newRow("replacing the old file") << QStringLiteral("old.cfg") << 0 << true;
    QTest::newRow("one missing folder is created") << QStringLiteral("new/areas.cfg") << 0 << true;
    QTest::newRow("two missing folders") << QStringLiteral("a/b/areas.cfg") << 0 << false;
    QTest::newRow("target is a folder") << QStringLiteral("folder") << 0 << false;
    QTest::newRow("more areas than 16 bits count") << QStringLiteral("old.cfg") << 65536 << false;
}

void TestSpeedArea::savingNeverLosesTheOldFile()
{
    QFETCH(QString, target);
    QFETCH(int, areaCount);
    QFETCH(bool, saved);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old = validFile();
    QVERIFY(writeFile(dir.filePath(QStringLiteral("old.cfg")), old));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));

    SpeedArea areas;
    for (int i = 0; i < areaCount; ++i)
        areas.setArea(QString::number(i), SpeedClassMap());
    const QString file = dir.filePath(target);
    if (!saved)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Recording speed area parameters \"%1\" [Failed]").arg(file)));
    QCOMPARE(areas.saveFile(file), saved);

    if (target != QLatin1String("old.cfg") || !saved)
        QCOMPARE(readFile(dir.filePath(QStringLiteral("old.cfg"))), old);
    if (saved) {
        SpeedArea back;
        QVERIFY(back.loadFile(file));
        QCOMPARE(back.areaNames(), kmhNames);
    }
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
    // Nothing left beside the files: no temporary copy, no half-made folder.
    QStringList expected{QStringLiteral("folder"), QStringLiteral("old.cfg")};
    if (saved && target.contains(QLatin1Char('/')))
        expected << target.section(QLatin1Char('/'), 0, 0);
    expected.sort();
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name), expected);
}

void TestSpeedArea::unitsAndDefaults_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("classes");

    QTest::newRow("km/h") << 0 << QStringList{QStringLiteral("Mine")} << QStringLiteral("Zone 90 km/h") << QStringLiteral("0:0-90,1:91-95,2:96-110,3:111-120");
    QTest::newRow("mph") << 1 << mphNames << QStringLiteral("Freeway urban") << QStringLiteral("0:0-40,1:41-45,2:46-50,3:51-55,4:56-60,5:61-65,6:66-70,7:71-75");
    QTest::newRow("knots take the km/h set") << 2 << kmhNames << QStringLiteral("Zone 30 km/h") << QStringLiteral("0:0-30,1:31-40,2:41-50,3:51-60,4:61-70,5:71-80");
    QTest::newRow("unknown units take the km/h set") << 7 << kmhNames << QStringLiteral("Zone 110 km/h") << QStringLiteral("0:0-110,1:111-120,2:121-130");
}

void TestSpeedArea::unitsAndDefaults()
{
    QFETCH(int, units);
    QFETCH(QStringList, names);
    QFETCH(QString, probe);
    QFETCH(QString, classes);

    SpeedArea areas;
    QCOMPARE(areas.areaNames(), kmhNames);
    QCOMPARE(describe(areas.intervals(probe)), units == 1 ? QString() : classes);
    // A changed unit system replaces the whole table; the same one leaves it alone.
    for (const QString& name : kmhNames)
        areas.removeArea(name);
    areas.setArea(QStringLiteral("Mine"), SpeedClassMap());
    areas.setUnits(units);
    QCOMPARE(areas.units(), units);
    QCOMPARE(areas.areaNames(), names);
    if (units != 0)
        QCOMPARE(describe(areas.intervals(probe)), classes);
    QCOMPARE(SpeedArea::defaultAreas(units).keys(), units == 0 ? kmhNames : names);
}

void TestSpeedArea::knotsReadTheMphFileWithKmhDefaults()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    Workspace::setRoots(root.filePath(QStringLiteral("docs")), root.filePath(QStringLiteral("data")));
    Workspace::establish();
    const QString file = Workspace::speedAreaFile(2);
    QCOMPARE(file, Workspace::mphSpeedAreaFile());
    QVERIFY(writeFile(file, Bytes().header(2).text(QString()).area(QStringLiteral("Port"), {QStringLiteral("0:12")}).area(QStringLiteral("Urban 25 mph"), {QStringLiteral("0:25")}).data));

    SpeedArea areas;
    areas.setUnits(2);
    areas.setFile(file);
    QCOMPARE(areas.areaNames(), (QStringList{QStringLiteral("Port"), QStringLiteral("Urban 25 mph")}));
    // The mph name has no knots default: resetting it drops it.
    areas.loadAreas(true, QStringLiteral("Urban 25 mph"));
    QCOMPARE(areas.areaNames(), QStringList{QStringLiteral("Port")});
    areas.loadAreas(true, QString());
    QCOMPARE(areas.areaNames(), kmhNames);

    QVERIFY(writeFile(file, QByteArray("not an area file")));
    SpeedArea damaged;
    damaged.setUnits(2);
    damaged.setFile(file);
    QCOMPARE(damaged.areaNames(), kmhNames);
}

void TestSpeedArea::setFileMissingKeepsTheTable()
{
    const QString file = path(QStringLiteral("absent.cfg"));
    SpeedArea areas;
    areas.setArea(QStringLiteral("Mine"), SpeedClassMap());
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("File \"%1\" missing ?").arg(file)));
    areas.setFile(file);
    QCOMPARE(areas.file(), file);
    QCOMPARE(areas.areaNames(), QStringList{QStringLiteral("Mine")} + kmhNames);
    QVERIFY(!QFile::exists(file));
}

void TestSpeedArea::loadAreas_data()
{
    QTest::addColumn<QString>("fileState");   // "valid", "missing", "damaged"
    QTest::addColumn<bool>("force");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("probeClasses");   // of "Zone 50 km/h"

    const QStringList fileNames{QStringLiteral("Rue"), QStringLiteral("Zone 50 km/h")};
    const QString fileZone50 = QStringLiteral("0:0-45,1:46-60");
    const QString defaultZone50 = QStringLiteral("0:0-50,1:51-70,2:71-90,3:91-110");

    QTest::newRow("file read again whatever the name") << "valid" << false << "Zone 50 km/h" << fileNames << fileZone50;
    QTest::newRow("forced: the named default comes back") << "valid" << true << "Zone 50 km/h"
                                                          << (QStringList{QStringLiteral("Extra"), QStringLiteral("Rue"), QStringLiteral("Zone 50 km/h")}) << defaultZone50;
    QTest::newRow("forced without a default of that name") << "valid" << true << "Rue"
                                                           << (QStringList{QStringLiteral("Extra"), QStringLiteral("Zone 50 km/h")}) << fileZone50;
    QTest::newRow("forced, empty name: all defaults") << "valid" << true << "" << kmhNames << defaultZone50;
    QTest::newRow("missing file: all defaults") << "missing" << false << "" << kmhNames << defaultZone50;
    QTest::newRow("damaged file: the named default only") << "damaged" << false << "Zone 50 km/h" << QStringList{QStringLiteral("Zone 50 km/h")} << defaultZone50;
}

void TestSpeedArea::loadAreas()
{
    QFETCH(QString, fileState);
    QFETCH(bool, force);
    QFETCH(QString, name);
    QFETCH(QStringList, names);
    QFETCH(QString, probeClasses);

    const QString file = path(QStringLiteral("loadareas.cfg"));
    QFile::remove(file);
    QVERIFY(writeFile(file, Bytes().header(2).text(QString()).area(QStringLiteral("Rue"), {QStringLiteral("0:30")}).area(QStringLiteral("Zone 50 km/h"), {QStringLiteral("0:45"), QStringLiteral("46:60")}).data));
    SpeedArea areas;
    areas.setFile(file);
    areas.setArea(QStringLiteral("Extra"), SpeedClassMap());
    areas.selectArea(QStringLiteral("Zone 50 km/h"));
    QCOMPARE(areas.areaIndex(), 2);
    if (fileState == QLatin1String("missing"))
        QFile::remove(file);
    else if (fileState == QLatin1String("damaged"))
        QVERIFY(writeFile(file, validFile().left(20)));

    QVERIFY(areas.loadAreas(force, name));
    QCOMPARE(areas.areaNames(), names);
    QCOMPARE(areas.areaIndex(), 0);
    QCOMPARE(describe(areas.intervals(QStringLiteral("Zone 50 km/h"))), probeClasses);
}

void TestSpeedArea::intervals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("classes");

    QTest::newRow("default area") << "Zone 70 km/h" << "" << "0:0-70,1:71-100,2:101-120";
    QTest::newRow("empty name") << "" << "Incorrect speed area name [ \"\" ]" << "";
    QTest::newRow("unknown name") << "Zone 50" << "Empty speed area name [ \"Zone 50\" ]" << "";
    QTest::newRow("case matters") << "zone 70 km/h" << "Empty speed area name [ \"zone 70 km/h\" ]" << "";
    QTest::newRow("area without groups") << "Bare" << "Empty speed area name [ \"Bare\" ]" << "";
    QTest::newRow("area without group 0") << "Hidden" << "" << "";
}

void TestSpeedArea::intervals()
{
    QFETCH(QString, name);
    QFETCH(QString, warning);
    QFETCH(QString, classes);

    SpeedArea areas;
    areas.setArea(QStringLiteral("Bare"), SpeedAreaGroups());
    SpeedAreaGroups hidden;
    hidden[1] = areas.intervals(QStringLiteral("Zone 30 km/h"));
    areas.setArea(QStringLiteral("Hidden"), hidden);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QCOMPARE(describe(areas.intervals(name)), classes);
}

void TestSpeedArea::selectArea()
{
    SpeedArea areas;
    QCOMPARE(areas.currentArea(), QStringLiteral("Zone 110 km/h"));
    areas.selectArea(QStringLiteral("Zone 70 km/h"));
    QCOMPARE(areas.areaIndex(), 3);
    areas.selectArea(QStringLiteral("zone 30 km/h"));
    areas.selectArea(QStringLiteral("Zone 30"));
    QCOMPARE(areas.currentArea(), QStringLiteral("Zone 70 km/h"));
}

void TestSpeedArea::sortAreaNames_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("km/h defaults") << kmhNames
                                   << QStringList{"Zone 30 km/h", "Zone 50 km/h", "Zone 70 km/h", "Zone 90 km/h", "Zone 110 km/h"};
    QTest::newRow("mph defaults: names without numbers stay") << mphNames << mphNames;
    QTest::newRow("first number counts, not the second") << QStringList{"A 90 zone 10", "B 30 zone 200"} << QStringList{"B 30 zone 200", "A 90 zone 10"};
    QTest::newRow("equal numbers keep their order") << QStringList{"b 50", "a 50", "c 20"} << QStringList{"c 20", "b 50", "a 50"};
    QTest::newRow("a name without number splits the runs") << QStringList{"Z 90", "Y 70", "Ville", "X 30", "W 10"}
                                                          << QStringList{"Y 70", "Z 90", "Ville", "W 10", "X 30"};
    QTest::newRow("leading zeros and long numbers") << QStringList{"n 0100", "n 99999999999999999999999", "n 7", "n 000"}
                                                     << QStringList{"n 000", "n 7", "n 0100", "n 99999999999999999999999"};
    QTest::newRow("no sign, no decimals") << QStringList{"Zone -50", "Zone 4.9"} << QStringList{"Zone 4.9", "Zone -50"};
    QTest::newRow("empty list") << QStringList() << QStringList();
}

void TestSpeedArea::sortAreaNames()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    QCOMPARE(::sortAreaNames(names), sorted);
}

QTEST_GUILESS_MAIN(TestSpeedArea)
#include "tst_speedarea.moc"
