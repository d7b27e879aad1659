// SPDX-License-Identifier: GPL-3.0-or-later
// The speed area CSV import of a file as large as the reader takes: the reading into the tree and
// the import dialog showing it, beside a plain read of the same bytes in the same run.
//
//   bench_csvimport [FILE] [--size MB] [--runs N]
// A FILE that does not exist is written first (--size MB, default just under the reader's limit)
// and kept, for `/usr/bin/time -v tramola-cli import-areas FILE`; without FILE the file is
// temporary.
#include "benchutil.h"
#include "core/messagelog.h"
#include "core/userdialogs.h"
#include "gui/speedarea/areaimportdialog.h"
#include "speedarea/csvfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Records shaped like a national list: five countries, ten thousand states of forty areas, five
// classes an area, Latin-1 names.
bool writeSample(const QString& path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    static const char* const countries[] = {"France", "Belgique", "Suisse", "Canada", "Luxembourg"};
    QByteArray chunk;
    qint64 written = 0;
    for (qint64 i = 0; written + chunk.size() < bytes; ++i) {
        const QByteArray country = countries[i % 5];
        const QByteArray record = country + ';' + country.left(2).toUpper() + ";R\xe9gion "
            + QByteArray::number(i / 40 % 2000) + ";Zone " + QByteArray::number(i % 40)
            + " km/h;0;30;31;40;41;50;51;60;61;70\n";
        if (written + chunk.size() + record.size() > bytes)
            break;
        chunk += record;
        if (chunk.size() > (1 << 20)) {
            written += file.write(chunk);
            chunk.clear();
        }
    }
    return file.write(chunk) == chunk.size() && file.flush();
}

double seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

// The file the import dialog asks for.
class Chooser : public QuietDialogs
{
public:
    explicit Chooser(const QString& path) : m_path(path) { }
    QString openFileName(const QString&, const QString&, const QString&) override { return m_path; }

private:
    QString m_path;
};

}   // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    qInstallMessageHandler(logMessageHandler);
    QStringList args = app.arguments();
    const int runs = bench::takeRuns(args, 3);
    qint64 bytes = CsvFile::maxFileSize - 4096;
    const int size = args.indexOf(QStringLiteral("--size"));
    if (size >= 0 && size + 1 < args.size()) {
        bytes = args[size + 1].toLongLong() * 1024 * 1024;
        args.erase(args.begin() + size, args.begin() + size + 2);
    }
    QTemporaryDir tmp;
    const QString path = args.size() > 1 ? args[1] : tmp.filePath(QStringLiteral("zones.csv"));
    if (!QFile::exists(path) && !writeSample(path, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("file: %s, %.1f MB\n", qPrintable(path), QFileInfo(path).size() / 1048576.0);

    Chooser chooser(path);
    setUserDialogs(&chooser);
    // Memory added by each step over what the process held before it; the heap a step gives back
    // may stay with the process, so the first run's figures are the ones to read.
    qint64 base = 0;
    const auto startStep = [&base] {
        bench::resetPeak();
        base = bench::statusKb("VmRSS");
    };
    for (int run = 1; run <= runs; ++run) {
        startStep();
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        const qint64 plainBytes = file.open(QIODevice::ReadOnly) ? file.readAll().size() : -1;
        const double plain = seconds(timer);
        const qint64 plainPeak = bench::statusKb("VmHWM") - base;

        startStep();
        timer.restart();
        int states = 0;
        {
            CsvFile csv;
            csv.loadFile(path);
            for (int c = 0; c < csv.model()->rowCount(); ++c)
                states += csv.model()->rowCount(csv.model()->index(c, 0));
        }
        const double import = seconds(timer);
        const qint64 importPeak = bench::statusKb("VmHWM") - base;

        startStep();
        timer.restart();
        {
            AreaImportDialog dialog;
            dialog.show();
            QCoreApplication::processEvents();
        }
        const double dialog = seconds(timer);
        const qint64 dialogPeak = bench::statusKb("VmHWM") - base;
        std::printf("run %d: plain read %.3f s (%lld bytes, +%lld MB); read into the tree %.3f s, %.0fx the plain "
                    "read (%d states, +%lld MB); dialog shown %.3f s (+%lld MB); target 3 s, 300 MB\n",
                    run, plain, static_cast<long long>(plainBytes), static_cast<long long>(plainPeak / 1024), import,
                    import / qMax(plain, 1e-6), states, static_cast<long long>(importPeak / 1024), dialog,
                    static_cast<long long>(dialogPeak / 1024));
        std::fflush(stdout);
    }
    setUserDialogs(nullptr);
    return 0;
}
