// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/debugmodetools.h"

#include "analysis/analysis.h"
#include "core/messagelog.h"
#include "core/userdialogs.h"
#include "core/workspace.h"
#include "gui/csvexport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QIcon>
#include <QShortcut>
#include <QToolBar>

DebugModeTools::DebugModeTools(QWidget* window, QToolBar* toolBar,
                               std::function<std::shared_ptr<const Analysis>()> analysis)
    : QObject(window), m_analysis(std::move(analysis))
{
    connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+F1")), window), &QShortcut::activated, this,
            &DebugModeTools::toggle);
    m_button = toolBar->addAction(QIcon(QStringLiteral(":/images/bug.png")), QString());
    m_button->setObjectName(QStringLiteral("actionDebug"));
    m_button->setToolTip(QCoreApplication::translate("MainWindow", "Mode mise au point"));
    m_button->setVisible(false);
    connect(m_button, &QAction::triggered, this, &DebugModeTools::toggle);
    m_exportShortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+X")), window);
    m_exportShortcut->setEnabled(false);
    connect(m_exportShortcut, &QShortcut::activated, this, &DebugModeTools::exportMeasures);
}

void DebugModeTools::toggle()
{
    setDebugModeEnabled(!debugModeEnabled());
    qDebug() << (debugModeEnabled() ? "Activation du mode 'mise au point'" : "Désactivation du mode 'mise au point'");
    m_button->setVisible(debugModeEnabled());
    m_exportShortcut->setEnabled(debugModeEnabled());
}

void DebugModeTools::exportMeasures()
{
    const std::shared_ptr<const Analysis> analysis = m_analysis();
    if (!analysis)
        return;
    const QString file =
        userDialogs().saveFileName(QCoreApplication::translate("MainWindow", "Exporter"), exportFolder(),
                                   QCoreApplication::translate("MainWindow", "Fichier CSV (*.csv)"));
    if (!file.isEmpty())
        CsvExport::exportMeasures(*analysis->measures(), file);
}
