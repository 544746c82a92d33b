#include "panel/status_item_tone.h"

#include <algorithm>

namespace zendra {

namespace {

constexpr float brightness = 0.3f;
constexpr float opacity = 0.83f;
constexpr float grayscale = 0.5f;

// Works on premultiplied components: adding brightness to a colour of alpha a adds brightness * a,
// so transparent pixels stay transparent.
QRgb tone(QRgb pixel) {
    const float a = static_cast<float>(qAlpha(pixel)) / 255.0f;
    if (a == 0.0f) {
        return pixel;
    }
    float r = std::min(a, static_cast<float>(qRed(pixel)) / 255.0f + brightness * a);
    float g = std::min(a, static_cast<float>(qGreen(pixel)) / 255.0f + brightness * a);
    float b = std::min(a, static_cast<float>(qBlue(pixel)) / 255.0f + brightness * a);
    r *= opacity;
    g *= opacity;
    b *= opacity;
    const float alpha = a * opacity;
    const float luminance = 0.2126f * r + 0.7152f * g + 0.0722f * b;
    r += (luminance - r) * grayscale;
    g += (luminance - g) * grayscale;
    b += (luminance - b) * grayscale;
    const auto channel = [](float v) { return static_cast<int>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return qRgba(channel(r), channel(g), channel(b), channel(alpha));
}

} // namespace

void applyLegibleLinksTone(QImage& image) {
    if (image.format() != QImage::Format_ARGB32_Premultiplied) {
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::transform(line, line + image.width(), line, tone);
    }
}

} // namespace zendra
