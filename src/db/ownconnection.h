// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the database layer's own files share: connections opened for one piece of work on the
// calling thread, beside the working one.

#include <QSqlDatabase>
#include <QString>
#include <atomic>

namespace dbdetail {

// A file another program keeps locked must not freeze the window: give up after this wait.
constexpr const char* connectOptions = "QSQLITE_BUSY_TIMEOUT=1500";

// One counter for every kind of work: each instantiation of the template would have its own.
inline std::atomic<int> ownConnections{0};

// Runs work(db) on a read-only connection of its own, registered under a unique name for the
// calling thread and removed afterwards; db may have failed to open.
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

}   // namespace dbdetail
