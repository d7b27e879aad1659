// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/recentfilesmenu.h"

#include "core/recentfiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QAction* before) : QObject(menu), m_menu(menu), m_before(before)
{
    RecentFiles::prune();
    m_menu->setToolTipsVisible(true);
    connect(m_menu, &QMenu::aboutToShow, this, &RecentFilesMenu::refresh);
    refresh();
}

void RecentFilesMenu::refresh()
{
    // Later: refresh() may run from the triggered signal of one of these actions.
    for (QAction* action : m_files + m_separators) {
        m_menu->removeAction(action);
        action->deleteLater();
    }
    m_files.clear();
    m_separators.clear();

    const QStringList files = RecentFiles::list();
    if (files.isEmpty())
        return;
    m_separators << m_menu->insertSeparator(m_before);
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files[i];
        const QFileInfo info(file);
        QString name = info.fileName();
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), m_menu);
        action->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        const QString native = QDir::toNativeSeparators(file);
        action->setToolTip(native);
        action->setStatusTip(native);
        action->setEnabled(info.isFile());
        connect(action, &QAction::triggered, this, [this, file] { emit openRequested(file); });
        m_menu->insertAction(m_before, action);
        m_files << action;
    }
    if (m_before && !m_before->isSeparator())
        m_separators << m_menu->insertSeparator(m_before);
}
