// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysisrequest.h"

#include <QToolBox>
#include <functional>
#include <memory>
#include <optional>

class Analysis;
class SiteInfoEditor;
class SpeedArea;

namespace Ui {
class CriteriaPanel;
}

// The panel beside the results: the criteria of the next analysis (period, minimum speed, speed
// area, limit), what the user says of the site, and what was read of the file. It shows an
// analysis's criteria once the analysis is shown; edited criteria go into the next request.
class CriteriaPanel : public QToolBox
{
    Q_OBJECT

public:
    explicit CriteriaPanel(QWidget* parent = nullptr);
    ~CriteriaPanel() override;

    // How the dates are written (the window's locale).
    void setDateText(std::function<QString(const QDateTime&)> dateText) { m_dateText = std::move(dateText); }
    // The criteria and the read of analysis; the site information of its file when the file is
    // another than the last one shown.
    void showAnalysis(const Analysis& analysis);
    // The limit box, focused, holding the area's proposal when no limit is set.
    void editLimit();
    // Off while an analysis runs: nothing may ask for another meanwhile.
    void setCriteriaEnabled(bool enabled);

    // base with the edited criteria: the speed area and the limit, and with withPeriod also the
    // period and the minimum speed.
    AnalysisRequest request(AnalysisRequest base, bool withPeriod) const;
    QString location() const;
    QString commentHtml() const;

signals:
    // "Rafraîchir": the period or the minimum speed are to be applied.
    void refreshRequested();
    // Another speed area or limit: applied at once.
    void criteriaChanged();

private:
    void refresh();
    void chooseArea();
    void manageAreas();
    void showBucketWidth(int seconds);
    // The areas of the units, the chosen one current (the default choice when empty).
    void fillAreas(int units, const QString& chosen);
    // A box, once a session per file, when areas read a file that could not be read whole.
    void tellDamagedAreas(const SpeedArea& areas);

    std::unique_ptr<Ui::CriteriaPanel> ui;
    std::unique_ptr<SiteInfoEditor> m_siteInfo;
    std::function<QString(const QDateTime&)> m_dateText;
    QString m_file;   // whose site information the fields show
    QStringList m_damagedAreaFilesTold;
    int m_units = 0;
    bool m_showing = false;   // the fields follow an analysis: no change to tell
    bool m_analysed = false;
};
