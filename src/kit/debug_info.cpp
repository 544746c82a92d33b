#include "kit/debug_info.h"

#include <QLocale>
#include <QUrlQuery>

namespace zendra::KZApp {

namespace {

const QString unknown = QStringLiteral("<Unknown>");
const QString unavailable = QStringLiteral("<Unavailable>");
const QString empty = QStringLiteral("<Empty>");

QString orEmpty(const QString& text) {
    return text.isEmpty() ? empty : text;
}

QString memoryText(const DebugFacts& facts) {
    return facts.memoryBytes ? formatByteCount(*facts.memoryBytes) : unavailable;
}

QString entryLines(const DebugEntries& entries) {
    QStringList lines;
    for (const auto& [name, value] : entries) {
        lines << name + QLatin1String(": ") + value;
    }
    return lines.join(u'\n');
}

// Query values keep "+" and "&" literal only when fully encoded.
QString encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

QString settingsDump(const Prefs::StoredDictionary& settings) {
    QStringList lines;
    for (const auto& [name, object] : settings) { // std::map: sorted by name
        if (!excludedSettingNames.contains(name)) {
            lines << name + QLatin1String(": ") + object.debugDescription();
        }
    }
    return lines.join(u'\n');
}

QString formatRunningTime(std::chrono::seconds time) {
    using namespace std::chrono;
    const auto h = duration_cast<hours>(time);
    const auto m = duration_cast<minutes>(time - h);
    const auto s = time - h - m;
    QString text;
    if (h.count() > 0) {
        text += QStringLiteral("%1h ").arg(h.count());
    }
    if (h.count() > 0 || m.count() > 0) {
        text += QStringLiteral("%1m ").arg(m.count());
    }
    return text + QStringLiteral("%1s").arg(s.count());
}

QString formatByteCount(quint64 bytes) {
    return QLocale::c().formattedDataSize(qint64(bytes), 1, QLocale::DataSizeSIFormat);
}

QString localeLine(const DebugFacts& facts) {
    return facts.localeIdentifier + QLatin1String(" (") + facts.localeDisplayName.value_or(unknown) + u')';
}

QString debugInfo(const DebugFacts& facts) {
    QStringList lines;
    lines << QLatin1String("# ") + facts.applicationName + u' ' + facts.version;
    lines << QString();
    lines << QLatin1String("Bundle Identifier: ") + facts.bundleIdentifier;
    lines << QLatin1String("Running Time: ") +
                 (facts.runningTime ? formatRunningTime(*facts.runningTime) : QString());
    lines << QLatin1String("Memory Usage: ") + memoryText(facts);
    lines << QLatin1String("Launch Count: ") + QString::number(facts.launchCount);
    lines << QString() << QStringLiteral("# Device") << QString();
    lines << QLatin1String("OS: ") + facts.operatingSystem;
    lines << QLatin1String("Model: ") + facts.model.value_or(unknown);
    lines << QLatin1String("Architecture: ") + facts.architecture;
    lines << QLatin1String("Locale: ") + localeLine(facts);
    lines << QLatin1String("Screens: ") + QString::number(facts.screens);
    lines << QLatin1String("Primary Screen Scale: ") + QString::number(facts.primaryScreenScale);
    lines << QString() << QStringLiteral("# Settings") << QString();
    lines << orEmpty(settingsDump(facts.settings));
    lines << QString() << QStringLiteral("# Custom") << QString();
    lines << orEmpty(entryLines(facts.custom));
    lines << QString() << QStringLiteral("# Logs") << QString();
    lines << QStringLiteral("```");
    lines << (facts.log.isEmpty() ? empty : facts.log.join(u'\n'));
    lines << QStringLiteral("```");
    return lines.join(u'\n');
}

QString feedbackMetadata(const DebugFacts& facts) {
    DebugEntries entries{
        {QStringLiteral("App"), facts.applicationName + u' ' + facts.version},
        {QStringLiteral("Bundle Identifier"), facts.bundleIdentifier},
        {QStringLiteral("OS"), facts.operatingSystem},
        {QStringLiteral("Model"), facts.model.value_or(unknown)},
        {QStringLiteral("Architecture"), facts.architecture},
        {QStringLiteral("Locale"), localeLine(facts)},
        {QStringLiteral("Screens"), QString::number(facts.screens)},
        {QStringLiteral("Primary Screen Scale"), QString::number(facts.primaryScreenScale)},
        {QStringLiteral("App Memory Usage"), memoryText(facts)},
    };
    entries.insert(entries.end(), facts.custom.begin(), facts.custom.end());
    return entryLines(entries);
}

QUrl feedbackPageUrl(const QUrl& base, const QString& product, const QString& metadata,
                     const std::optional<QString>& message, const std::optional<QString>& extraInfo) {
    QStringList items{QLatin1String("product=") + encoded(product),
                      QLatin1String("metadata=") + encoded(metadata)};
    if (message) {
        items << QLatin1String("messageField=") + encoded(*message);
    }
    if (extraInfo) {
        items << QLatin1String("extraInfo=") + encoded(*extraInfo);
    }
    QUrl url = base;
    url.setQuery(items.join(u'&'), QUrl::StrictMode);
    return url;
}

QUrl mailtoUrl(const MailDraft& draft) {
    QStringList items;
    const auto add = [&items](const char* name, const QString& value) {
        if (!value.isEmpty()) {
            items << QLatin1String(name) + u'=' + encoded(value);
        }
    };
    add("subject", draft.subject);
    add("body", draft.body);
    add("cc", draft.cc.join(u','));
    add("bcc", draft.bcc.join(u','));
    QStringList recipients;
    for (const QString& recipient : draft.recipients) {
        recipients << encoded(recipient).replace(QLatin1String("%40"), QLatin1String("@"));
    }
    QString text = QLatin1String("mailto:") + recipients.join(u',');
    if (!items.isEmpty()) {
        text += u'?' + items.join(u'&');
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) {
        qFatal("Could not create `mailto:` URL. This should not happen. Please contact the app developers.");
    }
    return url;
}

} // namespace zendra::KZApp
