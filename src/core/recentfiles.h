// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The databases opened last, most recent first, kept in the settings file (group "Recent",
// keys "file1" to "file5"). Every call reads or writes the file; nothing is cached.
namespace RecentFiles {

constexpr int maximum = 5;

QStringList list();
// Puts file first (as an absolute path), removing an earlier entry for the same file, and keeps
// the first five.
void add(const QString& file);
// Drops the entries whose file no longer exists; answers how many went.
int prune();

}   // namespace RecentFiles
