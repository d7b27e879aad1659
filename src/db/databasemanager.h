#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

class MeasureMap;
class ProgressReporter;
struct SiteInfo;

// The only way the program reaches a measure database: one file, opened for one piece of work.
class DatabaseManager : public QObject
{
public:
    DatabaseManager();
    ~DatabaseManager() override;

    // False (after the "Database manager" box) when the file cannot be opened.
    bool openDatabase(const QString& path);
    void closeDatabase();
    bool isNewDatabase() const;
    QSqlError lastError() const;
    bool execute(const QString& sql);
    QSqlQuery getRecord(const QString& sql);
    bool tableExists(const QString& name);
    // -1 when the statement fails or yields no row.
    int countRows(const QString& table);
    bool indexExists(const QString& table, const QString& index);
    bool columnExists(const QString& table, const QString& column);
    bool checkDatabase();

    // 0 km/h, 1 mph, from the units marker row; 0 when there is none.
    qint16 checkUnits();
    // Adds the measures of [start, end] faster than minimumSpeed to measures; first/last 0 when none.
    int readMeasures(MeasureMap& measures, ProgressReporter* progress, qint64& first, qint64& last,
                     qint16& units, qint64 start, qint64 end, int minimumSpeed);

    QString filePath() const { return m_szFilePath; }

    // Rows of the measure table timed within [start, end], whatever their speed; -1 when they
    // cannot be counted.
    qint64 countReadings(qint64 start, qint64 end);
    // The same count for the period of the last readMeasures(), which counts its rows anyway to
    // size the map; -1 when it did not.
    qint64 periodRows() const { return m_nPeriodRows; }
    // The site table (siteinfo.h): read, or written for the values given (creating the table).
    SiteInfo readSiteInfo();
    bool writeSiteInfo(const SiteInfo& values);

    // Periods of at least this many rows are read as two time slices on two connections at once
    // (the result is the same); tests lower it to reach that path with small files.
    static void setParallelReadThreshold(qint64 rows);

private:
    // False when the slices cannot be counted; the caller then reads on the working query alone.
    bool readInSlices(MeasureMap& measures, ProgressReporter* progress, int& counter, const QString& sql,
                      qint64 start, qint64 end, qint64 split, int minimumSpeed, QString* readError,
                      qint64* outOfMemory);

    QSqlDatabase m_database;
    QSqlQuery* m_pQuery = nullptr;
    QString m_szFilePath;
    bool m_bIsNew = false;
    qint64 m_nPeriodRows = -1;
};
