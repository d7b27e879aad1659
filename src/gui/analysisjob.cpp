// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/analysisjob.h"

#include "core/userdialogs.h"
#include "gui/background.h"

namespace {

constexpr int kSteps = 1000;

}   // namespace

AnalysisJob::AnalysisJob(QObject* parent) : QObject(parent)
{
    // A step without progress reports (the statistics themselves) must still hear Cancel.
    m_cancelCheck.setInterval(100);
    connect(&m_cancelCheck, &QTimer::timeout, this, &AnalysisJob::checkCancel);
}

AnalysisJob::~AnalysisJob()
{
    if (m_progress)
        m_progress->cancel();
    m_future.waitForFinished();
}

template <typename Work, typename Done> void AnalysisJob::run(Work work, Done done)
{
    ProgressOptions options;
    options.title = tr("Statistiques");
    options.label = tr("Chargement");
    options.cancelText = tr("Annuler");
    options.maximum = kSteps;
    options.minimumDuration = 500;
    m_dialog = userDialogs().createProgress(options);
    auto progress = std::make_shared<AnalysisProgress>([this](const QString& step, qint64 done, qint64 total) {
        QMetaObject::invokeMethod(
            this, [this, step, done, total] { showProgress(step, done, total); }, Qt::QueuedConnection);
    });
    m_progress = progress;
    m_cancelCheck.start();
    m_future = runInBackground(
        this, [work, progress] { return work(progress.get()); },
        [this, done](const auto& outcome) {
            m_cancelCheck.stop();
            m_dialog.reset();
            m_progress.reset();
            done(outcome);
        });
}

void AnalysisJob::start(const AnalysisRequest& request, const std::shared_ptr<const Analysis>& previous)
{
    if (isRunning())
        return;
    run([request, previous](AnalysisProgress* p) { return AnalysisRunner::run(request, previous, p); },
        [this](const AnalysisOutcome& outcome) { emit finished(outcome); });
}

void AnalysisJob::compare(const std::shared_ptr<const Analysis>& before, const AnalysisRequest& after, int limit)
{
    if (isRunning())
        return;
    run(
        [before, after, limit](AnalysisProgress* p) {
            // B reuses A's readings when it lies within them.
            const AnalysisOutcome b = AnalysisRunner::run(after, before, p);
            BeforeAfterOutcome outcome;
            if (!b.ok()) {
                outcome.canceled = b.canceled;
                outcome.error = BeforeAfter::tr("Après (B) : %1").arg(b.error);
                outcome.warnings = b.warnings;
                return outcome;
            }
            outcome = BeforeAfter::compare(before, b.analysis, limit);
            outcome.warnings = b.warnings + outcome.warnings;
            return outcome;
        },
        [this](const BeforeAfterOutcome& outcome) { emit compared(outcome); });
}

void AnalysisJob::showProgress(const QString& step, qint64 done, qint64 total)
{
    if (!m_dialog)
        return;
    if (!step.isEmpty())
        m_dialog->setLabelText(step);
    if (total > 0)
        m_dialog->setValue(int(done * kSteps / total));
    checkCancel();
}

void AnalysisJob::checkCancel()
{
    if (m_dialog && m_progress && m_dialog->wasCanceled())
        m_progress->cancel();
}
