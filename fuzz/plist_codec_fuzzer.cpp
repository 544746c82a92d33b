// The preferences file's codec: any bytes as an XML or binary property list.

#include "fuzz_check.h"
#include "prefs/plist_codec.h"

using namespace zendra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const std::optional<Prefs::StoredDictionary> entries = Prefs::PlistCodec::decode(bytes, &error);
    if (!entries) {
        Fuzz::check(!error.isEmpty(), "a refused file is described");
        return 0;
    }
    // What was read can be written, and what is written reads back with the same keys.
    const QByteArray written = Prefs::PlistCodec::encode(*entries);
    const std::optional<Prefs::StoredDictionary> reread = Prefs::PlistCodec::decode(written);
    Fuzz::check(reread.has_value(), "a written file reads back");
    Fuzz::check(Prefs::PlistCodec::encode(*reread) == written, "a second write changes nothing");
    return 0;
}
