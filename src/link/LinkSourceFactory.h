// SPDX-License-Identifier: GPL-3.0-or-later
// Chooses the link backend that the setting link_source names.
#pragma once

#include "link/KernelPaths.h"
#include "link/LinkSource.h"

#include <QString>

#include <memory>

class MonotonicClock;
class ProgramFolder;

struct LinkSourceChoice {
    // Never null: when the choice fails, a source that reports no connection.
    std::unique_ptr<LinkSource> source;
    // Empty on success; otherwise what went wrong, in plain words, for the user to see.
    QString error;
};

// setting: empty or "auto" (NetworkManager when it answers on the system bus, else kernel
// interfaces), "networkmanager", "networkmanager:ID", "kernel", "kernel:IFACE",
// "scenario:PATH" (relative to the program folder, or absolute). The clock must outlive
// the source.
// True when the two settings choose the same source: "" and "auto", "Kernel:ppp0" and
// "kernel:ppp0".
bool SameLinkSource(const QString& one, const QString& other);

LinkSourceChoice CreateLinkSource(const QString& setting, const ProgramFolder& folder,
                                  const MonotonicClock& clock,
                                  const KernelPaths& kernelPaths = KernelPaths());
