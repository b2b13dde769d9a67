#include "Options.h"

#include "TestMedia.h"
#include "TestPrinters.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// The long flags a text names, "\-" of a manual page read as "-".
QSet<QString> flagsIn(const QString& text)
{
    QSet<QString> flags;
    const QString plain = QString(text).replace("\\-", "-");
    for (const QRegularExpressionMatch& match : QRegularExpression("--([a-z][a-z-]*)").globalMatch(plain))
        flags << match.captured(1);
    return flags;
}

} // namespace

// The manual page and the shell's completion offer exactly the flags the command line takes, and
// each choice's words where its flag is described or completed.
TEST(OptionsTest, TheManualPageAndTheCompletionListTheCommandLinesFlagsAndWords)
{
    const QString manual = TestMedia::readAll(MPGFIX_SOURCE_DIR "/desktop/mpgfix.1.in");
    const QString completion = TestMedia::readAll(MPGFIX_SOURCE_DIR "/desktop/mpgfix.bash-completion");
    QSet<QString> flags{"help", "version", "batch", "json", "files-from", "null", "disc", "dvd-folder", "iso", "chapters", "title"};
    for (const Option* option : Options::all()) {
        if (!option->flag)
            continue;
        flags << option->flag;
        SCOPED_TRACE(option->flag);
        const QString manualLine = QString(manual).replace("\\-", "-").section("--" + QString(option->flag), 1).section('\n', 0, 0);
        const QString completed = completion.section("--" + QString(option->flag) + ")", 1).section('\n', 0, 0);
        for (const QString& word : option->wordsOfFlag())
            EXPECT_TRUE(manualLine.contains(word) && completed.contains(word)) << word.toStdString();
    }
    EXPECT_EQ(flagsIn(manual), flags);
    EXPECT_EQ(flagsIn(completion), flags);
}
