#include "foundation/ui/media_picture_view.h"

#include <algorithm>

#include <QFileInfo>
#include <QPainter>

namespace lumora {

MediaPictureView::MediaPictureView(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("MediaPicture"));
    setMinimumSize(160, 120);
}

void MediaPictureView::setFile(const std::string& localPath) {
    if (localPath == file_ && (recorded_ || localPath.empty())) return;
    file_ = localPath;
    recorded_ = localPath.empty() ? std::nullopt : context_.recordMetafile(localPath);
    setAccessibleName(localPath.empty() ? QString()
                                        : QStringLiteral("Picture %1").arg(QFileInfo(QString::fromStdString(localPath)).fileName()));
    update();
}

void MediaPictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(192, 192, 192));
    if (file_.empty()) return;
    if (!recorded_ || recorded_->frame.isEmpty()) {
        p.drawText(rect(), Qt::AlignCenter, QFileInfo(QString::fromStdString(file_)).fileName());
        return;
    }
    // What the picture covers of the media window's area, scaled to fit and centred.
    QRectF area = QRectF(recorded_->picture.boundingRect()).intersected(QRectF(QPointF(0, 0), recorded_->frame));
    if (area.isEmpty()) area = QRectF(QPointF(0, 0), recorded_->frame);
    const double k = std::min((width() - 8) / area.width(), (height() - 8) / area.height());
    if (k <= 0) return;
    const QSizeF shown = area.size() * k;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    p.scale(k, k);
    p.translate(-area.topLeft());
    p.setClipRect(area);
    p.drawPicture(0, 0, recorded_->picture);
}

} // namespace lumora
