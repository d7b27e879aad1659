// SPDX-License-Identifier: GPL-3.0-or-later
// bench_window SOURCE [--runs N]
// Opens a copy of SOURCE (a measure file as the radar delivers it) in the real window, offscreen,
// ticks every campaign in the campaign dialog and times from that choice to the charts drawn,
// beside the plain SQLite C loop over the same copy. Also the longest stretch during which the
// event loop did not run, the memory added per measure, and a refresh through the window's
// criteria panel (a higher minimum speed, "Rafraichir"), which recomputes from the readings held.
#include "benchutil.h"
#include "cloop.h"

#include "analysis/analysis.h"
#include "core/messagelog.h"
#include "core/workspace.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "gui/campaign/campaignsynopsis.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"
#include "gui/qtuserdialogs.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

struct Run
{
    double seconds = -1;
    double longestPause = 0;
    qint64 measures = 0;
    double bytesPerMeasure = 0;
    double refresh = -1;
    double refreshPause = 0;
};

// Until the window's analysis is shown, then its charts painted (the plots just laid out show
// once the events posted for them are handled).
void waitForCharts(MainWindow& w)
{
    QEventLoop loop;
    QObject::connect(&w, &MainWindow::analysisDone, &loop, &QEventLoop::quit);
    if (w.isBusy())
        loop.exec();
    QApplication::sendPostedEvents();
    w.grab();
}

Run openInWindow(const QString& file)
{
    Run r;
    QElapsedTimer clock;
    qint64 lastTick = -1, longest = 0;
    bool timing = false;
    // Fires whenever the event loop gets to run; the gaps between firings are the pauses.
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (timing && lastTick >= 0)
            longest = std::max(longest, now - lastTick);
        lastTick = now;
    });
    qint64 before = 0;
    setDialogRunner([&](QDialog& d) {
        auto* list = qobject_cast<CampaignChoiceDialog*>(&d);
        if (!list)
            return int(QDialog::Rejected);
        for (CampaignSynopsis* row : list->rows())
            row->setChecked(true);
        bench::resetPeak();
        before = bench::statusKb("VmRSS");
        clock.start();
        lastTick = 0;
        timing = true;
        ticker.start();
        return int(QDialog::Accepted);
    });
    {
        MainWindow w;
        w.resize(1280, 900);
        w.show();
        QApplication::processEvents();
        w.openFile(file);
        waitForCharts(w);
        if (timing && w.analysis()) {
            // The stretch from the last tick to the drawn charts is a pause too.
            longest = std::max(longest, clock.nsecsElapsed() - lastTick);
            r.seconds = clock.nsecsElapsed() / 1e9;
            r.longestPause = longest / 1e9;
            r.measures = w.analysis()->measures()->size();
            const qint64 after = bench::statusKb("VmHWM");
            r.bytesPerMeasure = r.measures ? double(after - before) * 1024.0 / double(r.measures) : 0;

            w.findChild<QDoubleSpinBox*>(QStringLiteral("minSpeedSpin"))->setValue(30);
            longest = 0;
            clock.start();
            lastTick = 0;
            w.findChild<QPushButton*>(QStringLiteral("refreshButton"))->click();
            waitForCharts(w);
            longest = std::max(longest, clock.nsecsElapsed() - lastTick);
            r.refresh = w.analysis()->criteria().minSpeed == 30 ? clock.nsecsElapsed() / 1e9 : -1;
            r.refreshPause = longest / 1e9;
        }
        ticker.stop();
    }
    setDialogRunner({});
    return r;
}

}   // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(logMessageHandler);   // silent unless debug mode
    QStringList args = app.arguments().mid(1);
    const int runs = bench::takeRuns(args, 3);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bench_window SOURCE.db [--runs N]\n");
        return 2;
    }
    QTemporaryDir tmp;
    Workspace::setRoots(tmp.filePath(QStringLiteral("docs")), tmp.filePath(QStringLiteral("data")));
    Workspace::establish();
    QtUserDialogs dialogs;
    setUserDialogs(&dialogs);

    QFile loadavg(QStringLiteral("/proc/loadavg"));
    const QByteArray load = loadavg.open(QIODevice::ReadOnly) ? loadavg.readLine().trimmed() : QByteArray("?");
    std::printf("bench_window: %s, best of %d runs, %d cores, load average %s\n", qPrintable(args.first()), runs,
                QThread::idealThreadCount(), load.constData());
    Run best;
    double ref = 1e30;
    qint64 rows = 0;
    for (int run = 0; run < runs; ++run) {
        // A fresh copy each time: the first opening derives the campaigns (not timed), as it does
        // for a file the radar delivered.
        const QString file = tmp.filePath(QStringLiteral("run%1.db").arg(run));
        QFile::remove(file);
        if (!QFile::copy(args.first(), file)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(args.first()));
            return 1;
        }
        const Run r = openInWindow(file);
        if (r.seconds < 0) {
            std::fprintf(stderr, "no campaign dialog was shown\n");
            return 1;
        }
        // The reference reads along idx_date, as the program's own reads did before (built untimed).
        bench::sqliteExec(file, "CREATE INDEX IF NOT EXISTS idx_date ON measure(meas_date);");
        rows = bench::countMeasureRows(file);
        qint64 read = 0;
        ref = std::min(ref, bench::referenceRead(file, rows, &read));
        if (best.seconds < 0 || r.seconds < best.seconds)
            best = r;
        QFile::remove(file);
    }
    std::printf(
        "%lld measures: campaigns chosen to charts drawn %.3f s (%.2f M measures/s), longest event-loop "
        "pause %.0f ms, %.1f bytes/measure peak; SQLite C loop %.3f s; ratio %.2f (targets 1.3, 100 ms)\n"
        "refresh with minimum speed 30 to charts drawn %.3f s, longest event-loop pause %.0f ms (target 0.5 s)\n",
        static_cast<long long>(best.measures), best.seconds, best.measures / best.seconds / 1e6,
        best.longestPause * 1000, best.bytesPerMeasure, ref, best.seconds / ref, best.refresh,
        best.refreshPause * 1000);
    return 0;
}
