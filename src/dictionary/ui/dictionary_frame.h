#pragma once
// The dictionary window (CDictionaryFrame): the search form on the left (languages with their
// flags, the key, the three modes, "Real time locate", "Start locate now", "Ignore tones and
// spaces"), the result form on the right (count caption, the result list, the detail edit) above
// the ideogram picture view, and the dictionary's media window. The decisions are the document's
// (CDictionaryDoc); these widgets show its state and forward what the learner does.
#include <functional>
#include <memory>

#include <QAbstractListModel>
#include <QPointer>
#include <QWidget>

#include "dictionary/dictionary_doc.h"
#include "foundation/codecs.h"
#include "foundation/playback.h"
#include "foundation/ui/activity.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMediaPlayer;
class QAudioOutput;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSplitter;
class QToolButton;
class QVideoWidget;

namespace lumora {

class MediaPictureView;

// The result lines as a list model: a row's text is made when the view asks for it, so 120,000
// lines cost nothing until they are scrolled to.
class DictionaryResultModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void setResult(const SearchResult& result, FontEncoding encoding);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The whole result line of a row (with its index column), decoded.
    QString line(int row) const;

private:
    SearchResult result_;
    FontEncoding encoding_ = FontEncoding::Windows1252;
};

// The ideogram picture view: draws the file named by "Dictionary"/"BmpFile" at the zoom of
// "Dict"/"Zoom", its top-left corner at (10, -10) logical units (0.2 mm).
class DictionaryPictureView final : public QWidget {
    Q_OBJECT
public:
    DictionaryPictureView(AppContext& context, QWidget* parent);
    void reload();
    bool hasPicture() const { return !image_.isNull(); }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double scale() const;
    AppContext& context_;
    QImage image_;
};

// The media window of the dictionary: a small tool window that plays the entry's video or shows
// that a vector picture is there.
class DictionaryMediaWidget final : public QWidget, public DictionaryMediaWindow {
    Q_OBJECT
public:
    DictionaryMediaWidget(AppContext& context, QWidget* owner);
    ~DictionaryMediaWidget() override;
    void openDictionaryMedia() override;
    void setVisible(bool visible) override;
    QMediaPlayer* player() const { return player_.get(); }
    QString openedFile() const { return opened_; }

private:
    AppContext& context_;
    std::unique_ptr<QAudioOutput> audio_;
    std::unique_ptr<QMediaPlayer> player_;
    QVideoWidget* video_ = nullptr;
    MediaPictureView* still_ = nullptr;
    QString opened_;
};

class CDictionaryFrame final : public QWidget, public DictionaryViews {
    Q_OBJECT
public:
    CDictionaryFrame(ActivityHost& host, CDictionaryDoc& doc, QWidget* parent = nullptr);
    ~CDictionaryFrame() override;

    // The first fill: controls from the document, then the search.
    void initialUpdate();
    // Whether the result form is the active pane (it handles "Export as...").
    bool resultFormActive() const;
    // Asks for the export file and writes it; failures are reported in a message box.
    void exportAs();
    // Tests replace the save dialog: returns the chosen local path, or an empty string to cancel.
    void setExportFileChooser(std::function<QString()> chooser) { chooseExportFile_ = std::move(chooser); }

    DictionaryMediaWidget* mediaWidget() const { return media_; }
    QLabel* countLabel() const { return count_; }
    QListView* resultList() const { return list_; }
    QLineEdit* detailEdit() const { return detail_; }
    QLineEdit* keyEdit() const { return key_; }
    QComboBox* sourceList() const { return fromList_; }
    QComboBox* targetList() const { return toList_; }
    DictionaryPictureView* pictureView() const { return picture_; }
    DictionaryResultModel* model() const { return model_; }

    // DictionaryViews
    void resultsChanged() override;
    void detailChanged() override;
    void pictureChanged() override;
    void controlsChanged() override;

signals:
    void activeStateChanged();

private:
    QWidget* buildSearchForm();
    QWidget* buildResultForm();
    void languageChosen(bool source, int index);
    QFont languageFont(LanguageId id) const;
    QString decode(const std::string& bytes, LanguageId id) const;

    ActivityHost& host_;
    CDictionaryDoc& doc_;
    QComboBox* fromList_ = nullptr;
    QComboBox* toList_ = nullptr;
    QToolButton* fromFlag_ = nullptr;
    QToolButton* toFlag_ = nullptr;
    QLabel* fromName_ = nullptr;
    QLabel* toName_ = nullptr;
    QLineEdit* key_ = nullptr;
    QRadioButton* modes_[3] = {};
    QCheckBox* realTime_ = nullptr;
    QCheckBox* ignoreTones_ = nullptr;
    QPushButton* locateNow_ = nullptr;
    QWidget* resultForm_ = nullptr;
    QLabel* count_ = nullptr;
    QListView* list_ = nullptr;
    DictionaryResultModel* model_ = nullptr;
    QLineEdit* detail_ = nullptr;
    QSplitter* column_ = nullptr;
    DictionaryPictureView* picture_ = nullptr;
    DictionaryMediaWidget* media_ = nullptr;
    QPointer<QObject> mediaGuard_;
    std::function<QString()> chooseExportFile_;
    bool updating_ = false; // controls being set from the document: their signals are not forwarded
    bool sized_ = false;
};

// The dictionary document in its window.
class DictionaryActivity final : public Activity, public CommandTarget {
public:
    explicit DictionaryActivity(ActivityHost& host);
    ~DictionaryActivity() override;

    ActivityTemplateId templateId() const override { return ActivityTemplateId::Dictionary; }
    bool open(const std::string& fileName) override;
    QWidget* widget() override;
    // The result form ("Export as..." while it is the active pane), then the document (13100, 13110).
    std::vector<CommandTarget*> commandTargets() override { return {this, &doc_}; }
    void start() override;
    void activated() override;
    void closing() override;
    QString initialCaption() const override;

    CDictionaryDoc& document() { return doc_; }
    CDictionaryFrame* frame() const { return frame_.data(); }

private:
    ActivityHost& host_;
    PlaybackRunner runner_;
    CDictionaryDoc doc_;
    QPointer<CDictionaryFrame> frame_; // owned by the child window
    bool started_ = false;
    bool closed_ = false;
};

} // namespace lumora
