#include <gtest/gtest.h>

#include "course/media_paths.h"

#include "course_fixture.h"

using namespace lumora;
using namespace lumora::test;

TEST(MediaPaths, NamesFollowTheMediaDirectory) {
    CourseContent c;
    c.addSimpleLesson("L1", 1);
    c.store.writeString("CDROM", "Drive", "E:");
    c.store.writeString("Drives", "E", c.cd.str()); // the same content under another drive letter
    c.store.writeString("Course", "CurrentDir", "old");
    const std::string dir = MediaDirectory(c.store, c.catalogue, 0);
    EXPECT_EQ(dir, "E:\\L1\\");
    EXPECT_EQ(c.store.readString("Course", "CurrentDir", ""), "L1");
    EXPECT_EQ(MaleVoiceName(dir, "P1"), "E:\\L1\\MALE\\P1.WAV");
    EXPECT_EQ(FemaleVoiceName(dir, "P1"), "E:\\L1\\FEMALE\\P1.WAV");
    EXPECT_EQ(IdeogramPictureName(dir, "P1", 0), "E:\\L1\\SIMPLIFY\\P1.BMP");
    EXPECT_EQ(IdeogramPictureName(dir, "P1", 1), "E:\\L1\\TRADI\\P1.BMP");
    EXPECT_EQ(MaleVoiceName(dir, ""), "");
}

TEST(MediaPaths, UnsafeOrMissingLessonStemGivesNoDirectory) {
    CourseContent c;
    c.addLesson("..", "Bad", {phrasesOf("x")});
    c.addLesson("A\\B", "Bad too", {phrasesOf("y")});
    c.store.writeString("Course", "CurrentDir", "old");
    EXPECT_EQ(MediaDirectory(c.store, c.catalogue, 0), "");
    EXPECT_EQ(c.store.readString("Course", "CurrentDir", "?"), "");
    EXPECT_EQ(MediaDirectory(c.store, c.catalogue, 1), "");
    EXPECT_EQ(MediaDirectory(c.store, c.catalogue, 7), ""); // beyond the catalogue
    EXPECT_EQ(MaleVoiceName("", "P1"), "");
    EXPECT_EQ(IdeogramPictureName("", "P1", 0), "");
}

TEST(MediaPaths, VideoPrefersTheAviFolderThenTheDirectory) {
    CourseContent c;
    std::vector<PhraseData> ph = phrasesOf("a");
    ph[0].media = "V1";
    ph[1].media = "V2";
    ph[2].media = "V3";
    c.addLesson("L1", "One", {ph});
    c.media("L1", "avi/v1.avi"); // case differs from the content name
    c.media("L1", "V1.AVI");
    c.media("L1", "V2.AVI");
    c.media("L1", "V2.WMF");
    EXPECT_EQ(VideoPath(c.store, c.catalogue, 0, 0, 1), "D:\\L1\\AVI\\V1.AVI");
    EXPECT_EQ(VideoPath(c.store, c.catalogue, 0, 0, 2), "D:\\L1\\V2.AVI");
    EXPECT_EQ(VideoPath(c.store, c.catalogue, 0, 0, 3), "");
    EXPECT_EQ(VideoPath(c.store, c.catalogue, 0, 5, 2), "D:\\L1\\V2.AVI"); // page beyond: page 0
    // An empty media stem names nothing, even when a file called ".AVI" exists.
    c.media("L1", "AVI/.AVI");
    EXPECT_EQ(VideoPath(c.store, c.catalogue, 0, 0, 4), "");
}

TEST(MediaPaths, VoicePlanPausesOnlyBetweenTwoVoices) {
    CourseContent c;
    c.media("L1", "MALE/S1.WAV");
    c.media("L1", "FEMALE/S1.WAV");
    c.media("L1", "FEMALE/S2.WAV");
    EventLog log;
    LoggingPlayer player(log);
    LoggingClock clock(log);
    PlaybackRunner runner(player, clock);
    const std::string dir = "D:\\L1\\";
    const auto play = [&](const std::string& stem, bool wantMale = true, bool wantFemale = true) {
        PlaybackPlan plan =
            VoicePlan(c.files, MaleVoiceName(dir, stem), FemaleVoiceName(dir, stem), wantMale, wantFemale);
        const bool plays = plan.playsSound();
        runner.run(std::move(plan));
        return plays;
    };
    EXPECT_TRUE(play("S1"));
    EXPECT_TRUE(play("S2"));
    EXPECT_TRUE(play("S1", false, true));
    EXPECT_FALSE(play("S3"));
    const std::vector<std::string> expected = {
        "play:" + c.local("L1", "MALE/S1.WAV"),   "wait:2", "play:" + c.local("L1", "FEMALE/S1.WAV"),
        "play:" + c.local("L1", "FEMALE/S2.WAV"), "play:" + c.local("L1", "FEMALE/S1.WAV"),
    };
    EXPECT_EQ(log.events, expected);
}
