// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli areas: the speed areas the window would offer, in its order, as JSON.
#include "app/cli/commands.h"

#include "core/workspace.h"
#include "speedarea/speedarea.h"

#include <QJsonArray>
#include <QJsonObject>

int runAreas(const QStringList& args)
{
    QString unitsName = QStringLiteral("kmh");
    QString path;
    bool pretty = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--pretty")) {
            pretty = true;
        } else if (arg == QLatin1String("--units") || arg == QLatin1String("--file")) {
            if (i + 1 >= args.size())
                return fail(QStringLiteral("L'option %1 attend une valeur.").arg(arg));
            (arg == QLatin1String("--units") ? unitsName : path) = args.at(++i);
        } else {
            return fail(
                QStringLiteral("Argument inattendu : %1 (areas [--units kmh|mph|knots] [--file CHEMIN] [--pretty])")
                    .arg(arg));
        }
    }
    const int units = unitsCode(unitsName);
    if (units < 0)
        return fail(QStringLiteral("Unités inconnues : %1 (kmh, mph ou knots)").arg(unitsName));
    unitsName = unitsName.toLower();
    if (path.isEmpty())
        path = Workspace::speedAreaFile(units);

    SpeedArea model;
    readAreaFile(model, units, path);

    QJsonArray areas;
    for (const QString& name : sortAreaNames(model.areaNames())) {
        QJsonArray classes;
        for (const SampleRecord& record : model.intervals(name))
            classes.append(QJsonArray{record.minSpeed, record.maxSpeed});
        areas.append(QJsonObject{{QStringLiteral("name"), name}, {QStringLiteral("classes"), classes}});
    }
    const QJsonObject root{
        {QStringLiteral("units"), unitsName}, {QStringLiteral("file"), path}, {QStringLiteral("areas"), areas}};
    printJson(root, pretty);
    return 0;
}
