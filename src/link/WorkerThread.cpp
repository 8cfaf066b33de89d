// SPDX-License-Identifier: GPL-3.0-or-later
// The worker's queue, shared with the thread, which may outlive the object.
#include "link/WorkerThread.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct WorkerThread::Queue {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> jobs;
    bool stopping = false;

    void Run() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock<std::mutex> lock(mutex);
                wake.wait(lock, [this] { return stopping || !jobs.empty(); });
                if (stopping) return;
                job = std::move(jobs.front());
                jobs.pop_front();
            }
            job();
        }
    }
};

WorkerThread::WorkerThread() : queue_(std::make_shared<Queue>()) {}

WorkerThread::~WorkerThread() {
    {
        const std::lock_guard<std::mutex> lock(queue_->mutex);
        queue_->stopping = true;
        queue_->jobs.clear();
    }
    queue_->wake.notify_all();
}

void WorkerThread::Post(std::function<void()> job) {
    {
        const std::lock_guard<std::mutex> lock(queue_->mutex);
        queue_->jobs.push_back(std::move(job));
    }
    queue_->wake.notify_one();
    if (started_) return;
    started_ = true;
    std::thread([queue = queue_] { queue->Run(); }).detach();
}
