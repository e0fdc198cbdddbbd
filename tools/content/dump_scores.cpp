#include "content/dump_scores.h"

#include <filesystem>
#include <fstream>

#include "content/json.h"
#include "exercises/question_pool.h"
#include "exercises/score_history.h"
#include "foundation/codecs.h"

namespace lumora::content {
namespace {

constexpr std::uintmax_t kMaxBytes = 64u << 20;

// Reads a whole file; a missing one reads as empty, one that cannot be read (or is larger than
// any learner file) fails with a message.
bool readLearnerFile(const std::string& path, Bytes& data, std::ostream& err) {
    std::error_code ec;
    data.clear();
    if (!std::filesystem::exists(path, ec)) return true;
    const auto size = std::filesystem::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || size > kMaxBytes || !in) {
        err << path << ": cannot be read\n";
        return false;
    }
    data.resize(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size))) {
        err << path << ": cannot be read\n";
        return false;
    }
    return true;
}

std::string west(const std::string& bytes) {
    return jsonString(decodeText(bytes, FontEncoding::Windows1252));
}

} // namespace

int dumpScores(const std::string& path, std::ostream& out, std::ostream& err) {
    Bytes data;
    if (!readLearnerFile(path, data, err)) return 1;
    const auto records = parseScoreHistory(data);
    out << "{\"records\":[";
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ScoreRecord& r = records[i];
        out << (i ? ",\n" : "\n") << "{\"label\":" << west(r.label) << ",\"day\":" << r.day << ",\"month\":" << r.month
            << ",\"year\":" << r.year << ",\"hour\":" << r.hour << ",\"minute\":" << r.minute
            << ",\"second\":" << r.second << ",\"pool\":" << r.pool << ",\"good\":" << r.good
            << ",\"answered\":" << r.answered << ",\"rate\":" << scoreRate(r) << "}";
    }
    out << (records.empty() ? "" : "\n") << "]}\n";
    return 0;
}

int dumpPool(const std::string& path, int fromLanguage, int toLanguage, std::ostream& out, std::ostream& err) {
    auto side = [](const std::string& bytes, int language) {
        return jsonString(decodeText(bytes, encodingForLanguage(language)));
    };
    Bytes data;
    if (!readLearnerFile(path, data, err)) return 1;
    const std::size_t count = data.size() / ExerciseItemLayout::kRecordSize;
    out << "{\"items\":[";
    for (std::size_t i = 0; i < count; ++i) {
        const ExerciseItem item = parseExerciseItem(data.data() + i * ExerciseItemLayout::kRecordSize);
        out << (i ? ",\n" : "\n") << "{\"from\":" << side(item.from, fromLanguage) << ",\"to\":" << side(item.to, toLanguage)
            << ",\"sound\":" << west(item.sound) << ",\"media\":" << west(item.media)
            << ",\"lesson\":" << west(item.lesson) << ",\"picture\":" << west(item.picture) << "}";
    }
    out << (count ? "\n" : "") << "]}\n";
    return 0;
}

} // namespace lumora::content
