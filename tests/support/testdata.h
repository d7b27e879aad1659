#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

// Small hand-made measure databases for tests, written with SQLite itself so that the code under
// test reads what a radar wrote, not what our own writer wrote.
struct Row
{
    qint64 time;
    int speed;
    int direction;
};

// The radar's measure table, without campaign tables. Without direction the column is absent.
// unitsMarker >= 0 adds the marker row (time 0, speed 0) with that direction value.
bool writeMeasureDb(const QString& path, const QVector<Row>& rows, bool withDirection = true,
                    int unitsMarker = -1);

// Runs one statement on a file; for setting up odd cases.
bool execSql(const QString& path, const QString& sql);

// Unix seconds of a local date-time written "yyyy-MM-dd hh:mm:ss".
qint64 localTime(const QString& text);
