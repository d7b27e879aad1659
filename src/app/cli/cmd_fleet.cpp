// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli fleet: one summary per measure file of folders, every file left as it was.
#include "app/cli/commands.h"

#include "app/cli/statsoptions.h"
#include "core/checkedfile.h"
#include "analysis/fleet.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QLocale>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

const char* const kUsage = "fleet CHEMIN... [--recursive] [--jobs N] [--limit N] [--min-speed N] [--divider on|off] "
                           "[--csv SORTIE.csv] [--pretty]";

bool stderrIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr));
#else
    return isatty(fileno(stderr));
#endif
}

}   // namespace

int runFleet(const QStringList& args)
{
    const QString usage = QLatin1String(kUsage);
    FleetOptions options;
    QStringList paths;
    QString csvPath;
    bool recursive = false;
    bool pretty = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--recursive") || arg == QLatin1String("--pretty")) {
            (arg == QLatin1String("--pretty") ? pretty : recursive) = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            paths << arg;
            continue;
        }
        static const QStringList valued{"--jobs", "--limit", "--min-speed", "--divider", "--csv"};
        if (!valued.contains(arg))
            return fail(QStringLiteral("Option inconnue : %1 (%2)").arg(arg, usage));
        if (i + 1 >= args.size())
            return fail(QStringLiteral("L'option %1 attend une valeur.").arg(arg));
        const QString& value = args.at(++i);
        if (arg == QLatin1String("--csv")) {
            csvPath = value;
        } else if (arg == QLatin1String("--jobs")) {
            bool ok = false;
            options.jobs = value.toInt(&ok);
            if (!ok || options.jobs < 1 || options.jobs > 256)
                return fail(QStringLiteral("Nombre de fichiers analysés à la fois invalide : %1 (1 à 256)").arg(value));
        } else {
            // Checked and read as stats reads them.
            AnalysisRequest parsed;
            QString error;
            if (!setRequestOption(parsed, arg, value, error))
                return fail(error);
            if (parsed.limit)
                options.limit = parsed.limit;
            if (parsed.minSpeed)
                options.minSpeed = parsed.minSpeed;
            if (parsed.dividerOff)
                options.dividerOff = parsed.dividerOff;
        }
    }
    if (paths.isEmpty())
        return fail(QStringLiteral("Dossier ou fichier de mesures manquant (%1)").arg(usage));
    QStringList files;
    QString error;
    if (!FleetRunner::measureFiles(paths, recursive, &files, &error))
        return fail(error);
    if (files.isEmpty())
        fail(QStringLiteral("Aucun fichier .db dans %1").arg(paths.join(QStringLiteral(", "))));

    // French numbers and names, as the CSV's decimal commas beside its semicolons.
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(french);
    std::unique_ptr<CheckedFile> csv;
    if (!csvPath.isEmpty()) {
        csv = std::make_unique<CheckedFile>(csvPath);
        if (!csv->open(QIODevice::WriteOnly | QIODevice::Text))
            return fail(QStringLiteral("Le fichier %1 n'a pas pu être écrit : %2")
                            .arg(QDir::toNativeSeparators(csvPath), csv->errorString()));
        csv->write("\xEF\xBB\xBF" + FleetFile::csvHeader());
    }

    FleetRunner runner(options);
    const bool terminal = stderrIsTerminal();
    if (terminal)
        runner.setProgressListener([](int done, int total) {
            std::fprintf(stderr, "\r%d/%d fichiers", done, total);
            std::fflush(stderr);
        });
    QJsonArray list;
    int ok = 0;
    double measures = 0;
    runner.run(files, [&](int, const FleetFile& file) {
        list.append(file.toJson());
        if (file.ok()) {
            ++ok;
            measures += double(file.measuresLoaded);
        }
        if (csv)
            csv->write(file.csvRows(french));
    });
    if (terminal && !files.isEmpty())
        std::fputc('\n', stderr);
    if (csv && !csv->commit())
        return fail(QStringLiteral("Le fichier %1 n'a pas pu être écrit : %2")
                        .arg(QDir::toNativeSeparators(csvPath), csv->errorString()));
    printJson(QJsonObject{{QStringLiteral("files"), list},
                          {QStringLiteral("totals"),
                           QJsonObject{{QStringLiteral("files"), files.size()},
                                       {QStringLiteral("ok"), ok},
                                       {QStringLiteral("failed"), files.size() - ok},
                                       {QStringLiteral("measures"), measures}}}},
              pretty);
    return 0;
}
