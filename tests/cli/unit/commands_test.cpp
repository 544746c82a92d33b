#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/config_command.h"
#include "panel/backend/panel_item_backend.h"
#include "prefs/file_suite.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "settings/catalogue.h"
#include "settings/text/text_keys.h"
#include "settings/text/text_limits.h"
#include "support/scoped_env.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace zendra;

// Runs the commands against the real preferences file of the test's own configuration folder.
class CliCommandsTest : public testing::Test {
protected:
    void SetUp() override { Settings::text().reset(); }
    void TearDown() override { Settings::text().reset(); }

    CommandStreams streams() { return {in, out, err}; }
    static QByteArray fileContents() {
        const auto file = std::dynamic_pointer_cast<Prefs::FileSuite>(Prefs::standardSuite());
        QFile plist(file->path());
        return plist.open(QIODevice::ReadOnly) ? plist.readAll() : QByteArray();
    }

    PreferencesFileTarget file;
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CliCommandsTest, SetAndGetKeepTheTextExactlyAndReachTheFile) {
    const QString text = QString::fromUtf8("  first line\n\tsecond \u00e9 ");
    EXPECT_EQ(SetTextCommand(file, streams()).run(text, false), exitSuccess);
    EXPECT_TRUE(fileContents().contains("second \xc3\xa9")) << "on disk when the command returns";
    EXPECT_EQ(GetTextCommand(file, streams()).run(), exitSuccess);
    EXPECT_EQ(out.str(), text.toStdString() + "\n");

    EXPECT_EQ(SetTextCommand(file, streams()).run(QString(), false), exitSuccess);
    EXPECT_EQ(Prefs::get(Settings::text()), QString()) << "an empty text clears it";
    EXPECT_TRUE(err.str().empty()) << err.str();
}

TEST_F(CliCommandsTest, StandardInputLosesOneTrailingNewlineAndMustBeUtf8) {
    in.str("line one\nline two\n\n");
    EXPECT_EQ(SetTextCommand(file, streams()).run(std::nullopt, true), exitSuccess);
    EXPECT_EQ(Prefs::get(Settings::text()), QString("line one\nline two\n"));

    std::istringstream badInput(std::string("caf\xe9\n"));
    EXPECT_EQ(SetTextCommand(file, {badInput, out, err}).run(std::nullopt, true), exitFailure);
    EXPECT_EQ(Prefs::get(Settings::text()), QString("line one\nline two\n")) << "nothing stored";
    EXPECT_NE(err.str().find("zendra: standard input is not valid UTF-8"), std::string::npos);
}

TEST_F(CliCommandsTest, TextsThePanelCannotHoldAreRefusedAndNothingIsStored) {
    ASSERT_EQ(SetTextCommand(file, streams()).run(QString("kept"), false), exitSuccess);
    in.str(std::string("a\0b", 3));
    EXPECT_EQ(SetTextCommand(file, streams()).run(std::nullopt, true), exitFailure);
    EXPECT_NE(err.str().find("U+0000"), std::string::npos) << err.str();

    err.str({});
    const QString tooLong(Settings::maxTextLength + 1, u'x');
    EXPECT_EQ(SetTextCommand(file, streams()).run(tooLong, false), exitFailure);
    EXPECT_NE(err.str().find("longer than"), std::string::npos) << err.str();
    EXPECT_EQ(Prefs::get(Settings::text()), QString("kept"));

    const QString longest(Settings::maxTextLength, u'x');
    EXPECT_EQ(SetTextCommand(file, streams()).run(longest, false), exitSuccess);
    EXPECT_EQ(Prefs::get(Settings::text()), longest);
    EXPECT_TRUE(out.str().empty()) << "diagnostics never reach standard output";
}

TEST_F(CliCommandsTest, ServiceAndActionsWithoutTheRunningInstance) {
    EXPECT_EQ(ServiceCommand(file, streams()).run(QString("  \n  picked  \nrest")), exitSuccess);
    EXPECT_EQ(Prefs::get(Settings::text()), QString("picked"));
    EXPECT_EQ(ServiceCommand(file, streams()).run(std::nullopt), exitSuccess);
    EXPECT_EQ(Prefs::get(Settings::text()), QString("picked")) << "nothing selected changes nothing";

    EXPECT_EQ(ActionCommand(file, streams()).run(UserAction::clearText), exitSuccess);
    EXPECT_EQ(Prefs::get(Settings::text()), QString());
    EXPECT_EQ(ActionCommand(file, streams()).run(UserAction::quit), exitSuccess) << "nothing runs to end";

    for (const auto action : {UserAction::toggleEditor, UserAction::pasteText}) {
        err.str({});
        EXPECT_EQ(ActionCommand(file, streams()).run(action), exitFailure);
        EXPECT_NE(err.str().find("zendra: Zendra is not running"), std::string::npos) << err.str();
    }
}

TEST_F(CliCommandsTest, AFailedReadPrintsNothingButTheError) {
    class Refusing final : public TextTarget {
    public:
        AutomationReply setText(const QString&) override { return refused(); }
        AutomationReply text() override { return refused(); }
        AutomationReply setTextFromService(const QString&) override { return refused(); }
        AutomationReply perform(UserAction) override { return refused(); }

    private:
        static AutomationReply refused() { return AutomationReply::failure("Zendra did not answer"); }
    } refusing;
    EXPECT_EQ(GetTextCommand(refusing, streams()).run(), exitFailure);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "zendra: Zendra did not answer\n");
}

TEST_F(CliCommandsTest, ConfigStoresWhereTheTextShowsAndOneRunMayOverrideIt) {
    const test::ScopedEnv noEnvironment("ZENDRA_PANEL_ITEM", std::nullopt);
    EXPECT_EQ(chosenPanelItemBackend(std::nullopt), PanelItemBackend::automatic);
    EXPECT_EQ(ConfigCommand(streams()).run({"panel-item", "window"}), exitSuccess);
    EXPECT_TRUE(fileContents().contains("<key>panelItem</key>")) << "on disk when the command returns";
    EXPECT_EQ(chosenPanelItemBackend(std::nullopt), PanelItemBackend::window);
    EXPECT_EQ(ConfigCommand(streams()).run({"panel-item", "panel"}), exitSuccess);
    EXPECT_EQ(chosenPanelItemBackend(std::nullopt), PanelItemBackend::statusNotifier);
    EXPECT_EQ(ConfigCommand(streams()).run({"panel-item"}), exitSuccess);
    EXPECT_EQ(out.str(), "panel\n");
    EXPECT_TRUE(err.str().empty()) << err.str();

    for (const QStringList& bad : {QStringList{"panel-item", "dock"}, QStringList{"panelItem", "auto"},
                                   QStringList{}, QStringList{"panel-item", "auto", "extra"}}) {
        EXPECT_EQ(ConfigCommand(streams()).run(bad), exitUsage) << bad.join(' ').toStdString();
    }
    EXPECT_EQ(Prefs::get(Settings::panelItem()), "panel") << "a refused value changes nothing";

    // The environment and the command line decide for one run.
    {
        const test::ScopedEnv environment("ZENDRA_PANEL_ITEM", "window");
        EXPECT_EQ(chosenPanelItemBackend(std::nullopt), PanelItemBackend::window);
        EXPECT_EQ(chosenPanelItemBackend(PanelItemBackend::automatic), PanelItemBackend::automatic);
    }
    Prefs::set(Settings::panelItem(), QString("dock"));
    EXPECT_EQ(chosenPanelItemBackend(std::nullopt), PanelItemBackend::automatic) << "an unknown stored value";
    Settings::panelItem().reset();
}

// A script written for either side keeps working: both take the same words, the older one too, and
// what is stored is a value the settings window shows.
TEST_F(CliCommandsTest, TheOptionAndConfigTakeTheSameWordsForWhereTheTextShows) {
    const test::ScopedEnv noEnvironment("ZENDRA_PANEL_ITEM", std::nullopt);
    const std::pair<QString, PanelItemBackend> words[] = {
        {"auto", PanelItemBackend::automatic},
        {"panel", PanelItemBackend::statusNotifier},
        {"statusnotifier", PanelItemBackend::statusNotifier},
        {"window", PanelItemBackend::window}};
    for (const auto& [word, backend] : words) {
        EXPECT_EQ(parseCommandLine({"--panel-item=" + word}).panelItem, backend) << word.toStdString();
        ASSERT_EQ(ConfigCommand(streams()).run({"panel-item", word}), exitSuccess) << err.str();
        EXPECT_TRUE(QStringList({"auto", "panel", "window"}).contains(Prefs::get(Settings::panelItem())))
            << Prefs::get(Settings::panelItem()).toStdString();
        EXPECT_EQ(chosenPanelItemBackend(std::nullopt), backend) << word.toStdString();
        // What a relaunch passes on reads back as the same choice.
        EXPECT_EQ(parsePanelItemBackend(panelItemBackendName(backend)), backend);
    }
    const auto refused = parseCommandLine({"--panel-item=dock"});
    EXPECT_TRUE(refused.error.contains("auto, panel or window")) << refused.error.toStdString();
    EXPECT_EQ(ConfigCommand(streams()).run({"panel-item", "dock"}), exitUsage);
    EXPECT_NE(err.str().find("auto, panel or window"), std::string::npos) << "one set of words is named";
    Settings::panelItem().reset();
}

} // namespace
