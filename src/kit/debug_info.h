#pragma once

// The plain-text debug report, the feedback page's metadata and the addresses built from them. Pure
// functions of the facts they are given, so that every line can be checked without a desktop.

#include "prefs/stored_object.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <chrono>
#include <optional>
#include <utility>
#include <vector>

namespace zendra::KZApp {

using DebugEntries = std::vector<std::pair<QString, QString>>;

struct DebugFacts {
    QString applicationName;
    QString version;
    QString bundleIdentifier;
    std::optional<std::chrono::seconds> runningTime; // none: cannot be told
    std::optional<quint64> memoryBytes;              // none: "<Unavailable>"
    int launchCount = 0;
    QString operatingSystem;
    std::optional<QString> model; // none: "<Unknown>"
    QString architecture;
    QString localeIdentifier;
    std::optional<QString> localeDisplayName; // none: "<Unknown>"
    int screens = 0;
    int primaryScreenScale = 1; // 1 when there is no screen
    Prefs::StoredDictionary settings;
    DebugEntries custom;
    QStringList log;
};

// Names that never appear in the settings dump.
inline const QStringList excludedSettingNames{
    QStringLiteral("SessionIdHistory"), QStringLiteral("UserIdHistory"), QStringLiteral("pastDevicesKey")};

// "name: description" per entry, sorted by name, without the excluded names; empty when none is left.
QString settingsDump(const Prefs::StoredDictionary& settings);
// "1h 2m 3s", "4m 5s", "6s".
QString formatRunningTime(std::chrono::seconds time);
// "12.3 MB" (decimal units).
QString formatByteCount(quint64 bytes);
// "en_US (English (United States))".
QString localeLine(const DebugFacts& facts);

QString debugInfo(const DebugFacts& facts);
// "Name: value" lines: App, Bundle Identifier, OS, Model, Architecture, Locale, Screens, Primary Screen
// Scale, App Memory Usage, then the custom entries.
QString feedbackMetadata(const DebugFacts& facts);

// The feedback page with "product" and "metadata", and "messageField" and "extraInfo" only when given.
QUrl feedbackPageUrl(const QUrl& base, const QString& product, const QString& metadata,
                     const std::optional<QString>& message = std::nullopt,
                     const std::optional<QString>& extraInfo = std::nullopt);

struct MailDraft {
    QStringList recipients;
    QString subject;
    QString body;
    QStringList cc;
    QStringList bcc;
};

// "mailto:" with the recipients as the path and "subject", "body", "cc", "bcc" for the values that are
// present, each percent-encoded.
QUrl mailtoUrl(const MailDraft& draft);

} // namespace zendra::KZApp
