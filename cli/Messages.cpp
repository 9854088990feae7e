#include "cli/Messages.h"

#include "code_writer/Formatter.h"
#include "vb_model/Dialect.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>

#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

// A text of the core, %1, %2, ... standing for what it names, and
// msgbox-format's words for it.
struct Rewording
{
    QStringView core;
    const char *words;
};

// clang-format off
constexpr Rewording kRewordings[] {
    // The reader's errors.
    { u"%1 braucht ein Zeichen.", QT_TRANSLATE_NOOP("Cli", "%1 needs a character.") },
    { u"%1 ist hier unerwartet.", QT_TRANSLATE_NOOP("Cli", "%1 is not expected here.") },
    { u"%1 ist kein fester Text.", QT_TRANSLATE_NOOP("Cli", "%1 is no fixed text.") },
    { u"%1 ist keine MsgBox-Konstante.", QT_TRANSLATE_NOOP("Cli", "%1 is no MsgBox constant.") },
    { u"%1 ist keine Zahl vom Typ Long.", QT_TRANSLATE_NOOP("Cli", "%1 is no number of type Long.") },
    { u"%1 ist keine ganze Zahl.", QT_TRANSLATE_NOOP("Cli", "%1 is no whole number.") },
    { u"%1 ist kein Argument von MsgBox.", QT_TRANSLATE_NOOP("Cli", "%1 is no argument of MsgBox.") },
    { u"%1 liegt außerhalb des gültigen Bereichs.", QT_TRANSLATE_NOOP("Cli", "%1 is out of range.") },
    { u"Die Zahl %1 steht neben +; nur & verbindet sie als Text.",
        QT_TRANSLATE_NOOP("Cli", "The number %1 stands beside +; only & joins it as text.") },
    { u"Dem Text fehlt das schließende Anführungszeichen.",
        QT_TRANSLATE_NOOP("Cli", "The string lacks its closing quote.") },
    { u"Der MsgBox-Aufruf ist unvollständig.", QT_TRANSLATE_NOOP("Cli", "The MsgBox call is incomplete.") },
    { u"Der Text wird zu lang.", QT_TRANSLATE_NOOP("Cli", "The text grows too long.") },
    { u"Die Klammern sind zu tief verschachtelt.",
        QT_TRANSLATE_NOOP("Cli", "The parentheses are nested too deeply.") },
    { u"Die Summe ist zu groß für eine Zahl vom Typ Long.",
        QT_TRANSLATE_NOOP("Cli", "The sum is too large for a number of type Long.") },
    { u"Hinter dem Zeilenfortsetzungszeichen folgt nichts.",
        QT_TRANSLATE_NOOP("Cli", "Nothing follows the line continuation.") },
    { u"Kein MsgBox-Aufruf gefunden.", QT_TRANSLATE_NOOP("Cli", "No MsgBox call found.") },
    { u"MsgBox ohne Text.", QT_TRANSLATE_NOOP("Cli", "MsgBox without a prompt.") },
    // What a call read leaves out.
    { u"Nicht übernommen: %1", QT_TRANSLATE_NOOP("Cli", "Left out, as the options cannot hold it: %1") },
    { u"Der Aufruf steht in einem einzeiligen If; dessen Bedingung ist nicht übernommen.",
        QT_TRANSLATE_NOOP("Cli", "The call stands in a one-line If; its condition is left out.") },
    { u"Der Code enthält weitere MsgBox-Aufrufe; übernommen wurde der erste.",
        QT_TRANSLATE_NOOP("Cli", "The code holds further MsgBox calls; the first one was read.") },
    // The formatter's warning.
    { u"Der Text hat %1 Zeichen; MsgBox zeigt in %2 nur etwa die ersten %3 und schneidet den "
      u"Rest ab.",
        QT_TRANSLATE_NOOP("Cli", "The text has %1 characters; MsgBox in %2 shows only about the "
                                 "first %3 and cuts the rest.") },
    // What the source-file library says, in English already.
    { u"it is not text: it holds NUL bytes",
        QT_TRANSLATE_NOOP("Cli", "it is not text: it holds NUL bytes") },
    { u"its bytes are not valid %1", QT_TRANSLATE_NOOP("Cli", "its bytes are not valid %1") },
    { u"the call written anew would need characters that %1 cannot hold",
        QT_TRANSLATE_NOOP("Cli", "the call written anew would need characters that %1 cannot hold") },
    { u"the call could not be written anew in its place",
        QT_TRANSLATE_NOOP("Cli", "the call could not be written anew in its place") },
    { u"the line is %1 characters long; VB takes %2",
        QT_TRANSLATE_NOOP("Cli", "the line is %1 characters long; VB takes %2") },
    { u"the statement has %1 line continuations; VB takes %2",
        QT_TRANSLATE_NOOP("Cli", "the statement has %1 line continuations; VB takes %2") },
};
// clang-format on

// The core's text as a pattern: each %n what it names, the same where it
// stands twice.
QRegularExpression patternOf(QStringView core)
{
    static const QRegularExpression marker(u"\\\\%(\\d)"_s); // "%n", escaped
    const QString escaped = QRegularExpression::escape(core.toString());
    QString pattern;
    QStringList named;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch &match : marker.globalMatch(escaped)) {
        pattern += QStringView(escaped).sliced(copied, match.capturedStart() - copied);
        const qsizetype index = named.indexOf(match.captured(1));
        if (index < 0)
            named << match.captured(1);
        pattern += index < 0 ? u"(.*)"_s : u"\\"_s + QString::number(index + 1);
        copied = match.capturedEnd();
    }
    pattern += QStringView(escaped).sliced(copied);
    return QRegularExpression(u'^' + pattern + u'$');
}

QString filled(const QString &words, const QStringList &named)
{
    switch (named.size()) {
    case 0:
        return words;
    case 1:
        return words.arg(named[0]);
    case 2:
        return words.arg(named[0], named[1]);
    default:
        return words.arg(named[0], named[1], named[2]);
    }
}

QString spokenLine(const QString &line)
{
    static const QRegularExpression place(u"^Zeile (\\d+), Spalte (\\d+): (.*)$"_s);
    static const std::vector<std::pair<QRegularExpression, const char *>> rewordings = [] {
        std::vector<std::pair<QRegularExpression, const char *>> patterns;
        for (const Rewording &rewording : kRewordings)
            patterns.emplace_back(patternOf(rewording.core), rewording.words);
        return patterns;
    }();
    if (const QRegularExpressionMatch at = place.match(line); at.hasMatch())
        return Cli::tr("line %1, column %2: %3")
            .arg(at.captured(1), at.captured(2), spokenLine(at.captured(3)));
    for (const auto &[pattern, words] : rewordings) {
        const QRegularExpressionMatch match = pattern.match(line);
        if (match.hasMatch())
            return filled(Cli::tr(words), match.capturedTexts().mid(1));
    }
    return line;
}

// A refusal is written for the window's message box, its parts a blank line
// apart; the source-file library gives it as one line.
QString asOneLine(const QString &message)
{
    return message.split(u"\r\n"_s, Qt::SkipEmptyParts).join(u' ');
}

// The formatter's refusals, which name the window's controls, in words that
// name the command line's options.
std::optional<QString> refusalSaid(const QString &oneLine)
{
    if (oneLine == asOneLine(quillon::writer::continuationLimitMessage()))
        return Cli::tr("The code would need more line continuations than VB takes.");
    if (oneLine == asOneLine(quillon::writer::lineTooLongMessage()))
        return Cli::tr("A line of the code would be longer than the 1,023 characters VB takes; "
                       "shorten the title, or long runs of empty lines and blanks in the text.");
    for (const quillon::model::Dialect dialect :
        { quillon::model::Dialect::Vb6, quillon::model::Dialect::VbScript,
            quillon::model::Dialect::VbNet, quillon::model::Dialect::TwinBasic }) {
        if (oneLine == asOneLine(quillon::writer::helpArgumentsMessage(dialect)))
            return Cli::tr("The MsgBox call has HelpFile or Context, which MsgBox in %1 does not "
                           "take; it cannot be written for %1 (--dialect).")
                .arg(quillon::model::dialectTitle(dialect));
    }
    return std::nullopt;
}

} // namespace

QString spoken(const QString &coreMessage)
{
    if (const std::optional<QString> refusal = refusalSaid(asOneLine(coreMessage)))
        return *refusal;
    // Notes are a line each.
    QStringList said;
    for (const QString &line : coreMessage.split(u"\r\n"_s))
        said << spokenLine(line);
    return said.join(u"\r\n"_s);
}

QString continuationRemedy(WiderWidth wider)
{
    switch (wider) {
    case WiderWidth::Fits:
        return Cli::tr("A wider --width, up to %1, takes fewer lines.")
            .arg(quillon::writer::kMaxCodeWidth);
    case WiderWidth::DoesNotFit:
        return Cli::tr("No width fits it; --form text-variable builds the text in sText, in as "
                       "many statements as it needs.");
    case WiderWidth::Untried:
        break;
    }
    return Cli::tr("A wider --width, up to %1, takes fewer lines; where none fits, build the "
                   "text in sText, as --reformat --form text-variable writes the call on "
                   "standard input.")
        .arg(quillon::writer::kMaxCodeWidth);
}

void speakTheUsersLanguage(QCoreApplication &application)
{
    const QLocale locale;
    auto *own = new QTranslator(&application);
    if (own->load(locale, u"msgbox-format"_s, u"_"_s, u":/i18n"_s))
        QCoreApplication::installTranslator(own);
    // A Windows copy carries Qt's texts in "translations" beside the
    // program, merged into "qt"; elsewhere they are Qt's own, "qtbase".
    const QString folders[] { QCoreApplication::applicationDirPath() + u"/translations"_s,
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) };
    auto *qt = new QTranslator(&application);
    for (const QString &folder : folders) {
        for (const QString &catalog : { u"qtbase"_s, u"qt"_s }) {
            if (qt->load(locale, catalog, u"_"_s, folder)) {
                QCoreApplication::installTranslator(qt);
                return;
            }
        }
    }
}

} // namespace cli
