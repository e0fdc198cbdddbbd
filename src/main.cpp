// lumora: the course program.
//
//   lumora [--content-root DIR]
//
// --content-root DIR   the content tree to use as drive D: ("Drives"/"D" = DIR); when no CD-ROM drive
//                      is set yet, the first start shows the preferences and then stores
//                      "CDROM"/"Drive" = "D:", so that later starts do not ask again.
// --screenshot FILE    saves a picture of the program's windows after --screenshot-delay
//                      milliseconds (default 3000) and quits; --command ID (repeatable) runs commands
//                      once the program has started, in order, --command-delay milliseconds apart
//                      (default 700). Used to document the program.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "foundation/app_settings.h"
#include "foundation/cours_app.h"
#include "foundation/ui/app_context.h"
#include "platform/drives.h"
#include "platform/qt_settings_store.h"
#include "resources/ui/icons.h"
#include "shell/ui/activities.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/shell_dialogs.h"

namespace {

// The main window with the other visible windows of the program drawn over it where they stand,
// each under a plain title bar.
QImage composeScreenshot(QWidget* main) {
    // The main window under a title bar of its own caption.
    const int titleBar = 28;
    const QImage body = main->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage shot(body.width(), body.height() + titleBar, QImage::Format_ARGB32);
    shot.fill(QColor(0x3B, 0x4A, 0x5A));
    QPainter p(&shot);
    p.setRenderHint(QPainter::Antialiasing);
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(Qt::white);
    p.drawPixmap(8, (titleBar - 16) / 2, main->windowIcon().pixmap(16, 16));
    p.drawText(QRect(32, 0, shot.width() - 40, titleBar), Qt::AlignVCenter | Qt::AlignLeft, main->windowTitle());
    p.drawImage(0, titleBar, body);
    p.translate(0, titleBar);
    const QPoint base = main->geometry().topLeft();
    QList<QWidget*> others;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != main && w->isVisible() && w->width() > 1 && w->height() > 1) others << w;
    // Tool windows first, dialogs (the active window) last.
    std::stable_sort(others.begin(), others.end(), [](QWidget* a, QWidget* b) {
        return (a->windowType() == Qt::Tool) > (b->windowType() == Qt::Tool);
    });
    for (QWidget* w : others) {
        const QPoint at = w->geometry().topLeft() - base;
        const int bar = 24;
        const QRect frame(at.x() - 1, at.y() - bar, w->width() + 2, w->height() + bar + 1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(frame.translated(3, 4), 6, 6);
        p.setBrush(QColor(0x3B, 0x4A, 0x5A));
        p.drawRoundedRect(frame, 6, 6);
        QFont f = QApplication::font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(frame.left() + 10, frame.top(), frame.width() - 20, bar), Qt::AlignVCenter | Qt::AlignLeft,
                   w->windowTitle());
        p.drawImage(at, w->grab().toImage());
    }
    return shot;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    QApplication::setOrganizationName(QStringLiteral("Varnelle"));
    QApplication::setWindowIcon(lumora::icons::applicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lumora, a course of spoken and written Mandarin Chinese"));
    parser.addHelpOption();
    const QCommandLineOption contentRoot(QStringLiteral("content-root"),
                                         QStringLiteral("Content tree to use as drive D:."), QStringLiteral("DIR"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the windows and quit."), QStringLiteral("FILE"));
    const QCommandLineOption screenshotDelay(QStringLiteral("screenshot-delay"),
                                             QStringLiteral("Milliseconds before the picture."), QStringLiteral("MS"),
                                             QStringLiteral("3000"));
    const QCommandLineOption command(QStringLiteral("command"), QStringLiteral("Run a command after start-up."),
                                     QStringLiteral("ID"));
    const QCommandLineOption commandDelay(QStringLiteral("command-delay"),
                                          QStringLiteral("Milliseconds between commands."), QStringLiteral("MS"),
                                          QStringLiteral("700"));
    parser.addOptions({contentRoot, screenshot, screenshotDelay, command, commandDelay});
    parser.process(qapp);

    std::unique_ptr<lumora::QtSettingsStore> store = lumora::openSettingsStore();
    bool storeCdromDrive = false;
    if (parser.isSet(contentRoot)) {
        const QString dir = QDir(parser.value(contentRoot)).absolutePath();
        lumora::AppSettings settings(*store);
        settings.setDrive('D', dir.toStdString());
        storeCdromDrive = !settings.hasCdromDrive();
    }

    // The real program path, however long.
    const std::string programPath = QCoreApplication::applicationFilePath().toStdString();
    lumora::AppContext context(*store, lumora::defaultDrives(lumora::programDirectoryOf(programPath)));
    lumora::CMainFrame frame(context);
    lumora::registerActivities(frame);
    lumora::registerShellDialogs(frame);
    lumora::CCoursApp app(*store, context.clock(), context.prompts());
    frame.setApplication(&app);
    if (!app.startUp(programPath, frame)) return 1;
    // The content tree is drive D: (read as the default meanwhile); stored once the first start is done.
    if (storeCdromDrive) lumora::AppSettings(*store).setCdromDrive("D:");

    int delay = 500;
    const int step = parser.value(commandDelay).toInt();
    for (const QString& id : parser.values(command)) {
        const int n = id.toInt();
        QTimer::singleShot(delay, &frame, [&frame, n] { frame.postCommand(n); });
        delay += step > 0 ? step : 700;
    }
    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(parser.value(screenshotDelay).toInt(), &frame, [&frame, file] {
            QImage shot = composeScreenshot(&frame);
            if (!shot.save(file)) qWarning("could not save %s", qPrintable(file));
            QCoreApplication::exit(0);
        });
    }

    const int rc = qapp.exec();
    app.shutDown();
    return rc;
}
