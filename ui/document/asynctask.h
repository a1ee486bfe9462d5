// Work off the window thread: a callable runs on Qt's thread pool and its
// result comes back to the window's thread, to a callback of the window.
// The watcher that carries the result is a child of the window, so a window
// closed and destroyed before the work ends gets nothing: the result is
// dropped with the watcher and no callback runs into a window that is gone.
// The callable must own what it reads (a copy of the inputs), never the
// window's members.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <memory>
#include <type_traits>
#include <utility>

namespace korvane::ui {

// What a window and its running task share: the window asks the task to
// stop and reads how far it got; the task looks at the request between two
// steps and counts the steps it has done.
struct TaskControl {
    std::atomic<bool> cancelled{false};
    std::atomic<long long> done{0};

    void cancel() { cancelled.store(true, std::memory_order_relaxed); }
    bool cancelRequested() const { return cancelled.load(std::memory_order_relaxed); }
    void stepDone(long long steps) { done.store(steps, std::memory_order_release); }
    long long stepsDone() const { return done.load(std::memory_order_acquire); }
};

// One piece of work on its way, a member of the window it reports to:
// running() until its callback runs (or would have, had the window still
// been there).
class AsyncTask {
public:
    AsyncTask() = default;
    AsyncTask(const AsyncTask&) = delete;
    AsyncTask& operator=(const AsyncTask&) = delete;
    ~AsyncTask() { dropResult(); }

    bool running() const { return !watcher_.isNull(); }

    // Runs `work()` on the thread pool and `callback(result)` on the thread
    // of `window` once it is done (`callback()` for work without a result).
    // A task already on its way keeps running, but its result is dropped:
    // only the last started delivers.
    template <typename Work, typename Callback>
    void start(QObject* window, Work work, Callback callback) {
        using Result = std::invoke_result_t<Work>;
        dropResult();
        auto* watcher = new QFutureWatcher<Result>(window);
        watcher_ = watcher;
        QObject::connect(watcher, &QFutureWatcherBase::finished, window,
                         [this, watcher, callback = std::move(callback)]() mutable {
                             watcher_.clear();
                             watcher->deleteLater();
                             if constexpr (std::is_void_v<Result>) callback();
                             else callback(watcher->future().takeResult());
                         });
        watcher->setFuture(QtConcurrent::run(std::move(work)));
    }

    // The result of the work on its way, if any, goes nowhere.
    void dropResult() {
        if (!watcher_) return;
        QObject::disconnect(watcher_, &QFutureWatcherBase::finished, nullptr, nullptr);
        watcher_->deleteLater();
        watcher_.clear();
    }

private:
    QPointer<QFutureWatcherBase> watcher_;
};

}  // namespace korvane::ui
