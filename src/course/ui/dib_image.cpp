#include "course/ui/dib_image.h"

#include "course/dib.h"

namespace lumora {

QImage imageOf(const CDIB& dib) {
    const RgbImage rgb = dib.toRgb();
    if (rgb.width <= 0 || rgb.height <= 0) return {};
    QImage img(rgb.width, rgb.height, QImage::Format_RGB32);
    for (int y = 0; y < rgb.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(rgb.width);
        for (int x = 0; x < rgb.width; ++x) line[x] = rgb.pixels[row + static_cast<std::size_t>(x)];
    }
    return img;
}

} // namespace lumora
