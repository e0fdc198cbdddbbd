#include "foundation/language_table.h"

#include "foundation/app_settings.h"
#include "foundation/content_locator.h"
#include "foundation/lesson_catalogue.h"
#include "resources/string_table.h"

namespace lumora {

namespace {

constexpr LanguageRow kRows[kLanguageCount] = {
    {18800, 18800, "us", "TRANSL_US_ENGLISH", "GB"},
    {18810, 18810, "canada", "TRANSL_CANADA", "GB"},
    {18830, 18830, "uk", "TRANSL_ENGLISH", "GB"},
    {18820, 18820, "safrica", "TRANSL_SAFRICA", "GB"},
    {18840, 18840, "australi", "TRANSL_AUSTRALI", "GB"},
    {18750, 18750, "france", "TRANSL_FRENCH", "FF"},
    {18760, 18760, "belgium", "TRANSL_FRENCH_BELGE", "FF"},
    {18770, 18773, "suisse", "TRANSL_FRENCH_SUISSE", "FF"},
    {18790, 18790, "quebec", "TRANSL_FRENCH_QUEBEC", "FF"},
    {18850, 18850, "allemand", "TRANSL_GERMAN", "DE"},
    {18860, 18773, "suisse", "TRANSL_GERMAN_SUISSE", "DE"},
    {18870, 18870, "spain", "TRANSL_SPANISH", "SP"},
    {18880, 18883, "dutch", "TRANSL_DUTCH", "DU"},
    {18890, 18760, "belgium", "TRANSL_DUTCH_BELGE", "DU"},
    {18900, 18900, "Cambodge", "TRANSL_KHMER", "KH"},
    {18910, 18910, "Thai", "TRANSL_THAI", "TH"},
    {18920, 18920, "vietnam", "TRANSL_VIET", "VI"},
    {18930, 18930, "OldViet", "TRANSL_OLDVIET", "VI"},
    {19000, 19000, "chine", "", "MA"},
    {19010, 19010, "singapor", "", "MA"},
    {19020, 19020, "taiwan", "", "MA"},
};

constexpr ColourRef kPalette[16] = {0x000000, 0x000064, 0x0000FF, 0x006480, 0x008000, 0x00FF00,
                                    0x64FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xC800FF, 0x6400FF,
                                    0x3200FF, 0x0000FF, 0x00C864, 0x00C8FF};

} // namespace

const LanguageRow* LanguageTable::row(LanguageId id) {
    if (id < 0 || id >= kLanguageCount) return nullptr;
    return &kRows[id];
}

std::string LanguageTable::languageName(LanguageId id) {
    const LanguageRow* r = row(id);
    return r ? strings::text(r->nameId) : std::string();
}

std::string LanguageTable::flagPicture(LanguageId id) {
    const LanguageRow* r = row(id);
    return r ? std::string(r->flag) : std::string();
}

int LanguageTable::listFlag(int index) {
    const LanguageRow* r = row(index);
    return r ? r->listFlag : 0;
}

std::string LanguageTable::section(LanguageId id) {
    if (id < 0 || id > 17) return {};
    return kRows[id].section;
}

std::string LanguageTable::dictionaryCode(LanguageId id) {
    const LanguageRow* r = row(id);
    return r ? std::string(r->dictionaryCode) : std::string();
}

DisplayFont LanguageTable::defaultFont(LanguageId id) {
    if (id == 14) return {"Ekreach", 30};
    if (id == 15) return {"Surin", 30};
    if (id == 16 || id == 17) return {"UHo\xC3\xA0i 1.1", 20};
    if (id >= 18 && id <= 20) return {"Pinying", 40};
    return {"Arial", 20};
}

ColourRef LanguageTable::paletteColour(int index) {
    if (index < 1 || index > 15) return 0;
    return kPalette[index];
}

std::string LanguageTable::sampleWord(LanguageId id) {
    if (id >= 5 && id <= 8) return "Janvier";
    if (id == 9 || id == 10 || id == 12 || id == 13) return "Januar";
    if (id == 11) return "Enero";
    if (id == 14) return "mkra";
    if (id == 15) return "\xC1\xA1\xC3\xD2\xA4\xC1";
    // "Tháng giêng" in VISCII: á = 0xE1, ê = 0xEA.
    if (id == 16 || id == 17) return "Th\xE1ng gi\xEAng";
    if (id >= 0 && id <= 4) return "January";
    return {};
}

std::string languageSection(const SettingsStore& store, bool translation) {
    const int id = (translation ? AppSettings::kTranslationLanguage : AppSettings::kPhoneticLanguage).read(store);
    return LanguageTable::section(id);
}

ColourRef textColour(const SettingsStore& store, bool translation) {
    const std::string section = languageSection(store, translation);
    const int index = (translation ? AppSettings::kTranslationColour : AppSettings::kPhoneticColour).read(store, section);
    return LanguageTable::paletteColour(index);
}

std::string dictionaryFile(const ContentLocator& locator, LanguageId from, LanguageId to) {
    const std::string name =
        "DATA\\WIN32\\" + LanguageTable::dictionaryCode(from) + LanguageTable::dictionaryCode(to) + ".DIC";
    const std::string local = locator.programDirectory() + name;
    if (locator.files().exists(local)) return local;
    const std::string cd = locator.cdromRoot() + "\\" + name;
    if (locator.files().exists(cd)) return cd;
    return {};
}

int catalogueTitleField(LanguageId id) {
    if (id >= 0 && id <= 4) return static_cast<int>(CatalogueLayout::kEnglish);
    if (id >= 5 && id <= 8) return static_cast<int>(CatalogueLayout::kFrench);
    if (id == 9 || id == 10) return static_cast<int>(CatalogueLayout::kGerman);
    if (id == 11) return static_cast<int>(CatalogueLayout::kSpanish);
    if (id == 12 || id == 13) return static_cast<int>(CatalogueLayout::kEnglish);
    if (id == 14) return static_cast<int>(CatalogueLayout::kKhmer);
    if (id == 15) return static_cast<int>(CatalogueLayout::kThai);
    if (id == 16 || id == 17) return static_cast<int>(CatalogueLayout::kVietnamese);
    return -1;
}

int pageTranslationBlock(LanguageId id) {
    if (id >= 0 && id <= 4) return static_cast<int>(PageLayout::kEnglish);
    if (id >= 5 && id <= 8) return static_cast<int>(PageLayout::kFrench);
    if (id == 9 || id == 10) return static_cast<int>(PageLayout::kGerman);
    if (id == 11) return static_cast<int>(PageLayout::kSpanish);
    if (id == 12 || id == 13) return static_cast<int>(PageLayout::kDutch);
    if (id == 14) return static_cast<int>(PageLayout::kKhmer);
    if (id == 15) return static_cast<int>(PageLayout::kThai);
    if (id == 16 || id == 17) return static_cast<int>(PageLayout::kVietnamese);
    return -1;
}

} // namespace lumora
