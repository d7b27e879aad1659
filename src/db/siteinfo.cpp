// SPDX-License-Identifier: GPL-3.0-or-later
// The site table: DatabaseConnection operations that the radar's own tables never need.
#include "db/siteinfo.h"

#include "db/databaseconnection.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char* const kLocation = "location";
const char* const kComment = "comment";
const char* const kSpeedLimit = "speed_limit";

}   // namespace

SiteInfo DatabaseConnection::readSiteInfo()
{
    SiteInfo info;
    if (!m_database.isOpen() || !tableExists(QStringLiteral("tramola_site")))
        return info;
    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("SELECT site_key, site_value FROM tramola_site")))
        return info;
    while (query.next()) {
        const QString key = query.value(0).toString();
        const QString value = query.value(1).toString();
        if (key == QLatin1String(kLocation)) {
            info.location = value;
        } else if (key == QLatin1String(kComment)) {
            info.comment = value;
        } else if (key == QLatin1String(kSpeedLimit)) {
            bool ok = false;
            const int limit = value.toInt(&ok);
            if (ok && limit >= 0 && limit <= 1000)
                info.speedLimit = limit;
        }
    }
    return info;
}

bool DatabaseConnection::writeSiteInfo(const SiteInfo& values)
{
    // Not into a damaged, locked or foreign file either.
    if (!m_database.isOpen() || !mayWrite())
        return false;
    QList<QPair<QString, QString>> rows;
    if (values.location)
        rows.append({QLatin1String(kLocation), *values.location});
    if (values.comment)
        rows.append({QLatin1String(kComment), *values.comment});
    if (values.speedLimit)
        rows.append({QLatin1String(kSpeedLimit), QString::number(*values.speedLimit)});
    if (rows.isEmpty())
        return true;

    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("BEGIN;")))
        return false;
    bool ok = query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS tramola_site (site_key TEXT PRIMARY KEY NOT NULL, "
                                        "site_value TEXT NOT NULL DEFAULT '');"));
    ok =
        ok && query.prepare(QStringLiteral("INSERT OR REPLACE INTO tramola_site (site_key, site_value) VALUES (?, ?)"));
    for (int i = 0; ok && i < rows.size(); ++i) {
        query.bindValue(0, rows[i].first);
        query.bindValue(1, rows[i].second);
        ok = query.exec();
    }
    if (!ok)
        qWarning() << "Site information not written:" << query.lastError().text();
    query.exec(ok ? QStringLiteral("COMMIT;") : QStringLiteral("ROLLBACK;"));
    return ok && !query.lastError().isValid();
}

SiteInfo readSiteInfo(const QString& file)
{
    // Opening would create a missing file.
    if (!QFileInfo(file).isFile())
        return SiteInfo();
    DatabaseConnection db;
    if (!db.open(file))
        return SiteInfo();
    const SiteInfo info = db.readSiteInfo();
    db.close();
    return info;
}

bool writeSiteInfo(const QString& file, const SiteInfo& values)
{
    // A file marked read-only stays untouched, even for a user whom the system would let write.
    const QFileInfo info(file);
    const bool marked = !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    if (!info.isFile() || !info.isWritable() || marked)
        return false;
    DatabaseConnection db;
    if (!db.open(file))
        return false;
    const bool ok = db.writeSiteInfo(values);
    db.close();
    return ok;
}
