// SPDX-License-Identifier: GPL-3.0-or-later
// Runs address lookups on one long-lived worker thread and hands their answers to the indicator.
#include "link/LocalAddress.h"

#include "link/LinkSource.h"
#include "link/MonotonicClock.h"
#include "link/SystemAddressWatch.h"
#include "link/WorkerThread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {
// Without change notices: the address changes with each dial-up call. Also the retry
// period after a failure, so that a failure is announced again as soon as before.
constexpr int64_t kLookupEveryMs = 2000;
// With change notices: what no notice tells, the resolver's answer for the host name from
// DNS or another name service, is looked for once a minute.
constexpr int64_t kUnnoticedChangesEveryMs = 60000;
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
                           std::shared_ptr<AddressQueries> queries, LookupRunner runner,
                           std::unique_ptr<AddressChangeWatch> watch)
    : link_(link),
      clock_(clock),
      queries_(queries ? std::move(queries) : std::make_shared<SystemAddressQueries>()),
      runner_(runner ? std::move(runner)
                     : [worker = std::make_shared<WorkerThread>()](
                           std::function<void()> lookup) { worker->Post(std::move(lookup)); }),
      watch_(watch ? std::move(watch) : std::make_unique<SystemAddressWatch>(clock)),
      shared_(std::make_shared<Shared>()) {}

LocalAddress::~LocalAddress() = default;

bool LocalAddress::LookupDue(int64_t now) const {
    if (!started_ || changed_) return true;
    const bool polling = lastFailed_ || !watch_->IsWatching();
    return now - lastStartMs_ >= (polling ? kLookupEveryMs : kUnnoticedChangesEveryMs);
}

void LocalAddress::StartLookup(const QString& interface) {
    runner_([shared = shared_, queries = queries_, interface] {
        AddressLookup lookup = LookUpLocalAddress(*queries, interface);
        const std::lock_guard<std::mutex> lock(shared->mutex);
        shared->result = std::move(lookup);
        shared->running = false;
        shared->finished.notify_all();
    });
}

QString LocalAddress::GetLocalIP() {
    const int64_t now = clock_.ElapsedMs();
    // A change noticed while a lookup runs may have come too late for it: it stays noted
    // until the next lookup starts.
    if (watch_->TakeChange()) changed_ = true;
    const QString interface = link_.GetLinkInterface();
    if (interface != interface_) changed_ = true;
    bool start = false;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        if (!shared_->running && LookupDue(now)) {
            started_ = true;
            changed_ = false;
            lastStartMs_ = now;
            interface_ = interface;
            shared_->running = start = true;
        }
    }
    if (start) StartLookup(interface);
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
    lastFailed_ = !lookup->failure.isEmpty();
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
