// SPDX-License-Identifier: GPL-3.0-or-later
// Word rules: blanks, letter case, operand kinds, lines and limits.
#include "ScriptRunner.h"
#include "script/ScriptLines.h"
#include "script/ScriptWords.h"

#include <gtest/gtest.h>

TEST(GetTypeName, numberLiteralsAreIntegersAndEverythingElseIsAName) {
    for (const char* word : {"0", "00", "000", "5", "-1", "1e3", "15min", "&H10"})
        EXPECT_EQ(ScriptInterpreter::GetTypeName(QString::fromUtf8(word)),
                  QStringLiteral("integer"))
            << word;
    for (const char* word : {"0.0", "0000", "x", "", "'5'", "DL", "-0", " 0"})
        EXPECT_EQ(ScriptInterpreter::GetTypeName(QString::fromUtf8(word)), QStringLiteral("string"))
            << word;
}

TEST(TrimBlanks, removesSpacesOnlyNeverTabs) {
    EXPECT_EQ(TrimBlanks(u"  a b  "), u"a b");
    EXPECT_EQ(TrimBlanks(u"\ta\t"), u"\ta\t");
    EXPECT_EQ(TrimBlanks(u"   "), u"");
}

TEST(MatchesKeyword, foldsLatinAndCyrillicLettersOneByOne) {
    EXPECT_TRUE(MatchesKeyword(u"MeSsAgE", u"message"));
    EXPECT_TRUE(MatchesKeyword(u"ЕСЛИ Ёж", u"если ёж"));
    EXPECT_FALSE(MatchesKeyword(u"messages", u"message"));
    EXPECT_FALSE(MatchesKeyword(u"mes\tsage", u"message"));
}

TEST(FindKeyword, findsTheKeywordInAnyCaseFromAPosition) {
    EXPECT_EQ(FindKeyword(u"IF (x > 1) THEN y", u"then", 3), 11);
    EXPECT_EQ(FindKeyword(u"then", u"then", 1), -1);
    // A letter beyond 16 bits keeps its two positions.
    EXPECT_EQ(FindKeyword(QStringLiteral("if \U0001D400 Then"), u"then", 3), 6);
}

namespace {

QStringList Lines(const QString& code) {
    QStringList lines;
    for (const QStringView line : SplitScriptLines(code)) lines.append(line.toString());
    return lines;
}

QList<QStringView> Views(const QStringList& lines) {
    return QList<QStringView>(lines.begin(), lines.end());
}

}  // namespace

TEST(SplitScriptLines, cutsAtCrLfOnlyWhenTheTextHoldsOneElseAtLineFeeds) {
    EXPECT_TRUE(Lines(QString()).isEmpty());
    EXPECT_EQ(Lines(QStringLiteral("a\r\nb\r\n")),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QString()}));
    EXPECT_EQ(Lines(QStringLiteral("a\n\nb\rc\n")),
              QStringList({QStringLiteral("a"), QString(), QStringLiteral("b\rc"), QString()}));
    EXPECT_EQ(Lines(QStringLiteral("a\nb\r\n\nc\r\r\n")),
              QStringList({QStringLiteral("a\nb"), QStringLiteral("\nc\r"), QString()}));
    EXPECT_EQ(Lines(QStringLiteral("\r\n")), QStringList({QString(), QString()}));
    EXPECT_EQ(Lines(QStringLiteral("\n")), QStringList({QString(), QString()}));
}

TEST(FindLimitBreach, namesTheFirstLineBeyondTheLimits) {
    EXPECT_FALSE(FindLimitBreach(Views(QStringList(kMaxScriptLines, QStringLiteral("a")))));
    QStringList closed(kMaxScriptLines, QStringLiteral("a"));
    closed.append(QString());
    EXPECT_FALSE(FindLimitBreach(Views(closed)));
    closed.last() = QStringLiteral("a");
    const auto tooMany = FindLimitBreach(Views(closed));
    ASSERT_TRUE(tooMany);
    EXPECT_EQ(tooMany->kind, ScriptLimitBreach::Kind::TooManyLines);
    EXPECT_EQ(tooMany->lineNumber, kMaxScriptLines + 1);

    const QStringList wide({QStringLiteral("a"), QString(kMaxScriptLineLength, u'x'),
                            QString(kMaxScriptLineLength + 1, u'x')});
    const auto tooLong = FindLimitBreach(Views(wide));
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->kind, ScriptLimitBreach::Kind::LineTooLong);
    EXPECT_EQ(tooLong->lineNumber, 3);
}
