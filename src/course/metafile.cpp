#include "course/metafile.h"

#include <array>
#include <fstream>
#include <new>
#include <type_traits>

#include <uwmf.h>

#include "foundation/text_util.h"

// libUEMF decodes the fixed-layout records well, but its getters only compare the size a record
// announces with a minimum: they do not check that the record lies inside the buffer, and the
// lengths and counts inside a record (text length, point counts, polygon counts) are used without
// being checked against the record (the text-out getter reads its position after a text of any
// announced length). So every record is first checked against the end of the file and against the
// getter's minimum size, and every count is checked against its record, before a getter is called.
// The file headers are read here directly: the library's header reader refuses a valid metafile
// holding nothing but its end record.

namespace lumora {

namespace wmf {
namespace {

struct KindInfo {
    const char* name;
    int type; // U_WMR_* index (low byte of the function number)
};

// In the order of the alternatives of Record.
constexpr std::array<KindInfo, std::variant_size_v<Record>> kKinds = {{
    {"SETWINDOWORG", U_WMR_SETWINDOWORG},
    {"SETWINDOWEXT", U_WMR_SETWINDOWEXT},
    {"SETVIEWPORTORG", U_WMR_SETVIEWPORTORG},
    {"SETVIEWPORTEXT", U_WMR_SETVIEWPORTEXT},
    {"SETMAPMODE", U_WMR_SETMAPMODE},
    {"SETPOLYFILLMODE", U_WMR_SETPOLYFILLMODE},
    {"SETBKMODE", U_WMR_SETBKMODE},
    {"SETBKCOLOR", U_WMR_SETBKCOLOR},
    {"SETTEXTCOLOR", U_WMR_SETTEXTCOLOR},
    {"SETTEXTALIGN", U_WMR_SETTEXTALIGN},
    {"CREATEPENINDIRECT", U_WMR_CREATEPENINDIRECT},
    {"CREATEBRUSHINDIRECT", U_WMR_CREATEBRUSHINDIRECT},
    {"CREATEFONTINDIRECT", U_WMR_CREATEFONTINDIRECT},
    {"SELECTOBJECT", U_WMR_SELECTOBJECT},
    {"DELETEOBJECT", U_WMR_DELETEOBJECT},
    {"SAVEDC", U_WMR_SAVEDC},
    {"RESTOREDC", U_WMR_RESTOREDC},
    {"MOVETO", U_WMR_MOVETO},
    {"LINETO", U_WMR_LINETO},
    {"POLYLINE", U_WMR_POLYLINE},
    {"POLYGON", U_WMR_POLYGON},
    {"POLYPOLYGON", U_WMR_POLYPOLYGON},
    {"RECTANGLE", U_WMR_RECTANGLE},
    {"ROUNDRECT", U_WMR_ROUNDRECT},
    {"ELLIPSE", U_WMR_ELLIPSE},
    {"ARC", U_WMR_ARC},
    {"PIE", U_WMR_PIE},
    {"CHORD", U_WMR_CHORD},
    {"TEXTOUT", U_WMR_TEXTOUT},
    {"EXTTEXTOUT", U_WMR_EXTTEXTOUT},
    {"STRETCHDIB", U_WMR_STRETCHDIB},
    {"DIBSTRETCHBLT", U_WMR_DIBSTRETCHBLT},
    {"DIBBITBLT", U_WMR_DIBBITBLT},
    {"UNKNOWN", -1},
}};

// The format's name of a function number, "" when it has none.
std::string functionName(std::uint16_t function) {
    const int type = function & U_WMR_MASK;
    if (U_wmr_values(type) != function) return {};
    std::string name = U_wmr_names(type);
    const std::string prefix = "U_WMR_";
    if (name.rfind(prefix, 0) == 0) name.erase(0, prefix.size());
    return name;
}

} // namespace

std::string recordName(const Record& record) {
    if (const auto* u = std::get_if<MetaUnknown>(&record)) {
        const std::string name = functionName(u->function);
        return name.empty() ? "UNKNOWN" : name;
    }
    return kKinds[record.index()].name;
}

std::uint16_t recordFunction(const Record& record) {
    if (const auto* u = std::get_if<MetaUnknown>(&record)) return u->function;
    return static_cast<std::uint16_t>(U_wmr_values(kKinds[record.index()].type));
}

} // namespace wmf

namespace {

using namespace wmf;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableSize = U_SIZE_WMRPLACEABLE; // 22
constexpr std::size_t kHeaderSize = U_SIZE_WMRHEADER;       // 18
constexpr std::size_t kRecordHead = U_SIZE_METARECORD;      // 6: size in words, function
// Far beyond any real picture; keeps a hostile file of tiny records from growing without end.
constexpr std::size_t kMaxRecords = 1000000;

int s16(const std::uint8_t* p) { return static_cast<std::int16_t>(le16(p)); }
Point point(const U_POINT16& p) { return {p.x, p.y}; }
Rect rect(const U_RECT16& r) { return {r.left, r.top, r.right, r.bottom}; }
Colour colour(const U_COLORREF& c) { return {c.Red, c.Green, c.Blue}; }

// One record, already known to lie inside the file.
class RecordReader {
public:
    RecordReader(const std::uint8_t* p, std::size_t size) : p_(p), size_(size) {}

    const char* rec() const { return reinterpret_cast<const char*>(p_); }
    const std::uint8_t* at(std::size_t offset) const { return p_ + offset; }
    std::size_t size() const { return size_; }

    // The record holds at least `min` bytes (the getter's minimum).
    bool need(std::size_t min) {
        if (size_ >= min) return true;
        why = "record of " + std::to_string(size_) + " bytes is too short";
        return false;
    }
    bool bad(const std::string& reason) {
        why = reason;
        return false;
    }
    // Offset of `p` (a pointer a getter returned) inside the record.
    std::size_t offsetOf(const char* p) const { return static_cast<std::size_t>(p - rec()); }

    std::string why;

private:
    const std::uint8_t* p_;
    std::size_t size_;
};

std::vector<Point> readPoints(const std::uint8_t* p, std::size_t count) {
    std::vector<Point> points(count);
    for (std::size_t i = 0; i < count; ++i) points[i] = {s16(p + 4 * i), s16(p + 4 * i + 2)};
    return points;
}

// A getter's result: 0 means the library refused the record.
bool ok(int got, RecordReader& r) { return got != 0 || r.bad("malformed record"); }

std::optional<Record> parsePoly(RecordReader& r, bool polygon) {
    if (!r.need(8)) return std::nullopt;
    const std::size_t count = le16(r.at(6));
    if (8 + 4 * count > r.size()) {
        r.bad(std::to_string(count) + " points do not fit in a record of " + std::to_string(r.size()) + " bytes");
        return std::nullopt;
    }
    std::vector<Point> points;
    if (count > 0) {
        std::uint16_t n = 0;
        const char* data = nullptr;
        const int got = polygon ? U_WMRPOLYGON_get(r.rec(), &n, &data) : U_WMRPOLYLINE_get(r.rec(), &n, &data);
        if (!ok(got, r)) return std::nullopt;
        points = readPoints(r.at(r.offsetOf(data)), n);
    }
    if (polygon) return MetaPolygon{std::move(points)};
    return MetaPolyline{std::move(points)};
}

std::optional<Record> parsePolyPolygon(RecordReader& r) {
    if (!r.need(U_SIZE_WMRPOLYPOLYGON)) return std::nullopt;
    const std::size_t polys = le16(r.at(6));
    if (8 + 2 * polys > r.size()) {
        r.bad(std::to_string(polys) + " polygon counts do not fit in the record");
        return std::nullopt;
    }
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < polys; ++i) total += le16(r.at(8 + 2 * i));
    if (8 + 2 * polys + 4 * total > r.size()) {
        r.bad(std::to_string(total) + " points do not fit in a record of " + std::to_string(r.size()) + " bytes");
        return std::nullopt;
    }
    std::uint16_t n = 0;
    const std::uint16_t* counts = nullptr;
    const char* pts = nullptr;
    if (!ok(U_WMRPOLYPOLYGON_get(r.rec(), &n, &counts, &pts), r)) return std::nullopt;
    std::size_t offset = r.offsetOf(pts);
    MetaPolyPolygon out;
    out.polygons.reserve(polys);
    for (std::size_t i = 0; i < polys; ++i) {
        const std::size_t count = le16(r.at(8 + 2 * i));
        out.polygons.push_back(readPoints(r.at(offset), count));
        offset += 4 * count;
    }
    return out;
}

std::optional<Record> parseTextOut(RecordReader& r) {
    if (!r.need(U_SIZE_WMRTEXTOUT)) return std::nullopt;
    const int length = s16(r.at(6));
    if (length < 0) {
        r.bad("negative text length");
        return std::nullopt;
    }
    const std::size_t padded = static_cast<std::size_t>(length) + (length & 1);
    if (8 + padded + 4 > r.size()) {
        r.bad("text of " + std::to_string(length) + " bytes does not fit in the record");
        return std::nullopt;
    }
    U_POINT16 dst{};
    std::int16_t n = 0;
    const char* text = nullptr;
    if (!ok(U_WMRTEXTOUT_get(r.rec(), &dst, &n, &text), r)) return std::nullopt;
    return MetaTextOut{point(dst), std::string(text, static_cast<std::size_t>(length))};
}

std::optional<Record> parseExtTextOut(RecordReader& r) {
    if (!r.need(U_SIZE_WMREXTTEXTOUT)) return std::nullopt;
    const int length = s16(r.at(10));
    const int options = le16(r.at(12));
    if (length < 0) {
        r.bad("negative text length");
        return std::nullopt;
    }
    const bool hasRect = (options & (U_ETO_OPAQUE | U_ETO_CLIPPED)) != 0;
    const std::size_t textAt = U_SIZE_WMREXTTEXTOUT + (hasRect ? 8 : 0);
    if (textAt + static_cast<std::size_t>(length) > r.size()) {
        r.bad("text of " + std::to_string(length) + " bytes does not fit in the record");
        return std::nullopt;
    }
    U_POINT16 dst{};
    std::int16_t n = 0;
    std::uint16_t opts = 0;
    const char* text = nullptr;
    const std::int16_t* dx = nullptr;
    U_RECT16 box{};
    if (!ok(U_WMREXTTEXTOUT_get(r.rec(), &dst, &n, &opts, &text, &dx, &box), r)) return std::nullopt;
    MetaExtTextOut out;
    out.at = point(dst);
    out.options = options;
    if (hasRect) out.clip = rect(box);
    out.text.assign(text, static_cast<std::size_t>(length));
    // The character distances follow the (even-padded) text when the writer stored them.
    const std::size_t dxAt = textAt + static_cast<std::size_t>(length) + (length & 1);
    if (length > 0 && dxAt + 2 * static_cast<std::size_t>(length) <= r.size()) {
        out.dx.resize(static_cast<std::size_t>(length));
        for (int i = 0; i < length; ++i) out.dx[static_cast<std::size_t>(i)] = s16(r.at(dxAt + 2 * static_cast<std::size_t>(i)));
    }
    return out;
}

std::optional<Record> parseFont(RecordReader& r) {
    if (!r.need(U_SIZE_WMRCREATEFONTINDIRECT)) return std::nullopt;
    const char* font = nullptr;
    if (!ok(U_WMRCREATEFONTINDIRECT_get(r.rec(), &font), r)) return std::nullopt;
    const std::size_t at = r.offsetOf(font);
    const std::uint8_t* f = r.at(at);
    MetaCreateFontIndirect out;
    out.height = s16(f);
    out.width = s16(f + 2);
    out.escapement = s16(f + 4);
    out.orientation = s16(f + 6);
    out.weight = s16(f + 8);
    out.italic = f[10] != 0;
    out.underline = f[11] != 0;
    out.strikeOut = f[12] != 0;
    out.charSet = f[13];
    out.pitchAndFamily = f[17];
    const std::size_t faceAt = at + U_SIZE_FONT_CORE;
    const std::size_t room = r.size() - faceAt;
    out.face = fixedField(f + U_SIZE_FONT_CORE, 0, room < 32 ? room : 32);
    return out;
}

// The three bitmap records; `fixed` is the size of the parameters before the bitmap.
std::optional<Record> parseDib(RecordReader& r, int type) {
    MetaDibBlt blt;
    U_POINT16 dst{}, dstSize{}, src{}, srcSize{};
    const char* dib = nullptr;
    if (type == U_WMR_STRETCHDIB) {
        if (!r.need(U_SIZE_WMRSTRETCHDIB)) return std::nullopt;
        std::uint16_t usage = 0;
        if (!ok(U_WMRSTRETCHDIB_get(r.rec(), &dst, &dstSize, &src, &srcSize, &usage, &blt.rop, &dib), r))
            return std::nullopt;
        blt.usage = usage;
    } else if (type == U_WMR_DIBSTRETCHBLT) {
        if (!r.need(U_SIZE_WMRDIBSTRETCHBLT_NOPX)) return std::nullopt;
        if (!ok(U_WMRDIBSTRETCHBLT_get(r.rec(), &dst, &dstSize, &src, &srcSize, &blt.rop, &dib), r))
            return std::nullopt;
    } else {
        if (!r.need(U_SIZE_WMRDIBBITBLT_NOPX)) return std::nullopt;
        if (!ok(U_WMRDIBBITBLT_get(r.rec(), &dst, &dstSize, &src, &blt.rop, &dib), r)) return std::nullopt;
        srcSize = dstSize;
    }
    blt.dst = point(dst);
    blt.dstSize = point(dstSize);
    blt.src = point(src);
    blt.srcSize = point(srcSize);
    if (dib) {
        const std::size_t at = r.offsetOf(dib);
        if (at > r.size()) {
            r.bad("bitmap outside its record");
            return std::nullopt;
        }
        blt.dib.assign(r.at(at), r.at(r.size()));
    }
    if (type == U_WMR_STRETCHDIB) return MetaStretchDIB{blt};
    if (type == U_WMR_DIBSTRETCHBLT) return MetaDibStretchBlt{blt};
    return MetaDibBitBlt{blt};
}

std::optional<Record> parseRecord(RecordReader& r, std::uint16_t function) {
    const int type = function & U_WMR_MASK;
    const bool known = U_wmr_values(type) == function;
    U_POINT16 pt{};
    U_RECT16 box{};
    U_COLORREF c{};
    std::uint16_t u = 0;
    if (known) {
        switch (type) {
        case U_WMR_SETWINDOWORG:
            if (!r.need(U_SIZE_WMRSETWINDOWORG) || !ok(U_WMRSETWINDOWORG_get(r.rec(), &pt), r)) return std::nullopt;
            return MetaSetWindowOrg{point(pt)};
        case U_WMR_SETWINDOWEXT:
            if (!r.need(U_SIZE_WMRSETWINDOWEXT) || !ok(U_WMRSETWINDOWEXT_get(r.rec(), &pt), r)) return std::nullopt;
            return MetaSetWindowExt{point(pt)};
        case U_WMR_SETVIEWPORTORG:
            if (!r.need(U_SIZE_WMRSETVIEWPORTORG) || !ok(U_WMRSETVIEWPORTORG_get(r.rec(), &pt), r)) return std::nullopt;
            return MetaSetViewportOrg{point(pt)};
        case U_WMR_SETVIEWPORTEXT:
            if (!r.need(U_SIZE_WMRSETVIEWPORTEXT) || !ok(U_WMRSETVIEWPORTEXT_get(r.rec(), &pt), r)) return std::nullopt;
            return MetaSetViewportExt{point(pt)};
        case U_WMR_SETMAPMODE:
            if (!r.need(U_SIZE_WMRSETMAPMODE) || !ok(U_WMRSETMAPMODE_get(r.rec(), &u), r)) return std::nullopt;
            return MetaSetMapMode{u};
        case U_WMR_SETPOLYFILLMODE:
            if (!r.need(U_SIZE_WMRSETPOLYFILLMODE) || !ok(U_WMRSETPOLYFILLMODE_get(r.rec(), &u), r)) return std::nullopt;
            return MetaSetPolyFillMode{u};
        case U_WMR_SETBKMODE:
            if (!r.need(U_SIZE_WMRSETBKMODE) || !ok(U_WMRSETBKMODE_get(r.rec(), &u), r)) return std::nullopt;
            return MetaSetBkMode{u};
        case U_WMR_SETTEXTALIGN:
            if (!r.need(U_SIZE_WMRSETTEXTALIGN) || !ok(U_WMRSETTEXTALIGN_get(r.rec(), &u), r)) return std::nullopt;
            return MetaSetTextAlign{u};
        case U_WMR_SETBKCOLOR:
            if (!r.need(U_SIZE_WMRSETBKCOLOR) || !ok(U_WMRSETBKCOLOR_get(r.rec(), &c), r)) return std::nullopt;
            return MetaSetBkColor{colour(c)};
        case U_WMR_SETTEXTCOLOR:
            if (!r.need(U_SIZE_WMRSETTEXTCOLOR) || !ok(U_WMRSETTEXTCOLOR_get(r.rec(), &c), r)) return std::nullopt;
            return MetaSetTextColor{colour(c)};
        case U_WMR_CREATEPENINDIRECT: {
            U_PEN pen{};
            if (!r.need(U_SIZE_WMRCREATEPENINDIRECT) || !ok(U_WMRCREATEPENINDIRECT_get(r.rec(), &pen), r))
                return std::nullopt;
            return MetaCreatePenIndirect{pen.Style, static_cast<std::int16_t>(pen.Widthw[0]), colour(pen.Color)};
        }
        case U_WMR_CREATEBRUSHINDIRECT: {
            const char* b = nullptr;
            if (!r.need(U_SIZE_WMRCREATEBRUSHINDIRECT) || !ok(U_WMRCREATEBRUSHINDIRECT_get(r.rec(), &b), r))
                return std::nullopt;
            const std::uint8_t* p = r.at(r.offsetOf(b));
            return MetaCreateBrushIndirect{le16(p), Colour{p[2], p[3], p[4]}, le16(p + 6)};
        }
        case U_WMR_CREATEFONTINDIRECT: return parseFont(r);
        case U_WMR_SELECTOBJECT:
            if (!r.need(U_SIZE_WMRSELECTOBJECT) || !ok(U_WMRSELECTOBJECT_get(r.rec(), &u), r)) return std::nullopt;
            return MetaSelectObject{u};
        case U_WMR_DELETEOBJECT:
            if (!r.need(U_SIZE_WMRDELETEOBJECT) || !ok(U_WMRDELETEOBJECT_get(r.rec(), &u), r)) return std::nullopt;
            return MetaDeleteObject{u};
        case U_WMR_SAVEDC:
            if (!r.need(U_SIZE_WMRSAVEDC) || !ok(U_WMRSAVEDC_get(r.rec()), r)) return std::nullopt;
            return MetaSaveDC{};
        case U_WMR_RESTOREDC: {
            std::int16_t dc = 0;
            if (!r.need(U_SIZE_WMRRESTOREDC) || !ok(U_WMRRESTOREDC_get(r.rec(), &dc), r)) return std::nullopt;
            return MetaRestoreDC{dc};
        }
        case U_WMR_MOVETO:
            if (!r.need(U_SIZE_WMRMOVETO) || !ok(U_WMRMOVETO_get(r.rec(), &pt), r)) return std::nullopt;
            return MetaMoveTo{point(pt)};
        case U_WMR_LINETO:
            if (!r.need(U_SIZE_WMRLINETO) || !ok(U_WMRLINETO_get(r.rec(), &pt), r)) return std::nullopt;
            return MetaLineTo{point(pt)};
        case U_WMR_POLYLINE: return parsePoly(r, false);
        case U_WMR_POLYGON: return parsePoly(r, true);
        case U_WMR_POLYPOLYGON: return parsePolyPolygon(r);
        case U_WMR_RECTANGLE:
            if (!r.need(U_SIZE_WMRRECTANGLE) || !ok(U_WMRRECTANGLE_get(r.rec(), &box), r)) return std::nullopt;
            return MetaRectangle{rect(box)};
        case U_WMR_ELLIPSE:
            if (!r.need(U_SIZE_WMRELLIPSE) || !ok(U_WMRELLIPSE_get(r.rec(), &box), r)) return std::nullopt;
            return MetaEllipse{rect(box)};
        case U_WMR_ROUNDRECT: {
            std::int16_t h = 0, w = 0;
            if (!r.need(U_SIZE_WMRROUNDRECT) || !ok(U_WMRROUNDRECT_get(r.rec(), &w, &h, &box), r))
                return std::nullopt;
            return MetaRoundRect{rect(box), w, h};
        }
        case U_WMR_ARC:
        case U_WMR_PIE:
        case U_WMR_CHORD: {
            U_POINT16 a{}, b{};
            int got = 0;
            if (!r.need(U_SIZE_WMRARC)) return std::nullopt;
            if (type == U_WMR_ARC) got = U_WMRARC_get(r.rec(), &a, &b, &box);
            else if (type == U_WMR_PIE) got = U_WMRPIE_get(r.rec(), &a, &b, &box);
            else got = U_WMRCHORD_get(r.rec(), &a, &b, &box);
            if (!ok(got, r)) return std::nullopt;
            const MetaArc arc{rect(box), point(a), point(b)};
            if (type == U_WMR_ARC) return arc;
            if (type == U_WMR_PIE) return MetaPie{arc};
            return MetaChord{arc};
        }
        case U_WMR_TEXTOUT: return parseTextOut(r);
        case U_WMR_EXTTEXTOUT: return parseExtTextOut(r);
        case U_WMR_STRETCHDIB:
        case U_WMR_DIBSTRETCHBLT:
        case U_WMR_DIBBITBLT: return parseDib(r, type);
        default: break;
        }
    }
    MetaUnknown unknown;
    unknown.function = function;
    unknown.createsObject = known && (type == U_WMR_CREATEPALETTE || type == U_WMR_CREATEPATTERNBRUSH ||
                                      type == U_WMR_DIBCREATEPATTERNBRUSH || type == U_WMR_CREATEREGION);
    unknown.params.assign(r.at(kRecordHead), r.at(r.size()));
    return unknown;
}

} // namespace

ReadResult parseMetafile(const Bytes& bytes, Metafile& out) {
    const std::uint8_t* data = bytes.data();
    const std::size_t n = bytes.size();
    Metafile mf;
    std::size_t pos = 0;

    if (n >= 4 && le32(data) == kPlaceableKey) {
        if (n < kPlaceableSize) return readFailure(ReadStatus::Truncated, "placeable header is truncated");
        mf.placeable = true;
        mf.bounds = {s16(data + 6), s16(data + 8), s16(data + 10), s16(data + 12)};
        const int inch = le16(data + 14);
        mf.unitsPerInch = inch == 0 ? 1440 : inch;
        std::uint16_t sum = 0;
        for (std::size_t i = 0; i < 10; ++i) sum ^= le16(data + 2 * i);
        mf.checksumOk = sum == le16(data + 20);
        pos = kPlaceableSize;
    }

    if (n - pos < kHeaderSize) return readFailure(ReadStatus::Truncated, "metafile header is truncated");
    const std::uint8_t* h = data + pos;
    const int type = le16(h);
    const int headerWords = le16(h + 2);
    if ((type != 1 && type != 2) || headerWords != 9) return readFailure(ReadStatus::Corrupt, "not a Windows metafile");
    mf.version = le16(h + 4);
    if (mf.version != 0x0100 && mf.version != 0x0300)
        return readFailure(ReadStatus::Unsupported, "unknown metafile version " + std::to_string(mf.version));
    mf.sizeWords = le32(h + 6);
    mf.objectCount = le16(h + 10);
    mf.maxRecordWords = le32(h + 12);
    pos += kHeaderSize;

    const char* limit = reinterpret_cast<const char*>(data + n);
    for (std::size_t index = 1;; ++index) {
        if (n - pos < kRecordHead) return readFailure(ReadStatus::Truncated, "the end record is missing");
        const std::uint8_t* p = data + pos;
        const std::uint64_t size = 2 * static_cast<std::uint64_t>(le32(p));
        const std::uint16_t function = le16(p + 4);
        std::string what = "record " + std::to_string(index);
        const std::string name = wmf::functionName(function);
        if (!name.empty()) what += " (" + name + ")";
        if (size < kRecordHead)
            return readFailure(ReadStatus::Corrupt,
                               what + " of " + std::to_string(size) + " bytes is shorter than its head");
        if (size > n - pos)
            return readFailure(ReadStatus::Truncated,
                               what + " of " + std::to_string(size) + " bytes runs past the end of the file");
        if (U_WMRRECSAFE_get(reinterpret_cast<const char*>(p), limit) != size)
            return readFailure(ReadStatus::Corrupt, what + " of " + std::to_string(size) + " bytes is malformed");
        if (function == 0) break; // the end record
        if (mf.records.size() >= kMaxRecords)
            return readFailure(ReadStatus::Unsupported, "more than " + std::to_string(kMaxRecords) + " records");
        RecordReader reader(p, static_cast<std::size_t>(size));
        std::optional<Record> record;
        try {
            record = parseRecord(reader, function);
        } catch (const std::bad_alloc&) {
            return readFailure(ReadStatus::Unsupported, "out of memory");
        }
        if (!record) return readFailure(ReadStatus::Corrupt, what + ": " + reader.why);
        try {
            mf.records.push_back(std::move(*record));
        } catch (const std::bad_alloc&) {
            return readFailure(ReadStatus::Unsupported, "out of memory");
        }
        pos += static_cast<std::size_t>(size);
    }
    out = std::move(mf);
    return {};
}

ReadResult loadMetafile(const std::filesystem::path& path, Metafile& out) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return readFailure(ReadStatus::Missing, "cannot be opened");
    if (size > kMaxMetafileBytes) return readFailure(ReadStatus::Unsupported, "larger than 64 MiB");
    std::ifstream in(path, std::ios::binary);
    if (!in) return readFailure(ReadStatus::Missing, "cannot be opened");
    Bytes bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return readFailure(ReadStatus::Unsupported, "out of memory");
    }
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return readFailure(ReadStatus::Missing, "cannot be read");
    return parseMetafile(bytes, out);
}

} // namespace lumora
