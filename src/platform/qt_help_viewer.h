#pragma once
// The help window over our help file format (foundation/help_file.h): a contents list, an index with a
// filter, a find box that searches the topics' text, and the text of the chosen topic.
#include <QPointer>
#include <QWidget>
#include <vector>

#include "foundation/platform.h"
#include "foundation/help_file.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QLabel;

class QMainWindow;

namespace lumora {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads the topics (the file's text is read by the caller).
    void setTopics(std::vector<HelpTopic> topics, const QString& fileName);
    // Contents: the contents tab and the first topic (context 0 when there is one).
    void showContents();
    // Finder: the index tab with its filter focused.
    void showFinder();
    // The topic of a context number; false when the file has none.
    bool showContext(int context);

    QString currentTitle() const { return currentTitle_; }
    // Puts the window at the owner's right, below its menus and toolbars.
    void placeBeside(QMainWindow* owner);
    int topicCount() const { return static_cast<int>(topics_.size()); }

private:
    void showTopic(int index);
    void fillIndex(const QString& filter);
    void runFind(const QString& text);

    std::vector<HelpTopic> topics_;
    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QListWidget* index_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    QListWidget* found_ = nullptr;
    QLabel* findCount_ = nullptr;
    QTextBrowser* text_ = nullptr;
    QString currentTitle_;
};

class QtHelpViewer final : public HelpViewer {
public:
    ~QtHelpViewer() override;
    void showHelp(const std::string& helpFile, HelpCommand command, int context) override;
    HelpWindow* window() const { return window_; }

private:
    QPointer<HelpWindow> window_;
};

} // namespace lumora
