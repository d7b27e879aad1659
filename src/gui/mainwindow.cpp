// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow.h"

#include "core/localedetect.h"
#include "core/messagelog.h"
#include "core/recentfiles.h"
#include "core/userdialogs.h"
#include "core/version.h"
#include "core/workspace.h"
#include "campaign/campaignselection.h"
#include "campaign/campaignstore.h"
#include "gui/campaign/campaigndescriptiondialog.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "gui/charts/percentileplot.h"
#include "gui/charts/speedclasspie.h"
#include "gui/charts/timeplot.h"
#include "db/databaseconnection.h"
#include "gui/csvexport.h"
#include "gui/dialogrunner.h"
#include "gui/filedrop.h"
#include "gui/qtuserdialogs.h"
#include "gui/recentfilesmenu.h"
#include "gui/report/report.h"
#include "gui/resources.h"
#include "gui/tabs/resultcharts.h"
#include "gui/siteinfoeditor.h"
#include "gui/tabs/summarytab.h"
#include "speedarea/speedarea.h"
#include "gui/startpage.h"
#include "gui/speedarea/speedareaeditor.h"
#include "analysis/periodsnap.h"
#include "analysis/trafficsummary.h"
#include "gui/models/tableitems.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDebug>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QLayout>
#include <QListWidget>
#include <QLocale>
#include <QStackedWidget>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>

#include <atomic>
#include <exception>
#include <functional>

namespace {

// Runs work, which must touch no widget, on a thread of its own while this thread's event loop
// goes on (user input held back until it is done), so that the window keeps painting.
void runKeepingWindowAlive(const std::function<void()>& work)
{
    QEventLoop loop;
    std::exception_ptr failure;
    std::atomic<bool> done{false};
    QThread* thread = QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
    });
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    if (!done.load())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    delete thread;
    if (failure)
        std::rethrow_exception(failure);
}

const char* const kContact = "support@tramola.example";

}   // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    initTramolaResources();
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));
    createActions();
    // Boxes and progress dialogs belong to the window (centred on it, window-modal).
    if (auto* dialogs = dynamic_cast<QtUserDialogs*>(&userDialogs()))
        dialogs->setParent(this);

    qDebug() << "Initialisation données statistiques";
    m_statistics.reset();
    updateDividerAction();

    setMinSpeedDefault();
    fillSpeedAreaChoice();
    refreshSpeedArea();
    enableAnalysisControls(false);

    auto* debugKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+F1")), this);
    connect(debugKey, &QShortcut::activated, this, &MainWindow::debugMode);
    connect(ui->gb1_button_refresh, &QPushButton::clicked, this, &MainWindow::checkParameters);
    connect(ui->tab5_button_1, &QToolButton::clicked, this, &MainWindow::explainPercentile);
    connect(ui->gb2_toolButton, &QToolButton::clicked, this, &MainWindow::manageSpeedArea);
    ui->gb2_toolButton->setIcon(QIcon(QStringLiteral(":/images/24x24/actions/system-settings.png")));
    ui->tab5_button_1->setIcon(QIcon(QStringLiteral(":/images/help-3.png")));
    connectCampaignList(true);

    m_summaryTab = new SummaryTab;
    ui->tabWidget->addTab(m_summaryTab, tr("Synthèse"));
    // Eight titles do not fit beside the criteria at the smallest widths: they are shortened
    // there, and the whole title shows under the pointer.
    for (int i = 0; i < ui->tabWidget->count(); ++i)
        ui->tabWidget->setTabToolTip(i, ui->tabWidget->tabText(i).remove(QLatin1Char('&')));
    m_siteInfo = new SiteInfoEditor(ui->gb2_textEdit, ui->gb1_textEdit, ui->gb1_spinBox_limit, this);
    connect(m_siteInfo, &SiteInfoEditor::limitChanged, this,
            [this]() { updateSummary(m_summaryTab->summary().begin, m_summaryTab->summary().end); });

    ui->gb0_logo->setPixmap(QPixmap(QStringLiteral(":/images/logo-transparent.png")));
    // Whole headers readable before the first table fills the columns.
    ui->page_4_view->resizeColumnsToContents();
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, [this]() { fillSpeedTableIfStale(false); });
    m_localeName = QStringLiteral("fr_FR");

    m_recentFiles = new RecentFilesMenu(ui->menuFichier, ui->actionExit);
    // The start page takes the place of the tabs, in the splitter beside the criteria panel.
    m_startPage = new StartPage;
    auto* results = new QStackedWidget;
    ui->mainSplitter->replaceWidget(1, results);
    results->addWidget(ui->tabWidget);
    results->addWidget(m_startPage);
    // The splitter hides what it takes in place of a widget not yet shown.
    results->show();
    // Queued: a drop or a link must not wait on the dialogs of the load it starts.
    connect(new FileDrop(this), &FileDrop::openRequested, this, &MainWindow::openFile, Qt::QueuedConnection);
    connect(m_startPage, &StartPage::openRequested, this, &MainWindow::openFile, Qt::QueuedConnection);
    connect(m_recentFiles, &RecentFilesMenu::openRequested, this, &MainWindow::openFile, Qt::QueuedConnection);
    connect(m_startPage, &StartPage::openDialogRequested, this, &MainWindow::dataLoad, Qt::QueuedConnection);
    showStartPage(true);
    // The criteria panel keeps its width; the results take what the window gains.
    ui->mainSplitter->setStretchFactor(1, 1);
    restoreLayout();
}

void MainWindow::restoreLayout()
{
    const QByteArray geometry = getWindowLayout(QStringLiteral("geometry"));
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    const QByteArray splitter = getWindowLayout(QStringLiteral("splitter"));
    if (splitter.isEmpty() || !ui->mainSplitter->restoreState(splitter))
        ui->mainSplitter->setSizes({ui->toolBox->minimumWidth(), width()});
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    setWindowLayout(QStringLiteral("geometry"), saveGeometry());
    setWindowLayout(QStringLiteral("splitter"), ui->mainSplitter->saveState());
    QMainWindow::closeEvent(event);
}

MainWindow::~MainWindow()
{
    for (QThread* counter : qAsConst(m_counters)) {
        counter->wait();
        delete counter;
    }
    delete m_siteInfo;   // writes what the user changed last, before the fields go
    if (auto* dialogs = dynamic_cast<QtUserDialogs*>(&userDialogs()))
        dialogs->setParent(nullptr);
    removeCharts();
    delete m_campaignList;
    delete m_campaignDialog;
}

void MainWindow::createActions()
{
    ui->actionAbout->setText(tr("&A propos de %1").arg(QLatin1String(tramola::productName)));
    connect(ui->actionOpen, &QAction::triggered, this, &MainWindow::dataLoad);
    connect(ui->actionExport, &QAction::triggered, this, &MainWindow::exportCsv);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::close);
    connect(ui->actionRange, &QAction::triggered, this, &MainWindow::setRange);
    connect(ui->actionFilter, &QAction::triggered, this, &MainWindow::setFilter);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::about);

    m_dividerAction = new QAction(this);
    m_dividerAction->setObjectName(QStringLiteral("actionDivider"));
    m_dividerAction->setCheckable(true);
    m_dividerAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
    ui->menuOutils->addAction(m_dividerAction);
    addAction(m_dividerAction);
    connect(m_dividerAction, &QAction::triggered, this, [this](bool on) {
        m_statistics.setDividerOff(!on);
        updateDividerAction();
        if (!m_statistics.measures().isEmpty())
            createGraph();
    });

    connect(ui->actionToolOpen, &QAction::triggered, this, &MainWindow::dataLoad);
    connect(ui->actionToolPdf, &QAction::triggered, this, &MainWindow::exportPdf);
    connect(ui->actionToolExport, &QAction::triggered, this, &MainWindow::exportCsv);
    connect(ui->actionToolReload, &QAction::triggered, this, &MainWindow::reload);
    connect(ui->actionToolPrint, &QAction::triggered, this, &MainWindow::print);
}

QString MainWindow::dateTimeText(const QDateTime& dateTime) const
{
    return localeDateTimeText(m_localeName, dateTime);
}

void MainWindow::enableAnalysisControls(bool bEnable)
{
    ui->actionExport->setEnabled(bEnable);
    ui->actionToolExport->setEnabled(bEnable);
    ui->actionRange->setEnabled(bEnable);
    ui->actionFilter->setEnabled(bEnable);
    ui->gb1_comboBox_1->setEnabled(bEnable);
    ui->gb2_toolButton->setEnabled(bEnable);
}

// ---------------------------------------------------------------------------------------------
// Parameters

void MainWindow::setRange()
{
    int value = 0;
    if (!userDialogs().getInt(tr("Tramola"), tr("Portée du radar (mètres):"), m_statistics.getRange(), 50, 500, 50,
                              &value))
        return;
    m_statistics.setRange(quint16(value));
    updateDividerAction();
    createGraph();
}

void MainWindow::setFilter()
{
    int value = 0;
    if (!userDialogs().getInt(tr("Tramola"), tr("Seuil de filtrage des mesures (minutes):"),
                              m_statistics.getFilter() / 60, 30, 240, 30, &value))
        return;
    m_statistics.setFilter(value * 60);
    createGraph();
}

void MainWindow::setDivider()
{
    int value = 0;
    if (!userDialogs().getInt(tr("Tramola"), tr("Diviseur de portée:"), m_statistics.getDividerOff() ? 1 : 0, 0, 1, 1,
                              &value))
        return;
    m_statistics.setDividerOff(value > 0);
    updateDividerAction();
    createGraph();
}

void MainWindow::updateDividerAction()
{
    const int divider = SpeedStatistics::dividerForRange(m_statistics.getRange());
    m_dividerAction->setChecked(!m_statistics.getDividerOff());
    m_dividerAction->setText(tr("&Diviseur de portée : %1 relevés = 1 véhicule").arg(divider));
    m_dividerAction->setStatusTip(tr("Coché, %1 relevés du radar comptent pour un véhicule (portée %2 m) ; "
                                     "décoché, chaque relevé compte pour un véhicule")
                                      .arg(divider)
                                      .arg(m_statistics.getRange()));
}

bool MainWindow::countsReadings() const
{
    return m_storeMode == 0 && m_statistics.getDividerOff();
}

void MainWindow::setMinSpeedDefault()
{
    switch (m_statistics.getUnits()) {
    case 0: setMinSpeed(15); break;
    case 1:
    case 2: setMinSpeed(9); break;
    default: setMinSpeed(0); break;
    }
}

void MainWindow::setMinSpeed(unsigned short speed)
{
    ui->gb1_doubleSpinBox_1->setValue(speed);
}

unsigned short MainWindow::getMinSpeed() const
{
    return static_cast<unsigned short>(ui->gb1_doubleSpinBox_1->value());
}

// ---------------------------------------------------------------------------------------------
// Speed areas

void MainWindow::fillSpeedAreaChoice()
{
    disconnect(ui->gb1_comboBox_1, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
               &MainWindow::checkSpeedArea);
    const int units = m_statistics.getUnits();
    if (!m_speedArea)
        m_speedArea = std::make_unique<SpeedArea>();
    m_speedArea->setUnits(units);
    m_speedArea->setFile(Workspace::speedAreaFile(units));

    // Refilling replaces the list of the previous units.
    ui->gb1_comboBox_1->clear();
    for (const QString& name : sortAreaNames(m_speedArea->areaNames())) {
        qDebug() << "Loading item" << name;
        ui->gb1_comboBox_1->addItem(name);
    }
    const QString current = defaultAreaName(sortAreaNames(m_speedArea->areaNames()), units);
    qDebug() << "Select new current index for" << current;
    const int index = ui->gb1_comboBox_1->findText(current);
    if (index >= 0)
        ui->gb1_comboBox_1->setCurrentIndex(index);
    connect(ui->gb1_comboBox_1, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &MainWindow::checkSpeedArea);
}

void MainWindow::refreshSpeedArea()
{
    const QString name = ui->gb1_comboBox_1->currentText();
    auto area = std::make_unique<SpeedArea>();
    const int units = m_statistics.getUnits();
    qDebug() << "Selected Units=" << units;
    area->setUnits(units);
    area->setFile(Workspace::speedAreaFile(units));
    if (name.isEmpty())
        qCritical() << "void MainWindow::refreshSpeedArea()"
                    << "UNKNOWN area speed name ?";
    const SpeedClassMap classes = area->intervals(name);
    m_statistics.setDistribution(classes, 0);
    m_statistics.setDistribution(classes, 1);
}

void MainWindow::checkSpeedArea()
{
    setSpeedAreaChoice(m_statistics.getUnits(), ui->gb1_comboBox_1->currentText());
    refreshSpeedArea();
    m_statistics.createDistribution();
    const QDateTime start = ui->gb1_dateTimeEdit_1->dateTime();
    const QDateTime end = ui->gb1_dateTimeEdit_2->dateTime();
    const int vehiclesIn = m_statistics.countVehicles(start, end, 0);
    const int vehiclesOut = m_statistics.countVehicles(start, end, 1);
    qDebug() << "Speed area changed, vehicles" << vehiclesIn << vehiclesOut;
    loadPieChart();
    m_siteInfo->areaChanged(ui->gb1_comboBox_1->currentText());
}

void MainWindow::manageSpeedArea()
{
    const int units = m_statistics.getUnits();
    const QString chosen = ui->gb1_comboBox_1->currentText();
    QString shown;
    bool saved = false;
    {
        SpeedAreaEditor editor(this);
        editor.setUnits(units);
        editor.setFile(Workspace::speedAreaFile(units));
        editor.selectArea(chosen);
        editor.setSpeedRange(getMinSpeed(), 200);
        editor.setDebugMode(debugModeEnabled());
        editor.refill();
        saved = runDialog(editor) == QDialog::Accepted;
        shown = editor.currentArea();
    }

    // Only the saved file counts. After a save the area shown last in the editor is taken,
    // else the one chosen before, as long as the file holds it; only the pies are redrawn.
    fillSpeedAreaChoice();
    QComboBox* choice = ui->gb1_comboBox_1;
    for (const QString& name : {saved ? shown : chosen, chosen}) {
        const int index = choice->findText(name);
        if (index >= 0) {
            const QSignalBlocker blocker(choice);
            choice->setCurrentIndex(index);
            break;
        }
    }
    checkSpeedArea();
}

// ---------------------------------------------------------------------------------------------
// Debug mode, about box, help

void MainWindow::debugMode()
{
    const bool on = !debugModeEnabled();
    setDebugModeEnabled(on);
    if (on) {
        if (!m_debugShortcut) {
            m_debugShortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+X")), this);
            connect(m_debugShortcut, &QShortcut::activated, this, &MainWindow::exportAll);
        }
        qDebug() << "Activation du mode 'mise au point'";
        if (!m_debugAction) {
            m_debugAction = ui->mainToolBar->addAction(QIcon(QStringLiteral(":/images/bug.png")), QString());
            m_debugAction->setObjectName(QStringLiteral("actionDebug"));
            m_debugAction->setToolTip(tr("Mode mise au point"));
            connect(m_debugAction, &QAction::triggered, this, &MainWindow::debugMode);
        }
    } else {
        delete m_debugShortcut;
        m_debugShortcut = nullptr;
        qDebug() << "Desactivation du mode 'mise au point'";
        if (m_debugAction) {
            ui->mainToolBar->removeAction(m_debugAction);
            m_debugAction->deleteLater();
            m_debugAction = nullptr;
        }
    }
}

void MainWindow::about()
{
    const QString product = QLatin1String(tramola::productName);
    const QString text = QStringLiteral("<B>") + product + QStringLiteral("</B><BR>") + tr("Révision: ")
        + QLatin1String(tramola::productVersion) + QStringLiteral("<br>    Date: ")
        + QLatin1String(tramola::productDate)
        + QStringLiteral("<br><br>Contact : <a href=\"mailto:%1\">%1</a>").arg(QLatin1String(kContact));
    userDialogs().message(UserDialogs::Icon::Information, tr("à propos %1").arg(product), text);
}

void MainWindow::explainPercentile()
{
    userDialogs().message(
        UserDialogs::Icon::Information, tr("Statistiques"),
        tr("<h3>Définition des percentiles <sup>*</*></h3><hr/>La vitesse <b>V85</b> définit la vitesse en "
           "dessous de laquelle circulent 85 % des VL libres (non contraints par la circulation des autres "
           "véhicules).<br/><br/>Les valeurs <b>V50</b> et <b>V30</b> mesurent respectivement les vitesses 50 "
           "et 30<br/><br/>(*) <i>source : SETRA 2008</i><br/><br/>"));
}

// ---------------------------------------------------------------------------------------------
// Export and print: later work plugs in here.

void MainWindow::exportPdf()
{
    // Nothing to report before a load.
    if (!m_meanGraph) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"), tr("Statistiques indisponibles"));
        return;
    }
    ReportContent content;
    content.statistics = &m_statistics;
    content.start = ui->gb1_dateTimeEdit_1->dateTime();
    content.end = ui->gb1_dateTimeEdit_2->dateTime();
    content.location = ui->gb2_textEdit->text();
    content.commentHtml = ui->gb1_textEdit->document()->toHtml();
    content.countsReadings = countsReadings();
    content.dateTimeText = [this](const QDateTime& dateTime) { return dateTimeText(dateTime); };
    content.meanPlot = qobject_cast<QwtPlot*>(m_meanGraph);
    content.maxPlot = qobject_cast<QwtPlot*>(m_maxGraph);
    content.vehiclePlot = qobject_cast<QwtPlot*>(m_vehicleGraph);
    content.percentilePlots[0] = qobject_cast<QwtPlot*>(m_percentileIn);
    content.percentilePlots[1] = qobject_cast<QwtPlot*>(m_percentileOut);
    fillSpeedTableIfStale(true);
    content.readTable(*ui->page_4_view);
    content.summary = &m_summaryTab->summary();
    exportReport(content, this);
}

void MainWindow::exportCsv()
{
    // Before a first computation there is nothing to write, only files to spoil.
    if (!ui->actionExport->isEnabled())
        return;
    QString file = userDialogs().saveFileName(tr("Exporter"), exportFolder(), tr("Fichier CSV (*.csv)"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".csv");
    setLastExportFile(file);
    QStringList written;
    if (CsvExport::writeBucketTable(m_statistics.getFilteredSample(), file))
        written << file;
    else
        userDialogs().message(UserDialogs::Icon::Warning, CsvExport::errorTitle(), CsvExport::errorText(file));
    // Written even when the table could not be.
    const QString meanMinMax = CsvExport::meanMinMaxFile(file);
    if (CsvExport::exportMeanMinMax(m_statistics.getFilteredSample(0), meanMinMax))
        written << meanMinMax;
    const QString summary = CsvExport::summaryFile(file);
    if (CsvExport::writeSummary(m_summaryTab->summary(), m_statistics.unitLabel(), summary))
        written << summary;
    statusBar()->showMessage(written.isEmpty() ? tr("Aucun fichier écrit")
                                               : tr("Fichiers écrits : %1").arg(written.join(QStringLiteral(", "))));
}

void MainWindow::exportAll()
{
    const QString file = userDialogs().saveFileName(tr("Exporter"), exportFolder(), tr("Fichier CSV (*.csv)"));
    if (!file.isEmpty())
        CsvExport::exportMeasures(m_statistics.measures(), file);
}

void MainWindow::print()
{
    const int tab = ui->tabWidget->currentIndex();
    if (tab < 0)
        return;
    const bool loaded = m_meanGraph != nullptr;
    if (loaded && tab <= 2) {
        if (auto* graph = qobject_cast<TimePlot*>(tab == 0 ? m_meanGraph : tab == 1 ? m_maxGraph : m_vehicleGraph))
            graph->print();
    } else if (loaded && tab == 3) {
        for (int direction = 0; direction < 2; ++direction) {
            const std::unique_ptr<SpeedClassPie> pie(
                ResultCharts::pie(m_statistics, direction, ui->gb1_dateTimeEdit_1->dateTime(),
                                  ui->gb1_dateTimeEdit_2->dateTime(), countsReadings(), nullptr));
            if (pie)
                pie->print(ResultCharts::pieTitle(direction, countsReadings()));
        }
    } else if (loaded && tab == 4) {
        for (QWidget* plot : {m_percentileIn, m_percentileOut})
            if (auto* percentiles = qobject_cast<PercentilePlot*>(plot))
                percentiles->print();
    } else if (loaded && ui->tabWidget->widget(tab) == m_summaryTab) {
        m_summaryTab->print();
    } else {
        userDialogs().message(UserDialogs::Icon::Information, tr("Impression"),
                              tr("Impression indisponible pour ce graphique"));
    }
}

using ResultCharts::speedTitles;

// The zoomed interval, kept within the period of the two editors.
void MainWindow::meantime(const QDateTime& begin, const QDateTime& end)
{
    qDebug() << "Mise a jour de la plage de valeur et calcul de la valeur moyenne";
    const QDateTime from = qMax(begin, ui->gb1_dateTimeEdit_1->dateTime());
    const QDateTime to = qMin(end, ui->gb1_dateTimeEdit_2->dateTime());
    const QMap<int, QString> titles = speedTitles(m_statistics.meanSpeedInRange(from, to, 0),
                                                  m_statistics.meanSpeedInRange(from, to, 1), m_statistics.unitLabel());
    qDebug() << "meanTime: mise à jour légende";
    if (auto* graph = qobject_cast<TimePlot*>(m_meanGraph))
        graph->updateCurveTitles(titles);
}

void MainWindow::xmSpeed(const QDateTime& begin, const QDateTime& end)
{
    qDebug() << "Mise a jour de la plage de valeur et calcul des vitesses min / max";
    const QDateTime from = qMax(begin, ui->gb1_dateTimeEdit_1->dateTime());
    const QDateTime to = qMin(end, ui->gb1_dateTimeEdit_2->dateTime());
    // A zoomed maximum is a whole measured speed.
    const QMap<int, QString> titles =
        speedTitles(m_statistics.maxSpeedInRange(from, to, 0), m_statistics.maxSpeedInRange(from, to, 1),
                    m_statistics.unitLabel(), 0);
    qDebug() << "xmSpeed : mise à jour légende";
    if (auto* graph = qobject_cast<TimePlot*>(m_maxGraph))
        graph->updateCurveTitles(titles);
}

void MainWindow::vehicleNumber(const QDateTime& begin, const QDateTime& end)
{
    qDebug() << "Mise a jour du nombre de vehicules";
    const QDateTime from = qMax(begin, ui->gb1_dateTimeEdit_1->dateTime());
    const QDateTime to = qMin(end, ui->gb1_dateTimeEdit_2->dateTime());
    const bool readings = countsReadings();
    const QMap<int, QString> titles{{0,
                                     (readings ? tr("Relevés entrants %1") : tr("Véhicules entrant %1"))
                                         .arg(m_statistics.countVehicles(from, to, 0))},
                                    {1,
                                     (readings ? tr("Relevés sortants %1") : tr("Véhicules sortant %1"))
                                         .arg(m_statistics.countVehicles(from, to, 1))}};
    qDebug() << "Vehicle Number : mise à jour légende";
    if (auto* graph = qobject_cast<TimePlot*>(m_vehicleGraph))
        graph->updateHistogramTitles(titles);
}

// ---------------------------------------------------------------------------------------------
// Data load

void MainWindow::dataLoad()
{
    if (refuseWhileLoading())
        return;
    const QString folder = Workspace::statisticsFolder();
    qDebug() << "User's document location=" << folder;
    const QString file =
        userDialogs().openFileName(tr("Charger les statistiques..."), folder, tr("Base de données (*.db)"));
    if (!file.isEmpty())
        openFile(file);
}

bool MainWindow::refuseWhileLoading()
{
    if (m_loading)
        statusBar()->showMessage(tr("Un chargement est déjà en cours : attendez qu'il se termine."), 6000);
    return m_loading;
}

void MainWindow::openFile(const QString& file)
{
    if (refuseWhileLoading())
        return;
    const QScopedValueRollback<bool> loading(m_loading, true);
    setLastMeasureFile(file);

    QDateTime start, end;
    int storeMode = 0;
    if (!selectCampaign(file, &start, &end, &storeMode))
        return;

    m_databasePath = file;
    RecentFiles::add(file);
    m_startPage->setRecentFiles(RecentFiles::list());
    setWindowTitle(QStringLiteral("%1 - %2").arg(QFileInfo(file).completeBaseName(), tr("Tramola")));

    qDebug() << "Store mode=" << storeMode;
    m_storeMode = storeMode;
    m_statistics.setDividerOff(storeMode != 0);
    showStoreMode();

    if (ui->listWidget->count() > 0)
        updateCampaign();

    updateDividerAction();
    qDebug() << "Loading data" << start.toString(Qt::ISODate) << end.toString(Qt::ISODate) << "Mode" << storeMode;
    // Read above the default of the file's own units, which the box then shows.
    qint16 fileUnits = 0;
    if (SpeedStatistics::readUnitsMarker(file, &fileUnits))
        m_statistics.setMinSpeed(SpeedStatistics::defaultMinSpeed(fileUnits));
    const int n = m_statistics.loadStatistics(file, start, end);
    if (n < 1) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"), tr("Statistiques indisponibles"));
        return;
    }

    showStartPage(false);
    showUnits();
    const QDate firstDay = m_statistics.getStartDate().date();
    const QDate lastDay = m_statistics.getEndDate().date();
    ui->gb1_dateTimeEdit_1->setDateRange(firstDay, lastDay);
    ui->gb1_dateTimeEdit_2->setDateRange(firstDay, lastDay);
    ui->gb1_dateTimeEdit_1->setDateTime(m_statistics.getStartDate());
    ui->gb1_dateTimeEdit_2->setDateTime(m_statistics.getEndDate());
    setMinSpeed(quint16(m_statistics.getLoadedMinSpeed()));
    setStartDate(m_statistics.getStartDate());
    setEndDate(m_statistics.getEndDate());
    ui->gb2_textEdit->clear();
    ui->gb2_textEdit->setText(m_statistics.getDescription());

    fillSpeedAreaChoice();
    refreshSpeedArea();
    {
        const QSignalBlocker quiet(m_siteInfo);   // createGraph() makes the summary with its limit
        m_siteInfo->open(file, m_statistics.getDescription(), ui->gb1_comboBox_1->currentText(),
                         m_statistics.unitLabel());
    }
    createGraph();
}

void MainWindow::on_gb1_dateTimeEdit_1_dateTimeChanged(const QDateTime& dateTime)
{
    const QDateTime snapped = snapPeriodStart(dateTime);
    if (snapped != dateTime)
        ui->gb1_dateTimeEdit_1->setDateTime(snapped);
}

void MainWindow::on_gb1_dateTimeEdit_2_dateTimeChanged(const QDateTime& dateTime)
{
    const QDateTime snapped = snapPeriodEnd(dateTime);
    if (snapped != dateTime)
        ui->gb1_dateTimeEdit_2->setDateTime(snapped);
}

void MainWindow::checkParameters()
{
    const QDateTime start = ui->gb1_dateTimeEdit_1->dateTime();
    const QDateTime end = ui->gb1_dateTimeEdit_2->dateTime();
    if (start >= end) {
        ui->gb1_dateTimeEdit_1->setDateTime(end.addSecs(-3600));
        return;
    }
    const QString file = lastMeasureFile();
    const int minSpeed = getMinSpeed();
    // The measures in memory were read above the loaded minimum speed.
    if (minSpeed == m_statistics.getLoadedMinSpeed()) {
        createGraph();
        return;
    }
    m_statistics.setMinSpeed(minSpeed);
    const int n = m_statistics.loadStatistics(file, start, end);
    if (n == 0) {
        qWarning() << "Loading" << file << "(" << start << "," << end << ")"
                   << "[Failed]";
        return;
    }
    qDebug() << "Loading" << file << "(" << start << "," << end << ")"
             << "[Ok]";
    createGraph();
}

void MainWindow::reload()
{
    ui->gb1_dateTimeEdit_1->setDateTime(m_statistics.getStartDate());
    ui->gb1_dateTimeEdit_2->setDateTime(m_statistics.getEndDate());
    createGraph();
}

void MainWindow::removeCharts()
{
    for (QWidget** chart :
         {&m_meanGraph, &m_maxGraph, &m_vehicleGraph, &m_percentileIn, &m_percentileOut, &m_pieIn, &m_pieOut}) {
        if (*chart) {
            if (QWidget* holder = (*chart)->parentWidget())
                if (holder->layout())
                    holder->layout()->removeWidget(*chart);
            delete *chart;
            *chart = nullptr;
        }
    }
    ui->gb0_logo->show();
}

void MainWindow::showStartPage(bool bShow)
{
    if (bShow)
        m_startPage->setRecentFiles(RecentFiles::list());
    static_cast<QStackedWidget*>(ui->mainSplitter->widget(1))
        ->setCurrentWidget(bShow ? static_cast<QWidget*>(m_startPage) : ui->tabWidget);
    for (QWidget* editor : std::initializer_list<QWidget*>{ui->gb1_dateTimeEdit_1, ui->gb1_dateTimeEdit_2,
                                                           ui->gb1_doubleSpinBox_1, ui->gb1_button_refresh})
        editor->setEnabled(!bShow);
    // Blank rather than an arbitrary date before there is a period.
    for (QDateTimeEdit* editor : {ui->gb1_dateTimeEdit_1, ui->gb1_dateTimeEdit_2}) {
        editor->setSpecialValueText(bShow ? QStringLiteral(" ") : QString());
        if (bShow)
            editor->setDateTime(editor->minimumDateTime());
    }
}

void MainWindow::showStoreMode()
{
    ui->label_17->setText(m_storeMode == 0 ? tr("Standard") : tr("Avancé"));
}

void MainWindow::loadPieChart()
{
    qDebug() << "PieChart creation start";
    for (QWidget** pie : {&m_pieIn, &m_pieOut}) {
        delete *pie;
        *pie = nullptr;
    }
    const QDateTime start = ui->gb1_dateTimeEdit_1->dateTime();
    const QDateTime end = ui->gb1_dateTimeEdit_2->dateTime();
    const bool readings = countsReadings();
    m_pieIn = ResultCharts::pie(m_statistics, 0, start, end, readings, nullptr);
    if (m_pieIn)
        ui->ingoing->addWidget(m_pieIn);
    m_pieOut = ResultCharts::pie(m_statistics, 1, start, end, readings, nullptr);
    if (m_pieOut)
        ui->outgoing->addWidget(m_pieOut);
    qDebug() << "Loading pie chart end";
}

void MainWindow::updateSummary(const QDateTime& begin, const QDateTime& end)
{
    if (!begin.isValid() || m_statistics.getFilteredSample().isEmpty())
        return;
    m_summaryTab->setSummary(TrafficSummary::compute(m_statistics, begin, end, m_siteInfo->limit()),
                             m_statistics.unitLabel());
}

void MainWindow::showPercentileColumns(const QList<int>& directions)
{
    const QList<QWidget*> columns[2] = {
        {ui->percentile_label_1, ui->label_v85_in, ui->v85_in_label, ui->label_4, ui->label_v50_in, ui->v50_in_label,
         ui->label_10, ui->label_v30_in, ui->v30_in_label, ui->label_12, ui->percentile_in_view},
        {ui->percentile_label_2, ui->label_v85_out, ui->v85_out_label, ui->label_18, ui->label_v50_out,
         ui->v50_out_label, ui->label_14, ui->label_v30_out, ui->v30_out_label, ui->label_16, ui->percentile_out_view}};
    for (int d = 0; d < 2; ++d)
        for (QWidget* widget : columns[d])
            widget->setVisible(directions.contains(d));
}

void MainWindow::showUnits()
{
    const QString units = m_statistics.unitLabel();
    for (QLabel* label : {ui->label_4, ui->label_10, ui->label_12, ui->label_18, ui->label_14, ui->label_16})
        label->setText(units);
}

void MainWindow::fillSpeedTableIfStale(bool evenHidden)
{
    if (!m_speedTableStale || (!evenHidden && ui->tabWidget->currentWidget() != ui->page_4))
        return;
    m_speedTableStale = false;
    fillSpeedTable(ui->page_4_view, ResultCharts::presentSamples(m_statistics));
}

void MainWindow::createGraph()
{
    removeCharts();

    const QDateTime start = ui->gb1_dateTimeEdit_1->dateTime();
    const QDateTime end = ui->gb1_dateTimeEdit_2->dateTime();
    qDebug() << "Chargement statistiques Moy/Max From=" << start << "To=" << end;

    m_statistics.setMinSpeed(getMinSpeed());
    bool hasGaps = false;
    int n = 0;
    TrafficSummary summary;
    {
        // Nothing may start another load or change the measures meanwhile.
        const QScopedValueRollback<bool> loading(m_loading, true);
        const std::optional<int> limit = m_siteInfo->limit();
        runKeepingWindowAlive([&] {
            n = m_statistics.load(start, end, hasGaps);
            if (n >= 1 && start.isValid() && !m_statistics.getFilteredSample().isEmpty())
                summary = TrafficSummary::compute(m_statistics, start, end, limit);
        });
    }
    if (n < 1) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"),
                              tr("Vitesses Moyennes/Maximales indisponibles"));
        return;
    }

    enableAnalysisControls(true);
    ui->label_start_date->setText(dateTimeText(m_statistics.getStartDate()));
    ui->label_end_date->setText(dateTimeText(m_statistics.getEndDate()));
    showStoreMode();
    showUnits();
    const qint64 invalid = m_statistics.getInvalidReadings();
    ui->label_invalid_readings->setText(tr("%1 relevés ignorés : sens ou vitesse invalide").arg(invalid));
    ui->label_invalid_readings->setToolTip(tr("Sens autre que 0 ou 1, ou vitesse hors de 0 à 1000"));
    ui->label_invalid_readings->setVisible(invalid > 0);

    const QList<int> directions = m_statistics.getDirections();
    TimePlot* meanGraph = ResultCharts::meanGraph(m_statistics, start, end, ui->page_1_view);
    connect(meanGraph, &TimePlot::visibleIntervalChanged, this, &MainWindow::meantime);
    ui->page_1_view->layout()->addWidget(meanGraph);
    m_meanGraph = meanGraph;
    ui->gb0_logo->hide();

    TimePlot* maxGraph = ResultCharts::maxGraph(m_statistics, start, end, ui->page_5_view);
    connect(maxGraph, &TimePlot::visibleIntervalChanged, this, &MainWindow::xmSpeed);
    ui->page_5_view->layout()->addWidget(maxGraph);
    m_maxGraph = maxGraph;

    showPercentileColumns(directions);
    const auto percentile = [](double value) { return QLocale().toString(value, 'f', 2); };
    qDebug() << "Creating ingoing statistics graph";
    ui->v30_in_label->setText(percentile(m_statistics.getV30(0)));
    ui->v50_in_label->setText(percentile(m_statistics.getV50(0)));
    ui->v85_in_label->setText(percentile(m_statistics.getV85(0)));
    m_percentileIn = ResultCharts::percentilePlot(m_statistics, 0, nullptr);
    ui->percentile_in_view->layout()->addWidget(m_percentileIn);
    ui->v30_out_label->setText(percentile(m_statistics.getV30(1)));
    ui->v50_out_label->setText(percentile(m_statistics.getV50(1)));
    ui->v85_out_label->setText(percentile(m_statistics.getV85(1)));
    m_percentileOut = ResultCharts::percentilePlot(m_statistics, 1, nullptr);
    ui->percentile_out_view->layout()->addWidget(m_percentileOut);

    // The headers say what the counts are: vehicles from readings, or readings alone.
    const bool readings = countsReadings();
    if (QTableWidgetItem* header = ui->page_4_view->horizontalHeaderItem(2))
        header->setText(ResultCharts::vehicleCountHeader(readings, m_statistics.vehicleDivider()));
    m_speedTableStale = true;
    fillSpeedTableIfStale(false);

    TimePlot* vehicleGraph = ResultCharts::vehicleGraph(m_statistics, start, end, readings, ui->page_2_view);
    connect(vehicleGraph, &TimePlot::visibleIntervalChanged, this, &MainWindow::vehicleNumber);
    ui->page_2_view->layout()->addWidget(vehicleGraph);
    m_vehicleGraph = vehicleGraph;

    loadPieChart();
    if (start.isValid() && !m_statistics.getFilteredSample().isEmpty())
        m_summaryTab->setSummary(summary, m_statistics.unitLabel());

    qDebug() << "Graphics creation achieved";
}

// ---------------------------------------------------------------------------------------------
// Campaigns

bool MainWindow::selectCampaign(const QString& szFileName, QDateTime* pStartDate, QDateTime* pEndDate, int* pStoreMode)
{
    delete m_campaignList;
    m_campaignList = nullptr;

    CampaignSelection selection;
    if (selection.open(szFileName) != CampaignSelection::LoadResult::Loaded)
        return false;

    m_campaignList = new CampaignChoiceDialog(selection, [this](const QDateTime& dt) { return dateTimeText(dt); });
    m_campaignList->setDatabase(selection.database());

    bool result = false;
    const bool accepted = runDialog(*m_campaignList) == QDialog::Accepted;
    // Nothing to analyse: the list and the charts stay those of the file already shown.
    if (accepted && selection.tickedCount() == 0) {
        userDialogs().message(UserDialogs::Icon::Information, tr("Statistiques"),
                              tr("Aucune campagne n'est cochée : rien n'a été chargé."));
    } else if (accepted) {
        m_campaignMap = selection.campaignIds();
        m_campaignFile = szFileName;
        connectCampaignList(false);
        qDebug() << "Vidage liste des widgets" << ui->listWidget->count();
        while (ui->listWidget->count() > 0)
            delete ui->listWidget->takeItem(0);
        qDebug() << "Vidage campagne";
        clearCampaignPanel();

        qDebug() << "Chargement nouvelle campagne" << 0 << "/" << m_campaignMap.size();
        int row = 0;
        for (auto it = m_campaignMap.cbegin(); it != m_campaignMap.cend(); ++it, ++row) {
            const QString title = selection.campaign(it.key()).title;
            auto* item = new QListWidgetItem(title);
            item->setToolTip(title);
            ui->listWidget->insertItem(row, item);
            ui->listWidget->setCurrentRow(0);
            qDebug() << "CurrentRow=" << ui->listWidget->currentRow() << "count=" << ui->listWidget->count();
        }

        // A new list: its campaigns can be described again.
        ui->gb3_pushButton->setEnabled(true);
        // The boxes about other store modes and filled-in rows come from accept(), over the new list.
        const CampaignSelection::Outcome outcome = selection.accept();
        if (pStoreMode)
            *pStoreMode = outcome.storeMode;
        result = outcome.ok;
        if (result) {
            if (pStartDate)
                *pStartDate = outcome.start;
            if (pEndDate)
                *pEndDate = outcome.end;
        }
        connectCampaignList(true);
    }

    selection.close();
    delete m_campaignList;
    m_campaignList = nullptr;
    if (result)
        qDebug() << "Min Date=" << dateTimeText(*pStartDate) << "Max Date=" << dateTimeText(*pEndDate);
    return result;
}

void MainWindow::connectCampaignList(bool bConnect)
{
    using ItemSlot = void (MainWindow::*)(QListWidgetItem*);
    using PlainSlot = void (MainWindow::*)();
    if (bConnect) {
        connect(ui->listWidget, &QListWidget::itemClicked, this, static_cast<ItemSlot>(&MainWindow::updateCampaign),
                Qt::UniqueConnection);
        connect(ui->listWidget, &QListWidget::itemSelectionChanged, this,
                static_cast<PlainSlot>(&MainWindow::updateCampaign), Qt::UniqueConnection);
        connect(ui->listWidget, &QListWidget::itemDoubleClicked, this,
                static_cast<ItemSlot>(&MainWindow::describeCampaign), Qt::UniqueConnection);
        connect(ui->gb3_pushButton, &QPushButton::clicked, this, static_cast<PlainSlot>(&MainWindow::describeCampaign),
                Qt::UniqueConnection);
    } else {
        disconnect(ui->listWidget, &QListWidget::itemClicked, this, static_cast<ItemSlot>(&MainWindow::updateCampaign));
        disconnect(ui->listWidget, &QListWidget::itemSelectionChanged, this,
                   static_cast<PlainSlot>(&MainWindow::updateCampaign));
        disconnect(ui->listWidget, &QListWidget::itemDoubleClicked, this,
                   static_cast<ItemSlot>(&MainWindow::describeCampaign));
        disconnect(ui->gb3_pushButton, &QPushButton::clicked, this,
                   static_cast<PlainSlot>(&MainWindow::describeCampaign));
    }
}

void MainWindow::clearCampaignPanel()
{
    ++m_countRequest;   // a count still running belongs to what is cleared
    for (QLabel* label : {ui->gb3_label_8, ui->gb3_label_9, ui->gb3_label_10, ui->gb3_label_11, ui->gb3_label_12,
                          ui->gb3_label_13, ui->gb3_label_14})
        label->clear();
}

void MainWindow::updateCampaign(QListWidgetItem*)
{
    updateCampaign();
}

void MainWindow::updateCampaign()
{
    if (m_databasePath.isEmpty()) {
        qWarning() << "No database name available - ignore";
        return;
    }
    const int row = ui->listWidget->currentRow();
    if (row < 0 || row >= m_campaignMap.size()) {
        qDebug() << "Incorrect row number. Check listWidget filling function";
        return;
    }
    const int id = m_campaignMap.value(m_campaignMap.keys().at(row));

    DatabaseConnection db;
    qDebug() << "Opening database" << m_campaignFile << "CurrentRow=" << row << id;
    // Showing a campaign must not leave an empty database where the file has gone.
    if (!QFileInfo::exists(m_campaignFile) || !db.open(m_campaignFile)) {
        qCritical() << "Cannot open" << m_campaignFile;
        return;
    }
    CampaignStore store;
    const QDateTime created = store.campaignCreationDate(&db, id);
    QDateTime start, end;
    const bool hasPeriod = store.campaignPeriod(&db, id, start, end);
    const QString title = store.campaignTitle(&db, id);
    const QString comment = store.campaignComment(&db, id);

    clearCampaignPanel();
    if (created.isValid())
        ui->gb3_label_8->setText(dateTimeText(created));
    if (hasPeriod) {
        ui->gb3_label_9->setText(dateTimeText(start));
        ui->gb3_label_10->setText(dateTimeText(end));
        ui->gb3_label_12->setText(QString::number(start.date().daysTo(end.date()) + 1));
        countCampaignMeasures(start.toSecsSinceEpoch(), end.toSecsSinceEpoch());
    }
    ui->gb3_label_13->setText(title);
    ui->gb3_label_14->setText(comment);
    db.close();
}

void MainWindow::countCampaignMeasures(qint64 from, qint64 to)
{
    const int request = ++m_countRequest;
    const QString sql =
        QStringLiteral("SELECT COUNT(*) FROM measure WHERE meas_date >= %1 AND meas_date <= %2;").arg(from).arg(to);
    QThread* thread = QThread::create([this, request, path = m_campaignFile, sql] {
        const qint64 n = DatabaseConnection::valueOnOwnConnection(path, sql);
        QMetaObject::invokeMethod(
            this,
            [this, request, n] {
                if (request == m_countRequest && n >= 0)
                    ui->gb3_label_11->setText(QString::number(n));
            },
            Qt::QueuedConnection);
    });
    m_counters.append(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        m_counters.removeOne(thread);
        thread->deleteLater();
    });
    thread->start(QThread::LowPriority);
}

void MainWindow::describeCampaign(QListWidgetItem*)
{
    describeCampaign();
}

void MainWindow::describeCampaign()
{
    if (m_databasePath.isEmpty()) {
        qWarning() << "No database name available - ignore";
        ui->gb3_pushButton->setEnabled(false);
        return;
    }
    ui->gb3_pushButton->setEnabled(true);
    const int row = ui->listWidget->currentRow();
    if (row < 0 || row >= m_campaignMap.size()) {
        qDebug() << "Incorrect row number. Check listWidget filling function";
        return;
    }
    const int id = m_campaignMap.value(m_campaignMap.keys().at(row));

    bool refresh = false;
    {
        DatabaseConnection db;
        qDebug() << "Opening database" << m_campaignFile << "CurrentRow=" << row << id;
        if (!QFileInfo::exists(m_campaignFile) || !db.open(m_campaignFile)) {
            qCritical() << "Cannot open" << m_campaignFile;
            return;
        }
        delete m_campaignDialog;
        m_campaignDialog = new CampaignDescriptionDialog();
        if (id < 1) {
            qCritical() << "Campaign id" << id << "out of range - ignored";
        } else {
            CampaignStore store;
            QDateTime start, end;
            store.campaignPeriod(&db, id, start, end);
            m_campaignDialog->setPeriod(dateTimeText(start), dateTimeText(end));
            m_campaignDialog->setTitle(store.campaignTitle(&db, id));
            m_campaignDialog->setComment(store.campaignComment(&db, id));
            if (runDialog(*m_campaignDialog) != QDialog::Accepted) {
                qDebug() << "dlgCampaign aborted";
            } else {
                const QString title = m_campaignDialog->title();
                const QString comment = m_campaignDialog->comment();
                if (!store.setTitleAndComment(&db, title, comment, id)) {
                    qCritical() << "Campaign update failed Title=[" << title << "]\nCommentaire=[" << comment << "]";
                } else {
                    if (QListWidgetItem* item = ui->listWidget->currentItem()) {
                        item->setText(title);
                        item->setToolTip(title);
                    }
                    refresh = true;
                }
            }
        }
        delete m_campaignDialog;
        m_campaignDialog = nullptr;
        db.close();
    }
    // Only one connection at a time: the panel reopens the file itself.
    if (refresh)
        updateCampaign();
}
