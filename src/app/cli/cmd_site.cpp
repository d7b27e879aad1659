// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli site: what a measure file keeps about its site, stored and printed as JSON.
#include "app/cli/commands.h"

#include "analysis/speedstatistics.h"
#include "db/databaseconnection.h"
#include "db/siteinfo.h"

#include <QFileInfo>
#include <QJsonObject>

namespace {

const char* const kUsage = "site FICHIER [--location TEXTE] [--comment TEXTE] [--limit N] [--pretty]";

}   // namespace

int runSite(const QStringList& args)
{
    QString path;
    SiteInfo given;
    bool pretty = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--pretty")) {
            pretty = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            if (!path.isEmpty())
                return fail(QStringLiteral("Argument inattendu : %1 (%2)").arg(arg, QLatin1String(kUsage)));
            path = arg;
            continue;
        }
        if (arg != QLatin1String("--location") && arg != QLatin1String("--comment") && arg != QLatin1String("--limit"))
            return fail(QStringLiteral("Option inconnue : %1 (%2)").arg(arg, QLatin1String(kUsage)));
        if (i + 1 >= args.size())
            return fail(QStringLiteral("L'option %1 attend une valeur.").arg(arg));
        const QString value = args.at(++i);
        if (arg == QLatin1String("--location")) {
            given.location = value;
        } else if (arg == QLatin1String("--comment")) {
            given.comment = value;
        } else {
            bool ok = false;
            const int limit = value.toInt(&ok);
            if (!ok || limit < 0 || limit > 1000)
                return fail(QStringLiteral("Vitesse limite invalide : %1 (0, aucune limite, à 1000)").arg(value));
            given.speedLimit = limit;
        }
    }
    if (path.isEmpty())
        return fail(QStringLiteral("Fichier de mesures manquant (%1)").arg(QLatin1String(kUsage)));
    // Opening a missing file would create an empty database.
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        return fail(QStringLiteral("Ce n'est pas un fichier ordinaire : %1").arg(path));
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("Fichier introuvable : %1").arg(path));

    DatabaseConnection db;
    if (!db.open(path))
        return fail(QStringLiteral("Ouverture %1 impossible (%2)").arg(path, db.notice().text.trimmed()));
    if (db.problem() != DatabaseConnection::FileProblem::None)
        return fail(db.problemText());
    const qint16 units = db.checkUnits();
    db.close();
    // The window's rules: never into a read-only, damaged, locked or foreign file.
    if (!given.isEmpty() && !writeSiteInfo(path, given))
        return fail(QStringLiteral("Le fichier %1 ne peut pas être modifié : informations du site non enregistrées.")
                        .arg(path));

    const SiteInfo site = readSiteInfo(path);
    const auto text = [](const std::optional<QString>& v) { return v ? QJsonValue(*v) : QJsonValue(); };
    printJson(QJsonObject{{QStringLiteral("file"), QFileInfo(path).absoluteFilePath()},
                          {QStringLiteral("units"), SpeedStatistics::unitLabel(units)},
                          {QStringLiteral("location"), text(site.location)},
                          {QStringLiteral("comment"), text(site.comment)},
                          {QStringLiteral("limit"), site.speedLimit ? QJsonValue(*site.speedLimit) : QJsonValue()}},
              pretty);
    return 0;
}
