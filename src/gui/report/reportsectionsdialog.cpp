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
    ui->checkBox_7->setText(SummaryPage::sectionTitle());
    // The form's size unless the system's font needs more.
    resize(sizeHint().expandedTo(QSize(426, 319)));
}

ReportSectionsDialog::~ReportSectionsDialog() = default;

QVector<bool> ReportSectionsDialog::sections() const
{
    // A section added to the report only needs its check box in the form.
    QVector<bool> checked;
    while (auto* box = findChild<QCheckBox*>(QStringLiteral("checkBox_%1").arg(checked.size() + 1)))
        checked.append(box->isChecked());
    return checked;
}
