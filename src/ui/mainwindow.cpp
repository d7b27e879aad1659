#include "mainwindow.h"

#include "core/messagelog.h"
#include "core/userdialogs.h"
#include "core/workspace.h"
#include "campaign/campaignselection.h"
#include "campaign/qorcampaign.h"
#include "campaign/ui/campaign.h"
#include "campaign/ui/lstcampaign.h"
#include "charts/dynaplot.h"
#include "charts/piechart.h"
#include "charts/qorgraph.h"
#include "db/databasemanager.h"
#include "csvexport.h"
#include "dialogrunner.h"
#include "qtuserdialogs.h"
#include "resources.h"
#include "speedarea/speedarea.h"
#include "stats/periodsnap.h"
#include "tableitems.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QDebug>
#include <QFileInfo>
#include <QIcon>
#include <QLayout>
#include <QListWidget>
#include <QLocale>
#include <QPixmap>
#include <QShortcut>
#include <QSqlQuery>
#include <QToolBar>

namespace {

const char* const kProductName = "Tramola";
const char* const kRevision = "4.13";
const char* const kRevisionDate = "2025-09-23";
const char* const kContact = "support@tramola.example";

// The settings kind of the statistics database.
constexpr int kStatisticsFile = 3;

} // namespace

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

    setMinSpeedDefault();
    fillSpeedAreaChoice();
    refreshSpeedArea();
    enableAnalysisControls(false);

    auto* debugKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+F1")), this);
    connect(debugKey, &QShortcut::activated, this, &MainWindow::debugMode);
    auto* dividerKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+D")), this);
    connect(dividerKey, &QShortcut::activated, this, &MainWindow::setDivider);
    connect(ui->gb1_button_refresh, &QPushButton::clicked, this, &MainWindow::checkParameters);
    connect(ui->tab5_button_1, &QToolButton::clicked, this, &MainWindow::explainPercentile);
    connect(ui->gb2_toolButton, &QToolButton::clicked, this, &MainWindow::manageSpeedArea);
    ui->gb2_toolButton->setIcon(QIcon(QStringLiteral(":/images/24x24/actions/system-settings.png")));
    ui->tab5_button_1->setIcon(QIcon(QStringLiteral(":/images/help-3.png")));
    connectCampaignList(true);

    ui->gb0_logo->setPixmap(QPixmap(QStringLiteral(":/images/logo-transparent.png")));
    // Whole headers readable before the first table fills the columns.
    ui->page_4_view->resizeColumnsToContents();
    m_szLocaleName = QStringLiteral("fr_FR");
}

MainWindow::~MainWindow()
{
    if (auto* dialogs = dynamic_cast<QtUserDialogs*>(&userDialogs()))
        dialogs->setParent(nullptr);
    removeCharts();
    delete m_pCampaignList;
    delete m_pCampaignDialog;
}

void MainWindow::createActions()
{
    ui->actionAbout->setText(tr("&A propos de %1").arg(QLatin1String(kProductName)));
    connect(ui->actionOpen, &QAction::triggered, this, &MainWindow::dataLoad);
    connect(ui->actionExport, &QAction::triggered, this, &MainWindow::exportCsv);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::close);
    connect(ui->actionRange, &QAction::triggered, this, &MainWindow::setRange);
    connect(ui->actionFilter, &QAction::triggered, this, &MainWindow::setFilter);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::about);

    connect(ui->actionToolOpen, &QAction::triggered, this, &MainWindow::dataLoad);
    connect(ui->actionToolPdf, &QAction::triggered, this, &MainWindow::exportPdf);
    connect(ui->actionToolExport, &QAction::triggered, this, &MainWindow::exportCsv);
    connect(ui->actionToolReload, &QAction::triggered, this, &MainWindow::reload);
    connect(ui->actionToolPrint, &QAction::triggered, this, &MainWindow::print);
}

QString MainWindow::dateTimeText(const QDateTime& dateTime) const
{
    const QLocale locale(m_szLocaleName);
    return locale.toString(dateTime.date(), QLocale::LongFormat) + QLatin1Char(' ')
        + locale.toString(dateTime.time(), QLocale::ShortFormat);
}

void MainWindow::enableAnalysisControls(bool bEnable)
{
    ui->actionExport->setEnabled(bEnable);
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
    if (!userDialogs().getInt(tr("Tramola"), tr("Portée du radar (mètres):"), m_statistics.getRange(), 50, 500,
                              50, &value))
        return;
    m_statistics.setRange(quint16(value));
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
    if (!userDialogs().getInt(tr("Tramola"), tr("Diviseur de portée:"), m_statistics.getDividerOff() ? 1 : 0, 0, 1,
                              1, &value))
        return;
    m_statistics.setDividerOff(value > 0);
    createGraph();
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
    if (!m_pSpeedArea)
        m_pSpeedArea = std::make_unique<SpeedArea>();
    m_pSpeedArea->setUnits(units);
    m_pSpeedArea->setFile(Workspace::speedAreaFile(units));

    // Refilling replaces the list of the previous units.
    ui->gb1_comboBox_1->clear();
    for (const QString& name : sortAreaNames(m_pSpeedArea->areaNames())) {
        qDebug() << "Loading item" << name;
        ui->gb1_comboBox_1->addItem(name);
    }
    const QString current = m_pSpeedArea->currentArea();
    qDebug() << "Select new current index for" << current;
    const int index = ui->gb1_comboBox_1->findText(current);
    if (index >= 0)
        ui->gb1_comboBox_1->setCurrentIndex(index);
    connect(ui->gb1_comboBox_1, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::checkSpeedArea);
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
        qCritical() << "void MainWindow::refreshSpeedArea()" << "UNKNOWN area speed name ?";
    const SpeedClassMap classes = area->intervals(name);
    m_statistics.setDistribution(classes, 0);
    m_statistics.setDistribution(classes, 1);
}

void MainWindow::checkSpeedArea()
{
    refreshSpeedArea();
    m_statistics.createDistribution();
    const QDateTime start = ui->gb1_dateTimeEdit_1->dateTime();
    const QDateTime end = ui->gb1_dateTimeEdit_2->dateTime();
    const int vehiclesIn = m_statistics.countVehicles(start, end, 0);
    const int vehiclesOut = m_statistics.countVehicles(start, end, 1);
    qDebug() << "Speed area changed, vehicles" << vehiclesIn << vehiclesOut;
    loadPieChart();
}

void MainWindow::manageSpeedArea()
{
    // SPEED AREA EDITOR: the editor dialog opens here; afterwards the choice is refilled,
    // refreshSpeedArea() runs and then createGraph().
}

// ---------------------------------------------------------------------------------------------
// Debug mode, about box, help

void MainWindow::debugMode()
{
    const bool on = !debugModeEnabled();
    setDebugModeEnabled(on);
    if (on) {
        if (!m_pDebugShortcut) {
            m_pDebugShortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+X")), this);
            connect(m_pDebugShortcut, &QShortcut::activated, this, &MainWindow::exportAll);
        }
        qDebug() << "Activation du mode 'mise au point'";
        if (!m_pDebugAction) {
            m_pDebugAction = ui->mainToolBar->addAction(QIcon(QStringLiteral(":/images/bug.png")), QString());
            m_pDebugAction->setObjectName(QStringLiteral("actionDebug"));
            m_pDebugAction->setToolTip(tr("Mode mise au point"));
            connect(m_pDebugAction, &QAction::triggered, this, &MainWindow::debugMode);
        }
    } else {
        delete m_pDebugShortcut;
        m_pDebugShortcut = nullptr;
        qDebug() << "Desactivation du mode 'mise au point'";
        if (m_pDebugAction) {
            ui->mainToolBar->removeAction(m_pDebugAction);
            m_pDebugAction->deleteLater();
            m_pDebugAction = nullptr;
        }
    }
}

void MainWindow::about()
{
    const QString product = QLatin1String(kProductName);
    const QString text = QStringLiteral("<B>") + product + QStringLiteral("</B><BR>Revision: ")
        + QLatin1String(kRevision) + QStringLiteral("<br>    Date: ") + QLatin1String(kRevisionDate)
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
    // PDF REPORT: the operation report dialog and writer plug in here.
}

void MainWindow::exportCsv()
{
    const QString file = userDialogs().saveFileName(tr("Exporter"), getPath(7), tr("Comma Separated Value (*.csv)"));
    if (file.isEmpty())
        return;
    setFile(7, file);
    if (!CsvExport::writeBucketTable(m_statistics.getFilteredSample(), file))
        userDialogs().message(UserDialogs::Icon::Warning, CsvExport::errorTitle(), CsvExport::errorText(file));
    // Written even when the table could not be.
    CsvExport::exportMeanMinMax(m_statistics.getFilteredSample(0), CsvExport::meanMinMaxFile(file));
}

void MainWindow::exportAll()
{
    const QString file = userDialogs().saveFileName(tr("Exporter"), getPath(7), tr("Comma Separated Value (*.csv)"));
    if (!file.isEmpty())
        CsvExport::exportMeasures(m_statistics.measures(), file);
}

void MainWindow::print()
{
    // PRINTING: the current tab is printed here.
}

namespace {

// Legend texts of the two speed curves: each direction's figure, then the unit.
QMap<int, QString> speedTitles(double in, double out, const QString& unit, int decimals = 2)
{
    return {{0, MainWindow::tr("Sens entrant (%1 %2)").arg(in, 1, 'f', decimals).arg(unit)},
            {1, MainWindow::tr("Sens sortant (%1 %2)").arg(out, 1, 'f', decimals).arg(unit)}};
}

} // namespace

// The zoomed interval, kept within the period of the two editors.
void MainWindow::meantime(const QDateTime& begin, const QDateTime& end)
{
    qDebug() << "Mise a jour de la plage de valeur et calcul de la valeur moyenne";
    const QDateTime from = qMax(begin, ui->gb1_dateTimeEdit_1->dateTime());
    const QDateTime to = qMin(end, ui->gb1_dateTimeEdit_2->dateTime());
    const QMap<int, QString> titles = speedTitles(m_statistics.meanSpeedInRange(from, to, 0),
                                                  m_statistics.meanSpeedInRange(from, to, 1), m_statistics.unitLabel());
    qDebug() << "meanTime: mise à jour légende";
    if (auto* graph = qobject_cast<qorGraph*>(m_pMeanGraph))
        graph->updateCurveTitles(titles);
}

void MainWindow::xmSpeed(const QDateTime& begin, const QDateTime& end)
{
    qDebug() << "Mise a jour de la plage de valeur et calcul des vitesses min / max";
    const QDateTime from = qMax(begin, ui->gb1_dateTimeEdit_1->dateTime());
    const QDateTime to = qMin(end, ui->gb1_dateTimeEdit_2->dateTime());
    // A zoomed maximum is a whole measured speed.
    const QMap<int, QString> titles = speedTitles(m_statistics.maxSpeedInRange(from, to, 0),
                                                  m_statistics.maxSpeedInRange(from, to, 1), m_statistics.unitLabel(), 0);
    qDebug() << "xmSpeed : mise à jour légende";
    if (auto* graph = qobject_cast<qorGraph*>(m_pMaxGraph))
        graph->updateCurveTitles(titles);
}

void MainWindow::vehicleNumber(const QDateTime& begin, const QDateTime& end)
{
    qDebug() << "Mise a jour du nombre de vehicules";
    const QDateTime from = qMax(begin, ui->gb1_dateTimeEdit_1->dateTime());
    const QDateTime to = qMin(end, ui->gb1_dateTimeEdit_2->dateTime());
    const QMap<int, QString> titles{{0, tr("Véhicules entrant %1").arg(m_statistics.countVehicles(from, to, 0))},
                                    {1, tr("Véhicules sortant %1").arg(m_statistics.countVehicles(from, to, 1))}};
    qDebug() << "Vehicle Number : mise à jour légende";
    if (auto* graph = qobject_cast<qorGraph*>(m_pVehicleGraph))
        graph->updateHistogramTitles(titles);
}

// ---------------------------------------------------------------------------------------------
// Data load

void MainWindow::dataLoad()
{
    const QString folder = Workspace::statisticsFolder();
    qDebug() << "User's document location=" << folder;
    const QString file =
        userDialogs().openFileName(tr("Charger les statistiques..."), folder, tr("Base de données (*.db)"));
    if (file.isEmpty())
        return;
    setFile(kStatisticsFile, file);

    QDateTime start, end;
    int storeMode = 0;
    if (!selectCampaign(file, &start, &end, &storeMode))
        return;

    m_szDatabasePath = file;
    setWindowTitle(QStringLiteral("%1 - %2").arg(QFileInfo(file).completeBaseName(), tr("Tramola")));

    qDebug() << "Store mode=" << storeMode;
    m_nStoreMode = storeMode;
    m_statistics.setDividerOff(storeMode != 0);
    showStoreMode();

    if (ui->listWidget->count() > 0)
        updateCampaign();

    qDebug() << "Loading data" << start.toString(Qt::ISODate) << end.toString(Qt::ISODate) << "Mode" << storeMode;
    const int n = m_statistics.loadStatistics(file, start, end);
    if (n < 1) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"), tr("Statistiques indisponibles"));
        return;
    }

    showUnits();
    const QDate firstDay = m_statistics.getStartDate().date();
    const QDate lastDay = m_statistics.getEndDate().date();
    ui->gb1_dateTimeEdit_1->setDateRange(firstDay, lastDay);
    ui->gb1_dateTimeEdit_2->setDateRange(firstDay, lastDay);
    ui->gb1_dateTimeEdit_1->setDateTime(m_statistics.getStartDate());
    ui->gb1_dateTimeEdit_2->setDateTime(m_statistics.getEndDate());
    setMinSpeed(quint16(SpeedStatistics::defaultMinSpeed(m_statistics.getUnits())));
    setStartDate(m_statistics.getStartDate());
    setEndDate(m_statistics.getEndDate());
    ui->gb2_textEdit->clear();
    ui->gb2_textEdit->setText(m_statistics.getDescription());

    fillSpeedAreaChoice();
    refreshSpeedArea();
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
    const QString file = getFile(kStatisticsFile);
    const int minSpeed = getMinSpeed();
    if (minSpeed == m_statistics.getMinSpeed()) {
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
    for (QWidget** chart : {&m_pMeanGraph, &m_pMaxGraph, &m_pVehicleGraph, &m_pPercentileIn, &m_pPercentileOut,
                            &m_pPieIn, &m_pPieOut}) {
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

void MainWindow::showStoreMode()
{
    ui->label_17->setText(m_nStoreMode == 0 ? tr("Standard") : tr("Avancé"));
}

void MainWindow::loadPieChart()
{
    qDebug() << "PieChart creation start";
    for (QWidget** pie : {&m_pPieIn, &m_pPieOut}) {
        delete *pie;
        *pie = nullptr;
    }
    const QDateTime start = ui->gb1_dateTimeEdit_1->dateTime();
    const QDateTime end = ui->gb1_dateTimeEdit_2->dateTime();
    const auto pie = [&](int direction, const QString& title, QLayout* layout) {
        auto* chart = new pieChart(nullptr, m_statistics.getDistribution(direction), m_statistics.vehicleDivider(),
                                   title, m_statistics.unitLabel(), m_statistics.countVehicles(start, end, direction),
                                   tr(" (et +)"));
        layout->addWidget(chart);
        return chart;
    };
    m_pPieIn = pie(0, tr("Véhicules entrants"), ui->ingoing);
    m_pPieOut = pie(1, tr("Véhicules sortants"), ui->outgoing);
    qDebug() << "Loading pie chart end";
}

void MainWindow::showUnits()
{
    const QString units = m_statistics.unitLabel();
    for (QLabel* label : {ui->label_4, ui->label_10, ui->label_12, ui->label_18, ui->label_14, ui->label_16})
        label->setText(units);
}

void MainWindow::createGraph()
{
    removeCharts();

    const QDateTime start = ui->gb1_dateTimeEdit_1->dateTime();
    const QDateTime end = ui->gb1_dateTimeEdit_2->dateTime();
    qDebug() << "Chargement statistiques Moy/Max From=" << start << "To=" << end;

    m_statistics.setMinSpeed(getMinSpeed());
    bool hasGaps = false;
    const int n = m_statistics.load(start, end, hasGaps);
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

    const QString units = m_statistics.unitLabel();
    Q_UNUSED(units)
    Q_UNUSED(hasGaps)

    // MEAN SPEED PLOT: "Vitesses moyennes" into page_1_view (curves "Sens entrant (%1 %2)" and
    // "Sens sortant (%1 %2)" with getMeanSpeed()), range changes to meantime(); store it in
    // m_pMeanGraph and hide gb0_logo.
    const qint64 periodBegin = m_statistics.getStartDate().toSecsSinceEpoch();
    const qint64 periodEnd = m_statistics.getEndDate().toSecsSinceEpoch();
    auto* meanGraph = new qorGraph(ui->page_1_view, qorGraph::toPoints(m_statistics.getMeanCurve()),
                                   speedTitles(m_statistics.getMeanSpeed(0), m_statistics.getMeanSpeed(1), units),
                                   periodBegin, periodEnd, qorGraph::SpeedKind, hasGaps, units);
    meanGraph->setPlotTitle(tr("Vitesses moyennes"));
    connect(meanGraph, &qorGraph::meantimeChanged, this, &MainWindow::meantime);
    ui->page_1_view->layout()->addWidget(meanGraph);
    m_pMeanGraph = meanGraph;
    ui->gb0_logo->hide();

    // MAXIMUM SPEED PLOT: "Vitesses maximum" into page_5_view with getMaxSpeed(), range changes to
    // xmSpeed(); store it in m_pMaxGraph.
    auto* maxGraph = new qorGraph(ui->page_5_view, qorGraph::toPoints(m_statistics.getMaxCurve()),
                                  speedTitles(m_statistics.getMaxSpeed(0), m_statistics.getMaxSpeed(1), units),
                                  periodBegin, periodEnd, qorGraph::SpeedKind, hasGaps, units);
    maxGraph->setPlotTitle(tr("Vitesses maximum"));
    connect(maxGraph, &qorGraph::meantimeChanged, this, &MainWindow::xmSpeed);
    ui->page_5_view->layout()->addWidget(maxGraph);
    m_pMaxGraph = maxGraph;

    // PERCENTILE PLOTS: the labels are filled here; the two plots go into percentile_in_view
    // and percentile_out_view (m_pPercentileIn, m_pPercentileOut).
    const auto percentile = [](double value) { return QStringLiteral("%1").arg(value, 1, 'f', 2); };
    qDebug() << "Creating ingoing statistics graph";
    ui->v30_in_label->setText(percentile(m_statistics.getV30(0)));
    ui->v50_in_label->setText(percentile(m_statistics.getV50(0)));
    ui->v85_in_label->setText(percentile(m_statistics.getV85(0)));
    const int percentileTop = qMax(m_statistics.getHighestSpeed(0), m_statistics.getHighestSpeed(1));
    const auto percentilePlot = [&](int direction, QWidget* view, const QColor& colour) {
        auto* plot = new DynaPlot(nullptr, tr("Pourcentage de véhicules"),
                                  QStringLiteral("%1 %2").arg(tr("Vitesse")).arg(m_statistics.unitLabel()), 0, 100, 10,
                                  percentileTop);
        if (m_statistics.getPercentageCurveSize(direction) > 0) {
            QVector<QPointF> points;
            for (const CurvePoint& point : m_statistics.getPercentageCurve(direction))
                points.append(QPointF(point.x, point.y));
            plot->addCurve(0, points, colour);
        }
        view->layout()->addWidget(plot);
        return plot;
    };
    m_pPercentileIn = percentilePlot(0, ui->percentile_in_view, QColor(0, 128, 0));
    qDebug() << "Creating outgoing statistics graph";
    ui->v30_out_label->setText(percentile(m_statistics.getV30(1)));
    ui->v50_out_label->setText(percentile(m_statistics.getV50(1)));
    ui->v85_out_label->setText(percentile(m_statistics.getV85(1)));
    m_pPercentileOut = percentilePlot(1, ui->percentile_out_view, QColor(0, 0, 128));

    // SPEED TABLE: page_4_view is rebuilt here from getFilteredSample().
    fillSpeedTable(ui->page_4_view, m_statistics.getFilteredSample());

    // VEHICLE COUNT PLOT: into page_2_view ("Véhicules entrants %1", "Véhicules sortants %1"),
    // range changes to vehicleNumber(); store it in m_pVehicleGraph.
    const QMap<int, QString> vehicleTitles{
        {0, tr("Véhicules entrants %1").arg(m_statistics.countVehicles(start, end, 0))},
        {1, tr("Véhicules sortants %1").arg(m_statistics.countVehicles(start, end, 1))}};
    auto* vehicleGraph = new qorGraph(ui->page_2_view, qorGraph::toSamples(m_statistics.getVehicleBars()),
                                      vehicleTitles, start.toSecsSinceEpoch(), end.toSecsSinceEpoch(),
                                      qorGraph::VehicleKind, hasGaps, units);
    connect(vehicleGraph, &qorGraph::meantimeChanged, this, &MainWindow::vehicleNumber);
    ui->page_2_view->layout()->addWidget(vehicleGraph);
    m_pVehicleGraph = vehicleGraph;

    // PIE CHARTS: the layouts ingoing and outgoing receive the two pie charts (m_pPieIn, m_pPieOut).
    loadPieChart();

    qDebug() << "Graphics creation achieved";
}

// ---------------------------------------------------------------------------------------------
// Campaigns

bool MainWindow::selectCampaign(const QString& szFileName, QDateTime* pStartDate, QDateTime* pEndDate,
                                int* pStoreMode)
{
    delete m_pCampaignList;
    m_pCampaignList = nullptr;

    CampaignSelection selection;
    if (selection.open(szFileName) != CampaignSelection::LoadResult::Loaded)
        return false;

    m_pCampaignList = new LstCampaign(selection, [this](const QDateTime& dt) { return dateTimeText(dt); });
    m_pCampaignList->setDatabase(selection.database());

    bool result = false;
    if (runDialog(*m_pCampaignList) == QDialog::Accepted) {
        m_campaignMap = selection.campaignIds();
        m_szCampaignFile = szFileName;
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
    delete m_pCampaignList;
    m_pCampaignList = nullptr;
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
        connect(ui->gb3_pushButton, &QPushButton::clicked, this,
                static_cast<PlainSlot>(&MainWindow::describeCampaign), Qt::UniqueConnection);
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
    if (m_szDatabasePath.isEmpty()) {
        qWarning() << "No database name available - ignore";
        return;
    }
    const int row = ui->listWidget->currentRow();
    if (row < 0 || row >= m_campaignMap.size()) {
        qDebug() << "Incorrect row number. Check listWidget filling function";
        return;
    }
    const int id = m_campaignMap.value(m_campaignMap.keys().at(row));

    DatabaseManager db;
    qDebug() << "Opening database" << m_szCampaignFile << "CurrentRow=" << row << id;
    // Showing a campaign must not leave an empty database where the file has gone.
    if (!QFileInfo::exists(m_szCampaignFile) || !db.openDatabase(m_szCampaignFile)) {
        qCritical() << "Cannot open" << m_szCampaignFile;
        return;
    }
    QorCampaign store;
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
        // The measures the campaign holds; cheap thanks to the index on meas_date.
        QSqlQuery count = db.getRecord(QStringLiteral("SELECT COUNT(*) FROM measure WHERE meas_date >= %1 AND "
                                                      "meas_date <= %2;")
                                           .arg(start.toSecsSinceEpoch())
                                           .arg(end.toSecsSinceEpoch()));
        if (count.isValid())
            ui->gb3_label_11->setText(QString::number(count.value(0).toLongLong()));
    }
    ui->gb3_label_13->setText(title);
    ui->gb3_label_14->setText(comment);
    db.closeDatabase();
}

void MainWindow::describeCampaign(QListWidgetItem*)
{
    describeCampaign();
}

void MainWindow::describeCampaign()
{
    if (m_szDatabasePath.isEmpty()) {
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
        DatabaseManager db;
        qDebug() << "Opening database" << m_szCampaignFile << "CurrentRow=" << row << id;
        if (!QFileInfo::exists(m_szCampaignFile) || !db.openDatabase(m_szCampaignFile)) {
            qCritical() << "Cannot open" << m_szCampaignFile;
            return;
        }
        delete m_pCampaignDialog;
        m_pCampaignDialog = new Campaign();
        if (id < 1) {
            qCritical() << "Campaign id" << id << "out of range - ignored";
        } else {
            QorCampaign store;
            QDateTime start, end;
            store.campaignPeriod(&db, id, start, end);
            m_pCampaignDialog->setPeriod(dateTimeText(start), dateTimeText(end));
            m_pCampaignDialog->setTitle(store.campaignTitle(&db, id));
            m_pCampaignDialog->setComment(store.campaignComment(&db, id));
            if (runDialog(*m_pCampaignDialog) != QDialog::Accepted) {
                qDebug() << "dlgCampaign aborted";
            } else {
                const QString title = m_pCampaignDialog->title();
                const QString comment = m_pCampaignDialog->comment();
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
        delete m_pCampaignDialog;
        m_pCampaignDialog = nullptr;
        db.closeDatabase();
    }
    // Only one connection at a time: the panel reopens the file itself.
    if (refresh)
        updateCampaign();
}
