// SPDX-License-Identifier: GPL-3.0-or-later
// What several commands do alike: units names, the speed area file, JSON output.
#include "app/cli/commands.h"

#include "speedarea/speedarea.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

int unitsCode(const QString& name)
{
    const QString t = name.toLower();
    if (t == QLatin1String("kmh"))
        return 0;
    if (t == QLatin1String("mph"))
        return 1;
    if (t == QLatin1String("knots"))
        return 2;
    return -1;
}

QString readAreaFile(SpeedArea& areas, int units, const QString& path, bool note)
{
    // The window's sequence: units first (their defaults), then the file of those units.
    areas.setUnits(units);
    areas.setFile(path);
    const QString damaged = areas.damagedText();
    if (note && !damaged.isEmpty())
        std::fprintf(stderr, "%s\n", damaged.toLocal8Bit().constData());
    return damaged;
}

void printJson(const QJsonObject& root, bool pretty)
{
    const QByteArray json = QJsonDocument(root).toJson(pretty ? QJsonDocument::Indented : QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    if (!json.endsWith('\n'))
        std::fputc('\n', stdout);
}
