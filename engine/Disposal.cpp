#include "engine/Disposal.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace qv::engine {

namespace {

class Worker {
public:
    ~Worker() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

    void add(std::function<void()> release) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(std::move(release));
            if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
        }
        wake_.notify_all();
    }

    void wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
    }

private:
    void run() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;  // stopping, and nothing left
            std::function<void()> release = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
            lock.unlock();
            release();
            release = nullptr;
            lock.lock();
            busy_ = false;
            if (queue_.empty()) idle_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<std::function<void()>> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

Worker& worker() {
    static Worker w;
    return w;
}

}  // namespace

void disposeLater(std::function<void()> release) { worker().add(std::move(release)); }

void waitForDisposal() { worker().wait(); }

}  // namespace qv::engine
