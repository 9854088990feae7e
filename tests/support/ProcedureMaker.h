#pragma once

#include "tests/support/MessageMaker.h"

#include <QSet>
#include <QString>
#include <QStringList>

// Random VB procedures around one MsgBox call, for comparing the reader with
// the reference evaluator: assignments of fixed and run-time text, blocks,
// one-line Ifs, labels and line numbers, procedure calls that take a
// variable, several procedures, continuations at random places, any letter
// case, type characters, and every form a call stands in.
class ProcedureMaker
{
public:
    // What a procedure may hold, by name; each can be left out, to tell
    // which construct a disagreement comes from.
    static const QStringList &constructs();

    ProcedureMaker(ChoiceSource &source, const QSet<QString> &leftOut = {})
        : m_source(source)
        , m_leftOut(leftOut)
    { }

    QString procedure();

private:
    int pick(int bound) { return static_cast<int>(m_source.pick(static_cast<quint32>(bound))); }
    bool chance(int percent) { return pick(100) < percent; }
    bool uses(const QString &construct) const { return !m_leftOut.contains(construct); }
    QString oneOf(const QStringList &choices) { return choices[pick(choices.size())]; }

    QString cased(const QString &word);
    QString variable();
    QString literal();
    QString characterFunction();
    QString term(int depth);
    QString expression(int depth = 0);
    QString joint(const QString &op);
    QString gap();
    QString condition();
    QString assignment();
    QString procedureCall();
    QString simpleStatement();
    QString block(int depth);
    QString statement(int depth);
    QString openEndedLine();
    QString statements(int depth, int most);
    QString arguments();
    QString call();
    QString callInPlace();
    QString helper();

    ChoiceSource &m_source;
    QSet<QString> m_leftOut;
    QString m_indent;
    QString m_lastAssigned;
};
