// Connection names as file names: plain names untouched, unsafe ones kept inside the folder.
#include "stats/ConnectionFileName.h"

#include <gtest/gtest.h>

TEST(ConnectionFileName, plainNamesStayAsTheyAre) {
    for (const QString& name : {QStringLiteral("MyISP"), QStringLiteral("Мой провайдер 2"),
                                QStringLiteral("My.ISP"), QStringLiteral("Не найдено!"),
                                QStringLiteral("a\\b: *?<>|\""), QStringLiteral("dots..")}) {
        EXPECT_EQ(EncodeConnectionName(name), name);
        EXPECT_EQ(DecodeConnectionName(name), name);
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
    // Sequences the encoder never writes are left alone when a file is named by hand.
    for (const QString& file : {QStringLiteral("a%41"), QStringLiteral("a%2f"),
                                QStringLiteral("x%2E"), QStringLiteral("50%"), QStringLiteral("%")})
        EXPECT_EQ(DecodeConnectionName(file), file);
}
