#include "databasemanager.h"

#include "app/userdialogs.h"
#include "stats/measure.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlRecord>
#include <QVariant>

namespace {

const char* const campaignSql =
    "CREATE TABLE campaign (camp_id INTEGER PRIMARY KEY AUTOINCREMENT,product_prod_id INTEGER UNSIGNED NOT NULL,"
    "camp_date_begin DATETIME NULL,camp_date_end DATETIME NULL,date_created DATETIME NULL,"
    "camp_store_mode INTEGER DEFAULT 0,camp_title VARCHAR(255) NOT NULL DEFAULT '',"
    "camp_comment TEXT NOT NULL DEFAULT '');";
// The recording side's text also holds three CREATE INDEX statements after this one, which SQLite
// never ran; the driver refuses several statements at once, so only the table is created.
const char* const campaignDetailsSql =
    "CREATE TABLE campaign_details (cpd_id INTEGER PRIMARY KEY AUTOINCREMENT,product_prod_id INTEGER UNSIGNED NOT NULL,"
    "cpd_date DATETIME NULL,campaign_camp_id INTEGER UNSIGNED NOT NULL,cpd_status TINYINT UNSIGNED NULL DEFAULT 0,"
    "cpd_attempt TINYINT UNSIGNED NULL DEFAULT 0,last_updated DATETIME NULL,"
    "cpd_max_time DATETIME DEFAULT '0000-00-00 00:00:00');";
const char* const measureSql =
    "CREATE TABLE `measure` (`meas_id` INTEGER PRIMARY KEY AUTOINCREMENT,`meas_date` INTEGER,"
    "`meas_speed` TINYINT,`meas_direction` TINYINT);";

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

// The connection the working query of the current manager lives on; only that manager unregisters it.
const DatabaseManager* connectionOwner = nullptr;

} // namespace

DatabaseManager::DatabaseManager() = default;

DatabaseManager::~DatabaseManager()
{
    closeDatabase();
    m_database = QSqlDatabase();
    if (connectionOwner == this) {
        connectionOwner = nullptr;
        QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
    }
}

bool DatabaseManager::openDatabase(const QString& path)
{
    delete m_pQuery;
    m_pQuery = nullptr;
    if (m_database.isOpen())
        m_database.close();
    m_database = QSqlDatabase();
    if (QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)))
        QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    connectionOwner = this;

    m_szFilePath = path;
    m_database.setDatabaseName(path);
    m_database.setConnectOptions(QLatin1String(connectOptions));
    m_bIsNew = !QFileInfo::exists(path);

    bool ok = m_database.open();
    QString error = m_database.lastError().text();
    if (ok) {
        // SQLite opens any file lazily; reading the schema tells a database from random bytes now,
        // while the user can still be told which file is at fault.
        QSqlQuery probe(m_database);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next()) {
            error = probe.lastError().text();
            ok = false;
            probe.finish();
            probe = QSqlQuery();
            m_database.close();
        }
    }
    if (!ok) {
        userDialogs().message(UserDialogs::Icon::Critical, QStringLiteral("Database manager"),
                              QStringLiteral("Error opening %1 : %2 ").arg(m_database.databaseName(), error));
        return false;
    }

    m_pQuery = new QSqlQuery(m_database);
    qDebug() << "Database connector ready";
    qDebug() << "********** OPEN DATABASE **********";
    return true;
}

void DatabaseManager::closeDatabase()
{
    if (!m_pQuery && !m_database.isOpen())
        return;
    delete m_pQuery;
    m_pQuery = nullptr;
    m_database.close();
    qDebug() << "Database closed";
    qDebug() << "********** CLOSE DATABASE **********";
}

bool DatabaseManager::isNewDatabase() const
{
    return m_bIsNew;
}

QSqlError DatabaseManager::lastError() const
{
    return m_database.lastError();
}

bool DatabaseManager::execute(const QString& sql)
{
    if (!m_pQuery) {
        qDebug() << "Database manager Error executing:" << "database closed";
        return false;
    }
    m_pQuery->exec(sql);
    if (m_pQuery->lastError().isValid()) {
        qDebug() << "Database manager Error executing:" << m_pQuery->lastError().text();
        return false;
    }
    return true;
}

QSqlQuery DatabaseManager::getRecord(const QString& sql)
{
    QSqlQuery query(m_database);
    query.exec(sql);
    if (query.isActive() && query.isSelect()) {
        query.next();
        return query;
    }
    qWarning() << "Query disconnected : " << sql;
    qWarning() << "getRecord validity" << query.isValid();
    qWarning() << "getRecord activity" << query.isActive();
    qWarning() << "getRecord isSelect" << query.isSelect();
    qWarning() << "getRecord number" << query.size();
    return query;
}

bool DatabaseManager::tableExists(const QString& name)
{
    qDebug() << "Checking table" << name;
    if (!m_database.isOpen()) {
        qWarning() << "Cannot check table" << name << "(database closed) - abort";
        return false;
    }
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = '%1'").arg(name);
    QSqlQuery query(m_database);
    query.exec(sql);
    if (!query.next()) {
        qCritical() << "Request error" << m_database.lastError().text() << query.lastError().text() << sql;
        return false;
    }
    return query.value(0).toInt() > 0;
}

int DatabaseManager::countRows(const QString& table)
{
    if (!execute(QStringLiteral("select count(1) from ") + table))
        return -1;
    if (!m_pQuery->next())
        return -1;
    const int n = m_pQuery->value(0).toInt();
    m_pQuery->finish();
    return n;
}

namespace {

// PRAGMA rows whose second column holds the sought name anywhere, ignoring case.
bool scanPragma(QSqlQuery* query, const QString& sql, const QString& sought)
{
    if (!query)
        return false;
    query->exec(sql);
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

} // namespace

bool DatabaseManager::indexExists(const QString& table, const QString& index)
{
    return scanPragma(m_pQuery, QStringLiteral("PRAGMA index_list (") + table + QLatin1Char(')'), index);
}

bool DatabaseManager::columnExists(const QString& table, const QString& column)
{
    return scanPragma(m_pQuery, QStringLiteral("PRAGMA table_info (") + table + QLatin1Char(')'), column);
}

bool DatabaseManager::checkDatabase()
{
    qDebug() << "Checking database...";
    struct Table
    {
        const char* name;
        const char* creating;
        const char* sql;
    };
    const Table tables[] = {
        {"campaign", "Creating table", campaignSql},
        {"campaign_details", "Creating table", campaignDetailsSql},
        {"measure", "Creating", measureSql},
    };
    bool result = true;
    for (const Table& t : tables) {
        const QString name = QLatin1String(t.name);
        if (tableExists(name)) {
            qDebug() << (name + QStringLiteral(" table")) << "[Ok]";
            continue;
        }
        qDebug() << t.creating << name;
        const QString sql = QLatin1String(t.sql);
        if (!execute(sql)) {
            qWarning() << "Table creation error" << lastError().text() << (QStringLiteral("table : ") + name) << sql;
            result = false;
            break;
        }
    }
    qDebug() << "Database creation" << result;
    return result;
}

qint16 DatabaseManager::checkUnits()
{
    qDebug() << "Checking units";
    if (m_pQuery && m_pQuery->exec(QStringLiteral("SELECT meas_direction FROM measure WHERE meas_date=0 and meas_speed=0"))
        && m_pQuery->next()) {
        const int v = m_pQuery->value(0).toInt();
        const qint16 units = qint16((v >> 1) & 1);
        m_pQuery->finish();
        qDebug() << "checkUnits : current_direction=" << v << "Units=" << units;
        return units;
    }
    if (m_pQuery)
        m_pQuery->finish();
    qDebug() << "checkUnits : Units=" << 0 << "(default)";
    return 0;
}

int DatabaseManager::readMeasures(MeasureMap& measures, ProgressReporter* progress, qint64& first, qint64& last,
                                  qint16& units, qint64 start, qint64 end, int minimumSpeed)
{
    first = last = 0;
    units = 0;
    if (!m_pQuery) {
        qCritical() << "Error while requesting database with" << "(database closed)";
        return measures.size();
    }

    const QString tail = QStringLiteral("FROM measure "
                                        "WHERE ((meas_date >= :startDate) AND (meas_date <= :endDate)) "
                                        "ORDER BY meas_date ASC");
    QString sql;
    if (columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"))) {
        qDebug() << "Bi-directionnal database detected";
        sql = QStringLiteral("SELECT meas_id,meas_date,meas_speed, meas_direction ") + tail;
    } else {
        qDebug() << "Mono-directionnal database detected - assuming 'ingoing' direction";
        sql = QStringLiteral("SELECT meas_id,meas_date,meas_speed, 0 AS meas_direction ") + tail;
    }
    if (!indexExists(QStringLiteral("measure"), QStringLiteral("idx_date"))) {
        qDebug() << "Adding index to measure ...";
        execute(QStringLiteral("CREATE INDEX idx_date ON measure(meas_date);"));
    }
    units = checkUnits();

    int counter = progress ? progress->value() : 0;
    if (progress) {
        progress->setLabelText(QCoreApplication::translate("DatabaseManager", "Configuration..."));
        progress->processEvents();
    }
    qDebug() << "Starting transaction";
    execute(QStringLiteral("BEGIN;"));
    qDebug() << "Transaction done";

    m_pQuery->setForwardOnly(true);
    bool ok = m_pQuery->prepare(sql);
    if (ok) {
        m_pQuery->bindValue(QStringLiteral(":startDate"), start);
        m_pQuery->bindValue(QStringLiteral(":endDate"), end);
        ok = m_pQuery->exec();
    }
    if (!ok)
        qCritical() << "Error while requesting database with" << sql;

    if (progress) {
        progress->setLabelText(QCoreApplication::translate("DatabaseManager", "Lecture..."));
        progress->processEvents();
    }
    qDebug() << "Extraction : debut = " << timeOfDay();

    bool canceled = false;
    while (ok && !canceled && m_pQuery->next()) {
        if (counter % 1000 == 0 && progress) {
            progress->setValue(counter);
            progress->processEvents();
            canceled = progress->wasCanceled();
        }
        ++counter;
        const qint64 time = m_pQuery->value(1).toLongLong();
        const int speed = m_pQuery->value(2).toInt();
        const int direction = m_pQuery->value(3).toInt();
        if (speed <= minimumSpeed || time < start || time > end)
            continue;
        first = first == 0 ? time : qMin(first, time);
        last = qMax(last, time);
        measures.insert(time, Measure{speed, direction});
    }
    if (ok && m_pQuery->lastError().isValid())
        qCritical() << "Error while reading database" << m_pQuery->lastError().text();
    m_pQuery->finish();

    qDebug() << "Extraction : fin = " << timeOfDay();
    execute(QStringLiteral("END;"));
    qDebug() << "Min=" << localText(first) << "Max=" << localText(last);
    return measures.size();
}
