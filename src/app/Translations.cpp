#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <optional>

namespace {
using Translations::Language;

// "fr", "fr_CA.UTF-8", "fr_FR@euro": French; "en_GB", "C": English; anything else has no
// words of its own here.
std::optional<Language> languageOf(QStringView name)
{
    qsizetype end = 0;
    while (end < name.size() && name.at(end).isLetter())
        ++end;
    const QStringView language = name.left(end);
    if (language == u"fr")
        return Language::French;
    if (language == u"en" || language == u"C" || language == u"POSIX")
        return Language::English;
    return std::nullopt;
}

void installCatalogue(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
} // namespace

namespace Translations {

Language chosen(const QProcessEnvironment& environment)
{
    QString locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment.value(QString::fromLatin1(variable));
        if (!locale.isEmpty())
            break;
    }
    // gettext ignores LANGUAGE under the plain C locale.
    if (locale.isEmpty() || locale == u"C" || locale.startsWith(u"C.") || locale == u"POSIX")
        return Language::English;
    for (const QString& name : environment.value(QStringLiteral("LANGUAGE")).split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (const auto language = languageOf(name))
            return *language;
    }
    return languageOf(locale).value_or(Language::English);
}

void install(Language language)
{
    if (language != Language::French)
        return;
    // One French catalogue serves fr, fr_CA and fr_FR: the words agree.
    installCatalogue(QStringLiteral("corvanta_fr_CA"), QStringLiteral(":/i18n"));
    installCatalogue(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void installForUser() { install(chosen(QProcessEnvironment::systemEnvironment())); }

} // namespace Translations
