// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recentfiles.h"

#include "core/workspace.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace {

const QString kGroup = QStringLiteral("Recent");

QString keyOf(int index)
{
    return QStringLiteral("file%1").arg(index + 1);
}

void write(const QStringList& files)
{
    QSettings settings(Workspace::settingsFile(), QSettings::IniFormat);
    settings.remove(kGroup);
    settings.beginGroup(kGroup);
    for (int i = 0; i < files.size() && i < RecentFiles::maximum; ++i)
        settings.setValue(keyOf(i), files[i]);
    settings.endGroup();
}

bool sameFile(const QString& a, const QString& b)
{
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

}   // namespace

namespace RecentFiles {

QStringList list()
{
    QSettings settings(Workspace::settingsFile(), QSettings::IniFormat);
    settings.beginGroup(kGroup);
    QStringList files;
    for (int i = 0; i < maximum; ++i) {
        const QString file = settings.value(keyOf(i)).toString();
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

void add(const QString& file)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    QStringList files = list();
    files.erase(std::remove_if(files.begin(), files.end(), [&](const QString& f) { return sameFile(f, path); }),
                files.end());
    files.prepend(path);
    write(files);
}

int prune()
{
    const QStringList files = list();
    QStringList kept;
    for (const QString& file : files)
        if (QFileInfo(file).isFile())
            kept << file;
    if (kept.size() != files.size())
        write(kept);
    return files.size() - kept.size();
}

}   // namespace RecentFiles
