#include "windowtest.h"

#include "campaign/ui/lstcampaign.h"
#include "core/workspace.h"
#include "scripteddialogs.h"
#include "ui/dialogrunner.h"
#include "ui/mainwindow.h"

#include <QAction>

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
                  const std::function<int(LstCampaign&)>& choose)
{
    dialogs.answerOpenFile(file);
    setDialogRunner([choose](QDialog& d) {
        auto* list = qobject_cast<LstCampaign*>(&d);
        if (!list)
            return int(QDialog::Rejected);
        return choose ? choose(*list) : int(QDialog::Accepted);
    });
    child<QAction>(w, "actionOpen")->trigger();
    setDialogRunner({});
}
