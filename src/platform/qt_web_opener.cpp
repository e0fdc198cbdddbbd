#include "platform/qt_web_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace lumora {

bool QtWebOpener::openUrl(const std::string& url) {
    const QUrl u(QString::fromStdString(url), QUrl::StrictMode);
    if (!u.isValid() || u.scheme().isEmpty()) return false;
    return QDesktopServices::openUrl(u);
}

} // namespace lumora
