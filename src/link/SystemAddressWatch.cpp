// SPDX-License-Identifier: GPL-3.0-or-later
// Joins the kernel's notices with a look at the host name and the hosts file.
#include "link/SystemAddressWatch.h"

#include "link/AddressQueries.h"
#include "link/HostNameWatch.h"
#include "link/NetlinkAddressWatch.h"

namespace {

constexpr int64_t kLookEveryMs = 2000;

QString SystemHostName() {
    int error = 0;
    return SystemAddressQueries().HostName(&error).value_or(QString());
}

}  // namespace

SystemAddressWatch::SystemAddressWatch(const MonotonicClock& clock,
                                       std::unique_ptr<AddressChangeWatch> kernel,
                                       FileChangeWatch hostsFile, HostNameSource hostName,
                                       std::unique_ptr<AddressChangeWatch> renames)
    : clock_(clock),
      kernel_(kernel ? std::move(kernel) : std::make_unique<NetlinkAddressWatch>()),
      hostsFile_(std::move(hostsFile)),
      hostName_(hostName ? std::move(hostName) : SystemHostName),
      renames_(renames ? std::move(renames) : std::make_unique<HostNameWatch>()) {}

bool SystemAddressWatch::TakeChange() {
    const bool kernel = kernel_->TakeChange();
    const int64_t now = clock_.ElapsedMs();
    if (lastLookMs_ && now - *lastLookMs_ < kLookEveryMs) return kernel;
    lastLookMs_ = now;
    // Both are looked at each time, so that each one's last look stays current.
    const bool hosts = hostsFile_.Changed();
    const bool renamed = Renamed();
    return kernel || hosts || renamed;
}

bool SystemAddressWatch::Renamed() {
    const bool noticed = renames_->TakeChange();
    if (lastHostName_ && renames_->IsWatching() && !noticed) return false;
    QString name = hostName_();
    const bool renamed = name != lastHostName_;
    lastHostName_ = std::move(name);
    return renamed;
}
