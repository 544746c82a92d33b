// From a keystroke to the panel item's new picture: the store write, the observer it wakes, Markdown,
// layout and raster. The same run renders the same Markdown through QTextDocument for comparison.
//
//   render_bench [--benchmark_filter=...]
// Runs on the offscreen platform with a private configuration folder.

#include "panel/status_item_renderer.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <unistd.h>

using namespace zendra;

namespace {

const QString family = QStringLiteral("DejaVu Sans");

// 40 characters with emphasis and a link.
QString shortText() {
    return QStringLiteral("Call *Anna* re [budget](https://x.io) ok");
}

QString longText() {
    QString text;
    while (text.size() < 10000) {
        text += QStringLiteral("Plan *the* week, [read](https://x.io) **mail** ");
    }
    text.truncate(10000);
    return text;
}

// One letter with 100,000 combining marks: no width to cut at, and one cluster to shape.
QString stackedMarks() {
    return QStringLiteral("a") + QString(100000, QChar(0x0301));
}

// A right-to-left sentence, repeated well past the item's width.
QString rightToLeftText() {
    return QStringLiteral("\u05D4\u05DE\u05E9\u05D9\u05DE\u05D4 \u05D4\u05D7\u05E9\u05D5\u05D1\u05D4 ")
        .repeated(500);
}

QString textFor(const benchmark::State& state) {
    switch (state.range(0)) {
    case 0:
        return shortText();
    case 1:
        return longText();
    case 2:
        return stackedMarks();
    case 3:
        return rightToLeftText();
    default:
        return shortText() + QLatin1Char('x'); // one character more than fits: the cut
    }
}

// Each keystroke adds or removes one character at the end, so every write is a change.
QString keystroke(const QString& text, std::size_t n) {
    return n % 2 == 0 ? text + QLatin1Char('x') : text;
}

StatusItemContent currentContent() {
    StatusItemContent content = statusItemContentFromSettings(false, 2.0);
    content.fontFamily = family;
    content.monospaceFamily = QStringLiteral("DejaVu Sans Mono");
    return content;
}

QImage renderThroughTextDocument(const StatusItemContent& content) {
    QTextDocument document;
    QFont font(family);
    font.setPixelSize(static_cast<int>(content.textSize));
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    document.setDefaultTextOption(option);
    document.setMarkdown(content.prefix + content.text + content.suffix,
                         QTextDocument::MarkdownDialectGitHub);
    const QSizeF size(std::min(document.idealWidth(), content.maximumWidth) + 20.0, 24.0);
    QImage image((size * content.devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(content.devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(10, 0);
    document.drawContents(&painter, QRectF(0, 0, content.maximumWidth, size.height()));
    return image;
}

// Writes the text through the store at every iteration; `render` runs in the store's observer.
void keystrokes(benchmark::State& state, const std::function<QImage(const StatusItemContent&)>& render) {
    const QString text = textFor(state);
    const auto suite = Settings::text().suite();
    QImage latest;
    const auto observer = suite->addObserver(
        Settings::text().name(), {}, [&](const Prefs::SuiteChange&) { latest = render(currentContent()); });
    std::size_t n = 0;
    for (auto _ : state) {
        Prefs::set(Settings::text(), keystroke(text, n++));
        benchmark::DoNotOptimize(latest.constBits());
    }
    suite->removeObserver(observer);
    state.SetLabel(state.range(0) == 0 ? "40 characters" : "10,000 characters");
}

void BM_KeystrokeToItemImage(benchmark::State& state) {
    keystrokes(state, [](const StatusItemContent& content) { return renderStatusItem(content).image; });
}

void BM_KeystrokeToTextDocumentImage(benchmark::State& state) {
    keystrokes(state, renderThroughTextDocument);
}

// The renderer alone, without the store; also for texts that cost the most per unit of width.
void BM_RenderOnly(benchmark::State& state) {
    StatusItemContent content = currentContent();
    content.text = textFor(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderStatusItem(content).image.constBits());
    }
    const char* labels[] = {"40 characters", "10,000 characters", "a letter with 100,000 combining marks",
                            "7,000 characters right-to-left", "41 characters, cut"};
    state.SetLabel(labels[state.range(0)]);
}

void configure(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_KeystrokeToItemImage)->Apply(configure);
BENCHMARK(BM_KeystrokeToTextDocumentImage)->Apply(configure);
BENCHMARK(BM_RenderOnly)->Apply(configure)->Arg(2)->Arg(3)->Arg(4);

// The console report, followed by what a keystroke in a long text costs against one in a short text
// (medians of the keystroke benchmark), the figure the renderer is held to.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" &&
                run.run_name.function_name == "BM_KeystrokeToItemImage") {
                (run.run_name.args == "0" ? shortMedian_ : longMedian_) = run.GetAdjustedCPUTime();
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        if (shortMedian_ > 0.0 && longMedian_ > 0.0) {
            std::printf("Keystroke, 10,000 against 40 characters: %.2f times (%.1f us against %.1f us)\n",
                        longMedian_ / shortMedian_, longMedian_, shortMedian_);
        }
    }

private:
    double shortMedian_ = 0.0;
    double longMedian_ = 0.0;
};

} // namespace

int main(int argc, char** argv) {
    // The benchmark writes the text setting: keep that out of the user's configuration.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
