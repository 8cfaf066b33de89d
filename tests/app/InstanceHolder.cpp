// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: takes the single-instance locks as the program does, says "held" or
// "refused", and keeps what it holds until its standard input closes.
#include "app/SingleInstance.h"

#include <QCoreApplication>

#include <cstdio>

// Usage: instance_holder <program folder>. The session folder comes from the environment.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: instance_holder <program folder>\n");
        return 2;
    }
    const QCoreApplication app(argc, argv);
    SingleInstance instance(SingleInstance::DefaultFolder(), QString::fromLocal8Bit(argv[1]));
    if (!instance.Acquire()) {
        std::puts("refused");
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
