#include "cli/commands.h"

#include "settings/text/text_limits.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <iostream>
#include <iterator>

namespace zendra {

void reportError(std::ostream& err, const QString& message) {
    err << "zendra: " << message.toStdString() << '\n' << std::flush;
}

namespace {

int finish(const AutomationReply& reply, std::ostream& err) {
    if (!reply.ok) {
        reportError(err, reply.error);
        return exitFailure;
    }
    return exitSuccess;
}

std::optional<QString> readAllText(std::istream& in) {
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError()) {
        return std::nullopt;
    }
    // What `echo` and here-documents add is not part of the text.
    if (text.endsWith(QLatin1String("\r\n"))) {
        text.chop(2);
    } else if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

} // namespace

int SetTextCommand::run(const std::optional<QString>& text, bool readInput) {
    QString value = text.value_or(QString());
    if (readInput) {
        auto input = readAllText(streams_.in);
        if (!input) {
            reportError(streams_.err,
                        QCoreApplication::translate(
                            "zendra::cli", "standard input is not valid UTF-8; the text is unchanged"));
            return exitFailure;
        }
        value = std::move(*input);
    }
    if (auto refusal = Settings::textRefusal(value)) {
        reportError(streams_.err, *refusal);
        return exitFailure;
    }
    return finish(target_.setText(value), streams_.err);
}

int GetTextCommand::run() {
    const AutomationReply reply = target_.text();
    if (!reply.ok) {
        return finish(reply, streams_.err);
    }
    streams_.out << reply.value.toStdString() << '\n' << std::flush;
    if (!streams_.out) {
        reportError(streams_.err,
                    QCoreApplication::translate("zendra::cli", "cannot write to standard output"));
        return exitFailure;
    }
    return exitSuccess;
}

int ServiceCommand::run(const std::optional<QString>& selection) {
    if (!selection) {
        return exitSuccess;
    }
    return finish(target_.setTextFromService(*selection), streams_.err);
}

int ActionCommand::run(UserAction action) {
    return finish(target_.perform(action), streams_.err);
}

} // namespace zendra
