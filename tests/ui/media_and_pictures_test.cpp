// The media control window drawing a metafile in hundredths of a millimetre with y upward, the
// metafile player's mappings, the help window, and the program's own pictures.
#include <QLineEdit>
#include <QMainWindow>
#include <QToolBar>
#include <QListWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <set>

#include "course/ui/media_control_widget.h"
#include "course/ui/metafile_painter.h"
#include "foundation/language_table.h"
#include "platform/qt_help_viewer.h"
#include "resources/ui/icons.h"
#include "course/ui/course_activities.h"
#include "shell/main_frame_logic.h"
#include "course/course_commands.h"
#include "ui/ui_fixture.h"

using namespace lumora;

namespace {

void put16(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>(v >> 16));
}
void record(Bytes& body, int function, std::initializer_list<int> params) {
    put32(body, static_cast<std::uint32_t>(3 + params.size()));
    put16(body, function);
    for (int p : params) put16(body, p);
}

// A placeable metafile: window origin (0, 1000), a red brush, a rectangle from (100, 900) to
// (600, 400) in hundredths of a millimetre.
Bytes redSquareMetafile() {
    Bytes body;
    record(body, 0x020B, {1000, 0});                  // SETWINDOWORG y, x
    record(body, 0x02FC, {0, 0x00FF, 0x0000, 0});      // CREATEBRUSHINDIRECT solid, red
    record(body, 0x012D, {0});                         // SELECTOBJECT 0
    record(body, 0x041B, {400, 600, 900, 100});        // RECTANGLE bottom, right, top, left
    record(body, 0x0000, {});                          // end
    Bytes header;
    put16(header, 1);
    put16(header, 9);
    put16(header, 0x0300);
    put32(header, static_cast<std::uint32_t>((18 + body.size()) / 2));
    put16(header, 1);
    put32(header, 7);
    put16(header, 0);
    Bytes placeable;
    put32(placeable, 0x9AC6CDD7u);
    put16(placeable, 0);
    for (int v : {0, 0, 1000, 1000}) put16(placeable, v);
    put16(placeable, 2540);
    put32(placeable, 0);
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < 20; i += 2) sum ^= static_cast<std::uint16_t>(placeable[i] | (placeable[i + 1] << 8));
    put16(placeable, sum);
    Bytes out = placeable;
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }

} // namespace

class MediaAndPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void mediaControlDrawsTheMetafileUpright();
    void metafileMappings();
    void mediaWindowStaysBesideThePageAndFollowsTheFrame();
    void helpWindowShowsTopics();
    void iconsAndFlags();
};

void MediaAndPicturesTest::mediaControlDrawsTheMetafileUpright() {
    QTemporaryDir dir;
    uitest::writeBytes(dir.path() + "/PIC.WMF", redSquareMetafile());
    MemorySettingsStore store;
    AppContext context(store, DriveTable{{'D', dir.path().toStdString()}});
    store.writeInt("Multimedia", "View", 1);
    store.writeString("Dictionary", "MMName", "D:\\PIC.WMF");
    store.writeInt("Dictionary", "ViewType", 1);
    MediaControlWidget media(context, nullptr, nullptr);
    media.show();
    QVERIFY(QTest::qWaitForWindowExposed(&media));
    QCOMPARE(media.size(), QSize(345, 320));
    const QImage shot = media.grab().toImage();
    const double px = media.logicalDpiX() / 2540.0; // pixels per hundredth of a millimetre
    const int inside = qRound(350 * px);            // the square spans 100..600 across, 100..600 down
    QVERIFY(isRed(shot.pixel(inside, inside)));
    QCOMPARE(QColor(shot.pixel(qRound(800 * px), inside)), QColor(192, 192, 192));
    QCOMPARE(QColor(shot.pixel(inside, qRound(800 * px))), QColor(192, 192, 192));
    QVERIFY(!isRed(shot.pixel(qRound(50 * px), qRound(50 * px))));
    // The close box does nothing.
    media.close();
    QVERIFY(media.isVisible());
    // A missing file leaves the window grey.
    store.writeString("Dictionary", "MMName", "D:\\NONE.WMF");
    media.repaint();
    const QImage grey = media.grab().toImage();
    QCOMPARE(QColor(grey.pixel(inside, inside)), QColor(192, 192, 192));
}

void MediaAndPicturesTest::mediaWindowStaysBesideThePageAndFollowsTheFrame() {
    QTemporaryDir dir;
    MemorySettingsStore store;
    AppContext context(store, DriveTable{{'D', dir.path().toStdString()}});
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget frame;
    frame.setGeometry(screen.x() + 20, screen.y() + 20, screen.width() / 2, screen.height() / 2);
    auto* page = new QWidget(&frame);
    page->setGeometry(0, 30, frame.width(), frame.height() - 30);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    MediaControlWidget media(context, &frame, page);
    media.setPlacement([page] { return QRect(page->mapToGlobal(QPoint(0, 0)), page->size()); });
    media.setVisible(true);
    const auto inside = [&] {
        const QRect area(page->mapToGlobal(QPoint(0, 0)), page->size());
        return area.contains(media.geometry()) && media.geometry().right() > area.right() - 40;
    };
    QVERIFY(inside());
    QVERIFY(media.width() <= page->width() / 3 + 1); // small beside the page
    frame.move(frame.x() + 60, frame.y() + 30);
    QTRY_VERIFY(inside());
    frame.resize(screen.width() - 100, screen.height() - 80);
    page->resize(frame.width(), frame.height() - 30);
    QTRY_VERIFY(inside());
    // A frame that goes past the screen's edge keeps the window on the screen.
    frame.move(screen.right() - frame.width() / 3, frame.y());
    QTRY_VERIFY(screen.contains(media.geometry()));
}

void MediaAndPicturesTest::metafileMappings() {
    using namespace wmf;
    Metafile mf;
    mf.records.push_back(MetaCreateBrushIndirect{0, Colour{0, 0, 255}, 0});
    mf.records.push_back(MetaSelectObject{0});
    mf.records.push_back(MetaCreatePenIndirect{5, 0, Colour{}});
    mf.records.push_back(MetaSelectObject{1});
    mf.records.push_back(MetaSetMapMode{8});
    mf.records.push_back(MetaSetWindowExt{Point{100, 100}});
    mf.records.push_back(MetaSetViewportExt{Point{50, 50}});
    mf.records.push_back(MetaRectangle{Rect{0, 0, 100, 100}}); // 50 x 50 pixels from the origin
    mf.records.push_back(MetaSaveDC{});
    mf.records.push_back(MetaSetViewportOrg{Point{60, 0}});
    mf.records.push_back(MetaEllipse{Rect{0, 0, 40, 40}});    // 20 x 20 pixels at x = 60
    mf.records.push_back(MetaRestoreDC{-1});
    mf.records.push_back(MetaSetMapMode{1});                   // text mode: one unit a pixel
    mf.records.push_back(MetaRectangle{Rect{0, 80, 10, 90}});
    QImage img(120, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    MetafileDevice dev;
    dev.mapMode = 3;
    playMetafile(p, mf, dev);
    p.end();
    auto blue = [&](int x, int y) { return qBlue(img.pixel(x, y)) > 200 && qRed(img.pixel(x, y)) < 60; };
    QVERIFY(blue(25, 25));
    QVERIFY(!blue(55, 25));
    QVERIFY(blue(70, 10));   // the ellipse after the viewport moved
    QVERIFY(!blue(70, 40));
    QVERIFY(blue(5, 85));    // text mode after the restore
    QVERIFY(!blue(5, 95));
}

void MediaAndPicturesTest::helpWindowShowsTopics() {
    HelpWindow w;
    w.setTopics({{0, "Contents", {"Welcome."}}, {10100, "Lesson 1: Greetings", {"Hello."}},
                 {10200, "Lesson 2: Numbers", {"Counting from one to ten."}}},
                QStringLiteral("LESSONGB.HLP"));
    QVERIFY(w.showContext(10200));
    QCOMPARE(w.currentTitle(), QStringLiteral("Lesson 2: Numbers"));
    // The window names its topic, not its file.
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("Lesson 2: Numbers")));
    QVERIFY(!w.windowTitle().contains(QStringLiteral("HLP")));
    // Opened for a main window, it sits below the toolbar, at the window's right.
    QMainWindow owner;
    auto* bar = owner.addToolBar(QStringLiteral("bar"));
    bar->addAction(QStringLiteral("x"));
    owner.setCentralWidget(new QWidget);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    owner.setGeometry(screen.adjusted(10, 10, -10, -10));
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    w.placeBeside(&owner);
    QVERIFY(w.geometry().top() >= owner.centralWidget()->mapToGlobal(QPoint(0, 0)).y());
    QVERIFY(screen.contains(w.geometry()));
    QVERIFY(!w.showContext(999)); // unknown: the contents
    QCOMPARE(w.currentTitle(), QStringLiteral("Contents"));
    auto* find = w.findChild<QLineEdit*>(QStringLiteral("findBox"));
    auto* found = w.findChild<QListWidget*>(QStringLiteral("found"));
    QVERIFY(find && found);
    find->setText(QStringLiteral("counting ten"));
    QCOMPARE(found->count(), 1);
    QCOMPARE(found->item(0)->text(), QStringLiteral("Lesson 2: Numbers"));
    auto* filter = w.findChild<QLineEdit*>(QStringLiteral("indexFilter"));
    auto* index = w.findChild<QListWidget*>(QStringLiteral("index"));
    QVERIFY(filter && index);
    QCOMPARE(index->count(), 3);
    filter->setText(QStringLiteral("lesson"));
    QCOMPARE(index->count(), 2);
}

void MediaAndPicturesTest::iconsAndFlags() {
    for (const auto* bar : {&mainToolbar(), &courseToolbar()})
        for (int id : *bar)
            if (id != 0) QVERIFY2(!icons::commandIcon(id).isNull(), qPrintable(QString::number(id)));
    // Every language has a 50 x 35 flag; flags of different names differ, shared ones are equal.
    std::map<std::string, QImage> byName;
    for (int id = 0; id < kLanguageCount; ++id) {
        const QImage flag = icons::languageFlagPixmap(id).toImage();
        QCOMPARE(flag.size(), QSize(50, 35));
        QCOMPARE(icons::listFlagPixmap(LanguageTable::listFlag(id)).size(), QSize(50, 35));
        std::set<QRgb> colours;
        for (int y = 0; y < 35; y += 3)
            for (int x = 0; x < 50; x += 3) colours.insert(flag.pixel(x, y));
        QVERIFY2(colours.size() >= 2, LanguageTable::flagPicture(id).c_str());
        byName[LanguageTable::flagPicture(id)] = flag;
    }
    QCOMPARE(byName.size(), std::size_t(19));
    for (auto a = byName.begin(); a != byName.end(); ++a)
        for (auto b = std::next(a); b != byName.end(); ++b) QVERIFY2(a->second != b->second, (a->first + " " + b->first).c_str());
    QCOMPARE(icons::listFlagPixmap(18773).toImage(), icons::flagPixmap(QStringLiteral("SUISSE")).toImage());
    for (int id : {701, 702, 703, 704}) QVERIFY(!icons::bitmapPixmap(id).isNull());
    // A disabled button is grey and faint; an enabled one keeps its colours.
    const auto colourful = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.alpha() > 100 && c.hsvSaturation() > 80) ++n;
            }
        return n;
    };
    for (int id : {cmd::course::NextPage, cmd::course::Stop, cmd::course::Phonetic, cmd::course::ListenAll}) {
        const QIcon icon = icons::commandIcon(id);
        QVERIFY2(colourful(icon.pixmap(QSize(24, 24), QIcon::Normal).toImage()) > 10, qPrintable(QString::number(id)));
        QCOMPARE(colourful(icon.pixmap(QSize(24, 24), QIcon::Disabled).toImage()), 0);
    }
    for (const char* n : {"N0", "N50", "N100", "ques", "answer"}) QVERIFY(!icons::namedPixmap(QString::fromLatin1(n)).isNull());
    QVERIFY(icons::bitmapSize(999).isEmpty());
}

QTEST_MAIN(MediaAndPicturesTest)
#include "media_and_pictures_test.moc"
