// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli: the statistics and files of the window, without a window.
#include "app/cli/commands.h"

#include "core/messagelog.h"
#include "core/version.h"
#include "core/workspace.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

struct Command
{
    const char* name;
    int (*run)(const QStringList&);
    const char* usage;
};

const Command commands[] = {
    {"gendb", runGendb, "gendb OUT.db [options]        writes a sample measure database"},
    {"areas", runAreas, "areas [--units kmh|mph|knots] [--file PATH] [--pretty]"},
    {"import-areas", runImportAreas,
     "import-areas CSV [--pick STATE …] [--units kmh|mph|knots] [--file PATH] [--pretty]"},
    {"stats", runStats, "stats FILE [options]          statistics of a measure database as JSON"},
    {"campaigns", runCampaigns, "campaigns FILE [--pretty]     campaigns of a measure database as JSON"},
    {"site", runSite, "site FILE [--location T] [--comment T] [--limit N] [--pretty]  stores and prints the site"},
    {"report", runReport, "report FILE OUT.pdf [options] the operation report (PDF or PostScript)"},
    {"compare", runCompare, "compare A.db [B.db] [options] before and after: speeds and tests as JSON"},
    {"fleet", runFleet, "fleet PATH... [options]       one summary per measure file of folders, as JSON"},
    {"paths", runPaths,
     "paths [NAME | --pretty]       where Tramola keeps its files (NAME: statistics, settings, ...)"},
};

void usage(std::FILE* to)
{
    std::fprintf(to, "%s %s\nusage: tramola-cli COMMAND [arguments] | --version\n", tramola::productName,
                 tramola::productVersion);
    for (const Command& c : commands)
        std::fprintf(to, "  tramola-cli %s\n", c.usage);
}

}   // namespace

int fail(const QString& line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    return 1;
}

int main(int argc, char* argv[])
{
    // The other commands keep the light start of a console program.
    const bool report = argc > 1 && qstrcmp(argv[1], "report") == 0;
    const std::unique_ptr<QCoreApplication> application =
        report ? createReportApplication(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    qInstallMessageHandler(logMessageHandler);   // silent unless debug mode
    Workspace::computeRoots();

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("-h") || args.first() == QLatin1String("--help")) {
        usage(args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == QLatin1String("--version") || args.first() == QLatin1String("-v")) {
        std::printf("%s %s\n", tramola::productName, tramola::productVersion);
        return 0;
    }
    const QString name = args.takeFirst();
    for (const Command& c : commands) {
        if (name == QLatin1String(c.name))
            return c.run(args);
    }
    fail(QStringLiteral("Commande inconnue : %1").arg(name));
    usage(stderr);
    return 2;
}
