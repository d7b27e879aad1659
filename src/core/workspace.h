// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The per-user folders: a documents root and a data root, each ending in "/zancom/".
// Paths are computed once, then read-only; folder paths end with a slash.
namespace Workspace {

// From the platform's documents and generic local data folders.
void computeRoots();
// For tests and tools: roots of one's choosing (slashes added where missing).
void setRoots(const QString& documentsRoot, const QString& dataRoot);

QString documentsRoot();
QString dataRoot();
QString logFolder();
QString logFile();
QString statisticsFolder();
QString shareFolder();
QString configurationFolder();
QString settingsFile();
QString dataFolder();
QString kmhSpeedAreaFile();
QString mphSpeedAreaFile();
QString fontsFolder();

// The speed area file of a units code: km/h for 0, mph for any other.
QString speedAreaFile(int units);

// Creates the missing folders one level at a time, roots first, reporting each.
void establish();

}   // namespace Workspace

// The settings file "zancom.ini", group "Data": the measure file last opened (keys
// "statisticsFile" and "statisticsPath") and the last export ("exportFile", "exportPath").
// A missing key reads as the empty text; nothing is cached between calls.
QString lastMeasureFile();
QString lastMeasureFolder();
// Each also keeps the file's absolute folder.
void setLastMeasureFile(const QString& file);
QString lastExportFile();
QString exportFolder();
void setLastExportFile(const QString& file);
void setExportFolder(const QString& folder);

// The speed area last chosen for a units code (key "speedArea<units>" of group "Data"); empty
// when none was.
QString getSpeedAreaChoice(int units);
void setSpeedAreaChoice(int units, const QString& name);

// What the window keeps of its layout between runs (group "Window": "geometry", "splitter");
// empty when nothing was kept.
QByteArray getWindowLayout(const QString& name);
void setWindowLayout(const QString& name, const QByteArray& value);
