#include "exercises/ui/exercise_window.h"

#include <algorithm>

#include <QAccessible>
#include <QAudioOutput>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMediaPlayer>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

#include "exercises/exercise_commands.h"
#include "exercises/exercise_settings.h"
#include "exercises/exercise_setup.h"
#include "exercises/question_pool.h"
#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "foundation/text_util.h"
#include "foundation/frame_commands.h"
#include "foundation/language_table.h"
#include "foundation/media_settings.h"
#include "foundation/ui/app_context.h"
#include "foundation/ui/language_font.h"
#include "foundation/ui/media_picture_view.h"
#include "resources/string_table.h"
#include "resources/ui/icons.h"

namespace lumora {

namespace {
QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

ActivityTemplateId templateOf(ExerciseKind kind) {
    switch (kind) {
    case ExerciseKind::Verify:
        return ActivityTemplateId::Verify;
    case ExerciseKind::Picture:
        return ActivityTemplateId::PictureExercise;
    case ExerciseKind::Translation:
        return ActivityTemplateId::TranslationExercise;
    }
    return ActivityTemplateId::Verify;
}

// Screens 480 pixels high get the compact layouts.
bool compactScreen() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s && s->geometry().height() <= 480;
}

// Why a language row builds nothing ("" when it builds).
QString unavailableReason(const LanguageRowPair& pair) {
    if (pair.available) return {};
    if (pair.from == pair.to) return QStringLiteral("The same language on both sides");
    return QStringLiteral("No dictionary %1 - %2 in this course")
        .arg(qs(LanguageTable::languageName(pair.from)), qs(LanguageTable::languageName(pair.to)));
}

// The texts of a language in the question form and the answer dialog: smaller on compact screens.
QFont exerciseFont(LanguageId id) {
    return compactScreen() ? languageDisplayFont(id, 0.5, 13, 16) : languageDisplayFont(id, 2.0 / 3.0, 14);
}
} // namespace

// ------------------------------------------------------------------------------- picture view

ExercisePictureView::ExercisePictureView(AppContext& context, const CExTranslDoc& doc, QWidget* parent)
    : QWidget(parent), context_(context), doc_(doc) {
    setObjectName(QStringLiteral("CExChineseView"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumHeight(compactScreen() ? 56 : 120);
}

void ExercisePictureView::reload() {
    const std::string name = (doc_.ideogramStyle() == 1 ? ExerciseSettings::kTraditional : ExerciseSettings::kSimplify)
                                 .read(context_.store);
    image_ = QImage();
    if (!name.empty() && context_.files.exists(name)) image_.load(qs(context_.files.resolve(name).string()));
    update();
}

void ExercisePictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The picture at its size, smaller when the pane is smaller, centred.
    QSizeF size = image_.size();
    const double k = std::min({1.0, (width() - 20) / size.width(), (height() - 20) / size.height()});
    if (k <= 0) return;
    size *= k;
    p.drawImage(QRectF((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(), size.height()), image_);
}

// ------------------------------------------------------------------------------ answer dialog

AnswerDialog::AnswerDialog(AppContext& context, const ExerciseSession& session, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KHERREUR"));
    setWindowTitle(QStringLiteral("The correct answer is"));
    auto* grid = new QGridLayout(this);
    auto picture = [&](const char* name, int id) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("%1").arg(id));
        b->setIcon(QIcon(icons::namedPixmap(QLatin1String(name), devicePixelRatioF())));
        b->setIconSize(icons::namedPictureSize(QLatin1String(name)));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    const int from = ExerciseSettings::kFrom.read(context.store);
    const int to = ExerciseSettings::kTo.read(context.store);
    const bool picture5 = AppSettings(context.store).remember() == 5;
    auto field = [&](int id, const std::string& text, LanguageId lang) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("%1").arg(id));
        e->setReadOnly(true);
        e->setFont(exerciseFont(lang));
        e->setText(qs(decodeText(text, encodingForLanguage(lang))));
        e->setMinimumWidth(320);
        return e;
    };
    question_ = field(13018, " " + session.question() + " ", from);
    question_->setAccessibleName(QStringLiteral("Question"));
    answer_ = field(13020, " " + session.answerText() + " ", picture5 ? from : to);
    answer_->setAccessibleName(QStringLiteral("Correct answer"));
    grid->addWidget(picture("ques", 13017), 0, 0);
    grid->addWidget(question_, 0, 1);
    grid->addWidget(picture("answer", 13019), 1, 0);
    grid->addWidget(answer_, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(buttons, 2, 0, 1, 2);
}

// ------------------------------------------------------------------------------- the activity

ExerciseActivity::ExerciseActivity(ActivityHost& host, ExerciseKind kind)
    : host_(host), kind_(kind), runner_(host.context().sound(), host.context().clock()) {
    using namespace cmd::exercise;
    commandTable()
        .addWhen(
            ShowMedia,
            [this] {
                if (!session_) return false;
                session_->showMedia();
                return true;
            },
            [this]() -> std::optional<CommandState> {
                if (!session_) return std::nullopt;
                return CommandState{};
            })
        .addWhen(
            PlayVoices,
            [this] {
                if (!session_) return false;
                session_->playVoices();
                return true;
            },
            [this]() -> std::optional<CommandState> {
                if (!session_) return std::nullopt;
                return CommandState{};
            })
        .addWhen(
            SetTitle,
            [this] {
                if (!frame_) return false;
                frame_->updateTitle();
                return true;
            },
            [this]() -> std::optional<CommandState> {
                if (!frame_) return std::nullopt;
                return CommandState{};
            });
}

ExerciseActivity::~ExerciseActivity() {
    closing();
}

ActivityTemplateId ExerciseActivity::templateId() const {
    return templateOf(kind_);
}

bool ExerciseActivity::open(const std::string&) {
    AppContext& c = host_.context();
    doc_ = std::make_unique<CExTranslDoc>(c.store, false);
    session_ = std::make_unique<ExerciseSession>(
        ExerciseServices{c.store, c.locator, c.catalogue, c.prompts(), runner_, programRandom()}, *this, *doc_, kind_);
    return true;
}

QWidget* ExerciseActivity::widget() {
    if (frame_) return frame_.data();
    frame_ = new ExerciseFrame(host_, *this, kind_);
    doc_->onIdeogramStyleChanged = [this] {
        if (frame_) frame_->pictureView()->reload();
    };
    return frame_.data();
}

void ExerciseActivity::start() {
    if (started_ || !frame_ || !session_) return;
    started_ = true;
    frame_->initialUpdate();
    if (kind_ == ExerciseKind::Verify) {
        if (!session_->startVerify()) return; // the course was asked for
    } else {
        session_->start();
    }
    frame_->schedulePaint();
}

void ExerciseActivity::activated() {
    // The verify exercise starts by itself once its window is up; the other two when the shell does
    // not ask them to (a window reopened at start-up).
    if (!started_ && frame_) {
        QTimer::singleShot(0, frame_, [this] {
            if (!started_ && !closed_) start();
        });
    }
}

void ExerciseActivity::closing() {
    if (closed_) return;
    closed_ = true;
    host_.showStatusMessage(""); // a refused To language's reason goes with the window
    runner_.cancel();
    if (frame_) frame_->closeMedia();
    if (session_) session_->close(); // the score goes to the history, whichever way the window closes
}

QString ExerciseActivity::initialCaption() const {
    return doc_ ? qs(exerciseWindowTitle(*doc_, kind_)) : QString();
}

void ExerciseActivity::setAnswersVisible(bool visible) {
    if (frame_) frame_->refreshVisibility(visible);
}

void ExerciseActivity::questionChanged() {
    if (frame_) frame_->refreshQuestion();
}

void ExerciseActivity::picturesChanged() {
    if (frame_) frame_->pictureView()->reload();
}

void ExerciseActivity::showMedia() {
    if (frame_) frame_->openMedia();
}

void ExerciseActivity::hideMedia() {
    if (frame_) frame_->closeMedia();
}

void ExerciseActivity::showAnswerDialog() {
    if (frame_)
        frame_->openAnswerDialog();
    else
        session_->answerDialogClosed();
}

void ExerciseActivity::openCourse() {
    host_.postCommand(cmd::frame::Course);
}

// ---------------------------------------------------------------------------------- the frame

ExerciseFrame::ExerciseFrame(ActivityHost& host, ExerciseActivity& activity, ExerciseKind kind, QWidget* parent)
    : QWidget(parent), host_(host), activity_(activity), kind_(kind), random_(programRandom()) {
    setObjectName(kind == ExerciseKind::Verify ? QStringLiteral("CAcquisFrame") : QStringLiteral("CExerciseFrame"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(Qt::Horizontal, this);
    if (kind == ExerciseKind::Verify) {
        split->addWidget(buildHeader());
    } else {
        // The set-up form scrolls when the window is lower than the form (screens 480 lines high).
        auto* scroll = new QScrollArea(split);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QWidget* form = buildSetupForm();
        scroll->setWidget(form);
        scroll->setMinimumWidth(std::max(form->minimumWidth(), form->minimumSizeHint().width()) +
                                scroll->verticalScrollBar()->sizeHint().width());
        split->addWidget(scroll);
    }
    auto* right = new QSplitter(Qt::Vertical, split);
    // No pane is squeezed below what it needs: the answers stay readable when the media appears.
    right->setChildrenCollapsible(false);
    right->addWidget(buildQuestionForm());
    right->addWidget(buildMediaPane());
    picture_ = new ExercisePictureView(host.context(), activity.document(), right);
    right->addWidget(picture_);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    right->setStretchFactor(2, 1);
    split->addWidget(right);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    if (kind == ExerciseKind::Verify) split->setSizes({200, 800});
    layout->addWidget(split);
    mediaPane_->hide();

    // Keys: 1-5 answer, Space or R replays the voices.
    for (int k = 0; k < 5; ++k) {
        auto* s = new QShortcut(QKeySequence(Qt::Key_1 + k), this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, [this, k] {
            if (choices_[static_cast<std::size_t>(k)]->isVisible()) choices_[static_cast<std::size_t>(k)]->click();
        });
    }
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Space), QKeySequence(Qt::Key_R)}) {
        auto* s = new QShortcut(key, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, [this] {
            if (activity_.session()) activity_.session()->playVoices();
        });
    }
}

ExerciseFrame::~ExerciseFrame() {
    if (player_) player_->stop();
}

QFont ExerciseFrame::languageFont(LanguageId id) const {
    return exerciseFont(id);
}

QString ExerciseFrame::decode(const std::string& bytes, LanguageId id) const {
    return qs(decodeText(bytes, encodingForLanguage(id >= 0 && id <= 20 ? id : 0)));
}

QWidget* ExerciseFrame::buildSetupForm() {
    auto* form = new QWidget(this);
    form->setObjectName(kind_ == ExerciseKind::Picture ? QStringLiteral("CAskFindPictView")
                                                       : QStringLiteral("CAskExTranslView"));
    auto* v = new QVBoxLayout(form);
    if (compactScreen()) v->setSpacing(2);
    auto makeList = [&](const char* name, const QString& label) {
        v->addWidget(new QLabel(label, form));
        auto* list = new QListWidget(form);
        list->setObjectName(QLatin1String(name));
        list->setAccessibleName(label);
        list->setIconSize(QSize(icons::kFlagWidth / 2, icons::kFlagHeight / 2));
        for (int id = 0; id < kLanguageCount; ++id)
            list->addItem(new QListWidgetItem(QIcon(icons::listFlagPixmap(LanguageTable::listFlag(id))),
                                              qs(LanguageTable::languageName(id))));
        list->setMaximumHeight(compactScreen() ? 70 : 120);
        v->addWidget(list);
        return list;
    };
    auto makeFlagRow = [&](QToolButton*& flag, QLabel*& name, const char* placeholder) {
        auto* row = new QHBoxLayout;
        flag = new QToolButton(form);
        flag->setIconSize(compactScreen() ? QSize(icons::kFlagWidth / 2, icons::kFlagHeight / 2)
                                          : QSize(icons::kFlagWidth, icons::kFlagHeight));
        flag->setAutoRaise(true);
        flag->setFocusPolicy(Qt::NoFocus);
        name = new QLabel(QLatin1String(placeholder), form);
        row->addWidget(flag);
        row->addWidget(name, 1);
        v->addLayout(row);
    };
    const bool translation = kind_ == ExerciseKind::Translation;
    fromList_ = makeList("28680", translation ? QStringLiteral("From") : QStringLiteral("Language"));
    makeFlagRow(fromFlag_, fromName_, "Lang From");
    connect(fromList_, &QListWidget::currentRowChanged, this, [this](int row) { languageChosen(true, row); });
    if (translation) {
        toList_ = makeList("18030", QStringLiteral("To"));
        makeFlagRow(toFlag_, toName_, "Lang To");
        connect(toList_, &QListWidget::currentRowChanged, this, [this](int row) { languageChosen(false, row); });
    }
    v->addWidget(new QLabel(QStringLiteral("Lessons (double-click or \"Add\" to select)"), form));
    lessons_ = new QListWidget(form);
    lessons_->setObjectName(QStringLiteral("13013"));
    lessons_->setAccessibleName(QStringLiteral("Lessons"));
    v->addWidget(lessons_, 1);
    auto* moves = new QHBoxLayout;
    add_ = new QPushButton(QStringLiteral("&Add to Selected \u2193"), form);
    remove_ = new QPushButton(QStringLiteral("Re&move from Selected \u2191"), form);
    moves->addWidget(add_);
    moves->addWidget(remove_);
    v->addLayout(moves);
    v->addWidget(new QLabel(QStringLiteral("Selected"), form));
    selected_ = new QListWidget(form);
    selected_->setObjectName(QStringLiteral("13014"));
    selected_->setAccessibleName(QStringLiteral("Selected lessons"));
    v->addWidget(selected_, 1);
    realTime_ = new QCheckBox(QStringLiteral("Real time job"), form);
    realTime_->setObjectName(QStringLiteral("28678"));
    v->addWidget(realTime_);
    apply_ = new QPushButton(QStringLiteral("Update current exercise with selected choice"), form);
    apply_->setObjectName(QStringLiteral("1"));
    v->addWidget(apply_);
    connect(add_, &QPushButton::clicked, this, &ExerciseFrame::moveToSelected);
    connect(lessons_, &QListWidget::itemDoubleClicked, this, &ExerciseFrame::moveToSelected);
    connect(remove_, &QPushButton::clicked, this, &ExerciseFrame::removeFromSelected);
    connect(selected_, &QListWidget::itemDoubleClicked, this, &ExerciseFrame::removeFromSelected);
    connect(realTime_, &QCheckBox::toggled, this, [this](bool) {
        if (updating_) return;
        activity_.document().toggleRealTime();
        apply_->setVisible(activity_.document().realTime() != 1);
    });
    connect(apply_, &QPushButton::clicked, this, &ExerciseFrame::apply);
    form->setMinimumWidth(260);
    return form;
}

QWidget* ExerciseFrame::buildHeader() {
    auto* form = new QWidget(this);
    form->setObjectName(QStringLiteral("CAskAcquisView"));
    auto* v = new QVBoxLayout(form);
    auto row = [&](const QString& label, QToolButton*& flag, QLabel*& name, const char* placeholder) {
        v->addWidget(new QLabel(label, form));
        flag = new QToolButton(form);
        flag->setIconSize(QSize(icons::kFlagWidth, icons::kFlagHeight));
        flag->setAutoRaise(true);
        flag->setFocusPolicy(Qt::NoFocus);
        v->addWidget(flag);
        name = new QLabel(QLatin1String(placeholder), form);
        v->addWidget(name);
    };
    row(QStringLiteral("From"), fromFlag_, fromName_, "Lang From");
    row(QStringLiteral("To"), toFlag_, toName_, "Lang To");
    v->addStretch(1);
    form->setMinimumWidth(160);
    return form;
}

QWidget* ExerciseFrame::buildQuestionForm() {
    auto* form = new QWidget(this);
    form->setObjectName(kind_ == ExerciseKind::Picture       ? QStringLiteral("CFindPictView")
                        : kind_ == ExerciseKind::Translation ? QStringLiteral("CExTranslateView")
                                                             : QStringLiteral("CAcquisView"));
    questionForm_ = form;
    form->installEventFilter(this);
    auto* v = new QVBoxLayout(form);
    if (compactScreen()) v->setSpacing(2);
    question_ = new QPushButton(form);
    question_->setObjectName(QStringLiteral("15020"));
    question_->setAccessibleName(QStringLiteral("Question (press to hear it again)"));
    question_->setMinimumHeight(compactScreen() ? 32 : 48);
    connect(question_, &QPushButton::clicked, this, [this] {
        if (activity_.session()) activity_.session()->playVoices();
    });
    v->addWidget(question_);
    for (int k = 0; k < 5; ++k) {
        auto* b = new QRadioButton(form);
        b->setObjectName(QStringLiteral("%1").arg(cmd::exercise::FirstAnswer + k));
        b->setAutoExclusive(false);
        b->setAccessibleName(QStringLiteral("Answer %1").arg(k + 1));
        connect(b, &QRadioButton::clicked, this, [this, k, b] {
            b->setChecked(false);
            if (activity_.session()) activity_.session()->answer(k);
            schedulePaint();
        });
        choices_[static_cast<std::size_t>(k)] = b;
        v->addWidget(b);
    }
    auto* bottom = new QHBoxLayout;
    face_ = new QToolButton(form);
    face_->setObjectName(QStringLiteral("13016"));
    face_->setAutoRaise(true);
    face_->setFocusPolicy(Qt::NoFocus);
    face_->setIconSize(compactScreen() ? icons::namedPictureSize(QStringLiteral("N0")) / 2
                                       : icons::namedPictureSize(QStringLiteral("N0")));
    face_->setIcon(QIcon(icons::namedPixmap(QStringLiteral("N0"), devicePixelRatioF())));
    face_->setProperty("face", QStringLiteral("N0"));
    face_->setAccessibleName(QStringLiteral("Face"));
    face_->setAccessibleDescription(QStringLiteral("Not yet answered"));
    score_ = new QLabel(form);
    score_->setObjectName(QStringLiteral("13015"));
    score_->setWordWrap(true);
    score_->setAccessibleName(QStringLiteral("Score"));
    bottom->addWidget(face_);
    bottom->addWidget(score_, 1);
    v->addLayout(bottom);
    hint_ = new QLabel(form);
    hint_->setObjectName(QStringLiteral("ExerciseHint"));
    hint_->setWordWrap(true);
    hint_->setAlignment(Qt::AlignCenter);
    hint_->setMargin(24);
    hint_->hide();
    v->addWidget(hint_);
    v->addStretch(1);
    return form;
}

QWidget* ExerciseFrame::buildMediaPane() {
    mediaPane_ = new QWidget(this);
    mediaPane_->setObjectName(QStringLiteral("ExerciseMedia"));
    auto* v = new QVBoxLayout(mediaPane_);
    v->setContentsMargins(0, 0, 0, 0);
    video_ = new QVideoWidget(mediaPane_);
    const QSize least = compactScreen() ? QSize(160, 100) : QSize(240, 180);
    video_->setMinimumSize(least);
    still_ = new MediaPictureView(host_.context(), mediaPane_);
    still_->setMinimumSize(least);
    v->addWidget(video_);
    v->addWidget(still_);
    return mediaPane_;
}

void ExerciseFrame::initialUpdate() {
    updating_ = true;
    CExTranslDoc& doc = activity_.document();
    AppContext& c = host_.context();
    if (fromList_) fromList_->setCurrentRow(doc.fromLanguage() >= 0 && doc.fromLanguage() <= 20 ? doc.fromLanguage() : 0);
    if (toList_) toList_->setCurrentRow(doc.toLanguage() >= 0 && doc.toLanguage() <= 20 ? doc.toLanguage() : 0);
    if (realTime_) {
        realTime_->setChecked(doc.realTime() == 1);
        apply_->setVisible(doc.realTime() != 1);
    }
    if (lessons_) {
        lessons_->clear();
        const int n = c.catalogue.count();
        for (int i = 0; i < n; ++i) {
            auto* item = new QListWidgetItem(decode(c.catalogue.title(i, 0), 0));
            item->setData(Qt::UserRole, i);
            lessons_->addItem(item);
        }
        if (n > 0) lessons_->setCurrentRow(0);
        selected_->clear();
        for (const std::string& line : readSelection(c.files, exerciseFiles(c.store, kind_).selection)) {
            auto* item = new QListWidgetItem(decode(tabField(line, 1), 0));
            item->setData(Qt::UserRole, QString::fromStdString(tabField(line, 2)));
            item->setData(Qt::UserRole + 1, QByteArray::fromStdString(tabField(line, 1)));
            selected_->addItem(item);
        }
    }
    updating_ = false;
    showLanguages();
    markLanguageRows();
    if (kind_ == ExerciseKind::Verify) {
        ExerciseSettings::kVerifyTraceStart.write(c.store, "CAskAcquisView::OnInitialUpdate");
        ExerciseSettings::kVerifyTraceEnd.write(c.store, "CAskAcquisView::OnInitialUpdate");
    }
    for (QRadioButton* b : choices_) b->setFont(languageFont(kind_ == ExerciseKind::Picture ? doc.fromLanguage() : doc.toLanguage()));
    question_->setFont(languageFont(doc.fromLanguage()));
    host_.postCommand(cmd::exercise::SetTitle);
}

void ExerciseFrame::showLanguages() {
    const CExTranslDoc& doc = activity_.document();
    auto shown = [](LanguageId id) { return id >= 0 && id <= 20 ? id : 0; };
    auto show = [&](QToolButton* flag, QLabel* name, LanguageId id) {
        if (!flag) return;
        flag->setIcon(QIcon(icons::languageFlagPixmap(shown(id), devicePixelRatioF())));
        name->setText(qs(LanguageTable::languageName(shown(id))));
    };
    show(fromFlag_, fromName_, doc.fromLanguage());
    show(toFlag_, toName_, doc.toLanguage());
}

void ExerciseFrame::markLanguageRows() {
    // Rows whose pair this course has no dictionary for are drawn greyed, with the reason; they
    // stay selectable (the forms' own rules answer a choice of them).
    const CExTranslDoc& doc = activity_.document();
    const ContentLocator& locator = host_.context().locator;
    const QColor off = palette().color(QPalette::Disabled, QPalette::Text);
    for (QListWidget* list : {fromList_, toList_}) {
        if (!list) continue;
        for (int row = 0; row < list->count(); ++row) {
            const LanguageRowPair pair = languageRowPair(doc, locator, kind_, list == fromList_, row);
            QListWidgetItem* item = list->item(row);
            const QString why = unavailableReason(pair);
            item->setData(Qt::ForegroundRole, pair.available ? QVariant() : QVariant(off));
            item->setToolTip(why);
            item->setData(Qt::AccessibleDescriptionRole, why);
        }
    }
}

void ExerciseFrame::updateTitle() {
    QWidget* child = parentWidget();
    while (child && !child->isWindow() && !child->inherits("QMdiSubWindow")) child = child->parentWidget();
    if (child && child->inherits("QMdiSubWindow")) child->setWindowTitle(qs(exerciseWindowTitle(activity_.document(), kind_)));
}

void ExerciseFrame::languageChosen(bool from, int row) {
    if (updating_) return;
    CExTranslDoc& doc = activity_.document();
    AppContext& c = host_.context();
    LanguageChoice choice = LanguageChoice::Refused;
    const std::optional<LanguageId> picked = row >= 0 ? std::optional<LanguageId>(row) : std::nullopt;
    if (kind_ == ExerciseKind::Picture)
        choice = row >= 0 ? pictureLanguageChosen(doc, c.store, row) : LanguageChoice::Refused;
    else if (from)
        choice = translationFromChosen(doc, c.store, c.locator, c.prompts(), picked);
    else
        choice = translationToChosen(doc, c.store, c.locator, picked);
    updating_ = true;
    if (choice == LanguageChoice::Refused || (from && choice == LanguageChoice::ForWindow)) {
        // The list shows the current language (a refused choice goes back).
        fromList_->setCurrentRow(doc.fromLanguage());
        if (toList_) toList_->setCurrentRow(doc.toLanguage());
    }
    updating_ = false;
    if (!from && kind_ == ExerciseKind::Translation) {
        // The To list goes back without a box; the status bar says why.
        std::string why;
        if (choice == LanguageChoice::Refused && row >= 0 && row < kLanguageCount) {
            const LanguageRowPair pair = languageRowPair(doc, c.locator, kind_, false, row);
            const std::string fromName = LanguageTable::languageName(pair.from);
            why = pair.from == pair.to
                      ? "The To language must differ from the From language (" + fromName + ")."
                      : "This course has no dictionary " + fromName + " - " + LanguageTable::languageName(pair.to) +
                            ": the To language stays " + LanguageTable::languageName(doc.toLanguage()) + ".";
        }
        host_.showStatusMessage(why);
    }
    showLanguages();
    markLanguageRows();
    updateTitle();
    for (QRadioButton* b : choices_) b->setFont(languageFont(kind_ == ExerciseKind::Picture ? doc.fromLanguage() : doc.toLanguage()));
    question_->setFont(languageFont(doc.fromLanguage()));
    if (choice == LanguageChoice::Accepted && doc.realTime() == 1) apply();
}

void ExerciseFrame::moveToSelected() {
    QListWidgetItem* current = lessons_->currentItem();
    if (!current) return;
    const int index = current->data(Qt::UserRole).toInt();
    auto* item = new QListWidgetItem(current->text());
    item->setData(Qt::UserRole, QString::number(index));
    item->setData(Qt::UserRole + 1, QByteArray::fromStdString(host_.context().catalogue.title(index, 0)));
    selected_->addItem(item);
    selected_->setCurrentItem(item);
    if (activity_.document().realTime() == 1) apply();
}

void ExerciseFrame::removeFromSelected() {
    const int row = selected_->currentRow();
    if (row < 0) return;
    delete selected_->takeItem(row);
    if (activity_.document().realTime() == 1) apply();
}

std::vector<std::string> ExerciseFrame::selectedItems() const {
    std::vector<std::string> out;
    for (int i = 0; i < selected_->count(); ++i) {
        const QListWidgetItem* item = selected_->item(i);
        out.push_back(selectionItem(item->data(Qt::UserRole + 1).toByteArray().toStdString(),
                                    item->data(Qt::UserRole).toString().toInt()));
    }
    return out;
}

void ExerciseFrame::apply() {
    ExerciseSession* session = activity_.session();
    if (!session) return;
    AppContext& c = host_.context();
    host_.setWaitCursor(true);
    const std::size_t n = buildPool(c.locator, c.catalogue, kind_, activity_.document().fromLanguage(),
                                    activity_.document().toLanguage(), selectedItems());
    host_.setWaitCursor(false);
    if (n < 1) {
        session->hideAnswers();
        c.prompts().messageBox(strings::text(28692), strings::text(28674), MessageIcon::Stop, MessageButtons::Ok);
        return;
    }
    ExerciseSettings::kFrom.write(c.store, activity_.document().fromLanguage());
    ExerciseSettings::kTo.write(c.store, activity_.document().toLanguage());
    session->reloadPool();
    schedulePaint();
}

void ExerciseFrame::schedulePaint() {
    if (paintPending_) return;
    paintPending_ = true;
    QTimer::singleShot(0, this, [this] {
        paintPending_ = false;
        if (activity_.session()) activity_.session()->paint();
    });
}

void ExerciseFrame::refreshVisibility(bool visible) {
    question_->setVisible(kind_ == ExerciseKind::Picture ? visible && !question_->text().isEmpty() : visible);
    for (std::size_t k = 0; k < 5; ++k)
        choices_[k]->setVisible(visible && activity_.session() && !activity_.session()->choices()[k].empty());
    face_->setVisible(visible);
    score_->setVisible(visible);
    refreshHint();
}

void ExerciseFrame::refreshHint() {
    const ExerciseSession* s = activity_.session();
    const bool idle = s && !s->answersVisible();
    if (idle && s->finished())
        hint_->setText(kind_ == ExerciseKind::Verify
                           ? QStringLiteral("Every question has been answered rightly. The course goes on with "
                                            "the next lesson.")
                           : QStringLiteral("Every question has been answered rightly. Choose other lessons at "
                                            "the left, or another exercise."));
    else if (idle && kind_ == ExerciseKind::Verify)
        hint_->setText(QStringLiteral("There is no question to verify in this lesson."));
    else if (idle)
        hint_->setText(QStringLiteral("To begin, choose a lesson in the list at the left and press "
                                      "\"Add to Selected\" (or double-click it). Its words then come here "
                                      "as questions: choose the right one of five answers with the mouse "
                                      "or the keys 1 to 5."));
    hint_->setVisible(idle);
}

void ExerciseFrame::fitChoiceTexts() {
    // A long answer (a dictionary gloss) ends in an ellipsis within the form; its tooltip and
    // accessible name hold the whole text.
    for (std::size_t k = 0; k < 5; ++k) {
        QRadioButton* b = choices_[k];
        const QString prefix = QStringLiteral("%1  ").arg(k + 1);
        const QString full = b->property("fullText").toString();
        const int room = std::max(80, questionForm_->width() - 48 - b->fontMetrics().horizontalAdvance(prefix));
        const QString shown = b->fontMetrics().elidedText(full, Qt::ElideRight, room);
        b->setText(QStringLiteral("&") + prefix + shown);
        b->setToolTip(shown == full ? QString() : full);
    }
}

bool ExerciseFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == questionForm_ && event->type() == QEvent::Resize) fitChoiceTexts();
    return QWidget::eventFilter(watched, event);
}

void ExerciseFrame::refreshQuestion() {
    const ExerciseSession* s = activity_.session();
    if (!s) return;
    const CExTranslDoc& doc = activity_.document();
    const LanguageId choiceLanguage = kind_ == ExerciseKind::Picture ? doc.fromLanguage() : doc.toLanguage();
    question_->setText(decode(s->questionText(), doc.fromLanguage()));
    question_->setVisible(s->answersVisible() && !s->questionText().empty());
    if (kind_ == ExerciseKind::Picture && s->answersVisible()) {
        // The picture exercise asks with its picture; the button still replays the voices.
        question_->setText(QStringLiteral("\u25B6 Listen again"));
        question_->setVisible(true);
    }
    for (std::size_t k = 0; k < 5; ++k) {
        QRadioButton* b = choices_[k];
        const QString text = decode(s->choices()[k], choiceLanguage);
        b->setProperty("fullText", text.trimmed());
        b->setAccessibleName(QStringLiteral("Answer %1: %2").arg(k + 1).arg(text.trimmed()));
        b->setAccessibleDescription(QStringLiteral("Press %1 to choose this answer").arg(k + 1));
        b->setVisible(s->answersVisible() && !s->choices()[k].empty());
    }
    fitChoiceTexts();
    const QString face = QLatin1String(faceName(s->face()));
    if (face_->property("face").toString() != face) {
        face_->setIcon(QIcon(icons::namedPixmap(face, devicePixelRatioF())));
        face_->setProperty("face", face);
    }
    const int rate = sessionRate(s->good(), s->presented());
    face_->setAccessibleDescription(s->presented() > 0 ? QStringLiteral("Success rate %1 %").arg(rate)
                                                        : QStringLiteral("Not yet answered"));
    score_->setText(qs(s->scoreText()));
    score_->setAccessibleDescription(qs(s->scoreText()));
    face_->setVisible(s->answersVisible());
    score_->setVisible(s->answersVisible());
    refreshHint();
}

void ExerciseFrame::openMedia() {
    AppContext& c = host_.context();
    MediaSettings media(c.store);
    const std::string name = media.mediaName(MediaSettings::kExercise);
    if (name.empty() || !c.files.exists(name)) return;
    const bool isVideo = media.viewType(MediaSettings::kExercise) == 2;
    video_->setVisible(isVideo);
    still_->setVisible(!isVideo);
    if (isVideo) {
        if (!player_) {
            audio_ = std::make_unique<QAudioOutput>();
            audio_->setVolume(0); // the voices speak; the video is the picture
            player_ = std::make_unique<QMediaPlayer>();
            player_->setAudioOutput(audio_.get());
            player_->setVideoOutput(video_);
        }
        player_->setSource(QUrl::fromLocalFile(qs(c.files.resolve(name).string())));
        player_->play();
    } else {
        if (player_) player_->stop();
        still_->setFile(c.files.resolve(name).string());
    }
    mediaPane_->show();
}

void ExerciseFrame::closeMedia() {
    if (player_) player_->stop();
    if (mediaPane_) mediaPane_->hide();
}

void ExerciseFrame::openAnswerDialog() {
    if (!activity_.session()) return;
    auto* dialog = new AnswerDialog(host_.context(), *activity_.session(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog_ = dialog;
    connect(dialog, &QDialog::finished, this, [this] {
        if (activity_.session()) activity_.session()->answerDialogClosed();
        schedulePaint();
    });
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open(); // no nested event loop: the session goes on when the dialog closes
}

} // namespace lumora
