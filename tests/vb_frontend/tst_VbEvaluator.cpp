#include "vb_frontend/VbEvaluator.h"

#include <QTest>

using namespace quillon::frontend::vb;
using namespace Qt::StringLiterals;

namespace {

// Feeds each statement of `code` to the cursor; `x = ...` assigns, the last
// statement is evaluated as text. The value, or "!" and the refusal.
QString evaluated(const QString &code)
{
    Lexer lexer(code, quillon::model::Dialect::Vb6);
    Cursor cursor(code);
    Evaluator evaluator(cursor);
    QList<Token> tokens;
    for (Token token = lexer.next();; token = lexer.next()) {
        tokens.append(token);
        if (token.kind != Kind::StatementEnd && token.kind != Kind::End)
            continue;
        cursor.start(std::exchange(tokens, {}));
        if (token.kind == Kind::End)
            break;
        cursor.advance(2);
        evaluator.assign(cursor.tokenAt(0).text);
        cursor.forgetFailure();
    }
    QString value;
    if (!evaluator.text(value) || !cursor.atStatementEnd())
        return u"!"_s + cursor.failure();
    return value;
}

} // namespace

class tst_VbEvaluator : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("value");

        QTest::newRow("literals, & and +") << u"\"a\" & \"b\" + \"c\""_s << u"abc"_s;
        QTest::newRow("a doubled quote is one") << u"\"sag \"\"ja\"\"\""_s << u"sag \"ja\""_s;
        QTest::newRow("string constants, any case")
            << u"\"a\" & VBCRLF & vbTab & vbNullString"_s << u"a\r\n\t"_s;
        QTest::newRow("Chr is Windows-1252, ChrW UTF-16")
            << u"Chr(128) & Chr$(65) & ChrW(&H2026) & ChrW$(228)"_s << u"€A…ä"_s;
        QTest::newRow("Space and String")
            << u"Space(2) & String(3, \"xy\") & String$(2, 42)"_s << u"  xxx**"_s;
        QTest::newRow("whole numbers join with &") << u"\"Nr. \" & 12 & &HFF"_s << u"Nr. 12255"_s;
        QTest::newRow("a variable, also grown by itself")
            << u"s = \"a\"\r\ns = s & s & \"b\"\r\ns & \"!\""_s << u"aab!"_s;
        QTest::newRow("a variable read alone inside its own reassignment")
            << u"s = \"abc\"\r\ns = s & String(2, s) & (s)\r\ns"_s << u"abcaaabc"_s;
        QTest::newRow("s$ is s") << u"s = \"a\"\r\ns$ = \"b\"\r\nS & s$"_s << u"bb"_s;
        QTest::newRow("every string constant")
            << u"vbBack & vbFormFeed & vbVerticalTab & VBA.Constants.vbCr & VBA.vbLf"_s
            << u"\b\f\v\r\n"_s;
        QTest::newRow("numbers in parentheses, codes modulo 256")
            << u"String(2, (97)) & Chr((65)) & Space((2)) & String(2, 321) & VBA.Chr(66)"_s
            << u"aaA  AAB"_s;
        QTest::newRow("text of digits is text")
            << u"String(2, 97 & \"\") & String(2, (9) & 7)"_s << u"9999"_s;
        QTest::newRow("a qualified name that is no constant")
            << u"VBA.Constants.vbFoo"_s
            << u"!Zeile 1, Spalte 1: VBA.Constants.vbFoo ist kein fester Text."_s;
        QTest::newRow("a variable given no fixed text is unknown")
            << u"s = \"a\"\r\ns = Left(s, 1)\r\ns"_s
            << u"!Zeile 3, Spalte 1: s ist kein fester Text."_s;
        QTest::newRow("a number beside + is no text")
            << u"\"a\" + 1"_s
            << u"!Zeile 1, Spalte 7: Die Zahl 1 steht neben +; nur & verbindet sie als Text."_s;
        QTest::newRow("Chr out of range")
            << u"Chr(256)"_s
            << u"!Zeile 1, Spalte 5: Chr(256) liegt außerhalb des gültigen Bereichs."_s;
        QTest::newRow("nesting to the bound")
            << QString(200, u'(') + u"\"a\""_s + QString(200, u')') << u"a"_s;
        QTest::newRow("nesting past the bound")
            << QString(201, u'(') + u"\"a\""_s + QString(201, u')')
            << u"!Zeile 1, Spalte 201: Die Klammern sind zu tief verschachtelt."_s;
        QTest::newRow("a property")
            << u"\"x\" & Err.Description"_s
            << u"!Zeile 1, Spalte 7: Err.Description ist kein fester Text."_s;
    }

    void text()
    {
        QFETCH(QString, code);
        QFETCH(QString, value);
        QCOMPARE(evaluated(code), value);
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<qint64>("value");

        QTest::newRow("+ binds before Or") << u"vbYesNo + vbQuestion Or 256"_s << qint64(292);
        QTest::newRow("parentheses and hex") << u"(vbCritical Or &H1000&)"_s << qint64(4112);
        QTest::newRow("no MsgBox constant") << u"vbRed"_s << qint64(-1);
        QTest::newRow("beyond a Long") << u"2147483647 + 1"_s << qint64(-1);
        QTest::newRow("qualified, and -")
            << u"VBA.VbMsgBoxStyle.vbYesNoCancel - 1 + VbMsgBoxStyle.vbCritical + ( 70)"_s
            << qint64(88);
        QTest::newRow("a qualifier of something else") << u"Farben.vbYesNo"_s << qint64(-1);
    }

    void buttons()
    {
        QFETCH(QString, code);
        QFETCH(qint64, value);
        Lexer lexer(code, quillon::model::Dialect::Vb6);
        Cursor cursor(code);
        QList<Token> tokens;
        for (Token token = lexer.next(); tokens.append(token), token.kind != Kind::End;)
            token = lexer.next();
        cursor.start(tokens);
        qint64 computed = 0;
        QCOMPARE(Evaluator(cursor).buttonsValue(computed) ? computed : -1, value);
    }
};

QTEST_APPLESS_MAIN(tst_VbEvaluator)
#include "tst_VbEvaluator.moc"
