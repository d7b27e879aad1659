#include "reportdialog.h"

#include "resources.h"
#include "summarypage.h"
#include "ui_reportdialog.h"

#include <QCheckBox>

QDialogEXPORT_PDF::QDialogEXPORT_PDF(QWidget* parent) : QDialog(parent), ui(new Ui::QDialogEXPORT_PDF)
{
    initTramolaResources();
    ui->setupUi(this);
    // Named as the page it adds.
    ui->checkBox_7->setText(SummaryPage::sectionTitle());
    // The form's size unless the system's font needs more.
    resize(sizeHint().expandedTo(QSize(426, 319)));
}

QDialogEXPORT_PDF::~QDialogEXPORT_PDF() = default;

QVector<bool> QDialogEXPORT_PDF::sections() const
{
    // A section added to the report only needs its check box in the form.
    QVector<bool> checked;
    while (auto* box = findChild<QCheckBox*>(QStringLiteral("checkBox_%1").arg(checked.size() + 1)))
        checked.append(box->isChecked());
    return checked;
}
