// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

// The limit of stats' summary: --limit (when above 0), else the one stored in the file (0 there
// means none), else the first whole number of the area's name, as the window does.
std::optional<int> summaryLimit(int option, const QString& file, const QString& area);

// The main figures of the JSON's "summary" object as a few French lines.
QString summaryLines(const QJsonObject& summary, const QString& units);
