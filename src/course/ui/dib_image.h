#pragma once
// A device-independent bitmap as a Qt image (32-bit RGB, top row first); a null image for an empty
// bitmap.
#include <QImage>

namespace lumora {

class CDIB;

QImage imageOf(const CDIB& dib);

} // namespace lumora
