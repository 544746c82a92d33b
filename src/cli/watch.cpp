#include "cli/watch.h"

#include "base/main_queue.h"
#include "cli/watch_instance.h"
#include "cli/watch_markup.h"
#include "prefs/file_suite.h"
#include "prefs/observe.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "settings/text/text_keys.h"
#include "text/text_rules.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace zendra {

namespace {

void reloadSettingsFile() {
    if (const auto file = std::dynamic_pointer_cast<Prefs::FileSuite>(Prefs::standardSuite())) {
        file->reload();
    }
}

} // namespace

std::optional<Markdown::InlineText> panelLine(const QString& text, const QString& prefix,
                                              const QString& suffix) {
    if (!hasVisibleText(text)) {
        return std::nullopt;
    }
    return Markdown::renderInline(prefix + text + suffix);
}

std::string watchLine(const QString& text, const QString& prefix, const QString& suffix, bool json) {
    const auto line = panelLine(text, prefix, suffix);
    const QString placeholder{QChar(watchPlaceholder)};
    if (!json) {
        return (line ? line->text : placeholder).toStdString();
    }
    const char* kind = line ? "text" : "empty";
    const nlohmann::json object{{"text", (line ? pangoMarkup(*line) : placeholder).toStdString()},
                                {"tooltip", pangoEscaped(text).toStdString()},
                                {"class", kind},
                                {"alt", kind}};
    return object.dump();
}

struct WatchCommand::State {
    std::ostream& out;
    bool json;
    std::function<void()> outputClosed;
    // The running instance's text while one is followed; the file's otherwise.
    std::optional<QString> instanceText;
    std::string lastLine;
    bool printedOnce = false;

    void print() {
        std::string line = watchLine(instanceText ? *instanceText : Prefs::get(Settings::text()),
                                     Prefs::get(Settings::prefix()), Prefs::get(Settings::suffix()), json);
        if (printedOnce && line == lastLine) {
            return;
        }
        out << line << '\n' << std::flush;
        lastLine = std::move(line);
        printedOnce = true;
        if (!out && outputClosed) {
            outputClosed();
        }
    }
};

WatchCommand::WatchCommand(std::ostream& out, bool json, std::optional<QDBusConnection> bus)
    : state_(std::make_shared<State>(State{out, json, {}, {}, {}, false})), bus_(std::move(bus)) {}

WatchCommand::~WatchCommand() = default;

bool WatchCommand::start() {
    state_->outputClosed = outputClosed;
    // Changes found in the file arrive on the store's own thread: printing happens on the main one.
    std::weak_ptr<State> weak = state_;
    observation_ = Prefs::observe({Settings::text(), Settings::prefix(), Settings::suffix()}, {}, [weak] {
        dispatchToMain([weak] {
            if (const auto state = weak.lock()) {
                state->print();
            }
        });
    });
    if (bus_) {
        instance_ = std::make_unique<InstanceTextFollower>(*bus_, [weak](std::optional<QString> text) {
            if (const auto state = weak.lock()) {
                // The instance saved its last text as it ended; this process may not have read it yet.
                if (!text && state->instanceText) {
                    reloadSettingsFile();
                }
                state->instanceText = std::move(text);
                state->print();
            }
        });
        if (instance_->start()) {
            return bool(state_->out);
        }
        instance_.reset();
    }
    state_->print();
    return bool(state_->out);
}

} // namespace zendra
