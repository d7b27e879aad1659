// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysisrequest.h"

#include <QDateTime>
#include <QDialog>
#include <functional>

class Analysis;
class QDateTimeEdit;
class QLabel;
class QListWidget;
class QRadioButton;

// What "Comparer…" compares the analysis shown (A, before) with: campaigns or a period of the
// open file, or of another file. B keeps A's criteria.
class ComparisonDialog : public QDialog
{
    Q_OBJECT

public:
    using DateText = std::function<QString(const QDateTime&)>;

    ComparisonDialog(const Analysis& before, DateText dateText, QWidget* parent = nullptr);

    // Lists the campaigns of file for B; false, the boxes having said why, when it has none.
    bool setFile(const QString& file);
    QString file() const { return m_file; }
    // B as the ticked campaigns (listed by setFile()), or as a period.
    void setCampaigns(const QList<int>& ids);
    void setPeriod(const QDateTime& from, const QDateTime& to);
    // A's request with B's file and campaigns or period, and A's limit.
    AnalysisRequest request() const;

    void accept() override;

private:
    void chooseFile();
    QList<int> tickedCampaigns() const;

    const Analysis& m_before;
    DateText m_dateText;
    QString m_file;
    QLabel* m_fileLabel;
    QRadioButton* m_byCampaigns;
    QRadioButton* m_byPeriod;
    QListWidget* m_campaigns;
    QDateTimeEdit* m_from;
    QDateTimeEdit* m_to;
};
