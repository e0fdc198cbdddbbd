#include "voice/ui/voice_graph_widget.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "course/ui/content_fonts.h"
#include "foundation/codecs.h"

namespace lumora {

VoiceGraphWidget::VoiceGraphWidget(VoiceGraph& graph, QWidget* parent) : QAbstractScrollArea(parent), graph_(graph) {
    setObjectName(QStringLiteral("CSoundInGraphicView"));
    setAccessibleName(tr("Voice comparison graph"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
}

void VoiceGraphWidget::graphChanged() {
    updateScrollBars();
    viewport()->update();
}

void VoiceGraphWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void VoiceGraphWidget::updateScrollBars() {
    const GraphMapping m = graph_.screenMapping();
    const int width = std::max(graph_.scrollSize().width, static_cast<int>(m.deviceX(graph_.longest()))) + 2 * kMargin;
    const int height = static_cast<int>(m.deviceY(VoiceGraph::kHeight)) + 2 * kMargin;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

namespace {

QColor qcolour(ColourRef c) {
    return colourOf(c);
}

void paintTexts(QPainter& p, VoiceGraph& graph, const GraphMapping& m) {
    for (const GraphText& t : graph.texts()) {
        const FontEncoding enc = encodingForFace(t.face);
        const QFont font = contentFont(t.face, enc, std::max(1.0, t.height * m.viewportY / 100.0));
        p.setFont(font);
        p.setPen(QColor(128, 0, 255));
        const QString text = QString::fromUtf8(t.text.c_str());
        // The position is the text's top-left corner.
        p.drawText(QPointF(m.deviceX(t.x), m.deviceY(t.y) + QFontMetricsF(font).ascent()), text);
    }
}

void paintWaves(QPainter& p, VoiceGraph& graph, const GraphMapping& m, const QRect& clip, int penPx) {
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 3; ++i) {
        const auto& cols = graph.columns(i, m);
        if (cols.empty()) continue;
        const QColor colour = qcolour(graph.voices()[i].colour);
        const double sy = m.viewportY / 100.0;
        const auto first = std::lower_bound(cols.begin(), cols.end(), clip.left(),
                                            [](const ColumnSpan& c, int x) { return c.column < x; });
        for (auto it = first; it != cols.end() && it->column <= clip.right(); ++it) {
            const int top = static_cast<int>(std::floor(it->yMin * sy)) - m.originY;
            const int bottom = static_cast<int>(std::floor(it->yMax * sy)) - m.originY;
            p.fillRect(QRect(it->column, top, penPx, bottom - top + penPx), colour);
        }
    }
}

void paintTones(QPainter& p, VoiceGraph& graph, const GraphMapping& m, const QRect& clip, int penPx) {
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < 3; ++i) {
        const GraphVoice& v = graph.voices()[i];
        // The semitone grid of the band: a light line a semitone, a stronger one at the median and
        // at each fifth and octave.
        for (int s = -VoiceGraph::kSemitoneRange; s <= VoiceGraph::kSemitoneRange; ++s) {
            const double y = m.deviceY(graph.semitoneY(i, s));
            const bool strong = s == 0 || s % 12 == 0 || std::abs(s) == 7;
            p.setPen(QPen(strong ? QColor(200, 200, 215) : QColor(235, 235, 242), (s == 0 ? 1.5 : 1.0) * penPx));
            p.drawLine(QPointF(clip.left(), y), QPointF(clip.right() + 1, y));
        }
        const PitchCurve& curve = graph.pitch(i);
        if (curve.empty()) continue;
        const QColor colour = qcolour(v.colour);
        QPainterPath path;
        bool open = false;
        QPointF last;
        for (const PitchFrame& f : curve.frames) {
            if (!f.semitone) {
                open = false;
                continue;
            }
            const QPointF pt(m.deviceX(f.x), m.deviceY(graph.semitoneY(i, *f.semitone)));
            if (!open) {
                path.moveTo(pt);
                open = true;
            } else {
                // A smooth joint: a quadratic through the midpoint.
                const QPointF mid = (last + pt) / 2;
                path.quadTo(last, mid);
            }
            last = pt;
        }
        p.setPen(QPen(colour, 2.5 * penPx, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(QColor(110, 110, 130));
        QFont small = p.font();
        small.setPixelSize(std::max(9, m.viewportY / 3));
        p.setFont(small);
        p.drawText(QPointF(m.deviceX(10), m.deviceY(graph.semitoneY(i, 0)) - 3),
                   QStringLiteral("%1 Hz").arg(std::lround(curve.medianHz)));
    }
}

} // namespace

void VoiceGraphWidget::paintGraph(QPainter& p, VoiceGraph& graph, const GraphMapping& m, const QRect& clip, int penPx) {
    if (!graph.drawing()) return;
    // The bands' frames and centre lines, faint, so that the three voices read as rows.
    p.setRenderHint(QPainter::Antialiasing, false);
    const int right = std::max(clip.right() + 1, static_cast<int>(m.deviceX(graph.longest())));
    for (int b = 0; b < 3; ++b) {
        const GraphVoice& v = graph.voices()[b];
        p.setPen(QColor(238, 238, 238));
        if (!graph.tones())
            p.drawLine(QPointF(0, m.deviceY(v.band.centre())), QPointF(right, m.deviceY(v.band.centre())));
        if (b > 0) {
            p.setPen(QColor(210, 210, 210));
            p.drawLine(QPointF(0, m.deviceY(v.band.top)), QPointF(right, m.deviceY(v.band.top)));
        }
    }
    if (graph.tones())
        paintTones(p, graph, m, clip, penPx);
    else
        paintWaves(p, graph, m, clip, penPx);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    paintTexts(p, graph, m);
}

void VoiceGraphWidget::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    const int dx = kMargin - horizontalScrollBar()->value();
    const int dy = kMargin - verticalScrollBar()->value();
    p.translate(dx, dy);
    const QRect clip = viewport()->rect().translated(-dx, -dy);
    paintGraph(p, graph_, graph_.screenMapping(), clip);
}

void VoiceGraphWidget::print(QPrinter* printer) {
    QPainter p(printer);
    if (!p.isActive()) return;
    const int dpcX = printer->widthMM() > 0 ? printer->width() * 10 / printer->widthMM() : 37;
    const int dpcY = printer->heightMM() > 0 ? printer->height() * 10 / printer->heightMM() : 37;
    const int pageHeight = printer->height();
    for (int page = 1; page <= VoiceGraph::kPrintPages; ++page) {
        if (page > 1) printer->newPage();
        const GraphMapping m = graph_.printMapping({dpcX, dpcY}, page, pageHeight);
        p.save();
        p.setClipRect(QRect(0, 0, printer->width(), pageHeight));
        // On paper a line is about 0.1 mm wide rather than one printer dot.
        paintGraph(p, graph_, m, QRect(0, 0, printer->width(), pageHeight), std::max(1, printer->resolution() / 250));
        p.restore();
    }
}

} // namespace lumora
