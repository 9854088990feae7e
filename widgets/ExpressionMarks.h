#pragma once

#include "vb_model/MessageParts.h"

#include <QList>
#include <QObject>

#include <utility>

class QPlainTextEdit;
class QTextDocument;

// The marks of a message box that holds a call taken over from VB code. An
// expression shows as «source» on a tinted ground and stands for itself:
// the user edits around it, and "Text formatieren" writes it back as the
// expression. What the user types or pastes is always text, even where it
// looks like a mark, and a mark the user edits into becomes text. A quote
// that was read from code stays a quote; a typed one becomes two
// apostrophes, as always.
class ExpressionMarks : public QObject
{
    Q_OBJECT

public:
    explicit ExpressionMarks(QPlainTextEdit &box);

    // Fills the box with the parts, expressions and read quotes marked.
    void setParts(const quillon::model::MessageParts &parts);
    // The box's text in parts; text typed in it is Text.
    quillon::model::MessageParts parts() const;

private:
    void typeUnmarked();
    void keepTypingUnmarked(int position, int removed, int added);
    void dissolveBrokenMarks();
    bool isUndoOrRedo() const;
    void clearFormats(const QList<std::pair<int, int>> &ranges); // position, length

    QPlainTextEdit &box;
    int nextMark = 1;
    bool repairing = false;
    // Whether the box may hold marks or read quotes: while it holds none, as
    // after typing alone, an edit costs nothing more.
    bool mayHoldMarks = false;
};

// The parts of a document marked as ExpressionMarks marks them.
quillon::model::MessageParts markedParts(const QTextDocument &document);
