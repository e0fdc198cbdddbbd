#include "shell/ui/choix_view.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QScrollBar>
#include <QTextLayout>
#include <QToolTip>

#include "course/dib.h"
#include "course/ui/dib_image.h"
#include "foundation/frame_commands.h"
#include "foundation/ui/app_context.h"
#include "platform/qt_text.h"
#include "resources/string_table.h"

namespace lumora {

namespace {

constexpr qreal kPicW = kChoixPictureWidth, kPicH = kChoixPictureHeight;

// A calm colour per lesson, so that neighbouring pictures differ.
QColor lessonHue(int index, int saturation, int value) {
    static const int hues[] = {205, 160, 28, 265, 350, 190, 45, 120, 230, 10, 300, 80};
    return QColor::fromHsv(hues[index % 12], saturation, value);
}

// Draws `text` wrapped into `box`, at most `maxLines` lines, the last one elided.
void drawWrapped(QPainter& p, const QRectF& box, const QString& text, int maxLines, Qt::Alignment align) {
    const QFontMetricsF fm(p.font());
    QStringList lines;
    QString rest = text.simplified();
    while (!rest.isEmpty() && lines.size() < maxLines) {
        if (lines.size() == maxLines - 1 || fm.horizontalAdvance(rest) <= box.width()) {
            lines << fm.elidedText(rest, Qt::ElideRight, box.width());
            break;
        }
        int cut = static_cast<int>(rest.size());
        while (cut > 0 && fm.horizontalAdvance(rest.left(cut)) > box.width()) cut = static_cast<int>(rest.lastIndexOf(QLatin1Char(' '), cut - 1));
        if (cut <= 0) { // one long word
            lines << fm.elidedText(rest, Qt::ElideRight, box.width());
            break;
        }
        lines << rest.left(cut);
        rest = rest.mid(cut + 1);
    }
    const qreal lineH = fm.lineSpacing();
    qreal y = box.top();
    if (align & Qt::AlignVCenter) y = box.center().y() - lineH * static_cast<qreal>(lines.size()) / 2;
    else if (align & Qt::AlignBottom) y = box.bottom() - lineH * static_cast<qreal>(lines.size());
    for (const QString& l : lines) {
        p.drawText(QRectF(box.left(), y, box.width(), lineH), Qt::AlignHCenter | Qt::AlignVCenter, l);
        y += lineH;
    }
}
} // namespace

void paintLessonPicture(QPainter& p, const QRectF& target, int index, const QImage& ideogram, const QString& title,
                        bool present) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(target.topLeft());
    const qreal s = target.width() / kPicW;
    p.scale(s, target.height() / kPicH);

    // Card: a white face over a tinted band that carries the title.
    QPainterPath card;
    card.addRoundedRect(QRectF(0.5, 0.5, kPicW - 1, kPicH - 1), 7, 7);
    p.setClipPath(card);
    p.fillRect(QRectF(0, 0, kPicW, kPicH), present ? QColor(0xFD, 0xFC, 0xF8) : QColor(0xF1, 0xF2, 0xF3));
    const QRectF bandRect(0, 84, kPicW, kPicH - 84);
    if (present) {
        QLinearGradient g(0, bandRect.top(), 0, bandRect.bottom());
        g.setColorAt(0, lessonHue(index, 120, 205));
        g.setColorAt(1, lessonHue(index, 150, 170));
        p.fillRect(bandRect, g);
    } else {
        p.fillRect(bandRect, QColor(0xD5, 0xD8, 0xDC));
    }

    // The ideogram picture of the lesson's first phrase, fitted above the band.
    const QRectF art(8, 8, kPicW - 16, 72);
    if (present && !ideogram.isNull()) {
        QSizeF size = ideogram.size();
        size.scale(art.size(), Qt::KeepAspectRatio);
        if (size.width() > ideogram.width() * 1.2) size = QSizeF(ideogram.size()) * 1.2; // never blown up much
        const QRectF where(art.center().x() - size.width() / 2, art.center().y() - size.height() / 2, size.width(),
                           size.height());
        p.drawImage(where, ideogram);
    } else if (present) {
        // No picture in the content: the lesson's title in large letters stands in for it.
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(17);
        f.setBold(true);
        p.setFont(f);
        p.setPen(lessonHue(index, 160, 120));
        drawWrapped(p, art.adjusted(10, 4, -10, -4), title, 2, Qt::AlignVCenter);
    }

    // Lesson number in a round badge.
    const QColor badge = present ? lessonHue(index, 170, 150) : QColor(0xA0, 0xA6, 0xAD);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(badge);
    p.drawEllipse(QPointF(17, 17), 12, 12);
    QFont nf(QStringLiteral("DejaVu Sans"));
    nf.setPixelSize(12);
    nf.setBold(true);
    p.setFont(nf);
    p.setPen(Qt::white);
    p.drawText(QRectF(5, 5, 24, 24), Qt::AlignCenter, QString::number(index + 1));

    // Title on the band.
    QFont tf(QStringLiteral("DejaVu Sans"));
    tf.setPixelSize(11);
    tf.setBold(true);
    p.setFont(tf);
    p.setPen(present ? Qt::white : QColor(0x70, 0x76, 0x7D));
    drawWrapped(p, bandRect.adjusted(6, 2, -6, -2), present ? title : QStringLiteral("\u2014"), 2, Qt::AlignVCenter);

    p.setClipping(false);
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(card);
    p.restore();
}

// ------------------------------------------------------------------ ChoixButton

ChoixButton::ChoixButton(int index, QWidget* parent) : QAbstractButton(parent), index_(index) {
    setObjectName(QStringLiteral("button%1").arg(kChoixFirstButton + index));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void ChoixButton::setLessonPicture(const QImage& ideogram, const QString& title, bool present) {
    picture_ = true;
    ideogram_ = ideogram;
    title_ = title;
    present_ = present;
    setAccessibleName(title);
    update();
}

void ChoixButton::setTitle(const QString& title, bool present) {
    picture_ = false;
    title_ = title;
    present_ = present;
    setText(title);
    setAccessibleName(title);
    update();
}

void ChoixButton::enterEvent(QEnterEvent* e) {
    hover_ = true;
    update();
    QAbstractButton::enterEvent(e);
}

void ChoixButton::leaveEvent(QEvent* e) {
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(e);
}

void ChoixButton::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(e);
}

void ChoixButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(3, 3, -3, -3);
    const bool active = present_ && (hover_ || hasFocus());
    // A soft shadow, lifted a little under the pointer.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, active ? 55 : 30));
    p.drawRoundedRect(r.translated(0, active ? 3 : 1.5), 8, 8);
    const QRectF face = (isDown() && present_) ? r.translated(0, 1) : r;
    if (picture_) {
        paintLessonPicture(p, face, index_, ideogram_, title_, present_);
    } else {
        QPainterPath card;
        card.addRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        QLinearGradient g(face.topLeft(), face.bottomLeft());
        if (present_) {
            g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
            g.setColorAt(1, lessonHue(index_, 25, 245));
        } else {
            g.setColorAt(0, QColor(0xF3, 0xF4, 0xF5));
            g.setColorAt(1, QColor(0xE6, 0xE8, 0xEA));
        }
        p.setBrush(g);
        p.setPen(QPen(present_ ? lessonHue(index_, 110, 190) : QColor(0xC5, 0xC9, 0xCE), 1.2));
        p.drawPath(card);
        // A coloured stripe on the left and the entry's number.
        p.save();
        p.setClipPath(card);
        p.fillRect(QRectF(face.left(), face.top(), 6, face.height()),
                   present_ ? lessonHue(index_, 150, 185) : QColor(0xC5, 0xC9, 0xCE));
        p.restore();
        QFont nf(QStringLiteral("DejaVu Sans"));
        nf.setPixelSize(std::max(9, qRound(face.height() * 0.16)));
        nf.setBold(true);
        p.setFont(nf);
        p.setPen(present_ ? lessonHue(index_, 160, 140) : QColor(0xA0, 0xA6, 0xAD));
        const QRectF numberBox(face.left() + 12, face.top() + 4, face.width() - 20, nf.pixelSize() * 1.5);
        p.drawText(numberBox, Qt::AlignLeft | Qt::AlignVCenter, QString::number(index_ + 1));
        QFont tf(QStringLiteral("DejaVu Sans"));
        tf.setPixelSize(std::max(9, qRound(face.height() * 0.15)));
        tf.setBold(present_);
        p.setFont(tf);
        p.setPen(present_ ? QColor(0x26, 0x32, 0x38) : QColor(0x90, 0x96, 0x9D));
        drawWrapped(p, QRectF(face.left() + 12, numberBox.bottom(), face.width() - 22, face.bottom() - numberBox.bottom() - 6),
                    present_ ? title_ : QStringLiteral("\u2014"), 3, Qt::AlignVCenter);
    }
    if (hasFocus()) {
        p.setPen(QPen(QColor(0x19, 0x76, 0xD2), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(1, 1, -1, -1), 7, 7);
    }
}

// ------------------------------------------------------------------ CChoixView

CChoixView::CChoixView(AppContext& context, ChoixHost& host, CatalogueKind kind, int screenWidth, QWidget* parent)
    : QScrollArea(parent), context_(context), logic_(context.store, context.catalogue, kind, host),
      template_(choixTemplateForWidth(screenWidth)) {
    setObjectName(kind == CatalogueKind::Lessons ? QStringLiteral("CChoixView") : QStringLiteral("CChoixWriteView"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    // The tiles shrink to the window's width: the wall never scrolls sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xEE, 0xF1, 0xF4));
    setPalette(pal);
    setBackgroundRole(QPalette::Window);
    wall_ = new QWidget;
    wall_->setObjectName(QStringLiteral("wall"));
    wall_->setAutoFillBackground(false);
    for (int i = 0; i < kChoixButtonCount; ++i) {
        auto* b = new ChoixButton(i, wall_);
        b->installEventFilter(this);
        connect(b, &QAbstractButton::clicked, this, [this, i] { logic_.click(kChoixFirstButton + i); });
        buttons_.push_back(b);
    }
    setWidget(wall_);
}

QImage CChoixView::loadIdeogram(int index) const {
    const std::string name = logic_.lessonPictureName(index);
    if (name.empty()) return {};
    const auto bytes = context_.files.readAll(name, 8u << 20);
    if (!bytes) return {};
    CDIB dib;
    if (!dib.Read(*bytes)) return {};
    const QImage img = imageOf(dib);
    if (img.isNull()) return {};
    // White becomes transparent so the picture sits on the card.
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int grey = qGray(line[x]);
            const int alpha = 255 - grey;
            if (qRed(line[x]) == qGreen(line[x]) && qGreen(line[x]) == qBlue(line[x]))
                line[x] = qRgba(0x21, 0x21, 0x21, alpha);
        }
    }
    return out;
}

void CChoixView::initialUpdate() {
    logic_.initialUpdate();
    const int count = logic_.entryCount();
    const bool lessons = logic_.kind() == CatalogueKind::Lessons;
    for (int i = 0; i < kChoixButtonCount; ++i) {
        ChoixButton* b = buttons_[static_cast<std::size_t>(i)];
        const bool present = i < count;
        const QString title = present ? qs(logic_.title(i)) : QString();
        if (lessons && i < kChoixPictureButtons)
            b->setLessonPicture(present ? loadIdeogram(i) : QImage(), title, present);
        else
            b->setTitle(title, present);
        // Only the catalogue's entries are tiles; the places beyond stay empty.
        b->setVisible(present);
    }
    layoutButtons();
}

void CChoixView::layoutButtons() {
    // The template fixes the buttons per row; the cell grows with the window so that the wall fills
    // a large screen, and never shrinks below the template's own size (the form scrolls instead).
    const bool pictures = logic_.kind() == CatalogueKind::Lessons;
    // Dialog units to pixels: 1.5 across, 1.625 down (an 8-point dialog font).
    const qreal baseW = pictures ? kPicW : template_.buttonWidth * 1.5;
    const qreal baseH = pictures ? kPicH : template_.buttonHeight * 1.625;
    const int spacing = 14;
    const int margin = 20;
    const int avail = viewport()->width() - 2 * margin - spacing * (template_.perRow - 1);
    // A narrow window shrinks the tiles rather than scrolling sideways.
    qreal scale = std::clamp(static_cast<qreal>(avail) / (template_.perRow * baseW), 0.5, 2.2);
    const int w = qRound(baseW * scale);
    const int h = qRound(baseH * scale);
    const int shown = std::clamp(logic_.entryCount(), 1, kChoixButtonCount);
    const int rows = (shown + template_.perRow - 1) / template_.perRow;
    for (int i = 0; i < kChoixButtonCount; ++i) {
        const int row = i / template_.perRow, col = i % template_.perRow;
        buttons_[static_cast<std::size_t>(i)]->setGeometry(margin + col * (w + spacing), margin + row * (h + spacing), w, h);
    }
    wall_->resize(2 * margin + template_.perRow * w + (template_.perRow - 1) * spacing,
                  2 * margin + rows * h + (rows - 1) * spacing);
}

void CChoixView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    layoutButtons();
}

bool CChoixView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        if (auto* b = qobject_cast<ChoixButton*>(watched)) {
            const QString tip = qs(logic_.tooltip(kChoixFirstButton + b->index()));
            auto* help = static_cast<QHelpEvent*>(event);
            if (tip.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), tip, b);
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

// ------------------------------------------------------------------ ChoixActivity

ChoixActivity::ChoixActivity(ActivityHost& host, CatalogueKind kind) : host_(host), kind_(kind) {}

ChoixActivity::~ChoixActivity() = default;

ActivityTemplateId ChoixActivity::templateId() const {
    return kind_ == CatalogueKind::Lessons ? ActivityTemplateId::LessonsList : ActivityTemplateId::StoriesList;
}

bool ChoixActivity::open(const std::string& fileName) {
    name_ = fileName;
    return true;
}

QWidget* ChoixActivity::widget() {
    if (!view_) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int width = screen ? screen->geometry().width() : 1024;
        view_ = new CChoixView(host_.context(), *this, kind_, width);
        view_->initialUpdate();
    }
    return view_;
}

void ChoixActivity::activated() { host_.setMainCaption(strings::text(28674)); }

QString ChoixActivity::initialCaption() const {
    return qs(strings::prompt(kind_ == CatalogueKind::Lessons ? cmd::frame::LessonsList : cmd::frame::ReadingCourse));
}

} // namespace lumora
