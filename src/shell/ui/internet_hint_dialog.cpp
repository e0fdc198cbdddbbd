#include "shell/ui/internet_hint_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace lumora {

InternetHintDialog::InternetHintDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->setSpacing(6);
    auto* head = new QLabel(tr("Cannot go on the Internet! Maybe:"));
    QFont bold = head->font();
    bold.setBold(true);
    head->setFont(bold);
    layout->addWidget(head);
    for (const QString& line : {tr("- You have no account with an Internet access provider"),
                                tr("- No web browser is installed on this computer"),
                                tr("- You are not Online")})
        layout->addWidget(new QLabel(line));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addSpacing(8);
    layout->addWidget(buttons);
}

} // namespace lumora
