// The pie charts and percentile plots as the window builds them after a load.
#include "core/workspace.h"
#include "campaign/ui/lstcampaign.h"
#include "charts/dynaplot.h"
#include "charts/piechart.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "ui/dialogrunner.h"
#include "ui/mainwindow.h"

#include <QtTest>
#include <QtWidgets>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>

namespace {

template <typename T>
T* onlyChild(MainWindow& w, const char* holder)
{
    const QList<T*> found = w.findChild<QWidget*>(QLatin1String(holder))->findChildren<T*>();
    return found.size() == 1 ? found.first() : nullptr;
}

} // namespace

class TestPieChartWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { setDialogRunner({}); }

    void chartsAfterLoadAndAreaChange()
    {
        QTemporaryDir dir;
        Workspace::setRoots(dir.filePath(QStringLiteral("docs")), dir.filePath(QStringLiteral("data")));
        Workspace::establish();
        // Ingoing vehicles only, 20 to 79 km/h.
        QVector<Row> rows;
        const qint64 start = localTime(QStringLiteral("2024-02-01 08:00:00"));
        for (int i = 0; i < 600; ++i)
            rows << Row{start + i * 20, 20 + i % 60, 0};
        const QString file = Workspace::statisticsFolder() + QStringLiteral("pies.db");
        QVERIFY(writeMeasureDb(file, rows));

        ScriptedDialogs dialogs;
        MainWindow w;
        dialogs.answerOpenFile(file);
        setDialogRunner([](QDialog& d) { return int(qobject_cast<LstCampaign*>(&d) ? QDialog::Accepted : QDialog::Rejected); });
        w.findChild<QAction*>(QStringLiteral("actionOpen"))->trigger();
        const SpeedStatistics& s = w.statistics();
        QVERIFY(s.getPercentageCurveSize(0) > 0);

        // One plot per direction; only the direction with measures has a curve.
        DynaPlot* plotIn = onlyChild<DynaPlot>(w, "percentile_in_view");
        DynaPlot* plotOut = onlyChild<DynaPlot>(w, "percentile_out_view");
        QVERIFY(plotIn && plotOut);
        QVERIFY(plotIn->curve(0));
        QCOMPARE(int(plotIn->curve(0)->dataSize()), s.getPercentageCurveSize(0));
        QVERIFY(!plotOut->curve(0));
        QCOMPARE(plotOut->axisScaleDiv(QwtPlot::yLeft).upperBound(), 79.0);

        // A pie for the file's one direction only, and no outgoing percentiles.
        auto* page = w.findChild<QWidget*>(QStringLiteral("page_3"));
        QList<pieChart*> pies = page->findChildren<pieChart*>();
        QCOMPARE(pies.size(), 1);
        QCOMPARE(pies.at(0)->title(), QStringLiteral("Véhicules entrants"));
        QVERIFY(!pies.at(0)->pieces().isEmpty());
        QVERIFY(w.findChild<QWidget*>(QStringLiteral("percentile_out_view"))->isHidden()
                && w.findChild<QLabel*>(QStringLiteral("v85_out_label"))->isHidden());

        // Another speed area: new pies with its classes, the plots untouched.
        const auto names = [](pieChart* pie) {
            QStringList list;
            for (const PiePiece& piece : pie->pieces())
                list << piece.name;
            return list;
        };
        const QStringList before = names(pies.at(0));
        auto* areas = w.findChild<QComboBox*>(QStringLiteral("gb1_comboBox_1"));
        const QPointer<pieChart> oldPie = pies.at(0);
        areas->setCurrentIndex(areas->currentIndex() == 0 ? 1 : 0);
        QVERIFY(oldPie.isNull());
        QCOMPARE(onlyChild<DynaPlot>(w, "percentile_in_view"), plotIn);
        pieChart* pieIn = nullptr;
        for (pieChart* pie : page->findChildren<pieChart*>())
            if (pie->title() == QStringLiteral("Véhicules entrants"))
                pieIn = pie;
        QVERIFY(pieIn);
        QVERIFY(names(pieIn) != before);
    }
};

QTEST_MAIN(TestPieChartWindow)
#include "tst_piechart_window.moc"
