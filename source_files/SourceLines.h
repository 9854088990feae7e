#pragma once

#include <QList>
#include <QStringView>

// A source file's lines as they stand: each with the line break that ends
// it (CR LF, LF or CR; none on a last line without one), so that what is
// not written anew is copied byte for byte.
namespace quillon::sources {

struct SourceLine
{
    qsizetype begin = 0; // into the text
    qsizetype length = 0; // without the break
    qsizetype breakLength = 0;
};

QList<SourceLine> sourceLines(QStringView text);

// The designer's part at the top of a form, a user control or a class
// (VERSION, the Begin ... End of its controls, its Attribute lines): the
// number of lines it takes; 0 for a file that has none.
qsizetype designerHeaderLines(QStringView text, const QList<SourceLine> &lines);

} // namespace quillon::sources
