// The bilingual dictionary from the main frame: opening it, typing a key, the count caption and the
// result lines, selecting an entry, the export command's state, and the time a keystroke takes to
// repaint a list of 120,000 lines.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTest>

#include "dictionary/ui/dictionary_frame.h"
#include "fixtures/dictionary_builders.h"
#include "foundation/codecs.h"
#include "dictionary/dictionary_commands.h"
#include "ui/ui_fixture.h"

using namespace lumora;
using lumora::uitest::Program;

namespace {

std::string pinyin(const std::string& utf8) {
    return encodeText(utf8, FontEncoding::Pinying).value();
}
std::string western(const std::string& utf8) {
    return encodeText(utf8, FontEncoding::Windows1252).value();
}

DictionaryActivity* openDictionary(Program& p) {
    p.frame->dispatch(cmd::frame::Dictionary);
    auto* a = dynamic_cast<DictionaryActivity*>(p.frame->currentActivity());
    // The window fills from the event loop once it is on screen.
    for (int i = 0; a && i < 100 && !(a->frame() && !a->frame()->countLabel()->text().isEmpty()); ++i)
        QTest::qWait(50);
    return a;
}

} // namespace

class DictionaryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void typeSelectAndReadTheDetail();
    void exportIsOfferedOnlyFromTheResultForm();
    void keystrokeRepaintOfALongList();
};

void DictionaryWindowTest::typeSelectAndReadTheDetail() {
    Program p;
    uitest::writeBytes(p.root + "/DATA/WIN32/FFMA.DIC",
                       test::dictionaryFileBytes({
                           {.source = western("le chat"), .lesson = "L01", .mandarinTarget = pinyin("māo")},
                           {.source = western("chien"), .lesson = "L01", .mandarinTarget = pinyin("gǒu")},
                           {.source = western("château"),
                            .sound = "P011",
                            .lesson = "L01",
                            .mandarinTarget = pinyin("chéngbǎo"),
                            .picture = "P011"},
                       }));
    uitest::writeBytes(p.root + "/DATA/WIN32/MAFF.DIC",
                       test::dictionaryFileBytes(
                           {{.source = pinyin("māo"), .target = western("chat"), .mandarinSource = pinyin("māo")}}));
    QVERIFY(p.start());
    DictionaryActivity* a = openDictionary(p);
    QVERIFY(a);
    CDictionaryFrame* f = a->frame();
    QCOMPARE(f->countLabel()->text(), QStringLiteral(" 3 words"));
    QCOMPARE(p.frame->currentChild()->windowTitle(), QStringLiteral("Dictionary : French - Mandarin Chinese"));
    QCOMPARE(f->sourceList()->currentIndex(), 5);
    QCOMPARE(f->targetList()->currentIndex(), 18);

    QTest::keyClicks(f->keyEdit(), QStringLiteral("ch"));
    QCOMPARE(f->countLabel()->text(), QStringLiteral(" 2 words"));
    const QModelIndex first = f->model()->index(0, 0);
    QCOMPARE(f->model()->data(first, Qt::DisplayRole).toString(), QStringLiteral(" chien "));
    QCOMPARE(f->model()->line(1), QStringLiteral(" château \t   2\t"));

    f->resultList()->setCurrentIndex(f->model()->index(1, 0));
    QCOMPARE(f->detailEdit()->text(), QStringLiteral(" chéngbǎo "));
    // The voice of the entry played, then its picture was named for the picture view.
    QTRY_COMPARE(QString::fromStdString(p.store->readString("Dictionary", "BmpFile", "")),
                 QStringLiteral("D:\\L01\\SIMPLIFY\\P011.BMP"));
    QVERIFY(f->pictureView()->hasPicture());
    // F12: the traditional set (no such picture here: the view is empty).
    p.frame->dispatch(cmd::app::Traditional);
    QVERIFY(p.frame->action(cmd::app::Traditional)->isChecked());
    QTRY_COMPARE(QString::fromStdString(p.store->readString("Dictionary", "BmpFile", "")),
                 QStringLiteral("D:\\L01\\TRADI\\P011.BMP"));
    QVERIFY(!f->pictureView()->hasPicture());

    // Contain: the article is part of the match text.
    f->findChild<QRadioButton*>(QStringLiteral("mode1"))->click();
    QCOMPARE(f->countLabel()->text(), QStringLiteral(" 3 words"));

    // French-Mandarin to Mandarin-French: Mandarin as source first (the same-language box, OK).
    p.prompts->answer = MessageResult::Ok;
    emit f->sourceList()->activated(18);
    QCOMPARE(p.prompts->texts.back(), std::string("You can't selected the same language !"));
    QCOMPARE(f->sourceList()->currentIndex(), 5); // the list keeps showing French
    QCOMPARE(f->model()->rowCount(), 0);
    emit f->targetList()->activated(5);
    QCOMPARE(p.frame->currentChild()->windowTitle(), QStringLiteral("Dictionary : Mandarin Chinese - French"));
    QCOMPARE(f->sourceList()->currentIndex(), 18);
    QCOMPARE(f->targetList()->currentIndex(), 5);
    f->keyEdit()->clear();
    QTest::keyClicks(f->keyEdit(), QStringLiteral("m"));
    QCOMPARE(f->countLabel()->text(), QStringLiteral(" 1 words"));
    QCOMPARE(f->model()->line(0), QStringLiteral(" māo \t   0\t"));
}

void DictionaryWindowTest::exportIsOfferedOnlyFromTheResultForm() {
    Program p;
    std::vector<DictionaryEntry> entries;
    for (int i = 0; i < 50; ++i)
        entries.push_back({.source = "mot " + std::to_string(i), .mandarinTarget = "ci"});
    uitest::writeBytes(p.root + "/DATA/WIN32/FFMA.DIC", test::dictionaryFileBytes(entries));
    QVERIFY(p.start());
    p.frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.frame.get()));
    DictionaryActivity* a = openDictionary(p);
    QVERIFY(a);
    CDictionaryFrame* f = a->frame();
    p.frame->activateWindow();
    f->keyEdit()->setFocus();
    QTRY_VERIFY(!p.frame->action(cmd::dictionary::ExportAs)->isEnabled());
    f->resultList()->setFocus();
    QTRY_VERIFY(p.frame->action(cmd::dictionary::ExportAs)->isEnabled());
    const QString out = p.dir.path() + QStringLiteral("/export.txt");
    f->setExportFileChooser([&] { return out; });
    p.frame->dispatch(cmd::dictionary::ExportAs);
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("\r\n"), 50);
    // A place that cannot be written: a message box, not success.
    f->setExportFileChooser([&] { return out + QStringLiteral("/inside-a-file.txt"); });
    p.prompts->texts.clear();
    p.frame->dispatch(cmd::dictionary::ExportAs);
    QCOMPARE(p.prompts->texts.size(), std::size_t(1));
    QVERIFY(
        QString::fromStdString(p.prompts->texts[0]).startsWith(QStringLiteral("The dictionary could not be exported")));
}

void DictionaryWindowTest::keystrokeRepaintOfALongList() {
    Program p;
    std::vector<DictionaryEntry> entries;
    entries.reserve(120000);
    for (int i = 0; i < 120000; ++i)
        entries.push_back({.source = (i % 3 ? "a" : "b") + std::to_string(i), .mandarinTarget = "ci"});
    uitest::writeBytes(p.root + "/DATA/WIN32/GBMA.DIC", test::dictionaryFileBytes(entries));
    p.store->writeInt("Dictionary", "From", 0);
    QVERIFY(p.start());
    p.frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.frame.get()));
    DictionaryActivity* a = openDictionary(p);
    QVERIFY(a);
    CDictionaryFrame* f = a->frame();
    QCOMPARE(f->countLabel()->text(), QStringLiteral(" 120000 words"));
    // One keystroke in real-time mode, the search and the repaint of the list; then back.
    QBENCHMARK {
        f->keyEdit()->setText(QString());
        QTest::keyClick(f->keyEdit(), Qt::Key_A);
        f->resultList()->viewport()->repaint();
    }
    QCOMPARE(f->countLabel()->text(), QStringLiteral(" 80000 words"));
}

QTEST_MAIN(DictionaryWindowTest)
#include "dictionary_window_test.moc"
