#include "kit/data_reset.h"
#include "kit/debug_info.h"
#include "kit/debug_report.h"
#include "kit/message_log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace zendra;
using namespace zendra::KZApp;

namespace {

DebugFacts fullFacts() {
    DebugFacts facts;
    facts.applicationName = "Zendra";
    facts.version = "1.2";
    facts.bundleIdentifier = "org.zendra.Zendra";
    facts.runningTime = std::chrono::seconds(3723);
    facts.memoryBytes = 12'300'000;
    facts.launchCount = 7;
    facts.operatingSystem = "Debian GNU/Linux 12 (bookworm), kernel 6.1.0";
    facts.model = "LENOVO ThinkPad X1";
    facts.architecture = "x86_64";
    facts.localeIdentifier = "de_DE";
    facts.localeDisplayName = "German (Germany)";
    facts.screens = 2;
    facts.primaryScreenScale = 2;
    facts.settings = {{"textSize", Prefs::StoredObject(14.0)},
                      {"UserIdHistory", Prefs::StoredObject("secret")},
                      {"KZ_launchCount", Prefs::StoredObject(7)},
                      {"SessionIdHistory", Prefs::StoredObject("secret")},
                      {"pastDevicesKey", Prefs::StoredObject("secret")},
                      {"text", Prefs::StoredObject("Ship it")}};
    facts.custom = {{"Session Type", "x11"}, {"Desktop", "XFCE"}};
    facts.log = {"10:00:00.000 warning zendra.prefs: one", "10:00:01.000 info two"};
    return facts;
}

QString queryValue(const QUrl& url, const QString& name) {
    return QUrlQuery(url).queryItemValue(name, QUrl::FullyDecoded);
}

TEST(DebugReportTest, ReportListsEveryFactInOrderAndFallsBackForWhatIsMissing) {
    EXPECT_EQ(debugInfo(fullFacts()), "# Zendra 1.2\n"
                                      "\n"
                                      "Bundle Identifier: org.zendra.Zendra\n"
                                      "Running Time: 1h 2m 3s\n"
                                      "Memory Usage: 12.3 MB\n"
                                      "Launch Count: 7\n"
                                      "\n"
                                      "# Device\n"
                                      "\n"
                                      "OS: Debian GNU/Linux 12 (bookworm), kernel 6.1.0\n"
                                      "Model: LENOVO ThinkPad X1\n"
                                      "Architecture: x86_64\n"
                                      "Locale: de_DE (German (Germany))\n"
                                      "Screens: 2\n"
                                      "Primary Screen Scale: 2\n"
                                      "\n"
                                      "# Settings\n"
                                      "\n"
                                      "KZ_launchCount: 7\n"
                                      "text: \"Ship it\"\n"
                                      "textSize: 14\n"
                                      "\n"
                                      "# Custom\n"
                                      "\n"
                                      "Session Type: x11\n"
                                      "Desktop: XFCE\n"
                                      "\n"
                                      "# Logs\n"
                                      "\n"
                                      "```\n"
                                      "10:00:00.000 warning zendra.prefs: one\n"
                                      "10:00:01.000 info two\n"
                                      "```");

    DebugFacts sparse = fullFacts();
    sparse.runningTime.reset();
    sparse.memoryBytes.reset();
    sparse.model.reset();
    sparse.localeDisplayName.reset();
    sparse.settings = {{"UserIdHistory", Prefs::StoredObject("only an excluded name")}};
    sparse.log.clear();
    const QStringList lines = debugInfo(sparse).split('\n');
    EXPECT_TRUE(lines.contains("Running Time: "));
    EXPECT_TRUE(lines.contains("Memory Usage: <Unavailable>"));
    EXPECT_TRUE(lines.contains("Model: <Unknown>"));
    EXPECT_TRUE(lines.contains("Locale: de_DE (<Unknown>)"));
    EXPECT_EQ(localeDisplayName(QLocale::c()), "no language") << "the C locale is known";
    EXPECT_EQ(localeDisplayName(QLocale("de_AT")), "German (Austria)");
    EXPECT_EQ(lines.mid(lines.indexOf("# Settings"), 3), QStringList({"# Settings", "", "<Empty>"}));
    EXPECT_EQ(lines.mid(lines.indexOf("# Logs") + 2), QStringList({"```", "<Empty>", "```"}));
    EXPECT_EQ(formatRunningTime(std::chrono::seconds(65)), "1m 5s");
    EXPECT_EQ(formatRunningTime(std::chrono::seconds(0)), "0s");
}

TEST(DebugReportTest, FeedbackAndMailAddressesCarryTheirValuesExactly) {
    const DebugFacts facts = fullFacts();
    const QString metadata = feedbackMetadata(facts);
    EXPECT_EQ(metadata.split('\n'),
              QStringList({"App: Zendra 1.2", "Bundle Identifier: org.zendra.Zendra",
                           "OS: Debian GNU/Linux 12 (bookworm), kernel 6.1.0", "Model: LENOVO ThinkPad X1",
                           "Architecture: x86_64", "Locale: de_DE (German (Germany))", "Screens: 2",
                           "Primary Screen Scale: 2", "App Memory Usage: 12.3 MB", "Session Type: x11",
                           "Desktop: XFCE"}));

    const QUrl base("https://zendra.example/feedback");
    const QUrl plain = feedbackPageUrl(base, "Zendra & Co+", metadata);
    EXPECT_EQ(plain.toString(QUrl::RemoveQuery), "https://zendra.example/feedback");
    EXPECT_EQ(queryValue(plain, "product"), "Zendra & Co+");
    EXPECT_EQ(queryValue(plain, "metadata"), metadata);
    EXPECT_FALSE(QUrlQuery(plain).hasQueryItem("messageField"));
    EXPECT_FALSE(QUrlQuery(plain).hasQueryItem("extraInfo"));
    const QUrl full = feedbackPageUrl(base, "Zendra", metadata, QString("Hi = there"), QString("a&b"));
    EXPECT_EQ(queryValue(full, "messageField"), "Hi = there");
    EXPECT_EQ(queryValue(full, "extraInfo"), "a&b");

    MailDraft draft;
    draft.recipients = {"support@zendra.example"};
    draft.subject = "Zendra — Debug info";
    draft.body = "# Zendra 1.2\n\nLocale: a & b = c?";
    const QUrl mail = mailtoUrl(draft);
    EXPECT_EQ(mail.scheme(), "mailto");
    EXPECT_EQ(mail.path(), "support@zendra.example");
    EXPECT_EQ(queryValue(mail, "subject"), draft.subject);
    EXPECT_EQ(queryValue(mail, "body"), draft.body);
    EXPECT_FALSE(QUrlQuery(mail).hasQueryItem("cc"));
    EXPECT_FALSE(QUrlQuery(mail).hasQueryItem("bcc"));
    draft.cc = {"a@x.example"};
    EXPECT_EQ(queryValue(mailtoUrl(draft), "cc"), "a@x.example");
}

QStringList forwarded;
void captureMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    forwarded << message;
}

TEST(DebugReportTest, MessageLogKeepsTheLastLinesAndStillForwardsEveryMessage) {
    forwarded.clear();
    const QtMessageHandler before = qInstallMessageHandler(&captureMessage);
    {
        MessageLog log(3);
        ASSERT_TRUE(log.install());
        MessageLog other;
        EXPECT_FALSE(other.install()) << "one log at a time";
        for (int i = 1; i <= 5; ++i) {
            qWarning("line %d", i);
        }
        ASSERT_EQ(log.lines().size(), 3);
        EXPECT_TRUE(log.lines().front().endsWith("warning line 3")) << log.lines().front().toStdString();
        EXPECT_TRUE(log.lines().back().endsWith("warning line 5"));
    }
    qWarning("after");
    qInstallMessageHandler(before);
    EXPECT_EQ(forwarded, QStringList({"line 1", "line 2", "line 3", "line 4", "line 5", "after"}))
        << "every message reaches the previous handler, during and after the log";
}

TEST(DebugReportTest, ResetChoosesOnlyTheApplicationsOwnFolders) {
    QProcessEnvironment environment;
    environment.insert("HOME", "/home/ann");
    EXPECT_EQ(dataFolders(environment, "zendra"),
              QStringList({"/home/ann/.local/share/zendra", "/home/ann/.cache/zendra"}));
    EXPECT_EQ(dataFolders(environment, "zendra", "org.zendra.Zendra"), dataFolders(environment, "zendra"))
        << "two levels above ~/.local/share/zendra is ~/.local, which holds other programs' files";

    environment.insert("XDG_DATA_HOME", "/home/ann/.var/app/org.zendra.Zendra/data");
    environment.insert("XDG_CACHE_HOME", "relative/is/ignored");
    EXPECT_EQ(dataFolders(environment, "zendra", "org.zendra.Zendra"),
              QStringList({"/home/ann/.var/app/org.zendra.Zendra",
                           "/home/ann/.var/app/org.zendra.Zendra/data/zendra", "/home/ann/.cache/zendra"}));
    environment.insert("XDG_DATA_HOME", "/home/ann/.var/app/org.example.Ide/data");
    EXPECT_EQ(dataFolders(environment, "zendra", "org.zendra.Zendra").first(),
              "/home/ann/.var/app/org.example.Ide/data/zendra");
    environment.insert("XDG_CACHE_HOME", "/home/ann/.var/app/org.example.Ide/data");
    EXPECT_EQ(dataFolders(environment, "zendra").size(), 1) << "one folder for both homes, once";

    // Only the application's own sandbox counts, and only where the sandbox's info file exists.
    QTemporaryDir sandbox;
    const QString info = sandbox.filePath("flatpak-info");
    environment.insert("FLATPAK_ID", "org.zendra.Zendra");
    EXPECT_FALSE(runsInOwnSandbox(environment, "org.zendra.Zendra", info));
    QFile(info).open(QIODevice::WriteOnly);
    EXPECT_TRUE(runsInOwnSandbox(environment, "org.zendra.Zendra", info));
    environment.insert("FLATPAK_ID", "org.example.Ide");
    EXPECT_FALSE(runsInOwnSandbox(environment, "org.zendra.Zendra", info));
    environment.remove("FLATPAK_ID");
    EXPECT_FALSE(runsInOwnSandbox(environment, "org.zendra.Zendra", info));
}

TEST(DebugReportTest, ResetTriesEveryStepAndNamesEachThatFailed) {
    QTemporaryDir home;
    const QString data = home.filePath("data/zendra");
    const QString cache = home.filePath("cache/zendra");
    QDir().mkpath(data);
    QDir().mkpath(cache);
    const auto suite = Prefs::Suite::makeInMemory();
    suite->setObject("text", Prefs::StoredObject("Ship it"));
    suite->setObject("KZ_launchCount", Prefs::StoredObject(9));
    QStringList trashed;
    const QStringList problems = deleteDataAndSettings(
        *suite, {data, home.filePath("missing/zendra"), cache},
        [&](const QString& path) -> std::optional<QString> {
            trashed << path;
            return path == data ? std::optional<QString>("Permission denied") : std::nullopt;
        });
    EXPECT_TRUE(suite->persistentDomain().empty());
    EXPECT_EQ(trashed, QStringList({data, cache}))
        << "a missing folder is no failure, one failure stops nothing";
    EXPECT_EQ(problems, QStringList({"could not move " + data + " to the trash: Permission denied"}));
}

} // namespace
