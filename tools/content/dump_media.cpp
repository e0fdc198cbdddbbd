#include "content/dump_media.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <type_traits>
#include <variant>

#include "content/json.h"
#include "course/dib.h"
#include "course/metafile.h"
#include "course/wave.h"
#include "foundation/codecs.h"

namespace lumora::content {

namespace {

int refused(const std::string& path, const ReadResult& why, std::ostream& err) {
    err << path << ": " << describe(why) << "\n";
    return 1;
}

std::string point(const wmf::Point& p) { return "[" + std::to_string(p.x) + "," + std::to_string(p.y) + "]"; }

std::string rect(const wmf::Rect& r) {
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "]";
}

std::string colour(const wmf::Colour& c) {
    static const char* digits = "0123456789abcdef";
    std::string s = "\"#";
    for (const std::uint8_t v : {c.red, c.green, c.blue}) {
        s += digits[v >> 4];
        s += digits[v & 15];
    }
    return s + "\"";
}

std::string points(const std::vector<wmf::Point>& pts) {
    std::string s = "[";
    for (std::size_t i = 0; i < pts.size(); ++i) s += (i ? "," : "") + point(pts[i]);
    return s + "]";
}

std::string bytesText(const std::string& bytes) { return jsonString(rawBytesAsUtf8(bytes)); }

std::string xy(const wmf::Point& p) { return "\"x\":" + std::to_string(p.x) + ",\"y\":" + std::to_string(p.y); }

// The parameters of one record, as JSON members after "type".
std::string parameters(const wmf::Record& record) {
    using namespace wmf;
    return std::visit(
        [](const auto& r) -> std::string {
            using T = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<T, MetaSetWindowOrg> || std::is_same_v<T, MetaSetViewportOrg>) {
                return xy(r.origin);
            } else if constexpr (std::is_same_v<T, MetaSetWindowExt> || std::is_same_v<T, MetaSetViewportExt>) {
                return xy(r.extent);
            } else if constexpr (std::is_same_v<T, MetaSetMapMode> || std::is_same_v<T, MetaSetPolyFillMode> ||
                                 std::is_same_v<T, MetaSetBkMode>) {
                return "\"mode\":" + std::to_string(r.mode);
            } else if constexpr (std::is_same_v<T, MetaSetBkColor> || std::is_same_v<T, MetaSetTextColor>) {
                return "\"colour\":" + colour(r.colour);
            } else if constexpr (std::is_same_v<T, MetaSetTextAlign>) {
                return "\"flags\":" + std::to_string(r.flags);
            } else if constexpr (std::is_same_v<T, MetaCreatePenIndirect>) {
                return "\"style\":" + std::to_string(r.style) + ",\"width\":" + std::to_string(r.width) +
                       ",\"colour\":" + colour(r.colour);
            } else if constexpr (std::is_same_v<T, MetaCreateBrushIndirect>) {
                return "\"style\":" + std::to_string(r.style) + ",\"colour\":" + colour(r.colour) +
                       ",\"hatch\":" + std::to_string(r.hatch);
            } else if constexpr (std::is_same_v<T, MetaCreateFontIndirect>) {
                const auto flag = [](bool b) { return b ? std::string("true") : std::string("false"); };
                return "\"height\":" + std::to_string(r.height) + ",\"width\":" + std::to_string(r.width) +
                       ",\"escapement\":" + std::to_string(r.escapement) +
                       ",\"orientation\":" + std::to_string(r.orientation) + ",\"weight\":" + std::to_string(r.weight) +
                       ",\"italic\":" + flag(r.italic) + ",\"underline\":" + flag(r.underline) +
                       ",\"strikeOut\":" + flag(r.strikeOut) + ",\"charSet\":" + std::to_string(r.charSet) +
                       ",\"pitchAndFamily\":" + std::to_string(r.pitchAndFamily) + ",\"face\":" + bytesText(r.face);
            } else if constexpr (std::is_same_v<T, MetaSelectObject> || std::is_same_v<T, MetaDeleteObject>) {
                return "\"index\":" + std::to_string(r.index);
            } else if constexpr (std::is_same_v<T, MetaSaveDC>) {
                return "";
            } else if constexpr (std::is_same_v<T, MetaRestoreDC>) {
                return "\"saved\":" + std::to_string(r.saved);
            } else if constexpr (std::is_same_v<T, MetaMoveTo> || std::is_same_v<T, MetaLineTo>) {
                return xy(r.to);
            } else if constexpr (std::is_same_v<T, MetaPolyline> || std::is_same_v<T, MetaPolygon>) {
                return "\"points\":" + points(r.points);
            } else if constexpr (std::is_same_v<T, MetaPolyPolygon>) {
                std::string s = "\"polygons\":[";
                for (std::size_t i = 0; i < r.polygons.size(); ++i) s += (i ? "," : "") + points(r.polygons[i]);
                return s + "]";
            } else if constexpr (std::is_same_v<T, MetaRectangle> || std::is_same_v<T, MetaEllipse>) {
                return "\"box\":" + rect(r.box);
            } else if constexpr (std::is_same_v<T, MetaRoundRect>) {
                return "\"box\":" + rect(r.box) + ",\"corner\":[" + std::to_string(r.cornerWidth) + "," +
                       std::to_string(r.cornerHeight) + "]";
            } else if constexpr (std::is_base_of_v<MetaArc, T>) {
                return "\"box\":" + rect(r.box) + ",\"start\":" + point(r.start) + ",\"end\":" + point(r.end);
            } else if constexpr (std::is_same_v<T, MetaTextOut>) {
                return xy(r.at) + ",\"text\":" + bytesText(r.text);
            } else if constexpr (std::is_same_v<T, MetaExtTextOut>) {
                std::string s = xy(r.at) + ",\"options\":" + std::to_string(r.options);
                if (r.clip) s += ",\"clip\":" + rect(*r.clip);
                s += ",\"text\":" + bytesText(r.text);
                if (!r.dx.empty()) {
                    s += ",\"dx\":[";
                    for (std::size_t i = 0; i < r.dx.size(); ++i) s += (i ? "," : "") + std::to_string(r.dx[i]);
                    s += "]";
                }
                return s;
            } else if constexpr (std::is_base_of_v<MetaDibBlt, T>) {
                std::string s = "\"dst\":[" + std::to_string(r.dst.x) + "," + std::to_string(r.dst.y) + "," +
                                std::to_string(r.dstSize.x) + "," + std::to_string(r.dstSize.y) + "],\"src\":[" +
                                std::to_string(r.src.x) + "," + std::to_string(r.src.y) + "," +
                                std::to_string(r.srcSize.x) + "," + std::to_string(r.srcSize.y) +
                                "],\"rop\":" + std::to_string(r.rop) + ",\"usage\":" + std::to_string(r.usage) +
                                ",\"dibSize\":" + std::to_string(r.dib.size());
                CDIB dib;
                if (!r.dib.empty() && dib.readPacked(r.dib.data(), r.dib.size()))
                    s += ",\"dib\":{\"width\":" + std::to_string(dib.width()) + ",\"height\":" +
                         std::to_string(dib.height()) + ",\"bits\":" + std::to_string(dib.bitCount()) + "}";
                else
                    s += ",\"dib\":null";
                return s;
            } else {
                static_assert(std::is_same_v<T, MetaUnknown>);
                return "\"function\":" + std::to_string(r.function) + ",\"name\":" + jsonString(recordName(r)) +
                       ",\"createsObject\":" + (r.createsObject ? "true" : "false") +
                       ",\"size\":" + std::to_string(r.params.size());
            }
        },
        record);
}

} // namespace

int dumpWave(const std::string& path, std::ostream& out, std::ostream& err) {
    CWave wave;
    if (const ReadResult r = wave.Load(std::filesystem::path(path)); !r) return refused(path, r, err);
    out << "{\"format\":" << wave.formatTag() << ",\"channels\":" << wave.channels()
        << ",\"rate\":" << wave.samplesPerSecond() << ",\"bytesPerSecond\":" << wave.avgBytesPerSecond()
        << ",\"blockAlign\":" << wave.blockAlign() << ",\"bits\":" << wave.bitsPerSample()
        << ",\"dataSize\":" << wave.dataSize() << ",\"samples\":" << wave.SampleCount() << ",\"head\":[";
    const int head = wave.SampleCount() < 16 ? wave.SampleCount() : 16;
    for (int i = 0; i < head; ++i) out << (i ? "," : "") << wave.GetSample(i);
    out << "]}\n";
    return 0;
}

int dumpBitmap(const std::string& path, std::ostream& out, std::ostream& err) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return refused(path, readFailure(ReadStatus::Missing, "cannot be opened"), err);
    CDIB dib;
    if (const ReadResult r = dib.Read(in); !r) return refused(path, r, err);
    out << "{\"width\":" << dib.width() << ",\"height\":" << dib.height() << ",\"bits\":" << dib.bitCount()
        << ",\"colours\":" << dib.colourCount() << ",\"headerSize\":" << dib.headerSize()
        << ",\"dataSize\":" << dib.dataSize() << "}\n";
    return 0;
}

int dumpMetafile(const std::string& path, std::ostream& out, std::ostream& err) {
    Metafile mf;
    if (const ReadResult r = loadMetafile(std::filesystem::path(path), mf); !r) return refused(path, r, err);

    std::ostringstream s;
    s << "{\"placeable\":" << (mf.placeable ? "true" : "false");
    if (mf.placeable) s << ",\"bounds\":" << rect(mf.bounds) << ",\"unitsPerInch\":" << mf.unitsPerInch;
    s << ",\"version\":" << mf.version << ",\"objects\":" << mf.objectCount << ",\"records\":[";
    for (std::size_t i = 0; i < mf.records.size(); ++i) {
        const std::string params = parameters(mf.records[i]);
        const bool unknown = std::holds_alternative<wmf::MetaUnknown>(mf.records[i]);
        s << (i ? ",\n" : "\n") << "{\"type\":" << jsonString(unknown ? "UNKNOWN" : wmf::recordName(mf.records[i]))
          << (params.empty() ? "" : ",") << params << "}";
    }
    s << "\n]}\n";
    out << s.str();
    return 0;
}

} // namespace lumora::content
