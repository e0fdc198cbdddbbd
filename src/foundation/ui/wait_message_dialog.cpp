#include "foundation/ui/wait_message_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "resources/string_table.h"

namespace lumora {

WaitMessageDialog::WaitMessageDialog(int stringId, QWidget* owner) : QDialog(owner) {
    build(QString::fromStdString(strings::text(stringId)));
}

WaitMessageDialog::WaitMessageDialog(const std::string& text, QWidget* owner) : QDialog(owner) {
    build(QString::fromStdString(text));
}

void WaitMessageDialog::build(const QString& text) {
    setWindowTitle(tr("Message"));
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    for (QLabel*& line : lines_) {
        line = new QLabel;
        line->setAlignment(Qt::AlignCenter);
        layout->addWidget(line);
    }
    lines_[0]->setText(text);
    setMinimumWidth(280);
    adjustSize();
    if (QWidget* owner = parentWidget()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - rect().center());
    }
    show();
    repaint();
}

QString WaitMessageDialog::message() const { return lines_[0]->text(); }

} // namespace lumora
