#pragma once

#include <QStringList>
#include <memory>

class QCoreApplication;

// Each command gets the arguments after its name and answers the exit status.
// Failures print one French line on standard error and answer non-zero.
int runGendb(const QStringList& args);
int runAreas(const QStringList& args);
int runImportAreas(const QStringList& args);
int runStats(const QStringList& args);
int runCampaigns(const QStringList& args);
int runPaths(const QStringList& args);
int runReport(const QStringList& args);

// report draws charts: the one command that starts the widgets (off screen without a display).
std::unique_ptr<QCoreApplication> createReportApplication(int& argc, char** argv);

// Prints one line on standard error; answers 1 for "return fail(...)".
int fail(const QString& line);
