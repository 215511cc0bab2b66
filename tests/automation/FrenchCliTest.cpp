// The command line follows the user's language: French words under fr_CA, English ones under
// a language without a catalogue; option names and JSON keys never change.
#include "automation/CorvantaProcess.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
CorvantaProcess inLanguage(const char* locale)
{
    CorvantaProcess corvanta;
    corvanta.environment().remove(QStringLiteral("LANGUAGE"));
    for (const char* variable : {"LANG", "LC_ALL"})
        corvanta.environment().insert(QString::fromLatin1(variable), QString::fromLatin1(locale));
    return corvanta;
}

TEST(FrenchCli, AddSummaryHelpAndErrorsSpeakFrench)
{
    const CorvantaProcess corvanta = inLanguage("fr_CA.UTF-8");
    const ProcessRun added = corvanta.run({"add", "--balance", "1000", "--date", "2026-06-04"});
    EXPECT_EQ(added.exitCode, 0) << added.errors;
    EXPECT_THAT(added.output, ::testing::AllOf(HasSubstr("Ajout de "), HasSubstr(" le 4 juin 2026.")));

    const ProcessRun summary = corvanta.run({"summary"});
    EXPECT_THAT(summary.output, HasSubstr("Valeur actuelle\u00a0: "));
    EXPECT_THAT(summary.output, HasSubstr("Flux de trésorerie nets\u00a0:"));
    // The JSON keys stay; only the sentence for a person follows the language.
    EXPECT_THAT(corvanta.run({"summary", "--json"}).output, HasSubstr("\"currentValue\""));

    EXPECT_THAT(corvanta.run({"--help"}).output, HasSubstr("Afficher le sommaire du portefeuille."));
    const ProcessRun wrong = corvanta.run({"add", "--balance", "abc"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_THAT(wrong.errors, HasSubstr("--balance attend un nombre simple comme 1234.56, pas"));
}

TEST(FrenchCli, ALanguageWithoutACatalogueGetsEnglish)
{
    const CorvantaProcess corvanta = inLanguage("de_DE.UTF-8");
    ASSERT_EQ(corvanta.run({"add", "--balance", "1000"}).exitCode, 0);
    const ProcessRun summary = corvanta.run({"summary"});
    EXPECT_THAT(summary.output, HasSubstr("Current value: "));
    EXPECT_THAT(summary.output, Not(HasSubstr("Valeur")));
}
} // namespace
