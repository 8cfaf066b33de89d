// SPDX-License-Identifier: GPL-3.0-or-later
// Seam over the notices that the local address may have changed, so that tests can send them.
#pragma once

// Told by the system (the kernel's address and link notices, the host name, the hosts file)
// that the answer of an address lookup may differ from the last one.
class AddressChangeWatch {
public:
    virtual ~AddressChangeWatch() = default;
    // False when no notices can come: the caller must then look again on its own.
    [[nodiscard]] virtual bool IsWatching() const = 0;
    // True once for everything noticed since the last call (a notice that may have been
    // lost counts as a change).
    [[nodiscard]] virtual bool TakeChange() = 0;
};
