#pragma once
// The voice files of the studio: locating and playing the model voices of a phrase, preparing the
// learner's file, recording, saving and closing. The three media windows and the microphone are
// the platform's (VoiceWindows, Recorder); the model voices play as one plan (male, a 2-second
// pause, female) from the event loop, never in place.
//
// Saving writes the take as a WAVE file through a temporary file beside the learner's file that is
// then renamed into place: a crash, a full disk or a take that captured nothing leaves the previous
// recording whole. A take that could not be saved stays pending and is saved at the next occasion
// (another phrase, the save button, leaving the studio): it is never dropped silently.
#include <optional>
#include <string>

#include "foundation/file_access.h"
#include "foundation/playback.h"
#include "foundation/recorder.h"
#include "foundation/settings_store.h"

namespace lumora {

enum class VoiceSlot { Male = 0, Female = 1, Learner = 2 };

// The three media windows as the studio drives them. Paths are local.
class VoiceWindows {
public:
    virtual ~VoiceWindows() = default;
    virtual void openVoice(VoiceSlot slot, const std::string& localPath) = 0;
    virtual void closeVoice(VoiceSlot slot) = 0;
    virtual void stopVoice(VoiceSlot slot) = 0;
    // The voices (entries or files) changed: the graph reads them again and redraws.
    virtual void voicesChanged() = 0;
    // A message for the learner about their recording (no microphone, a save that failed); "" clears.
    virtual void learnerMessage(const std::string& text) = 0;
};

enum class SaveOutcome {
    Saved,         // the take is in the learner's file
    NothingToSave, // no take since the last save: the learner's file is as it was
    Failed,        // the file could not be written: the take stays pending, the old file is whole
};

class VoiceStudio {
public:
    VoiceStudio(SettingsStore& store, const FileAccess& files, PlaybackRunner& playback, Recorder& recorder);

    void setWindows(VoiceWindows* windows) { windows_ = windows; }

    // Clears the three voice entries; for a non-empty stem sets up the model voices that exist (their
    // entries, windows and the plan that plays them) and prepares the learner's file; redraws.
    void setUpVoices(const std::string& lessonStem, const std::string& soundStem);
    // F = U\L\N.WAV into "SPECTRE"/"User"; a missing F is made from the template (folder created,
    // never overwriting, made writable); F is opened in the learner's window.
    void prepareLearnerFile(const std::string& lessonStem, const std::string& soundStem);
    // Stops the learner's window and the microphone, writes a pending take, redraws the graph.
    SaveOutcome saveLearnerVoice();
    // Saves a pending take, closes the three windows, removes "C:\TEMP.WAV".
    void closeVoices();

    // Recording into the learner's file of the current phrase. Refused (false, with a message) when
    // no learner file is set or the microphone cannot be used.
    bool startRecording(std::function<void(int)> level = {});
    // Stops the microphone and keeps the take pending (true when something was captured).
    bool stopRecording();
    bool recording() const { return recorder_.recording(); }
    bool hasPendingTake() const { return pending_.has_value(); }
    bool canRecord() const;

    // Plays the male and female model voice again (the M and F keys), or the learner's file.
    void playModel(VoiceSlot slot);

    const std::string& lastError() const { return error_; }

private:
    void message(const std::string& text);
    SettingsStore& store_;
    const FileAccess& files_;
    PlaybackRunner& playback_;
    Recorder& recorder_;
    VoiceWindows* windows_ = nullptr;
    std::optional<RecordedTake> pending_;
    std::string pendingTarget_; // the learner's file the pending take belongs to
    std::string error_;
};

} // namespace lumora
