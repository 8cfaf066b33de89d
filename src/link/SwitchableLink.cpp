// SPDX-License-Identifier: GPL-3.0-or-later
// Switching the watched source: connection numbers and figures counted from the switch.
#include "link/SwitchableLink.h"

#include <utility>

namespace {
uint64_t Since(uint64_t now, uint64_t then) {
    return now >= then ? now - then : 0;
}
}  // namespace

SwitchableLink::SwitchableLink(std::unique_ptr<LinkSource> source) : source_(std::move(source)) {}

void SwitchableLink::Switch(std::unique_ptr<LinkSource> source) {
    source_ = std::move(source);
    numbers_.clear();
    atSwitch_ = source_->IsLinkConnected() ? source_->GetLinkStats() : LinkStats();
}

bool SwitchableLink::IsLinkConnected() {
    return source_->IsLinkConnected();
}

LinkStats SwitchableLink::GetLinkStats() {
    LinkStats stats = source_->GetLinkStats();
    if (stats.connection == 0) return stats;
    if (stats.connection == atSwitch_.connection) {
        stats.bytesReceived = Since(stats.bytesReceived, atSwitch_.bytesReceived);
        stats.bytesSent = Since(stats.bytesSent, atSwitch_.bytesSent);
        stats.connectedMs = Since(stats.connectedMs, atSwitch_.connectedMs);
    }
    auto [number, isNew] = numbers_.try_emplace(stats.connection, lastNumber_ + 1);
    if (isNew) lastNumber_ = number->second;
    stats.connection = number->second;
    return stats;
}

QString SwitchableLink::GetLinkName() {
    return source_->GetLinkName();
}

QString SwitchableLink::GetLinkInterface() {
    return source_->GetLinkInterface();
}

void SwitchableLink::EndConnection() {
    source_->HangUpLink(source_->GetLinkStats().connection);
}
