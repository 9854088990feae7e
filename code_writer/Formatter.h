#pragma once

#include "code_writer/CodeForms.h"
#include "vb_model/MessageParts.h"
#include "vb_model/StyleFlags.h"

#include <QString>
#include <QStringView>

namespace quillon::writer {

inline constexpr int kMinCodeWidth = 40;
inline constexpr int kMaxCodeWidth = 75;
inline constexpr int kDefaultCodeWidth = 70;
// The title box's placeholder: a title that reads so, or is empty, is none.
inline constexpr QStringView kNoTitle = u"Titelleiste";
// Whether the code names `title`, as txtTitel holds it.
bool hasTitle(const QString &title);

// What the main window holds when "Text formatieren" is pressed.
struct FormatRequest
{
    QString message;         // txtOriginal, line breaks as CR LF
    QString title;           // txtTitel as typed; "" or "Titelleiste" means none
    model::StyleChoices style; // the options window's choices; flags are written when any is made
    int codeWidth = kDefaultCodeWidth; // HScroll1 value; taken into 40..75
    model::CodeForm form = model::CodeForm::Statement;
    model::Dialect dialect = model::Dialect::Vb6;
    // The prompt in parts, as read from code or as the window holds it with
    // expressions; when empty, `message` is the prompt, all of it typed.
    model::MessageParts parts;
    model::MessageParts titleParts; // likewise for the title; when empty, `title`
    QString buttonsExpression; // written in place of the choices' flags where given
    QString trailing; // written behind the call on its last line, as given
    QStringList namedArguments; // written behind the title, as given: HelpFile:=...
    // A call read from code and written anew in its place keeps to the width
    // throughout; the statement written from the window's message keeps the
    // layout VB6 users have always had.
    bool rewritesCode = false;
};

enum class FormatOutcome {
    Formatted,    // code holds the finished statement
    EmptyMessage, // nothing to format: the window empties its boxes instead
    Refused,      // too many continuations or a line too long for VB
};

struct FormatResult
{
    FormatOutcome outcome = FormatOutcome::Formatted;
    // The code box's text, CR LF breaks. On refusal: the code as far as the
    // end of the laid-out prompt, without the arguments and what follows
    // them. Empty for an empty message.
    QString code;
    // The measuring box's text: the prepared message, quotes as two
    // apostrophes and each line break on a line of its own that holds a lone
    // quote (empty for an empty message).
    QString measuringText;
    // What was appended behind the prompt for the buttons and title
    // arguments; in the text-variable form, behind "MsgBox sText". The
    // closing parenthesis, the comparison and the lines after the call are
    // not part of it. Empty unless outcome is Formatted.
    QString codeTail;
    // When Refused: the message to show the user (OK only, no icon, no title).
    QString refusalMessage;
};

// The message shown when the statement would need more than 24 continuations.
QString continuationLimitMessage();
// The message shown when a line of the statement would exceed 1,023 characters.
QString lineTooLongMessage();
// The message shown when a call with HelpFile or Context is to be written in
// a dialect whose MsgBox takes neither.
QString helpArgumentsMessage(model::Dialect dialect);

// Turns a message into VB code around a MsgBox call, laid out to the code
// width, in the request's form; an If that does not fit the choices is
// written as Select Case. The prompt says what was typed, with two
// apostrophes for each quote; a CR or LF that is no line break goes in as
// vbCr or vbLf. The title goes in exactly, its quotes doubled as VB escapes
// them.
FormatResult formatMessage(const FormatRequest &request);
// The same with the call in a frame of the caller's instead of the form's;
// the text-variable form keeps its own.
FormatResult formatMessageInFrame(const FormatRequest &request, const CallFrame &frame);

} // namespace quillon::writer
