#include "tests/support/ProcedureMaker.h"

using namespace Qt::Literals::StringLiterals;

const QStringList &ProcedureMaker::constructs()
{
    static const QStringList kNames {
        u"continuations"_s, // " _" at the end of a line
        u"labels"_s, // line labels and line numbers
        u"procedures"_s, // an earlier procedure that gives a variable text
        u"calls"_s, // procedures handed a variable
        u"line-ifs"_s, // one-line If ... Then a: b Else c
        u"blocks"_s, // If, For, With, Select Case, Do
        u"type-characters"_s, // s$ for s
        u"qualified"_s, // VBA.MsgBox, VBA.Interaction.MsgBox
        u"rare-constants"_s, // vbFormFeed, vbVerticalTab, VBA.Constants.vbCr
        u"bracketed-numbers"_s, // Chr((65)), String(2, (97)), codes beyond 255
        u"self-reference"_s, // s = s & String(2, s)
        u"named-arguments"_s, // Title:=..., Prompt:=...
        u"negative-numbers"_s, // "x" & -5
        u"call-in-loop"_s, // the call in a loop whose later rounds change its variables
        u"open-ended-lines"_s, // Dim hwnd&, ByVal 0&, &H8000&, Print zones: no VB.NET
    };
    return kNames;
}

QString ProcedureMaker::cased(const QString &word)
{
    switch (pick(6)) {
    case 0:
        return word.toLower();
    case 1:
        return word.toUpper();
    case 2: {
        QString mixed = word;
        for (QChar &c : mixed)
            c = chance(50) ? c.toUpper() : c.toLower();
        return mixed;
    }
    default:
        return word;
    }
}

QString ProcedureMaker::variable()
{
    const QString name = cased(oneOf({ u"sText"_s, u"s"_s, u"strMsg"_s, u"b2"_s, u"sTitel"_s }));
    return uses(u"type-characters"_s) && chance(25) ? name + u'$' : name;
}

QString ProcedureMaker::literal()
{
    static const QStringList kPieces { u"Hallo"_s, u" "_s, u"Größe: "_s, u"\"\""_s, u"x"_s, u"€"_s,
        u"'"_s, u"&"_s, u" _"_s, u"MsgBox"_s, u":"_s, u"é"_s };
    QString text;
    for (int n = pick(4); n > 0; --n)
        text += oneOf(kPieces);
    return u'"' + text + u'"';
}

QString ProcedureMaker::characterFunction()
{
    const bool bracketed = uses(u"bracketed-numbers"_s);
    const QString code = QString::number(chance(50) ? 32 + pick(95) : 160 + pick(96));
    const QString argument = bracketed && chance(25) ? u'(' + code + u')' : code;
    const QString dollar = chance(30) ? u"$"_s : QString();
    switch (pick(5)) {
    case 0:
        return cased(u"Chr"_s) + dollar + u'(' + argument + u')';
    case 1:
        return cased(u"ChrW"_s) + dollar + u'(' + oneOf({ argument, u"&H20AC"_s, u"8230"_s })
            + u')';
    case 2:
        return cased(u"Space"_s) + dollar + u'(' + (bracketed && chance(25) ? u"(2)"_s : u"3"_s)
            + u')';
    case 3:
        return cased(u"String"_s) + dollar + u'(' + QString::number(pick(4)) + u", " + literal()
            + u')';
    default:
        return cased(u"String"_s) + dollar + u"(2, "
            + (bracketed ? oneOf({ argument, u"321"_s, u"(97)"_s }) : code) + u')';
    }
}

QString ProcedureMaker::term(int depth)
{
    static const QStringList kConstants { u"vbCrLf"_s, u"vbNewLine"_s, u"vbCr"_s, u"vbLf"_s,
        u"vbTab"_s, u"vbBack"_s, u"vbNullChar"_s, u"vbNullString"_s };
    static const QStringList kRare { u"vbFormFeed"_s, u"vbVerticalTab"_s, u"VBA.vbCrLf"_s,
        u"VBA.Constants.vbCr"_s };
    static const QStringList kRunTime { u"Err.Description"_s, u"Left(sText, 1)"_s,
        u"Format$(Now, \"yyyy\")"_s, u"Application.Name"_s };
    switch (pick(12)) {
    case 0:
    case 1:
    case 2:
        return literal();
    case 3:
        return cased(uses(u"rare-constants"_s) && chance(30) ? oneOf(kRare) : oneOf(kConstants));
    case 4:
    case 5:
        return characterFunction();
    case 6:
        if (chance(15))
            return u"&H"_s + QString::number(pick(0x10000), 16).toUpper();
        return uses(u"negative-numbers"_s) && chance(15) ? u"-"_s + QString::number(pick(100))
                                                         : QString::number(pick(1000));
    case 7:
        return chance(30) ? cased(u"MELDUNG"_s) : variable();
    case 8:
        return variable();
    case 9:
        return oneOf(kRunTime);
    default:
        return depth < 2 ? u'(' + expression(depth + 1) + u')' : literal();
    }
}

// An operator between terms, now and then with a continuation before or
// after it.
QString ProcedureMaker::joint(const QString &op)
{
    if (!uses(u"continuations"_s) || !chance(12))
        return u' ' + op + u' ';
    const QString next = u"\r\n"_s + m_indent + u"    "_s;
    return chance(50) ? QString(u' ' + op + u" _" + next) : QString(u" _"_s + next + op + u' ');
}

// A blank between two words, now and then continued on the next line.
QString ProcedureMaker::gap()
{
    return uses(u"continuations"_s) && chance(8) ? u" _\r\n"_s + m_indent + u"    "_s : u" "_s;
}

QString ProcedureMaker::expression(int depth)
{
    QString text = term(depth);
    for (int n = pick(4); n > 0; --n) {
        const QString next = term(depth);
        const bool texts = text.endsWith(u'"') && next.startsWith(u'"');
        text += joint(texts && chance(30) ? u"+"_s : u"&"_s) + next;
    }
    return text;
}

QString ProcedureMaker::condition()
{
    return oneOf({ u"x > 1"_s, u"bFertig"_s, u"Not bOk"_s, u"n = 2"_s, u"Len(sText) = 0"_s });
}

QString ProcedureMaker::assignment()
{
    const QString target = m_lastAssigned = variable();
    QString value = expression();
    if (uses(u"self-reference"_s) && chance(15))
        value = target + joint(u"&"_s) + cased(u"String"_s) + u"(2, "_s + target + u')';
    return (chance(10) ? cased(u"Let "_s) : QString()) + target + u" = "_s + value;
}

QString ProcedureMaker::procedureCall()
{
    const QString passed = variable();
    switch (pick(4)) {
    case 0:
        return u"Aufraeumen "_s + passed;
    case 1:
        return cased(u"Call"_s) + u" Aufraeumen(1, "_s + passed + u')';
    case 2:
        return u"Aufraeumen ("_s + passed + u')'; // by value: passed stays as it is
    default:
        return u"x = Pruefen("_s + passed + u')';
    }
}

QString ProcedureMaker::simpleStatement()
{
    if (uses(u"calls"_s) && chance(25))
        return procedureCall();
    return chance(85) ? assignment() : cased(u"Exit Sub"_s);
}

QString ProcedureMaker::block(int depth)
{
    const QString inner = statements(depth + 1, 3);
    const QString line = u"\r\n"_s + m_indent;
    switch (pick(7)) {
    case 6:
        return cased(u"While "_s) + condition() + inner + line + cased(u"Wend"_s);
    case 0:
        return cased(u"If "_s) + condition() + cased(u" Then"_s) + inner
            + (chance(40) ? line + cased(u"Else"_s) + statements(depth + 1, 2) : QString()) + line
            + cased(u"End If"_s);
    case 1:
        return cased(u"For"_s) + u" i = 1 "_s + cased(u"To"_s) + u" 3"_s + inner + line
            + cased(u"Next"_s);
    case 2:
        return cased(u"With"_s) + u" Me"_s + inner + line + cased(u"End With"_s);
    case 3:
        return cased(u"Select Case"_s) + u" n"_s + line + cased(u"Case"_s) + u" 1"_s + inner + line
            + cased(u"Case Else"_s) + statements(depth + 1, 2) + line + cased(u"End Select"_s);
    case 4:
        return cased(u"Do While "_s) + condition() + inner + line + cased(u"Loop"_s);
    default:
        return cased(u"Do"_s) + inner + line + cased(u"Loop Until "_s) + condition();
    }
}

QString ProcedureMaker::statement(int depth)
{
    const int kind = pick(10);
    if ((kind == 0 || kind == 6) && uses(u"blocks"_s) && depth < 2)
        return block(depth);
    if (kind == 1 && uses(u"line-ifs"_s)) {
        return cased(u"If "_s) + condition() + cased(u" Then "_s) + simpleStatement()
            + (chance(40) ? u": "_s + simpleStatement() : QString())
            + (chance(20) ? u": "_s + simpleStatement() : QString())
            + (chance(30) ? cased(u" Else "_s) + simpleStatement() : QString());
    }
    if (kind == 2 && uses(u"labels"_s))
        return chance(50) ? u"Weiter:"_s
                          : QString::number(10 + pick(900)) + u' ' + simpleStatement();
    if (kind == 3)
        return simpleStatement() + u": "_s + simpleStatement();
    if (kind == 4)
        return cased(u"Dim "_s) + variable() + (chance(50) ? cased(u" As String"_s) : QString());
    if (kind == 5 && uses(u"open-ended-lines"_s) && chance(50))
        return openEndedLine();
    if (kind == 5)
        return chance(50) ? u"' Kommentar"_s
                          : cased(u"Const MELDUNG = "_s) + literal() + u" & vbLf"_s;
    return simpleStatement();
}

// VB6 lines that end where another VB would go on: in a type character, a
// typed literal, a Print zone or a comment's & or comma.
QString ProcedureMaker::openEndedLine()
{
    return oneOf({ cased(u"Dim "_s) + u"hwnd&"_s,
        u"SendMessage hwnd, WM_CLOSE, "_s + cased(u"ByVal"_s) + u" 0&, "_s + cased(u"ByVal"_s)
            + u" 0&"_s,
        cased(u"Const"_s) + u" KFARBE "_s + cased(u"As Long"_s) + u" = &H8000&"_s,
        cased(u"Print"_s) + u" #1, \"Wert:\","_s, u"Debug.Print \"Wert:\";"_s,
        u"n% = 2 ' weiter &"_s, u"' Liste: a,"_s });
}

QString ProcedureMaker::statements(int depth, int most)
{
    const QString outer = m_indent;
    m_indent += u"    "_s;
    QString text;
    for (int n = pick(most + 1); n > 0; --n)
        text += u"\r\n"_s + m_indent + statement(depth);
    m_indent = outer;
    return text;
}

QString ProcedureMaker::arguments()
{
    // Often what was given last, to follow it through the code between.
    QString prompt = expression();
    if (!m_lastAssigned.isEmpty() && chance(40))
        prompt = m_lastAssigned + joint(u"&"_s) + prompt;
    if (chance(10))
        prompt = u'(' + prompt + u')';
    const QString buttons = oneOf({ QString(), u"vbOKOnly"_s, u"vbYesNo + vbQuestion"_s,
        cased(u"vbDefaultButton2"_s), u"vbCritical"_s });
    const QString title = chance(60) ? expression() : QString();
    if (uses(u"named-arguments"_s) && chance(15)) {
        QStringList named { cased(u"Prompt"_s) + u":="_s + prompt };
        if (!buttons.isEmpty())
            named.insert(pick(2), cased(u"Buttons"_s) + u":="_s + buttons);
        if (!title.isEmpty())
            named.insert(pick(named.size() + 1), cased(u"Title"_s) + u":="_s + title);
        return named.join(u", "_s);
    }
    QString comma = joint(u","_s);
    if (comma.startsWith(u" ,"))
        comma.remove(0, 1);
    if (title.isEmpty())
        return buttons.isEmpty() ? prompt : prompt + comma + buttons;
    return prompt + comma + buttons + comma + title;
}

QString ProcedureMaker::call()
{
    QString name = cased(u"MsgBox"_s);
    if (uses(u"qualified"_s) && chance(25))
        name = cased(chance(50) ? u"VBA."_s : u"VBA.Interaction."_s) + name;
    const QString opening = gap();
    const QString bracketed
        = name + u'(' + (opening == u" " ? QString() : opening) + arguments() + u')';
    const QString line = u"\r\n"_s + m_indent;
    switch (pick(7)) {
    case 0:
        return u"x ="_s + gap() + bracketed;
    case 1:
        return cased(u"If"_s) + gap() + bracketed + u" = vbYes "_s + cased(u"Then"_s)
            + statements(1, 2) + line + cased(u"End If"_s);
    case 2:
        return cased(u"Select Case"_s) + gap() + bracketed + line + cased(u"Case"_s) + u" vbYes"_s
            + statements(1, 2) + line + cased(u"End Select"_s);
    case 3:
        return cased(u"Call"_s) + gap() + bracketed;
    case 4:
        if (uses(u"line-ifs"_s))
            return cased(u"If "_s) + condition() + cased(u" Then "_s) + name + gap() + arguments();
        [[fallthrough]];
    case 5:
        if (uses(u"labels"_s))
            return QString::number(100 + pick(900)) + u' ' + name + gap() + arguments();
        [[fallthrough]];
    default:
        return name + gap() + arguments();
    }
}

// The call where it stands: alone, or in a loop whose later rounds may
// change what it shows.
QString ProcedureMaker::callInPlace()
{
    if (!uses(u"call-in-loop"_s) || !chance(20))
        return call();
    const QString outer = m_indent;
    m_indent += u"    "_s;
    const QString inside = statements(1, 2) + u"\r\n"_s + m_indent + call() + statements(1, 2);
    m_indent = outer;
    return cased(u"Do"_s) + inside + u"\r\n"_s + m_indent + cased(u"Loop Until "_s) + condition();
}

QString ProcedureMaker::helper()
{
    return cased(u"Sub"_s) + u" Vorbereiten()"_s + statements(0, 3) + u"\r\n"_s
        + cased(u"End Sub"_s) + u"\r\n"_s;
}

QString ProcedureMaker::procedure()
{
    m_indent.clear();
    m_lastAssigned.clear();
    const bool wrapped = chance(60);
    QString text = uses(u"procedures"_s) && chance(30) ? helper() : QString();
    if (wrapped)
        text += cased(oneOf({ u"Sub"_s, u"Private Sub"_s, u"Public Sub"_s })) + u" Test()"_s;
    text += statements(0, 6);
    m_indent = wrapped ? u"    "_s : QString();
    text += u"\r\n"_s + m_indent + callInPlace() + statements(0, 2);
    if (chance(20))
        text += u"\r\n"_s + m_indent + cased(u"MsgBox"_s) + u" \"Der zweite Aufruf\""_s;
    if (wrapped)
        text += u"\r\n"_s + cased(u"End Sub"_s);
    return text.startsWith(u"\r\n"_s) ? text.sliced(2) : text;
}
