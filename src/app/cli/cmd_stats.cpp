// tramola-cli stats: the figures the window shows after opening a file, as one JSON document.
#include "commands.h"

#include "core/userdialogs.h"
#include "core/workspace.h"
#include "campaign/campaignselection.h"
#include "db/databasemanager.h"
#include "speedarea/speedarea.h"
#include "stats/periodsnap.h"
#include "stats/speedstatistics.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <climits>
#include <cstdio>

namespace {

const char* const kUsage =
    "stats FICHIER [--from \"aaaa-MM-jj hh:mm:ss\"] [--to \"...\"] [--min-speed N] [--filter MINUTES] "
    "[--range METRES] [--divider on|off] [--area NOM] [--areas-file CHEMIN] [--campaign ID]... [--pretty | --summary]";

// About 11 years of half hours.
constexpr qint64 kMaxBuckets = 200000;

struct StatsOptions
{
    QString file;
    QDateTime from;          // invalid when not given
    QDateTime to;
    int minSpeed = -1;       // -1: the default of the file's units
    int filterMinutes = 30;
    int range = 150;
    bool dividerOff = false; // the "Standard" store mode
    bool dividerGiven = false;
    QList<int> campaigns;    // --campaign, in the order given; empty: the whole file
    QString area;            // empty: the first of the window's list
    QString areasFile;       // empty: the data folder's file of the units
    bool pretty = false;
    bool summary = false;    // French text for a person instead of JSON
};

// The measure read and the period analysed afterwards.
struct LoadPlan
{
    QDateTime loadStart;     // the measures read
    QDateTime loadEnd;
    QDateTime analyseStart;  // invalid: the engine's period after the read, as the editors show it
    QDateTime analyseEnd;
    bool dividerOff = false;
};

// Answers every box silently and keeps the texts: the command reports one line itself.
class QuietDialogs : public UserDialogs
{
public:
    QuietDialogs() { setUserDialogs(this); }
    ~QuietDialogs() override { setUserDialogs(nullptr); }

    QStringList messages;
    QStringList critical;   // a damaged file, a broken read: the figures would be wrong

    void message(Icon icon, const QString&, const QString& text) override
    {
        messages << text;
        if (icon == Icon::Critical)
            critical << text;
    }
    int question(const QString&, const QString&, const QStringList&, int defaultButton) override
    {
        return defaultButton;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFileName(const QString&, const QString&, const QString&) override { return QString(); }
    bool getInt(const QString&, const QString&, int, int, int, int, int*) override { return false; }
    bool getText(const QString&, const QString&, const QString&, QString*) override { return false; }
    std::unique_ptr<ProgressReporter> createProgress(const ProgressOptions& o) override
    {
        return std::make_unique<SilentProgress>(o.minimum, o.maximum);
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

// False with a French sentence in error.
bool parseOptions(const QStringList& args, StatsOptions& o, QString& error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--pretty")) {
            o.pretty = true;
            continue;
        }
        if (arg == QLatin1String("--summary")) {
            o.summary = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            if (!o.file.isEmpty()) {
                error = QStringLiteral("Argument inattendu : %1 (%2)").arg(arg, QLatin1String(kUsage));
                return false;
            }
            o.file = arg;
            continue;
        }
        static const QStringList valued{"--from", "--to", "--min-speed", "--filter", "--range",
                                        "--divider", "--area", "--areas-file", "--campaign"};
        if (!valued.contains(arg)) {
            error = QStringLiteral("Option inconnue : %1 (%2)").arg(arg, QLatin1String(kUsage));
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
        } else if (arg == QLatin1String("--area")) {
            o.area = value;
        } else {
            o.areasFile = value;
        }
    }
    if (o.file.isEmpty()) {
        error = QStringLiteral("Fichier de mesures manquant (%1)").arg(QLatin1String(kUsage));
        return false;
    }
    if (o.from.isValid() && o.to.isValid() && o.from > o.to) {
        error = QStringLiteral("Période vide : --from est après --to.");
        return false;
    }
    return true;
}

// The period to read and to analyse and the divider switch, as the window's data load gets them.
// Runs once the file is known to exist, under the quiet dialogs; false with a French sentence.
bool planLoad(const StatsOptions& o, LoadPlan& plan, QString& error)
{
    Q_UNUSED(error);
    // Without bounds the whole file: every time a radar can have written.
    plan.loadStart = o.from.isValid() ? o.from : QDateTime::fromSecsSinceEpoch(0);
    plan.loadEnd = o.to.isValid() ? o.to : QDateTime::fromSecsSinceEpoch(253402300799LL);
    plan.analyseStart = o.from;
    plan.analyseEnd = o.to;
    plan.dividerOff = o.dividerOff;
    return true;
}

// The window's campaign choice with the given campaigns ticked: the store-mode check and the
// contiguity filling may change the ticks, and the ticked period becomes the load period. The
// store mode sets the divider switch unless --divider was given. Says on standard error what the
// window's boxes would say.
bool chooseCampaigns(const StatsOptions& o, LoadPlan& plan, QJsonArray& chosen, int& storeMode, QString& error)
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
        error = QStringLiteral("Campagne inconnue : %1 (campagnes : %2)").arg(wanted.join(QStringLiteral(", ")),
                                                                             known.join(QStringLiteral(", ")));
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

QString isoLocal(qint64 secs)
{
    return QDateTime::fromSecsSinceEpoch(secs).toString(Qt::ISODate);
}

QJsonObject directionJson(const SpeedStatistics& s, int d, const QDateTime& begin, const QDateTime& end)
{
    QJsonArray classes;
    for (const SampleRecord& r : s.getDistribution(d)) {
        classes.append(QJsonObject{{QStringLiteral("minSpeed"), r.minSpeed},
                                   {QStringLiteral("maxSpeed"), r.maxSpeed},
                                   {QStringLiteral("measureCount"), r.measureCount},
                                   {QStringLiteral("share"), r.meanSpeed}});
    }
    QJsonArray curve;
    if (s.getPercentageCurveSize(d) > 0) {
        for (const CurvePoint& p : s.getPercentageCurve(d))
            curve.append(QJsonArray{p.x, p.y});
    }
    QJsonArray buckets;
    const SampleMap filtered = s.getFilteredSample(d);
    for (auto it = filtered.constBegin(); it != filtered.constEnd(); ++it) {
        buckets.append(QJsonObject{{QStringLiteral("time"), isoLocal(it.key())},
                                   {QStringLiteral("unixTime"), double(it.key())},
                                   {QStringLiteral("valid"), it->valid},
                                   {QStringLiteral("minSpeed"), it->minSpeed},
                                   {QStringLiteral("maxSpeed"), it->maxSpeed},
                                   {QStringLiteral("meanSpeed"), it->meanSpeed},
                                   {QStringLiteral("measureCount"), it->measureCount},
                                   {QStringLiteral("vehicleCount"), it->vehicleCount}});
    }
    return QJsonObject{{QStringLiteral("measureCount"), s.getMeasureCount(d)},
                       {QStringLiteral("meanSpeed"), s.getMeanSpeed(d)},
                       {QStringLiteral("maxSpeed"), s.getMaxSpeed(d)},
                       {QStringLiteral("v30"), s.getV30(d)},
                       {QStringLiteral("v50"), s.getV50(d)},
                       {QStringLiteral("v85"), s.getV85(d)},
                       {QStringLiteral("highestSpeed"), s.getHighestSpeed(d)},
                       {QStringLiteral("vehicleCount"), s.countVehicles(begin, end, d)},
                       {QStringLiteral("distribution"), classes},
                       {QStringLiteral("percentageCurve"), curve},
                       {QStringLiteral("buckets"), buckets}};
}

// The figures of the window's panels, in a few French lines.
QString summaryText(const QJsonObject& root)
{
    const QString units = root.value(QStringLiteral("units")).toObject().value(QStringLiteral("label")).toString();
    const QJsonObject settings = root.value(QStringLiteral("settings")).toObject();
    const auto dayTime = [](const QJsonValue& iso) {
        return QDateTime::fromString(iso.toString(), Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    };
    QString out;
    out += QStringLiteral("Fichier : %1\n").arg(root.value(QStringLiteral("file")).toString());
    out += QStringLiteral("Période : du %1 au %2\n").arg(dayTime(root.value(QStringLiteral("begin"))),
                                                         dayTime(root.value(QStringLiteral("end"))));
    out += QStringLiteral("Relevés chargés : %1 (vitesses en %2, au-dessus de %3)\n")
               .arg(root.value(QStringLiteral("measuresLoaded")).toInt())
               .arg(units)
               .arg(settings.value(QStringLiteral("minSpeed")).toInt());
    // One arg() call: an area name holding "%2" must not take the next value.
    out += QStringLiteral("Zone : %1 ; seuil de filtrage %2 min ; portée %3 m ; diviseur %4\n")
               .arg(settings.value(QStringLiteral("area")).toString(),
                    QString::number(settings.value(QStringLiteral("filterSeconds")).toInt() / 60),
                    QString::number(settings.value(QStringLiteral("range")).toInt()),
                    QString::number(settings.value(QStringLiteral("vehicleDivider")).toInt()));
    const QJsonObject directions = root.value(QStringLiteral("directions")).toObject();
    for (const QString& key : directions.keys()) {
        const QJsonObject d = directions.value(key).toObject();
        out += QStringLiteral("Sens %1 : %2 relevés, %3 véhicules ; moyenne %4 %5, maximum %6 ; V30 %7, V50 %8, V85 %9\n")
                   .arg(key == QLatin1String("0") ? QStringLiteral("entrant") : QStringLiteral("sortant"))
                   .arg(d.value(QStringLiteral("measureCount")).toInt())
                   .arg(d.value(QStringLiteral("vehicleCount")).toInt())
                   .arg(d.value(QStringLiteral("meanSpeed")).toDouble(), 0, 'f', 2)
                   .arg(units)
                   .arg(d.value(QStringLiteral("maxSpeed")).toInt())
                   .arg(d.value(QStringLiteral("v30")).toInt())
                   .arg(d.value(QStringLiteral("v50")).toInt())
                   .arg(d.value(QStringLiteral("v85")).toInt());
        QStringList shares;
        for (const QJsonValue& c : d.value(QStringLiteral("distribution")).toArray()) {
            const QJsonObject o = c.toObject();
            shares << QStringLiteral("%1-%2 : %3 %")
                          .arg(o.value(QStringLiteral("minSpeed")).toInt())
                          .arg(o.value(QStringLiteral("maxSpeed")).toInt())
                          .arg(100 * o.value(QStringLiteral("share")).toDouble(), 0, 'f', 1);
        }
        out += QStringLiteral("  répartition : %1\n").arg(shares.join(QStringLiteral(" ; ")));
    }
    return out;
}

} // namespace

int runStats(const QStringList& args)
{
    StatsOptions options;
    QString error;
    if (!parseOptions(args, options, error))
        return fail(error);
    const QFileInfo info(options.file);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("Ce n'est pas un fichier ordinaire : %1").arg(options.file));
    if (!info.isFile())
        return fail(QStringLiteral("Fichier introuvable : %1").arg(options.file));
    if (!info.isReadable())
        return fail(QStringLiteral("Fichier illisible : %1").arg(options.file));
    if (!options.areasFile.isEmpty() && !QFileInfo(options.areasFile).isFile())
        return fail(QStringLiteral("Fichier de zones introuvable : %1").arg(options.areasFile));

    QuietDialogs dialogs;
    LoadPlan plan;
    if (!planLoad(options, plan, error))
        return fail(error);
    auto lastMessage = [&](const QString& fallback) {
        return dialogs.messages.isEmpty() ? fallback : dialogs.messages.last();
    };

    QJsonArray chosenCampaigns;
    int storeMode = -1;
    if (!options.campaigns.isEmpty() && !chooseCampaigns(options, plan, chosenCampaigns, storeMode, error))
        return fail(error.isEmpty() ? lastMessage(QStringLiteral("Statistiques indisponibles")) : error);

    qint16 units = 0;
    if (!readUnits(options.file, units)) {
        const QString reason = dialogs.messages.isEmpty() ? QString() : dialogs.messages.last().trimmed();
        return fail(reason.isEmpty() ? QStringLiteral("Ouverture %1 impossible").arg(options.file)
                                     : QStringLiteral("Ouverture %1 impossible (%2)").arg(options.file, reason));
    }

    SpeedStatistics stats;
    stats.setMinSpeed(options.minSpeed >= 0 ? options.minSpeed : SpeedStatistics::defaultMinSpeed(units));
    stats.setDividerOff(plan.dividerOff);
    stats.setRange(quint16(options.range));
    stats.setFilter(options.filterMinutes * 60);
    const int loaded = stats.loadStatistics(options.file, plan.loadStart, plan.loadEnd);
    if (loaded < 1)
        return fail(lastMessage(QStringLiteral("Statistiques indisponibles")));
    if (!dialogs.critical.isEmpty())
        return fail(dialogs.critical.first());
    units = stats.getUnits();

    // The speed area as the window picks it: its file of the units, defaults when missing.
    SpeedArea areas;
    areas.setUnits(units);
    const QString areasFile = options.areasFile.isEmpty() ? Workspace::speedAreaFile(units) : options.areasFile;
    areas.setFile(areasFile);
    if (QFile::exists(areasFile) && !areas.readError().isEmpty()) {
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("Fichier de zones illisible (%1), zones par défaut : %2")
                         .arg(areas.readError(), areasFile)
                         .toLocal8Bit()
                         .constData());
    }
    const QStringList names = sortAreaNames(areas.areaNames());
    const QString area = options.area.isEmpty() ? names.value(0) : options.area;
    if (area.isEmpty() || !names.contains(area))
        return fail(QStringLiteral("Zone de vitesse inconnue : %1 (zones : %2)").arg(area, names.join(QStringLiteral(", "))));
    const SpeedClassMap classes = areas.intervals(area);
    stats.setDistribution(classes, 0);
    stats.setDistribution(classes, 1);

    const QDateTime begin = snapPeriodStart(plan.analyseStart.isValid() ? plan.analyseStart : stats.getStartDate());
    const QDateTime end = snapPeriodEnd(plan.analyseEnd.isValid() ? plan.analyseEnd : stats.getEndDate());
    // Empty buckets fill the period from its begin: a begin decades before the measures would
    // ask for millions of them.
    if (begin.secsTo(end) / stats.getFilter() > kMaxBuckets)
        return fail(QStringLiteral("Période trop longue pour un seuil de %1 minutes : %2 à %3")
                        .arg(options.filterMinutes)
                        .arg(begin.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")),   // ISODate is empty past 9999
                             end.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"))));
    bool hasGaps = false;
    const int bucketCount = stats.load(begin, end, hasGaps);
    if (bucketCount < 1)
        return fail(QStringLiteral("Vitesses Moyennes/Maximales indisponibles"));

    QJsonObject directions;
    for (int d = 0; d < 2; ++d) {
        if (stats.getMeasureCount(d) > 0 || stats.getFilteredSampleSize(d) > 0)
            directions.insert(QString::number(d), directionJson(stats, d, begin, end));
    }
    QJsonObject root{
        {QStringLiteral("file"), info.absoluteFilePath()},
        {QStringLiteral("units"), QJsonObject{{QStringLiteral("label"), stats.unitLabel()},
                                              {QStringLiteral("code"), int(units)}}},
        {QStringLiteral("begin"), begin.toString(Qt::ISODate)},
        {QStringLiteral("end"), end.toString(Qt::ISODate)},
        {QStringLiteral("measuresLoaded"), loaded},
        {QStringLiteral("invalidReadings"), double(stats.getInvalidReadings())},
        {QStringLiteral("settings"),
         QJsonObject{{QStringLiteral("minSpeed"), stats.getMinSpeed()},
                     {QStringLiteral("filterSeconds"), stats.getFilter()},
                     {QStringLiteral("range"), int(stats.getRange())},
                     {QStringLiteral("dividerOff"), stats.getDividerOff()},
                     {QStringLiteral("vehicleDivider"), stats.vehicleDivider()},
                     {QStringLiteral("area"), area}}},
        {QStringLiteral("bucketCount"), bucketCount},
        {QStringLiteral("hasGaps"), hasGaps},
        {QStringLiteral("directions"), directions}};
    if (!options.campaigns.isEmpty()) {
        root.insert(QStringLiteral("campaigns"), chosenCampaigns);
        root.insert(QStringLiteral("storeMode"), storeMode);
    }
    if (options.summary) {
        std::fputs(summaryText(root).toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QByteArray json =
        QJsonDocument(root).toJson(options.pretty ? QJsonDocument::Indented : QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    if (!json.endsWith('\n'))
        std::fputc('\n', stdout);
    return 0;
}
