// Vantoril: meters one costly network connection from the notification area.
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DemoFolder.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "link/LinkSourceFactory.h"
#include "link/MonotonicClock.h"
#include "shell/Clock.h"
#include "shell/ui/WindowLook.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <optional>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = ParseCommandLine(arguments);
    switch (line.mode) {
        case CommandLine::Mode::Help: {
            const QCoreApplication core(argc, argv);  // for the executable's folder
            std::printf("%sprogram folder: %s\n", qPrintable(HelpText()),
                        qPrintable(QDir::toNativeSeparators(ProgramFolder::Choose().Path())));
            return 0;
        }
        case CommandLine::Mode::Version:
            std::fputs(qPrintable(VersionText()), stdout);
            return 0;
        case CommandLine::Mode::Invalid:
            std::fprintf(stderr, "vantoril: %s\n%s", qPrintable(line.error),
                         qPrintable(HelpText()));
            return 2;
        default:
            break;
    }

    const QByteArray platform = PreferredPlatform(qgetenv("QT_QPA_PLATFORM"),
                                                  qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantoril"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ProgramIcon());

    std::optional<DemoFolder> demo;
    std::optional<ProgramFolder> folder;
    if (line.mode == CommandLine::Mode::Demo) {
        QString error;
        if (!demo.emplace().Create(&error)) {
            QMessageBox::critical(nullptr, QStringLiteral("Vantoril"), error);
            return 1;
        }
        folder.emplace(demo->Path());
    } else {
        folder.emplace(ProgramFolder::Choose());
    }

    const SystemClock clock;
    const SteadyClock steady;
    LinkSourceChoice link = CreateLinkSource(ReadLinkSourceSpec(*folder), *folder, steady);
    Application application(*folder, std::move(link.source), clock, steady, QLocale::system(),
                            TrayHost::Detect());
    SingleInstance instance;
    if (!application.Start(instance)) return 0;
    if (!link.error.isEmpty()) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Vantoril"), link.error);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    }

    const TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     &QCoreApplication::quit);
    QObject::connect(&application, &Application::exitRequested, &app,
                     [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
