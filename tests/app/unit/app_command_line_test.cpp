#include "app/app_command_line.h"

#include <gtest/gtest.h>

namespace {

using zendra::CommandLine;
using zendra::parseCommandLine;

TEST(AppCommandLineTest, RunsWithAnOptionalUrlAndRelaunchOrigin) {
    const auto plain = parseCommandLine({});
    EXPECT_EQ(plain.command, CommandLine::Command::run);
    EXPECT_FALSE(plain.url);

    const auto withUrl = parseCommandLine({"zendra:?text=hi", "--relaunched-from=4242"});
    EXPECT_EQ(withUrl.command, CommandLine::Command::run);
    EXPECT_EQ(withUrl.url, QString("zendra:?text=hi"));
    EXPECT_EQ(withUrl.relaunchedFrom, 4242);
}

TEST(AppCommandLineTest, HelpAndVersionWinAndBadArgumentsAreErrors) {
    EXPECT_EQ(parseCommandLine({"--help", "--bogus"}).command, CommandLine::Command::help);
    EXPECT_EQ(parseCommandLine({"-h"}).command, CommandLine::Command::help);
    EXPECT_EQ(parseCommandLine({"zendra:?text=a", "--version"}).command, CommandLine::Command::version);

    const auto unknown = parseCommandLine({"--bogus"});
    EXPECT_EQ(unknown.command, CommandLine::Command::error);
    EXPECT_TRUE(unknown.error.contains("--bogus"));
    EXPECT_EQ(parseCommandLine({"zendra:?text=a", "zendra:?text=b"}).command, CommandLine::Command::error);
    EXPECT_EQ(parseCommandLine({"--relaunched-from=abc"}).command, CommandLine::Command::error);
    EXPECT_EQ(parseCommandLine({"--relaunched-from=-3"}).command, CommandLine::Command::error);
}

} // namespace
