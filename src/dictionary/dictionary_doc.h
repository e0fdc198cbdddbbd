#pragma once
// The dictionary document: the search parameters (pair, key, mode, real-time locate, tone-blind
// comparison) kept in the settings section "Dictionary", the ideogram set, the result of the last
// search, the selected entry and its detail text. It decides what a change of pair does, what
// showing an entry plays, writes and shows, and it exports a pair. Its views and the media window
// are told through the interfaces below; message boxes go through Prompts and voices through a
// PlaybackRunner, so the tests drive it with fakes.
#include <functional>
#include <optional>
#include <string>

#include "dictionary/dictionary_export.h"
#include "dictionary/dictionary_search.h"
#include "foundation/command_target.h"
#include "foundation/content_locator.h"
#include "foundation/platform.h"
#include "foundation/playback.h"
#include "foundation/settings_store.h"

namespace lumora {

// What the document asks of its views.
class DictionaryViews {
public:
    virtual ~DictionaryViews() = default;
    virtual void resultsChanged() {}  // the list and the count caption
    virtual void detailChanged() {}   // the detail edit
    virtual void pictureChanged() {}  // "Dictionary"/"BmpFile" was written: redraw the picture views
    virtual void controlsChanged() {} // languages, flags, fonts, mode, check boxes, frame caption
};

// The main frame's media window as the dictionary uses it.
class DictionaryMediaWindow {
public:
    virtual ~DictionaryMediaWindow() = default;
    virtual void openDictionaryMedia() = 0; // opens "Dictionary"/"MMName" when it is a video
    virtual void setVisible(bool visible) = 0;
};

// The outcome of a change of pair, for the language list that was used.
struct PairChange {
    bool applied = false;        // the language was stored on its side
    LanguageId listShows = 0;    // the language the list must show afterwards
    bool resultsCleared = false; // the result list was emptied
};

class CDictionaryDoc : public CommandTarget {
public:
    static constexpr int kSimplifiedCommand = 13100;
    static constexpr int kTraditionalCommand = 13110;

    // Writes "Multimedia"/"View" = 1, reads the ideogram set and the search parameters.
    CDictionaryDoc(SettingsStore& store, const ContentLocator& locator, Prompts& prompts, PlaybackRunner& runner);
    // Writes the search parameters back.
    ~CDictionaryDoc() override;

    void setViews(DictionaryViews* views) { views_ = views; }
    void setMediaWindow(DictionaryMediaWindow* media) { media_ = media; }

    // Reads the parameters from "Dictionary" (a stored language outside 0..20 reads as 0) / writes them.
    void loadParameters();
    void storeParameters() const;

    LanguageId from() const { return from_; }
    LanguageId to() const { return to_; }
    const std::string& key() const { return key_; }
    int mode() const { return mode_; }
    bool realTime() const { return realTime_; }
    bool ignoreTones() const { return ignoreTones_; }
    int ideogramSet() const { return ideogramSet_; }

    // The search edit changed: its text (UTF-8) becomes the key, encoded for the source language
    // and cut to 99 bytes; a search runs when real-time locate is on.
    void editChanged(const std::string& utf8);
    // A mode radio: the edit's text becomes the key, the mode is set; a search in real time.
    void chooseMode(int mode, const std::string& utf8);
    // The check box: inverts real-time locate.
    void toggleRealTime();
    // The "Ignore tones and spaces" box: inverts it; a search in real time.
    void toggleIgnoreTones();
    // "Start locate now" and the views' refresh: search, hide the media window, clear the detail.
    void refresh();
    // Runs the search with the current parameters.
    void search();
    // Empties the result list (no caption).
    void clearResults();

    const SearchResult& results() const { return results_; }
    // The count caption; nothing when the pair has no dictionary (or no search ran).
    std::optional<std::string> caption() const { return results_.caption(); }
    std::string line(std::size_t row) const { return results_.line(row); }
    // The detail text (bytes in the target language's encoding).
    const std::string& detail() const { return detail_; }
    std::optional<std::size_t> selectedRow() const { return selected_; }

    // A selection in the source or target list (nothing selected: std::nullopt).
    PairChange chooseSource(std::optional<LanguageId> s);
    PairChange chooseTarget(std::optional<LanguageId> t);

    // A selection in the result list (nothing: std::nullopt): the detail, the voices, then the
    // picture and the media.
    void selectRow(std::optional<std::size_t> row);

    // Exports the pair's dictionary to a local file.
    ExportOutcome exportTo(const std::string& localPath) const;

    // The commands 13100 and 13110: the ideogram set, shown again for the selected entry.
    void setIdeogramSet(int set);

    // The frame caption: "Dictionary : <source> - <target>".
    std::string frameCaption() const;

private:
    PairChange change(bool sourceSide, std::optional<LanguageId> chosen);
    void apply(bool sourceSide, LanguageId id);
    void showEntry();
    void showPictureAndMedia(const EntryResources& res);
    void notifyResults() {
        if (views_) views_->resultsChanged();
    }
    void notifyControls() {
        if (views_) views_->controlsChanged();
    }

    SettingsStore& store_;
    const ContentLocator& locator_;
    Prompts& prompts_;
    PlaybackRunner& runner_;
    DictionaryViews* views_ = nullptr;
    DictionaryMediaWindow* media_ = nullptr;

    LanguageId from_ = 5, to_ = 18;
    std::string key_;
    bool keyMappable_ = true;
    int mode_ = 0;
    bool realTime_ = true;
    bool ignoreTones_ = false;
    int ideogramSet_ = 0;

    SearchResult results_;
    std::optional<std::size_t> selected_;
    std::string detail_;
};

} // namespace lumora
