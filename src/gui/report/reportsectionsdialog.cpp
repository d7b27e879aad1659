// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/reportsectionsdialog.h"

#include "gui/resources.h"
#include "gui/report/summarypage.h"
#include "ui_reportsectionsdialog.h"

#include <QCheckBox>

ReportSectionsDialog::ReportSectionsDialog(QWidget* parent) : QDialog(parent), ui(new Ui::ReportSectionsDialog)
{
    initTramolaResources();
    ui->setupUi(this);
    // Named as the page it adds.
    ui->summaryBox->setText(SummaryPage::sectionTitle());
    // The form's size unless the system's font needs more.
    resize(sizeHint().expandedTo(QSize(426, 319)));
}

ReportSectionsDialog::~ReportSectionsDialog() = default;

QVector<bool> ReportSectionsDialog::sections() const
{
    QVector<bool> checked;
    for (const QCheckBox* box : {ui->meanSpeedBox, ui->maxSpeedBox, ui->vehiclesBox, ui->distributionBox,
                                 ui->percentilesBox, ui->tableBox, ui->summaryBox})
        checked.append(box->isChecked());
    return checked;
}
