// SPDX-License-Identifier: GPL-3.0-or-later
// Signal handlers that only write one byte; the event loop does the rest.
#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_sockets[2] = {-1, -1};  // written by the handlers: the only state they may touch

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &byte, 1);
}

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_sockets) != 0) return;
    notifier_ = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals) ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_) return;
    for (int number : kSignals) ::signal(number, SIG_DFL);
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void TerminationSignals::Drain() {
    char byte;
    [[maybe_unused]] const ssize_t read = ::read(g_sockets[1], &byte, 1);
    Q_EMIT terminationRequested();
}
