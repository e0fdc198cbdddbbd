#include "course/cours_doc.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "course/course_commands.h"
#include "course/course_settings.h"
#include "course/dib.h"
#include "course/direct_access.h"
#include "course/media_paths.h"
#include "course/multimedia_ctrl.h"
#include "foundation/app_commands.h"
#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "foundation/frame_commands.h"
#include "foundation/media_settings.h"
#include "foundation/text_util.h"
#include "resources/string_table.h"

namespace lumora {

namespace {
constexpr int kVerifyCommand = cmd::frame::Verify;
constexpr int kQuestionString = 12003;
constexpr int kTitleString = 28674;

std::string replaceFirst(std::string text, const std::string& what, const std::string& with) {
    const auto at = text.find(what);
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}
} // namespace

CCoursDoc::CCoursDoc(SettingsStore& store, const LessonCatalogue& catalogue, SoundPlayer& player, Clock& clock,
                     Prompts& prompts)
    : store_(store), catalogue_(catalogue), prompts_(prompts), playback_(player, clock) {
    ideogramSet_ = CourseSettings(store_).ideogramSet();
    MediaSettings(store_).setView(0);
    declareCommands();
}

CCoursDoc::~CCoursDoc() = default;

int CCoursDoc::currentLesson() const { return AppSettings::kLesson.read(store_, catalogue_.positionSection()); }
int CCoursDoc::currentPage() const { return AppSettings::kPage.read(store_, catalogue_.positionSection()); }

void CCoursDoc::storeLesson(int lesson) {
    AppSettings::kLesson.write(store_, catalogue_.positionSection(), lesson);
    notifyStateChanged();
}
void CCoursDoc::storePage(int page) {
    AppSettings::kPage.write(store_, catalogue_.positionSection(), page);
    notifyStateChanged();
}
void CCoursDoc::storeCurrentDir(int lesson) {
    AppSettings::kCurrentDir.write(store_, safeLessonStem(catalogue_, lesson));
}

std::string CCoursDoc::decodedTitle(int lesson) const {
    return decodeText(catalogue_.title(lesson, 0), encodingForLanguage(0));
}

bool CCoursDoc::open(const std::string& /*fileName*/) {
    const int lesson = currentLesson();
    storeCurrentDir(lesson);
    picture_ = std::make_unique<CDIB>();
    picture_->Create(320, 240);
    return catalogue_.locator().files().exists(catalogue_.dataFile(lesson));
}

void CCoursDoc::ShowPage() {
    const int lesson = currentLesson();
    const int page = currentPage();
    const std::string title = decodedTitle(lesson);
    const int n = catalogue_.pageCount(lesson);
    const int shown = page > n - 1 ? n - 1 : page;

    // Another page: the phrases of the page left stop (the new page plays its own).
    playback_.cancel();
    if (frame_) frame_->setChildCaption(format("Page %2d / %2d", shown + 1, n));
    voicesPlayed_ = false;
    if (frame_) {
        frame_->updateAllViews();
        frame_->clearStatusMessage();
        frame_->setMainCaption(title);
    }

    CMultimediaCtrl* ctrl = frame_ ? frame_->mediaControl() : nullptr;
    if (ctrl) {
        ctrl->CloseOldCourseVideo();
        ctrl->hide();
    }
    const bool fast = scrollMode_ == kFastReversed || scrollMode_ == kFastForward;
    std::string video = VideoPath(store_, catalogue_, lesson, page, 1);
    videoPhrase_ = 1;
    if (video.empty() || fast) {
        video = VideoPath(store_, catalogue_, lesson, page, 2);
        videoPhrase_ = 2;
    }
    if (video.empty() || fast) videoPhrase_ = 0;
    if (!video.empty() && !fast) {
        MediaSettings media(store_);
        media.setOldCourseVideo(media.courseVideo());
        media.setCourseVideo(video);
        if (ctrl) {
            ctrl->OpenCourseVideo();
            ctrl->show();
        }
    }
}

void CCoursDoc::showPageBusy() {
    if (frame_) frame_->setBusyCursor(true);
    ShowPage();
    if (frame_) frame_->setBusyCursor(false);
}

PlaybackPlan CCoursDoc::phrasePlan(int phrase) {
    if (phrase < 1 || phrase > 4) return {};
    const int lesson = currentLesson();
    const std::string stem = catalogue_.SoundStem(lesson, currentPage(), phrase);
    if (stem.empty()) return {};
    const std::string dir = MediaDirectory(store_, catalogue_, lesson);
    return VoicePlan(catalogue_.locator().files(), MaleVoiceName(dir, stem), FemaleVoiceName(dir, stem));
}

PlaybackPlan CCoursDoc::allPhrasesPlan() {
    PlaybackPlan plan;
    for (int phrase = 1; phrase <= 4; ++phrase) {
        const PlaybackPlan one = phrasePlan(phrase);
        if (!one.playsSound()) continue;
        plan.append(one);
        plan.pause(2);
    }
    return plan;
}

bool CCoursDoc::PlayPhrase(int phrase) {
    PlaybackPlan plan = phrasePlan(phrase);
    if (!plan.playsSound()) return false;
    playback_.run(std::move(plan));
    return true;
}

bool CCoursDoc::PlayAllPhrases() {
    PlaybackPlan plan = allPhrasesPlan();
    if (!plan.playsSound()) return false;
    playback_.run(std::move(plan));
    return true;
}

bool CCoursDoc::LoadPicture(const std::string& contentName) {
    if (contentName.empty()) return false;
    const auto bytes = catalogue_.locator().files().readAll(contentName);
    if (!bytes) return false;
    auto dib = std::make_unique<CDIB>();
    if (!dib->Read(*bytes)) return false;
    picture_ = std::move(dib);
    return true;
}

int CCoursDoc::lessonHelpContext() const {
    const std::int64_t lesson = currentLesson();
    const std::int64_t base = catalogue_.currentKind() == CatalogueKind::Lessons ? 404 : 800;
    const std::int64_t context = (lesson * 4 + base) * 25;
    return static_cast<int>(std::clamp<std::int64_t>(context, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

void CCoursDoc::setIdeogramSet(int set) {
    ideogramSet_ = set;
    CourseSettings(store_).setIdeogramSet(set);
    if (frame_) frame_->repaintCourseView();
    notifyStateChanged();
}

void CCoursDoc::setScrollingMode(int mode) {
    if (mode == scrollMode_) return;
    scrollMode_ = mode;
    notifyStateChanged();
}

void CCoursDoc::PreviousPage() {
    const int lesson = currentLesson();
    storeCurrentDir(lesson);
    int page = currentPage();
    // A stored page beyond the last is shown as the last one; going back starts from there.
    const int n = catalogue_.pageCount(lesson);
    if (n > 0 && page > n - 1) page = n - 1;
    if (page > 0) {
        storePage(page - 1);
        showPageBusy();
    } else {
        goToPreviousLesson(false);
    }
}

void CCoursDoc::goToPreviousLesson(bool firstPage) {
    int lesson = currentLesson();
    lesson = lesson > 0 ? lesson - 1 : catalogue_.count() - 1;
    if (lesson < 0) lesson = 0; // an empty catalogue
    storeLesson(lesson);
    storeCurrentDir(lesson);
    // A lesson without pages still gets page 0, never -1.
    const int page = firstPage ? 0 : std::max(0, catalogue_.pageCount(lesson) - 1);
    storePage(page);
    showPageBusy();
}

void CCoursDoc::PreviousStory() { goToPreviousLesson(scrollMode_ == kNotScrolling); }

void CCoursDoc::NextStory() {
    int lesson = currentLesson();
    storeCurrentDir(lesson);
    // At (or, for a stored value out of range, beyond) the last lesson: back to lesson 0.
    lesson = lesson + 1 >= catalogue_.count() || lesson < 0 ? 0 : lesson + 1;
    storeLesson(lesson);
    storePage(0);
    showPageBusy();
}

void CCoursDoc::NextPage() {
    const int lesson = currentLesson();
    storeCurrentDir(lesson);
    const int page = currentPage();
    // The last page, or a stored page beyond it (shown as the last one): the end of the lesson.
    if (page + 1 >= catalogue_.pageCount(lesson)) {
        if (scrollMode_ != kNotScrolling) {
            NextStory();
            return;
        }
        switch (CourseSettings(store_).endOfLesson()) {
        case 0:
            NextStory();
            return;
        case 1:
            if (frame_) frame_->openActivity(kVerifyCommand);
            return;
        case 2: {
            const std::string text = replaceFirst(strings::text(kQuestionString), "%1", decodedTitle(lesson));
            const MessageResult r =
                prompts_.messageBox(text, strings::text(kTitleString), MessageIcon::Stop, MessageButtons::YesNo);
            if (r == MessageResult::Yes) {
                if (frame_) frame_->openActivity(kVerifyCommand);
            } else {
                NextStory();
            }
            return;
        }
        default:
            return;
        }
    }
    storePage(page + 1);
    showPageBusy();
}

void CCoursDoc::DirectAccess() {
    if (!frame_) return;
    DirectAccessModel model(store_, catalogue_, playback_);
    if (frame_->runDirectAccess(model)) {
        model.accept();
        showPageBusy();
    } else {
        model.cancel();
    }
}

void CCoursDoc::declareCommands() {
    namespace c = cmd::course;
    CommandTable& t = commandTable();
    t.add(c::PreviousStory, [this] { PreviousStory(); });
    t.add(c::PreviousPage, [this] { PreviousPage(); });
    t.add(c::NextPage, [this] { NextPage(); });
    t.add(c::NextStory, [this] { NextStory(); });
    t.add(c::DirectAccess, [this] { DirectAccess(); });
    for (int id = c::ListenPhrase1; id <= c::ListenPhrase4; ++id)
        t.add(id, [this, id] { PlayPhrase(id - c::ListenPhrase1 + 1); });
    t.add(c::ListenAll, [this] { PlayAllPhrases(); });
    t.add(c::TranslationLanguage, [this] {
        if (frame_) {
            frame_->runPreferences();
            frame_->updateAllViews();
        }
    });
    t.add(c::LessonExplanation, [this] {
        if (frame_) frame_->showHelpContext(lessonHelpContext());
    });
    t.addChecked(cmd::app::Simplified, [this] { setIdeogramSet(0); }, [this] { return ideogramSet_ == 0; });
    t.addChecked(cmd::app::Traditional, [this] { setIdeogramSet(1); }, [this] { return ideogramSet_ == 1; });
}

} // namespace lumora
