// SPDX-License-Identifier: GPL-3.0-or-later
// The operation report and printing: pages and texts as a reader finds them in the PDF, the
// failures that must leave an earlier report alone, and the print of each tab.
#include "gui/campaign/campaignchoicedialog.h"
#include "core/workspace.h"
#include "sampledb/sampledb.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"
#include "gui/report/report.h"
#include "gui/report/reportsectionsdialog.h"

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

// The words of pages first..last, one blank between them.
QString pdfText(const QString& pdf, int first, int last)
{
    return poppler(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(first), QStringLiteral("-l"), QString::number(last),
                    QStringLiteral("-layout"), pdf, QStringLiteral("-")})
        .simplified();
}

// A week of traffic in both directions.
QString sampleDatabase(const QString& folder)
{
    SampleOptions o;
    o.days = 7;
    o.vehiclesPerDay = 600;
    const QString path = folder + QStringLiteral("/week.db");
    QString error;
    return generateSampleDatabase(path, o, &error) ? path : QString();
}

// The section dialog as a person answers it: the boxes to tick or untick, then OK or Cancel.
// Records the states the dialog opened with.
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

// A table-only report of n rows, as the measure table gives them.
ReportContent tableContent(int rows)
{
    ReportContent c;
    c.tableHeader =
        QStringList{"Date", "Nombre de relevés", "Nombre véhicules", "Vitesse moyenne", "Vitesse maximale", "Sens"};
    for (int i = 0; i < rows; ++i)
        c.tableRows << QStringList{QStringLiteral("row%1").arg(i), "1", "1", "50.00", "60.00", "Entrant"};
    return c;
}

QVector<bool> tableOnly()
{
    QVector<bool> s(int(reportSections().size()), false);
    s[5] = true;
    return s;
}

}   // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        Workspace::setRoots(m_dir.filePath(QStringLiteral("docs")), m_dir.filePath(QStringLiteral("data")));
        Workspace::establish();
        m_db = sampleDatabase(m_dir.path());
        QVERIFY(!m_db.isEmpty());
        setDialogRunner(answerDialogs);
    }

    void windowReports()
    {
        ScriptedDialogs dialogs;
        MainWindow w;
        load(w, dialogs);
        w.findChild<QLineEdit*>(QStringLiteral("gb2_textEdit"))->setText(QStringLiteral("Rue des Écoles <nord>"));
        w.findChild<QTextEdit*>(QStringLiteral("gb1_textEdit"))->setPlainText(QStringLiteral("Zone <30> & école"));
        auto* table = w.findChild<QTableWidget*>(QStringLiteral("page_4_view"));
        // Filled when its tab is first shown.
        QCOMPARE(table->rowCount(), 0);
        w.findChild<QTabWidget*>(QStringLiteral("tabWidget"))
            ->setCurrentWidget(w.findChild<QWidget*>(QStringLiteral("page_4")));
        const int rows = table->rowCount();
        QVERIFY(rows > 100);

        // First with the table ticked: its pages come before the summary's.
        const QString withTable = m_dir.filePath(QStringLiteral("table.pdf"));
        g_answers = {SectionAnswer{{{"tableBox", true}}, true}, SectionAnswer{}};
        dialogs.answerSaveFile(withTable);
        w.findChild<QAction*>(QStringLiteral("actionToolPdf"))->trigger();
        const int tablePages = 1 + (rows - 1) / 50;
        QCOMPARE(pdfPages(withTable), 9 + tablePages);
        QVERIFY(pdfText(withTable, 9, 9).contains(QStringLiteral("Historique des mesures")));

        // Then the defaults again: 9 pages, numbered before drawing.
        const QString defaults = m_dir.filePath(QStringLiteral("default.pdf"));
        dialogs.answerSaveFile(defaults);
        dialogs.clear();
        w.findChild<QAction*>(QStringLiteral("actionToolPdf"))->trigger();
        QCOMPARE(g_openedWith.size(), 2);
        QCOMPARE(g_openedWith.at(1), defaultReportSections());
        QCOMPARE(pdfPages(defaults), 9);
        QVERIFY(poppler(QStringLiteral("pdfinfo"), {defaults}).contains(QStringLiteral("(A4)")));
        const QString last = pdfText(defaults, 9, 9);
        QVERIFY(last.contains(QStringLiteral("Synthèse et conformité"))
                && last.contains(QStringLiteral("Page 9 sur 9")));
        const QString cover = pdfText(defaults, 1, 1);
        QVERIFY(cover.contains(QStringLiteral("SYNTHESE DES MESURES")));
        QVERIFY(cover.contains(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
        const auto editor = [&](const char* name) {
            return w.findChild<QDateTimeEdit*>(QLatin1String(name))->dateTime();
        };
        QVERIFY(cover.contains(w.dateTimeText(editor("gb1_dateTimeEdit_1"))));
        QVERIFY(cover.contains(w.dateTimeText(editor("gb1_dateTimeEdit_2"))));
        QVERIFY(cover.contains(QStringLiteral("Rue des Écoles <nord>")));
        QVERIFY(cover.contains(QStringLiteral("Zone <30> & école")));
        QVERIFY(cover.contains(QStringLiteral("Référence : default.pdf")));

        // Proposed in the documents folder until an export was stored, then in its folder; the
        // desktop opens what was written.
        const QList<ScriptedDialogs::Shown>& shown = dialogs.shown();
        const auto save = std::find_if(shown.begin(), shown.end(), [](auto& s) { return s.kind == "save"; });
        QVERIFY(save != shown.end());
        QCOMPARE(save->details.value(0),
                 m_dir.path() + QStringLiteral("/")
                     + w.statistics().getStatsFileName(editor("gb1_dateTimeEdit_1"), editor("gb1_dateTimeEdit_2"))
                     + QStringLiteral(".pdf"));
        QCOMPARE(lastExportFile(), defaults);
        QVERIFY(dialogs.summary().contains(QStringLiteral("viewer||") + defaults));
        QVERIFY(dialogs.messages().isEmpty());
    }

    void tablePages_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("drawn");   // pages in the file
        QTest::addColumn<QString>("last");   // the last footer
        QTest::newRow("empty table counts a page, draws none") << 0 << 1 << "Page 1 sur 2";
        QTest::newRow("50 rows, one page") << 50 << 2 << "Page 2 sur 2";
        QTest::newRow("51 rows, two pages") << 51 << 3 << "Page 3 sur 3";
        QTest::newRow("120 rows, three pages") << 120 << 4 << "Page 4 sur 4";
    }
    void tablePages()
    {
        QFETCH(int, rows);
        QFETCH(int, drawn);
        QFETCH(QString, last);
        const QString pdf = m_dir.filePath(QStringLiteral("rows%1.pdf").arg(rows));
        QCOMPARE(writeReport(pdf, tableContent(rows), tableOnly()), ReportStatus::Written);
        QCOMPARE(pdfPages(pdf), drawn);
        const QString text = pdfText(pdf, drawn, drawn);
        QVERIFY2(text.contains(last), qPrintable(text));
        if (rows > 0)
            QVERIFY(text.contains(QStringLiteral("row%1 ").arg(rows - 1)));
    }

    void failuresKeepTheEarlierReport()
    {
        ScriptedDialogs dialogs;
        MainWindow w;
        load(w, dialogs);
        const auto exportAs = [&](const QString& file, bool acceptSections = true) {
            dialogs.clear();
            g_answers = {SectionAnswer{{}, acceptSections}};
            if (!file.isEmpty())
                dialogs.answerSaveFile(file);
            w.findChild<QAction*>(QStringLiteral("actionToolPdf"))->trigger();
        };

        // Capital suffix: nothing written, and the opening of the named file fails.
        const QString capital = m_dir.filePath(QStringLiteral("capital.PDF"));
        exportAs(capital);
        QVERIFY(!QFile::exists(capital));
        QCOMPARE(dialogs.summary().filter(QStringLiteral("warning|")),
                 QStringList(
                     QStringLiteral("warning|Erreur à l'exécution|L'ouverture du fichier %1 a échoué").arg(capital)));
        // Cancelled section dialog, then cancelled save dialog.
        exportAs(QString(), false);
        QVERIFY(dialogs.summary().filter(QStringLiteral("save|")).isEmpty());
        exportAs(QString());
        QCOMPARE(dialogs.summary().filter(QStringLiteral("save|")).size(), 1);
        QVERIFY(dialogs.messages().isEmpty());

        // A read-only folder: the earlier report stays, a box says why.
        QDir locked(m_dir.filePath(QStringLiteral("locked")));
        QVERIFY(locked.mkpath(QStringLiteral(".")));
        const QString earlier = locked.filePath(QStringLiteral("report.pdf"));
        {
            QFile f(earlier);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("earlier");
        }
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(locked.path()).isWritable()) {
            QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("Running with rights that write into read-only folders");
        }
        exportAs(earlier);
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(fileBytes(earlier), QByteArray("earlier"));
        QCOMPARE(dialogs.summary().filter(QStringLiteral("warning|Rapport d'exploitation|")).size(), 1);
    }

    // A cancel in the progress and a process killed while writing both leave the earlier file.
    void interruptedWrite()
    {
        const QString target = m_dir.filePath(QStringLiteral("interrupted.pdf"));
        {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("earlier");
        }
        {
            ScriptedDialogs dialogs;
            dialogs.cancelProgressAt(3);
            QCOMPARE(writeReport(target, tableContent(500), tableOnly()), ReportStatus::Cancelled);
        }
        QCOMPARE(fileBytes(target), QByteArray("earlier"));

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TST_REPORT_KILLED_AT_PAGE_3"), target);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitCode(), 3);
        QCOMPARE(fileBytes(target), QByteArray("earlier"));
    }

    void printEachTab()
    {
        ScriptedDialogs dialogs;
        MainWindow w;
        load(w, dialogs);
        auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        const QList<int> dialogsPerTab{1, 1, 1, 2, 2, 0, 0, 2};
        QCOMPARE(tabs->count(), dialogsPerTab.size());
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QStringList files;
            for (int i = 0; i < dialogsPerTab.at(tab); ++i) {
                files << m_dir.filePath(QStringLiteral("print%1-%2.pdf").arg(tab).arg(i));
                dialogs.answerPrint(files.last());
            }
            dialogs.clear();
            w.findChild<QAction*>(QStringLiteral("actionToolPrint"))->trigger();
            for (const QString& file : files) {
                QVERIFY2(fileBytes(file).startsWith("%PDF") && QFileInfo(file).size() > 1000, qPrintable(file));
            }
            const QStringList prints = dialogs.summary().filter(QStringLiteral("print|"));
            QCOMPARE(prints.size(), files.size());
            if (files.isEmpty())
                QCOMPARE(
                    dialogs.summary(),
                    QStringList(QStringLiteral("information|Impression|Impression indisponible pour ce graphique")));
        }
    }

    // The command writes the window's report; its percentiles and summary are those of stats.
    void commandLine()
    {
        const QString home = m_dir.filePath(QStringLiteral("home"));
        QDir().mkpath(home);
        const QString pdf = m_dir.filePath(QStringLiteral("cli.pdf"));
        const QStringList options{QStringLiteral("--filter"), QStringLiteral("60"),      QStringLiteral("--divider"),
                                  QStringLiteral("off"),      QStringLiteral("--limit"), QStringLiteral("50")};
        const CliRun report = runCli(home, QStringList{"report", m_db, pdf} + options);
        QCOMPARE(report.exitCode, 0);
        QCOMPARE(QString::fromLocal8Bit(report.out).trimmed(),
                 QStringLiteral("Rapport écrit : %1 (9 pages)").arg(QDir::toNativeSeparators(pdf)));
        const CliRun stats = runCli(home, QStringList{"stats", m_db} + options);
        QCOMPARE(stats.exitCode, 0);
        const QJsonObject json = QJsonDocument::fromJson(stats.out).object();
        const QJsonObject directions = json.value("directions").toObject();
        for (int d = 0; d < 2; ++d) {
            const QString page = pdfText(pdf, 7 + d, 7 + d);
            const QJsonObject dir = directions.value(QString::number(d)).toObject();
            for (const char* key : {"v30", "v50", "v85"}) {
                const QString expected = QStringLiteral("%1: %2Km/h")
                                             .arg(QString::fromLatin1(key).toUpper())
                                             .arg(dir.value(QLatin1String(key)).toDouble(), 0, 'f', 2);
                QVERIFY2(page.contains(expected), qPrintable(expected + " in " + page));
            }
        }

        // Figures of each direction, then of both, in the page's columns.
        const QJsonObject summary = json.value("summary").toObject().value("directions").toObject();
        QString v85 = QStringLiteral("V85"), over = QStringLiteral("Au-dessus de 50 Km/h");
        for (const char* group : {"0", "1", "both"}) {
            const QJsonObject g = summary.value(QLatin1String(group)).toObject();
            v85 += ' ' + QString::number(g.value("v85").toInt());
            over += ' ' + QString::number(g.value("overLimit").toObject().value("vehicles").toInt());
        }
        const QString page = pdfText(pdf, 9, 9);
        QVERIFY2(page.contains(v85) && page.contains(over), qPrintable(v85 + " / " + over + " in " + page));

        // The window's language choice: the report in English.
        const QString english = m_dir.filePath(QStringLiteral("cli-en.pdf"));
        QCOMPARE(runCli(home, {"report", m_db, english, "--sections", "5", "--lang", "en"}).exitCode, 0);
        const QString text = pdfText(english, 1, 2);
        QVERIFY2(text.contains("Inbound speed percentiles") && text.contains("Page 2 of 3"), qPrintable(text));

        struct Bad
        {
            QStringList args;
            QString error;
        };
        const QList<Bad> bad{
            {{"report", m_db, pdf, "--sections", "1,8"}, "Section inconnue : 8 (sections 1 à 7)"},
            {{"report", m_db, m_dir.filePath("x.PDF")}, "Suffixe du rapport inconnu"},
            {{"report", m_db, m_dir.filePath("nowhere/x.pdf")}, "Dossier introuvable"},
        };
        for (const Bad& b : bad) {
            const CliRun run = runCli(home, b.args);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.startsWith(b.error), qPrintable(run.err));
        }
    }

private:
    void load(MainWindow& w, ScriptedDialogs& dialogs)
    {
        dialogs.answerOpenFile(m_db);
        w.findChild<QAction*>(QStringLiteral("actionOpen"))->trigger();
        QVERIFY(w.statistics().getFilteredSampleSize(0) > 0);
    }

    QTemporaryDir m_dir;
    QString m_db;
};

// The killed child: a long report whose process dies on its third page.
static int killedWhileWriting(const QString& target)
{
    ScriptedDialogs dialogs;
    dialogs.onProgressEvents = [&dialogs] {
        if (!dialogs.progressValues.isEmpty() && dialogs.progressValues.last() >= 3)
            std::_Exit(3);
    };
    writeReport(target, tableContent(500), tableOnly());
    return 0;
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString target = qEnvironmentVariable("TST_REPORT_KILLED_AT_PAGE_3");
    if (!target.isEmpty())
        return killedWhileWriting(target);
    TestReport test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_report.moc"
