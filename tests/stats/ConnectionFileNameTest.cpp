// SPDX-License-Identifier: GPL-3.0-or-later
// Connection names as file names: plain names untouched, unsafe ones kept inside the folder,
// none lost or merged with another.
#include "stats/ConnectionFileName.h"

#include <gtest/gtest.h>

TEST(ConnectionFileName, plainNamesStayAsTheyAre) {
    // The longest name that keeps its own file name: 244 bytes and ".vlg".
    const QString longest(kMaxStatisticFileNameBytes - 4, u'x');
    for (const QString& name :
         {QStringLiteral("MyISP"), QStringLiteral("Мой провайдер 2"), QStringLiteral("My.ISP"),
          QStringLiteral("Не найдено!"), QStringLiteral("a\\b: *?<>|\""), QStringLiteral("dots.."),
          QStringLiteral("(без имени)"), QStringLiteral("x~0123456789abcdef"), longest}) {
        EXPECT_EQ(EncodeConnectionName(name), name);
        EXPECT_EQ(DecodeConnectionName(name), name);
        EXPECT_EQ(ConnectionFileName(name), name + QStringLiteral(".vlg"));
    }
}

TEST(ConnectionFileName, unsafeCharactersAreEscapedAndComeBack) {
    const QString nul(QChar(0));
    const struct {
        QString name;
        QString file;
    } cases[] = {
        {QStringLiteral("."), QStringLiteral("%2E")},
        {QStringLiteral(".."), QStringLiteral("%2E.")},
        {QStringLiteral("../../etc/passwd"), QStringLiteral("%2E.%2F..%2Fetc%2Fpasswd")},
        {QStringLiteral("/"), QStringLiteral("%2F")},
        {QStringLiteral(".hidden"), QStringLiteral("%2Ehidden")},
        {QStringLiteral("100%"), QStringLiteral("100%25")},
        {QStringLiteral("a") + nul + QStringLiteral("b"), QStringLiteral("a%00b")},
    };
    for (const auto& c : cases) {
        const QString file = EncodeConnectionName(c.name);
        EXPECT_EQ(file, c.file);
        EXPECT_FALSE(file.contains(u'/') || file.contains(nul) || file.startsWith(u'.'));
        EXPECT_EQ(DecodeConnectionName(file), c.name);
    }
}

TEST(ConnectionFileName, escapesLookingLikeOursAreNamesToo) {
    // A name that itself reads "%2F" must not come back as "/".
    EXPECT_EQ(DecodeConnectionName(EncodeConnectionName(QStringLiteral("a%2Fb"))),
              QStringLiteral("a%2Fb"));
    for (const QString& name :
         {QStringLiteral("%(без имени)"), QStringLiteral("a%~0123456789abcdef")})
        EXPECT_EQ(DecodeConnectionName(EncodeConnectionName(name)), name);
    // Sequences the encoder never writes are left alone when a file is named by hand.
    for (const QString& file : {QStringLiteral("a%41"), QStringLiteral("a%2f"),
                                QStringLiteral("x%2E"), QStringLiteral("50%"), QStringLiteral("%"),
                                QStringLiteral("a%~0123456789ABCDEF"), QStringLiteral("a%~12")})
        EXPECT_EQ(DecodeConnectionName(file), file);
}

TEST(ConnectionFileName, emptyNameAndNamesEndingInTheExtensionGetFilesOfTheirOwn) {
    const QString unnamed = ConnectionFileName(QString());
    EXPECT_FALSE(unnamed.startsWith(u'.'));
    EXPECT_EQ(unnamed, ConnectionFileName(QString()));
    EXPECT_EQ(DecodeConnectionName(EncodeConnectionName(QString())), QStringLiteral("(без имени)"));

    EXPECT_NE(ConnectionFileName(QStringLiteral("Foo.vlg")),
              ConnectionFileName(QStringLiteral("Foo")));
    EXPECT_EQ(ConnectionFileName(QStringLiteral("Foo.vlg")), QStringLiteral("Foo.vlg.vlg"));
}

TEST(ConnectionFileName, tooLongNamesAreShortenedStablyAndRecognisably) {
    const QString cyrillic = QString(126, u'ж');  // 252 bytes: no file system takes it
    const QString emoji = QString(70, u'x') + QString::fromUtf8("\xf0\x9f\x98\x80").repeated(60);
    const QString percents(200, u'%');
    for (const QString& name : QStringList{cyrillic, cyrillic + u'2', emoji, percents}) {
        const QString file = ConnectionFileName(name);
        EXPECT_LE(file.toUtf8().size(), kMaxStatisticFileNameBytes) << name.toStdString();
        EXPECT_EQ(file, ConnectionFileName(name));  // the same name books into the same file
        EXPECT_TRUE(file.endsWith(QStringLiteral(".vlg")));
        const QString shown = DecodeConnectionName(EncodeConnectionName(name));
        EXPECT_TRUE(shown.endsWith(QStringLiteral("…"))) << shown.toStdString();
        const QString start = shown.chopped(1);
        EXPECT_GT(start.size(), 50);
        EXPECT_TRUE(name.startsWith(start)) << shown.toStdString();  // nothing cut in half
    }
    EXPECT_NE(ConnectionFileName(cyrillic), ConnectionFileName(cyrillic + u'2'));
}
