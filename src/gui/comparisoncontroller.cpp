// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/comparisoncontroller.h"

#include "analysis/analysis.h"
#include "analysis/beforeafter.h"
#include "core/userdialogs.h"
#include "gui/analysisjob.h"
#include "gui/comparisondialog.h"
#include "gui/dialogrunner.h"
#include "gui/tabs/comparisontab.h"

#include <QTabWidget>

ComparisonController::ComparisonController(QTabWidget* tabs, AnalysisJob* job, QObject* parent)
    : QObject(parent), m_tabs(tabs), m_job(job)
{
    connect(m_job, &AnalysisJob::compared, this, &ComparisonController::done);
}

void ComparisonController::ask(const std::shared_ptr<const Analysis>& before,
                               const std::function<QString(const QDateTime&)>& dateText, QWidget* dialogParent)
{
    AnalysisRequest chosen;
    {
        ComparisonDialog dialog(*before, dateText, dialogParent);
        if (runDialog(dialog) != QDialog::Accepted)
            return;
        chosen = dialog.request();
    }
    m_before = before;
    start(*before, chosen);
}

bool ComparisonController::follow(const std::shared_ptr<const Analysis>& before)
{
    if (!m_after)
        return false;
    m_before = before;
    start(*before, *m_after);
    return true;
}

void ComparisonController::start(const Analysis& before, const AnalysisRequest& chosen)
{
    // A's criteria, B's file and what is read of it.
    AnalysisRequest after = before.request();
    after.file = chosen.file;
    after.campaigns = chosen.campaigns;
    after.from = chosen.from;
    after.to = chosen.to;
    after.limit = before.criteria().limit.value_or(0);
    m_after = std::make_unique<AnalysisRequest>(after);
    emit started();
    m_job->compare(m_before, after, *after.limit);
}

void ComparisonController::done(const BeforeAfterOutcome& outcome)
{
    if (outcome.ok()) {
        if (!m_tab) {
            m_tab = new ComparisonTab;
            m_tab->setObjectName(QStringLiteral("comparisonPage"));
            m_tabs->addTab(m_tab, tr("Comparaison"));
            m_tabs->setTabToolTip(m_tabs->indexOf(m_tab), ComparisonTab::sectionTitle());
        }
        const bool shown = m_tab->comparison() != nullptr;
        m_tab->setComparison(outcome.comparison);
        if (!shown)
            m_tabs->setCurrentWidget(m_tab);
    } else if (!outcome.canceled) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Comparaison"), outcome.error);
        // A comparison that no longer holds is not left showing other criteria.
        close();
    }
    if (!outcome.warnings.isEmpty())
        userDialogs().message(UserDialogs::Icon::Information, tr("Comparaison"),
                              outcome.warnings.join(QLatin1Char('\n')));
    emit finished();
}

void ComparisonController::close()
{
    m_after.reset();
    m_before.reset();
    if (!m_tab)
        return;
    m_tabs->removeTab(m_tabs->indexOf(m_tab));
    delete m_tab;
    m_tab = nullptr;
}

std::shared_ptr<const BeforeAfter> ComparisonController::comparison() const
{
    return m_tab ? m_tab->comparison() : nullptr;
}
