// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <memory>

class QCoreApplication;
class QJsonObject;
class SpeedArea;

// Each command gets the arguments after its name and answers the exit status.
// Failures print one French line on standard error and answer non-zero.
int runGendb(const QStringList& args);
int runAreas(const QStringList& args);
int runImportAreas(const QStringList& args);
int runStats(const QStringList& args);
int runCampaigns(const QStringList& args);
int runPaths(const QStringList& args);
int runReport(const QStringList& args);
int runCompare(const QStringList& args);
int runFleet(const QStringList& args);
int runSite(const QStringList& args);

// report draws charts: the one command that starts the widgets (off screen without a display).
std::unique_ptr<QCoreApplication> createReportApplication(int& argc, char** argv);

// Prints one line on standard error; answers 1 for "return fail(...)".
int fail(const QString& line);

// Units code of "kmh", "mph" or "knots" in any case; -1 when unknown.
int unitsCode(const QString& name);
// The speed areas of units from path, as the window reads them. A file there that cannot be read
// whole leaves the units' defaults; the line saying so is answered, and printed on standard
// error when note is set.
QString readAreaFile(SpeedArea& areas, int units, const QString& path, bool note = true);
// root on standard output, on one line or indented, ending with a line feed.
void printJson(const QJsonObject& root, bool pretty);
