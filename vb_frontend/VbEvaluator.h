#pragma once

#include "vb_frontend/VbCursor.h"
#include "vb_model/VbConstants.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>

// What the reader of MsgBox calls computes itself: fixed text, and the
// whole numbers of the buttons argument, from the tokens of a statement.
namespace quillon::frontend::vb {

// The name by which VB knows a variable: any letter case, with or without
// its type character ($, %, &, ...).
QString variableKey(QStringView name);

// Evaluates text and number expressions as VB would, over a cursor: text
// from literals, the vb... string constants, Chr/ChrW of a number,
// Space/String of fixed arguments and whole numbers joined with &, and
// from the variables and constants given such text before; numbers and the
// MsgBox constants joined with +, -, &, And and Or. VB's own names may be
// qualified (VBA.Constants.vbCr, VbMsgBoxStyle.vbYesNo). What is not fixed
// is refused.
class Evaluator
{
public:
    explicit Evaluator(Cursor &cursor)
        : m_cursor(cursor)
    { }

    // Terms joined by & or +, all of them text; the values of variables
    // only where they are substituted.
    bool text(QString &into);
    void substituteVariables(bool substituted) { m_substitutes = substituted; }
    bool buttonsValue(qint64 &value);

    // Gives the variable of `name` the text the cursor is at, up to the
    // statement's end; where that is no fixed text, the variable is unknown
    // afterwards.
    bool assign(QStringView name);
    bool knows(QStringView name) const;
    // The variable's value is unknown from here on.
    void forget(QStringView name);
    void forgetAll() { m_variables.clear(); }
    // What the variable holds, where it holds fixed text.
    std::optional<QString> valueOf(QStringView name) const;
    void give(QStringView name, const QString &value);
    // All text copied from variables or repeated is past its bound.
    bool exhausted() const;

private:
    bool assignText(QStringView name);
    bool appendRest(QString &into);
    bool term(QString &into);
    bool wholeNumber(QString &into, bool negated);
    template<typename Inner> bool nested(Inner inner);
    bool named(QString &into);
    qsizetype qualifier(QStringView name, qsizetype ahead) const;
    std::optional<model::VbConstant> msgBoxConstant();
    static bool isTextFunction(const Token &function);
    bool textFunction(QString &into);
    bool variable(QString &into);
    bool character(QString &into, bool wide);
    bool repeated(QString &into, bool ofBlanks);
    bool fillerCharacter(const Token &function, QChar &filler);
    std::optional<qsizetype> wrappingParentheses() const;
    bool numberArgument(const Token &function, qint64 lowest, qint64 highest, qint64 &value);
    bool either(qint64 &value);
    bool both(qint64 &value);
    template<typename Combine>
    bool bitwise(
        qint64 &value, QStringView word, bool (Evaluator::*operand)(qint64 &), Combine combine);
    bool joined(qint64 &value);
    bool sum(qint64 &value);
    bool flag(qint64 &value);
    bool isWhole(const Token &number);
    bool copied(const Token &at, qsizetype length);
    bool forgotten(const QString &key);

    Cursor &m_cursor;
    QHash<QString, QString> m_variables; // by case-folded name
    QString m_self; // the variable being assigned to itself and more
    QString m_selfValue; // what it held before
    qsizetype m_copied = 0; // text copied from variables or repeated so far
    int m_depth = 0;
    bool m_substitutes = true;
};

} // namespace quillon::frontend::vb
