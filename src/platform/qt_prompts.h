#pragma once
// Message boxes with a caption, an icon and a set of buttons.
#include "foundation/platform.h"

class QWidget;

namespace lumora {

class QtPrompts final : public Prompts {
public:
    MessageResult messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    // The window the boxes are centred on; by default the active window.
    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_ = nullptr;
};

} // namespace lumora
