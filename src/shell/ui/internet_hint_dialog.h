#pragma once
// The hint shown when a web page could not be opened.
#include <QDialog>

namespace lumora {

class InternetHintDialog final : public QDialog {
    Q_OBJECT
public:
    explicit InternetHintDialog(QWidget* parent = nullptr);
};

} // namespace lumora
