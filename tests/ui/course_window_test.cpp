// The course window as a learner meets it: what the end of a lesson does while "Verify your
// learning" is not there, commands whose dialog is missing, the caption once the course is closed,
// the page reached by fast scrolling, the keys of the lessons list and of the toolbar buttons, the
// commands while the page's phrases play, slow scrolling's rhythm, and the page's scroll surface,
// fitting, wheel and copy.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "course/ui/cours_child_wnd.h"
#include "course/ui/cours_view_widget.h"
#include "shell/ui/choix_view.h"
#include "course/course_commands.h"
#include "ui/ui_fixture.h"

using namespace lumora;
using lumora::uitest::Program;

namespace {
QString childCaption(CMainFrame& f) { return f.currentChild() ? f.currentChild()->windowTitle() : QString(); }

bool courseOnScreen(CMainFrame& f) {
    return f.currentActivity() && f.currentActivity()->templateId() == ActivityTemplateId::Course;
}
} // namespace

class CourseWindowTest : public QObject {
    Q_OBJECT
private slots:
    void endOfLessonGoesOnWithoutTheVerifyActivity();
    void translationLanguageNeedsThePreferences();
    void closedCourseLeavesTheProgramCaption();
    void stoppingFastScrollingReadsThePage();
    void keysOfTheListAndTheButtons();
    void actionsFollowStateChangesWithoutPolling();
    void windowPaintsAndCommandsActWhileThePagePlays();
    void slowScrollingTurnsEachPageItsTimeAfterItWasHeard();
    void surfaceCoversThePageAndFitFollowsTheWindow();
    void repaintsWriteNoSettings();
};

void CourseWindowTest::endOfLessonGoesOnWithoutTheVerifyActivity() {
    // "EndLesson"/"UserChoice" 1 (the default) opens "Verify your learning"; with nothing to verify
    // in this tree (no dictionary for the pair) it moves on to the next lesson and opens the course
    // again. The other choices keep their own rule.
    const struct {
        int choice;
        int lesson;
        int page;
    } cases[] = {{1, 1, 0}, {0, 1, 0}, {7, 0, 2}};
    for (const auto& c : cases) {
        Program p;
        QVERIFY(p.start());
        p.store->writeInt("EndLesson", "UserChoice", c.choice);
        p.store->writeInt("Course", "Lesson", 0);
        p.store->writeInt("Course", "Page", 2); // the last of L01's three pages
        p.frame->dispatch(cmd::frame::Course);
        QVERIFY(courseOnScreen(*p.frame));
        p.frame->dispatch(cmd::course::NextPage);
        uitest::runQueued(); // the next lesson's course comes from a posted command
        QCOMPARE(p.store->readInt("Course", "Lesson", -1), c.lesson);
        QVERIFY2(courseOnScreen(*p.frame), qPrintable(QString::number(c.choice)));
        QCOMPARE(p.store->readInt("Course", "Page", -1), c.page);
    }
}

void CourseWindowTest::translationLanguageNeedsThePreferences() {
    Program p;
    QVERIFY(p.start());
    p.frame->dispatch(cmd::frame::Course);
    // No preferences sheet: the button cannot do anything, so it is disabled.
    p.frame->refreshCommandStates();
    QVERIFY(!p.frame->action(cmd::course::TranslationLanguage)->isEnabled());
    // With the sheet, the command opens it.
    int runs = 0;
    p.frame->registerDialog(cmd::frame::Preferences, [&] { ++runs; });
    p.frame->refreshCommandStates();
    QVERIFY(p.frame->action(cmd::course::TranslationLanguage)->isEnabled());
    p.frame->dispatch(cmd::course::TranslationLanguage);
    QCOMPARE(runs, 1);
}

void CourseWindowTest::closedCourseLeavesTheProgramCaption() {
    Program p;
    QVERIFY(p.start());
    p.frame->show();
    p.store->writeInt("Course", "Lesson", 1);
    p.frame->dispatch(cmd::frame::Course);
    QCOMPARE(p.frame->windowTitle(), QStringLiteral("Numbers - [Page  1 /  2]"));
    // The learner closes the course window with its own close button.
    p.frame->currentChild()->close();
    QTRY_VERIFY(p.frame->mdiArea()->subWindowList().isEmpty());
    QCOMPARE(p.frame->windowTitle(), QStringLiteral("Lumora"));
    // The next activity sets its own caption again.
    p.frame->dispatch(cmd::frame::Course);
    QCOMPARE(p.frame->windowTitle(), QStringLiteral("Numbers - [Page  1 /  2]"));
}

void CourseWindowTest::stoppingFastScrollingReadsThePage() {
    Program p;
    // The voice of phrase 1 of L01's second page.
    uitest::writeBytes(p.root + "/L01/MALE/P021.WAV", Bytes{1});
    QVERIFY(p.start());
    p.frame->show();
    p.store->writeInt("Course", "Lesson", 0);
    p.frame->dispatch(cmd::frame::Course);
    auto* course = static_cast<CourseActivity*>(p.frame->currentActivity());
    QTRY_VERIFY(course->document().voicesPlayed()); // page 1 has no voice files
    // Fast forward shows the second page silently; stopping there reads it out at once.
    p.frame->dispatch(cmd::course::FastForward);
    QTRY_COMPARE(childCaption(*p.frame), QStringLiteral("Page  2 /  3"));
    p.frame->dispatch(cmd::course::Stop);
    QVERIFY(!course->viewWidget()->timerActive());
    QTRY_COMPARE(p.player->played.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(p.player->played[0]).endsWith(QStringLiteral("P021.WAV")));
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  2 /  3"));
}

void CourseWindowTest::repaintsWriteNoSettings() {
    Program p;
    QVERIFY(p.start());
    p.frame->show();
    p.store->writeInt("Course", "Lesson", 0);
    p.frame->dispatch(cmd::frame::Course);
    auto* course = static_cast<CourseActivity*>(p.frame->currentActivity());
    QTRY_VERIFY(course->viewWidget()->paintCount() > 0);
    // The page display stores its trace once; painting the same page again stores nothing.
    QVERIFY(p.store->readInt("Debug", "Hauteur", 0) > 0);
    p.store->writeInt("Debug", "Hauteur", -1);
    p.store->writeString("Course", "ChFilename", "");
    const int painted = course->viewWidget()->paintCount();
    for (int i = 0; i < 3; ++i) course->viewWidget()->viewport()->repaint();
    QVERIFY(course->viewWidget()->paintCount() >= painted + 3);
    QCOMPARE(p.store->readInt("Debug", "Hauteur", 0), -1);
    QCOMPARE(p.store->readString("Course", "ChFilename", ""), std::string());
    // The next page is laid out again.
    p.frame->dispatch(cmd::course::NextPage);
    QTRY_VERIFY(p.store->readInt("Debug", "Hauteur", 0) > 0);
    QVERIFY(!p.store->readString("Course", "ChFilename", "").empty());
}

void CourseWindowTest::keysOfTheListAndTheButtons() {
    Program p;
    QVERIFY(p.start());
    p.frame->show();
    QVERIFY(p.frame->action(cmd::frame::LessonsList)->toolTip().endsWith(QStringLiteral("(End)")));
    auto* list = static_cast<ChoixActivity*>(p.frame->currentActivity())->view();
    // Return on the focused lesson opens it, as a click does.
    list->button(2)->setFocus();
    QTest::keyClick(list->button(2), Qt::Key_Return);
    QTRY_VERIFY(courseOnScreen(*p.frame));
    QCOMPARE(p.store->readInt("Course", "Lesson", -1), 2);
    // The course's buttons name their keys; a command without a key has its plain tooltip.
    QCOMPARE(p.frame->action(cmd::course::NextPage)->toolTip(), QStringLiteral("Go to the next page (Right)"));
    QCOMPARE(p.frame->action(cmd::course::NextStory)->toolTip(), QStringLiteral("Go to the next lesson (PgDown)"));
    QCOMPARE(p.frame->action(cmd::course::ListenAll)->toolTip(), QStringLiteral("Listen to the four phrases of the page"));
}

void CourseWindowTest::actionsFollowStateChangesWithoutPolling() {
    Program p;
    QVERIFY(p.start());
    p.store->writeInt("Course", "Lesson", 0);
    p.frame->dispatch(cmd::frame::Course);
    auto* course = static_cast<CourseActivity*>(p.frame->currentActivity());
    QVERIFY(p.frame->action(cmd::app::Simplified)->isChecked());
    // The ideogram set changed outside any command (as a dialog would): the menu follows at once,
    // with no refresh asked for and no event loop turning.
    course->document().setIdeogramSet(1);
    QVERIFY(p.frame->action(cmd::app::Traditional)->isChecked());
    QVERIFY(!p.frame->action(cmd::app::Simplified)->isChecked());
    // A preferences sheet that arrives enables the command that needs it.
    QVERIFY(!p.frame->action(cmd::course::TranslationLanguage)->isEnabled());
    p.frame->registerDialog(cmd::frame::Preferences, [] {});
    QVERIFY(p.frame->action(cmd::course::TranslationLanguage)->isEnabled());
    // Check marks come from the table of the target that declares the command.
    QVERIFY(p.frame->action(cmd::app::Traditional)->isCheckable());
    QVERIFY(p.frame->action(cmd::course::Zoom100)->isCheckable());
    QVERIFY(!p.frame->action(cmd::course::NextPage)->isCheckable());
}

void CourseWindowTest::windowPaintsAndCommandsActWhileThePagePlays() {
    Program p;
    for (const char* f : {"/L01/MALE/P011.WAV", "/L01/MALE/P021.WAV"}) uitest::writeBytes(p.root + f, Bytes{1});
    p.player->hold = true; // every voice plays until it is stopped
    QVERIFY(p.start());
    p.frame->show();
    p.store->writeInt("Course", "Lesson", 0);
    p.frame->dispatch(cmd::frame::Course);
    auto* course = static_cast<CourseActivity*>(p.frame->currentActivity());
    QTRY_COMPARE(p.player->played.size(), std::size_t(1));
    QVERIFY(course->document().isPlaying());
    // The window repaints while the voice plays.
    const int paints = course->viewWidget()->paintCount();
    course->viewWidget()->viewport()->update();
    QTRY_VERIFY(course->viewWidget()->paintCount() > paints);
    // Zoom, the ideogram set and the toggles act at once and leave the voice alone.
    p.frame->action(cmd::course::Zoom150)->trigger();
    QCOMPARE(course->view().pictureView().zoom(), 150);
    p.frame->action(cmd::app::Traditional)->trigger();
    QVERIFY(p.frame->action(cmd::app::Traditional)->isChecked());
    QVERIFY(p.player->playing());
    QCOMPARE(p.player->stops, 0);
    // "Next page" while the voice plays: the page changes within the command, its voice stops and
    // the new page plays its own.
    p.frame->action(cmd::course::NextPage)->trigger();
    QCOMPARE(p.store->readInt("Course", "Page", -1), 1);
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  2 /  3"));
    QVERIFY(p.player->stops >= 1);
    QTRY_COMPARE(p.player->played.size(), std::size_t(2));
    QVERIFY(p.player->played.back().find("P021") != std::string::npos);

    // "Stop scrolling" while slow scrolling and a voice plays ends both.
    p.frame->dispatch(cmd::course::SlowForward);
    QVERIFY(p.frame->action(cmd::course::SlowForward)->isChecked());
    QVERIFY(p.frame->activityStatus()->isVisible());
    QVERIFY(p.frame->activityStatus()->text().contains(QStringLiteral("Esc")));
    QVERIFY(p.frame->action(cmd::course::Stop)->isEnabled());
    QTest::keyClick(course->viewWidget(), Qt::Key_Escape);
    QCOMPARE(course->document().scrollingMode(), 0);
    QVERIFY(!course->document().isPlaying());
    QVERIFY(!p.player->playing());
    QVERIFY(!p.frame->action(cmd::course::SlowForward)->isChecked());
    QVERIFY(!p.frame->activityStatus()->isVisible());
    QVERIFY(!p.frame->action(cmd::course::Stop)->isEnabled()); // nothing left to stop

    // Back on the first page it plays again; closing the window stops it.
    p.frame->dispatch(cmd::course::PreviousPage);
    QTRY_COMPARE(p.player->played.size(), std::size_t(3));
    QVERIFY(p.player->playing());
    p.frame->currentChild()->close();
    QTRY_VERIFY(p.frame->mdiArea()->subWindowList().isEmpty());
    QVERIFY(!p.player->playing());
    p.frame->dispatch(cmd::frame::Course);
    QVERIFY(courseOnScreen(*p.frame));
}

void CourseWindowTest::slowScrollingTurnsEachPageItsTimeAfterItWasHeard() {
    // Each page's plan is its voice and a 2-second pause; slow scrolling arms the page turn
    // ("Lesson"/"Timer" ms) only once that plan has completed, never while it runs.
    Program p;
    for (const char* f : {"/L01/MALE/P011.WAV", "/L01/MALE/P021.WAV"}) uitest::writeBytes(p.root + f, Bytes{1});
    p.player->hold = true;
    p.store->writeInt("Lesson", "Timer", 400);
    QVERIFY(p.start());
    p.frame->show();
    p.store->writeInt("Course", "Lesson", 0);
    p.store->writeInt("Course", "Page", 0); // as the lessons list leaves it
    p.frame->dispatch(cmd::frame::Course);
    auto* course = static_cast<CourseActivity*>(p.frame->currentActivity());
    CoursViewWidget* view = course->viewWidget();
    QTRY_COMPARE(p.player->played.size(), std::size_t(1));
    p.frame->dispatch(cmd::course::SlowForward); // while the first page is heard
    for (int page = 1; page <= 2; ++page) {
        QVERIFY(!view->timerActive());
        p.player->release(); // the voice has played to its end: the pause follows
        QVERIFY(course->document().isPlaying());
        p.clock->advance(1);
        QVERIFY(course->document().isPlaying());
        QVERIFY(!view->timerActive());
        p.clock->advance(1); // the pause is over, the plan has completed
        QVERIFY(!course->document().isPlaying());
        QVERIFY(view->timerActive());
        QCOMPARE(view->timerInterval(), 400);
        QCOMPARE(p.store->readInt("Course", "Page", -1), page - 1);
        QTRY_COMPARE(p.store->readInt("Course", "Page", -1), page);
        if (page == 1) QTRY_COMPARE(p.player->played.size(), std::size_t(2));
    }
    p.frame->dispatch(cmd::course::Stop);
    QVERIFY(!view->timerActive());
}

void CourseWindowTest::surfaceCoversThePageAndFitFollowsTheWindow() {
    Program p;
    QVERIFY(p.start());
    p.frame->resize(1024, 768);
    p.frame->show();
    p.store->writeInt("Course", "Lesson", 0); // L01: four phrases a page
    p.frame->dispatch(cmd::frame::Course);
    auto* course = static_cast<CourseActivity*>(p.frame->currentActivity());
    CoursViewWidget* w = course->viewWidget();
    QTRY_VERIFY(w->paintCount() > 0);
    // Ctrl+C copies the page's phrases as text.
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("pin 0.1\tPhrase 1 of page 1\n")));
    QCOMPARE(QGuiApplication::clipboard()->text().count(QLatin1Char('\n')), 4);
    // Never chosen a zoom: the page fits, the whole of it is on screen.
    QVERIFY(p.frame->action(cmd::course::FitPage)->isChecked());
    QTRY_COMPARE(w->verticalScrollBar()->maximum(), 0);
    QCOMPARE(w->horizontalScrollBar()->maximum(), 0);
    const int fitted = course->view().pictureView().zoom();
    p.frame->resize(1400, 1000);
    QTRY_VERIFY(course->view().pictureView().zoom() > fitted);
    QTRY_COMPARE(w->verticalScrollBar()->maximum(), 0);

    // At 300 % the surface reaches the deepest item drawn: scrolled to the end, the last line is
    // inside the viewport; and no further than the page and its margins.
    p.frame->action(cmd::course::Zoom300)->trigger();
    QVERIFY(!p.frame->action(cmd::course::FitPage)->isChecked());
    QVERIFY(p.frame->action(cmd::course::Zoom300)->isChecked());
    w->viewport()->repaint();
    const PageExtent e = course->view().pageExtent();
    QVERIFY(e.depth > 0);
    QScrollBar* v = w->verticalScrollBar();
    v->setValue(v->maximum());
    const double bottom = w->toViewport(0, -e.depth).y();
    QVERIFY2(bottom <= w->viewport()->height(), qPrintable(QString::number(bottom)));
    const LogicalMapping m = course->view().pictureView().mapping();
    const double margins = m.lengthY(CCoursView::kSurfaceMargin + PictureViewWidget::kSheetPadding) +
                           PictureViewWidget::kDeskMargin + 2;
    QVERIFY2(bottom >= w->viewport()->height() - margins, qPrintable(QString::number(bottom)));
    // The wheel scrolls, Ctrl+wheel zooms a step, a new page starts at its top, Ctrl+0 fits.
    v->setValue(0);
    QWheelEvent down(QPointF(50, 50), w->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w->viewport(), &down);
    QVERIFY(v->value() > 0);
    QWheelEvent zoomOut(QPointF(50, 50), w->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                        Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w->viewport(), &zoomOut);
    QCOMPARE(course->view().pictureView().zoom(), 200);
    p.frame->dispatch(cmd::course::NextPage);
    QCOMPARE(v->value(), 0);
    QTest::keyClick(w, Qt::Key_0, Qt::ControlModifier);
    QVERIFY(p.frame->action(cmd::course::FitPage)->isChecked());
    QTRY_COMPARE(v->maximum(), 0);
}

QTEST_MAIN(CourseWindowTest)
#include "course_window_test.moc"
