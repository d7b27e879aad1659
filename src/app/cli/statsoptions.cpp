// SPDX-License-Identifier: GPL-3.0-or-later
// What tramola-cli stats and report share: their options, and the read and analysis of a
// measure file as the window's "Ouvrir" runs them.
#include "app/cli/statsload.h"

#include "app/cli/commands.h"

#include "core/userdialogs.h"
#include "core/workspace.h"
#include "campaign/campaignselection.h"
#include "db/databasemanager.h"
#include "speedarea/speedarea.h"
#include "analysis/periodsnap.h"

#include <QFileInfo>
#include <climits>

namespace {

// About 11 years of half hours.
constexpr qint64 kMaxBuckets = 200000;

// The measure read and the period analysed afterwards.
struct LoadPlan
{
    QDateTime loadStart;   // the measures read
    QDateTime loadEnd;
    QDateTime analyseStart;   // invalid: the engine's period after the read, as the editors show it
    QDateTime analyseEnd;
    bool dividerOff = false;
};

// Answers every box silently and keeps the texts: the command reports one line itself.
class RecordingDialogs : public QuietDialogs
{
public:
    RecordingDialogs() { setUserDialogs(this); }
    ~RecordingDialogs() override { setUserDialogs(nullptr); }

    QStringList messages;
    QStringList critical;   // a damaged file, a broken read: the figures would be wrong

    void message(Icon icon, const QString&, const QString& text) override
    {
        messages << text;
        if (icon == Icon::Critical)
            critical << text;
    }
};

QDateTime parseLocal(const QString& text)
{
    QDateTime dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddThh:mm:ss"));
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

// The period to read and to analyse and the divider switch, as the window's data load gets them.
// Runs once the file is known to exist, under the quiet dialogs; false with a French sentence.
bool planLoad(const StatsOptions& o, LoadPlan& plan, QString& error)
{
    Q_UNUSED(error);
    // Without bounds the whole file: every time a radar can have written.
    // The read starts where the window's start editor would: its half hour holds whole buckets.
    const QDateTime from = snapPeriodStart(o.from);
    plan.loadStart = from.isValid() ? from : QDateTime::fromSecsSinceEpoch(0);
    plan.loadEnd = o.to.isValid() ? o.to : QDateTime::fromSecsSinceEpoch(253402300799LL);
    plan.analyseStart = from;
    plan.analyseEnd = o.to;
    plan.dividerOff = o.dividerOff;
    return true;
}

// The window's campaign choice with the given campaigns ticked: the store-mode check and the
// contiguity filling may change the ticks, and the ticked period becomes the load period. The
// store mode sets the divider switch unless --divider was given. Says on standard error what the
// window's boxes would say.
bool chooseCampaigns(const StatsOptions& o, LoadPlan& plan, QList<int>& chosen, int& storeMode, QString& error)
{
    CampaignSelection selection;
    const CampaignSelection::LoadResult loaded = selection.open(o.file);
    selection.close();
    if (loaded == CampaignSelection::LoadResult::OpenFailed) {
        error = QStringLiteral("Ouverture %1 impossible").arg(o.file);
        return false;
    }
    if (loaded == CampaignSelection::LoadResult::Refused)
        return false;   // the box said why
    if (loaded == CampaignSelection::LoadResult::Empty) {
        error = QStringLiteral("Statistiques indisponibles, la base de données est vide");
        return false;
    }
    const QList<int> unknown = selection.tickCampaigns(o.campaigns);
    if (!unknown.isEmpty()) {
        QStringList wanted, known;
        for (int id : unknown)
            wanted << QString::number(id);
        for (int row : selection.rows())
            known << QString::number(selection.campaign(row).id);
        error = QStringLiteral("Campagne inconnue : %1 (campagnes : %2)")
                    .arg(wanted.join(QStringLiteral(", ")), known.join(QStringLiteral(", ")));
        return false;
    }
    QList<int> before;
    for (int row : selection.rows())
        before << (selection.isTicked(row) ? 1 : 0);
    const CampaignSelection::Outcome outcome = selection.accept();
    QStringList dropped, added;
    const QList<int> rows = selection.rows();
    for (int i = 0; i < rows.size(); ++i) {
        const bool ticked = selection.isTicked(rows[i]);
        const QString id = QString::number(selection.campaign(rows[i]).id);
        if (before[i] && !ticked)
            dropped << id;
        else if (!before[i] && ticked)
            added << id;
        if (ticked)
            chosen.append(selection.campaign(rows[i]).id);
    }
    // checkStoreMode may untick a row that the contiguity check ticks again.
    for (const QString& id : added)
        dropped.removeAll(id);
    if (outcome.storeModeMismatch && !dropped.isEmpty())
        fail(QStringLiteral("Campagnes ignorées, d'un autre mode de stockage que la première cochée : %1")
                 .arg(dropped.join(QStringLiteral(", "))));
    if (outcome.filledIn)
        fail(QStringLiteral("Campagnes intermédiaires ajoutées pour la continuité des données : %1")
                 .arg(added.join(QStringLiteral(", "))));
    if (!outcome.ok) {
        error = QStringLiteral("Période des campagnes illisible");
        return false;
    }
    storeMode = outcome.storeMode;
    plan.loadStart = outcome.start;
    plan.loadEnd = outcome.end;
    if (!o.dividerGiven)
        plan.dividerOff = outcome.storeMode != 0;
    return true;
}

// Units from the marker row, before the read, so that the default minimum speed is the units' own.
bool readUnits(const QString& file, qint16& units)
{
    DatabaseManager db;
    if (!db.openDatabase(file))
        return false;
    units = db.checkUnits();
    db.closeDatabase();
    return true;
}

}   // namespace

bool parseStatsOptions(const QStringList& args, const QString& usage, int positionalCount, StatsOptions& o,
                       QString& error, const ExtraOption& extra)
{
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
        static const QStringList valued{"--from",    "--to",   "--min-speed",  "--filter",   "--range",
                                        "--divider", "--area", "--areas-file", "--campaign", "--limit"};
        if (!valued.contains(arg)) {
            error = QStringLiteral("Option inconnue : %1 (%2)").arg(arg, usage);
            return false;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("L'option %1 attend une valeur.").arg(arg);
            return false;
        }
        const QString value = args.at(++i);
        if (arg == QLatin1String("--from") || arg == QLatin1String("--to")) {
            const QDateTime dt = parseLocal(value);
            if (!dt.isValid()) {
                error = QStringLiteral("Date invalide pour %1 : %2 (attendu « aaaa-MM-jj hh:mm:ss »)").arg(arg, value);
                return false;
            }
            (arg == QLatin1String("--from") ? o.from : o.to) = dt;
        } else if (arg == QLatin1String("--min-speed")) {
            if (!parseInt(value, 0, 1000, &o.minSpeed)) {
                error = QStringLiteral("Vitesse minimale invalide : %1 (0 à 1000)").arg(value);
                return false;
            }
        } else if (arg == QLatin1String("--filter")) {
            if (!parseInt(value, 30, 240, &o.filterMinutes)) {
                error = QStringLiteral("Seuil de filtrage invalide : %1 (30 à 240 minutes)").arg(value);
                return false;
            }
        } else if (arg == QLatin1String("--range")) {
            if (!parseInt(value, 50, 500, &o.range)) {
                error = QStringLiteral("Portée du radar invalide : %1 (50 à 500 mètres)").arg(value);
                return false;
            }
        } else if (arg == QLatin1String("--divider")) {
            if (value != QLatin1String("on") && value != QLatin1String("off")) {
                error = QStringLiteral("Valeur invalide pour --divider : %1 (on ou off)").arg(value);
                return false;
            }
            o.dividerOff = value == QLatin1String("off");
            o.dividerGiven = true;
        } else if (arg == QLatin1String("--campaign")) {
            int id = 0;
            if (!parseInt(value, 1, INT_MAX, &id)) {
                error = QStringLiteral("Numéro de campagne invalide : %1").arg(value);
                return false;
            }
            o.campaigns.append(id);
        } else if (arg == QLatin1String("--limit")) {
            if (!parseInt(value, 1, 1000, &o.limit)) {
                error = QStringLiteral("Vitesse limite invalide : %1 (1 à 1000)").arg(value);
                return false;
            }
        } else if (arg == QLatin1String("--area")) {
            o.area = value;
        } else {
            o.areasFile = value;
        }
    }
    if (o.positional.isEmpty()) {
        error = QStringLiteral("Fichier de mesures manquant (%1)").arg(usage);
        return false;
    }
    o.file = o.positional.first();
    if (o.from.isValid() && o.to.isValid() && o.from > o.to) {
        error = QStringLiteral("Période vide : --from est après --to.");
        return false;
    }
    return true;
}

bool loadStatistics(const StatsOptions& o, LoadedStatistics& r, QString& error)
{
    const auto failed = [&](const QString& sentence) {
        error = sentence;
        return false;
    };
    const QFileInfo info(o.file);
    if (info.exists() && !info.isFile())
        return failed(QStringLiteral("Ce n'est pas un fichier ordinaire : %1").arg(o.file));
    if (!info.isFile())
        return failed(QStringLiteral("Fichier introuvable : %1").arg(o.file));
    if (!info.isReadable())
        return failed(QStringLiteral("Fichier illisible : %1").arg(o.file));
    if (!o.areasFile.isEmpty() && !QFileInfo(o.areasFile).isFile())
        return failed(QStringLiteral("Fichier de zones introuvable : %1").arg(o.areasFile));

    RecordingDialogs dialogs;
    LoadPlan plan;
    if (!planLoad(o, plan, error))
        return false;
    auto lastMessage = [&](const QString& fallback) {
        return dialogs.messages.isEmpty() ? fallback : dialogs.messages.last();
    };

    if (!o.campaigns.isEmpty() && !chooseCampaigns(o, plan, r.campaigns, r.storeMode, error))
        return failed(error.isEmpty() ? lastMessage(QStringLiteral("Statistiques indisponibles")) : error);

    qint16& units = r.units;
    if (!readUnits(o.file, units)) {
        const QString reason = dialogs.messages.isEmpty() ? QString() : dialogs.messages.last().trimmed();
        return failed(reason.isEmpty() ? QStringLiteral("Ouverture %1 impossible").arg(o.file)
                                       : QStringLiteral("Ouverture %1 impossible (%2)").arg(o.file, reason));
    }

    SpeedStatistics& stats = r.stats;
    stats.setMinSpeed(o.minSpeed >= 0 ? o.minSpeed : SpeedStatistics::defaultMinSpeed(units));
    stats.setDividerOff(plan.dividerOff);
    stats.setRange(quint16(o.range));
    stats.setFilter(o.filterMinutes * 60);
    r.measuresLoaded = stats.loadStatistics(o.file, plan.loadStart, plan.loadEnd);
    if (r.measuresLoaded < 1)
        return failed(lastMessage(QStringLiteral("Statistiques indisponibles")));
    if (!dialogs.critical.isEmpty())
        return failed(dialogs.critical.first());
    units = stats.getUnits();

    // The speed area as the window picks it: its file of the units, defaults when missing.
    SpeedArea areas;
    const QString areasFile = o.areasFile.isEmpty() ? Workspace::speedAreaFile(units) : o.areasFile;
    readAreaFile(areas, units, areasFile);
    const QStringList names = sortAreaNames(areas.areaNames());
    const QString area = r.area = o.area.isEmpty() ? defaultAreaName(names, units) : o.area;
    if (area.isEmpty() || !names.contains(area))
        return failed(
            QStringLiteral("Zone de vitesse inconnue : %1 (zones : %2)").arg(area, names.join(QStringLiteral(", "))));
    const SpeedClassMap classes = areas.intervals(area);
    stats.setDistribution(classes, 0);
    stats.setDistribution(classes, 1);

    const QDateTime begin = snapPeriodStart(plan.analyseStart.isValid() ? plan.analyseStart : stats.getStartDate());
    const QDateTime end = snapPeriodEnd(plan.analyseEnd.isValid() ? plan.analyseEnd : stats.getEndDate());
    // Empty buckets fill the period from its begin: a begin decades before the measures would
    // ask for millions of them.
    if (begin.secsTo(end) / stats.getFilter() > kMaxBuckets)
        return failed(QStringLiteral("Période trop longue pour un seuil de %1 minutes : %2 à %3")
                          .arg(o.filterMinutes)
                          .arg(begin.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")),   // ISODate is empty past 9999
                               end.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"))));
    r.begin = begin;
    r.end = end;
    r.bucketCount = stats.load(begin, end, r.hasGaps);
    if (r.bucketCount < 1)
        return failed(QStringLiteral("Vitesses Moyennes/Maximales indisponibles"));
    return true;
}
