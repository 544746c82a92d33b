#include "prefs/color/color_bridge.h"

#include "prefs/secure_coding_bridge.h"

#include <QRgba64>
#include <cmath>

namespace zendra::Prefs {

namespace {

// Names as functions, not globals: keys declared at namespace scope may archive during static
// initialisation, before globals of this file exist.
QString spaceField() {
    return QStringLiteral("colorSpace");
}
QString redField() {
    return QStringLiteral("red");
}
QString greenField() {
    return QStringLiteral("green");
}
QString blueField() {
    return QStringLiteral("blue");
}
QString alphaField() {
    return QStringLiteral("alpha");
}

// The largest finite value of the half-precision floats that extended colours keep.
constexpr double extendedLimit = 65504.0;

QString spaceName(ColorObject::Space space) {
    return space == ColorObject::Space::sRGB ? QStringLiteral("sRGB") : QStringLiteral("extendedSRGB");
}

std::optional<ColorObject::Space> spaceFromName(const QString& name) {
    if (name == QLatin1String("sRGB")) {
        return ColorObject::Space::sRGB;
    }
    if (name == QLatin1String("extendedSRGB")) {
        return ColorObject::Space::extendedSRGB;
    }
    return std::nullopt;
}

bool inUnitRange(double value) {
    return value >= 0.0 && value <= 1.0;
}

std::uint16_t toChannel(double component) {
    return static_cast<std::uint16_t>(std::lround(component * 65535.0));
}

} // namespace

void ColorObject::encode(KeyedArchiver& archiver) const {
    archiver.encode(spaceField(), spaceName(space));
    archiver.encode(redField(), red);
    archiver.encode(greenField(), green);
    archiver.encode(blueField(), blue);
    archiver.encode(alphaField(), alpha);
}

std::optional<ColorObject> ColorObject::decode(const KeyedUnarchiver& unarchiver) {
    const auto name = unarchiver.decode<QString>(spaceField());
    if (!name) {
        return std::nullopt;
    }
    const std::optional<Space> space = spaceFromName(*name);
    const auto red = unarchiver.decode<double>(redField());
    const auto green = unarchiver.decode<double>(greenField());
    const auto blue = unarchiver.decode<double>(blueField());
    const auto alpha = unarchiver.decode<double>(alphaField());
    if (!space || !red || !green || !blue || !alpha || !inUnitRange(*alpha)) {
        return std::nullopt;
    }
    const bool extended = *space == Space::extendedSRGB;
    for (double component : {*red, *green, *blue}) {
        const bool valid = extended ? std::isfinite(component) && std::abs(component) <= extendedLimit
                                    : inUnitRange(component);
        if (!valid) {
            return std::nullopt;
        }
    }
    return ColorObject{*space, *red, *green, *blue, *alpha};
}

std::optional<ColorObject> ColorObject::fromColor(const QColor& color) {
    if (!color.isValid()) {
        return std::nullopt;
    }
    if (color.spec() == QColor::ExtendedRgb) {
        // Half-precision components widen to double exactly.
        return ColorObject{Space::extendedSRGB, color.redF(), color.greenF(), color.blueF(), color.alphaF()};
    }
    // 16-bit channels: n / 65535 turns back into n exactly.
    const QRgba64 rgba = color.toRgb().rgba64();
    return ColorObject{Space::sRGB, rgba.red() / 65535.0, rgba.green() / 65535.0, rgba.blue() / 65535.0,
                       rgba.alpha() / 65535.0};
}

QColor ColorObject::toColor() const {
    if (space == Space::extendedSRGB) {
        // setRgbF keeps the extended space of the colour it is applied to, even for components in [0, 1].
        QColor color = QColor(Qt::black).convertTo(QColor::ExtendedRgb);
        color.setRgbF(static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue),
                      static_cast<float>(alpha));
        return color;
    }
    return QColor::fromRgba64(toChannel(red), toChannel(green), toChannel(blue), toChannel(alpha));
}

std::optional<QByteArray> ColorBridge::serialize(const std::optional<QColor>& color) {
    if (!color) {
        return std::nullopt;
    }
    return SecureCodingBridge<ColorObject>::serialize(ColorObject::fromColor(*color));
}

std::optional<QColor> ColorBridge::deserialize(const std::optional<QByteArray>& data) {
    auto object = SecureCodingBridge<ColorObject>::deserialize(data);
    if (!object) {
        return std::nullopt;
    }
    return object->toColor();
}

} // namespace zendra::Prefs
