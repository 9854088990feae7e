#pragma once

#include <QFont>
#include <QPoint>
#include <QString>

class QColor;
class QLabel;
class QRect;
class QScreen;
class QSize;
class QWidget;

// What the three windows share in how they look and where they open.

// A face by name with its metric twin, which keeps the form's measures where
// the face itself is missing; the style hint picks a sensible face where
// neither is installed.
QFont fontWithTwin(
    const QString &family, const QString &metricTwin, qreal pointSize, QFont::StyleHint fallback);

// A form's sans face as it stands, with a sans face to stand in for it where
// it is missing.
QFont withSansStandIn(QFont font);

// The classic dialog face the forms are measured for.
QFont dialogFont(qreal pointSize);

// The text colour of a label or any other widget.
void setForeColour(QWidget &widget, const QColor &colour);

// A label on the colours of a text box, as the system scheme has them.
void useTextBoxColours(QWidget &label);

// A bordered caption that pads its word with blanks (" About") shows the
// word centred, as if the blanks took no room: in a tight box both sides
// of the word keep a gap to the border.
void centreCaptionWord(QLabel &label);

// A caption laid out for one face may not fit in another that stands in for
// it. Each label, option and check box of `form` too narrow for its text
// grows to fit: away from the side its text keeps to, and within its parent.
// Captions that fit, as with the faces the forms are measured for, stay.
void keepCaptionsWhole(QWidget &form);

// A fixed-size window with title bar, system menu and close button; the
// minimize button where the window has one. No maximize button.
void useFixedWindowFrame(QWidget &window, Qt::WindowType kind, bool withMinimizeButton);

// Centred on the screen's available area; a window larger than that area
// keeps its title bar and left edge in view.
void centreOnScreen(QWidget &window, const QScreen &screen);

// Where a window of `size` (frame included) opens beside `anchor`, and
// where the anchor then stands: to its right, else to its left, top edges
// level. Where neither side has room but the two fit side by side, the
// anchor moves over as little as it must. Only where even that does not fit,
// the window overlaps the anchor at the screen's edge on the roomier side and
// low, and the anchor moves up as far as it must and can, so that its top
// `anchorKeptInView` pixels (frame included) stay above the window. Always
// within `available`.
struct PlacementBeside
{
    QPoint window;
    QPoint anchor;
};
PlacementBeside placementBeside(
    const QRect &anchor, const QSize &size, const QRect &available, int anchorKeptInView = 0);

// Moves `window` beside `anchor` on the anchor's screen, and the anchor over
// where the two would not fit side by side otherwise. Where they overlap,
// the anchor's client area down to `clientKeptInView` stays in view. A
// window not shown yet has no frame: it is taken to get one like the
// anchor's.
void placeBeside(QWidget &window, QWidget &anchor, int clientKeptInView = 0);

// Return and Enter press a push button that has the focus, as Space does;
// outside a dialog Qt leaves them to the button's window.
void pressFocusedButtonOnEnter(QWidget &window);

// A frame around `control` while it has the focus, for a control whose own
// look shows none. The frame is a sibling named after the control with
// "_focus" appended.
void showFocusFrame(QWidget &control);
