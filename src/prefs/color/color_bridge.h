#pragma once

#include "prefs/keyed_archive.h"

#include <QByteArray>
#include <QColor>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zendra::Prefs {

// The archivable form of a colour: its colour space and its red, green, blue and alpha components.
// sRGB components lie in [0, 1]; extended sRGB components may lie outside (alpha never does).
struct ColorObject {
    enum class Space { sRGB, extendedSRGB };

    Space space = Space::sRGB;
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;

    static constexpr std::string_view archiveClassName = "Color";
    static constexpr std::int64_t archiveVersion = 1;

    void encode(KeyedArchiver& archiver) const;
    static std::optional<ColorObject> decode(const KeyedUnarchiver& unarchiver);

    // Nothing for an invalid colour. ExtendedRgb colours keep their space; HSV, HSL and CMYK colours
    // are converted to RGB.
    static std::optional<ColorObject> fromColor(const QColor& color);
    // Exactly the colour fromColor was given, for RGB and extended RGB colours.
    QColor toColor() const;

    bool operator==(const ColorObject&) const = default;
};

// Stores a colour as the keyed archive of its ColorObject. An invalid colour stores nothing.
struct ColorBridge {
    using Value = QColor;
    using Stored = QByteArray;

    static std::optional<QByteArray> serialize(const std::optional<QColor>& color);
    static std::optional<QColor> deserialize(const std::optional<QByteArray>& data);
};

} // namespace zendra::Prefs
