#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zendra::Prefs::PlistXmlGuard {

// Why XML property-list text must not reach the parser, judged on the raw bytes: a NUL byte (which
// XML never holds), or arrays and dictionaries nested more than `maxContainerDepth` deep (other
// elements at most two levels more). Nothing when it may be parsed.
std::optional<QString> problemBeforeParsing(const QByteArray& xml, int maxContainerDepth);

// Whether XML 1.0 text holds `text` exactly: only characters XML allows, no lone surrogates, no
// carriage return (readers turn line ends into line feeds) and no U+FEFF (which a reader may drop as
// a byte order mark).
bool holdsExactly(const QString& text);

} // namespace zendra::Prefs::PlistXmlGuard
