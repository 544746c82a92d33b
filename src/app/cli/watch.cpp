#include "app/cli/watch.h"

#include "app/text/text_rules.h"
#include "base/main_queue.h"
#include "prefs/observe.h"
#include "prefs/prefs.h"
#include "settings/text/text_keys.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace zendra {

QString panelLine(const QString& text, const QString& prefix, const QString& suffix) {
    if (!hasVisibleText(text)) {
        return {};
    }
    QString line;
    line.reserve(prefix.size() + text.size() + suffix.size());
    line += prefix;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!isLineBreak(c.unicode())) {
            line += c;
        } else if (!(c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))) {
            line += QLatin1Char(' ');
        }
    }
    line += suffix;
    return line;
}

std::string watchLine(const QString& text, const QString& prefix, const QString& suffix, bool json) {
    const std::string line = panelLine(text, prefix, suffix).toStdString();
    if (!json) {
        return line;
    }
    const nlohmann::json object{{"text", line}, {"tooltip", text.toStdString()}};
    return object.dump();
}

struct WatchCommand::State {
    std::ostream& out;
    bool json;
    std::string lastLine;
    bool printedOnce = false;
    std::function<void()> outputClosed;

    bool print() {
        std::string line = watchLine(Prefs::get(Settings::text()), Prefs::get(Settings::prefix()),
                                     Prefs::get(Settings::suffix()), json);
        if (printedOnce && line == lastLine) {
            return true;
        }
        out << line << '\n' << std::flush;
        lastLine = std::move(line);
        printedOnce = true;
        return bool(out);
    }
};

WatchCommand::WatchCommand(std::ostream& out, bool json)
    : state_(std::make_shared<State>(State{out, json, {}, false, {}})) {}

WatchCommand::~WatchCommand() = default;

bool WatchCommand::start() {
    state_->outputClosed = outputClosed;
    if (!state_->print()) {
        return false;
    }
    // Changes found in the file arrive on the store's own thread: printing happens on the main one.
    std::weak_ptr<State> weak = state_;
    observation_ = Prefs::observe({Settings::text(), Settings::prefix(), Settings::suffix()}, {}, [weak] {
        dispatchToMain([weak] {
            const auto state = weak.lock();
            if (state && !state->print() && state->outputClosed) {
                state->outputClosed();
            }
        });
    });
    return true;
}

} // namespace zendra
