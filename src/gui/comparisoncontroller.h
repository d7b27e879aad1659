// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysisrequest.h"

#include <QDateTime>
#include <QObject>
#include <functional>
#include <memory>

class Analysis;
class AnalysisJob;
class BeforeAfter;
class ComparisonTab;
class QTabWidget;
class QWidget;
struct BeforeAfterOutcome;

// The window's before/after comparison: B asked for in its dialog, analysed with A's criteria by
// the window's job, shown in a "Comparaison" tab added to the window's tabs, and analysed again
// whenever A changes, until another file is opened.
class ComparisonController : public QObject
{
    Q_OBJECT

public:
    ComparisonController(QTabWidget* tabs, AnalysisJob* job, QObject* parent = nullptr);

    // Asks for B beside A (the analysis shown) and starts; nothing when the dialog is cancelled.
    void ask(const std::shared_ptr<const Analysis>& before, const std::function<QString(const QDateTime&)>& dateText,
             QWidget* dialogParent);
    // A was analysed again: B follows with its new criteria. False when nothing is compared.
    bool follow(const std::shared_ptr<const Analysis>& before);
    // Another file: the tab goes, and B is forgotten.
    void close();
    // Null when no comparison is shown.
    std::shared_ptr<const BeforeAfter> comparison() const;

signals:
    void started();
    // Shown, refused (a box said why) or cancelled.
    void finished();

private:
    void start(const Analysis& before, const AnalysisRequest& chosen);
    void done(const BeforeAfterOutcome& outcome);

    QTabWidget* m_tabs;
    AnalysisJob* m_job;
    ComparisonTab* m_tab = nullptr;
    // B's file and campaigns or period, compared again when A's criteria change.
    std::unique_ptr<AnalysisRequest> m_after;
    std::shared_ptr<const Analysis> m_before;
};
