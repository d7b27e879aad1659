// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QVector>
#include <memory>

class QCheckBox;

namespace Ui {
class ReportSectionsDialog;
}

// The sections of the operation report, one check box each in the report's section order.
class ReportSectionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ReportSectionsDialog(QWidget* parent = nullptr);
    ~ReportSectionsDialog() override;

    // Shows the comparison's check box, ticked; hidden, it is unticked.
    void setComparisonOffered(bool offered);
    // The state of each check box, in the order of reportSections().
    QVector<bool> sections() const;

private:
    std::unique_ptr<Ui::ReportSectionsDialog> ui;
    QCheckBox* m_comparisonBox;
};
