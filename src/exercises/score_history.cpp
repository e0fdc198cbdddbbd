#include "exercises/score_history.h"

#include <algorithm>
#include <ctime>
#include <limits>

#include "foundation/app_settings.h"
#include "foundation/text_util.h"
#include "resources/string_table.h"

namespace lumora {

namespace {
using L = ScoreLayout;

void putInt(Bytes& b, std::size_t offset, std::int32_t v) {
    putLe32(b.data() + offset, static_cast<std::uint32_t>(v));
}

std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

Bytes toBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}
} // namespace

ScoreRecord parseScoreRecord(const std::uint8_t* p) {
    ScoreRecord r;
    r.label = fixedField(p, L::kLabel, L::kLabelWidth);
    r.day = les32(p + L::kDay);
    r.month = les32(p + L::kMonth);
    r.year = les32(p + L::kYear);
    r.hour = les32(p + L::kHour);
    r.minute = les32(p + L::kMinute);
    r.second = les32(p + L::kSecond);
    r.pool = les32(p + L::kPool);
    r.good = les32(p + L::kGood);
    r.answered = les32(p + L::kAnswered);
    return r;
}

Bytes serializeScoreRecord(const ScoreRecord& r) {
    Bytes b(L::kRecordSize, 0);
    // The terminator always fits: 299 bytes of text at most.
    putFixedField(b, L::kLabel, L::kLabelWidth - 1, r.label);
    putInt(b, L::kDay, r.day);
    putInt(b, L::kMonth, r.month);
    putInt(b, L::kYear, r.year);
    putInt(b, L::kHour, r.hour);
    putInt(b, L::kMinute, r.minute);
    putInt(b, L::kSecond, r.second);
    putInt(b, L::kPool, r.pool);
    putInt(b, L::kGood, r.good);
    putInt(b, L::kAnswered, r.answered);
    return b;
}

std::vector<ScoreRecord> parseScoreHistory(const Bytes& data) {
    std::vector<ScoreRecord> out;
    for (std::size_t at = 0; at + L::kRecordSize <= data.size(); at += L::kRecordSize)
        out.push_back(parseScoreRecord(data.data() + at));
    return out;
}

int scoreRate(std::int64_t good, std::int64_t answered) {
    if (answered == 0) return 0;
    const std::int64_t n = good * 100;
    std::int64_t q = n / answered;
    const std::int64_t r = n % answered;
    const std::int64_t absR = r < 0 ? -r : r, absD = answered < 0 ? -answered : answered;
    if (2 * absR >= absD) q += ((n < 0) != (answered < 0)) ? -1 : 1;
    return static_cast<int>(std::clamp<std::int64_t>(q, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

LocalTime localTimeNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string scoreGraphTitle(ExerciseKind kind) {
    return strings::prompt(kindRow(kind).graphTitleId);
}

bool AppendScore(const SettingsStore& store, const FileAccess& files, ExerciseKind kind, const std::string& label,
                 int poolCount, int goodCount, int presentedCount, const LocalTime& now) {
    const ExerciseFiles names = exerciseFiles(store, kind);
    Bytes old;
    if (files.exists(names.history)) {
        const auto size = files.size(names.history);
        if (!size || *size > L::kMaxFileBytes) return false;
        auto data = files.readAll(names.history, L::kMaxFileBytes);
        if (!data) return false;
        old = std::move(*data);
    } else {
        old.assign(L::kRecordSize * L::kRecords, 0);
    }
    // The copy of the old history stays beside it, as it always has.
    files.writeAtomically(names.copy, old);

    const std::size_t n = old.size() / L::kRecordSize;
    Bytes next;
    if (n > 1) next.assign(old.begin() + L::kRecordSize, old.begin() + static_cast<std::ptrdiff_t>(n * L::kRecordSize));
    ScoreRecord r;
    r.label = label.substr(0, L::kLabelWidth - 1);
    r.day = now.day;
    r.month = now.month;
    r.year = now.year;
    r.hour = now.hour;
    r.minute = now.minute;
    r.second = now.second;
    r.pool = poolCount - 1;
    r.good = goodCount;
    r.answered = presentedCount - 1;
    const Bytes rec = serializeScoreRecord(r);
    next.insert(next.end(), rec.begin(), rec.end());
    if (!files.writeAtomically(names.history, next)) return false;
    WriteScoreListing(store, files);
    return true;
}

std::string scoreListingText(const std::string& title, const std::vector<ScoreRecord>& records) {
    std::string out = "\t" + title + "\n\n";
    for (int k = 1; k <= L::kRecords; ++k) {
        const ScoreRecord r = static_cast<std::size_t>(k - 1) < records.size() ? records[static_cast<std::size_t>(k - 1)]
                                                                                : ScoreRecord{};
        const std::string number = r.day == 0 ? format("%2d", k)
                                              : format("%2d\t%2d/%2d/%2d-%2d:%2d:%2d", k, r.day, r.month, r.year,
                                                       r.hour, r.minute, r.second);
        const std::string rate = r.pool != 0 ? format("%4d%%", scoreRate(r)) : std::string();
        out += number + "\t" + rate + "\n" + r.label;
    }
    return out;
}

bool WriteScoreListing(const SettingsStore& store, const FileAccess& files) {
    const auto kind = kindOfJob(AppSettings::kRemember.read(store));
    if (!kind) return false;
    const ExerciseFiles names = exerciseFiles(store, *kind);
    if (!files.exists(names.history)) return false;
    const auto data = files.readAll(names.history, L::kMaxFileBytes);
    if (!data) return false;
    const std::string text = scoreListingText(scoreGraphTitle(*kind), parseScoreHistory(*data));
    return files.writeAtomically(names.listing, toBytes(withCrLf(text)));
}

} // namespace lumora
