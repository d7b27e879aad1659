// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysisrunner.h"
#include "analysis/beforeafter.h"

#include <QFuture>
#include <QObject>
#include <QTimer>
#include <memory>

class ProgressReporter;

// The window's analyses: one at a time, run by AnalysisRunner off the window's thread, with a
// progress dialog (after half a second) whose Cancel stops the run.
class AnalysisJob : public QObject
{
    Q_OBJECT

public:
    explicit AnalysisJob(QObject* parent = nullptr);
    // Cancels a run and waits for it: nothing is told of it.
    ~AnalysisJob() override;

    bool isRunning() const { return m_progress != nullptr; }
    // Ignored while a run goes on. previous lets the runner recompute from what it read.
    void start(const AnalysisRequest& request, const std::shared_ptr<const Analysis>& previous);
    // B analysed with the same progress and Cancel, then compared with before (A), counted
    // against limit (0: none). Ignored while a run goes on.
    void compare(const std::shared_ptr<const Analysis>& before, const AnalysisRequest& after, int limit);

signals:
    void finished(const AnalysisOutcome& outcome);
    void compared(const BeforeAfterOutcome& outcome);

private:
    // The progress dialog and the cancel check around work, run off the window's thread.
    template <typename Work, typename Done> void run(Work work, Done done);
    void showProgress(const QString& step, qint64 done, qint64 total);
    void checkCancel();

    std::shared_ptr<AnalysisProgress> m_progress;
    std::unique_ptr<ProgressReporter> m_dialog;
    QFuture<void> m_future;
    QTimer m_cancelCheck;
};
