#include "course/cours_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "course/cours_doc.h"
#include "course/course_commands.h"
#include "course/course_settings.h"
#include "course/media_paths.h"
#include "foundation/app_commands.h"
#include "foundation/app_settings.h"

namespace lumora {

namespace {

constexpr int kPhoneticIcon = 701;
constexpr int kMaleIcon = 703;
constexpr int kFemaleIcon = 704;

// a * b / c rounded to the nearest integer (halves away from zero), without overflow.
int mulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0) return 0;
    return static_cast<int>(std::llround(static_cast<double>(a * b) / static_cast<double>(c)));
}

// A height stored as decimal text; text that is not a positive number keeps the default.
int parseSize(const std::string& text, int def) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || v <= 0 || v > 1000) return def;
    return static_cast<int>(v);
}

DrawItem textItem(int x, int depth, std::string text, const DrawFont& font, ColourRef colour) {
    DrawItem it;
    it.kind = DrawItem::Kind::Text;
    it.x = x;
    it.y = -depth;
    it.text = std::move(text);
    it.font = font;
    it.colour = colour;
    return it;
}

DrawItem iconItem(int x, int depth, int id) {
    DrawItem it;
    it.kind = DrawItem::Kind::Icon;
    it.x = x;
    it.y = -depth;
    it.iconId = id;
    return it;
}

} // namespace

int band(int screenHeight, int a, int b, int c) {
    if (screenHeight >= 480 && screenHeight < 600) return a;
    if (screenHeight >= 600 && screenHeight < 768) return b;
    return mulDivRound(screenHeight, c, 600);
}

std::vector<DrawItem> layoutCoursePage(SettingsStore& store, const LessonCatalogue& catalogue,
                                       const CoursePageInput& input) {
    std::vector<DrawItem> items;
    const int H = input.screenHeight;
    const int dpi = input.logicalDpiY > 0 ? input.logicalDpiY : 96;

    // Fonts.
    const DrawFont numberFont{"Arial", 30, 400, FontEncoding::Windows1252};
    const DrawFont boldNumberFont{"Arial", 25, 700, FontEncoding::Windows1252};
    const std::string section = languageSection(store, true);
    DrawFont translationFont;
    translationFont.face = section.empty() ? std::string("Arial") : CourseSettings::kTranslationFace.read(store, section);
    const int size = section.empty() ? 35 : parseSize(CourseSettings::kTranslationSize.read(store, section), 35);
    translationFont.height = mulDivRound(size, 144, dpi);
    translationFont.encoding =
        textEncoding(translationFont.face, AppSettings::kTranslationLanguage.read(store));
    const DrawFont phoneticFont{"Pinying", mulDivRound(50, 144, dpi), 400, FontEncoding::Pinying};

    // Position.
    const std::string pos = catalogue.positionSection();
    const int lesson = AppSettings::kLesson.read(store, pos);
    const int page = AppSettings::kPage.read(store, pos); // the accessors read page 0 beyond the last
    CourseSettings::kTraceHeight.write(store, H);

    const std::string dir = lessonMediaDirectory(store, catalogue, lesson);
    std::string stems[5];
    for (int k = 1; k <= 4; ++k) stems[k] = catalogue.SoundStem(lesson, page, k);

    // Ideogram pictures.
    for (int k = 1; k <= 4; ++k) {
        if (k > 1 && stems[k].empty()) continue;
        const std::string path = IdeogramPictureName(dir, stems[k], input.ideogramSet);
        if (k == 1) CourseSettings::kFirstPicture.write(store, path);
        if (path.empty()) continue;
        DrawItem it;
        it.kind = DrawItem::Kind::Picture;
        it.x = 10;
        it.y = -(10 + 190 * (k - 1));
        it.path = path;
        items.push_back(std::move(it));
    }

    // Phrase presence.
    std::string phrases[5];
    for (int k = 1; k <= 4; ++k) phrases[k] = catalogue.PhraseText(lesson, page, k);
    const bool has3 = !phrases[3].empty();
    const bool has4 = !phrases[4].empty();

    ColourRef colour = 0; // the drawing surface starts in black

    // Phonetic block.
    int P = band(H, 390, 420, 430);
    if (has3 && !has4) P = band(H, 530, 550, 550);
    if (has3 && has4) P = band(H, 720, 740, 740);
    if (CourseSettings::kShowPhonetic.read(store) == 1) {
        colour = textColour(store, false);
        for (int k = 1; k <= 4; ++k) {
            if (phrases[k].empty()) continue;
            const int yk = P + 50 * k;
            items.push_back(textItem(0, yk - 15, " " + std::to_string(k), numberFont, colour));
            items.push_back(iconItem(40, yk + 5, kPhoneticIcon));
            items.push_back(textItem(100, yk - 15, " " + catalogue.PhoneticText(lesson, page, k), phoneticFont, colour));
        }
    }

    // Translation block.
    int T = band(H, 550, 600, 600);
    if (has3 && !has4) T = band(H, 710, 760, 760);
    if (has4) T = band(H, 900, 950, 950);
    if (CourseSettings::kShowTranslation.read(store) == 1) {
        colour = textColour(store, true);
        const int language = AppSettings::kTranslationLanguage.read(store);
        for (int k = 1; k <= 4; ++k) {
            const std::string translation = catalogue.TranslationText(lesson, page, k, language);
            if (translation.empty()) continue;
            const int tk = T + 70 * k;
            DrawItem flag;
            flag.kind = DrawItem::Kind::Flag;
            flag.x = 130;
            flag.y = -(tk - 20);
            flag.iconId = LanguageTable::listFlag(language);
            flag.languageId = language;
            items.push_back(std::move(flag));
            items.push_back(textItem(180, tk - 30, " " + translation, translationFont, colour));
        }
    }

    // Voice marks.
    const FileAccess& files = catalogue.locator().files();
    for (int k = 1; k <= 4; ++k) {
        if (stems[k].empty()) continue;
        const int vk = T - 20 + 70 * k;
        const std::string male = MaleVoiceName(dir, stems[k]);
        const std::string female = FemaleVoiceName(dir, stems[k]);
        if (!male.empty() && files.exists(male)) items.push_back(iconItem(30, vk + 5, kMaleIcon));
        if (!female.empty() && files.exists(female)) items.push_back(iconItem(80, vk + 5, kFemaleIcon));
        items.push_back(textItem(0, vk, " " + std::to_string(k), boldNumberFont, colour));
    }
    return items;
}

PageExtent pageExtent(const std::vector<DrawItem>& items, const ItemMeasure& measure) {
    double w = 0, d = 0;
    for (const DrawItem& it : items) {
        const ItemSize size = measure ? measure(it) : ItemSize{};
        if (size.width <= 0 && size.height <= 0) continue; // not drawn
        w = std::max(w, it.x + size.width);
        d = std::max(d, -it.y + size.height);
    }
    return {static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(d))};
}

std::string coursePageText(SettingsStore& store, const LessonCatalogue& catalogue) {
    const std::string pos = catalogue.positionSection();
    const int lesson = AppSettings::kLesson.read(store, pos);
    const int page = AppSettings::kPage.read(store, pos);
    const int language = AppSettings::kTranslationLanguage.read(store);
    const std::string section = languageSection(store, true);
    const std::string face =
        section.empty() ? std::string("Arial") : CourseSettings::kTranslationFace.read(store, section);
    const FontEncoding translationEncoding = textEncoding(face, language);
    std::string out;
    for (int k = 1; k <= 4; ++k) {
        const std::string phonetic = decodeText(catalogue.PhoneticText(lesson, page, k), FontEncoding::Pinying);
        const std::string translation =
            decodeText(catalogue.TranslationText(lesson, page, k, language), translationEncoding);
        if (phonetic.empty() && translation.empty()) continue;
        out += phonetic;
        if (!translation.empty()) out += "\t" + translation;
        out += "\n";
    }
    return out;
}

CCoursView::CCoursView(SettingsStore& store, CCoursDoc& doc, ViewTimer& timer, ViewWindow& window)
    : store_(store), doc_(doc), timer_(timer), window_(window), picture_(store, CourseSettings::kZoom, kSurfaceHeight) {
    fit_ = CourseSettings(store_).fitPage();
    declareCommands();
    doc_.playback().addListener(*this);
}

CCoursView::~CCoursView() { doc_.playback().removeListener(*this); }

void CCoursView::initialUpdate(const DeviceMetrics& screen) {
    picture_.initialUpdate(screen);
    refit();
    applySurface();
}

void CCoursView::onUpdate() {
    const int lesson = doc_.currentLesson();
    const int page = doc_.currentPage();
    if (lesson != shownLesson_ || page != shownPage_) {
        shownLesson_ = lesson;
        shownPage_ = page;
        window_.scrollToTop();
    }
    window_.invalidate();
}

std::vector<DrawItem> CCoursView::layout(int screenHeight, int logicalDpiY) const {
    return layoutCoursePage(store_, doc_.catalogue(), {screenHeight, logicalDpiY, doc_.ideogramSet()});
}

ScrollSize CCoursView::surfaceSize() const {
    const LogicalMapping m = picture_.mapping();
    ScrollSize s;
    if (extent_.width <= 0 && extent_.depth <= 0) return s;
    s.width = static_cast<int>(std::ceil(m.lengthX(extent_.width + kSurfaceMargin)));
    s.height = static_cast<int>(std::ceil(m.lengthY(extent_.depth + kSurfaceMargin)));
    return s;
}

void CCoursView::applySurface() {
    const ScrollSize s = surfaceSize();
    window_.setScrollSize(s.width, s.height);
}

void CCoursView::setPageExtent(const PageExtent& extent) {
    if (extent == extent_) return;
    extent_ = extent;
    refit();
    applySurface();
}

void CCoursView::setAvailableSize(int widthPx, int heightPx, int paddingUnits) {
    if (widthPx == availableWidth_ && heightPx == availableHeight_ && paddingUnits == paddingUnits_) return;
    availableWidth_ = widthPx;
    availableHeight_ = heightPx;
    paddingUnits_ = paddingUnits;
    if (!fit_) return;
    refit();
    applySurface();
}

int CCoursView::fitZoom(int widthUnits, int depthUnits, const Density& density, int availableWidth,
                        int availableHeight) {
    // At zoom z, u units take u * (z * density / 100) / 50 pixels (the mapping's integer scale is
    // never larger than z * density / 100).
    auto largest = [](int units, int pxPerCm, int available) -> std::int64_t {
        if (units <= 0 || pxPerCm <= 0) return PictureView::kMaxZoom;
        return std::int64_t(std::max(0, available)) * PictureView::kUnitsPerCm * 100 / (std::int64_t(units) * pxPerCm);
    };
    const std::int64_t z = std::min(largest(widthUnits, density.x, availableWidth),
                                    largest(depthUnits, density.y, availableHeight));
    return static_cast<int>(std::clamp<std::int64_t>(z, PictureView::kMinZoom, PictureView::kMaxZoom));
}

void CCoursView::refit() {
    if (!fit_ || availableWidth_ <= 0 || availableHeight_ <= 0 || (extent_.width <= 0 && extent_.depth <= 0)) return;
    const int pad = 2 * paddingUnits_;
    const int z = fitZoom(extent_.width + kSurfaceMargin + pad, extent_.depth + kSurfaceMargin + pad,
                          picture_.screenDensity(), availableWidth_, availableHeight_);
    const int before = picture_.zoom();
    picture_.setZoomValue(z);
    // The window is being painted or resized: it draws at the new scale without laying out again.
    if (picture_.zoom() != before) notifyStateChanged();
}

void CCoursView::setFit(bool on) {
    fit_ = on;
    CourseSettings(store_).setFitPage(on);
    refit();
    applySurface();
    window_.invalidate();
    notifyStateChanged();
}

void CCoursView::zoomBy(int direction) {
    const int target = picture_.neighbourStep(direction);
    for (int id = PictureView::kFirstZoomCommand; id <= PictureView::kLastZoomCommand; ++id)
        if (PictureView::zoomOfCommand(id) == target && (fit_ || target != picture_.zoom())) zoomCommand(id);
}

std::string CCoursView::scrollStatusText(int mode) {
    const char* what = nullptr;
    switch (mode) {
    case CCoursDoc::kFastReversed: what = "Fast reversed"; break;
    case CCoursDoc::kFastForward: what = "Fast forward"; break;
    case CCoursDoc::kSlowReversed: what = "Slow reversed"; break;
    case CCoursDoc::kSlowForward: what = "Slow forward"; break;
    default: return {};
    }
    return std::string("Scrolling: ") + what + " - press Esc or Stop to end it";
}

bool CCoursView::slowMode() const {
    const int mode = doc_.scrollingMode();
    return mode == CCoursDoc::kSlowReversed || mode == CCoursDoc::kSlowForward;
}

int CCoursView::slowInterval() const {
    const int ms = CourseSettings(store_).slowScrollMs();
    return ms > 0 ? ms : 5000; // a timer of 0 or less would turn pages without pause
}

void CCoursView::armSlowTick() { timer_.start(slowInterval()); }

bool CCoursView::playOnArrival() {
    const int mode = doc_.scrollingMode();
    if (doc_.voicesPlayed() || mode == CCoursDoc::kFastReversed || mode == CCoursDoc::kFastForward) return false;
    doc_.setVoicesPlayed(true);
    // Slow scrolling turns the page once it has been heard; a page with nothing to play is read
    // for the same interval.
    if (!doc_.PlayAllPhrases() && slowMode()) armSlowTick();
    return true;
}

void CCoursView::playbackStarted() { notifyStateChanged(); }

void CCoursView::playbackEnded(PlaybackOutcome outcome) {
    // A cancelled plan gave way to something else (another page, another plan) that arms the tick.
    if (outcome == PlaybackOutcome::Completed && slowMode()) armSlowTick();
    notifyStateChanged();
}

void CCoursView::onTimer() {
    switch (doc_.scrollingMode()) {
    case CCoursDoc::kFastReversed:
        doc_.PreviousPage();
        break;
    case CCoursDoc::kFastForward:
        doc_.NextPage();
        break;
    case CCoursDoc::kSlowReversed:
    case CCoursDoc::kSlowForward:
        if (doc_.isPlaying()) return; // the end of the plan arms the tick again
        timer_.stop();
        if (doc_.scrollingMode() == CCoursDoc::kSlowReversed)
            doc_.PreviousPage();
        else
            doc_.NextPage();
        break;
    default:
        break;
    }
}

void CCoursView::onClose() {
    timer_.stop();
    doc_.setScrollingMode(CCoursDoc::kNotScrolling);
    window_.showScrollStatus({});
    doc_.StopPlayback(); // the page's phrases stop with the window
}

void CCoursView::startScrolling(int mode, int intervalMs) {
    if (doc_.scrollingMode() != CCoursDoc::kNotScrolling) {
        stopScrolling();
        return;
    }
    doc_.setScrollingMode(mode);
    window_.showScrollStatus(scrollStatusText(mode));
    // A slow mode lets the page playing now be heard first.
    if (intervalMs != kFastIntervalMs && doc_.isPlaying()) return;
    timer_.start(intervalMs);
}

void CCoursView::stopScrolling() {
    timer_.stop();
    doc_.setScrollingMode(CCoursDoc::kNotScrolling);
    window_.showScrollStatus({});
    doc_.StopPlayback(); // stopping the pages stops their voices too
}

void CCoursView::toggle(const IntSetting& setting) {
    setting.toggle(store_);
    window_.invalidate();
    notifyStateChanged();
}

void CCoursView::declareCommands() {
    namespace c = cmd::course;
    CommandTable& t = commandTable();
    const auto scroll = [this, &t](int id, int mode, bool fast) {
        t.addChecked(
            id, [this, mode, fast] { startScrolling(mode, fast ? kFastIntervalMs : slowInterval()); },
            [this, mode] { return doc_.scrollingMode() == mode; });
    };
    scroll(c::FastReversed, CCoursDoc::kFastReversed, true);
    scroll(c::SlowReversed, CCoursDoc::kSlowReversed, false);
    scroll(c::SlowForward, CCoursDoc::kSlowForward, false);
    scroll(c::FastForward, CCoursDoc::kFastForward, true);
    t.addWhen(
        c::Stop,
        [this] {
            if (doc_.scrollingMode() != CCoursDoc::kNotScrolling)
                stopScrolling();
            else
                doc_.StopPlayback();
            return true;
        },
        [this]() -> std::optional<CommandState> {
            return CommandState{doc_.scrollingMode() != CCoursDoc::kNotScrolling || doc_.isPlaying(), false};
        });
    t.addChecked(c::Phonetic, [this] { toggle(CourseSettings::kShowPhonetic); },
                 [this] { return CourseSettings(store_).showPhonetic(); });
    t.addChecked(c::Translation, [this] { toggle(CourseSettings::kShowTranslation); },
                 [this] { return CourseSettings(store_).showTranslation(); });
    // The zoom commands are the picture view's; the view applies their scroll size. While the page
    // is fitted none of the steps is the chosen one.
    for (const CommandEntry& e : picture_.commands().entries()) {
        const int id = e.id;
        t.addWhen(
            id, [this, id] { zoomCommand(id); return true; },
            [this, id]() -> std::optional<CommandState> {
                auto s = picture_.commandState(id);
                if (s && fit_) s->checked = false;
                return s;
            },
            e.checkable);
    }
    t.addChecked(c::FitPage, [this] { setFit(true); }, [this] { return fit_; });
    for (int id : {c::EditCopy, cmd::app::EditCopy})
        t.add(id, [this] { window_.copyText(coursePageText(store_, doc_.catalogue())); });
}

void CCoursView::zoomCommand(int id) {
    if (id != PictureView::kIgnoredCommand && fit_) {
        fit_ = false;
        CourseSettings(store_).setFitPage(false);
    }
    picture_.onCommand(id);
    if (id != PictureView::kIgnoredCommand) {
        applySurface();
        window_.invalidate();
    }
    notifyStateChanged();
}

} // namespace lumora
