// The scored exercises on the sample course built with the content tool: the picture exercise with
// one lesson selected, one right and one wrong answer (the answer dialog closed from the keyboard),
// the face and the score line, and the score found again in the history and the graph's listing.
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "exercises/score_history.h"
#include "exercises/ui/exercise_window.h"
#include "exercises/ui/score_graph_window.h"
#include "foundation/ui/media_picture_view.h"
#include "course/course_commands.h"
#include "ui/ui_fixture.h"

using namespace lumora;
using lumora::uitest::Program;

class ExerciseWindowTest : public QObject {
    Q_OBJECT
private slots:
    void pictureExerciseOnTheSampleCourse();
    void aMissingListingOpensNoGraph();
    void aFreshStartAsksNothingAndRealTimeStartsAtOnce();
    void aRefusedToLanguageSaysWhyInTheStatusBar();
};

namespace {
// The sample course the test run built once (read only: learner data goes to drive C).
bool useSampleCourse(Program& p) {
    const QString course = QStringLiteral(LUMORA_SAMPLE_COURSE);
    if (!QFileInfo::exists(course + "/DATA/WIN32/LISTE.DAT")) return false;
    p.store->writeString("Drives", "D", course.toStdString());
    return true;
}

// A private copy of the sample course, for a test that takes files away from it.
bool copySampleCourse(Program& p) {
    const QString from = QStringLiteral(LUMORA_SAMPLE_COURSE), to = p.dir.path() + "/course";
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target)) return false;
    }
    p.store->writeString("Drives", "D", to.toStdString());
    return QFileInfo::exists(to + "/DATA/WIN32/LISTE.DAT");
}
} // namespace

void ExerciseWindowTest::pictureExerciseOnTheSampleCourse() {
    if (!QDir(QStringLiteral(LUMORA_SOURCE_DIR "/content/lessons")).exists()) QSKIP("no sample course sources");
    Program p;
    QVERIFY(useSampleCourse(p));
    QVERIFY(p.start());
    p.store->writeInt("ExPicture", "Refresh", 0); // the apply button, not real time
    p.frame->dispatch(cmd::frame::PictureExercise);
    auto* activity = dynamic_cast<ExerciseActivity*>(p.frame->currentActivity());
    QVERIFY(activity);
    ExerciseFrame* frame = activity->frame();
    QVERIFY(frame);
    QTRY_VERIFY(frame->lessonList()->count() > 0);
    QVERIFY(frame->applyButton()->isVisibleTo(frame));

    // The first lesson goes to "Selected"; the choice is applied.
    frame->lessonList()->setCurrentRow(0);
    QTest::mouseClick(frame->addButton(), Qt::LeftButton);
    QCOMPARE(frame->selectedList()->count(), 1);
    QTest::mouseClick(frame->applyButton(), Qt::LeftButton);
    ExerciseSession* s = activity->session();
    QTRY_COMPARE(s->presented(), 1);
    QVERIFY(s->answersVisible());
    QVERIFY(s->poolSize() > 1);
    QVERIFY(frame->choice(s->rightSlot())->isVisibleTo(frame));
    QTRY_VERIFY(!p.player->played.empty()); // the male voice of the question

    // Right, from the keyboard (keys 1-5 choose an answer).
    p.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.frame.get()));
    frame->choice(0)->setFocus();
    QTest::keyClick(frame->choice(0), static_cast<Qt::Key>(Qt::Key_1 + s->rightSlot()));
    QCOMPARE(s->good(), 1);
    QCOMPARE(frame->faceButton()->property("face").toString(), QStringLiteral("N100"));
    QCOMPARE(frame->scoreLabel()->text(), QStringLiteral("Good answer 1 on 1. Your success rate is : 100 %."));

    // Wrong: the dialog with the right answer, closed with Enter.
    const int wrong = (s->rightSlot() + 1) % 5;
    QVERIFY(frame->choice(wrong)->isVisibleTo(frame));
    const QString right = frame->choice(s->rightSlot())->text();
    frame->choice(wrong)->click();
    QTRY_VERIFY(frame->answerDialog() && frame->answerDialog()->isVisible());
    QCOMPARE(frame->answerDialog()->windowTitle(), QStringLiteral("The correct answer is"));
    QVERIFY(right.endsWith(frame->answerDialog()->answerField()->text().trimmed()));
    QTest::keyClick(frame->answerDialog(), Qt::Key_Return);
    QTRY_VERIFY(!frame->answerDialog());
    QCOMPARE(s->presented(), 3);
    QCOMPARE(frame->faceButton()->property("face").toString(), QStringLiteral("N50"));
    QCOMPARE(frame->scoreLabel()->text(), QStringLiteral("Good answer 1 on 2. Your success rate is : 50 %."));
    QVERIFY(!frame->faceButton()->accessibleDescription().isEmpty());
    QVERIFY(frame->choice(0)->accessibleName().startsWith(QStringLiteral("Answer 1")));
    const int pool = static_cast<int>(s->poolSize());

    // Closing the window appends the score.
    p.frame->dispatch(cmd::frame::LessonsList);
    const ExerciseFiles names = exerciseFiles(p.context->store, ExerciseKind::Picture);
    const auto data = p.context->files.readAll(names.history);
    QVERIFY(data);
    const auto records = parseScoreHistory(*data);
    QCOMPARE(records.size(), std::size_t(30));
    QCOMPARE(records[29].good, 1);
    QCOMPARE(records[29].answered, 2);
    QCOMPARE(records[29].pool, pool - 1);

    // The graph of the picture exercise lists it and plots it.
    p.frame->dispatch(cmd::frame::PictureGraph);
    auto* graph = dynamic_cast<ScoreGraphActivity*>(p.frame->currentActivity());
    QVERIFY(graph);
    QVERIFY(graph->listing()->toPlainText().contains(QStringLiteral("\t  50%\n\t")));
    QCOMPARE(graph->graph()->picture().curve.size(), std::size_t(30));
    QCOMPARE(graph->graph()->picture().curve.back().y, 2050 - 20 * 50);
    QVERIFY(QString::fromStdString(graph->graph()->picture().curve.back().tip).endsWith(QStringLiteral("50 %")));
    // The newest score is in view without scrolling.
    const ScoreGraphPoint& newest = graph->graph()->picture().curve.back();
    QTRY_VERIFY(graph->graph()->visibleRegion().boundingRect().contains(graph->graph()->devicePoint(newest.x, newest.y)));
    p.frame->dispatch(cmd::course::Zoom200);
    QVERIFY(p.frame->action(cmd::course::Zoom200)->isChecked());
    // The main frame is destroyed hidden: destroying it while shown runs its toolbar's visibility
    // signal into its half-destroyed command table.
    p.frame->hide();
}

void ExerciseWindowTest::aMissingListingOpensNoGraph() {
    Program p;
    QVERIFY(p.start());
    p.frame->dispatch(cmd::frame::VerifyGraph);
    QVERIFY(!dynamic_cast<ScoreGraphActivity*>(p.frame->currentActivity()));
    QVERIFY(!p.prompts->texts.empty());
    QCOMPARE(QString::fromStdString(p.prompts->texts.back()), QStringLiteral("Failed to open document."));
}

// First use: nothing chosen yet, "Real time job" on by default. Opening the window must not take the
// language list's own first selection for a choice (which built an empty pool and said "No item to
// feed your choice !!!" before the learner had done anything); adding a lesson starts at once.
void ExerciseWindowTest::aFreshStartAsksNothingAndRealTimeStartsAtOnce() {
    if (!QDir(QStringLiteral(LUMORA_SOURCE_DIR "/content/lessons")).exists()) QSKIP("no sample course sources");
    Program p;
    QVERIFY(useSampleCourse(p));
    QVERIFY(p.start());
    p.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.frame.get()));
    p.frame->dispatch(cmd::frame::PictureExercise);
    auto* activity = dynamic_cast<ExerciseActivity*>(p.frame->currentActivity());
    QVERIFY(activity);
    ExerciseFrame* frame = activity->frame();
    QTRY_VERIFY(frame->lessonList()->count() > 0);
    frame->fromList()->setFocus();
    uitest::runQueued(); // what taking focus queues
    QVERIFY2(p.prompts->texts.empty(), p.prompts->texts.empty() ? "" : p.prompts->texts.back().c_str());
    QCOMPARE(frame->fromList()->currentRow(), static_cast<int>(activity->document().fromLanguage()));
    QVERIFY(!frame->applyButton()->isVisibleTo(frame));
    QVERIFY(frame->emptyHint()->isVisibleTo(frame));

    frame->lessonList()->setCurrentRow(0);
    QTest::mouseClick(frame->addButton(), Qt::LeftButton);
    QTRY_COMPARE(activity->session()->presented(), 1);
    QVERIFY(p.prompts->texts.empty());
    // Space or R replays the voices, also from an answer button, and answers nothing.
    QTRY_VERIFY(!p.player->played.empty());
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_R}) {
        const std::size_t before = p.player->played.size();
        frame->choice(0)->setFocus();
        QTest::keyClick(frame->choice(0), key);
        QTRY_VERIFY(p.player->played.size() > before);
        QCOMPARE(activity->session()->presented(), 1);
        QCOMPARE(activity->session()->good(), 0);
        QVERIFY(!frame->answerDialog());
    }
    QVERIFY(!frame->emptyHint()->isVisibleTo(frame));
    QVERIFY(frame->choice(activity->session()->rightSlot())->isVisibleTo(frame));
    // A lesson's metafile picture is drawn (recorded once from the file), not named; a damaged one
    // is named.
    QDirIterator it(QStringLiteral(LUMORA_SAMPLE_COURSE), {"*.WMF"}, QDir::Files, QDirIterator::Subdirectories);
    QVERIFY(it.hasNext());
    MediaPictureView* still = frame->mediaPicture();
    still->resize(345, 320);
    still->setFile(it.next().toStdString());
    QVERIFY(still->hasPicture());
    const QImage drawn = still->grab().toImage();
    int inked = 0;
    for (int y = 0; y < drawn.height(); y += 2)
        for (int x = 0; x < drawn.width(); x += 2) inked += drawn.pixelColor(x, y) != QColor(192, 192, 192);
    QVERIFY2(inked > 100, "the picture left the view grey");
    const QString damaged = p.dir.path() + "/damaged.WMF";
    QFile f(damaged);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a metafile");
    f.close();
    still->setFile(damaged.toStdString());
    QVERIFY(!still->hasPicture());
    still->grab();
    p.frame->hide();
}

// The To list refuses the From language and a pair without a dictionary without a box: the list
// goes back and the status bar says why.
void ExerciseWindowTest::aRefusedToLanguageSaysWhyInTheStatusBar() {
    if (!QDir(QStringLiteral(LUMORA_SOURCE_DIR "/content/lessons")).exists()) QSKIP("no sample course sources");
    Program p;
    QVERIFY(copySampleCourse(p));
    QVERIFY(p.start());
    p.store->writeInt("ExTranslate", "Refresh", 0); // an accepted language builds nothing at once
    p.frame->dispatch(cmd::frame::TranslationExercise);
    auto* activity = dynamic_cast<ExerciseActivity*>(p.frame->currentActivity());
    QVERIFY(activity);
    ExerciseFrame* frame = activity->frame();
    QTRY_VERIFY(frame->lessonList()->count() > 0);
    auto* status = p.frame->findChild<QLabel*>(QStringLiteral("activityStatus"));
    QVERIFY(status);
    const LanguageId from = activity->document().fromLanguage(), to = activity->document().toLanguage();
    QCOMPARE(from, LanguageId(18));
    frame->toList()->setCurrentRow(from);
    QCOMPARE(activity->document().toLanguage(), to);
    QCOMPARE(frame->toList()->currentRow(), static_cast<int>(to));
    QVERIFY(status->isVisibleTo(p.frame.get()));
    QVERIFY2(status->text().contains(QStringLiteral("must differ")), qPrintable(status->text()));
    QVERIFY(QFile::remove(p.dir.path() + "/course/DATA/WIN32/MATH.DIC"));
    frame->toList()->setCurrentRow(15); // Thai, whose Mandarin-Thai dictionary is gone
    QCOMPARE(activity->document().toLanguage(), to);
    QVERIFY2(status->text().contains(QStringLiteral("no dictionary")), qPrintable(status->text()));
    // The rows say which pairs the course lacks (greyed, with the reason), and stay selectable.
    QCOMPARE(frame->toList()->item(15)->toolTip(), QStringLiteral("No dictionary Mandarin Chinese - Thai in this course"));
    QCOMPARE(frame->toList()->item(18)->toolTip(), QStringLiteral("The same language on both sides"));
    QVERIFY(frame->toList()->item(0)->toolTip().isEmpty());
    QVERIFY(frame->toList()->item(15)->flags() & Qt::ItemIsSelectable);
    frame->toList()->setCurrentRow(0); // English (US): Mandarin-English exists
    QCOMPARE(activity->document().toLanguage(), LanguageId(0));
    QVERIFY(!status->isVisibleTo(p.frame.get()));
    QVERIFY(p.prompts->texts.empty());
    p.frame->hide();
}

QTEST_MAIN(ExerciseWindowTest)
#include "exercise_window_test.moc"
