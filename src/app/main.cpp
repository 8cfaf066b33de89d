// SPDX-License-Identifier: GPL-3.0-or-later
// Vantoril: meters one costly network connection from the notification area.
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DemoFolder.h"
#include "app/ProgramApplication.h"
#include "app/QtTranslation.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "bus/BusService.h"
#include "core/Clock.h"
#include "core/Settings.h"
#include "core/ui/WindowLook.h"
#include "link/LinkSourceFactory.h"
#include "link/MonotonicClock.h"
#include "tray/TrayHostWatch.h"

#include <QDBusConnection>
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
            const QString folder = ProgramFolder::ChosenPath(ProgramFolderSources::OfThisProcess());
            std::printf("%sprogram folder: %s\n", qPrintable(HelpText()),
                        qPrintable(QDir::toNativeSeparators(folder)));
            return 0;
        }
        case CommandLine::Mode::Version:
            std::fputs(qPrintable(VersionText()), stdout);
            return 0;
        case CommandLine::Mode::Invalid:
            std::fprintf(stderr, "vantoril: %s\n%s", qPrintable(line.error),
                         qPrintable(HelpText()));
            return 2;
        case CommandLine::Mode::Quit: {
            // Quietly nothing to do when no program runs.
            const QCoreApplication core(argc, argv);
            (void)BusService::AskRunningProgram(QDBusConnection::sessionBus(),
                                                RunningProgramRequest(line));
            return 0;
        }
        default:
            break;
    }

    const QByteArray platform = PreferredPlatform(qgetenv("QT_QPA_PLATFORM"),
                                                  qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
    ProgramApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantoril"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ProgramIcon());
    if (QString missing; !LoadTranslations(QLocale::system().uiLanguages(), &missing))
        std::fprintf(stderr, "vantoril: no %s, Qt's own texts stay English\n", qPrintable(missing));

    if (line.mode == CommandLine::Mode::Show &&
        BusService::AskRunningProgram(QDBusConnection::sessionBus(), RunningProgramRequest(line)))
        return 0;  // the running program opened it

    std::optional<DemoFolder> demo;
    std::optional<ProgramFolder> folder;
    QString folderNotice;
    if (line.mode == CommandLine::Mode::Demo) {
        QString error;
        if (!demo.emplace().Create(&error)) {
            QMessageBox::critical(nullptr, QStringLiteral("Vantoril"), error);
            return 1;
        }
        folder.emplace(demo->Path());
    } else {
        folder.emplace(ProgramFolder::Choose(&folderNotice));
    }

    const SystemClock clock;
    const SteadyClock steady;
    LinkSourceChoice link = CreateLinkSource(LoadSettings(*folder).link_source, *folder, steady);
    TrayHostWatch trayWatch(QDBusConnection::sessionBus(), TrayHostWatch::DisplayX11Tray());
    Application application(*folder, std::move(link.source), clock, steady, QLocale::system(),
                            trayWatch.Current());
    QObject::connect(&trayWatch, &TrayHostWatch::changed, &application, &Application::SetTrayHost);
    SingleInstance instance(SingleInstance::DefaultFolder(), folder->Path());
    if (!application.Start(instance, QDBusConnection::sessionBus())) return 0;
    if (line.mode == CommandLine::Mode::Show) application.Open(line.window);
    app.OnQuit([&application] { application.EndSession(); });  // let every window close
    // Said once, beside the running program, without holding up its start.
    const auto tell = [](QMessageBox::Icon icon, const QString& text) {
        if (text.isEmpty()) return;
        auto* box = new QMessageBox(icon, QStringLiteral("Vantoril"), text);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    };
    tell(QMessageBox::Information, folderNotice);
    tell(QMessageBox::Warning, link.error);

    const TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     &QCoreApplication::quit);
    QObject::connect(&application, &Application::exitRequested, &app,
                     [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
