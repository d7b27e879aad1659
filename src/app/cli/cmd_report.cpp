// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli report: the window's operation report of a measure file, written without a window.
#include "app/cli/commands.h"

#include "app/cli/statsoptions.h"

#include "core/localedetect.h"
#include "core/messagelog.h"
#include "analysis/analysis.h"
#include "analysis/beforeafter.h"
#include "gui/report/report.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTextDocument>
#include <cstdio>

namespace {

const char* const kUsage = "report FICHIER SORTIE.pdf [options de stats] [--sections 1,2,3,4,5,6,7,8] [--limit N] "
                           "[--location TEXTE] [--comment TEXTE]"
                           " [--compare-with B.db] [--b-from \"...\" --b-to \"...\" | --b-campaign ID...]"
                           " [--lang en|fr]";

// The report's language, chosen before the arguments are parsed.
QString reportLocale = QStringLiteral("fr_FR");

// The value of --lang (or --lang=) among the raw arguments, as the window takes it.
QString forcedLanguage(int argc, char** argv)
{
    for (int i = 2; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "--lang" && i + 1 < argc)
            return QString::fromLocal8Bit(argv[i + 1]).trimmed().toLower();
        if (arg.startsWith("--lang="))
            return QString::fromLocal8Bit(arg.mid(7)).trimmed().toLower();
    }
    return QString();
}

// "1,3,5" into one flag per section.
bool parseSections(const QString& text, QVector<bool>& sections, QString& error)
{
    const int count = int(reportSections().size());
    sections.fill(false, count);
    for (const QString& item : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int n = item.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > count) {
            error = QStringLiteral("Section inconnue : %1 (sections 1 à %2)").arg(item.trimmed()).arg(count);
            return false;
        }
        sections[n - 1] = true;
    }
    return true;
}

}   // namespace

std::unique_ptr<QCoreApplication> createReportApplication(int& argc, char** argv)
{
#ifndef Q_OS_WIN
    // A server or a script has no display: the charts draw just as well off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // The platform's start-up warnings belong in the log, not among the command's output.
    qInstallMessageHandler(logMessageHandler);
    auto app = std::make_unique<QApplication>(argc, argv);
    // The report in the window's language, chosen the same way.
    const QString forced = forcedLanguage(argc, argv);
    bool forcedMissing = false;
    reportLocale = installLanguage(*app, forced, QLocale::system().uiLanguages(), &forcedMissing);
    if (forcedMissing)
        std::fprintf(stderr, "tramola-cli: no translation \"%s\"\n", qPrintable(forced));
    return app;
}

int runReport(const QStringList& args)
{
    StatsOptions options;
    QVector<bool> sections = defaultReportSections();
    QString location;
    bool locationGiven = false;
    QString comment;
    bool commentGiven = false;
    bool sectionsGiven = false;
    // B of the comparison section: another file, or the same one, and what is read of it.
    QString compareWith;
    AnalysisRequest after;
    bool compared = false;
    static const QStringList sideOptions{"--b-from", "--b-to", "--b-campaign"};
    const ExtraOption own = [&](const QStringList& list, int i, QString& error) {
        const QString& arg = list.at(i);
        if (arg.startsWith(QLatin1String("--lang=")))
            return 1;   // taken before the parse
        if (arg != QLatin1String("--sections") && arg != QLatin1String("--location")
            && arg != QLatin1String("--comment") && arg != QLatin1String("--lang")
            && arg != QLatin1String("--compare-with") && !sideOptions.contains(arg))
            return 0;
        if (i + 1 >= list.size()) {
            error = QStringLiteral("L'option %1 attend une valeur.").arg(arg);
            return -1;
        }
        const QString& value = list.at(i + 1);
        if (arg == QLatin1String("--compare-with")) {
            compareWith = value;
            compared = true;
        } else if (sideOptions.contains(arg)) {
            if (!setRequestOption(after, QStringLiteral("--") + arg.mid(4), value, error, arg))
                return -1;
            compared = true;
        } else if (arg == QLatin1String("--lang")) {
            // taken before the parse
        } else if (arg == QLatin1String("--sections")) {
            if (!parseSections(value, sections, error))
                return -1;
            sectionsGiven = true;
        } else if (arg == QLatin1String("--location")) {
            location = value;
            locationGiven = true;
        } else {
            comment = value;
            commentGiven = true;
        }
        return 2;
    };
    QString error;
    if (!parseStatsOptions(args, QLatin1String(kUsage), 2, options, error, own))
        return fail(error);
    if (options.positional.size() < 2)
        return fail(QStringLiteral("Fichier du rapport manquant (%1)").arg(QLatin1String(kUsage)));

    // Checked before the read, which may take a while.
    const QFileInfo out(options.positional.at(1));
    const QString suffix = out.suffix();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("ps"))
        return fail(QStringLiteral("Suffixe du rapport inconnu : %1 (.pdf ou .ps, en minuscules)").arg(out.filePath()));
    const QFileInfo folder(out.absolutePath());
    if (!folder.isDir())
        return fail(QStringLiteral("Dossier introuvable : %1").arg(QDir::toNativeSeparators(folder.filePath())));
    if (!folder.isWritable())
        return fail(
            QStringLiteral("Dossier protégé en écriture : %1").arg(QDir::toNativeSeparators(folder.filePath())));

    const std::shared_ptr<const Analysis> analysis = analyse(options.request);
    if (!analysis)
        return 1;
    const Analysis& a = *analysis;

    ReportContent content;
    content.analysis = analysis;
    // As the window fills its fields: what the file keeps, else the description.
    content.location = locationGiven ? location : a.site().location.value_or(a.description());
    QTextDocument commentDocument;
    commentDocument.setPlainText(commentGiven ? comment : a.site().comment.value_or(QString()));
    content.commentHtml = commentDocument.toHtml();
    if (compared) {
        AnalysisRequest b = a.request();
        b.file = compareWith.isEmpty() ? a.file() : compareWith;
        b.campaigns = after.campaigns;
        b.from = after.from;
        b.to = after.to;
        // Both sides count against A's limit.
        b.limit = a.criteria().limit.value_or(0);
        // From A's readings when B lies within them.
        const AnalysisOutcome bOutcome = AnalysisRunner::run(b, analysis);
        if (!bOutcome.ok())
            return fail(BeforeAfter::tr("Après (B) : %1").arg(bOutcome.error));
        for (const QString& warning : bOutcome.warnings)
            fail(BeforeAfter::tr("Après (B) : %1").arg(warning));
        const BeforeAfterOutcome outcome = BeforeAfter::compare(analysis, bOutcome.analysis, *b.limit);
        for (const QString& warning : outcome.warnings)
            fail(warning);
        if (!outcome.ok())
            return fail(outcome.error);
        content.comparison = outcome.comparison;
        if (!sectionsGiven)
            sections[int(reportSections().size()) - 1] = true;
    }
    const QString localeName = reportLocale;
    content.dateTimeText = [localeName](const QDateTime& dt) { return localeDateTimeText(localeName, dt); };

    int pages = 0;
    if (writeReport(out.absoluteFilePath(), content, sections, &pages, &error) != ReportStatus::Written)
        return fail(error);
    std::printf("%s\n",
                QStringLiteral("Rapport écrit : %1 (%2 pages)")
                    .arg(QDir::toNativeSeparators(out.absoluteFilePath()))
                    .arg(pages)
                    .toLocal8Bit()
                    .constData());
    return 0;
}
