// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QtConcurrent>

// The one way the window runs long work off its thread: work runs on Qt's thread pool, then done
// gets its result on receiver's thread, unless receiver is gone by then. work must touch no
// widget. The future lets an owner wait for work it must outlive.
template <typename Work, typename Done> auto runInBackground(QObject* receiver, Work work, Done done)
{
    using Result = decltype(work());
    auto* watcher = new QFutureWatcher<Result>(receiver);
    QObject::connect(watcher, &QFutureWatcherBase::finished, receiver, [watcher, done] {
        done(watcher->result());
        watcher->deleteLater();
    });
    const QFuture<Result> future = QtConcurrent::run(std::move(work));
    watcher->setFuture(future);
    return future;
}
