#include "voice/voice_studio.h"

#include <filesystem>
#include <system_error>

#include "foundation/app_settings.h"
#include "foundation/atomic_file.h"
#include "voice/voice_files.h"
#include "voice/voice_settings.h"

namespace lumora {

namespace fs = std::filesystem;

VoiceStudio::VoiceStudio(SettingsStore& store, const FileAccess& files, PlaybackRunner& playback, Recorder& recorder)
    : store_(store), files_(files), playback_(playback), recorder_(recorder) {}

void VoiceStudio::message(const std::string& text) {
    error_ = text;
    if (windows_) windows_->learnerMessage(text);
}

void VoiceStudio::setUpVoices(const std::string& lessonStem, const std::string& soundStem) {
    VoiceSettings::kMale.write(store_, "");
    VoiceSettings::kUser.write(store_, "");
    VoiceSettings::kFemale.write(store_, "");
    if (soundStem.empty() || !isSafeStem(soundStem) || !isSafeStem(lessonStem)) {
        if (windows_) windows_->voicesChanged();
        return;
    }
    const std::string cdrom = AppSettings(store_).cdromDrive();
    PlaybackPlan plan;
    const std::string male = VoiceNames::male(cdrom, lessonStem, soundStem);
    const bool haveMale = files_.exists(male);
    if (haveMale) {
        VoiceSettings::kMale.write(store_, male);
        const std::string local = files_.resolve(male).string();
        plan.play(local).pause(2);
        if (windows_) windows_->openVoice(VoiceSlot::Male, local);
        prepareLearnerFile(lessonStem, soundStem);
    } else if (windows_) {
        windows_->closeVoice(VoiceSlot::Male);
    }
    const std::string female = VoiceNames::female(cdrom, lessonStem, soundStem);
    if (files_.exists(female)) {
        VoiceSettings::kFemale.write(store_, female);
        const std::string local = files_.resolve(female).string();
        plan.play(local);
        if (windows_) windows_->openVoice(VoiceSlot::Female, local);
        if (!haveMale) prepareLearnerFile(lessonStem, soundStem);
    } else if (windows_) {
        windows_->closeVoice(VoiceSlot::Female);
    }
    if (!plan.empty()) playback_.run(std::move(plan));
    if (windows_) windows_->voicesChanged();
}

void VoiceStudio::prepareLearnerFile(const std::string& lessonStem, const std::string& soundStem) {
    AppSettings app(store_);
    const std::string name = VoiceNames::learner(app.userDataFolder(), lessonStem, soundStem);
    VoiceSettings::kUser.write(store_, name);
    const fs::path target = files_.resolve(name);
    if (!target.empty() && !files_.exists(name)) {
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        const fs::path tmpl = files_.resolve(VoiceNames::learnerTemplate(app.programDirectory()));
        if (!tmpl.empty() && fs::is_regular_file(tmpl, ec)) {
            ec.clear();
            fs::copy_file(tmpl, target, fs::copy_options::skip_existing, ec);
            if (fs::exists(target, ec))
                fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
        }
    }
    if (windows_) windows_->openVoice(VoiceSlot::Learner, target.string());
}

bool VoiceStudio::canRecord() const {
    return !VoiceSettings::kUser.read(store_).empty();
}

bool VoiceStudio::startRecording(std::function<void(int)> level) {
    if (recorder_.recording()) return true;
    if (!canRecord()) {
        message("Choose a phrase with a model voice before recording.");
        return false;
    }
    if (!recorder_.available()) {
        message("No microphone was found: recording is not possible, the rest of the studio works.");
        return false;
    }
    // A take of another phrase that could not be saved yet is not replaced by this one.
    if (pending_ && pendingTarget_ != VoiceSettings::kUser.read(store_)) saveLearnerVoice();
    playback_.cancel();
    if (windows_) windows_->stopVoice(VoiceSlot::Learner);
    if (!recorder_.start(std::move(level))) {
        message(recorder_.error().empty() ? std::string("The microphone could not be started.") : recorder_.error());
        return false;
    }
    message("");
    return true;
}

bool VoiceStudio::stopRecording() {
    if (!recorder_.recording()) return false;
    RecordedTake take = recorder_.stop();
    if (take.empty()) {
        message("Nothing was recorded: your previous recording is kept.");
        return false;
    }
    pending_ = std::move(take);
    pendingTarget_ = VoiceSettings::kUser.read(store_);
    return true;
}

SaveOutcome VoiceStudio::saveLearnerVoice() {
    if (windows_) windows_->stopVoice(VoiceSlot::Learner);
    stopRecording();
    SaveOutcome outcome = SaveOutcome::NothingToSave;
    if (pending_) {
        const fs::path target = files_.resolve(pendingTarget_);
        std::string why;
        if (target.empty()) {
            why = pendingTarget_ + ": the folder cannot be found";
        } else {
            const Bytes wav = encodeWave16(*pending_);
            const std::string_view data(reinterpret_cast<const char*>(wav.data()), wav.size());
            writeFileAtomically(target, data, &why);
        }
        if (why.empty()) {
            pending_.reset();
            outcome = SaveOutcome::Saved;
            message("");
            if (windows_ && pendingTarget_ == VoiceSettings::kUser.read(store_))
                windows_->openVoice(VoiceSlot::Learner, target.string());
        } else {
            outcome = SaveOutcome::Failed;
            message("Your recording could not be saved (" + why + "). It is kept until it can be.");
        }
    }
    if (windows_) windows_->voicesChanged();
    return outcome;
}

void VoiceStudio::closeVoices() {
    if (pending_ || recorder_.recording()) saveLearnerVoice();
    if (windows_) {
        windows_->closeVoice(VoiceSlot::Male);
        windows_->closeVoice(VoiceSlot::Female);
        windows_->closeVoice(VoiceSlot::Learner);
    }
    const fs::path temp = files_.resolve(VoiceNames::kTemporarySave);
    std::error_code ec;
    if (!temp.empty() && fs::is_regular_file(temp, ec)) fs::remove(temp, ec);
}

void VoiceStudio::playModel(VoiceSlot slot) {
    const StringSetting& entry = slot == VoiceSlot::Male     ? VoiceSettings::kMale
                                 : slot == VoiceSlot::Female ? VoiceSettings::kFemale
                                                             : VoiceSettings::kUser;
    const std::string name = entry.read(store_);
    if (name.empty() || recorder_.recording()) return;
    PlaybackPlan plan;
    plan.play(files_.resolve(name).string());
    playback_.run(std::move(plan));
}

} // namespace lumora
