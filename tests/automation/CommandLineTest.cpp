// The command line parsed into its plain struct: what each subcommand accepts, and the
// one-line usage errors for what it does not; and the desktop action's small window, which
// checks its fields as the command line does.
#include "automation/CommandLine.h"

#include "analytics/Fmt.h"
#include "automation/AddEntryDialog.h"
#include "automation/EntryListing.h"
#include "automation/JsonOutput.h"
#include "automation/TerminalTable.h"
#include "automation/TerminalText.h"

#include <QJsonDocument>

#include <cmath>

#include <gmock/gmock.h>

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

// The subcommands' texts and files through the real binary: see its tests. Here, what only
// the parsed struct shows; add's parameters are read unchanged.
TEST(CommandLineTest, EachSubcommandAndItsParametersAreRecognised)
{
    const Accepted cases[] = {
        {{}, Command::Window},
        {{"add"}, Command::Add}, // the balance is asked for by the caller
        {{"entries", "--suggested", "--json"}, Command::Entries},
        {{"--version"}, Command::Version},
        {{"stats", "--help"}, Command::Help},
    };
    for (const Accepted& accepted : cases) {
        const auto line = parse(accepted.words);
        ASSERT_TRUE(line.ok()) << line.error().message.toStdString();
        EXPECT_EQ(line.value().command, accepted.command) << *accepted.words.begin();
    }
    EXPECT_EQ(parse({"help", "years"}).value().helpTopic, Command::Years);
    EXPECT_EQ(parse({"--help"}).value().helpTopic, std::nullopt);
    EXPECT_FALSE(std::signbit(*parse({"add", "--balance", "-0"}).value().balance)); // shown as $0, not -$0
    EXPECT_EQ(parse({"stats", "--window", "1Y", "--json"}).value().window, DateRange::year1);
    EXPECT_TRUE(parse({"stats", "--window", "YTD"}).value().yearToDate);
    EXPECT_TRUE(parse({"years", "--from-entries", "--json"}).value().fromEntries);
    // --to takes in the whole of its day.
    const CommandLine period = parse({"stats", "--from", "2024-01-01", "--to", "2024-12-31"}).value();
    EXPECT_EQ(std::pair(period.from, period.until), std::pair(Fmt::parseDay("2024-01-01"), Fmt::parseDay("2025-01-01")));
    const auto ids = parse({"entries", "--id", "0a1b2c3d-0000-4000-8000-00000000abcd", "--id", "0A1B2C3D-0000-4000-8000-00000000ABCD"});
    ASSERT_EQ(ids.value().ids.size(), 2u); // any letter case
    EXPECT_EQ(ids.value().ids[0], ids.value().ids[1]);

    const CommandLine import = parse({"import", "in.csv", "--dry-run", "--skip-existing", "--decimal-comma", "--json"}).value();
    EXPECT_EQ(std::tuple(import.file, import.dryRun, import.skipExisting, import.decimalComma, import.json),
              std::tuple(QStringLiteral("in.csv"), true, true, true, true));

    const auto line = parse({"add", "--balance", "1000.5", "--adjustment", "-250", "--transfers=1e3", "--note", "  x  ",
                             "--date", "2026-06-04", "--json"});
    ASSERT_TRUE(line.ok()) << line.error().message.toStdString();
    const CommandLine& add = line.value();
    EXPECT_EQ(std::tuple(add.balance, add.adjustment, add.transfers, add.note, add.date, add.json),
              std::tuple(std::optional(1000.5), -250.0, 1000.0, std::optional(QStringLiteral("  x  ")), Fmt::parseDay("2026-06-04"), true));
}

struct Refused {
    std::initializer_list<const char*> words;
    const char* message;
};

TEST(CommandLineTest, UsageErrorsAreOneLineNamingTheArgument)
{
    const Refused cases[] = {
        {{"frobnicate"}, "corvanta: unknown command 'frobnicate' (try 'corvanta --help')"},
        {{"help", "frobnicate"}, "corvanta help: unknown command 'frobnicate' (try 'corvanta --help')"},
        {{"add", "--balance", "1,000"}, "corvanta add: --balance expects a plain number such as 1234.56, not '1,000' (try 'corvanta add --help')"},
        {{"add", "--balance", "1", "--balance", "2"}, "corvanta add: --balance given more than once (try 'corvanta add --help')"},
        {{"add", "--balance"}, "corvanta add: missing value after '--balance' (try 'corvanta add --help')"},
        {{"add", "--balance", "1", "--date", "2026-02-30"}, "corvanta add: --date expects YYYY-MM-DD or an ISO 8601 date-time, not '2026-02-30' (try 'corvanta add --help')"},
        {{"add", "--dialog", "--json"}, "corvanta add: --json cannot be combined with --dialog (try 'corvanta add --help')"},
        {{"summary", "--notify", "--json"}, "corvanta summary: --json cannot be combined with --notify (try 'corvanta summary --help')"},
        {{"entries", "--id", "not-a-uuid"}, "corvanta entries: --id expects a UUID, not 'not-a-uuid' (try 'corvanta entries --help')"},
        {{"entries", "--suggested", "--id", "0a1b2c3d-0000-4000-8000-00000000abcd"}, "corvanta entries: --suggested cannot be combined with --id (try 'corvanta entries --help')"},
        {{"stats", "--window", "1y"}, "corvanta stats: --window expects 1M, 3M, 6M, 1Y, 5Y, YTD or All, not '1y' (try 'corvanta stats --help')"},
        {{"stats", "--from", "2024-13-01"}, "corvanta stats: --from expects YYYY-MM-DD or an ISO 8601 date-time, not '2024-13-01' (try 'corvanta stats --help')"},
        {{"stats", "--from", "2024-02-01", "--to", "2024-01-31"}, "corvanta stats: --from must come before --to (try 'corvanta stats --help')"},
        {{"stats", "--window", "YTD", "--to", "2024-01-31"}, "corvanta stats: --window cannot be combined with --from or --to (try 'corvanta stats --help')"},
        {{"import"}, "corvanta import: missing argument FILE (try 'corvanta import --help')"},
        {{"add", "--balance", "5\n"}, "corvanta add: --balance expects a plain number such as 1234.56, not '5\\n' (try 'corvanta add --help')"},
        {{"add", "--balance", "1", "--date", "10000-01-01"},
         "corvanta add: --date expects YYYY-MM-DD or an ISO 8601 date-time, not '10000-01-01' (try 'corvanta add --help')"},
        {{"export", "a.csv", "b.csv"}, "corvanta export: unexpected argument 'b.csv' (try 'corvanta export --help')"},
    };
    for (const Refused& refused : cases) {
        const auto line = parse(refused.words);
        ASSERT_FALSE(line.ok()) << refused.message;
        EXPECT_EQ(line.error().message.toStdString(), refused.message);
    }
}

// The streamed listing writes each entry exactly as the whole-document encoder would.
TEST(EntryListingTest, AnEntryStreamsAsTheDocumentEncoderWritesIt)
{
    const QString nasty = QString::fromUtf8("q\"b\\ n\n t\t \x01 \x1b[31m \x7f \u00e9 \u2028 \xf0\x9f\x98\x80");
    const BalanceEntryEntity cases[] = {
        {*Uuid::fromString("0a1b2c3d-0000-4000-8000-00000000abcd"), instantFromMilliseconds(1'780'545'600'000), 1000, 0, 0, std::nullopt},
        {Uuid::random(), instantFromMilliseconds(1'780'545'600'123), 1e20, -0.0, 0.1, nasty},
        {Uuid::random(), instantFromMilliseconds(-62'135'596'800'000), 123456789.125, 9007199254740994.0, qQNaN(), QString()},
        {Uuid::random(), instantFromMilliseconds(-1), -2.5e-7, qInf(), 1.0 / 3, QStringLiteral("plain")},
    };
    for (const BalanceEntryEntity& entity : cases) {
        const QByteArray document = QJsonDocument(QJsonArray{JsonOutput::entity(entity)}).toJson(QJsonDocument::Indented);
        EXPECT_EQ(("[\n" + EntryListing::jsonElement(entity) + "\n]\n").toStdString(), document.toStdString());
        EXPECT_EQ(EntryListing::line(entity).count('\n'), 1);
    }
}

TEST(TerminalTextTest, ControlCharactersBecomeVisibleEscapes)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"plain \\ text é", u"plain \\ text é"},
        {u"a\nb\tc\rd", u"a\\nb\\tc\\rd"},
        {u"\x1b[2J\x07\x7f", u"\\x1b[2J\\x07\\x7f"},
        {u"\u0085 \u2028 \u202e", u"\\u0085 \\u2028 \\u202e"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(TerminalText::escaped(QString::fromUtf16(text)), QString::fromUtf16(shown));
}

// Help fits a narrow terminal and shows an example of each command; tables line up.
TEST(CommandLineTest, HelpWrapsToTheTerminalAndTablesAlign)
{
    for (auto topic : {std::optional<Command>(), std::optional(Command::Add), std::optional(Command::Export)}) {
        const QString help = CommandLine::helpText(topic, 40);
        for (const QString& line : help.split(QLatin1Char('\n')))
            EXPECT_LE(line.size(), 40) << line.toStdString();
        EXPECT_TRUE(help.contains(QStringLiteral("Example")));
    }
    EXPECT_EQ(TerminalTable::aligned(QStringLiteral("Title\nA\t$1\nLonger\t$1,000\n\nB\tx\n")),
              QStringLiteral("Title\nA           $1\nLonger  $1,000\n\nB  x\n"));
}

// What the dialog hands to the action, and what it refuses.
struct Typed {
    const char *date, *balance, *adjustment;
    const char* error; // empty: accepted
};

TEST(AddEntryDialogTest, ChecksTheFieldsAsTheCommandLineDoesAndPassesThemOn)
{
    const QString saveFailed = QStringLiteral("The changes could not be saved (disk is full)");
    const Typed cases[] = {
        {"", "", "", "Enter the balance as a plain number such as 1234.56."},
        {"June 4", "1000", "", "Enter the date as YYYY-MM-DD."},
        {"", "1000", "ten", "Enter the adjustment as a plain number such as -250."},
        {"2026-06-04", "1000.5", "-250", ""},
        {"", "1000", "", "The changes could not be saved (disk is full)"}, // the action refuses: stays open
    };
    for (const Typed& typed : cases) {
        SCOPED_TRACE(typed.error);
        std::optional<AddBalanceEntryIntent> performed;
        AddEntryDialog dialog([&](const AddBalanceEntryIntent& intent) -> Result<QString> {
            performed = intent;
            return intent.date ? Result<QString>(QStringLiteral("Added")) : Result<QString>(Error{saveFailed, {}});
        });
        for (const auto& [key, text] : {std::pair{"date", typed.date}, std::pair{"balance", typed.balance},
                                        std::pair{"adjustment", typed.adjustment}, std::pair{"transfers", "20"}, std::pair{"note", " note "}})
            dialog.setText(key, QString::fromUtf8(text));
        dialog.submit();
        EXPECT_EQ(dialog.errorText().toStdString(), typed.error);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, *typed.error == '\0');
        EXPECT_EQ(performed.has_value(), *typed.error == '\0' || dialog.errorText() == saveFailed);
        if (dialog.result() == QDialog::Accepted) {
            EXPECT_EQ(std::tuple(performed->date, performed->balance, performed->adjustment, performed->transfers, performed->note),
                      std::tuple(Fmt::parseDay("2026-06-04"), 1000.5, -250.0, 20.0, std::optional(QStringLiteral(" note "))));
        }
    }
}

} // namespace
