// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class CampaignSynopsis;
}

// One campaign as a row of the selection list: tick, heading, title, period and store mode.
class CampaignSynopsis : public QWidget
{
    Q_OBJECT

public:
    explicit CampaignSynopsis(QWidget* parent = nullptr);
    ~CampaignSynopsis() override;

    void setId(int id) { m_id = id; }
    int id() const { return m_id; }
    // Also shows "Version <mode>".
    void setStoreMode(int mode);
    int storeMode() const { return m_storeMode; }
    void setHeading(const QString& text);
    QString heading() const;
    void setTitle(const QString& title);
    QString title() const;
    // Shown as "(Du <start> au <end>)".
    void setPeriod(const QString& start, const QString& end);
    QString period() const;
    bool isChecked() const;
    void setChecked(bool checked);

signals:
    // The row was ticked or unticked.
    void toggled(bool checked);

private:
    std::unique_ptr<Ui::CampaignSynopsis> ui;
    int m_id = 0;
    int m_storeMode = 0;
};
