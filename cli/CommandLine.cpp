#include "cli/CommandLine.h"

#include "cli/Messages.h"
#include "vb_model/VbConstants.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;
using quillon::model::VbConstant;

namespace cli {
namespace {

// The word for a choice is its VB constant's name, lower case, without "vb";
// the first choice, which writes no constant, has a word of its own.
QStringList choiceWords(const VbConstant *(*constantOf)(int), int count, const QString &first)
{
    QStringList words { first };
    for (int index = 1; index < count; ++index)
        words << constantOf(index)->name.sliced(2).toString().toLower();
    return words;
}

std::optional<int> indexOfName(const QStringList &names, const QString &name)
{
    const qsizetype index = names.indexOf(name);
    if (index < 0)
        return std::nullopt;
    return int(index);
}

// Digits only: no sign, no blanks, nothing that toInt() would quietly accept.
std::optional<int> wholeNumberIn(const QString &text, int lowest, int highest)
{
    const bool digitsOnly = !text.isEmpty() && text.size() <= 9
        && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digitsOnly)
        return std::nullopt;
    const int number = text.toInt();
    if (number < lowest || number > highest)
        return std::nullopt;
    return number;
}

struct Options
{
    QCommandLineOption width { u"width"_s, u"code width"_s, u"N"_s };
    QCommandLineOption title { u"title"_s, u"title"_s, u"TEXT"_s };
    QCommandLineOption icon { u"icon"_s, u"icon"_s, u"NAME"_s };
    QCommandLineOption buttons { u"buttons"_s, u"button set"_s, u"NAME"_s };
    QCommandLineOption defaultButton { u"default"_s, u"default button"_s, u"N"_s };
    QCommandLineOption systemModal { u"system-modal"_s, u"always on top"_s };
    QCommandLineOption right { u"right"_s, u"text right-aligned"_s };
    QCommandLineOption prompt { u"prompt"_s, u"print the prompt the code shows"_s };
    QCommandLineOption form { u"form"_s, u"code form"_s, u"NAME"_s };
    QCommandLineOption dialect { u"dialect"_s, u"VB dialect"_s, u"NAME"_s };
    QCommandLineOption read { u"read"_s, u"read a VB MsgBox call, print it as JSON"_s };
    QCommandLineOption reformat { u"reformat"_s, u"read a VB MsgBox call, write it anew"_s };
    QCommandLineOption fixedValues { u"fixed-values"_s, u"read variables for their text"_s };
    QCommandLineOption help { u"help"_s, u"show this help"_s };
    QCommandLineOption version { u"version"_s, u"show the version"_s };
    // Source files.
    QCommandLineOption check { u"check"_s, u"list what --reformat would change"_s };
    QCommandLineOption inPlace { { u"i"_s, u"in-place"_s }, u"replace the files"_s };
    QCommandLineOption line { u"line"_s, u"only the call that covers line N"_s, u"N"_s };

    void addTo(QCommandLineParser &parser) const
    {
        parser.addOptions({ width, title, icon, buttons, defaultButton, systemModal, right, prompt,
            form, dialect, read, reformat, fixedValues, help, version, check, inPlace, line });
    }
};

QString badValue(const QCommandLineOption &option, const QString &value, const QString &expected)
{
    return Cli::tr("Bad value '%1' for --%2: expected %3.")
        .arg(value, option.names().constFirst(), expected);
}

// The readers below leave their target alone when the option is absent, and
// return the problem with its value, if any.

QString readNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int lowest,
    int highest, int &number)
{
    if (!parser.isSet(option))
        return {};
    const QString value = parser.value(option);
    const auto read = wholeNumberIn(value, lowest, highest);
    if (!read)
        return badValue(
            option, value, Cli::tr("a whole number from %1 to %2").arg(lowest).arg(highest));
    number = *read;
    return {};
}

QString readName(const QCommandLineParser &parser, const QCommandLineOption &option,
    const QStringList &names, int &index)
{
    if (!parser.isSet(option))
        return {};
    const QString value = parser.value(option);
    const auto read = indexOfName(names, value);
    if (!read)
        return badValue(option, value, Cli::tr("one of %1").arg(names.join(u", "_s)));
    index = *read;
    return {};
}

// The title becomes a string literal in the code, which cannot span lines.
QString readTitle(
    const QCommandLineParser &parser, const QCommandLineOption &option, QString &title)
{
    const QString value = parser.value(option);
    if (value.contains(u'\n') || value.contains(u'\r'))
        return Cli::tr("Bad value for --title: a title cannot hold a line break.");
    title = value;
    return {};
}

QString readForm(const QCommandLineParser &parser, const QCommandLineOption &option,
    quillon::model::CodeForm &form)
{
    int index = int(form);
    QString problem = readName(parser, option, formWords(), index);
    form = quillon::model::CodeForm(index);
    return problem;
}

QString readDialect(const QCommandLineParser &parser, const QCommandLineOption &option,
    quillon::model::Dialect &dialect)
{
    // The words in the order of quillon::model::Dialect, VBA's after them.
    int index = 0;
    const QString problem = readName(parser, option, dialectWords(), index);
    constexpr quillon::model::Dialect kDialects[] { quillon::model::Dialect::Vb6,
        quillon::model::Dialect::VbScript, quillon::model::Dialect::VbNet,
        quillon::model::Dialect::TwinBasic, quillon::model::Dialect::Vb6 };
    if (problem.isEmpty() && parser.isSet(option))
        dialect = kDialects[index];
    return problem;
}

QString readValues(const QCommandLineParser &parser, const Options &o, FormatOptions &options)
{
    const QString problems[] = {
        readNumber(parser, o.width, quillon::writer::kMinCodeWidth, quillon::writer::kMaxCodeWidth,
            options.codeWidth),
        readTitle(parser, o.title, options.title),
        readName(parser, o.icon, iconWords(), options.style.icon),
        readName(parser, o.buttons, buttonSetWords(), options.style.buttons),
        readNumber(parser, o.defaultButton, 1, 3, options.style.defaultButton),
        readForm(parser, o.form, options.form),
        readDialect(parser, o.dialect, options.dialect),
        readNumber(parser, o.line, 1, 999'999'999, options.onlyLine),
    };
    for (const QString &problem : problems) {
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

// The window writes Select Case where If does not fit; a command line that
// asks for If says what it wants, so it learns why it cannot have it. A call
// read back brings its own buttons, which the formatter then takes as the
// window does.
QString formProblem(const FormatOptions &options)
{
    if (options.reformatCall || quillon::model::formFits(options.form, options.style))
        return {};
    const qsizetype buttons
        = quillon::model::answersOf(quillon::model::computeStyleFlags(options.style).value).size();
    return Cli::tr("--form if needs a set of two buttons, but --buttons %1 shows %2; "
                   "use --form select or a set of two buttons.")
        .arg(buttonSetWords().value(options.style.buttons),
            (buttons == 1 ? Cli::tr("%1 button") : Cli::tr("%1 buttons")).arg(buttons));
}

QString firstSetOf(
    const QCommandLineParser &parser, const QList<const QCommandLineOption *> &options)
{
    for (const QCommandLineOption *option : options) {
        if (parser.isSet(*option))
            return u"--"_s + option->names().constLast();
    }
    return {};
}

// Files are read by --reformat and --check alone; what writes a call alone
// or reads it for another purpose goes with standard input only.
QString sourceFileProblem(
    const QCommandLineParser &parser, const Options &o, const FormatOptions &options)
{
    const QStringList &files = options.files;
    if (!files.isEmpty() && !options.reformatCall && !options.checkFiles)
        return Cli::tr("Unexpected argument '%1': the message is read from standard input; "
                       "files go with --reformat or --check.")
            .arg(files.constFirst());
    if (options.checkFiles && (files.isEmpty() || options.reformatCall || options.inPlace))
        return Cli::tr("--check takes one or more files, without --reformat and --in-place.");
    if (options.inPlace && files.isEmpty())
        return Cli::tr("--in-place goes with --reformat and files.");
    if (options.onlyLine > 0 && !options.reformatCall)
        return Cli::tr("--line goes with --reformat.");
    if (files.size() > 1 && !options.inPlace && !options.checkFiles)
        return Cli::tr("--reformat writes one file to standard output; give --in-place for %1 "
                       "files.")
            .arg(files.size());
    if (files.size() == 1 && !options.inPlace && !options.checkFiles
        && QFileInfo(files.constFirst()).isDir())
        return Cli::tr("--reformat writes one file to standard output; give --in-place for the "
                       "folder '%1'.")
            .arg(files.constFirst());
    const bool asSource = !files.isEmpty() || options.onlyLine > 0;
    if (const QString other = firstSetOf(parser, { &o.form, &o.fixedValues, &o.prompt });
        asSource && !other.isEmpty())
        return Cli::tr("%1 goes with a call on standard input, not with files or --line.")
            .arg(other);
    return {};
}

} // namespace

QStringList iconWords()
{
    return choiceWords(quillon::model::iconConstantOf, quillon::model::kIconChoiceCount, u"none"_s);
}

QStringList buttonSetWords()
{
    return choiceWords(
        quillon::model::buttonSetConstantOf, quillon::model::kButtonSetChoiceCount, u"ok"_s);
}

QStringList formWords()
{
    return { u"statement"_s, u"answer"_s, u"if"_s, u"select"_s, u"text-variable"_s };
}

QStringList dialectWords()
{
    return { u"vb6"_s, u"vbscript"_s, u"vbnet"_s, u"twinbasic"_s, u"vba"_s };
}

ParsedCommandLine parseCommandLine(const QStringList &arguments)
{
    ParsedCommandLine parsed;
    const Options o;
    QCommandLineParser parser;
    o.addTo(parser);
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    parsed.options.files = parser.positionalArguments();
    parsed.options.checkFiles = parser.isSet(o.check);
    parsed.options.inPlace = parser.isSet(o.inPlace);
    parsed.helpRequested = parser.isSet(o.help);
    parsed.versionRequested = parser.isSet(o.version);
    parsed.options.style.systemModal = parser.isSet(o.systemModal);
    parsed.options.style.textRight = parser.isSet(o.right);
    parsed.options.printPrompt = parser.isSet(o.prompt);
    parsed.options.formGiven = parser.isSet(o.form);
    parsed.options.dialectGiven = parser.isSet(o.dialect);
    parsed.options.readCall = parser.isSet(o.read);
    parsed.options.reformatCall = parser.isSet(o.reformat);
    parsed.options.fixedValues = parser.isSet(o.fixedValues);
    if (parsed.options.fixedValues && !parsed.options.readCall && !parsed.options.reformatCall) {
        parsed.error = Cli::tr("--fixed-values goes with --read or --reformat.");
        return parsed;
    }
    if (parsed.options.readCall && parsed.options.reformatCall) {
        parsed.error = Cli::tr("--read and --reformat exclude each other.");
        return parsed;
    }
    parsed.error = readValues(parser, o, parsed.options);
    if (parsed.error.isEmpty())
        parsed.error = sourceFileProblem(parser, o, parsed.options);
    if (parsed.error.isEmpty())
        parsed.error = formProblem(parsed.options);
    return parsed;
}

QString versionText()
{
    return u"msgbox-format (MsgBox - Quillon) " QUILLON_VERSION "\n"_s;
}

QString usageText()
{
    return Cli::tr(
        "Usage: msgbox-format [--width N] [--title TEXT] [--icon NAME] [--buttons NAME]\n"
        "                     [--default N] [--system-modal] [--right] [--prompt]\n"
        "                     [--form NAME] [--dialect NAME]\n"
        "       msgbox-format --read | --reformat [--fixed-values] [--width N] [--form NAME]\n"
        "                     [--dialect NAME]\n"
        "       msgbox-format --reformat [--width N] [--line N] [--in-place] [--dialect NAME]\n"
        "                     [FILE|FOLDER...]\n"
        "       msgbox-format --check [--width N] FILE|FOLDER...\n"
        "       msgbox-format --version\n"
        "Reads a message from standard input (UTF-8) and writes the VB code of a MsgBox\n"
        "for it to standard output, with CR LF line breaks.\n"
        "  --width N        code width, 40..75, default 70\n"
        "  --title TEXT     title; empty or \"Titelleiste\" means none (default none)\n"
        "  --icon NAME      none | question | information | exclamation | critical\n"
        "  --buttons NAME   ok | okcancel | yesno | yesnocancel | retrycancel | "
        "abortretryignore\n"
        "  --default N      1 | 2 | 3\n"
        "  --system-modal   the \"Immer 'On Top'\" choice\n"
        "  --right          the \"Text rechtsbündig\" choice\n"
        "  --prompt         print the prompt that the message box test would show\n"
        "                   (the value of the written code) instead of the code\n"
        "  --form NAME      statement | answer | if | select | text-variable,\n"
        "                   default statement; if takes a set of two buttons\n"
        "  --dialect NAME   vb6 | vba | vbscript | vbnet | twinbasic, default vb6\n"
        "                   (vba writes as vb6); --reformat keeps the dialect of the\n"
        "                   code it reads unless told\n"
        "  --read           read a VB MsgBox call on standard input, print it as JSON\n"
        "  --reformat       write the VB code back with every MsgBox call laid out anew\n"
        "                   (--width); the code around the calls, its run-time values,\n"
        "                   indentation, encoding and line breaks stay as written, and\n"
        "                   so does a call it cannot write anew; --form writes the\n"
        "                   first call alone in that form\n"
        "  --fixed-values   read variables and constants given fixed text before the\n"
        "                   call for that text, instead of keeping them\n"
        "  FILE...          VB source files (.bas .cls .frm .ctl ...): --reformat writes\n"
        "                   every MsgBox call of each anew in its place, in the file's\n"
        "                   own encoding and line breaks, to standard output (one file);\n"
        "                   a FOLDER stands for the VB source files in it and below\n"
        "                   it, by their kinds, in the order of their paths\n"
        "  -i, --in-place   replace each file that changes, at once, keeping its\n"
        "                   permissions\n"
        "  --line N         only the call that covers line N (a file, or standard input)\n"
        "  --check          change nothing; list as FILE:LINE:COLUMN: what --reformat\n"
        "                   would change and what VB would not take (more than 24\n"
        "                   continuations, a line over 1023 characters)\n"
        "  --help           show this help\n"
        "  --version        show the version\n"
        "Exit status: 0 done, 1 the text was refused (a call kept, a file not done, or\n"
        "--check found something), 2 a usage error.\n");
}

} // namespace cli
