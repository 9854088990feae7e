#include "source_files/SourceCalls.h"

#include "code_writer/Reformat.h"
#include "source_files/SourceFile.h"
#include "source_files/SourceLines.h"
#include "vb_frontend/VbDialect.h"
#include "vb_frontend/VbReader.h"

#include <QRegularExpression>
#include <QStringBuilder>

#include <algorithm>
#include <optional>

namespace quillon::sources {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QStringView kCrLf = u"\r\n";

// One line of a message from the core's lines of CR LF.
QString oneLine(const QString &message)
{
    return message.split(kCrLf.toString(), Qt::SkipEmptyParts).join(u' ');
}

QStringView withoutFinalBreak(QStringView crlfText)
{
    return crlfText.endsWith(kCrLf) ? crlfText.chopped(kCrLf.size()) : crlfText;
}

qsizetype linesIn(QStringView crlfText)
{
    return crlfText.count(kCrLf) + (crlfText.endsWith(kCrLf) || crlfText.isEmpty() ? 0 : 1);
}

// The reader names the place of what it cannot read in the code it was
// given: "Zeile 2, Spalte 17: ...". Nothing where it names none.
std::optional<SourceFinding> locatedError(const QString &error)
{
    static const QRegularExpression place(u"^Zeile (\\d+), Spalte (\\d+): "_s);
    const QRegularExpressionMatch match = place.match(error);
    if (!match.hasMatch())
        return std::nullopt;
    return SourceFinding { match.captured(1).toLongLong(), match.captured(2).toLongLong(),
        error.sliced(match.capturedLength()) };
}

// Walks the file's calls from the top: reads the first call of the code
// from where the last one ended to the end of the next statement that names
// MsgBox, so that each line is read once, and copies the code between the
// calls as it stands.
class CallWalk
{
public:
    CallWalk(QStringView text, const RelayoutRequest &request)
        : m_text(text)
        , m_code(request.scriptPartsOnly ? scriptPartsOf(text) : text.toString())
        , m_lines(sourceLines(text))
        , m_request(request)
        , m_dialect(request.dialect ? *request.dialect
                                    : frontend::dialectOfCode(m_code, model::Dialect::Vb6))
        , m_goingOn(frontend::linesGoingOn(m_code, m_dialect))
    { }

    RelaidSource run()
    {
        qsizetype from = designerHeaderLines(m_code, m_lines);
        for (qsizetype line = from; line < m_lines.size(); ++line) {
            if (!lineText(line).contains(u"MsgBox", Qt::CaseInsensitive))
                continue;
            from = readCall(from, statementBegin(line, from), statementEnd(line));
            line = std::max(from, line + 1) - 1;
        }
        m_result.text.append(m_text.sliced(m_copied));
        return std::move(m_result);
    }

private:
    QStringView lineText(qsizetype line) const
    {
        return QStringView(m_code).sliced(m_lines[line].begin, m_lines[line].length);
    }

    qsizetype statementBegin(qsizetype line, qsizetype first) const
    {
        while (line > first && m_goingOn[line - 1])
            --line;
        return line;
    }

    qsizetype statementEnd(qsizetype line) const
    {
        while (line + 1 < m_lines.size() && m_goingOn[line])
            ++line;
        return line + 1;
    }

    // Lines [first, end) as the reader gives them back: each break a CR LF.
    QString codeOf(qsizetype first, qsizetype end) const
    {
        QString code;
        for (qsizetype line = first; line < end; ++line)
            code += lineText(line) % (m_lines[line].breakLength > 0 ? kCrLf : QStringView());
        return code;
    }

    // The statements before the call are read for the tool's own sText;
    // where one of them is code the reader cannot take, the call is read
    // alone. Gives the line to go on from.
    qsizetype readCall(qsizetype from, qsizetype statement, qsizetype end)
    {
        QString code = codeOf(from, end);
        frontend::VbReadResult read = frontend::readMsgBox(code, m_dialect, m_request.reading);
        if (!read.found() && from < statement) {
            const std::optional<SourceFinding> error = locatedError(read.error());
            if (error && from + error->line - 1 < statement) {
                from = statement;
                code = codeOf(from, end);
                read = frontend::readMsgBox(code, m_dialect, m_request.reading);
            }
        }
        if (read.found())
            return writeAnew(read.call(), from, code);
        // Without a place, the reader found no call: MsgBox was named in a
        // comment, a string or another name.
        if (const std::optional<SourceFinding> error = locatedError(read.error()))
            m_result.kept.append({ from + error->line, error->column, error->message });
        return end;
    }

    qsizetype writeAnew(const frontend::VbCall &call, qsizetype from, const QString &code)
    {
        const frontend::VbCallPlace &place = call.place;
        const QStringView region
            = QStringView(code).sliced(place.before.size()).chopped(place.after.size());
        const qsizetype first = from + place.before.count(kCrLf);
        const qsizetype end = first + linesIn(region);
        const bool covered
            = m_request.onlyLine == 0 || (m_request.onlyLine > first && m_request.onlyLine <= end);
        if (!covered || call.prompt.isEmpty() || !readAsWritten(first, end))
            return end;
        m_result.lineCovered = true;
        const qsizetype column
            = 1 + place.indentation.size() + (place.lead.contains(kCrLf) ? 0 : place.lead.size());
        const Written written = writtenInPlace(call);
        if (!written.refusal.isEmpty())
            m_result.kept.append({ first + 1, column, written.refusal });
        else if (!written.lines.isEmpty() && written.lines != withoutFinalBreak(region))
            replace(first, end, written.lines, column);
        return end;
    }

    // Whether lines [first, end) are read as the file holds them: a call
    // that shares its line with a script's markup stays as it stands, so
    // that the markup does too.
    bool readAsWritten(qsizetype first, qsizetype end) const
    {
        const SourceLine &last = m_lines[end - 1];
        const qsizetype begin = m_lines[first].begin;
        const qsizetype length = last.begin + last.length - begin;
        return m_text.sliced(begin, length) == QStringView(m_code).sliced(begin, length);
    }

    struct Written
    {
        QString lines; // the call's lines, without the break of the last; empty for none
        QString refusal; // why it cannot be written anew
    };

    Written writtenInPlace(const frontend::VbCall &call) const
    {
        const frontend::VbCallPlace &place = call.place;
        writer::FormatRequest request = writer::requestToWriteAnew(call);
        request.codeWidth = m_request.codeWidth;
        request.dialect = m_dialect;
        const writer::FormatResult result = writer::formatInPlace(call, request);
        if (result.outcome == writer::FormatOutcome::Refused)
            return { {}, oneLine(result.refusalMessage) };
        if (result.outcome == writer::FormatOutcome::EmptyMessage)
            return {};
        const QStringView code = result.code;
        if (!code.startsWith(place.before) || !code.endsWith(place.after))
            return { {}, u"the call could not be written anew in its place"_s };
        return { withoutFinalBreak(code.sliced(place.before.size()).chopped(place.after.size()))
                     .toString(),
            {} };
    }

    void replace(qsizetype first, qsizetype end, const QString &laidOut, qsizetype column)
    {
        QString lines = laidOut;
        lines.replace(kCrLf.toString(), lineBreakAt(first));
        if (!model::encodeText(lines, m_request.encoding)) {
            m_result.kept.append({ first + 1, column,
                u"the call written anew would need characters that %1 cannot hold"_s.arg(
                    model::encodingName(m_request.encoding)) });
            return;
        }
        m_result.changed.append({ first + 1, column, {} });
        const SourceLine &last = m_lines[end - 1];
        m_result.text.append(m_text.sliced(m_copied, m_lines[first].begin - m_copied));
        m_result.text.append(lines);
        m_copied = last.begin + last.length;
    }

    // The call's lines are written with the break of its own first line,
    // or on a last line without one, with the break of the line before.
    QString lineBreakAt(qsizetype line) const
    {
        for (qsizetype i = line; i < m_lines.size(); ++i) {
            if (m_lines[i].breakLength > 0)
                return breakOf(i);
        }
        for (qsizetype i = line - 1; i >= 0; --i) {
            if (m_lines[i].breakLength > 0)
                return breakOf(i);
        }
        return kCrLf.toString();
    }

    QString breakOf(qsizetype line) const
    {
        const SourceLine &l = m_lines[line];
        return m_text.sliced(l.begin + l.length, l.breakLength).toString();
    }

    QStringView m_text; // as the file holds it, for what is copied
    QString m_code; // as it is read: the text, or only its script parts
    QList<SourceLine> m_lines;
    RelayoutRequest m_request;
    model::Dialect m_dialect;
    QList<bool> m_goingOn; // by line: its statement goes on in the next
    RelaidSource m_result;
    qsizetype m_copied = 0;
};

} // namespace

RelaidSource relayOutCalls(QStringView text, const RelayoutRequest &request)
{
    return CallWalk(text, request).run();
}

QList<SourceFinding> limitFindings(QStringView text, model::Dialect dialect)
{
    const QList<SourceLine> lines = sourceLines(text);
    const QList<bool> goingOn = frontend::linesGoingOn(text, dialect);
    const int continuationLimit = model::rulesOf(dialect).continuationLimit;
    QList<SourceFinding> findings;
    qsizetype statement = designerHeaderLines(text, lines);
    for (qsizetype i = statement; i < lines.size(); ++i) {
        const QStringView line = text.sliced(lines[i].begin, lines[i].length);
        if (line.size() > kLongestLine)
            findings.append({ i + 1, kLongestLine + 1,
                u"the line is %1 characters long; VB takes %2"_s.arg(line.size())
                    .arg(kLongestLine) });
        if (goingOn[i] && i + 1 < lines.size())
            continue;
        const qsizetype continuations = i - statement;
        if (continuationLimit > 0 && continuations > continuationLimit)
            findings.append({ statement + 1, 1,
                u"the statement has %1 line continuations; VB takes %2"_s.arg(continuations)
                    .arg(continuationLimit) });
        statement = i + 1;
    }
    return findings;
}

} // namespace quillon::sources
