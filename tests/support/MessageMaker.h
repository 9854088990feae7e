#pragma once

#include "code_writer/Formatter.h"

#include <QRandomGenerator>
#include <QString>

// Where random choices come from: a seeded generator in the tests and the
// benchmark, the fuzzer's bytes in the fuzz targets.
class ChoiceSource
{
public:
    virtual ~ChoiceSource() = default;
    // A number below bound (bound > 0).
    virtual quint32 pick(quint32 bound) = 0;
};

class SeededChoices : public ChoiceSource
{
public:
    explicit SeededChoices(quint32 seed)
        : m_random(seed)
    { }

    quint32 pick(quint32 bound) override { return m_random.bounded(bound); }

private:
    QRandomGenerator m_random;
};

// Messages, titles and requests built from the pieces that have tripped text
// formatters before: the code's own markup and its look-alikes, runs of
// blanks and breaks, quotes, lone CR and LF, over-long words, characters
// beyond ASCII and beyond the BMP, lone surrogates, the store's separator.
class MessageMaker
{
public:
    explicit MessageMaker(ChoiceSource &source)
        : m_source(source)
    { }

    QString message();
    QString title();
    quillon::model::StyleChoices choices();
    int codeWidth();
    quillon::writer::FormatRequest request();
    // Exact and typed text between expressions, as the window holds it after
    // taking over code and typing, and what else a read
    // call may carry: title parts, a buttons expression, trailing statements.
    quillon::model::MessageParts parts();
    quillon::writer::FormatRequest requestWithExpressions();

private:
    int pick(int bound) { return static_cast<int>(m_source.pick(static_cast<quint32>(bound))); }
    bool chance(int percent) { return pick(100) < percent; }
    QString word(int length);
    QString piece();
    QString expression();

    ChoiceSource &m_source;
};

// Parts as the reader gives them back: neighbouring text parts as one exact
// text, empty ones gone, typed quotes as the two apostrophes they are
// written as.
quillon::model::MessageParts readerView(const quillon::model::MessageParts &parts);

// The title as the reader gives it back: the title parts, or the typed title
// where the code names one.
quillon::model::MessageParts readerViewOfTitle(const quillon::writer::FormatRequest &request);
