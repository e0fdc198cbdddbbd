#pragma once
// Texts cross between the core (UTF-8 std::string) and Qt (QString) in one way.
#include <string>

#include <QString>

namespace lumora {

inline QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace lumora
