#include "speedarea/speedarea.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

SpeedClassMap classes(std::initializer_list<std::pair<int, int>> bounds)
{
    SpeedClassMap list;
    for (const auto& b : bounds) {
        SampleRecord r;
        r.minSpeed = b.first;
        r.maxSpeed = b.second;
        list.insert(list.size(), r);
    }
    return list;
}

// Writes a file holding only the given areas.
bool writeAreas(const QString& path, const QMap<QString, SpeedClassMap>& areas)
{
    SpeedArea model;
    for (const QString& name : model.areaNames())
        model.removeArea(name);
    for (auto it = areas.cbegin(); it != areas.cend(); ++it)
        model.setArea(it.key(), it.value());
    return QDir().mkpath(QFileInfo(path).absolutePath()) && model.saveFile(path);
}

} // namespace

class TestCliAreas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void areas_data();
    void areas();
};

void TestCliAreas::areas_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("setup");      // "", "data mph file", "own file", "damaged own file"
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("file");       // relative to the temporary home
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("error");      // part of standard error

    const QStringList kmh{"Zone 30 km/h", "Zone 50 km/h", "Zone 70 km/h", "Zone 90 km/h", "Zone 110 km/h"};
    const QStringList mph{"Freeway rural", "Freeway urban", "Urban 25 mph", "Urban 30 mph"};
    const QString kmhFile = QStringLiteral("data/zancom/data/spdareakmh.cfg");
    const QString mphFile = QStringLiteral("data/zancom/data/spdareamph.cfg");

    QTest::newRow("km/h defaults") << QStringList() << "" << 0 << "kmh" << kmhFile << kmh << "";
    QTest::newRow("mph defaults") << QStringList{"--units", "mph"} << "" << 0 << "mph" << mphFile << mph << "";
    QTest::newRow("knots: mph file, km/h defaults") << QStringList{"--units", "knots", "--pretty"} << "" << 0 << "knots" << mphFile << kmh << "";
    QTest::newRow("knots read the data folder's mph file") << QStringList{"--units", "knots"} << "data mph file" << 0 << "knots" << mphFile
                                                          << QStringList{"B 8 kn", "A 20 kn"} << "";
    QTest::newRow("km/h ignores the mph file") << QStringList{"--units", "kmh"} << "data mph file" << 0 << "kmh" << kmhFile << kmh << "";
    QTest::newRow("file given") << QStringList{"--file", "own.cfg", "--units", "MPH"} << "own file" << 0 << "mph" << "own.cfg"
                                << QStringList{"B 8 kn", "A 20 kn"} << "";
    QTest::newRow("damaged file: defaults and a note") << QStringList{"--file", "own.cfg"} << "damaged own file" << 0 << "kmh" << "own.cfg" << kmh
                                                       << "illisible";
    QTest::newRow("unknown units") << QStringList{"--units", "kph"} << "" << 1 << "" << "" << QStringList() << "Unités inconnues : kph";
    QTest::newRow("option without value") << QStringList{"--file"} << "" << 1 << "" << "" << QStringList() << "--file attend une valeur";
    QTest::newRow("unknown argument") << QStringList{"extra"} << "" << 1 << "" << "" << QStringList() << "Argument inattendu : extra";
}

void TestCliAreas::areas()
{
    QFETCH(QStringList, args);
    QFETCH(QString, setup);
    QFETCH(int, exitCode);
    QFETCH(QString, units);
    QFETCH(QString, file);
    QFETCH(QStringList, names);
    QFETCH(QString, error);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QMap<QString, SpeedClassMap> knots{{"A 20 kn", classes({{0, 12}, {13, 20}})}, {"B 8 kn", classes({{0, 8}})}};
    if (setup == QLatin1String("data mph file"))
        QVERIFY(writeAreas(home.filePath("data/zancom/data/spdareamph.cfg"), knots));
    else if (setup == QLatin1String("own file"))
        QVERIFY(writeAreas(home.filePath("own.cfg"), knots));
    else if (setup == QLatin1String("damaged own file")) {
        QFile f(home.filePath("own.cfg"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromHex("a0b0c0d100000001"));
    }

    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    cli.setProcessEnvironment(env);
    cli.setWorkingDirectory(home.path());
    cli.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"), QStringList{"areas"} + args);
    QVERIFY(cli.waitForFinished(30000));
    const QByteArray out = cli.readAllStandardOutput();
    const QString err = QString::fromLocal8Bit(cli.readAllStandardError());
    QCOMPARE(cli.exitCode(), exitCode);
    if (error.isEmpty())
        QVERIFY2(err.isEmpty(), qPrintable(err));
    else
        QVERIFY2(err.contains(error), qPrintable(err));
    if (exitCode != 0) {
        QVERIFY(out.isEmpty());
        return;
    }

    QJsonParseError parse;
    const QJsonObject root = QJsonDocument::fromJson(out, &parse).object();
    QCOMPARE(parse.error, QJsonParseError::NoError);
    QCOMPARE(out.contains("\n    "), args.contains("--pretty"));
    QCOMPARE(root.value("units").toString(), units);
    QCOMPARE(QDir::cleanPath(QDir(home.path()).absoluteFilePath(root.value("file").toString())), QDir::cleanPath(home.filePath(file)));
    QStringList got;
    for (const QJsonValue& area : root.value("areas").toArray())
        got << area.toObject().value("name").toString();
    QCOMPARE(got, names);

    // Bounds as [min, max] pairs in class order.
    const QJsonArray first = root.value("areas").toArray().first().toObject().value("classes").toArray();
    if (names.first() == QLatin1String("B 8 kn"))
        QCOMPARE(QJsonDocument(first).toJson(QJsonDocument::Compact), QByteArray("[[0,8]]"));
    if (names.first() == QLatin1String("Zone 30 km/h"))
        QCOMPARE(QJsonDocument(first).toJson(QJsonDocument::Compact), QByteArray("[[0,30],[31,40],[41,50],[51,60],[61,70],[71,80]]"));
    const QJsonArray second = root.value("areas").toArray().at(1).toObject().value("classes").toArray();
    if (names.value(1) == QLatin1String("A 20 kn"))
        QCOMPARE(QJsonDocument(second).toJson(QJsonDocument::Compact), QByteArray("[[0,12],[13,20]]"));

    // Reading never writes: no speed area file appears where none was.
    if (setup.isEmpty())
        QVERIFY(!QFile::exists(home.filePath(file)));
}

QTEST_GUILESS_MAIN(TestCliAreas)
#include "tst_cli_areas.moc"
