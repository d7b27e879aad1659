#pragma once

#include <QDialog>
#include <QVector>
#include <memory>

namespace Ui {
class QDialogEXPORT_PDF;
}

// The sections of the operation report, one check box each in the report's section order.
class QDialogEXPORT_PDF : public QDialog
{
    Q_OBJECT

public:
    explicit QDialogEXPORT_PDF(QWidget* parent = nullptr);
    ~QDialogEXPORT_PDF() override;

    // The state of checkBox_1, checkBox_2, ... in order.
    QVector<bool> sections() const;

private:
    std::unique_ptr<Ui::QDialogEXPORT_PDF> ui;
};
