#include "dictionary/dictionary_doc.h"

#include "dictionary/dictionary_settings.h"
#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "foundation/media_settings.h"
#include "resources/string_table.h"

namespace lumora {

namespace {
using S = DictionarySettings;

LanguageId shownLanguage(int stored) {
    return stored >= 0 && stored < kLanguageCount ? stored : 0;
}

std::string replaceAll(std::string text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}
} // namespace

CDictionaryDoc::CDictionaryDoc(SettingsStore& store, const ContentLocator& locator, Prompts& prompts,
                               PlaybackRunner& runner)
    : store_(store), locator_(locator), prompts_(prompts), runner_(runner) {
    MediaSettings(store_).setView(1);
    ideogramSet_ = AppSettings::kIdeogramSet.read(store_);
    loadParameters();
    commandTable()
        .addChecked(
            kSimplifiedCommand, [this] { setIdeogramSet(0); }, [this] { return ideogramSet_ == 0; })
        .addChecked(
            kTraditionalCommand, [this] { setIdeogramSet(1); }, [this] { return ideogramSet_ == 1; });
}

CDictionaryDoc::~CDictionaryDoc() {
    storeParameters();
}

void CDictionaryDoc::loadParameters() {
    realTime_ = S::kRefresh.read(store_) == 1;
    mode_ = S::kLocateType.read(store_);
    key_ = S::kLocate.read(store_).substr(0, S::kMaxKeyBytes);
    keyMappable_ = true;
    from_ = shownLanguage(S::kFrom.read(store_));
    to_ = shownLanguage(S::kTo.read(store_));
    ignoreTones_ = S::kIgnoreTones.read(store_) == 1;
}

void CDictionaryDoc::storeParameters() const {
    S::kRefresh.write(store_, realTime_ ? 1 : 0);
    S::kLocateType.write(store_, mode_);
    S::kLocate.write(store_, key_);
    S::kFrom.write(store_, from_);
    S::kTo.write(store_, to_);
    S::kIgnoreTones.write(store_, ignoreTones_ ? 1 : 0);
}

void CDictionaryDoc::editChanged(const std::string& utf8) {
    const std::optional<std::string> bytes = encodeText(utf8, encodingForLanguage(from_));
    keyMappable_ = bytes.has_value();
    // A key with a character the source language cannot write matches nothing.
    key_ = bytes ? bytes->substr(0, S::kMaxKeyBytes) : std::string();
    if (realTime_) search();
}

void CDictionaryDoc::chooseMode(int mode, const std::string& utf8) {
    mode_ = mode;
    editChanged(utf8);
    notifyControls();
}

void CDictionaryDoc::toggleRealTime() {
    realTime_ = !realTime_;
    notifyControls();
}

void CDictionaryDoc::toggleIgnoreTones() {
    ignoreTones_ = !ignoreTones_;
    notifyControls();
    if (realTime_) search();
}

void CDictionaryDoc::search() {
    selected_.reset();
    if (!keyMappable_) {
        // Nothing can match; the caption still counts when the pair has a dictionary.
        const std::string name = dictionaryFile(locator_, from_, to_);
        std::shared_ptr<const DictionaryIndex> index =
            name.empty() ? nullptr : DictionaryCache::shared().get(locator_.files().resolve(name));
        results_ = index ? SearchResult(std::move(index), from_, {}) : SearchResult();
    } else {
        results_ = SearchDictionary(locator_, SearchQuery{from_, to_, key_, mode_, ignoreTones_});
    }
    notifyResults();
}

void CDictionaryDoc::clearResults() {
    results_ = SearchResult();
    selected_.reset();
    notifyResults();
}

void CDictionaryDoc::refresh() {
    search();
    if (media_) media_->setVisible(false);
    detail_.clear();
    if (views_) views_->detailChanged();
}

PairChange CDictionaryDoc::chooseSource(std::optional<LanguageId> s) {
    return change(true, s);
}
PairChange CDictionaryDoc::chooseTarget(std::optional<LanguageId> t) {
    return change(false, t);
}

PairChange CDictionaryDoc::change(bool sourceSide, std::optional<LanguageId> chosen) {
    const LanguageId had = sourceSide ? from_ : to_;
    const LanguageId other = sourceSide ? to_ : from_;
    const std::string caption = strings::prompt(28674);
    PairChange out;
    out.listShows = had;
    if (!chosen || *chosen < 0 || *chosen >= kLanguageCount || *chosen == other) {
        // The list goes back to the language it had; OK applies the choice all the same (so that
        // the two sides can be exchanged one after the other).
        const MessageResult r =
            prompts_.messageBox(strings::prompt(14330), caption, MessageIcon::Stop, MessageButtons::OkCancel);
        // With nothing (or no language) selected there is nothing to apply.
        if (r != MessageResult::Ok || !chosen || *chosen < 0 || *chosen >= kLanguageCount) return out;
        apply(sourceSide, *chosen);
        out.applied = true;
        if (sourceSide) {
            clearResults();
            out.resultsCleared = true;
        }
        return out;
    }
    const LanguageId f = sourceSide ? *chosen : from_;
    const LanguageId t = sourceSide ? to_ : *chosen;
    if (dictionaryFile(locator_, f, t).empty()) {
        std::string text = strings::prompt(14340);
        text = replaceAll(text, "%1", LanguageTable::languageName(f));
        text = replaceAll(text, "%2", LanguageTable::languageName(t));
        const MessageResult r = prompts_.messageBox(text, caption, MessageIcon::Stop, MessageButtons::OkCancel);
        // Cancel: the pair stays, and so does the list (it does not show a language not in use).
        if (r != MessageResult::Ok) return out;
        apply(sourceSide, *chosen);
        out.applied = true;
        out.listShows = *chosen;
        if (sourceSide) {
            clearResults();
            out.resultsCleared = true;
        }
        return out;
    }
    apply(sourceSide, *chosen);
    out.applied = true;
    out.listShows = *chosen;
    if (realTime_) refresh();
    return out;
}

void CDictionaryDoc::apply(bool sourceSide, LanguageId id) {
    if (sourceSide)
        from_ = id;
    else
        to_ = id;
    notifyControls();
}

void CDictionaryDoc::selectRow(std::optional<std::size_t> row) {
    selected_ = row && *row < results_.count() ? row : std::nullopt;
    showEntry();
}

void CDictionaryDoc::showEntry() {
    if (!selected_) return;
    const std::string name = dictionaryFile(locator_, from_, to_);
    if (name.empty()) return;
    // The row knows its entry: a text holding a tab would make the line's index field name
    // another entry.
    const std::optional<std::size_t> index = results_.entry(*selected_);
    DictionaryEntry entry;
    if (!ReadEntry(locator_.files(), name, *index, entry)) return;
    detail_ = detailText(entry, to_);
    if (views_) views_->detailChanged();

    const EntryResources res = entryResources(entry, locator_.cdromRoot());
    const FileAccess& files = locator_.files();
    PlaybackPlan plan;
    if (!res.maleVoice.empty() && files.exists(res.maleVoice)) plan.play(files.resolve(res.maleVoice).string());
    if (!res.femaleVoice.empty() && files.exists(res.femaleVoice))
        plan.pause(2).play(files.resolve(res.femaleVoice).string());
    // The picture and the media follow the voices, as the learner hears them first.
    runner_.run(std::move(plan), [this, res](PlaybackOutcome outcome) {
        if (outcome == PlaybackOutcome::Completed) showPictureAndMedia(res);
    });
}

void CDictionaryDoc::showPictureAndMedia(const EntryResources& res) {
    S::kBmpFile.write(store_, res.picture(ideogramSet_));
    if (views_) views_->pictureChanged();
    const FileAccess& files = locator_.files();
    MediaSettings media(store_);
    const char* section = MediaSettings::kDictionary;
    std::string video;
    if (!res.videoInAviFolder.empty() && files.exists(res.videoInAviFolder))
        video = res.videoInAviFolder;
    else if (!res.video.empty() && files.exists(res.video))
        video = res.video;
    if (!video.empty()) {
        media.setViewType(section, 0);
        media.setMediaName(section, video);
        if (media_) {
            media_->openDictionaryMedia();
            media_->setVisible(true);
        }
    } else if (!res.metafile.empty() && files.exists(res.metafile)) {
        media.setViewType(section, 1);
        media.setMediaName(section, res.metafile);
        if (media_) media_->setVisible(true);
    } else if (media_) {
        media_->setVisible(false);
    }
}

ExportOutcome CDictionaryDoc::exportTo(const std::string& localPath) const {
    const std::string name = dictionaryFile(locator_, from_, to_);
    if (name.empty()) return {ExportStatus::NoDictionary, {}};
    return ExportDictionary(locator_.files().resolve(name), from_, to_, localPath);
}

void CDictionaryDoc::setIdeogramSet(int set) {
    ideogramSet_ = set;
    AppSettings::kIdeogramSet.write(store_, set);
    notifyStateChanged();
    notifyControls();
    showEntry(); // the selected entry again: its voices and the picture of the new set
}

std::string CDictionaryDoc::frameCaption() const {
    return strings::prompt(28684) + " : " + LanguageTable::languageName(from_) + " - " +
           LanguageTable::languageName(to_);
}

} // namespace lumora
