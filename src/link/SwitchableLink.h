// SPDX-License-Identifier: GPL-3.0-or-later
// The link the program watches, which the user may exchange while it runs.
#pragma once

#include "link/LinkSource.h"

#include <map>
#include <memory>

// Passes every call to the source in use and numbers the connections itself, so that a
// switch reads as a handover: the connection seen before it has ended, and the one seen
// after it is a new connection whose figures count from the switch, even when it was
// already up (its earlier traffic belongs to no metered connection of this program).
class SwitchableLink final : public LinkSource {
public:
    explicit SwitchableLink(std::unique_ptr<LinkSource> source);

    // From now on `source` is watched; the one in use until now is dropped.
    void Switch(std::unique_ptr<LinkSource> source);
    LinkSource& Current() { return *source_; }

    bool IsLinkConnected() override;
    LinkStats GetLinkStats() override;
    QString GetLinkName() override;
    QString GetLinkInterface() override;

protected:
    void EndConnection() override;

private:
    std::unique_ptr<LinkSource> source_;
    std::map<uint64_t, uint64_t> numbers_;  // the source's connection numbers, ours
    uint64_t lastNumber_ = 0;
    // The figures of the connection that was up at the switch, taken from what it reports.
    LinkStats atSwitch_;
};
