// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/databaseconnection.h"

#include "db/schema.h"

#include "core/checkedfile.h"
#include "core/userdialogs.h"
#include "core/measure.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QVariant>

#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace {

// A file another program keeps locked must not freeze the window: give up after this wait.
const char* const connectOptions = "QSQLITE_BUSY_TIMEOUT=1500";

QString timeOfDay()
{
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss:zz"));
}

QString localText(qint64 secs)
{
    return QDateTime::fromSecsSinceEpoch(secs).toString(QStringLiteral("dd/MM/yy hh:mm:ss"));
}

// Each manager registers its connection under a name of its own: several files may be open at
// once, on several threads.
std::atomic<int> managerConnections{0};

// SQLite's primary result codes the program tells apart.
enum SqliteCode { sqliteBusy = 5, sqliteLocked = 6, sqliteCorrupt = 11 };

int sqliteCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xFF : 0;
}

// Nobody's write permission counts as read-only, for an administrator too: someone made the file
// so on purpose. SQLite also needs the folder for its journal.
bool writable(const QString& path)
{
    const QFileInfo info(path);
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite) && QFileInfo(info.absolutePath()).isWritable();
}

// What a read does with a row: outside [from, to] or the units marker (time 0, speed 0), it is no
// reading; a speed or direction no radar gives makes a damaged or foreign row; at or below the
// minimum speed it is left out.
enum class Row { Skip, Invalid, Take };

inline Row classify(qint64 time, qint64 speed, qint64 direction, qint64 from, qint64 to, int minimumSpeed)
{
    if (time < from || time > to || (time == 0 && speed == 0))
        return Row::Skip;
    if (speed < 0 || speed > 1000 || (direction != 0 && direction != 1))
        return Row::Invalid;
    return speed <= minimumSpeed ? Row::Skip : Row::Take;
}

// Runs work(db) on a read-only connection of its own, registered under a unique name for the
// calling thread and removed afterwards; db may have failed to open.
// One counter for every kind of work: each instantiation of the template would have its own.
std::atomic<int> ownConnections{0};

template <class Work> void onOwnConnection(const QString& path, Work work)
{
    const QString name = QStringLiteral("tramola_own_%1").arg(ownConnections++);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;") + QLatin1String(connectOptions));
        db.open();
        work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

}   // namespace

// The whole-file check run ahead on its own connection.
struct DatabaseConnection::WriteCheck
{
    std::thread thread;
    bool ran = false;
    QString verdict;
    QSqlError error;
};

DatabaseConnection::DatabaseConnection() : m_connectionName(QStringLiteral("tramola_db_%1").arg(managerConnections++))
{
}

DatabaseConnection::~DatabaseConnection()
{
    joinWriteCheck();
    close();
    m_database = QSqlDatabase();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

bool DatabaseConnection::open(const QString& path)
{
    joinWriteCheck();
    m_writeCheck.reset();
    delete m_query;
    m_query = nullptr;
    if (m_database.isOpen())
        m_database.close();
    m_database = QSqlDatabase();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);

    m_filePath = path;
    m_database.setDatabaseName(path);
    m_isNew = !QFileInfo::exists(path);
    m_readOnly = !m_isNew && !writable(path);
    m_writeChecked = false;
    m_problem = FileProblem::None;
    m_problemReason.clear();
    m_scratchTables.clear();
    m_database.setConnectOptions((m_readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;") : QString())
                                 + QLatin1String(connectOptions));

    QSqlError error;
    bool ok = m_isNew || isRegularFile(path);
    if (!ok)
        error = QSqlError(QCoreApplication::translate("DatabaseConnection", "ce n'est pas un fichier ordinaire"),
                          QString());
    else if (!(ok = m_database.open()))
        error = m_database.lastError();
    if (ok) {
        // SQLite opens any file lazily; reading the schema tells a database from random bytes now,
        // while the user can still be told which file is at fault.
        {
            QSqlQuery probe(m_database);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next()) {
                error = probe.lastError();
                ok = false;
            }
        }
        if (!ok)
            m_database.close();
    }
    if (!ok) {
        noteError(error);
        if (m_problem == FileProblem::None)
            userDialogs().message(
                UserDialogs::Icon::Critical, QStringLiteral("Database manager"),
                QStringLiteral("Error opening %1 : %2 ").arg(m_database.databaseName(), error.text()));
        return false;
    }

    m_query = new QSqlQuery(m_database);
    qDebug() << "Database connector ready" << (m_readOnly ? "(read-only)" : "");
    qDebug() << "********** OPEN DATABASE **********";
    return true;
}

bool DatabaseConnection::mayWrite()
{
    if (!m_query || m_readOnly || m_problem != FileProblem::None)
        return false;
    if (m_writeChecked)
        return true;
    m_writeChecked = true;
    if (!m_isNew && !tableExists(QStringLiteral("measure"))) {
        setProblem(FileProblem::NotMeasureDatabase, QString());
        return false;
    }
    // A write into a damaged file can spread the damage: look at every page once first.
    QString verdict;
    QSqlError error;
    joinWriteCheck();
    const bool ran = m_writeCheck ? m_writeCheck->ran : runQuickCheck(&verdict, &error);
    if (m_writeCheck) {
        verdict = m_writeCheck->verdict;
        error = m_writeCheck->error;
        m_writeCheck.reset();
    }
    if (!ran)
        noteError(error);
    else if (verdict != QLatin1String("ok"))
        setProblem(FileProblem::Damaged, verdict.remove(QStringLiteral("*** in database main ***")).simplified());
    QSqlQuery check(m_database);
    // Another program's write transaction shows only when we want to write too.
    if (m_problem == FileProblem::None) {
        if (check.exec(QStringLiteral("BEGIN IMMEDIATE")))
            check.exec(QStringLiteral("ROLLBACK"));
        else
            noteError(check.lastError());
    }
    return m_problem == FileProblem::None;
}

bool DatabaseConnection::runQuickCheck(QString* verdict, QSqlError* error)
{
    QSqlQuery check(m_database);
    if (!check.exec(QStringLiteral("PRAGMA quick_check(1)"))) {
        *error = check.lastError();
        return false;
    }
    *verdict = check.next() ? check.value(0).toString() : QStringLiteral("ok");
    return true;
}

void DatabaseConnection::prepareWriteCheck()
{
    if (m_writeCheck || m_writeChecked || !m_query || m_readOnly || m_isNew || m_problem != FileProblem::None)
        return;
    auto check = std::make_unique<WriteCheck>();
    WriteCheck* result = check.get();
    const QString path = m_filePath;
    try {
        check->thread = std::thread([result, path] {
            onOwnConnection(path, [result](QSqlDatabase& db) {
                if (!db.isOpen()) {
                    result->error = db.lastError();
                    return;
                }
                QSqlQuery check(db);
                if (!check.exec(QStringLiteral("PRAGMA quick_check(1)")))
                    result->error = check.lastError();
                else
                    result->verdict = check.next() ? check.value(0).toString() : QStringLiteral("ok");
                result->ran = !result->error.isValid();
            });
        });
    } catch (const std::system_error&) {
        return;   // mayWrite() checks on this connection
    }
    m_writeCheck = std::move(check);
}

void DatabaseConnection::joinWriteCheck()
{
    if (m_writeCheck && m_writeCheck->thread.joinable())
        m_writeCheck->thread.join();
}

QString DatabaseConnection::problemText() const
{
    switch (m_problem) {
    case FileProblem::None: break;
    case FileProblem::NotMeasureDatabase:
        return QCoreApplication::translate("DatabaseConnection",
                                           "Le fichier %1 n'est pas une base de mesures (il n'a "
                                           "pas de table measure) ; il est laissé tel quel.")
            .arg(m_filePath);
    case FileProblem::Damaged:
        return QCoreApplication::translate("DatabaseConnection",
                                           "La base de données %1 est endommagée (%2). Rien n'y a "
                                           "été écrit ; faites vérifier une copie de ce fichier.")
            .arg(m_filePath, m_problemReason);
    case FileProblem::Locked:
        return QCoreApplication::translate("DatabaseConnection",
                                           "La base de données %1 est utilisée par un autre "
                                           "programme. Fermez-le, puis recommencez.")
            .arg(m_filePath);
    }
    return QString();
}

void DatabaseConnection::noteError(const QSqlError& error)
{
    switch (sqliteCode(error)) {
    case sqliteCorrupt: setProblem(FileProblem::Damaged, error.databaseText()); break;
    case sqliteBusy:
    case sqliteLocked: setProblem(FileProblem::Locked, error.databaseText()); break;
    default: break;
    }
}

void DatabaseConnection::setProblem(FileProblem problem, const QString& reason)
{
    if (m_problem != FileProblem::None)
        return;
    m_problem = problem;
    m_problemReason = reason;
    qWarning() << "Database problem" << int(problem) << m_filePath << reason;
    // While opening, this is the box of a file that cannot be opened.
    userDialogs().message(UserDialogs::Icon::Critical,
                          m_query ? QCoreApplication::translate("DatabaseConnection", "Statistiques")
                                  : QStringLiteral("Database manager"),
                          problemText());
}

void DatabaseConnection::close()
{
    if (!m_query && !m_database.isOpen())
        return;
    delete m_query;
    m_query = nullptr;
    m_database.close();
    qDebug() << "Database closed";
    qDebug() << "********** CLOSE DATABASE **********";
}

bool DatabaseConnection::isNewDatabase() const
{
    return m_isNew;
}

QSqlError DatabaseConnection::lastError() const
{
    return m_database.lastError();
}

bool DatabaseConnection::execute(const QString& sql)
{
    if (!m_query) {
        qDebug() << "Database manager Error executing:"
                 << "database closed";
        return false;
    }
    m_query->exec(sql);
    if (m_query->lastError().isValid()) {
        qDebug() << "Database manager Error executing:" << m_query->lastError().text();
        noteError(m_query->lastError());
        return false;
    }
    return true;
}

QSqlQuery DatabaseConnection::getRecord(const QString& sql)
{
    QSqlQuery query(m_database);
    query.exec(sql);
    if (query.isActive() && query.isSelect()) {
        query.next();
        return query;
    }
    noteError(query.lastError());
    qWarning() << "Query disconnected : " << sql;
    qWarning() << "getRecord validity" << query.isValid();
    qWarning() << "getRecord activity" << query.isActive();
    qWarning() << "getRecord isSelect" << query.isSelect();
    qWarning() << "getRecord number" << query.size();
    return query;
}

bool DatabaseConnection::tableExists(const QString& name)
{
    qDebug() << "Checking table" << name;
    if (!m_database.isOpen()) {
        qWarning() << "Cannot check table" << name << "(database closed) - abort";
        return false;
    }
    const QString sql =
        QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = '%1'").arg(name);
    QSqlQuery query(m_database);
    query.exec(sql);
    if (!query.next()) {
        noteError(query.lastError());
        qCritical() << "Request error" << m_database.lastError().text() << query.lastError().text() << sql;
        return false;
    }
    return query.value(0).toInt() > 0;
}

int DatabaseConnection::countRows(const QString& table)
{
    if (!execute(QStringLiteral("select count(1) from ") + table))
        return -1;
    if (!m_query->next())
        return -1;
    const int n = m_query->value(0).toInt();
    m_query->finish();
    return n;
}

namespace {

// PRAGMA rows whose second column holds the sought name anywhere, ignoring case.
bool scanPragma(QSqlQuery* query, const QString& sql, const QString& sought, QSqlError* error)
{
    if (!query)
        return false;
    if (!query->exec(sql))
        *error = query->lastError();
    qDebug() << "Checking table";
    bool found = false;
    while (!found && query->next()) {
        const QString value = query->value(1).toString();
        qDebug() << "Scanning" << value << "for" << sought;
        found = value.contains(sought, Qt::CaseInsensitive);
    }
    query->finish();
    return found;
}

}   // namespace

bool DatabaseConnection::indexExists(const QString& table, const QString& index)
{
    QSqlError error;
    const bool found =
        scanPragma(m_query, QStringLiteral("PRAGMA index_list (") + table + QLatin1Char(')'), index, &error);
    noteError(error);
    return found;
}

bool DatabaseConnection::columnExists(const QString& table, const QString& column)
{
    QSqlError error;
    const bool found =
        scanPragma(m_query, QStringLiteral("PRAGMA table_info (") + table + QLatin1Char(')'), column, &error);
    noteError(error);
    return found;
}

bool DatabaseConnection::checkDatabase()
{
    qDebug() << "Checking database...";
    struct Table
    {
        const char* name;
        const char* creating;
        const char* sql;
    };
    const Table tables[] = {
        {"campaign", "Creating table", Schema::campaign},
        {"campaign_details", "Creating table", Schema::campaignDetails},
        {"measure", "Creating", Schema::measure},
    };
    // A file that existed without measures is somebody else's: add nothing to it.
    bool result = m_isNew || tableExists(QStringLiteral("measure"));
    if (!result)
        setProblem(FileProblem::NotMeasureDatabase, QString());
    for (const Table& t : tables) {
        if (!result)
            break;
        const QString name = QLatin1String(t.name);
        // A read-only file gets the campaign tables it lacks (or has empty) for this connection only.
        if (m_readOnly && name != QLatin1String("measure")) {
            if (m_scratchTables.contains(name) || (tableExists(name) && countRows(name) > 0))
                continue;
            qDebug() << "Creating temporary table" << name;
            const QString sql = QString(QLatin1String(t.sql))
                                    .replace(QStringLiteral("CREATE TABLE"), QStringLiteral("CREATE TEMP TABLE"));
            result = execute(sql);
            if (result)
                m_scratchTables.insert(name);
            continue;
        }
        if (tableExists(name)) {
            qDebug().noquote() << (name + QStringLiteral(" table")) << "[Ok]";
            continue;
        }
        if (!mayWrite()) {
            result = false;
            break;
        }
        qDebug() << t.creating << name;
        const QString sql = QLatin1String(t.sql);
        if (!execute(sql)) {
            qWarning() << "Table creation error" << lastError().text()
                       << (m_query ? m_query->lastError().text() : QString())
                       << qPrintable(QStringLiteral("table : ") + name) << sql;
            result = false;
            break;
        }
    }
    qDebug() << "Database creation" << result;
    return result;
}

qint16 DatabaseConnection::checkUnits()
{
    qDebug() << "Checking units";
    if (m_query
        && m_query->exec(QStringLiteral("SELECT meas_direction FROM measure WHERE meas_date=0 and meas_speed=0"))
        && m_query->next()) {
        const int v = m_query->value(0).toInt();
        const qint16 units = qint16((v >> 1) & 1);
        m_query->finish();
        qDebug() << "checkUnits : current_direction=" << v << "Units=" << units;
        return units;
    }
    if (m_query) {
        noteError(m_query->lastError());
        m_query->finish();
    }
    qDebug() << "checkUnits : Units=" << 0 << "(default)";
    return 0;
}

namespace {

// Below this many rows in the period one connection reads everything; above it the period is
// split in two time slices read at once on two connections (SQLite and the driver each keep one
// core busy), and the slices are laid end to end.
std::atomic<qint64> parallelThreshold{200000};

const char* const countSql =
    "SELECT count(*) FROM measure WHERE ((meas_date >= :startDate) AND (meas_date <= :endDate))";

// -1 when the statement fails.
qint64 countPeriod(QSqlQuery& query, const QString& sql, qint64 from, qint64 to)
{
    qint64 n = -1;
    if (query.prepare(sql)) {
        query.bindValue(QStringLiteral(":startDate"), from);
        query.bindValue(QStringLiteral(":endDate"), to);
        if (query.exec() && query.next())
            n = query.value(0).toLongLong();
    }
    query.finish();
    return n;
}

// The time of the first row of the period in the given order, or false.
bool periodEdge(QSqlQuery& query, qint64 from, qint64 to, bool latest, qint64* time)
{
    bool ok = query.prepare(latest ? QStringLiteral("SELECT meas_date FROM measure WHERE ((meas_date >= :startDate) "
                                                    "AND (meas_date <= :endDate)) ORDER BY meas_date DESC LIMIT 1")
                                   : QStringLiteral("SELECT meas_date FROM measure WHERE ((meas_date >= :startDate) "
                                                    "AND (meas_date <= :endDate)) ORDER BY meas_date ASC LIMIT 1"));
    if (ok) {
        query.bindValue(QStringLiteral(":startDate"), from);
        query.bindValue(QStringLiteral(":endDate"), to);
        ok = query.exec() && query.next();
        if (ok)
            *time = query.value(0).toLongLong();
    }
    query.finish();
    return ok;
}

// Runs the measure statement over [from, to] on query; false with the critical message on failure.
bool startRead(QSqlQuery& query, const QString& sql, qint64 from, qint64 to)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        query.bindValue(QStringLiteral(":startDate"), from);
        query.bindValue(QStringLiteral(":endDate"), to);
        ok = query.exec();
    }
    if (!ok)
        qCritical() << "Error while requesting database with" << sql;
    return ok;
}

// Reads the later time slice on a connection of its own, on its own thread. It counts its rows
// first, waits for the place to write them, then fills it; the GUI thread does all the talking
// to the user and tells it to stop through cancel.
class SliceReader
{
public:
    SliceReader(const QString& path, const QString& sql, qint64 from, qint64 to, int minimumSpeed,
                const std::atomic<bool>& cancel)
        : m_path(path), m_sql(sql), m_from(from), m_to(to), m_minimumSpeed(minimumSpeed), m_cancel(cancel)
    {
    }

    void run()
    {
        onOwnConnection(m_path, [this](QSqlDatabase& db) {
            qint64 counted = -1;
            QSqlQuery query(db);
            if (db.isOpen()) {
                query.exec(QStringLiteral("BEGIN;"));
                counted = countPeriod(query, QLatin1String(countSql), m_from, m_to);
            }
            MeasureMap::Entry* out = nullptr;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_counted = counted;
                m_changed.notify_all();
                m_changed.wait(lock, [this] { return m_go || m_abandoned; });
                out = m_out;
            }
            if (out && startRead(query, m_sql, m_from, m_to))
                read(query, out, counted);
            query.finish();
            if (db.isOpen())
                query.exec(QStringLiteral("END;"));
        });
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
        m_changed.notify_all();
    }

    // The rows of the slice in the reader's own snapshot; -1 when it cannot read; waits at most ms.
    bool waitCounted(int ms, qint64* counted)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_counted != pending; });
        *counted = m_counted;
        return m_counted != pending;
    }
    void go(MeasureMap::Entry* out)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_out = out;
        m_go = true;
        m_changed.notify_all();
    }
    void abandon()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_abandoned = true;
        m_changed.notify_all();
    }
    bool waitDone(int ms)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_done; });
    }
    qint64 rowsRead() const { return m_rowsRead.load(std::memory_order_relaxed); }
    // Valid once done.
    qint64 accepted() const { return m_accepted; }
    // Why the reading stopped before the end of the slice; invalid when it did not (or was cancelled).
    QSqlError error() const { return m_error; }
    // Valid once done.
    qint64 invalid() const { return m_invalid; }

private:
    static constexpr qint64 pending = -2;

    void read(QSqlQuery& query, MeasureMap::Entry* out, qint64 capacity)
    {
        qint64 rows = 0, n = 0;
        while (query.next()) {
            if (m_cancel.load(std::memory_order_relaxed))
                break;
            if (++rows % 1000 == 0)
                m_rowsRead.store(rows, std::memory_order_relaxed);
            const qint64 time = query.value(1).toLongLong();
            const qint64 speed = query.value(2).toLongLong();
            const qint64 direction = query.value(3).toLongLong();
            const Row row = classify(time, speed, direction, m_from, m_to, m_minimumSpeed);
            if (row != Row::Take) {
                m_invalid += row == Row::Invalid;
                continue;
            }
            if (n == capacity) {   // the snapshot does not change under a transaction; never trust it blindly
                qWarning() << "More measures than counted in" << m_path;
                break;
            }
            out[n++] = MeasureMap::Entry{time, Measure{int(speed), int(direction)}};
        }
        if (query.lastError().isValid()) {
            m_error = query.lastError();
            qCritical() << "Error while reading database" << m_error.text();
        }
        m_rowsRead.store(rows, std::memory_order_relaxed);
        m_accepted = n;
    }

    const QString m_path, m_sql;
    const qint64 m_from, m_to;
    const int m_minimumSpeed;
    const std::atomic<bool>& m_cancel;
    std::atomic<qint64> m_rowsRead{0};
    qint64 m_accepted = 0;
    qint64 m_invalid = 0;
    QSqlError m_error;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    qint64 m_counted = pending;
    MeasureMap::Entry* m_out = nullptr;
    bool m_go = false;
    bool m_abandoned = false;
    bool m_done = false;
};

// One run of rowids read in rowid order, on the connection of the thread that reads it.
struct RowidSlice
{
    qint64 from = 0, to = 0;   // rowids, both included
    MeasureMap::Entry* out = nullptr;
    qint64 capacity = 0;
    qint64 kept = 0, rows = 0, invalid = 0;
    bool ordered = true;   // false as soon as a kept reading comes before the one kept last
    bool complete = false;   // read to its end without error or stop
    std::atomic<qint64> progress{0};
    std::atomic<bool> done{false};
};

QString rowidSql(bool twoWay)
{
    // The unary plus keeps idx_date out of it: the rows come along the table itself.
    return QStringLiteral("SELECT meas_date, meas_speed, %1 FROM measure WHERE rowid >= :from AND rowid <= :to "
                          "AND +meas_date >= :startDate AND +meas_date <= :endDate ORDER BY rowid")
        .arg(twoWay ? QStringLiteral("meas_direction") : QStringLiteral("0"));
}

// Reads the slice; tick() is asked every 1000 rows whether to go on.
template <class Tick>
void readRowidSlice(QSqlQuery& query, const QString& sql, RowidSlice& s, qint64 start, qint64 end, int minimumSpeed,
                    Tick tick)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        query.bindValue(QStringLiteral(":from"), s.from);
        query.bindValue(QStringLiteral(":to"), s.to);
        query.bindValue(QStringLiteral(":startDate"), start);
        query.bindValue(QStringLiteral(":endDate"), end);
        ok = query.exec();
    }
    qint64 previous = LLONG_MIN;
    bool stopped = !ok;
    // As on the other ways, the row in hand when the stop is seen is still taken.
    while (!stopped && query.next()) {
        if (s.rows % 1000 == 0) {
            s.progress.store(s.rows, std::memory_order_relaxed);
            stopped = !tick();
        }
        ++s.rows;
        const qint64 time = query.value(0).toLongLong();
        const qint64 speed = query.value(1).toLongLong();
        const qint64 direction = query.value(2).toLongLong();
        const Row row = classify(time, speed, direction, start, end, minimumSpeed);
        if (row != Row::Take) {
            s.invalid += row == Row::Invalid;
            continue;
        }
        if (time < previous || s.kept == s.capacity) {
            s.ordered = false;
            stopped = true;
            continue;
        }
        previous = time;
        s.out[s.kept++] = MeasureMap::Entry{time, Measure{int(speed), int(direction)}};
    }
    s.complete = !stopped && s.ordered && !query.lastError().isValid();
    query.finish();
    s.progress.store(s.rows, std::memory_order_relaxed);
}

}   // namespace

bool DatabaseConnection::readAlongRowids(MeasureMap& measures, ProgressReporter* progress, int& counter, bool twoWay,
                                         qint64 start, qint64 end, int minimumSpeed, qint64& first, qint64& last)
{
    if (!(measures.isEmpty() || measures.last().time <= start) || m_filePath.isEmpty()
        || m_filePath == QLatin1String(":memory:"))
        return false;
    // Worth it when the period holds the whole file: the first and last rows tell, in a file
    // written in time order; the read itself checks that order and gives up without it.
    QSqlQuery q(m_database);
    const auto one = [&q](const QString& sql, qint64* value) {
        const bool ok = q.exec(sql) && q.next() && !q.value(0).isNull();
        if (ok)
            *value = q.value(0).toLongLong();
        q.finish();
        return ok;
    };
    qint64 minRowid = 0, maxRowid = 0, firstTime = 0, lastTime = 0, rows = 0;
    if (!one(QStringLiteral("SELECT meas_date FROM measure WHERE +meas_date > 0 ORDER BY rowid LIMIT 1"), &firstTime)
        || !one(QStringLiteral("SELECT meas_date FROM measure WHERE +meas_date > 0 ORDER BY rowid DESC LIMIT 1"),
                &lastTime)
        || firstTime < start || lastTime > end || !one(QStringLiteral("SELECT min(rowid) FROM measure"), &minRowid)
        || !one(QStringLiteral("SELECT max(rowid) FROM measure"), &maxRowid))
        return false;
    {
        // Counting reads the whole table: on a thread of its own while the window keeps answering.
        std::atomic<bool> counted{false};
        const QString path = m_filePath;
        std::thread counter;
        try {
            counter = std::thread([&rows, &counted, path] {
                rows = valueOnOwnConnection(path, QStringLiteral("SELECT count(*) FROM measure"));
                counted = true;
            });
        } catch (const std::system_error&) {
            return false;
        }
        while (!counted.load()) {
            if (progress)
                progress->processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        counter.join();
        if (rows < 0)
            return false;
    }
    // One place per rowid: rowids left by many deleted rows would ask for too much room.
    const qint64 span = maxRowid - minRowid + 1;
    if (minRowid < 0 || span > rows + rows / 2 + 1000)
        return false;
    const std::size_t held = measures.count();
    MeasureMap::Entry* room = nullptr;
    try {
        room = measures.appendSlots(std::size_t(span));
    } catch (const std::exception&) {
        return false;   // the other way reports it
    }

    RowidSlice earlier, later;
    const bool split = span >= parallelThreshold.load() && span > 1;
    earlier.from = minRowid;
    earlier.to = split ? minRowid + span / 2 - 1 : maxRowid;
    earlier.out = room;
    earlier.capacity = earlier.to - earlier.from + 1;
    later.from = earlier.to + 1;
    later.to = maxRowid;
    later.out = room + earlier.capacity;
    later.capacity = split ? later.to - later.from + 1 : 0;
    later.done = !split;
    const QString sql = rowidSql(twoWay);
    std::atomic<bool> cancel{false};
    std::thread thread;
    if (split) {
        const QString path = m_filePath;
        try {
            thread = std::thread([&later, &cancel, path, sql, start, end, minimumSpeed] {
                onOwnConnection(path, [&](QSqlDatabase& db) {
                    if (!db.isOpen())
                        return;
                    QSqlQuery query(db);
                    readRowidSlice(query, sql, later, start, end, minimumSpeed, [&cancel] { return !cancel.load(); });
                });
                later.done = true;
            });
            qDebug() << "Reading two runs of rowids from" << later.from;
        } catch (const std::system_error&) {
            measures.truncate(held);
            return false;
        }
    }
    if (progress) {
        progress->setLabelText(QCoreApplication::translate("DatabaseConnection", "Lecture..."));
        progress->processEvents();
        m_readingShown = true;
    }
    qDebug() << "Extraction : debut = " << timeOfDay();
    const auto report = [&]() {
        if (progress) {
            progress->setValue(int(qMin<qint64>(INT_MAX, qint64(counter) + earlier.rows + later.progress.load())));
            progress->processEvents();
            if (progress->wasCanceled())
                cancel = true;
        }
        return !cancel.load();
    };
    execute(QStringLiteral("BEGIN;"));
    readRowidSlice(*m_query, sql, earlier, start, end, minimumSpeed, report);
    const bool canceled = cancel.load();
    if (!earlier.complete)
        cancel = true;
    while (!later.done.load()) {
        report();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (thread.joinable())
        thread.join();
    execute(QStringLiteral("END;"));
    qDebug() << "Extraction : fin = " << timeOfDay();

    if (canceled && earlier.ordered) {   // what was read stays, as a run of time from the start
        measures.truncate(held + std::size_t(earlier.kept));
        m_invalidReadings = earlier.invalid;
        counter += int(qMin<qint64>(INT_MAX - counter, earlier.rows));
    } else {
        const bool joined =
            earlier.kept == 0 || later.kept == 0 || earlier.out[earlier.kept - 1].time <= later.out[0].time;
        if (!earlier.complete || !later.complete || !joined) {
            // Out of time order, or stopped by an error that the other way will report.
            qDebug() << "Rowids do not follow time: reading along idx_date";
            measures.truncate(held);
            return false;
        }
        if (later.kept > 0 && earlier.kept < earlier.capacity)
            std::memmove(static_cast<void*>(room + earlier.kept), later.out,
                         std::size_t(later.kept) * sizeof(MeasureMap::Entry));
        measures.truncate(held + std::size_t(earlier.kept + later.kept));
        m_periodRows = earlier.rows + later.rows;
        m_invalidReadings = earlier.invalid + later.invalid;
        counter += int(qMin<qint64>(INT_MAX - counter, m_periodRows));
    }
    if (measures.count() > held) {
        first = (measures.begin() + std::ptrdiff_t(held))->time;
        last = measures.last().time;
    }
    return true;
}

qint64 DatabaseConnection::valueOnOwnConnection(const QString& path, const QString& sql)
{
    qint64 value = -1;
    if (!QFileInfo(path).isFile())
        return value;
    onOwnConnection(path, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (db.isOpen() && query.exec(sql) && query.next() && !query.value(0).isNull())
            value = query.value(0).toLongLong();
    });
    return value;
}

void DatabaseConnection::setParallelReadThreshold(qint64 rows)
{
    parallelThreshold = rows;
}

int DatabaseConnection::readMeasures(MeasureMap& measures, ProgressReporter* progress, qint64& first, qint64& last,
                                     qint16& units, qint64 start, qint64 end, int minimumSpeed)
{
    first = last = 0;
    units = 0;
    m_readingShown = false;
    m_periodRows = -1;
    m_invalidReadings = 0;
    if (!m_query) {
        qCritical() << "Error while requesting database with"
                    << "(database closed)";
        return measures.size();
    }

    const QString tail = QStringLiteral("FROM measure "
                                        "WHERE ((meas_date >= :startDate) AND (meas_date <= :endDate)) "
                                        "ORDER BY meas_date ASC");
    QString sql;
    const bool twoWay = columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
    if (twoWay) {
        qDebug() << "Bi-directionnal database detected";
        sql = QStringLiteral("SELECT meas_id,meas_date,meas_speed, meas_direction ") + tail;
    } else {
        qDebug() << "Mono-directionnal database detected - assuming 'ingoing' direction";
        sql = QStringLiteral("SELECT meas_id,meas_date,meas_speed, 0 AS meas_direction ") + tail;
    }
    units = checkUnits();

    int counter = progress ? progress->value() : 0;
    if (progress) {
        progress->setLabelText(QCoreApplication::translate("DatabaseConnection", "Configuration..."));
        progress->processEvents();
    }
    QSqlError readError;
    qint64 outOfMemory = 0;   // the rows that could not be given room
    if (readAlongRowids(measures, progress, counter, twoWay, start, end, minimumSpeed, first, last))
        return finishRead(measures, first, last, readError, outOfMemory);
    // A period inside the file is found along idx_date: made once, on the first such read.
    if (!indexExists(QStringLiteral("measure"), QStringLiteral("idx_date")) && mayWrite()) {
        qDebug() << "Adding index to measure ...";
        execute(QStringLiteral("CREATE INDEX idx_date ON measure(meas_date);"));
    }
    qDebug() << "Starting transaction";
    execute(QStringLiteral("BEGIN;"));
    qDebug() << "Transaction done";

    // How much is coming, to reserve the map once: counted through idx_date, without the rows.
    const qint64 threshold = parallelThreshold.load();
    const qint64 atLeast =
        countPeriod(*m_query,
                    QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM measure WHERE ((meas_date >= :startDate) AND "
                                   "(meas_date <= :endDate)) LIMIT %1)")
                        .arg(threshold),
                    start, end);
    const bool appending = measures.isEmpty() || measures.last().time <= start;
    qint64 low = 0, high = 0;
    const bool split = atLeast >= threshold && appending && !m_filePath.isEmpty()
        && m_filePath != QLatin1String(":memory:") && periodEdge(*m_query, start, end, false, &low)
        && periodEdge(*m_query, start, end, true, &high) && low < high;
    const std::size_t held = measures.count();
    const qint64 middle = low + qint64((quint64(high) - quint64(low)) / 2) + 1;
    if (split
        && readInSlices(measures, progress, counter, sql, start, end, middle, minimumSpeed, &readError, &outOfMemory)) {
        if (measures.count() > held) {
            first = (measures.begin() + std::ptrdiff_t(held))->time;
            last = measures.last().time;
        }
    } else {
        const qint64 expected =
            atLeast < threshold ? atLeast : countPeriod(*m_query, QLatin1String(countSql), start, end);
        m_periodRows = expected;
        try {
            if (expected > 0)
                measures.reserve(measures.count() + std::size_t(expected));
        } catch (const std::exception&) {   // bad_alloc, or length_error on an absurd count
            outOfMemory = expected;
        }
        const bool ok = outOfMemory == 0 && startRead(*m_query, sql, start, end);
        if (!ok && outOfMemory == 0)
            readError = m_query->lastError();
        if (progress && !m_readingShown) {
            progress->setLabelText(QCoreApplication::translate("DatabaseConnection", "Lecture..."));
            progress->processEvents();
        }
        qDebug() << "Extraction : debut = " << timeOfDay();

        bool canceled = false;
        while (ok && !canceled && m_query->next()) {
            if (counter % 1000 == 0 && progress) {
                progress->setValue(counter);
                progress->processEvents();
                canceled = progress->wasCanceled();
            }
            ++counter;
            const qint64 time = m_query->value(1).toLongLong();
            const qint64 speed = m_query->value(2).toLongLong();
            const qint64 direction = m_query->value(3).toLongLong();
            const Row row = classify(time, speed, direction, start, end, minimumSpeed);
            if (row != Row::Take) {
                m_invalidReadings += row == Row::Invalid;
                continue;
            }
            first = first == 0 ? time : qMin(first, time);
            last = qMax(last, time);
            measures.insert(time, Measure{int(speed), int(direction)});
        }
        if (ok && m_query->lastError().isValid()) {
            readError = m_query->lastError();
            qCritical() << "Error while reading database" << readError.text();
        }
        m_query->finish();
    }

    qDebug() << "Extraction : fin = " << timeOfDay();
    execute(QStringLiteral("END;"));
    return finishRead(measures, first, last, readError, outOfMemory);
}

int DatabaseConnection::finishRead(const MeasureMap& measures, qint64 first, qint64 last, const QSqlError& readError,
                                   qint64 outOfMemory)
{
    qDebug() << "Min=" << localText(first) << "Max=" << localText(last);
    // A damaged file stops the read half-way: the measures so far stay, but the user must know
    // they are not all there.
    if (outOfMemory > 0)
        userDialogs().message(UserDialogs::Icon::Critical, QStringLiteral("Database manager"),
                              QCoreApplication::translate("DatabaseConnection",
                                                          "Mémoire insuffisante pour lire les %1 "
                                                          "mesures de %2")
                                  .arg(outOfMemory)
                                  .arg(m_filePath));
    if (m_invalidReadings > 0)
        qWarning() << "Invalid readings left out:" << m_invalidReadings;
    if (readError.isValid()) {
        noteError(readError);
        if (m_problem == FileProblem::None)   // otherwise the user was told already
            userDialogs().message(UserDialogs::Icon::Critical, QStringLiteral("Database manager"),
                                  QCoreApplication::translate("DatabaseConnection", "Lecture de %1 interrompue : %2")
                                      .arg(m_filePath, readError.text()));
    }
    return measures.size();
}

bool DatabaseConnection::readInSlices(MeasureMap& measures, ProgressReporter* progress, int& counter,
                                      const QString& sql, qint64 start, qint64 end, qint64 split, int minimumSpeed,
                                      QSqlError* readError, qint64* outOfMemory)
{
    std::atomic<bool> cancel{false};
    SliceReader later(m_filePath, sql, split, end, minimumSpeed, cancel);
    std::thread thread;
    try {
        thread = std::thread([&later] { later.run(); });
    } catch (const std::system_error&) {
        return false;
    }
    struct Joiner
    {
        std::thread& t;
        SliceReader& r;
        ~Joiner()
        {
            r.abandon();
            t.join();
        }
    } joiner{thread, later};

    // Both connections count their slice at the same time.
    const qint64 earlierCount = countPeriod(*m_query, QLatin1String(countSql), start, split - 1);
    qint64 laterCount = -1;
    while (!later.waitCounted(20, &laterCount)) {
        if (progress)
            progress->processEvents();
    }
    if (earlierCount < 0 || laterCount < 0)
        return false;   // the caller reads on this connection alone
    m_periodRows = earlierCount + laterCount;

    qDebug() << "Reading in two slices from" << localText(split);
    const std::size_t held = measures.count();
    MeasureMap::Entry* room = nullptr;
    try {
        room = measures.appendSlots(std::size_t(earlierCount + laterCount));
    } catch (const std::exception&) {   // bad_alloc, or length_error on an absurd count
        *outOfMemory = earlierCount + laterCount;
        return true;
    }
    later.go(room + earlierCount);

    const bool ok = startRead(*m_query, sql, start, split - 1);
    if (!ok)
        *readError = m_query->lastError();
    if (progress && !m_readingShown) {
        progress->setLabelText(QCoreApplication::translate("DatabaseConnection", "Lecture..."));
        progress->processEvents();
    }
    qDebug() << "Extraction : debut = " << timeOfDay();

    const auto report = [&]() {
        progress->setValue(int(qMin<qint64>(INT_MAX, qint64(counter) + later.rowsRead())));
        progress->processEvents();
        if (progress->wasCanceled())
            cancel = true;
    };
    qint64 n = 0;
    bool complete = ok;
    while (ok && !cancel && m_query->next()) {
        if (counter % 1000 == 0 && progress)
            report();
        ++counter;
        const qint64 time = m_query->value(1).toLongLong();
        const qint64 speed = m_query->value(2).toLongLong();
        const qint64 direction = m_query->value(3).toLongLong();
        const Row row = classify(time, speed, direction, start, split - 1, minimumSpeed);
        if (row != Row::Take) {
            m_invalidReadings += row == Row::Invalid;
            continue;
        }
        if (n == earlierCount) {
            qWarning() << "More measures than counted in" << m_filePath;
            complete = false;
            break;
        }
        room[n++] = MeasureMap::Entry{time, Measure{int(speed), int(direction)}};
    }
    if (ok && m_query->lastError().isValid()) {
        *readError = m_query->lastError();
        qCritical() << "Error while reading database" << readError->text();
        complete = false;
    }
    complete = complete && !cancel;
    if (!complete)
        cancel = true;   // the later slice would be dropped anyway
    m_query->finish();

    while (!later.waitDone(20)) {
        if (progress)
            report();
    }
    counter = int(qMin<qint64>(INT_MAX, qint64(counter) + later.rowsRead()));

    // What was read stays a run of time from the start: the later slice counts only after a
    // complete earlier one.
    qint64 kept = n;
    if (complete) {
        if (n < earlierCount && later.accepted() > 0)
            std::memmove(static_cast<void*>(room + n), room + earlierCount,
                         std::size_t(later.accepted()) * sizeof(MeasureMap::Entry));
        kept += later.accepted();
        m_invalidReadings += later.invalid();
    }
    measures.truncate(held + std::size_t(kept));
    if (complete && !readError->isValid())
        *readError = later.error();
    return true;
}
