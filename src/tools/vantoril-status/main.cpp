// SPDX-License-Identifier: GPL-3.0-or-later
// vantoril-status: the running Vantoril's figures on one line, for desktop panels.
#include "core/UiLanguage.h"
#include "tools/vantoril-status/MeterReader.h"
#include "tools/vantoril-status/StatusLine.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    InstallProgramTranslation();  // the texts of the libraries, in English where asked
    QTextStream out(stdout);
    QTextStream err(stderr);
    const ParsedStatusOptions parsed = ParseStatusOptions(app.arguments().mid(1));
    if (parsed.help) {
        out << StatusUsage();
        return 0;
    }
    if (!parsed.options) {
        err << "vantoril-status: " << parsed.error << '\n' << StatusUsage();
        return 2;
    }
    const StatusOptions options = *parsed.options;
    const QLocale locale = QLocale::system();

    QString last;
    bool printed = false;
    const auto print = [&](const std::optional<QVariantMap>& properties) {
        const QString line =
            properties ? StatusLine(*properties, options.format, locale,
                                    properties->value(QStringLiteral("Currency")).toString())
                       : StoppedLine(options.format);
        if (printed && line == last) return;  // a panel needs no repeated line
        out << line << '\n';
        out.flush();
        last = line;
        printed = true;
    };

    MeterReader reader(QDBusConnection::sessionBus());
    if (!options.follow) {
        const std::optional<QVariantMap> properties = reader.ReadAll();
        print(properties);
        // Qt's bus thread may still hand over a late answer while the program's static
        // state is torn down, and Qt then warns on standard error, which a panel shows. A
        // one-shot run has nothing left to close: the line is out, so it ends here.
        std::fflush(nullptr);
        std::_Exit(properties ? 0 : kNotRunningStatus);
    }
    QObject::connect(&reader, &MeterReader::changed, [&](const QVariantMap& p) { print(p); });
    QObject::connect(&reader, &MeterReader::stopped, [&] { print(std::nullopt); });
    // A panel restarted with a new session bus starts a new follower: this one ends.
    QObject::connect(&reader, &MeterReader::busLost, [&] {
        print(std::nullopt);
        app.exit(kBusLostStatus);
    });
    // Whether there was a bus is known before the first line goes out: a bus that ends once
    // the line is out has been followed, and ends the follower as a lost bus.
    const std::optional<QVariantMap> first = reader.Follow();
    const bool connected = QDBusConnection::sessionBus().isConnected();
    print(first);
    if (!connected) return kNotRunningStatus;
    return app.exec();
}
