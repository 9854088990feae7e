#pragma once

#include <QStringView>

namespace quillon::writer {

// The measuring box puts width_in_twips / 90 - 14 characters on a line, so a
// wrapped line of c characters becomes a code line of c + 14 characters and a
// full code line is exactly the code width.
constexpr qsizetype charsPerLineForTwips(int widthTwips)
{
    return widthTwips / 90 - 14;
}

constexpr qsizetype charsPerLineForCodeWidth(int codeWidth)
{
    return charsPerLineForTwips(codeWidth * 90);
}

// Length of the first line that the measuring box makes of a paragraph (a text
// without hard breaks), cut as an edit control cuts: blanks hang at the end of
// a line, a word longer than a line is cut, only U+0020 is a break
// opportunity, and a cut never splits a surrogate pair. charsPerLine must be
// at least 2. Returns the whole length when the paragraph fits on one line.
qsizetype firstWrappedLineLength(QStringView paragraph, qsizetype charsPerLine);

} // namespace quillon::writer
