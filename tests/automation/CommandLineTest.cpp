// The command line parsed into its plain struct: what each subcommand accepts, and the
// one-line usage errors for what it does not.
#include "automation/CommandLine.h"

#include "analytics/Fmt.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using Command = CommandLine::Command;

namespace {

Result<CommandLine> parse(std::initializer_list<const char*> words)
{
    QStringList arguments{QStringLiteral("corvanta")};
    for (const char* word : words)
        arguments << QString::fromUtf8(word);
    return CommandLine::parse(arguments);
}

struct Accepted {
    std::initializer_list<const char*> words;
    Command command;
};

TEST(CommandLineTest, EachSubcommandAndTheWindowAreRecognised)
{
    const Accepted cases[] = {
        {{}, Command::Window},
        {{"--quit-after-first-paint"}, Command::Window},
        {{"add", "--balance", "5"}, Command::Add},
        {{"add"}, Command::Add}, // the balance is asked for by the caller
        {{"summary", "--notify"}, Command::Summary},
        {{"entries", "--suggested", "--json"}, Command::Entries},
        {{"stats"}, Command::Stats},
        {{"years", "--json"}, Command::Years},
        {{"import", "in.csv"}, Command::Import},
        {{"export"}, Command::Export},
        {{"export", "-"}, Command::Export},
        {{"--version"}, Command::Version},
        {{"--help"}, Command::Help},
        {{"help", "add"}, Command::Help},
        {{"stats", "--help"}, Command::Help},
    };
    for (const Accepted& accepted : cases) {
        const auto line = parse(accepted.words);
        ASSERT_TRUE(line.ok()) << line.error().message.toStdString();
        EXPECT_EQ(line.value().command, accepted.command) << *accepted.words.begin();
    }
    EXPECT_EQ(parse({"help", "years"}).value().helpTopic, Command::Years);
    EXPECT_EQ(parse({"import", "--help"}).value().helpTopic, Command::Import);
    EXPECT_EQ(parse({"--help"}).value().helpTopic, std::nullopt);
    EXPECT_EQ(parse({"export", "-"}).value().file, QStringLiteral("-"));
    EXPECT_EQ(parse({"--screenshot", "w.png"}).value().screenshotPath, QStringLiteral("w.png"));
}

TEST(CommandLineTest, AddReadsItsParametersUnchanged)
{
    const auto line = parse({"add", "--balance", "1000.5", "--adjustment", "-250", "--transfers=1e3", "--note", "  x  ",
                             "--date", "2026-06-04", "--json"});
    ASSERT_TRUE(line.ok()) << line.error().message.toStdString();
    EXPECT_EQ(line.value().balance, 1000.5);
    EXPECT_EQ(line.value().adjustment, -250);
    EXPECT_EQ(line.value().transfers, 1000);
    EXPECT_EQ(line.value().note, QStringLiteral("  x  "));
    EXPECT_EQ(line.value().date, Fmt::parseDay("2026-06-04"));
    EXPECT_TRUE(line.value().json);

    const auto defaults = parse({"add", "--balance", "0"}).value();
    EXPECT_EQ(defaults.balance, 0.0);
    EXPECT_EQ(defaults.adjustment, 0.0);
    EXPECT_EQ(defaults.date, std::nullopt);
    EXPECT_EQ(defaults.note, std::nullopt);
}

TEST(CommandLineTest, DatesAreLocalUnlessTheyCarryAnOffset)
{
    const Instant utcNoon = instantFromMilliseconds(1780574400000LL); // 2026-06-04T12:00:00Z
    EXPECT_EQ(parse({"add", "--balance", "1", "--date", "2026-06-04T12:00:00Z"}).value().date, utcNoon);
    EXPECT_EQ(parse({"add", "--balance", "1", "--date", "2026-06-04T14:00:00+02:00"}).value().date, utcNoon);
    // Toronto is four hours behind UTC in June.
    EXPECT_EQ(parse({"add", "--balance", "1", "--date", "2026-06-04T08:00:00"}).value().date, utcNoon);
    EXPECT_EQ(parse({"add", "--balance", "1", "--date", "2026-06-04T08:00:00.000"}).value().date, utcNoon);
}

TEST(CommandLineTest, EntriesTakeIdsInAnyLetterCase)
{
    const auto line = parse({"entries", "--id", "0a1b2c3d-0000-4000-8000-00000000abcd", "--id", "0A1B2C3D-0000-4000-8000-00000000ABCD"});
    ASSERT_TRUE(line.ok());
    ASSERT_EQ(line.value().ids.size(), 2u);
    EXPECT_EQ(line.value().ids[0], line.value().ids[1]);
}

struct Refused {
    std::initializer_list<const char*> words;
    const char* message;
};

TEST(CommandLineTest, UsageErrorsAreOneLineNamingTheArgument)
{
    const Refused cases[] = {
        {{"frobnicate"}, "corvanta: unknown command 'frobnicate'"},
        {{"--bogus"}, "corvanta: Unknown option 'bogus'."},
        {{"help", "frobnicate"}, "corvanta help: unknown command 'frobnicate'"},
        {{"--version", "x"}, "corvanta: unexpected argument 'x'"},
        {{"add", "--balance", "1,000"}, "corvanta add: --balance expects a plain number such as 1234.56, not '1,000'"},
        {{"add", "--balance", "$5"}, "corvanta add: --balance expects a plain number such as 1234.56, not '$5'"},
        {{"add", "--balance", "inf"}, "corvanta add: --balance expects a plain number such as 1234.56, not 'inf'"},
        {{"add", "--balance", "1", "--adjustment", "ten"}, "corvanta add: --adjustment expects a plain number such as 1234.56, not 'ten'"},
        {{"add", "--balance", "1", "--balance", "2"}, "corvanta add: --balance given more than once"},
        {{"add", "--balance"}, "corvanta add: Missing value after '--balance'."},
        {{"add", "--balance", "1", "--date", "2026-02-30"}, "corvanta add: --date expects YYYY-MM-DD or an ISO 8601 date-time, not '2026-02-30'"},
        {{"add", "--balance", "1", "--date", "2026-6-4"}, "corvanta add: --date expects YYYY-MM-DD or an ISO 8601 date-time, not '2026-6-4'"},
        {{"add", "--balance", "1", "--date", "June 4"}, "corvanta add: --date expects YYYY-MM-DD or an ISO 8601 date-time, not 'June 4'"},
        {{"add", "--dialog", "--json"}, "corvanta add: --json cannot be combined with --dialog"},
        {{"add", "--balance", "1", "extra"}, "corvanta add: unexpected argument 'extra'"},
        {{"summary", "--notify", "--json"}, "corvanta summary: --json cannot be combined with --notify"},
        {{"entries", "--id", "not-a-uuid"}, "corvanta entries: --id expects a UUID, not 'not-a-uuid'"},
        {{"entries", "--suggested", "--id", "0a1b2c3d-0000-4000-8000-00000000abcd"}, "corvanta entries: --suggested cannot be combined with --id"},
        {{"stats", "--notify"}, "corvanta stats: Unknown option 'notify'."},
        {{"import"}, "corvanta import: missing argument FILE"},
        {{"export", "a.csv", "b.csv"}, "corvanta export: unexpected argument 'b.csv'"},
    };
    for (const Refused& refused : cases) {
        const auto line = parse(refused.words);
        ASSERT_FALSE(line.ok()) << refused.message;
        EXPECT_EQ(line.error().message.toStdString(), refused.message);
    }
}

TEST(CommandLineTest, HelpNamesEveryCommandAndTheActionParameters)
{
    const QString overview = CommandLine::helpText(std::nullopt);
    for (const char* name : {"add", "summary", "entries", "stats", "years", "import", "export"})
        EXPECT_THAT(overview.toStdString(), HasSubstr(std::string("  ") + name));
    const std::string add = CommandLine::helpText(Command::Add).toStdString();
    EXPECT_THAT(add, HasSubstr("Balance: Total portfolio value at this date."));
    EXPECT_THAT(add, HasSubstr("Adjustment: Cash flow: positive for a deposit, negative for a withdrawal."));
    EXPECT_THAT(CommandLine::versionText(QStringLiteral("1.2.3")).toStdString(), ::testing::Eq("corvanta 1.2.3\n"));
}

} // namespace
