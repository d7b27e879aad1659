// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli campaigns: the campaign list the window shows on opening a database, as JSON.
#include "app/cli/commands.h"

#include "campaign/campaignselection.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>

namespace {

QJsonValue isoLocal(const QDateTime& t)
{
    if (!t.isValid())
        return QJsonValue(QJsonValue::Null);
    return t.toString(QStringLiteral("yyyy-MM-dd'T'hh:mm:ss"));
}

}   // namespace

int runCampaigns(const QStringList& args)
{
    QString path;
    bool pretty = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--pretty"))
            pretty = true;
        else if (arg.startsWith(QLatin1String("--")) || !path.isEmpty())
            return fail(QStringLiteral("Argument inattendu : %1 (campaigns FICHIER [--pretty])").arg(arg));
        else
            path = arg;
    }
    if (path.isEmpty())
        return fail(QStringLiteral("Fichier de base de données manquant (campaigns FICHIER [--pretty])"));
    // Opening a missing file would create an empty database: refuse instead.
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        return fail(QStringLiteral("Ce n'est pas un fichier ordinaire : %1").arg(path));
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("Base de données introuvable : %1").arg(path));

    // The window's loading: end dates, first-opening derivation (which may complete the file),
    // then the list, newest first.
    CampaignSelection selection;
    const CampaignSelection::LoadResult result = selection.open(path);
    selection.close();
    // A refusal is one line: the critical notice, which comes first.
    const Notices notices = selection.notices();
    if (result == CampaignSelection::LoadResult::OpenFailed || result == CampaignSelection::LoadResult::Refused) {
        const auto critical = std::find_if(notices.begin(), notices.end(), [](const Notice& n) {
            return n.icon == UserDialogs::Icon::Critical && !n.text.isEmpty();
        });
        return fail(critical != notices.end() ? critical->text.trimmed() : notices.value(0).text.trimmed());
    }
    showNotices(notices);   // on standard error

    QJsonArray campaigns;
    for (int row : selection.rows()) {
        const CampaignInfo c = selection.campaign(row);
        campaigns.append(QJsonObject{{QStringLiteral("id"), c.id},
                                     {QStringLiteral("title"), c.title},
                                     {QStringLiteral("comment"), c.comment},
                                     {QStringLiteral("storeMode"), c.storeMode},
                                     {QStringLiteral("begin"), isoLocal(c.begin)},
                                     {QStringLiteral("end"), isoLocal(c.end)},
                                     {QStringLiteral("created"), isoLocal(c.created)}});
    }
    printJson(QJsonObject{{QStringLiteral("file"), path}, {QStringLiteral("campaigns"), campaigns}}, pretty);
    return 0;
}
