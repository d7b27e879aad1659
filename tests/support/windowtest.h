// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests of the main window share: folders of their own, the file opened as a user
// opens it, and widgets found by object name.

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <functional>

class CampaignChoiceDialog;
class MainWindow;
class ScriptedDialogs;
class QWidget;

// The program's documents and data folders inside a temporary folder, made as at a first start.
class TempWorkspace
{
public:
    TempWorkspace();
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QString path() const { return m_dir.path(); }
    // The statistics folder, ending with a slash.
    QString statistics() const;

private:
    QTemporaryDir m_dir;
};

// "Ouvrir" on file: the open dialog answers it; the campaign dialog is accepted as it shows,
// or answered by choose. Returns once the analysis is shown or refused.
void openInWindow(MainWindow& w, ScriptedDialogs& dialogs, const QString& file,
                  const std::function<int(CampaignChoiceDialog&)>& choose = {});
// Until the window is no longer busy with an analysis; false after a minute.
bool waitForAnalysis(MainWindow& w);
// Clicks the widget named name (a button, or an action's), then waits for the analysis it asks.
bool clickAndWait(MainWindow& w, const char* name);

template <typename T = QWidget> T* child(const QObject& parent, const char* name)
{
    return parent.findChild<T*>(QLatin1String(name));
}
