#pragma once

#include <QCoreApplication>
#include <QString>

namespace cli {

// msgbox-format's own words: English, or the language of the user's locale
// where a translation of them is built in. Cli::tr("...") is where they
// are written, so that lupdate finds them.
class Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// Loads the translation of msgbox-format's words for the user's locale, and
// Qt's own for the texts of its parser and files, where there is one.
void speakTheUsersLanguage(QCoreApplication &application);

// What the core says in the window's German (the reader's errors, the
// take-over's notes, the formatter's refusals), in msgbox-format's words,
// line by line; the rest as it stands.
QString spoken(const QString &coreMessage);

enum class WiderWidth { Fits, DoesNotFit, Untried };

// What helps a text refused for its continuations on the command line: a
// wider --width where one fits it, else the text built in sText (--form
// text-variable).
QString continuationRemedy(WiderWidth wider);

} // namespace cli
