#pragma once
// A content tree for the exercise tests: lessons on the CD, dictionaries in the program directory,
// the learner's folder, the sound services, prompts and recording views of a question form.
#include <string>
#include <vector>

#include "course_fixture.h"
#include "exercises/ex_transl_doc.h"
#include "exercises/exercise_session.h"
#include "fixtures/dictionary_builders.h"

namespace lumora::test {

struct RecordingExerciseViews : ExerciseViews {
    std::vector<std::string> calls;
    bool visible = true;
    void setAnswersVisible(bool v) override {
        visible = v;
        calls.push_back(v ? "answers:show" : "answers:hide");
    }
    void questionChanged() override {}
    void picturesChanged() override { calls.push_back("pictures"); }
    void showMedia() override { calls.push_back("media:show"); }
    void hideMedia() override { calls.push_back("media:hide"); }
    void showAnswerDialog() override { calls.push_back("dialog"); }
    void openCourse() override { calls.push_back("course"); }
    int count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }
};

struct ExerciseContent : CourseContent {
    TempDir user;
    EventLog log;
    LoggingPlayer player{log};
    LoggingClock clock{log};
    PlaybackRunner runner{player, clock};
    FakePrompts prompts;
    RecordingExerciseViews views;

    ExerciseContent() { store.writeString("User", "Drive", user.str()); }

    // The dictionary of a pair of two-letter codes ("MA", "FF") in the program directory.
    void dictionary(const std::string& codes, const std::vector<DictionaryEntry>& entries) const {
        writeFile(prog.path() / "DATA" / "WIN32" / (codes + ".DIC"), dictionaryFileBytes(entries));
    }
    // A fresh document for a job code.
    CExTranslDoc doc(int jobCode, bool created = false) {
        store.writeInt("Startup", "Remember", jobCode);
        return CExTranslDoc(store, created);
    }
    ExerciseServices services(ExerciseRandom& random) {
        return {store, locator, catalogue, prompts, runner, random};
    }
    std::filesystem::path userFile(const std::string& name) const { return user.path() / name; }
};

} // namespace lumora::test
