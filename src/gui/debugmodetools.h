// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class Analysis;
class QAction;
class QShortcut;
class QToolBar;
class QWidget;

// The debug mode, switched with Ctrl+F1 whatever the command line said: a tool button showing it
// is on, and Ctrl+Shift+X (not Ctrl+X, which cuts text) writing every measure of the analysis
// shown into a CSV file.
class DebugModeTools : public QObject
{
    Q_OBJECT

public:
    // analysis: the one shown; null when there is none or it may not be used now.
    DebugModeTools(QWidget* window, QToolBar* toolBar, std::function<std::shared_ptr<const Analysis>()> analysis);

    void toggle();

private:
    void exportMeasures();

    std::function<std::shared_ptr<const Analysis>()> m_analysis;
    QAction* m_button;
    QShortcut* m_exportShortcut;
};
