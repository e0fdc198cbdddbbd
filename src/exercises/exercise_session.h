#pragma once
// The question cycle of the three exercises, held by each question form: which question comes
// next, the five choices and the right slot, the check of an answer with its face and score line,
// the presentation of media and voices, the verify exercise's lesson advance, and the score handed
// to the history when the form goes away. Everything the learner sees goes through ExerciseViews and
// the platform services, so whole exercises run in tests with fakes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exercises/ex_transl_doc.h"
#include "exercises/exercise_kind.h"
#include "exercises/question_pool.h"
#include "foundation/bytes.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/platform.h"
#include "foundation/playback.h"

namespace lumora {

// What the question form and its window show.
class ExerciseViews {
public:
    virtual ~ExerciseViews() = default;
    // The five answers, the face and the score line (and the question button) appear or go.
    virtual void setAnswersVisible(bool visible) = 0;
    // The question button, the choice texts, the face or the score line changed.
    virtual void questionChanged() = 0;
    // "Acquis"/"Simplify" and "Traditional" changed: the ideogram view redraws.
    virtual void picturesChanged() = 0;
    // The main frame's media window opens "Exercise"/"MMName" ("ViewType" 2 video, else a metafile)
    // and shows itself; hideMedia() hides it.
    virtual void showMedia() = 0;
    virtual void hideMedia() = 0;
    // The dialog with the right answer ("Exercise"/"Question" and "Answer"); the session goes on
    // when answerDialogClosed() is called (at once or later).
    virtual void showAnswerDialog() = 0;
    // The verify exercise is over: the shell opens the course (and so closes this window).
    virtual void openCourse() = 0;
};

struct ExerciseServices {
    SettingsStore& store;
    const ContentLocator& locator;
    const LessonCatalogue& catalogue;
    Prompts& prompts;
    PlaybackRunner& runner;
    ExerciseRandom& random;
};

enum class Face { N0, N50, N100 };
const char* faceName(Face face); // "N0", "N50", "N100"
Face faceOfRate(int rate);
// "Good answer 1 on 2. Your success rate is : 50 %." (28670 or 28671, a blank, 28672).
std::string scoreLine(int good, int presented);
// good * 100 / presented, halves away from zero; 0 with nothing presented.
int sessionRate(int good, int presented);

class ExerciseSession {
public:
    // A pick of the distractor draw tries this many random entries before it scans the dictionary
    // for a text that fits; a slot nothing fits stays empty and its button is hidden.
    static constexpr int kDrawTries = 200;

    ExerciseSession(ExerciseServices services, ExerciseViews& views, CExTranslDoc& doc, ExerciseKind kind);
    ~ExerciseSession();
    ExerciseSession(const ExerciseSession&) = delete;
    ExerciseSession& operator=(const ExerciseSession&) = delete;

    // Picture and translation forms: the initial update (languages written, done flags loaded).
    void start();
    // Verify form: builds the pool of the current lesson; with nothing to verify it moves the course
    // to the next lesson and asks for the course. False then.
    bool startVerify();

    // Each redraw of the question form: the first draws the first question; a question not yet
    // presented gets its media (then voices) or its voices.
    void paint();
    // An answer button (slot 0..4), or a key 1..5.
    void answer(int slot);
    void answerDialogClosed();
    // After a new pool was built by the set-up form: fresh done flags, the question on screen
    // withdrawn from the presented count, the next question drawn.
    void reloadPool();
    // Hides the media window, the answers, the face and the score line.
    void hideAnswers();
    // Command 1026: the media of the question, then its voices.
    void showMedia();
    // Command 1027 and the question button: the male voice to its end, 2 seconds, the female voice.
    void playVoices();
    // The form goes away: the score is appended (once) and the languages are written back.
    void close();

    // The state shown by the form.
    std::size_t poolSize() const { return done_.size(); }
    int presented() const { return presented_; }
    int good() const { return good_; }
    int rightSlot() const { return rightSlot_; }
    std::size_t current() const { return current_; }
    const std::array<std::string, 5>& choices() const { return shown_; } // "" = button hidden
    const std::string& questionText() const { return questionText_; }     // the question button
    // The question and its right answer as drawn (a blank, the 8-bit text, a blank), for the
    // answer dialog; they are also written to "Exercise"/"Question" and "Answer".
    const std::string& question() const { return question_; }
    const std::string& answerText() const { return answerText_; }
    Face face() const { return face_; }
    const std::string& scoreText() const { return scoreText_; }
    bool answersVisible() const { return answersVisible_; }
    bool finished() const { return finished_; }
    bool awaitingDialog() const { return awaitingDialog_; }
    int countField() const { return countField_; }

    // The pool's picking and the choices, public for the forms that drive them directly.
    void loadDoneFlags();
    void drawQuestion();
    void drawChoices();

private:
    void afterCheck();
    void setAnswersVisible(bool visible);
    void advanceLesson();
    const std::string& maleSoundKey() const;
    std::string section() const;
    bool loadDictionary(const std::string& name);

    ExerciseServices s_;
    ExerciseViews& views_;
    CExTranslDoc& doc_;
    ExerciseKind kind_;
    ExerciseFiles files_;
    std::vector<std::uint8_t> done_;
    std::size_t current_ = 0;
    int rightSlot_ = 0;
    int presented_ = 0;
    int good_ = 0;
    int countField_ = 0;
    int verifiedLesson_ = -1; // the verify exercise's lesson, as it opened
    std::array<std::string, 5> slots_{}; // the texts as drawn (the right one with its blanks)
    std::array<std::string, 5> shown_{}; // the button texts
    std::string questionText_;
    std::string question_;
    std::string answerText_;
    Face face_ = Face::N0;
    std::string scoreText_;
    bool firstPainted_ = false;
    bool presentedMedia_ = false;
    bool answersVisible_ = true;
    bool awaitingDialog_ = false;
    bool finished_ = false;
    bool closed_ = false;
    std::string dictionaryName_;
    std::uint64_t dictionarySize_ = 0;
    Bytes dictionary_;
};

} // namespace lumora
