// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
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
bool writeMeasureDb(const QString& path, const QVector<Row>& rows, bool withDirection = true, int unitsMarker = -1);

// rows with the date index, then a table page a quarter into the file ruined: a read walking the
// index meets it. Needs a few thousand rows.
bool writeDamagedDb(const QString& path, const QVector<Row>& rows);

// The bytes of a file; empty when it cannot be read. Compared before and after, they tell that
// a file was left as it was.
QByteArray fileBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

// Runs one statement on a file; for setting up odd cases.
bool execSql(const QString& path, const QString& sql);

struct MeasureRead;
// The program's read of a file's period, readings faster than minSpeed; nothing read when the
// file does not open.
MeasureRead readMeasureFile(const QString& path, qint64 from = 1, qint64 to = 253402300799LL, int minSpeed = 0);

// Unix seconds of a local date-time written "yyyy-MM-dd hh:mm:ss".
qint64 localTime(const QString& text);

struct CliRun
{
    int exitCode = -1;   // -1 when it crashed or did not finish
    QByteArray out;
    QString err;
};
// tramola-cli ARGS, run in home with HOME and the XDG folders inside it, so that it neither reads
// nor writes the user's own files.
CliRun runCli(const QString& home, const QStringList& args, int timeoutMs = 60000);

// While it lives, no file of this process grows past bytes, as on a full disk: writes beyond
// fail instead of raising SIGXFSZ. Unix only; active() is false elsewhere.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    bool active() const { return m_active; }

private:
    bool m_active = false;
    qint64 m_previous = -1;
};

// A FIFO at path; false where the system has none.
bool makeFifo(const QString& path);
