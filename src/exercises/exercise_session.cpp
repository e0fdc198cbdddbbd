#include "exercises/exercise_session.h"

#include <algorithm>

#include "dictionary/dictionary_entry.h"
#include "exercises/exercise_settings.h"
#include "exercises/score_history.h"
#include "foundation/app_settings.h"
#include "foundation/dictionary_record.h"
#include "foundation/media_settings.h"
#include "foundation/text_util.h"
#include "resources/string_table.h"

namespace lumora {

namespace {
using S = ExerciseSettings;


std::string withoutBlanks(const std::string& text) {
    std::size_t b = 0, e = text.size();
    if (b < e && text[b] == ' ') ++b;
    if (e > b && text[e - 1] == ' ') --e;
    return text.substr(b, e - b);
}

std::string replaceArg(std::string text, const char* arg, const std::string& value) {
    const auto at = text.find(arg);
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}
} // namespace

const char* faceName(Face face) {
    switch (face) {
    case Face::N0:
        return "N0";
    case Face::N50:
        return "N50";
    case Face::N100:
        return "N100";
    }
    return "N0";
}

Face faceOfRate(int rate) {
    return rate < 50 ? Face::N0 : rate == 50 ? Face::N50 : Face::N100;
}

int sessionRate(int good, int presented) {
    return scoreRate(good, presented);
}

std::string scoreLine(int good, int presented) {
    std::string first = strings::text(good <= 1 ? 28670 : 28671);
    first = replaceArg(replaceArg(first, "%1", std::to_string(good)), "%2", std::to_string(presented));
    const std::string second = replaceArg(strings::text(28672), "%1", format("%d %%", sessionRate(good, presented)));
    return first + " " + second;
}

ExerciseSession::ExerciseSession(ExerciseServices services, ExerciseViews& views, CExTranslDoc& doc,
                                 ExerciseKind kind)
    : s_(services), views_(views), doc_(doc), kind_(kind), files_(exerciseFiles(services.store, kind)) {
    S::kSimplify.write(s_.store, "");
    S::kTraditional.write(s_.store, "");
}

ExerciseSession::~ExerciseSession() {
    close();
}

std::string ExerciseSession::section() const {
    return kindRow(kind_).section;
}

void ExerciseSession::start() {
    S::kFrom.write(s_.store, doc_.fromLanguage());
    S::kTo.write(s_.store, doc_.toLanguage());
    loadDoneFlags();
    firstPainted_ = false;
}

bool ExerciseSession::startVerify() {
    // The run is labelled with the lesson it verifies, the one current now: at its end the course
    // has already moved on to the next lesson, whose title the history would otherwise show.
    verifiedLesson_ = AppSettings::kLesson.read(s_.store, s_.catalogue.positionSection());
    const std::size_t count =
        buildVerifyPool(s_.store, s_.locator, s_.catalogue, doc_.fromLanguage(), doc_.toLanguage());
    if (count == 0) {
        advanceLesson();
        finished_ = true;
        views_.openCourse();
        return false;
    }
    S::kVerifyCount.write(s_.store, static_cast<int>(count));
    S::kVerifyFrom.write(s_.store, doc_.fromLanguage());
    S::kVerifyTo.write(s_.store, doc_.toLanguage());
    S::kFrom.write(s_.store, doc_.fromLanguage());
    S::kTo.write(s_.store, doc_.toLanguage());
    loadDoneFlags();
    presentedMedia_ = false;
    return true;
}

void ExerciseSession::loadDoneFlags() {
    done_.assign(lumora::poolSize(s_.locator.files(), files_.pool), 0);
    countField_ = static_cast<int>(done_.size());
}

void ExerciseSession::setAnswersVisible(bool visible) {
    answersVisible_ = visible;
    views_.setAnswersVisible(visible);
}

void ExerciseSession::hideAnswers() {
    views_.hideMedia();
    setAnswersVisible(false);
}

void ExerciseSession::drawQuestion() {
    firstPainted_ = true; // a question drawn before the first redraw is the first question
    const FileAccess& files = s_.locator.files();
    const std::size_t size = lumora::poolSize(files, files_.pool);
    if (size == 0) {
        setAnswersVisible(false);
        return;
    }
    if (done_.size() != size) loadDoneFlags(); // the pool was replaced behind the form
    if (std::all_of(done_.begin(), done_.end(), [](std::uint8_t f) { return f == 1; })) return;
    setAnswersVisible(true);
    countField_ = static_cast<int>(size);

    std::size_t index = 0;
    do {
        index = static_cast<std::size_t>(s_.random.next()) % done_.size();
    } while (done_[index] == 1);
    if (index >= size) index = 0;
    current_ = index;

    const auto record = files.readAt(files_.pool, index * ExerciseItemLayout::kRecordSize, ExerciseItemLayout::kRecordSize);
    if (!record) {
        setAnswersVisible(false);
        return;
    }
    const ExerciseItem item = parseExerciseItem(record->data());
    const std::string question = " " + item.from + " ";
    question_ = question;
    answerText_ = " " + (kind_ == ExerciseKind::Picture ? item.from : item.to) + " ";
    S::kQuestion.write(s_.store, question);
    S::kAnswer.write(s_.store, answerText_);
    questionText_ = kind_ == ExerciseKind::Picture ? std::string() : question;
    ++presented_;
    drawChoices();
    presentedMedia_ = false;

    const bool safe = isSafeStem(item.lesson);
    const std::string root = s_.locator.cdromRoot() + "\\" + item.lesson + "\\";
    const bool pictureOk = safe && isSafeStem(item.picture);
    S::kSimplify.write(s_.store, pictureOk ? root + "SIMPLIFY\\" + item.picture + ".BMP" : "");
    S::kTraditional.write(s_.store, pictureOk ? root + "TRADI\\" + item.picture + ".BMP" : "");
    views_.picturesChanged();

    if (!item.sound.empty()) {
        const bool soundOk = safe && isSafeStem(item.sound);
        const std::string male = root + "MALE\\" + item.sound + ".WAV";
        const std::string female = root + "FEMALE\\" + item.sound + ".WAV";
        const bool verify = kind_ == ExerciseKind::Verify;
        (verify ? S::kVerifyMaleSound : S::kMaleSound).write(s_.store, soundOk && files.exists(male) ? male : "");
        (verify ? S::kVerifyFemaleSound : S::kFemaleSound).write(s_.store, soundOk && files.exists(female) ? female : "");
    }

    MediaSettings media(s_.store);
    const ExerciseMedia found = findExerciseMedia(files, s_.locator.cdromRoot(), item.lesson, item.media);
    if (!found.name.empty()) {
        media.setMediaName(MediaSettings::kExercise, found.name);
        media.setViewType(MediaSettings::kExercise, found.viewType);
    } else {
        media.setMediaName(MediaSettings::kExercise, "");
        views_.hideMedia();
        if (kind_ == ExerciseKind::Verify) {
            presentedMedia_ = true;
            playVoices();
        }
    }
    views_.questionChanged();
}

bool ExerciseSession::loadDictionary(const std::string& name) {
    const FileAccess& files = s_.locator.files();
    const auto size = files.size(name);
    if (!size) return false;
    if (name == dictionaryName_ && *size == dictionarySize_) return true;
    auto data = readDictionaryFile(files, name);
    if (!data) return false;
    dictionary_ = std::move(*data);
    dictionaryName_ = name;
    dictionarySize_ = *size;
    return true;
}

void ExerciseSession::drawChoices() {
    slots_ = {};
    // The answer as drawn ("Exercise"/"Answer" holds the same; the session keeps its bytes, which a
    // settings store of text need not keep as they are).
    const std::string answer = answerText_;
    rightSlot_ = s_.random.next() % 5;
    slots_[static_cast<std::size_t>(rightSlot_)] = answer;

    // The wrong answers come from the dictionary of the pair the pool was built from: the window's.
    // (The kind's stored "From"/"To" are not always that pair: the translation window does not store
    // its languages until one is chosen or it closes, so a first run found no dictionary for the
    // stored defaults and drew no answers at all.)
    LanguageId from = doc_.fromLanguage(), to = doc_.toLanguage();
    if (kind_ == ExerciseKind::Verify) {
        from = S::kVerifyFrom.read(s_.store);
        to = S::kVerifyTo.read(s_.store);
    }
    const std::string dictionary = dictionaryFile(s_.locator, from, to);
    if (dictionary.empty() || !loadDictionary(dictionary)) {
        const std::string tried = kind_ == ExerciseKind::Verify ? std::string()
                                                                 : s_.locator.cdromRoot() + "\\DATA\\WIN32\\" +
                                                                       LanguageTable::dictionaryCode(from) +
                                                                       LanguageTable::dictionaryCode(to) + ".DIC";
        s_.prompts.messageBox("SetWrongAnswer File " + tried + " not found", "", MessageIcon::None, MessageButtons::Ok);
        return; // the buttons keep their texts
    }
    const std::size_t entries = dictionaryEntryCount(dictionary_.size());
    if (kind_ == ExerciseKind::Verify) countField_ = static_cast<int>(entries);
    const std::string bare = withoutBlanks(answer);
    auto sideText = [&](std::size_t i) {
        const DictionaryEntry e = parseDictionaryEntry(dictionary_.data() + i * DictionaryLayout::kEntrySize);
        return kind_ == ExerciseKind::Picture ? sourceSideText(e, from) : targetSideText(e, to);
    };
    auto fits = [&](const std::string& text) {
        return !text.empty() && text != bare && std::find(slots_.begin(), slots_.end(), text) == slots_.end();
    };
    for (std::size_t slot = 0; slot < 5 && entries > 0; ++slot) {
        if (static_cast<int>(slot) == rightSlot_) continue;
        bool filled = false;
        for (int tries = 0; tries < kDrawTries && !filled; ++tries) {
            const std::string text = sideText(static_cast<std::size_t>(s_.random.next()) % entries);
            if (fits(text)) {
                slots_[slot] = text;
                filled = true;
            }
        }
        // A small dictionary: the first text that fits, in file order; none leaves the slot empty.
        for (std::size_t i = 0; i < entries && !filled; ++i) {
            const std::string text = sideText(i);
            if (fits(text)) {
                slots_[slot] = text;
                filled = true;
            }
        }
    }
    for (std::size_t slot = 0; slot < 5; ++slot) {
        if (static_cast<int>(slot) == rightSlot_)
            shown_[slot] = slots_[slot];
        else
            shown_[slot] = slots_[slot].empty() ? std::string() : " " + slots_[slot] + " ";
    }
    views_.questionChanged();
}

void ExerciseSession::paint() {
    if (finished_) return;
    if (!firstPainted_) {
        firstPainted_ = true;
        drawQuestion();
    }
    if (!presentedMedia_ && answersVisible_ && presented_ > 0) {
        presentedMedia_ = true;
        if (!MediaSettings(s_.store).mediaName(MediaSettings::kExercise).empty())
            showMedia();
        else
            playVoices();
    }
}

void ExerciseSession::showMedia() {
    if (MediaSettings(s_.store).mediaName(MediaSettings::kExercise).empty()) return;
    views_.showMedia();
    if (kind_ != ExerciseKind::Verify) playVoices();
}

void ExerciseSession::playVoices() {
    const FileAccess& files = s_.locator.files();
    const bool verify = kind_ == ExerciseKind::Verify;
    const std::string male = (verify ? S::kVerifyMaleSound : S::kMaleSound).read(s_.store);
    const std::string female = (verify ? S::kVerifyFemaleSound : S::kFemaleSound).read(s_.store);
    PlaybackPlan plan;
    if (!male.empty() && files.exists(male)) plan.play(files.resolve(male).string()).pause(2);
    if (!female.empty() && files.exists(female)) plan.start(files.resolve(female).string());
    if (!plan.empty()) s_.runner.run(std::move(plan));
}

void ExerciseSession::answer(int slot) {
    if (finished_ || awaitingDialog_ || !answersVisible_ || slot < 0 || slot > 4 || done_.empty() || presented_ == 0)
        return;
    if (shown_[static_cast<std::size_t>(slot)].empty()) return; // a hidden button
    if (slot == rightSlot_) {
        done_[current_] = 1;
        ++good_;
        afterCheck();
        return;
    }
    awaitingDialog_ = true;
    views_.showAnswerDialog();
}

void ExerciseSession::answerDialogClosed() {
    if (!awaitingDialog_) return;
    awaitingDialog_ = false;
    done_[current_] = 0;
    afterCheck();
}

void ExerciseSession::reloadPool() {
    if (kind_ == ExerciseKind::Verify) return; // its pool is built once, when it opens
    finished_ = false; // a new choice after the congratulation starts again
    loadDoneFlags();
    if (presented_ > 0) --presented_;
    afterCheck();
}

void ExerciseSession::afterCheck() {
    presentedMedia_ = false;
    s_.runner.cancel();
    views_.hideMedia();
    const int rate = sessionRate(good_, presented_);
    const bool allDone = !done_.empty() && std::all_of(done_.begin(), done_.end(), [](std::uint8_t f) { return f == 1; });
    if (allDone) {
        finished_ = true;
        const bool verify = kind_ == ExerciseKind::Verify;
        s_.prompts.messageBox(strings::text(verify ? 12005 : 12004), strings::text(28674), MessageIcon::Stop,
                              MessageButtons::Ok);
        hideAnswers();
        if (verify) {
            advanceLesson();
            views_.openCourse();
        }
        return;
    }
    face_ = faceOfRate(rate);
    scoreText_ = scoreLine(good_, presented_);
    views_.questionChanged();
    drawQuestion();
}

void ExerciseSession::advanceLesson() {
    const std::string section = s_.catalogue.positionSection();
    const int lesson = AppSettings::kLesson.read(s_.store, section);
    const int n = s_.catalogue.count();
    AppSettings::kLesson.write(s_.store, section, lesson < n - 1 ? lesson + 1 : 0);
    AppSettings::kPage.write(s_.store, section, 0);
}

void ExerciseSession::close() {
    if (closed_) return;
    closed_ = true;
    s_.runner.cancel();
    const FileAccess& files = s_.locator.files();
    std::string label;
    int pool = 0;
    if (kind_ == ExerciseKind::Verify) {
        const int lesson = verifiedLesson_ >= 0 ? verifiedLesson_
                                                : AppSettings::kLesson.read(s_.store, s_.catalogue.positionSection());
        label = "\t" + s_.catalogue.title(lesson, 0) + "\n\n";
        pool = countField_;
    } else {
        label = selectionLabel(files, files_.selection);
        pool = static_cast<int>(done_.size());
    }
    AppendScore(s_.store, files, kind_, label, pool, good_, presented_, localTimeNow());
    doc_.writeBack();
}

} // namespace lumora
