#pragma once
// The names of the voice files, and the WAVE file of a recorded take. Names are content names,
// plain concatenations (FileAccess makes them local):
//   male model      C + "\" + L + "\MALE\" + N + ".WAV"      C: "CDROM"/"Drive"
//   female model    C + "\" + L + "\FEMALE\" + N + ".WAV"
//   learner         U + "\" + L + "\" + N + ".WAV"           U: "User"/"Drive" (one file per phrase)
//   template        P + "USER.WAV"                           P: "Course"/"SysDir"
//   temporary save  "C:\TEMP.WAV"
#include <string>

#include "foundation/bytes.h"
#include "foundation/recorder.h"

namespace lumora {

struct VoiceNames {
    static std::string male(const std::string& cdrom, const std::string& lesson, const std::string& stem);
    static std::string female(const std::string& cdrom, const std::string& lesson, const std::string& stem);
    static std::string learner(const std::string& userFolder, const std::string& lesson, const std::string& stem);
    static std::string learnerTemplate(const std::string& programDir);
    static constexpr const char* kTemporarySave = "C:\\TEMP.WAV";
    static constexpr const char* kTemplateName = "USER.WAV";
};

// A RIFF WAVE file of 16-bit PCM mono samples ("fmt " of 16 bytes, then "data").
Bytes encodeWave16(const RecordedTake& take);

// The template file: `samples` silent 16-bit mono samples at `rate`.
Bytes silentTemplate(int rate = 22050, int samples = 2205);

} // namespace lumora
