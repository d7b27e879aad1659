// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/reportsectionsdialog.h"

#include "gui/resources.h"
#include "gui/report/summarypage.h"
#include "gui/tabs/comparisontab.h"
#include "ui_reportsectionsdialog.h"

#include <QCheckBox>

ReportSectionsDialog::ReportSectionsDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui::ReportSectionsDialog), m_comparisonBox(new QCheckBox(ComparisonTab::sectionTitle()))
{
    initTramolaResources();
    ui->setupUi(this);
    m_comparisonBox->setObjectName(QStringLiteral("comparisonBox"));
    m_comparisonBox->setMinimumHeight(24);
    ui->sectionsLayout->insertWidget(ui->sectionsLayout->indexOf(ui->summaryBox) + 1, m_comparisonBox);
    setComparisonOffered(false);
    // Named as the page it adds.
    ui->summaryBox->setText(SummaryPage::sectionTitle());
    // The form's size unless the system's font needs more.
    resize(sizeHint().expandedTo(QSize(426, 319)));
}

ReportSectionsDialog::~ReportSectionsDialog() = default;

void ReportSectionsDialog::setComparisonOffered(bool offered)
{
    m_comparisonBox->setVisible(offered);
    m_comparisonBox->setChecked(offered);
}

QVector<bool> ReportSectionsDialog::sections() const
{
    QVector<bool> checked;
    for (const QCheckBox* box : {ui->meanSpeedBox, ui->maxSpeedBox, ui->vehiclesBox, ui->distributionBox,
                                 ui->percentilesBox, ui->tableBox, ui->summaryBox, m_comparisonBox})
        checked.append(box->isChecked());
    return checked;
}
