// Keyed archives as stored colours carry them: any bytes as archive data.

#include "fuzz_check.h"
#include "prefs/color/color_bridge.h"
#include "prefs/keyed_archive.h"

using namespace zendra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Prefs::DecodedArchive decoded = Prefs::decodeArchive(bytes);
    Fuzz::check(decoded.contents.has_value() == decoded.error.empty(), "an archive or a reason, never both");
    if (decoded.contents) {
        // An archive that can be written again reads back as the same class and version.
        if (const std::optional<QByteArray> again = Prefs::encodeArchive(*decoded.contents)) {
            const Prefs::DecodedArchive back = Prefs::decodeArchive(*again);
            Fuzz::check(back.contents.has_value(), "a written archive reads back");
            Fuzz::check(back.contents->className == decoded.contents->className &&
                            back.contents->version == decoded.contents->version,
                        "class and version survive");
        }
    }

    const Prefs::Unarchived<Prefs::ColorObject> color = Prefs::unarchive<Prefs::ColorObject>(bytes);
    Fuzz::check(!(color.value && color.error), "a colour or an error, never both");
    if (color.value) {
        Fuzz::check(color.value->toColor().isValid(), "an unarchived colour is valid");
    }
    if (const std::optional<QColor> bridged = Prefs::ColorBridge::deserialize(bytes)) {
        Fuzz::check(bridged->isValid(), "a stored colour is valid");
    }
    return 0;
}
