// The demo's program folder.
#include "app/DemoFolder.h"

#include "shell/AtomicFile.h"

#include <QDir>
#include <QtEndian>

#include <array>

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

// Night hours (0 to 7) are class 1, the day class 0.
QByteArray HourTable() {
    QByteArray bytes;
    for (int hour = 0; hour < 24; ++hour) {
        const qint16 tariffClass = hour < 8 ? 1 : 0;
        std::array<char, 2> le;
        qToLittleEndian(tariffClass, le.data());
        bytes.append(le.data(), 2);
    }
    return bytes;
}

// The price of 1 MB in each of the four classes.
QByteArray PriceTable() {
    QByteArray bytes;
    for (float price : {2.5f, 1.0f, 0.0f, 0.0f}) {
        std::array<char, 4> le;
        qToLittleEndian(price, le.data());
        bytes.append(le.data(), 4);
    }
    return bytes;
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
        {"demo.scenario", QByteArray(kScenario)}, {"inet.conf", QByteArray(kSettings)},
        {"script.vsc", QByteArray(kScript)},      {"tar.dat", HourTable()},
        {"tar.money.dat", PriceTable()},
    };
    for (const auto& [name, bytes] : files)
        if (!ReplaceFileAtomically(folder.filePath(QLatin1String(name)), bytes, error))
            return false;
    if (!folder.mkpath(QStringLiteral("connections"))) {
        *error = QStringLiteral("cannot create the folder connections in ") + dir_.path();
        return false;
    }
    return true;
}
