// SPDX-License-Identifier: GPL-3.0-or-later
// The local IPv4 address shown by the indicator, looked up off the user-interface thread.
#pragma once

#include "link/AddressChangeWatch.h"
#include "link/AddressQueries.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class LinkSource;
class MonotonicClock;

// GetLocalIP never waits on name resolution for more than a few milliseconds: lookups run
// on a worker thread and the last answer is shown until a newer one arrives. A new lookup
// starts when the watch reports a change, when the link's interface changes, every 2 s
// after a failure or while nothing is watched, and otherwise once a minute.
class LocalAddress {
public:
    // Runs one lookup; by default on the object's one worker thread. Tests may run it in
    // place.
    using LookupRunner = std::function<void(std::function<void()>)>;

    // `link` and `clock` must outlive this object; `queries` and `watch` default to the
    // system's (the watch then needs the event loop of the thread that creates this object).
    LocalAddress(LinkSource& link, const MonotonicClock& clock,
                 std::shared_ptr<AddressQueries> queries = nullptr, LookupRunner runner = nullptr,
                 std::unique_ptr<AddressChangeWatch> watch = nullptr);
    ~LocalAddress();
    LocalAddress(const LocalAddress&) = delete;
    LocalAddress& operator=(const LocalAddress&) = delete;

    // Dotted decimal without leading zeros ("10.0.0.5"), the empty text when none is known.
    QString GetLocalIP();

    // A failure to announce to the user (title "Vantoril"), given once per failure period:
    // nothing more is announced until an address has been found again.
    std::optional<QString> TakeFailureMessage();

private:
    struct Shared;
    bool LookupDue(int64_t now) const;
    void StartLookup(const QString& interface);
    void TakeFinishedLookup();

    LinkSource& link_;
    const MonotonicClock& clock_;
    std::shared_ptr<AddressQueries> queries_;
    LookupRunner runner_;
    std::unique_ptr<AddressChangeWatch> watch_;
    std::shared_ptr<Shared> shared_;
    QString address_;
    QString interface_;  // the link's interface as the last lookup was given it
    int64_t lastStartMs_ = 0;
    bool started_ = false;
    bool changed_ = false;     // noticed since the last lookup started
    bool lastFailed_ = false;  // the last finished lookup ended in a failure message
    bool failureAnnounced_ = false;
    std::optional<QString> pendingFailure_;
};
