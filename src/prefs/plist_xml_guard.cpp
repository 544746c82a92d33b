#include "prefs/plist_xml_guard.h"

#include <cctype>
#include <string_view>
#include <vector>

namespace zendra::Prefs::PlistXmlGuard {

namespace {

// Where the markup that starts at `open` ("<...") ends: after its terminator, or the end of the text.
qsizetype endOfMarkup(std::string_view xml, std::size_t open) {
    const auto skipTo = [&](std::string_view terminator) {
        const auto found = xml.find(terminator, open + 1);
        return found == std::string_view::npos ? xml.size() : found + terminator.size();
    };
    const std::string_view rest = xml.substr(open);
    if (rest.starts_with("<!--")) {
        return static_cast<qsizetype>(skipTo("-->"));
    }
    if (rest.starts_with("<![CDATA[")) {
        return static_cast<qsizetype>(skipTo("]]>"));
    }
    if (rest.starts_with("<?")) {
        return static_cast<qsizetype>(skipTo("?>"));
    }
    return static_cast<qsizetype>(skipTo(">"));
}

bool isContainer(std::string_view tag) {
    for (const std::string_view name : {std::string_view("array"), std::string_view("dict")}) {
        if (tag.starts_with(name) && (tag.size() == name.size() || tag[name.size()] == '>' ||
                                      std::isspace(static_cast<unsigned char>(tag[name.size()])))) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<QString> problemBeforeParsing(const QByteArray& bytes, int maxContainerDepth) {
    const std::string_view xml(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (xml.find('\0') != std::string_view::npos) {
        return QStringLiteral("the text holds a NUL byte");
    }
    // Open elements, and open containers among them: the <plist> element and a value inside the
    // deepest container add two levels of elements.
    std::vector<bool> open;
    int containers = 0;
    for (std::size_t start = xml.find('<'); start != std::string_view::npos;) {
        const auto end = static_cast<std::size_t>(endOfMarkup(xml, start));
        const std::string_view markup = xml.substr(start, end - start);
        if (markup.starts_with("</")) {
            if (!open.empty()) {
                containers -= open.back() ? 1 : 0;
                open.pop_back();
            }
        } else if (!markup.starts_with("<!") && !markup.starts_with("<?") && !markup.ends_with("/>")) {
            const bool container = isContainer(markup.substr(1));
            open.push_back(container);
            containers += container ? 1 : 0;
            if (containers > maxContainerDepth || std::ssize(open) > maxContainerDepth + 2) {
                return QStringLiteral("containers are nested more than %1 deep").arg(maxContainerDepth);
            }
        }
        start = xml.find('<', end);
    }
    return std::nullopt;
}

bool holdsExactly(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
                ++i;
                continue;
            }
            return false;
        }
        const bool allowed = c == u'\t' || c == u'\n' || (c >= 0x20 && c < 0xD800) ||
                             (c >= 0xE000 && c < 0xFFFE && c != 0xFEFF);
        if (!allowed) {
            return false;
        }
    }
    return true;
}

} // namespace zendra::Prefs::PlistXmlGuard
