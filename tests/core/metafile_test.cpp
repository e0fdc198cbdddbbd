#include "course/metafile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include <uwmf.h>

#include "course/dib.h"
#include "foundation/text_util.h"
#include "media_test_support.h"
#include "test_support.h"

namespace lumora {
namespace {

using namespace wmf;
using test::addLe16;
using test::addLe32;

U_POINT16 pt(int x, int y) { return U_POINT16{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; }
U_RECT16 box(int l, int t, int r, int b) {
    return U_RECT16{static_cast<std::int16_t>(l), static_cast<std::int16_t>(t), static_cast<std::int16_t>(r),
                    static_cast<std::int16_t>(b)};
}

// One record assembled word by word.
Bytes rawRecord(std::uint16_t function, const std::vector<int>& words) {
    Bytes r;
    addLe32(r, static_cast<std::uint32_t>(3 + words.size()));
    addLe16(r, function);
    for (int w : words) addLe16(r, static_cast<std::uint16_t>(w));
    return r;
}

// Writes a metafile with the library's own record writers.
class LibraryWriter {
public:
    // `inches` > 0: a placeable metafile of that width and 3/4 of it high at 1440 units per inch.
    explicit LibraryWriter(float inches) {
        file_ = dir_.path() / "fixture.wmf";
        EXPECT_EQ(wmf_start(file_.c_str(), 4096, 4096, &wt_), 0);
        EXPECT_EQ(wmf_htable_create(64, 64, &handles_), 0);
        U_PAIRF* size = inches > 0 ? U_PAIRF_set(inches, inches * 0.75f) : nullptr;
        wmf_header_append(reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(size, 1440)), wt_, 1);
        std::free(size);
    }
    ~LibraryWriter() {
        if (wt_) wmf_free(&wt_);
        if (handles_) wmf_htable_free(&handles_);
    }
    void add(char* record) {
        ASSERT_NE(record, nullptr);
        wmf_append(reinterpret_cast<U_METARECORD*>(record), wt_, 1);
    }
    // A record assembled by hand, for the few the library writes wrongly.
    void addRaw(const Bytes& record) {
        char* copy = static_cast<char*>(std::malloc(record.size()));
        std::memcpy(copy, record.data(), record.size());
        add(copy);
    }
    WMFHANDLES* handles() { return handles_; }
    Bytes finish() {
        add(U_WMREOF_set());
        EXPECT_EQ(wmf_finish(wt_), 0);
        wmf_free(&wt_);
        return test::readBytes(file_);
    }

private:
    test::TempDir dir_;
    std::filesystem::path file_;
    WMFTRACK* wt_ = nullptr;
    WMFHANDLES* handles_ = nullptr;
};

// A packed 8-bit 3 x 2 bitmap with a 4-entry table (colours used 4).
Bytes packedDib() {
    Bytes d;
    addLe32(d, 40);
    addLe32(d, 3);
    addLe32(d, 2);
    addLe16(d, 1);
    addLe16(d, 8);
    for (int i = 0; i < 4; ++i) addLe32(d, 0); // compression, image size, resolutions
    addLe32(d, 4);                             // colours used
    addLe32(d, 0);
    for (std::uint32_t c : {0x000000u, 0xFF0000u, 0x00FF00u, 0x0000FFu}) addLe32(d, c);
    for (std::uint8_t p : {0, 1, 2, 0, 3, 2, 1, 0}) d.push_back(p);
    return d;
}

// The drawing records of a picture, all written by the library.
Bytes richMetafile() {
    LibraryWriter w(2.0f);
    uint32_t pen = 0, brush = 0, font = 0, palette = 0;
    w.add(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    w.add(U_WMRSETWINDOWORG_set(pt(10, -20)));
    w.add(U_WMRSETWINDOWEXT_set(pt(1000, 800)));
    w.add(U_WMRSETVIEWPORTORG_set(pt(1, 2)));
    // The library stores SETVIEWPORTEXT with the function number of SETWINDOWEXT: y, x by hand.
    w.addRaw(rawRecord(0x020E, {240, 300}));
    w.add(U_WMRSETBKMODE_set(U_TRANSPARENT));
    w.add(U_WMRSETBKCOLOR_set(U_RGB(1, 2, 3)));
    w.add(U_WMRSETTEXTCOLOR_set(U_RGB(200, 100, 50)));
    w.add(U_WMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_CENTER));
    w.add(U_WMRSETPOLYFILLMODE_set(U_WINDING));
    w.add(wcreatepenindirect_set(&pen, w.handles(), U_PEN_set(U_PS_DASH, 3, U_RGB(255, 0, 0))));
    w.add(wcreatebrushindirect_set(&brush, w.handles(), U_WLOGBRUSH_set(U_BS_HATCHED, U_RGB(0, 128, 0), U_HS_CROSS)));
    U_FONT* f = U_FONT_set(-120, 0, 0, 0, 700, 1, 0, 1, 0, 0, 0, 0, 0, const_cast<char*>("Noto Sans"));
    w.add(wcreatefontindirect_set(&font, w.handles(), f));
    std::free(f);
    U_PLTNTRY entries[2] = {U_PLTNTRY_set(U_RGB(1, 1, 1)), U_PLTNTRY_set(U_RGB(2, 2, 2))};
    U_PALETTE* pal = U_PLTENTRY_set(0x0300, 2, entries);
    w.add(wcreatepalette_set(&palette, w.handles(), pal));
    std::free(pal);
    w.add(wselectobject_set(pen, w.handles()));
    w.add(wselectobject_set(font, w.handles()));
    w.add(U_WMRMOVETO_set(pt(5, 6)));
    w.add(U_WMRLINETO_set(pt(-7, 8)));
    const U_POINT16 line[3] = {pt(0, 0), pt(10, 0), pt(10, 10)};
    w.add(U_WMRPOLYLINE_set(3, line));
    const U_POINT16 quad[4] = {pt(1, 1), pt(2, 1), pt(2, 2), pt(1, 2)};
    w.add(U_WMRPOLYGON_set(4, quad));
    const uint16_t counts[2] = {3, 2};
    const U_POINT16 polys[5] = {pt(0, 0), pt(4, 0), pt(0, 4), pt(9, 9), pt(8, 8)};
    w.add(U_WMRPOLYPOLYGON_set(2, counts, polys));
    w.add(U_WMRRECTANGLE_set(box(1, 2, 30, 40)));
    w.add(U_WMRROUNDRECT_set(6, 4, box(0, 0, 50, 60)));
    w.add(U_WMRELLIPSE_set(box(-5, -6, 5, 6)));
    w.add(U_WMRARC_set(pt(1, 0), pt(0, 1), box(-1, -1, 1, 1)));
    w.add(U_WMRPIE_set(pt(2, 0), pt(0, 2), box(-2, -2, 2, 2)));
    w.add(U_WMRCHORD_set(pt(3, 0), pt(0, 3), box(-3, -3, 3, 3)));
    w.add(U_WMRTEXTOUT_set(pt(100, 200), const_cast<char*>("Hello")));
    // The library writes the clip rectangle of EXTTEXTOUT backwards (bottom, right, top, left);
    // the format stores left, top, right, bottom. y, x, length, options, rectangle, text, dx:
    w.addRaw(rawRecord(0x0A32, {9, 7, 3, U_ETO_CLIPPED, 0, 0, 90, 20, 'a' | ('b' << 8), 0xE9, 11, 12, 13}));
    w.add(U_WMREXTTEXTOUT_set(pt(1, 1), 2, 0, "xy", nullptr, box(0, 0, 0, 0)));
    const Bytes dib = packedDib();
    const auto* bmi = reinterpret_cast<const U_BITMAPINFO*>(dib.data());
    const char* px = reinterpret_cast<const char*>(dib.data() + 56);
    w.add(U_WMRSTRETCHDIB_set(pt(10, 20), pt(30, 40), pt(0, 0), pt(3, 2), U_DIB_RGB_COLORS, U_SRCCOPY, bmi, 8, px));
    w.add(U_WMRDIBSTRETCHBLT_set(pt(1, 2), pt(6, 4), pt(0, 0), pt(3, 2), U_SRCCOPY, bmi, 8, px));
    w.add(U_WMRDIBSTRETCHBLT_set(pt(1, 2), pt(6, 4), pt(0, 0), pt(3, 2), U_PATCOPY, nullptr, 0, nullptr));
    w.add(U_WMRDIBBITBLT_set(pt(4, 5), pt(3, 2), pt(0, 0), U_SRCCOPY, bmi, 8, px));
    w.add(U_WMRSAVEDC_set());
    w.add(U_WMRSETROP2_set(U_R2_COPYPEN));
    w.add(U_WMRRESTOREDC_set(-1));
    w.add(wdeleteobject_set(&pen, w.handles()));
    return w.finish();
}

template <typename T>
const T& as(const Metafile& mf, std::size_t i) {
    EXPECT_LT(i, mf.records.size());
    const T* r = std::get_if<T>(&mf.records.at(i));
    if (!r) ADD_FAILURE() << "record " << i << " is " << recordName(mf.records[i]);
    static const T empty{};
    return r ? *r : empty;
}

TEST(Metafile, ReadsTheDrawingRecordsTheLibraryWrites) {
    const Bytes file = richMetafile();
    Metafile mf;
    const ReadResult read = parseMetafile(file, mf);
    ASSERT_TRUE(read) << describe(read);
    EXPECT_TRUE(mf.placeable);
    EXPECT_EQ(mf.bounds, (Rect{0, 0, 2880, 2160}));
    EXPECT_EQ(mf.unitsPerInch, 1440);
    EXPECT_TRUE(mf.checksumOk);
    EXPECT_EQ(mf.version, 0x0300);

    const std::vector<std::string> names = {
        "SETMAPMODE", "SETWINDOWORG", "SETWINDOWEXT", "SETVIEWPORTORG", "SETVIEWPORTEXT", "SETBKMODE",
        "SETBKCOLOR", "SETTEXTCOLOR", "SETTEXTALIGN", "SETPOLYFILLMODE", "CREATEPENINDIRECT",
        "CREATEBRUSHINDIRECT", "CREATEFONTINDIRECT", "CREATEPALETTE", "SELECTOBJECT", "SELECTOBJECT", "MOVETO",
        "LINETO", "POLYLINE", "POLYGON", "POLYPOLYGON", "RECTANGLE", "ROUNDRECT", "ELLIPSE", "ARC", "PIE",
        "CHORD", "TEXTOUT", "EXTTEXTOUT", "EXTTEXTOUT", "STRETCHDIB", "DIBSTRETCHBLT", "DIBSTRETCHBLT",
        "DIBBITBLT", "SAVEDC", "SETROP2", "RESTOREDC", "DELETEOBJECT"};
    ASSERT_EQ(mf.records.size(), names.size());
    // Names and function numbers agree with the file, record by record.
    std::size_t offset = 22 + 18;
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(recordName(mf.records[i]), names[i]) << i;
        EXPECT_EQ(recordFunction(mf.records[i]), le16(file.data() + offset + 4)) << i;
        offset += 2 * le32(file.data() + offset);
    }

    EXPECT_EQ(as<MetaSetMapMode>(mf, 0).mode, 8);
    EXPECT_EQ(as<MetaSetWindowOrg>(mf, 1).origin, (Point{10, -20}));
    EXPECT_EQ(as<MetaSetWindowExt>(mf, 2).extent, (Point{1000, 800}));
    EXPECT_EQ(as<MetaSetViewportOrg>(mf, 3).origin, (Point{1, 2}));
    EXPECT_EQ(as<MetaSetViewportExt>(mf, 4).extent, (Point{300, 240}));
    EXPECT_EQ(as<MetaSetBkMode>(mf, 5).mode, 1);
    EXPECT_EQ(as<MetaSetBkColor>(mf, 6).colour, (Colour{1, 2, 3}));
    EXPECT_EQ(as<MetaSetTextColor>(mf, 7).colour, (Colour{200, 100, 50}));
    EXPECT_EQ(as<MetaSetTextAlign>(mf, 8).flags, U_TA_BASELINE | U_TA_CENTER);
    EXPECT_EQ(as<MetaSetPolyFillMode>(mf, 9).mode, 2);
    const auto& pen = as<MetaCreatePenIndirect>(mf, 10);
    EXPECT_EQ(pen.style, U_PS_DASH);
    EXPECT_EQ(pen.width, 3);
    EXPECT_EQ(pen.colour, (Colour{255, 0, 0}));
    const auto& brush = as<MetaCreateBrushIndirect>(mf, 11);
    EXPECT_EQ(brush.style, U_BS_HATCHED);
    EXPECT_EQ(brush.colour, (Colour{0, 128, 0}));
    EXPECT_EQ(brush.hatch, U_HS_CROSS);
    const auto& font = as<MetaCreateFontIndirect>(mf, 12);
    EXPECT_EQ(font.height, -120);
    EXPECT_EQ(font.weight, 700);
    EXPECT_TRUE(font.italic);
    EXPECT_FALSE(font.underline);
    EXPECT_TRUE(font.strikeOut);
    EXPECT_EQ(font.face, "Noto Sans");
    const auto& palette = as<MetaUnknown>(mf, 13);
    EXPECT_TRUE(palette.createsObject);
    EXPECT_EQ(palette.function, 0x00F7);
    EXPECT_EQ(as<MetaSelectObject>(mf, 14).index, 0);
    EXPECT_EQ(as<MetaSelectObject>(mf, 15).index, 2);
    EXPECT_EQ(as<MetaMoveTo>(mf, 16).to, (Point{5, 6}));
    EXPECT_EQ(as<MetaLineTo>(mf, 17).to, (Point{-7, 8}));
    EXPECT_EQ(as<MetaPolyline>(mf, 18).points, (std::vector<Point>{{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_EQ(as<MetaPolygon>(mf, 19).points, (std::vector<Point>{{1, 1}, {2, 1}, {2, 2}, {1, 2}}));
    EXPECT_EQ(as<MetaPolyPolygon>(mf, 20).polygons,
              (std::vector<std::vector<Point>>{{{0, 0}, {4, 0}, {0, 4}}, {{9, 9}, {8, 8}}}));
    EXPECT_EQ(as<MetaRectangle>(mf, 21).box, (Rect{1, 2, 30, 40}));
    const auto& round = as<MetaRoundRect>(mf, 22);
    EXPECT_EQ(round.box, (Rect{0, 0, 50, 60}));
    EXPECT_EQ(round.cornerWidth, 6);
    EXPECT_EQ(round.cornerHeight, 4);
    EXPECT_EQ(as<MetaEllipse>(mf, 23).box, (Rect{-5, -6, 5, 6}));
    const auto& arc = as<MetaArc>(mf, 24);
    EXPECT_EQ(arc.box, (Rect{-1, -1, 1, 1}));
    EXPECT_EQ(arc.start, (Point{1, 0}));
    EXPECT_EQ(arc.end, (Point{0, 1}));
    EXPECT_EQ(as<MetaPie>(mf, 25).start, (Point{2, 0}));
    EXPECT_EQ(as<MetaChord>(mf, 26).end, (Point{0, 3}));
    const auto& text = as<MetaTextOut>(mf, 27);
    EXPECT_EQ(text.at, (Point{100, 200}));
    EXPECT_EQ(text.text, "Hello");
    const auto& ext = as<MetaExtTextOut>(mf, 28);
    EXPECT_EQ(ext.at, (Point{7, 9}));
    EXPECT_EQ(ext.text, "ab\xE9");
    ASSERT_TRUE(ext.clip.has_value());
    EXPECT_EQ(*ext.clip, (Rect{0, 0, 90, 20}));
    EXPECT_EQ(ext.dx, (std::vector<int>{11, 12, 13}));
    const auto& plainExt = as<MetaExtTextOut>(mf, 29);
    EXPECT_EQ(plainExt.text, "xy");
    EXPECT_FALSE(plainExt.clip.has_value());

    const auto& stretch = as<MetaStretchDIB>(mf, 30);
    EXPECT_EQ(stretch.dst, (Point{10, 20}));
    EXPECT_EQ(stretch.dstSize, (Point{30, 40}));
    EXPECT_EQ(stretch.srcSize, (Point{3, 2}));
    EXPECT_EQ(stretch.rop, static_cast<std::uint32_t>(U_SRCCOPY));
    EXPECT_EQ(stretch.dib, packedDib());
    CDIB dib;
    ASSERT_TRUE(dib.readPacked(stretch.dib.data(), stretch.dib.size()));
    const RgbImage img = dib.toRgb();
    // Bottom row first in the file: the top row is entries 3, 2, 1 (blue, green, red).
    EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFF000000u,
                                                      0xFFFF0000u, 0xFF00FF00u}));
    EXPECT_EQ(as<MetaDibStretchBlt>(mf, 31).dib, packedDib());
    EXPECT_EQ(as<MetaDibStretchBlt>(mf, 31).dstSize, (Point{6, 4}));
    EXPECT_TRUE(as<MetaDibStretchBlt>(mf, 32).dib.empty());
    EXPECT_EQ(as<MetaDibStretchBlt>(mf, 32).rop, static_cast<std::uint32_t>(U_PATCOPY));
    EXPECT_EQ(as<MetaDibBitBlt>(mf, 33).srcSize, (Point{3, 2}));
    EXPECT_EQ(as<MetaDibBitBlt>(mf, 33).dib, packedDib());
    const auto& rop = as<MetaUnknown>(mf, 35);
    EXPECT_EQ(rop.function, 0x0104);
    EXPECT_FALSE(rop.createsObject);
    EXPECT_EQ(rop.params, (Bytes{U_R2_COPYPEN, 0, 0, 0})); // mode and a reserved word
    EXPECT_EQ(as<MetaRestoreDC>(mf, 36).saved, -1);
    EXPECT_EQ(as<MetaDeleteObject>(mf, 37).index, 0);
}

// A plain metafile assembled word by word: header, records, and the end record unless told.
Bytes rawMetafile(const std::vector<Bytes>& records, bool withEnd = true) {
    Bytes body;
    for (const Bytes& r : records) body.insert(body.end(), r.begin(), r.end());
    if (withEnd) {
        const Bytes end = rawRecord(0, {});
        body.insert(body.end(), end.begin(), end.end());
    }
    Bytes f;
    addLe16(f, 1);
    addLe16(f, 9);
    addLe16(f, 0x0300);
    addLe32(f, static_cast<std::uint32_t>((18 + body.size()) / 2));
    addLe16(f, 0);
    addLe32(f, 0);
    addLe16(f, 0);
    f.insert(f.end(), body.begin(), body.end());
    return f;
}

TEST(Metafile, ReadsAPlainMetafileAndKeepsUnknownRecords) {
    const Bytes file = rawMetafile({rawRecord(0x041B, {40, 30, 20, 10}), rawRecord(0x0107, {3}),
                                    rawRecord(0x061C, {4, 6, 40, 30, 20, 10}),
                                    rawRecord(0x06FF, {0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                                    rawRecord(0x05FA, {1, 2, 3, 4, 5}), rawRecord(0x0325, {0})});
    Metafile mf;
    ReadResult read = parseMetafile(file, mf);
    ASSERT_TRUE(read) << describe(read);
    EXPECT_FALSE(mf.placeable);
    EXPECT_EQ(mf.unitsPerInch, 0);
    ASSERT_EQ(mf.records.size(), 6u);
    EXPECT_EQ(as<MetaRectangle>(mf, 0).box, (Rect{10, 20, 30, 40}));
    EXPECT_EQ(recordName(mf.records[1]), "SETSTRETCHBLTMODE");
    EXPECT_FALSE(as<MetaUnknown>(mf, 1).createsObject);
    // Corner height first, then width, then the box bottom, right, top, left.
    const auto& round = as<MetaRoundRect>(mf, 2);
    EXPECT_EQ(round.cornerWidth, 6);
    EXPECT_EQ(round.cornerHeight, 4);
    EXPECT_EQ(round.box, (Rect{10, 20, 30, 40}));
    EXPECT_TRUE(as<MetaUnknown>(mf, 3).createsObject); // a region takes an object slot
    // A function whose high byte does not belong to its low byte is not taken for a pen.
    EXPECT_EQ(as<MetaUnknown>(mf, 4).function, 0x05FA);
    EXPECT_EQ(recordName(mf.records[4]), "UNKNOWN");
    EXPECT_TRUE(as<MetaPolyline>(mf, 5).points.empty());

    // A placeable header that says 0 units per inch is read as 1440.
    Bytes placeable = richMetafile();
    putLe16(placeable.data() + 14, 0);
    Metafile p;
    read = parseMetafile(placeable, p);
    ASSERT_TRUE(read) << describe(read);
    EXPECT_EQ(p.unitsPerInch, 1440);
    EXPECT_FALSE(p.checksumOk);
}

TEST(Metafile, LoadsAFileAndSaysWhenItIsMissing) {
    test::TempDir dir;
    test::writeFile(dir.path() / "W1.WMF", rawMetafile({rawRecord(0x041B, {40, 30, 20, 10})}));
    test::writeFile(dir.path() / "CUT.WMF", rawMetafile({rawRecord(0x041B, {40, 30, 20, 10})}, false));
    Metafile mf;
    ASSERT_TRUE(loadMetafile(dir.path() / "W1.WMF", mf));
    ASSERT_EQ(mf.records.size(), 1u);
    EXPECT_TRUE(test::refusedAs(loadMetafile(dir.path() / "none.wmf", mf), ReadStatus::Missing));
    EXPECT_TRUE(test::refusedAs(loadMetafile(dir.path() / "CUT.WMF", mf), ReadStatus::Truncated));
    EXPECT_EQ(mf.records.size(), 1u); // still the picture loaded first
}

TEST(Metafile, RefusesMalformedFilesWithAReason) {
    const Bytes rich = richMetafile();
    Bytes runsPast = rich;
    putLe32(runsPast.data() + 40, 0x7FFFFFFFu); // the first record's size
    Bytes wraps = rich;
    putLe32(wraps.data() + 40, 0x80000004u); // twice this wraps to 8 bytes in 32-bit arithmetic
    Bytes badVersion = rawMetafile({});
    putLe16(badVersion.data() + 4, 0x0200);
    Bytes badHeader = rawMetafile({});
    putLe16(badHeader.data() + 2, 12);

    constexpr ReadStatus T = ReadStatus::Truncated;
    constexpr ReadStatus C = ReadStatus::Corrupt;
    const struct {
        const char* what;
        Bytes file;
        ReadStatus status = C; // a record whose contents do not fit or contradict it
    } cases[] = {
        {"empty", Bytes{}, T},
        {"placeable header cut", Bytes(rich.begin(), rich.begin() + 12), T},
        {"metafile header cut", Bytes(rich.begin(), rich.begin() + 30), T},
        {"no end record", rawMetafile({rawRecord(0x041B, {1, 2, 3, 4})}, false), T},
        {"record past the end", runsPast, T},
        {"record size wrapping in 32 bits", wraps, T},
        {"record of zero words", rawMetafile({rawRecord(0x041B, {1, 2, 3, 4}), Bytes{0, 0, 0, 0, 0x1B, 0x04}})},
        {"unknown version", badVersion, ReadStatus::Unsupported},
        {"header of 12 words", badHeader},
        {"polygon of 65535 points", rawMetafile({rawRecord(0x0324, {0xFFFF, 1, 2, 3, 4})})},
        {"polyline count past its points", rawMetafile({rawRecord(0x0325, {3, 1, 2, 3, 4})})},
        {"poly-polygon counts past the record", rawMetafile({rawRecord(0x0538, {2, 1, 0xFFFF, 0, 0, 0, 0})})},
        {"poly-polygon with more counts than room", rawMetafile({rawRecord(0x0538, {500, 1})})},
        {"text longer than its record", rawMetafile({rawRecord(0x0521, {40, 0x4141, 1, 2})})},
        {"negative text length", rawMetafile({rawRecord(0x0521, {0xFFFE, 0x4141, 1, 2})})},
        {"text without its position", rawMetafile({rawRecord(0x0521, {2, 0x4141})})},
        {"ext-text longer than its record", rawMetafile({rawRecord(0x0A32, {1, 2, 30, 0, 0x4141})})},
        {"ext-text clip rectangle missing", rawMetafile({rawRecord(0x0A32, {1, 2, 0, 4})})},
        {"window origin without its point", rawMetafile({rawRecord(0x020B, {})})},
        {"line-to with one coordinate", rawMetafile({rawRecord(0x0213, {5})})},
        {"font without a face", rawMetafile({rawRecord(0x02FB, {1, 2, 3})})},
        {"pen too short", rawMetafile({rawRecord(0x02FA, {0, 1})})},
        {"stretch-DIB too short", rawMetafile({rawRecord(0x0F43, {0, 0, 0, 0})})},
    };
    Metafile good;
    ASSERT_TRUE(parseMetafile(rawMetafile({rawRecord(0x041B, {40, 30, 20, 10})}), good));
    for (const auto& c : cases) {
        Metafile mf = good;
        EXPECT_TRUE(test::refusedAs(parseMetafile(c.file, mf), c.status)) << c.what;
        // A refused file leaves the picture read before.
        EXPECT_EQ(mf.version, 0x0300) << c.what;
        ASSERT_EQ(mf.records.size(), 1u) << c.what;
        EXPECT_EQ(as<MetaRectangle>(mf, 0).box, (Rect{10, 20, 30, 40})) << c.what;
    }
}

TEST(Metafile, EveryPrefixIsRefusedAndNoCorruptedByteCrashes) {
    const Bytes file = richMetafile();
    for (std::size_t n = 0; n < file.size(); ++n) {
        const Bytes prefix(file.begin(), file.begin() + static_cast<long>(n));
        Metafile mf;
        EXPECT_TRUE(test::refusedAs(parseMetafile(prefix, mf), ReadStatus::Truncated)) << n;
    }
    // One byte at a time set to 0xFF, then to 0x00: parsed or refused, never read out of bounds
    // (the sanitizer build checks the reads).
    for (std::size_t i = 0; i < file.size(); ++i) {
        for (std::uint8_t value : {0xFF, 0x00}) {
            Bytes broken = file;
            broken[i] = value;
            Metafile mf;
            const ReadResult r = parseMetafile(broken, mf);
            if (!r) {
                EXPECT_FALSE(r.detail.empty()) << i;
            }
        }
    }
}

} // namespace
} // namespace lumora
