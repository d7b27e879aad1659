// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/databaseconnection.h"

#include "db/ownconnection.h"
#include "db/schema.h"

#include "core/checkedfile.h"
#include "core/userdialogs.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QVariant>

#include <atomic>
#include <system_error>
#include <thread>

namespace {

using dbdetail::connectOptions;
using dbdetail::onOwnConnection;

// Each manager registers its connection under a name of its own: several files may be open at
// once, on several threads.
std::atomic<int> managerConnections{0};

// SQLite's primary result codes the program tells apart.
enum SqliteCode {
    sqliteBusy = 5,
    sqliteLocked = 6,
    sqliteNoMemory = 7,
    sqliteReadOnly = 8,
    sqliteIoError = 10,
    sqliteCorrupt = 11,
    sqliteFull = 13,
    sqliteNotADatabase = 26,
};

int sqliteCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xFF : 0;
}

// SQLite's own words, for the parentheses of a French sentence.
QString sqliteText(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.driverText().trimmed() : text;
}

// Nobody's write permission counts as read-only, for an administrator too: someone made the file
// so on purpose. SQLite also needs the folder for its journal.
bool writable(const QString& path)
{
    const QFileInfo info(path);
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite) && QFileInfo(info.absolutePath()).isWritable();
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

bool DatabaseConnection::open(const QString& path, bool readOnly)
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
    m_readOnly = readOnly || (!m_isNew && !writable(path));
    m_writeChecked = false;
    m_wholeChecked = false;
    m_problem = FileProblem::None;
    m_problemReason.clear();
    m_problemDuringRead = false;
    m_notice = Notice();
    m_scratchTables.clear();
    m_database.setConnectOptions((m_readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;") : QString())
                                 + QLatin1String(connectOptions));

    QSqlError error;
    bool ok = m_isNew || isRegularFile(path);
    if (!ok)
        setProblem(FileProblem::NotMeasureDatabase, tr("ce n'est pas un fichier ordinaire"));
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
            m_notice = Notice{UserDialogs::Icon::Critical, tr("Base de données"),
                              tr("Le fichier %1 ne peut pas être ouvert (%2).").arg(path, sqliteText(error))};
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
    checkWhole();
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

bool DatabaseConnection::checkWhole()
{
    if (!m_query)
        return false;
    if (m_wholeChecked)
        return m_problem == FileProblem::None;
    m_wholeChecked = true;
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
    if (m_writeCheck || m_wholeChecked || !m_query || m_readOnly || m_isNew || m_problem != FileProblem::None)
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
        return tr("Le fichier %1 n'est pas une base de mesures (%2) ; il est laissé tel quel.")
            .arg(m_filePath, m_problemReason.isEmpty() ? tr("il n'a pas de table measure") : m_problemReason);
    case FileProblem::Damaged:
        if (m_problemDuringRead)
            return tr("Le fichier %1 est endommagé : lecture interrompue (%2).").arg(m_filePath, m_problemReason);
        return tr("La base de données %1 est endommagée (%2). Rien n'y a été écrit ; faites vérifier une copie de ce "
                  "fichier.")
            .arg(m_filePath, m_problemReason);
    case FileProblem::Locked:
        return tr("La base de données %1 est utilisée par un autre programme. Fermez-le, puis recommencez.")
            .arg(m_filePath);
    case FileProblem::DiskFull:
        return tr("Impossible d'écrire dans %1 : le disque est plein ou en erreur (%2). Rien n'a été enregistré ; "
                  "libérez de la place, puis recommencez.")
            .arg(m_filePath, m_problemReason);
    case FileProblem::ReadOnly:
        return tr("Impossible d'écrire dans %1 : le fichier ou son disque est en lecture seule (%2). Rien n'a été "
                  "enregistré.")
            .arg(m_filePath, m_problemReason);
    case FileProblem::WriteFailed:
        return tr("L'écriture dans %1 a échoué (%2) : rien n'a été enregistré.").arg(m_filePath, m_problemReason);
    }
    return QString();
}

DatabaseConnection::FileProblem DatabaseConnection::problemOf(const QSqlError& error)
{
    switch (sqliteCode(error)) {
    case sqliteCorrupt: return FileProblem::Damaged;
    case sqliteNotADatabase: return FileProblem::NotMeasureDatabase;
    case sqliteBusy:
    case sqliteLocked: return FileProblem::Locked;
    case sqliteFull:
    case sqliteIoError: return FileProblem::DiskFull;
    case sqliteReadOnly: return FileProblem::ReadOnly;
    default: return FileProblem::None;
    }
}

void DatabaseConnection::noteError(const QSqlError& error)
{
    // A statement that meets a damaged page was reading it.
    const FileProblem problem = problemOf(error);
    if (problem != FileProblem::None)
        setProblem(problem, sqliteText(error), problem == FileProblem::Damaged);
}

void DatabaseConnection::noteReadError(const QSqlError& error)
{
    const FileProblem problem = problemOf(error);
    if (problem == FileProblem::Locked)
        setProblem(problem, sqliteText(error));
    else if (sqliteCode(error) != sqliteNoMemory)
        setProblem(FileProblem::Damaged, sqliteText(error), true);
}

bool DatabaseConnection::mayReadAnotherWay(const QSqlError& error)
{
    if (problemOf(error) != FileProblem::None) {
        noteReadError(error);
        return false;
    }
    return checkWhole();
}

void DatabaseConnection::noteWriteError(const QSqlError& error)
{
    const FileProblem problem = problemOf(error);
    setProblem(problem == FileProblem::None ? FileProblem::WriteFailed : problem, sqliteText(error));
}

void DatabaseConnection::setProblem(FileProblem problem, const QString& reason, bool duringRead)
{
    if (m_problem != FileProblem::None)
        return;
    m_problem = problem;
    m_problemReason = reason;
    m_problemDuringRead = duringRead;
    qWarning() << "Database problem" << int(problem) << m_filePath << reason;
    // While opening, this is the message of a file that cannot be opened.
    m_notice = Notice{UserDialogs::Icon::Critical, m_query ? tr("Statistiques") : tr("Base de données"), problemText()};
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
    return m_query && m_query->lastError().isValid() ? m_query->lastError() : m_database.lastError();
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

qint64 DatabaseConnection::valueOnOwnConnection(const QString& path, const QString& sql, QSqlError* error)
{
    qint64 value = -1;
    if (!QFileInfo(path).isFile())
        return value;
    onOwnConnection(path, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (db.isOpen() && query.exec(sql) && query.next() && !query.value(0).isNull())
            value = query.value(0).toLongLong();
        else if (error)
            *error = db.isOpen() ? query.lastError() : db.lastError();
    });
    return value;
}
