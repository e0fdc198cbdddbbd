#include "dictionary/ui/dictionary_frame.h"

#include <QApplication>
#include <QAudioOutput>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMediaPlayer>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

#include "dictionary/dictionary_layout.h"
#include "dictionary/dictionary_settings.h"
#include "foundation/language_table.h"
#include "foundation/media_settings.h"
#include "foundation/ui/app_context.h"
#include "foundation/ui/language_font.h"
#include "foundation/ui/media_picture_view.h"
#include "platform/qt_text.h"
#include "resources/string_table.h"
#include "resources/ui/icons.h"

namespace lumora {

namespace {

// The display part of a result line: up to the tab before the index column.
std::string displayPart(const std::string& line) {
    const std::size_t last = line.size() >= 2 ? line.rfind('\t', line.size() - 2) : std::string::npos;
    return last == std::string::npos ? line : line.substr(0, last);
}
} // namespace

// ------------------------------------------------------------------------------------------ model

void DictionaryResultModel::setResult(const SearchResult& result, FontEncoding encoding) {
    beginResetModel();
    result_ = result;
    encoding_ = encoding;
    endResetModel();
}

int DictionaryResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(result_.count());
}

QVariant DictionaryResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= result_.count()) return {};
    if (role == Qt::DisplayRole)
        return qs(decodeText(displayPart(result_.line(static_cast<std::size_t>(index.row()))), encoding_));
    if (role == Qt::UserRole) return line(index.row());
    return {};
}

QString DictionaryResultModel::line(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= result_.count()) return {};
    return qs(decodeText(result_.line(static_cast<std::size_t>(row)), encoding_));
}

// ------------------------------------------------------------------------------------------ picture

DictionaryPictureView::DictionaryPictureView(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("CChineseView"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void DictionaryPictureView::reload() {
    const std::string name = DictionarySettings::kBmpFile.read(context_.store);
    image_ = QImage();
    if (!name.empty() && context_.files.exists(name))
        image_.load(QString::fromStdString(context_.files.resolve(name).string()));
    updateGeometry();
    update();
}

double DictionaryPictureView::scale() const {
    // 50 units a centimetre at zoom 100; a picture of w pixels covers w units.
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const double pxPerCm = s ? s->physicalDotsPerInchX() / 2.54 : 37.0;
    const int zoom = DictionarySettings::kZoom.read(context_.store);
    return (zoom > 0 ? zoom : 100) / 100.0 * pxPerCm / 50.0;
}

QSize DictionaryPictureView::sizeHint() const {
    if (image_.isNull()) return {200, 50};
    const double k = scale();
    return {static_cast<int>((image_.width() + 20) * k), static_cast<int>((image_.height() + 20) * k)};
}

void DictionaryPictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter p(this);
    const double k = scale();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(10 * k, 10 * k, image_.width() * k, image_.height() * k), image_);
}

// ------------------------------------------------------------------------------------------ media

DictionaryMediaWidget::DictionaryMediaWidget(AppContext& context, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint), context_(context) {
    setObjectName(QStringLiteral("DictionaryMedia"));
    setWindowIcon(icons::applicationIcon());
    resize(345, 320);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    video_ = new QVideoWidget(this);
    still_ = new MediaPictureView(context_, this);
    layout->addWidget(video_);
    layout->addWidget(still_);
    still_->hide();
    QWidget::setVisible(false);
}

DictionaryMediaWidget::~DictionaryMediaWidget() {
    if (player_) player_->stop();
}

void DictionaryMediaWidget::openDictionaryMedia() {
    MediaSettings media(context_.store);
    const std::string name = media.mediaName(MediaSettings::kDictionary);
    if (player_) player_->stop();
    opened_.clear();
    if (media.viewType(MediaSettings::kDictionary) != 0 || name.empty() || !context_.files.exists(name)) return;
    if (!player_) {
        audio_ = std::make_unique<QAudioOutput>();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(audio_.get());
        player_->setVideoOutput(video_);
    }
    opened_ = QString::fromStdString(context_.files.resolve(name).string());
    player_->setSource(QUrl::fromLocalFile(opened_));
    player_->play();
}

void DictionaryMediaWidget::setVisible(bool visible) {
    if (visible) {
        MediaSettings media(context_.store);
        const bool isVideo = media.viewType(MediaSettings::kDictionary) == 0;
        video_->setVisible(isVideo);
        still_->setVisible(!isVideo);
        if (!isVideo) {
            if (player_) player_->stop();
            const std::string name = media.mediaName(MediaSettings::kDictionary);
            still_->setFile(!name.empty() && context_.files.exists(name) ? context_.files.resolve(name).string()
                                                                          : std::string());
        }
        if (QWidget* owner = parentWidget()) {
            const QPoint topRight = owner->mapToGlobal(QPoint(owner->width() - width() - 40, 100));
            if (!isVisible()) move(topRight);
        }
    } else if (player_) {
        player_->stop();
    }
    QWidget::setVisible(visible);
}

// ------------------------------------------------------------------------------------------ frame

CDictionaryFrame::CDictionaryFrame(ActivityHost& host, CDictionaryDoc& doc, QWidget* parent)
    : QWidget(parent), host_(host), doc_(doc) {
    setObjectName(QStringLiteral("CDictionaryFrame"));
    const DictionaryFormLayout layout = dictionaryFormLayout(screen() ? screen()->geometry().height() : 768);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    QWidget* search = buildSearchForm();
    search->setFixedWidth(kDictionarySearchFormWidth);
    search->layout()->setContentsMargins(layout.margin, layout.margin, layout.margin, layout.margin);
    search->layout()->setSpacing(layout.spacing);
    row->addWidget(search);
    column_ = new QSplitter(Qt::Vertical, this);
    resultForm_ = buildResultForm();
    resultForm_->layout()->setContentsMargins(layout.margin, layout.margin, layout.margin, layout.margin);
    resultForm_->layout()->setSpacing(layout.spacing);
    column_->addWidget(resultForm_);
    auto* scroll = new QScrollArea(column_);
    picture_ = new DictionaryPictureView(host_.context(), scroll);
    scroll->setWidget(picture_);
    scroll->setWidgetResizable(true);
    scroll->setMinimumHeight(0);
    column_->addWidget(scroll);
    column_->setChildrenCollapsible(false);
    row->addWidget(column_, 1);
    media_ = new DictionaryMediaWidget(host_.context(), host_.dialogParent());
    mediaGuard_ = media_;
    doc_.setViews(this);
    doc_.setMediaWindow(media_);
    connect(qApp, &QApplication::focusChanged, this, [this] { emit activeStateChanged(); });
    chooseExportFile_ = [this] {
        QFileDialog dialog(this, qs(strings::prompt(28696)), QString(), QStringLiteral("Text Files (*.txt)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("TXT"));
        dialog.setOption(QFileDialog::ReadOnly, false);
        // Overwriting an existing file is confirmed (the dialog asks by default).
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
        return dialog.selectedFiles().front();
    };
}

CDictionaryFrame::~CDictionaryFrame() {
    doc_.setViews(nullptr);
    doc_.setMediaWindow(nullptr);
    if (mediaGuard_) delete media_;
}

QWidget* CDictionaryFrame::buildSearchForm() {
    auto* form = new QWidget(this);
    form->setObjectName(QStringLiteral("CAskDictView"));
    auto* v = new QVBoxLayout(form);
    auto makeList = [&](const char* name) {
        auto* list = new QComboBox(form);
        list->setObjectName(QLatin1String(name));
        list->setIconSize(QSize(icons::kFlagWidth / 2, icons::kFlagHeight / 2));
        for (int id = 0; id < kLanguageCount; ++id)
            list->addItem(QIcon(icons::listFlagPixmap(LanguageTable::listFlag(id))),
                          qs(LanguageTable::languageName(id)));
        return list;
    };
    auto makeFlag = [&](const char* name) {
        auto* b = new QToolButton(form);
        b->setObjectName(QLatin1String(name));
        b->setIconSize(QSize(icons::kFlagWidth, icons::kFlagHeight));
        b->setAutoRaise(true);
        return b;
    };
    v->addWidget(new QLabel(QObject::tr("From"), form));
    fromList_ = makeList("sourceList");
    v->addWidget(fromList_);
    auto* fromRow = new QHBoxLayout;
    fromFlag_ = makeFlag("sourceFlag");
    fromName_ = new QLabel(QStringLiteral("Lang From"), form);
    fromName_->setWordWrap(true);
    fromRow->addWidget(fromFlag_);
    fromRow->addWidget(fromName_, 1);
    v->addLayout(fromRow);
    v->addWidget(new QLabel(QObject::tr("To"), form));
    toList_ = makeList("targetList");
    v->addWidget(toList_);
    auto* toRow = new QHBoxLayout;
    toFlag_ = makeFlag("targetFlag");
    toName_ = new QLabel(QStringLiteral("Lang To"), form);
    toName_->setWordWrap(true);
    toRow->addWidget(toFlag_);
    toRow->addWidget(toName_, 1);
    v->addLayout(toRow);
    v->addWidget(new QLabel(QObject::tr("Find"), form));
    key_ = new QLineEdit(form);
    key_->setObjectName(QStringLiteral("key"));
    key_->setMaxLength(DictionarySettings::kMaxKeyBytes);
    v->addWidget(key_);
    const char* modeNames[3] = {"Start with", "Contain", "End with"};
    auto* group = new QButtonGroup(form);
    for (int m = 0; m < 3; ++m) {
        modes_[m] = new QRadioButton(QString::fromLatin1(modeNames[m]), form);
        modes_[m]->setObjectName(QStringLiteral("mode%1").arg(m));
        group->addButton(modes_[m], m);
        v->addWidget(modes_[m]);
    }
    realTime_ = new QCheckBox(QStringLiteral("Real time locate"), form);
    realTime_->setObjectName(QStringLiteral("realTime"));
    v->addWidget(realTime_);
    ignoreTones_ = new QCheckBox(qs(strings::prompt(28697)), form);
    ignoreTones_->setObjectName(QStringLiteral("ignoreTones"));
    v->addWidget(ignoreTones_);
    locateNow_ = new QPushButton(QStringLiteral("Start locate now"), form);
    locateNow_->setObjectName(QStringLiteral("locateNow"));
    v->addWidget(locateNow_);
    v->addStretch(1);

    connect(fromList_, &QComboBox::activated, this, [this](int i) { languageChosen(true, i); });
    connect(toList_, &QComboBox::activated, this, [this](int i) { languageChosen(false, i); });
    connect(key_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (updating_) return;
        host_.setWaitCursor(true);
        doc_.editChanged(text.toStdString());
        host_.setWaitCursor(false);
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int m) {
        if (updating_) return;
        host_.setWaitCursor(true);
        doc_.chooseMode(m, key_->text().toStdString());
        host_.setWaitCursor(false);
    });
    connect(realTime_, &QCheckBox::clicked, this, [this] {
        if (!updating_) doc_.toggleRealTime();
    });
    connect(ignoreTones_, &QCheckBox::clicked, this, [this] {
        if (!updating_) doc_.toggleIgnoreTones();
    });
    connect(locateNow_, &QPushButton::clicked, this, [this] {
        host_.setWaitCursor(true);
        doc_.refresh();
        host_.setWaitCursor(false);
    });
    return form;
}

QWidget* CDictionaryFrame::buildResultForm() {
    auto* form = new QWidget(this);
    form->setObjectName(QStringLiteral("CDictionaryView"));
    auto* v = new QVBoxLayout(form);
    count_ = new QLabel(form);
    count_->setObjectName(QStringLiteral("count"));
    v->addWidget(count_);
    list_ = new QListView(form);
    list_->setObjectName(QStringLiteral("results"));
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    model_ = new DictionaryResultModel(list_);
    list_->setModel(model_);
    v->addWidget(list_, 1);
    detail_ = new QLineEdit(form);
    detail_->setObjectName(QStringLiteral("detail"));
    detail_->setReadOnly(true);
    v->addWidget(detail_);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (updating_) return;
        doc_.selectRow(current.isValid() ? std::optional<std::size_t>(static_cast<std::size_t>(current.row()))
                                         : std::nullopt);
    });
    return form;
}

void CDictionaryFrame::initialUpdate() {
    host_.setWaitCursor(true);
    controlsChanged();
    doc_.refresh();
    host_.setWaitCursor(false);
    // The result form takes the column's height less 50 pixels, the picture view the rest.
    QTimer::singleShot(0, this, [this] {
        const int h = column_->height();
        const int top = dictionaryResultHeight(h);
        column_->setSizes({top, std::max(0, h - top)});
    });
}

QFont CDictionaryFrame::languageFont(LanguageId id) const {
    return languageDisplayFont(id, 2.0 / 3.0, 12);
}

QString CDictionaryFrame::decode(const std::string& bytes, LanguageId id) const {
    return qs(decodeText(bytes, encodingForLanguage(id)));
}

void CDictionaryFrame::languageChosen(bool source, int index) {
    if (updating_) return;
    const PairChange change = source ? doc_.chooseSource(index) : doc_.chooseTarget(index);
    updating_ = true;
    (source ? fromList_ : toList_)->setCurrentIndex(change.listShows);
    updating_ = false;
}

void CDictionaryFrame::controlsChanged() {
    updating_ = true;
    fromList_->setCurrentIndex(doc_.from());
    toList_->setCurrentIndex(doc_.to());
    fromFlag_->setIcon(QIcon(icons::languageFlagPixmap(doc_.from())));
    toFlag_->setIcon(QIcon(icons::languageFlagPixmap(doc_.to())));
    fromName_->setText(qs(LanguageTable::languageName(doc_.from())));
    toName_->setText(qs(LanguageTable::languageName(doc_.to())));
    key_->setFont(languageFont(doc_.from()));
    const QString key = decode(doc_.key(), doc_.from());
    if (key_->text() != key) key_->setText(key);
    for (int m = 0; m < 3; ++m)
        modes_[m]->setChecked(doc_.mode() == m);
    realTime_->setChecked(doc_.realTime());
    ignoreTones_->setChecked(doc_.ignoreTones());
    locateNow_->setVisible(!doc_.realTime());
    list_->setFont(languageFont(doc_.from()));
    detail_->setFont(languageFont(doc_.to()));
    updating_ = false;
    QWidget* child = parentWidget();
    while (child && !child->isWindow() && !child->inherits("QMdiSubWindow"))
        child = child->parentWidget();
    if (child && child->inherits("QMdiSubWindow")) child->setWindowTitle(qs(doc_.frameCaption()));
}

void CDictionaryFrame::resultsChanged() {
    updating_ = true;
    model_->setResult(doc_.results(), encodingForLanguage(doc_.from()));
    updating_ = false;
    // Nothing is written when the pair has no dictionary.
    if (const std::optional<std::string> caption = doc_.caption())
        count_->setText(qs(*caption));
    else if (!doc_.results().hasDictionary())
        count_->clear();
}

void CDictionaryFrame::detailChanged() {
    detail_->setText(decode(doc_.detail(), doc_.to()));
}

void CDictionaryFrame::pictureChanged() {
    picture_->reload();
}

bool CDictionaryFrame::resultFormActive() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == resultForm_ || resultForm_->isAncestorOf(focus));
}

void CDictionaryFrame::exportAs() {
    const QString file = chooseExportFile_ ? chooseExportFile_() : QString();
    if (file.isEmpty()) return;
    host_.setWaitCursor(true);
    const ExportOutcome outcome = doc_.exportTo(file.toStdString());
    host_.setWaitCursor(false);
    if (outcome.status == ExportStatus::Failed) {
        std::string text = strings::prompt(14350);
        const std::size_t at = text.find("%1");
        if (at != std::string::npos) text.replace(at, 2, outcome.error);
        host_.context().prompts().messageBox(text, strings::prompt(28674), MessageIcon::Stop, MessageButtons::Ok);
    }
}

} // namespace lumora
