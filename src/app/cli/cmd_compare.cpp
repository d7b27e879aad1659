// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli compare: did the speeds change between two periods, campaigns or files?
#include "app/cli/commands.h"

#include "app/cli/statsoptions.h"
#include "core/localedetect.h"
#include "analysis/beforeafter.h"

#include <QCoreApplication>
#include <QLocale>
#include <cstdio>

namespace {

const char* const kUsage =
    "compare A.db [B.db] [--a-from \"aaaa-MM-jj hh:mm:ss\" --a-to \"...\" | --a-campaign ID...] [--b-from \"...\" "
    "--b-to \"...\" | --b-campaign ID...] [--limit N] [--min-speed N] [--range METRES] [--divider on|off] "
    "[--area NOM] [--areas-file CHEMIN] [--lang en|fr] [--pretty]";

}   // namespace

int runCompare(const QStringList& args)
{
    static const QStringList shared{"--min-speed", "--range", "--divider", "--area", "--areas-file", "--limit"};
    static const QStringList sideOptions{"from", "to", "campaign"};
    const QString usage = QLatin1String(kUsage);
    AnalysisRequest common;
    AnalysisRequest sides[2];
    bool sideGiven[2] = {false, false};
    QStringList files;
    QString language;
    bool pretty = false;
    QString error;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--pretty")) {
            pretty = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            if (files.size() >= 2)
                return fail(QStringLiteral("Argument inattendu : %1 (%2)").arg(arg, usage));
            files << arg;
            continue;
        }
        // --a-from is --from for A.
        const int side = arg.startsWith(QLatin1String("--a-")) ? 0 : arg.startsWith(QLatin1String("--b-")) ? 1 : -1;
        const bool known =
            side >= 0 ? sideOptions.contains(arg.mid(4)) : shared.contains(arg) || arg == QLatin1String("--lang");
        if (!known)
            return fail(QStringLiteral("Option inconnue : %1 (%2)").arg(arg, usage));
        if (i + 1 >= args.size())
            return fail(QStringLiteral("L'option %1 attend une valeur.").arg(arg));
        const QString& value = args.at(++i);
        if (arg == QLatin1String("--lang")) {
            language = value.trimmed().toLower();
        } else if (side < 0) {
            if (!setRequestOption(common, arg, value, error))
                return fail(error);
        } else {
            if (!setRequestOption(sides[side], QStringLiteral("--") + arg.mid(4), value, error, arg))
                return fail(error);
            sideGiven[side] = true;
        }
    }
    if (files.isEmpty())
        return fail(QStringLiteral("Fichier de mesures manquant (%1)").arg(usage));
    if (files.size() == 1 && !(sideGiven[0] && sideGiven[1]))
        return fail(QStringLiteral("Un seul fichier : donnez la période ou les campagnes de A et de B (--a-from, "
                                   "--a-to ou --a-campaign ; --b-from, --b-to ou --b-campaign)."));
    AnalysisRequest requests[2];
    for (int side = 0; side < 2; ++side) {
        AnalysisRequest& r = requests[side];
        r = common;
        r.limit.reset();   // the comparison's, below
        r.file = files.value(side, files.first());
        r.from = sides[side].from;
        r.to = sides[side].to;
        r.campaigns = sides[side].campaigns;
        if (r.from.isValid() && r.to.isValid() && r.from > r.to)
            return fail(side == 0 ? QStringLiteral("Période vide : --a-from est après --a-to.")
                                  : QStringLiteral("Période vide : --b-from est après --b-to."));
    }

    // The verdicts are sentences in the interface's language and number format.
    bool missing = false;
    installLanguage(*QCoreApplication::instance(), language, QLocale::system().uiLanguages(), &missing);
    if (missing)
        std::fprintf(stderr, "tramola-cli: no translation \"%s\"\n", qPrintable(language));
    const BeforeAfterOutcome outcome = BeforeAfter::run(requests[0], requests[1], common.limit);
    for (const QString& warning : outcome.warnings)
        fail(warning);
    if (!outcome.ok())
        return fail(outcome.error);
    printJson(outcome.comparison->toJson(), pretty);
    return 0;
}
