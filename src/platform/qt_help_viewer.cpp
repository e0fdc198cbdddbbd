#include "platform/qt_help_viewer.h"

#include <QScreen>

#include <QGuiApplication>

#include <algorithm>

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "resources/ui/icons.h"

namespace lumora {

namespace {
constexpr int kTopicRole = Qt::UserRole + 1;
constexpr qint64 kMaxHelpFile = 16 << 20;

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("Lumora Help"));
    setWindowIcon(icons::applicationIcon());
    resize(860, 600);

    tabs_ = new QTabWidget;
    contents_ = new QListWidget;
    contents_->setObjectName(QStringLiteral("contents"));
    tabs_->addTab(contents_, tr("Contents"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexFilter_ = new QLineEdit;
    indexFilter_->setPlaceholderText(tr("Type the first letters of a topic"));
    indexFilter_->setClearButtonEnabled(true);
    indexFilter_->setObjectName(QStringLiteral("indexFilter"));
    index_ = new QListWidget;
    index_->setObjectName(QStringLiteral("index"));
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_);
    tabs_->addTab(indexPage, tr("Index"));

    auto* findPage = new QWidget;
    auto* findLayout = new QVBoxLayout(findPage);
    findBox_ = new QLineEdit;
    findBox_->setPlaceholderText(tr("Words to find"));
    findBox_->setClearButtonEnabled(true);
    findBox_->setObjectName(QStringLiteral("findBox"));
    findCount_ = new QLabel;
    found_ = new QListWidget;
    found_->setObjectName(QStringLiteral("found"));
    findLayout->addWidget(findBox_);
    findLayout->addWidget(findCount_);
    findLayout->addWidget(found_);
    tabs_->addTab(findPage, tr("Find"));

    text_ = new QTextBrowser;
    text_->setOpenLinks(false);
    QFont body = text_->font();
    body.setPointSizeF(body.pointSizeF() * 1.1);
    text_->setFont(body);

    auto* split = new QSplitter;
    split->addWidget(tabs_);
    split->addWidget(text_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({260, 600});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(split);

    auto pick = [this](QListWidgetItem* item) {
        if (item) showTopic(item->data(kTopicRole).toInt());
    };
    connect(contents_, &QListWidget::currentItemChanged, this, pick);
    connect(index_, &QListWidget::currentItemChanged, this, pick);
    connect(found_, &QListWidget::currentItemChanged, this, pick);
    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpWindow::fillIndex);
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this] {
        if (index_->count() > 0) index_->setCurrentRow(0);
    });
    connect(findBox_, &QLineEdit::textChanged, this, &HelpWindow::runFind);
}

void HelpWindow::setTopics(std::vector<HelpTopic> topics, const QString& fileName) {
    topics_ = std::move(topics);
    (void)fileName;
    setWindowTitle(tr("Lumora Help"));
    QSignalBlocker b1(contents_);
    contents_->clear();
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i) {
        auto* item = new QListWidgetItem(qs(topics_[static_cast<std::size_t>(i)].title), contents_);
        item->setData(kTopicRole, i);
    }
    fillIndex(indexFilter_->text());
    runFind(findBox_->text());
    if (topics_.empty()) {
        text_->setHtml(QStringLiteral("<p><i>%1</i></p>").arg(tr("This help file holds no topic.")));
        currentTitle_.clear();
    }
}

void HelpWindow::fillIndex(const QString& filter) {
    QSignalBlocker b(index_);
    index_->clear();
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i) order.push_back(i);
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        return QString::localeAwareCompare(qs(topics_[static_cast<std::size_t>(a)].title),
                                           qs(topics_[static_cast<std::size_t>(b)].title)) < 0;
    });
    for (int i : order) {
        const QString title = qs(topics_[static_cast<std::size_t>(i)].title);
        if (!filter.isEmpty() && !title.contains(filter, Qt::CaseInsensitive)) continue;
        auto* item = new QListWidgetItem(title, index_);
        item->setData(kTopicRole, i);
    }
}

void HelpWindow::runFind(const QString& text) {
    QSignalBlocker b(found_);
    found_->clear();
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        findCount_->setText(tr("Type words to find them in every topic."));
        return;
    }
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i) {
        const HelpTopic& t = topics_[static_cast<std::size_t>(i)];
        QString all = qs(t.title);
        for (const std::string& p : t.paragraphs) all += QLatin1Char('\n') + qs(p);
        bool every = true;
        for (const QString& w : words) every = every && all.contains(w, Qt::CaseInsensitive);
        if (!every) continue;
        auto* item = new QListWidgetItem(qs(t.title), found_);
        item->setData(kTopicRole, i);
    }
    findCount_->setText(tr("%n topic(s) found", nullptr, found_->count()));
}

void HelpWindow::showTopic(int index) {
    if (index < 0 || index >= static_cast<int>(topics_.size())) return;
    const HelpTopic& t = topics_[static_cast<std::size_t>(index)];
    currentTitle_ = qs(t.title);
    setWindowTitle(currentTitle_.isEmpty() ? tr("Lumora Help") : currentTitle_ + QStringLiteral(" - ") + tr("Lumora Help"));
    QString html = QStringLiteral("<h2>%1</h2>").arg(currentTitle_.toHtmlEscaped());
    for (const std::string& p : t.paragraphs)
        html += QStringLiteral("<p>%1</p>").arg(qs(p).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    text_->setHtml(html);
    QSignalBlocker b(contents_);
    contents_->setCurrentRow(index);
}

void HelpWindow::placeBeside(QMainWindow* owner) {
    if (!owner) return;
    // Below the owner's menus and toolbars, at its right: the toolbar stays in reach.
    QWidget* central = owner->centralWidget();
    const QPoint below = central ? central->mapToGlobal(QPoint(0, 0)) : owner->geometry().topLeft();
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int w = std::min(width(), avail.width());
    const int h = std::min(height(), avail.bottom() - below.y());
    if (h < 200) return; // no room below the toolbar: leave the place to the window system
    resize(w, h);
    const int x = std::clamp(owner->geometry().right() - w - 8, avail.left(), std::max(avail.left(), avail.right() - w));
    const int y = std::clamp(below.y() + 8, avail.top(), std::max(avail.top(), avail.bottom() - h));
    move(x, y);
}

void HelpWindow::showContents() {
    tabs_->setCurrentIndex(0);
    if (topics_.empty()) return;
    int first = 0;
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i)
        if (topics_[static_cast<std::size_t>(i)].context == 0) {
            first = i;
            break;
        }
    showTopic(first);
}

void HelpWindow::showFinder() {
    tabs_->setCurrentIndex(1);
    if (!topics_.empty() && currentTitle_.isEmpty()) {
        showContents();
        tabs_->setCurrentIndex(1);
    }
    indexFilter_->setFocus();
}

bool HelpWindow::showContext(int context) {
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i)
        if (topics_[static_cast<std::size_t>(i)].context == context) {
            tabs_->setCurrentIndex(0);
            showTopic(i);
            return true;
        }
    showContents();
    return false;
}

QtHelpViewer::~QtHelpViewer() { delete window_; }

void QtHelpViewer::showHelp(const std::string& helpFile, HelpCommand command, int context) {
    QFile file(QString::fromStdString(helpFile));
    std::vector<HelpTopic> topics;
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxHelpFile) {
        const QByteArray bytes = file.readAll();
        topics = parseHelpFile(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    if (!window_) {
        // Owned by the main window, so that it closes with the program.
        QWidget* owner = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QMainWindow*>(w)) owner = w;
        window_ = new HelpWindow(owner);
        window_->placeBeside(qobject_cast<QMainWindow*>(owner));
    }
    window_->setTopics(std::move(topics), QFileInfo(file).fileName());
    switch (command) {
    case HelpCommand::Contents: window_->showContents(); break;
    case HelpCommand::Finder: window_->showFinder(); break;
    case HelpCommand::Context: window_->showContext(context); break;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace lumora
