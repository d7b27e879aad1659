// What the window shows after a load: the first bucket, the minimum speed, the file's directions,
// the speed area, the curves over gaps, the time axes and their labels, the pie legends.
#include "core/workspace.h"
#include "campaign/ui/lstcampaign.h"
#include "charts/dayscaledraw.h"
#include "charts/piechart.h"
#include "charts/qorgraph.h"
#include "sampledb/sampledb.h"
#include "scripteddialogs.h"
#include "speedarea/speedarea.h"
#include "testdata.h"
#include "ui/dialogrunner.h"
#include "ui/mainwindow.h"

#include <QtTest>
#include <QtWidgets>
#include <qwt_plot_curve.h>
#include <qwt_scale_widget.h>

namespace {

template <typename T = QWidget>
T* child(QWidget& w, const char* name)
{
    return w.findChild<T*>(QLatin1String(name));
}

QDateTime at(const char* text)
{
    return QDateTime::fromString(QLatin1String(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// "Ouvrir" on file, every campaign ticked.
void load(MainWindow& w, ScriptedDialogs& dialogs, const QString& file)
{
    dialogs.answerOpenFile(file);
    setDialogRunner([](QDialog& d) {
        auto* list = qobject_cast<LstCampaign*>(&d);
        if (list)
            list->selectAll();
        return int(list ? QDialog::Accepted : QDialog::Rejected);
    });
    child<QAction>(w, "actionOpen")->trigger();
}

// The editors, then "Rafraichir".
void analyse(MainWindow& w, const QDateTime& from, const QDateTime& to)
{
    child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2")->setDateTime(to);
    child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1")->setDateTime(from);
    child<QPushButton>(w, "gb1_button_refresh")->click();
}

// Mean, maximum and vehicle plots.
QList<qorGraph*> timePlots(MainWindow& w)
{
    QList<qorGraph*> plots;
    for (const char* view : {"page_1_view", "page_5_view", "page_2_view"})
        plots << child(w, view)->findChild<qorGraph*>();
    return plots;
}

QString generated(const QString& path, const std::function<void(SampleOptions&)>& change)
{
    SampleOptions o;
    o.overwrite = true;
    change(o);
    QString error;
    return generateSampleDatabase(path, o, &error) ? path : error;
}

} // namespace

class TestWindowDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { setDialogRunner({}); }

    void halfHourStart_data();
    void halfHourStart();
    void minSpeedAndDirections();
    void defaultSpeedArea();
    void curvesAxesAndPies();
    void axisLabelsApart_data();
    void axisLabelsApart();

private:
    QTemporaryDir m_shared;
    QString m_twoYears;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestWindowDisplay::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_twoYears = generated(m_shared.filePath(QStringLiteral("years.db")), [](SampleOptions& o) {
        o.from = QDate(2024, 1, 1), o.days = 731, o.vehiclesPerDay = 24;
    });
    QVERIFY2(QFileInfo::exists(m_twoYears), qPrintable(m_twoYears));
}

void TestWindowDisplay::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Workspace::setRoots(m_dir->filePath(QStringLiteral("docs")), m_dir->filePath(QStringLiteral("data")));
    Workspace::establish();
}

void TestWindowDisplay::halfHourStart_data()
{
    QTest::addColumn<QDateTime>("first");
    QTest::addColumn<QDateTime>("start");
    QTest::newRow("hh:00:17") << at("2024-02-01 08:00:17") << at("2024-02-01 08:00:00");
    QTest::newRow("hh:30:05") << at("2024-02-01 08:30:05") << at("2024-02-01 08:30:00");
}

// The bucket of the first measure is kept, whole, and labelled with its own half hour.
void TestWindowDisplay::halfHourStart()
{
    QFETCH(QDateTime, first);
    QFETCH(QDateTime, start);
    QVector<Row> rows;
    for (int i = 0; i < 40; ++i)
        rows << Row{first.toSecsSinceEpoch() + 60 * i, 50, 0};
    const QString file = Workspace::statisticsFolder() + QStringLiteral("start.db");
    QVERIFY(writeMeasureDb(file, rows));
    ScriptedDialogs dialogs;
    MainWindow w;
    load(w, dialogs, file);

    QCOMPARE(child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1")->dateTime(), start);
    const SampleMap buckets = w.statistics().getFilteredSample(0);
    QCOMPARE(buckets.firstKey(), start.toSecsSinceEpoch());
    QCOMPARE(buckets.first().measureCount, 30);
    auto* table = child<QTableWidget>(w, "page_4_view");
    QCOMPARE(table->item(table->rowCount() - 1, 0)->text(), start.toString(QStringLiteral("dd/MM/yyyy hh:mm")));
}

// km/h, mph, then a one-way file: each read above its own units' default, which the box shows,
// and nothing of an earlier file's second direction left on screen.
void TestWindowDisplay::minSpeedAndDirections()
{
    QVector<Row> rows;
    const qint64 t0 = localTime(QStringLiteral("2024-02-01 08:00:00"));
    for (int i = 0; i < 120; ++i)
        rows << Row{t0 + 30 * i, 5 + i % 60, i % 2};
    const QString folder = Workspace::statisticsFolder();
    QVERIFY(writeMeasureDb(folder + "kmh.db", rows, true, 0) && writeMeasureDb(folder + "mph.db", rows, true, 2)
            && writeMeasureDb(folder + "oneway.db", rows, false));
    ScriptedDialogs dialogs;
    MainWindow w;
    auto* box = child<QDoubleSpinBox>(w, "gb1_doubleSpinBox_1");
    const QList<QPair<QString, int>> files{{"kmh.db", 15}, {"mph.db", 9}, {"oneway.db", 15}};
    for (const auto& file : files) {
        load(w, dialogs, folder + file.first);
        for (int pass = 0; pass < 2; ++pass) {   // "Rafraichir" changes nothing
            QCOMPARE(int(box->value()), file.second);
            QCOMPARE(w.statistics().getLoadedMinSpeed(), file.second);
            int lowest = 1000;
            for (const MeasureMap::Entry& e : w.statistics().measures())
                lowest = qMin(lowest, e.measure.speed);
            QCOMPARE(lowest, file.second + 1);
            child<QPushButton>(w, "gb1_button_refresh")->click();
        }
        const bool twoWay = file.first != QLatin1String("oneway.db");
        const QList<qorGraph*> plots = timePlots(w);
        QCOMPARE(plots[0]->curve(1) != nullptr, twoWay);
        QCOMPARE(plots[1]->itemList(QwtPlotItem::Rtti_PlotCurve).size(), twoWay ? 2 : 1);
        QCOMPARE(plots[2]->histogram(1) != nullptr, twoWay);
        QCOMPARE(child(w, "page_3")->findChildren<pieChart*>().size(), twoWay ? 2 : 1);
        QCOMPARE(!child(w, "percentile_out_view")->isHidden(), twoWay);
        auto* table = child<QTableWidget>(w, "page_4_view");
        QSet<QString> senses;
        for (int row = 0; row < table->rowCount(); ++row)
            senses << table->item(row, 5)->text();
        QCOMPARE(senses.size(), twoWay ? 2 : 1);
    }
    QCOMPARE(timePlots(w)[0]->curve(0)->title().text().left(12), QStringLiteral("Sens entrant"));
}

// The area last chosen for the units, else the first of the list; the command line agrees.
void TestWindowDisplay::defaultSpeedArea()
{
    QTemporaryDir home;
    const QJsonObject paths = QJsonDocument::fromJson(runCli(home.path(), {"paths"}).out).object();
    Workspace::setRoots(paths.value("documentsRoot").toString(), paths.value("dataRoot").toString());
    Workspace::establish();
    const QString file = Workspace::statisticsFolder() + QStringLiteral("area.db");
    QVERIFY(writeMeasureDb(file, {{localTime(QStringLiteral("2024-02-01 08:00:00")), 50, 0}}, true, 0));
    const QStringList names = sortAreaNames(SpeedArea().areaNames());
    const auto cliArea = [&]() {
        const QJsonObject root = QJsonDocument::fromJson(runCli(home.path(), {"stats", file}).out).object();
        return root.value("settings").toObject().value("area").toString();
    };

    for (const QString& expected : {names.value(0), names.value(1)}) {
        ScriptedDialogs dialogs;
        MainWindow w;
        load(w, dialogs, file);
        auto* choice = child<QComboBox>(w, "gb1_comboBox_1");
        QCOMPARE(choice->currentText(), expected);
        QCOMPARE(cliArea(), expected);
        choice->setCurrentText(names.value(1));
    }
}

void TestWindowDisplay::curvesAxesAndPies()
{
    // Six days, the fourth unrecorded; a burst of about nine readings a vehicle.
    const QString file = generated(Workspace::statisticsFolder() + QStringLiteral("gaps.db"), [](SampleOptions& o) {
        o.from = QDate(2024, 2, 5), o.days = 6, o.gapDays = 1, o.vehiclesPerDay = 300, o.readingsPerVehicle = 9;
    });
    ScriptedDialogs dialogs;
    MainWindow w;
    load(w, dialogs, file);
    w.resize(w.minimumSize());
    w.show();

    // Gap buckets give no point: none at 0, one per bucket with measures.
    const SampleMap buckets = w.statistics().getFilteredSample(0);
    int valid = 0;
    for (const SampleRecord& r : buckets)
        valid += r.valid ? 1 : 0;
    QVERIFY(valid < buckets.size());
    const QwtPlotCurve* mean = timePlots(w)[0]->curve(0);
    QCOMPARE(int(mean->dataSize()), valid);
    for (size_t i = 0; i < mean->dataSize(); ++i)
        QVERIFY(mean->sample(int(i)).y() > 0);

    // Every time axis spans the editors' period, a narrower one too.
    for (const auto& period : {qMakePair(QDateTime(), QDateTime()),
                               qMakePair(at("2024-02-06 10:00:00"), at("2024-02-07 18:00:00"))}) {
        if (period.first.isValid())
            analyse(w, period.first, period.second);
        const qint64 from = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1")->dateTime().toSecsSinceEpoch();
        const qint64 to = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2")->dateTime().toSecsSinceEpoch();
        for (qorGraph* plot : timePlots(w)) {
            const QwtScaleDiv x = plot->axisScaleDiv(QwtPlot::xBottom);
            QCOMPARE(qMakePair(qint64(x.lowerBound()), qint64(x.upperBound())), qMakePair(from, to));
        }
    }

    // The pie legends stay whole in their widgets at the smallest window.
    child<QTabWidget>(w, "tabWidget")->setCurrentWidget(child(w, "page_3"));
    QApplication::processEvents();
    const QList<pieChart*> pies = child(w, "page_3")->findChildren<pieChart*>();
    QCOMPARE(pies.size(), 2);
    for (pieChart* pie : pies) {
        QVERIFY(!pie->pieces().isEmpty());
        QVERIFY2(QRectF(pie->rect()).contains(pie->layout(pie->size()).legend), qPrintable(pie->title()));
    }

    // The divider: on for this "Standard" file; off, the counts are readings and say so.
    auto* divider = child<QAction>(w, "actionDivider");
    QVERIFY(divider->isChecked() && divider->text().contains(QLatin1String(" 9 ")));
    const int vehicles = w.statistics().countVehicles(QDateTime::fromSecsSinceEpoch(0), QDateTime::fromSecsSinceEpoch(0), 0);
    divider->trigger();
    QVERIFY(w.statistics().getDividerOff());
    QVERIFY(w.statistics().countVehicles(QDateTime::fromSecsSinceEpoch(0), QDateTime::fromSecsSinceEpoch(0), 0)
            > 7 * vehicles);
    QVERIFY2(timePlots(w)[2]->title().text().startsWith(QStringLiteral("Nombre de relevés par ")), qPrintable(timePlots(w)[2]->title().text()));
    QCOMPARE(child<QTableWidget>(w, "page_4_view")->horizontalHeaderItem(2)->text(),
             QStringLiteral("Nombre de relevés (sans diviseur)"));
}

void TestWindowDisplay::axisLabelsApart_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<QSize>("size");
    const QDateTime march = at("2024-03-04 10:00:00");
    const QList<QPair<const char*, QDateTime>> periods{{"1 h", march.addSecs(3600)},
                                                        {"1 day", march.addDays(1)},
                                                        {"1 week", march.addDays(7)},
                                                        {"4 months", march.addMonths(4)},
                                                        {"2 years", at("2025-12-30 10:00:00")}};
    for (const auto& period : periods) {
        const QDateTime from = QLatin1String(period.first) == QLatin1String("2 years") ? at("2024-01-02 00:00:00") : march;
        QTest::newRow(qPrintable(QStringLiteral("%1, smallest").arg(period.first))) << from << period.second << QSize();
        QTest::newRow(qPrintable(QStringLiteral("%1, large").arg(period.first))) << from << period.second
                                                                                 << QSize(1600, 1000);
    }
}

// No two labels of a time axis overlap, the last included; months start on their first day.
void TestWindowDisplay::axisLabelsApart()
{
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(QSize, size);
    ScriptedDialogs dialogs;
    MainWindow w;
    load(w, dialogs, m_twoYears);
    analyse(w, from, to);
    w.resize(size.isValid() ? size : w.minimumSize());
    w.show();
    auto* tabs = child<QTabWidget>(w, "tabWidget");
    const QList<qorGraph*> plots = timePlots(w);
    for (int tab = 0; tab < plots.size(); ++tab) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        const auto* draw = dynamic_cast<const DayScaleDraw*>(plots[tab]->axisScaleDraw(QwtPlot::xBottom));
        QVERIFY(draw);
        const QVector<QRectF> rects = draw->labelRects(plots[tab]->axisWidget(QwtPlot::xBottom)->font());
        QVERIFY(rects.size() >= 2);
        for (int i = 0; i < rects.size(); ++i)
            for (int j = i + 1; j < rects.size(); ++j)
                QVERIFY2(!rects[i].intersects(rects[j]), qPrintable(QStringLiteral("plot %1, labels %2 and %3").arg(tab).arg(i).arg(j)));
        if (from.daysTo(to) > 62)
            for (double v : draw->scaleDiv().ticks(QwtScaleDiv::MajorTick))
                QCOMPARE(QDateTime::fromSecsSinceEpoch(qint64(v)).date().day(), 1);
    }
}

QTEST_MAIN(TestWindowDisplay)
#include "tst_windowdisplay.moc"
