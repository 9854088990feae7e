#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace quillon::model {

// A piece of a message or title: text, or a VB expression whose value is
// known only when the program runs.
struct MessagePart
{
    enum class Kind {
        Text, // typed: a quote goes into the code as two apostrophes
        ExactText, // read from VB code: a quote stays a quote, written ""
        Expression, // VB source as written, spelling and case included
    };
    Kind kind = Kind::Text;
    QString text; // line breaks as CR LF; an expression's source

    bool isExpression() const { return kind == Kind::Expression; }
    friend bool operator==(const MessagePart &, const MessagePart &) = default;
};

using MessageParts = QList<MessagePart>;

// Appends the part: text joins a text part of the same kind before it, and
// empty text is left out, so that equal messages have equal parts.
void appendPart(MessageParts &parts, MessagePart part);

// An expression as the tool shows it where its value would stand: its source
// between « and ».
QString markedExpression(QStringView source);

// The parts as a message box would show them, each expression marked.
QString shownText(const MessageParts &parts);

} // namespace quillon::model
