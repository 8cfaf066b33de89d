// SPDX-License-Identifier: GPL-3.0-or-later
// One long-lived thread that runs the jobs handed to it, one after the other.
#pragma once

#include <functional>
#include <memory>

// The thread starts with the first job. Destroying the object lets the thread go without
// waiting: a job that hangs (a resolver that never answers) never holds up the program's
// exit; the jobs not yet begun are dropped.
class WorkerThread {
public:
    WorkerThread();
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Post(std::function<void()> job);

private:
    struct Queue;
    std::shared_ptr<Queue> queue_;
    bool started_ = false;
};
