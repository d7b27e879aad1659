// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/comparisondialog.h"

#include "analysis/analysis.h"
#include "campaign/campaignselection.h"
#include "core/userdialogs.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ComparisonDialog::ComparisonDialog(const Analysis& before, DateText dateText, QWidget* parent)
    : QDialog(parent), m_before(before), m_dateText(std::move(dateText)), m_fileLabel(new QLabel),
      m_byCampaigns(new QRadioButton(tr("Campagnes"))), m_byPeriod(new QRadioButton(tr("Période"))),
      m_campaigns(new QListWidget), m_from(new QDateTimeEdit), m_to(new QDateTimeEdit)
{
    setWindowTitle(tr("Comparer avant / après"));
    auto* layout = new QVBoxLayout(this);
    auto* a = new QLabel(tr("<b>Avant (A)</b> : %1, du %2 au %3")
                             .arg(QFileInfo(before.file()).fileName().toHtmlEscaped(), m_dateText(before.begin()),
                                  m_dateText(before.end())));
    a->setWordWrap(true);
    layout->addWidget(a);

    auto* b = new QGroupBox(tr("Après (B)"));
    auto* bLayout = new QVBoxLayout(b);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileLabel, 1);
    auto* other = new QPushButton(tr("Autre fichier…"));
    other->setObjectName(QStringLiteral("otherFileButton"));
    connect(other, &QPushButton::clicked, this, &ComparisonDialog::chooseFile);
    fileRow->addWidget(other);
    bLayout->addLayout(fileRow);
    bLayout->addWidget(m_byCampaigns);
    m_campaigns->setObjectName(QStringLiteral("campaignList"));
    bLayout->addWidget(m_campaigns);
    bLayout->addWidget(m_byPeriod);
    auto* period = new QFormLayout;
    for (QDateTimeEdit* edit : {m_from, m_to}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy HH:mm"));
    }
    period->addRow(tr("Du"), m_from);
    period->addRow(tr("Au"), m_to);
    bLayout->addLayout(period);
    layout->addWidget(b);
    connect(m_byCampaigns, &QRadioButton::toggled, m_campaigns, &QWidget::setEnabled);
    connect(m_byPeriod, &QRadioButton::toggled, m_from, &QWidget::setEnabled);
    connect(m_byPeriod, &QRadioButton::toggled, m_to, &QWidget::setEnabled);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Comparer"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // Most often B follows A in the same file: the period from A's end to the file's last
    // campaign's end, else one as long as A.
    const QDateTime from = before.end();
    QDateTime to = before.campaignEnd();
    if (!to.isValid() || to <= from)
        to = from.addSecs(before.begin().secsTo(before.end()));
    setFile(before.file());
    setPeriod(from, to);
    resize(sizeHint().expandedTo(QSize(520, 460)));
}

bool ComparisonDialog::setFile(const QString& file)
{
    CampaignSelection selection;
    const CampaignSelection::LoadResult loaded = selection.open(file, dialogProgress());
    showNotices(selection.notices());
    if (loaded != CampaignSelection::LoadResult::Loaded)
        return false;
    m_file = file;
    m_fileLabel->setText(tr("Fichier : %1").arg(QFileInfo(file).fileName()));
    m_fileLabel->setToolTip(QFileInfo(file).absoluteFilePath());
    m_campaigns->clear();
    const QList<int> usedByA = file == m_before.file() ? m_before.campaigns() : QList<int>();
    bool ticked = false;
    for (int row : selection.rows()) {
        const CampaignInfo c = selection.campaign(row);
        auto* item = new QListWidgetItem(
            tr("%1 : du %2 au %3")
                .arg(c.title.isEmpty() ? QString::number(c.id) : c.title, m_dateText(c.begin), m_dateText(c.end)),
            m_campaigns);
        item->setData(Qt::UserRole, c.id);
        // The newest campaign that is not A's.
        const bool tick = !ticked && !usedByA.contains(c.id);
        ticked = ticked || tick;
        item->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
    }
    (ticked ? m_byCampaigns : m_byPeriod)->setChecked(true);
    m_campaigns->setEnabled(ticked);
    m_from->setEnabled(!ticked);
    m_to->setEnabled(!ticked);
    return true;
}

void ComparisonDialog::setCampaigns(const QList<int>& ids)
{
    for (int i = 0; i < m_campaigns->count(); ++i) {
        QListWidgetItem* item = m_campaigns->item(i);
        item->setCheckState(ids.contains(item->data(Qt::UserRole).toInt()) ? Qt::Checked : Qt::Unchecked);
    }
    m_byCampaigns->setChecked(true);
}

void ComparisonDialog::setPeriod(const QDateTime& from, const QDateTime& to)
{
    m_from->setDateTime(from);
    m_to->setDateTime(to);
    m_byPeriod->setChecked(true);
}

QList<int> ComparisonDialog::tickedCampaigns() const
{
    QList<int> ids;
    for (int i = 0; i < m_campaigns->count(); ++i)
        if (m_campaigns->item(i)->checkState() == Qt::Checked)
            ids << m_campaigns->item(i)->data(Qt::UserRole).toInt();
    return ids;
}

AnalysisRequest ComparisonDialog::request() const
{
    AnalysisRequest r = m_before.request();
    r.file = m_file;
    r.campaigns.clear();
    r.from = r.to = QDateTime();
    if (m_byCampaigns->isChecked()) {
        r.campaigns = tickedCampaigns();
    } else {
        r.from = m_from->dateTime();
        r.to = m_to->dateTime();
    }
    // Both sides count against the same limit: A's, whatever B's file stores.
    r.limit = m_before.criteria().limit.value_or(0);
    return r;
}

void ComparisonDialog::accept()
{
    QString problem;
    if (m_byCampaigns->isChecked() && tickedCampaigns().isEmpty())
        problem = tr("Cochez au moins une campagne pour B.");
    else if (m_byPeriod->isChecked() && m_from->dateTime() >= m_to->dateTime())
        problem = tr("La période de B est vide : son début est après sa fin.");
    if (!problem.isEmpty()) {
        userDialogs().message(UserDialogs::Icon::Warning, windowTitle(), problem);
        return;
    }
    QDialog::accept();
}

void ComparisonDialog::chooseFile()
{
    const QString file =
        userDialogs().openFileName(tr("Fichier de B"), QFileInfo(m_file).absolutePath(), tr("Base de données (*.db)"));
    if (!file.isEmpty())
        setFile(file);
}
