#include "lsp/CallService.h"

#include "cli/CommandLine.h"
#include "cli/SourceFiles.h"
#include "code_writer/Reformat.h"
#include "source_files/SourceFile.h"
#include "vb_frontend/VbDialect.h"
#include "vb_frontend/VbReader.h"
#include "vb_model/CodeForm.h"

#include <QJsonObject>
#include <QStringList>

#include <limits>

using namespace Qt::StringLiterals;

namespace lsp {
namespace {

// The lines of a document and where its statements end, as its dialect
// reads them.
class Statements
{
public:
    Statements(QStringView text, quillon::model::Dialect dialect)
        : m_index(text)
        , m_goingOn(quillon::frontend::linesGoingOn(text, dialect))
    { }

    const LineIndex &index() const { return m_index; }

    qsizetype firstLine(qsizetype line) const
    {
        while (line > 0 && goesOn(line - 1))
            --line;
        return line;
    }

    qsizetype lastLine(qsizetype line) const
    {
        while (line + 1 < m_index.lineCount() && goesOn(line))
            ++line;
        return line;
    }

    // From the place to the end of its statement.
    Range rangeFrom(Position start) const
    {
        const qsizetype last = lastLine(start.line);
        return { start, { last, m_index.lineLength(last) } };
    }

    Range linesOf(qsizetype line) const
    {
        return { { firstLine(line), 0 }, rangeFrom({ line, 0 }).end };
    }

private:
    bool goesOn(qsizetype line) const { return line < m_goingOn.size() && m_goingOn[line]; }

    LineIndex m_index;
    QList<bool> m_goingOn;
};

// A finding's line and column count from 1.
Position placeOf(const quillon::sources::SourceFinding &finding)
{
    return { std::max<qsizetype>(0, finding.line - 1), std::max<qsizetype>(0, finding.column - 1) };
}

int severityOf(cli::CheckKind kind)
{
    enum Severity { Error = 1, Warning = 2, Information = 3 };
    switch (kind) {
    case cli::CheckKind::Layout:
        return Information;
    case cli::CheckKind::Limit:
        return Warning;
    case cli::CheckKind::NotWritable:
        break;
    }
    return Error;
}

quillon::sources::RelaidSource relaid(const CallDocument &document, qsizetype onlyLine = 0)
{
    return quillon::sources::relayOutCalls(document.text,
        { document.codeWidth, onlyLine, document.encoding, document.dialect,
            quillon::sources::holdsScriptParts(document.fileName) });
}

QJsonObject textEdit(const Range &range, const QString &newText)
{
    return { { u"range"_s, jsonOf(range) }, { u"newText"_s, newText } };
}

// The first lines (from 0) of the calls that --reformat writes anew.
QList<qsizetype> changedCalls(const CallDocument &document)
{
    QList<qsizetype> lines;
    for (const quillon::sources::SourceFinding &changed : relaid(document).changed)
        lines.append(placeOf(changed).line);
    return lines;
}

// The edit that writes anew the call beginning on the line: what its own
// re-layout changes, which begins at the line's start. The call is written
// in the piece of the text up to the next call written anew, which holds
// all of it and no other call to write, so that the edits of a whole
// document take one pass over it. A script's piece is the whole file, whose
// script parts are told by the markup around them.
std::optional<QJsonObject> callEdit(
    const CallDocument &document, const LineIndex &index, qsizetype line, qsizetype nextLine)
{
    const bool script = quillon::sources::holdsScriptParts(document.fileName);
    const qsizetype first = script ? 0 : line;
    const qsizetype begin = index.offsetOf({ first, 0 });
    const qsizetype start = index.offsetOf({ line, 0 }) - begin;
    const qsizetype end = index.offsetOf({ script ? index.lineCount() : nextLine, 0 });
    CallDocument piece = document;
    piece.text = document.text.sliced(begin, end - begin);
    const QString written = relaid(piece, line - first + 1).text;
    const QStringView text = piece.text;
    if (written == text || written.size() < start)
        return std::nullopt;
    qsizetype common = 0;
    const qsizetype longest = std::min(text.size(), written.size()) - start;
    while (
        common < longest && text[text.size() - 1 - common] == written[written.size() - 1 - common])
        ++common;
    // An edit never ends inside a pair of surrogates.
    while (common > 0 && text[text.size() - common].isLowSurrogate())
        --common;
    const Range range { { line, 0 }, index.positionOf(begin + text.size() - common) };
    return textEdit(range, written.sliced(start, written.size() - common - start));
}

// Each call written anew, with the line of the next one (or the line
// count), for callEdit.
template<typename Take>
void forEachChangedCall(const CallDocument &document, const LineIndex &index, Take take)
{
    const QList<qsizetype> lines = changedCalls(document);
    for (qsizetype i = 0; i < lines.size(); ++i)
        take(lines[i], i + 1 < lines.size() ? lines[i + 1] : index.lineCount());
}

bool meets(const Range &statement, const Range &range)
{
    return statement.start.line <= range.end.line && statement.end.line >= range.start.line;
}

QJsonObject workspaceEdit(const QString &uri, const QJsonArray &edits)
{
    return { { u"changes"_s, QJsonObject { { uri, edits } } } };
}

QJsonObject codeAction(
    const QString &title, const QString &kind, const QString &uri, const QJsonObject &edit)
{
    return { { u"title"_s, title }, { u"kind"_s, kind },
        { u"edit"_s, workspaceEdit(uri, QJsonArray { edit }) } };
}

} // namespace

QJsonArray diagnosticsOf(const CallDocument &document)
{
    const Statements statements(document.text, document.dialect);
    QJsonArray diagnostics;
    cli::FormatOptions options;
    options.codeWidth = document.codeWidth;
    options.dialect = document.dialect;
    options.dialectGiven = true;
    const QString text = document.text.toString();
    for (const cli::CheckFinding &finding :
        cli::checkFindings(options, document.fileName, text, relaid(document)))
        diagnostics.append(QJsonObject {
            { u"range"_s, jsonOf(statements.rangeFrom(placeOf(finding.place))) },
            { u"severity"_s, severityOf(finding.kind) },
            { u"source"_s, u"msgbox-format"_s },
            { u"message"_s, finding.place.message },
        });
    return diagnostics;
}

QJsonArray formattingEdits(const CallDocument &document, std::optional<Range> range)
{
    const Statements statements(document.text, document.dialect);
    QJsonArray edits;
    forEachChangedCall(document, statements.index(), [&](qsizetype line, qsizetype next) {
        if (range && !meets(statements.linesOf(line), *range))
            return;
        if (const std::optional<QJsonObject> edit
            = callEdit(document, statements.index(), line, next))
            edits.append(*edit);
    });
    return edits;
}

namespace {

struct FormName
{
    quillon::model::CodeForm form;
    QStringView name;
};

// The forms as the code box's "Code-Form" menu names them.
constexpr FormName kFormNames[] {
    { quillon::model::CodeForm::Statement, u"Anweisung" },
    { quillon::model::CodeForm::Answer, u"Antwort in Variable" },
    { quillon::model::CodeForm::If, u"If ... Then ... Else" },
    { quillon::model::CodeForm::Select, u"Select Case" },
    { quillon::model::CodeForm::TextVariable, u"Text in Variable" },
};

// The call's statement as the reader takes it: lines joined by CR LF.
QString statementCode(
    const CallDocument &document, const Statements &statements, const Range &lines)
{
    QStringList code;
    for (qsizetype line = lines.start.line; line <= lines.end.line; ++line) {
        const qsizetype begin = statements.index().offsetOf({ line, 0 });
        code.append(document.text.sliced(begin, statements.index().lineLength(line)).toString());
    }
    return code.join(u"\r\n"_s);
}

// The document's own line break: that of its first line, else CR LF.
QString lineBreakOf(QStringView text)
{
    const qsizetype at = text.indexOf(u'\n');
    const qsizetype cr = text.indexOf(u'\r');
    if (cr >= 0 && (at < 0 || cr < at))
        return cr + 1 < text.size() && text[cr + 1] == u'\n' ? u"\r\n"_s : u"\r"_s;
    return at >= 0 ? u"\n"_s : u"\r\n"_s;
}

// The code box's lines in the call's place: their common indentation,
// the box's own, made the call's.
QString reindented(const QString &code, const QString &indentation, const QString &lineBreak)
{
    QStringList lines = code.split(u"\r\n"_s);
    if (lines.size() > 1 && lines.constLast().isEmpty())
        lines.removeLast();
    qsizetype common = std::numeric_limits<qsizetype>::max();
    for (const QString &line : std::as_const(lines)) {
        const qsizetype blanks = line.size() - QStringView(line).trimmed().size();
        if (!line.trimmed().isEmpty())
            common = std::min(common, blanks);
    }
    for (QString &line : lines)
        line = indentation + line.sliced(std::min(common, line.size()));
    return lines.join(lineBreak);
}

// The call written alone in the form, as --reformat --form writes it.
std::optional<QString> inForm(const CallDocument &document, const quillon::frontend::VbCall &call,
    quillon::model::CodeForm form)
{
    quillon::writer::FormatRequest request = quillon::writer::requestToWriteAnew(call);
    request.codeWidth = document.codeWidth;
    request.form = form;
    request.dialect = document.dialect;
    const quillon::writer::FormatResult result = quillon::writer::formatMessage(request);
    if (result.outcome != quillon::writer::FormatOutcome::Formatted)
        return std::nullopt;
    return reindented(result.code, call.place.indentation, lineBreakOf(document.text));
}

void appendFormActions(
    const CallDocument &document, const Statements &statements, qsizetype line, QJsonArray &actions)
{
    const Range lines = statements.linesOf(line);
    const quillon::frontend::VbReadResult read = quillon::frontend::readMsgBox(
        statementCode(document, statements, lines), document.dialect);
    if (!read.found() || read->inLineIf || read->prompt.isEmpty())
        return;
    for (const FormName &form : kFormNames) {
        if (form.form == read->form || !quillon::model::formFits(form.form, read->choices))
            continue;
        if (const std::optional<QString> code = inForm(document, read.call(), form.form))
            actions.append(codeAction(u"Als Code-Form: "_s + form.name, u"refactor.rewrite"_s,
                document.uri, textEdit(lines, *code)));
    }
}

} // namespace

QJsonArray codeActionsAt(const CallDocument &document, const Range &range)
{
    const Statements statements(document.text, document.dialect);
    const qsizetype line = std::min(range.start.line, statements.index().lineCount() - 1);
    QJsonArray actions;
    forEachChangedCall(document, statements.index(), [&](qsizetype first, qsizetype next) {
        if (!meets(statements.linesOf(first), { { line, 0 }, { line, 0 } }))
            return;
        if (const std::optional<QJsonObject> edit
            = callEdit(document, statements.index(), first, next))
            actions.append(
                codeAction(u"MsgBox neu umbrechen"_s, u"quickfix"_s, document.uri, *edit));
    });
    appendFormActions(document, statements, line, actions);
    return actions;
}

} // namespace lsp
