#include "content/dump_records.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "content/dictionary_codes.h"
#include "content/json.h"
#include "content/records.h"
#include "foundation/codecs.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/text_util.h"

namespace lumora::content {
namespace {

// Reads a whole file; nothing when it is missing. Files larger than 1 GiB are refused.
std::optional<Bytes> readFile(const std::string& path, std::ostream& err, bool& failed) {
    failed = false;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > (1ull << 30)) {
        err << path << ": cannot be read\n";
        failed = true;
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    Bytes data(static_cast<std::size_t>(size));
    if (!in || !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size))) {
        err << path << ": cannot be read\n";
        failed = true;
        return std::nullopt;
    }
    return data;
}

std::string text(const Bytes& rec, std::size_t offset, std::size_t width, FontEncoding enc, bool raw) {
    const std::string bytes = fixedField(rec, offset, width);
    return jsonString(raw ? rawBytesAsUtf8(bytes) : decodeText(bytes, enc));
}

Bytes slice(const Bytes& data, std::size_t offset, std::size_t size) {
    return Bytes(data.begin() + static_cast<long>(offset), data.begin() + static_cast<long>(offset + size));
}

} // namespace

int dumpCatalogue(const std::string& path, bool raw, std::ostream& out, std::ostream& err) {
    bool failed = false;
    const auto data = readFile(path, err, failed);
    if (failed) return 1;
    using C = CatalogueLayout;
    struct Column {
        const char* name;
        std::size_t offset;
        FontEncoding enc;
    };
    const Column columns[] = {
        {"french", C::kFrench, FontEncoding::Windows1252},
        {"english", C::kEnglish, FontEncoding::Windows1252},
        {"german", C::kGerman, FontEncoding::Windows1252},
        {"spanish", C::kSpanish, FontEncoding::Windows1252},
        {"khmer", C::kKhmer, FontEncoding::Khmer},
        {"thai", C::kThai, FontEncoding::Tis620},
        {"vietnamese", C::kVietnamese, FontEncoding::Viscii},
    };
    out << "{\"entries\":[";
    const std::size_t count = data ? data->size() / C::kEntrySize : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Bytes rec = slice(*data, i * C::kEntrySize, C::kEntrySize);
        out << (i ? ",\n" : "\n") << "{\"index\":" << i;
        for (const Column& c : columns)
            out << ",\"" << c.name << "\":" << text(rec, c.offset, C::kTitleWidth, c.enc, raw);
        out << ",\"stem\":" << text(rec, C::kStemOffset, C::kStemWidth, FontEncoding::Windows1252, raw) << "}";
    }
    out << (count ? "\n" : "") << "]}\n";
    return 0;
}

int dumpLesson(const std::string& path, bool raw, std::ostream& out, std::ostream& err) {
    bool failed = false;
    const auto data = readFile(path, err, failed);
    if (failed) return 1;
    using P = PageLayout;
    struct Column {
        const char* name;
        std::size_t offset;
        FontEncoding enc;
    };
    const Column columns[] = {
        {"text", P::kPhrase, FontEncoding::Windows1252},   {"phonetic", P::kPhonetic, FontEncoding::Pinying},
        {"french", P::kFrench, FontEncoding::Windows1252}, {"english", P::kEnglish, FontEncoding::Windows1252},
        {"german", P::kGerman, FontEncoding::Windows1252}, {"spanish", P::kSpanish, FontEncoding::Windows1252},
        {"dutch", P::kDutch, FontEncoding::Windows1252},   {"khmer", P::kKhmer, FontEncoding::Khmer},
        {"thai", P::kThai, FontEncoding::Tis620},          {"vietnamese", P::kVietnamese, FontEncoding::Viscii},
    };
    out << "{\"pages\":[";
    const std::size_t pages = data ? data->size() / P::kPageSize : 0;
    for (std::size_t p = 0; p < pages; ++p) {
        const Bytes rec = slice(*data, p * P::kPageSize, P::kPageSize);
        out << (p ? ",\n" : "\n") << "{\"page\":" << p << ",\"phrases\":[";
        for (std::size_t k = 0; k < static_cast<std::size_t>(P::kPhrases); ++k) {
            out << (k ? ",\n" : "\n") << " {\"phrase\":" << k + 1;
            for (const Column& c : columns)
                out << ",\"" << c.name << "\":" << text(rec, c.offset + P::kTextWidth * k, P::kTextWidth, c.enc, raw);
            out << ",\"sound\":"
                << text(rec, P::kSound + P::kStemWidth * k, P::kStemWidth, FontEncoding::Windows1252, raw)
                << ",\"media\":"
                << text(rec, P::kMedia + P::kStemWidth * k, P::kStemWidth, FontEncoding::Windows1252, raw) << "}";
        }
        out << "]}";
    }
    out << (pages ? "\n" : "") << "]}\n";
    return 0;
}

int dumpDictionary(const std::string& path, bool raw, std::ostream& out, std::ostream& err) {
    bool failed = false;
    const auto data = readFile(path, err, failed);
    if (failed) return 1;
    using D = DictionaryLayout;
    const auto pair = dictionaryPairOfFile(std::filesystem::path(path).filename().string());
    const FontEncoding from = pair ? encodingOfCode(pair->first) : FontEncoding::Windows1252;
    const FontEncoding to = pair ? encodingOfCode(pair->second) : FontEncoding::Windows1252;
    const FontEncoding west = FontEncoding::Windows1252;
    out << "{\"entries\":[";
    const std::size_t count = data ? data->size() / D::kEntrySize : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Bytes rec = slice(*data, i * D::kEntrySize, D::kEntrySize);
        out << (i ? ",\n" : "\n") << "{\"index\":" << i
            << ",\"source\":" << text(rec, D::kSource, D::kTextWidth, from, raw)
            << ",\"target\":" << text(rec, D::kTarget, D::kTextWidth, to, raw)
            << ",\"sound\":" << text(rec, D::kSound, D::kStemWidth, west, raw)
            << ",\"media\":" << text(rec, D::kMedia, D::kStemWidth, west, raw)
            << ",\"lesson\":" << text(rec, D::kLesson, D::kStemWidth, west, raw)
            << ",\"mandarinSource\":" << text(rec, D::kMandarinSource, D::kTextWidth, FontEncoding::Pinying, raw)
            << ",\"mandarinTarget\":" << text(rec, D::kMandarinTarget, D::kTextWidth, FontEncoding::Pinying, raw)
            << ",\"picture\":" << text(rec, D::kPicture, D::kStemWidth, west, raw) << "}";
    }
    out << (count ? "\n" : "") << "]}\n";
    return 0;
}

} // namespace lumora::content
