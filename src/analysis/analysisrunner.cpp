// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analysisrunner.h"

#include "core/userdialogs.h"
#include "core/workspace.h"
#include "campaign/campaignselection.h"
#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"
#include "db/storemode.h"
#include "speedarea/speedarea.h"
#include "analysis/periodsnap.h"

#include <QFileInfo>
#include <algorithm>

namespace {

// About 11 years of half hours.
constexpr qint64 kMaxBuckets = 200000;
// The last second SQLite's date functions can write as a four-digit year: an open end.
constexpr qint64 kLastTime = 253402300799LL;

// A ProgressReporter for the database layer that forwards to the run's progress, a few hundred
// times a run at most.
class ForwardedProgress : public ProgressReporter
{
public:
    explicit ForwardedProgress(AnalysisProgress* target) : m_target(target) { }
    void setLabelText(const QString& text) override
    {
        m_label = text;
        forward(true);
    }
    void setRange(int minimum, int maximum) override
    {
        m_min = minimum;
        m_max = maximum;
    }
    int minimum() const override { return m_min; }
    int maximum() const override { return m_max; }
    void setValue(int value) override
    {
        m_value = value;
        forward(false);
    }
    int value() const override { return m_value; }
    bool wasCanceled() const override { return m_target && m_target->isCanceled(); }
    void processEvents() override { }

private:
    void forward(bool always)
    {
        if (!m_target)
            return;
        const qint64 total = qint64(m_max) - m_min;
        const qint64 done = qBound<qint64>(0, qint64(m_value) - m_min, total);
        const int step = total > 0 ? int(done * 200 / total) : 0;
        if (!always && step == m_step)
            return;
        m_step = step;
        m_target->report(m_label, done, total);
    }

    AnalysisProgress* m_target;
    QString m_label;
    int m_min = 0, m_max = 100, m_value = 0;
    int m_step = -1;
};

// The progress of the first opening's campaign derivation, forwarded to the run's.
ProgressFactory forwardedProgress(AnalysisProgress* progress)
{
    return [progress](const ProgressOptions& options) {
        auto forwarded = std::make_unique<ForwardedProgress>(progress);
        forwarded->setRange(options.minimum, options.maximum);
        forwarded->setLabelText(options.label);
        return forwarded;
    };
}

// The first critical notice's text; empty when none is.
QString critical(const Notices& notices)
{
    for (const Notice& n : notices) {
        if (n.icon == UserDialogs::Icon::Critical && !n.text.isEmpty())
            return n.text;
    }
    return QString();
}

QList<int> sorted(QList<int> ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

// The period a request reads: its campaigns' period widened to [from, to], else [from, to], an
// invalid end being open. The read starts where the window's start editor would: its half hour
// holds whole buckets.
std::pair<qint64, qint64> readPeriod(const AnalysisRequest& r, const QDateTime& campaignStart,
                                     const QDateTime& campaignEnd)
{
    const QDateTime from = snapPeriodStart(r.from);
    qint64 start = from.isValid() ? from.toSecsSinceEpoch() : 0;
    qint64 end = r.to.isValid() ? r.to.toSecsSinceEpoch() : kLastTime;
    if (!r.campaigns.isEmpty()) {
        start = from.isValid() ? std::min(start, campaignStart.toSecsSinceEpoch()) : campaignStart.toSecsSinceEpoch();
        end = r.to.isValid() ? std::max(end, campaignEnd.toSecsSinceEpoch()) : campaignEnd.toSecsSinceEpoch();
    }
    return {start, end};
}

QString nothingAbove(int minSpeed, qint16 units)
{
    return AnalysisRunner::tr("Aucun relevé au-dessus de %1 %2 dans la période.")
        .arg(minSpeed)
        .arg(SpeedStatistics::unitSymbol(units));
}

int minSpeedOf(const AnalysisRequest& r, qint16 units)
{
    return r.minSpeed ? *r.minSpeed : SpeedStatistics::defaultMinSpeed(units);
}

}   // namespace

// One run while it builds its analysis.
struct AnalysisWork
{
    const AnalysisRequest& request;
    AnalysisProgress* progress;
    Analysis& analysis;
    QString error;
    bool canceled = false;

    bool fail(const QString& text)
    {
        error = text;
        return false;
    }
    bool stopped()
    {
        canceled = canceled || (progress && progress->isCanceled());
        return canceled;
    }
    void reuse(const Analysis& previous);
    bool readFile();
    bool chooseCampaigns();
    void findStoreMode();
    bool chooseArea();
    bool analyse();

    // The store mode's reason, decided with the read and kept by the analyses that reuse it.
    QString storeModeReason;
};

// ---- the read ----------------------------------------------------------------------------------

// The window's campaign choice with the requested campaigns ticked: the store-mode check and the
// contiguity filling may change the ticks, and the ticked period becomes the read's.
bool AnalysisWork::chooseCampaigns()
{
    const AnalysisRequest& r = request;
    Analysis& a = analysis;
    CampaignSelection selection;
    const CampaignSelection::LoadResult loaded = selection.open(r.file, forwardedProgress(progress), r.writeNothing);
    selection.close();
    const QString problem = critical(selection.notices());
    if (loaded == CampaignSelection::LoadResult::OpenFailed)
        return fail(problem.isEmpty() ? AnalysisRunner::tr("Ouverture %1 impossible").arg(r.file) : problem);
    if (loaded == CampaignSelection::LoadResult::Refused || !problem.isEmpty())
        return fail(problem.isEmpty() ? AnalysisRunner::tr("Statistiques indisponibles") : problem);
    if (loaded == CampaignSelection::LoadResult::Empty)
        return fail(AnalysisRunner::tr("Statistiques indisponibles, la base de données est vide"));
    const QList<int> unknown = selection.tickCampaigns(r.campaigns);
    if (!unknown.isEmpty()) {
        QStringList wanted, known;
        for (int id : unknown)
            wanted << QString::number(id);
        for (int row : selection.rows())
            known << QString::number(selection.campaign(row).id);
        return fail(AnalysisRunner::tr("Campagne inconnue : %1 (campagnes : %2)")
                        .arg(wanted.join(QStringLiteral(", ")), known.join(QStringLiteral(", "))));
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
            a.m_campaigns.append(selection.campaign(rows[i]).id);
    }
    // checkStoreMode may untick a row that the contiguity check ticks again.
    for (const QString& id : added)
        dropped.removeAll(id);
    if (outcome.storeModeMismatch && !dropped.isEmpty())
        a.m_warnings << AnalysisRunner::tr(
                            "Campagnes ignorées, d'un autre mode de stockage que la première cochée : %1")
                            .arg(dropped.join(QStringLiteral(", ")));
    if (outcome.filledIn)
        a.m_warnings << AnalysisRunner::tr("Campagnes intermédiaires ajoutées pour la continuité des données : %1")
                            .arg(added.join(QStringLiteral(", ")));
    if (!outcome.ok)
        return fail(AnalysisRunner::tr("Période des campagnes illisible"));
    a.m_storeMode = outcome.storeMode;
    a.m_campaignStart = outcome.start;
    a.m_campaignEnd = outcome.end;
    return true;
}

bool AnalysisWork::readFile()
{
    const AnalysisRequest& r = request;
    Analysis& a = analysis;
    const QFileInfo info(r.file);
    if (info.exists() && !info.isFile())
        return fail(AnalysisRunner::tr("Ce n'est pas un fichier ordinaire : %1").arg(r.file));
    if (!info.isFile())
        return fail(AnalysisRunner::tr("Fichier introuvable : %1").arg(r.file));
    if (!info.isReadable())
        return fail(AnalysisRunner::tr("Fichier illisible : %1").arg(r.file));
    if (!r.areasFile.isEmpty() && !QFileInfo(r.areasFile).isFile())
        return fail(AnalysisRunner::tr("Fichier de zones introuvable : %1").arg(r.areasFile));

    if (!r.campaigns.isEmpty() && !chooseCampaigns())
        return false;
    if (stopped())
        return false;

    ForwardedProgress forwarded(progress);
    forwarded.setLabelText(AnalysisRunner::tr("Connexion base de données..."));
    DatabaseConnection db;
    if (!db.open(r.file, r.writeNothing)) {
        const QString reason = db.notice().text.trimmed();
        return fail(reason.isEmpty() ? AnalysisRunner::tr("Ouverture %1 impossible").arg(r.file) : reason);
    }
    const qint16 units = db.checkUnits();
    const auto period = readPeriod(r, a.m_campaignStart, a.m_campaignEnd);
    a.m_read = MeasureReader::read(db, period.first, period.second, minSpeedOf(r, units), &forwarded);
    a.m_site = db.readSiteInfo();
    // The description the window shows: the file name's, else campaign 1's title.
    SpeedStatistics& s = a.m_statistics;
    s.setDescription(info.baseName());
    s.setDescription(CampaignStore().campaignTitle(&db, 1));
    a.m_description = s.getDescription();
    db.close();

    if (a.m_read.canceled || stopped()) {
        canceled = true;
        return false;
    }
    // A damaged or locked file, a broken read: figures made of part of the file would be wrong.
    if (db.problem() != DatabaseConnection::FileProblem::None)
        return fail(db.problemText());
    if (a.m_read.incomplete)
        return fail(a.m_read.error);
    if (a.m_read.measures->isEmpty())
        return fail(a.m_read.slowReadings > 0      ? nothingAbove(a.m_read.minSpeed, a.m_read.units)
                        : a.m_read.error.isEmpty() ? AnalysisRunner::tr("Statistiques indisponibles")
                                                   : a.m_read.error);
    findStoreMode();
    return true;
}

// The campaigns' store mode when they were read, else the readings'; either way what the readings
// show, so that a file without campaign tables is not divided by 9 for nothing.
void AnalysisWork::findStoreMode()
{
    Analysis& a = analysis;
    const StoreModeEvidence found = sampleStoreMode(*a.m_read.measures);
    const bool fromCampaigns = !request.campaigns.isEmpty() && a.m_storeMode >= 0;
    const int mode = fromCampaigns ? (a.m_storeMode > 0 ? 1 : 0) : found.storeMode();
    storeModeReason = fromCampaigns && !found.decided() ? AnalysisRunner::tr("mode de la campagne") : found.reason();
    if (fromCampaigns && found.storeMode(mode) != mode) {
        storeModeReason = AnalysisRunner::tr("mode de la campagne ; les relevés : %1").arg(found.reason());
        a.m_warnings << AnalysisRunner::tr("Les relevés ne suivent pas le mode de stockage des campagnes (%1) : le "
                                           "diviseur suit les campagnes.")
                            .arg(found.reason());
    }
    a.m_storeMode = mode;
}

// ---- the analysis ------------------------------------------------------------------------------

// The speed area as the window picks it: its file of the units, the defaults when missing.
bool AnalysisWork::chooseArea()
{
    const AnalysisRequest& r = request;
    Analysis& a = analysis;
    const qint16 units = a.m_read.units;
    const QString path = r.areasFile.isEmpty() ? Workspace::speedAreaFile(units) : r.areasFile;
    SpeedArea areas;
    areas.setUnits(units);
    areas.setFile(path);
    if (QFileInfo::exists(path) && !areas.readError().isEmpty())
        a.m_warnings << AnalysisRunner::tr("Fichier de zones illisible (%1), zones par défaut : %2")
                            .arg(areas.readError(), path);
    const QStringList names = sortAreaNames(areas.areaNames());
    if (a.m_criteria.limit) {
        const auto carries = std::find_if(names.begin(), names.end(), [&a](const QString& name) {
            return limitFromAreaName(name) == a.m_criteria.limit;
        });
        if (carries != names.end())
            a.m_limitArea = *carries;
    }
    const QString area = !r.area.isEmpty() ? r.area
        : !a.m_limitArea.isEmpty()         ? a.m_limitArea
                                           : defaultAreaName(names, units);
    if (area.isEmpty() || !names.contains(area))
        return fail(AnalysisRunner::tr("Zone de vitesse inconnue : %1 (zones : %2)")
                        .arg(area, names.join(QStringLiteral(", "))));
    a.m_criteria.area = area;
    a.m_criteria.classes = areas.intervals(area);
    return true;
}

namespace {

// The first and last readings taken: those of the read, unless a higher minimum leaves some out.
std::pair<qint64, qint64> takenSpan(const MeasureRead& read, int minSpeed)
{
    const MeasureMap& m = *read.measures;
    if (minSpeed <= read.minSpeed)
        return {read.first, read.last};
    auto first = m.lowerBound(1);
    while (first != m.end() && first->measure.speed <= minSpeed)
        ++first;
    auto last = m.end();
    while (last != first && (last - 1)->measure.speed <= minSpeed)
        --last;
    if (first == last)
        return {0, 0};
    return {first->time, (last - 1)->time};
}

}   // namespace

bool AnalysisWork::analyse()
{
    const AnalysisRequest& r = request;
    Analysis& a = analysis;
    AnalysisCriteria& c = a.m_criteria;
    c.minSpeed = minSpeedOf(r, a.m_read.units);
    c.bucketSeconds = r.bucketSeconds;
    c.range = r.range;
    c.dividerOff = r.dividerOff ? *r.dividerOff : a.m_storeMode > 0;
    c.limit = AnalysisRunner::resolveLimit(r.limit, a.m_site);
    if (c.limit)
        // The window always passes the limit it shows: the site's own stays the site's.
        c.limitSource = r.limit && r.limit != a.m_site.speedLimit ? LimitSource::Request : LimitSource::Site;
    if (!chooseArea())
        return false;

    SpeedStatistics& s = a.m_statistics;
    s.setRead(a.m_read);
    s.setMinSpeed(c.minSpeed);
    s.setDividerOff(c.dividerOff);
    s.setRange(quint16(c.range));
    s.setFilter(c.bucketSeconds);
    s.setDistribution(c.classes, 0);
    s.setDistribution(c.classes, 1);

    const auto span = takenSpan(a.m_read, c.minSpeed);
    if (span.second == 0 && !(r.from.isValid() && r.to.isValid()))
        return fail(nothingAbove(c.minSpeed, a.m_read.units));
    const QDateTime begin = snapPeriodStart(r.from.isValid() ? r.from : QDateTime::fromSecsSinceEpoch(span.first));
    const QDateTime end = snapPeriodEnd(r.to.isValid() ? r.to : QDateTime::fromSecsSinceEpoch(span.second));
    // Empty buckets fill the period from its begin: a begin decades before the measures would
    // ask for millions of them.
    if (begin.secsTo(end) / std::max(1, c.bucketSeconds) > kMaxBuckets)
        return fail(AnalysisRunner::tr("Période trop longue pour un seuil de %1 minutes : %2 à %3")
                        .arg(c.bucketSeconds / 60)
                        .arg(begin.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")),   // ISODate is empty past 9999
                             end.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"))));
    if (progress)
        progress->report(AnalysisRunner::tr("Calcul des statistiques"), 0, 0);
    a.m_begin = begin;
    a.m_end = end;
    a.m_bucketCount = s.load(begin, end, a.m_hasGaps);
    if (a.m_bucketCount < 1)
        return fail(s.getSlowHeld() > 0 ? nothingAbove(c.minSpeed, a.m_read.units)
                                        : AnalysisRunner::tr("Vitesses Moyennes/Maximales indisponibles"));
    if (stopped())
        return false;
    a.m_summary = TrafficSummary::compute(s, begin, end, c.limit, a.m_storeMode);
    a.m_summary.limitSource = c.limitSource;
    a.m_summary.storeModeReason = storeModeReason;

    for (int d = 0; d < 2; ++d) {
        DirectionStatistics& out = a.m_directions[d];
        out.measureCount = s.getMeasureCount(d);
        out.vehicleCount = s.countVehicles(begin, end, d);
        if (out.measureCount > 0) {
            out.meanSpeed = s.getMeanSpeed(d);
            out.maxSpeed = s.getMaxSpeed(d);
        }
        out.highestSpeed = s.getHighestSpeed(d);
        if (s.hasPercentiles(d)) {
            out.v30 = s.getV30(d);
            out.v50 = s.getV50(d);
            out.v85 = s.getV85(d);
        }
        out.buckets = s.getFilteredSample(d);
        out.halfHours = s.getOriginalSample().value(d);
        out.speeds = s.getSpeedHistogram().value(d);
        out.classes = s.getDistribution(d);
        if (s.getPercentageCurveSize(d) > 0)
            out.percentageCurve = s.getPercentageCurve(d);
        out.meanCurve = s.getMeanCurve().value(d);
        out.maxCurve = s.getMaxCurve().value(d);
        out.vehicleBars = s.getVehicleBars().value(d);
    }
    return true;
}

void AnalysisWork::reuse(const Analysis& previous)
{
    // The file's side of the previous analysis; its warnings were said with it. The site may
    // have been edited since: read again, it costs a few rows.
    Analysis& a = analysis;
    a.m_read = previous.m_read;
    a.m_storeMode = previous.m_storeMode;
    storeModeReason = previous.m_summary.storeModeReason;
    a.m_site = readSiteInfo(request.file);
    a.m_description = previous.m_description;
    a.m_statistics.copyDescription(previous.m_statistics);
    a.m_campaigns = previous.m_campaigns;
    a.m_campaignStart = previous.m_campaignStart;
    a.m_campaignEnd = previous.m_campaignEnd;
}

AnalysisOutcome AnalysisRunner::run(const AnalysisRequest& request, const std::shared_ptr<const Analysis>& previous,
                                    AnalysisProgress* progress)
{
    AnalysisOutcome outcome;
    std::shared_ptr<Analysis> analysis(new Analysis);
    analysis->m_request = request;
    AnalysisWork run{request, progress, *analysis, {}, false, {}};
    bool ok = false;
    if (previous && canReuse(*previous, request)) {
        run.reuse(*previous);
        outcome.reused = true;
        ok = !run.stopped() && run.analyse();
    } else {
        ok = run.readFile() && !run.stopped() && run.analyse();
    }
    outcome.warnings = analysis->m_warnings;
    if (run.stopped()) {
        outcome.canceled = true;
        outcome.error = tr("Analyse annulée");
    } else if (!ok) {
        outcome.error = run.error;
    } else {
        outcome.analysis = std::move(analysis);
    }
    return outcome;
}

bool AnalysisRunner::canReuse(const Analysis& previous, const AnalysisRequest& request)
{
    const MeasureRead& read = previous.read();
    if (QFileInfo(previous.file()).absoluteFilePath() != QFileInfo(request.file).absoluteFilePath()
        || sorted(previous.request().campaigns) != sorted(request.campaigns)
        || minSpeedOf(request, read.units) < read.minSpeed)
        return false;
    const auto needed = readPeriod(request, previous.campaignStart(), previous.campaignEnd());
    return needed.first >= read.from && needed.second <= read.to;
}

std::optional<int> AnalysisRunner::resolveLimit(std::optional<int> requested, const SiteInfo& site)
{
    // Never guessed from an area's name: a 50 km/h street read as "Zone 30" would be all speeding.
    const std::optional<int> limit = requested ? requested : site.speedLimit;
    return limit && *limit > 0 ? limit : std::nullopt;
}
