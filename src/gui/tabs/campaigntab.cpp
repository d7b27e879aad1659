// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/campaigntab.h"

#include "analysis/analysis.h"
#include "campaign/campaignselection.h"
#include "campaign/campaignstore.h"
#include "core/userdialogs.h"
#include "db/databaseconnection.h"
#include "gui/background.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "gui/campaign/campaigndescriptiondialog.h"
#include "gui/dialogrunner.h"
#include "gui/models/campaignlistmodel.h"
#include "ui_campaigntab.h"

#include <QFileInfo>
#include <QLocale>
#include <QThread>

CampaignTab::CampaignTab(QWidget* parent)
    : AnalysisTab(parent), ui(new Ui::CampaignTab), m_model(new CampaignListModel(this))
{
    ui->setupUi(this);
    m_dateText = [](const QDateTime& dt) { return QLocale().toString(dt, QLocale::LongFormat); };
    m_model->setCheckable(false);
    ui->campaignList->setModel(m_model);
    connect(ui->campaignList->selectionModel(), &QItemSelectionModel::currentChanged, this, &CampaignTab::showDetails);
    connect(ui->campaignList, &QListView::doubleClicked, this, &CampaignTab::editCampaign);
    connect(ui->editButton, &QPushButton::clicked, this, &CampaignTab::editCampaign);
}

CampaignTab::~CampaignTab() = default;

bool CampaignTab::choose(const QString& file, QList<int>* ids)
{
    auto selection = std::make_unique<CampaignSelection>();
    const CampaignSelection::LoadResult loaded = selection->open(file, dialogProgress());
    showNotices(selection->notices());
    if (loaded != CampaignSelection::LoadResult::Loaded)
        return false;
    bool accepted = false;
    {
        CampaignChoiceDialog dialog(*selection, m_dateText);
        dialog.setDatabase(selection->database());
        accepted = runDialog(dialog) == QDialog::Accepted;
    }
    selection->close();
    if (!accepted)
        return false;
    // Nothing to analyse: the list and the charts stay those of the file already shown.
    if (selection->tickedCount() == 0) {
        userDialogs().message(UserDialogs::Icon::Information, tr("Statistiques"),
                              tr("Aucune campagne n'est cochée : rien n'a été chargé."));
        return false;
    }
    ids->clear();
    for (int row : selection->rows())
        if (selection->isTicked(row))
            ids->append(selection->campaign(row).id);
    m_chosen = std::move(selection);
    m_chosenFile = file;
    return true;
}

void CampaignTab::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    if (!m_chosen || analysis->file() != m_chosenFile)
        return;
    m_shown = std::move(m_chosen);
    m_file = m_chosenFile;
    m_model->setSelection(m_shown.get());
    ui->campaignList->setCurrentIndex(m_model->index(0));
    showDetails();
}

void CampaignTab::showDetails()
{
    ++m_countRequest;   // a count still running belongs to what is replaced
    for (QLabel* label : {ui->createdLabel, ui->startLabel, ui->endLabel, ui->measuresLabel, ui->daysLabel,
                          ui->titleLabel, ui->commentLabel})
        label->clear();
    const int row = ui->campaignList->currentIndex().row();
    if (row < 0)
        return;
    const CampaignInfo c = m_model->campaign(row);
    if (c.created.isValid())
        ui->createdLabel->setText(m_dateText(c.created));
    if (c.begin.isValid() && c.end.isValid()) {
        ui->startLabel->setText(m_dateText(c.begin));
        ui->endLabel->setText(m_dateText(c.end));
        ui->daysLabel->setText(QString::number(c.begin.date().daysTo(c.end.date()) + 1));
        countMeasures(c.begin.toSecsSinceEpoch(), c.end.toSecsSinceEpoch());
    }
    ui->titleLabel->setText(c.title);
    ui->commentLabel->setText(c.comment);
}

void CampaignTab::countMeasures(qint64 from, qint64 to)
{
    const int request = m_countRequest;
    const QString sql =
        QStringLiteral("SELECT COUNT(*) FROM measure WHERE meas_date >= %1 AND meas_date <= %2;").arg(from).arg(to);
    m_counts.addFuture(runInBackground(
        this,
        [path = m_file, sql] {
            // Behind the window's own work and an analysis: nothing waits for it.
            QThread::currentThread()->setPriority(QThread::LowestPriority);
            const qint64 n = DatabaseConnection::valueOnOwnConnection(path, sql);
            QThread::currentThread()->setPriority(QThread::NormalPriority);
            return n;
        },
        [this, request](qint64 n) {
            if (request == m_countRequest && n >= 0)
                ui->measuresLabel->setText(QString::number(n));
        }));
}

void CampaignTab::editCampaign()
{
    const int row = ui->campaignList->currentIndex().row();
    if (row < 0)
        return;
    CampaignInfo c = m_model->campaign(row);
    DatabaseConnection db;
    // Editing a campaign must not leave an empty database where the file has gone.
    if (!QFileInfo::exists(m_file) || !db.open(m_file)) {
        showNotices({db.notice()});
        return;
    }
    CampaignDescriptionDialog dialog;
    dialog.setPeriod(m_dateText(c.begin), m_dateText(c.end));
    dialog.setTitle(c.title);
    dialog.setComment(c.comment);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    if (!CampaignStore().setTitleAndComment(&db, dialog.title(), dialog.comment(), c.id)) {
        showNotices({db.notice()});
        return;
    }
    c.title = dialog.title();
    c.comment = dialog.comment();
    m_model->setCampaign(row, c);
    showDetails();
}
