// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

class SpeedStatistics;

// The window's read of a measure file into its engine, with its progress and boxes, as the engine
// did it before it stopped opening files. The window is to run AnalysisRunner instead.
class WindowLoad
{
    Q_DECLARE_TR_FUNCTIONS(WindowLoad)

public:
    // Reads the measures of [start, end] above the engine's minimum speed; answers the number of
    // measures held afterwards (those of an earlier read when the file cannot be read).
    static int load(SpeedStatistics& statistics, const QString& file, const QDateTime& start, const QDateTime& end);
    // The units of an existing file's marker row (0 without one). False when the file is missing
    // or cannot be opened.
    static bool readUnits(const QString& file, qint16* units);
};
