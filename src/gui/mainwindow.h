// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/speedstatistics.h"

#include <QDateTime>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QString>

class QThread;
#include <memory>

class QAction;
class QListWidgetItem;
class QShortcut;
class CampaignDescriptionDialog;
class CampaignChoiceDialog;
class RecentFilesMenu;
class SpeedArea;
class StartPage;
class SiteInfoEditor;
class SummaryTab;

namespace Ui {
class MainWindow;
}

// The program's only top-level window: criteria panel, result tabs, menus, tool bar, shortcuts,
// and the one statistics engine.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setLocaleName(const QString& name) { m_localeName = name; }
    QString localeName() const { return m_localeName; }
    // The locale's long date, one space, its short time.
    QString dateTimeText(const QDateTime& dateTime) const;

    SpeedStatistics& statistics() { return m_statistics; }
    const SpeedStatistics& statistics() const { return m_statistics; }
    // The file of the last load whose campaign choice succeeded; empty before.
    QString databasePath() const { return m_databasePath; }
    // Campaign id of each row of the campaign list.
    QMap<int, int> campaignMap() const { return m_campaignMap; }
    // The Ctrl+X shortcut; exists only while the debug mode is on.
    QShortcut* debugShortcut() const { return m_debugShortcut; }
    // The tool-bar button of the debug mode; null while it is off.
    QAction* debugAction() const { return m_debugAction; }

    // Hands the classes of the chosen speed area to the engine, for both directions.
    void refreshSpeedArea();
    // Refills the speed area choice from the file of the engine's units, sorted by number.
    void fillSpeedAreaChoice();
    // With true connects the campaign list and its describe button, with false disconnects.
    void connectCampaignList(bool bConnect);
    // Together: "&Exporter" (menu and tool bar), "&Portée", "&Précision", the speed area choice
    // and its button.
    void enableAnalysisControls(bool bEnable);
    // True while a file is being opened: from its campaign choice to its charts.
    bool isLoading() const { return m_loading; }
    // The "Synthèse" tab, and the location, comment and limit fields kept with the file.
    SummaryTab* summaryTab() const { return m_summaryTab; }
    SiteInfoEditor* siteInfo() const { return m_siteInfo; }
    // True when the counts are radar readings: a "Standard" campaign with the divider off.
    bool countsReadings() const;

public slots:
    void about();
    void dataLoad();
    // What "&Ouvrir" does once a file is chosen; also the command line, a drop and the recent
    // files. While another file is being opened it only says so in the status bar.
    void openFile(const QString& file);
    void exportPdf();
    void exportCsv();
    void exportAll();
    void print();
    void setRange();
    void setMinSpeedDefault();
    void setMinSpeed(unsigned short speed);
    unsigned short getMinSpeed() const;
    void setFilter();
    void createGraph();
    void checkSpeedArea();
    void checkParameters();
    void reload();
    void zoomIn() { }
    void zoomOut() { }
    void debugMode();
    void meantime(const QDateTime& begin, const QDateTime& end);
    void xmSpeed(const QDateTime& begin, const QDateTime& end);
    void vehicleNumber(const QDateTime& begin, const QDateTime& end);
    void manageSpeedArea();
    void explainPercentile();
    void setDivider();
    bool selectCampaign(const QString& szFileName, QDateTime* pStartDate, QDateTime* pEndDate, int* pStoreMode);
    void setStartDate(const QDateTime& date) { m_startDate = date; }
    void setEndDate(const QDateTime& date) { m_endDate = date; }
    QDateTime startDate() const { return m_startDate; }
    QDateTime endDate() const { return m_endDate; }
    void updateCampaign(QListWidgetItem* item);
    void updateCampaign();
    void describeCampaign(QListWidgetItem* item);
    void describeCampaign();
    void on_gb1_dateTimeEdit_1_dateTimeChanged(const QDateTime& dateTime);
    void on_gb1_dateTimeEdit_2_dateTimeChanged(const QDateTime& dateTime);

protected:
    // Keeps the window's size, position and splitter for the next run.
    void closeEvent(QCloseEvent* event) override;

private:
    // Slots, texts and shortcuts of the form's menus and tool bar.
    void createActions();
    // The divider action's tick and text follow the engine (switch and range).
    void updateDividerAction();
    // Shows the percentile column of each direction of the file only.
    void showPercentileColumns(const QList<int>& directions);
    void restoreLayout();
    // Takes the charts of the previous run out of their tabs and destroys them.
    void removeCharts();
    void clearCampaignPanel();
    // Store mode 0 reads "Standard", anything else "Avancé".
    void showStoreMode();
    void showUnits();
    // Replaces the two pie charts of page_3 with ones drawn from the current distribution and
    // the vehicles of the period shown in the editors.
    void loadPieChart();
    // Until the first load, the start page stands in for the tabs and the period editors wait.
    void showStartPage(bool bShow);
    // True while a load runs, after saying so in the status bar.
    bool refuseWhileLoading();
    // The summary of [begin, end] after a load of that period, with the limit of the field.
    void updateSummary(const QDateTime& begin, const QDateTime& end);
    // A box, once a session per file, when areas read a file that could not be read whole.
    void tellDamagedAreas(const SpeedArea& areas);

    std::unique_ptr<Ui::MainWindow> ui;

    // Charts and tables of the last createGraph(); null until the charts of later work exist.
    QWidget* m_meanGraph = nullptr;
    QWidget* m_maxGraph = nullptr;
    QWidget* m_vehicleGraph = nullptr;
    QWidget* m_percentileIn = nullptr;
    QWidget* m_percentileOut = nullptr;
    QWidget* m_pieIn = nullptr;
    QWidget* m_pieOut = nullptr;

    QShortcut* m_debugShortcut = nullptr;
    QAction* m_debugAction = nullptr;
    // "Outils": the vehicle divider, ticked while on (Ctrl+D).
    QAction* m_dividerAction = nullptr;

    CampaignChoiceDialog* m_campaignList = nullptr;
    CampaignDescriptionDialog* m_campaignDialog = nullptr;
    std::unique_ptr<SpeedArea> m_speedArea;
    QStringList m_damagedAreaFilesTold;

    SpeedStatistics m_statistics;
    QString m_localeName = QStringLiteral("fr_FR");
    QString m_databasePath;
    QDateTime m_startDate;
    QDateTime m_endDate;
    QMap<int, int> m_campaignMap;
    // The file whose campaigns the list shows: a choice accepted without a period refills the
    // list but loads nothing, so it may differ from the database path.
    QString m_campaignFile;
    int m_storeMode = 0;
    StartPage* m_startPage = nullptr;
    RecentFilesMenu* m_recentFiles = nullptr;
    bool m_loading = false;
    // The bucket table is filled when first shown or read: a year of buckets takes longer than the
    // window may stop answering.
    bool m_speedTableStale = false;
    // Counting a campaign's measures reads the whole file when it has no date index: done on
    // threads of their own, the latest request's answer shown.
    void countCampaignMeasures(qint64 from, qint64 to);
    QList<QThread*> m_counters;
    int m_countRequest = 0;
    void fillSpeedTableIfStale(bool evenHidden);
    SummaryTab* m_summaryTab = nullptr;
    SiteInfoEditor* m_siteInfo = nullptr;
};
