// SPDX-License-Identifier: GPL-3.0-or-later
// Runs address lookups on one long-lived worker thread and hands their answers to the indicator.
#include "link/LocalAddress.h"

#include "link/LinkSource.h"
#include "link/MonotonicClock.h"
#include "link/WorkerThread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {
constexpr int64_t kLookupEveryMs = 2000;  // the address changes with each dial-up call
constexpr auto kWaitBudget = std::chrono::milliseconds(3);
}  // namespace

// Shared with the worker thread, which may outlive this object when a lookup hangs.
struct LocalAddress::Shared {
    std::mutex mutex;
    std::condition_variable finished;
    bool running = false;
    std::optional<AddressLookup> result;
};

LocalAddress::LocalAddress(LinkSource& link, const MonotonicClock& clock,
                           std::shared_ptr<AddressQueries> queries, LookupRunner runner)
    : link_(link),
      clock_(clock),
      queries_(queries ? std::move(queries) : std::make_shared<SystemAddressQueries>()),
      runner_(runner ? std::move(runner)
                     : [worker = std::make_shared<WorkerThread>()](
                           std::function<void()> lookup) { worker->Post(std::move(lookup)); }),
      shared_(std::make_shared<Shared>()) {}

LocalAddress::~LocalAddress() = default;

void LocalAddress::StartLookup() {
    runner_([shared = shared_, queries = queries_, interface = link_.GetLinkInterface()] {
        AddressLookup lookup = LookUpLocalAddress(*queries, interface);
        const std::lock_guard<std::mutex> lock(shared->mutex);
        shared->result = std::move(lookup);
        shared->running = false;
        shared->finished.notify_all();
    });
}

QString LocalAddress::GetLocalIP() {
    const int64_t now = clock_.ElapsedMs();
    bool start = false;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        if (!shared_->running && (!started_ || now - lastStartMs_ >= kLookupEveryMs)) {
            started_ = true;
            lastStartMs_ = now;
            shared_->running = start = true;
        }
    }
    if (start) StartLookup();
    {
        // A lookup in /etc/hosts answers within the budget; a slow resolver is not waited for.
        std::unique_lock<std::mutex> lock(shared_->mutex);
        shared_->finished.wait_for(lock, kWaitBudget, [this] { return !shared_->running; });
    }
    TakeFinishedLookup();
    return address_;
}

void LocalAddress::TakeFinishedLookup() {
    std::optional<AddressLookup> lookup;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        lookup.swap(shared_->result);
    }
    if (!lookup) return;
    address_ = lookup->address;
    if (!address_.isEmpty()) {
        failureAnnounced_ = false;
        pendingFailure_.reset();
    } else if (!lookup->failure.isEmpty() && !failureAnnounced_) {
        failureAnnounced_ = true;
        pendingFailure_ = lookup->failure;
    }
}

std::optional<QString> LocalAddress::TakeFailureMessage() {
    TakeFinishedLookup();
    std::optional<QString> message;
    message.swap(pendingFailure_);
    return message;
}
