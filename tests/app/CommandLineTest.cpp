// The editor's command line.
#include "app/startup/CommandLine.h"

#include <gtest/gtest.h>

using namespace kalvo;
using TAction = TCommandLine::TAction;

TEST(CommandLine, NoArgumentsRunsWithoutAFile)
{
    const TCommandLine line = ParseCommandLine({});
    EXPECT_EQ(line.Action, TAction::Run);
    EXPECT_TRUE(line.FileName.isEmpty());
}

TEST(CommandLine, OneFileHelpVersionAndMistakes)
{
    TCommandLine line = ParseCommandLine({QStringLiteral("photo one.jpg")});
    EXPECT_EQ(line.Action, TAction::Run);
    EXPECT_EQ(line.FileName, QStringLiteral("photo one.jpg"));
    EXPECT_EQ(ParseCommandLine({QStringLiteral("--help")}).Action, TAction::Help);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("a.png"), QStringLiteral("-h")}).Action, TAction::Help);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("--version")}).Action, TAction::Version);
    line = ParseCommandLine({QStringLiteral("--frobnicate")});
    EXPECT_EQ(line.Action, TAction::Error);
    EXPECT_EQ(line.Message, QStringLiteral("unknown option --frobnicate"));
    EXPECT_EQ(ParseCommandLine({QStringLiteral("a.png"), QStringLiteral("b.png")}).Action, TAction::Error);
    // "--" lets a file name start with a dash; "-" alone is a name too.
    line = ParseCommandLine({QStringLiteral("--"), QStringLiteral("--help")});
    EXPECT_EQ(line.Action, TAction::Run);
    EXPECT_EQ(line.FileName, QStringLiteral("--help"));
    EXPECT_EQ(ParseCommandLine({QStringLiteral("-")}).FileName, QStringLiteral("-"));
}

TEST(CommandLine, QtsOwnOptionsAreLeftToQt)
{
    const QStringList args = {QStringLiteral("-style"),   QStringLiteral("fusion"), QStringLiteral("--platform=xcb"),
                              QStringLiteral("-reverse"), QStringLiteral("a.png"),  QStringLiteral("--"),
                              QStringLiteral("-style")};
    EXPECT_EQ(WithoutQtOptions(args),
              QStringList({QStringLiteral("a.png"), QStringLiteral("--"), QStringLiteral("-style")}));
    const TCommandLine line = ParseCommandLine(WithoutQtOptions({QStringLiteral("-style"), QStringLiteral("fusion")}));
    EXPECT_EQ(line.Action, TAction::Run);
    EXPECT_TRUE(line.FileName.isEmpty());
}
