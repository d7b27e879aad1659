// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QVector>
#include <memory>

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

    // The state of each check box, in the order of reportSections().
    QVector<bool> sections() const;

private:
    std::unique_ptr<Ui::ReportSectionsDialog> ui;
};
