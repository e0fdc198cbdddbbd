#pragma once
// The three scored exercises: their job codes, settings sections and learner files, and the one
// pseudo-random generator that every draw of every exercise uses.
#include <cstdint>
#include <optional>
#include <string>

#include "foundation/settings_store.h"

namespace lumora {

enum class ExerciseKind { Verify, Picture, Translation };

struct ExerciseKindRow {
    ExerciseKind kind;
    int jobCode;             // "Startup"/"Remember" while the exercise runs
    int graphJobCode;        // ... while its score graph is shown
    const char* section;     // "ExPicture", "ExTranslate", "Acquis"
    const char* lessonsName; // file sub-name while the lessons catalogue is current
    const char* storiesName; // ... while the stories catalogue is current
    int nameStringId;        // the exercise's command and name
    int graphTitleId;        // the graph's title
};

const ExerciseKindRow& kindRow(ExerciseKind kind);
std::optional<ExerciseKind> kindOfJob(int jobCode);      // 9, 5, 6
std::optional<ExerciseKind> kindOfGraphJob(int jobCode); // 10, 11, 12

// The learner's files of a kind in the current catalogue: D + sub-name + "GB.MEM" and so on, with
// D the learner's data folder ("User"/"Drive").
struct ExerciseFiles {
    std::string selection; // "GB.MEM"
    std::string pool;      // "GB.DAT"
    std::string history;   // "GB.GRA"
    std::string listing;   // "GB.TXT"
    std::string copy;      // D + "\NULL.GRA", one for all kinds
};
ExerciseFiles exerciseFiles(const SettingsStore& store, ExerciseKind kind);

// x = x * 214013 + 2531011 (mod 2^32); each draw gives (x >> 16) & 0x7FFF. The program holds one
// (programRandom) that starts at state 1 and is never reseeded, so every run draws the same
// sequence; tests make their own to stand for one program run.
class ExerciseRandom {
public:
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    std::uint32_t state_ = 1;
};

ExerciseRandom& programRandom();

} // namespace lumora
