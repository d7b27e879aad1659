// SPDX-License-Identifier: GPL-3.0-or-later
#include "testdata.h"

#include "db/databaseconnection.h"
#include "db/measurereader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool execSql(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const bool ok = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

bool writeMeasureDb(const QString& path, const QVector<Row>& rows, bool withDirection, int unitsMarker)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const char* create = withDirection
        ? "CREATE TABLE `measure` (`meas_id` INTEGER PRIMARY KEY AUTOINCREMENT,`meas_date` INTEGER,"
          "`meas_speed` TINYINT,`meas_direction` TINYINT);"
        : "CREATE TABLE `measure` (`meas_id` INTEGER PRIMARY KEY AUTOINCREMENT,`meas_date` INTEGER,"
          "`meas_speed` TINYINT);";
    bool ok = sqlite3_exec(db, create, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_stmt* insert = nullptr;
    const char* sql = withDirection ? "INSERT INTO measure (meas_date, meas_speed, meas_direction) VALUES (?,?,?)"
                                    : "INSERT INTO measure (meas_date, meas_speed) VALUES (?,?)";
    ok = ok && sqlite3_prepare_v2(db, sql, -1, &insert, nullptr) == SQLITE_OK;
    QVector<Row> all = rows;
    if (unitsMarker >= 0 && withDirection)
        all.prepend(Row{0, 0, unitsMarker});
    for (const Row& r : all) {
        if (!ok)
            break;
        sqlite3_bind_int64(insert, 1, r.time);
        sqlite3_bind_int(insert, 2, r.speed);
        if (withDirection)
            sqlite3_bind_int(insert, 3, r.direction);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

bool writeDamagedDb(const QString& path, const QVector<Row>& rows)
{
    if (!writeMeasureDb(path, rows) || !execSql(path, QStringLiteral("CREATE INDEX idx_date ON measure(meas_date)")))
        return false;
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.seek(f.size() / 4096 / 4 * 4096)
        && f.write(QByteArray(4096, char(0x5a))) == 4096;
}

qint64 localTime(const QString& text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss")).toSecsSinceEpoch();
}

static QProcessEnvironment homeEnvironment(const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    // French, as the tests expect, whatever the language of the machine running them; the
    // French-locale run keeps its locale.
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LC_ALL"), qEnvironmentVariable("TRAMOLA_TEST_LOCALE", QStringLiteral("C.UTF-8")));
    return env;
}

CliRun runCli(const QString& home, const QStringList& args, int timeoutMs)
{
    QProcess cli;
    cli.setProcessEnvironment(homeEnvironment(home));
    cli.setWorkingDirectory(home);
    cli.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"), args);
    CliRun run;
    if (cli.waitForFinished(timeoutMs) && cli.exitStatus() == QProcess::NormalExit)
        run.exitCode = cli.exitCode();
    run.out = cli.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return run;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
#ifdef Q_OS_UNIX
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previous = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(bytes);
    std::signal(SIGXFSZ, SIG_IGN);
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
#else
    Q_UNUSED(bytes)
#endif
}

FileSizeLimit::~FileSizeLimit()
{
#ifdef Q_OS_UNIX
    rlimit limit{};
    if (m_active && getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = rlim_t(m_previous);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, SIG_DFL);
#endif
}

bool makeFifo(const QString& path)
{
#ifdef Q_OS_UNIX
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
    Q_UNUSED(path)
    return false;
#endif
}

MeasureRead readMeasureFile(const QString& path, qint64 from, qint64 to, int minSpeed)
{
    DatabaseConnection db;
    if (!db.open(path))
        return MeasureRead();
    return MeasureReader::read(db, from, to, minSpeed, nullptr);
}
