// tramola-cli areas: the speed areas the window would offer, in its order, as JSON.
#include "commands.h"

#include "core/workspace.h"
#include "speedarea/speedarea.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

// Units code of an argument; -1 when unknown.
int unitsCode(const QString& text)
{
    const QString t = text.toLower();
    if (t == QLatin1String("kmh"))
        return 0;
    if (t == QLatin1String("mph"))
        return 1;
    if (t == QLatin1String("knots"))
        return 2;
    return -1;
}

} // namespace

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
            return fail(QStringLiteral("Argument inattendu : %1 (areas [--units kmh|mph|knots] [--file CHEMIN] [--pretty])").arg(arg));
        }
    }
    const int units = unitsCode(unitsName);
    if (units < 0)
        return fail(QStringLiteral("Unités inconnues : %1 (kmh, mph ou knots)").arg(unitsName));
    unitsName = unitsName.toLower();
    if (path.isEmpty())
        path = Workspace::speedAreaFile(units);

    // The window's sequence: units first (their defaults), then the file of those units.
    SpeedArea model;
    model.setUnits(units);
    model.setFile(path);
    if (QFile::exists(path) && !model.readError().isEmpty()) {
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("Fichier de zones illisible (%1), zones par défaut : %2")
                         .arg(model.readError(), path)
                         .toLocal8Bit()
                         .constData());
    }

    QJsonArray areas;
    for (const QString& name : sortAreaNames(model.areaNames())) {
        QJsonArray classes;
        for (const SampleRecord& record : model.intervals(name))
            classes.append(QJsonArray{record.minSpeed, record.maxSpeed});
        areas.append(QJsonObject{{QStringLiteral("name"), name}, {QStringLiteral("classes"), classes}});
    }
    const QJsonObject root{{QStringLiteral("units"), unitsName},
                           {QStringLiteral("file"), path},
                           {QStringLiteral("areas"), areas}};
    const QByteArray json = QJsonDocument(root).toJson(pretty ? QJsonDocument::Indented : QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    if (!json.endsWith('\n'))
        std::fputc('\n', stdout);
    return 0;
}
