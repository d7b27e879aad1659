// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

// The main figures of the JSON's "summary" object as a few French lines.
QString summaryLines(const QJsonObject& summary, const QString& units);
