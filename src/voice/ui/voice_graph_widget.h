#pragma once
// The comparison graph on screen and on paper (CSoundInGraphicView): it paints what the core's
// VoiceGraph computed, the waveforms as one vertical span per pixel column, or in the tone view the
// pitch curves over a light semitone grid.
#include <QAbstractScrollArea>

#include "voice/voice_graph.h"

class QPainter;
class QPrinter;

namespace lumora {

class VoiceGraphWidget final : public QAbstractScrollArea {
    Q_OBJECT
public:
    VoiceGraphWidget(VoiceGraph& graph, QWidget* parent = nullptr);

    // The graph read its voices again or changed its zoom: scroll range and picture follow.
    void graphChanged();
    // Prints the two pages.
    void print(QPrinter* printer);
    // Paints the graph with a mapping; `clip` is the device area to fill (x in pixel columns).
    // `penPx` is the width of a line in device pixels.
    static void paintGraph(QPainter& p, VoiceGraph& graph, const GraphMapping& m, const QRect& clip, int penPx = 1);

    static constexpr int kMargin = 8;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateScrollBars();
    VoiceGraph& graph_;
};

} // namespace lumora
