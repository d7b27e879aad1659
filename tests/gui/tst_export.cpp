// SPDX-License-Identifier: GPL-3.0-or-later
// What leaves the window: the CSV files (against golden files of a fixed generated file), the
// bucket table's order, the operation report (the same pages from the window, whatever tab was
// shown, and from the command line), its failures, and the print of each tab.
#include "analysis/analysis.h"
#include "analysis/analysisrunner.h"
#include "core/workspace.h"
#include "db/siteinfo.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "gui/csvexport.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"
#include "gui/report/report.h"
#include "gui/report/reportsectionsdialog.h"
#include "gui/tabs/buckettabletab.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "windowtest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <QtWidgets>
#include <cstdlib>

namespace {

QString poppler(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000))
        return QStringLiteral("<%1 did not run: is poppler-utils installed?>").arg(tool);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf)
{
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
}

// The words of pages first..last (all without), one blank between them.
QString pdfText(const QString& pdf, int first = 0, int last = 0)
{
    QStringList args{QStringLiteral("-layout"), pdf, QStringLiteral("-")};
    if (first > 0)
        args = QStringList{"-f", QString::number(first), "-l", QString::number(last)} + args;
    return poppler(QStringLiteral("pdftotext"), args).simplified();
}

// The section dialog as a person answers it: the boxes to tick or untick, then OK or Cancel.
struct SectionAnswer
{
    QMap<QString, bool> set;
    bool accept = true;
};
QList<QVector<bool>> g_openedWith;
QList<SectionAnswer> g_answers;

int answerDialogs(QDialog& dialog)
{
    if (qobject_cast<CampaignChoiceDialog*>(&dialog))
        return QDialog::Accepted;
    auto* sections = qobject_cast<ReportSectionsDialog*>(&dialog);
    if (!sections || g_answers.isEmpty())
        return QDialog::Rejected;
    g_openedWith << sections->sections();
    const SectionAnswer answer = g_answers.takeFirst();
    for (auto it = answer.set.cbegin(); it != answer.set.cend(); ++it)
        dialog.findChild<QCheckBox*>(it.key())->setChecked(it.value());
    return answer.accept ? QDialog::Accepted : QDialog::Rejected;
}

QVector<bool> tableOnly()
{
    QVector<bool> s(int(reportSections().size()), false);
    s[5] = true;
    return s;
}

}   // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void goldenCsv_data();
    void goldenCsv();
    void summaryAgreesWithStats();
    void tableOrder();
    void csvFailures_data();
    void csvFailures();
    void reportFromWindowAndCommandLine();
    void reportPagesAndFailures();
    void interruptedReport();
    void printEachTab();

private:
    QString copyOf(const QString& name)
    {
        const QString copy = m_dir.statistics() + name;
        return QFile::copy(m_db, copy) ? copy : QString();
    }
    // The golden file in the window, every dialog answered by the script.
    void open(MainWindow& w, ScriptedDialogs& dialogs, const QString& file = QString())
    {
        dialogs.answerOpenFile(file.isEmpty() ? m_db : file);
        child<QAction>(w, "actionOpen")->trigger();
        QVERIFY(waitForAnalysis(w) && w.analysis());
    }

    TempWorkspace m_dir;
    QString m_db;   // four days, one of them unrecorded
};

void TestExport::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // The command line writes its reports in the window's language, French here.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    m_db = m_dir.statistics() + QStringLiteral("golden.db");
    const CliRun made =
        runCli(m_dir.path(), {"gendb", m_db, "--seed", "7", "--days", "4", "--per-day", "600", "--gaps", "1"});
    QVERIFY2(made.exitCode == 0, qPrintable(made.err));
    setDialogRunner(answerDialogs);
}

void TestExport::goldenCsv_data()
{
    QTest::addColumn<bool>("criteria");
    QTest::newRow("window") << false;
    QTest::newRow("window-criteria") << true;
}

// Ctrl+S writes the bucket table, minmaxavg.csv and synthese.csv of the analysis shown, byte for
// byte the golden ones (scripts/test --update-golden rewrites them after a wanted change).
void TestExport::goldenCsv()
{
    QFETCH(bool, criteria);
    ScriptedDialogs dialogs;
    MainWindow w;
    open(w, dialogs);
    if (criteria) {
        dialogs.answerInt(60);
        QVERIFY(clickAndWait(w, "actionFilter"));
        child<QDoubleSpinBox>(w, "minSpeedSpin")->setValue(20);
        QVERIFY(clickAndWait(w, "refreshButton"));
        auto* area = child<QComboBox>(w, "speedAreaCombo");
        area->setCurrentIndex(area->findText(QStringLiteral("Zone 50 km/h")));
        QVERIFY(waitForAnalysis(w));
        // No limit until one is given: Synthèse offers to give it, the area's 50 is proposed,
        // and confirming it makes it the limit.
        auto* heading = child<QLabel>(w, "summary_heading");
        QVERIFY2(heading->text().contains(QStringLiteral("Renseigner")), qPrintable(heading->text()));
        auto* limit = child<QSpinBox>(w, "limitSpin");
        QCOMPARE(limit->value(), 0);
        emit heading->linkActivated(QStringLiteral("limit"));
        QCOMPARE(limit->value(), 50);
        emit limit->editingFinished();
        QVERIFY(waitForAnalysis(w));
        QVERIFY2(heading->text().contains(QStringLiteral("vitesse limite : 50")), qPrintable(heading->text()));
        QVERIFY(clickAndWait(w, "actionDivider"));
    }
    const QString folder = m_dir.filePath(QLatin1String(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(folder));
    dialogs.answerSaveFile(folder + QStringLiteral("/table"));
    child<QAction>(w, "actionExport")->trigger();
    for (const char* name : {"table", "minmaxavg", "synthese"}) {
        const QString prefix = QLatin1String(name) == QLatin1String("table") ? QString() : QStringLiteral("table-");
        const QByteArray written = fileBytes(folder + QStringLiteral("/%1%2.csv").arg(prefix, QLatin1String(name)));
        const QString golden = QStringLiteral(TRAMOLA_SOURCE_DIR "/tests/golden/%1.%2.csv")
                                   .arg(QLatin1String(QTest::currentDataTag()), QLatin1String(name));
        if (qEnvironmentVariableIsSet("TRAMOLA_UPDATE_GOLDEN"))
            QVERIFY(writeBytes(golden, written));
        const QList<QByteArray> got = written.split('\n'), expected = fileBytes(golden).split('\n');
        int line = 0;
        while (line < got.size() && line < expected.size() && got[line] == expected[line])
            ++line;
        QVERIFY2(!written.isEmpty() && got == expected,
                 qPrintable(QStringLiteral("%1 line %2: %3 instead of %4")
                                .arg(golden)
                                .arg(line + 1)
                                .arg(QString::fromUtf8(got.value(line)), QString::fromUtf8(expected.value(line)))));
    }
    QCOMPARE(lastExportFile(), folder + QStringLiteral("/table.csv"));

    // Exported again under that name: one question lists the files beside it; Annuler keeps them.
    const QString summary = folder + QStringLiteral("/table-synthese.csv");
    QVERIFY(writeBytes(summary, "kept"));
    for (int answer : {1, 0}) {
        dialogs.clear();
        dialogs.answerQuestion(answer);
        dialogs.answerSaveFile(folder + QStringLiteral("/table.csv"));
        child<QAction>(w, "actionExport")->trigger();
        const QStringList asked = dialogs.summary().filter(QStringLiteral("question|"));
        QVERIFY2(asked.size() == 1 && asked[0].contains(QStringLiteral("table-minmaxavg.csv"))
                     && asked[0].contains(QStringLiteral("table-synthese.csv")),
                 qPrintable(asked.join('\n')));
        QCOMPARE(fileBytes(summary) == "kept", answer == 1);
    }

    // The spreadsheet type reads back, in French, as the documented table's numbers.
    const QString sheet = folder + QStringLiteral("/sheet.csv");
    QVERIFY(CsvExport::writeBucketTable(*w.findChild<BucketTableTab*>()->model(), sheet, nullptr,
                                        CsvExport::TableFormat::Spreadsheet));
    const QByteArray sheetBytes = fileBytes(sheet);
    QVERIFY(sheetBytes.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> rows = sheetBytes.mid(3).split('\n');
    const QList<QByteArray> documented = fileBytes(folder + QStringLiteral("/table.csv")).split('\n');
    QCOMPARE(rows.size(), documented.size());
    const QLocale french(QLocale::French);
    for (int row = 1; row < rows.size() - 1; ++row)
        for (int field : {4, 5})
            QCOMPARE(french.toDouble(QString::fromUtf8(rows[row].split(';').value(field))),
                     documented[row].split(';').value(field).toDouble());
}

// The Synthèse tab's figures are those of tramola-cli stats for the same criteria; a limit typed
// in the window is kept in the file, where stats finds it.
void TestExport::summaryAgreesWithStats()
{
    const QString db = copyOf(QStringLiteral("summary.db"));
    ScriptedDialogs dialogs;
    MainWindow w;
    open(w, dialogs, db);
    const auto cli = [&](const QStringList& args) {
        const CliRun run = runCli(m_dir.path(), QStringList{"stats", db} + args);
        return QJsonDocument::fromJson(run.out).object().value("summary").toObject();
    };
    const QString area = child<QComboBox>(w, "speedAreaCombo")->currentText();
    QCOMPARE(w.analysis()->summary().toJson(), cli({"--area", area}));
    child<QSpinBox>(w, "limitSpin")->setValue(45);
    QVERIFY(waitForAnalysis(w));
    QCOMPARE(readSiteInfo(db).speedLimit, std::optional<int>(45));
    QCOMPARE(w.analysis()->summary().toJson(), cli({"--area", area}));
}

// Newest first, ingoing before outgoing at the same start (the clocks' autumn change shows 02:30
// twice), until the user sorts another column; a new analysis starts newest first again.
void TestExport::tableOrder()
{
    QVector<Row> rows;
    for (const char* utc :
         {"2024-10-26T22:10:00Z", "2024-10-27T00:40:00Z", "2024-10-27T01:40:00Z", "2024-10-27T03:10:00Z"})
        for (int d = 0; d < 2; ++d)
            rows << Row{QDateTime::fromString(QLatin1String(utc), Qt::ISODate).toSecsSinceEpoch() + d, 40 + 10 * d, d};
    const QString file = m_dir.statistics() + QStringLiteral("autumn.db");
    QVERIFY(writeMeasureDb(file, rows));
    ScriptedDialogs dialogs;
    MainWindow w;
    open(w, dialogs, file);
    auto* table = child<QTableView>(w, "bucketTable");
    const auto column = [table](int c) {
        QStringList cells;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            cells << table->model()->index(row, c).data().toString();
        return cells.join(QLatin1Char('|'));
    };
    QCOMPARE(column(0),
             QStringLiteral("27/10/2024 04:00|27/10/2024 04:00|27/10/2024 02:30|27/10/2024 02:30|"
                            "27/10/2024 02:30|27/10/2024 02:30|27/10/2024 00:00|27/10/2024 00:00"));
    const QString directions = QStringLiteral("Entrant|Sortant|Entrant|Sortant|Entrant|Sortant|Entrant|Sortant");
    QCOMPARE(column(5), directions);
    QCOMPARE(table->model()->headerData(7, Qt::Vertical).toInt(), 8);
    table->sortByColumn(3, Qt::AscendingOrder);
    QCOMPARE(column(3), QStringLiteral("40.00|40.00|40.00|40.00|50.00|50.00|50.00|50.00"));
    QVERIFY(clickAndWait(w, "actionToolReload"));
    QCOMPARE(column(5), directions);
}

void TestExport::csvFailures_data()
{
    QTest::addColumn<QString>("answer");   // "" cancels, "taken.csv" names a folder
    QTest::addColumn<QStringList>("files");   // files in the export folder afterwards
    QTest::addColumn<QString>("reason");   // the box's reason; none when nothing is said
    QTest::newRow("export cancelled") << "" << QStringList() << QString();
    QTest::newRow("table unwritable, min/max still written")
        << "taken.csv" << QStringList{"taken-minmaxavg.csv", "taken-synthese.csv"} << "un dossier porte ce nom";
    QTest::newRow("disk full") << "full.csv" << QStringList() << "taille de fichier maximale atteinte";
}

// A file that cannot be written is said and leaves what was there; the others are still written.
void TestExport::csvFailures()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, files);
    QFETCH(QString, reason);
    ScriptedDialogs dialogs;
    MainWindow w;
    open(w, dialogs);
    QTemporaryDir folder;
    const QString file = answer.isEmpty() ? QString() : folder.filePath(answer);
    if (answer == QLatin1String("taken.csv"))
        QVERIFY(QDir().mkpath(file));
    std::unique_ptr<FileSizeLimit> limit;
    if (answer == QLatin1String("full.csv") && !(limit = std::make_unique<FileSizeLimit>(64))->active())
        QSKIP("No file size limit on this system");
    dialogs.clear();
    dialogs.answerSaveFile(file);
    w.exportCsv();
    limit.reset();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name), files);
    const QString box = QStringLiteral("warning|Erreur à l'exportation|Le fichier %1 n'a pas pu être écrit : %2");
    QCOMPARE(dialogs.summary().mid(1), reason.isEmpty() ? QStringList() : QStringList(box.arg(file, reason)));
}

// The report is drawn from the analysis alone: the window's, before and after its tabs were
// shown, and the command line's give the same pages.
void TestExport::reportFromWindowAndCommandLine()
{
    const QString db = copyOf(QStringLiteral("report.db"));
    const QStringList options{"--filter", "60", "--divider", "off", "--limit", "50"};
    const auto reportOf = [&](const QString& folder) { return m_dir.filePath(folder + QStringLiteral("/report.pdf")); };
    for (const char* folder : {"hidden", "shown", "cli"})
        QVERIFY(QDir().mkpath(m_dir.filePath(QLatin1String(folder))));
    const CliRun report = runCli(m_dir.path(), QStringList{"report", db, reportOf("cli")} + options);
    QCOMPARE(report.exitCode, 0);
    QCOMPARE(QString::fromLocal8Bit(report.out).trimmed(),
             QStringLiteral("Rapport écrit : %1 (9 pages)").arg(QDir::toNativeSeparators(reportOf("cli"))));
    {
        ScriptedDialogs dialogs;
        MainWindow w;
        open(w, dialogs, db);
        dialogs.answerInt(60);
        QVERIFY(clickAndWait(w, "actionFilter"));
        QVERIFY(clickAndWait(w, "actionDivider"));
        for (int limit : {49, 50}) {   // the area's may be 50 already
            child<QSpinBox>(w, "limitSpin")->setValue(limit);
            QVERIFY(waitForAnalysis(w));
        }
        child<QLineEdit>(w, "locationEdit")->setText(w.analysis()->description());
        for (const char* folder : {"hidden", "shown"}) {
            if (QLatin1String(folder) == QLatin1String("shown")) {
                w.resize(1600, 1000);
                w.show();
                for (int tab = 0; tab < 8; ++tab) {
                    child<QTabWidget>(w, "tabWidget")->setCurrentIndex(tab);
                    QApplication::processEvents();
                }
            }
            g_answers = {SectionAnswer{}};
            dialogs.answerSaveFile(reportOf(folder));
            child<QAction>(w, "actionToolPdf")->trigger();
        }
    }
    const QString cli = pdfText(reportOf("cli"));
    QVERIFY2(cli.contains(QStringLiteral("Nombre de relevés par heure")), qPrintable(cli));
    QCOMPARE(pdfText(reportOf("hidden")), cli);
    QCOMPARE(pdfText(reportOf("shown")), cli);

    // The percentiles and the summary are those of stats.
    const QJsonObject json =
        QJsonDocument::fromJson(runCli(m_dir.path(), QStringList{"stats", db} + options).out).object();
    const double v85 = json.value("directions").toObject().value("1").toObject().value("v85").toDouble();
    const QString percentiles = pdfText(reportOf("cli"), 7, 7);
    QVERIFY2(percentiles.contains(QStringLiteral("%1 km/h").arg(QLocale().toString(v85, 'f', 2))),
             qPrintable(percentiles));

    // The window's language choice: the report in English.
    const QString english = m_dir.filePath(QStringLiteral("cli-en.pdf"));
    QCOMPARE(runCli(m_dir.path(), {"report", db, english, "--sections", "5", "--lang", "en"}).exitCode, 0);
    const QString text = pdfText(english, 1, 2);
    QVERIFY2(text.contains("Inbound speed percentiles") && text.contains("Page 2 of 3"), qPrintable(text));
    // Compared with its own last two days: after the summary's two pages, the comparison's figures
    // page and charts page.
    const QString compared = m_dir.filePath(QStringLiteral("compared.pdf"));
    QCOMPARE(runCli(m_dir.path(),
                    QStringList{"report", db, compared, "--b-from", "2026-11-04 00:00:00", "--b-to",
                                "2026-11-05 23:59:59", "--sections", "7,8"}
                        + options)
                 .exitCode,
             0);
    const QString comparison = pdfText(compared, 4, 4);
    QVERIFY2(pdfPages(compared) == 5 && comparison.contains(QStringLiteral("Comparaison avant / après"))
                 && comparison.contains(QStringLiteral("Welch : t = ")),
             qPrintable(comparison));
    const QList<QPair<QStringList, QString>> refused{
        {{"report", db, m_dir.filePath("x.pdf"), "--sections", "1,9"}, "Section inconnue : 9 (sections 1 à 8)"},
        {{"report", db, m_dir.filePath("x.PDF")}, "Suffixe du rapport inconnu"},
        {{"report", db, m_dir.filePath("nowhere/x.pdf")}, "Dossier introuvable"}};
    for (const auto& [args, error] : refused) {
        const CliRun run = runCli(m_dir.path(), args);
        QVERIFY2(run.exitCode == 1 && run.err.startsWith(error), qPrintable(run.err));
    }
}

void TestExport::reportPagesAndFailures()
{
    ScriptedDialogs dialogs;
    MainWindow w;
    open(w, dialogs);
    const int rows = child<QTableView>(w, "bucketTable")->model()->rowCount();
    const auto exportAs = [&](const QString& file, const SectionAnswer& answer = {}) {
        dialogs.clear();
        g_answers = {answer};
        if (!file.isEmpty())
            dialogs.answerSaveFile(file);
        child<QAction>(w, "actionToolPdf")->trigger();
    };
    // With the table ticked its pages come before the summary's; the next report starts from the
    // defaults again, numbered before drawing.
    const QString withTable = m_dir.filePath(QStringLiteral("table.pdf"));
    exportAs(withTable, SectionAnswer{{{"tableBox", true}}, true});
    QCOMPARE(pdfPages(withTable), 9 + 1 + (rows - 1) / 50);
    QVERIFY(pdfText(withTable, 8, 8).contains(QStringLiteral("Historique des mesures")));
    const QString defaults = m_dir.filePath(QStringLiteral("default.pdf"));
    exportAs(defaults);
    QCOMPARE(g_openedWith.last(), defaultReportSections());
    QCOMPARE(pdfPages(defaults), 9);
    const QString last = pdfText(defaults, 9, 9);
    QVERIFY(last.contains(QStringLiteral("Synthèse et conformité")) && last.contains(QStringLiteral("Page 9 sur 9")));
    const QString cover = pdfText(defaults, 1, 1);
    for (const QString& part : {QStringLiteral("Rapport d'exploitation"), QStringLiteral("SYNTHÈSE DES MESURES"),
                                w.dateTimeText(w.analysis()->begin()), QStringLiteral("Référence : default.pdf")})
        QVERIFY2(cover.contains(part), qPrintable(part));
    // Proposed in the documents folder until an export was stored; the desktop opens what was written.
    const Analysis& a = *w.analysis();
    const auto save =
        std::find_if(dialogs.shown().begin(), dialogs.shown().end(), [](auto& s) { return s.kind == "save"; });
    QCOMPARE(QFileInfo(save->details.value(0)).fileName(),
             a.statistics().getStatsFileName(a.begin(), a.end()) + ".pdf");
    QVERIFY(dialogs.summary().contains(QStringLiteral("viewer||") + defaults));

    // A bare name gets ".pdf"; a capital suffix writes nothing and says why; cancelled dialogs do nothing.
    exportAs(m_dir.filePath(QStringLiteral("bare")));
    QCOMPARE(pdfPages(m_dir.filePath(QStringLiteral("bare.pdf"))), 9);
    const QString capital = m_dir.filePath(QStringLiteral("capital.PDF"));
    exportAs(capital);
    QVERIFY(!QFile::exists(capital));
    QCOMPARE(
        dialogs.messages(),
        QStringList(QStringLiteral("Le rapport %1 n'a pas été écrit : seuls les suffixes .pdf et .ps sont possibles.")
                        .arg(capital)));
    exportAs(QString(), SectionAnswer{{}, false});
    QVERIFY(dialogs.summary().filter(QStringLiteral("save|")).isEmpty());
    // A read-only folder: the earlier report stays, a box says why.
    QDir locked(m_dir.filePath(QStringLiteral("locked")));
    QVERIFY(locked.mkpath(QStringLiteral(".")));
    const QString earlier = locked.filePath(QStringLiteral("report.pdf"));
    QVERIFY(writeBytes(earlier, "earlier"));
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool writable = QFileInfo(locked.path()).isWritable();
    if (!writable)
        exportAs(earlier);
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (writable)
        QSKIP("Running with rights that write into read-only folders");
    QCOMPARE(fileBytes(earlier), QByteArray("earlier"));
    QCOMPARE(dialogs.summary().filter(QStringLiteral("warning|Rapport d'exploitation|")).size(), 1);
}

// A cancel in the progress and a process killed while writing both leave the earlier file.
void TestExport::interruptedReport()
{
    const QString target = m_dir.filePath(QStringLiteral("interrupted.pdf"));
    QVERIFY(writeBytes(target, "earlier"));
    {
        ScriptedDialogs dialogs;
        dialogs.cancelProgressAt(3);
        ReportContent content;
        AnalysisRequest request;
        request.file = m_db;
        content.analysis = AnalysisRunner::run(request).analysis;
        QCOMPARE(writeReport(target, content, tableOnly()), ReportStatus::Cancelled);
    }
    QCOMPARE(fileBytes(target), QByteArray("earlier"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TST_EXPORT_KILLED_AT_PAGE_3"), m_db + QLatin1Char('|') + target);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(120000));
    QCOMPARE(child.exitCode(), 3);
    QCOMPARE(fileBytes(target), QByteArray("earlier"));
}

void TestExport::printEachTab()
{
    ScriptedDialogs dialogs;
    MainWindow w;
    open(w, dialogs);
    auto* tabs = child<QTabWidget>(w, "tabWidget");
    const QList<int> dialogsPerTab{1, 1, 1, 1, 1, 0, 0, 1};
    QCOMPARE(tabs->count(), dialogsPerTab.size());
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QStringList files;
        for (int i = 0; i < dialogsPerTab.at(tab); ++i) {
            files << m_dir.filePath(QStringLiteral("print%1-%2.pdf").arg(tab).arg(i));
            dialogs.answerPrint(files.last());
        }
        dialogs.clear();
        child<QAction>(w, "actionToolPrint")->trigger();
        for (const QString& file : files)
            QVERIFY2(fileBytes(file).startsWith("%PDF") && QFileInfo(file).size() > 1000, qPrintable(file));
        QCOMPARE(dialogs.summary().filter(QStringLiteral("print|")).size(), files.size());
        if (files.isEmpty())
            QCOMPARE(dialogs.summary(),
                     QStringList(QStringLiteral("information|Impression|Impression indisponible pour ce graphique")));
    }
}

// The killed child: a long report whose process dies on its third page.
static int killedWhileWriting(const QString& db, const QString& target)
{
    ScriptedDialogs dialogs;
    dialogs.onProgressEvents = [&dialogs] {
        if (!dialogs.progressValues.isEmpty() && dialogs.progressValues.last() >= 3)
            std::_Exit(3);
    };
    ReportContent content;
    AnalysisRequest request;
    request.file = db;
    content.analysis = AnalysisRunner::run(request).analysis;
    writeReport(target, content, tableOnly());
    return 0;
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList killed = qEnvironmentVariable("TST_EXPORT_KILLED_AT_PAGE_3").split(QLatin1Char('|'));
    if (killed.size() == 2)
        return killedWhileWriting(killed[0], killed[1]);
    TestExport test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_export.moc"
