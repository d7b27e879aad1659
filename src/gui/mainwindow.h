// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <memory>

class Analysis;
class AnalysisJob;
class AnalysisTab;
class BucketTableTab;
class CampaignTab;
class ComparisonController;
class CriteriaPanel;
class DebugModeTools;
class DividerAction;
class FleetWindow;
class QAction;
class RecentFilesMenu;
class StartPage;
struct AnalysisOutcome;
struct AnalysisRequest;

namespace Ui {
class MainWindow;
}

// The program's only top-level window: its actions, menus and tool bar, the criteria panel and
// the result tabs, which all show the one analysis the window holds.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setLocaleName(const QString& name);
    // The locale's long date, one space, its short time.
    QString dateTimeText(const QDateTime& dateTime) const;

    // What every view shows; null before the first file was analysed.
    std::shared_ptr<const Analysis> analysis() const { return m_analysis; }
    // From a file's campaign choice, or a new criterion, to its analysis shown or refused.
    bool isBusy() const;

public slots:
    void openDialog();
    // "Comparer…": B chosen in its dialog, compared with the analysis shown (A) in the
    // "Comparaison" tab.
    void compareDialog();
    // "Ouvrir un dossier…": the fleet window over the folder chosen.
    void openFolderDialog();
    void openFolder(const QString& folder);
    // What "&Ouvrir" does once a file is chosen; also the command line, a drop and the recent
    // files. While another file is being opened it only says so in the status bar.
    void openFile(const QString& file);
    void exportCsv();
    void exportPdf();
    void print();
    void setRange();
    void setBucketWidth();

signals:
    // An analysis or a comparison ended: shown, refused with a box, or cancelled.
    void analysisDone();

protected:
    // Keeps the window's size, position and splitter for the next run.
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    // A new analysis from request, from what the analysis shown read when reuse allows; nothing
    // while one runs.
    void analyse(const AnalysisRequest& request, bool reuse = true);
    void analysisFinished(const AnalysisOutcome& outcome);
    void setBusy(bool busy);
    // True while busy, after saying so in the status bar.
    bool refuseWhileBusy();
    // The divider action's tick and text follow the analysis (switch and range).
    void updateDividerAction();

    std::unique_ptr<Ui::MainWindow> ui;
    CriteriaPanel* m_criteria;
    CampaignTab* m_campaigns;
    BucketTableTab* m_table;
    QList<AnalysisTab*> m_tabs;
    StartPage* m_startPage;
    RecentFilesMenu* m_recentFiles;
    AnalysisJob* m_job;
    DividerAction* m_dividerAction;
    DebugModeTools* m_debugTools;
    QAction* m_compareAction;
    QAction* m_openFolderAction;
    ComparisonController* m_comparison;
    QPointer<FleetWindow> m_fleet;

    std::shared_ptr<const Analysis> m_analysis;
    QString m_localeName = QStringLiteral("fr_FR");
    // The radar's range stays from file to file.
    int m_range = 150;
    bool m_choosing = false;
    // What the runner said of the file shown: said once.
    QSet<QString> m_said;
    QPointer<QWidget> m_focus;
};
