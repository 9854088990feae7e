#pragma once

#include "code_writer/Formatter.h"
#include "vb_model/StyleFlags.h"

#include <QString>
#include <QStringList>

namespace cli {

// Everything msgbox-format takes from its command line; the message itself
// comes from standard input.
struct FormatOptions
{
    int codeWidth = quillon::writer::kDefaultCodeWidth;
    QString title; // as typed; "" or "Titelleiste" means none
    quillon::model::StyleChoices style;
    bool printPrompt = false;
    quillon::model::CodeForm form = quillon::model::CodeForm::Statement;
    bool formGiven = false; // --reformat --form: the first call alone, in that form
    quillon::model::Dialect dialect = quillon::model::Dialect::Vb6;
    bool dialectGiven = false; // --reformat keeps the dialect it read unless told
    bool readCall = false; // --read: the input is VB code, printed back as JSON
    bool reformatCall = false; // --reformat: the input is VB code, written anew
    bool fixedValues = false; // --fixed-values: variables read for text given before
    // Source files: each call of each file written anew (--reformat), or
    // what --reformat would change and VB would not take listed (--check).
    QStringList files;
    bool checkFiles = false;
    bool inPlace = false; // --in-place: each file that changes is replaced
    int onlyLine = 0; // --line N: only the call that covers line N; 0 for all
};

struct ParsedCommandLine
{
    FormatOptions options;
    bool helpRequested = false;
    bool versionRequested = false;
    // One line naming what is wrong; empty when the command line is usable.
    QString error;
};

// arguments[0] is the program, as in QCoreApplication::arguments().
ParsedCommandLine parseCommandLine(const QStringList &arguments);

QString usageText();
// The version of the build, as the program's version record gives it.
QString versionText();

// The words of --icon and --buttons, indexed as the options window's arrays.
QStringList iconWords();
QStringList buttonSetWords();
// The words of --form, indexed as quillon::model::CodeForm.
QStringList formWords();
// The words of --dialect; vba is vb6.
QStringList dialectWords();

} // namespace cli
