#include "shell/tip_of_the_day.h"

#include <climits>

#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "shell/shell_settings.h"

namespace lumora {

std::string tipFileName(const std::string& cdrom, int number) {
    return cdrom + "\\DATA\\TIPS\\US\\" + std::to_string(number) + ".txt";
}

std::string tipText(const std::string& bytes) {
    std::string clean;
    clean.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0) break;
        clean.push_back(b < 0x20 && b != '\n' && b != '\r' && b != '\t' ? ' ' : c);
    }
    return decodeText(clean, FontEncoding::Windows1252);
}

TipOfTheDay::TipOfTheDay(SettingsStore& store, const FileAccess& files) : store_(store), files_(files) {}

bool TipOfTheDay::showAtStartup() const { return AppSettings(store_).tipAtStartup(); }

void TipOfTheDay::open() {
    number_ = ShellSettings::kTipNumber.read(store_);
    if (number_ < 1) number_ = 1;
    show();
}

void TipOfTheDay::next() {
    // The largest number cannot have a successor: the tips start again at 1.
    number_ = number_ == INT_MAX ? 1 : number_ + 1;
    show();
}

void TipOfTheDay::close(bool showAtStartup) {
    AppSettings::kTipAtStartup.write(store_, showAtStartup ? 0 : 1);
    ShellSettings::kTipNumber.write(store_, number_ == INT_MAX ? 1 : number_ + 1);
}

void TipOfTheDay::show() {
    const std::string cdrom = AppSettings(store_).cdromDrive();
    std::string name = tipFileName(cdrom, number_);
    if (!files_.exists(name)) {
        number_ = 1;
        name = tipFileName(cdrom, 1);
    }
    text_.clear();
    // Only the first bytes are read, however large the file.
    const auto size = files_.size(name);
    if (!size) return;
    const auto length = static_cast<std::size_t>(*size < kTipMaxBytes ? *size : kTipMaxBytes);
    if (const auto data = files_.readAt(name, 0, length)) text_ = tipText(std::string(data->begin(), data->end()));
}

} // namespace lumora
