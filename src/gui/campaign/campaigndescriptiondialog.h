// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CampaignDescriptionDialog;
}

// Title and description of one campaign, with its period.
class CampaignDescriptionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CampaignDescriptionDialog(QWidget* parent = nullptr);
    ~CampaignDescriptionDialog() override;

    void setPeriod(const QString& start, const QString& end);
    void setTitle(const QString& title);
    QString title() const;
    // The description is rich text: set and read back as the document's HTML.
    void setComment(const QString& html);
    QString comment() const;

private:
    std::unique_ptr<Ui::CampaignDescriptionDialog> ui;
};
