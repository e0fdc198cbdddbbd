#pragma once
// The modeless "Message" window shown while a long operation prepares (the voice studio, the
// exercises): five text lines, the first holding the text given as a string id or as a text,
// centred on its owner. It is shown and painted at once, so that it is seen before the work starts.
#include <string>

#include <QDialog>

class QLabel;

namespace lumora {

class WaitMessageDialog final : public QDialog {
    Q_OBJECT
public:
    WaitMessageDialog(int stringId, QWidget* owner);
    WaitMessageDialog(const std::string& text, QWidget* owner);

    QString message() const;

private:
    void build(const QString& text);
    QLabel* lines_[5] = {};
};

} // namespace lumora
