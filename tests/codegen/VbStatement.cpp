#include "VbStatement.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

class Reader
{
public:
    explicit Reader(const QString &code)
        : m_code(code)
    { }

    VbStatement read()
    {
        VbStatement statement;
        if (!m_code.startsWith(u"    MsgBox"_s))
            return failed(u"no MsgBox statement"_s);
        m_pos = 10;
        if (!readExpression(statement.prompt))
            return failed(m_error);
        if (peek() == u',') {
            ++m_pos;
            if (!readButtons(statement.buttons))
                return failed(m_error);
            if (peek() == u',') {
                ++m_pos;
                if (!readExpression(statement.title))
                    return failed(m_error);
                statement.hasTitle = true;
            }
        }
        skipBlanks();
        if (QStringView(m_code).sliced(m_pos) != u"\r\n")
            return failed(u"unexpected text at %1"_s.arg(m_pos));
        for (const QString &line : m_code.split(u"\r\n"_s)) {
            if (line.size() > 1023)
                return failed(u"line longer than 1023 characters"_s);
        }
        statement.valid = true;
        return statement;
    }

private:
    VbStatement failed(const QString &error) const
    {
        VbStatement statement;
        statement.error = error;
        return statement;
    }

    QChar peek()
    {
        skipBlanks();
        return m_pos < m_code.size() ? m_code[m_pos] : QChar();
    }

    // Blanks and line continuations are white space between tokens.
    void skipBlanks()
    {
        for (;;) {
            while (m_pos < m_code.size() && m_code[m_pos] == u' ')
                ++m_pos;
            if (QStringView(m_code).sliced(m_pos).startsWith(u"_\r\n") && m_pos > 0
                && m_code[m_pos - 1] == u' ')
                m_pos += 3;
            else
                return;
        }
    }

    // Literals and the constants vbNewline, vbCr and vbLf, joined by &.
    bool readExpression(QString &value)
    {
        for (;;) {
            if (peek() == u'"') {
                QString literal;
                if (!readLiteral(literal))
                    return false;
                value += literal;
            } else if (acceptWord(u"vbNewline")) {
                value += u"\r\n"_s;
            } else if (acceptWord(u"vbCr")) {
                value += u'\r';
            } else if (acceptWord(u"vbLf")) {
                value += u'\n';
            } else {
                m_error = u"expected a string piece at %1"_s.arg(m_pos);
                return false;
            }
            if (peek() != u'&')
                return true;
            ++m_pos;
        }
    }

    bool acceptWord(QStringView word)
    {
        const QStringView rest = QStringView(m_code).sliced(m_pos);
        if (!rest.startsWith(word)
            || (rest.size() > word.size() && rest[word.size()].isLetterOrNumber()))
            return false;
        m_pos += word.size();
        return true;
    }

    bool readLiteral(QString &literal)
    {
        if (m_pos >= m_code.size() || m_code[m_pos] != u'"') {
            m_error = u"expected a string literal at %1"_s.arg(m_pos);
            return false;
        }
        ++m_pos;
        for (;;) {
            if (m_pos >= m_code.size() || m_code[m_pos] == u'\r' || m_code[m_pos] == u'\n') {
                m_error = u"unterminated string literal"_s;
                return false;
            }
            if (m_code[m_pos] == u'"') {
                if (m_pos + 1 < m_code.size() && m_code[m_pos + 1] == u'"') {
                    literal += u'"';
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                return true;
            }
            literal += m_code[m_pos++];
        }
    }

    bool readButtons(QString &buttons)
    {
        QStringList terms;
        for (;;) {
            skipBlanks();
            const qsizetype start = m_pos;
            while (m_pos < m_code.size() && m_code[m_pos].isLetterOrNumber())
                ++m_pos;
            if (m_pos > start)
                terms << m_code.mid(start, m_pos - start);
            skipBlanks();
            if (!QStringView(m_code).sliced(m_pos).startsWith(u"Or ")) {
                buttons = terms.join(u" Or "_s);
                return true;
            }
            m_pos += 3;
        }
    }

    const QString &m_code;
    qsizetype m_pos = 0;
    QString m_error;
};

} // namespace

VbStatement readVbStatement(const QString &code)
{
    return Reader(code).read();
}
