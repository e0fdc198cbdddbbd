#include "shell/ui/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include "course/ui/metafile_painter.h"
#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "foundation/frame_commands.h"
#include "foundation/ui/command_toolbar.h"
#include "platform/qt_text.h"
#include "resources/string_table.h"
#include "resources/ui/icons.h"
#include "shell/ui/internet_hint_dialog.h"

namespace lumora {

namespace {

// The tooltip of a command: its tooltip string, else its prompt.
QString commandTip(int id) {
    const QString tip = qs(strings::tooltip(id));
    return tip.isEmpty() ? qs(strings::prompt(id)) : tip;
}
} // namespace

// ------------------------------------------------------------------ the child window of an activity

class ActivityChild final : public QMdiSubWindow {
public:
    explicit ActivityChild(std::unique_ptr<Activity> activity) : activity_(std::move(activity)) {
        setAttribute(Qt::WA_DeleteOnClose);
        setWidget(activity_->widget());
        setWindowTitle(activity_->initialCaption());
        setWindowIcon(icons::applicationIcon());
    }
    ~ActivityChild() override {
        // The widgets go first: they may still refer to the document while they are destroyed.
        if (!closed_ && activity_) activity_->closing();
        QWidget* w = widget();
        if (w) {
            setWidget(nullptr);
            delete w;
        }
        activity_.reset();
    }
    Activity* activity() const { return activity_.get(); }
    void markClosing() {
        if (closed_) return;
        closed_ = true;
        activity_->closing();
    }

protected:
    void closeEvent(QCloseEvent* e) override {
        markClosing();
        QMdiSubWindow::closeEvent(e);
    }

private:
    std::unique_ptr<Activity> activity_;
    bool closed_ = false;
};

namespace {
ActivityChild* asChild(QMdiSubWindow* w) { return dynamic_cast<ActivityChild*>(w); }
} // namespace

// ------------------------------------------------------------------ construction

CMainFrame::CMainFrame(AppContext& context)
    : context_(context),
      commands_(context.store, *this, context.prompts(), context.help(), context.web()) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(icons::applicationIcon());
    // The exercises and the dictionary show a phrase's still picture with the course's player.
    context_.setMetafileRecorder(&recordMediaMetafile);
    mdi_ = new QMdiArea(this);
    mdi_->setViewMode(QMdiArea::SubWindowView);
    mdi_->setBackground(QColor(0x8A, 0x95, 0x9E));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { onCurrentChildChanged(); });

    buildToolbar();
    buildStatusBar();
    for (const std::vector<int>& ids : exclusiveCommandGroups()) {
        auto* group = new QActionGroup(this);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (int id : ids) group->addAction(action(id));
    }
    mainCaption_ = qs(strings::text(28674));
    rebuildMenus();
    updateTitle();

    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(1000);
    connect(clockTimer_, &QTimer::timeout, this, &CMainFrame::updateClockPanes);
    clockTimer_->start();

    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The bars are hidden as the window's children go: their signals must not reach a frame whose
    // own members are already destroyed.
    if (toolbar_) disconnect(toolbar_, nullptr, this, nullptr);
    listening_.clear();
    listened_ = nullptr;
    // Close every activity while the frame is whole, those waiting for deletion too.
    for (QMdiSubWindow* w : mdi_->subWindowList()) delete w;
    for (const QPointer<QMdiSubWindow>& w : closing_) delete w.data();
}

void CMainFrame::setApplication(CCoursApp* app) {
    app_ = app;
    updateClockPanes();
}

void CMainFrame::registerActivity(ActivityType type) {
    const ActivityTemplateId id = type.descriptor.templateId;
    if (type.factory)
        factories_[id] = std::move(type.factory);
    else
        factories_.erase(id);
    commands_.registerActivity(std::move(type.descriptor));
    refreshCommandStates();
}

void CMainFrame::registerDialog(int command, std::function<void()> run) {
    dialogs_[command] = std::move(run);
    // The command, and those of the activities that withhold theirs without the dialog, follow.
    commandStatesChanged();
}

QAction* CMainFrame::action(int id) {
    auto it = actions_.find(id);
    if (it != actions_.end()) return it->second;
    auto* a = new QAction(this);
    a->setObjectName(QStringLiteral("command%1").arg(id));
    a->setData(id);
    const QString prompt = qs(strings::prompt(id));
    a->setText(prompt.isEmpty() ? QString::number(id) : prompt);
    a->setToolTip(commandTip(id));
    a->setStatusTip(prompt);
    a->setWhatsThis(commandTip(id));
    if (icons::hasCommandIcon(id)) a->setIcon(icons::commandIcon(id));
    a->setCheckable(commands_.isCheckable(id));
    a->setShortcutContext(Qt::WindowShortcut);
    a->setEnabled(false);
    connect(a, &QAction::triggered, this, [this, id] { dispatch(id); });
    addAction(a); // shortcuts work whether or not a menu shows the command
    actions_[id] = a;
    return a;
}

void CMainFrame::buildToolbar() {
    toolbar_ = addCommandToolbar(*this, tr("Toolbar"), QStringLiteral("mainToolbar"), mainToolbar(),
                                 [this](int id) { return action(id); });
    toolbar_->setMovable(true);
    // The toolbar's own menu may hide it: the View menu's check mark follows.
    connect(toolbar_, &QToolBar::visibilityChanged, this, [this](bool) { commandStatesChanged(); });
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    auto pane = [bar](const QString& indicator, int widthFactor, const char* name) {
        auto* l = new QLabel(indicator);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        const int w = l->fontMetrics().horizontalAdvance(indicator) + 12;
        l->setMinimumWidth(w * widthFactor);
        bar->addPermanentWidget(l);
        return l;
    };
    activityStatus_ = new QLabel;
    activityStatus_->setObjectName(QStringLiteral("activityStatus"));
    activityStatus_->hide();
    bar->addWidget(activityStatus_, 1);
    capPane_ = pane(qs(strings::text(59137)), 1, "capPane");
    numPane_ = pane(qs(strings::text(59138)), 1, "numPane");
    scrlPane_ = pane(qs(strings::text(59139)), 1, "scrlPane");
    // The clock panes are three and four times as wide as their indicator "TEST".
    runPane_ = pane(qs(strings::text(28688)), 3, "runPane");
    totalPane_ = pane(qs(strings::text(28689)), 4, "totalPane");
    runPane_->setToolTip(tr("Time spent in this session"));
    totalPane_->setToolTip(tr("Total time spent with the course"));
    updateKeyPanes();
}

// ------------------------------------------------------------------ commands

void CMainFrame::dispatch(int id) {
    ++dispatchDepth_;
    bool handled = false;
    if (Activity* a = currentActivity()) {
        for (CommandTarget* t : a->commandTargets()) {
            if (t && t->onCommand(id)) {
                handled = true;
                break;
            }
        }
    }
    if (!handled) commands_.onCommand(id);
    --dispatchDepth_;
    if (dispatchDepth_ == 0 || statesDirty_) refreshCommandStates();
    if (dispatchDepth_ == 0) runHeldCommandsSoon();
}

void CMainFrame::postCommand(int id) {
    QTimer::singleShot(0, this, [this, id] {
        if (dispatchDepth_ > 0) {
            // A command's dialog is open: the posted command runs after that command.
            heldCommands_.push_back(id);
            return;
        }
        dispatch(id);
    });
}

void CMainFrame::runHeldCommandsSoon() {
    // Once, from the event loop: the end of a plan is reported from inside its runner.
    if (heldCommands_.empty() || heldRunPosted_) return;
    heldRunPosted_ = true;
    QTimer::singleShot(0, this, [this] {
        heldRunPosted_ = false;
        runHeldCommands();
    });
}

void CMainFrame::runHeldCommands() {
    // A held command that opens a dialog holds the rest again.
    while (!heldCommands_.empty() && dispatchDepth_ == 0) {
        const int id = heldCommands_.front();
        heldCommands_.erase(heldCommands_.begin());
        dispatch(id);
    }
}

namespace {
// Where a command's state comes from: the first target of the chain that takes it.
struct Routed {
    CommandState state{false, false};
    bool declared = false;
    bool checkable = false;
};
Routed routeState(const std::vector<CommandTarget*>& chain, int id) {
    Routed r;
    for (CommandTarget* t : chain) {
        if (!t) continue;
        if (!r.declared && t->declares(id)) {
            r.declared = true;
            r.checkable = t->isCheckable(id);
        }
        if (auto s = t->commandState(id)) {
            r.state = *s;
            r.declared = true;
            r.checkable = t->isCheckable(id);
            return r;
        }
    }
    return r;
}
} // namespace

CommandState CMainFrame::stateOf(int id) const {
    std::vector<CommandTarget*> chain;
    if (Activity* a = currentActivity()) chain = a->commandTargets();
    chain.push_back(const_cast<MainFrameCommands*>(&commands_));
    return routeState(chain, id).state;
}

void CMainFrame::refreshCommandStates() {
    statesDirty_ = false;
    std::vector<CommandTarget*> chain;
    if (Activity* a = currentActivity()) chain = a->commandTargets();
    chain.push_back(&commands_);
    for (auto& [id, a] : actions_) {
        const Routed r = routeState(chain, id);
        // The check mark belongs to the command as the target that declares it says.
        if (r.declared && a->isCheckable() != r.checkable) a->setCheckable(r.checkable);
        if (a->isEnabled() != r.state.enabled) a->setEnabled(r.state.enabled);
        if (a->isCheckable() && a->isChecked() != r.state.checked) a->setChecked(r.state.checked);
    }
}

void CMainFrame::commandStatesChanged() {
    // Inside a command the refresh after it covers every change it made.
    if (dispatchDepth_ > 0) {
        statesDirty_ = true;
        return;
    }
    refreshCommandStates();
}

void CMainFrame::listenToCurrentActivity() {
    Activity* a = currentActivity();
    if (a == listened_) return;
    listening_.clear();
    listened_ = a;
    if (!a) return;
    for (CommandTarget* t : a->commandTargets())
        if (t) listening_.push_back(t->addStateListener([this] { commandStatesChanged(); }));
    listening_.push_back(commands_.addStateListener([this] { commandStatesChanged(); }));
}

// ------------------------------------------------------------------ menus and accelerators

const ActivityDescriptor* CMainFrame::currentDescriptor() const {
    const Activity* a = currentActivity();
    return a ? activities().byTemplate(a->templateId()) : nullptr;
}

void CMainFrame::rebuildMenus() {
    const ActivityDescriptor* d = currentDescriptor();
    const int resource = d ? d->resourceId : 1600;
    if (resource == menuResource_) return;
    menuResource_ = resource;
    menuBar()->clear();
    for (QMenu* m : menus_) m->deleteLater();
    menus_.clear();
    for (const MenuLayout& layout : d ? d->menus : frameMenuBar()) {
        QMenu* m = menuBar()->addMenu(qs(layout.title));
        menus_.push_back(m);
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::refreshCommandStates);
        for (const MenuEntry& e : layout.entries) {
            if (e.id == cmd::app::Separator) {
                m->addSeparator();
                continue;
            }
            QAction* act = action(e.id);
            if (!e.text.empty()) act->setText(qs(e.text));
            m->addAction(act);
        }
    }
    applyAccelerators(d);
    refreshCommandStates();
}

void CMainFrame::applyAccelerators(const ActivityDescriptor* activity) {
    static const std::vector<Accelerator> none;
    std::map<int, QList<QKeySequence>> keys;
    for (const Accelerator& acc : acceleratorsFor(activity ? activity->accelerators : none))
        keys[acc.id].append(QKeySequence::fromString(QString::fromStdString(acc.keys), QKeySequence::PortableText));
    for (const auto& [id, list] : keys) action(id); // create the commands that only keys reach
    for (auto& [id, a] : actions_) {
        const auto it = keys.find(id);
        a->setShortcuts(it == keys.end() ? QList<QKeySequence>() : it->second);
        // A toolbar button names its key, so that the keys can be learnt from the buttons.
        const QString tip = commandTip(id);
        a->setToolTip(it == keys.end() || tip.isEmpty()
                          ? tip
                          : tip + QStringLiteral(" (") + it->second.first().toString(QKeySequence::NativeText) +
                                QLatin1Char(')'));
    }
}

// ------------------------------------------------------------------ activities

QMdiSubWindow* CMainFrame::currentChild() const {
    QMdiSubWindow* w = mdi_->currentSubWindow();
    if (w && w->isVisible()) return w;
    // While another top-level window (a dialog) is active the area reports no current child: the
    // last child shown stays the current one.
    const auto list = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if ((*it)->isVisible()) return *it;
    return nullptr;
}

Activity* CMainFrame::currentActivity() const {
    ActivityChild* c = asChild(currentChild());
    return c ? c->activity() : nullptr;
}

bool CMainFrame::activityAvailable(ActivityTemplateId id) const { return factories_.count(id) != 0; }

bool CMainFrame::openActivity(ActivityTemplateId id, const std::string& fileName) {
    const auto it = factories_.find(id);
    if (it == factories_.end()) return false;
    std::unique_ptr<Activity> activity = it->second(*this);
    if (!activity || !activity->open(fileName)) return false;
    auto* child = new ActivityChild(std::move(activity));
    mdi_->addSubWindow(child);
    connect(child, &QWidget::windowTitleChanged, this, &CMainFrame::updateTitle);
    child->showMaximized();
    mdi_->setActiveSubWindow(child);
    onCurrentChildChanged();
    return true;
}

DocumentKind CMainFrame::activeDocumentKind() const {
    const ActivityDescriptor* d = currentDescriptor();
    return d ? d->documentKind : DocumentKind::None;
}

void CMainFrame::closeActiveDocument() {
    ActivityChild* child = asChild(currentChild());
    if (!child) return;
    child->markClosing();
    mdi_->removeSubWindow(child);
    child->hide();
    child->deleteLater();
    closing_.removeAll(nullptr);
    closing_.append(child);
    const auto list = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
    if (!list.isEmpty() && !mdi_->currentSubWindow()) mdi_->setActiveSubWindow(list.last());
    onCurrentChildChanged();
}

void CMainFrame::startActiveActivity(ActivityTemplateId) {
    if (Activity* a = currentActivity()) a->start();
}

std::string CMainFrame::courseLessonTitle() const {
    const int lesson = AppSettings(context_.store).lesson(AppSettings::kLessonsSection);
    return decodeText(context_.catalogue.title(lesson, 0), encodingForLanguage(0));
}

void CMainFrame::onCurrentChildChanged() {
    QMdiSubWindow* now = currentChild();
    if (now != shownChild_) {
        if (ActivityChild* c = asChild(now)) c->activity()->activated();
        shownChild_ = now;
    }
    // With no activity on screen the caption is the program's name again, not the title of the
    // lesson that was last shown.
    if (!now) mainCaption_ = qs(strings::text(28674));
    listenToCurrentActivity();
    rebuildMenus();
    refreshCommandStates();
    updateTitle();
}

// ------------------------------------------------------------------ captions and status bar

void CMainFrame::setMainCaption(const std::string& caption) {
    mainCaption_ = qs(caption);
    updateTitle();
}

void CMainFrame::setActiveChildCaption(const std::string& caption) {
    if (QMdiSubWindow* c = currentChild()) c->setWindowTitle(qs(caption));
    updateTitle();
}

void CMainFrame::updateTitle() {
    QMdiSubWindow* c = currentChild();
    QString title = mainCaption_;
    if (c && !c->windowTitle().isEmpty()) title += QStringLiteral(" - [") + c->windowTitle() + QLatin1Char(']');
    setWindowTitle(title);
}

void CMainFrame::clearStatusMessage() { statusBar()->clearMessage(); }

void CMainFrame::showStatusMessage(const std::string& text) {
    activityStatus_->setText(qs(text));
    activityStatus_->setVisible(!text.empty());
}

void CMainFrame::updateClockPanes() {
    if (app_) {
        runPane_->setText(qs(app_->runPane()));
        totalPane_->setText(qs(app_->totalPane()));
    }
    emit clockPanesUpdated();
}

void CMainFrame::updateKeyPanes() {
    // A lock indicator is drawn in the normal text colour while its lock is on, greyed otherwise.
    auto show = [](QLabel* l, bool on) { l->setEnabled(on); };
    show(capPane_, capsLock_);
    show(numPane_, numLock_);
    show(scrlPane_, scrollLock_);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        // The platform gives no portable query of the lock states: follow the lock keys, counting each
        // key once (where it is delivered: the focus widget, or the window when none has the focus).
        QWidget* target = QApplication::focusWidget();
        const bool delivery = target ? watched == target : watched == QApplication::activeWindow();
        if (!k->isAutoRepeat() && delivery) {
            bool changed = true;
            switch (k->key()) {
            case Qt::Key_CapsLock: capsLock_ = !capsLock_; break;
            case Qt::Key_NumLock: numLock_ = !numLock_; break;
            case Qt::Key_ScrollLock: scrollLock_ = !scrollLock_; break;
            default: changed = false;
            }
            if (changed) updateKeyPanes();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------------ AppShell and host services

bool CMainFrame::createMainFrame() {
    if (!toolbar_ || !statusBar()) return false;
    if (QScreen* s = QGuiApplication::primaryScreen()) setGeometry(s->availableGeometry());
    showMaximized();
    return true;
}

void CMainFrame::runPreferences() {
    if (dialogAvailable(cmd::frame::Preferences)) runDialog(cmd::frame::Preferences);
}

void CMainFrame::showTipOfTheDay() {
    if (dialogAvailable(cmd::app::TipOfTheDay)) runDialog(cmd::app::TipOfTheDay);
}

void CMainFrame::setWaitCursor(bool on) {
    if (on) {
        if (waitDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (waitDepth_ > 0) {
        if (--waitDepth_ == 0) QApplication::restoreOverrideCursor();
    }
}

void CMainFrame::showInternetHint() {
    InternetHintDialog hint(this);
    hint.exec();
}

void CMainFrame::enterContextHelp() { QWhatsThis::enterWhatsThisMode(); }

void CMainFrame::exitApplication() { close(); }

bool CMainFrame::toolbarVisible() const { return toolbar_->isVisibleTo(this); }
void CMainFrame::setToolbarVisible(bool on) { toolbar_->setVisible(on); }
bool CMainFrame::statusBarVisible() const { return statusBar()->isVisibleTo(this); }
void CMainFrame::setStatusBarVisible(bool on) { statusBar()->setVisible(on); }

bool CMainFrame::dialogAvailable(int command) const { return dialogs_.count(command) != 0; }

void CMainFrame::runDialog(int command) {
    const auto it = dialogs_.find(command);
    if (it == dialogs_.end()) return;
    it->second();
    // A dialog may change what any state is computed from.
    commandStatesChanged();
}

std::string CMainFrame::localPath(const std::string& contentName) const {
    return context_.files.resolve(contentName).string();
}

bool CMainFrame::fileExists(const std::string& contentName) const { return context_.files.exists(contentName); }

bool CMainFrame::showHelpContext(int context) { return commands_.showHelp(HelpCommand::Context, context); }

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (ActivityChild* c = asChild(w)) c->markClosing();
    event->accept();
}

} // namespace lumora
