#include "course/dib.h"

#include <gtest/gtest.h>

#include <sstream>

#include "foundation/text_util.h"
#include "media_test_support.h"
#include "test_support.h"

namespace lumora {
namespace {

using test::addLe16;
using test::addLe32;

// A bitmap file made field by field. Colour entry i is (blue, green, red) = (i * 3, i * 5, i * 7).
struct BmpFile {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 8;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    int tableEntries = 0; // entries written to the file
    Bytes pixels;

    Bytes build() const {
        const std::uint32_t entrySize = headerSize == 12 ? 3 : 4;
        const std::uint32_t pixelOffset = 14 + headerSize + static_cast<std::uint32_t>(tableEntries) * entrySize;
        Bytes f;
        addLe16(f, 19778);
        addLe32(f, pixelOffset + static_cast<std::uint32_t>(pixels.size()));
        addLe32(f, 0);
        addLe32(f, pixelOffset);
        addLe32(f, headerSize);
        if (headerSize == 12) {
            addLe16(f, static_cast<std::uint16_t>(width));
            addLe16(f, static_cast<std::uint16_t>(height));
            addLe16(f, 1);
            addLe16(f, bits);
        } else {
            addLe32(f, static_cast<std::uint32_t>(width));
            addLe32(f, static_cast<std::uint32_t>(height));
            addLe16(f, 1);
            addLe16(f, bits);
            addLe32(f, compression);
            addLe32(f, static_cast<std::uint32_t>(pixels.size()));
            addLe32(f, 2835);
            addLe32(f, 2835);
            addLe32(f, coloursUsed);
            addLe32(f, 0);
            f.resize(14 + headerSize, 0); // longer headers: the rest zero
        }
        for (int i = 0; i < tableEntries; ++i) {
            f.push_back(static_cast<std::uint8_t>(i * 3));
            f.push_back(static_cast<std::uint8_t>(i * 5));
            f.push_back(static_cast<std::uint8_t>(i * 7));
            if (entrySize == 4) f.push_back(0);
        }
        f.insert(f.end(), pixels.begin(), pixels.end());
        return f;
    }
};

std::uint32_t entryColour(int i) {
    return 0xFF000000u | (std::uint32_t(static_cast<std::uint8_t>(i * 7)) << 16) |
           (std::uint32_t(static_cast<std::uint8_t>(i * 5)) << 8) | static_cast<std::uint8_t>(i * 3);
}

// An 8-bit 5 x 3 picture: pixel (x, row from the bottom) = row * 10 + x; rows padded to 8 bytes.
BmpFile eightBit() {
    BmpFile s;
    s.width = 5;
    s.height = 3;
    s.tableEntries = 256;
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 8; ++x) s.pixels.push_back(x < 5 ? static_cast<std::uint8_t>(row * 10 + x) : 0xEE);
    }
    return s;
}

CDIB previousPicture() {
    CDIB d;
    EXPECT_TRUE(d.Create(7, 3));
    return d;
}

void expectSame(const CDIB& a, const CDIB& b) {
    EXPECT_EQ(a.header(), b.header());
    EXPECT_EQ(a.bits(), b.bits());
    EXPECT_EQ(a.colourCount(), b.colourCount());
}

TEST(CDIB, CreateMakesAZeroedEightBitPictureOverAGreyRamp) {
    CDIB fresh;
    EXPECT_EQ(fresh.width(), 16);
    EXPECT_EQ(fresh.height(), 16);

    CDIB d;
    ASSERT_TRUE(d.Create(320, 240));
    EXPECT_EQ(d.header().size(), CDIB::kHeaderBufferSize);
    EXPECT_EQ(le32(d.header().data()), 40u);
    EXPECT_EQ(d.width(), 320);
    EXPECT_EQ(d.height(), 240);
    EXPECT_EQ(le16(d.header().data() + 12), 1);
    EXPECT_EQ(d.bitCount(), 8);
    for (std::size_t off = 16; off < 40; ++off) EXPECT_EQ(d.header()[off], 0) << off;
    for (int i : {0, 1, 128, 255}) EXPECT_EQ(d.colour(i), 0xFF000000u | (i << 16) | (i << 8) | i);
    EXPECT_EQ(d.dataSize(), 320u * 240u);

    const RgbImage img = d.toRgb();
    EXPECT_EQ(img.width, 320);
    EXPECT_EQ(img.height, 240);
    ASSERT_EQ(img.pixels.size(), 320u * 240u);
    for (std::uint32_t p : img.pixels) ASSERT_EQ(p, 0xFF000000u);

    ASSERT_TRUE(d.Create(13, 2)); // rows padded to 16 bytes
    EXPECT_EQ(d.dataSize(), 32u);

    const std::pair<int, int> refused[] = {{0, 5}, {5, 0}, {-3, 4}, {100000, 100000}};
    for (auto [w, h] : refused) {
        CDIB e = previousPicture();
        const CDIB before = e;
        EXPECT_FALSE(e.Create(w, h)) << w << "x" << h;
        expectSame(e, before);
    }
}

TEST(CDIB, ReadsTheColourTableTheHeaderAnnounces) {
    // colours used 16: a 64-byte table, the pixels right after it.
    BmpFile used16 = eightBit();
    used16.coloursUsed = 16;
    used16.tableEntries = 16;
    // 12-byte core header, 8 bits: 256 entries of 3 bytes.
    BmpFile core8 = eightBit();
    core8.headerSize = 12;
    // 24 bits: no table.
    BmpFile rgb24;
    rgb24.width = 2;
    rgb24.height = 1;
    rgb24.bits = 24;
    rgb24.pixels = {1, 2, 3, 4, 5, 6, 0, 0};
    BmpFile mono;
    mono.width = 3;
    mono.height = 1;
    mono.bits = 1;
    mono.tableEntries = 2;
    mono.pixels = {0xA0, 0, 0, 0};
    BmpFile nibble = mono;
    nibble.bits = 4;
    nibble.tableEntries = 16;

    const struct {
        const char* what;
        BmpFile file;
        int colours;
        int headerSize;
    } cases[] = {{"8-bit, colours used 16", used16, 16, 40}, {"core header, 8-bit", core8, 256, 12},
                 {"24-bit", rgb24, 0, 40},                  {"1-bit", mono, 2, 40},
                 {"4-bit", nibble, 16, 40}};
    for (const auto& c : cases) {
        CDIB d;
        const ReadResult read = d.Read(c.file.build(), 0);
        ASSERT_TRUE(read) << c.what << ": " << describe(read);
        EXPECT_EQ(d.colourCount(), c.colours) << c.what;
        EXPECT_EQ(d.headerSize(), c.headerSize) << c.what;
        EXPECT_EQ(le32(d.header().data()), 40u) << c.what;
        EXPECT_EQ(d.width(), c.file.width) << c.what;
        EXPECT_EQ(d.height(), c.file.height) << c.what;
        EXPECT_EQ(d.bitCount(), c.file.bits) << c.what;
        EXPECT_EQ(d.bits(), c.file.pixels) << c.what;
        for (int i = 0; i < c.colours; ++i) ASSERT_EQ(d.colour(i), entryColour(i)) << c.what << " " << i;
        // Past the table the colour slots stay empty (the pixel bytes that follow a short table
        // are not taken for colours).
        if (c.colours < 256) {
            EXPECT_EQ(d.colour(c.colours), 0xFF000000u) << c.what;
        }
    }
}

TEST(CDIB, ConvertsEveryDepthToRgbTopRowFirst) {
    // 8-bit, bottom-up: the image's top row is the file's last row.
    CDIB d;
    ASSERT_TRUE(d.Read(eightBit().build()));
    RgbImage img = d.toRgb();
    ASSERT_EQ(img.width, 5);
    ASSERT_EQ(img.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(img.pixels[y * 5 + x], entryColour((2 - y) * 10 + x)) << x << "," << y;

    // The same rows with a negative height are read top row first.
    BmpFile topDown = eightBit();
    topDown.height = -3;
    ASSERT_TRUE(d.Read(topDown.build()));
    img = d.toRgb();
    ASSERT_EQ(img.height, 3);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(img.pixels[y * 5], entryColour(y * 10)) << y;

    // 1-bit: bits from the most significant; 4-bit: high nibble first; 24-bit: blue, green, red.
    BmpFile mono;
    mono.width = 10;
    mono.height = 1;
    mono.bits = 1;
    mono.tableEntries = 2;
    mono.pixels = {0xA5, 0x80, 0, 0};
    ASSERT_TRUE(d.Read(mono.build()));
    img = d.toRgb();
    const int monoBits[] = {1, 0, 1, 0, 0, 1, 0, 1, 1, 0};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(img.pixels[x], entryColour(monoBits[x])) << x;

    BmpFile nibble;
    nibble.width = 3;
    nibble.height = 1;
    nibble.bits = 4;
    nibble.tableEntries = 16;
    nibble.pixels = {0x3C, 0x70, 0, 0};
    ASSERT_TRUE(d.Read(nibble.build()));
    img = d.toRgb();
    EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{entryColour(3), entryColour(12), entryColour(7)}));

    BmpFile rgb;
    rgb.width = 2;
    rgb.height = 2;
    rgb.bits = 24;
    rgb.pixels = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0};
    ASSERT_TRUE(d.Read(rgb.build()));
    img = d.toRgb();
    EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{0xFF302010u, 0xFF605040u, 0xFF030201u, 0xFF060504u}));

    d.Free();
    EXPECT_TRUE(d.isEmpty());
    EXPECT_EQ(d.width(), 0);
    EXPECT_TRUE(d.toRgb().pixels.empty());
}

TEST(CDIB, RefusesLyingAndUndrawableFilesAndKeepsThePicture) {
    const Bytes good = eightBit().build();
    auto patched = [&](std::size_t offset, std::uint32_t value, int width = 4) {
        Bytes b = good;
        if (width == 4) putLe32(b.data() + offset, value);
        else putLe16(b.data() + offset, static_cast<std::uint16_t>(value));
        return b;
    };
    const auto size = static_cast<std::uint32_t>(good.size());

    BmpFile huge; // claims 65536 x 65536 pixels (4 GB) with a file size field to match
    huge.width = 65536;
    huge.height = 65536;
    huge.tableEntries = 256;
    huge.pixels = Bytes(64, 1);
    Bytes hugeFile = huge.build();
    putLe32(hugeFile.data() + 2, 0xFFFFFFFFu);

    BmpFile tall = eightBit(); // the file size is honest, the rows are not all there
    tall.height = 300;

    BmpFile tooManyColours = eightBit();
    tooManyColours.coloursUsed = 257;

    BmpFile v4 = eightBit();
    v4.headerSize = 108;

    BmpFile bitFields = eightBit();
    bitFields.compression = 3;

    BmpFile rle4On8 = eightBit(); // run-length compression for 4-bit pictures on an 8-bit one
    rle4On8.compression = 2;

    constexpr ReadStatus T = ReadStatus::Truncated;
    constexpr ReadStatus U = ReadStatus::Unsupported;
    constexpr ReadStatus C = ReadStatus::Corrupt;
    const struct {
        const char* what;
        Bytes file;
        ReadStatus status;
    } cases[] = {
        {"file size field beyond the file", patched(2, size + 1), T},
        {"file size field of 4 GB", patched(2, 0xFFFFFFFFu), T},
        {"file size field below the pixel offset", patched(2, 100), C},
        {"pixel offset beyond the file", patched(10, size + 10), C},
        {"pixel offset into the headers", patched(10, 20), C},
        {"4 GB of pixels", hugeFile, U},
        {"rows missing", tall.build(), T},
        {"colours used 257", tooManyColours.build(), C},
        {"108-byte header", v4.build(), U},
        {"header size 0", patched(14, 0), C},
        {"bit-field compression", bitFields.build(), U},
        {"4-bit run-length compression on 8 bits", rle4On8.build(), C},
        {"16 bits per pixel", patched(28, 16, 2), U},
        {"32 bits per pixel", patched(28, 32, 2), U},
        {"2 bits per pixel", patched(28, 2, 2), C},
        {"width 0", patched(18, 0), C},
        {"negative width", patched(18, 0xFFFFFFFBu), C},
        {"height 0", patched(22, 0), C},
        {"not BM", patched(0, 0x4142, 2), C},
        {"colour table beyond the file", Bytes(good.begin(), good.begin() + 54 + 100), T},
        {"file header only", Bytes(good.begin(), good.begin() + 14), T},
        {"empty", Bytes{}, T},
    };
    for (const auto& c : cases) {
        CDIB d = previousPicture();
        const CDIB before = d;
        EXPECT_TRUE(test::refusedAs(d.Read(c.file, 0), c.status)) << c.what;
        expectSame(d, before);
    }
}

TEST(CDIB, EveryPrefixOfAFileIsRefusedAndTheWholeFileRead) {
    BmpFile core = eightBit();
    core.headerSize = 12;
    for (const Bytes& file : {eightBit().build(), core.build()}) {
        for (std::size_t n = 0; n < file.size(); ++n) {
            CDIB d;
            EXPECT_TRUE(test::refusedAs(d.Read(file.data(), n), ReadStatus::Truncated)) << n;
            EXPECT_EQ(d.width(), 16) << n;
        }
        CDIB d;
        EXPECT_TRUE(d.Read(file.data(), file.size()));
    }
}

TEST(CDIB, ReadsFromTheStreamPositionAndPackedInMemory) {
    const Bytes bmp = eightBit().build();
    Bytes withPrefix = {'j', 'u', 'n', 'k', '!'};
    withPrefix.insert(withPrefix.end(), bmp.begin(), bmp.end());
    withPrefix.push_back('Z');

    std::istringstream in(std::string(withPrefix.begin(), withPrefix.end()));
    in.seekg(5);
    CDIB d;
    ASSERT_TRUE(d.Read(in));
    EXPECT_EQ(d.width(), 5);
    EXPECT_EQ(in.get(), 'Z'); // the stream stands after the pixel data

    CDIB fromBytes;
    ASSERT_TRUE(fromBytes.Read(withPrefix, 5));
    EXPECT_EQ(fromBytes.bits(), d.bits());
    EXPECT_FALSE(fromBytes.Read(withPrefix, withPrefix.size() + 1));

    // A packed bitmap, as metafile records embed it: no file header.
    const Bytes packed(bmp.begin() + 14, bmp.end());
    CDIB p;
    ASSERT_TRUE(p.readPacked(packed.data(), packed.size()));
    EXPECT_EQ(p.toRgb().pixels, d.toRgb().pixels);
    EXPECT_FALSE(p.readPacked(packed.data(), packed.size() - 1)); // last row short
}

// Run-length pictures, bottom row first. RLE8, 6 x 4: an encoded run and an absolute run of three
// with its pad byte, end of line; a delta over row 1 to column 2 of row 2, a run, end of line; an
// absolute run of four (no pad), a run, end of bitmap.
const Bytes kRle8 = {3, 5, 0, 3, 7, 8, 9, 0, 0, 0,   //
                     0, 2, 2, 1, 2, 10, 0, 0,         //
                     0, 4, 1, 2, 3, 4, 2, 11, 0, 1};
const Bytes kRle8Rows = {5, 5, 5, 7, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  //
                         0, 0, 10, 10, 0, 0, 0, 0, 1, 2, 3, 4, 11, 11, 0, 0};
// RLE4, 7 x 3: an absolute run of five pixels (three bytes and a pad byte), a run of two alternating
// nibbles, end of line; a delta over row 1 to column 3 of row 2, a run of three, end of bitmap.
const Bytes kRle4 = {0, 5, 0x12, 0x34, 0x50, 0, 2, 0x67, 0, 0, 0, 2, 3, 1, 3, 0xAB, 0, 1};
const Bytes kRle4Rows = {0x12, 0x34, 0x56, 0x70, 0, 0, 0, 0, 0x00, 0x0A, 0xBA, 0x00};

BmpFile rlePicture(std::uint16_t bits, const Bytes& data) {
    BmpFile f;
    f.width = bits == 8 ? 6 : 7;
    f.height = bits == 8 ? 4 : 3;
    f.bits = bits;
    f.compression = bits == 8 ? 1 : 2;
    f.tableEntries = bits == 8 ? 256 : 16;
    f.pixels = data;
    return f;
}

TEST(CDIB, DecodesRunLengthPicturesIntoUncompressedRows) {
    struct Case {
        const char* what;
        std::uint16_t bits;
        Bytes data;
        Bytes rows;
    };
    Bytes rle8NoEnd(kRle8.begin(), kRle8.end() - 2);
    rle8NoEnd.insert(rle8NoEnd.end(), {0, 0}); // the last row ended by an end of line only
    const Case cases[] = {
        {"RLE8", 8, kRle8, kRle8Rows},
        {"RLE4", 4, kRle4, kRle4Rows},
        {"RLE8 without end of bitmap after the last end of line", 8, rle8NoEnd, kRle8Rows},
        {"RLE8 ending on the last pixel", 8, Bytes(kRle8.begin(), kRle8.end() - 2), kRle8Rows},
    };
    for (const Case& c : cases) {
        CDIB d;
        const ReadResult read = d.Read(rlePicture(c.bits, c.data).build());
        ASSERT_TRUE(read) << c.what << ": " << describe(read);
        EXPECT_EQ(d.bits(), c.rows) << c.what;
        EXPECT_EQ(d.bitCount(), c.bits) << c.what;
        // Kept as an uncompressed picture: compression 0 and the size of the rows.
        EXPECT_EQ(le32(d.header().data() + 16), 0u) << c.what;
        EXPECT_EQ(le32(d.header().data() + 20), c.rows.size()) << c.what;

        // The same picture stored uncompressed draws the same.
        BmpFile plain = rlePicture(c.bits, c.rows);
        plain.compression = 0;
        CDIB p;
        ASSERT_TRUE(p.Read(plain.build()));
        EXPECT_EQ(d.toRgb().pixels, p.toRgb().pixels) << c.what;
    }

    // Packed, as a metafile embeds it, and from a stream that then stands after the data.
    const Bytes file = rlePicture(8, kRle8).build();
    CDIB packed;
    ASSERT_TRUE(packed.readPacked(file.data() + 14, file.size() - 14));
    EXPECT_EQ(packed.bits(), kRle8Rows);
    std::istringstream in(std::string(file.begin(), file.end()) + "Z");
    CDIB streamed;
    ASSERT_TRUE(streamed.Read(in));
    EXPECT_EQ(in.get(), 'Z');
}

TEST(CDIB, RefusesRunsThatLeaveThePictureOrTheData) {
    constexpr ReadStatus T = ReadStatus::Truncated;
    constexpr ReadStatus C = ReadStatus::Corrupt;
    BmpFile topDown = rlePicture(8, kRle8);
    topDown.height = -4;
    BmpFile rle8On4 = rlePicture(4, kRle4);
    rle8On4.compression = 1;
    const struct {
        const char* what;
        BmpFile file;
        ReadStatus status;
    } cases[] = {
        {"run past the row", rlePicture(8, {7, 1, 0, 1}), C},
        {"second run past the row", rlePicture(8, {3, 1, 4, 1, 0, 1}), C},
        {"absolute run past the row", rlePicture(8, {2, 1, 0, 5, 1, 2, 3, 4, 5, 0, 0, 1}), C},
        {"delta past the row", rlePicture(8, {0, 2, 7, 0, 0, 1}), C},
        {"delta past the last row", rlePicture(8, {0, 2, 0, 4, 0, 1}), C},
        {"run after the last row", rlePicture(8, {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1}), C},
        {"end of line after the last row", rlePicture(8, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}), C},
        {"RLE4 run past the row", rlePicture(4, {8, 0x11, 0, 1}), C},
        {"RLE4 absolute run past the row", rlePicture(4, {2, 0x11, 0, 6, 1, 2, 3, 0, 1}), C},
        {"stored top row first", topDown, C},
        {"8-bit run-length compression on 4 bits", rle8On4, C},
        {"data ending inside the picture", rlePicture(8, {3, 5, 0, 0}), T},
        {"no data", rlePicture(8, {}), T},
        {"data ending inside a code", rlePicture(8, {3, 5, 0}), T},
        {"delta cut short", rlePicture(8, {0, 2, 1}), T},
        {"absolute run longer than the data", rlePicture(8, {0, 5, 1, 2}), T},
        {"absolute run without its pad byte", rlePicture(8, {0, 3, 1, 2, 3}), T},
        {"RLE4 absolute run longer than the data", rlePicture(4, {0, 5, 0x12}), T},
    };
    for (const auto& c : cases) {
        CDIB d = previousPicture();
        const CDIB before = d;
        EXPECT_TRUE(test::refusedAs(d.Read(c.file.build()), c.status)) << c.what;
        expectSame(d, before);
    }

    // Every prefix of a good file that cuts its data is refused as truncated.
    const Bytes file = rlePicture(8, kRle8).build();
    for (std::size_t n = file.size() - kRle8.size(); n < file.size() - 2; ++n) {
        Bytes cut(file.begin(), file.begin() + static_cast<long>(n));
        putLe32(cut.data() + 2, static_cast<std::uint32_t>(n)); // an honest file size
        CDIB d;
        EXPECT_TRUE(test::refusedAs(d.Read(cut), ReadStatus::Truncated)) << n;
    }
}

// ImageMagick writes run-length pictures of 8 bits per pixel; the same picture written uncompressed
// must read pixel for pixel the same.
TEST(CDIB, ReadsRunLengthFilesWrittenByImageMagick) {
    if (!test::haveTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    test::TempDir dir;
    const std::string picture = "convert -size 16x8 xc:red -fill blue -draw 'rectangle 2,2 9,5' -type palette ";
    const auto rle = dir.path() / "rle.bmp";
    const auto plain = dir.path() / "plain.bmp";
    ASSERT_TRUE(test::runQuietly(picture + "-compress RLE BMP3:" + test::quoted(rle)));
    ASSERT_TRUE(test::runQuietly(picture + "-compress none BMP3:" + test::quoted(plain)));
    const Bytes rleFile = test::readBytes(rle);
    ASSERT_GE(rleFile.size(), 54u);
    ASSERT_EQ(le32(rleFile.data() + 30), 1u) << "ImageMagick did not write RLE8";
    ASSERT_EQ(le16(rleFile.data() + 28), 8);

    CDIB r, p;
    const ReadResult readRle = r.Read(rleFile);
    ASSERT_TRUE(readRle) << describe(readRle);
    ASSERT_TRUE(p.Read(test::readBytes(plain)));
    const RgbImage a = r.toRgb();
    const RgbImage b = p.toRgb();
    ASSERT_EQ(a.width, 16);
    ASSERT_EQ(a.height, 8);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.pixels, b.pixels);
    // The rectangle is blue, the rest red.
    EXPECT_EQ(a.pixels[3 * 16 + 5], 0xFF0000FFu);
    EXPECT_EQ(a.pixels[0], 0xFFFF0000u);
}

// Files written by ImageMagick; the expected pixels are ImageMagick's own decoding of the same file.
TEST(CDIB, ReadsFilesWrittenByImageMagick) {
    if (!test::haveTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    test::TempDir dir;
    const auto rich = dir.path() / "rich.png";  // 207 colours: written with 8 bits
    const auto plain = dir.path() / "plain.png"; // 7 colours: written with 4 bits
    ASSERT_TRUE(test::runQuietly("convert -size 23x9 xc:black -channel R -fx i/w -channel G -fx j/h "
                                 "-channel B -fx '(i*j%7)/7' +channel " + test::quoted(rich)));
    ASSERT_TRUE(test::runQuietly("convert -size 13x7 gradient:red-blue " + test::quoted(plain)));
    struct Case {
        const char* name;
        const char* source;
        const char* options;
        int bits, headerSize;
    };
    const Case cases[] = {
        {"m1.bmp", "plain.png", "-monochrome -compress none BMP3:", 1, 40},
        {"p4.bmp", "plain.png", "-type palette -compress none BMP3:", 4, 40},
        {"p8.bmp", "rich.png", "-type palette -compress none BMP3:", 8, 40},
        {"t24.bmp", "rich.png", "-type truecolor -compress none BMP3:", 24, 40},
        {"c1.bmp", "plain.png", "-monochrome BMP2:", 1, 12},
        {"c8.bmp", "rich.png", "-type palette BMP2:", 8, 12},
        {"c24.bmp", "rich.png", "-type truecolor BMP2:", 24, 12},
    };
    for (const Case& c : cases) {
        const auto bmp = dir.path() / c.name;
        const auto rgb = dir.path() / (std::string(c.name) + ".rgb");
        // "BMP3:'path'": the shell joins the format prefix and the quoted path.
        ASSERT_TRUE(test::runQuietly("convert " + test::quoted(dir.path() / c.source) + " " + c.options +
                                     test::quoted(bmp)))
            << c.name;
        ASSERT_TRUE(test::runQuietly("convert " + test::quoted(bmp) + " -depth 8 rgb:" + test::quoted(rgb)))
            << c.name;
        CDIB d;
        std::ifstream in(bmp, std::ios::binary);
        const ReadResult read = d.Read(in);
        ASSERT_TRUE(read) << c.name << ": " << describe(read);
        EXPECT_EQ(d.bitCount(), c.bits) << c.name;
        EXPECT_EQ(d.headerSize(), c.headerSize) << c.name;
        const RgbImage img = d.toRgb();
        const Bytes ref = test::readBytes(rgb);
        ASSERT_EQ(ref.size(), img.pixels.size() * 3) << c.name;
        for (std::size_t i = 0; i < img.pixels.size(); ++i) {
            const std::uint32_t want = 0xFF000000u | (std::uint32_t(ref[3 * i]) << 16) |
                                       (std::uint32_t(ref[3 * i + 1]) << 8) | ref[3 * i + 2];
            ASSERT_EQ(img.pixels[i], want) << c.name << " pixel " << i;
        }
    }
}

} // namespace
} // namespace lumora
