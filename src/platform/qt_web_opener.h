#pragma once
// Web addresses open with the desktop's browser.
#include "foundation/platform.h"

namespace lumora {

class QtWebOpener final : public WebOpener {
public:
    bool openUrl(const std::string& url) override;
};

} // namespace lumora
