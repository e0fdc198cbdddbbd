#include "course/ui/edit_course_window.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "course/course_commands.h"
#include "course/ui/content_fonts.h"
#include "course/ui/course_activities.h"
#include "course/ui/direct_access_dialog.h"
#include "course/ui/media_control_widget.h"
#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"
#include "foundation/ui/app_context.h"
#include "foundation/ui/command_toolbar.h"
#include "platform/qt_text.h"
#include "resources/string_table.h"
#include "resources/ui/icons.h"

namespace lumora {

namespace {

QFont fontOf(const EditFont& f) { return contentFont(f.face, f.encoding, f.height); }

QString colourSheet(ColourRef c) { return QStringLiteral("color: %1;").arg(colourOf(c).name()); }

} // namespace

KeyboardLearningActivity::KeyboardLearningActivity(ActivityHost& host)
    : CourseWindowFrame(host), doc_(host.context().store, host.context().catalogue, host.context().sound(),
                        host.context().clock(), host.context().prompts()) {
    view_ = std::make_unique<CEditCourseView>(host.context().store, host.context().catalogue, host.context().files,
                                              doc_);
    view_->setRebuiltListener([this] {
        if (window_ && !closed_) showForm();
    });
}

KeyboardLearningActivity::~KeyboardLearningActivity() {
    closing();
    doc_.setFrame(nullptr);
    delete media();
}

bool KeyboardLearningActivity::open(const std::string& fileName) { return doc_.open(fileName); }

QWidget* KeyboardLearningActivity::widget() {
    if (window_) return window_;
    window_ = new QMainWindow;
    window_->setObjectName(QStringLiteral("CLearnTypeChildWnd"));
    toolbar_ = addCommandToolbar(*window_, QObject::tr("Course"), QStringLiteral("courseToolbar"), courseToolbar(),
                                 [this](int id) { return host_.action(id); });

    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("CEditCourseView"));
    form->setAutoFillBackground(true);
    form->setBackgroundRole(QPalette::Base);
    auto* grid = new QGridLayout(form);
    grid->setContentsMargins(24, 16, 24, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    int line = 0;
    for (int i = 0; i < CEditCourseView::kRows; ++i) {
        EditRowWidgets& r = rows_[static_cast<std::size_t>(i)];
        r.number = new QLabel(QString::number(i + 1));
        r.model = new QLabel;
        r.model->setTextFormat(Qt::PlainText);
        r.keyboard = new QLabel;
        r.keyboard->setPixmap(icons::bitmapPixmap(702, form->devicePixelRatioF()));
        r.guide = new QLabel;
        r.guide->setTextFormat(Qt::PlainText);
        r.edit = new QLineEdit;
        r.edit->setMaxLength(static_cast<int>(kTypedLineMax));
        r.edit->setObjectName(QStringLiteral("edit%1").arg(1180 + i));
        // Narrow enough that the mark and the hint stay clear of the media window at the right.
        r.edit->setFixedWidth(500);
        r.mark = new QLabel;
        r.hint = new QLabel;
        r.hint->setMinimumWidth(300);
        grid->addWidget(r.model, line, 1, 1, 3, Qt::AlignLeft);
        grid->addWidget(r.keyboard, line + 1, 0);
        grid->addWidget(r.guide, line + 1, 1, 1, 3);
        grid->addWidget(r.number, line + 2, 0, Qt::AlignRight);
        grid->addWidget(r.edit, line + 2, 1);
        grid->addWidget(r.mark, line + 2, 2);
        grid->addWidget(r.hint, line + 2, 3);
        line += 3;
        QObject::connect(r.edit, &QLineEdit::textChanged, r.edit, [this, i](const QString& text) {
            if (filling_) return;
            view_->setTyped(i, text.toStdString());
            showMark(i);
        });
    }
    grid->setRowMinimumHeight(line++, 18);
    for (int i = 0; i < CEditCourseView::kRows; ++i) {
        EditRowWidgets& r = rows_[static_cast<std::size_t>(i)];
        r.translationNumber = new QLabel(QString::number(i + 1));
        r.male = new QToolButton;
        r.female = new QToolButton;
        for (auto [button, id] : {std::pair{r.male, 703}, std::pair{r.female, 704}}) {
            button->setIcon(QIcon(icons::bitmapPixmap(id, form->devicePixelRatioF())));
            button->setIconSize(QSize(28, 28));
            button->setAutoRaise(true);
        }
        r.male->setToolTip(QObject::tr("Male voice"));
        r.female->setToolTip(QObject::tr("Female voice"));
        QObject::connect(r.male, &QToolButton::clicked, r.male, [this, i] {
            const std::string name = view_->row(i).maleVoice;
            if (!name.empty()) host_.context().sound().playAsync(host_.context().files.resolve(name).string());
        });
        QObject::connect(r.female, &QToolButton::clicked, r.female, [this, i] {
            const std::string name = view_->row(i).femaleVoice;
            if (!name.empty()) host_.context().sound().playAsync(host_.context().files.resolve(name).string());
        });
        r.flag = new QLabel;
        r.translation = new QLabel;
        r.translation->setTextFormat(Qt::PlainText);
        auto* row = new QHBoxLayout;
        row->addWidget(r.male);
        row->addWidget(r.female);
        row->addWidget(r.flag);
        row->addWidget(r.translation, 1);
        grid->addWidget(r.translationNumber, line, 0, Qt::AlignRight);
        grid->addLayout(row, line, 1, 1, 3);
        ++line;
    }
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(line, 1);
    auto* scroll = new QScrollArea;
    scroll->setWidget(form);
    scroll->setWidgetResizable(true);
    window_->setCentralWidget(scroll);

    setMedia(new MediaControlWidget(host_.context(), host_.dialogParent(), window_));
    doc_.setFrame(this);
    return window_;
}

std::vector<CommandTarget*> KeyboardLearningActivity::commandTargets() { return {view_.get(), this, &doc_}; }

void KeyboardLearningActivity::start() {
    started_ = true;
    doc_.ShowPage();
}

void KeyboardLearningActivity::activated() {
    if (!started_) {
        QTimer::singleShot(0, window_, [this] {
            if (!started_ && !closed_) start();
        });
    }
}

void KeyboardLearningActivity::closing() {
    if (closed_) return;
    closed_ = true;
    doc_.StopPlayback();
    if (MediaControlWidget* m = media()) {
        m->closeVideo();
        m->hide();
    }
}

QString KeyboardLearningActivity::initialCaption() const { return qs(strings::prompt(cmd::frame::KeyboardLearning)); }

void KeyboardLearningActivity::updateAllViews() {
    if (closed_ || !window_) return;
    view_->onUpdate();
    showForm();
}

QString KeyboardLearningActivity::markOf(int i) const {
    return view_->row(i).matches ? QStringLiteral("n100") : QStringLiteral("n0");
}

void KeyboardLearningActivity::showMark(int i) {
    const EditRowWidgets& w = rows_[static_cast<std::size_t>(i)];
    const EditRow& r = view_->row(i);
    w.mark->setPixmap(icons::namedPixmap(markOf(i), w.mark->devicePixelRatioF()).scaled(
        32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    w.mark->setToolTip(markOf(i));
    // The hint explains; the mark alone says whether the line is typed exactly as the model.
    w.hint->setText(r.hint == "right" && !r.matches ? QObject::tr("right, typed another way") : qs(r.hint));
    w.hint->setStyleSheet(r.hint == "right" ? QStringLiteral("color: #1a7f37;") : QStringLiteral("color: #b3261e;"));
}

void KeyboardLearningActivity::showForm() {
    const QFont modelFont = fontOf(view_->modelFont());
    const QFont guideFont = fontOf(view_->guideFont());
    const QFont translationFont = fontOf(view_->translationFont());
    const QString colour = colourSheet(view_->textColour());
    const QPixmap flag = icons::languageFlagPixmap(view_->translationLanguage(), window_->devicePixelRatioF())
                             .scaled(34, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    filling_ = true;
    for (int i = 0; i < CEditCourseView::kRows; ++i) {
        const EditRowWidgets& w = rows_[static_cast<std::size_t>(i)];
        const EditRow& r = view_->row(i);
        const FontEncoding enc = view_->modelFont().encoding;
        w.model->setFont(modelFont);
        w.model->setStyleSheet(colour);
        w.model->setText(decodeContent(r.modelLine, enc));
        w.model->setVisible(r.modelShown);
        w.guide->setFont(guideFont);
        w.guide->setStyleSheet(colour);
        w.guide->setText(decodeContent(r.model, enc));
        w.guide->setVisible(r.guideShown);
        w.keyboard->setVisible(r.guideShown);
        w.edit->setFont(modelFont);
        w.edit->setStyleSheet(colour);
        w.edit->clear();
        w.edit->setVisible(r.lineShown);
        w.mark->setVisible(r.lineShown);
        w.hint->setVisible(r.lineShown);
        w.number->setVisible(r.lineShown);
        showMark(i);
        w.translationNumber->setVisible(r.numberShown);
        w.translation->setFont(translationFont);
        w.translation->setStyleSheet(colour);
        w.translation->setText(decodeContent(r.translation, view_->translationFont().encoding));
        w.translation->setVisible(r.translationShown);
        w.flag->setPixmap(flag);
        w.flag->setVisible(r.translationShown);
        w.male->setVisible(r.translationShown && !r.maleVoice.empty());
        w.female->setVisible(r.translationShown && !r.femaleVoice.empty());
    }
    filling_ = false;
    // The first line that can be typed in has the focus.
    for (int i = 0; i < CEditCourseView::kRows; ++i)
        if (view_->row(i).lineShown) {
            rows_[static_cast<std::size_t>(i)].edit->setFocus();
            break;
        }
}

} // namespace lumora
