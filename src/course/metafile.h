#pragma once
// A Windows metafile (a placeable one, with its 22-byte header, or a plain one) turned into the list
// of its drawing records, in the order of the file, with every coordinate in the metafile's own
// logical units. A player draws the records in turn: objects created by the Create* records take
// the lowest free slot of the object table (Unknown records with createsObject take one too),
// SelectObject and DeleteObject name such slots.
//
// Malformed files (truncated, a record running past the end, counts that do not fit their record,
// no end record) are refused with their kind of fault and a one-line detail; nothing is allocated
// from a count that was not checked against the record holding it.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "foundation/bytes.h"
#include "foundation/read_result.h"

namespace lumora {

namespace wmf {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

struct MetaSetWindowOrg { Point origin; };
struct MetaSetWindowExt { Point extent; }; // x = width, y = height
struct MetaSetViewportOrg { Point origin; };
struct MetaSetViewportExt { Point extent; };
struct MetaSetMapMode { int mode = 0; };
struct MetaSetPolyFillMode { int mode = 0; }; // 1 alternate, 2 winding
struct MetaSetBkMode { int mode = 0; };       // 1 transparent, 2 opaque
struct MetaSetBkColor { Colour colour; };
struct MetaSetTextColor { Colour colour; };
struct MetaSetTextAlign { int flags = 0; };

struct MetaCreatePenIndirect {
    int style = 0;
    int width = 0;
    Colour colour;
};
struct MetaCreateBrushIndirect {
    int style = 0; // 0 solid, 1 hollow, 2 hatched
    Colour colour;
    int hatch = 0;
};
struct MetaCreateFontIndirect {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    int pitchAndFamily = 0;
    std::string face; // bytes up to the first NUL, at most 32
};
struct MetaSelectObject { int index = 0; };
struct MetaDeleteObject { int index = 0; };
struct MetaSaveDC {};
struct MetaRestoreDC { int saved = -1; }; // negative: relative to the current state

struct MetaMoveTo { Point to; };
struct MetaLineTo { Point to; };
struct MetaPolyline { std::vector<Point> points; };
struct MetaPolygon { std::vector<Point> points; };
struct MetaPolyPolygon { std::vector<std::vector<Point>> polygons; };
struct MetaRectangle { Rect box; };
struct MetaRoundRect {
    Rect box;
    int cornerWidth = 0;
    int cornerHeight = 0;
};
struct MetaEllipse { Rect box; };
struct MetaArc {
    Rect box;
    Point start; // the arc runs counter-clockwise from the ray through start to the ray through end
    Point end;
};
struct MetaPie : MetaArc {};
struct MetaChord : MetaArc {};

struct MetaTextOut {
    Point at;
    std::string text; // bytes, in the encoding of the selected font
};
struct MetaExtTextOut {
    Point at;
    int options = 0;           // 0x0002 opaque, 0x0004 clipped
    std::optional<Rect> clip;  // present when opaque or clipped
    std::string text;          // bytes
    std::vector<int> dx;       // distances between character origins, when the file has them
};

// A bitmap drawn into a destination rectangle. `dib` is the packed bitmap of the record (header,
// colour table, pixels; read it with CDIB::readPacked); empty for a record that only paints with
// the brush and raster operation.
struct MetaDibBlt {
    Point dst;       // upper-left corner
    Point dstSize;   // width, height
    Point src;
    Point srcSize;
    std::uint32_t rop = 0; // ternary raster operation
    int usage = 0;         // colour table usage: 0 RGB entries, 1 palette indices
    Bytes dib;
};
struct MetaStretchDIB : MetaDibBlt {};
struct MetaDibStretchBlt : MetaDibBlt {};
struct MetaDibBitBlt : MetaDibBlt {}; // srcSize = dstSize

// Any other record, kept with its function number and parameter bytes.
struct MetaUnknown {
    std::uint16_t function = 0;
    bool createsObject = false; // palette, region or pattern brush: it takes an object slot
    Bytes params;
};

using Record = std::variant<MetaSetWindowOrg, MetaSetWindowExt, MetaSetViewportOrg, MetaSetViewportExt,
                            MetaSetMapMode, MetaSetPolyFillMode, MetaSetBkMode, MetaSetBkColor,
                            MetaSetTextColor, MetaSetTextAlign, MetaCreatePenIndirect,
                            MetaCreateBrushIndirect, MetaCreateFontIndirect, MetaSelectObject,
                            MetaDeleteObject, MetaSaveDC, MetaRestoreDC, MetaMoveTo, MetaLineTo,
                            MetaPolyline, MetaPolygon, MetaPolyPolygon, MetaRectangle, MetaRoundRect,
                            MetaEllipse, MetaArc, MetaPie, MetaChord, MetaTextOut, MetaExtTextOut,
                            MetaStretchDIB, MetaDibStretchBlt, MetaDibBitBlt, MetaUnknown>;

// The record's name as the format spells it ("SETWINDOWORG", "POLYGON", ...); for an unknown
// record the name of its function when the format has one, else "UNKNOWN".
std::string recordName(const Record& record);
// The function number the record kind is stored with.
std::uint16_t recordFunction(const Record& record);

} // namespace wmf

struct Metafile {
    bool placeable = false;
    wmf::Rect bounds;          // placeable header: the picture's box in logical units
    int unitsPerInch = 0;      // placeable header: logical units per inch (1440 when it says 0)
    bool checksumOk = true;    // placeable header checksum (not required)
    int version = 0;           // 0x0100 or 0x0300
    std::uint32_t sizeWords = 0;      // file size announced by the header, in 16-bit words
    int objectCount = 0;              // object table size announced by the header
    std::uint32_t maxRecordWords = 0; // largest record announced by the header
    std::vector<wmf::Record> records; // without the end record
};

// Parses the bytes of a whole metafile into `out`; `out` is left as it was when they are malformed.
ReadResult parseMetafile(const Bytes& bytes, Metafile& out);

// The largest metafile file read (far beyond any real picture).
constexpr std::uint64_t kMaxMetafileBytes = 64u << 20;
// Reads and parses the metafile file at a local path: Missing when it cannot be opened,
// Unsupported when it is larger than kMaxMetafileBytes.
ReadResult loadMetafile(const std::filesystem::path& path, Metafile& out);

} // namespace lumora
