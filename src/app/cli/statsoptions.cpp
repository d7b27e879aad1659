// SPDX-License-Identifier: GPL-3.0-or-later
// The options tramola-cli stats and report share: a request for the analysis runner.
#include "app/cli/statsoptions.h"

#include "app/cli/commands.h"
#include "analysis/analysisrunner.h"

#include <QDateTime>
#include <climits>

namespace {

// Invalid both for a text of another form and for an hour the clocks skip; *skipped tells the latter.
QDateTime parseLocal(const QString& text, bool* skipped)
{
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(text.mid(11), QStringLiteral("hh:mm:ss"));
    const bool wellFormed = text.size() == 19 && (text.at(10) == QLatin1Char(' ') || text.at(10) == QLatin1Char('T'))
        && date.isValid() && time.isValid();
    const QDateTime dt = wellFormed ? QDateTime(date, time) : QDateTime();
    *skipped = wellFormed && !dt.isValid();
    return dt;
}

bool parseInt(const QString& text, int minimum, int maximum, int* value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < minimum || v > maximum)
        return false;
    *value = v;
    return true;
}

}   // namespace

bool isRequestOption(const QString& option)
{
    static const QStringList valued{"--from",    "--to",   "--min-speed",  "--filter",   "--range",
                                    "--divider", "--area", "--areas-file", "--campaign", "--limit"};
    return valued.contains(option);
}

bool setRequestOption(AnalysisRequest& r, const QString& option, const QString& value, QString& error,
                      const QString& shown)
{
    int number = 0;
    if (option == QLatin1String("--from") || option == QLatin1String("--to")) {
        bool skipped = false;
        const QDateTime dt = parseLocal(value, &skipped);
        if (skipped) {
            error = QStringLiteral("Heure inexistante pour %1 : %2 (les horloges sautent cette heure ce jour-là)")
                        .arg(shown.isEmpty() ? option : shown, value);
            return false;
        }
        if (!dt.isValid()) {
            error = QStringLiteral("Date invalide pour %1 : %2 (attendu « aaaa-MM-jj hh:mm:ss »)")
                        .arg(shown.isEmpty() ? option : shown, value);
            return false;
        }
        (option == QLatin1String("--from") ? r.from : r.to) = dt;
    } else if (option == QLatin1String("--min-speed")) {
        if (!parseInt(value, 0, 1000, &number)) {
            error = QStringLiteral("Vitesse minimale invalide : %1 (0 à 1000)").arg(value);
            return false;
        }
        r.minSpeed = number;
    } else if (option == QLatin1String("--filter")) {
        if (!parseInt(value, 30, 240, &number)) {
            error = QStringLiteral("Seuil de filtrage invalide : %1 (30 à 240 minutes)").arg(value);
            return false;
        }
        r.bucketSeconds = number * 60;
    } else if (option == QLatin1String("--range")) {
        if (!parseInt(value, 50, 500, &r.range)) {
            error = QStringLiteral("Portée du radar invalide : %1 (50 à 500 mètres)").arg(value);
            return false;
        }
    } else if (option == QLatin1String("--divider")) {
        if (value != QLatin1String("on") && value != QLatin1String("off")) {
            error = QStringLiteral("Valeur invalide pour --divider : %1 (on ou off)").arg(value);
            return false;
        }
        r.dividerOff = value == QLatin1String("off");
    } else if (option == QLatin1String("--campaign")) {
        if (!parseInt(value, 1, INT_MAX, &number)) {
            error = QStringLiteral("Numéro de campagne invalide : %1").arg(value);
            return false;
        }
        r.campaigns.append(number);
    } else if (option == QLatin1String("--limit")) {
        if (!parseInt(value, 1, 1000, &number)) {
            error = QStringLiteral("Vitesse limite invalide : %1 (1 à 1000)").arg(value);
            return false;
        }
        r.limit = number;
    } else if (option == QLatin1String("--area")) {
        r.area = value;
    } else {
        r.areasFile = value;
    }
    return true;
}

bool parseStatsOptions(const QStringList& args, const QString& usage, int positionalCount, StatsOptions& o,
                       QString& error, const ExtraOption& extra)
{
    AnalysisRequest& r = o.request;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (extra) {
            const int used = extra(args, i, error);
            if (used < 0)
                return false;
            if (used > 0) {
                i += used - 1;
                continue;
            }
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            if (o.positional.size() >= positionalCount) {
                error = QStringLiteral("Argument inattendu : %1 (%2)").arg(arg, usage);
                return false;
            }
            o.positional << arg;
            continue;
        }
        if (!isRequestOption(arg)) {
            error = QStringLiteral("Option inconnue : %1 (%2)").arg(arg, usage);
            return false;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("L'option %1 attend une valeur.").arg(arg);
            return false;
        }
        if (!setRequestOption(r, arg, args.at(++i), error))
            return false;
    }
    if (o.positional.isEmpty()) {
        error = QStringLiteral("Fichier de mesures manquant (%1)").arg(usage);
        return false;
    }
    r.file = o.positional.first();
    if (r.from.isValid() && r.to.isValid() && r.from > r.to) {
        error = QStringLiteral("Période vide : --from est après --to.");
        return false;
    }
    return true;
}

std::shared_ptr<const Analysis> analyse(const AnalysisRequest& request)
{
    const AnalysisOutcome outcome = AnalysisRunner::run(request);
    // Why there is nothing comes first, what was said on the way after it.
    if (!outcome.ok())
        fail(outcome.error);
    for (const QString& warning : outcome.warnings)
        fail(warning);
    return outcome.analysis;
}
