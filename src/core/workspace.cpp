// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace.h"

#include "core/checkedfile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace {

QString g_documentsRoot;
QString g_dataRoot;

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QVariant readValue(const QString& group, const QString& name)
{
    // QSettings would block on a FIFO in the file's place.
    if (name.isEmpty() || !isMissingOrRegularFile(Workspace::settingsFile()))
        return QVariant();
    QSettings settings(Workspace::settingsFile(), QSettings::IniFormat);
    settings.beginGroup(group);
    const QVariant value = settings.value(name);
    settings.endGroup();
    return value;
}

void writeValue(const QString& group, const QString& name, const QVariant& value)
{
    if (name.isEmpty() || !isMissingOrRegularFile(Workspace::settingsFile()))
        return;
    QSettings settings(Workspace::settingsFile(), QSettings::IniFormat);
    settings.beginGroup(group);
    settings.setValue(name, value);
    settings.endGroup();
}

QString readKey(const QString& name)
{
    return readValue(QStringLiteral("Data"), name).toString();
}

void writeKey(const QString& name, const QString& value)
{
    writeValue(QStringLiteral("Data"), name, value);
}

QString speedAreaKey(int units)
{
    return QStringLiteral("speedArea%1").arg(units);
}

}   // namespace

namespace Workspace {

void computeRoots()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // The platform folders themselves may be missing on a fresh Unix account (Windows always has
    // them); our own tree below them is still made one level at a time.
    QDir().mkpath(documents);
    QDir().mkpath(data);
    setRoots(documents + QStringLiteral("/zancom/"), data + QStringLiteral("/zancom/"));
}

void setRoots(const QString& documentsRoot, const QString& dataRoot)
{
    g_documentsRoot = withSlash(documentsRoot);
    g_dataRoot = withSlash(dataRoot);
}

QString documentsRoot()
{
    return g_documentsRoot;
}
QString dataRoot()
{
    return g_dataRoot;
}
QString logFolder()
{
    return g_dataRoot + QStringLiteral("log/");
}
QString logFile()
{
    return logFolder() + QStringLiteral("log_graph.txt");
}
QString statisticsFolder()
{
    return g_documentsRoot + QStringLiteral("stats/");
}
QString shareFolder()
{
    return g_documentsRoot + QStringLiteral("share/");
}
QString configurationFolder()
{
    return g_documentsRoot + QStringLiteral("configuration/");
}
QString settingsFile()
{
    return configurationFolder() + QStringLiteral("zancom.ini");
}
QString dataFolder()
{
    return g_dataRoot + QStringLiteral("data/");
}
QString kmhSpeedAreaFile()
{
    return dataFolder() + QStringLiteral("spdareakmh.cfg");
}
QString mphSpeedAreaFile()
{
    return dataFolder() + QStringLiteral("spdareamph.cfg");
}
QString fontsFolder()
{
    return g_dataRoot + QStringLiteral("fonts/");
}

QString speedAreaFile(int units)
{
    return units == 0 ? kmhSpeedAreaFile() : mphSpeedAreaFile();
}

void establish()
{
    qDebug() << "QOR_DB_PATH=" << statisticsFolder();
    const QString folders[] = {documentsRoot(),       dataRoot(),   logFolder(),  statisticsFolder(), shareFolder(),
                               configurationFolder(), dataFolder(), fontsFolder()};
    for (const QString& folder : folders) {
        qDebug() << "Checking directory " << folder;
        if (QFileInfo(folder).isDir())
            continue;
        qDebug() << "Checking directory " << folder << " missing";
        // One level only: the roots come first so that their children find a parent.
        if (QDir().mkdir(folder))
            qDebug() << "New directory " << folder << " created";
        else
            qCritical() << "New directory creation " << folder << " Failed";
    }
}

}   // namespace Workspace

namespace {

// "<kind>File" and, derived from it, "<kind>Path".
void writeFileKeys(const char* kind, const QString& file)
{
    writeKey(QLatin1String(kind) + QLatin1String("File"), file);
    writeKey(QLatin1String(kind) + QLatin1String("Path"), QFileInfo(file).absolutePath());
}

}   // namespace

QString lastMeasureFile()
{
    return readKey(QStringLiteral("statisticsFile"));
}
QString lastMeasureFolder()
{
    return readKey(QStringLiteral("statisticsPath"));
}
void setLastMeasureFile(const QString& file)
{
    writeFileKeys("statistics", file);
}
QString lastExportFile()
{
    return readKey(QStringLiteral("exportFile"));
}
QString exportFolder()
{
    return readKey(QStringLiteral("exportPath"));
}
void setLastExportFile(const QString& file)
{
    writeFileKeys("export", file);
}
void setExportFolder(const QString& folder)
{
    writeKey(QStringLiteral("exportPath"), folder);
}

QString getSpeedAreaChoice(int units)
{
    return readKey(speedAreaKey(units));
}
void setSpeedAreaChoice(int units, const QString& name)
{
    writeKey(speedAreaKey(units), name);
}

QByteArray getWindowLayout(const QString& name)
{
    return readValue(QStringLiteral("Window"), name).toByteArray();
}

void setWindowLayout(const QString& name, const QByteArray& value)
{
    writeValue(QStringLiteral("Window"), name, value);
}
