#pragma once
// The score graph window: the listing of the last 30 scores on the left (plain text, tab stops,
// no wrap) and the graph on the right, with its zoom, print and print preview of the active pane.
#include <functional>

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include "exercises/score_graph.h"
#include "foundation/ui/activity.h"

class QPrinter;

namespace lumora {

// The listing pane: the raw text of the listing file; edits are never saved.
class CPadView final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CPadView(QWidget* parent);
    std::function<void()> onActivated; // the learner clicked or tabbed into the pane

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

class CScoreGraphicView final : public QWidget {
    Q_OBJECT
public:
    CScoreGraphicView(AppContext& context, ScoreGraphZoom& zoom, QWidget* parent);
    void reload();
    const ScoreGraphPicture& picture() const { return picture_; }
    // Paints the page on a device with the given pixels per centimetre.
    void render(QPainter& p, double pxPerCmX, double pxPerCmY) const;
    // The tooltip text at a point of the widget (empty away from the curve).
    QString tipAt(const QPoint& at) const;
    // Where a point in units lies on the pane, in pixels.
    QPoint devicePoint(int x, int y) const;
    QSize sizeHint() const override;
    std::function<void()> onActivated; // the learner clicked the pane

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    double pxPerCmX() const;
    double pxPerCmY() const;
    AppContext& context_;
    ScoreGraphZoom& zoom_;
    ScoreGraphPicture picture_;
};

class ScoreGraphActivity final : public Activity, public CommandTarget {
public:
    explicit ScoreGraphActivity(ActivityHost& host);
    ActivityTemplateId templateId() const override { return ActivityTemplateId::ScoreGraph; }
    bool open(const std::string& fileName) override;
    QWidget* widget() override;
    std::vector<CommandTarget*> commandTargets() override { return {&zoom_, this}; }
    QString initialCaption() const override;

    CPadView* listing() const { return listing_; }
    CScoreGraphicView* graph() const { return graph_; }
    // Prints the active pane (the graph unless the listing has the focus).
    void print(QPrinter& printer) const;
    bool graphActive() const;

private:
    void printPreview();
    void printNow();
    ActivityHost& host_;
    ScoreGraphZoom zoom_;
    QString text_;
    bool listingActive_ = false; // the pane last given the focus; the graph at first
    bool followNewest_ = true;   // the graph pane keeps the newest score in view until scrolled
    QPointer<QWidget> frame_;
    CPadView* listing_ = nullptr;
    CScoreGraphicView* graph_ = nullptr;
};

} // namespace lumora
