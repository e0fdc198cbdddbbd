// The voice files of the studio (model voices, the learner's file, saving) and the studio form.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/course_fixture.h"
#include "core/media_test_support.h"
#include "course/wave.h"
#include "voice/spectre_form.h"
#include "voice/voice_files.h"
#include "voice/voice_settings.h"
#include "voice/voice_studio.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

class FakeRecorder : public Recorder {
public:
    bool present = true;
    bool refuses = false;
    bool on = false;
    RecordedTake next{22050, std::vector<std::int16_t>(2205, 3000)};
    bool available() const override { return present; }
    bool start(std::function<void(int)>) override {
        if (!present || refuses) return false;
        on = true;
        return true;
    }
    RecordedTake stop() override {
        if (!on) return {};
        on = false;
        return next;
    }
    bool recording() const override { return on; }
    std::string error() const override { return refuses ? "the device refused" : ""; }
};

class FakeWindows : public VoiceWindows {
public:
    std::vector<std::string> calls;
    std::string message;
    int redraws = 0;
    void openVoice(VoiceSlot s, const std::string& path) override {
        calls.push_back("open" + std::to_string(int(s)) + ":" + fs::path(path).filename().string());
    }
    void closeVoice(VoiceSlot s) override { calls.push_back("close" + std::to_string(int(s))); }
    void stopVoice(VoiceSlot s) override { calls.push_back("stop" + std::to_string(int(s))); }
    void voicesChanged() override { ++redraws; }
    void learnerMessage(const std::string& text) override { message = text; }
};

class StudioTest : public ::testing::Test {
protected:
    CourseContent content;
    TempDir user;
    EventLog log;
    LoggingPlayer player{log};
    LoggingClock clock{log};
    PlaybackRunner runner{player, clock};
    FakeRecorder mic;
    FakeWindows windows;
    VoiceStudio studio{content.store, content.files, runner, mic};

    StudioTest() {
        content.store.writeString("Drives", "C", user.str());
        content.store.writeString("User", "Drive", "C:\\");
        writeFile(content.prog.path() / "USER.WAV", silentTemplate());
        studio.setWindows(&windows);
    }
    fs::path learner(const std::string& lesson, const std::string& stem) const {
        return user.path() / lesson / (stem + ".WAV");
    }
};

TEST_F(StudioTest, ModelVoicesPlayMalePauseFemaleAndTheLearnerFileIsMade) {
    content.media("L01", "MALE/P1.WAV");
    content.media("L01", "FEMALE/P1.WAV");
    studio.setUpVoices("L01", "P1");
    EXPECT_EQ(log.events, (std::vector<std::string>{"play:" + content.local("L01", "MALE/P1.WAV"), "wait:2",
                                                    "play:" + content.local("L01", "FEMALE/P1.WAV")}));
    EXPECT_EQ(VoiceSettings::kMale.read(content.store), "D:\\L01\\MALE\\P1.WAV");
    EXPECT_EQ(VoiceSettings::kFemale.read(content.store), "D:\\L01\\FEMALE\\P1.WAV");
    EXPECT_EQ(VoiceSettings::kUser.read(content.store), "C:\\\\L01\\P1.WAV");
    EXPECT_EQ(readBytes(learner("L01", "P1")), silentTemplate());
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"open0:P1.WAV", "open2:P1.WAV", "open1:P1.WAV"}));
    EXPECT_EQ(windows.redraws, 1);
}

TEST_F(StudioTest, MissingVoicesCloseTheirWindowsAndLeaveTheLearnerAlone) {
    VoiceSettings::kUser.write(content.store, "old");
    studio.setUpVoices("L01", "P1");
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(VoiceSettings::kUser.read(content.store), "");
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"close0", "close1"}));
    EXPECT_FALSE(fs::exists(user.path() / "L01"));
    // An empty stem stops after clearing the entries; only the female voice prepares the learner.
    content.media("L01", "FEMALE/P2.WAV");
    studio.setUpVoices("L01", "P2");
    EXPECT_EQ(log.events, (std::vector<std::string>{"play:" + content.local("L01", "FEMALE/P2.WAV")}));
    EXPECT_TRUE(fs::exists(learner("L01", "P2")));
}

TEST_F(StudioTest, ALearnerFileAlreadyThereIsOpenedUnchangedAndTheTemplateCopiedOnce) {
    content.media("L01", "MALE/P1.WAV");
    const std::string earlier = "my earlier take";
    writeFile(learner("L01", "P1"), earlier);
    studio.setUpVoices("L01", "P1");
    EXPECT_EQ(readBytes(learner("L01", "P1")), Bytes(earlier.begin(), earlier.end()));
    // The template is not there: the learner's file is named anyway and stays missing.
    fs::remove(content.prog.path() / "USER.WAV");
    studio.prepareLearnerFile("L01", "P9");
    EXPECT_EQ(VoiceSettings::kUser.read(content.store), "C:\\\\L01\\P9.WAV");
    EXPECT_FALSE(fs::exists(learner("L01", "P9")));
    EXPECT_EQ(windows.calls.back(), "open2:P9.WAV");
}

TEST_F(StudioTest, ATemplateFromAReadOnlyMediumIsMadeWritable) {
    fs::permissions(content.prog.path() / "USER.WAV", fs::perms::owner_read | fs::perms::group_read);
    studio.prepareLearnerFile("L02", "P1");
    EXPECT_NE(fs::status(learner("L02", "P1")).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(StudioTest, ARecordingIsSavedAtomicallyAndNothingRecordedKeepsThePreviousOne) {
    content.media("L01", "MALE/P1.WAV");
    studio.setUpVoices("L01", "P1");
    ASSERT_TRUE(studio.startRecording());
    EXPECT_TRUE(studio.recording());
    EXPECT_EQ(studio.saveLearnerVoice(), SaveOutcome::Saved);
    CWave saved;
    ASSERT_TRUE(saved.Load(learner("L01", "P1")).ok());
    EXPECT_EQ(saved.SampleCount(), 2205);
    EXPECT_EQ(saved.GetSample(100), 3000);
    // Nothing left over beside it.
    for (const auto& e : fs::directory_iterator(user.path() / "L01"))
        EXPECT_EQ(e.path().filename(), "P1.WAV");
    // Saving again without a new take, or a take that captured nothing, changes nothing.
    EXPECT_EQ(studio.saveLearnerVoice(), SaveOutcome::NothingToSave);
    mic.next = {};
    ASSERT_TRUE(studio.startRecording());
    EXPECT_EQ(studio.saveLearnerVoice(), SaveOutcome::NothingToSave);
    EXPECT_FALSE(windows.message.empty());
    ASSERT_TRUE(saved.Load(learner("L01", "P1")).ok());
    EXPECT_EQ(saved.SampleCount(), 2205);
}

TEST_F(StudioTest, AFolderThatCannotBeWrittenKeepsTheTakeAndTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    content.media("L01", "MALE/P1.WAV");
    studio.setUpVoices("L01", "P1");
    const Bytes before = readBytes(learner("L01", "P1"));
    ASSERT_TRUE(studio.startRecording());
    fs::permissions(user.path() / "L01", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(studio.saveLearnerVoice(), SaveOutcome::Failed);
    EXPECT_NE(windows.message.find("could not be saved"), std::string::npos);
    EXPECT_TRUE(studio.hasPendingTake());
    EXPECT_EQ(readBytes(learner("L01", "P1")), before);
    fs::permissions(user.path() / "L01", fs::perms::owner_all);
    EXPECT_EQ(studio.saveLearnerVoice(), SaveOutcome::Saved);
    EXPECT_FALSE(studio.hasPendingTake());
}

TEST_F(StudioTest, AMissingFolderDriveIsAClearFailureToo) {
    content.media("L01", "MALE/P1.WAV");
    studio.setUpVoices("L01", "P1");
    ASSERT_TRUE(studio.startRecording());
    // The data folder is a file: nothing can be created inside it.
    fs::remove_all(user.path() / "L01");
    writeFile(user.path() / "L01", std::string("a file"));
    EXPECT_EQ(studio.saveLearnerVoice(), SaveOutcome::Failed);
    EXPECT_TRUE(studio.hasPendingTake());
}

TEST_F(StudioTest, NoMicrophoneGivesAMessageAndNothingElseChanges) {
    content.media("L01", "MALE/P1.WAV");
    studio.setUpVoices("L01", "P1");
    mic.present = false;
    EXPECT_FALSE(studio.startRecording());
    EXPECT_NE(windows.message.find("microphone"), std::string::npos);
    mic.present = true;
    mic.refuses = true;
    EXPECT_FALSE(studio.startRecording());
    EXPECT_EQ(windows.message, "the device refused");
    // Without a learner's file there is nothing to record into.
    studio.setUpVoices("L01", "NONE");
    mic.refuses = false;
    EXPECT_FALSE(studio.startRecording());
}

TEST_F(StudioTest, ClosingSavesAnUnsavedTakeAndRemovesTheTemporaryFile) {
    content.media("L01", "MALE/P1.WAV");
    studio.setUpVoices("L01", "P1");
    writeFile(user.path() / "TEMP.WAV", std::string("temp"));
    ASSERT_TRUE(studio.startRecording());
    ASSERT_TRUE(studio.stopRecording());
    studio.closeVoices();
    CWave saved;
    ASSERT_TRUE(saved.Load(learner("L01", "P1")).ok());
    EXPECT_EQ(saved.SampleCount(), 2205);
    EXPECT_FALSE(fs::exists(user.path() / "TEMP.WAV"));
    EXPECT_EQ(std::vector<std::string>(windows.calls.end() - 3, windows.calls.end()),
              (std::vector<std::string>{"close0", "close1", "close2"}));
}

TEST_F(StudioTest, AKillDuringASaveLeavesTheLastRecordingWhole) {
    content.media("L01", "MALE/P1.WAV");
    studio.setUpVoices("L01", "P1");
    const auto file = learner("L01", "P1");
    const int n = 10 * 44100; // ten seconds: each save writes 880 kB
    for (int round = 0; round < 6; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The program saving take after take until it is killed.
            for (int k = 0;; ++k) {
                mic.next = {44100, std::vector<std::int16_t>(static_cast<std::size_t>(n), k % 2 ? 1000 : -2000)};
                studio.startRecording();
                studio.saveLearnerVoice();
            }
        }
        ::usleep(static_cast<useconds_t>(20000 + round * 13000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        CWave w;
        if (!fs::exists(file) || fs::file_size(file) == silentTemplate().size()) continue; // killed before a save
        ASSERT_TRUE(w.Load(file).ok()) << "round " << round;
        ASSERT_EQ(w.SampleCount(), n);
        const int v = w.GetSample(0);
        EXPECT_TRUE(v == 1000 || v == -2000);
        EXPECT_EQ(w.GetSample(n - 1), v) << "round " << round;
    }
}

TEST(VoiceNamesTest, PlainConcatenations) {
    EXPECT_EQ(VoiceNames::male("D:", "L01", "P1"), "D:\\L01\\MALE\\P1.WAV");
    EXPECT_EQ(VoiceNames::female("E:", "L2", "X"), "E:\\L2\\FEMALE\\X.WAV");
    EXPECT_EQ(VoiceNames::learner("C:\\", "L01", "P1"), "C:\\\\L01\\P1.WAV");
    EXPECT_EQ(VoiceNames::learnerTemplate("C:\\LUMORA\\"), "C:\\LUMORA\\USER.WAV");
    CWave t;
    ASSERT_TRUE(t.Load(silentTemplate()).ok());
    EXPECT_EQ(t.bitsPerSample(), 16);
    EXPECT_EQ(t.channels(), 1);
    EXPECT_GT(t.SampleCount(), 0);
}

// ---------------------------------------------------------------- the form

class FormTest : public StudioTest {
protected:
    SpectreForm form{content.store, content.catalogue, studio};
    std::vector<PhraseData> page(const std::string& tag, int phrases) { return phrasesOf(tag, phrases); }
};

TEST_F(FormTest, PhraseListItemsSelectionAndEmptyPages) {
    content.addLesson("L01", "One", {page("a", 2), {}, page("c", 3)});
    content.setPosition(0, 2);
    form.initialUpdate();
    ASSERT_EQ(form.phrases().size(), 5u);
    EXPECT_EQ(form.phrases()[0].item(), " a pinyin 1 \taS1\taS1\t");
    EXPECT_EQ(form.selected(), 4); // the last phrase of the current page
    EXPECT_EQ(VoiceSettings::kDraw.read(content.store), 1);
    EXPECT_EQ(VoiceSettings::kTraceForm.read(content.store), "Avant Mci");
    // A current page of four empty phrases selects nothing.
    content.setPosition(0, 1);
    form.initialUpdate();
    EXPECT_EQ(form.selected(), -1);
    // A page beyond the last is page 0.
    content.setPosition(0, 7);
    form.initialUpdate();
    EXPECT_EQ(form.page(), 0);
    EXPECT_EQ(form.selected(), 1);
}

TEST_F(FormTest, TheCatalogueRuleIsExactlyYes) {
    content.addSimpleLesson("L01", 2);
    content.addSimpleLesson("L02", 2);
    content.store.writeInt("Course", "Lesson", 0);
    content.store.writeInt("Write", "Lesson", 1);
    content.store.writeString("Write", "Write", "yes");
    form.initialUpdate();
    EXPECT_EQ(form.lesson(), 0);
    content.store.writeString("Write", "Write", "YES");
    form.loadStudioLesson();
    EXPECT_EQ(form.lesson(), 1);
}

TEST_F(FormTest, ChoosingAPhraseSetsItUpAndKeepsTheRecordingOfThePreviousOne) {
    content.addSimpleLesson("L01", 1);
    content.setPosition(0, 0);
    content.media("L01", "MALE/L01p0S1.WAV");
    content.media("L01", "MALE/L01p0S2.WAV");
    form.initialUpdate();
    form.choosePhrase(0);
    EXPECT_EQ(VoiceSettings::kPhrase.read(content.store), " L01p0 pinyin 1 ");
    EXPECT_EQ(VoiceSettings::kPicture.read(content.store), "D:\\L01\\SIMPLIFY\\L01p0S1.BMP");
    EXPECT_EQ(content.store.readString("Course", "CurrentDir", ""), "L01");
    ASSERT_TRUE(studio.startRecording());
    form.choosePhrase(1);
    CWave saved;
    ASSERT_TRUE(saved.Load(learner("L01", "L01p0S1")).ok());
    EXPECT_EQ(saved.SampleCount(), 2205);
    EXPECT_EQ(VoiceSettings::kUser.read(content.store), "C:\\\\L01\\L01p0S2.WAV");
    content.store.writeInt("Course", "Ideogram", 1);
    form.preparePhrase();
    EXPECT_EQ(VoiceSettings::kPicture.read(content.store), "D:\\L01\\TRADI\\L01p0S2.BMP");
    // The heading is kept as text: a tone-marked vowel (0xE0, a grave) survives the store.
    content.addLesson("L02", "Two", {{{.text = "x", .phonetic = "m\xE0", .sound = "Q1"}}});
    form.chooseLesson(1);
    form.choosePhrase(0);
    EXPECT_EQ(VoiceSettings::kPhrase.read(content.store), " m\xC3\xA0 ");
}

} // namespace
} // namespace lumora::test

namespace lumora::test {
namespace {

TEST(VoiceTemplate, TheShippedTemplateIsTheSilentOne) {
    const Bytes shipped = readBytes(fs::path(LUMORA_TEST_DATA).parent_path().parent_path() / "src/voice/data/USER.WAV");
    EXPECT_EQ(shipped, silentTemplate());
}

} // namespace
} // namespace lumora::test
