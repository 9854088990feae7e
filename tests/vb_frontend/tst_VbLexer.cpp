#include "vb_frontend/VbLexer.h"

#include <QStringList>
#include <QTest>

using namespace quillon::frontend::vb;
using namespace Qt::StringLiterals;

namespace {

// The tokens of `code` in one line: ";" for a statement's end, a literal in
// quotes, a number as its value (with "!" where too big, "~" before one not
// whole), a symbol or word
// as written, and the error's text where the tokens end in one.
QString tokensOf(const QString &code)
{
    Lexer lexer(code, quillon::model::Dialect::Vb6);
    QStringList shown;
    for (Token token = lexer.next(); token.kind != Kind::End; token = lexer.next()) {
        switch (token.kind) {
        case Kind::StatementEnd:
            shown.append(u";"_s);
            break;
        case Kind::String:
            shown.append(u'"' + token.text.toString() + u'"');
            break;
        case Kind::Number:
            shown.append(token.overflow
                    ? u"!"_s
                    : (token.whole ? u""_s : u"~"_s) + QString::number(token.number));
            break;
        case Kind::Error:
            shown.append(lexer.error());
            return shown.join(u' ');
        default:
            shown.append(token.text.toString());
        }
    }
    return shown.join(u' ');
}

} // namespace

class tst_VbLexer : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("tokens");

        QTest::newRow("a call") << u"MsgBox \"Hallo\", 36"_s << u"MsgBox \"Hallo\" , 36"_s;
        QTest::newRow("doubled quotes stay as written")
            << u"x = \"a \"\"b\"\"\""_s << u"x = \"a \"\"b\"\"\""_s;
        QTest::newRow("continuation") << u"MsgBox _\r\n  \"a\""_s << u"MsgBox \"a\""_s;
        QTest::newRow("an underscore in a name is no continuation") << u"a_ = 1"_s << u"a_ = 1"_s;
        QTest::newRow("CR LF, CR and LF end statements") << u"a\r\nb\rc\nd"_s << u"a ; b ; c ; d"_s;
        QTest::newRow("colon ends, := names an argument")
            << u"x: MsgBox Prompt:=\"a\""_s << u"x ; MsgBox Prompt := \"a\""_s;
        QTest::newRow("comment, also over a continuation")
            << u"a ' eins _\r\n zwei\r\nb"_s << u"a ; b"_s;
        QTest::newRow("Rem only where a statement starts")
            << u"Rem weg\r\nx = Rem"_s << u"; x = Rem"_s;
        QTest::newRow("a $ ends a word") << u"Space$(3)"_s << u"Space$ ( 3 )"_s;
        QTest::newRow("hex and octal wrap as Integer, & makes Long")
            << u"&HFFFF &HFFFF& &O17 &H80000000"_s << u"-1 65535 15 -2147483648"_s;
        QTest::newRow("fractions, exponents and suffixes are no whole numbers")
            << u"1.5 2E-3 7# 1.x"_s << u"~1 ~2 ~7 1 . x"_s;
        QTest::newRow("a number too big for any argument") << u"99999999999999"_s << u"!"_s;
        QTest::newRow("unclosed literal, with line and column")
            << u"a\r\nMsgBox \"x"_s
            << u"a ; MsgBox Zeile 2, Spalte 8: Dem Text fehlt das schließende Anführungszeichen."_s;
        QTest::newRow("a continuation with nothing after it")
            << u"MsgBox _\r\n"_s
            << u"MsgBox Zeile 1, Spalte 8: Hinter dem Zeilenfortsetzungszeichen folgt nichts."_s;
    }

    void tokens()
    {
        QFETCH(QString, code);
        QFETCH(QString, tokens);
        QCOMPARE(tokensOf(code), tokens);
    }
};

QTEST_MAIN(tst_VbLexer)
#include "tst_VbLexer.moc"
