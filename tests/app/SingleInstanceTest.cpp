// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per user session and per program folder.
#include "TempFolder.h"
#include "app/SingleInstance.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>

#include <gtest/gtest.h>
#include <memory>

TEST(SingleInstance, secondHolderIsRefusedUntilTheFirstHasGone) {
    TempFolder session;
    TempFolder program;
    auto first = std::make_unique<SingleInstance>(session.Path(), program.Path());
    ASSERT_TRUE(first->Acquire());
    EXPECT_TRUE(first->Acquire());  // asking again keeps the lock
    SingleInstance second(session.Path(), program.Path());
    EXPECT_FALSE(second.Acquire());
    first.reset();
    EXPECT_TRUE(second.Acquire());
}

TEST(SingleInstance, locksLeftByADeadProcessAreTakenOver) {
    TempFolder session;
    TempFolder program;
    // Lock files of this machine naming a process that cannot exist.
    const QByteArray dead = "999999999\nvantoril\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    session.Write(QStringLiteral("vantoril.lock"), dead);
    program.Write(QStringLiteral(".vantoril.lock"), dead);
    SingleInstance instance(session.Path(), program.Path());
    EXPECT_TRUE(instance.Acquire());
}

TEST(SingleInstance, programFolderThatCannotHoldALockDoesNotStopTheProgram) {
    TempFolder session;
    SingleInstance instance(session.Path(), session.File(QStringLiteral("missing/folder")));
    EXPECT_TRUE(instance.Acquire());
}

namespace {

// A copy of the program taking its locks in a process of its own.
class Holder {
public:
    // `runtime` empty: started without XDG_RUNTIME_DIR, as su, sudo or ssh may do.
    Holder(const QString& programFolder, const QString& runtime, const QString& temp) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        if (!runtime.isEmpty()) {
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        }
        environment.insert(QStringLiteral("TMPDIR"), temp);
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(INSTANCE_HOLDER), {programFolder});
        process_.waitForReadyRead(10000);
        answer_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~Holder() { Release(); }

    const QString& Answer() const { return answer_; }
    void Release() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000)) process_.kill();
    }

private:
    QProcess process_;
    QString answer_;
};

}  // namespace

TEST(SingleInstance, oneCopyPerProgramFolderWithOrWithoutARuntimeFolder) {
    TempFolder program;
    TempFolder desktopRuntime;
    TempFolder otherRuntime;
    TempFolder temp;
    TempFolder otherTemp;

    auto first = std::make_unique<Holder>(program.Path(), desktopRuntime.Path(), temp.Path());
    ASSERT_EQ(first->Answer(), QStringLiteral("held"));
    EXPECT_EQ(Holder(program.Path(), {}, otherTemp.Path()).Answer(), QStringLiteral("refused"));
    EXPECT_EQ(Holder(program.Path(), otherRuntime.Path(), otherTemp.Path()).Answer(),
              QStringLiteral("refused"));

    first.reset();
    EXPECT_EQ(Holder(program.Path(), {}, otherTemp.Path()).Answer(), QStringLiteral("held"));
}

TEST(SingleInstance, copiesOnOtherFoldersInOtherSessionsRunSideBySide) {
    TempFolder portable;
    TempFolder perUser;
    TempFolder runtime;
    TempFolder temp;
    TempFolder otherTemp;
    const Holder first(portable.Path(), runtime.Path(), temp.Path());
    ASSERT_EQ(first.Answer(), QStringLiteral("held"));
    EXPECT_EQ(Holder(perUser.Path(), {}, otherTemp.Path()).Answer(), QStringLiteral("held"));
}
