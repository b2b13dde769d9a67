#include "JobListModel.h"
#include "JobRowDelegate.h"
#include "MiddleElision.h"
#include "Translations.h"

#include <QApplication>

#include <gtest/gtest.h>

// A long name gives way in the middle; the state, in any language, never does.
TEST(JobRowDelegateTest, OnlyTheNameIsShortened)
{
    const QString name = "party_full_recording_of_the_evening_with_all_the_speeches_and_dances.mp4";
    const QFontMetrics metrics(QApplication::font());
    const struct { QLocale locale; JobState state; QString reason, shown; } cases[] = {
        {QLocale::English, JobState::Failed, "Not a recognized file format: " + name, "Failed: Not a"},
        {QLocale::German, JobState::Skipped, "/out/party.mpg existiert bereits.", "Übersprungen: /out"},
        {QLocale::English, JobState::Cancelled, "", "Cancelled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        const Translations translations(c.locale);
        JobListModel jobs;
        const JobListModel::Id id = jobs.add({"/in/" + name});
        jobs.start(id);
        jobs.finish(id, {c.state, {}, c.reason});
        const QString text = JobRowDelegate::fittedText(jobs.index(0), metrics, 300);
        EXPECT_TRUE(text.startsWith("part") && text.contains(c.shown) && metrics.horizontalAdvance(text) <= 300)
            << text.toStdString();
    }
}

// A name that does not fit keeps its start and its extension and fits; one that fits stays whole.
TEST(MiddleElisionTest, LongNamesKeepTheirStartAndExtension)
{
    const QFontMetrics metrics(QApplication::font());
    const QString party = "party_full_recording_of_the_evening_with_all_the_speeches_and_dances";
    const struct { QString name; int width; QString start, end; } cases[] = {
        {"clip.mp4", metrics.horizontalAdvance("clip.mp4"), "clip.mp4", "clip.mp4"},
        {party + ".mp4", 200, "party", "s.mp4"},
        {"." + party, 200, ".party", "dances"},
        {party + ".mp4", metrics.horizontalAdvance(".mp4"), "", "…"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString shown = elideFileName(c.name, metrics, c.width);
        EXPECT_TRUE(metrics.horizontalAdvance(shown) <= c.width && shown.startsWith(c.start) && shown.endsWith(c.end))
            << shown.toStdString();
        EXPECT_EQ(shown == c.name, metrics.horizontalAdvance(c.name) <= c.width);
    }
}

// A sheet's long path or name may wrap after its separators, and within a run without any.
TEST(MiddleElisionTest, LongPathsAndNamesGetBreakOpportunities)
{
    // "|" marks where a zero-width space goes.
    const QString x16(16, u'x'), expected = QString("/|srv/|a_|b-|c.|mp4 %1|yy").arg(x16).replace('|', QChar(0x200B));
    EXPECT_EQ(withBreakOpportunities("/srv/a_b-c.mp4 " + x16 + "yy"), expected);
}
