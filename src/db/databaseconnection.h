// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/userdialogs.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSet>
#include <QString>

#include <memory>

struct SiteInfo;

// The only way the program reaches a measure database: one file, opened for one piece of work.
//
// What the program may do to a file, for every change it makes (missing tables, the date index,
// campaigns, end dates, deletions, edits, and any table added later):
// - Only a regular file is opened (a FIFO would block).
// - A read-only file (no write permission for anyone, or an unwritable folder for SQLite's
//   journal) is opened read-only and analysed without writing: tables the analysis needs and
//   the file lacks are made TEMP tables of the connection, gone at close.
// - A file that existed without a `measure` table is no measure database: nothing is added to
//   it, it stays byte for byte as it was.
// - A damaged file (SQLite reports corruption) and a file another program holds locked are not
//   written either, nor is anything after a write that failed (full disk, read-only medium).
// Every writer asks mayWrite() first and changes nothing when it answers false. The first problem
// found is kept as notice(), for the caller to show: the connection shows nothing itself.
class DatabaseConnection
{
    Q_DECLARE_TR_FUNCTIONS(DatabaseConnection)

public:
    enum class FileProblem {
        None,
        NotMeasureDatabase,   // no `measure` table, not an SQLite file, not a regular file
        Damaged,   // SQLite found corrupt pages, or a read stopped on an error
        Locked,   // another program holds the file
        DiskFull,   // a write failed for want of room, or on a disk error
        ReadOnly,   // the system refused a write
        WriteFailed,   // any other failed write: it was rolled back
    };

    DatabaseConnection();
    ~DatabaseConnection();
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    // False when the file cannot be opened; notice() says why. readOnly opens the file as a
    // read-only one, whatever its permissions: nothing is written to it (an archive read in bulk).
    bool open(const QString& path, bool readOnly = false);
    void close();
    bool isNewDatabase() const;
    // The error of the last statement execute() ran when it failed, else the connection's own.
    QSqlError lastError() const;
    bool execute(const QString& sql);
    QSqlQuery getRecord(const QString& sql);
    // A fresh query on this connection, for prepared statements run many times.
    QSqlQuery newQuery() const { return QSqlQuery(m_database); }
    // The connection itself, for what the manager does not wrap (SQLite's own hooks).
    QSqlDatabase connection() const { return m_database; }
    bool tableExists(const QString& name);
    // -1 when the statement fails or yields no row.
    int countRows(const QString& table);
    bool indexExists(const QString& table, const QString& index);
    bool columnExists(const QString& table, const QString& column);
    bool checkDatabase();

    // 0 km/h, 1 mph, from the units marker row; 0 when there is none.
    qint16 checkUnits();
    QString filePath() const { return m_filePath; }

    // The site table (siteinfo.h): read, or written for the values given (creating the table).
    SiteInfo readSiteInfo();
    bool writeSiteInfo(const SiteInfo& values);
    bool isReadOnly() const { return m_readOnly; }
    // True when the file may be changed: open, not read-only, a measure database (or a new file),
    // whole by SQLite's quick check and not locked. The checks run once per opening.
    bool mayWrite();
    // Starts mayWrite()'s whole-file check on a connection and thread of its own, so that reading
    // work goes on meanwhile; the next mayWrite() waits for it.
    void prepareWriteCheck();
    FileProblem problem() const { return m_problem; }
    // The French sentence saying what the problem is; empty without one.
    QString problemText() const;
    // What went wrong first: the problem, or why the file would not open (SQLite's words); an
    // empty text while nothing did.
    Notice notice() const { return m_notice; }
    // Takes note of what a failed statement tells about the file (damaged, locked, full disk,
    // read-only, not a database); other failures are no problem of the file.
    void noteError(const QSqlError& error);
    // A read that stopped on error: the file is damaged, unless it is locked. The message says the
    // read was interrupted.
    void noteReadError(const QSqlError& error);
    // After a read that stopped on error, whether another way may read the file: false (the problem
    // noted) when the error or the whole-file check says it is damaged or locked.
    bool mayReadAnotherWay(const QSqlError& error);
    // A write that failed and was rolled back: what noteError() makes of it, else WriteFailed.
    void noteWriteError(const QSqlError& error);
    // The whole-file check of mayWrite(), run now when it has not run: false (and the problem
    // noted) when the file is damaged or cannot be checked.
    bool checkWhole();
    // True once tables had to be made TEMP tables because the file is read-only.
    bool hasScratchTables() const { return !m_scratchTables.isEmpty(); }
    // The first value of a one-row query on a read-only connection of the calling thread's own,
    // for counts that may read the whole file away from the window's thread; -1 on failure, with
    // the statement's error in *error when given.
    static qint64 valueOnOwnConnection(const QString& path, const QString& sql, QSqlError* error = nullptr);

private:
    // The whole-file check's first complaint ("ok" when none); false with its error when it could not run.
    bool runQuickCheck(QString* verdict, QSqlError* error);
    void joinWriteCheck();
    // The first problem found is kept; later ones are not.
    void setProblem(FileProblem problem, const QString& reason, bool duringRead = false);
    // The problem a failed statement shows; None when it tells nothing about the file.
    static FileProblem problemOf(const QSqlError& error);

    const QString m_connectionName;
    QSqlDatabase m_database;
    QSqlQuery* m_query = nullptr;
    QString m_filePath;
    bool m_isNew = false;
    bool m_readOnly = false;
    bool m_writeChecked = false;
    bool m_wholeChecked = false;
    FileProblem m_problem = FileProblem::None;
    QString m_problemReason;
    bool m_problemDuringRead = false;
    QSet<QString> m_scratchTables;
    Notice m_notice;
    struct WriteCheck;
    std::unique_ptr<WriteCheck> m_writeCheck;
};
