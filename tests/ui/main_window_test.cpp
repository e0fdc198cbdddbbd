// The program from the lessons list to the course and back: clicks, keys, captions, the clock
// panes, the menus and check marks of the active activity.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QComboBox>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRadioButton>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QPrinter>

#include "course/ui/cours_child_wnd.h"
#include "course/ui/cours_view_widget.h"
#include "course/ui/direct_access_dialog.h"
#include "shell/ui/choix_view.h"
#include "course/course_commands.h"
#include "ui/ui_fixture.h"

using namespace lumora;
using lumora::uitest::Program;

namespace {
QString childCaption(CMainFrame& f) { return f.currentChild() ? f.currentChild()->windowTitle() : QString(); }

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheLessonsList();
    void lessonClickOpensTheCourseAndKeysTurnPages();
    void clockPanesTick();
    void timeToZeroTogglesWithItsMark();
    void commandsWithoutHandlerAreDisabled();
    void storyClickOpensTheStory();
    void directAccessChoosesAPage();
    void lessonExplanationOpensItsHelpTopic();
    void summaryAndWebHint();
    void pagePlaysOnceAndPrints();
    void aCommandPostedInsideAnotherRunsAfterIt();
};

void MainWindowTest::startsOnTheLessonsList() {
    Program p;
    QVERIFY(p.start());
    Activity* a = p.frame->currentActivity();
    QVERIFY(a);
    QCOMPARE(a->templateId(), ActivityTemplateId::LessonsList);
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Lessons list"));
    QCOMPARE(p.frame->windowTitle(), QStringLiteral("Lumora - [Lessons list]"));
    // 34 buttons, as many a row as the screen's template says, titles and placeholders.
    auto* view = static_cast<ChoixActivity*>(a)->view();
    const ChoixTemplate t = view->formTemplate();
    QCOMPARE(t.id, choixTemplateForWidth(QGuiApplication::primaryScreen()->geometry().width()).id);
    QCOMPARE(view->button(0)->geometry().top(), view->button(t.perRow - 1)->geometry().top());
    QVERIFY(view->button(t.perRow)->geometry().top() > view->button(0)->geometry().top());
    QCOMPARE(view->button(0)->accessibleName(), QStringLiteral("Greetings"));
    QVERIFY(view->button(0)->hasPicture());
    QVERIFY(!view->button(30)->hasPicture());
    // Only the three lessons are tiles, and the wall ends with them.
    for (int i = 0; i < 3; ++i) QVERIFY(!view->button(i)->isHidden());
    for (int i : {3, 20, 33}) QVERIFY(view->button(i)->isHidden());
    QVERIFY(view->widget()->height() < view->button(0)->geometry().top() + 2 * view->button(0)->height() + 60);
    QCOMPARE(QString::fromStdString(view->logic().tooltip(kChoixFirstButton + 2)), QStringLiteral("Family"));
    QCOMPARE(QString::fromStdString(view->logic().tooltip(kChoixFirstButton + 3)), QStringLiteral("Reading Course"));
    // The lists' menu: no View menu, an Internet menu.
    QStringList titles;
    for (QAction* m : p.frame->menuBar()->actions()) titles << m->text();
    QVERIFY(titles.contains(QStringLiteral("&Internet")));
    QVERIFY(!titles.contains(QStringLiteral("&View")));
}

void MainWindowTest::lessonClickOpensTheCourseAndKeysTurnPages() {
    Program p;
    QVERIFY(p.start());
    p.frame->show();
    auto* list = static_cast<ChoixActivity*>(p.frame->currentActivity())->view();
    QTest::mouseClick(list->button(1), Qt::LeftButton);
    QCOMPARE(p.store->readInt("Course", "Lesson", -1), 1);
    QTRY_VERIFY(p.frame->currentActivity() && p.frame->currentActivity()->templateId() == ActivityTemplateId::Course);
    QCOMPARE(p.frame->mdiArea()->subWindowList().size(), 1); // the list was closed
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  1 /  2"));
    QCOMPARE(p.frame->windowTitle(), QStringLiteral("Numbers - [Page  1 /  2]"));
    QCOMPARE(p.store->readInt("Startup", "Remember", -1), 1);

    auto* course = static_cast<CourseActivity*>(p.frame->currentActivity());
    CoursViewWidget* view = course->viewWidget();
    QTRY_VERIFY(view->paintCount() > 0);
    view->setFocus();
    // The course's accelerators and menus are in place.
    QVERIFY(p.frame->action(cmd::course::NextPage)->shortcuts().contains(QKeySequence(Qt::Key_Right)));
    QVERIFY(p.frame->action(cmd::course::NextStory)->shortcuts().contains(QKeySequence(Qt::Key_PageDown)));

    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  2 /  2"));
    QCOMPARE(p.store->readInt("Course", "Page", -1), 1);
    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  1 /  1"));
    QCOMPARE(p.store->readInt("Course", "Lesson", -1), 2);
    QCOMPARE(p.frame->windowTitle(), QStringLiteral("Family - [Page  1 /  1]"));
    QTest::keyClick(view, Qt::Key_PageDown, Qt::ControlModifier); // the last lesson wraps to lesson 0
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  1 /  3"));
    QTest::keyClick(view, Qt::Key_Left); // page 0: the last page of the previous lesson (wraps)
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  1 /  1"));
    QCOMPARE(p.store->readInt("Course", "Lesson", -1), 2);

    // The page was played once when it was shown (no voice files here: nothing to hear).
    QTRY_VERIFY(course->document().voicesPlayed());

    // Traditional characters and a zoom through the menu commands, with their check marks.
    p.frame->action(cmd::app::Traditional)->trigger();
    QVERIFY(p.frame->action(cmd::app::Traditional)->isChecked());
    QVERIFY(!p.frame->action(cmd::app::Simplified)->isChecked());
    QCOMPARE(p.store->readInt("Course", "Ideogram", -1), 1);
    p.frame->action(cmd::course::Zoom150)->trigger();
    QCOMPARE(p.store->readInt("Course", "Zoom", -1), 150);
    QVERIFY(p.frame->action(cmd::course::Zoom150)->isChecked());
    QVERIFY(!p.frame->action(cmd::course::Zoom100)->isChecked());

    // Scrolling: fast forward starts the timer, a second press stops it.
    p.frame->action(cmd::course::FastForward)->trigger();
    QVERIFY(view->timerActive());
    QCOMPARE(view->timerInterval(), 500);
    p.frame->action(cmd::course::FastForward)->trigger();
    QVERIFY(!view->timerActive());

    // End goes back to the lessons list.
    QTest::keyClick(view, Qt::Key_End);
    QTRY_VERIFY(p.frame->currentActivity() && p.frame->currentActivity()->templateId() == ActivityTemplateId::LessonsList);
    QCOMPARE(p.store->readInt("Startup", "Remember", -1), 0);
    QTRY_COMPARE(p.frame->mdiArea()->subWindowList().size(), 1);
}

void MainWindowTest::clockPanesTick() {
    Program p;
    QVERIFY(p.start());
    QTRY_VERIFY(!p.frame->runPane()->text().isEmpty() && p.frame->runPane()->text() != QStringLiteral("TEST"));
    const QString run = p.frame->runPane()->text();
    const QString total = p.frame->totalPane()->text();
    QVERIFY(run.endsWith(QLatin1Char('s')));
    // A minute later by the program's clock the panes' one-second timer shows it.
    p.clock->advance(61);
    QTRY_VERIFY(p.frame->runPane()->text() != run);
    QVERIFY(p.frame->runPane()->text().contains(QStringLiteral("1mn")));
    QVERIFY(p.frame->totalPane()->text() != total);
    QVERIFY(p.frame->totalPane()->text().contains(QStringLiteral("mn ")));
}

void MainWindowTest::timeToZeroTogglesWithItsMark() {
    Program p;
    QVERIFY(p.start());
    p.store->writeInt("Course", "Lesson", 0);
    p.frame->dispatch(cmd::frame::Course);
    QVERIFY(p.frame->currentActivity()->templateId() == ActivityTemplateId::Course);
    QAction* a = p.frame->action(cmd::frame::TimeToZero);
    QVERIFY(a->isCheckable());
    // The course's View menu offers it.
    bool inMenu = false;
    for (QAction* m : p.frame->menuBar()->actions())
        if (m->menu() && m->menu()->actions().contains(a)) inMenu = true;
    QVERIFY(inMenu);
    QVERIFY(!a->isChecked());
    a->trigger();
    QCOMPARE(p.store->readInt("Course", "TimeToZero", -1), 1);
    QVERIFY(a->isChecked());
    a->trigger();
    QCOMPARE(p.store->readInt("Course", "TimeToZero", -1), 0);
    QVERIFY(!a->isChecked());
}

void MainWindowTest::commandsWithoutHandlerAreDisabled() {
    Program p;
    QVERIFY(p.start());
    p.frame->dispatch(cmd::frame::Course);
    p.frame->refreshCommandStates();
    for (int id : {cmd::frame::Preferences, cmd::frame::RecordDirectory, cmd::course::KeymapGuide, cmd::course::TextOff, cmd::course::PhoneticLanguage, cmd::course::EditUndo, cmd::course::EditDelete})
        QVERIFY2(!p.frame->action(id)->isEnabled(), qPrintable(QString::number(id)));
    for (int id : {cmd::frame::LessonsList, cmd::frame::Course, cmd::frame::KeyboardLearning, cmd::frame::VoiceStudio, cmd::frame::Summary, cmd::frame::Dictionary, cmd::frame::Verify, cmd::frame::VerifyGraph, cmd::frame::PictureExercise, cmd::frame::PictureGraph, cmd::frame::TranslationExercise, cmd::frame::TranslationGraph, cmd::course::PreviousStory, cmd::course::NextPage, cmd::course::DirectAccess, cmd::course::ListenAll,
                   cmd::course::Phonetic, cmd::course::Translation, cmd::course::LessonExplanation, cmd::app::ContextHelp, cmd::app::WebLessons})
        QVERIFY2(p.frame->action(id)->isEnabled(), qPrintable(QString::number(id)));
    // The main toolbar holds every button in its order, each with an icon.
    QToolBar* bar = p.frame->findChild<QToolBar*>(QStringLiteral("mainToolbar"));
    QVERIFY(bar);
    std::vector<int> ids;
    for (QAction* a : bar->actions()) {
        ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
        if (!a->isSeparator()) QVERIFY(!a->icon().isNull());
    }
    QCOMPARE(ids, mainToolbar());
}

void MainWindowTest::storyClickOpensTheStory() {
    Program p;
    QVERIFY(p.start());
    p.frame->dispatch(cmd::frame::ReadingCourse);
    auto* list = static_cast<ChoixActivity*>(p.frame->currentActivity());
    QCOMPARE(list->templateId(), ActivityTemplateId::StoriesList);
    QCOMPARE(p.store->readString("Write", "Write", ""), std::string("YES"));
    QCOMPARE(list->view()->button(1)->accessibleName(), QStringLiteral("A letter"));
    QCOMPARE(QString::fromStdString(list->view()->logic().tooltip(kChoixFirstButton + 5)), QString());
    QTest::mouseClick(list->view()->button(0), Qt::LeftButton);
    QTRY_VERIFY(p.frame->currentActivity()->templateId() == ActivityTemplateId::Course);
    QCOMPARE(p.store->readInt("Startup", "Remember", -1), 8);
    QCOMPARE(p.store->readInt("Write", "Lesson", -1), 0);
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  1 /  2"));
    QCOMPARE(p.frame->windowTitle(), QStringLiteral("At the market - [Page  1 /  2]"));
}

void MainWindowTest::directAccessChoosesAPage() {
    Program p;
    QVERIFY(p.start());
    p.frame->dispatch(cmd::frame::Course);
    bool seen = false;
    QTimer::singleShot(100, [&] {
        auto* dlg = qobject_cast<DirectAccessDialog*>(QApplication::activeModalWidget());
        if (!dlg) return;
        seen = true;
        QCOMPARE(dlg->lessons()->count(), 3);
        QCOMPARE(dlg->languages()->count(), 21);
        dlg->lessons()->setCurrentIndex(0);
        QCOMPARE(dlg->pages()->count(), 3);
        QVERIFY(dlg->pages()->item(2)->text().contains(QStringLiteral("Phrase 1 of page 3")));
        dlg->pages()->setCurrentRow(2);
        dlg->voiceButton(1)->click();
        dlg->accept();
    });
    p.frame->dispatch(cmd::course::DirectAccess);
    QVERIFY(seen);
    QCOMPARE(childCaption(*p.frame), QStringLiteral("Page  3 /  3"));
    QCOMPARE(p.store->readInt("Direct", "SoundType", -1), 1);
}

void MainWindowTest::lessonExplanationOpensItsHelpTopic() {
    Program p;
    QVERIFY(p.start());
    p.store->writeInt("Course", "Lesson", 1);
    p.frame->dispatch(cmd::frame::Course);
    p.frame->dispatch(cmd::course::LessonExplanation);
    QCOMPARE(p.help->calls.size(), std::size_t(1));
    QCOMPARE(p.help->calls[0].command, HelpCommand::Context);
    QCOMPARE(p.help->calls[0].context, 10200);
    QVERIFY(QFileInfo(QString::fromStdString(p.help->calls[0].file)).isFile());
    p.frame->dispatch(cmd::app::HelpIndex); // F1: the contents
    QCOMPARE(p.help->calls.back().command, HelpCommand::Contents);
}

void MainWindowTest::summaryAndWebHint() {
    Program p;
    QVERIFY(p.start());
    p.frame->dispatch(cmd::frame::Summary);
    QCOMPARE(p.prompts->texts.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(p.prompts->texts[0]), QStringLiteral("This option will be available in the future"));
    p.web->succeed = false;
    bool hint = false;
    QTimer::singleShot(100, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            hint = w->metaObject()->className() == QByteArray("lumora::InternetHintDialog");
            static_cast<QDialog*>(w)->accept();
        }
    });
    p.frame->dispatch(cmd::app::WebOrder);
    QVERIFY(hint);
    QVERIFY(QString::fromStdString(p.web->urls.back()).endsWith(QStringLiteral("/order/us/order.htm")));
}

void MainWindowTest::pagePlaysOnceAndPrints() {
    Program p;
    // Both voices of phrase 1 of lesson L03: played once on arrival, male first, with the clock
    // panes still refreshed while they play (the pause does not block the window).
    uitest::writeBytes(p.root + "/L03/MALE/P011.WAV", Bytes{1});
    uitest::writeBytes(p.root + "/L03/FEMALE/P011.WAV", Bytes{1});
    QVERIFY(p.start());
    p.frame->show();
    p.store->writeInt("Course", "Lesson", 2);
    int clockTicks = 0;
    connect(p.frame.get(), &CMainFrame::clockPanesUpdated, this, [&] { ++clockTicks; });
    p.frame->dispatch(cmd::frame::Course);
    auto* course = static_cast<CourseActivity*>(p.frame->currentActivity());
    QTRY_COMPARE(p.player->played.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(p.player->played[0]).contains(QStringLiteral("MALE")));
    // The pause between the two voices holds nothing up: the panes' one-second timer runs on.
    QVERIFY(course->document().isPlaying());
    const int ticks = clockTicks;
    QTRY_VERIFY(clockTicks > ticks);
    QCOMPARE(p.player->played.size(), std::size_t(1));
    p.clock->advance(2);
    QTRY_COMPARE(p.player->played.size(), std::size_t(2));
    QVERIFY(QString::fromStdString(p.player->played[1]).contains(QStringLiteral("FEMALE")));
    // A later repaint of the same page plays nothing.
    course->viewWidget()->viewport()->repaint();
    uitest::runQueued();
    QCOMPARE(p.player->played.size(), std::size_t(2));

    // Printing draws the page through the same layout.
    const QString pdf = p.dir.path() + QStringLiteral("/page.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    course->viewWidget()->print(&printer);
    QVERIFY(QFileInfo(pdf).size() > 1000);
}

void MainWindowTest::aCommandPostedInsideAnotherRunsAfterIt() {
    // A command posted while another command's dialog turns the event loop waits until that
    // command has returned, then runs once.
    Program p;
    QVERIFY(p.start());
    const auto courseShown = [&p] {
        return p.frame->currentActivity() && p.frame->currentActivity()->templateId() == ActivityTemplateId::Course;
    };
    std::vector<bool> shownInside;
    p.frame->registerDialog(cmd::frame::RecordDirectory, [&] {
        p.frame->postCommand(cmd::frame::Course);
        QEventLoop modal; // as a dialog's exec() turns it
        QTimer::singleShot(0, &modal, &QEventLoop::quit);
        modal.exec();
        shownInside.push_back(courseShown());
    });
    p.frame->dispatch(cmd::frame::RecordDirectory);
    QCOMPARE(shownInside, std::vector<bool>{false});
    QVERIFY(!courseShown());
    uitest::runQueued();
    QVERIFY(courseShown());
    QCOMPARE(p.frame->mdiArea()->subWindowList().size(), 1);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
