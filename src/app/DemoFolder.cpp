// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's program folder.
#include "app/DemoFolder.h"

#include "core/AtomicFile.h"
#include "core/ProgramFolder.h"
#include "tariff/TariffTables.h"

#include <QDir>

namespace {
// A 115,200 bit/s line (14,400 bytes/s) used at 50, 90, 20, 70, 40 and 75 percent.
const char kScenario[] =
    "# A made-up dial-up connection: T(ms) STATE RECEIVED SENT BIT/S NAME\n"
    "0 down\n"
    "1500 dialing 0 0 0 Demo ISP\n"
    "4000 connected 0 0 115200 Demo ISP\n"
    "34000 connected 216000 24000 115200 Demo ISP\n"
    "64000 connected 606000 69000 115200 Demo ISP\n"
    "94000 connected 696000 81000 115200 Demo ISP\n"
    "154000 connected 1296000 153000 115200 Demo ISP\n"
    "214000 connected 1656000 195000 115200 Demo ISP\n"
    "244000 connected 1986000 225000 115200 Demo ISP\n"
    "246000 down\n"
    "256000 loop\n";

const char kSettings[] =
    "[Vantoril]\r\n"
    "Type_tar=0\r\n"
    "Transparent=235\r\n"
    "auto_show=1\r\n"
    "hide_start=1\r\n"
    "full=1\r\n"
    "i_left=1500\r\n"
    "i_top=1500\r\n"
    "link_source=scenario:demo.scenario\r\n";

const char kScript[] =
    "; Пример сценария: сообщение в строке индикатора\r\n"
    "if (AL < 1) then message('Демо: соединение работает')\r\n"
    "if (AL >= 1) then message('Демо: за сеанс больше 1 МБ')\r\n";

// Night hours (0 to 7) are class 1, the day class 0; prices per MB.
TariffTables DemoTariff() {
    TariffTables tariff;
    for (int hour = 0; hour < 8; ++hour) tariff.hourClasses[hour] = 1;
    tariff.prices = {2.5f, 1.0f, 0.0f, 0.0f};
    return tariff;
}
}  // namespace

DemoFolder::DemoFolder() = default;

bool DemoFolder::Create(QString* error) {
    if (!dir_.isValid()) {
        *error = dir_.errorString();
        return false;
    }
    const QDir folder(dir_.path());
    const std::pair<const char*, QByteArray> files[] = {
        {"demo.scenario", QByteArray(kScenario)},
        {"inet.conf", QByteArray(kSettings)},
        {"script.vsc", QByteArray(kScript)},
    };
    for (const auto& [name, bytes] : files)
        if (!ReplaceFileAtomically(folder.filePath(QLatin1String(name)), bytes, error))
            return false;
    if (!WriteTariffTables(ProgramFolder(dir_.path()), DemoTariff(), error)) return false;
    if (!folder.mkpath(QStringLiteral("connections"))) {
        *error = QStringLiteral("cannot create the folder connections in ") + dir_.path();
        return false;
    }
    return true;
}
