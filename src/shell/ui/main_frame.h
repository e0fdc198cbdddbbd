#pragma once
// CMainFrame: the one top-level window. A multiple-document frame whose child windows each hold one
// activity (maximised), with the toolbar, the menus and accelerators of the active activity, and a
// status bar with the message pane, the keyboard-state panes and the two usage-clock panes that a
// one-second timer refreshes. Every menu item, toolbar button and accelerator is a command id; a
// command goes to the active activity's targets (view, document), then to the frame's own handler;
// a command that no one handles is disabled. Each activity comes with its descriptor; the frame
// opens, closes and shows every activity through it alone.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QMainWindow>
#include <QPointer>

#include "foundation/cours_app.h"
#include "foundation/ui/activity.h"
#include "foundation/ui/app_context.h"
#include "shell/main_frame_logic.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace lumora {

// The child window of one activity; it owns the activity.
class ActivityChild;

class CMainFrame final : public QMainWindow, public AppShell, public MainFrameHost, public ActivityHost {
    Q_OBJECT
public:
    explicit CMainFrame(AppContext& context);
    ~CMainFrame() override;

    AppContext& context() override { return context_; }
    MainFrameCommands& frameCommands() { return commands_; }
    const ActivityRegistry& activities() const { return commands_.activities(); }
    void setApplication(CCoursApp* app);

    // Activity types and dialogs of this build; an activity without a factory and a missing dialog
    // leave their commands disabled.
    void registerActivity(ActivityType type);
    void registerDialog(int command, std::function<void()> run);

    // Runs a command now / after the current event has been handled. A command posted while
    // another one runs (its dialog's event loop is turning) waits until that one has returned,
    // and the waiting ones run in the order they came.
    void dispatch(int id);
    void postCommand(int id) override;
    // The state of a command through the routing (disabled when no target handles it).
    CommandState stateOf(int id) const;
    void refreshCommandStates();
    QAction* action(int id) override;

    Activity* currentActivity() const;
    QMdiSubWindow* currentChild() const;
    QMdiArea* mdiArea() const { return mdi_; }
    QLabel* runPane() const { return runPane_; }
    QLabel* totalPane() const { return totalPane_; }
    QString mainCaption() const { return mainCaption_; }
    void clearStatusMessage() override;
    void showStatusMessage(const std::string& text) override;
    QLabel* activityStatus() const { return activityStatus_; }
    // Opens help on a context number (7110); false when the help file is missing.
    bool showHelpContext(int context) override;
    QWidget* dialogParent() override { return this; }

    // AppShell
    bool createMainFrame() override;
    void runPreferences() override;
    bool openActivity(ActivityTemplateId id, const std::string& fileName) override;
    void setMainCaption(const std::string& caption) override;
    void setActiveChildCaption(const std::string& caption) override;
    void showTipOfTheDay() override;

    // MainFrameHost
    DocumentKind activeDocumentKind() const override;
    void closeActiveDocument() override;
    bool activityAvailable(ActivityTemplateId id) const override;
    void startActiveActivity(ActivityTemplateId id) override;
    std::string courseLessonTitle() const override;
    void setWaitCursor(bool on) override;
    void showInternetHint() override;
    void enterContextHelp() override;
    void exitApplication() override;
    bool toolbarVisible() const override;
    void setToolbarVisible(bool on) override;
    bool statusBarVisible() const override;
    void setStatusBarVisible(bool on) override;
    bool dialogAvailable(int command) const override;
    void runDialog(int command) override;
    std::string localPath(const std::string& contentName) const override;
    bool fileExists(const std::string& contentName) const override;

    // ActivityHost
    void closeActivityWindows() override { CloseActivityWindows(*this); }

signals:
    // After every refresh of the clock panes (tests and screenshots wait on it).
    void clockPanesUpdated();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildStatusBar();
    void rebuildMenus();
    void applyAccelerators(const ActivityDescriptor* activity);
    const ActivityDescriptor* currentDescriptor() const;
    // Follows the state changes of the current activity's command targets.
    void listenToCurrentActivity();
    void commandStatesChanged();
    void onCurrentChildChanged();
    void updateTitle();
    void updateClockPanes();
    void updateKeyPanes();
    void runHeldCommandsSoon();
    void runHeldCommands();

    AppContext& context_;
    MainFrameCommands commands_;
    CCoursApp* app_ = nullptr;
    std::map<ActivityTemplateId, ActivityFactory> factories_;
    std::vector<StateSubscription> listening_;
    Activity* listened_ = nullptr;
    bool statesDirty_ = false;
    std::map<int, std::function<void()>> dialogs_;
    std::map<int, QAction*> actions_;
    std::vector<QMenu*> menus_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* activityStatus_ = nullptr;
    QLabel* capPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrlPane_ = nullptr;
    QLabel* runPane_ = nullptr;
    QLabel* totalPane_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    QString mainCaption_;
    QPointer<QMdiSubWindow> shownChild_;
    QList<QPointer<QMdiSubWindow>> closing_; // closed children waiting for their deletion
    int menuResource_ = -1;
    int dispatchDepth_ = 0;
    std::vector<int> heldCommands_; // posted while another command ran
    bool heldRunPosted_ = false;
    int waitDepth_ = 0;
    bool capsLock_ = false, numLock_ = false, scrollLock_ = false;
};

} // namespace lumora
