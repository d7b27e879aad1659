// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file, every way into it: the open dialog and the campaign choice, the command line, a
// drop, the recent files; what the window shows of it; the ways it fails; what a file keeps to
// itself (site information, bucket width); a cancel; one file at a time.
#include "analysis/analysis.h"
#include "core/recentfiles.h"
#include "core/startupoptions.h"
#include "core/workspace.h"
#include "db/siteinfo.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "gui/campaign/campaignsynopsis.h"
#include "gui/charts/speedclasspie.h"
#include "gui/charts/timeplot.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"
#include "gui/siteinfoeditor.h"
#include "sampledb/sampledb.h"
#include "scripteddialogs.h"
#include "speedarea/speedarea.h"
#include "testdata.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>
#include <qwt_plot_curve.h>

namespace {

// Measures of 31 January (one campaign) and of 1 and 2 February 2024 (another), both directions.
QVector<Row> twoMonths()
{
    QVector<Row> rows;
    const qint64 jan = localTime(QStringLiteral("2024-01-31 10:00:00"));
    for (int i = 0; i < 60; ++i)
        rows << Row{jan + i * 60, 40 + i % 20, i % 2};
    // 1 February 08:10:20 .. 11:49:20, then a gap, then 2 February 14:00 .. 17:40:10.
    const qint64 feb1 = localTime(QStringLiteral("2024-02-01 08:10:20"));
    for (int i = 0; i < 220; ++i)
        rows << Row{feb1 + i * 60, 30 + i % 40, i % 3 == 0 ? 1 : 0};
    const qint64 feb2 = localTime(QStringLiteral("2024-02-02 14:00:00"));
    for (int i = 0; i < 220; ++i)
        rows << Row{feb2 + i * 60, 20 + i % 50, i % 2};
    rows << Row{localTime(QStringLiteral("2024-02-02 17:40:10")), 55, 0};
    return rows;
}

QDateTime iso(const char* text)
{
    return QDateTime::fromString(QLatin1String(text), Qt::ISODate);
}

QString text(MainWindow& w, const char* name)
{
    if (auto* label = child<QLabel>(w, name))
        return label->text();
    return child<QLineEdit>(w, name)->text();
}

int measures(const MainWindow& w)
{
    return w.analysis() ? w.analysis()->measures()->size() : 0;
}

}   // namespace

class TestOpenFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkspace> m_dir;
    QString m_stats;

    QString twoMonthsFile(const QString& name)
    {
        return writeMeasureDb(m_stats + name, twoMonths()) ? m_stats + name : QString();
    }
    QString generated(const QString& name, const std::function<void(SampleOptions&)>& change = {})
    {
        SampleOptions o;
        o.days = 2;
        o.vehiclesPerDay = 200;
        if (change)
            change(o);
        QString error;
        return generateSampleDatabase(m_stats + name, o, &error) ? m_stats + name : error;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_dir = std::make_unique<TempWorkspace>();
        m_stats = m_dir->statistics();
    }
    void cleanup() { setDialogRunner({}); }

    void openAndChoose();
    void failures_data();
    void failures();
    void unitsAndDirections_data();
    void unitsAndDirections();
    void otherWaysIn();
    void eachFileStartsAfresh();
    void siteInformationStaysWithTheFile();
    void cancelKeepsTheFileShown();
    void oneFileAtATime();
    void layoutKept();
    void firstSizeAndKeys_data();
    void firstSizeAndKeys();
};

void TestOpenFile::openAndChoose()
{
    const QString file = twoMonthsFile(QStringLiteral("2024-01-31_2024-02-02_Rue du Port.db"));
    // Two rows that are no measure: a third direction, an impossible speed.
    QVERIFY(execSql(file,
                    QStringLiteral("INSERT INTO measure (meas_date, meas_speed, meas_direction) VALUES "
                                   "(%1, 50, 2), (%1, 5000, 0)")
                        .arg(localTime("2024-02-01 09:00:00"))));
    ScriptedDialogs dialogs;
    MainWindow w;
    QStringList rowTitles;
    QList<bool> ticks;
    openInWindow(w, dialogs, file, [&](CampaignChoiceDialog& list) {
        for (CampaignSynopsis* row : list.rows()) {
            rowTitles << row->title();
            ticks << row->isChecked();
        }
        return int(QDialog::Accepted);
    });

    // The open dialog, then nothing but progress; two monthly campaigns, newest first, the top one ticked.
    const ScriptedDialogs::Shown open = dialogs.shown().first();
    QCOMPARE(QStringList({open.kind, open.text}) + open.details,
             QStringList({"open", "Ouvrir un fichier de mesures", m_stats, "Base de données (*.db)"}));
    QCOMPARE(dialogs.messages(), QStringList());
    QCOMPARE(ticks, QList<bool>({true, false}));
    QCOMPARE(w.windowTitle(), QStringLiteral("2024-01-31_2024-02-02_Rue du Port - Tramola"));

    // February only; the editors hold the half hours around its readings, within its days.
    const Analysis& a = *w.analysis();
    QCOMPARE(measures(w), 441);
    QCOMPARE(a.read().first, localTime("2024-02-01 08:10:20"));
    auto* start = child<QDateTimeEdit>(w, "periodStartEdit");
    auto* end = child<QDateTimeEdit>(w, "periodEndEdit");
    QCOMPARE(qMakePair(start->dateTime(), end->dateTime()),
             qMakePair(iso("2024-02-01T08:00:00"), iso("2024-02-02T18:00:00")));
    QCOMPARE(qMakePair(start->minimumDate(), end->maximumDate()), qMakePair(QDate(2024, 2, 1), QDate(2024, 2, 2)));
    QCOMPARE(child<QDoubleSpinBox>(w, "minSpeedSpin")->value(), 15.0);
    QCOMPARE(text(w, "locationEdit"), QStringLiteral("Rue du Port"));
    // Readings a second or more apart, never in bursts: one reading per vehicle.
    QCOMPARE(text(w, "storeModeLabel"), QStringLiteral("Avancé (1 relevé par véhicule détecté)"));
    QCOMPARE(text(w, "readEndLabel"), w.dateTimeText(QDateTime::fromSecsSinceEpoch(a.read().last)));
    QVERIFY(text(w, "invalidReadingsLabel").startsWith(QStringLiteral("2 relevés ignorés")));
    QCOMPARE(text(w, "v85InValue"), QLocale().toString(a.direction(0).v85.value(), 'f', 2));
    for (const char* name : {"actionExport", "actionRange", "actionFilter"})
        QVERIFY2(child<QAction>(w, name)->isEnabled(), name);

    // The campaign tab: every campaign, the first current; the count arrives from another thread.
    auto* list = child<QListView>(w, "campaignList");
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(list->model()->index(0, 0).data().toString(), rowTitles.value(0));
    QCOMPARE(text(w, "titleLabel"), rowTitles.value(0));
    QTRY_COMPARE(text(w, "measuresLabel") + '/' + text(w, "daysLabel"), QStringLiteral("443/2"));
    list->setCurrentIndex(list->model()->index(1, 0));
    QTRY_COMPARE(text(w, "measuresLabel") + '/' + text(w, "daysLabel"), QStringLiteral("60/1"));
}

// One row per way an opening fails: the boxes in order, the window as it was.
void TestOpenFile::failures_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QStringList>("boxes");   // kind|title|text, %1 the file

    const QString box = QStringLiteral("warning|Statistiques|");
    const QString notOpened = QStringLiteral("critical|Base de données|Le fichier %1 n'est pas une base de mesures (ce "
                                             "n'est pas un fichier ordinaire) ; il est laissé tel quel.");
    QTest::newRow("campaign choice given up") << "rejected" << QStringList();
    QTest::newRow("not openable before the choice")
        << "directory" << QStringList{notOpened, box + "Erreur à l'ouverture de la base de données.\n"};
    QTest::newRow("no campaign at all") << "missing"
                                        << QStringList{box + "Statistiques indisponibles, la base de données est vide"};
    QTest::newRow("not a file at the read")
        << "directoryAtRead" << QStringList{box + "Ce n'est pas un fichier ordinaire : %1"};
    QTest::newRow("gone at the read") << "missingAtRead" << QStringList{box + "Fichier introuvable : %1"};
    QTest::newRow("gone at the read, another file shown")
        << "missingAfterAnother" << QStringList{box + "Fichier introuvable : %1"};
    QTest::newRow("nothing above the minimum speed")
        << "slow" << QStringList{box + "Aucun relevé au-dessus de 15 km/h dans la période."};
}

void TestOpenFile::failures()
{
    QFETCH(QString, situation);
    QFETCH(QStringList, boxes);
    const QString file = m_stats + QStringLiteral("2024_02_Gare.db");
    std::function<void(CampaignChoiceDialog&)> during;
    if (situation == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(file));
    } else if (situation == QLatin1String("slow")) {
        QVector<Row> rows;
        for (int i = 0; i < 50; ++i)
            rows << Row{localTime(QStringLiteral("2024-02-01 08:00:00")) + i * 60, 5 + i % 11, 0};
        QVERIFY(writeMeasureDb(file, rows));
    } else if (situation != QLatin1String("missing")) {
        QCOMPARE(twoMonthsFile(QStringLiteral("2024_02_Gare.db")), file);
        during = [file, situation](CampaignChoiceDialog&) {
            if (situation == QLatin1String("rejected"))
                return;
            QVERIFY(QFile::remove(file));
            if (situation == QLatin1String("directoryAtRead"))
                QVERIFY(QDir().mkpath(file));
        };
    }

    ScriptedDialogs dialogs;
    MainWindow w;
    const bool another = situation == QLatin1String("missingAfterAnother");
    if (another) {
        openInWindow(w, dialogs, twoMonthsFile(QStringLiteral("first.db")));
        dialogs.clear();
    }
    openInWindow(w, dialogs, file, [&](CampaignChoiceDialog& list) {
        if (during)
            during(list);
        return int(situation == QLatin1String("rejected") ? QDialog::Rejected : QDialog::Accepted);
    });

    QStringList shown;
    for (const QString& s : dialogs.summary()) {
        if (!s.startsWith(QLatin1String("open|")) && !s.startsWith(QLatin1String("progress|")))
            shown << s;
    }
    QCOMPARE(shown, boxes.replaceInStrings(QStringLiteral("%1"), file));
    // The settings remember the file whatever happened next; the window shows what it showed.
    QCOMPARE(lastMeasureFile(), file);
    QCOMPARE(w.windowTitle(), another ? QStringLiteral("first - Tramola") : QStringLiteral("Tramola"));
    QCOMPARE(measures(w), another ? 441 : 0);
    QCOMPARE(child<QAction>(w, "actionExport")->isEnabled(), another);
    QCOMPARE(child<QListView>(w, "campaignList")->model()->rowCount(), another ? 2 : 0);
}

void TestOpenFile::unitsAndDirections_data()
{
    QTest::addColumn<QString>("first");   // time of the first reading
    QTest::addColumn<int>("marker");   // units marker: 0 km/h, 2 mph; -1 no direction column
    QTest::addColumn<QTime>("start");   // of the first bucket
    QTest::addColumn<int>("minSpeed");
    QTest::addColumn<int>("units");
    QTest::newRow("km/h") << "2024-02-01 08:00:17" << 0 << QTime(8, 0) << 15 << 0;
    QTest::newRow("mph") << "2024-02-01 08:30:05" << 2 << QTime(8, 30) << 9 << 1;
    QTest::newRow("one-way") << "2024-02-01 08:00:17" << -1 << QTime(8, 0) << 15 << 0;
}

// Read from the half hour of the first reading and above the units' default, which the box
// shows; only the file's directions on screen; the units' remembered area, as the command line.
void TestOpenFile::unitsAndDirections()
{
    QFETCH(QString, first);
    QFETCH(int, marker);
    QFETCH(int, minSpeed);
    QFETCH(int, units);
    QVector<Row> rows;
    for (int i = 0; i < 120; ++i)
        rows << Row{localTime(first) + 30 * i, 65 - i % 60, i % 2};
    const QString path = m_stats + QStringLiteral("file.db");
    QVERIFY(writeMeasureDb(path, rows, marker >= 0, marker));
    SpeedArea areas;
    areas.setUnits(qint16(units));
    setSpeedAreaChoice(units, sortAreaNames(areas.areaNames()).value(1));
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, path);

    const Analysis& a = *w.analysis();
    QCOMPARE(int(child<QDoubleSpinBox>(w, "minSpeedSpin")->value()), minSpeed);
    QCOMPARE(a.read().minSpeed, minSpeed);
    QTEST(child<QDateTimeEdit>(w, "periodStartEdit")->time(), "start");
    QCOMPARE(a.direction(0).buckets.firstKey(),
             child<QDateTimeEdit>(w, "periodStartEdit")->dateTime().toSecsSinceEpoch());
    const bool twoWay = marker >= 0;
    QCOMPARE(child(w, "meanSpeedPage")->findChild<TimePlot*>()->curve(1) != nullptr, twoWay);
    QCOMPARE(child(w, "distributionPage")->findChildren<SpeedClassPie*>().size(), twoWay ? 2 : 1);
    QCOMPARE(!child(w, "percentileOutView")->isHidden(), twoWay);
    QCOMPARE(child<QComboBox>(w, "speedAreaCombo")->currentText(), sortAreaNames(areas.areaNames()).value(1));
    QCOMPARE(child<QComboBox>(w, "speedAreaCombo")->currentText(), a.criteria().area);
}

void TestOpenFile::otherWaysIn()
{
    const QStringList files{generated("a.db"), generated("b.db"), generated("GARE.DB")};
    int chosen = 0;
    setDialogRunner([&chosen](QDialog& d) {
        ++chosen;
        return int(qobject_cast<CampaignChoiceDialog*>(&d) ? QDialog::Accepted : QDialog::Rejected);
    });
    ScriptedDialogs dialogs;
    const auto menu = [](MainWindow& w) {
        auto* fichier = child<QMenu>(w, "menuFichier");
        emit fichier->aboutToShow();
        QStringList shown;   // "-" before a disabled entry
        for (QAction* a : fichier->actions())
            if (a->objectName().startsWith(QLatin1String("actionRecent")))
                shown << (a->isEnabled() ? QString() : QStringLiteral("-")) + a->text();
        return shown;
    };
    {
        MainWindow w;
        QVERIFY(child(w, "StartPage")->isVisibleTo(&w));
        // The command line, then drops of a database and of something else, as if chosen in the
        // open dialog but without it.
        w.openFile(startupFile({"tramola", "-d", "--", files[0]}, {3}));
        QVERIFY(waitForAnalysis(w));
        for (const QString& dropped : {files[2], m_stats + QStringLiteral("notes.txt")}) {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(dropped)});
            QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&w, &enter);
            QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&w, &drop);
            QCoreApplication::processEvents();
            QVERIFY(waitForAnalysis(w));
        }
        QCOMPARE(chosen, 2);
        QVERIFY(dialogs.summary().filter(QRegularExpression(QStringLiteral("^open\\|"))).isEmpty());
        QCOMPARE(w.analysis()->file(), files[2]);
        QVERIFY(w.statusBar()->currentMessage().contains(QStringLiteral("notes.txt")));
        QVERIFY(!child(w, "StartPage")->isVisibleTo(&w) && child<QTabWidget>(w, "tabWidget")->isVisibleTo(&w));

        // Chosen again from the menu, a file moves to the top; a deleted one shows disabled.
        w.openFile(files[1]);
        QVERIFY(waitForAnalysis(w));
        QCOMPARE(menu(w), QStringList({"&1 b.db", "&2 GARE.DB", "&3 a.db"}));
        child<QAction>(w, "actionRecent3")->trigger();
        QTRY_COMPARE(w.analysis()->file(), files[0]);
        QVERIFY(QFile::remove(files[1]));
        QCOMPARE(menu(w), QStringList({"&1 a.db", "-&2 b.db", "&3 GARE.DB"}));
    }
    // The next start forgets it; the start page lists the others as links.
    MainWindow w;
    QCOMPARE(menu(w), QStringList({"&1 a.db", "&2 GARE.DB"}));
    emit child<QLabel>(w, "start_recent")->linkActivated(QStringLiteral("recent:1"));
    QTRY_VERIFY(w.analysis() && w.analysis()->file() == files[2]);
}

// Nothing of a file goes over to the next: the location and the report's name come from the
// file, the bucket width starts again at its default (and shows), as the minimum speed does.
void TestOpenFile::eachFileStartsAfresh()
{
    const QString paris = generated(QStringLiteral("radar_01_Rue-de-Paris.db"));
    const QString other =
        generated(QStringLiteral("other.db"), [](SampleOptions& o) { o.units = SampleOptions::Units::Mph; });
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, paris);
    QCOMPARE(text(w, "locationEdit"), QStringLiteral("Rue-de-Paris"));
    dialogs.answerInt(60);
    QVERIFY(clickAndWait(w, "actionFilter"));
    QCOMPARE(w.analysis()->criteria().bucketSeconds, 3600);
    QCOMPARE(text(w, "bucketWidthLabel"), QStringLiteral("Précision : 60 min"));

    openInWindow(w, dialogs, other);
    QCOMPARE(text(w, "locationEdit"), QString());
    QCOMPARE(w.analysis()->criteria().bucketSeconds, 1800);
    QCOMPARE(text(w, "bucketWidthLabel"), QStringLiteral("Précision : 30 min"));
    QCOMPARE(int(child<QDoubleSpinBox>(w, "minSpeedSpin")->value()), 9);
    setDialogRunner([](QDialog&) { return int(QDialog::Accepted); });
    dialogs.clear();
    w.exportPdf();
    const QStringList saves = dialogs.summary().filter(QStringLiteral("save|"));
    QCOMPARE(saves.size(), 1);
    QVERIFY(!dialogs.shown().at(dialogs.summary().indexOf(saves[0])).details.value(0).contains("Paris"));
}

// What the user types is kept in the file, or for the session when the file is read-only.
void TestOpenFile::siteInformationStaysWithTheFile()
{
    const QString other = m_dir->filePath(QStringLiteral("other.db"));
    const QString readOnly = m_dir->filePath(QStringLiteral("readonly.db"));
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

    // Nothing is written before the user changes something; the area's number is only proposed
    // when asked, and a limit the user set no longer follows the area.
    editor.open(other, readSiteInfo(other), "Rue du Port", "Zone 30 km/h", "km/h");
    QCOMPARE(QStringList({location.text(), limit.text()}), QStringList({"Rue du Port", "—"}));
    editor.propose();
    QCOMPARE(limit.text(), QStringLiteral("30 km/h"));
    QCOMPARE(editor.limit(), std::nullopt);
    QVERIFY(readSiteInfo(other).isEmpty());
    typeLocation("Place Carnot");
    limit.setValue(40);
    editor.areaChanged("Zone 70 km/h");
    QCOMPARE(editor.limit(), std::optional<int>(40));
    const SiteInfo stored = readSiteInfo(other);
    QCOMPARE(QVariantList({*stored.location, *stored.speedLimit}), QVariantList({"Place Carnot", 40}));

    // The read-only file: the values stay for the session, one box says so, the file is untouched.
    editor.open(readOnly, {}, "Rue du Port", "Zone 50 km/h", "Km/h");
    typeLocation("Quai Est");
    comment.setPlainText("radar masqué");
    editor.save();
    editor.open(other, readSiteInfo(other), "", "", "Km/h");
    QCOMPARE(location.text(), QStringLiteral("Place Carnot"));
    editor.open(readOnly, {}, "Rue du Port", "Zone 50 km/h", "Km/h");
    QCOMPARE(QStringList({location.text(), comment.toPlainText(), limit.text()}),
             QStringList({"Quai Est", "radar masqué", "—"}));
    typeLocation("Quai Ouest");
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.messages()[0].contains(readOnly));
    QVERIFY(readSiteInfo(readOnly).isEmpty());
}

// Cancel gives nothing: the file shown stays, whole.
void TestOpenFile::cancelKeepsTheFileShown()
{
    const QString small = twoMonthsFile(QStringLiteral("small.db"));
    const QString year = generated(QStringLiteral("year.db"), [](SampleOptions& o) {
        o.days = 60;
        o.vehiclesPerDay = 2000;
    });
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, small);
    dialogs.clear();
    openInWindow(w, dialogs, year, [&dialogs](CampaignChoiceDialog&) {
        dialogs.cancelProgressAt(1);
        return int(QDialog::Accepted);
    });
    QCOMPARE(dialogs.messages(), QStringList());
    QCOMPARE(w.analysis()->file(), small);
    QCOMPARE(w.windowTitle(), QStringLiteral("small - Tramola"));
    QCOMPARE(child<QListView>(w, "campaignList")->model()->rowCount(), 2);
}

void TestOpenFile::oneFileAtATime()
{
    const QString first = generated(QStringLiteral("first.db"));
    ScriptedDialogs dialogs;
    MainWindow w;
    int chosen = 0;
    setDialogRunner([&](QDialog&) {
        ++chosen;
        // While the first file's campaigns are chosen, and then while it is analysed.
        w.openFile(generated(QStringLiteral("second.db")));
        return int(QDialog::Accepted);
    });
    w.openFile(first);
    QVERIFY(w.isBusy());
    w.openDialog();
    QVERIFY(waitForAnalysis(w));
    QCOMPARE(chosen, 1);
    QVERIFY(w.statusBar()->currentMessage().contains(QStringLiteral("déjà en cours")));
    QCOMPARE(w.analysis()->file(), first);
    QVERIFY(dialogs.summary().filter(QRegularExpression(QStringLiteral("^open\\|"))).isEmpty());
}

// Size, position and splitter come back at the next start.
void TestOpenFile::layoutKept()
{
    {
        MainWindow w;
        w.show();
        w.setGeometry(40, 50, 1000, 720);
        child<QSplitter>(w, "mainSplitter")->setSizes({300, 692});
        QVERIFY(w.close());
    }
    MainWindow w;
    w.show();
    QCOMPARE(w.geometry(), QRect(40, 50, 1000, 720));
    QCOMPARE(child<QSplitter>(w, "mainSplitter")->sizes().value(0), 300);
}

void TestOpenFile::firstSizeAndKeys_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("fr") << QString();
    QTest::newRow("en") << QStringLiteral("tramola_en");
}

// At 1280 by 800 every tab title is whole, in both languages; no key does two things, and the
// standard ones do what they do everywhere.
void TestOpenFile::firstSizeAndKeys()
{
    QFETCH(QString, language);
    QTranslator translator;
    if (!language.isEmpty()) {
        QVERIFY(translator.load(language, QCoreApplication::applicationDirPath() + QStringLiteral("/lang")));
        QCoreApplication::installTranslator(&translator);
    }
    MainWindow w;
    w.resize(1280, 800);
    w.show();
    auto* tabs = child<QTabWidget>(w, "tabWidget")->tabBar();
    static_cast<QStackedWidget*>(child<QSplitter>(w, "mainSplitter")->widget(1))->setCurrentIndex(0);
    QApplication::processEvents();
    for (int i = 0; i < tabs->count(); ++i)
        QVERIFY2(tabs->tabRect(i).width() > tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)),
                 qPrintable(tabs->tabText(i)));
    QHash<QKeySequence, QString> keys;
    const auto take = [&](const QKeySequence& key, const QString& what) {
        QVERIFY2(key.isEmpty() || !keys.contains(key) || keys.value(key) == what,
                 qPrintable(key.toString() + ' ' + what));
        keys.insert(key, what);
    };
    for (QAction* action : w.findChildren<QAction*>())
        take(action->shortcut(), action->objectName());
    for (QShortcut* shortcut : w.findChildren<QShortcut*>())
        take(shortcut->key(), shortcut->objectName());
    for (const auto& [key, action] : {std::pair{"Ctrl+O", "actionOpen"},
                                      {"Ctrl+S", "actionExport"},
                                      {"Ctrl+P", "actionToolPrint"},
                                      {"Ctrl+Q", "actionExit"}})
        QCOMPARE(keys.value(QKeySequence(QLatin1String(key))), QLatin1String(action));
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestOpenFile)
#include "tst_openfile.moc"
