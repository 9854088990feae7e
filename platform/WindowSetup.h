#pragma once

#include <QFont>
#include <QString>

class QColor;
class QScreen;
class QWidget;

// What the three windows share in how they look and where they open.

// A face by name with its metric twin, which keeps the form's measures where
// the face itself is missing; the style hint picks a sensible face where
// neither is installed.
QFont fontWithTwin(
    const QString &family, const QString &metricTwin, qreal pointSize, QFont::StyleHint fallback);

// The classic dialog face the forms are measured for.
QFont dialogFont(qreal pointSize);

// The text colour of a label or any other widget.
void setForeColour(QWidget &widget, const QColor &colour);

// A label on the colours of a text box, as the system scheme has them.
void useTextBoxColours(QWidget &label);

// A fixed-size window with title bar, system menu and close button; the
// minimize button where the window has one. No maximize button.
void useFixedWindowFrame(QWidget &window, Qt::WindowType kind, bool withMinimizeButton);

// Centred on the screen's available area; a window larger than that area
// keeps its title bar and left edge in view.
void centreOnScreen(QWidget &window, const QScreen &screen);
