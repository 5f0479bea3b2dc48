#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QThread>
#include <QWaitCondition>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace ostrapel {

// Lets a worker thread run a function on the thread of `context` (the GUI
// thread) and wait for its answer. Once closed, waiting calls and later ones
// give their fallback at once, so the GUI thread may wait for the worker
// without the worker waiting for it.
class GuiThreadCalls {
public:
    explicit GuiThreadCalls(QObject* context) : context_(context), state_(std::make_shared<State>()) {}
    GuiThreadCalls(const GuiThreadCalls&) = delete;
    GuiThreadCalls& operator=(const GuiThreadCalls&) = delete;

    // Runs on the worker before each call it waits for (to show its progress first).
    void setBeforeWaiting(std::function<void()> fn) { beforeWaiting_ = std::move(fn); }

    template <class R> R call(const std::function<R()>& fn, R fallback) {
        if (QThread::currentThread() == context_->thread()) return isClosed() ? fallback : fn();
        if (beforeWaiting_) beforeWaiting_();
        struct Answer {
            std::optional<R> value;
            std::exception_ptr error;
        };
        auto answer = std::make_shared<Answer>();
        const std::shared_ptr<State> state = state_;
        QMutexLocker lock(&state->mutex);
        if (state->closed) return fallback;
        QMetaObject::invokeMethod(
            context_,
            [state, answer, fn] {
                {
                    QMutexLocker check(&state->mutex);
                    if (state->closed) return;
                }
                std::optional<R> value;
                std::exception_ptr error;
                try {
                    value = fn();
                } catch (...) {
                    error = std::current_exception();
                }
                QMutexLocker done(&state->mutex);
                answer->value = std::move(value);
                answer->error = error;
                state->answered.wakeAll();
            },
            Qt::QueuedConnection);
        while (!answer->value && !answer->error && !state->closed)
            state->answered.wait(&state->mutex);
        if (answer->error) std::rethrow_exception(answer->error);
        return answer->value ? std::move(*answer->value) : fallback;
    }

    // Called on the context's thread before it waits for the worker or the
    // context goes away.
    void close() {
        QMutexLocker lock(&state_->mutex);
        state_->closed = true;
        state_->answered.wakeAll();
    }
    bool isClosed() const {
        QMutexLocker lock(&state_->mutex);
        return state_->closed;
    }

private:
    struct State {
        QMutex mutex;
        QWaitCondition answered;
        bool closed = false;
    };
    QObject* context_;
    std::shared_ptr<State> state_;
    std::function<void()> beforeWaiting_;
};

} // namespace ostrapel
