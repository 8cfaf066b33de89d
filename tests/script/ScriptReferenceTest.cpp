// SPDX-License-Identifier: GPL-3.0-or-later
// The language reference's worked examples, read from the documents themselves and run
// through the real vantoril-script, so that the documents cannot drift from the program.
#include "TempFolder.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString kDocs = QStringLiteral(VANTORIL_SOURCE_DIR "/docs/");

// One "$ vantoril-script ..." line of an example and what it prints.
struct ExampleRun {
    QStringList arguments;  // the example's file named "SCRIPT"
    QString output;
};

struct Example {
    QString script;
    QList<ExampleRun> runs;
};

QStringList ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

// The "```vsc" blocks of a reference, each with the "```console" blocks after it.
QList<Example> MarkdownExamples(const QString& path, const QString& fileName) {
    QList<Example> examples;
    QString fence;
    for (const QString& line : ReadLines(path)) {
        if (fence.isEmpty()) {
            if (line == u"```vsc") examples.append(Example());
            if ((line == u"```vsc" || line == u"```console") && !examples.isEmpty()) fence = line;
            continue;
        }
        if (line == u"```") {
            fence.clear();
        } else if (fence == u"```vsc") {
            examples.last().script += line + QStringLiteral("\r\n");
        } else if (line.startsWith(QStringLiteral("$ vantoril-script "))) {
            QStringList arguments = line.mid(18).split(u' ', Qt::SkipEmptyParts);
            arguments.replaceInStrings(QRegularExpression(u'^' + fileName + u'$'),
                                       QStringLiteral("SCRIPT"));
            examples.last().runs.append(ExampleRun{arguments, QString()});
        } else if (!examples.last().runs.isEmpty()) {
            examples.last().runs.last().output += line + u'\n';
        }
    }
    return examples;
}

// The scripts of a manual page's examples section: each ".EX" block, with groff's
// escapes turned back into the characters a user types.
QStringList ManualScripts(const QString& path, const QString& section) {
    QStringList scripts;
    bool inExamples = false;
    bool inBlock = false;
    for (const QString& line : ReadLines(path)) {
        if (line.startsWith(QStringLiteral(".SH"))) inExamples = line == u".SH " + section;
        if (!inExamples) continue;
        if (line == u".EX") {
            inBlock = true;
            scripts.append(QString());
        } else if (line == u".EE") {
            inBlock = false;
        } else if (inBlock) {
            QString text = line;
            text.replace(QStringLiteral("\\(aq"), QStringLiteral("'"))
                .replace(QStringLiteral("\\-"), QStringLiteral("-"))
                .replace(QStringLiteral("\\&"), QString())
                .replace(QStringLiteral("\\e"), QStringLiteral("\\"));
            scripts.last() += text + QStringLiteral("\r\n");
        }
    }
    return scripts;
}

QStringList Scripts(const QList<Example>& examples) {
    QStringList scripts;
    for (const Example& example : examples) scripts.append(example.script);
    return scripts;
}

struct ToolOutput {
    int status;
    QString out;
};

ToolOutput RunTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral(VANTORIL_SCRIPT_TOOL), arguments);
    if (!tool.waitForFinished(10000)) return ToolOutput{-1, tool.errorString()};
    return ToolOutput{tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput())};
}

}  // namespace

TEST(ScriptReference, elevenExamplesInRussianTheSameInEnglishAndInTheManualPages) {
    const QList<Example> russian = MarkdownExamples(kDocs + QStringLiteral("script-language.md"),
                                                    QStringLiteral("пример.vsc"));
    const QList<Example> english = MarkdownExamples(kDocs + QStringLiteral("script-language.en.md"),
                                                    QStringLiteral("example.vsc"));
    ASSERT_EQ(russian.size(), 11);
    EXPECT_EQ(Scripts(english), Scripts(russian));
    for (qsizetype i = 0; i < russian.size() && i < english.size(); ++i) {
        ASSERT_EQ(english[i].runs.size(), russian[i].runs.size()) << "example " << i + 1;
        for (qsizetype r = 0; r < russian[i].runs.size(); ++r) {
            EXPECT_EQ(english[i].runs[r].arguments, russian[i].runs[r].arguments);
            EXPECT_EQ(english[i].runs[r].output, russian[i].runs[r].output);
        }
    }
    EXPECT_EQ(
        ManualScripts(kDocs + QStringLiteral("man/vantoril-script.5"), QStringLiteral("EXAMPLES")),
        Scripts(russian));
    EXPECT_EQ(ManualScripts(kDocs + QStringLiteral("man/ru/vantoril-script.5"),
                            QStringLiteral("ПРИМЕРЫ")),
              Scripts(russian));
}

TEST(ScriptReference, everyExampleRunsAsShownAndLintsCleanInEitherLocale) {
    TempFolder folder;
    const QList<Example> examples = MarkdownExamples(kDocs + QStringLiteral("script-language.md"),
                                                     QStringLiteral("пример.vsc"));
    ASSERT_FALSE(examples.isEmpty());
    for (qsizetype i = 0; i < examples.size(); ++i) {
        const QString name = QStringLiteral("example%1.vsc").arg(i + 1);
        folder.Write(name, examples[i].script.toUtf8());
        const QString file = folder.File(name);
        EXPECT_FALSE(examples[i].runs.isEmpty()) << name.toStdString();
        for (const ExampleRun& run : examples[i].runs) {
            QStringList arguments = run.arguments;
            arguments.replaceInStrings(QRegularExpression(QStringLiteral("^SCRIPT$")), file);
            const ToolOutput result = RunTool(arguments);
            EXPECT_EQ(result.status, 0) << name.toStdString();
            EXPECT_EQ(result.out, run.output)
                << name.toStdString() << ": " << arguments.join(u' ').toStdString();
        }
        for (const char* locale : {"C", "ru_RU"}) {
            const ToolOutput lint = RunTool({QStringLiteral("lint"), QStringLiteral("--locale"),
                                             QString::fromLatin1(locale), file});
            EXPECT_EQ(lint.status, 0) << name.toStdString() << " " << locale;
            EXPECT_EQ(lint.out, QString()) << name.toStdString() << " " << locale;
        }
        EXPECT_EQ(RunTool({QStringLiteral("check"), file}).status, 0) << name.toStdString();
    }
}
