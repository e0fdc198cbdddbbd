#include "voice/voice_files.h"

namespace lumora {

std::string VoiceNames::male(const std::string& cdrom, const std::string& lesson, const std::string& stem) {
    return cdrom + "\\" + lesson + "\\MALE\\" + stem + ".WAV";
}

std::string VoiceNames::female(const std::string& cdrom, const std::string& lesson, const std::string& stem) {
    return cdrom + "\\" + lesson + "\\FEMALE\\" + stem + ".WAV";
}

std::string VoiceNames::learner(const std::string& userFolder, const std::string& lesson, const std::string& stem) {
    return userFolder + "\\" + lesson + "\\" + stem + ".WAV";
}

std::string VoiceNames::learnerTemplate(const std::string& programDir) {
    return programDir + kTemplateName;
}

namespace {

void put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
void putTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(tag[i]));
}

} // namespace

Bytes encodeWave16(const RecordedTake& take) {
    const auto rate = static_cast<std::uint32_t>(take.rate > 0 ? take.rate : 0);
    const auto dataBytes = static_cast<std::uint32_t>(take.samples.size() * 2);
    Bytes b;
    putTag(b, "RIFF");
    put32(b, 36 + dataBytes);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, rate);
    put32(b, rate * 2); // bytes a second
    put16(b, 2);        // block align
    put16(b, 16);       // bits
    putTag(b, "data");
    put32(b, dataBytes);
    for (const std::int16_t s : take.samples)
        put16(b, static_cast<std::uint16_t>(s));
    return b;
}

Bytes silentTemplate(int rate, int samples) {
    RecordedTake t;
    t.rate = rate;
    t.samples.assign(static_cast<std::size_t>(samples > 0 ? samples : 0), 0);
    return encodeWave16(t);
}

} // namespace lumora
