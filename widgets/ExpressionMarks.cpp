#include "widgets/ExpressionMarks.h"

#include <QHash>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

using quillon::model::MessagePart;
using quillon::model::MessageParts;

namespace {

// Which mark a character belongs to (a number, distinct for each mark, so
// that two marks side by side stay two), and the expression's source.
constexpr int kMarkNumber = QTextFormat::UserProperty + 1;
constexpr int kMarkSource = QTextFormat::UserProperty + 2;
// A quote read from code.
constexpr int kExactQuote = QTextFormat::UserProperty + 3;

const QColor kMarkGround(221, 235, 255);
const QColor kMarkText(0, 0, 160);

QTextCharFormat markFormat(int number, const QString &source)
{
    QTextCharFormat format;
    format.setProperty(kMarkNumber, number);
    format.setProperty(kMarkSource, source);
    format.setBackground(kMarkGround);
    format.setForeground(kMarkText);
    return format;
}

QTextCharFormat exactQuoteFormat()
{
    QTextCharFormat format;
    format.setProperty(kExactQuote, true);
    return format;
}

// The fragments of each mark, in order; a mark is whole while they stand
// together and show exactly «source».
struct Mark
{
    QString shown;
    QString source;
    int end = -1; // behind the last fragment
    bool apart = false; // something else stands between two fragments
};

QHash<int, Mark> marksOf(const QTextDocument &document)
{
    QHash<int, Mark> marks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.hasProperty(kMarkNumber))
                continue;
            Mark &mark = marks[format.intProperty(kMarkNumber)];
            mark.apart = mark.apart || (mark.end >= 0 && mark.end != fragment.position());
            mark.end = fragment.position() + fragment.length();
            mark.shown += fragment.text();
            mark.source = format.stringProperty(kMarkSource);
        }
    }
    return marks;
}

bool isWhole(const Mark &mark)
{
    return !mark.apart && mark.shown == quillon::model::markedExpression(mark.source);
}

// A fragment's text as the box's plain text gives it, as the store and the
// count see it: a line separator is a line break, a no-break space a blank.
QString asPlainText(QString text)
{
    text.replace(QChar::Nbsp, u' ');
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

// Whether any character from..to-1 belongs to a mark or is a read quote.
bool holdsMarks(const QTextDocument &document, int from, int to)
{
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (fragment.position() + fragment.length() > from && fragment.position() < to
                && (format.hasProperty(kMarkNumber) || format.hasProperty(kExactQuote)))
                return true;
        }
    }
    return false;
}

} // namespace

MessageParts markedParts(const QTextDocument &document)
{
    const QHash<int, Mark> marks = marksOf(document);
    MessageParts parts;
    int lastMark = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            appendPart(parts, { MessagePart::Kind::Text, QStringLiteral("\r\n") });
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const int number = format.intProperty(kMarkNumber);
            if (number != 0 && isWhole(marks.value(number))) {
                if (number != lastMark)
                    parts.append({ MessagePart::Kind::Expression, marks.value(number).source });
                lastMark = number;
                continue;
            }
            lastMark = 0;
            const bool exact = format.boolProperty(kExactQuote);
            appendPart(parts,
                { exact ? MessagePart::Kind::ExactText : MessagePart::Kind::Text,
                    asPlainText(fragment.text()) });
        }
    }
    return parts;
}

ExpressionMarks::ExpressionMarks(QPlainTextEdit &box)
    : QObject(&box)
    , box(box)
{
    connect(
        box.document(), &QTextDocument::contentsChange, this, &ExpressionMarks::keepTypingUnmarked);
    connect(&box, &QPlainTextEdit::cursorPositionChanged, this, &ExpressionMarks::typeUnmarked);
}

// Typed text takes the cursor's format, which is the one of the character
// before it: beside a mark or a read quote the cursor is given the plain
// format, so typing needs no correction and is undone in one step.
void ExpressionMarks::typeUnmarked()
{
    if (!mayHoldMarks || box.textCursor().hasSelection())
        return;
    const QTextCharFormat format = box.currentCharFormat();
    if (format.hasProperty(kMarkNumber) || format.hasProperty(kExactQuote))
        box.setCurrentCharFormat(QTextCharFormat());
}

void ExpressionMarks::setParts(const MessageParts &parts)
{
    box.clear();
    QTextCursor cursor(box.document());
    const QTextCharFormat plain;
    // The call taken over is where the box's history begins, as after
    // loading; undoing into half of it would leave pieces of marks.
    box.document()->setUndoRedoEnabled(false);
    repairing = true;
    for (const MessagePart &part : parts) {
        if (part.isExpression()) {
            cursor.insertText(
                quillon::model::markedExpression(part.text), markFormat(nextMark++, part.text));
            continue;
        }
        const QStringList pieces
            = QString(part.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'"');
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                cursor.insertText(QStringLiteral("\""),
                    part.kind == MessagePart::Kind::ExactText ? exactQuoteFormat() : plain);
            cursor.insertText(pieces[i], plain);
        }
    }
    repairing = false;
    box.document()->setUndoRedoEnabled(true);
    mayHoldMarks = true;
    box.setTextCursor(cursor);
    box.setCurrentCharFormat(plain);
}

MessageParts ExpressionMarks::parts() const
{
    return markedParts(*box.document());
}

// Characters put over a selection or dropped take the format of the one
// before them; they are text whatever that was.
void ExpressionMarks::keepTypingUnmarked(int position, int removed, int added)
{
    if (repairing || (added == 0 && removed == 0))
        return;
    if (isUndoOrRedo()) {
        // It brings back a state the box held, corrected as it was then;
        // a mark it brings back must stay one.
        mayHoldMarks = true;
        return;
    }
    if (!mayHoldMarks)
        return;
    if (added > 0 && holdsMarks(*box.document(), position, position + added))
        clearFormats({ { position, added } });
    // Outside the change's own signal, which must not see the text change.
    QTimer::singleShot(0, this, &ExpressionMarks::dissolveBrokenMarks);
}

// Any edit of the user's empties the redo history before the box hears of
// it; only an undo, or a redo with more to redo, leaves some.
bool ExpressionMarks::isUndoOrRedo() const
{
    return box.document()->isRedoAvailable();
}

// The corrections join the edit they follow where that is a block of steps
// (text put over a selection, a drop), so that one undo takes back both.
void ExpressionMarks::clearFormats(const QList<std::pair<int, int>> &ranges)
{
    QTextCursor cursor(box.document());
    repairing = true;
    cursor.joinPreviousEditBlock();
    for (const auto &[position, length] : ranges) {
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(QTextCharFormat());
    }
    cursor.endEditBlock();
    repairing = false;
}

// A mark the user has edited into or cut apart is text again, and looks it.
void ExpressionMarks::dissolveBrokenMarks()
{
    if (isUndoOrRedo())
        return;
    const QHash<int, Mark> marks = marksOf(*box.document());
    QList<std::pair<int, int>> broken; // position, length
    bool readQuotes = false;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int number = fragment.charFormat().intProperty(kMarkNumber);
            readQuotes = readQuotes || fragment.charFormat().hasProperty(kExactQuote);
            if (number != 0 && !isWhole(marks.value(number)))
                broken.append({ fragment.position(), fragment.length() });
        }
    }
    mayHoldMarks = readQuotes || std::any_of(marks.cbegin(), marks.cend(), isWhole);
    if (!broken.isEmpty())
        clearFormats(broken);
}
