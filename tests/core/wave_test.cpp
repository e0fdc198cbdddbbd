#include "course/wave.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "course/byte_source.h"
#include "course/riff.h"

#include "foundation/text_util.h"
#include "media_test_support.h"
#include "test_support.h"

namespace lumora {
namespace {

using test::addLe16;
using test::addLe32;
using test::addText;

Bytes chunk(const std::string& id, const Bytes& body, bool pad = true) {
    Bytes c;
    addText(c, id);
    addLe32(c, static_cast<std::uint32_t>(body.size()));
    c.insert(c.end(), body.begin(), body.end());
    if (pad && (body.size() & 1)) c.push_back(0);
    return c;
}

Bytes fmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    Bytes b;
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    addLe16(b, tag);
    addLe16(b, channels);
    addLe32(b, rate);
    addLe32(b, rate * align);
    addLe16(b, align);
    addLe16(b, bits);
    return b;
}

Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes body;
    addText(body, "WAVE");
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes file;
    addText(file, "RIFF");
    addLe32(file, static_cast<std::uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Bytes pcm8(const Bytes& samples) { return riff({chunk("fmt ", fmtBody(1, 1, 11025, 8)), chunk("data", samples)}); }

// A distinctive sound to check that a refused file leaves it in place.
CWave previousSound() {
    CWave w;
    EXPECT_TRUE(w.Load(riff({chunk("fmt ", fmtBody(1, 1, 22050, 16)), chunk("data", {1, 0, 2, 0, 3, 0})})));
    return w;
}

void expectSame(const CWave& a, const CWave& b) {
    EXPECT_EQ(a.formatTag(), b.formatTag());
    EXPECT_EQ(a.channels(), b.channels());
    EXPECT_EQ(a.samplesPerSecond(), b.samplesPerSecond());
    EXPECT_EQ(a.bitsPerSample(), b.bitsPerSample());
    EXPECT_EQ(a.data(), b.data());
}

TEST(CWave, NewSoundIsSixteenSilentSamplesAt11025Hz8BitMono) {
    CWave w;
    EXPECT_EQ(w.formatTag(), 1);
    EXPECT_EQ(w.channels(), 1);
    EXPECT_EQ(w.samplesPerSecond(), 11025u);
    EXPECT_EQ(w.avgBytesPerSecond(), 11025u);
    EXPECT_EQ(w.blockAlign(), 1);
    EXPECT_EQ(w.bitsPerSample(), 8);
    ASSERT_EQ(w.SampleCount(), 16);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(w.GetSample(i), 0) << i;
}

TEST(CWave, GetSampleScalesEightBitAndKeepsSixteenBit) {
    CWave w8;
    ASSERT_TRUE(w8.Load(pcm8({0x80, 0xFF, 0x00, 0x81, 0x7F})));
    const int expected8[] = {0, 32512, -32768, 256, -256};
    ASSERT_EQ(w8.SampleCount(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w8.GetSample(i), expected8[i]) << i;

    Bytes data16;
    const int values16[] = {0, 1, -1, 32767, -32768};
    for (int v : values16) addLe16(data16, static_cast<std::uint16_t>(v));
    CWave w16;
    ASSERT_TRUE(w16.Load(riff({chunk("fmt ", fmtBody(1, 1, 44100, 16)), chunk("data", data16)})));
    ASSERT_EQ(w16.SampleCount(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w16.GetSample(i), values16[i]) << i;

    for (int i : {-1, 5, 1000}) {
        EXPECT_EQ(w8.GetSample(i), 0);
        EXPECT_EQ(w16.GetSample(i), 0);
    }
}

TEST(CWave, SetSampleStoresOnTheFileScale) {
    struct Case {
        int value;
        std::uint8_t byte;
    };
    const Case cases[] = {{-32768, 0}, {32767, 255}, {0, 128}, {-1, 128}, {-256, 127}, {256, 129},
                          {100000, 255}, {-100000, 0}};
    for (const Case& c : cases) {
        CWave w;
        w.SetSample(3, c.value);
        EXPECT_EQ(w.data()[3], c.byte) << c.value;
    }

    CWave w16;
    ASSERT_TRUE(w16.Create(4, 11025, 16));
    for (int v : {-32768, -1, 0, 12345, 32767}) {
        w16.SetSample(2, v);
        EXPECT_EQ(w16.GetSample(2), v);
    }
    w16.SetSample(2, 40000);
    EXPECT_EQ(w16.GetSample(2), 32767);

    CWave w;
    const Bytes before = w.data();
    w.SetSample(-1, 5000);
    w.SetSample(16, 5000);
    EXPECT_EQ(w.data(), before);
}

TEST(CWave, CreateAcceptsOnlyTheThreeRatesAndTwoDepths) {
    struct Case {
        int count, rate, bits;
        bool accepted;
    };
    const Case cases[] = {{100, 16000, 8, false}, {100, 11025, 12, false}, {100, 8000, 16, false},
                          {-1, 11025, 8, false},  {100, 11025, 8, true},   {100, 22050, 16, true},
                          {0, 44100, 16, true}};
    for (const Case& c : cases) {
        CWave w = previousSound();
        const CWave before = w;
        EXPECT_EQ(w.Create(c.count, c.rate, c.bits), c.accepted) << c.count << " " << c.rate << " " << c.bits;
        if (!c.accepted) {
            expectSame(w, before);
            continue;
        }
        EXPECT_EQ(w.formatTag(), 1);
        EXPECT_EQ(w.channels(), 1);
        EXPECT_EQ(w.samplesPerSecond(), static_cast<std::uint32_t>(c.rate));
        EXPECT_EQ(w.blockAlign(), c.bits / 8);
        EXPECT_EQ(w.avgBytesPerSecond(), static_cast<std::uint32_t>(c.rate * c.bits / 8));
        EXPECT_EQ(w.dataSize(), static_cast<std::uint32_t>(c.count * c.bits / 8));
        EXPECT_EQ(w.SampleCount(), c.count);
        for (int i = 0; i < c.count; ++i) ASSERT_EQ(w.GetSample(i), 0);
    }
}

TEST(CWave, SkipsUnknownChunksHonouringThePadByte) {
    // An odd-sized chunk before the format chunk and another between format and data: without the
    // pad byte the walk would land one byte off and miss both chunks.
    const Bytes file = riff({chunk("LIST", {'a', 'b', 'c'}), chunk("fmt ", fmtBody(1, 1, 11025, 8)),
                             chunk("junk", {1, 2, 3, 4, 5}), chunk("data", {0x10, 0x20, 0x30})});
    CWave w;
    const ReadResult read = w.Load(file);
    ASSERT_TRUE(read) << describe(read);
    EXPECT_EQ(w.data(), (Bytes{0x10, 0x20, 0x30}));

    // A longer format chunk (18 bytes, as some writers store) is read for its first 16 bytes.
    Bytes fmt18 = fmtBody(1, 2, 22050, 16);
    addLe16(fmt18, 0);
    ASSERT_TRUE(w.Load(riff({chunk("fmt ", fmt18), chunk("data", {1, 0, 2, 0})})));
    EXPECT_EQ(w.channels(), 2);
    EXPECT_EQ(w.samplesPerSecond(), 22050u);
    EXPECT_EQ(w.GetSample(1), 2);
}

TEST(RiffWalker, VisitsEveryChunkAndStopsAtOneThatLeavesTheForm) {
    // Odd-sized chunks, each with its pad byte.
    Bytes file = riff({chunk("LIST", {'a', 'b', 'c'}), chunk("fmt ", fmtBody(1, 1, 11025, 8)), chunk("data", {9})});
    file.insert(file.end(), {'t', 'a', 'i', 'l'}); // bytes after the form are not walked
    MemorySource src(file.data(), file.size());
    RiffWalker walk(src);
    ASSERT_TRUE(walk.open("WAVE"));
    std::vector<std::tuple<std::string, std::uint64_t, std::uint32_t>> seen;
    while (!walk.atEnd()) {
        RiffChunk c;
        const ReadResult r = walk.next(c);
        ASSERT_TRUE(r) << describe(r);
        seen.emplace_back(c.name(), c.offset, c.size);
    }
    using Seen = std::tuple<std::string, std::uint64_t, std::uint32_t>;
    EXPECT_EQ(seen, (std::vector<Seen>{{"LIST", 20, 3}, {"fmt ", 32, 16}, {"data", 56, 1}}));
    EXPECT_EQ(walk.formEnd(), file.size() - 4);

    RiffChunk none;
    EXPECT_EQ(walk.next(none).status, ReadStatus::Truncated); // nothing left
    EXPECT_EQ(walk.find("data", none).status, ReadStatus::Corrupt);

    // A chunk that runs past the form (though not past the source) is refused.
    Bytes lying = file;
    putLe32(lying.data() + 16, 50); // the LIST chunk now ends beyond the form
    MemorySource lyingSrc(lying.data(), lying.size());
    RiffWalker lyingWalk(lyingSrc);
    ASSERT_TRUE(lyingWalk.open("WAVE"));
    RiffChunk c;
    EXPECT_EQ(lyingWalk.find("data", c).status, ReadStatus::Truncated);
    EXPECT_EQ(RiffWalker(lyingSrc).open("AVI ").status, ReadStatus::Corrupt);
}

TEST(CWave, RefusedFilesKeepThePreviousSound) {
    Bytes lyingData = pcm8({1, 2, 3, 4});
    putLe32(lyingData.data() + lyingData.size() - 8, 4000); // data chunk claims more than the file

    Bytes hugeData = riff({chunk("fmt ", fmtBody(1, 1, 11025, 8))});
    addText(hugeData, "data");
    addLe32(hugeData, 0xFFFFFFF0u); // 4 GB of samples, none of them present
    putLe32(hugeData.data() + 4, static_cast<std::uint32_t>(hugeData.size() - 8));

    Bytes riffTooLong = pcm8({1, 2});
    putLe32(riffTooLong.data() + 4, 1000);

    Bytes lyingUnknown = riff({chunk("fmt ", fmtBody(1, 1, 11025, 8)), chunk("LIST", {1, 2}), chunk("data", {7})});
    putLe32(lyingUnknown.data() + 12 + 8 + 16 + 4, 0x7FFFFFFF); // the LIST chunk's size

    Bytes notWave = pcm8({1});
    notWave[8] = 'A';

    Bytes riffTooShort = pcm8({1});
    putLe32(riffTooShort.data() + 4, 2); // smaller than the form type it holds

    constexpr ReadStatus T = ReadStatus::Truncated;
    constexpr ReadStatus U = ReadStatus::Unsupported;
    constexpr ReadStatus C = ReadStatus::Corrupt;
    const struct {
        const char* what;
        Bytes file;
        ReadStatus status;
    } cases[] = {
        {"floating point (tag 3)", riff({chunk("fmt ", fmtBody(3, 1, 11025, 32)), chunk("data", Bytes(8, 0))}), U},
        {"extensible (tag 0xFFFE)", riff({chunk("fmt ", fmtBody(0xFFFE, 1, 11025, 16)), chunk("data", Bytes(4, 0))}),
         U},
        {"24-bit PCM", riff({chunk("fmt ", fmtBody(1, 1, 11025, 24)), chunk("data", Bytes(6, 0))}), U},
        {"zero bits", riff({chunk("fmt ", fmtBody(1, 1, 11025, 0)), chunk("data", Bytes(6, 0))}), C},
        {"data chunk longer than the file", lyingData, T},
        {"data chunk claiming 4 GB", hugeData, T},
        {"RIFF chunk longer than the file", riffTooLong, T},
        {"RIFF size below the form type", riffTooShort, C},
        {"unknown chunk longer than the file", lyingUnknown, T},
        {"format chunk of 14 bytes", riff({chunk("fmt ", Bytes(14, 1)), chunk("data", {1})}), C},
        {"no format chunk", riff({chunk("data", {1, 2})}), C},
        {"no data chunk", riff({chunk("fmt ", fmtBody(1, 1, 11025, 8))}), C},
        {"data before format", riff({chunk("data", {1, 2}), chunk("fmt ", fmtBody(1, 1, 11025, 8))}), C},
        {"form type not WAVE", notWave, C},
        {"a text file", {'j', 'u', 'n', 'k'}, C},
        {"cut inside the RIFF header", Bytes(notWave.begin(), notWave.begin() + 6), T},
        {"empty file", Bytes{}, T},
    };
    for (const auto& c : cases) {
        CWave w = previousSound();
        const CWave before = w;
        EXPECT_TRUE(test::refusedAs(w.Load(c.file), c.status)) << c.what;
        expectSame(w, before);
    }
}

TEST(CWave, EveryPrefixOfAFileIsRefusedAndTheWholeFileRead) {
    const Bytes file = riff({chunk("LIST", {'x', 'y', 'z'}), chunk("fmt ", fmtBody(1, 1, 11025, 8)),
                             chunk("data", {0x80, 0x90, 0xA0, 0xB0, 0xC0})});
    for (std::size_t n = 0; n < file.size(); ++n) {
        CWave w;
        EXPECT_TRUE(test::refusedAs(w.Load(file.data(), n), ReadStatus::Truncated)) << n;
        EXPECT_EQ(w.SampleCount(), 16) << n;
    }
    CWave w;
    EXPECT_TRUE(w.Load(file.data(), file.size()));
    EXPECT_EQ(w.SampleCount(), 5);
}

TEST(CWave, LoadsFromAPathAndRefusesAMissingFile) {
    test::TempDir dir;
    test::writeFile(dir.path() / "P1.WAV", pcm8({0xFF, 0x00}));
    CWave w;
    ASSERT_TRUE(w.Load(dir.path() / "P1.WAV"));
    EXPECT_EQ(w.GetSample(0), 32512);
    EXPECT_TRUE(test::refusedAs(w.Load(dir.path() / "missing.wav"), ReadStatus::Missing));
    EXPECT_EQ(w.GetSample(0), 32512);
}

// Files written by sox; the expected samples come from sox's own conversion of the same file to
// raw signed 16-bit samples (sox maps 8-bit unsigned u to (u - 128) x 256, as GetSample does).
TEST(CWave, ReadsFilesWrittenBySox) {
    if (!test::haveTool("sox")) GTEST_SKIP() << "sox is not installed";
    test::TempDir dir;
    struct Case {
        const char* name;
        const char* options; // output options of sox
        int rate, bits, channels;
    };
    const Case cases[] = {{"m8.wav", "-r 11025 -b 8 -e unsigned-integer -c 1", 11025, 8, 1},
                          {"m16.wav", "-r 22050 -b 16 -e signed-integer -c 1", 22050, 16, 1},
                          {"s16.wav", "-r 44100 -b 16 -e signed-integer -c 2", 44100, 16, 2}};
    for (const Case& c : cases) {
        const auto wav = dir.path() / c.name;
        const auto raw = dir.path() / (std::string(c.name) + ".raw");
        ASSERT_TRUE(test::runQuietly("sox -n " + std::string(c.options) + " " + test::quoted(wav) +
                                     " synth 0.05 sine 300 sine 500 vol 0.8"))
            << c.name;
        ASSERT_TRUE(test::runQuietly("sox " + test::quoted(wav) + " -t raw -e signed-integer -b 16 " +
                                     test::quoted(raw)))
            << c.name;
        CWave w;
        const ReadResult read = w.Load(wav);
        ASSERT_TRUE(read) << c.name << ": " << describe(read);
        EXPECT_EQ(w.formatTag(), 1);
        EXPECT_EQ(w.channels(), c.channels);
        EXPECT_EQ(w.samplesPerSecond(), static_cast<std::uint32_t>(c.rate));
        EXPECT_EQ(w.bitsPerSample(), c.bits);
        EXPECT_EQ(w.blockAlign(), c.channels * c.bits / 8);
        const Bytes ref = test::readBytes(raw);
        ASSERT_EQ(static_cast<std::size_t>(w.SampleCount()), ref.size() / 2) << c.name;
        for (int i = 0; i < w.SampleCount(); ++i)
            ASSERT_EQ(w.GetSample(i), static_cast<std::int16_t>(le16(ref.data() + 2 * i))) << c.name << " " << i;
    }

    const auto flt = dir.path() / "float.wav";
    ASSERT_TRUE(test::runQuietly("sox -n -r 11025 -b 32 -e floating-point -c 1 " + test::quoted(flt) +
                                 " synth 0.05 sine 300"));
    CWave w = previousSound();
    const CWave before = w;
    EXPECT_EQ(w.Load(flt).status, ReadStatus::Unsupported);
    expectSame(w, before);
}

} // namespace
} // namespace lumora
