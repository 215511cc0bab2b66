#pragma once

#include <QProcessEnvironment>

// The language of the words the window and the command line show. Numbers and dates follow
// the locale on their own (ICU reads it); this only picks the catalogue of words.
namespace Translations {

enum class Language { English, French };

// As gettext picks it on a Linux desktop: the locale is the first of LC_ALL, LC_MESSAGES and
// LANG that is set; when it is C, POSIX or unset everything stays English. Otherwise the
// LANGUAGE list is read first (its first language we have words for wins), then the locale.
Language chosen(const QProcessEnvironment& environment);

// Installs the words of `language` in the running application, with Qt's own catalogue for its
// standard buttons and dialogs. English is the source language and needs no catalogue.
void install(Language language);

// install(chosen(the process environment)).
void installForUser();

} // namespace Translations
