// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli gendb: a sample measure database, as a radar's recording side writes it.
#include "app/cli/commands.h"

#include "sampledb/sampledb.h"
#include "analysis/speedstatistics.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>

namespace {

const char* const help =
    "usage: tramola-cli gendb OUT.db [options]\n"
    "Writes a sample measure database (table measure, as a radar records it): each vehicle a burst\n"
    "of readings, as many as the vehicle divider counts at the default range (store mode Standard).\n"
    "  --from yyyy-MM-dd   first day (default 2026-11-02)\n"
    "  --days N            number of days, gap days included (default 28)\n"
    "  --directions 1|2    2: column meas_direction (0 ingoing, 1 outgoing); 1: no such column (default 2)\n"
    "  --units none|kmh|mph  units marker row (default kmh; none: no marker, read as km/h);\n"
    "                      a one-direction file has no marker column: kmh writes none, mph is refused\n"
    "  --per-day N         vehicles on a weekday, both directions (default 2000; weekends fewer)\n"
    "  --flat              the same traffic every hour of every day (random arrivals)\n"
    "  --total N           exactly N measures over the period instead of --per-day\n"
    "  --mean-in N         mean speed of the ingoing direction (default 48 km/h, 30 mph)\n"
    "  --mean-out N        mean speed of the outgoing direction (default 53 km/h, 33 mph)\n"
    "  --spread N          standard deviation of the speeds (default mean-in / 6)\n"
    "  --gaps N            days without recording inside the period (default 0)\n"
    "  --display-from yyyy-MM-dd  a speed display is switched on that day: from then on the\n"
    "                      vehicles drive --display-effect slower (a before/after file)\n"
    "  --display-effect N  slowdown in the file's units, km/h or mph (default 4; 0 to 50)\n"
    "  --seed N            same seed and options, same file (default 1)\n"
    "  --campaign-tables   also create the empty campaign and campaign_details tables\n"
    "  --per-vehicle N     readings per vehicle (default 9; 1: one reading per vehicle, no campaign)\n"
    "  --advanced          one reading per vehicle, with a campaign of store mode 1 (Avance) per month\n"
    "  --force             replace OUT.db if it exists\n";

bool number(const QString& text, double* value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && std::isfinite(*value);
}

}   // namespace

int runGendb(const QStringList& args)
{
    SampleOptions o;
    // A "Standard" radar: the readings of one vehicle are what the divider turns back into one.
    o.readingsPerVehicle = SpeedStatistics::dividerForRange(SpeedStatistics().getRange());
    QString out;
    bool effectGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(help, stdout);
            return 0;
        }
        if (a == QLatin1String("--campaign-tables")) {
            o.campaignTables = true;
            continue;
        }
        if (a == QLatin1String("--flat")) {
            o.flat = true;
            continue;
        }
        if (a == QLatin1String("--advanced")) {
            o.readingsPerVehicle = 1;
            o.advancedCampaigns = true;
            continue;
        }
        if (a == QLatin1String("--force")) {
            o.overwrite = true;
            continue;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            if (!out.isEmpty())
                return fail(QStringLiteral("Un seul fichier de sortie : %1 est en trop.").arg(a));
            out = a;
            continue;
        }
        if (i + 1 >= args.size())
            return fail(QStringLiteral("L'option %1 attend une valeur.").arg(a));
        const QString v = args[++i];
        double d = 0;
        const bool isNumber = number(v, &d);
        const auto whole = [&](qint64 low, qint64 high) {
            return isNumber && d == std::floor(d) && d >= low && d <= high;
        };
        const auto bad = [&]() { return fail(QStringLiteral("Valeur invalide pour %1 : %2").arg(a, v)); };
        if (a == QLatin1String("--from")) {
            o.from = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
            if (!o.from.isValid())
                return bad();
        } else if (a == QLatin1String("--days")) {
            if (!whole(1, 100000))
                return bad();
            o.days = int(d);
        } else if (a == QLatin1String("--directions")) {
            if (!whole(1, 2))
                return bad();
            o.directions = int(d);
        } else if (a == QLatin1String("--units")) {
            if (v == QLatin1String("none"))
                o.units = SampleOptions::Units::None;
            else if (v == QLatin1String("kmh"))
                o.units = SampleOptions::Units::Kmh;
            else if (v == QLatin1String("mph"))
                o.units = SampleOptions::Units::Mph;
            else
                return bad();
        } else if (a == QLatin1String("--per-day")) {
            if (!whole(0, 10000000))
                return bad();
            o.vehiclesPerDay = int(d);
        } else if (a == QLatin1String("--per-vehicle")) {
            if (!whole(1, 100))
                return bad();
            o.readingsPerVehicle = int(d);
        } else if (a == QLatin1String("--total")) {
            if (!whole(1, 2000000000))
                return bad();
            o.totalMeasures = qint64(d);
        } else if (a == QLatin1String("--mean-in")) {
            if (!isNumber || d <= 0 || d > 250)
                return bad();
            o.meanIn = d;
        } else if (a == QLatin1String("--mean-out")) {
            if (!isNumber || d <= 0 || d > 250)
                return bad();
            o.meanOut = d;
        } else if (a == QLatin1String("--spread")) {
            if (!isNumber || d <= 0 || d > 100)
                return bad();
            o.spread = d;
        } else if (a == QLatin1String("--gaps")) {
            if (!whole(0, 100000))
                return bad();
            o.gapDays = int(d);
        } else if (a == QLatin1String("--display-from")) {
            o.displayFrom = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
            if (!o.displayFrom.isValid())
                return bad();
        } else if (a == QLatin1String("--display-effect")) {
            if (!isNumber || d < 0 || d > 50)
                return bad();
            o.displayEffect = d;
            effectGiven = true;
        } else if (a == QLatin1String("--seed")) {
            bool ok = false;
            o.seed = v.toULongLong(&ok);
            if (!ok)
                return bad();
        } else {
            return fail(QStringLiteral("Option inconnue : %1 (tramola-cli gendb --help)").arg(a));
        }
    }
    if (out.isEmpty())
        return fail(QStringLiteral("Fichier de sortie manquant (tramola-cli gendb --help)."));
    if (effectGiven && !o.displayFrom.isValid())
        return fail(QStringLiteral("--display-effect n'a de sens qu'avec --display-from."));

    QElapsedTimer timer;
    timer.start();
    QString error;
    SampleSummary summary;
    if (!generateSampleDatabase(out, o, &error, &summary))
        return fail(error);
    const auto day = [](qint64 t) {
        return QDateTime::fromSecsSinceEpoch(t).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    };
    std::printf("%s : %lld mesures (%lld véhicules), %d jours enregistrés, du %s au %s (%.1f s)\n",
                out.toLocal8Bit().constData(), static_cast<long long>(summary.measures),
                static_cast<long long>(summary.vehicles), summary.recordedDays,
                summary.measures ? day(summary.firstTime).toLocal8Bit().constData() : "-",
                summary.measures ? day(summary.lastTime).toLocal8Bit().constData() : "-", timer.elapsed() / 1000.0);
    return 0;
}
