// SPDX-License-Identifier: GPL-3.0-or-later
#include "sampledb.h"

#include "db/schema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QVector>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstring>
#include <vector>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#elif defined(Q_OS_WIN)
#define NOMINMAX
#include <windows.h>
#endif

namespace {

// The scratch file of the run in progress, for the signal handlers: they may only touch plain
// memory and async-signal-safe calls.
char g_scratchPath[4096];
volatile std::sig_atomic_t g_hasScratch = 0;
std::atomic<bool> g_interrupted{false};

#if defined(Q_OS_UNIX)
const int cleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void removeScratchAndDie(int sig)
{
    if (g_hasScratch)
        unlink(g_scratchPath);
    std::signal(sig, SIG_DFL);
    raise(sig);
}
#elif defined(Q_OS_WIN)
// SQLite keeps the file open, so Windows cannot delete it here: the run stops at its next row and
// removes it itself.
BOOL WINAPI stopOnConsoleEvent(DWORD)
{
    g_interrupted = true;
    return TRUE;
}
#endif

// While it lives, a terminal's interrupt, hang-up or termination removes the scratch file before
// the process ends.
class ScratchGuard
{
public:
    explicit ScratchGuard(const QString& path)
    {
        const QByteArray native = QFile::encodeName(path);
        if (native.size() >= int(sizeof g_scratchPath))
            return;
        std::memcpy(g_scratchPath, native.constData(), std::size_t(native.size()) + 1);
        g_interrupted = false;
        g_hasScratch = 1;
#if defined(Q_OS_UNIX)
        struct sigaction action
        {
        };
        action.sa_handler = removeScratchAndDie;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < 3; ++i)
            sigaction(cleanedSignals[i], &action, &m_previous[i]);
#elif defined(Q_OS_WIN)
        SetConsoleCtrlHandler(stopOnConsoleEvent, TRUE);
#endif
    }
    ~ScratchGuard()
    {
        g_hasScratch = 0;
#if defined(Q_OS_UNIX)
        for (std::size_t i = 0; i < 3; ++i)
            sigaction(cleanedSignals[i], &m_previous[i], nullptr);
#elif defined(Q_OS_WIN)
        SetConsoleCtrlHandler(stopOnConsoleEvent, FALSE);
#endif
    }
    ScratchGuard(const ScratchGuard&) = delete;
    ScratchGuard& operator=(const ScratchGuard&) = delete;

private:
#if defined(Q_OS_UNIX)
    struct sigaction m_previous[3];
#endif
};

// Scratch files of the same target left by a run that was killed outright.
void removeStaleScratchFiles(const QFileInfo& target)
{
    const QRegularExpression pattern(
        QStringLiteral("^\\.%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(target.fileName())));
    QDir dir = target.absoluteDir();
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (pattern.match(name).hasMatch())
            dir.remove(name);
    }
}

// xoshiro256** seeded through splitmix64: the same numbers on every platform and compiler, which
// the standard distributions do not promise.
class Random
{
public:
    explicit Random(quint64 seed)
    {
        for (quint64& s : m_s) {
            seed += 0x9E3779B97F4A7C15ull;
            quint64 z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            s = z ^ (z >> 31);
        }
    }
    quint64 next()
    {
        const quint64 result = rotl(m_s[1] * 5, 7) * 9;
        const quint64 t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }
    // [0, 1)
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    // [0, n)
    quint64 below(quint64 n) { return n ? next() % n : 0; }
    double normal()
    {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        double u = 0;
        while (u <= 0)
            u = uniform();
        const double v = uniform();
        const double r = std::sqrt(-2.0 * std::log(u));
        const double a = 6.283185307179586 * v;
        m_spare = r * std::sin(a);
        m_hasSpare = true;
        return r * std::cos(a);
    }

private:
    static quint64 rotl(quint64 x, int k) { return (x << k) | (x >> (64 - k)); }
    quint64 m_s[4];
    double m_spare = 0;
    bool m_hasSpare = false;
};

// Relative traffic of each hour: commuter peaks on weekdays, a late and flat day at weekends.
const double weekdayHours[24] = {0.6, 0.4, 0.3, 0.3, 0.5, 1.2, 3.0, 6.5, 7.5, 5.5, 4.8, 5.0,
                                 5.5, 5.2, 5.0, 5.6, 7.0, 8.0, 7.2, 5.0, 3.2, 2.4, 1.7, 1.1};
const double weekendHours[24] = {1.2, 0.9, 0.7, 0.5, 0.5, 0.7, 1.2, 2.0, 3.2, 4.8, 6.0, 6.6,
                                 6.2, 5.6, 5.8, 6.2, 6.4, 6.2, 5.6, 4.6, 3.4, 2.6, 2.0, 1.6};
// Monday .. Sunday.
const double dayFactors[7] = {0.97, 1.0, 1.0, 1.0, 1.05, 0.70, 0.55};

bool isWeekend(const QDate& d)
{
    return d.dayOfWeek() >= 6;
}

// Share of the ingoing direction: into town in the morning, out in the evening.
double ingoingShare(const QDate& d, int hour)
{
    if (isWeekend(d))
        return 0.5;
    if (hour >= 6 && hour <= 9)
        return 0.62;
    if (hour >= 16 && hour <= 19)
        return 0.40;
    return 0.5;
}

// Faster on empty night roads, slower in the peaks.
double speedFactor(const QDate& d, int hour)
{
    if (hour >= 22 || hour <= 5)
        return 1.08;
    if (!isWeekend(d) && ((hour >= 7 && hour <= 9) || (hour >= 16 && hour <= 18)))
        return 0.92;
    return isWeekend(d) ? 1.03 : 1.0;
}

// First and last reading of a recorded day, Unix seconds.
struct DaySpan
{
    qint64 first = 0;
    qint64 last = 0;
};

QString localText(qint64 t)
{
    return QDateTime::fromSecsSinceEpoch(t).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString sqlText(const QString& text)
{
    return QStringLiteral("'%1'").arg(QString(text).replace(QLatin1Char('\''), QStringLiteral("''")));
}

struct Cell
{
    QDate day;
    int hour;
    qint64 begin, end;   // Unix seconds, end excluded
    double weight;
};

bool setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

// The hours of the recorded days with their share of the traffic. A daylight-saving day has 23 or
// 25 hours: each hour runs from its own local start to the next one that exists.
std::vector<Cell> buildCells(const SampleOptions& o, Random& rnd, int* recordedDays)
{
    QVector<bool> gap(o.days, false);
    if (o.gapDays > 0) {
        std::vector<int> inner;
        for (int d = 1; d + 1 < o.days; ++d)
            inner.push_back(d);
        for (int i = 0; i < o.gapDays; ++i) {
            const int j = i + int(rnd.below(quint64(inner.size() - i)));
            std::swap(inner[i], inner[j]);
            gap[inner[i]] = true;
        }
    }
    std::vector<Cell> cells;
    *recordedDays = 0;
    for (int d = 0; d < o.days; ++d) {
        const QDate day = o.from.addDays(d);
        const double dayNoise = 1.0 + 0.06 * (2 * rnd.uniform() - 1);
        if (gap[d])
            continue;
        ++*recordedDays;
        const double* hours = isWeekend(day) ? weekendHours : weekdayHours;
        double hourSum = 0;
        for (int h = 0; h < 24; ++h)
            hourSum += hours[h];
        std::vector<qint64> starts(25, 0);
        std::vector<bool> valid(25, false);
        for (int h = 0; h < 24; ++h) {
            const QDateTime t(day, QTime(h, 0));
            valid[h] = t.isValid() && t.time().hour() == h;
            starts[h] = t.toSecsSinceEpoch();
        }
        starts[24] = QDateTime(day.addDays(1), QTime(0, 0)).toSecsSinceEpoch();
        valid[24] = true;
        for (int h = 0; h < 24; ++h) {
            if (!valid[h])
                continue;
            int next = h + 1;
            while (!valid[next])
                ++next;
            const double hourNoise = 1.0 + 0.15 * (2 * rnd.uniform() - 1);
            const double weight =
                o.flat ? 1.0 / 24 : dayFactors[day.dayOfWeek() - 1] * dayNoise * hours[h] / hourSum * hourNoise;
            cells.push_back(Cell{day, h, starts[h], starts[next], weight});
        }
    }
    return cells;
}

class Writer
{
public:
    ~Writer()
    {
        if (m_insert)
            sqlite3_finalize(m_insert);
        if (m_db)
            sqlite3_close(m_db);
    }
    bool open(const QString& path)
    {
        return sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    }
    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    bool prepare(bool withDirection)
    {
        const char* sql = withDirection ? "INSERT INTO measure (meas_date, meas_speed, meas_direction) VALUES (?,?,?)"
                                        : "INSERT INTO measure (meas_date, meas_speed) VALUES (?,?)";
        m_withDirection = withDirection;
        return sqlite3_prepare_v2(m_db, sql, -1, &m_insert, nullptr) == SQLITE_OK;
    }
    bool insert(qint64 time, int speed, int direction)
    {
        sqlite3_bind_int64(m_insert, 1, time);
        sqlite3_bind_int(m_insert, 2, speed);
        if (m_withDirection)
            sqlite3_bind_int(m_insert, 3, direction);
        const bool ok = sqlite3_step(m_insert) == SQLITE_DONE;
        sqlite3_reset(m_insert);
        return ok;
    }
    bool close()
    {
        if (m_insert)
            sqlite3_finalize(m_insert);
        m_insert = nullptr;
        const bool ok = sqlite3_close(m_db) == SQLITE_OK;
        m_db = nullptr;
        return ok;
    }
    QString message() const { return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString(); }
    bool exec(const QString& sql) { return exec(sql.toUtf8().constData()); }

    // What the recording side of an "Avancé" radar registers: a row per recorded day (at its
    // midnight, with its last reading) and a campaign of store mode 1 per month.
    bool writeCampaigns(const QMap<QDate, DaySpan>& days)
    {
        QMap<QString, DaySpan> months;
        for (auto it = days.cbegin(); it != days.cend(); ++it) {
            DaySpan& m = months[it.key().toString(QStringLiteral("yyyy-MM"))];
            m.first = m.first ? qMin(m.first, it->first) : it->first;
            m.last = qMax(m.last, it->last);
        }
        const QString created = localText(QDateTime::currentSecsSinceEpoch());
        int id = 0;
        for (auto it = months.cbegin(); it != months.cend(); ++it) {
            ++id;
            const QString campaign =
                QStringLiteral(
                    "INSERT INTO campaign (camp_id, product_prod_id, camp_date_begin, camp_date_end, date_created, "
                    "camp_store_mode, camp_title, camp_comment) VALUES (%1, 1, %2, %3, %4, 1, %5, %6)")
                    .arg(id)
                    .arg(sqlText(localText(it->first)), sqlText(localText(it->last)), sqlText(created),
                         sqlText(QStringLiteral("Campagne %1").arg(it.key())),
                         sqlText(QStringLiteral("Un relevé par véhicule (mode avancé)")));
            if (!exec(campaign))
                return false;
            for (auto day = days.cbegin(); day != days.cend(); ++day) {
                if (day.key().toString(QStringLiteral("yyyy-MM")) != it.key())
                    continue;
                const QString detail =
                    QStringLiteral(
                        "INSERT INTO campaign_details (product_prod_id, cpd_date, campaign_camp_id, cpd_status, "
                        "cpd_attempt, last_updated, cpd_max_time) VALUES (1, %1, %2, 4, 1, %3, %4)")
                        .arg(sqlText(day.key().toString(QStringLiteral("yyyy-MM-dd 00:00:00"))))
                        .arg(id)
                        .arg(sqlText(created), sqlText(localText(day->last)));
                if (!exec(detail))
                    return false;
            }
        }
        return true;
    }

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
    bool m_withDirection = true;
};

// A vehicle's speed: about its direction's mean for the hour, now and then a cyclist or an odd
// slow reading, which a speed display does not slow down.
double vehicleSpeed(Random& rnd, const SampleOptions& o, const Cell& c, int direction, double factor)
{
    const double mean = (direction == 0 ? o.meanIn : o.meanOut) * factor;
    if (rnd.uniform() < 0.015)
        return mean * (0.1 + 0.35 * rnd.uniform());
    const double display = o.displayFrom.isValid() && c.day >= o.displayFrom ? o.displayEffect : 0;
    return mean - display + o.spread * rnd.normal();
}

// One cell's n readings as bursts of about burst readings a vehicle, written in time order.
bool writeBursts(Writer& w, const Cell& c, qint64 n, int burst, const SampleOptions& o, Random& rnd,
                 SampleSummary& result, QMap<QDate, DaySpan>& days)
{
    struct Vehicle
    {
        qint64 time;
        int readings;
    };
    struct Reading
    {
        qint64 time;
        int speed;
        int direction;
    };
    std::vector<Vehicle> vehicles;
    const quint64 span = quint64(c.end - c.begin);
    for (qint64 left = n; left > 0;) {
        const int k = int(qMin<qint64>(left, qMax(1, burst - 2 + int(rnd.below(5)))));
        vehicles.push_back({c.begin + qint64(rnd.below(span)), k});
        left -= k;
    }
    std::sort(vehicles.begin(), vehicles.end(), [](const Vehicle& a, const Vehicle& b) { return a.time < b.time; });

    const bool mono = o.directions == 1;
    const double share = ingoingShare(c.day, c.hour);
    const double factor = speedFactor(c.day, c.hour);
    std::vector<Reading> readings;
    readings.reserve(std::size_t(n));
    for (const Vehicle& v : vehicles) {
        const int direction = mono ? 0 : (rnd.uniform() < share ? 0 : 1);
        const double speed = vehicleSpeed(rnd, o, c, direction, factor);
        // The radar follows the vehicle for a second or two as it crosses the beam.
        const int seconds = 1 + int(rnd.below(2));
        for (int j = 0; j < v.readings; ++j) {
            const qint64 t = qMin(c.end - 1, v.time + (v.readings > 1 ? j * seconds / (v.readings - 1) : 0));
            readings.push_back({t, int(std::lround(qBound(1.0, speed + 0.7 * rnd.normal(), 250.0))), direction});
        }
    }
    std::stable_sort(readings.begin(), readings.end(),
                     [](const Reading& a, const Reading& b) { return a.time < b.time; });
    for (const Reading& r : readings) {
        if (!w.insert(r.time, r.speed, r.direction))
            return false;
        if (result.measures == 0)
            result.firstTime = r.time;
        result.lastTime = r.time;
        ++result.measures;
    }
    result.vehicles += qint64(vehicles.size());
    if (!readings.empty()) {
        DaySpan& day = days[c.day];
        day.first = day.first ? day.first : readings.front().time;
        day.last = readings.back().time;
    }
    return true;
}

}   // namespace

SampleOptions resolvedSpeeds(const SampleOptions& options)
{
    SampleOptions o = options;
    const bool mph = o.units == SampleOptions::Units::Mph;
    if (o.meanIn <= 0)
        o.meanIn = mph ? 30 : 48;
    if (o.meanOut <= 0)
        o.meanOut = mph ? 33 : 53;
    if (o.spread <= 0)
        o.spread = o.meanIn / 6;
    return o;
}

bool generateSampleDatabase(const QString& path, const SampleOptions& options, QString* error, SampleSummary* summary)
{
    const SampleOptions o = resolvedSpeeds(options);
    if (!o.from.isValid())
        return setError(error, QStringLiteral("Date de début invalide."));
    if (o.days < 1 || o.days > 100000)
        return setError(error, QStringLiteral("Le nombre de jours doit être compris entre 1 et 100000."));
    if (o.directions != 1 && o.directions != 2)
        return setError(error, QStringLiteral("Le nombre de sens doit être 1 ou 2."));
    if (o.directions == 1 && o.units == SampleOptions::Units::Mph)
        return setError(error,
                        QStringLiteral("Une base à un seul sens n'a pas de colonne meas_direction "
                                       "pour marquer les mph."));
    if (o.vehiclesPerDay < 0 || o.totalMeasures < 0)
        return setError(error, QStringLiteral("Le nombre de véhicules ne peut pas être négatif."));
    if (o.gapDays < 0 || (o.gapDays > 0 && o.gapDays > o.days - 2))
        return setError(error,
                        QStringLiteral("Trop de jours sans enregistrement : au plus %1 pour %2 jours.")
                            .arg(qMax(0, o.days - 2))
                            .arg(o.days));
    if (o.readingsPerVehicle < 1 || o.readingsPerVehicle > 100)
        return setError(error, QStringLiteral("Le nombre de relevés par véhicule doit être compris entre 1 et 100."));
    if (o.meanIn > 250 || o.meanOut > 250 || o.spread > 100)
        return setError(error, QStringLiteral("Vitesses hors limites (moyenne jusqu'à 250, écart jusqu'à 100)."));
    if (o.displayFrom.isValid() && (o.displayFrom < o.from || o.displayFrom > o.from.addDays(o.days - 1)))
        return setError(
            error,
            QStringLiteral("Le jour d'allumage de l'afficheur (%1) doit tomber dans la période, du %2 au %3.")
                .arg(o.displayFrom.toString(Qt::ISODate), o.from.toString(Qt::ISODate),
                     o.from.addDays(o.days - 1).toString(Qt::ISODate)));
    if (!(o.displayEffect >= 0 && o.displayEffect <= 50))
        return setError(error, QStringLiteral("L'effet de l'afficheur doit être compris entre 0 et 50."));

    const QFileInfo target(path);
    if (target.exists() && !o.overwrite)
        return setError(error, QStringLiteral("Le fichier %1 existe déjà (--force pour le remplacer).").arg(path));
    if (target.exists() && !target.isFile())
        return setError(error, QStringLiteral("%1 n'est pas un fichier.").arg(path));
    if (!target.absoluteDir().exists())
        return setError(error, QStringLiteral("Le dossier %1 n'existe pas.").arg(target.absolutePath()));

    Random rnd(o.seed);
    int recordedDays = 0;
    const std::vector<Cell> cells = buildCells(o, rnd, &recordedDays);
    double weightSum = 0;
    for (const Cell& c : cells)
        weightSum += c.weight;
    const int burst = o.readingsPerVehicle;
    const qint64 total =
        o.totalMeasures > 0 ? o.totalMeasures : qint64(std::llround(o.vehiclesPerDay * weightSum * burst));

    removeStaleScratchFiles(target);
    QTemporaryFile temp(
        target.absoluteDir().filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".XXXXXX")));
    temp.setAutoRemove(true);
    if (!temp.open())
        return setError(
            error, QStringLiteral("Impossible d'écrire dans %1 : %2").arg(target.absolutePath(), temp.errorString()));
    temp.close();
    const ScratchGuard guard(temp.fileName());

    SampleSummary result;
    {
        Writer w;
        const bool mono = o.directions == 1;
        bool ok = w.open(temp.fileName())
            // A scratch file until the rename: no journal, no syncing.
            && w.exec("PRAGMA journal_mode=OFF") && w.exec("PRAGMA synchronous=OFF")
            && w.exec(mono ? Schema::measureOneDirection : Schema::measure)
            && (!(o.campaignTables || o.advancedCampaigns)
                || (w.exec(Schema::campaign) && w.exec(Schema::campaignDetails)))
            && w.exec("BEGIN") && w.prepare(!mono);
        if (ok && !mono && o.units != SampleOptions::Units::None)
            ok = w.insert(0, 0, o.units == SampleOptions::Units::Mph ? 2 : 0);

        std::vector<qint64> times;
        QMap<QDate, DaySpan> days;
        double cumulative = 0;
        qint64 placed = 0;
        for (std::size_t i = 0; ok && i < cells.size(); ++i) {
            const Cell& c = cells[i];
            cumulative += c.weight;
            const qint64 upTo = i + 1 == cells.size() ? total : qint64(std::llround(total * (cumulative / weightSum)));
            const qint64 n = upTo - placed;
            placed = upTo;
            if (burst > 1) {
                ok = writeBursts(w, c, n, burst, o, rnd, result, days);
                continue;
            }
            times.resize(std::size_t(n));
            const quint64 span = quint64(c.end - c.begin);
            for (qint64& t : times)
                t = c.begin + qint64(rnd.below(span));
            std::sort(times.begin(), times.end());
            const double share = ingoingShare(c.day, c.hour);
            const double factor = speedFactor(c.day, c.hour);
            for (qint64 t : times) {
                const int direction = mono ? 0 : (rnd.uniform() < share ? 0 : 1);
                const double v = vehicleSpeed(rnd, o, c, direction, factor);
                const int speed = int(std::lround(qBound(1.0, v, 250.0)));
                if (g_interrupted || !w.insert(t, speed, direction)) {
                    ok = false;
                    break;
                }
                if (result.measures == 0)
                    result.firstTime = t;
                result.lastTime = t;
                ++result.measures;
                ++result.vehicles;
            }
            if (ok && n > 0 && o.advancedCampaigns) {
                DaySpan& day = days[c.day];
                day.first = day.first ? day.first : times.front();
                day.last = times.back();
            }
        }
        ok = ok && (!o.advancedCampaigns || w.writeCampaigns(days));
        ok = ok && w.exec("COMMIT");
        const QString message = w.message();
        ok = w.close() && ok;
        if (!ok)
            return setError(error, QStringLiteral("Écriture de %1 impossible : %2").arg(temp.fileName(), message));
    }

    if (target.exists() && !QFile::remove(path))
        return setError(error, QStringLiteral("Impossible de remplacer %1.").arg(path));
    if (!temp.rename(path))
        return setError(
            error,
            QStringLiteral("Impossible de renommer %1 en %2 : %3").arg(temp.fileName(), path, temp.errorString()));
    temp.setAutoRemove(false);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    result.recordedDays = recordedDays;
    if (summary)
        *summary = result;
    return true;
}
