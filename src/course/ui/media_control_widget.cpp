#include "course/ui/media_control_widget.h"

#include <algorithm>
#include <climits>

#include <QAudioOutput>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPainter>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoFrame>
#include <QVideoSink>

#include "course/metafile.h"
#include "course/ui/metafile_painter.h"
#include "resources/ui/icons.h"
#include "foundation/ui/app_context.h"

namespace lumora {

namespace {

QString clockText(qint64 ms) {
    const qint64 s = std::max<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

// ------------------------------------------------------------------ VideoPane

VideoPane::VideoPane(QWidget* parent) : QWidget(parent), sink_(new QVideoSink(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(80, 60);
    connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        if (!frame.isValid()) return;
        frame_ = frame.toImage();
        update();
    });
}

void VideoPane::clear() {
    frame_ = QImage();
    update();
}

void VideoPane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (frame_.isNull()) return;
    QSizeF size = frame_.size();
    size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    const QRectF target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(), size.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, frame_);
}

// ------------------------------------------------------------------ MediaControlWidget

MediaControlWidget::MediaControlWidget(AppContext& context, QWidget* owner, QWidget* anchor)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      ctrl_(context.store, context.files, *this), anchor_(anchor) {
    setObjectName(QStringLiteral("CMultimediaCtrl"));
    setWindowTitle(QString()); // a caption without text
    setWindowIcon(icons::commandIcon(1410));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    resize(CMultimediaCtrl::kWidth, CMultimediaCtrl::kHeight);

    pane_ = new VideoPane(this);
    bar_ = new QWidget(this);
    bar_->setAutoFillBackground(true);
    playButton_ = new QToolButton(bar_);
    playButton_->setAutoRaise(true);
    playButton_->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    slider_ = new QSlider(Qt::Horizontal, bar_);
    slider_->setRange(0, 0);
    time_ = new QLabel(QStringLiteral("0:00"), bar_);
    auto* barLayout = new QHBoxLayout(bar_);
    barLayout->setContentsMargins(4, 2, 6, 2);
    barLayout->addWidget(playButton_);
    barLayout->addWidget(slider_, 1);
    barLayout->addWidget(time_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pane_, 1);
    layout->addWidget(bar_);
    pane_->hide();
    bar_->hide();

    connect(playButton_, &QToolButton::clicked, this, [this] {
        if (!player_) return;
        if (player_->playbackState() == QMediaPlayer::PlayingState) {
            player_->pause();
        } else {
            // A video that has ended plays again from its start.
            if (player_->mediaStatus() == QMediaPlayer::EndOfMedia) player_->setPosition(0);
            player_->play();
        }
    });
    if (owner) owner->installEventFilter(this);
    if (anchor) anchor->installEventFilter(this);
    connect(slider_, &QSlider::sliderMoved, this, [this](int ms) {
        if (player_) player_->setPosition(ms);
    });
}

MediaControlWidget::~MediaControlWidget() { ctrl_.onDestroy(); }

void MediaControlWidget::openVideo(const std::string& localPath) {
    closeVideo();
    audio_ = std::make_unique<QAudioOutput>();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(audio_.get());
    player_->setVideoSink(pane_->sink());
    connect(player_.get(), &QMediaPlayer::durationChanged, this, [this](qint64 d) {
        slider_->setRange(0, static_cast<int>(std::min<qint64>(d, INT_MAX)));
        updateBar();
    });
    connect(player_.get(), &QMediaPlayer::positionChanged, this, [this](qint64 pos) {
        if (!slider_->isSliderDown()) slider_->setValue(static_cast<int>(std::min<qint64>(pos, INT_MAX)));
        updateBar();
    });
    connect(player_.get(), &QMediaPlayer::playbackStateChanged, this, [this] { updateBar(); });
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this] { updateBar(); });
    player_->setSource(QUrl::fromLocalFile(QString::fromStdString(localPath)));
    pane_->clear();
    pane_->show();
    bar_->show();
}

void MediaControlWidget::closeVideo() {
    if (!player_) return;
    player_->stop();
    player_->setVideoSink(nullptr);
    player_.reset();
    audio_.reset();
    pane_->clear();
    pane_->hide();
    bar_->hide();
    update();
}

void MediaControlWidget::playFromStart() {
    if (!player_ || !restartAllowed_) return;
    restartAllowed_ = false;
    player_->setPosition(0);
    player_->play();
}

void MediaControlWidget::repaint() {
    restartAllowed_ = true;
    update();
    // The video pane covers the window: its paint does not reach this window's paint handler, so
    // the restart that a repaint stands for is run here.
    if (player_) QMetaObject::invokeMethod(this, [this] { if (isVisible()) ctrl_.Paint(); }, Qt::QueuedConnection);
}

void MediaControlWidget::fillGrey() {
    if (painter_) painter_->fillRect(rect(), QColor(192, 192, 192));
}

void MediaControlWidget::drawMetafile(const std::string& localPath) {
    if (!painter_) return;
    // Read and recorded once per picture, replayed at each paint.
    if (localPath != recordedPath_) {
        recordedPath_ = localPath;
        recorded_ = recordMediaMetafile(localPath);
    }
    if (!recorded_) return;
    painter_->save();
    painter_->setClipRect(rect());
    painter_->drawPicture(0, 0, recorded_->picture);
    painter_->restore();
}

void MediaControlWidget::setVisible(bool visible) {
    const bool was = isVisible();
    if (visible && (!placed_ || area_)) place();
    QWidget::setVisible(visible);
    if (was != isVisible()) emit shownChanged(isVisible());
}

void MediaControlWidget::setPlacement(std::function<QRect()> area) {
    area_ = std::move(area);
    if (isVisible()) place();
}

bool MediaControlWidget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
        // The main window or the page moved: the window goes with them.
        if (area_ && isVisible()) QMetaObject::invokeMethod(this, [this] { place(); }, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void MediaControlWidget::place() {
    if (area_) {
        const QRect a = area_();
        QScreen* screen = anchor_ && anchor_->screen() ? anchor_->screen() : QGuiApplication::primaryScreen();
        const QRect avail = screen ? screen->availableGeometry() : QRect();
        // The frame of a tool window adds its caption above the client area: the one it has once
        // shown, until then the style's caption height and a border.
        const QRect frame = frameGeometry(), inner = geometry();
        const int known = isVisible() ? inner.top() - frame.top() : 0;
        const int top = known > 0 ? known : style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
        const MediaGeometry g = placeMediaWindow({a.x(), a.y() + top, a.width(), std::max(0, a.height() - top)},
                                                 CMultimediaCtrl::kWidth, CMultimediaCtrl::kHeight,
                                                 {avail.x(), avail.y() + top, avail.width(), avail.height() - top},
                                                 kPlacementMargin);
        setGeometry(g.x, g.y, g.width, g.height);
        placed_ = true;
        return;
    }
    QScreen* screen = anchor_ && anchor_->screen() ? anchor_->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const MediaGeometry g = CMultimediaCtrl::createGeometry(screenWidth, scrollBar);
    QPoint at(g.x, g.y);
    if (anchor_) at = anchor_->mapToGlobal(at);
    if (screen) {
        const QRect avail = screen->availableGeometry();
        at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - g.width)));
        at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - g.height)));
    }
    setGeometry(at.x(), at.y(), g.width, g.height);
    placed_ = true;
}

void MediaControlWidget::updateBar() {
    if (!player_) return;
    const bool playing = player_->playbackState() == QMediaPlayer::PlayingState;
    const bool ended = !playing && player_->mediaStatus() == QMediaPlayer::EndOfMedia;
    playButton_->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause
                                               : ended ? QStyle::SP_BrowserReload
                                                       : QStyle::SP_MediaPlay));
    playButton_->setToolTip(playing ? tr("Pause") : ended ? tr("Play again") : tr("Play"));
    time_->setText(clockText(player_->position()) + QStringLiteral(" / ") + clockText(player_->duration()));
}

void MediaControlWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    painter_ = &p;
    ctrl_.Paint();
    painter_ = nullptr;
}

void MediaControlWidget::showEvent(QShowEvent* event) {
    restartAllowed_ = true; // uncovered: the next paint starts the video again
    QWidget::showEvent(event);
    // Once the window system has framed it, its caption's real height is known.
    if (area_) QTimer::singleShot(50, this, [this] { if (isVisible()) place(); });
}

void MediaControlWidget::closeEvent(QCloseEvent* event) {
    if (!ctrl_.onCloseRequest()) event->ignore();
}

} // namespace lumora
