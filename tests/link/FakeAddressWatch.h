// SPDX-License-Identifier: GPL-3.0-or-later
// Address-change notices as a test sends them; one that is not watching stands for a
// system without rtnetlink.
#pragma once

#include "link/AddressChangeWatch.h"

#include <memory>
#include <utility>

class FakeAddressWatch final : public AddressChangeWatch {
public:
    explicit FakeAddressWatch(bool watching = true) : watching_(watching) {}
    bool IsWatching() const override { return watching_; }
    bool TakeChange() override { return std::exchange(changed, false); }

    bool changed = false;  // set by the test, taken by the watch's owner

private:
    bool watching_;
};
