// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow.h"

#include "analysis/analysisrunner.h"
#include "core/localedetect.h"
#include "core/recentfiles.h"
#include "core/userdialogs.h"
#include "core/version.h"
#include "core/workspace.h"
#include "gui/aboutbox.h"
#include "gui/analysisjob.h"
#include "gui/comparisoncontroller.h"
#include "gui/criteriapanel.h"
#include "gui/csvexport.h"
#include "gui/debugmodetools.h"
#include "gui/divideraction.h"
#include "gui/dialogrunner.h"
#include "gui/filedrop.h"
#include "gui/fleetwindow.h"
#include "gui/models/buckettablemodel.h"
#include "gui/qtuserdialogs.h"
#include "gui/recentfilesmenu.h"
#include "gui/report/report.h"
#include "gui/resources.h"
#include "gui/startpage.h"
#include "gui/tabs/buckettabletab.h"
#include "gui/tabs/campaigntab.h"
#include "gui/tabs/distributiontab.h"
#include "gui/tabs/percentiletab.h"
#include "gui/tabs/summarytab.h"
#include "gui/tabs/timeplottab.h"
#include "gui/windowlayout.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QSortFilterProxyModel>
#include <QStatusBar>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_criteria(new CriteriaPanel), m_campaigns(new CampaignTab),
      m_table(new BucketTableTab), m_startPage(new StartPage), m_job(new AnalysisJob(this))
{
    initTramolaResources();
    ui->setupUi(this);
    m_comparison = new ComparisonController(ui->tabWidget, m_job, this);
    setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));
    // Boxes and progress dialogs belong to the window (centred on it, window-modal).
    if (auto* dialogs = dynamic_cast<QtUserDialogs*>(&userDialogs()))
        dialogs->setParent(this);
    m_criteria->setObjectName(QStringLiteral("criteriaPanel"));
    setLocaleName(m_localeName);

    auto* summary = new SummaryTab;
    connect(summary, &SummaryTab::compareRequested, this, &MainWindow::compareDialog);
    connect(summary, &SummaryTab::limitRequested, m_criteria, &CriteriaPanel::editLimit);
    const struct
    {
        AnalysisTab* tab;
        QString title;
        const char* name;
    } tabs[] = {{new TimePlotTab(TimePlotTab::MeanSpeed), tr("Moyennes"), "meanSpeedPage"},
                {new TimePlotTab(TimePlotTab::MaxSpeed), tr("Maximum"), "maxSpeedPage"},
                {new TimePlotTab(TimePlotTab::Vehicles), tr("Trafic"), "vehiclesPage"},
                {new DistributionTab, tr("Répartitions"), "distributionPage"},
                {new PercentileTab, tr("Percentiles"), "percentilePage"},
                {m_table, tr("Données"), "bucketTablePage"},
                {m_campaigns, tr("Campagnes"), "campaignPage"},
                {summary, tr("Synthèse"), "summaryPage"}};
    for (const auto& t : tabs) {
        t.tab->setObjectName(QLatin1String(t.name));
        // Short titles stay whole from 1280 pixels; below, they are shortened and the pointer
        // shows them whole.
        ui->tabWidget->setTabToolTip(ui->tabWidget->addTab(t.tab, t.title), t.title);
        m_tabs << t.tab;
    }
    createActions();

    // The start page takes the place of the tabs, in the splitter beside the criteria panel.
    auto* results = new QStackedWidget;
    ui->mainSplitter->replaceWidget(0, results);
    ui->mainSplitter->insertWidget(0, m_criteria);
    results->addWidget(ui->tabWidget);
    results->addWidget(m_startPage);
    results->setCurrentWidget(m_startPage);
    // The splitter hides what it takes in place of a widget not yet shown.
    results->show();
    // The recent files follow "Ouvrir" and "Ouvrir un dossier", before the separator that opens
    // the export group.
    m_recentFiles = new RecentFilesMenu(ui->menuFichier, ui->menuFichier->actions().value(2));
    m_startPage->setRecentFiles(RecentFiles::list());
    // Queued: a drop or a link must not wait on the dialogs of the load it starts.
    connect(new FileDrop(this), &FileDrop::openRequested, this, &MainWindow::openFile, Qt::QueuedConnection);
    connect(m_startPage, &StartPage::openRequested, this, &MainWindow::openFile, Qt::QueuedConnection);
    connect(m_recentFiles, &RecentFilesMenu::openRequested, this, &MainWindow::openFile, Qt::QueuedConnection);
    connect(m_startPage, &StartPage::openDialogRequested, this, &MainWindow::openDialog, Qt::QueuedConnection);
    connect(m_job, &AnalysisJob::finished, this, &MainWindow::analysisFinished);
    connect(m_comparison, &ComparisonController::started, this, [this] { setBusy(true); });
    connect(m_comparison, &ComparisonController::finished, this, [this] {
        setBusy(false);
        emit analysisDone();
    });
    connect(m_criteria, &CriteriaPanel::refreshRequested, this,
            [this] { analyse(m_criteria->request(m_analysis->request(), true)); });
    connect(m_criteria, &CriteriaPanel::criteriaChanged, this,
            [this] { analyse(m_criteria->request(m_analysis->request(), false)); });
    setBusy(false);
    // The criteria panel keeps its width; the results take what the window gains.
    ui->mainSplitter->setStretchFactor(1, 1);
    WindowLayout::restore(this, ui->mainSplitter, m_criteria->minimumWidth());
}

MainWindow::~MainWindow()
{
    // A run still going is cancelled before anything it would report to goes.
    delete m_job;
    if (auto* dialogs = dynamic_cast<QtUserDialogs*>(&userDialogs()))
        dialogs->setParent(nullptr);
}

void MainWindow::createActions()
{
    ui->actionAbout->setText(tr("&À propos de %1").arg(QLatin1String(tramola::productName)));
    ui->actionToolPrint->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    ui->actionToolPdf->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    for (QAction* open : {ui->actionOpen, ui->actionToolOpen})
        connect(open, &QAction::triggered, this, &MainWindow::openDialog);
    for (QAction* exportCsv : {ui->actionExport, ui->actionToolExport})
        connect(exportCsv, &QAction::triggered, this, &MainWindow::exportCsv);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::close);
    m_openFolderAction = new QAction(tr("Ouvrir un &dossier…"), this);
    m_openFolderAction->setObjectName(QStringLiteral("actionOpenFolder"));
    m_openFolderAction->setStatusTip(tr("Les chiffres de chaque fichier de mesures d'un dossier, dans un tableau"));
    // After "Ouvrir…", before the recent files.
    ui->menuFichier->insertAction(ui->menuFichier->actions().value(1), m_openFolderAction);
    connect(m_openFolderAction, &QAction::triggered, this, &MainWindow::openFolderDialog);
    // After the recent files, which come before it.
    m_compareAction = new QAction(tr("&Comparer…"), this);
    m_compareAction->setObjectName(QStringLiteral("actionCompare"));
    m_compareAction->setStatusTip(tr("Comparer l'analyse affichée (avant) à une autre période, campagne ou fichier "
                                     "(après)"));
    ui->menuFichier->insertAction(ui->actionExport, m_compareAction);
    connect(m_compareAction, &QAction::triggered, this, &MainWindow::compareDialog);
    connect(ui->actionRange, &QAction::triggered, this, &MainWindow::setRange);
    connect(ui->actionFilter, &QAction::triggered, this, &MainWindow::setBucketWidth);
    connect(ui->actionAbout, &QAction::triggered, this, &showAboutBox);
    connect(ui->actionToolPdf, &QAction::triggered, this, &MainWindow::exportPdf);
    connect(ui->actionToolPrint, &QAction::triggered, this, &MainWindow::print);
    // The tool bar's "rafraichir" goes back to the whole read.
    connect(ui->actionToolReload, &QAction::triggered, this, [this] {
        if (!m_analysis)
            return;
        AnalysisRequest request = m_criteria->request(m_analysis->request(), true);
        request.from = request.to = QDateTime();
        analyse(request);
    });

    m_dividerAction = new DividerAction(this);
    ui->menuOutils->addAction(m_dividerAction);
    addAction(m_dividerAction);
    connect(m_dividerAction, &QAction::triggered, this, [this](bool on) {
        if (!m_analysis)
            return;
        AnalysisRequest request = m_analysis->request();
        request.dividerOff = !on;
        analyse(request);
    });
    updateDividerAction();

    m_debugTools = new DebugModeTools(this, ui->mainToolBar, [this] { return isBusy() ? nullptr : m_analysis; });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    WindowLayout::save(*this, *ui->mainSplitter);
    QMainWindow::closeEvent(event);
}

void MainWindow::setLocaleName(const QString& name)
{
    m_localeName = name;
    const auto dateText = [this](const QDateTime& dt) { return dateTimeText(dt); };
    m_criteria->setDateText(dateText);
    m_campaigns->setDateText(dateText);
}

QString MainWindow::dateTimeText(const QDateTime& dateTime) const
{
    return localeDateTimeText(m_localeName, dateTime);
}

bool MainWindow::isBusy() const
{
    return m_choosing || m_job->isRunning();
}

bool MainWindow::refuseWhileBusy()
{
    if (isBusy())
        statusBar()->showMessage(tr("Un chargement est déjà en cours : attendez qu'il se termine."), 6000);
    return isBusy();
}

// Analyses

void MainWindow::openDialog()
{
    if (refuseWhileBusy())
        return;
    const QString file = userDialogs().openFileName(tr("Ouvrir un fichier de mesures"), Workspace::statisticsFolder(),
                                                    tr("Base de données (*.db)"));
    if (!file.isEmpty())
        openFile(file);
}

void MainWindow::openFile(const QString& file)
{
    if (refuseWhileBusy())
        return;
    setLastMeasureFile(file);
    QList<int> campaigns;
    {
        const QScopedValueRollback<bool> choosing(m_choosing, true);
        if (!m_campaigns->choose(file, &campaigns))
            return;
    }
    RecentFiles::add(file);
    m_startPage->setRecentFiles(RecentFiles::list());
    // Every criterion starts from its default for a new file, but for the radar's range.
    AnalysisRequest request;
    request.file = file;
    request.campaigns = campaigns;
    request.range = m_range;
    // Read again: the radar may have added to the file.
    analyse(request, false);
}

void MainWindow::analyse(const AnalysisRequest& request, bool reuse)
{
    if (m_job->isRunning())
        return;
    setBusy(true);
    m_job->start(request, reuse ? m_analysis : nullptr);
}

void MainWindow::analysisFinished(const AnalysisOutcome& outcome)
{
    if (outcome.ok()) {
        const bool opened = !m_analysis || m_analysis->file() != outcome.analysis->file()
            || m_analysis->request().campaigns != outcome.analysis->request().campaigns;
        m_analysis = outcome.analysis;
        if (opened) {
            m_said.clear();
            setWindowTitle(
                QStringLiteral("%1 - %2").arg(QFileInfo(m_analysis->file()).completeBaseName(), tr("Tramola")));
            static_cast<QStackedWidget*>(ui->mainSplitter->widget(1))->setCurrentWidget(ui->tabWidget);
        }
        for (AnalysisTab* tab : qAsConst(m_tabs))
            tab->setAnalysis(m_analysis);
        if (opened)
            m_comparison->close();
    } else if (!outcome.canceled) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"), outcome.error);
    }
    // Whatever failed, the criteria shown are those of the analysis shown.
    if (m_analysis)
        m_criteria->showAnalysis(*m_analysis);
    updateDividerAction();
    setBusy(false);
    QStringList news;
    for (const QString& warning : outcome.warnings)
        if (!m_said.contains(warning))
            news << warning;
    m_said.unite(QSet<QString>(news.begin(), news.end()));
    if (!news.isEmpty())
        userDialogs().message(UserDialogs::Icon::Information, tr("Statistiques"), news.join(QLatin1Char('\n')));
    emit analysisDone();
    // B follows A's new criteria.
    if (outcome.ok())
        m_comparison->follow(m_analysis);
}

void MainWindow::compareDialog()
{
    if (!m_analysis || refuseWhileBusy())
        return;
    const QScopedValueRollback<bool> choosing(m_choosing, true);
    m_comparison->ask(
        m_analysis, [this](const QDateTime& dt) { return dateTimeText(dt); }, this);
}

void MainWindow::openFolderDialog()
{
    const QString folder = FleetWindow::askFolder();
    if (!folder.isEmpty())
        openFolder(folder);
}

void MainWindow::openFolder(const QString& folder)
{
    if (!m_fleet) {
        m_fleet = new FleetWindow(this);
        m_fleet->setObjectName(QStringLiteral("fleetWindow"));
        m_fleet->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_fleet, &FleetWindow::openRequested, this, [this](const QString& file) {
            activateWindow();
            raise();
            openFile(file);
        });
    }
    m_fleet->show();
    m_fleet->raise();
    m_fleet->open(folder);
}

void MainWindow::setBusy(bool busy)
{
    m_criteria->setCriteriaEnabled(!busy);
    for (QAction* action : {ui->actionExport, ui->actionToolExport, ui->actionRange, ui->actionFilter, m_compareAction})
        action->setEnabled(!busy && m_analysis);
    for (QAction* action :
         {ui->actionToolPdf, ui->actionToolReload, ui->actionToolPrint, static_cast<QAction*>(m_dividerAction)})
        action->setEnabled(!busy);
    // Back where the user was typing or clicking, which turning the controls off took away.
    if (busy)
        m_focus = QApplication::focusWidget();
    else if (m_focus && m_focus->isEnabled())
        m_focus->setFocus();
}

void MainWindow::setRange()
{
    int value = 0;
    if (!userDialogs().getInt(tr("Tramola"), tr("Portée du radar (mètres) :"), m_range, 50, 500, 50, &value))
        return;
    m_range = value;
    AnalysisRequest request = m_analysis->request();
    request.range = value;
    analyse(request);
}

void MainWindow::setBucketWidth()
{
    int value = 0;
    if (!userDialogs().getInt(tr("Tramola"), tr("Largeur des intervalles de temps (minutes) :"),
                              m_analysis->criteria().bucketSeconds / 60, 30, 240, 30, &value))
        return;
    AnalysisRequest request = m_analysis->request();
    request.bucketSeconds = value * 60;
    analyse(request);
}

void MainWindow::updateDividerAction()
{
    m_dividerAction->show(m_analysis ? m_analysis->criteria().range : m_range,
                          m_analysis && m_analysis->criteria().dividerOff);
}

// Export and print

void MainWindow::exportCsv()
{
    // Before a first analysis there is nothing to write, only files to spoil.
    if (!m_analysis || isBusy())
        return;
    const std::optional<QStringList> written =
        CsvExport::askAndExport(*m_analysis, *m_table->model(), m_comparison->comparison().get());
    if (written)
        statusBar()->showMessage(written->isEmpty()
                                     ? tr("Aucun fichier écrit")
                                     : tr("Fichiers écrits : %1").arg(written->join(QStringLiteral(", "))));
}

void MainWindow::exportPdf()
{
    if (!m_analysis) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"), tr("Statistiques indisponibles"));
        return;
    }
    ReportContent content;
    content.analysis = m_analysis;
    content.location = m_criteria->location();
    content.commentHtml = m_criteria->commentHtml();
    content.dateTimeText = [this](const QDateTime& dateTime) { return dateTimeText(dateTime); };
    content.table = m_table->rows();
    content.comparison = m_comparison->comparison();
    exportReport(content, this);
}

void MainWindow::print()
{
    auto* tab = static_cast<AnalysisTab*>(ui->tabWidget->currentWidget());
    if (!m_analysis || !tab->print())
        userDialogs().message(UserDialogs::Icon::Information, tr("Impression"),
                              tr("Impression indisponible pour ce graphique"));
}
