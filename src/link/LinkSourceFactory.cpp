// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the backend that link_source names.
#include "link/LinkSourceFactory.h"

#include "core/Logging.h"
#include "core/ProgramFolder.h"
#include "link/KernelLink.h"
#include "link/NetworkManagerLink.h"
#include "link/ScenarioLink.h"

#include <QCoreApplication>
#include <QDir>

namespace {

LinkSourceChoice Failed(const MonotonicClock& clock, const QString& error) {
    // An empty scenario is a link that is never there.
    auto none = std::make_unique<ScenarioLink>(*ScenarioScript::Parse(QString(), nullptr), clock);
    return {std::move(none), error};
}

LinkSourceChoice Scenario(const QString& path, const ProgramFolder& folder,
                          const MonotonicClock& clock) {
    if (path.isEmpty())
        return Failed(clock, QCoreApplication::translate(
                                 "LinkSourceFactory",
                                 "link_source: после «scenario:» нужен путь к файлу сценария"));
    const QString full = QDir::isAbsolutePath(path) ? path : folder.AppFilePath(path);
    QString error;
    std::optional<ScenarioScript> script = ScenarioLink::LoadFile(full, &error);
    if (!script) return Failed(clock, error);
    return {std::make_unique<ScenarioLink>(std::move(*script), clock), {}};
}

LinkSourceChoice NetworkManager(const QString& id, const MonotonicClock& clock,
                                const KernelPaths& paths) {
    const QDBusConnection bus = QDBusConnection::systemBus();
    // Kept even when NetworkManager is not (yet) running: it shows the connection once it is.
    auto source = std::make_unique<NetworkManagerLink>(bus, clock, id, paths.sysClassNet);
    const QString error =
        NetworkManagerLink::IsAvailable(bus)
            ? QString()
            : QCoreApplication::translate(
                  "LinkSourceFactory",
                  "link_source: NetworkManager не отвечает на системной шине D-Bus");
    return {std::move(source), error};
}

}  // namespace

namespace {
struct SettingParts {
    QString text;      // trimmed
    QString kind;      // lower case; "auto" when empty
    QString argument;  // after the colon, trimmed
};

SettingParts Parts(const QString& setting) {
    SettingParts parts;
    parts.text = setting.trimmed();
    const int colon = parts.text.indexOf(u':');
    parts.kind = (colon < 0 ? parts.text : parts.text.left(colon)).trimmed().toLower();
    if (parts.kind.isEmpty()) parts.kind = QStringLiteral("auto");
    parts.argument = colon < 0 ? QString() : parts.text.mid(colon + 1).trimmed();
    return parts;
}
}  // namespace

bool SameLinkSource(const QString& one, const QString& other) {
    if (one == other) return true;  // asked at every watcher tick: mostly the same text
    const SettingParts a = Parts(one);
    const SettingParts b = Parts(other);
    return a.kind == b.kind && a.argument == b.argument;
}

LinkSourceChoice CreateLinkSource(const QString& setting, const ProgramFolder& folder,
                                  const MonotonicClock& clock, const KernelPaths& kernelPaths) {
    const auto [text, kind, argument] = Parts(setting);
    qCDebug(lcLink) << "link_source" << text << "NetworkManager on the system bus:"
                    << NetworkManagerLink::IsAvailable(QDBusConnection::systemBus());

    if (kind == u"auto") {
        if (NetworkManagerLink::IsAvailable(QDBusConnection::systemBus()))
            return NetworkManager({}, clock, kernelPaths);
        return {std::make_unique<KernelLink>(kernelPaths, clock), {}};
    }
    if (kind == u"networkmanager") return NetworkManager(argument, clock, kernelPaths);
    if (kind == u"kernel") return {std::make_unique<KernelLink>(kernelPaths, clock, argument), {}};
    if (kind == u"scenario") return Scenario(argument, folder, clock);
    return Failed(clock, QCoreApplication::translate(
                             "LinkSourceFactory",
                             "link_source: неизвестный источник «%1»; допустимы auto, "
                             "networkmanager[:имя], kernel[:интерфейс], scenario:файл")
                             .arg(text));
}
