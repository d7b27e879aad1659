// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;

// The recent databases in the "Fichier" menu, between separators, before a given action.
// Built again each time the menu opens, so a file that has gone shows disabled.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    // The files that have gone since the last start are dropped from the settings here.
    RecentFilesMenu(QMenu* menu, QAction* before);

    void refresh();

signals:
    void openRequested(const QString& file);

private:
    QMenu* m_menu;
    QAction* m_before;
    QList<QAction*> m_separators;
    QList<QAction*> m_files;
};
