// The words follow the user's language: which catalogue the environment picks, and the window
// in French (one view of each tab, the menus, and Qt's own buttons).
#include "app/ContentView.h"
#include "app/CorvantaApp.h"
#include "app/DashboardView.h"
#include "app/RootView.h"
#include "app/Translations.h"
#include "model/PersistenceController.h"
#include "views/comparison/TSXComparisonView.h"
#include "views/entries/CorvantaTableView.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <gmock/gmock.h>

namespace {
using Translations::Language;

TEST(LanguageChoice, FollowsLanguageThenLcAllLcMessagesLang)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> environment;
        Language expected;
    };
    const Case cases[] = {
        {{{"LANG", "fr_CA.UTF-8"}}, Language::French},
        {{{"LANG", "fr_FR.UTF-8"}}, Language::French},
        {{{"LANG", "fr"}}, Language::French},
        {{{"LANG", "de_DE.UTF-8"}}, Language::English},
        {{{"LANG", "en_CA.UTF-8"}}, Language::English},
        {{}, Language::English},
        // LC_ALL wins over LC_MESSAGES, which wins over LANG.
        {{{"LC_ALL", "en_US.UTF-8"}, {"LC_MESSAGES", "fr_CA.UTF-8"}, {"LANG", "fr_CA.UTF-8"}}, Language::English},
        {{{"LC_MESSAGES", "fr_CA.UTF-8"}, {"LANG", "en_US.UTF-8"}}, Language::French},
        // LANGUAGE comes first; its first language with words of its own wins.
        {{{"LANGUAGE", "fr_CA:en"}, {"LANG", "en_US.UTF-8"}}, Language::French},
        {{{"LANGUAGE", "de:fr"}, {"LANG", "de_DE.UTF-8"}}, Language::French},
        {{{"LANGUAGE", "en:fr"}, {"LANG", "fr_CA.UTF-8"}}, Language::English},
        {{{"LANGUAGE", "de"}, {"LANG", "fr_FR.UTF-8"}}, Language::French},
        // As gettext: the C locale ignores LANGUAGE.
        {{{"LANGUAGE", "fr"}, {"LANG", "C.UTF-8"}}, Language::English},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        QString shown;
        for (const auto& [name, value] : c.environment) {
            environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
            shown += QStringLiteral("%1=%2 ").arg(QLatin1String(name), QLatin1String(value));
        }
        EXPECT_EQ(Translations::chosen(environment), c.expected) << shown.toStdString();
    }
}

QStringList texts(const QWidget& root)
{
    QStringList found;
    for (const QLabel* label : root.findChildren<QLabel*>())
        found << label->text();
    for (const QAction* action : root.findChildren<QAction*>())
        found << action->text();
    return found;
}

TEST(FrenchWindow, EveryTabSpeaksFrench)
{
    Translations::install(Language::French);
    QSettings().clear();
    PersistenceController persistence(true);
    CorvantaApp app(persistence, SeedImporter::SeedSource{QStringLiteral(CORVANTA_TEST_DATA "/seed/valid")});
    ContentView& content = *app.window().content();

    QStringList tabs;
    for (int i = 0; i < content.tabs()->count(); ++i)
        tabs << content.tabs()->tabText(i);
    EXPECT_THAT(tabs, ::testing::ElementsAre(QStringLiteral("Tableau de bord"), QStringLiteral("Corvanta"), QStringLiteral("Comparaison TSX")));
    QStringList menus;
    for (const QAction* menu : app.window().menuBar()->actions())
        menus << menu->text();
    EXPECT_THAT(menus, ::testing::ElementsAre(QStringLiteral("&Fichier"), QStringLiteral("É&dition"), QStringLiteral("&Affichage"), QStringLiteral("Aid&e")));

    EXPECT_THAT(texts(*content.dashboard()), ::testing::IsSupersetOf({QStringLiteral("Statistiques du portefeuille"), QStringLiteral("Sommaire"),
                                                                      QStringLiteral("Solde au fil du temps")}));
    const QAbstractItemModel* entries = content.entries()->findChild<QTableView*>()->model();
    QStringList headers;
    for (int column = 0; column < entries->columnCount(); ++column)
        headers << entries->headerData(column, Qt::Horizontal).toString();
    EXPECT_THAT(headers, ::testing::IsSupersetOf({QStringLiteral("Solde"), QStringLiteral("Ajustement"), QStringLiteral("Transferts")}));
    EXPECT_THAT(texts(*content.comparison()), ::testing::IsSupersetOf({QStringLiteral("Ajouter une année"), QStringLiteral("Votre portefeuille"),
                                                                       QStringLiteral("Équivalent TSX")}));

    // Qt's own catalogue: the standard buttons of dialogs and alerts.
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
}
} // namespace
