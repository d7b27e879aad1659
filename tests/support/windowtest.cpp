// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowtest.h"

#include "gui/campaign/campaignchoicedialog.h"
#include "core/workspace.h"
#include "scripteddialogs.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QSignalSpy>

TempWorkspace::TempWorkspace()
{
    Workspace::setRoots(m_dir.filePath(QStringLiteral("docs")), m_dir.filePath(QStringLiteral("data")));
    Workspace::establish();
}

QString TempWorkspace::statistics() const
{
    return Workspace::statisticsFolder();
}

void openInWindow(MainWindow& w, ScriptedDialogs& dialogs, const QString& file,
                  const std::function<int(CampaignChoiceDialog&)>& choose)
{
    dialogs.answerOpenFile(file);
    setDialogRunner([choose](QDialog& d) {
        auto* list = qobject_cast<CampaignChoiceDialog*>(&d);
        if (!list)
            return int(QDialog::Rejected);
        return choose ? choose(*list) : int(QDialog::Accepted);
    });
    child<QAction>(w, "actionOpen")->trigger();
    setDialogRunner({});
    waitForAnalysis(w);
}

bool waitForAnalysis(MainWindow& w)
{
    QSignalSpy done(&w, &MainWindow::analysisDone);
    return !w.isBusy() || done.wait(60000);
}

bool clickAndWait(MainWindow& w, const char* name)
{
    if (auto* button = child<QAbstractButton>(w, name))
        button->click();
    else
        child<QAction>(w, name)->trigger();
    return waitForAnalysis(w);
}
