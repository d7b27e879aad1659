// SPDX-License-Identifier: GPL-3.0-or-later
// The summary's faces agree: the tab, the stats JSON, synthese.csv and the report page; the site
// information stays with the file, or with the session when the file is read-only.
#include "db/siteinfo.h"
#include "sampledb/sampledb.h"
#include "scripteddialogs.h"
#include "db/measurereader.h"
#include "testdata.h"
#include "gui/csvexport.h"
#include "gui/mainwindow.h"
#include "gui/siteinfoeditor.h"
#include "gui/report/summarypage.h"
#include "gui/tabs/summarytab.h"
#include "windowtest.h"

#include <QJsonDocument>
#include <QtTest>
#include <QtWidgets>

class TestSummaryViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowJsonAndCsvAgree();
    void siteInformation();
    void pageDrawsBothCharts();

private:
    // Without the store mode's reason, which the window does not give yet.
    static QJsonObject withoutReason(QJsonObject summary)
    {
        QJsonObject quality = summary.take("quality").toObject();
        quality.remove("storeModeReason");
        summary.insert("quality", quality);
        return summary;
    }
    QJsonObject cliSummary(const QStringList& args)
    {
        const CliRun run = runCli(m_dir.path(), QStringList{"stats", m_file} + args);
        return withoutReason(QJsonDocument::fromJson(run.out).object().value("summary").toObject());
    }

    TempWorkspace m_dir;
    QString m_file;   // four weeks, one unrecorded day
};

void TestSummaryViews::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_file = m_dir.statistics() + QStringLiteral("four.db");
    SampleOptions o;
    o.vehiclesPerDay = 400;
    o.gapDays = 1;
    QString error;
    QVERIFY2(generateSampleDatabase(m_file, o, &error), qPrintable(error));
}

void TestSummaryViews::windowJsonAndCsvAgree()
{
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, m_file);
    const TrafficSummary& shown = w.summaryTab()->summary();
    QVERIFY(shown.begin.isValid());
    const QString area = w.findChild<QComboBox*>("gb1_comboBox_1")->currentText();
    QVERIFY(!shown.limit);   // never the area's number
    QCOMPARE(shown.missingDays.size(), 1);
    QCOMPARE(withoutReason(shown.toJson()), cliSummary({"--area", area}));

    // A limit typed in the window is kept in the file, where stats finds it.
    w.findChild<QSpinBox*>("gb1_spinBox_limit")->setValue(50);
    QCOMPARE(shown.limit, std::optional<int>(50));
    QCOMPARE(readSiteInfo(m_file).speedLimit, std::optional<int>(50));
    const QJsonObject json = cliSummary({"--area", area});
    QCOMPARE(withoutReason(shown.toJson()), json);

    // The tab's V85 line and that of synthese.csv are the JSON's.
    const QJsonObject groups = json.value("directions").toObject();
    QStringList v85{"V85"};
    for (const char* g : {"0", "1", "both"})
        v85 << QString::number(groups.value(g).toObject().value("v85").toInt());
    QTableWidget* table = w.summaryTab()->leftTable();
    const QList<QTableWidgetItem*> found = table->findItems("V85", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QCOMPARE((QStringList{"V85", table->item(found[0]->row(), 1)->text(), table->item(found[0]->row(), 2)->text(),
                          table->item(found[0]->row(), 3)->text()}),
             v85);
    const QString table1 = m_dir.filePath(QStringLiteral("table.csv"));
    dialogs.answerSaveFile(table1);
    w.exportCsv();
    QFile csv(CsvExport::summaryFile(table1));
    QVERIFY(csv.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n');
    QVERIFY(lines.contains(v85.join(';')));
    QVERIFY(lines.contains(QStringLiteral("Jours manquants;") + shown.missingDays[0].toString("dd/MM/yyyy")));
    QCOMPARE(lines.filter(QRegularExpression("^\\d\\d:00;")).size(), 24);
}

void TestSummaryViews::siteInformation()
{
    const QString other = m_dir.filePath(QStringLiteral("other.db"));
    const QString readOnly = m_dir.filePath(QStringLiteral("readonly.db"));
    QVERIFY(writeMeasureDb(other, {{localTime("2026-11-02 10:00:00"), 50, 0}}));
    QVERIFY(QFile::copy(other, readOnly));
    QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    ScriptedDialogs dialogs;
    QLineEdit location;
    QTextEdit comment;
    QSpinBox limit;
    SiteInfoEditor editor(&location, &comment, &limit);
    const auto typeLocation = [&](const QString& text) {
        location.clear();
        QTest::keyClicks(&location, text);
        QTest::keyClick(&location, Qt::Key_Return);
    };

    // Nothing is written before the user changes something; a limit set by the user no longer
    // follows the area.
    editor.open(other, "Rue du Port", "Zone 30 km/h", "Km/h");
    QCOMPARE(QStringList({location.text(), limit.text()}), QStringList({"Rue du Port", "30 Km/h"}));
    QVERIFY(readSiteInfo(other).isEmpty());
    typeLocation("Place Carnot");
    limit.setValue(40);
    editor.areaChanged("Zone 70 km/h");
    QCOMPARE(editor.limit(), std::optional<int>(40));
    const SiteInfo stored = readSiteInfo(other);
    QCOMPARE(QVariantList({*stored.location, *stored.speedLimit}), QVariantList({"Place Carnot", 40}));
    QVERIFY(!stored.comment);

    // The read-only file: the values stay for the session, one box says so, the file is untouched.
    editor.open(readOnly, "Rue du Port", "Zone 50 km/h", "Km/h");
    typeLocation("Quai Est");
    comment.setPlainText("radar masqué");
    editor.save();
    editor.open(other, "", "", "Km/h");
    QCOMPARE(location.text(), QStringLiteral("Place Carnot"));
    editor.open(readOnly, "Rue du Port", "Zone 50 km/h", "Km/h");
    QCOMPARE(QStringList({location.text(), comment.toPlainText(), limit.text()}),
             QStringList({"Quai Est", "radar masqué", "50 Km/h"}));
    typeLocation("Quai Ouest");
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.messages()[0].contains(readOnly));
    QVERIFY(readSiteInfo(readOnly).isEmpty());
}

void TestSummaryViews::pageDrawsBothCharts()
{
    ScriptedDialogs dialogs;
    SpeedStatistics s;
    s.setRead(readMeasureFile(m_file, 1, 4102444800, s.getMinSpeed()));
    bool gaps = false;
    s.load(s.getStartDate(), s.getEndDate(), gaps);
    const TrafficSummary summary = TrafficSummary::compute(s, s.getStartDate(), s.getEndDate(), 50);

    // An A4 report page at 85 dpi; the body between header and campaign block.
    QImage page(680, 1020, QImage::Format_RGB32);
    page.setDotsPerMeterX(3346);
    page.setDotsPerMeterY(3346);
    page.fill(Qt::white);
    QPainter painter(&page);
    SummaryPage::paint(painter, QRectF(20, 70, 640, 590), summary, "Km/h");
    painter.end();
    // Each chart's canvas, in the chart style's grey, fills much of its half below the figures.
    const auto canvas = [&](int left) {
        int n = 0;
        for (int y = 350; y < 660; ++y)
            for (int x = left; x < left + 310; ++x)
                n += page.pixelColor(x, y) == QColor(246, 246, 246);
        return n;
    };
    QVERIFY(canvas(20) > 10000);
    QVERIFY(canvas(350) > 10000);
    QCOMPARE(page.pixelColor(10, 10), QColor(Qt::white));   // nothing outside the body
}

QTEST_MAIN(TestSummaryViews)
#include "tst_summaryviews.moc"
