#pragma once
// The lessons list (CChoixView) and the stories list (CChoixWriteView): a scrollable wall of 34
// buttons laid out by the form template of the screen width. The first 24 lesson buttons show a
// picture of their lesson composed at run time from the course (the ideogram picture of the lesson's
// first phrase, its number and its title); the other buttons show their title.
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QImage>
#include <QScrollArea>

#include "shell/choix.h"
#include "foundation/ui/activity.h"

namespace lumora {

class AppContext;

// One button of the wall.
class ChoixButton final : public QAbstractButton {
    Q_OBJECT
public:
    ChoixButton(int index, QWidget* parent = nullptr);
    int index() const { return index_; }
    // A lesson picture (shown instead of the title when set).
    void setLessonPicture(const QImage& ideogram, const QString& title, bool present);
    void setTitle(const QString& title, bool present);
    bool hasPicture() const { return picture_; }
    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Return and Enter press the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int index_;
    bool picture_ = false;
    bool present_ = false; // the catalogue has this entry
    bool hover_ = false;
    QImage ideogram_;
    QString title_;
};

// Paints the picture of lesson `index` (0-based) into `target` as a 160 x 120 composition.
void paintLessonPicture(QPainter& p, const QRectF& target, int index, const QImage& ideogram, const QString& title,
                        bool present);

class CChoixView final : public QScrollArea {
    Q_OBJECT
public:
    CChoixView(AppContext& context, ChoixHost& host, CatalogueKind kind, int screenWidth, QWidget* parent = nullptr);

    const ChoixTemplate& formTemplate() const { return template_; }
    ChoixLogic& logic() { return logic_; }
    ChoixButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
    // Reads the catalogue again: labels, pictures, tooltips.
    void initialUpdate();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutButtons();
    QImage loadIdeogram(int index) const;

    AppContext& context_;
    ChoixLogic logic_;
    ChoixTemplate template_;
    QWidget* wall_ = nullptr;
    std::vector<ChoixButton*> buttons_;
};

// The activity of both lists (a CChoixDoc in a CConteChildWnd).
class ChoixActivity final : public Activity, private ChoixHost {
public:
    ChoixActivity(ActivityHost& host, CatalogueKind kind);
    ~ChoixActivity() override;
    ActivityTemplateId templateId() const override;
    bool open(const std::string& fileName) override;
    QWidget* widget() override;
    std::vector<CommandTarget*> commandTargets() override { return {}; }
    void activated() override;
    QString initialCaption() const override;
    CChoixView* view() const { return view_; }

private:
    // ChoixHost: a story click opens the story reading through the main frame.
    void postCommand(int id) override { host_.postCommand(id); }
    void setWaitCursor(bool on) override { host_.setWaitCursor(on); }
    void closeActivityWindows() override { host_.closeActivityWindows(); }
    bool openActivity(ActivityTemplateId id, const std::string& fileName) override {
        return host_.openActivity(id, fileName);
    }
    void startActiveActivity(ActivityTemplateId id) override { host_.startActiveActivity(id); }

    ActivityHost& host_;
    CatalogueKind kind_;
    std::string name_; // the document holds only the name it was opened with
    CChoixView* view_ = nullptr;
};

} // namespace lumora
