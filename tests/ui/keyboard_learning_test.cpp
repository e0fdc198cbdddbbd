// Keyboard learning in the program: typing a phrase turns its mark, the hint explains a wrong line,
// the page turns as in the course, and a two-phrase page hides lines 3 and 4.
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <QToolButton>

#include "course/ui/edit_course_window.h"
#include "course/course_commands.h"
#include "ui/ui_fixture.h"

using namespace lumora;
using lumora::uitest::Program;

class KeyboardLearningTest : public QObject {
    Q_OBJECT
private slots:
    void typedLinesTurnTheirMarks();
    void pagesTurnAndShortPagesHideLines();
};

namespace {
KeyboardLearningActivity* keyboardOnScreen(CMainFrame& f) { return dynamic_cast<KeyboardLearningActivity*>(f.currentActivity()); }
} // namespace

void KeyboardLearningTest::typedLinesTurnTheirMarks() {
    Program p;
    uitest::writeBytes(p.root + "/L01/MALE/P011.WAV", Bytes{'R', 'I', 'F', 'F'});
    QVERIFY(p.start());
    p.store->writeInt("Course", "Dictee", 0); // the model lines shown
    p.frame->refreshCommandStates();
    QVERIFY(p.frame->action(cmd::frame::KeyboardLearning)->isEnabled());
    p.frame->dispatch(cmd::frame::KeyboardLearning);
    KeyboardLearningActivity* k = keyboardOnScreen(*p.frame);
    QVERIFY(k);
    QCOMPARE(p.store->readInt("Startup", "Remember", -1), 2);
    QTRY_COMPARE(p.frame->currentChild()->windowTitle(), QStringLiteral("Page  1 /  3"));
    // The page's phrases are played once it is shown.
    QTRY_VERIFY(!p.player->played.empty());
    QVERIFY(QString::fromStdString(p.player->played.front()).endsWith("MALE/P011.WAV"));
    // Its voice icon shows where the voice file exists, and plays it.
    QVERIFY(k->rowWidgets(0).male->isVisibleTo(k->widget()));
    QVERIFY(!k->rowWidgets(0).female->isVisibleTo(k->widget()));
    QVERIFY(!k->rowWidgets(1).male->isVisibleTo(k->widget()));
    k->rowWidgets(0).male->click();
    QVERIFY(QString::fromStdString(p.player->played.back()).endsWith("MALE/P011.WAV"));
    const EditRowWidgets& first = k->rowWidgets(0);
    QVERIFY(first.edit->isVisibleTo(k->widget()));
    QCOMPARE(first.model->text(), QStringLiteral(" p0k1"));
    QCOMPARE(k->markOf(0), QStringLiteral("n0"));

    QTest::keyClicks(first.edit, QStringLiteral("p0k"));
    QCOMPARE(k->markOf(0), QStringLiteral("n0"));
    QTest::keyClicks(first.edit, QStringLiteral("1"));
    QCOMPARE(k->markOf(0), QStringLiteral("n100")); // the moment the bytes are equal
    QCOMPARE(first.hint->text(), QStringLiteral("right"));
    QTest::keyClicks(first.edit, QStringLiteral(" "));
    QCOMPARE(k->markOf(0), QStringLiteral("n0"));

    // Phrase 1 typed in line 2 changes line 2 only.
    QTest::keyClicks(k->rowWidgets(1).edit, QStringLiteral("p0k1"));
    QCOMPARE(k->markOf(1), QStringLiteral("n0"));
    // (The fixture's "p0k2" reads as two syllables, p0 and k2.)
    QCOMPARE(k->rowWidgets(1).hint->text(), QStringLiteral("tone of syllable 2: you typed 1, it is 2"));
    // The translation rows show the translation language's flag and text.
    QVERIFY(k->rowWidgets(0).translation->text().contains(QStringLiteral("Phrase 1 of page 1")));
    QVERIFY(!k->rowWidgets(0).flag->pixmap().isNull());
}

void KeyboardLearningTest::pagesTurnAndShortPagesHideLines() {
    Program p;
    QVERIFY(p.start());
    p.store->writeInt("Course", "Lesson", 0);
    p.store->writeInt("Course", "Page", 2); // the last page of L01
    p.store->writeInt("EndLesson", "UserChoice", 0); // the end of a lesson goes on to the next one
    p.frame->dispatch(cmd::frame::KeyboardLearning);
    KeyboardLearningActivity* k = keyboardOnScreen(*p.frame);
    QVERIFY(k);
    QTRY_COMPARE(p.frame->currentChild()->windowTitle(), QStringLiteral("Page  3 /  3"));
    // Dictation (the default): no model line is seen.
    for (int i = 0; i < 4; ++i) QVERIFY(!k->rowWidgets(i).model->isVisibleTo(k->widget()));
    QTest::keyClicks(k->rowWidgets(0).edit, QStringLiteral("p2k1"));
    QCOMPARE(k->markOf(0), QStringLiteral("n100"));
    // Next page at the end of the lesson: the next lesson (two phrases a page).
    p.frame->dispatch(cmd::course::NextPage);
    QTRY_COMPARE(p.frame->currentChild()->windowTitle(), QStringLiteral("Page  1 /  2"));
    QCOMPARE(p.store->readInt("Course", "Lesson", -1), 1);
    QVERIFY(keyboardOnScreen(*p.frame) == k);
    QCOMPARE(k->rowWidgets(0).edit->text(), QString());
    QCOMPARE(k->markOf(0), QStringLiteral("n0"));
    QVERIFY(k->rowWidgets(1).edit->isVisibleTo(k->widget()));
    QVERIFY(!k->rowWidgets(2).edit->isVisibleTo(k->widget()));
    QVERIFY(!k->rowWidgets(3).mark->isVisibleTo(k->widget()));
    // "Translation" hides the translation rows.
    p.frame->dispatch(cmd::course::Translation);
    QVERIFY(!k->rowWidgets(0).translation->isVisibleTo(k->widget()));
    QVERIFY(!p.frame->action(cmd::course::Translation)->isChecked());
}

QTEST_MAIN(KeyboardLearningTest)
#include "keyboard_learning_test.moc"
