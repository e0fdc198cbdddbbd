#pragma once
// The score history of each exercise kind and catalogue: the last 30 scores as fixed 336-byte
// records, the append made when an exercise window closes, and the plain-text listing regenerated
// after each append (read by the score graph's listing pane).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exercises/exercise_kind.h"
#include "foundation/bytes.h"
#include "foundation/file_access.h"
#include "foundation/settings_store.h"

namespace lumora {

struct ScoreLayout {
    static constexpr std::size_t kRecordSize = 336;
    static constexpr std::size_t kLabel = 0, kLabelWidth = 300;
    static constexpr std::size_t kDay = 300, kMonth = 304, kYear = 308, kHour = 312, kMinute = 316,
                                 kSecond = 320, kPool = 324, kGood = 328, kAnswered = 332;
    static constexpr int kRecords = 30; // a history holds the last 30 scores
    // A history larger than this is not one the program wrote: it is neither read nor rewritten.
    static constexpr std::uint64_t kMaxFileBytes = 1u << 20;
};

struct ScoreRecord {
    std::string label; // at most 299 bytes are kept
    std::int32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    std::int32_t pool = 0;     // the pool count minus 1
    std::int32_t good = 0;     // good answers
    std::int32_t answered = 0; // questions presented minus 1

    bool blank() const { return day == 0; }
};

ScoreRecord parseScoreRecord(const std::uint8_t* record);
Bytes serializeScoreRecord(const ScoreRecord& record);
// Every whole record of a history file's bytes (a partial record at the end is ignored).
std::vector<ScoreRecord> parseScoreHistory(const Bytes& data);

// good * 100 / answered to the nearest integer, halves away from zero (64-bit intermediate); 0 when
// answered is 0. Values a damaged file may hold are clamped, never overflow.
int scoreRate(std::int64_t good, std::int64_t answered);
inline int scoreRate(const ScoreRecord& r) { return scoreRate(r.good, r.answered); }

struct LocalTime {
    int day = 1, month = 1, year = 1970, hour = 0, minute = 0, second = 0;
};
LocalTime localTimeNow();

// Appends one score to the kind's history in the current catalogue (created with 30 blank records
// when missing), dropping the oldest record, then regenerates the listing of the kind named by the
// last-job setting. The new history is written to a temporary file and renamed into place, so a
// crash or a full disk leaves the old history whole. False when the history could not be read or
// written (nothing is reported to the learner).
bool AppendScore(const SettingsStore& store, const FileAccess& files, ExerciseKind kind, const std::string& label,
                 int poolCount, int goodCount, int presentedCount, const LocalTime& now);

// The listing text of a history (LF line ends): a tab, the title and two newlines, then one block per
// entry 1..30.
std::string scoreListingText(const std::string& title, const std::vector<ScoreRecord>& records);
// Regenerates the listing of the kind named by "Startup"/"Remember" (9, 5 or 6; any other value
// writes nothing) with CR LF line ends. A missing history leaves any old listing untouched.
bool WriteScoreListing(const SettingsStore& store, const FileAccess& files);

// The title of a kind's graph: the text of its string before the first line feed.
std::string scoreGraphTitle(ExerciseKind kind);

} // namespace lumora
