#include "platform/qt_prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace lumora {

MessageResult QtPrompts::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                    MessageButtons buttons) {
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None: qicon = QMessageBox::NoIcon; break;
    case MessageIcon::Stop: qicon = QMessageBox::Critical; break;
    case MessageIcon::Question: qicon = QMessageBox::Question; break;
    case MessageIcon::Exclamation: qicon = QMessageBox::Warning; break;
    case MessageIcon::Information: qicon = QMessageBox::Information; break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    QMessageBox::StandardButton def = QMessageBox::Ok;
    switch (buttons) {
    case MessageButtons::Ok: set = QMessageBox::Ok; def = QMessageBox::Ok; break;
    case MessageButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; def = QMessageBox::Ok; break;
    case MessageButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; def = QMessageBox::Yes; break;
    case MessageButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        def = QMessageBox::Yes;
        break;
    }
    QWidget* parent = parent_ ? parent_ : QApplication::activeWindow();
    QPointer<QMessageBox> box = new QMessageBox(qicon, QString::fromStdString(caption),
                                                QString::fromStdString(text), set, parent);
    box->setDefaultButton(def);
    const int r = box->exec();
    delete box;
    switch (r) {
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    case QMessageBox::Cancel: return MessageResult::Cancel;
    case QMessageBox::Ok: return MessageResult::Ok;
    default:
        // The box was closed by its close button: the escape answer of its buttons.
        if (buttons == MessageButtons::YesNo) return MessageResult::No;
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
}

} // namespace lumora
