#include "exercises/ui/score_graph_window.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QFile>
#include <QTextDocument>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QFocusEvent>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QToolTip>

#include "exercises/exercise_settings.h"
#include "foundation/app_commands.h"
#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "foundation/ui/app_context.h"
#include "resources/string_table.h"

namespace lumora {

namespace {
QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont arial(double pixelHeight, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(std::max(1, static_cast<int>(pixelHeight)));
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}
} // namespace

// ---------------------------------------------------------------------------------- listing

CPadView::CPadView(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("CPadView"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont f = arial(16, false);
    setFont(f);
    // Tab stops every 50 dialog units (a dialog unit across is a quarter of the average width).
    setTabStopDistance(QFontMetricsF(f).averageCharWidth() * 50 / 4);
    setAccessibleName(QStringLiteral("Score listing"));
}

void CPadView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (QWidget* w = window()) w->raise();
    }
    if (onActivated) onActivated();
    QPlainTextEdit::mousePressEvent(event);
}

void CPadView::focusInEvent(QFocusEvent* event) {
    if (onActivated && (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)) onActivated();
    QPlainTextEdit::focusInEvent(event);
}

void CScoreGraphicView::mousePressEvent(QMouseEvent* event) {
    if (onActivated) onActivated();
    QWidget::mousePressEvent(event);
}

// ------------------------------------------------------------------------------------ graph

CScoreGraphicView::CScoreGraphicView(AppContext& context, ScoreGraphZoom& zoom, QWidget* parent)
    : QWidget(parent), context_(context), zoom_(zoom) {
    setObjectName(QStringLiteral("CScoreGraphicView"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Score graph"));
}

void CScoreGraphicView::reload() {
    ExerciseSettings::kScoreGraphTrace.write(context_.store, "CScoreGraphicView::OnUpdate");
    picture_ = scoreGraphPicture(context_.store, context_.files);
    updateGeometry();
    update();
}

double CScoreGraphicView::pxPerCmX() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->physicalDotsPerInchX() / 2.54 : 37.8;
}

double CScoreGraphicView::pxPerCmY() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->physicalDotsPerInchY() / 2.54 : 37.8;
}

QSize CScoreGraphicView::sizeHint() const {
    const auto range = zoom_.scrollRange(static_cast<int>(pxPerCmX()), static_cast<int>(pxPerCmY()));
    return {range.x / 2, range.y / 2};
}

void CScoreGraphicView::render(QPainter& p, double cmX, double cmY) const {
    // 100 units a centimetre at zoom 100.
    const double kx = zoom_.zoom() * cmX / 100.0 / 100.0, ky = zoom_.zoom() * cmY / 100.0 / 100.0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    auto pt = [&](int x, int y) { return QPointF(x * kx, y * ky); };
    for (const ScoreGraphLine& l : picture_.lines) {
        // Widths in units (0.03 mm and up), at least one device pixel, so print matches the screen.
        QPen pen(Qt::black, std::max(1.0, 3 * kx));
        if (l.pen == ScoreGraphLine::Pen::Grid) {
            pen = QPen(QColor(0, 255, 0), std::max(1.0, 2 * kx), Qt::DotLine);
        } else if (l.pen == ScoreGraphLine::Pen::Curve) {
            pen = QPen(QColor(0, 0, 255), std::max(2.0, 5 * kx), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        }
        p.setPen(pen);
        p.drawLine(pt(l.x1, l.y1), pt(l.x2, l.y2));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 255));
    const double r = std::max(3.0, 8 * kx);
    for (const ScoreGraphPoint& g : picture_.curve) p.drawEllipse(pt(g.x, g.y), r, r);
    for (const ScoreGraphText& t : picture_.texts) {
        const bool large = t.font == ScoreGraphText::Font::Large;
        const QFont f = arial((large ? 80 : 50) * ky, large);
        p.setFont(f);
        p.setPen(t.colour == kCurrentColour ? QColor(Qt::black) : QColor(t.colour.r, t.colour.g, t.colour.b));
        const QPointF at = pt(t.x, t.y);
        p.drawText(QPointF(at.x(), at.y() + QFontMetricsF(f).ascent()), qs(t.text));
    }
    p.restore();
}

void CScoreGraphicView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    render(p, pxPerCmX(), pxPerCmY());
}

QPoint CScoreGraphicView::devicePoint(int x, int y) const {
    const double kx = zoom_.zoom() * pxPerCmX() / 10000.0, ky = zoom_.zoom() * pxPerCmY() / 10000.0;
    return {static_cast<int>(std::lround(x * kx)), static_cast<int>(std::lround(y * ky))};
}

QString CScoreGraphicView::tipAt(const QPoint& at) const {
    const double kx = zoom_.zoom() * pxPerCmX() / 10000.0, ky = zoom_.zoom() * pxPerCmY() / 10000.0;
    for (const ScoreGraphPoint& g : picture_.curve) {
        if (std::abs(g.x * kx - at.x()) <= 6 && std::abs(g.y * ky - at.y()) <= 6) return qs(g.tip);
    }
    return {};
}

bool CScoreGraphicView::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = tipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}

// --------------------------------------------------------------------------------- activity

ScoreGraphActivity::ScoreGraphActivity(ActivityHost& host) : host_(host) {
    commandTable()
        .add(cmd::app::FilePrint, [this] { printNow(); })
        .add(cmd::app::FilePrintPreview, [this] { printPreview(); });
}

bool ScoreGraphActivity::open(const std::string& requested) {
    AppContext& c = host_.context();
    // Reopened at start-up without a name: the listing of the graph named by the last job.
    std::string fileName = requested;
    if (fileName.empty()) {
        if (const auto kind = kindOfGraphJob(AppSettings::kRemember.read(c.store)))
            fileName = exerciseFiles(c.store, *kind).listing;
    }
    const auto data = c.files.exists(fileName) ? c.files.readAll(fileName, 4u << 20) : std::nullopt;
    if (!data) {
        c.prompts().messageBox("Failed to open document.", strings::text(28674), MessageIcon::Exclamation,
                               MessageButtons::Ok);
        return false;
    }
    std::string text(data->begin(), data->end());
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) plain += text[i];
    text_ = qs(decodeText(plain, FontEncoding::Windows1252));
    return true;
}

QWidget* ScoreGraphActivity::widget() {
    if (frame_) return frame_.data();
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("CGraphFrame"));
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(Qt::Horizontal, frame);
    listing_ = new CPadView(split);
    listing_->setPlainText(text_);
    auto* scroll = new QScrollArea(split);
    graph_ = new CScoreGraphicView(host_.context(), zoom_, scroll);
    scroll->setWidget(graph_);
    scroll->setWidgetResizable(false);
    split->addWidget(listing_);
    split->addWidget(scroll);
    const QScreen* s = QGuiApplication::primaryScreen();
    const int half = s ? s->availableGeometry().width() / 2 - 20 : 500;
    split->setSizes({half, half});
    layout->addWidget(split);
    zoom_.onZoomChanged = [this] {
        if (!graph_) return;
        graph_->resize(graph_->sizeHint());
        graph_->update();
    };
    graph_->reload();
    graph_->resize(graph_->sizeHint());
    // The newest scores are at the right end of the curve: until the learner scrolls, the pane keeps
    // the last point in view (the drawing is wider than half a screen at zoom 100).
    auto showNewest = [this, scroll] {
        if (!graph_ || !followNewest_ || graph_->picture().curve.empty()) return;
        const ScoreGraphPoint& last = graph_->picture().curve.back();
        // As little scrolled as shows it with a margin, so the window's growth never leaves the
        // drawing off to one side.
        const QPoint at = graph_->devicePoint(last.x, last.y);
        const QSize view = scroll->viewport()->size();
        QScrollBar* h = scroll->horizontalScrollBar();
        QScrollBar* v = scroll->verticalScrollBar();
        h->setValue(std::clamp(at.x() + 24 - view.width(), 0, h->maximum()));
        v->setValue(std::clamp(at.y() + 40 - view.height(), 0, v->maximum()));
    };
    QObject::connect(scroll->horizontalScrollBar(), &QScrollBar::rangeChanged, scroll, showNewest);
    QObject::connect(scroll->verticalScrollBar(), &QScrollBar::rangeChanged, scroll, showNewest);
    for (QScrollBar* bar : {scroll->horizontalScrollBar(), scroll->verticalScrollBar()})
        QObject::connect(bar, &QAbstractSlider::actionTriggered, scroll, [this] { followNewest_ = false; });
    ExerciseSettings::kScoreGraphTrace.write(host_.context().store, "");
    graph_->setFocusPolicy(Qt::ClickFocus);
    listing_->onActivated = [this] { listingActive_ = true; };
    graph_->onActivated = [this] { listingActive_ = false; };
    graph_->setFocus();
    frame_ = frame;
    return frame;
}

QString ScoreGraphActivity::initialCaption() const {
    const auto kind = kindOfGraphJob(AppSettings::kRemember.read(host_.context().store));
    return kind ? qs(scoreGraphTitle(*kind)) : QString();
}

bool ScoreGraphActivity::graphActive() const {
    return !listingActive_;
}

void ScoreGraphActivity::print(QPrinter& printer) const {
    if (!graphActive()) {
        // Plain pages in a 10-point font (the pane's pixel font would shrink on a printer).
        std::unique_ptr<QTextDocument> doc(listing_->document()->clone());
        QFont f = listing_->font();
        f.setPointSizeF(10);
        doc->setDefaultFont(f);
        doc->print(&printer);
        return;
    }
    QPainter p(&printer);
    // The printer's own pixels per centimetre: a unit is 1/100 cm on paper at zoom 100, unless the
    // drawing at the chosen zoom is larger than the page; then it shrinks to fit.
    const QPageLayout layout = printer.pageLayout();
    const QRectF px = layout.paintRectPixels(printer.resolution());
    const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
    const double fit = scoreGraphPrintFit(zoom_.zoom(), mm.width() / 10, mm.height() / 10);
    if (fit <= 0) return;
    graph_->render(p, fit * px.width() * 10 / mm.width(), fit * px.height() * 10 / mm.height());
}

void ScoreGraphActivity::printNow() {
    auto* printer = new QPrinter(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    auto* dialog = new QPrintDialog(printer, host_.dialogParent());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, dialog, [this, printer] { print(*printer); });
    QObject::connect(dialog, &QObject::destroyed, [printer] { delete printer; });
    dialog->open();
}

void ScoreGraphActivity::printPreview() {
    auto* printer = new QPrinter(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    auto* preview = new QPrintPreviewDialog(printer, host_.dialogParent());
    preview->setObjectName(QStringLiteral("GraphPrintPreview"));
    preview->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview, [this](QPrinter* p) { print(*p); });
    QObject::connect(preview, &QObject::destroyed, [printer] { delete printer; });
    preview->resize(900, 700);
    preview->open();
}

} // namespace lumora
