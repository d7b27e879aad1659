// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysis.h"
#include "analysis/analysisrequest.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

// Follows one run across threads: the runner reports on its thread, the window cancels from its
// own. The listener runs on the runner's thread, a few hundred times a run at most: post from it
// to a widget, never touch one.
class AnalysisProgress
{
public:
    // step: what is being done, in French; done out of total (total 0: no measure of it).
    using Listener = std::function<void(const QString& step, qint64 done, qint64 total)>;

    explicit AnalysisProgress(Listener listener = {}) : m_listener(std::move(listener)) { }
    // Any thread; the run stops at its next check and answers canceled.
    void cancel() { m_canceled = true; }
    bool isCanceled() const { return m_canceled; }
    void report(const QString& step, qint64 done, qint64 total)
    {
        if (m_listener)
            m_listener(step, done, total);
    }

private:
    Listener m_listener;
    std::atomic<bool> m_canceled{false};
};

// What a run gave: an analysis, or one French line saying why there is none.
struct AnalysisOutcome
{
    std::shared_ptr<const Analysis> analysis;   // null when the run failed or was cancelled
    QString error;   // why there is no analysis; empty when there is one
    bool canceled = false;
    // Said along the way (campaigns left out or added, an unreadable area file...), also in the
    // analysis's warnings.
    QStringList warnings;
    // Computed from the previous analysis's readings, without opening the file.
    bool reused = false;

    bool ok() const { return analysis != nullptr; }
};

// The one way to an analysis: the window, the command line and the report all come here.
class AnalysisRunner
{
    Q_DECLARE_TR_FUNCTIONS(AnalysisRunner)

public:
    // Reads what the request asks and analyses it, on the calling thread; nothing is shown to
    // anyone. Runs on any thread, on several at once for different files. Given the previous
    // analysis of the same file, recomputes from its readings when they cover the request
    // (canReuse()), else reads again: pass none once the file's measures have changed (a campaign
    // deleted). progress may be null.
    static AnalysisOutcome run(const AnalysisRequest& request, const std::shared_ptr<const Analysis>& previous = {},
                               AnalysisProgress* progress = nullptr);

    // True when previous's readings hold all the request needs: the same file and campaigns, a
    // period within what was read, a minimum speed not below the read's.
    static bool canReuse(const Analysis& previous, const AnalysisRequest& request);

    // The posted limit of an analysis, in one place: the request's (0: none), else the one
    // stored in the file (0 there: none); else there is none.
    static std::optional<int> resolveLimit(std::optional<int> requested, const SiteInfo& site);
};
