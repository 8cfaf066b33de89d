// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the program writes, under every fault a user's disk can show it: a full disk,
// no read permission, a pipe in its place, an absurd size, a stray byte from another
// editor, lines ended by a lone CR. No fault may lose a byte the user had.
#include "FailingDevice.h"
#include "TempFolder.h"
#include "budget/BudgetSettings.h"
#include "core/FileNotices.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "script/ScriptFile.h"
#include "settings/Autostart.h"
#include "stats/AddStatistic.h"
#include "stats/StatisticsFolder.h"
#include "tariff/TariffFiles.h"
#include "tariff/TariffTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Fault { DiskFull, Unreadable, Fifo, Oversize, StrayByte, LoneCr };

const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::DiskFull:
            return "disk full";
        case Fault::Unreadable:
            return "unreadable";
        case Fault::Fifo:
            return "FIFO";
        case Fault::Oversize:
            return "oversize";
        case Fault::StrayByte:
            return "stray byte";
        case Fault::LoneCr:
            return "lone CR";
    }
    return "";
}

// The folder every file kind lives in, and what each kind's save is.
struct Place {
    TempFolder temp;
    ProgramFolder folder{temp.Path()};
    Autostart autostart{QStringLiteral("/opt/vantoril/vantoril"), temp.Path()};
};

struct FileKind {
    const char* id;  // in test names
    const char* name;
    const char* file;  // within the folder
    qint64 limit;
    // What the user has in the file: for text files, lines with CR LF ends that the
    // save does not set, one of them Cyrillic in UTF-8.
    QByteArray original;
    // The one save this kind has; false with the error when refused or failed.
    std::function<bool(Place&, QString*)> save;
    // For text kinds: the key line the save sets, found in `original` (written again in
    // place), and a second value the save must read right after a stray byte.
    QByteArray setLine;
    const char* notText = nullptr;    // why stray bytes and line ends do not apply
    const char* companion = nullptr;  // the other file the same save writes
};

const QByteArray kCyrillicLine =
    "name=\xD0\xA1\xD1\x86\xD0\xB5\xD0\xBD\xD0\xB0\xD1\x80\xD0\xB8\xD0\xB9";

std::vector<FileKind> Kinds() {
    TariffTables tables;
    tables.hourClasses[3] = 2;
    tables.prices = {1.5f, 2, 0, 0.25f};
    return {
        {"settings", "settings (inet.conf)", "inet.conf", kSettingsFileLimit,
         "; mine\r\n[Vantoril]\r\nfull=0\r\n" + kCyrillicLine + "\r\nlink_source=x\r\n",
         [](Place& p, QString* e) { return SaveSettings(p.folder, Settings{}, 1, 200, e); },
         "full=0"},
        {"position", "indicator position (inet.conf)", "inet.conf", kSettingsFileLimit,
         "; mine\r\n[Vantoril]\r\ni_left=15\r\n" + kCyrillicLine + "\r\nTransparent=9\r\n",
         [](Place& p, QString* e) {
             return SaveIndicatorPosition(p.folder, 300, 450, QLocale::c(), e);
         },
         "i_left=15"},
        {"budget", "budget (inet.conf)", "inet.conf", kSettingsFileLimit,
         "; mine\r\n[Vantoril]\r\nbudget=5\r\n" + kCyrillicLine + "\r\ncurrency=x\r\n",
         [](Place& p, QString* e) {
             return SaveBudget(p.folder, {10, 500, 2048, false, {}}, e);
         },
         "budget=5"},
        {"statistics", "statistics (connections/X.vlg)", "connections/X.vlg", kStatisticFileLimit,
         "[Statistic]\r\n01.2026=12,5\r\n" + kCyrillicLine + "\r\n02.2026=3\r\n",
         [](Place& p, QString* e) {
             *e = AddStatistic("02.2026", 1, p.folder.AppFilePath("connections/X"),
                               QLocale(QLocale::Russian));
             return e->isEmpty();
         },
         "02.2026=3"},
        {"hours",
         "hour table (tar.dat)",
         "tar.dat",
         kTariffFileLimit,
         QByteArray(48, '\1') + "tail",
         [tables](Place& p, QString* e) { return WriteTariffTables(p.folder, tables, e); },
         {},
         "binary records",
         "tar.money.dat"},
        {"prices",
         "price table (tar.money.dat)",
         "tar.money.dat",
         kTariffFileLimit,
         QByteArray(16, '\0') + "tail",
         [tables](Place& p, QString* e) { return WriteTariffTables(p.folder, tables, e); },
         {},
         "binary records",
         "tar.dat"},
        {"script",
         "script (script.vsc)",
         "script.vsc",
         kScriptFileLimit,
         "message('\xD0\x9F')\r\ntimer_script(100)\r\n",
         [](Place& p, QString* e) { return SaveScript(p.folder, "message('new')\n", e); },
         {},
         "the editor saves its whole text"},
        {"autostart",
         "autostart entry",
         "autostart/Vantoril.desktop",
         64 * kKiB,
         "[Desktop Entry]\nType=Application\nExec=/elsewhere\n",
         [](Place& p, QString* e) {
             if (p.autostart.EnableAutostart()) return true;
             *e = QStringLiteral("not written (silent to the user by design)");
             return false;
         },
         {},
         "the program's own entry, written whole"},
    };
}

// The cells of the table, printed when the tests end.
QMap<QString, QMap<QString, QString>>& Table() {
    static QMap<QString, QMap<QString, QString>> table;
    return table;
}

struct PrintTable : ::testing::Environment {
    void TearDown() override {
        for (auto kind = Table().begin(); kind != Table().end(); ++kind)
            for (auto cell = kind->begin(); cell != kind->end(); ++cell)
                std::cout << "| " << kind.key().toStdString() << " | " << cell.key().toStdString()
                          << " | " << cell->toStdString() << " |\n";
    }
};
const auto* const kPrinter = ::testing::AddGlobalTestEnvironment(new PrintTable);

struct FileFaultsTest : ::testing::TestWithParam<int> {
    Place place;
    FileKind kind = Kinds()[GetParam()];
    QString path = place.temp.File(kind.file);

    void SetUp() override {
        ForgetFileNotices();
        if (kind.companion) place.temp.Write(kind.companion, QByteArray(48, '\2'));
    }

    void Record(Fault fault, const QString& result) {
        Table()[kind.name][FaultName(fault)] = result;
    }

    QStringList FolderEntries() const {
        return QDir(QFileInfo(path).absolutePath())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // Every line the save does not set is still there with the same bytes and line end.
    void ExpectLinesKept(const QByteArray& before, const QByteArray& after, char end) const {
        for (const QByteArray& line : before.split(end)) {
            if (line.isEmpty() || line.startsWith(kind.setLine)) continue;
            EXPECT_TRUE(after.contains(QByteArray(line + end)))
                << line.data() << " in " << after.data();
        }
    }

    // Saves, expecting a refusal, and checks the file and its folder are as they were.
    void ExpectRefusedAndUnchanged(const QByteArray& before) {
        const QStringList entries = FolderEntries();
        QString error;
        EXPECT_FALSE(kind.save(place, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(place.temp.Read(kind.file), before);
        EXPECT_EQ(FolderEntries(), entries) << "a temporary file was left behind";
    }
};

}  // namespace

TEST_P(FileFaultsTest, aFullDiskLeavesTheFileAsItWas) {
    place.temp.Write(kind.file, kind.original);
    for (const qint64 bytes : {0, 5}) {
        const ScopedFailingWrites full(bytes);
        ExpectRefusedAndUnchanged(kind.original);
    }
    if (!HasFailure()) Record(Fault::DiskFull, "refused, told; file bytes unchanged: yes");
}

TEST_P(FileFaultsTest, aFileThatCannotBeReadIsNeverRewritten) {
    if (std::string(kind.id) == "autostart")
        GTEST_SKIP() << "the autostart entry is the program's own, replaced whole";
    place.temp.Write(kind.file, kind.original);
    const QStringList entries = FolderEntries();
    const QByteArray file = QFile::encodeName(path);
    // Root reads every file: the save then runs in a child process as an ordinary user
    // who owns the folder and the file, as the program's user does.
    const bool asRoot = geteuid() == 0;
    const struct passwd* nobody = getpwnam("nobody");
    if (asRoot && !nobody) GTEST_SKIP() << "no user \"nobody\" to run the save as";
    if (asRoot) {
        for (const QString& entry :
             QDir(place.temp.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            ASSERT_EQ(::chown(QFile::encodeName(place.temp.File(entry)).constData(), nobody->pw_uid,
                              nobody->pw_gid),
                      0);
        ASSERT_EQ(::chown(QFile::encodeName(place.temp.Path()).constData(), nobody->pw_uid,
                          nobody->pw_gid),
                  0);
        ASSERT_EQ(::chown(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          nobody->pw_uid, nobody->pw_gid),
                  0);
    }
    ASSERT_EQ(::chmod(file.constData(), 0200), 0);
    const auto refused = [&] {
        QString error;
        return !kind.save(place, &error) && !error.isEmpty();
    };
    if (asRoot) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool dropped = setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0;
            _exit(dropped && refused() ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save was not refused";
    } else {
        EXPECT_TRUE(refused());
    }
    ::chmod(file.constData(), 0600);
    EXPECT_EQ(place.temp.Read(kind.file), kind.original);
    EXPECT_EQ(FolderEntries(), entries) << "a temporary file was left behind";
    if (!HasFailure()) Record(Fault::Unreadable, "refused, told; file bytes unchanged: yes");
}

TEST_P(FileFaultsTest, aPipeInPlaceOfTheFileNeitherFreezesNorIsReplaced) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // Every reader of every kind: none may block on the pipe.
    (void)LoadSettings(place.folder);
    (void)GetMoneyTar(place.folder, 0);
    (void)GetDataTar(place.folder, 3);
    QString script;
    QString error;
    (void)LoadScript(place.folder, &script, &error);
    (void)place.autostart.IsAutostartEnabled();
    (void)StatisticsFolder(place.folder).Months("X.vlg");
    EXPECT_FALSE(kind.save(place, &error));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    if (!HasFailure())
        Record(Fault::Fifo, "reads as missing, no freeze; save refused; pipe unchanged: yes");
}

TEST_P(FileFaultsTest, anAbsurdlyLargeFileIsRefusedAndKept) {
    if (std::string(kind.id) == "autostart")
        GTEST_SKIP() << "the autostart entry is the program's own, replaced whole";
    QByteArray big = kind.original;
    big += QByteArray(kind.limit + 1 - big.size(), ';');
    place.temp.Write(kind.file, big);
    ExpectRefusedAndUnchanged(big);
    if (!HasFailure()) Record(Fault::Oversize, "refused, told; file bytes unchanged: yes");
}

TEST_P(FileFaultsTest, aStrayByteGarblesNoOtherLine) {
    if (kind.notText) GTEST_SKIP() << kind.notText;
    const QByteArray stray = "; caf\xE9\r\n";  // one Windows-1251 byte in a comment
    const QByteArray before = stray + kind.original;
    place.temp.Write(kind.file, before);
    QString error;
    ASSERT_TRUE(kind.save(place, &error)) << error.toStdString();
    const QByteArray after = place.temp.Read(kind.file);
    ExpectLinesKept(before, after, '\n');
    EXPECT_TRUE(after.startsWith(stray));
    if (!HasFailure())
        Record(Fault::StrayByte, "saved; bytes of every line not set unchanged: yes");
}

TEST_P(FileFaultsTest, linesEndedByALoneCrAreLines) {
    if (kind.notText) GTEST_SKIP() << kind.notText;
    QByteArray before = kind.original;
    before.replace("\r\n", "\r");
    place.temp.Write(kind.file, before);
    QString error;
    ASSERT_TRUE(kind.save(place, &error)) << error.toStdString();
    const QByteArray after = place.temp.Read(kind.file);
    const QByteArray key = kind.setLine.left(kind.setLine.indexOf('=') + 1);
    EXPECT_EQ(after.count(key), 1) << "the key was appended again: " << after.data();
    ExpectLinesKept(before, after, '\r');
    if (!HasFailure())
        Record(Fault::LoneCr, "key set in place, no duplicate; other bytes unchanged: yes");
}

INSTANTIATE_TEST_SUITE_P(EveryFileKind, FileFaultsTest, ::testing::Range(0, int(Kinds().size())),
                         [](const auto& info) { return std::string(Kinds()[info.param].id); });
