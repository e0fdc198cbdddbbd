#include "content/dump_media.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "content/bmp_writer.h"
#include "content/json.h"
#include "content/json_reader.h"
#include "core/media_test_support.h"
#include "core/test_support.h"

namespace lumora::content {
namespace {

using test::addLe16;
using test::addLe32;
using test::addText;

struct Dump {
    int code = -1;
    std::string out, err;
};

template <typename F>
Dump run(F dump, const std::filesystem::path& file) {
    std::ostringstream out, err;
    Dump d;
    d.code = dump(file.string(), out, err);
    d.out = out.str();
    d.err = err.str();
    return d;
}

// The whole text is one JSON value.
bool isJson(const std::string& text) {
    JsonReader reader(text);
    return reader.skip() && reader.peek() == 0 && !reader.failed();
}

Bytes wave(std::uint16_t tag, std::uint16_t bits, const Bytes& data) {
    Bytes f;
    addText(f, "RIFF");
    addLe32(f, static_cast<std::uint32_t>(4 + 24 + 8 + data.size()));
    addText(f, "WAVEfmt ");
    addLe32(f, 16);
    addLe16(f, tag);
    addLe16(f, 1);
    addLe32(f, 11025);
    addLe32(f, 11025u * bits / 8);
    addLe16(f, static_cast<std::uint16_t>(bits / 8));
    addLe16(f, bits);
    addText(f, "data");
    addLe32(f, static_cast<std::uint32_t>(data.size()));
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

Bytes record(std::uint16_t function, const std::vector<int>& words) {
    Bytes r;
    addLe32(r, static_cast<std::uint32_t>(3 + words.size()));
    addLe16(r, function);
    for (int w : words) addLe16(r, static_cast<std::uint16_t>(w));
    return r;
}

TEST(Json, StringsAreEscapedAndAlwaysValid) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"plain", "\"plain\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line\nnext\ttab\r", "\"line\\nnext\\ttab\\r\""},
        {std::string("\x01\x1f", 2), "\"\\u0001\\u001f\""},
        {std::string("nul\0end", 7), "\"nul\\u0000end\""},
        {"caf\xC3\xA9 \xE4\xBD\xA0", "\"caf\xC3\xA9 \xE4\xBD\xA0\""},          // UTF-8 kept
        {"caf\xE9", "\"caf\\ufffd\""},                                        // a lone byte
        {"\xC0\x80", "\"\\ufffd\\ufffd\""},                                   // overlong
        {"\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},                        // surrogate
        {"\xE4\xBD", "\"\\ufffd\\ufffd\""},                                   // cut sequence
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jsonString(c.in), c.out) << c.in;
        EXPECT_TRUE(isJson(jsonString(c.in))) << c.in;
    }
}

TEST(DumpMedia, WaveFieldsAndTheFirstSixteenSamples) {
    test::TempDir dir;
    Bytes samples;
    for (int i = 0; i < 20; ++i) samples.push_back(static_cast<std::uint8_t>(0x80 + i));
    test::writeFile(dir.path() / "P1.WAV", wave(1, 8, samples));
    const Dump d = run(dumpWave, dir.path() / "P1.WAV");
    EXPECT_EQ(d.code, 0);
    EXPECT_EQ(d.out,
              "{\"format\":1,\"channels\":1,\"rate\":11025,\"bytesPerSecond\":11025,\"blockAlign\":1,\"bits\":8,"
              "\"dataSize\":20,\"samples\":20,\"head\":[0,256,512,768,1024,1280,1536,1792,2048,2304,2560,2816,"
              "3072,3328,3584,3840]}\n");
    EXPECT_TRUE(d.err.empty());

    test::writeFile(dir.path() / "short.wav", wave(1, 16, {0x01, 0x00, 0xFF, 0xFF}));
    const Dump s = run(dumpWave, dir.path() / "short.wav");
    EXPECT_NE(s.out.find("\"samples\":2,\"head\":[1,-1]}"), std::string::npos) << s.out;

    test::writeFile(dir.path() / "float.wav", wave(3, 32, Bytes(8, 0)));
    const Dump f = run(dumpWave, dir.path() / "float.wav");
    EXPECT_EQ(f.code, 1);
    EXPECT_TRUE(f.out.empty());
    EXPECT_EQ(f.err, (dir.path() / "float.wav").string() + ": unsupported: format tag 3 is not PCM\n");
    const Dump m = run(dumpWave, dir.path() / "missing.wav");
    EXPECT_EQ(m.code, 1);
    EXPECT_EQ(m.err.rfind((dir.path() / "missing.wav").string() + ": missing: ", 0), 0u) << m.err;
}

TEST(DumpMedia, BitmapFields) {
    test::TempDir dir;
    test::writeFile(dir.path() / "K.BMP", encodeBmp8(5, 3, std::vector<std::uint8_t>(15, 1), greyRampPalette()));
    const Dump d = run(dumpBitmap, dir.path() / "K.BMP");
    EXPECT_EQ(d.code, 0);
    EXPECT_EQ(d.out, "{\"width\":5,\"height\":3,\"bits\":8,\"colours\":256,\"headerSize\":40,\"dataSize\":24}\n");

    Bytes lying = encodeBmp8(5, 3, std::vector<std::uint8_t>(15, 1), greyRampPalette());
    lying[2] = 0xFF; // file size field beyond the file
    test::writeFile(dir.path() / "L.BMP", lying);
    const Dump l = run(dumpBitmap, dir.path() / "L.BMP");
    EXPECT_EQ(l.code, 1);
    EXPECT_TRUE(l.out.empty());
    EXPECT_EQ(l.err.find((dir.path() / "L.BMP").string() + ": truncated: "), 0u) << l.err;
    EXPECT_EQ(std::count(l.err.begin(), l.err.end(), '\n'), 1);
}

TEST(DumpMedia, MetafileRecordsAsJson) {
    Bytes body;
    for (const Bytes& r : {record(0x020C, {-600, 800}), record(0x02FA, {0, 2, 0, 0x00FF, 0x0080}),
                           record(0x0325, {2, 0, 0, 10, 20}), record(0x0521, {2, 'H' | (0xE9 << 8), 5, 6}),
                           record(0x0104, {13, 0}), record(0, {})})
        body.insert(body.end(), r.begin(), r.end());
    Bytes file;
    addLe16(file, 1);
    addLe16(file, 9);
    addLe16(file, 0x0300);
    addLe32(file, static_cast<std::uint32_t>((18 + body.size()) / 2));
    addLe16(file, 1);
    addLe32(file, 8);
    addLe16(file, 0);
    file.insert(file.end(), body.begin(), body.end());

    test::TempDir dir;
    test::writeFile(dir.path() / "W1.WMF", file);
    const Dump d = run(dumpMetafile, dir.path() / "W1.WMF");
    ASSERT_EQ(d.code, 0) << d.err;
    EXPECT_TRUE(isJson(d.out)) << d.out;
    EXPECT_EQ(d.out.rfind("{\"placeable\":false,\"version\":768,\"objects\":1,\"records\":[", 0), 0u) << d.out;
    for (const char* part :
         {"{\"type\":\"SETWINDOWEXT\",\"x\":800,\"y\":-600}",
          "{\"type\":\"CREATEPENINDIRECT\",\"style\":0,\"width\":2,\"colour\":\"#ff0080\"}",
          "{\"type\":\"POLYLINE\",\"points\":[[0,0],[10,20]]}",
          "{\"type\":\"TEXTOUT\",\"x\":6,\"y\":5,\"text\":\"H\xC3\xA9\"}",
          "{\"type\":\"UNKNOWN\",\"function\":260,\"name\":\"SETROP2\",\"createsObject\":false,\"size\":4}"})
        EXPECT_NE(d.out.find(part), std::string::npos) << part << "\n" << d.out;

    Bytes cut(file.begin(), file.end() - 6); // no end record
    test::writeFile(dir.path() / "cut.WMF", cut);
    const Dump c = run(dumpMetafile, dir.path() / "cut.WMF");
    EXPECT_EQ(c.code, 1);
    EXPECT_TRUE(c.out.empty());
    EXPECT_NE(c.err.find(": truncated: "), std::string::npos) << c.err;
    EXPECT_NE(c.err.find("end record"), std::string::npos) << c.err;
    EXPECT_NE(run(dumpMetafile, dir.path() / "none.WMF").err.find(": missing: "), std::string::npos);
}

} // namespace
} // namespace lumora::content
