#pragma once

// The one owner of the Swiss Ephemeris in the windowed program. The library keeps its
// state per thread and is not safe to use from two at once, so the worker makes the
// Ephemeris on a thread of its own, keeps that thread for its whole life, and runs every
// computation there, one after the other. Nothing else holds the Ephemeris.

#include "core/chart/ephemeris.h"

#include <QFuture>
#include <QObject>
#include <QPromise>
#include <QStringList>
#include <QThread>

#include <memory>

namespace ferolune {

class CalendarWorker {
public:
    explicit CalendarWorker(const QStringList &ephemerisDirectories);
    // Lets the computation at hand end (its owner cancels it first); jobs still queued are
    // cancelled.
    ~CalendarWorker();
    CalendarWorker(const CalendarWorker &) = delete;
    CalendarWorker &operator=(const CalendarWorker &) = delete;

    const QStringList &ephemerisDirectories() const { return m_directories; }

    // Queues job(promise, ephemeris) to run on the worker's thread once the jobs before it
    // are done. The job reports its result, and its progress, through the promise; a job
    // cancelled before its turn does not run. Waiting on the future never runs the job on
    // the waiting thread (as a thread pool's future may), so the library stays on one thread.
    template <class Result, class Job>
    QFuture<Result> run(Job job)
    {
        auto promise = std::make_shared<QPromise<Result>>();
        QFuture<Result> future = promise->future();
        promise->start();
        QMetaObject::invokeMethod(
            m_context,
            [this, promise, job = std::move(job)] {
                if (!promise->isCanceled())
                    job(*promise, *m_ephemeris);
                promise->finish();
            },
            Qt::QueuedConnection);
        return future;
    }

    // Whether the library found its data files; waits for the answer.
    bool dataFilesFound();

private:
    QStringList m_directories;
    QThread m_thread;
    QObject *m_context; // lives in m_thread: what runs there is queued to it
    std::unique_ptr<Ephemeris> m_ephemeris;
};

} // namespace ferolune
