// SPDX-License-Identifier: GPL-3.0-or-later
// The program's address-change watch: the kernel's notices, the host name and the hosts file.
#pragma once

#include "core/FileChangeWatch.h"
#include "link/AddressChangeWatch.h"
#include "link/MonotonicClock.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

// The lookup starts from the host name and resolves it, first in the hosts file: a change
// to either changes the answer without any address notice from the kernel. The kernel's
// notices are taken at every TakeChange; the hosts file (its folder's change notices, or one
// stat) and the host name are looked at every 2 s, as often as the address was looked up
// without notices. The name is asked for at the first look and then only after the kernel's
// notice of a new one, or at every look where no notice comes.
class SystemAddressWatch final : public AddressChangeWatch {
public:
    static inline const QString kHostsFile = QStringLiteral("/etc/hosts");
    using HostNameSource = std::function<QString()>;

    // Defaults: the kernel's rtnetlink notices, "/etc/hosts", gethostname and the kernel's
    // notice of a new host name.
    explicit SystemAddressWatch(const MonotonicClock& clock,
                                std::unique_ptr<AddressChangeWatch> kernel = nullptr,
                                FileChangeWatch hostsFile = FileChangeWatch(kHostsFile),
                                HostNameSource hostName = nullptr,
                                std::unique_ptr<AddressChangeWatch> renames = nullptr);

    bool IsWatching() const override { return kernel_->IsWatching(); }
    bool TakeChange() override;

private:
    bool Renamed();

    const MonotonicClock& clock_;
    std::unique_ptr<AddressChangeWatch> kernel_;
    FileChangeWatch hostsFile_;
    HostNameSource hostName_;
    std::unique_ptr<AddressChangeWatch> renames_;
    std::optional<QString> lastHostName_;
    std::optional<int64_t> lastLookMs_;
};
