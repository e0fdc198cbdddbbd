#pragma once
// The media control window: a small tool window of the activity frame in which a phrase's video
// plays (with a play bar) or its still metafile picture is drawn. The decisions are the core's
// (CMultimediaCtrl); this window is its MediaSurface. Its close box does nothing. With a placement
// it stays inside the area that the placement names (beside the page) and follows the main window
// as it moves or is resized, never off the screen. A video that has ended keeps its last frame and
// its button offers to play it again.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "course/multimedia_ctrl.h"
#include "foundation/ui/app_context.h"

class QMediaPlayer;
class QAudioOutput;
class QVideoSink;
class QSlider;
class QToolButton;
class QLabel;
class QPainter;

namespace lumora {

class AppContext;

// Shows the frames of a video sink, kept in proportion on black.
class VideoPane final : public QWidget {
    Q_OBJECT
public:
    explicit VideoPane(QWidget* parent = nullptr);
    QVideoSink* sink() const { return sink_; }
    const QImage& lastFrame() const { return frame_; }
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVideoSink* sink_ = nullptr;
    QImage frame_;
};

class MediaControlWidget final : public QWidget, public MediaSurface {
    Q_OBJECT
public:
    // `owner` is the main window; `anchor` the frame whose coordinates place the window.
    MediaControlWidget(AppContext& context, QWidget* owner, QWidget* anchor);
    ~MediaControlWidget() override;

    CMultimediaCtrl& control() { return ctrl_; }
    VideoPane* videoPane() const { return pane_; }
    QMediaPlayer* player() const { return player_.get(); }
    static constexpr int kPlacementMargin = 8;
    // The area, in screen pixels, that the window keeps inside (beside the page).
    void setPlacement(std::function<QRect()> area);
    QToolButton* playButton() const { return playButton_; }

    // MediaSurface
    void openVideo(const std::string& localPath) override;
    void closeVideo() override;
    bool hasVideo() const override { return player_ != nullptr; }
    void playFromStart() override;
    void repaint() override;
    void fillGrey() override;
    void drawMetafile(const std::string& localPath) override;
    void setVisible(bool visible) override; // both the surface's and the widget's

signals:
    // The window was shown or hidden (the page makes room for it).
    void shownChanged(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Puts the window in its place (again at every move or resize of the frame).
    void place();

private:
    void updateBar();

    CMultimediaCtrl ctrl_;
    QPointer<QWidget> anchor_;
    std::unique_ptr<QAudioOutput> audio_;
    std::unique_ptr<QMediaPlayer> player_;
    VideoPane* pane_ = nullptr;
    QWidget* bar_ = nullptr;
    QToolButton* playButton_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* time_ = nullptr;
    QPainter* painter_ = nullptr; // set during a paint
    std::string recordedPath_;                // the metafile last drawn, recorded once
    std::optional<RecordedPicture> recorded_;
    bool restartAllowed_ = true;
    bool placed_ = false;
    std::function<QRect()> area_;
};

} // namespace lumora
