// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/commands.h"

#include "core/workspace.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

int runPaths(const QStringList& args)
{
    const QJsonObject paths{
        {"documentsRoot", Workspace::documentsRoot()},
        {"dataRoot", Workspace::dataRoot()},
        {"statistics", Workspace::statisticsFolder()},
        {"configuration", Workspace::configurationFolder()},
        {"settings", Workspace::settingsFile()},
        {"share", Workspace::shareFolder()},
        {"data", Workspace::dataFolder()},
        {"kmhSpeedAreas", Workspace::kmhSpeedAreaFile()},
        {"mphSpeedAreas", Workspace::mphSpeedAreaFile()},
        {"log", Workspace::logFile()},
        {"fonts", Workspace::fontsFolder()},
    };
    if (args.size() == 1 && !args.first().startsWith(QLatin1Char('-'))) {
        if (!paths.contains(args.first()))
            return fail(QStringLiteral("Chemin inconnu : %1").arg(args.first()));
        std::printf("%s\n", paths.value(args.first()).toString().toLocal8Bit().constData());
        return 0;
    }
    if (!args.isEmpty() && args != QStringList{QStringLiteral("--pretty")})
        return fail(QStringLiteral("Usage : tramola-cli paths [NOM | --pretty]"));
    const auto format = args.isEmpty() ? QJsonDocument::Compact : QJsonDocument::Indented;
    std::printf("%s", QJsonDocument(paths).toJson(format).constData());
    if (format == QJsonDocument::Compact)
        std::printf("\n");
    return 0;
}
