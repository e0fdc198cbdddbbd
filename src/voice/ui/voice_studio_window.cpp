#include "voice/ui/voice_studio_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "course/course_commands.h"
#include "course/dib.h"
#include "course/ui/content_fonts.h"
#include "course/ui/dib_image.h"
#include "course/ui/picture_view_widget.h"
#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"
#include "foundation/ui/app_context.h"
#include "foundation/ui/command_toolbar.h"
#include "platform/qt_recorder.h"
#include "platform/qt_text.h"
#include "resources/string_table.h"
#include "voice/ui/voice_activity.h"
#include "voice/ui/voice_graph_widget.h"
#include "voice/ui/voice_media_window.h"
#include "voice/voice_commands.h"
#include "voice/voice_settings.h"

namespace lumora {

// The ideogram pane (CChineseSpView): the picture named by "UserRec"/"BmpFile", loaded into the
// document's picture when the phrase changes, drawn at (10, -10) in the shared zoom.
class IdeogramPane final : public PictureViewWidget {
public:
    IdeogramPane(CCoursDoc& doc, PictureView& view, QWidget* parent) : PictureViewWidget(parent), doc_(doc) {
        setObjectName(QStringLiteral("CChineseSpView"));
        setAccessibleName(QObject::tr("Ideograms of the phrase"));
        setPictureView(&view);
    }
    void reload() {
        const std::string name = VoiceSettings::kPicture.read(doc_.store());
        image_ = (!name.empty() && doc_.LoadPicture(name) && doc_.picture()) ? imageOf(*doc_.picture()) : QImage();
        viewport()->update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(viewport());
        paintSheet(p, PictureView::kSurfaceWidth, pictureView()->surfaceHeight());
        if (image_.isNull()) return;
        const LogicalPoint at = PictureView::picturePosition();
        const LogicalMapping m = mapping();
        const QPointF topLeft = toViewport(at.x, at.y);
        p.drawImage(QRectF(topLeft, QSizeF(m.lengthX(image_.width()), m.lengthY(image_.height()))), image_);
    }

private:
    CCoursDoc& doc_;
    QImage image_;
};

IdeogramPane* VoiceStudioActivity::ideograms() const {
    return static_cast<IdeogramPane*>(pane_.data());
}

VoiceStudioActivity::VoiceStudioActivity(ActivityHost& host, std::unique_ptr<Recorder> recorder)
    : host_(host), doc_(host.context().store, host.context().catalogue, host.context().sound(), host.context().clock(),
                        host.context().prompts()),
      recorder_(recorder ? std::move(recorder) : std::make_unique<QtRecorder>()),
      studio_(host.context().store, host.context().files, doc_.playback(), *recorder_),
      form_(host.context().store, host.context().catalogue, studio_),
      graph_(host.context().store, host.context().files), paneView_(host.context().store, VoiceSettings::kZoom, 600) {
    declareCommands();
    studio_.setWindows(this);
    form_.setFrame(this);
    graphState_ = graph_.addStateListener([this] {
        // The zoom is shared: the ideogram pane follows the graph's.
        if (paneView_.zoom() != graph_.zoom())
            for (int id = cmd::course::Zoom50; id <= cmd::course::Zoom300; ++id)
                if (PictureView::zoomOfCommand(id) == graph_.zoom()) paneView_.setZoomCommand(id);
        if (pane_) {
            const ScrollSize s = paneView_.scrollSize();
            pane_->setScrollSize(s.width, s.height);
        }
        if (graphWidget_) graphWidget_->graphChanged();
        notifyStateChanged();
    });
}

VoiceStudioActivity::~VoiceStudioActivity() {
    closing();
    studio_.setWindows(nullptr);
    form_.setFrame(nullptr);
}

bool VoiceStudioActivity::open(const std::string& fileName) {
    return doc_.open(fileName);
}

QString VoiceStudioActivity::initialCaption() const {
    return qs(host_.context().catalogue.title(form_.lesson(), 0));
}

void VoiceStudioActivity::setWait(bool on) {
    host_.setWaitCursor(on);
    if (on && !wait_) {
        // The wait message (WaitMessageDialog): one line, centred on the main window.
        auto* d = new QDialog(host_.dialogParent(), Qt::Dialog);
        d->setObjectName(QStringLiteral("WaitMessageDialog"));
        d->setWindowTitle(QObject::tr("Message"));
        auto* l = new QVBoxLayout(d);
        auto* line = new QLabel(qs(strings::text(14360)), d);
        line->setObjectName(QStringLiteral("line15020"));
        l->addWidget(line);
        d->setModal(false);
        d->setAttribute(Qt::WA_DeleteOnClose);
        d->show();
        if (QWidget* owner = host_.dialogParent())
            d->move(owner->geometry().center() - QPoint(d->width() / 2, d->height() / 2));
        wait_ = d;
    } else if (!on && wait_) {
        // Removed once the studio has painted, so that it is seen.
        QPointer<QDialog> d = wait_;
        wait_ = nullptr;
        QTimer::singleShot(250, d, [d] {
            if (d) d->close();
        });
    }
}

QWidget* VoiceStudioActivity::widget() {
    if (window_) return window_;
    setWait(true);
    window_ = new QMainWindow;
    window_->setObjectName(QStringLiteral("CRecFrame"));
    toolbar_ = addCommandToolbar(*window_, QObject::tr("Voice studio"), QStringLiteral("voiceToolbar"),
                                 voiceStudioToolbar(), [this](int id) { return host_.action(id); });
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    const int screenHeight = PictureViewWidget::screenHeight(window_);
    outer_ = new QSplitter(Qt::Horizontal, window_);
    outer_->setObjectName(QStringLiteral("CViewExSplitWnd"));
    graphWidget_ = new VoiceGraphWidget(graph_, outer_);
    auto* right = new QSplitter(Qt::Vertical, outer_);
    right->setObjectName(QStringLiteral("CViewExSplitWndNested"));
    QWidget* form = buildForm(screenHeight);
    right->addWidget(form);
    pane_ = new IdeogramPane(doc_, paneView_, right);
    right->addWidget(pane_.data());
    outer_->addWidget(graphWidget_);
    outer_->addWidget(right);
    const int graphWidth = SpectreForm::graphPaneWidth(screenHeight);
    outer_->setSizes({graphWidth, 1000});
    const int cy = 300;
    right->setSizes({SpectreForm::formPaneHeight(screenHeight, cy), 200});
    outer_->setStretchFactor(0, 1);
    outer_->setStretchFactor(1, 1);
    window_->setCentralWidget(outer_);

    graph_.initialUpdate(PictureView::densityOf(PictureViewWidget::screenMetrics(window_)));
    paneView_.initialUpdate(PictureViewWidget::screenMetrics(window_));
    const ScrollSize s = paneView_.scrollSize();
    pane_->setScrollSize(s.width, s.height);

    // The form's initial update, then the media windows exist.
    form_.initialUpdate();
    if (!recorder_->available())
        learnerMessage("No microphone was found: recording is not possible, the rest of the studio works.");
    return window_;
}

QWidget* VoiceStudioActivity::buildForm(int screenHeight) {
    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("CSpectreView"));
    const int layout = SpectreForm::layoutFor(screenHeight);
    form->setProperty("layoutTemplate", layout);
    auto* grid = new QGridLayout(form);
    const int gap = layout == 15010 ? 2 : layout == 15011 ? 5 : 9;
    grid->setContentsMargins(gap * 2, gap, gap * 2, gap);
    grid->setSpacing(gap);

    lessons_ = new QComboBox(form);
    lessons_->setObjectName(QStringLiteral("control15006"));
    lessons_->setAccessibleName(QObject::tr("Lesson"));
    phrases_ = new QListWidget(form);
    phrases_->setObjectName(QStringLiteral("control15005"));
    phrases_->setAccessibleName(QObject::tr("Phrases"));
    const DisplayFont df = LanguageTable::defaultFont(18);
    phrases_->setFont(contentFont(df.face, FontEncoding::Pinying, layout == 15010 ? 16 : 22));
    grid->addWidget(lessons_, 0, 0, 1, 3);
    grid->addWidget(phrases_, 1, 0, 1, 3);

    auto* caption = new QLabel(QObject::tr("Selected phrase sound"), form);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    grid->addWidget(caption, 2, 0, 1, 3);
    const char* names[3] = {"Male", "Female", "Your voice"};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QGroupBox(QObject::tr(names[i]), form);
        box->setObjectName(QStringLiteral("control%1").arg(15007 + i));
        auto* l = new QVBoxLayout(box);
        l->setContentsMargins(2, 2, 2, 2);
        media_[i] = new VoiceMediaWindow(QObject::tr(names[i]), i == 2, box);
        l->addWidget(media_[i]);
        // Three side by side on a tall form, one above the other on a small one.
        if (layout == 15010)
            grid->addWidget(box, 3 + i, 0, 1, 3);
        else
            grid->addWidget(box, 3, i);
        QObject::connect(media_[i], &VoiceMediaWindow::playStarted, window_, [this] { doc_.StopPlayback(); });
    }
    QObject::connect(media_[2], &VoiceMediaWindow::recordClicked, window_, [this] { toggleRecording(); });
    auto* save = new QPushButton(QObject::tr("Save my voice and update the spectrum"), form);
    save->setObjectName(QStringLiteral("control1"));
    save->setAccessibleName(save->text());
    grid->addWidget(save, 6, 0, 1, 3);
    grid->setRowStretch(1, 1);

    QObject::connect(save, &QPushButton::clicked, window_, [this] { form_.save(); });
    QObject::connect(lessons_, qOverload<int>(&QComboBox::currentIndexChanged), window_, [this](int i) {
        if (filling_ || i < 0) return;
        setWait(true);
        form_.chooseLesson(i);
        setWait(false);
    });
    QObject::connect(phrases_, &QListWidget::currentRowChanged, window_, [this](int row) {
        if (filling_ || row < 0) return;
        form_.choosePhrase(row);
    });
    return form;
}

void VoiceStudioActivity::fillLists() {
    if (!lessons_) return;
    filling_ = true;
    lessons_->clear();
    for (const std::string& t : form_.lessonTitles())
        lessons_->addItem(decodeContent(t, FontEncoding::Windows1252));
    lessons_->setCurrentIndex(form_.lesson());
    phrases_->clear();
    for (const PhraseItem& item : form_.phrases()) {
        auto* it = new QListWidgetItem(decodeContent(item.text, FontEncoding::Pinying), phrases_);
        it->setToolTip(QString::fromStdString(item.stem));
    }
    phrases_->setCurrentRow(form_.selected());
    filling_ = false;
}

void VoiceStudioActivity::listsChanged() {
    fillLists();
}

std::vector<CommandTarget*> VoiceStudioActivity::commandTargets() {
    return {&graph_, this, &doc_};
}

void VoiceStudioActivity::start() {
    if (started_) return;
    started_ = true;
    form_.loadStudioLesson();
    form_.preparePhrase();
    setWait(false);
}

void VoiceStudioActivity::activated() {
    if (phrases_) phrases_->setFocus();
    if (!started_)
        QTimer::singleShot(0, window_, [this] {
            if (!started_ && !closed_) start();
        });
}

void VoiceStudioActivity::closing() {
    if (closed_) return;
    closed_ = true;
    doc_.StopPlayback();
    studio_.closeVoices();
    if (wait_) wait_->close();
}

void VoiceStudioActivity::setChildCaption(const std::string& caption) {
    QWidget* child = window_ ? window_->parentWidget() : nullptr;
    while (child && !qobject_cast<QMdiSubWindow*>(child))
        child = child->parentWidget();
    if (child) child->setWindowTitle(decodeContent(caption, FontEncoding::Windows1252));
}

void VoiceStudioActivity::pictureChanged() {
    if (IdeogramPane* pane = ideograms()) pane->reload();
}

void VoiceStudioActivity::openVoice(VoiceSlot slot, const std::string& localPath) {
    if (VoiceMediaWindow* w = mediaWindow(slot)) w->openFile(qs(localPath));
    if (slot == VoiceSlot::Learner && media_[2]) media_[2]->setRecordEnabled(true);
}

void VoiceStudioActivity::closeVoice(VoiceSlot slot) {
    if (VoiceMediaWindow* w = mediaWindow(slot)) w->closeFile();
}

void VoiceStudioActivity::stopVoice(VoiceSlot slot) {
    if (VoiceMediaWindow* w = mediaWindow(slot)) w->stop();
    if (slot == VoiceSlot::Learner && media_[2]) media_[2]->setRecording(studio_.recording());
}

void VoiceStudioActivity::voicesChanged() {
    VoiceSettings::kTraceGraph.write(host_.context().store, "CSoundInGraphicView::OnUpdate");
    graph_.refresh();
    if (graphWidget_) graphWidget_->graphChanged();
    if (media_[2]) media_[2]->setRecordEnabled(studio_.canRecord() || studio_.recording());
    notifyStateChanged();
}

void VoiceStudioActivity::learnerMessage(const std::string& text) {
    if (media_[2]) media_[2]->setMessage(qs(text));
}

void VoiceStudioActivity::toggleRecording() {
    if (studio_.recording()) {
        studio_.stopRecording();
    } else {
        QPointer<VoiceMediaWindow> w = media_[2];
        studio_.startRecording([w](int level) {
            if (w) w->setLevel(level);
        });
    }
    if (media_[2]) media_[2]->setRecording(studio_.recording());
    notifyStateChanged();
}

void VoiceStudioActivity::declareCommands() {
    namespace v = cmd::voice;
    CommandTable& t = commandTable();
    t.addChecked(
        v::Record, [this] { toggleRecording(); }, [this] { return studio_.recording(); });
    t.add(v::PlayLearner, [this] {
        if (!studio_.recording() && media_[2]) media_[2]->play();
    });
    t.add(v::PlayMale, [this] { studio_.playModel(VoiceSlot::Male); });
    t.add(v::PlayFemale, [this] { studio_.playModel(VoiceSlot::Female); });
    t.add(v::SaveVoice, [this] {
        form_.save();
        if (media_[2]) media_[2]->setRecording(false);
    });
    t.add(cmd::app::FilePrint, [this] { print(); });
    t.add(cmd::app::FilePrintPreview, [this] { printPreview(); });
    t.add(cmd::app::FilePrintSetup, [this] {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, host_.dialogParent());
        dialog.exec();
    });
}

void VoiceStudioActivity::printGraph(QPrinter* printer) {
    if (graphWidget_) graphWidget_->print(printer);
}

void VoiceStudioActivity::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFromTo(1, VoiceGraph::kPrintPages);
    QPrintDialog dialog(&printer, host_.dialogParent());
    dialog.setMinMax(1, VoiceGraph::kPrintPages);
    if (dialog.exec() == QDialog::Accepted) printGraph(&printer);
}

void VoiceStudioActivity::printPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, host_.dialogParent());
    preview.setObjectName(QStringLiteral("voicePrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, window_, [this](QPrinter* p) { printGraph(p); });
    preview.resize(900, 700);
    preview.exec();
}

} // namespace lumora
