// The shell's dialogs in the program: the preferences sheet at start-up, from the menu and from the
// course (the course shows the new translation after OK), the tip of the day, the about box and the
// data-folder choice.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "course/ui/cours_child_wnd.h"
#include "course/ui/cours_view_widget.h"
#include "foundation/ui/wait_message_dialog.h"
#include "shell/preferences.h"
#include "shell/ui/about_dialog.h"
#include "shell/ui/preferences_sheet.h"
#include "shell/ui/record_directory_dialog.h"
#include "shell/ui/shell_dialogs.h"
#include "resources/string_table.h"
#include "shell/ui/tip_dialog.h"
#include "course/course_commands.h"
#include "ui/ui_fixture.h"

using namespace lumora;
using lumora::uitest::Program;

namespace {

// Runs `act` on the modal dialog of type T once it is shown; `seen` tells whether it was.
template <typename T>
void whenShown(std::function<void(T&)> act, bool* seen) {
    QTimer::singleShot(0, [act, seen] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) return;
        *seen = true;
        act(*dialog);
    });
}

void press(QDialog& d, QDialogButtonBox::StandardButton which) {
    d.findChild<QDialogButtonBox*>()->button(which)->click();
}

// A text item of the page (the view puts a space before each translation).
bool hasText(const std::vector<DrawItem>& items, const std::string& text) {
    for (const DrawItem& it : items)
        if (it.kind == DrawItem::Kind::Text && (it.text == text || it.text == " " + text)) return true;
    return false;
}

} // namespace

class ShellDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void preferencesOpenAtAFirstStart();
    void courseShowsTheNewTranslationAfterOk();
    void cancelKeepsTheTranslationButNotTheChoices();
    void tipOfTheDayWrapsAndStores();
    void aboutBoxShowsThisMachine();
    void dataFolderThatCannotBeWrittenIsRefused();
    void waitMessageShowsAtOnceOverItsOwner();
};

void ShellDialogsTest::preferencesOpenAtAFirstStart() {
    Program p;
    p.store->writeString("CDROM", "Drive", "");
    registerShellDialogs(*p.frame);
    bool seen = false;
    whenShown<PreferencesSheet>([](PreferencesSheet& s) { press(s, QDialogButtonBox::Ok); }, &seen);
    QVERIFY(p.start());
    QVERIFY(seen);
    // Then the lessons list, as on every start in mode 0.
    QVERIFY(p.frame->currentActivity());
    QCOMPARE(p.frame->currentActivity()->templateId(), ActivityTemplateId::LessonsList);
    QCOMPARE(p.store->readInt("Startup", "UserChoice", -1), 0);
}

void ShellDialogsTest::courseShowsTheNewTranslationAfterOk() {
    Program p;
    QVERIFY(p.start());
    registerShellDialogs(*p.frame);
    p.store->writeInt("Course", "Translate Language", 0);
    p.frame->dispatch(cmd::frame::Course);
    auto* course = dynamic_cast<CourseActivity*>(p.frame->currentActivity());
    QVERIFY(course);
    QTRY_VERIFY(course->viewWidget()->paintCount() > 0);
    QVERIFY(hasText(course->view().layout(1024, 96), "Phrase 1 of page 1"));
    p.frame->refreshCommandStates();
    QVERIFY(p.frame->action(cmd::course::TranslationLanguage)->isEnabled());
    QVERIFY(p.frame->action(cmd::frame::Preferences)->isEnabled());

    bool seen = false;
    whenShown<PreferencesSheet>(
        [](PreferencesSheet& s) {
            QCOMPARE(s.pages()->count(), 3);
            s.languageList()->setCurrentRow(5); // French
            QCOMPARE(s.languageName()->text(), QStringLiteral("French"));
            s.endOfLessonChoices()->button(kFirstChoiceRadio + 2)->click();
            press(s, QDialogButtonBox::Ok);
        },
        &seen);
    const int paints = course->viewWidget()->paintCount();
    p.frame->dispatch(cmd::frame::Preferences);
    QVERIFY(seen);
    QCOMPARE(p.store->readInt("Course", "Translate Language", -1), 5);
    QCOMPARE(p.store->readInt("EndLesson", "UserChoice", -1), 2);
    QVERIFY(hasText(course->view().layout(1024, 96), "Phrase fr 1"));
    QTRY_VERIFY(course->viewWidget()->paintCount() > paints);

    // From the course's own button, back to English.
    seen = false;
    whenShown<PreferencesSheet>(
        [](PreferencesSheet& s) {
            s.languageList()->setCurrentRow(0);
            press(s, QDialogButtonBox::Ok);
        },
        &seen);
    p.frame->dispatch(cmd::course::TranslationLanguage);
    QVERIFY(seen);
    QVERIFY(hasText(course->view().layout(1024, 96), "Phrase 1 of page 1"));
}

void ShellDialogsTest::cancelKeepsTheTranslationButNotTheChoices() {
    Program p;
    QVERIFY(p.start());
    registerShellDialogs(*p.frame);
    p.store->writeInt("Startup", "UserChoice", 2);
    bool seen = false;
    whenShown<PreferencesSheet>(
        [](PreferencesSheet& s) {
            QCOMPARE(s.startupChoices()->checkedId(), kFirstChoiceRadio + 2); // the stored 2
            s.startupChoices()->button(kFirstChoiceRadio)->click();
            s.languageList()->setCurrentRow(15); // Thai
            s.colourList()->setCurrentRow(2);
            press(s, QDialogButtonBox::Cancel);
        },
        &seen);
    p.frame->dispatch(cmd::frame::Preferences);
    QVERIFY(seen);
    QCOMPARE(p.store->readInt("Startup", "UserChoice", -1), 2);
    QCOMPARE(p.store->readInt("Course", "Translate Language", -1), 15);
    QCOMPARE(p.store->readInt("TRANSL_THAI", "ColorTranslate", -1), 2);
}

void ShellDialogsTest::tipOfTheDayWrapsAndStores() {
    Program p;
    for (int n = 1; n <= 3; ++n)
        uitest::writeBytes(p.root + QStringLiteral("/DATA/TIPS/US/%1.txt").arg(n),
                           Bytes{'T', 'i', 'p', static_cast<std::uint8_t>('0' + n)});
    p.store->writeInt("Tip", "Number", 3);
    QVERIFY(p.start());
    registerShellDialogs(*p.frame);
    bool seen = false;
    whenShown<TipDialog>(
        [](TipDialog& d) {
            QCOMPARE(d.tipText()->text(), QStringLiteral("Tip3"));
            d.nextButton()->click(); // past the last: tip 1
            QCOMPARE(d.tipText()->text(), QStringLiteral("Tip1"));
            QVERIFY(!d.showAtStartup()->isChecked()); // the fixture switched tips off
            d.showAtStartup()->setChecked(true);
            d.closeButton()->click();
        },
        &seen);
    p.frame->dispatch(cmd::app::TipOfTheDay);
    QVERIFY(seen);
    QCOMPARE(p.store->readInt("Tip", "Number", -1), 2);
    QCOMPARE(p.store->readInt("Tip", "StartUp", -1), 0);
}

void ShellDialogsTest::aboutBoxShowsThisMachine() {
    Program p;
    QVERIFY(p.start());
    registerShellDialogs(*p.frame);
    bool seen = false;
    QString memory, disk, version, caption;
    whenShown<AboutDialog>(
        [&](AboutDialog& d) {
            memory = d.memoryLine()->text();
            disk = d.diskLine()->text();
            version = d.versionLine()->text();
            caption = d.windowTitle();
            d.accept();
        },
        &seen);
    p.frame->dispatch(cmd::app::About);
    QVERIFY(seen);
    QCOMPARE(caption, QStringLiteral("About Lumora"));
    QVERIFY2(memory.startsWith("Available memory (RAM) : ") && !memory.contains("unknown"), qPrintable(memory));
    QVERIFY2(disk.startsWith("Free space on this disk : ") && !disk.contains("unknown"), qPrintable(disk));
    QVERIFY2(version.startsWith("Version 4.0 (") && !version.contains("Windows(tm) 95"), qPrintable(version));
}

void ShellDialogsTest::dataFolderThatCannotBeWrittenIsRefused() {
    Program p;
    QVERIFY(p.start());
    QDir().mkpath(p.dir.path() + "/mine");
    applyRecordDirectoryChoice(*p.context, p.dir.path() + "/mine/");
    QCOMPARE(QString::fromStdString(p.store->readString("User", "Drive", "")), p.dir.path() + "/mine");
    applyRecordDirectoryChoice(*p.context, QString()); // Cancel
    QCOMPARE(QString::fromStdString(p.store->readString("User", "Drive", "")), p.dir.path() + "/mine");
    QVERIFY(p.prompts->texts.empty());
    applyRecordDirectoryChoice(*p.context, p.dir.path() + "/settings.ini"); // not a folder
    QCOMPARE(QString::fromStdString(p.store->readString("User", "Drive", "")), p.dir.path() + "/mine");
    QCOMPARE(p.prompts->texts.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(p.prompts->texts[0]).contains("cannot be written"));
}

void ShellDialogsTest::waitMessageShowsAtOnceOverItsOwner() {
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    {
        WaitMessageDialog wait(str::PleaseWait, &owner);
        QVERIFY(wait.isVisible());
        QVERIFY(!wait.isModal());
        QCOMPARE(wait.message(), QStringLiteral("Please wait ..."));
        QCOMPARE(wait.windowTitle(), QStringLiteral("Message"));
        const QPoint centre = wait.geometry().center();
        QVERIFY2((centre - owner.geometry().center()).manhattanLength() < 40, "centred on its owner");
    }
    WaitMessageDialog text(std::string("Loading the lesson"), &owner);
    QCOMPARE(text.message(), QStringLiteral("Loading the lesson"));
}

QTEST_MAIN(ShellDialogsTest)
#include "shell_dialogs_test.moc"
