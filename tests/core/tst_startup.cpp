// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/localedetect.h"
#include "core/messagelog.h"
#include "core/startupoptions.h"
#include "core/workspace.h"
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readAll(std::FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    QByteArray out;
    char buf[256];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, int(n));
    return out;
}

// The startup options on "prog ARGS"; answers their status.
int runOptions(const QStringList& args, QByteArray* out, QByteArray* err, std::vector<int>* operands = nullptr,
               QString* language = nullptr)
{
    QList<QByteArray> storage{"prog"};
    for (const QString& a : args)
        storage << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    std::FILE* o = std::tmpfile();
    std::FILE* e = std::tmpfile();
    const int status = handleStartupOptions(int(storage.size()), argv.data(), o, e, operands, language);
    *out = readAll(o);
    *err = readAll(e);
    std::fclose(o);
    std::fclose(e);
    return status;
}

}   // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void options_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("language");

        const auto row = [](const char* name, const QStringList& args, const QByteArray& out, const char* err,
                            int status, const char* language = nullptr) {
            QTest::newRow(name) << args << out << QByteArray(err) << status << QString(language);
        };
        const QByteArray debug = "Debug mode activated\n", version = "Tramola 4.13\n";
        row("none", {}, {}, "", -1);
        row("-d", {"-d"}, debug, "", -1);
        row("-dv grouped", {"-dv"}, debug + version, "", 0);
        row("-vd stops at v", {"-vd"}, version, "", 0);
        row("after operand", {"file.db", "-v"}, version, "", 0);
        row("-h -x ignored", {"-hx", "-h"}, {}, "", -1);
        row("unknown goes on", {"-q", "-d"}, debug, "prog: invalid option -- q\n", -1);
        row("unknown in group", {"-dzD"}, debug + debug, "prog: invalid option -- z\n", -1);
        row("double dash ends", {"--", "-v"}, {}, "", -1);
        row("lone dash is operand", {"-", "-d"}, debug, "", -1);
        row("--lang value", {"--lang", "EN", "-d"}, debug, "", -1, "en");
        row("--lang=, last wins", {"--lang=en", "--lang=fr"}, {}, "", -1, "fr");
        row("--lang without value", {"-d", "--lang"}, debug, "prog: option '--lang' requires an argument\n", -1);
        row("unknown long option", {"--debug", "-v"}, version, "prog: unrecognized option '--debug'\n", 0);
    }

    void options()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QFETCH(int, status);
        QFETCH(QString, language);
        QByteArray printed, reported;
        QString chosen;
        QCOMPARE(runOptions(args, &printed, &reported, nullptr, &chosen), status);
        QCOMPARE(printed, out);
        QCOMPARE(reported, err);
        QCOMPARE(chosen, language);
    }

    // The first operand naming an existing file; run in a folder holding a.db, b.txt, -a.db and sub/.
    void startFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");   // relative to the folder; empty: none
        QTest::newRow("after options") << QStringList{"-d", "a.db", "-D"} << "a.db";
        QTest::newRow("missing and folder passed over") << QStringList{"gone.db", "sub", "b.txt", "a.db"} << "b.txt";
        QTest::newRow("dash name after --") << QStringList{"-x", "--", "-a.db"} << "-a.db";
        QTest::newRow("--lang takes its value") << QStringList{"--lang", "b.txt", "a.db"} << "a.db";
        QTest::newRow("none") << QStringList{"-d", "gone.db"} << "";
    }

    void startFile()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const char* name : {"a.db", "b.txt", "-a.db"})
            QVERIFY(writeBytes(dir.filePath(name), "x"));
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        QByteArray out, err;
        std::vector<int> operands;
        QCOMPARE(runOptions(args, &out, &err, &operands), -1);
        const QString file = startupFile(QStringList{"prog"} + args, operands);
        QDir::setCurrent(previous);
        QCOMPARE(file, expected.isEmpty() ? QString() : QFileInfo(dir.filePath(expected)).absoluteFilePath());
    }

    // The language files beside the executable (as built), else where an install puts them.
    void translationFolders()
    {
        QTemporaryDir dir;
        const QString bin = dir.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        QCOMPARE(translationFolder(bin), bin + "/lang");
        QVERIFY(QDir().mkpath(dir.filePath("share/tramola/lang")));
        QCOMPARE(translationFolder(bin), dir.filePath("share/tramola/lang"));
        QVERIFY(QDir().mkpath(bin + "/lang"));
        QCOMPARE(translationFolder(bin), bin + "/lang");
    }

    void versionProcess()
    {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        for (const char* v : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(v);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola"), {"-v"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(p.readAllStandardOutput(), QByteArray("Tramola 4.13\n"));
        for (const char* sub : {"Documents/zancom/stats", "Documents/zancom/share", "Documents/zancom/configuration",
                                ".local/share/zancom/log", ".local/share/zancom/data", ".local/share/zancom/fonts"})
            QVERIFY2(QDir(home.filePath(sub)).exists(), sub);
    }

    void logLines()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("log_graph.txt");
        setLogFilePath(log);
        const QtMessageHandler previous = qInstallMessageHandler(logMessageHandler);

        setDebugModeEnabled(false);
        qWarning("dropped");
        logMessageHandler(QtFatalMsg, QMessageLogContext(), QStringLiteral("not fatal while off"));
        QVERIFY(!QFile::exists(log));

        setDebugModeEnabled(true);
        qDebug("first");
        qWarning("abc");
        qCritical("abc");
        qInfo("info");
        setDebugModeEnabled(false);
        qWarning("dropped again");
        setDebugModeEnabled(true);
        qDebug("second run");   // appends after the earlier lines
        setDebugModeEnabled(false);
        qInstallMessageHandler(previous);

        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        const QString stamp = QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d");
        const QStringList expected{": Debug : first", ": Warning : abc", ": Critical :abc", ": Debug : info",
                                   ": Debug : second run"};
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(
                QRegularExpression(stamp + QRegularExpression::escape(expected[i]) + '$').match(lines[i]).hasMatch(),
                qPrintable(lines[i]));
    }

    void settings()
    {
        QTemporaryDir dir;
        Workspace::setRoots(dir.filePath("docs"), dir.filePath("data"));
        QVERIFY(QDir().mkpath(Workspace::configurationFolder()));
        QVERIFY(writeBytes(Workspace::settingsFile(), "[Other]\nkey=kept\n\n[Data]\nlogFile=/x/log.txt\n"));

        QCOMPARE(exportFolder(), QString());
        setLastMeasureFile(dir.filePath("stats/a.db"));
        setLastExportFile(dir.filePath("exports/sub/../table.csv"));
        QCOMPARE(lastMeasureFile(), dir.filePath("stats/a.db"));
        QCOMPARE(lastMeasureFolder(), dir.filePath("stats"));

        // The folder is derived, cleaned, for the export file too; other keys stay.
        QSettings raw(Workspace::settingsFile(), QSettings::IniFormat);
        QCOMPARE(raw.value("Data/exportPath").toString(), dir.filePath("exports"));
        QCOMPARE(raw.value("Data/statisticsFile").toString(), dir.filePath("stats/a.db"));
        QCOMPARE(raw.value("Other/key").toString(), QString("kept"));
        QCOMPARE(raw.value("Data/logFile").toString(), QString("/x/log.txt"));
    }

    void locale_data()
    {
        QTest::addColumn<QStringList>("files");   // name=content; "tramola.qm" is the installed copy
        QTest::addColumn<QString>("expected");

        QTest::newRow("copy of de") << QStringList{"tramola.qm=DE", "tramola_de.qm=DE", "tramola_fr.qm=FR"} << "de_DE";
        QTest::newRow("copy of en") << QStringList{"tramola.qm=EN", "tramola_en.qm=EN", "tramola_fr.qm=FR"} << "en_EN";
        QTest::newRow("first identical in name order")
            << QStringList{"tramola.qm=X", "tramola_it.qm=X", "Tramola_es.qm=X"} << "es_ES";
        QTest::newRow("second field only") << QStringList{"tramola.qm=B", "tramola_pt_BR.qm=B"} << "pt_PT";
        QTest::newRow("no match") << QStringList{"tramola.qm=Z", "tramola_de.qm=DE"} << "fr_FR";
        QTest::newRow("missing reference") << QStringList{"tramola_de.qm=DE"} << "fr_FR";
        QTest::newRow("empty folder") << QStringList{} << "fr_FR";
        QTest::newRow("missing folder") << QStringList{"-"} << "fr_FR";
    }

    void locale()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString folder = dir.filePath("lang");
        if (files == QStringList{"-"}) {
            folder = dir.filePath("absent");
        } else {
            QVERIFY(QDir().mkpath(folder));
            for (const QString& f : files)
                QVERIFY(writeBytes(folder + '/' + f.section('=', 0, 0), f.section('=', 1).toUtf8()));
        }
        QCOMPARE(detectLocale(folder, "tramola"), expected);
    }

    // --lang first, then the system's languages, among the files shipped (en and fr here).
    void language_data()
    {
        QTest::addColumn<QString>("forced");
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QString>("expected");   // empty: the installed copy
        QTest::newRow("forced") << "en" << QStringList{"fr-FR"} << "en";
        QTest::newRow("forced, not shipped") << "de" << QStringList{"en-GB"} << "";
        QTest::newRow("first shipped system language") << "" << QStringList{"de-DE", "en_GB", "fr"} << "en";
        QTest::newRow("C locale names none") << "" << QStringList{"C"} << "";
        QTest::newRow("none shipped") << "" << QStringList{"de", "it-IT"} << "";
    }

    void language()
    {
        QFETCH(QString, forced);
        QFETCH(QStringList, system);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const char* name : {"tramola.qm", "tramola_en.qm", "tramola_fr.qm"})
            QVERIFY(writeBytes(dir.filePath(name), name));
        QCOMPARE(chooseLanguage(dir.path(), "tramola", forced, system), expected);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
