#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QMimeData;

namespace zendra {

// The bytes of the first offered representation that is UTF-8 plain text ("text/plain" with a UTF-8
// charset or none); nothing when the drop offers no such text and is to be refused.
std::optional<QByteArray> plainTextPayload(const QMimeData& data);

// The string of a payload; nothing when it is not valid UTF-8.
std::optional<QString> decodeUtf8(const QByteArray& payload);

// Decodes `payload` on a worker thread and hands singleLineText of the string to `apply` on the main
// thread; an undecodable payload is dropped silently.
void loadDroppedText(QByteArray payload, std::function<void(const QString&)> apply);

} // namespace zendra
