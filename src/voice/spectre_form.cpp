#include "voice/spectre_form.h"

#include "course/course_settings.h"
#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "voice/voice_settings.h"

namespace lumora {

SpectreForm::SpectreForm(SettingsStore& store, const LessonCatalogue& catalogue, VoiceStudio& studio)
    : store_(store), catalogue_(catalogue), studio_(studio) {}

void SpectreForm::readPosition() {
    AppSettings app(store_);
    const std::string section =
        AppSettings::kCatalogue.read(store_) == "YES" ? AppSettings::kStoriesSection : AppSettings::kLessonsSection;
    lesson_ = app.lesson(section);
    page_ = app.page(section);
    if (page_ < 0 || page_ >= catalogue_.pageCount(lesson_)) page_ = 0;
}

void SpectreForm::initialUpdate() {
    VoiceSettings::kDraw.write(store_, 0);
    readPosition();
    lessons_.clear();
    for (int i = 0; i < catalogue_.count(); ++i)
        lessons_.push_back(catalogue_.title(i, 0));
    fillPhrases();
    VoiceSettings::kTraceForm.write(store_, "Avant Mci");
    VoiceSettings::kDraw.write(store_, 1);
}

void SpectreForm::fillPhrases() {
    phrases_.clear();
    selected_ = -1;
    const int pages = catalogue_.pageCount(lesson_);
    if (page_ < 0 || page_ >= pages) page_ = 0;
    for (int p = 0; p < pages; ++p) {
        const StudioPageFields fields = catalogue_.StudioPage(lesson_, p);
        for (int k = 0; k < 4; ++k) {
            if (fields.phonetic[k].empty()) continue;
            phrases_.push_back({" " + fields.phonetic[k] + " ", fields.sound[k], p});
            if (p == page_) selected_ = static_cast<int>(phrases_.size()) - 1;
        }
    }
    if (frame_) frame_->listsChanged();
}

void SpectreForm::loadStudioLesson() {
    readPosition();
    fillPhrases();
    if (frame_) frame_->setChildCaption(catalogue_.title(lesson_, 0));
}

void SpectreForm::chooseLesson(int lesson) {
    studio_.saveLearnerVoice();
    if (lesson < 0 || lesson >= catalogue_.count()) return;
    lesson_ = lesson;
    fillPhrases();
    if (frame_) frame_->setChildCaption(catalogue_.title(lesson_, 0));
}

void SpectreForm::choosePhrase(int index) {
    studio_.saveLearnerVoice();
    selected_ = (index >= 0 && index < static_cast<int>(phrases_.size())) ? index : -1;
    preparePhrase();
}

void SpectreForm::preparePhrase() {
    if (selected_ < 0 || selected_ >= static_cast<int>(phrases_.size())) return;
    const PhraseItem& item = phrases_[static_cast<std::size_t>(selected_)];
    const std::string dir = catalogue_.title(lesson_, -1);
    AppSettings::kCurrentDir.write(store_, dir);
    const std::string cdrom = AppSettings(store_).cdromDrive();
    const bool traditional = CourseSettings(store_).ideogramSet() == 1;
    VoiceSettings::kPicture.write(store_, cdrom + "\\" + dir + (traditional ? "\\TRADI\\" : "\\SIMPLIFY\\") +
                                              item.stem + ".BMP");
    if (frame_) frame_->pictureChanged();
    // The heading is kept as text: the settings store holds UTF-8, and the phrase's 8-bit pinyin
    // bytes would not survive it.
    VoiceSettings::kPhrase.write(store_, decodeText(item.text, FontEncoding::Pinying));
    studio_.setUpVoices(dir, item.stem);
}

} // namespace lumora
