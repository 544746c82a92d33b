// Inline Markdown and the panel item drawn from it. An input is a limit (its first byte), a maximum
// width (twice its second byte, in pixels) and the text (the rest, UTF-8). Asserted: a limited
// rendering is the start of the whole one and says "cut" exactly when it holds less; the drawn line
// stays within the maximum width, and carries the ellipsis exactly when text was left out.

#include "fuzz_check.h"
#include "panel/status_item_renderer.h"
#include "text/markdown_inline.h"
#include "text/text_rules.h"

#include <QGuiApplication>

using namespace zendra;

namespace {

void checkRuns(const Markdown::InlineText& rendered) {
    qsizetype next = 0;
    for (const auto& run : rendered.runs) {
        Fuzz::check(run.start == next && run.length > 0, "runs are adjacent and not empty");
        next += run.length;
    }
    Fuzz::check(next == rendered.text.size(), "runs cover the text");
}

Markdown::InlineStyle styleAt(const Markdown::InlineText& rendered, qsizetype position) {
    for (const auto& run : rendered.runs) {
        if (position < run.start + run.length) {
            return run.style;
        }
    }
    return {};
}

void checkLimited(const QString& text, const Markdown::InlineText& whole, qsizetype limit) {
    const Markdown::InlineText limited = Markdown::renderInline(text, limit);
    checkRuns(limited);
    Fuzz::check(whole.text.startsWith(limited.text), "a limited rendering is a start of the whole");
    for (qsizetype i = 0; i < limited.text.size(); ++i) {
        Fuzz::check(styleAt(limited, i) == styleAt(whole, i), "the start is styled as in the whole");
    }
    Fuzz::check(limited.text.size() >= std::min(limit, whole.text.size()), "the limit is filled");
    Fuzz::check(limited.text.size() <= limit + 64, "the limit holds, give or take a grapheme");
    Fuzz::check(limited.isCut == (limited.text.size() < whole.text.size()),
                "cut exactly when text was dropped");
}

void checkItem(const QString& text, const Markdown::InlineText& whole, double maximumWidth) {
    StatusItemContent content;
    content.text = text;
    content.fontFamily = QStringLiteral("DejaVu Sans");
    content.monospaceFamily = QStringLiteral("DejaVu Sans Mono");
    content.maximumWidth = maximumWidth;
    const StatusItemRendering item = renderStatusItem(content);
    Fuzz::check(item.isPlaceholder == !hasVisibleText(text),
                "the placeholder shows exactly without visible text");
    if (item.isPlaceholder) {
        return;
    }
    const QString ellipsis = QStringLiteral("\u2026");
    Fuzz::check(item.labelRect.width() <= maximumWidth + 0.01, "the label stays within the maximum width");
    Fuzz::check(item.textRect.width() <= maximumWidth + 0.01 || item.shownText == ellipsis,
                "the line stays within the maximum width");
    if (item.isTruncated) {
        Fuzz::check(item.shownText.endsWith(ellipsis), "a cut line ends with the ellipsis");
        const QString kept = item.shownText.chopped(1);
        Fuzz::check(kept.size() < whole.text.size() && whole.text.startsWith(kept),
                    "a cut line shows a shorter start of the text");
    } else {
        Fuzz::check(item.shownText == whole.text, "a line without the ellipsis shows the whole text");
    }
}

// The item parses at most this many units of a text, so what the label shows is a start of the
// rendering of that part (a closing delimiter further on may style the whole text differently).
QString itemParsedPart(const QString& text) {
    constexpr qsizetype parsedLength = 65536;
    if (text.size() <= parsedLength) {
        return text;
    }
    return text.first(text[parsedLength - 1].isHighSurrogate() ? parsedLength - 1 : parsedLength);
}

} // namespace

// Fontconfig keeps its caches until the process ends: no leak of the code under test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Fonts and layout need the application for the whole run.
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const qsizetype limit = data[0];
    const double maximumWidth = 2.0 * data[1];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));

    const Markdown::InlineText whole = Markdown::renderInline(text);
    checkRuns(whole);
    Fuzz::check(!whole.isCut, "an unlimited rendering is never cut");
    checkLimited(text, whole, limit);
    const QString parsed = itemParsedPart(text);
    checkItem(text, parsed.size() == text.size() ? whole : Markdown::renderInline(parsed), maximumWidth);
    return 0;
}
